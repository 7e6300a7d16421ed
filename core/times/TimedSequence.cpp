#include "core/times/TimedSequence.h"

TimedSequence::TimedSequence(const QList<TextKey> &texts)
    : m_texts(texts)
{
}

bool TimedSequence::advance()
{
    if (running())
        ++m_position;
    return running();
}
