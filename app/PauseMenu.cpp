#include "app/PauseMenu.h"

#include "core/hold/CountedNoun.h"
#include "core/hold/HoldGate.h"

PauseMenu::PauseMenu(HoldGate &gate, QWidget *parent)
    : QMenu(Title, parent)
    , m_gate(gate)
{
    setLayoutDirection(Qt::RightToLeft);
    auto item = [this](const QString &text, const char *name, PauseLength length) {
        QAction *action = addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, length] {
            if (!m_gate.pause(length))
                Q_EMIT notSaved();
        });
    };
    item(withCount(15, Nouns::Minute), "pauseQuarter", PauseLength::QuarterHour);
    item(withCount(1, Nouns::Hour), "pauseHour", PauseLength::Hour);
    item(QStringLiteral("حتى الغد"), "pauseTomorrow", PauseLength::UntilTomorrow);
    addSeparator();
    m_resume = addAction(QStringLiteral("استئناف"));
    m_resume->setObjectName(QStringLiteral("resume"));
    connect(m_resume, &QAction::triggered, this, [this] {
        if (!m_gate.resume())
            Q_EMIT notSaved();
    });
    connect(&m_gate, &HoldGate::changed, this, &PauseMenu::update);
    update();
}

void PauseMenu::update()
{
    m_resume->setEnabled(m_gate.pausedUntil().isValid());
}
