#include "info/AboutProgramWindow.h"

#include "controls/Label.h"
#include "controls/LinkLabel.h"
#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/Version.h"
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

    Picture1 = new QWidget(this);
    Picture1->setGeometry(72, 8, 151, 57);
    Image2 = new QLabel(Picture1);
    Image2->setGeometry(8, 0, 48, 48);
    Image2->setPixmap(programIcon().pixmap(48, 48));
    Label1 = placeLabel(Picture1, QStringLiteral("Murel"), {32, 16, 129, 25}, kCentre, Qt::LeftToRight);
    QFont heading(QStringLiteral("Arial"));
    heading.setPointSizeF(15.75);
    heading.setBold(true);
    Label1->setFont(heading);
    setTextColor(*Label1, QColor(255, 128, 0));
    Label2 = placeLabel(Picture1, QStringLiteral("رقم الاصدار: " MUREL_VERSION), {32, 40, 113, 17}, kCentre);
    QFont version(QStringLiteral("MS Sans Serif"));
    version.setPointSizeF(9.75);
    Label2->setFont(version);

    Text2 = wholeText(this, Greeting, {43, 69, 209, 73});

    Label3 = placeLabel(this, QStringLiteral("تصميم  وبرمجة: ") + kTeam, {67, 149, 177, 17});
    Image1 = new QLabel(this);
    Image1->setGeometry(27, 165, 32, 32);
    Image1->setPixmap(computerPicture());
    Label5 = placeLabel(this, QStringLiteral(" :للتواصل"), {195, 173, 73, 17}, Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter, Qt::LeftToRight);
    Text1 = new QLineEdit(this);
    Text1->setGeometry(67, 173, 125, 20);
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignCenter);
    // Without a home page the team is the way to reach the program's makers.
    Text1->setText(homePage.isEmpty() ? kTeam : homePage.host());
    Label4 = placeLabel(this, QStringLiteral("لزيارة الموقع والحصول على المزيد من البرامج"), {43, 197, 209, 17});

    Shape1 = new Shape(Shape::Kind::Rectangle, this);
    Shape1->setGeometry(107, 218, 65, 25);
    Label7 = new LinkLabel(QStringLiteral("اضغط هنا"), Qt::RightToLeft, this);
    Label7->setGeometry(115, 224, 49, 17);
    Label7->setAlignment(kCentre);
    // Without a configured home page there is nowhere to go; the link still
    // shows its colours, and says why a click does nothing.
    if (homePage.isEmpty())
        Label7->setToolTip(NoAddressTip);
    connect(Label7, &LinkLabel::clicked, this, [this] {
        if (m_openUrl && !m_homePage.isEmpty())
            m_openUrl(m_homePage);
    });

    Line2 = new Shape(Shape::Kind::Rectangle, this);
    Line2->setGeometry(32, 248, 225, 1);
    Line2->setBorderWidth(0);
    Line2->setFilled(true);
    Line2->setFillColor(0);

    const auto right = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
    Label6 = placeLabel(this, QStringLiteral("تم الانتهاء من برمجة البرنامج بتاريخ "), {98, 255, 161, 17}, right);
    Label8 = placeLabel(this, QStringLiteral("22"), {75, 254, 17, 17}, right, Qt::LeftToRight);
    Label11[0] = placeLabel(this, QStringLiteral("\\"), {51, 254, 25, 17}, right, Qt::LeftToRight);
    Label9 = placeLabel(this, QStringLiteral("1"), {60, 254, 9, 17}, right, Qt::LeftToRight);
    Label11[1] = placeLabel(this, QStringLiteral("\\"), {36, 254, 25, 17}, right, Qt::LeftToRight);
    Label10 = placeLabel(this, QStringLiteral("2004"), {30, 254, 25, 17}, right, Qt::LeftToRight);

    TavrelButton1 = new TavrelButton(this);
    TavrelButton1->setDescription({.caption = QStringLiteral("OK")});
    TavrelButton1->setGeometry(104, 280, 73, 25);
    connect(TavrelButton1, &TavrelButton::clicked, this, &QDialog::accept);
}

void AboutProgramWindow::mouseMoveEvent(QMouseEvent *event)
{
    // The window's own background (the frame and the rule included).
    Label7->resetColour();
    QDialog::mouseMoveEvent(event);
}
