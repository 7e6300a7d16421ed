#include "reminder/SoundWindow.h"

#include "controls/Named.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/sound/WavFile.h"
#include "platform/Platform.h"
#include "platform/SoundOutput.h"
#include "reminder/SoundChoice.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSlider>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

TavrelButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = named(new TavrelButton(parent), name, caption);
    b->setDescription({.caption = caption});
    b->setMinimumSize(120, 25);
    return b;
}

} // namespace

SoundWindow::SoundWindow(SoundSettings &settings, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_platform(platform)
{
    setUpToolWindow(*this, QStringLiteral("SoundWindow"), Title, QStringLiteral("murel-sound"));
    auto *layout = new QVBoxLayout(this);

    layout->addWidget(named(new QLabel(QStringLiteral("يظهر التذكير مع:"), this), "soundCaption"));
    m_none = named(new QRadioButton(QStringLiteral("بلا صوت"), this), "soundNone");
    m_chime = named(new QRadioButton(QStringLiteral("نغمة هادئة"), this), "soundChime");
    m_fromFile = named(new QRadioButton(QStringLiteral("ملف صوت من اختياري (WAV)"), this), "soundFile");
    layout->addWidget(m_none);
    layout->addWidget(m_chime);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fromFile);
    auto *choose = button(this, "soundChooseFile", QStringLiteral("اختيار ملف..."));
    fileRow->addWidget(choose);
    fileRow->addStretch();
    layout->addLayout(fileRow);
    m_fileName = named(new QLabel(this), "soundFileName");
    m_fileName->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    layout->addWidget(m_fileName);

    // Read as its caption with the volume in words as its value.
    auto *volumeRow = new QHBoxLayout;
    const QString volumeCaption = QStringLiteral("مستوى الصوت");
    volumeRow->addWidget(named(new QLabel(volumeCaption + QLatin1Char(':'), this), "soundVolumeCaption"));
    m_volume = named(new QSlider(Qt::Horizontal, this), "soundVolume", volumeCaption);
    m_volume->setRange(SoundSettings::VolumeRange.low, SoundSettings::VolumeRange.high);
    m_volume->setSingleStep(5);
    m_volume->setPageStep(10);
    m_volume->setMinimumWidth(160);
    volumeRow->addWidget(m_volume);
    m_volumeValue = named(new QLabel(this), "soundVolumeValue");
    volumeRow->addWidget(m_volumeValue);
    auto *trial = button(this, "soundTry", QStringLiteral("تجربة"));
    volumeRow->addWidget(trial);
    volumeRow->addStretch();
    layout->addLayout(volumeRow);

    m_avoidClash =
        named(new QCheckBox(QStringLiteral("لا تُصدر صوتاً ما دام برنامج آخر يُشغّل صوتاً"), this), "soundAvoidClash");
    layout->addWidget(m_avoidClash);

    const auto [buttons, ok, cancel] = okCancelRow(*this, "soundOk", "soundCancel");
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(choose, &TavrelButton::clicked, this, &SoundWindow::chooseFile);
    connect(trial, &TavrelButton::clicked, this, &SoundWindow::tryOut);
    connect(m_volume, &QSlider::valueChanged, this, &SoundWindow::showVolume);
    connect(ok, &TavrelButton::clicked, this, &SoundWindow::apply);
    connect(cancel, &TavrelButton::clicked, this, &QDialog::reject);
    showValues(m_settings.values());
}

void SoundWindow::showValues(const SoundSettings::Values &v)
{
    m_none->setChecked(v.choice == SoundSettings::Choice::None);
    m_chime->setChecked(v.choice == SoundSettings::Choice::Chime);
    m_fromFile->setChecked(v.choice == SoundSettings::Choice::File);
    m_file = v.file;
    m_fileName->setText(m_file.isEmpty() ? QStringLiteral("لم يُختر ملف") : QDir::toNativeSeparators(m_file));
    m_fromFile->setEnabled(!m_file.isEmpty());
    m_volume->setValue(v.volume);
    showVolume(v.volume);
    m_avoidClash->setChecked(v.avoidClash);
}

