#pragma once

#include "info/InfoWindow.h"

class LinkLabel;

// About the program: name, version, a greeting, the credit line, a contact
// line and a link to the publisher's home page.
class AboutProgramWindow : public QDialog
{
    Q_OBJECT
public:
    static inline const QString Greeting = QStringLiteral("السلام عليكم ورحمة الله وبركاته...\r\n"
                                                          "أشكركم على تنزيلكم للبرنامج وكل ما اطلبه \r\n"
                                                          "منكم هو دعاء صالح لي ولوالديّ بالرحمة \r\n"
                                                          "والمغفرة\r\n");

    static inline const QString NoAddressTip = QStringLiteral("لا يوجد عنوان للموقع في هذه النسخة");

    // homePage empty: no address configured, the link leads nowhere.
    AboutProgramWindow(const QUrl &homePage, UrlOpener openUrl, QWidget *parent = nullptr);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // The window's parts, top to bottom.
    void buildBanner();
    void buildContact();
    void buildDate();

    LinkLabel *m_link = nullptr;
    QUrl m_homePage;
    UrlOpener m_openUrl;
};
