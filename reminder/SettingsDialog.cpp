#include "reminder/SettingsDialog.h"

#include "controls/ArabicFace.h"
#include "controls/CaptionedFrame.h"
#include "controls/Label.h"
#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/card/Twips.h"
#include "core/settings/Settings.h"
#include "reminder/BackgroundChooser.h"
#include "reminder/RunAtLogon.h"
#include "reminder/SoundWindow.h"
#include "reminder/TextsWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

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
    line->setDecorative(true);
}

TavrelButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *b = new TavrelButton(parent);
    b->setDescription({.caption = caption});
    b->setGeometry(geometry);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

SettingsDialog::SettingsDialog(Settings &settings, Platform &platform, QWidget &chooserParent, ReminderTexts *texts,
                               SoundSettings *sound)
    : QDialog(&chooserParent)
    , m_settings(settings)
    , m_platform(platform)
    , m_chooserParent(chooserParent)
    , m_texts(texts)
    , m_sound(sound)
{
    setUpToolWindow(*this, QStringLiteral("Form3"), QStringLiteral("اعدادات"), QStringLiteral("murel-settings"));
    setFixedSize(twipsRect(0, 0, 4725, 5310).size());

    // Palettes of the captioned frames must not colour what they hold.
    auto *programFrame = captionedFrame(this, QStringLiteral("خيارات البرنامج"), twipsRect(240, 240, 4215, 1215));
    programFrame->setObjectName(QStringLiteral("Frame1"));
    m_runAtLogon = new QCheckBox(QStringLiteral("التشغيل مع بداية تشغيل الوندوز"), programFrame);
    m_runAtLogon->setObjectName(QStringLiteral("Check1"));
    m_runAtLogon->setGeometry(twipsRect(1320, 480, 2655, 375));
    plainText(m_runAtLogon, this);
    // The sound takes the free corner beside the logon box, level with it.
    if (m_sound) {
        auto *soundButton = button(programFrame, "soundButton", SoundWindow::Title, twipsRect(240, 480, 975, 375));
        soundButton->setAccessibleName(QStringLiteral("خيارات الصوت"));
        connect(soundButton, &TavrelButton::clicked, this, &SettingsDialog::openSound);
    }

    buildDisplayFrame();

    auto *applyButton = button(this, "Command2", QStringLiteral("تطبيق"), twipsRect(2400, 4800, 975, 375));
    auto *cancelButton = button(this, "Command1", QStringLiteral("إلغاء"), twipsRect(1320, 4800, 975, 375));

    // The preview follows the combo's text as it is typed or picked.
    connect(m_fontName, &QComboBox::editTextChanged, this, &SettingsDialog::followCombo);
    connect(applyButton, &TavrelButton::clicked, this, &SettingsDialog::apply);
    connect(cancelButton, &TavrelButton::clicked, this, &QDialog::reject);

    // The tick shows what the system does at logon, which the user may have
    // changed outside this program; the settings follow it.
    m_settings.setRunAtLogon(RunAtLogon::isRegistered(m_platform));
    m_runAtLogon->setChecked(m_settings.values().runAtLogon);
    m_fontName->setEditText(m_settings.values().fontName);
    followCombo(m_fontName->currentText());
}

void SettingsDialog::buildDisplayFrame()
{
    auto *displayFrame = captionedFrame(this, QStringLiteral("خيارات العرض"), twipsRect(240, 1680, 4215, 2895));
    displayFrame->setObjectName(QStringLiteral("Frame2"));
    buildFontChoice(*displayFrame);
    Label *backgroundCaption = placeLabel(displayFrame, QStringLiteral("الخلفية :"), twipsRect(1800, 1800, 2055, 255));
    backgroundCaption->setObjectName(QStringLiteral("Label3"));
    darkRed(backgroundCaption);
    auto *chooseBackground = button(displayFrame, "TavrelButtonV22", QStringLiteral("اختيار صورة الخلفية"),
                                    twipsRect(1800, 2160, 2175, 375));
    connect(chooseBackground, &TavrelButton::clicked, this, [this] { done(ChooseBackground); });
    // The texts take the free corner beside the background, level with it:
    // the controls that were there before keep their places.
    if (m_texts) {
        Label *textsCaption = placeLabel(displayFrame, QStringLiteral("النصوص :"), twipsRect(240, 1800, 1455, 255));
        textsCaption->setObjectName(QStringLiteral("textsCaption"));
        darkRed(textsCaption);
        auto *textsButton =
            button(displayFrame, "textsButton", QStringLiteral("اختيار النصوص"), twipsRect(240, 2160, 1455, 375));
        connect(textsButton, &TavrelButton::clicked, this, &SettingsDialog::openTexts);
    }
    // Four rules frame the display options inside the group box: down both
    // sides, along the bottom, and between the font part and the
    // background part.
    rule(displayFrame, twipsRect(120, 120, 15, 2775));
    rule(displayFrame, twipsRect(4080, 120, 15, 2775));
    rule(displayFrame, twipsRect(120, 2880, 3975, 15));
    rule(displayFrame, twipsRect(120, 1680, 3975, 15));
}

