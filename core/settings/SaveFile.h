#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

// Writes a file's whole new content so that it either all arrives or the
// old file stays exactly as it was; a reader never meets it half-written.
//
// The bytes go to a temporary beside the target, named
// "<name>.murel-save-<16 hex digits>" (a name no user picks, so the start-up
// can remove what a killed copy left without touching the user's own
// files). Every write is checked as it happens (nothing is buffered, so a
// full disk shows at the write that meets it), the temporary is synced to
// the disk before it is renamed over the target, and any failure removes
// the temporary and leaves the target alone. The new file keeps the old
// one's permissions, except that its owner can always read and write it.
//
// Streaming use: open(), then write() as many pieces as arrive, then
// commit(); cancel() (or destruction before commit()) throws it all away.
// After the first failed step every later one fails too, so a caller may
// check only commit()'s answer. One save per object.
class SaveFile
{
public:
    explicit SaveFile(const QString &path);
    virtual ~SaveFile();
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    // Makes the temporary; false when it cannot be made.
    bool open();
    // Appends bytes; false when not all of them reached the file.
    bool write(QByteArrayView bytes);
    // Syncs the temporary and renames it over the target. False, with the
    // target untouched, when anything on the way failed.
    bool commit();
    // Removes the temporary; the target stays as it was.
    void cancel();

    QString path() const { return m_path; }
    // The temporary in use, while open.
    QString temporaryPath() const { return m_file.fileName(); }

    // Whether fileName is a temporary this class makes for a file named name.
    static bool isTemporaryOf(QStringView fileName, QStringView name);

protected:
    // Where each piece and the sync go: a test puts a failing disk here.
    virtual qint64 writeToDisk(QFile &file, QByteArrayView bytes);
    virtual bool syncToDisk(QFile &file);

private:
    QString m_path;
    QFile m_file;
    bool m_failed = false;
};

// Writes bytes as the whole new content of the file at path, or leaves the
// file as it was. False on failure.
bool saveFile(const QString &path, const QByteArray &bytes);
