#include "core/AutostartEntry.h"

#include "core/SaveFile.h"

#include <QDir>
#include <QFile>

namespace {

// As in the desktop entry installed with the program, so that the session's
// list of start-up programs shows the same name and icon.
const QString kDisplayName = QStringLiteral("Murel");
const QString kIcon = QStringLiteral("org.murel.Murel");

} // namespace

namespace AutostartEntry {

QString quoteArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString out = argument;
    if (needsQuotes) {
        out.clear();
        for (const QChar c : argument) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                out += QLatin1Char('\\');
            out += c;
        }
        out = QLatin1Char('"') + out + QLatin1Char('"');
    }
    // "%" starts a field code in an Exec line.
    out.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return out;
}

QByteArray content(const QString &command)
{
    // The file's own string escapes come on top of the Exec quoting: each
    // backslash is written twice.
    QString exec = quoteArgument(command);
    exec.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=") + kDisplayName + QLatin1Char('\n');
    text += QStringLiteral("Icon=") + kIcon + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + exec + QLatin1Char('\n');
    text += QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    return text.toUtf8();
}

bool write(const QString &folder, const QString &name, const QString &command)
{
    if (!QDir().mkpath(folder))
        return false;
    return saveFile(QDir(folder).filePath(name + QStringLiteral(".desktop")), content(command));
}

void remove(const QString &folder, const QString &name)
{
    QFile::remove(QDir(folder).filePath(name + QStringLiteral(".desktop")));
}

} // namespace AutostartEntry
