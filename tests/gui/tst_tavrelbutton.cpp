#include "controls/OleColor.h"
#include "controls/TavrelButton.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(ButtonDescription)

namespace {

QColor grey(int v)
{
    return QColor(v, v, v);
}

// Bounding box of the pixels the test's caption colour (pure red) dominates.
QRect redBox(const QImage &img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 90 && c.blue() < 90)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

bool hasPixelNear(const QImage &img, const QColor &want, int tolerance)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (qAbs(c.red() - want.red()) <= tolerance && qAbs(c.green() - want.green()) <= tolerance
                && qAbs(c.blue() - want.blue()) <= tolerance)
                return true;
        }
    return false;
}

} // namespace

class TestTavrelButton : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;
    TavrelButton *m_button = nullptr;
    QWidget *m_other = nullptr;

    QImage shot() { return m_button->grab().toImage(); }

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(200, 100);
        m_button = new TavrelButton(m_window.get());
        m_button->setGeometry(10, 10, 49, 25);
        m_button->setBackColor(0x808080);
        m_button->setForeColor(0x0000FF);
        m_button->setCaption(QString());
        // Takes the first focus, so that focusing the button is a change.
        m_other = new QWidget(m_window.get());
        m_other->setFocusPolicy(Qt::StrongFocus);
        m_other->setGeometry(100, 10, 20, 20);
        m_window->setTabOrder(m_other, m_button);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_other->setFocus();
        // Start every test with the pointer away from the button.
        QTest::mouseMove(m_window.get(), QPoint(150, 80));
    }
    void cleanup() { m_window.reset(); }

    void edgesFollowTheSize()
    {
        QCOMPARE(m_button->rightEdge(), 48);
        QCOMPARE(m_button->bottomEdge(), 24);
        QVERIFY(!m_button->mask().contains(QPoint(0, 0)));
        QVERIFY(!m_button->mask().contains(QPoint(48, 24)));
        QVERIFY(m_button->mask().contains(QPoint(1, 0)));
        QVERIFY(m_button->mask().contains(QPoint(24, 12)));
    }

    // Background 128 grey, 49 x 25 pixels: the rows shade by nearest(y * 50 / 24).
    void looks_data()
    {
        QTest::addColumn<int>("look");
        QTest::addColumn<int>("row5");
        QTest::addColumn<int>("row20");
        QTest::addColumn<int>("outerLight");
        QTest::addColumn<int>("innerLight");
        QTest::addColumn<int>("outerShadow");
        QTest::addColumn<int>("innerShadow");
        QTest::newRow("normal") << int(ButtonLook::Normal) << 138 << 106 << 158 << 153 << 88 << 93;
        QTest::newRow("hot") << int(ButtonLook::Hot) << 148 << 116 << 168 << 163 << 98 << 103;
        QTest::newRow("pressed") << int(ButtonLook::Pressed) << 98 << 130 << 63 << 76 << 98 << 93;
    }
    void looks()
    {
        QFETCH(int, look);
        QFETCH(int, row5);
        QFETCH(int, row20);
        QFETCH(int, outerLight);
        QFETCH(int, innerLight);
        QFETCH(int, outerShadow);
        QFETCH(int, innerShadow);
        if (look == int(ButtonLook::Hot))
            QTest::mouseMove(m_button, QPoint(24, 12));
        else if (look == int(ButtonLook::Pressed))
            QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(24, 12));
        const QImage img = shot();
        QCOMPARE(img.pixelColor(24, 5), grey(row5));
        QCOMPARE(img.pixelColor(24, 20), grey(row20));
        // The eight bevel lines.
        QCOMPARE(img.pixelColor(24, 1), grey(outerLight));
        QCOMPARE(img.pixelColor(24, 2), grey(innerLight));
        QCOMPARE(img.pixelColor(1, 12), grey(outerLight));
        QCOMPARE(img.pixelColor(2, 12), grey(innerLight));
        QCOMPARE(img.pixelColor(24, 22), grey(outerShadow));
        QCOMPARE(img.pixelColor(24, 21), grey(innerShadow));
        QCOMPARE(img.pixelColor(46, 12), grey(outerShadow));
        QCOMPARE(img.pixelColor(45, 12), grey(innerShadow));
        // Black rounded outline on every side of (0, 0)-(48, 24), which
        // leaves out its right column and bottom row, cut at the corners;
        // beyond it, the background.
        for (const QPoint p :
             {QPoint(0, 12), QPoint(47, 12), QPoint(24, 0), QPoint(24, 23), QPoint(1, 1), QPoint(46, 22)})
            QCOMPARE(img.pixelColor(p), QColor(Qt::black));
        QCOMPARE(img.pixelColor(48, 12), grey(128));
        QCOMPARE(img.pixelColor(24, 24), grey(128));
        if (look == int(ButtonLook::Pressed))
            QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(24, 12));
    }

    void twoPixelsHighHasNoRows()
    {
        m_button->resize(49, 2);
        QCOMPARE(m_button->bottomEdge(), 1);
        const QImage img = shot();
        QCOMPARE(img.height(), 2);
        // The outline (0, 0)-(48, 1) is one row, without the last column.
        for (int x = 0; x < 48; ++x)
            QCOMPARE(img.pixelColor(x, 0), QColor(Qt::black));
        QCOMPARE(img.pixelColor(48, 0), grey(128));
        QCOMPARE(img.pixelColor(0, 1), grey(128));
    }

    void systemBackColourIsResolvedFirst()
    {
        QPalette pal = m_button->palette();
        pal.setColor(QPalette::Button, QColor(100, 150, 200));
        m_button->setPalette(pal);
        m_button->setBackColor(OleColors::ButtonFace);
        // Lightened by 20, then darkened by 10 on row 5.
        QCOMPARE(shot().pixelColor(24, 5), QColor(110, 160, 210));
    }

    void lighteningClampsAt255()
    {
        m_button->setBackColor(0xF5FFFF); // blue 245, green 255, red 255
        // Base is white (clamped), row 5 darkens it by 10.
        QCOMPARE(shot().pixelColor(24, 5), QColor(245, 245, 245));
        QCOMPARE(shot().pixelColor(24, 1), QColor(255, 255, 255));
    }

    void captionIsCentredAndShiftsWhenPressed()
    {
        m_button->setCaption(QStringLiteral("H"));
        const QRect normal = redBox(shot());
        QVERIFY(!normal.isEmpty());
        QVERIFY(qAbs(normal.center().x() - 24) <= 2);
        QVERIFY(qAbs(normal.center().y() - 12) <= 2);
        QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(redBox(shot()), normal.translated(1, 1));
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(redBox(shot()), normal);
    }

    void disabledCaptionIsEmbossed()
    {
        QPalette pal = m_button->palette();
        pal.setColor(QPalette::Light, QColor(0, 220, 0));
        pal.setColor(QPalette::Dark, QColor(0, 0, 220));
        m_button->setPalette(pal);
        m_button->setCaption(QStringLiteral("HH"));
        QVERIFY(!redBox(shot()).isEmpty());
        m_button->setEnabled(false);
        const QImage img = shot();
        QVERIFY(redBox(img).isEmpty());
        QVERIFY(hasPixelNear(img, QColor(0, 220, 0), 40));
        QVERIFY(hasPixelNear(img, QColor(0, 0, 220), 40));
    }

    void pressHoldAndRelease()
    {
        QSignalSpy clicks(m_button, &TavrelButton::clicked);
        QSignalSpy downs(m_button, &TavrelButton::mouseDown);
        QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(24, 12));
        QCOMPARE(m_button->drawState(), ButtonLook::Pressed);
        QCOMPARE(downs.count(), 1);
        QCOMPARE(downs.at(0).at(0).toInt(), 1);
        // Moving inside with the button held draws nothing new.
        const QImage pressed = shot();
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 14), m_button->mapToGlobal(QPointF(30, 14)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_button, &move);
        QCOMPARE(shot(), pressed);
        QCOMPARE(clicks.count(), 0);
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(30, 14));
        QCOMPARE(m_button->drawState(), ButtonLook::Hot);
        QCOMPARE(shot().pixelColor(24, 5), grey(148));
        QCOMPARE(clicks.count(), 1);
    }

    void rightButtonDoesNotPressOrClick()
    {
        QSignalSpy clicks(m_button, &TavrelButton::clicked);
        QTest::mouseClick(m_button, Qt::RightButton, {}, QPoint(24, 12));
        QCOMPARE(clicks.count(), 0);
        QVERIFY(m_button->drawState() != ButtonLook::Pressed);
    }

    void draggingOffDrawsNormalAndReleasesCapture()
    {
        QTest::mouseMove(m_button, QPoint(24, 12));
        QVERIFY(m_button->capturesPointer());
        QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(24, 12));
        QMouseEvent move(QEvent::MouseMove, QPointF(80, 12), m_button->mapToGlobal(QPointF(80, 12)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_button, &move);
        QVERIFY(!m_button->capturesPointer());
        QCOMPARE(shot().pixelColor(24, 5), grey(138));
        QSignalSpy clicks(m_button, &TavrelButton::clicked);
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(80, 12));
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(shot().pixelColor(24, 5), grey(138));
    }

    void hoverCapturesAndLeavingRestores()
    {
        QSignalSpy moves(m_button, &TavrelButton::mouseMove);
        QTest::mouseMove(m_button, QPoint(24, 12));
        QVERIFY(m_button->capturesPointer());
        QCOMPARE(shot().pixelColor(24, 5), grey(148));
        QCOMPARE(m_button->drawState(), ButtonLook::Normal);
        QCOMPARE(moves.count(), 1);
        // Column 0 already counts as outside.
        QTest::mouseMove(m_button, QPoint(0, 12));
        QVERIFY(!m_button->capturesPointer());
        QCOMPARE(shot().pixelColor(24, 5), grey(138));
        QCOMPARE(m_button->drawState(), ButtonLook::Hot);
        QCOMPARE(moves.count(), 1);
        // A repaint before the pointer returns draws the stored hot look.
        m_button->setFocus();
        QTRY_VERIFY(m_button->hasFocusFlag());
        QCOMPARE(shot().pixelColor(24, 5), grey(148));
    }

    void keyboardClicks_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicksOnPress");
        QTest::addColumn<int>("clicksOnRelease");
        QTest::newRow("space clicks when let go") << int(Qt::Key_Space) << true << 0 << 1;
        QTest::newRow("enter clicks at once") << int(Qt::Key_Return) << true << 1 << 1;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << true << 1 << 1;
        QTest::newRow("disabled: space") << int(Qt::Key_Space) << false << 0 << 0;
        QTest::newRow("disabled: enter") << int(Qt::Key_Return) << false << 0 << 0;
        QTest::newRow("another key") << int(Qt::Key_A) << true << 0 << 0;
    }

    void keyboardClicks()
    {
        QFETCH(int, key);
        QFETCH(bool, enabled);
        QSignalSpy clicks(m_button, &TavrelButton::clicked);
        QSignalSpy ups(m_button, &TavrelButton::keyUp);
        m_button->setFocus();
        m_button->setEnabled(enabled);
        QTest::keyPress(m_button, Qt::Key(key));
        QTEST(int(clicks.count()), "clicksOnPress");
        if (key == Qt::Key_Space && enabled)
            QCOMPARE(shot().pixelColor(24, 5), grey(98));
        QTest::keyRelease(m_button, Qt::Key(key));
        QTEST(int(clicks.count()), "clicksOnRelease");
        QVERIFY(!m_button->spaceDown());
        if (enabled)
            QCOMPARE(shot().pixelColor(24, 5), grey(138));
    }

    void focusMarkShowsForTheKeyboardOnly()
    {
        // The dotted mark's first dot, in the caption colour, at 5, 5.
        const QColor dot = toQColor(resolveColor(m_button->foreColor(), m_button->palette()));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(24, 12));
        QTRY_VERIFY(m_button->hasFocusFlag());
        QVERIFY(shot().pixelColor(5, 5) != dot);
        m_other->setFocus();
        QTRY_VERIFY(!m_button->hasFocusFlag());
        QTest::keyClick(m_other, Qt::Key_Tab);
        QTRY_VERIFY(m_button->hasFocusFlag());
        QCOMPARE(shot().pixelColor(5, 5), dot);
    }

    void losingFocusWithSpaceHeldRestoresNormal()
    {
        QWidget *other = m_other;
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_button->setFocus();
        QTest::keyPress(m_button, Qt::Key_Space);
        QCOMPARE(m_button->drawState(), ButtonLook::Pressed);
        other->setFocus();
        QTRY_VERIFY(!m_button->hasFocusFlag());
        QVERIFY(!m_button->spaceDown());
        QCOMPARE(shot().pixelColor(24, 5), grey(138));
    }

    void disabledIgnoresSpace()
    {
        m_button->setEnabled(false);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(m_button, &press);
        QVERIFY(!m_button->spaceDown());
        QCOMPARE(m_button->drawState(), ButtonLook::Normal);
    }

    void doubleClickPressesAgainWithoutSecondClick()
    {
        QSignalSpy clicks(m_button, &TavrelButton::clicked);
        QSignalSpy downs(m_button, &TavrelButton::mouseDown);
        QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(20, 10));
        QTest::mouseDClick(m_button, Qt::LeftButton, {}, QPoint(22, 11));
        QCOMPARE(clicks.count(), 1);
        QVERIFY(downs.count() >= 2);
        // The repeated press reports the first press's place.
        QCOMPARE(downs.last().at(2).toFloat(), 20.0f);
        QCOMPARE(downs.last().at(3).toFloat(), 10.0f);
    }

    void accessKeys_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        QTest::newRow("ampersand") << "&Go"
                                   << "G";
        QTest::newRow("inner ampersand") << "St&op"
                                         << "o";
        QTest::newRow("no ampersand takes the first") << "Run"
                                                      << "R";
        QTest::newRow("arabic") << "قــف"
                                << "ق";
        QTest::newRow("empty") << ""
                               << "";
    }
    void accessKeys()
    {
        QFETCH(QString, caption);
        QFETCH(QString, key);
        m_button->setCaption(caption);
        QCOMPARE(m_button->accessKey().isNull() ? QString() : QString(m_button->accessKey()), key);
    }

    void accessKeyClicks()
    {
        m_button->setCaption(QStringLiteral("&Go"));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QSignalSpy clicks(m_button, &TavrelButton::clicked);
        QTest::keyClick(m_window.get(), Qt::Key_G, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
        // A second button with the same key: the key moves the focus, Enter clicks.
        auto *twin = new TavrelButton(m_window.get());
        twin->setGeometry(0, 50, 49, 25);
        twin->setCaption(QStringLiteral("&Gone"));
        twin->show();
        QSignalSpy twinClicks(twin, &TavrelButton::clicked);
        QTest::keyClick(m_window.get(), Qt::Key_G, Qt::AltModifier);
        QCOMPARE(clicks.count() + twinClicks.count(), 1);
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused == m_button || focused == twin);
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(clicks.count() + twinClicks.count(), 2);
    }

    void focusMarks_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("none") << 0 << QPoint(24, 3) << grey(142);
        QTest::newRow("ring in focus colour") << 2 << QPoint(24, 3) << QColor(0, 0, 255);
        // (3, 3)-(45, 21) without its right column: the inner shadow stays.
        QTest::newRow("ring's right side") << 2 << QPoint(44, 12) << QColor(0, 0, 255);
        QTest::newRow("inner shadow beside the ring") << 2 << QPoint(45, 12) << grey(93);
        QTest::newRow("dotted rectangle") << 1 << QPoint(7, 5) << QColor(255, 0, 0);
    }
    void focusMarks()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        m_button->setShowFocus(mode);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_button->setFocus();
        QTRY_VERIFY(m_button->hasFocusFlag());
        QCOMPARE(shot().pixelColor(at), colour);
    }

    void notifications()
    {
        QSignalSpy changed(m_button, &TavrelButton::propertyChanged);
        m_button->setBackColor(0x404040);
        QStringList names;
        for (const auto &args : changed)
            names << args.at(0).toString();
        // The new background is reported first and once; the repaint it
        // brings may pass the outline through ForeColor, which has to leave
        // the caption colour as it was.
        QCOMPARE(names.value(0), QStringLiteral("BackColor"));
        QCOMPARE(names.count(QStringLiteral("BackColor")), 1);
        names.removeAll(QStringLiteral("BackColor"));
        names.removeAll(QStringLiteral("ForeColor"));
        QCOMPARE(names, QStringList());
        QCOMPARE(m_button->foreColor(), 0x0000FFu);
        changed.clear();

        const QImage before = shot();
        m_button->setFocusColor(0x00FF00);
        m_button->setShowFocus(2);
        m_button->setRightToleft(true);
        QCOMPARE(shot(), before);
        names.clear();
        for (const auto &args : changed)
            names << args.at(0).toString();
        QCOMPARE(names, (QStringList{"FocusColor", "ShowFocus", "RightToleft"}));
    }

    void settingForeColourRepaintsOnce()
    {
        QSignalSpy changed(m_button, &TavrelButton::propertyChanged);
        m_button->setForeColor(0x00FF00);
        // One for the assignment, two for the single repaint's outline.
        QCOMPARE(changed.count(), 3);
        QCOMPARE(m_button->foreColor(), 0x00FF00u);
    }

    void persistence()
    {
        TavrelButton fresh(m_window.get());
        QCOMPARE(fresh.caption(), QStringLiteral("Tavrel Quiss"));
        QCOMPARE(fresh.captionOffsetX(), 1);
        PropertyStore empty;
        fresh.writeProperties(empty);
        QVERIFY(empty.isEmpty());

        fresh.setCaption(QStringLiteral("OK"));
        fresh.setCaptionOffsetX(0);
        fresh.setRightToleft(true);
        fresh.setBackColor(0x123456);
        PropertyStore store;
        fresh.writeProperties(store);
        QCOMPARE(store.keys(), (QStringList{"BackColor", "Caption", "CaptionOffsetX", "RightToLeft"}));

        TavrelButton loaded(m_window.get());
        QSignalSpy changed(&loaded, &TavrelButton::propertyChanged);
        loaded.readProperties(store);
        QCOMPARE(loaded.caption(), QStringLiteral("OK"));
        QCOMPARE(loaded.captionOffsetX(), 0);
        QCOMPARE(loaded.backColor(), 0x123456u);
        QVERIFY(loaded.rightToleft());
        QStringList names;
        for (const auto &args : changed)
            names << args.at(0).toString();
        QCOMPARE(names, (QStringList{"ShowFocus", "MouseIcon"}));
    }

    void savesItsOwnEnabledNotItsHolders()
    {
        QWidget frame(m_window.get());
        TavrelButton inside(&frame);
        frame.setEnabled(false);
        PropertyStore store;
        inside.writeProperties(store);
        QVERIFY(!store.contains(QStringLiteral("Enabled")));
        inside.setEnabled(false);
        frame.setEnabled(true);
        inside.writeProperties(store);
        QCOMPARE(store.read(QStringLiteral("Enabled"), true).toBool(), false);
    }

    void readsKeysWhateverTheirCase()
    {
        PropertyStore store;
        store.write(QStringLiteral("righttoleft"), true, false);
        store.write(QStringLiteral("CAPTION"), QStringLiteral("x"), QString());
        TavrelButton loaded(m_window.get());
        loaded.readProperties(store);
        QVERIFY(loaded.rightToleft());
        QCOMPARE(loaded.caption(), QStringLiteral("x"));
    }

    void describedButton_data()
    {
        QTest::addColumn<ButtonDescription>("description");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<uint>("back");
        QTest::addColumn<uint>("fore");
        QTest::addColumn<uint>("focus");
        QTest::addColumn<int>("offsetX");
        // The windows' buttons name their caption alone: the button's earlier
        // colours and caption (set in init) all go back to the defaults.
        QTest::newRow("caption only") << ButtonDescription{.caption = QStringLiteral("ابــدأ")}
                                      << QStringLiteral("ابــدأ") << uint(OleColors::ButtonFace)
                                      << uint(OleColors::ButtonText) << uint(OleColors::Blue) << 0;
        QTest::newRow("every field it has") << ButtonDescription{.caption = QStringLiteral("OK"),
                                                                 .backColor = 0x123456,
                                                                 .foreColor = 0x00FF00,
                                                                 .focusColor = 0x0000FF,
                                                                 .captionOffsetX = 3}
                                            << QStringLiteral("OK") << 0x123456u << 0x00FF00u << 0x0000FFu << 3;
    }
    void describedButton()
    {
        QFETCH(ButtonDescription, description);
        QFETCH(QString, caption);
        QFETCH(uint, back);
        QFETCH(uint, fore);
        QFETCH(uint, focus);
        QFETCH(int, offsetX);
        m_button->setFocusColor(0x00FF00);
        m_button->setCaptionOffsetX(5);
        // The shared font, not the one of the window holding the button.
        QFont large(QStringLiteral("Serif"));
        large.setPointSize(20);
        m_window->setFont(large);
        m_button->setDescription(description);
        QCOMPARE(m_button->caption(), caption);
        QCOMPARE(m_button->backColor(), back);
        QCOMPARE(m_button->foreColor(), fore);
        QCOMPARE(m_button->focusColor(), focus);
        QCOMPARE(m_button->captionOffsetX(), offsetX);
        QCOMPARE(m_button->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(m_button->font().pointSizeF(), 8.25);
    }
};

QTEST_MAIN(TestTavrelButton)
#include "tst_tavrelbutton.moc"
