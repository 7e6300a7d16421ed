#include "reminder/Backgrounds.h"
#include "resources/Artwork.h"

#include <QImage>
#include <QTest>
#include <cmath>

namespace {

double luminance(const QColor &c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

} // namespace

class TestBackgrounds : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void table_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("picture");
        QTest::addColumn<qint64>("colour"); // -1: white kept
        QTest::addColumn<bool>("frame");
        QTest::newRow("1") << 1 << 1 << qint64(-1) << true;
        QTest::newRow("2 dark blue") << 2 << 2 << qint64(0x800000) << false;
        QTest::newRow("3 black") << 3 << 3 << qint64(0) << false;
        QTest::newRow("4 black") << 4 << 4 << qint64(0) << false;
        QTest::newRow("5 dark grey") << 5 << 5 << qint64(0x404040) << false;
        QTest::newRow("6 white") << 6 << 6 << qint64(0xFFFFFF) << false;
        QTest::newRow("0") << 0 << 0 << qint64(-1) << false;
        QTest::newRow("7") << 7 << 0 << qint64(-1) << false;
    }
    void table()
    {
        QFETCH(int, number);
        QFETCH(int, picture);
        QFETCH(qint64, colour);
        QFETCH(bool, frame);
        const BackgroundLook look = backgroundLook(number);
        QCOMPARE(look.picture, picture);
        QCOMPARE(look.textColor.has_value() ? qint64(*look.textColor) : qint64(-1), colour);
        QCOMPARE(look.frame, frame);
    }

    void pictureSizes()
    {
        QCOMPARE(backgroundPicture(1).size(), QSize(236, 186));
        for (int n = 2; n <= 6; ++n)
            QCOMPARE(backgroundPicture(n).size(), QSize(231, 186));
        QVERIFY(backgroundPicture(0).isNull());
        QVERIFY(backgroundPicture(7).isNull());
    }

    void twiceThePixels_data()
    {
        QTest::addColumn<int>("number");
        for (int n = 1; n <= 7; ++n)
            QTest::addRow("%d", n) << n;
    }
    void twiceThePixels()
    {
        // The pictures for a screen of a higher pixel ratio: the same size on
        // screen, twice the pixels, and the same drawing as the single one
        // (number 7 is the banner).
        QFETCH(int, number);
        const QPixmap single = number == 7 ? bannerPicture() : backgroundPicture(number);
        for (const qreal ratio : {1.5, 2.0}) {
            const QPixmap sharp = number == 7 ? bannerPicture(ratio) : backgroundPicture(number, ratio);
            QCOMPARE(sharp.devicePixelRatio(), 2.0);
            QCOMPARE(sharp.size(), single.size() * 2);
            QCOMPARE(sharp.deviceIndependentSize(), QSizeF(single.size()));
        }
        // Halved, the larger drawing differs from the single one by little
        // more than the smoothing of its lines.
        const QImage halved = (number == 7 ? bannerPicture(2) : backgroundPicture(number, 2))
                                  .toImage()
                                  .scaled(single.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_RGB32);
        const QImage one = single.toImage().convertToFormat(QImage::Format_RGB32);
        qint64 difference = 0;
        for (int y = 0; y < one.height(); ++y) {
            for (int x = 0; x < one.width(); ++x) {
                const QRgb a = one.pixel(x, y);
                const QRgb b = halved.pixel(x, y);
                difference += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            }
        }
        const double mean = double(difference) / (3.0 * one.width() * one.height());
        QVERIFY2(mean < 6, qPrintable(QStringLiteral("mean difference %1").arg(mean)));
    }

    // Every pixel the text can fall on, as the card stretches the picture,
    // keeps its text colour readable (contrast 4.5 : 1 or better).
    void textStaysLegible_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QColor>("text");
        QTest::newRow("1 white") << 1 << QColor(Qt::white);
        QTest::newRow("2 dark blue") << 2 << QColor(0, 0, 128);
        QTest::newRow("3 black") << 3 << QColor(Qt::black);
        QTest::newRow("4 black") << 4 << QColor(Qt::black);
        QTest::newRow("5 dark grey") << 5 << QColor(64, 64, 64);
        QTest::newRow("6 white") << 6 << QColor(Qt::white);
    }
    void textStaysLegible()
    {
        QFETCH(int, number);
        QFETCH(QColor, text);
        const QImage card =
            backgroundPicture(number).toImage().scaled(237, 187, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QRect textArea(16, 16, 201, 145);
        double worst = 100;
        for (int y = textArea.top(); y <= textArea.bottom(); ++y)
            for (int x = textArea.left(); x <= textArea.right(); ++x)
                worst = qMin(worst, contrast(card.pixelColor(x, y), text));
        QVERIFY2(worst >= 4.5, qPrintable(QStringLiteral("worst contrast %1").arg(worst)));
    }
};

QTEST_MAIN(TestBackgrounds)
#include "tst_backgrounds.moc"
