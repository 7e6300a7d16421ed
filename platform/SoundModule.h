#pragma once

#include <QString>
#include <memory>

class QLibrary;
class SoundOutput;

// The sound module (murel-sound), loaded on the first call to output()
// from modules/ in the player's folder, as the network module is. A module
// that is missing or cannot be loaded is tried once and said once; the
// program then goes on without sound.
class SoundModule
{
public:
    explicit SoundModule(QString exeFolder);
    ~SoundModule();

    SoundOutput *output();

    // The module's file under folder, a folder the player may be in.
    static QString fileIn(const QString &folder);

private:
    QString m_exeFolder;
    bool m_tried = false;
    std::unique_ptr<QLibrary> m_library;
    std::unique_ptr<SoundOutput> m_output;
};
