#pragma once

#include "info/InfoWindow.h"

#include <array>

class Label;
class LinkLabel;
class QLabel;
class QLineEdit;
class QTextEdit;
class Shape;
class TavrelButton;

// About the program: name, version, a greeting, the credit line, a contact
// line and a link to the publisher's home page.
class AboutProgramWindow : public QDialog
{
    Q_OBJECT
public:
    static inline const QString Greeting = QStringLiteral(
        "السلام عليكم ورحمة الله وبركاته...\r\n"
        "أشكركم على تنزيلكم للبرنامج وكل ما اطلبه \r\n"
        "منكم هو دعاء صالح لي ولوالديّ بالرحمة \r\n"
        "والمغفرة\r\n");

    static inline const QString NoAddressTip = QStringLiteral("لا يوجد عنوان للموقع في هذه النسخة");

    // homePage empty: no address configured, the link leads nowhere.
    AboutProgramWindow(const QUrl &homePage, UrlOpener openUrl, QWidget *parent = nullptr);

    QWidget *Picture1 = nullptr;
    QLabel *Image2 = nullptr;
    Label *Label1 = nullptr;
    Label *Label2 = nullptr;
    QTextEdit *Text2 = nullptr;
    Label *Label3 = nullptr;
    QLabel *Image1 = nullptr;
    Label *Label5 = nullptr;
    QLineEdit *Text1 = nullptr;
    Label *Label4 = nullptr;
    Shape *Shape1 = nullptr;
    LinkLabel *Label7 = nullptr;
    Shape *Line2 = nullptr;
    Label *Label6 = nullptr;
    Label *Label8 = nullptr;
    std::array<Label *, 2> Label11{};
    Label *Label9 = nullptr;
    Label *Label10 = nullptr;
    TavrelButton *TavrelButton1 = nullptr;

protected:
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QUrl m_homePage;
    UrlOpener m_openUrl;
};
