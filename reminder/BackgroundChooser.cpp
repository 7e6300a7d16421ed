#include "reminder/BackgroundChooser.h"

#include "controls/CaptionedFrame.h"
#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/card/Twips.h"
#include "core/settings/Settings.h"
#include "reminder/CardFrame.h"
#include "resources/Artwork.h"

#include <QLabel>
#include <QRadioButton>
#include <QTimer>

BackgroundChooser::BackgroundChooser(Settings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral(" أختيار الخلفية"));
    setWindowRole(QStringLiteral("murel-backgrounds"));
    // Like the settings dialog it is opened from: no icon of its own, and
    // not the main window's either.
    setWindowIcon(blankWindowIcon());
    setLayoutDirection(Qt::RightToLeft);
    if (parent)
        setFont(parent->font());
    setFixedSize(twipsRect(0, 0, 4950, 5880).size());

    // The picture at its own size from the top-left corner, cut at the box.
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setGeometry(twipsRect(840, 360, 3540, 2895));
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop | Qt::AlignAbsolute);
    m_frame = addCardFrame(m_picture);
    m_frame->setObjectName(QStringLiteral("Shape1"));
    m_frame->hide();

    // The caption sits in the frame's top line as in the settings dialog;
    // the options keep their places inside it.
    auto *frame = new CaptionedFrame(QStringLiteral("الصور"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(600, 3600, 3975, 1455));
    setTextColor(*frame, QColor(0, 0, 128));

    const QRect places[6] = {twipsRect(2520, 480, 975, 255), twipsRect(2520, 960, 975, 255),
                             twipsRect(1320, 480, 975, 255), twipsRect(1200, 960, 1095, 255),
                             twipsRect(240, 480, 855, 255),  twipsRect(240, 960, 855, 255)};
    for (int i = 0; i < 6; ++i) {
        auto *o = new QRadioButton(QStringLiteral("خلفية %1").arg(i + 1), frame);
        o->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        o->setGeometry(places[i]);
        setTextColor(*o, palette().color(QPalette::WindowText));
        m_options[size_t(i)] = o;
    }

    auto *applyButton = new TavrelButton(this);
    applyButton->setObjectName(QStringLiteral("Command1"));
    applyButton->setDescription({.caption = QStringLiteral("تطبيق")});
    applyButton->setGeometry(twipsRect(2640, 5280, 1095, 375));
    auto *cancelButton = new TavrelButton(this);
    cancelButton->setObjectName(QStringLiteral("Command2"));
    cancelButton->setDescription({.caption = QStringLiteral("إلغاء")});
    cancelButton->setGeometry(twipsRect(1440, 5280, 1095, 375));
    connect(applyButton, &TavrelButton::clicked, this, &BackgroundChooser::apply);
    connect(cancelButton, &TavrelButton::clicked, this, &QDialog::reject);

    m_previewDelay = new QTimer(this);
    m_previewDelay->setObjectName(QStringLiteral("Timer1"));
    m_previewDelay->setSingleShot(true);
    m_previewDelay->setInterval(PreviewDelayMs);
    connect(m_previewDelay, &QTimer::timeout, this, &BackgroundChooser::preview);
    for (QRadioButton *o : m_options)
        connect(o, &QRadioButton::clicked, m_previewDelay, qOverload<>(&QTimer::start));

    // Load: the current background is selected, and its preview drawn. A
    // background that is none of the six selects nothing: applied as it
    // is, it stays what it was.
    if (const std::optional<int> current = m_settings.values().picture())
        m_options[size_t(*current - 1)]->setChecked(true);
    m_previewDelay->start();
}

int BackgroundChooser::selected() const
{
    for (int n = 1; n <= 6; ++n) {
        if (m_options[size_t(n - 1)]->isChecked())
            return n;
    }
    return 0;
}

void BackgroundChooser::preview()
{
    const int n = selected();
    if (n == 0)
        return;
    m_picture->setPixmap(backgroundPicture(n, devicePixelRatioF()));
    m_frame->setVisible(n == 1);
}

void BackgroundChooser::apply()
{
    if (const int n = selected())
        m_settings.setBackground(n);
    accept();
}
