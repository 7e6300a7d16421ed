#pragma once

#include "controls/ButtonFace.h"
#include "controls/OleColor.h"
#include "controls/PropertyStore.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

// The program's own push button: a shaded face with a bevel, a black rounded
// outline and a centred caption, painted completely by the control. Looks:
// normal, hot (pointer over it) and pressed.
class TavrelButton : public QWidget
{
    Q_OBJECT
public:
    static inline const QString DefaultCaption = QStringLiteral("Tavrel Quiss");

    explicit TavrelButton(QWidget *parent = nullptr);
    ~TavrelButton() override;

    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    OleColor foreColor() const { return m_foreColor; }
    void setForeColor(OleColor color);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QPixmap mouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap &icon);
    qint16 mousePointer() const { return m_mousePointer; }
    void setMousePointer(qint16 pointer);
    OleColor focusColor() const { return m_focusColor; }
    void setFocusColor(OleColor color);
    int showFocus() const { return m_showFocus; }
    void setShowFocus(int mode);
    int captionOffsetX() const { return m_captionOffsetX; }
    void setCaptionOffsetX(int offset);
    int captionOffsetY() const { return m_captionOffsetY; }
    void setCaptionOffsetY(int offset);
    bool rightToleft() const { return m_rightToleft; }
    void setRightToleft(bool value);
    WId hwnd() { return winId(); }

    // False while a designer hosts the control: then it shows no press.
    void setUserMode(bool userMode) { m_userMode = userMode; }

    void refresh();
    void writeProperties(PropertyStore &store) const;
    void readProperties(const PropertyStore &store);

    // The look the next repaint draws, and the state behind it.
    ButtonLook drawState() const { return m_drawState; }
    bool hasFocusFlag() const { return m_hasFocus; }
    bool spaceDown() const { return m_spaceDown; }
    int rightEdge() const { return m_rightEdge; }
    int bottomEdge() const { return m_bottomEdge; }
    QChar accessKey() const { return m_accessKey; }
    bool capturesPointer() const { return m_grabbing; }

Q_SIGNALS:
    void propertyChanged(const QString &name);
    void clicked();
    void keyDown(int keyCode, int shift);
    void keyUp(int keyCode, int shift);
    void keyPress(int keyAscii);
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void redraw();
    void render();
    void drawCaption(QPainter &p, ButtonLook state);
    void drawFocusMark(QPainter &p);
    void updateEdges();
    void updateAccessKey();
    void applyCursor();
    void notify(const QString &name);
    void pressLook(int button, int shift, float x, float y);
    void takePointer();
    void releasePointer();

    QImage m_surface;
    OleColor m_backColor = OleColors::ButtonFace;
    OleColor m_foreColor = OleColors::ButtonText;
    QString m_caption;
    QPixmap m_mouseIcon;
    qint16 m_mousePointer = 0;
    OleColor m_focusColor = OleColors::Blue;
    int m_showFocus = 0;
    int m_captionOffsetX = 1;
    int m_captionOffsetY = 0;
    bool m_rightToleft = false;

    int m_rightEdge = 0;
    int m_bottomEdge = 0;
    ButtonLook m_drawState = ButtonLook::Normal;
    bool m_hasFocus = false;
    bool m_spaceDown = false;
    bool m_redrawEnabled = true;
    bool m_userMode = true;
    bool m_loading = false;
    bool m_grabbing = false;
    bool m_swallowRelease = false;
    int m_lastButton = 0;
    int m_lastShift = 0;
    float m_lastX = 0;
    float m_lastY = 0;
    QChar m_accessKey;
    int m_shortcutId = 0;
};

// Saved properties of the buttons the windows carry: their caption, the
// windows' shared 8.25 pt font and the caption flush with the left edge.
PropertyStore standardButtonProperties(const QString &caption);
