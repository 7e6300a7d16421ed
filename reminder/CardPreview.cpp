#include "reminder/CardPreview.h"

#include "reminder/ReminderCard.h"

CardPreview::CardPreview(Clock &clock, Platform &platform, const QIcon &icon, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_platform(platform)
    , m_icon(icon)
{
}

CardPreview::~CardPreview()
{
    dismiss();
}

void CardPreview::show(CardContent content)
{
    dismiss();
    content.displaySeconds = Seconds;
    m_card = new ReminderCard(content, m_clock, m_platform, m_icon);
    m_card->setObjectName(QStringLiteral("cardPreview"));
    // Told apart from a reminder by the window manager and the tests.
    m_card->setWindowRole(QStringLiteral("murel-preview"));
    m_card->showCard();
}

void CardPreview::dismiss()
{
    if (ReminderCard *card = m_card.data()) {
        m_card = nullptr;
        card->unload();
    }
}
