#include "core/settings/Store.h"

#include "core/settings/DamagedFile.h"
#include "core/settings/RegularFile.h"
#include "core/settings/SaveFile.h"

#include <QFile>
#include <QFileInfo>

Store::Store(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
}

Store::Contents Store::read(qint64 limit)
{
    m_problem = Problem::None;
    m_setAside.clear();
    m_keepOff = false;
    Contents contents;
    if (!QFileInfo::exists(m_path) && !QFileInfo(m_path).isSymLink())
        return contents;
    contents.present = true;
    QFile file(m_path);
    if (!openRegularFile(file)) {
        m_problem = Problem::Unreadable;
        return contents;
    }
    contents.bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        m_problem = Problem::Unreadable;
        contents.bytes.clear();
    }
    return contents;
}

void Store::setDamagedAside(Problem why)
{
    m_problem = why;
    m_setAside = setDamagedFileAside(m_path);
    m_keepOff = m_setAside.isEmpty();
}

bool Store::write(const QByteArray &bytes) const
{
    if (m_keepOff)
        return false;
    return saveFile(m_path, bytes);
}
