#pragma once

#include "controls/ButtonBase.h"
#include "controls/ButtonDescription.h"
#include "controls/PropertyStore.h"

#include <QTimer>

class QLabel;

// The picture push button: the same face as TavrelButton, with an optional
// picture beside or above the caption, a flat face as an alternative to the
// gradient, a caption with a one-pixel halo, and hover found by polling.
class TavrelButtonV2 : public ButtonBase
{
    Q_OBJECT
public:
    static constexpr quint32 OutlineGrey = 0x787878;
    static constexpr int HoverPollMs = 20;

    enum Alignment {
        PictureLeft = 0,
        PictureRight = 1,
        PictureTop = 2
    };

    explicit TavrelButtonV2(QWidget *parent = nullptr);
    ~TavrelButtonV2() override;

    // A new background brings a focus ring colour 30 units darker.
    void setBackColor(OleColor color) override;
    int pictureAlignment() const { return m_pictureAlignment; }
    void setPictureAlignment(int alignment);
    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    qint16 leftMargin() const { return m_leftMargin; }
    void setLeftMargin(qint16 margin);
    qint16 rightMargin() const { return m_rightMargin; }
    void setRightMargin(qint16 margin);
    qint16 topMargin() const { return m_topMargin; }
    void setTopMargin(qint16 margin);
    OleColor lightColor() const { return m_lightColor; }
    void setLightColor(OleColor color);
    bool useLightColor() const { return m_useLightColor; }
    void setUseLightColor(bool use);
    int backStyle() const { return m_backStyle; }
    void setBackStyle(int style);

    // What the holder tells the control: whether it is the window's default
    // button, and that its "ScaleUnits" (a dynamic property) changed.
    void setDisplayAsDefault(bool isDefault);
    void ambientChanged(const QString &name);
    void setUserMode(bool userMode);

    void writeProperties(PropertyStore &store) const;
    void readProperties(const PropertyStore &store);
    // Sets every saved property from a window's description of the button:
    // what the description does not hold goes back to its default.
    void setDescription(const ButtonDescription &description) { readProperties(description.properties()); }

    bool isDefault() const { return m_isDefault; }
    int containerScaleMode() const { return m_containerScaleMode; }
    QRect textArea() const { return QRect(QPoint(m_textLeft, m_textTop), QPoint(m_textRight, m_textBottom)); }
    QPoint picturePosition() const;
    bool isPolling() const { return m_hoverTimer.isActive(); }

    // The holder's coordinate unit from its "ScaleUnits" name.
    static int scaleModeFromUnits(const QString &units);
    // A length in control pixels expressed in that unit.
    static double fromPixels(double pixels, int scaleMode, bool horizontal);

Q_SIGNALS:
    // Passed by reference: a handler may change them; a KeyDown handler that
    // sets keyCode to 0 keeps Enter from clicking.
    void keyDown(int &keyCode, int &shift);
    void keyUp(int &keyCode, int &shift);
    void keyPress(int &keyAscii);

protected:
    void paintContent(QPainter &p) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void layoutPicture();
    void drawCaption(QPainter &p, ButtonLook state);
    void pressLook(int button, int shift, float x, float y);
    void pollHover();
    QPointF toContainer(const QPointF &pixels) const;

    QLabel *m_img = nullptr;
    QTimer m_hoverTimer;
    // A Space went down on this button and has not come up yet.
    bool m_spaceDown = false;
    // The press went down on the picture, which clicks with any button.
    bool m_pressOnPicture = false;

    int m_pictureAlignment = PictureLeft;
    QPixmap m_picture;
    qint16 m_leftMargin = 10;
    qint16 m_rightMargin = 10;
    qint16 m_topMargin = 10;
    OleColor m_lightColor = 0xFFFFFF;
    bool m_useLightColor = true;
    int m_backStyle = 0;

    bool m_isDefault = false;
    int m_containerScaleMode = 0;
    int m_textLeft = 0;
    int m_textTop = 0;
    int m_textRight = 0;
    int m_textBottom = 0;
    QPoint m_pictureAt;
};
