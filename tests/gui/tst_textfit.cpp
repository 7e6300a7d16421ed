#include "app/Fonts.h"
#include "common/Find.h"
#include "controls/Label.h"
#include "controls/TavrelButton.h"
#include "core/card/Twips.h"
#include "core/texts/Catalogue.h"
#include "core/texts/ReminderTexts.h"
#include "reminder/CardText.h"
#include "reminder/TextFit.h"
#include "reminder/TextsWindow.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

#include <algorithm>

// Every catalogue text, in every face the font box offers and at the
// display scale the run was started with (QT_SCALE_FACTOR), is laid out the
// way the card draws it and must fit the card's text area whole.
class TestTextFit : public QObject
{
    Q_OBJECT
private:
    // Height and widest line of text wrapped between words at width.
    static QSizeF layout(const QFont &font, const QString &text, qreal width)
    {
        QTextLayout layout(text, font);
        QTextOption option(Qt::AlignRight | Qt::AlignAbsolute);
        option.setWrapMode(QTextOption::WordWrap);
        option.setTextDirection(Qt::LeftToRight);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal height = 0;
        qreal widest = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, height));
            height += line.height();
            widest = std::max(widest, line.naturalTextWidth());
        }
        layout.endLayout();
        return QSizeF(widest, height);
    }

    // Types text as a keyboard with Arabic letters would.
    static void type(QWidget *w, const QString &text)
    {
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w, &press);
            QApplication::sendEvent(w, &release);
        }
    }

    // Whether the fit is also the tightest: on Windows the system's hinted
    // advances and the layout's differ by a pixel at some sizes, so there
    // a text is still drawn whole but may sit half a point smaller than
    // the layout alone would allow.
    static bool tightestFit() { return QSysInfo::productType() != QLatin1String("windows"); }

