#include "platform/ConsoleOutput.h"

#include <qt_windows.h>
#include <shellapi.h>

namespace {

bool usable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return usable(handle) && GetConsoleMode(handle, &mode);
}

// A program of windows has no console of its own: it takes the one of the
// program it was started from (a command prompt), once, and only when it
// has something to say. Started from the desktop there is none, and the
// text goes nowhere.
void attachParentConsole()
{
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    Q_UNUSED(attached);
}

// The attached console's screen, for when the standard handles name none
// (a program of windows started without them).
HANDLE consoleScreen()
{
    static const HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return screen;
}

// As characters: the console shows Arabic whatever its code page.
void writeCharacters(HANDLE console, const QString &text)
{
    const auto *chars = reinterpret_cast<const wchar_t *>(text.utf16());
    qsizetype left = text.size();
    while (left > 0) {
        // In pieces that older consoles take whole, never between the two
        // halves of a character.
        qsizetype piece = qMin<qsizetype>(left, 8192);
        if (piece < left && QChar::isHighSurrogate(chars[piece - 1]))
            --piece;
        DWORD written = 0;
        if (!WriteConsoleW(console, chars, DWORD(piece), &written, nullptr) || written == 0)
            return;
        chars += written;
        left -= qsizetype(written);
    }
}

void writeBytes(HANDLE file, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.constData() + done, DWORD(bytes.size() - done), &written, nullptr) || written == 0)
            return;
        done += qsizetype(written);
    }
}

void write(DWORD which, const QString &text)
{
    if (text.isEmpty())
        return;
    HANDLE handle = GetStdHandle(which);
    const DWORD type = usable(handle) ? GetFileType(handle) : FILE_TYPE_UNKNOWN;
    // Sent to a file or a pipe: UTF-8 bytes, as on any other system.
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) {
        writeBytes(handle, text.toUtf8());
        return;
    }
    attachParentConsole();
    // Attaching gives the standard handles that had none the console's.
    handle = GetStdHandle(which);
    if (isConsole(handle)) {
        writeCharacters(handle, text);
        return;
    }
    // A device that is no console: the null device, or a terminal that
    // Wine passes on from its own system.
    if (usable(handle) && GetFileType(handle) == FILE_TYPE_CHAR) {
        writeBytes(handle, text.toUtf8());
        return;
    }
    if (isConsole(consoleScreen()))
        writeCharacters(consoleScreen(), text);
}

} // namespace

void writeOutput(const QString &text)
{
    write(STD_OUTPUT_HANDLE, text);
}

void writeError(const QString &text)
{
    write(STD_ERROR_HANDLE, text);
}

QStringList commandLineArguments(int argc, char *argv[])
{
    QStringList arguments;
    int count = 0;
    if (LPWSTR *words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(words[i]);
        LocalFree(words);
        return arguments;
    }
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
