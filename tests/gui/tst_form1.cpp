#include "app/MainWindow.h"
#include "common/Find.h"
#include "common/ManualClock.h"
#include "common/RecordingMessages.h"
#include "common/Sanitizer.h"
#include "common/TestPlatform.h"
#include "controls/ButtonAccessible.h"
#include "controls/Label.h"
#include "controls/Shape.h"
#include "controls/TavrelButtonV2.h"
#include "core/cycle/ExtraTimer.h"
#include "core/cycle/ReminderCycle.h"
#include "core/texts/Catalogue.h"
#include "platform/Platform.h"
#include "reminder/CardAccessible.h"
#include "reminder/ReminderCard.h"
#include "resources/Artwork.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <limits>
#include <memory>

namespace {

// A main window loaded from a record, and the card it opens.
struct Scene
{
    explicit Scene(const QByteArray &record)
    {
        QDir().mkpath(dir.path() + QStringLiteral("/murel"));
        QFile f(dir.path() + QStringLiteral("/murel/background.txt"));
        if (f.open(QIODevice::WriteOnly))
            f.write(record);
        f.close();
        qputenv("windir", dir.path().toLocal8Bit());
        form2 = std::make_unique<MainWindow>(platform, messages, clock);
        loaded = form2->load();
    }
    ReminderCard *open()
    {
        form2->openReminder();
        return form2->reminder();
    }
    QTemporaryDir dir;
    TestPlatform platform;
    RecordingMessages messages;
    ManualClock clock;
    std::unique_ptr<MainWindow> form2;
    bool loaded = false;
};

QByteArray record(const char *background, const char *font, const char *duration)
{
    return QByteArray("\"") + background + "\",\"" + font + "\",\"0\",\"5\",\"" + duration
        + "\",#TRUE#,#FALSE#,#FALSE#\r\n";
}

// Resident memory of this process, in KiB.
qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

QImage pixmapImage(const QLabel *label)
{
    return label->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void slidesUpTickByTickWithTheBottomFixed()
    {
        Scene s(record("1", "MS Sans Serif", "10"));
        QVERIFY(s.loaded);
        ReminderCard *card = s.open();
        QVERIFY(card);
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        const int bottom = screen.height() * 15 - 500;
        QCOMPARE(card->twips().height, 0);
        QCOMPARE(card->twips().top, bottom);
        QCOMPARE(card->twips().left, screen.width() * 15 - 3555 - 100);
        QVERIFY(child<QTimer>(*card, "Timer1")->isActive());
        QVERIFY(!card->isVisible());
        for (int tick = 1; tick <= 28; ++tick) {
            card->slideUpTick();
            QCOMPARE(card->twips().height, tick * 100);
            QCOMPARE(card->twips().top + card->twips().height, bottom);
            QCOMPARE(child<QTimer>(*card, "Timer1")->isActive(), tick < 28); // 2700 < 2710 <= 2800
            QVERIFY(child<ExtraTimer>(*card, "Timer2")->enabled());
            const QRect g = card->geometry();
            QCOMPARE(g.bottom() + 1, qRound(bottom / 15.0));
            QCOMPARE(g.width(), 237);
        }
        QVERIFY(card->isVisible());
        QCOMPARE(card->geometry().size(), QSize(237, 187));
        QCOMPARE(card->geometry().right() + 1, qRound((screen.width() * 15 - 100) / 15.0));
    }

    void staysForTheDurationThenSlidesDownAndRearms()
    {
        Scene s(record("1", "MS Sans Serif", "10"));
        ReminderCard *card = s.open();
        QPointer<ReminderCard> watch(card);
        for (int tick = 0; tick < 28; ++tick)
            card->slideUpTick();
        QCOMPARE(card->displaySeconds(), 10);
        s.clock.advance(9'999);
        QVERIFY(!child<QTimer>(*card, "Timer3")->isActive());
        s.clock.advance(1);
        QVERIFY(child<QTimer>(*card, "Timer3")->isActive());
        QVERIFY(!child<ExtraTimer>(*card, "Timer2")->enabled());
        for (int tick = 1; tick <= 27; ++tick) {
            card->slideDownTick();
            QCOMPARE(card->twips().height, 2800 - tick * 100);
        }
        QVERIFY(!s.form2->cycle().counting()); // 100 is still above 80
        card->slideDownTick();
        QVERIFY(s.form2->cycle().counting());
        QTRY_VERIFY(watch.isNull());
        QVERIFY(!s.form2->reminder());
    }

    void closeButtonDuringTheSlideClosesAtOnce_data()
    {
        QTest::addColumn<int>("ticksHeld");
        QTest::newRow("click") << 0;
        // Held while the card rises 6 x 100 twips: the X leaves the pointer
        // behind, and the release lands 40 pixels below it.
        QTest::newRow("held while the X moves away") << 6;
    }
    void closeButtonDuringTheSlideClosesAtOnce()
    {
        QFETCH(int, ticksHeld);
        Scene s(record("1", "MS Sans Serif", "10"));
        ReminderCard *card = s.open();
        QPointer<ReminderCard> watch(card);
        for (int tick = 0; tick < 5; ++tick)
            card->slideUpTick();
        const QPoint press(8, 8);
        QTest::mousePress(child<TavrelButtonV2>(*card, "TavrelButtonV21"), Qt::LeftButton, {}, press);
        const int topBefore = card->geometry().top();
        for (int tick = 0; tick < ticksHeld; ++tick)
            card->slideUpTick();
        const QPoint release = press + QPoint(0, topBefore - card->geometry().top());
        QCOMPARE(child<TavrelButtonV2>(*card, "TavrelButtonV21")->rect().contains(release), ticksHeld == 0);
        QTest::mouseRelease(child<TavrelButtonV2>(*card, "TavrelButtonV21"), Qt::LeftButton, {}, release);
        QVERIFY(s.form2->cycle().counting());
        QVERIFY(!card->isVisible());
        QTRY_VERIFY(watch.isNull());
    }

    void stopDiscardsTheCardWithoutRearming()
    {
        Scene s(record("1", "MS Sans Serif", "10"));
        QVERIFY(s.form2->cycle().counting()); // started hidden
        ReminderCard *card = s.open();
        QPointer<ReminderCard> watch(card);
        for (int tick = 0; tick < 10; ++tick)
            card->slideUpTick();
        s.form2->stop();
        QVERIFY(!s.form2->cycle().counting());
        QTRY_VERIFY(watch.isNull());
        QVERIFY(!s.form2->cycle().counting());
    }

    void theCycleRaisesACardAndPausesMeanwhile()
    {
        Scene s(record("1", "MS Sans Serif", "3"));
        QVERIFY(s.form2->cycle().counting());
        QVERIFY(!s.form2->reminder());
        s.clock.advance(5'000);
        QVERIFY(s.form2->reminder());
        QVERIFY(!s.form2->cycle().counting());
    }

    void aFirstRunCardGivesWayToTheFirstReminder()
    {
        // The first run's card has no countdown and stays until its X; once
        // the user starts a cycle, its first reminder takes that card's place.
        Scene s{QByteArray()};
        QPointer<ReminderCard> first = s.open();
        QVERIFY(first);
        QCOMPARE(first->displaySeconds(), 0);
        child<QLineEdit>(*s.form2, "Text1")->setText(QStringLiteral("2"));
        child<QLineEdit>(*s.form2, "Text2")->setText(QStringLiteral("5"));
        s.form2->start();
        QVERIFY(s.form2->cycle().counting());
        s.clock.advance(1'999);
        QCOMPARE(s.form2->reminder(), first.data());
        s.clock.advance(1);
        ReminderCard *next = s.form2->reminder();
        QVERIFY(next && next != first);
        QCOMPARE(next->displaySeconds(), 5);
        QVERIFY(!first->isVisible());
        QTRY_VERIFY(first.isNull());
        // The new card holds the cycle until it has gone.
        QVERIFY(!s.form2->cycle().counting());
    }

    void backgrounds_data()
    {
        QTest::addColumn<QByteArray>("number");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<bool>("frame");
        QTest::newRow("1: frame, white") << QByteArray("1") << 1 << QColor(Qt::white) << true;
        QTest::newRow("2: dark blue") << QByteArray("2") << 2 << QColor(0, 0, 128) << false;
        QTest::newRow("2.0 counts as 2") << QByteArray("2.0") << 2 << QColor(0, 0, 128) << false;
        QTest::newRow("3: black") << QByteArray("3") << 3 << QColor(Qt::black) << false;
        QTest::newRow("5: dark grey") << QByteArray("5") << 5 << QColor(64, 64, 64) << false;
        QTest::newRow("6: white, no frame") << QByteArray("6") << 6 << QColor(Qt::white) << false;
        // A number that is none of the six: the card as drawn, its own
        // picture without the frame a chosen first picture has.
        QTest::newRow("7: own picture") << QByteArray("7") << 1 << QColor(Qt::white) << false;
        QTest::newRow("0: own picture") << QByteArray("0") << 1 << QColor(Qt::white) << false;
        QTest::newRow("2.5: own picture") << QByteArray("2.5") << 1 << QColor(Qt::white) << false;
        // Nothing in the record is the first, as on a first run.
        QTest::newRow("empty: the first") << QByteArray("") << 1 << QColor(Qt::white) << true;
    }
    void backgrounds()
    {
        QFETCH(QByteArray, number);
        QFETCH(int, picture);
        QFETCH(QColor, text);
        QFETCH(bool, frame);
        Scene s(record(number.constData(), "MS Sans Serif", "10"));
        ReminderCard *card = s.open();
        // Drawn for the screen's pixel ratio (see the run at twice the scale).
        QCOMPARE(pixmapImage(child<QLabel>(*card, "Image1")),
                 backgroundPicture(picture, card->devicePixelRatioF()).toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(child<QLabel>(*card, "Image1")->pixmap().devicePixelRatio(),
                 card->devicePixelRatioF() > 1 ? 2.0 : 1.0);
        QCOMPARE(child<Label>(*card, "Label1")->palette().color(QPalette::WindowText), text);
        QCOMPARE(child<Shape>(*card, "Shape1")->isVisibleTo(card), frame);
    }

    void thePictureReachesTheCardsLastPixel_data()
    {
        QTest::addColumn<QByteArray>("number");
        QTest::newRow("1, the widest picture") << QByteArray("1");
        QTest::newRow("4") << QByteArray("4");
    }
    void thePictureReachesTheCardsLastPixel()
    {
        // Drawn as it stands at the end of the slide up, the card's last
        // column and last row are the picture's, not the bare window's.
        QFETCH(QByteArray, number);
        Scene s(record(number.constData(), "MS Sans Serif", "10"));
        ReminderCard *card = s.open();
        for (int tick = 0; tick < 28; ++tick)
            card->slideUpTick();
        const QImage shot = card->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = child<QLabel>(*card, "Image1")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(picture.width() >= shot.width() && picture.height() >= shot.height(),
                 qPrintable(QStringLiteral("picture %1x%2 on a card of %3x%4")
                                .arg(picture.width())
                                .arg(picture.height())
                                .arg(shot.width())
                                .arg(shot.height())));
        const int right = shot.width() - 1;
        const int bottom = shot.height() - 1;
        for (int y = 0; y < shot.height(); ++y)
            QCOMPARE(shot.pixel(right, y), picture.pixel(right, y));
        for (int x = 0; x < shot.width(); ++x)
            QCOMPARE(shot.pixel(x, bottom), picture.pixel(x, bottom));
    }

    void fontAndText()
    {
        Scene s(record("1", "Tahoma", "10"));
        ReminderCard *card = s.open();
        QCOMPARE(child<Label>(*card, "Label1")->font().families().constLast(), QStringLiteral("Tahoma"));
        // 13.5 pt, or a little less for a text that would not fit whole.
        QVERIFY(child<Label>(*card, "Label1")->font().pointSizeF() <= 13.5
                && child<Label>(*card, "Label1")->font().pointSizeF() >= 9);
        const int index = card->textIndex();
        QVERIFY(index >= 0 && index < 128);
        QCOMPARE(child<Label>(*card, "Label1")->text(), Catalogue().entry(index));
        // What a screen reader reads out when the card comes up.
        QCOMPARE(card->accessibleName(), child<Label>(*card, "Label1")->text());
        QCOMPARE(child<Label>(*card, "Label1")->paragraphDirection(), Qt::LeftToRight);
        QVERIFY(child<Label>(*card, "Label1")->alignment() & Qt::AlignAbsolute);
    }

    void emptyFieldsOfAFirstRun()
    {
        // The first card of a first run meets empty fields: its own picture
        // and font, and a display time of nothing.
        Scene s{QByteArray()};
        ReminderCard *card = s.open();
        QPointer<ReminderCard> watch(card);
        QCOMPARE(child<Label>(*card, "Label1")->font().families().constLast(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(card->displaySeconds(), 0);
        for (int tick = 0; tick < 28; ++tick)
            card->slideUpTick();
        // A countdown of nothing never elapses: the card stays until its X.
        s.clock.advance(3600 * 1000);
        QVERIFY(!child<ExtraTimer>(*card, "Timer2")->enabled());
        QVERIFY(!child<QTimer>(*card, "Timer3")->isActive());
        QTest::mouseClick(child<TavrelButtonV2>(*card, "TavrelButtonV21"), Qt::LeftButton, {}, QPoint(8, 8));
        QTRY_VERIFY(watch.isNull());
    }

    void extremeNumbersInTheRecord_data()
    {
        QTest::addColumn<QByteArray>("number");
        QTest::addColumn<int>("seconds");
        QTest::newRow("1e300") << QByteArray("1e300") << std::numeric_limits<int>::max();
        QTest::newRow("-1e300") << QByteArray("-1e300") << 0;
        QTest::newRow("1e-400 is about 0") << QByteArray("1e-400") << 0;
        QTest::newRow("1e999 past the largest") << QByteArray("1e999") << std::numeric_limits<int>::max();
        QTest::newRow("40 digits") << QByteArray("1234567890123456789012345678901234567890")
                                   << std::numeric_limits<int>::max();
        QTest::newRow("-40 digits") << QByteArray("-1234567890123456789012345678901234567890") << 0;
    }
    void extremeNumbersInTheRecord()
    {
        // The same number as background and as duration: the card keeps its
        // own look and counts a defined number of seconds.
        QFETCH(QByteArray, number);
        QFETCH(int, seconds);
        Scene s(record(number.constData(), "MS Sans Serif", number.constData()));
        ReminderCard *card = s.open();
        QCOMPARE(card->displaySeconds(), seconds);
        QCOMPARE(pixmapImage(child<QLabel>(*card, "Image1")),
                 backgroundPicture(1).toImage().convertToFormat(QImage::Format_RGB32));
        QVERIFY(!child<Shape>(*card, "Shape1")->isVisibleTo(card));
        for (int tick = 0; tick < 28; ++tick)
            card->slideUpTick();
        // A countdown of nothing never elapses; any other one is running.
        QCOMPARE(child<ExtraTimer>(*card, "Timer2")->enabled(), seconds > 0);
        QVERIFY(!child<QTimer>(*card, "Timer3")->isActive());
    }

    void aThousandCardsCostNoMoreThanTen()
    {
        Scene s(record("2", "MS Sans Serif", "3"));
        auto cycle = [&s] {
            s.form2->openReminder();
            ReminderCard *card = s.form2->reminder();
            for (int tick = 0; tick < 28; ++tick)
                card->slideUpTick();
            s.clock.advance(3'000);
            for (int tick = 0; tick < 28 && s.form2->reminder(); ++tick)
                card->slideDownTick();
            // The window system's events of the card, as the running
            // program's event loop takes them, then the card's deletion.
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        for (int i = 0; i < 10; ++i)
            cycle();
        QVERIFY(!s.form2->reminder());
        const qint64 after10 = residentKiB();
        QVERIFY(after10 > 0);
        for (int i = 10; i < 1000; ++i)
            cycle();
        const qint64 after1000 = residentKiB();
        qInfo("resident: %lld KiB after 10 cards, %lld KiB after 1000", after10, after1000);
        if (kAddressSanitizer)
            QSKIP("resident memory is the sanitizer's here; LeakSanitizer checks the thousand cards");
        QVERIFY2(after1000 - after10 < 1024,
                 qPrintable(QStringLiteral("%1 KiB after 10 cards, %2 KiB after 1000").arg(after10).arg(after1000)));
    }

    void screenReadersHearTheCardAsANotification()
    {
        QAccessible::installFactory(cardAccessibleFactory);
        Scene s(record("1", "MS Sans Serif", "10"));
        ReminderCard *card = s.open();
        const QString text = child<Label>(*card, "Label1")->text();
        QVERIFY(!text.isEmpty());
        // The bridge announces a notification when it shows (the end-to-end
        // test listens for it): by role, named by the text it shows.
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(card);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Notification);
        QCOMPARE(iface->text(QAccessible::Name), text);
        QVERIFY(!iface->text(QAccessible::Description).isEmpty());
        QVERIFY(!iface->state().focusable);
        QAccessible::removeFactory(cardAccessibleFactory);
    }

    void theCardsPartsForScreenReaders()
    {
        QAccessible::installFactory(buttonAccessibleFactory);
        QAccessible::installFactory(shapeAccessibleFactory);
        Scene s(record("1", "MS Sans Serif", "10"));
        ReminderCard *card = s.open();
        // Mapped with the slide's first step; all the way up here.
        for (int tick = 1; tick <= 28; ++tick)
            card->slideUpTick();
        QVERIFY(card->isVisible());
        QAccessibleInterface *close =
            QAccessible::queryAccessibleInterface(child<TavrelButtonV2>(*card, "TavrelButtonV21"));
        QVERIFY(close);
        QCOMPARE(close->role(), QAccessible::Button);
        QCOMPARE(close->text(QAccessible::Name), QStringLiteral("إغلاق"));
        // Nothing in the card is offered that the eye does not see, apart
        // from decorations, which say nothing.
        std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *a) {
            QVERIFY(a);
            auto *w = qobject_cast<QWidget *>(a->object());
            QVERIFY(w);
            const bool decoration = qobject_cast<Shape *>(w) && static_cast<Shape *>(w)->isDecorative();
            if (decoration) {
                QVERIFY(a->state().invisible);
                QCOMPARE(a->text(QAccessible::Name), QString());
            } else {
                QVERIFY2(w->isVisible(), w->metaObject()->className());
                QVERIFY2(!a->state().invisible, qPrintable(w->objectName()));
            }
            for (int i = 0; i < a->childCount(); ++i)
                walk(a->child(i));
        };
        walk(QAccessible::queryAccessibleInterface(card));
        QAccessible::removeFactory(shapeAccessibleFactory);
        QAccessible::removeFactory(buttonAccessibleFactory);
    }

    // A card of a timed sequence says where it stands, in Arabic digits and
    // to screen readers, clear of the text and the X at every size; any
    // other card has no count at all.
    void theSequenceCountKeepsClearAtEverySize_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("read");
        QTest::newRow("small, second of seven")
            << int(CardGeometry::Size::Small) << 2 << 7 << QStringLiteral("٢ / ٧") << QStringLiteral("٢ من ٧");
        QTest::newRow("largest, tenth of twelve")
            << int(CardGeometry::Size::Larger) << 10 << 12 << QStringLiteral("١٠ / ١٢") << QStringLiteral("١٠ من ١٢");
        QTest::newRow("no sequence") << int(CardGeometry::Size::Normal) << 0 << 0 << QString() << QString();
    }
    void theSequenceCountKeepsClearAtEverySize()
    {
        QFETCH(int, size);
        QFETCH(int, position);
        QFETCH(int, count);
        QFETCH(QString, shown);
        QFETCH(QString, read);
        ManualClock clock;
        TestPlatform platform;
        CardContent content;
        const Catalogue catalogue;
        // The longest text, which reaches furthest down the card.
        for (int i = 0; i < catalogue.size(); ++i) {
            if (catalogue.entry(i).size() > content.text.size())
                content.text = catalogue.entry(i);
        }
        content.displaySeconds = 5;
        content.size = CardGeometry::Size(size);
        content.sequencePosition = position;
        content.sequenceCount = count;
        ReminderCard card(content, clock, platform, QIcon());
        card.showCard();
        for (int tick = 0; tick < 28; ++tick)
            card.slideUpTick();
        auto *counter = card.findChild<QLabel *>(QStringLiteral("sequenceCount"));
        if (shown.isEmpty()) {
            QVERIFY(!counter);
            return;
        }
        QVERIFY(counter && counter->isVisible());
        QCOMPARE(counter->text(), shown);
        QCOMPARE(counter->accessibleName(), read);
        QVERIFY(card.rect().contains(counter->geometry()));
        QVERIFY(counter->fontMetrics().horizontalAdvance(shown) <= counter->contentsRect().width());
        QVERIFY(!counter->geometry().intersects(child<Label>(card, "Label1")->geometry()));
        QVERIFY(!counter->geometry().intersects(child<TavrelButtonV2>(card, "TavrelButtonV21")->geometry()));
    }

    void cardDoesNotTakeTheFocus()
    {
        Scene s(record("1", "MS Sans Serif", "10"));
        ReminderCard *card = s.open();
        QVERIFY(card->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(card->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        QVERIFY(card->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(card->windowFlags() & Qt::FramelessWindowHint);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
