#include "info/AboutProgramWindow.h"

#include "controls/Label.h"
#include "controls/LinkLabel.h"
#include "controls/Named.h"
#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/system/Version.h"
#include "resources/Artwork.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextEdit>

namespace {
constexpr auto kCentre = Qt::AlignCenter;
const QString kTeam = QStringLiteral("فريق Murel");
} // namespace

AboutProgramWindow::AboutProgramWindow(const QUrl &homePage, UrlOpener openUrl, QWidget *parent)
    : QDialog(parent)
    , m_homePage(homePage)
    , m_openUrl(std::move(openUrl))
{
    setObjectName(QStringLiteral("program"));
    setUpInfoWindow(*this, QStringLiteral("عن البرنامج"), QSize(279, 314));

    // The parts keep the names of the window's first controls: tests and
    // scripts find them by those.
    buildBanner();
    named(wholeText(this, Greeting, {43, 69, 209, 73}), "Text2");
    buildContact();
    buildDate();

    auto *okButton = named(new TavrelButton(this), "TavrelButton1");
    okButton->setDescription({.caption = QStringLiteral("OK")});
    okButton->setGeometry(104, 280, 73, 25);
    connect(okButton, &TavrelButton::clicked, this, &QDialog::accept);
}

void AboutProgramWindow::buildBanner()
{
    auto *banner = named(new QWidget(this), "Picture1");
    banner->setGeometry(72, 8, 151, 57);
    auto *icon = named(new QLabel(banner), "Image2");
    icon->setGeometry(8, 0, 48, 48);
    icon->setPixmap(programIcon().pixmap(48, 48));
    Label *programName =
        named(placeLabel(banner, QStringLiteral("Murel"), {32, 16, 129, 25}, kCentre, Qt::LeftToRight), "Label1");
    QFont heading(QStringLiteral("Arial"));
    heading.setPointSizeF(15.75);
    heading.setBold(true);
    programName->setFont(heading);
    setTextColor(*programName, QColor(255, 128, 0));
    Label *versionLabel =
        named(placeLabel(banner, QStringLiteral("رقم الاصدار: " MUREL_VERSION), {32, 40, 113, 17}, kCentre), "Label2");
    QFont version(QStringLiteral("MS Sans Serif"));
    version.setPointSizeF(9.75);
    versionLabel->setFont(version);
}

void AboutProgramWindow::buildContact()
{
    named(placeLabel(this, QStringLiteral("تصميم  وبرمجة: ") + kTeam, {67, 149, 177, 17}), "Label3");
    auto *computer = named(new QLabel(this), "Image1");
    computer->setGeometry(27, 165, 32, 32);
    computer->setPixmap(computerPicture());
    named(placeLabel(this, QStringLiteral(" :للتواصل"), {195, 173, 73, 17},
                     Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter, Qt::LeftToRight),
          "Label5");
    auto *contact = named(new QLineEdit(this), "Text1");
    contact->setGeometry(67, 173, 125, 20);
    contact->setReadOnly(true);
    contact->setAlignment(Qt::AlignCenter);
    // Without a home page the team is the way to reach the program's makers.
    contact->setText(m_homePage.isEmpty() ? kTeam : m_homePage.host());
    named(placeLabel(this, QStringLiteral("لزيارة الموقع والحصول على المزيد من البرامج"), {43, 197, 209, 17}),
          "Label4");

    auto *linkFrame = named(new Shape(Shape::Kind::Rectangle, this), "Shape1");
    linkFrame->setGeometry(107, 218, 65, 25);
    m_link = named(new LinkLabel(QStringLiteral("اضغط هنا"), Qt::RightToLeft, this), "Label7");
    m_link->setGeometry(115, 224, 49, 17);
    m_link->setAlignment(kCentre);
    // Without a configured home page there is nowhere to go; the link still
    // shows its colours, and says why a click does nothing.
    if (m_homePage.isEmpty())
        m_link->setToolTip(NoAddressTip);
    connect(m_link, &LinkLabel::clicked, this, [this] {
        if (m_openUrl && !m_homePage.isEmpty())
            m_openUrl(m_homePage);
    });
}

void AboutProgramWindow::buildDate()
{
    auto *rule = named(new Shape(Shape::Kind::Rectangle, this), "Line2");
    rule->setGeometry(32, 248, 225, 1);
    rule->setBorderWidth(0);
    rule->setFilled(true);
    rule->setFillColor(0);

    // The date is put together from its pieces, each where it always stood.
    // The two slashes were one control array; each name ends in its index.
    const auto right = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
    named(placeLabel(this, QStringLiteral("تم الانتهاء من برمجة البرنامج بتاريخ "), {98, 255, 161, 17}, right),
          "Label6");
    named(placeLabel(this, QStringLiteral("22"), {75, 254, 17, 17}, right, Qt::LeftToRight), "Label8");
    named(placeLabel(this, QStringLiteral("\\"), {51, 254, 25, 17}, right, Qt::LeftToRight), "Label11_0");
    named(placeLabel(this, QStringLiteral("1"), {60, 254, 9, 17}, right, Qt::LeftToRight), "Label9");
    named(placeLabel(this, QStringLiteral("\\"), {36, 254, 25, 17}, right, Qt::LeftToRight), "Label11_1");
    named(placeLabel(this, QStringLiteral("2004"), {30, 254, 25, 17}, right, Qt::LeftToRight), "Label10");
}

void AboutProgramWindow::mouseMoveEvent(QMouseEvent *event)
{
    // The window's own background (the frame and the rule included).
    m_link->resetColour();
    QDialog::mouseMoveEvent(event);
}
