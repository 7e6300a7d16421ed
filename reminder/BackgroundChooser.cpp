#include "reminder/BackgroundChooser.h"

#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/NumericValue.h"
#include "core/Rounding.h"
#include "core/Twips.h"
#include "reminder/MainWindowFields.h"
#include "resources/Artwork.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

BackgroundChooser::BackgroundChooser(MainWindowFields &form2, QWidget *parent)
    : QDialog(parent)
    , m_form2(form2)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral(" أختيار الخلفية"));
    setWindowRole(QStringLiteral("murel-backgrounds"));
    setLayoutDirection(Qt::RightToLeft);
    setFont(form2.mainWindow().font());
    setFixedSize(twipsRect(0, 0, 4950, 5880).size());

    // The picture at its own size from the top-left corner, cut at the box.
    Picture1 = new QLabel(this);
    Picture1->setGeometry(twipsRect(840, 360, 3540, 2895));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop | Qt::AlignAbsolute);
    Shape1 = new Shape(Shape::Kind::Rectangle, Picture1);
    Shape1->setGeometry(twipsRect(120, 120, 3255, 2295));
    Shape1->setBorderColor(0xFF8080);
    Shape1->hide();

    Frame1 = new QGroupBox(QStringLiteral("الصور"), this);
    Frame1->setGeometry(twipsRect(600, 3600, 3975, 1455));
    setTextColor(*Frame1, QColor(0, 0, 128));

    const QRect places[6] = {twipsRect(2520, 480, 975, 255), twipsRect(2520, 960, 975, 255), twipsRect(1320, 480, 975, 255),
                             twipsRect(1200, 960, 1095, 255), twipsRect(240, 480, 855, 255), twipsRect(240, 960, 855, 255)};
    for (int i = 0; i < 6; ++i) {
        auto *o = new QRadioButton(QStringLiteral("خلفية %1").arg(i + 1), Frame1);
        o->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        o->setGeometry(places[i]);
        setTextColor(*o, palette().color(QPalette::WindowText));
        m_options[size_t(i)] = o;
        connect(o, &QRadioButton::clicked, this, [this, i] { optionClicked(i + 1); });
    }
    Option1 = m_options[0];
    Option2 = m_options[1];
    Option3 = m_options[2];
    Option4 = m_options[3];
    Option5 = m_options[4];
    Option6 = m_options[5];

    Command1 = new TavrelButton(this);
    Command1->setDescription({.caption = QStringLiteral("تطبيق")});
    Command1->setGeometry(twipsRect(2640, 5280, 1095, 375));
    Command2 = new TavrelButton(this);
    Command2->setDescription({.caption = QStringLiteral("إلغاء")});
    Command2->setGeometry(twipsRect(1440, 5280, 1095, 375));
    connect(Command1, &TavrelButton::clicked, this, &BackgroundChooser::apply);
    connect(Command2, &TavrelButton::clicked, this, &QDialog::reject);

    Text1 = new QLineEdit(QStringLiteral("No"), this);
    Text1->hide();
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(PreviewDelayMs);
    connect(Timer1, &QTimer::timeout, this, &BackgroundChooser::preview);

    // Load: the current background is selected, and its preview drawn.
    Text1->setText(m_form2.Text5->text());
    const double current = numericValue(Text1->text());
    for (int n = 1; n <= 6; ++n) {
        if (current == n) {
            m_options[size_t(n - 1)]->setChecked(true);
            optionClicked(n);
        }
    }
}

int BackgroundChooser::selected() const
{
    for (int n = 1; n <= 6; ++n) {
        if (m_options[size_t(n - 1)]->isChecked())
            return n;
    }
    return 0;
}

void BackgroundChooser::optionClicked(int number)
{
    Timer1->start();
    Text1->setText(QString::number(number));
}

void BackgroundChooser::preview()
{
    const int n = selected();
    if (n == 0)
        return;
    Picture1->setPixmap(backgroundPicture(n));
    Shape1->setVisible(n == 1);
}

void BackgroundChooser::apply()
{
    if (const int n = selected())
        m_form2.Text5->setText(QString::number(n));
    accept();
}
