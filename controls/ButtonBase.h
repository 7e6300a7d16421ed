#pragma once

#include "controls/ButtonFace.h"
#include "controls/OleColor.h"

#include <QImage>
#include <QPixmap>
#include <QVariant>
#include <QWidget>

// What the two painted buttons share: the colour, caption and pointer
// properties with their change notifications, the drawing kept in an image
// that is redrawn when the state changes and shown on expose, the rounded
// window shape, and the outline passed through the ForeColor property.
class ButtonBase : public QWidget
{
    Q_OBJECT
public:
    static inline const QString DefaultCaption = QStringLiteral("Tavrel Quiss");

    OleColor backColor() const { return m_backColor; }
    virtual void setBackColor(OleColor color);
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
    WId hwnd() { return winId(); }
    // The control's own Enabled, whatever the window or frame holding it
    // says: what is saved with it.
    bool ownEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

    // Raises Click when enabled: Enter, or Space let go, on the focused
    // button, and a screen reader's press.
    void click();
    // Whether the keyboard (Enter, Space, the access key) and a screen
    // reader's press click the button. Off, the button still looks and
    // answers to the mouse as before: a window turns it off while the
    // button's action is not to be repeated from a focus it merely kept.
    bool keyboardClicks() const { return m_keyboardClicks; }
    void setKeyboardClicks(bool on) { m_keyboardClicks = on; }

    // The look the next repaint draws, and the state behind it.
    ButtonLook drawState() const { return m_drawState; }
    bool hasFocusFlag() const { return m_hasFocus; }
    int rightEdge() const { return m_rightEdge; }
    int bottomEdge() const { return m_bottomEdge; }

Q_SIGNALS:
    void propertyChanged(const QString &name);
    void clicked();
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);

protected:
    ButtonBase(OleColor focusColor, QWidget *parent);

    // Draws the whole control for the current state onto p.
    virtual void paintContent(QPainter &p) = 0;

    void notify(const QString &name);
    // A picture as it is saved: none is an empty value, the default.
    static QVariant pictureValue(const QPixmap &picture);
    void redraw();
    void render();
    void updateEdges();
    void applyCursor();
    // The black (or other) outline, set through ForeColor and back again.
    void paintOutline(QPainter &p, OleColor outline);
    // Placing saved values: no notification, no repaint.
    void beginLoading() { m_loading = true; }
    void endLoading() { m_loading = false; }

    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

    OleColor m_backColor = OleColors::ButtonFace;
    OleColor m_foreColor = OleColors::ButtonText;
    QString m_caption;
    QPixmap m_mouseIcon;
    qint16 m_mousePointer = 0;
    OleColor m_focusColor;

    int m_rightEdge = 0;
    int m_bottomEdge = 0;
    ButtonLook m_drawState = ButtonLook::Normal;
    bool m_hasFocus = false;
    // The focus came from the keyboard (Tab, an access key): its mark shows.
    bool m_keyboardFocus = false;
    bool m_userMode = true;
    bool m_swallowRelease = false;
    int m_lastButton = 0;
    int m_lastShift = 0;
    float m_lastX = 0;
    float m_lastY = 0;

private:
    QImage m_surface;
    bool m_redrawEnabled = true;
    bool m_loading = false;
    bool m_keyboardClicks = true;
};
