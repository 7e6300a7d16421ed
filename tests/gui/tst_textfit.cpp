#include "app/Fonts.h"
#include "controls/Label.h"
#include "core/Catalogue.h"
#include "core/Twips.h"
#include "reminder/TextFit.h"

#include <QApplication>
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
        if (size < 13.5) {
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

    void theFacesDiffer()
    {
        // Each name the font box offers draws the sample in a face of its own.
        QStringList faces;
        for (const char *family : {"MS Sans Serif", "Tahoma", "Times New Roman"})
            faces << QFontInfo(QFont(QString::fromLatin1(family))).family();
        faces.removeDuplicates();
        QCOMPARE(faces.size(), 3);
    }
};

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
