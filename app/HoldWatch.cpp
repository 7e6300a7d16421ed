#include "app/HoldWatch.h"

#include "core/hold/HoldGate.h"
#include "core/hold/HoldSettings.h"
#include "platform/Platform.h"

HoldWatch::HoldWatch(Platform &platform, HoldGate &gate, std::function<QRect()> cardMonitor, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_gate(gate)
    , m_cardMonitor(std::move(cardMonitor))
{
    m_idle.setTimerType(Qt::CoarseTimer);
    connect(&m_idle, &QTimer::timeout, this, &HoldWatch::pollIdle);
    connect(&m_gate.settings(), &HoldSettings::changed, this, &HoldWatch::follow);
    connect(&m_gate, &HoldGate::changed, this, [this] {
        if (m_idle.isActive()) {
            const int wanted = m_gate.reason() == HoldReason::Away ? IdleReturnPollMs : IdlePollMs;
            if (m_idle.interval() != wanted)
                m_idle.start(wanted);
        }
    });
    connect(&m_gate, &HoldGate::desktopAsked, this, [this] { m_platform.askHolds(); });
    // A locked screen always holds a card: its watch has no choice.
    m_lock = new QObject(this);
    m_platform.watchScreenLock(*m_lock, [this](bool locked) { m_gate.setScreenLocked(locked); });
    follow();
}

void HoldWatch::follow()
{
    const HoldSettings::Values &v = m_gate.settings().values();
    if (v.fullScreen && !m_fullScreen) {
        m_fullScreen = new QObject(this);
        m_platform.watchFullScreen(*m_fullScreen, [this](QRect area) {
            m_fullScreenArea = area;
            updateFullScreen();
        });
    } else if (!v.fullScreen && m_fullScreen) {
        delete m_fullScreen;
        m_fullScreen = nullptr;
        m_fullScreenArea = QRect();
        m_gate.setFullScreen(false);
    }
    if (v.doNotDisturb && !m_doNotDisturb) {
        m_doNotDisturb = new QObject(this);
        m_platform.watchDoNotDisturb(*m_doNotDisturb, [this](bool on) { m_gate.setDoNotDisturb(on); });
    } else if (!v.doNotDisturb && m_doNotDisturb) {
        delete m_doNotDisturb;
        m_doNotDisturb = nullptr;
        m_gate.setDoNotDisturb(false);
    }
    if (v.away && !m_idle.isActive()) {
        m_idle.start(IdlePollMs);
        pollIdle();
    } else if (!v.away && m_idle.isActive()) {
        m_idle.stop();
        m_gate.setIdleMs(0);
    }
    // The monitor choice may have changed which screen counts.
    updateFullScreen();
}

void HoldWatch::updateFullScreen()
{
    // A window full screen on another monitor leaves the card's own free.
    const QRect monitor = m_cardMonitor();
    m_gate.setFullScreen(!m_fullScreenArea.isEmpty() && monitor.isValid()
                         && m_fullScreenArea.contains(monitor.center()));
}

void HoldWatch::pollIdle()
{
    m_gate.setIdleMs(std::max<qint64>(0, m_platform.idleMs()));
}
