#include "reminder/SettingsDialog.h"

#include "controls/CaptionedFrame.h"
#include "controls/Label.h"
#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/NumericValue.h"
#include "core/Rounding.h"
#include "core/Twips.h"
#include "reminder/BackgroundChooser.h"
#include "reminder/MainWindowFields.h"
#include "reminder/RunAtLogon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>

namespace {


QGroupBox *captionedFrame(QWidget *parent, const QString &caption, const QRect &geometry)
{
    auto *box = new CaptionedFrame(caption, parent);
    box->setGeometry(geometry);
    setTextColor(*box, QColor(0, 0, 192));
    return box;
}

// The frame's caption colour would pass to what it holds; keep the
// window's own text colour there.
void plainText(QWidget *w, const QWidget *window)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, window->palette().color(QPalette::WindowText));
    pal.setColor(QPalette::Text, window->palette().color(QPalette::Text));
    w->setPalette(pal);
}

void darkRed(QWidget *w)
{
    setTextColor(*w, QColor(128, 0, 0));
}

// A thin engraved rule inside the display frame.
void rule(QWidget *parent, const QRect &geometry)
{
    auto *line = new Shape(Shape::Kind::Rectangle, parent);
    line->setGeometry(geometry);
    line->setBorderWidth(0);
    line->setFilled(true);
    line->setFillColor(0xA0A0A0);
}

TavrelButton *button(QWidget *parent, const QString &caption, const QRect &geometry)
{
    auto *b = new TavrelButton(parent);
    b->setDescription({.caption = caption});
    b->setGeometry(geometry);
    return b;
}

const QString kDefaultFont = QStringLiteral("MS Sans Serif");

} // namespace

SettingsDialog::SettingsDialog(MainWindowFields &form2, QWidget *parent)
    : QDialog(parent ? parent : &form2.mainWindow())
    , m_form2(form2)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("اعدادات"));
    setWindowRole(QStringLiteral("murel-settings"));
    setLayoutDirection(Qt::RightToLeft);
    setFont(form2.mainWindow().font());
    setFixedSize(twipsRect(0, 0, 4725, 5310).size());

    // Palettes of the captioned frames must not colour what they hold.
    Frame1 = captionedFrame(this, QStringLiteral("خيارات البرنامج"), twipsRect(240, 240, 4215, 1215));
    Check1 = new QCheckBox(QStringLiteral("التشغيل مع بداية تشغيل الوندوز"), Frame1);
    Check1->setGeometry(twipsRect(1320, 480, 2655, 375));
    plainText(Check1, this);

    Frame2 = captionedFrame(this, QStringLiteral("خيارات العرض"), twipsRect(240, 1680, 4215, 2895));
    Label2 = placeLabel(Frame2, QStringLiteral("الخط : "), twipsRect(3000, 240, 855, 255));
    darkRed(Label2);
    Combo2 = new QComboBox(Frame2);
    Combo2->setGeometry(twipsRect(1800, 600, 2175, 315));
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->addItems({kDefaultFont, QStringLiteral("Tahoma"), QStringLiteral("Times New Roman")});
    plainText(Combo2, this);
    Label1 = placeLabel(Frame2, QStringLiteral("مثال توضيحي "), twipsRect(120, 600, 1575, 615), Qt::AlignCenter);
    QFont preview(kDefaultFont);
    preview.setPointSize(12);
    preview.setBold(true);
    Label1->setFont(preview);
    setTextColor(*Label1, Qt::black);
    TavrelButtonV21 = button(Frame2, QStringLiteral("استعادة الخط الافتراضي"), twipsRect(1800, 1080, 2175, 375));
    Label3 = placeLabel(Frame2, QStringLiteral("الخلفية :"), twipsRect(1800, 1800, 2055, 255));
    darkRed(Label3);
    TavrelButtonV22 = button(Frame2, QStringLiteral("اختيار صورة الخلفية"), twipsRect(1800, 2160, 2175, 375));
    // Four rules frame the display options inside the group box: down both
    // sides, along the bottom, and between the font part and the
    // background part.
    rule(Frame2, twipsRect(120, 120, 15, 2775));
    rule(Frame2, twipsRect(4080, 120, 15, 2775));
    rule(Frame2, twipsRect(120, 2880, 3975, 15));
    rule(Frame2, twipsRect(120, 1680, 3975, 15));

    Command2 = button(this, QStringLiteral("تطبيق"), twipsRect(2400, 4800, 975, 375));
    Command1 = button(this, QStringLiteral("إلغاء"), twipsRect(1320, 4800, 975, 375));

    // The preview follows the combo's text as it is typed or picked.
    connect(Combo2, &QComboBox::editTextChanged, this, &SettingsDialog::followCombo);
    connect(TavrelButtonV21, &TavrelButton::clicked, this, &SettingsDialog::restoreDefaultFont);
    connect(TavrelButtonV22, &TavrelButton::clicked, this, [this] { done(ChooseBackground); });
    connect(Command2, &TavrelButton::clicked, this, &SettingsDialog::apply);
    connect(Command1, &TavrelButton::clicked, this, &QDialog::reject);

    Timer2 = new QTimer(this);
    Timer2->setSingleShot(true);
    Timer2->setInterval(CheckDelayMs);
    connect(Timer2, &QTimer::timeout, this, &SettingsDialog::setCheckFromForm2);
    Timer2->start();

    Combo2->setEditText(m_form2.Text4->text());
    followCombo(Combo2->currentText());
}

SettingsDialog::~SettingsDialog()
{
    unloadChooser();
}

BackgroundChooser &SettingsDialog::chooser()
{
    if (!m_chooser)
        m_chooser = new BackgroundChooser(m_form2, &m_form2.mainWindow());
    return *m_chooser;
}

void SettingsDialog::unloadChooser()
{
    delete m_chooser.data();
}

int SettingsDialog::run()
{
    int result = exec();
    while (result == ChooseBackground) {
        BackgroundChooser &c = chooser();
        Q_EMIT chooserOpening(&c);
        c.exec();
        result = exec();
    }
    return result;
}

void SettingsDialog::followCombo(const QString &text)
{
    QFont f = Label1->font();
    f.setFamily(text);
    Label1->setFont(f);
}

void SettingsDialog::restoreDefaultFont()
{
    Combo2->setEditText(kDefaultFont);
    QFont f = Label1->font();
    f.setItalic(false);
    f.setFamily(kDefaultFont);
    Label1->setFont(f);
}

void SettingsDialog::setCheckFromForm2()
{
    const double flag = numericValue(m_form2.Text6->text());
    if (flag == 0)
        Check1->setChecked(false);
    else if (flag == 1)
        Check1->setChecked(true);
}

void SettingsDialog::apply()
{
    if (Check1->isChecked()) {
        m_form2.Text6->setText(QStringLiteral("1"));
        RunAtLogon::registerProgram(m_form2.platform());
    } else {
        m_form2.Text6->setText(QStringLiteral("0"));
        RunAtLogon::unregisterProgram(m_form2.platform());
    }
    m_form2.Text4->setText(Label1->font().family());
    unloadChooser();
    accept();
}
