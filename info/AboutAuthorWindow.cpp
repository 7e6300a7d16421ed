#include "info/AboutAuthorWindow.h"

#include "controls/Label.h"
#include "controls/LinkLabel.h"
#include "controls/Named.h"
#include "controls/Shape.h"

#include <QLineEdit>
#include <QMouseEvent>

namespace {

const QString kTeam = QStringLiteral("فريق Murel");
// The program is the team's: its year, its language, and where it is at
// home on the web, or on the Internet at large while it has no page.
const QString kBorn = QStringLiteral("2004");
const QString kNationality = QStringLiteral("عربية");
const QString kResidence = QStringLiteral("الإنترنت");

Shape *band(QWidget *parent, const QRect &geometry, OleColor colour, Shape::Kind kind = Shape::Kind::Rectangle)
{
    auto *s = new Shape(kind, parent);
    s->setGeometry(geometry);
    s->setFilled(true);
    s->setFillColor(colour);
    s->setBorderColor(colour);
    return s;
}

QLineEdit *contactBox(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *box = new QLineEdit(text, parent);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Text, Qt::black);
    box->setPalette(pal);
    return box;
}

} // namespace

AboutAuthorWindow::AboutAuthorWindow(const QString &contact, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutmeform"));
    setUpInfoWindow(*this, QStringLiteral("عن المبرمج"), QSize(318, 267));
    const auto right = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
    const auto left = Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter;
    // Both contact boxes lead to the team: its page when there is one.
    const QString reach = contact.isEmpty() ? kTeam : contact;

    // The parts keep the names of the window's first controls: tests and
    // scripts find them by those.
    named(band(this, {-8, 0, 329, 33}, 0xFFC0C0), "Shape2"); // light blue
    Label *blessing =
        named(placeLabel(this, QStringLiteral("بسم الله الرحمن الرحيم"), {88, 8, 161, 25}, Qt::AlignCenter), "Label10");
    QFont heading(QStringLiteral("Arabic Transparent"));
    heading.setPointSize(12);
    heading.setBold(true);
    blessing->setFont(heading);

    named(placeLabel(this, QStringLiteral(" :الاسم"), {255, 54, 33, 17}, right, Qt::LeftToRight), "Label1");
    named(placeLabel(this, kTeam, {63, 54, 161, 17}, right), "Label5");
    named(placeLabel(this, QStringLiteral(" :مواليد"), {247, 78, 41, 17}, right, Qt::LeftToRight), "Label2");
    named(placeLabel(this, kBorn, {168, 78, 65, 17}, Qt::AlignCenter), "Label6");
    named(placeLabel(this, QStringLiteral(":الجنسية"), {239, 102, 49, 25}, right, Qt::LeftToRight), "Label3");
    named(placeLabel(this, kNationality, {127, 102, 97, 17}, right), "Label7");
    named(placeLabel(this, QStringLiteral(" :مكان الاقامة"), {223, 126, 65, 17}, right, Qt::LeftToRight), "Label4");
    named(placeLabel(this, kResidence, {71, 126, 153, 17}, right), "Label8");

    named(band(this, {32, 80, 33, 41}, 0xC0C0FF, Shape::Kind::Circle), "Shape3"); // pink
    m_ok = named(new LinkLabel(QStringLiteral("OK"), Qt::LeftToRight, this), "Label9");
    m_ok->setGeometry(37, 90, 25, 17);
    QFont ok(QStringLiteral("MS Sans Serif"));
    ok.setPointSize(12);
    ok.setBold(true);
    m_ok->setFont(ok);
    connect(m_ok, &LinkLabel::clicked, this, [this] {
        m_ok->setColour(Qt::blue);
        accept();
    });

    named(band(this, {-8, 169, 329, 103}, 0xFFC0C0), "Shape1");
    // The two contact boxes were one control array; each name ends in its
    // index.
    named(placeLabel(this, QStringLiteral(" :للتواصل"), {248, 176, 57, 17}, left, Qt::LeftToRight), "Label11");
    named(placeLabel(this, QStringLiteral("عبر البريد :"), {216, 204, 57, 21}, right), "Label12");
    named(contactBox(this, reach, {72, 200, 125, 20}), "Text1_0");
    named(placeLabel(this, QStringLiteral("عبر الماسنجر :"), {209, 235, 65, 17}, right), "Label13");
    named(contactBox(this, reach, {72, 232, 125, 20}), "Text1_1");
}

void AboutAuthorWindow::mouseMoveEvent(QMouseEvent *event)
{
    m_ok->resetColour();
    QDialog::mouseMoveEvent(event);
}