SoundSettings::Values SoundWindow::shown() const
{
    SoundSettings::Values v = m_settings.values();
    v.choice = m_chime->isChecked() ? SoundSettings::Choice::Chime
        : m_fromFile->isChecked()   ? SoundSettings::Choice::File
                                    : SoundSettings::Choice::None;
    v.file = m_file;
    v.volume = m_volume->value();
    v.avoidClash = m_avoidClash->isChecked();
    return v;
}

void SoundWindow::showVolume(int volume)
{
    // The number as the slider's value for screen readers, in the words
    // shown beside it.
    const QString text = QStringLiteral("%1٪").arg(QLocale(QLocale::Arabic).toString(volume));
    m_volumeValue->setText(text);
    m_volume->setAccessibleDescription(text);
}

QString SoundWindow::fileMessage(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    switch (WavFile::load(path).problem) {
    case WavFile::Problem::None: return QString();
    case WavFile::Problem::Unreadable: return QStringLiteral("تعذّرت قراءة الملف «%1».").arg(name);
    case WavFile::Problem::TooLarge:
        return QStringLiteral("الملف «%1» أكبر من أن يكون صوت تنبيه: اختر ملفاً أصغر من %2 ميغابايت.")
            .arg(name)
            .arg(WavFile::SizeLimit / (1024 * 1024));
    case WavFile::Problem::NotPlayable: break;
    }
    return QStringLiteral("الملف «%1» ليس ملف صوت WAV يمكن تشغيله (PCM بعمق 8 أو 16 بتاً، قناة أو قناتان).").arg(name);
}

bool SoundWindow::takeFile(const QString &path)
{
    const QString message = fileMessage(path);
    if (!message.isEmpty()) {
        QMessageBox::warning(this, Title, message);
        return false;
    }
    SoundSettings::Values v = shown();
    v.file = path;
    v.choice = SoundSettings::Choice::File;
    showValues(v);
    return true;
}

void SoundWindow::chooseFile()
{
    const QString start = m_file.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::MusicLocation)
                                           : QFileInfo(m_file).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("اختيار ملف صوت"), start,
                                                      QStringLiteral("ملفات الصوت (*.wav *.WAV)"));
    if (!path.isEmpty())
        takeFile(path);
}

void SoundWindow::tryOut()
{
    const SoundSettings::Values v = shown();
    if (v.choice == SoundSettings::Choice::None)
        return;
    const std::optional<PcmClip> clip = chosenClip(v);
    if (!clip) {
        QMessageBox::warning(this, Title,
                             v.choice == SoundSettings::Choice::File ? fileMessage(v.file)
                                                                     : QStringLiteral("النغمة غير مثبّتة مع البرنامج."));
        return;
    }
    // The user asked to hear it: played even while another program plays.
    if (SoundOutput *output = m_platform.sound())
        output->play(*clip, false);
}

void SoundWindow::apply()
{
    m_settings.setValues(shown());
    // Not saved, the choices still hold until the program ends.
    if (!m_settings.save())
        QMessageBox::warning(this, Title, QStringLiteral("تعذّر حفظ خيارات الصوت، وستبقى حتى يُغلق البرنامج."));
    accept();
}

QString SoundWindow::problemMessage(const SoundSettings &settings)
{
    const QString start = QStringLiteral("تعذّرت قراءة ملف خيارات الصوت فاستُعملت الخيارات الأصلية (بلا صوت)");
    if (settings.setAside().isEmpty())
        return start + QStringLiteral("، وبقي الملف كما هو فلن يُكتب فوقه.");
    return start + QStringLiteral("، ونُقل الملف كما هو إلى «%1».").arg(QDir::toNativeSeparators(settings.setAside()));
}
