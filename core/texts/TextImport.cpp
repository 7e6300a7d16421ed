#include "core/texts/TextImport.h"

#include <utility>

TextImport::TextImport(const QString &fileText, const QStringList &existing, int room, Fits fits)
    : m_reader(fileText)
    , m_known(existing.cbegin(), existing.cend())
    , m_room(room)
    , m_fits(std::move(fits))
{
}

QStringList TextImport::step(int count)
{
    QStringList taken;
    for (int i = 0; i < count; ++i) {
        const auto paragraph = m_reader.next();
        if (!paragraph)
            break;
        if (paragraph->controlLine != 0) {
            m_controlLines << paragraph->controlLine;
            continue;
        }
        if (m_known.contains(paragraph->text)) {
            ++m_duplicates;
            continue;
        }
        if (m_taken >= m_room) {
            ++m_overLimit;
            // Counted once however often the file repeats it.
            m_known.insert(paragraph->text);
            continue;
        }
        if (!m_fits(paragraph->text)) {
            m_tooLongLines << paragraph->line;
            continue;
        }
        m_known.insert(paragraph->text);
        taken << paragraph->text;
        ++m_taken;
    }
    return taken;
}
