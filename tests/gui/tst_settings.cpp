#include "app/MainWindow.h"
#include "common/Find.h"
#include "common/ManualClock.h"
#include "common/RecordingMessages.h"
#include "common/TestPlatform.h"
#include "controls/ButtonAccessible.h"
#include "controls/Label.h"
#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "core/settings/Settings.h"
#include "core/texts/ReminderTexts.h"
#include "reminder/BackgroundChooser.h"
#include "reminder/SettingsDialog.h"
#include "reminder/TextsWindow.h"
#include "resources/Artwork.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

void click(TavrelButton *b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, b->height() / 2));
}

QImage shown(const QLabel *l)
{
    return l->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage picture(int n)
{
    return backgroundPicture(n).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    TestPlatform m_platform;
    RecordingMessages m_messages;
    ManualClock m_clock;
    std::unique_ptr<MainWindow> m_form;
    // The dialogs opened here work on a model of their own, read from the
    // same record as the main window's.
    std::unique_ptr<Settings> m_settings;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("windir", m_dir->path().toLocal8Bit());
        m_platform.logon.clear();
        m_platform.registered.clear();
        m_platform.registerFails = false;
        QVERIFY(QDir().mkpath(m_dir->path() + QStringLiteral("/murel")));
        QFile record(m_dir->path() + QStringLiteral("/murel/background.txt"));
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write("\"3\",\"Tahoma\",\"0\",\"0\",\"0\",#TRUE#,#FALSE#,#FALSE#\r\n");
        record.close();
        m_form = std::make_unique<MainWindow>(m_platform, m_messages, m_clock);
        QVERIFY(m_form->load());
        m_settings = std::make_unique<Settings>(m_form->settingsPath());
        m_settings->load();
        m_onShow = nullptr;
        m_shows = 0;
    }
    void cleanup()
    {
        m_settings.reset();
        m_form.reset();
    }

    void opensWithTheCurrentFont()
    {
        SettingsDialog w(*m_settings, m_platform, *m_form);
        QCOMPARE(w.windowTitle(), QStringLiteral("اعدادات"));
        QCOMPARE(w.size(), QSize(315, 354));
        QCOMPARE(child<QComboBox>(w, "Combo2")->currentText(), QStringLiteral("Tahoma"));
        QCOMPARE(child<Label>(w, "Label1")->font().families().constLast(), QStringLiteral("Tahoma"));
        QCOMPARE(child<Label>(w, "Label1")->font().pointSize(), 12);
        QVERIFY(child<Label>(w, "Label1")->font().bold());
        QStringList items;
        for (int i = 0; i < child<QComboBox>(w, "Combo2")->count(); ++i)
            items << child<QComboBox>(w, "Combo2")->itemText(i);
        QCOMPARE(items, (QStringList{"MS Sans Serif", "Tahoma", "Times New Roman"}));
    }

    void theRulesAreNotReadOut()
    {
        QAccessible::installFactory(buttonAccessibleFactory);
        QAccessible::installFactory(shapeAccessibleFactory);
        SettingsDialog w(*m_settings, m_platform, *m_form);
        w.show();
        const QString frameName = QStringLiteral("خيارات العرض");
        // Every part the dialog gives screen readers, and how many of them
        // are read by the display frame's caption.
        int readAsTheFrame = 0;
        int rules = 0;
        std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *a) {
            QVERIFY(a);
            if (auto *shape = qobject_cast<Shape *>(a->object())) {
                ++rules;
                QVERIFY(shape->isVisible());
                QCOMPARE(a->role(), QAccessible::NoRole);
                QCOMPARE(a->text(QAccessible::Name), QString());
                QVERIFY(a->state().invisible);
            }
            if (a->text(QAccessible::Name) == frameName)
                ++readAsTheFrame;
            for (int i = 0; i < a->childCount(); ++i)
                walk(a->child(i));
        };
        walk(QAccessible::queryAccessibleInterface(&w));
        QAccessible::removeFactory(shapeAccessibleFactory);
        QAccessible::removeFactory(buttonAccessibleFactory);
        QCOMPARE(rules, 4);
        // The frame itself, and nothing inside it.
        QCOMPARE(readAsTheFrame, 1);
    }

    void typingUpdatesThePreviewAndApplyStoresIt()
    {
        SettingsDialog w(*m_settings, m_platform, *m_form);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        child<QComboBox>(w, "Combo2")->lineEdit()->selectAll();
        QTest::keyClicks(child<QComboBox>(w, "Combo2")->lineEdit(), QStringLiteral("Aria"));
        QCOMPARE(child<Label>(w, "Label1")->font().families().constLast(), QStringLiteral("Aria"));
        QTest::keyClicks(child<QComboBox>(w, "Combo2")->lineEdit(), QStringLiteral("l"));
        QCOMPARE(child<Label>(w, "Label1")->font().families().constLast(), QStringLiteral("Arial"));
        child<QComboBox>(w, "Combo2")->setCurrentIndex(2);
        QCOMPARE(child<Label>(w, "Label1")->font().families().constLast(), QStringLiteral("Times New Roman"));
        click(child<TavrelButton>(w, "Command2"));
        QCOMPARE(m_settings->values().fontName, QStringLiteral("Times New Roman"));
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    // What is typed is the family, even where a listed name starts with it;
    // the list still gives its names.
    void typedNameIsNotCompleted_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");
        QTest::newRow("start of a listed name") << "T" << false;
        QTest::newRow("start of a listed name, Enter") << "Times" << true;
        QTest::newRow("a listed name in other letter case, Enter") << "tahoma" << true;
    }
    void typedNameIsNotCompleted()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        SettingsDialog w(*m_settings, m_platform, *m_form);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *box = child<QComboBox>(w, "Combo2");
        // Typed into, as by the user: the box has the focus.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        box->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(box->lineEdit()->hasFocus(), 1000);
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), typed);
        if (enter)
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(box->currentText(), typed);
        QCOMPARE(box->lineEdit()->selectedText(), QString());
        QCOMPARE(child<Label>(w, "Label1")->font().families().constLast(), typed);
        click(child<TavrelButton>(w, "Command2"));
        QCOMPARE(m_settings->values().fontName, typed);
    }

    void listedNameIsPickedFromTheList()
    {
        SettingsDialog w(*m_settings, m_platform, *m_form);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *box = child<QComboBox>(w, "Combo2");
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), QStringLiteral("T"));
        box->showPopup();
        QAbstractItemView *list = box->view();
        QTRY_VERIFY_WITH_TIMEOUT(list->isVisible(), 1000);
        const QModelIndex times = list->model()->index(2, 0);
        list->setCurrentIndex(times);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!list->isVisible(), 1000);
        QCOMPARE(box->currentText(), QStringLiteral("Times New Roman"));
        QCOMPARE(child<Label>(w, "Label1")->font().families().constLast(), QStringLiteral("Times New Roman"));
        click(child<TavrelButton>(w, "Command2"));
        QCOMPARE(m_settings->values().fontName, QStringLiteral("Times New Roman"));
    }

    void textsFromTheSettings()
    {
        QAccessible::installFactory(buttonAccessibleFactory);
        ReminderTexts texts(m_dir->filePath(QStringLiteral("murel/texts.ini")));
        SettingsDialog w(*m_settings, m_platform, *m_form, &texts);
        w.show();
        QStringList unnamed;
        QStringList unreached;
        QString notice;
        QTimer::singleShot(0, &w, [&] {
            auto *t = w.findChild<TextsWindow *>();
            QVERIFY(t && t->isModal());
            // Every control is named for a screen reader and on the tab chain.
            QSet<QWidget *> chain;
            for (QWidget *c = t->nextInFocusChain(); c != t; c = c->nextInFocusChain())
                chain.insert(c);
            for (QWidget *c : t->findChildren<QWidget *>()) {
                if (!(c->focusPolicy() & Qt::TabFocus) || !c->isVisibleTo(t)
                    || c->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                if (QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).trimmed().isEmpty())
                    unnamed << c->objectName();
                if (!chain.contains(c))
                    unreached << c->objectName();
            }
            // Every built-in selected, then switched off by the space bar: the
            // last one that would go stays on, and the window says why.
            auto *list = child<QListWidget>(*t, "builtInTexts");
            list->setCurrentRow(5);
            list->selectAll();
            QTest::keyClick(list, Qt::Key_Space);
            notice = child<QLabel>(*t, "textsNotice")->text();
            click(child<TavrelButton>(*t, "textsOk"));
        });
        click(child<TavrelButton>(w, "textsButton"));
        QAccessible::removeFactory(buttonAccessibleFactory);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u' ')));
        QVERIFY2(unreached.isEmpty(), qPrintable(unreached.join(u' ')));
        QCOMPARE(notice, TextsWindow::LastOnMessage);
        QCOMPARE(ReminderTexts::onKeys(texts.values()), QList<TextKey>{TextKey::ofBuiltIn(5)});
        ReminderTexts saved(texts.path());
        saved.load();
        QVERIFY(saved.values() == texts.values());
    }

    // Neither window takes the main window's icon into its title bar: each
    // has a clear one of its own.
    void dialogsShowNoIcon()
    {
        SettingsDialog w(*m_settings, m_platform, *m_form);
        BackgroundChooser &c = w.chooser();
        QVERIFY(!m_form->windowIcon().isNull());
        for (QWidget *window : {static_cast<QWidget *>(&w), static_cast<QWidget *>(&c)}) {
            const QIcon icon = window->windowIcon();
            QVERIFY2(icon.cacheKey() != m_form->windowIcon().cacheKey(), qPrintable(window->objectName()));
            QVERIFY2(icon.cacheKey() != QApplication::windowIcon().cacheKey(), qPrintable(window->objectName()));
            const QImage drawn = icon.pixmap(QSize(32, 32)).toImage();
            QVERIFY2(!drawn.isNull(), qPrintable(window->objectName()));
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    QCOMPARE(qAlpha(drawn.pixel(x, y)), 0);
        }
    }

    void restoreThenCancelOrApply_data()
    {
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QString>("font");
        QTest::newRow("cancel keeps the font") << false << "Tahoma";
        QTest::newRow("apply stores the default") << true << "MS Sans Serif";
    }
    void restoreThenCancelOrApply()
    {
        QFETCH(bool, apply);
        QFETCH(QString, font);
        SettingsDialog w(*m_settings, m_platform, *m_form);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QFont italic = child<Label>(w, "Label1")->font();
        italic.setItalic(true);
        child<Label>(w, "Label1")->setFont(italic);
        click(child<TavrelButton>(w, "TavrelButtonV21"));
        QCOMPARE(child<QComboBox>(w, "Combo2")->currentText(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(child<Label>(w, "Label1")->font().families().constLast(), QStringLiteral("MS Sans Serif"));
        QVERIFY(!child<Label>(w, "Label1")->font().italic());
        click(apply ? child<TavrelButton>(w, "Command2") : child<TavrelButton>(w, "Command1"));
        QCOMPARE(m_settings->values().fontName, font);
        QCOMPARE(m_platform.logon.size(), apply ? 1 : 0);
    }

    void runAtLogon_data()
    {
        QTest::addColumn<bool>("flag");     // the settings' flag before the dialog opens
        QTest::addColumn<QString>("entry"); // what the system holds: "", "this" or "other" program
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("toggle");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("removable"); // false: the entry stays, as one for every user does
        QTest::addColumn<bool>("told");      // the user hears that it stayed
        QTest::newRow("on, registered, untouched: registered again")
            << true << "this" << true << false << true << true << "register" << true << false;
        QTest::newRow("on, registered, cleared: removed")
            << true << "this" << true << true << true << false << "unregister" << true << false;
        QTest::newRow("off, not registered, ticked: registered")
            << false << "" << false << true << true << true << "register" << true << false;
        QTest::newRow("off, not registered, untouched: removed again")
            << false << "" << false << false << true << false << "unregister" << true << false;
        QTest::newRow("off but registered: ticked")
            << false << "this" << true << false << true << true << "register" << true << false;
        QTest::newRow("on but entry gone: unticked")
            << true << "" << false << false << true << false << "unregister" << true << false;
        QTest::newRow("entry starts another file: unticked")
            << true << "other" << false << false << true << false << "unregister" << true << false;
        QTest::newRow("cleared, entry cannot be removed: on, told")
            << true << "this" << true << true << true << true << "unregister" << false << true;
        QTest::newRow("ticked, entry cannot be written: off")
            << false << "" << false << true << false << false << "register" << true << false;
    }
    void runAtLogon()
    {
        QFETCH(bool, flag);
        QFETCH(QString, entry);
        QFETCH(bool, shown);
        QFETCH(bool, toggle);
        QFETCH(bool, writable);
        QFETCH(bool, stored);
        QFETCH(QString, call);
        QFETCH(bool, removable);
        QFETCH(bool, told);
        const QString name = QStringLiteral("tst_settings");
        if (entry == QLatin1String("this"))
            m_platform.registered.insert(name, m_platform.logonCommand(QCoreApplication::applicationFilePath()));
        else if (entry == QLatin1String("other"))
            m_platform.registered.insert(name, QStringLiteral("/opt/elsewhere/tst_settings"));
        m_platform.registerFails = !writable;
        m_platform.unregisterFails = !removable;
        m_settings->setRunAtLogon(flag);
        SettingsDialog w(*m_settings, m_platform, *m_form);
        QSignalSpy kept(&w, &SettingsDialog::logonEntryKept);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(child<QCheckBox>(w, "Check1")->isChecked(), shown);
        QCOMPARE(m_settings->values().runAtLogon, shown);
        if (toggle)
            child<QCheckBox>(w, "Check1")->click();
        click(child<TavrelButton>(w, "Command2"));
        QCOMPARE(m_settings->values().runAtLogon, stored);
        QCOMPARE(m_platform.logon.size(), 1);
        QVERIFY2(m_platform.logon.first().startsWith(call + QLatin1Char(' ') + name),
                 qPrintable(m_platform.logon.first()));
        QCOMPARE(kept.size(), told ? 1 : 0);
        m_platform.unregisterFails = false;
    }

    void mainWindowFollowsTheSystem_data()
    {
        QTest::addColumn<QByteArray>("flag"); // the record's field
        QTest::addColumn<bool>("registered");
        QTest::newRow("record off, registered") << QByteArray("0") << true;
        QTest::newRow("record on, not registered") << QByteArray("1") << false;
    }
    void mainWindowFollowsTheSystem()
    {
        QFETCH(QByteArray, flag);
        QFETCH(bool, registered);
        m_form.reset();
        QFile record(m_dir->path() + QStringLiteral("/murel/background.txt"));
        const QByteArray bytes = "\"3\",\"Tahoma\",\"" + flag + "\",\"0\",\"0\",#TRUE#,#FALSE#,#FALSE#\r\n";
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write(bytes);
        record.close();
        if (registered)
            m_platform.registered.insert(QStringLiteral("tst_settings"),
                                         m_platform.logonCommand(QCoreApplication::applicationFilePath()));
        m_form = std::make_unique<MainWindow>(m_platform, m_messages, m_clock);
        QVERIFY(m_form->load());
        QCOMPARE(m_form->settings().values().runAtLogon, registered);
        // Only Start writes the record: loading leaves its bytes alone.
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(record.readAll(), bytes);
    }

    void chooserLoadsAndPreviews()
    {
        BackgroundChooser c(*m_settings, m_form.get());
        QCOMPARE(c.windowTitle(), QStringLiteral(" أختيار الخلفية"));
        QVERIFY(child<QRadioButton>(c, "Option3")->isChecked());
        QVERIFY(child<QLabel>(c, "Picture1")->pixmap().isNull()); // drawn a tenth of a second later
        QTRY_VERIFY_WITH_TIMEOUT(!child<QLabel>(c, "Picture1")->pixmap().isNull(), 1000);
        QCOMPARE(shown(child<QLabel>(c, "Picture1")), picture(3));
        QVERIFY(!child<Shape>(c, "Shape1")->isVisibleTo(&c));

        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        QTest::mouseClick(child<QRadioButton>(c, "Option1"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(shown(child<QLabel>(c, "Picture1")), picture(1), 1000);
        QVERIFY(child<Shape>(c, "Shape1")->isVisibleTo(&c));
        QTest::mouseClick(child<QRadioButton>(c, "Option2"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(shown(child<QLabel>(c, "Picture1")), picture(2), 1000);
        QVERIFY(!child<Shape>(c, "Shape1")->isVisibleTo(&c));
        // At its natural size, from the top-left corner.
        QCOMPARE(child<QLabel>(c, "Picture1")->alignment() & (Qt::AlignLeft | Qt::AlignTop),
                 Qt::AlignLeft | Qt::AlignTop);
        QVERIFY(!child<QLabel>(c, "Picture1")->hasScaledContents());
    }

    // The pictures' frame has its caption set into its top line, as the
    // settings dialog's frames have, and the options stay below that line.
    void chooserFrameRunsThroughItsCaption()
    {
        BackgroundChooser c(*m_settings, m_form.get());
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        auto *frame = child<QGroupBox>(c, "Frame1");
        const QImage shot = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb background = c.palette().color(QPalette::Window).rgb();
        // The top line: the first row drawn in, a quarter of the way in
        // from the left, away from the caption on the right.
        int line = -1;
        for (int y = 0; y < shot.height() && line < 0; ++y) {
            if (shot.pixel(shot.width() / 4, y) != background)
                line = y;
        }
        // The caption: the rows holding its dark blue.
        int captionTop = shot.height();
        int captionBottom = -1;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QColor p = QColor::fromRgb(shot.pixel(x, y));
                if (p.blue() > 80 && p.blue() - p.red() > 50 && p.blue() - p.green() > 50) {
                    captionTop = qMin(captionTop, y);
                    captionBottom = qMax(captionBottom, y);
                }
            }
        }
        QVERIFY2(line >= 0 && captionBottom >= 0,
                 qPrintable(QStringLiteral("line %1, caption to %2").arg(line).arg(captionBottom)));
        QVERIFY2(
            captionTop < line && line < captionBottom,
            qPrintable(QStringLiteral("line at %1, caption %2 to %3").arg(line).arg(captionTop).arg(captionBottom)));
        for (int n = 1; n <= 6; ++n) {
            auto *o = child<QRadioButton>(c, QStringLiteral("Option%1").arg(n).toLatin1().constData());
            QCOMPARE(o->parentWidget(), frame);
            QVERIFY2(o->geometry().top() > line, qPrintable(o->objectName()));
            QVERIFY2(frame->rect().contains(o->geometry()), qPrintable(o->objectName()));
        }
    }

    // A background that is none of the six selects no option, and applying
    // no choice keeps it as the record has it.
    void chooserSelectsAndKeeps_data()
    {
        QTest::addColumn<QByteArray>("background");
        QTest::addColumn<int>("selected"); // when it opens; 0: none
        QTest::addColumn<int>("option");   // clicked; 0: none
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QString>("after");
        QTest::newRow("3, another cancelled") << QByteArray("3") << 3 << 5 << false << "3";
        QTest::newRow("7, applied without a choice") << QByteArray("7") << 0 << 0 << true << "7";
        QTest::newRow("2.5, applied without a choice") << QByteArray("2.5") << 0 << 0 << true << "2.5";
        QTest::newRow("0, then 4 chosen") << QByteArray("0") << 0 << 4 << true << "4";
    }
    void chooserSelectsAndKeeps()
    {
        QFETCH(QByteArray, background);
        QFETCH(int, selected);
        QFETCH(int, option);
        QFETCH(bool, apply);
        QFETCH(QString, after);
        QFile record(m_form->settingsPath());
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write("\"" + background + "\",\"Tahoma\",\"0\",\"0\",\"0\",#TRUE#,#FALSE#,#FALSE#\r\n");
        record.close();
        m_settings->load();
        BackgroundChooser c(*m_settings, m_form.get());
        QCOMPARE(c.selected(), selected);
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        if (option != 0)
            QTest::mouseClick(child<QRadioButton>(c, QStringLiteral("Option%1").arg(option).toLatin1().constData()),
                              Qt::LeftButton);
        click(child<TavrelButton>(c, apply ? "Command1" : "Command2"));
        QCOMPARE(m_settings->values().background.text(), after);
        QCOMPARE(c.result(), int(apply ? QDialog::Accepted : QDialog::Rejected));
    }

    // The whole path from the menu: settings, chooser, apply 6, back to the
    // settings (hidden meanwhile), cancel there; 6 stays chosen.
    void chosenBackgroundSurvivesACancelledDialog()
    {
        SettingsDialog *settings = nullptr;
        bool hiddenMeanwhile = false;
        int openings = 0;
        connect(m_form.get(), &MainWindow::modalOpening, this, [&](QDialog *w) {
            settings = qobject_cast<SettingsDialog *>(w);
            QVERIFY(settings);
            connect(settings, &SettingsDialog::chooserOpening, this, [&](BackgroundChooser *chooser) {
                QTimer::singleShot(0, chooser, [&, chooser] {
                    hiddenMeanwhile = !settings->isVisible() && chooser->isVisible();
                    QTest::mouseClick(child<QRadioButton>(*chooser, "Option6"), Qt::LeftButton);
                    click(child<TavrelButton>(*chooser, "Command1"));
                });
            });
            // First showing: open the chooser; second: cancel.
            auto step = [&] {
                ++openings;
                click(openings == 1 ? child<TavrelButton>(*settings, "TavrelButtonV22")
                                    : child<TavrelButton>(*settings, "Command1"));
            };
            QTimer::singleShot(0, settings, step);
            // The dialog comes back after the chooser: act again then.
            settings->installEventFilter(this);
            m_onShow = [step] { QTimer::singleShot(0, step); };
        });
        child<QAction>(*m_form, "Setting")->trigger();
        QVERIFY(hiddenMeanwhile);
        QCOMPARE(openings, 2);
        QCOMPARE(m_form->settings().values().background.text(), QStringLiteral("6"));
        QCOMPARE(m_form->settings().values().fontName, QStringLiteral("Tahoma"));
        QVERIFY(m_platform.logon.isEmpty());
        m_onShow = nullptr;
    }

    // The tray's Exit with the settings dialog and the chooser both open: the
    // program's exit ends the chooser's loop, and the settings dialog must
    // not come back on the way out.
    void exitWithTheChooserOpenShowsNothingAgain()
    {
        SettingsDialog *settings = nullptr;
        bool chooserWasOpen = false;
        int reshown = 0;
        // As the program does on its exit (the application's exit ends every
        // running loop), the chooser's loop ends, if nothing closed it.
        connect(m_form.get(), &MainWindow::programEnd, this, [&] {
            if (settings && settings->chooser().isVisible())
                settings->chooser().hide();
        });
        connect(m_form.get(), &MainWindow::modalOpening, this, [&](QDialog *w) {
            settings = qobject_cast<SettingsDialog *>(w);
            QVERIFY(settings);
            connect(settings, &SettingsDialog::chooserOpening, this, [&](BackgroundChooser *chooser) {
                QTimer::singleShot(0, chooser, [&, chooser] {
                    chooserWasOpen = chooser->isVisible();
                    QTest::mouseClick(child<QRadioButton>(*chooser, "Option6"), Qt::LeftButton);
                    child<QAction>(*m_form, "exit2")->trigger();
                });
            });
            QTimer::singleShot(0, settings, [&] { click(child<TavrelButton>(*settings, "TavrelButtonV22")); });
            settings->installEventFilter(this);
            // Shown again: count it, and close it so that the test goes on.
            m_onShow = [&] {
                ++reshown;
                QTimer::singleShot(0, settings, [&] { click(child<TavrelButton>(*settings, "Command1")); });
            };
        });
        child<QAction>(*m_form, "Setting")->trigger();
        QVERIFY(chooserWasOpen);
        QVERIFY(m_form->ending());
        QCOMPARE(reshown, 0);
        // Nothing chosen is applied on the way out.
        QCOMPARE(m_form->settings().values().background.text(), QStringLiteral("3"));
        m_onShow = nullptr;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_onShow && m_shows++ > 0)
            m_onShow();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onShow;
    int m_shows = 0;
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
