#include "reminder/HoldWindow.h"

#include "controls/Named.h"
#include "controls/TavrelButton.h"
#include "controls/WindowLook.h"
#include "core/hold/CountedNoun.h"
#include "reminder/ChoiceAccessible.h"
#include "reminder/TimeEditAccessible.h"
#include "reminder/WeekDays.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

HoldWindow::HoldWindow(HoldSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    // Before any control exists: a reader asks for a control's interface
    // as soon as it is named, and keeps the one it got.
    QAccessible::installFactory(choiceAccessibleFactory);
    QAccessible::installFactory(timeEditAccessibleFactory);
    setUpToolWindow(*this, QStringLiteral("HoldWindow"), Title, QStringLiteral("murel-hold"));

    auto *layout = new QVBoxLayout(this);
    buildChoices(*layout);
    layout->addWidget(buildActiveHours());
    buildMonitorRow(*layout);
    buildCardRow(*layout);

    auto *lockNote =
        named(new QLabel(QStringLiteral("ولا يظهر التذكير والشاشة مقفلة، ويظهر بعد فتحها."), this), "lockNote");
    lockNote->setWordWrap(true);
    layout->addWidget(lockNote);

    const auto [buttons, ok, cancel] = okCancelRow(*this, "holdOk", "holdCancel");
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &TavrelButton::clicked, this, &HoldWindow::apply);
    connect(cancel, &TavrelButton::clicked, this, &QDialog::reject);
    connect(m_away, &QCheckBox::toggled, this, &HoldWindow::updateEnabled);
    connect(m_awayMinutes, &QSpinBox::valueChanged, this, &HoldWindow::showMinutesNoun);
    showValues(m_settings.values());
}

void HoldWindow::buildChoices(QVBoxLayout &layout)
{
    m_fullScreen = named(new QCheckBox(QStringLiteral("انتظر ما دامت نافذة بملء الشاشة (فيلم، لعبة، عرض)"), this),
                         "holdFullScreen");
    m_doNotDisturb =
        named(new QCheckBox(QStringLiteral("اتبع وضع «عدم الإزعاج» في سطح المكتب"), this), "holdDoNotDisturb");
    layout.addWidget(m_fullScreen);
    layout.addWidget(m_doNotDisturb);

    auto *awayRow = new QHBoxLayout;
    m_away = named(new QCheckBox(QStringLiteral("انتظر عودتي إذا غبت عن الجهاز أكثر من"), this), "holdAway");
    m_awayMinutes = named(new QSpinBox(this), "awayMinutes");
    m_awayMinutes->setRange(HoldSettings::AwayMinutesRange.low, HoldSettings::AwayMinutesRange.high);
    m_awayMinutes->setAccessibleName(QStringLiteral("دقائق الغياب"));
    awayRow->addWidget(m_away);
    awayRow->addWidget(m_awayMinutes);
    awayRow->addStretch();
    layout.addLayout(awayRow);
}

QGroupBox *HoldWindow::buildActiveHours()
{
    m_activeHours = named(new QGroupBox(QStringLiteral("أظهره في هذه الأوقات والأيام فقط"), this), "activeHours");
    m_activeHours->setCheckable(true);
    auto *hours = new QVBoxLayout(m_activeHours);
    auto *times = new QHBoxLayout;
    m_hoursStart = named(new QTimeEdit(m_activeHours), "hoursStart");
    m_hoursEnd = named(new QTimeEdit(m_activeHours), "hoursEnd");
    // The numbers in the digits the main window's boxes and the tooltips
    // use, the hours before the minutes as a clock reads.
    m_awayMinutes->setLocale(QLocale::c());
    for (QTimeEdit *edit : {m_hoursStart, m_hoursEnd}) {
        edit->setLocale(QLocale::c());
        edit->setLayoutDirection(Qt::LeftToRight);
        edit->setDisplayFormat(QStringLiteral("HH:mm"));
    }
    // Each named whole by itself: a label made its buddy would be read
    // before the name, "من من الساعة".
    m_hoursStart->setAccessibleName(QStringLiteral("من الساعة"));
    m_hoursEnd->setAccessibleName(QStringLiteral("إلى الساعة"));
    auto *from = named(new QLabel(QStringLiteral("من"), m_activeHours), "hoursFrom");
    auto *to = named(new QLabel(QStringLiteral("إلى"), m_activeHours), "hoursTo");
    times->addWidget(from);
    times->addWidget(m_hoursStart);
    times->addWidget(to);
    times->addWidget(m_hoursEnd);
    times->addStretch();
    hours->addLayout(times);
    auto *days = new QHBoxLayout;
    m_days.resize(7);
    for (int day : WeekDays::ReadingOrder) {
        auto *box = new QCheckBox(WeekDays::name(day), m_activeHours);
        box->setObjectName(QStringLiteral("day%1").arg(day));
        m_days[day - 1] = box;
        days->addWidget(box);
    }
    hours->addLayout(days);
    return m_activeHours;
}

void HoldWindow::buildMonitorRow(QVBoxLayout &layout)
{
    auto *monitorRow = new QHBoxLayout;
    m_monitor = named(new QComboBox(this), "monitor");
    // Marked before its first item: choosing one already makes Qt build and
    // keep the box's interface.
    readAsCaptionAndChoice(*m_monitor);
    m_monitor->addItem(QStringLiteral("الشاشة الرئيسية"), int(HoldSettings::Monitor::Primary));
    m_monitor->addItem(QStringLiteral("الشاشة التي عليها المؤشر"), int(HoldSettings::Monitor::Pointer));
    m_monitor->addItem(QStringLiteral("شاشة النافذة النشطة"), int(HoldSettings::Monitor::ActiveWindow));
    // Read as its caption with the chosen screen as its value; the caption
    // beside it is no buddy, so that it is not read twice.
    const QString onScreen = QStringLiteral("يظهر على");
    m_monitor->setAccessibleName(onScreen);
    monitorRow->addWidget(named(new QLabel(onScreen + QLatin1Char(':'), this), "monitorCaption"));
    monitorRow->addWidget(m_monitor);
    monitorRow->addStretch();
    layout.addLayout(monitorRow);
}

