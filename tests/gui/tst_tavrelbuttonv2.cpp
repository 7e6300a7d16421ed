#include "controls/TavrelButtonV2.h"

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(ButtonDescription)

namespace {

QColor grey(int v)
{
    return QColor(v, v, v);
}

int countNear(const QImage &img, const QColor &want, int tolerance = 40)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (qAbs(c.red() - want.red()) <= tolerance && qAbs(c.green() - want.green()) <= tolerance
                && qAbs(c.blue() - want.blue()) <= tolerance)
                ++n;
        }
    return n;
}

QRect boxNear(const QImage &img, const QColor &want, int tolerance = 40)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (qAbs(c.red() - want.red()) <= tolerance && qAbs(c.green() - want.green()) <= tolerance
                && qAbs(c.blue() - want.blue()) <= tolerance)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

QPixmap square16()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::magenta);
    return pm;
}

const QColor kYellow(255, 255, 192);
const QColor kRed(255, 0, 0);

} // namespace

class TestTavrelButtonV2 : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;
    TavrelButtonV2 *m_button = nullptr;

    QImage shot() { return m_button->grab().toImage(); }

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(240, 120);
        m_button = new TavrelButtonV2(m_window.get());
        m_button->setGeometry(10, 10, 100, 30);
        m_button->setBackColor(0x808080);
        m_button->setCaption(QString());
        auto *other = new QWidget(m_window.get()); // takes the first focus
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(150, 10, 20, 20);
        m_window->setTabOrder(other, m_button);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        other->setFocus();
        QTest::mouseMove(m_window.get(), QPoint(200, 100));
    }
    void cleanup() { m_window.reset(); }

    // 100 x 30: rows shade by nearest(y * 50 / 29); row 5 by 9.
    void gradientFace_data()
    {
        QTest::addColumn<int>("look");
        QTest::addColumn<int>("row5");
        QTest::addColumn<int>("outerLight");
        QTest::newRow("normal") << int(ButtonLook::Normal) << 139 << 158;
        QTest::newRow("hot is 35 lighter") << int(ButtonLook::Hot) << 154 << 173;
        QTest::newRow("pressed") << int(ButtonLook::Pressed) << 97 << 63;
    }
    void gradientFace()
    {
        QFETCH(int, look);
        QFETCH(int, row5);
        QFETCH(int, outerLight);
        if (look == int(ButtonLook::Pressed))
            QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        else if (look == int(ButtonLook::Hot)) {
            QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(50, 15));
            QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        }
        const QImage img = shot();
        QCOMPARE(img.pixelColor(50, 5), grey(row5));
        QCOMPARE(img.pixelColor(50, 1), grey(outerLight));
        if (look == int(ButtonLook::Pressed))
            QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(50, 15));
    }

    void flatFaceKeepsTheBevel()
    {
        m_button->setBackColor(0xFF0000); // blue
        m_button->setBackStyle(1);
        const QImage img = shot();
        QCOMPARE(img.pixelColor(50, 5), QColor(0, 0, 255));
        QCOMPARE(img.pixelColor(50, 20), QColor(0, 0, 255));
        QCOMPARE(img.pixelColor(50, 1), QColor(30, 30, 255)); // normal outer light
    }

    void outlineGreyUnlessDefault()
    {
        // (0, 0)-(99, 29) leaves out its right column and bottom row.
        const QImage img = shot();
        QCOMPARE(img.pixelColor(0, 15), grey(120));
        QCOMPARE(img.pixelColor(98, 15), grey(120));
        QCOMPARE(img.pixelColor(50, 28), grey(120));
        QCOMPARE(img.pixelColor(99, 15), grey(128));
        QCOMPARE(img.pixelColor(50, 29), grey(128));
        m_button->setDisplayAsDefault(true);
        QVERIFY(m_button->isDefault());
        QCOMPARE(shot().pixelColor(0, 15), QColor(Qt::black));
        m_button->setDisplayAsDefault(false);
        QCOMPARE(shot().pixelColor(0, 15), grey(120));
    }

    void haloSwapsWithTheLook()
    {
        m_button->setBackColor(0xFF0000);
        m_button->setBackStyle(1);
        m_button->setForeColor(0xC0FFFF);
        m_button->setLightColor(0x0000FF);
        QFont f = m_button->font();
        f.setPixelSize(20);
        f.setBold(true);
        m_button->setFont(f);
        m_button->setCaption(QStringLiteral("X"));
        const QImage normal = shot();
        // Normal: light-yellow letter inside a red halo one pixel wider.
        const QRect letter = boxNear(normal, kYellow);
        QVERIFY(!letter.isEmpty());
        QCOMPARE(boxNear(normal, kRed), letter.adjusted(-1, -1, 1, 1));

        QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        const QImage pressed = shot();
        // Pressed: the colours swap and everything moves one pixel.
        QCOMPARE(boxNear(pressed, kRed), letter.translated(1, 1));
        QCOMPARE(boxNear(pressed, kYellow), letter.adjusted(-1, -1, 1, 1).translated(1, 1));

        QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(m_button->drawState(), ButtonLook::Hot);
        const QImage hot = shot();
        QCOMPARE(boxNear(hot, kRed), letter);
        QCOMPARE(boxNear(hot, kYellow), letter.adjusted(-1, -1, 1, 1));
    }

    void plainCaptionWithoutHalo()
    {
        m_button->setUseLightColor(false);
        m_button->setForeColor(0x0000FF);
        m_button->setLightColor(0x00FF00);
        m_button->setCaption(QStringLiteral("OK"));
        const QImage img = shot();
        QVERIFY(countNear(img, kRed) > 0);
        QCOMPARE(countNear(img, QColor(0, 255, 0)), 0);
    }

    void disabledCaptionIsWhiteUnderGrey()
    {
        m_button->setBackColor(0x000080); // dark red face, far from both colours
        m_button->setBackStyle(1);
        m_button->setCaption(QStringLiteral("OK"));
        QFont f = m_button->font();
        f.setStyleStrategy(QFont::NoAntialias);
        m_button->setFont(f);
        m_button->setEnabled(false);
        const QImage img = shot();
        const QRect white = boxNear(img, QColor(Qt::white), 4);
        const QRect grey130 = boxNear(img, grey(130), 4);
        QVERIFY(!white.isEmpty() && !grey130.isEmpty());
        QCOMPARE(white.bottom(), grey130.bottom() + 1);
        QCOMPARE(white.right(), grey130.right() + 1);
    }

    void pictureLayout_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QPoint>("picture");
        QTest::addColumn<QRect>("text");
        QTest::newRow("left") << 0 << QPoint(10, 6) << QRect(QPoint(28, 2), QPoint(97, 27));
        QTest::newRow("right") << 1 << QPoint(73, 6) << QRect(QPoint(2, 2), QPoint(71, 27));
        QTest::newRow("top") << 2 << QPoint(41, 10) << QRect(QPoint(2, 28), QPoint(97, 27));
    }
    void pictureLayout()
    {
        QFETCH(int, alignment);
        QFETCH(QPoint, picture);
        QFETCH(QRect, text);
        m_button->setPictureAlignment(alignment);
        m_button->setPicture(square16());
        QCOMPARE(m_button->picturePosition(), picture);
        QCOMPARE(m_button->textArea(), text);
        QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(m_button->picturePosition(), picture + QPoint(1, 1));
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    }

    void noPictureTextAreaAndOddAlignment()
    {
        QCOMPARE(m_button->textArea(), QRect(QPoint(2, 2), QPoint(97, 27)));
        m_button->setPicture(square16());
        m_button->setPictureAlignment(1);
        const QRect before = m_button->textArea();
        m_button->setPictureAlignment(3);
        QCOMPARE(m_button->picturePosition(), QPoint(0, 0));
        QCOMPARE(m_button->textArea(), before);
    }

    void backColourSetsTheFocusColour()
    {
        QSignalSpy changed(m_button, &TavrelButtonV2::propertyChanged);
        m_button->setBackColor(0xFF0000);
        QCOMPARE(m_button->focusColor(), 0xE10000u);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("FocusColor"));
        QCOMPARE(changed.at(1).at(0).toString(), QStringLiteral("BackColor"));

        QPalette pal = m_button->palette();
        pal.setColor(QPalette::Button, QColor(200, 100, 50));
        m_button->setPalette(pal);
        m_button->setBackColor(OleColors::ButtonFace);
        QCOMPARE(m_button->focusColor(), fromQColor(QColor(170, 70, 20)));
    }

    void focusRingInFocusColour()
    {
        m_button->setFocusColor(0x00FF00);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_button->setFocus();
        QTRY_VERIFY(m_button->hasFocusFlag());
        const QImage img = shot();
        QCOMPARE(img.pixelColor(50, 3), QColor(0, 255, 0));
        // (3, 3)-(96, 26) without its right column and bottom row: inside
        // the inner shadow.
        QCOMPARE(img.pixelColor(95, 15), QColor(0, 255, 0));
        QCOMPARE(img.pixelColor(50, 25), QColor(0, 255, 0));
        QCOMPARE(img.pixelColor(96, 15), grey(93));
    }

    void enterClicksUnlessTheHandlerClearsTheKey()
    {
        QSignalSpy clicks(m_button, &TavrelButtonV2::clicked);
        QTest::keyClick(m_button, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        // Space clicks when it is let go.
        QTest::keyPress(m_button, Qt::Key_Space);
        QCOMPARE(clicks.count(), 1);
        QTest::keyRelease(m_button, Qt::Key_Space);
        QCOMPARE(clicks.count(), 2);
        connect(m_button, &TavrelButtonV2::keyDown, this, [](int &keyCode, int &) { keyCode = 0; });
        QTest::keyClick(m_button, Qt::Key_Enter);
        QCOMPARE(clicks.count(), 2);
    }

    void onlyTheLeftButtonClicks()
    {
        QSignalSpy clicks(m_button, &TavrelButtonV2::clicked);
        QTest::mouseClick(m_button, Qt::RightButton, {}, QPoint(50, 15));
        QCOMPARE(clicks.count(), 0);
        QVERIFY(m_button->drawState() != ButtonLook::Pressed);
        QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(clicks.count(), 1);
        QTest::mouseDClick(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(clicks.count(), 1);
        // The picture, (10, 6) to (25, 21), clicks with any button.
        m_button->setPicture(square16());
        QTest::mouseClick(m_button, Qt::RightButton, {}, QPoint(50, 15));
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(m_button, Qt::RightButton, {}, QPoint(15, 12));
        QCOMPARE(clicks.count(), 2);
    }

    void designerShowsNoPressOrHover()
    {
        m_button->setUserMode(false);
        QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(m_button->drawState(), ButtonLook::Normal);
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(m_button->drawState(), ButtonLook::Normal);
        QVERIFY(!m_button->isPolling());
    }

    void hoverIsPolled()
    {
        QCursor::setPos(m_window->mapToGlobal(QPoint(200, 100)));
        QVERIFY(m_button->isPolling());
        // Away from the button the poll rests until the pointer comes back.
        QTRY_VERIFY(!m_button->isPolling());
        const QPoint inside = m_button->mapToGlobal(QPoint(50, 15));
        QCursor::setPos(inside);
        QEnterEvent enter(QPointF(50, 15), m_button->mapTo(m_window.get(), QPointF(50, 15)), inside);
        QApplication::sendEvent(m_button, &enter);
        QCOMPARE(m_button->drawState(), ButtonLook::Hot);
        QVERIFY(m_button->isPolling());
        QCursor::setPos(m_window->mapToGlobal(QPoint(200, 100)));
        QTRY_COMPARE(m_button->drawState(), ButtonLook::Normal);
        QTRY_VERIFY(!m_button->isPolling());
        // A release restarts it, whatever happened while the button was held.
        QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        QVERIFY(!m_button->isPolling());
        QApplication::sendEvent(m_button, &enter);
        QVERIFY(!m_button->isPolling());
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(50, 15));
        QVERIFY(m_button->isPolling());
        m_window->hide();
        QVERIFY(!m_button->isPolling());
    }

    void mouseEventsInTheHoldersUnits()
    {
        m_window->setProperty("ScaleUnits", QStringLiteral("Twip"));
        m_button->ambientChanged(QStringLiteral("ScaleUnits"));
        QCOMPARE(m_button->containerScaleMode(), 1);
        QSignalSpy downs(m_button, &TavrelButtonV2::mouseDown);
        QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(2, 3));
        QCOMPARE(downs.at(0).at(2).toFloat(), 30.0f);
        QCOMPARE(downs.at(0).at(3).toFloat(), 45.0f);
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(2, 3));
    }

    void scaleUnitNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("mode");
        QTest::newRow("User") << "User" << 0;
        QTest::newRow("Twip") << "Twip" << 1;
        QTest::newRow("Pixel") << "Pixel" << 3;
        QTest::newRow("Centimeter") << "Centimeter" << 7;
        QTest::newRow("case matters") << "twip" << 0;
        QTest::newRow("unknown") << "Furlong" << 0;
    }
    void scaleUnitNames()
    {
        QFETCH(QString, name);
        QFETCH(int, mode);
        QCOMPARE(TavrelButtonV2::scaleModeFromUnits(name), mode);
    }

    void persistence()
    {
        TavrelButtonV2 fresh(m_window.get());
        PropertyStore empty;
        fresh.writeProperties(empty);
        QVERIFY(empty.isEmpty());

        fresh.setBackColor(0xFF0000);
        fresh.setFocusColor(0x123456);
        fresh.setLeftMargin(10);
        fresh.setBackStyle(1);
        QPixmap picture(4, 4);
        picture.fill(Qt::red);
        fresh.setPicture(picture);
        PropertyStore store;
        fresh.writeProperties(store);
        QCOMPARE(store.keys(), (QStringList{"BackColor", "FocusColor", "Picture", "BackStyle"}));

        TavrelButtonV2 loaded(m_window.get());
        QSignalSpy changed(&loaded, &TavrelButtonV2::propertyChanged);
        loaded.readProperties(store);
        QCOMPARE(loaded.focusColor(), 0x123456u); // not worked out from the background
        QCOMPARE(loaded.backColor(), 0xFF0000u);
        QCOMPARE(loaded.leftMargin(), qint16(10));
        QCOMPARE(loaded.picture().toImage(), picture.toImage());
        QCOMPARE(loaded.caption(), QStringLiteral("Tavrel Quiss"));
        QVERIFY(loaded.useLightColor());
        QStringList names;
        for (const auto &args : changed)
            names << args.at(0).toString();
        // The picture goes through its property, and that repaint passes the
        // outline colour through ForeColor twice.
        QCOMPARE(names, (QStringList{"MouseIcon", "Picture", "ForeColor", "ForeColor"}));
    }
    void describedButton_data()
    {
        QTest::addColumn<ButtonDescription>("description");
        QTest::addColumn<uint>("back");
        QTest::addColumn<uint>("fore");
        QTest::addColumn<uint>("focus");
        QTest::addColumn<uint>("light");
        QTest::addColumn<int>("backStyle");
        // Whatever the button held before (set in the test) that the
        // description leaves out goes back to the default; the focus colour
        // too, not the one worked out from the earlier background.
        QTest::newRow("caption and text colour")
            << ButtonDescription{.caption = QStringLiteral("OK"), .foreColor = 0} << uint(OleColors::ButtonFace) << 0u
            << uint(OleColors::ButtonFace) << 0xFFFFFFu << 0;
        QTest::newRow("the card's close button") << ButtonDescription{.caption = QStringLiteral("OK"),
                                                                      .backColor = 0xFF0000,
                                                                      .foreColor = 0xC0FFFF,
                                                                      .focusColor = 0xE10000,
                                                                      .lightColor = 0x0000FF,
                                                                      .backStyle = ButtonDescription::BackStyle::Flat}
                                                 << 0xFF0000u << 0xC0FFFFu << 0xE10000u << 0x0000FFu << 1;
    }
    void describedButton()
    {
        QFETCH(ButtonDescription, description);
        QFETCH(uint, back);
        QFETCH(uint, fore);
        QFETCH(uint, focus);
        QFETCH(uint, light);
        QFETCH(int, backStyle);
        m_button->setForeColor(0x00FF00);
        m_button->setLightColor(0x123456);
        m_button->setBackStyle(1);
        QFont large(QStringLiteral("Serif"));
        large.setPointSize(20);
        m_window->setFont(large);
        m_button->setDescription(description);
        QCOMPARE(m_button->caption(), QStringLiteral("OK"));
        QCOMPARE(m_button->backColor(), back);
        QCOMPARE(m_button->foreColor(), fore);
        QCOMPARE(m_button->focusColor(), focus);
        QCOMPARE(m_button->lightColor(), light);
        QCOMPARE(m_button->backStyle(), backStyle);
        QCOMPARE(m_button->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(m_button->font().pointSizeF(), 8.25);
    }
};

QTEST_MAIN(TestTavrelButtonV2)
#include "tst_tavrelbuttonv2.moc"
