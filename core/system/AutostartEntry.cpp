#include "core/system/AutostartEntry.h"

#include "core/settings/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

namespace {

// As in the desktop entry installed with the program, so that the session's
// list of start-up programs shows the same name and icon.
const QString kDisplayName = QStringLiteral("Murel");
const QString kIcon = QStringLiteral("org.murel.Murel");

// The keys of the [Desktop Entry] group with their string escapes undone
// (\s \n \t \r \\); localised keys and other groups are left out.
QHash<QString, QString> mainGroup(const QByteArray &entry)
{
    QHash<QString, QString> keys;
    bool inMain = false;
    const QStringList lines = QString::fromUtf8(entry).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('['))) {
            inMain = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inMain || line.startsWith(QLatin1Char('#')) || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString raw = line.mid(equals + 1).trimmed();
        QString value;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] != QLatin1Char('\\') || i + 1 == raw.size()) {
                value += raw[i];
                continue;
            }
            const QChar next = raw[++i];
            switch (next.unicode()) {
            case 's': value += QLatin1Char(' '); break;
            case 'n': value += QLatin1Char('\n'); break;
            case 't': value += QLatin1Char('\t'); break;
            case 'r': value += QLatin1Char('\r'); break;
            default: value += next; break;
            }
        }
        // The first of a repeated key counts, as the session reads it.
        if (!keys.contains(key))
            keys.insert(key, value);
    }
    return keys;
}

// The program an Exec value runs: its first argument with the quoting
// undone and "%%" back to "%"; nothing when the quotes do not close.
std::optional<QString> firstArgument(const QString &exec)
{
    QString out;
    qsizetype i = 0;
    while (i < exec.size() && exec[i] == QLatin1Char(' '))
        ++i;
    if (i < exec.size() && exec[i] == QLatin1Char('"')) {
        for (++i; i < exec.size() && exec[i] != QLatin1Char('"'); ++i) {
            if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size())
                ++i;
            out += exec[i];
        }
        if (i == exec.size())
            return std::nullopt;
    } else {
        for (; i < exec.size() && exec[i] != QLatin1Char(' ') && exec[i] != QLatin1Char('\t'); ++i)
            out += exec[i];
    }
    out.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return out;
}

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
    // TryExec takes the path as a plain string, without the Exec quoting.
    QString tryExec = command;
    tryExec.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=") + kDisplayName + QLatin1Char('\n');
    text += QStringLiteral("Icon=") + kIcon + QLatin1Char('\n');
    text += QStringLiteral("TryExec=") + tryExec + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + exec + QLatin1Char('\n');
    text += QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    return text.toUtf8();
}

bool runs(const QByteArray &entry, const QString &command)
{
    const QHash<QString, QString> keys = mainGroup(entry);
    if (keys.value(QStringLiteral("Hidden")) == QLatin1String("true")
        || keys.value(QStringLiteral("X-GNOME-Autostart-enabled")) == QLatin1String("false"))
        return false;
    // The session passes over an entry whose TryExec names no program.
    const QString tryExec = keys.value(QStringLiteral("TryExec"));
    if (!tryExec.isEmpty() && QStandardPaths::findExecutable(tryExec).isEmpty())
        return false;
    const std::optional<QString> program = firstArgument(keys.value(QStringLiteral("Exec")));
    return program && !command.isEmpty() && *program == command;
}

bool isRegistered(const QString &folder, const QString &name, const QString &command)
{
    QFile file(QDir(folder).filePath(name + QStringLiteral(".desktop")));
    // An entry is a few hundred bytes; anything far larger is not ours.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024)
        return false;
    return runs(file.readAll(), command);
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
