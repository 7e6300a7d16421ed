#pragma once

#include "core/settings/NumberKey.h"

#include <QObject>
#include <QString>

class MessageBoxes;

// Applies classifyNumberKey to the boxes it is installed on.
class KeyFilter : public QObject
{
    Q_OBJECT
public:
    static inline const QString RejectMessage = QStringLiteral("يمنع استخدام الأحرف");

    KeyFilter(MessageBoxes &messages, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MessageBoxes &m_messages;
};