void SettingsDialog::buildFontChoice(QWidget &displayFrame)
{
    Label *fontCaption = placeLabel(&displayFrame, QStringLiteral("الخط : "), twipsRect(3000, 240, 855, 255));
    fontCaption->setObjectName(QStringLiteral("Label2"));
    darkRed(fontCaption);
    m_fontName = new QComboBox(&displayFrame);
    m_fontName->setObjectName(QStringLiteral("Combo2"));
    m_fontName->setGeometry(twipsRect(1800, 600, 2175, 315));
    m_fontName->setEditable(true);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    // The box takes a family name as it is typed, listed or not: an inline
    // completion would turn "T" into "Tahoma" under the user's fingers and
    // the preview and the settings would follow the guess. The list is the
    // way to pick a listed name, and without a completer a name matching an
    // item only in letter case is not replaced by it on Enter either.
    m_fontName->setCompleter(nullptr);
    // Windows' screen readers would take the frame's caption for its name.
    m_fontName->setAccessibleName(QStringLiteral("الخط"));
    m_fontName->addItems({Settings::defaultFontName(), QStringLiteral("Tahoma"), QStringLiteral("Times New Roman")});
    plainText(m_fontName, this);
    m_preview =
        placeLabel(&displayFrame, QStringLiteral("مثال توضيحي "), twipsRect(120, 600, 1575, 615), Qt::AlignCenter);
    m_preview->setObjectName(QStringLiteral("Label1"));
    QFont preview(Settings::defaultFontName());
    preview.setPointSize(12);
    preview.setBold(true);
    m_preview->setFont(preview);
    setTextColor(*m_preview, Qt::black);
    auto *defaultFont = button(&displayFrame, "TavrelButtonV21", QStringLiteral("استعادة الخط الافتراضي"),
                               twipsRect(1800, 1080, 2175, 375));
    connect(defaultFont, &TavrelButton::clicked, this, &SettingsDialog::restoreDefaultFont);
}

SettingsDialog::~SettingsDialog()
{
    unloadChooser();
}

BackgroundChooser &SettingsDialog::chooser()
{
    if (!m_chooser)
        m_chooser = new BackgroundChooser(m_settings, &m_chooserParent);
    return *m_chooser;
}

void SettingsDialog::unloadChooser()
{
    delete m_chooser.data();
}

int SettingsDialog::run()
{
    if (m_programEnding)
        return Rejected;
    int result = exec();
    while (result == ChooseBackground && !m_programEnding) {
        BackgroundChooser &c = chooser();
        Q_EMIT chooserOpening(&c);
        c.exec();
        // The program's exit ends every running loop, the chooser's first:
        // coming back here then must not show this dialog again.
        if (m_programEnding)
            return Rejected;
        result = exec();
    }
    return m_programEnding ? int(Rejected) : result;
}

void SettingsDialog::endForProgramExit()
{
    m_programEnding = true;
    // Nothing is applied; both windows go, whichever of them is open.
    if (m_chooser && m_chooser->isVisible())
        m_chooser->reject();
    if (isVisible())
        reject();
}

void SettingsDialog::followCombo(const QString &text)
{
    QFont f = m_preview->font();
    setArabicFamily(f, text);
    m_preview->setFont(f);
}

void SettingsDialog::restoreDefaultFont()
{
    m_fontName->setEditText(Settings::defaultFontName());
    QFont f = m_preview->font();
    f.setItalic(false);
    setArabicFamily(f, Settings::defaultFontName());
    m_preview->setFont(f);
}

void SettingsDialog::openTexts()
{
    // The texts as the card would show them with the font chosen here, even
    // before it is applied. They are saved by their own window's OK, in their
    // own file: this dialog's cancel does not undo them. A background that is
    // none of the six goes as 0, which the preview draws as the card does.
    TextsWindow window(*m_texts, m_fontName->currentText(), m_settings.values().picture().value_or(0), this);
    connect(this, &QDialog::finished, &window, &QDialog::reject);
    window.setModal(true);
    window.exec();
}

void SettingsDialog::openSound()
{
    // Saved by its own window's OK, in its own file, as the texts are.
    SoundWindow window(*m_sound, m_platform, this);
    connect(this, &QDialog::finished, &window, &QDialog::reject);
    window.setModal(true);
    window.exec();
}

void SettingsDialog::apply()
{
    if (m_runAtLogon->isChecked())
        RunAtLogon::registerProgram(m_platform);
    else
        RunAtLogon::unregisterProgram(m_platform);
    // What was written, not what was asked: a folder that cannot be written
    // leaves the box unticked the next time, as the logon will show.
    m_settings.setRunAtLogon(RunAtLogon::isRegistered(m_platform));
    if (!m_runAtLogon->isChecked() && m_settings.values().runAtLogon)
        Q_EMIT logonEntryKept();
    m_settings.setFontName(m_fontName->currentText());
    unloadChooser();
    accept();
}