private Q_SLOTS:
    void initTestCase() { registerFontSubstitutions(); }

    void everyTextFitsWhole_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("text");
        const Catalogue catalogue;
        QCOMPARE(catalogue.size(), 128);
        for (const char *family : {"MS Sans Serif", "Tahoma", "Times New Roman"}) {
            for (int i = 0; i < catalogue.size(); ++i)
                QTest::addRow("%s %d", family, i) << QString::fromLatin1(family) << catalogue.entry(i);
        }
    }

    void everyTextFitsWhole()
    {
        QFETCH(QString, family);
        QFETCH(QString, text);
        const QSizeF area = twipsRect(240, 240, 3015, 2175).size();
        QFont font(family);
        font.setPointSizeF(13.5);
        const double size = TextFit::fittedPointSize(font, text, area);
        QVERIFY(size >= TextFit::FloorPoints);
        font.setPointSizeF(size);
        const QSizeF needed = layout(font, text, area.width());
        QVERIFY2(needed.height() <= area.height(),
                 qPrintable(QStringLiteral("%1 px high at %2 pt").arg(needed.height()).arg(size)));
        QVERIFY(needed.width() <= area.width());
        // Not smaller than it has to be: half a point more would not fit.
        if (size < 13.5 && tightestFit()) {
            font.setPointSizeF(size + TextFit::StepPoints);
            QVERIFY(layout(font, text, area.width()).height() > area.height());
        }
    }

    void sizeReached_data()
    {
        // How many texts each face sets at the card's full 13.5 pt, and the
        // smallest size it needs for any of them: a face with a tall line
        // box sets many texts small, which reads as a different font.
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("leastAtFullSize");
        QTest::addColumn<double>("lowestSize");
        QTest::newRow("MS Sans Serif") << QStringLiteral("MS Sans Serif") << 110 << 12.0;
        QTest::newRow("Tahoma") << QStringLiteral("Tahoma") << 84 << 10.5;
        QTest::newRow("Times New Roman") << QStringLiteral("Times New Roman") << 116 << 12.0;
    }

    void sizeReached()
    {
        QFETCH(QString, family);
        QFETCH(int, leastAtFullSize);
        QFETCH(double, lowestSize);
        const Catalogue catalogue;
        const QSizeF area = twipsRect(240, 240, 3015, 2175).size();
        QFont font(family);
        font.setPointSizeF(13.5);
        int atFullSize = 0;
        double lowest = 13.5;
        for (int i = 0; i < catalogue.size(); ++i) {
            const double size = TextFit::fittedPointSize(font, catalogue.entry(i), area);
            atFullSize += size >= 13.5 ? 1 : 0;
            lowest = std::min(lowest, size);
        }
        QVERIFY2(atFullSize >= leastAtFullSize, qPrintable(QStringLiteral("%1 at full size").arg(atFullSize)));
        QVERIFY2(lowest >= lowestSize, qPrintable(QStringLiteral("one set at %1 pt").arg(lowest)));
    }

    void longestTextDrawnWhole_data()
    {
        QTest::addColumn<QString>("family");
        for (const char *family : {"MS Sans Serif", "Tahoma", "Times New Roman"})
            QTest::newRow(family) << QString::fromLatin1(family);
    }

    void longestTextDrawnWhole()
    {
        // The longest text drawn as the card's label draws it: no ink in the
        // area's last rows, where a cut line would leave its upper half.
        QFETCH(QString, family);
        const Catalogue catalogue;
        QString longest;
        for (int i = 0; i < catalogue.size(); ++i) {
            if (catalogue.entry(i).size() > longest.size())
                longest = catalogue.entry(i);
        }
        const QRect area = twipsRect(240, 240, 3015, 2175);
        QWidget card;
        card.setFixedSize(area.size() + QSize(0, 40));
        card.setStyleSheet(QStringLiteral("background: black"));
        Label label(longest, Qt::LeftToRight, &card);
        label.setGeometry(QRect(QPoint(0, 0), area.size()));
        label.setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
        label.setWordWrap(true);
        QPalette pal = label.palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        label.setPalette(pal);
        QFont font(family);
        font.setPointSizeF(13.5);
        font.setPointSizeF(TextFit::fittedPointSize(font, longest, area.size()));
        label.setFont(font);
        const QImage shot = card.grab().toImage();
        shot.save(QStringLiteral("%1/longest-text-%2-x%3.png")
                      .arg(QCoreApplication::applicationDirPath(), family.left(5).trimmed(),
                           qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"))));
        const qreal dpr = shot.devicePixelRatio();
        const int bottom = int(area.height() * dpr);
        int inkRows = 0;
        for (int y = bottom - int(2 * dpr); y < bottom; ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (qGray(shot.pixel(x, y)) > 128) {
                    ++inkRows;
                    break;
                }
            }
        }
        QCOMPARE(inkRows, 0);
    }

    void aTextTooLongIsRefusedAsItIsTyped_data() { longestTextDrawnWhole_data(); }
    void aTextTooLongIsRefusedAsItIsTyped()
    {
        // A text of the user's grows a word at a time in the texts window:
        // the longest the window takes is drawn whole at the card's floor
        // size, the next word is refused as it is typed.
        QFETCH(QString, family);
        const QStringList words = QStringLiteral("سُبْحَانَ اللَّهِ وَبِحَمْدِهِ سُبْحَانَ اللَّهِ الْعَظِيمِ").split(QLatin1Char(' '));
        QString fits;
        QString next = words.first();
        for (int i = 1; CardText::check(next, family) == CardText::Verdict::Fits; ++i) {
            fits = next;
            next += QLatin1Char(' ') + words.at(i % words.size());
        }
        QFont floor = CardText::font(family);
        floor.setPointSizeF(TextFit::FloorPoints);
        const QSize area = CardText::area().size();
        const QSizeF fitting = layout(floor, fits, area.width());
        QVERIFY(fitting.height() <= area.height() && fitting.width() <= area.width());
        QVERIFY(!tightestFit() || layout(floor, next, area.width()).height() > area.height());
        qInfo("%s at x%s: the longest that fits has %d characters", qPrintable(family),
              qPrintable(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"))), int(fits.size()));

        QTemporaryDir dir;
        ReminderTexts texts(dir.filePath(QStringLiteral("texts.ini")));
        TextsWindow w(texts, family, 1);
        auto *editor = child<QPlainTextEdit>(w, "textEditor");
        auto *add = child<TavrelButton>(w, "textAdd");
        editor->setPlainText(fits.left(fits.lastIndexOf(QLatin1Char(' '))));
        type(editor, fits.mid(fits.lastIndexOf(QLatin1Char(' '))));
        QVERIFY(add->isEnabled());
        QCOMPARE(child<QLabel>(w, "textsNotice")->text(), QString());
        type(editor, next.mid(fits.size()));
        if (!tightestFit())
            QSKIP("the longest text taken is not the tightest on Windows");
        QVERIFY(!add->isEnabled());
        QCOMPARE(child<QLabel>(w, "textsNotice")->text(), CardText::message(CardText::Verdict::TooLong));
        QTest::keyClick(editor, Qt::Key_Space);
        QVERIFY(!add->isEnabled());
        // Back to the text that fits: it is taken, at the size the card uses.
        editor->setPlainText(fits);
        add->click();
        QCOMPARE(child<QListWidget>(w, "ownTexts")->count(), 1);
        QCOMPARE(child<Label>(w, "previewText")->text(), fits);
        QCOMPARE(child<Label>(w, "previewText")->font().pointSizeF(), TextFit::FloorPoints);
        // Blank is refused too.
        editor->setPlainText(QStringLiteral("  \n "));
        QVERIFY(!add->isEnabled());
        QCOMPARE(child<QLabel>(w, "textsNotice")->text(), CardText::message(CardText::Verdict::Blank));
    }

    void theFacesDiffer()
    {
        // Each name the font box offers draws the sample in a face of its own.
        QStringList faces;
        for (const char *family : {"MS Sans Serif", "Tahoma", "Times New Roman"})
            faces << QFontInfo(CardText::font(QString::fromLatin1(family))).family();
        faces.removeDuplicates();
        QCOMPARE(faces.size(), 3);
    }
};

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
