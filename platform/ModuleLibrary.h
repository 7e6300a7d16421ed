#pragma once

#include <QLibrary>
#include <QString>
#include <memory>

// A module of the program (modules/<name> in the player's folder: beside
// the program in the build tree, lib/murel once installed), loaded when
// first needed. A module that is missing or cannot be loaded is said once,
// with what the program then goes without; the library, once loaded, stays
// for the rest of the process, as what it leaves behind may outlive the
// objects it made.
class ModuleLibrary
{
public:
    // name: "murel-network"; without: "no announcements can be fetched".
    ModuleLibrary(QString exeFolder, QString name, const char *without);

    // The module's entry point called symbol; null when there is none.
    QFunctionPointer resolve(const char *symbol);

    // The module's file under folder, a folder the player may be in.
    static QString fileIn(const QString &folder, const QString &name);

private:
    QString m_exeFolder;
    QString m_name;
    const char *m_without;
    std::unique_ptr<QLibrary> m_library;
};
