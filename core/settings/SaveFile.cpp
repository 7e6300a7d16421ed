#include "core/settings/SaveFile.h"

#include "core/settings/DiskWrites.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

namespace {

constexpr QLatin1String TemporaryMark(".murel-save-");
constexpr int RandomDigits = 16;
// Another copy (or a stale leftover) holding the same random name is rare;
// a few draws settle it.
constexpr int NameTries = 8;
constexpr QFileDevice::Permissions OwnerReadWrite =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
}

} // namespace

SaveFile::SaveFile(const QString &path)
    : m_path(path)
{
}

SaveFile::~SaveFile()
{
    cancel();
}

bool SaveFile::open()
{
    if (m_file.isOpen() || m_failed)
        return false;
    for (int i = 0; i < NameTries; ++i) {
        const QString candidate = m_path + TemporaryMark
            + QStringLiteral("%1").arg(QRandomGenerator::global()->generate64(), RandomDigits, 16, QLatin1Char('0'));
        m_file.setFileName(candidate);
        // Made here or not at all: never someone else's file (or what a link
        // there leads to). Unbuffered, so that each write meets the disk.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            // The new content keeps who may read the old one, but never
            // shuts out its owner: a file left unreadable (mode 000) would
            // otherwise be written unreadable again at every save. Without
            // an old file it keeps what a new file gets (0666 less umask).
            const QFileInfo target(m_path);
            if (target.isFile())
                m_file.setPermissions(target.permissions() | OwnerReadWrite);
            // Not being able to copy them is no reason to lose the save.
            m_file.unsetError();
            return true;
        }
        if (!QFileInfo(candidate).isSymLink() && !QFileInfo::exists(candidate))
            break;
    }
    m_file.setFileName(QString());
    m_failed = true;
    return false;
}

bool SaveFile::write(QByteArrayView bytes)
{
    if (!m_file.isOpen() || m_failed)
        return false;
    if (bytes.isEmpty())
        return true;
    if (writeToDisk(m_file, bytes) != bytes.size()) {
        m_failed = true;
        return false;
    }
    return true;
}

bool SaveFile::commit()
{
    if (!m_file.isOpen() || m_failed || !syncToDisk(m_file)) {
        cancel();
        return false;
    }
    m_file.close();
    if (m_file.error() != QFileDevice::NoError || !replaceFile(m_file.fileName(), m_path)) {
        cancel();
        return false;
    }
    m_file.setFileName(QString());
    return true;
}

void SaveFile::cancel()
{
    m_failed = true;
    if (m_file.fileName().isEmpty())
        return;
    m_file.close();
    QFile::remove(m_file.fileName());
    m_file.setFileName(QString());
}

qint64 SaveFile::writeToDisk(QFile &file, QByteArrayView bytes)
{
    return file.write(bytes.data(), bytes.size());
}

bool SaveFile::syncToDisk(QFile &file)
{
    return syncFileToDisk(file);
}

bool SaveFile::isTemporaryOf(QStringView fileName, QStringView name)
{
    if (fileName.size() != name.size() + TemporaryMark.size() + RandomDigits || !fileName.startsWith(name)
        || !fileName.mid(name.size()).startsWith(TemporaryMark))
        return false;
    const QStringView random = fileName.last(RandomDigits);
    return std::all_of(random.begin(), random.end(), isHexDigit);
}

bool saveFile(const QString &path, const QByteArray &bytes)
{
    SaveFile file(path);
    return file.open() && file.write(bytes) && file.commit();
}