void HoldWindow::buildCardRow(QVBoxLayout &layout)
{
    auto *row = new QHBoxLayout;
    m_corner = named(new QComboBox(this), "cardCorner");
    m_size = named(new QComboBox(this), "cardSize");
    // Marked before their first items, as the monitor's box.
    readAsCaptionAndChoice(*m_corner);
    readAsCaptionAndChoice(*m_size);
    m_corner->addItem(QStringLiteral("أسفل اليمين"), int(CardGeometry::Corner::BottomRight));
    m_corner->addItem(QStringLiteral("أسفل اليسار"), int(CardGeometry::Corner::BottomLeft));
    m_corner->addItem(QStringLiteral("أعلى اليمين"), int(CardGeometry::Corner::TopRight));
    m_corner->addItem(QStringLiteral("أعلى اليسار"), int(CardGeometry::Corner::TopLeft));
    m_size->addItem(QStringLiteral("صغير"), int(CardGeometry::Size::Small));
    m_size->addItem(QStringLiteral("عادي"), int(CardGeometry::Size::Normal));
    m_size->addItem(QStringLiteral("كبير"), int(CardGeometry::Size::Large));
    m_size->addItem(QStringLiteral("كبير جداً"), int(CardGeometry::Size::Larger));
    // Named whole, as the monitor's box: "زاوية البطاقة، أعلى اليسار".
    const QString corner = QStringLiteral("زاوية البطاقة");
    const QString size = QStringLiteral("حجم البطاقة");
    m_corner->setAccessibleName(corner);
    m_size->setAccessibleName(size);
    row->addWidget(named(new QLabel(corner + QLatin1Char(':'), this), "cornerCaption"));
    row->addWidget(m_corner);
    row->addWidget(named(new QLabel(size + QLatin1Char(':'), this), "sizeCaption"));
    row->addWidget(m_size);
    row->addStretch();
    layout.addLayout(row);
    // Only the user's own choice shows the card, by mouse or by keys; the
    // window showing the saved values does not.
    for (QComboBox *box : {m_corner, m_size})
        connect(box, &QComboBox::activated, this, [this] { Q_EMIT previewRequested(shown()); });
}

void HoldWindow::showValues(const HoldSettings::Values &v)
{
    m_fullScreen->setChecked(v.fullScreen);
    m_doNotDisturb->setChecked(v.doNotDisturb);
    m_away->setChecked(v.away);
    m_awayMinutes->setValue(v.awayMinutes);
    showMinutesNoun(v.awayMinutes);
    m_activeHours->setChecked(v.activeHours);
    m_hoursStart->setTime(v.hoursStart);
    m_hoursEnd->setTime(v.hoursEnd);
    for (int day = 1; day <= 7; ++day)
        m_days[day - 1]->setChecked(v.days & HoldSettings::dayBit(day));
    m_monitor->setCurrentIndex(m_monitor->findData(int(v.monitor)));
    m_corner->setCurrentIndex(m_corner->findData(int(v.corner)));
    m_size->setCurrentIndex(m_size->findData(int(v.size)));
    updateEnabled();
}

HoldSettings::Values HoldWindow::shown() const
{
    HoldSettings::Values v = m_settings.values();
    v.fullScreen = m_fullScreen->isChecked();
    v.doNotDisturb = m_doNotDisturb->isChecked();
    v.away = m_away->isChecked();
    v.awayMinutes = m_awayMinutes->value();
    v.activeHours = m_activeHours->isChecked();
    v.hoursStart = m_hoursStart->time();
    v.hoursEnd = m_hoursEnd->time();
    v.days = 0;
    for (int day = 1; day <= 7; ++day) {
        if (m_days[day - 1]->isChecked())
            v.days |= HoldSettings::dayBit(day);
    }
    v.monitor = HoldSettings::Monitor(m_monitor->currentData().toInt());
    v.corner = CardGeometry::Corner(m_corner->currentData().toInt());
    v.size = CardGeometry::Size(m_size->currentData().toInt());
    return v;
}

void HoldWindow::showMinutesNoun(int minutes)
{
    m_awayMinutes->setSuffix(QLatin1Char(' ') + countedNoun(minutes, Nouns::Minute));
}

void HoldWindow::updateEnabled()
{
    m_awayMinutes->setEnabled(m_away->isChecked());
}

void HoldWindow::apply()
{
    HoldSettings::Values v = shown();
    // No day at all would hold every card for good: it means every day.
    if (v.activeHours && v.days == 0)
        v.days = HoldSettings::AllDays;
    m_settings.setValues(v);
    if (!m_settings.save())
        Q_EMIT notSaved();
    accept();
}

QString HoldWindow::problemMessage(const HoldSettings &settings)
{
    const QString start = QStringLiteral("تعذّرت قراءة ملف «متى يظهر التذكير» فاستُعملت الخيارات الأصلية");
    if (settings.setAside().isEmpty())
        return start + QStringLiteral("، وبقي الملف كما هو فلن يُكتب فوقه.");
    return start + QStringLiteral("، ونُقل الملف كما هو إلى «%1».").arg(QDir::toNativeSeparators(settings.setAside()));
}
