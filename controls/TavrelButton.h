#pragma once

#include "controls/ButtonBase.h"
#include "controls/ButtonDescription.h"
#include "controls/PropertyStore.h"

// The program's own push button: a shaded face with a bevel, a black rounded
// outline and a centred caption, painted completely by the control. Looks:
// normal, hot (pointer over it) and pressed.
class TavrelButton : public ButtonBase
{
    Q_OBJECT
public:
    explicit TavrelButton(QWidget *parent = nullptr);
    ~TavrelButton() override;

    int showFocus() const { return m_showFocus; }
    void setShowFocus(int mode);
    int captionOffsetX() const { return m_captionOffsetX; }
    void setCaptionOffsetX(int offset);
    int captionOffsetY() const { return m_captionOffsetY; }
    void setCaptionOffsetY(int offset);
    bool rightToleft() const { return m_rightToleft; }
    void setRightToleft(bool value);

    // False while a designer hosts the control: then it shows no press.
    void setUserMode(bool userMode) { m_userMode = userMode; }

    void refresh();
    void writeProperties(PropertyStore &store) const;
    void readProperties(const PropertyStore &store);
    // Sets every saved property from a window's description of the button:
    // what the description does not hold goes back to its default.
    void setDescription(const ButtonDescription &description) { readProperties(description.properties()); }

    bool spaceDown() const { return m_spaceDown; }
    QChar accessKey() const { return m_accessKey; }
    // Whether the pointer is being followed as over the button.
    bool capturesPointer() const { return m_grabbing; }

Q_SIGNALS:
    void keyDown(int keyCode, int shift);
    void keyUp(int keyCode, int shift);
    void keyPress(int keyAscii);

protected:
    void paintContent(QPainter &p) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void drawCaption(QPainter &p, ButtonLook state);
    void drawFocusMark(QPainter &p);
    void updateAccessKey();
    void pressLook(int button, int shift, float x, float y);
    void takePointer();
    void releasePointer();

    int m_showFocus = 0;
    int m_captionOffsetX = 1;
    int m_captionOffsetY = 0;
    bool m_rightToleft = false;
    bool m_spaceDown = false;
    bool m_grabbing = false;
    QChar m_accessKey;
    int m_shortcutId = 0;
};
