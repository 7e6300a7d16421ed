#include "app/Fonts.h"
#include "app/MainWindow.h"
#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "controls/ButtonAccessible.h"
#include "controls/Shape.h"
#include "controls/ShownChildrenAccessible.h"
#include "core/cycle/Clock.h"
#include "core/system/CommandLine.h"
#include "core/system/DisplayChoice.h"
#include "platform/ConsoleOutput.h"
#include "platform/DisplayEnvironment.h"
#include "platform/InstanceChannel.h"
#include "platform/Platform.h"
#include "platform/PlatformPlugins.h"
#include "reminder/CardAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QToolTip>
#include <QTranslator>

namespace {

// The running copy did what was asked, but could not save it.
constexpr int NotSavedStatus = 3;

// The copy on the same data folder takes the request and confirms it.
int handOver(const QByteArray &request)
{
    const DataFolderChoice dataFolder = dataFolderFromEnvironment();
    if (dataFolder.refusal != DataFolderChoice::Refusal::None) {
        writeError(dataFolderRefusalLine(dataFolder.refusal));
        return DataFolderRefusedStatus;
    }
    switch (InstanceChannel(dataFolder.folder).send(request)) {
    case InstanceChannel::Outcome::Done: return 0;
    case InstanceChannel::Outcome::DoneNotSaved:
        writeError(
            QStringLiteral("murel: done, but the running copy could not save it: it holds until that copy ends\n"));
        return NotSavedStatus;
    case InstanceChannel::Outcome::NotTaken: break;
    }
    writeError(
        QStringLiteral("murel: no running copy took the request (is Murel running for this user and data folder?)\n"));
    return 1;
}

// Where the display comes from the environment, picks the toolkit's
// platform from it; without any display, says so in one line and gives the
// status to end with (0: go on).
int chooseDisplayOrRefuse(const CommandLineDecision &commandLine)
{
    if (!displayNamedByEnvironment())
        return 0;
    // -platform on the command line outweighs QT_QPA_PLATFORM.
    // and -display outweighs DISPLAY.
    const QByteArray option = commandLine.platform.toLocal8Bit();
    const QByteArray x11 = commandLine.display.toLocal8Bit();
    const DisplayChoice display =
        chooseDisplay(qgetenv("XDG_SESSION_TYPE"), qgetenv("WAYLAND_DISPLAY"), x11.isEmpty() ? qgetenv("DISPLAY") : x11,
                      option.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : option, platformPluginInstalled(u"wayland"));
    // Either way the toolkit would abort with a core dump instead.
    if (display.noDisplay || display.waylandMissing) {
        writeError(QString::fromUtf8(display.noDisplay ? NoDisplayLine : WaylandPluginMissing));
        return NoDisplayStatus;
    }
    if (display.useX11) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else if (display.warnWayland) {
        // Without X11 there is no other way to the screen.
        qputenv("QT_QPA_PLATFORM", "wayland");
        writeError(QString::fromUtf8(WaylandNotice));
    }
    return 0;
}

void setUpApplication(QTranslator &arabic)
{
    QApplication::setApplicationName(QStringLiteral("murel"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // Hidden in the tray with no card up, the program has no window open
    // and must go on running.
    QApplication::setQuitOnLastWindowClosed(false);
    registerFontSubstitutions();
    // Menus, message boxes and tooltips in the windows' own face, and the
    // toolkit's own words (OK, the edit boxes' menu) in Arabic.
    QApplication::setFont(interfaceFont());
    QToolTip::setFont(interfaceFont());
    QAccessible::installFactory(buttonAccessibleFactory);
    QAccessible::installFactory(cardAccessibleFactory);
    QAccessible::installFactory(shapeAccessibleFactory);
    QAccessible::installFactory(shownChildrenAccessibleFactory);
    // The program speaks Arabic whatever the session's language: menus the
    // desktop draws from what the tray icon publishes are laid out right to
    // left by the default locale's direction.
    QLocale::setDefault(QLocale(QLocale::Arabic));
    if (arabic.load(QLocale(QLocale::Arabic), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&arabic);
}

} // namespace

int main(int argc, char *argv[])
{
    // Before the application object: --help and --version need no display.
    const CommandLineDecision commandLine = decideCommandLine(commandLineArguments(argc, argv));
    if (!commandLine.run) {
        writeOutput(commandLine.standardOutput);
        writeError(commandLine.standardError);
        return commandLine.exitCode;
    }
    // A request for the running copy needs no display either: it is handed
    // over, and this copy ends.
    if (!commandLine.request.isEmpty())
        return handOver(commandLine.request);
    if (const int status = chooseDisplayOrRefuse(commandLine); status != 0)
        return status;

    // A windir that cannot name one fixed folder is refused before anything
    // is read or written: said on the terminal at once, and in a box once
    // there is a screen to show it on.
    const DataFolderChoice dataFolder = dataFolderFromEnvironment();
    if (dataFolder.refusal != DataFolderChoice::Refusal::None)
        writeError(dataFolderRefusalLine(dataFolder.refusal));

    QApplication app(argc, argv);
    QTranslator arabic;
    setUpApplication(arabic);

    MessageBoxes messages;
    if (dataFolder.refusal != DataFolderChoice::Refusal::None) {
        messages.inform(nullptr, dataFolderRefusalMessage(dataFolder.refusal));
        return DataFolderRefusedStatus;
    }
    const std::unique_ptr<Platform> platform = createPlatform();
    SteadyClock clock;
    Program program(*platform, clock);
    MainWindow form2(program, *platform, messages, clock);
    // The executable picks the publisher: the real one, or the end-to-end
    // tests' local server.
    form2.setPublisher(Publisher::fromBuild());
    // The end is immediate: exit() leaves every event loop, a modal
    // window's included, without asking the windows first (the main window
    // would refuse a close, and quit() would ask again and again).
    QObject::connect(&form2, &MainWindow::programEnd, &app, [] { QCoreApplication::exit(0); });
    platform->onEndRequest([&form2] { form2.exitProgram(); });
    platform->onCloseRequest(form2, [&form2] { form2.exitProgram(); });
    if (!form2.load() || form2.ending())
        return 0;
    // Every run opens with a reminder.
    form2.openReminder();
    return form2.ending() ? 0 : app.exec();
}
