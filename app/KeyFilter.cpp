#include "app/KeyFilter.h"

#include "app/MessageBoxes.h"

#include <QKeyEvent>
#include <QWidget>

KeyFilter::KeyFilter(MessageBoxes &messages, QObject *parent)
    : QObject(parent)
    , m_messages(messages)
{
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (classifyNumberKey(key->key(), key->modifiers(), key->text())) {
    case KeyVerdict::Accept:
    case KeyVerdict::Pass: return false;
    case KeyVerdict::Swallow: return true;
    case KeyVerdict::Reject: m_messages.warnInvalid(qobject_cast<QWidget *>(watched), RejectMessage); return true;
    }
    return false;
}
