// murel-player: plays the announcement movie for the main window's strip,
// in a process of its own, so that the web engine's memory goes with it
// when the strip no longer shows a movie, and a crash takes only the movie.
//
//   murel-player [--parent WINDOW] [--size WxH] [--background #RRGGBB] MOVIE
//
// With a parent window the player's window becomes a child of it (the
// strip's own native window) at its top-left corner; without one it is an
// ordinary window, which is handy for measuring the player alone. Its page
// and Ruffle's files are in "player" beside this program.
#include "announce/player/HostChannel.h"
#include "announce/player/RufflePlayer.h"
#include "platform/MemoryCap.h"

#include <QApplication>
#include <QColor>
#include <QCommandLineParser>
#include <QDir>
#include <QQuickWindow>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

// Playing takes about 300 MiB of data in the largest process: a movie
// that wants more than this (an unpacking or script bomb that got past the
// checks) fails in its player, not the desktop's memory. The strip ends a
// player whose processes hold too much together.
constexpr qint64 MemoryCapBytes = 512LL * 1024 * 1024;

// What the engine is told for a small strip that plays a movie of a few
// frames a second. The sandbox stays as it is. Flags the environment
// already gives come first and are kept.
void tuneEngine()
{
    const char *const ours[] = {
        // The audio service runs inside this process, not in one of its own.
        "--disable-features=AudioServiceOutOfProcess",
        // Only pages are started here: the zygote for unsandboxed utility
        // processes would sit idle with its own copy of the libraries.
        "--no-unsandboxed-zygote",
        // A strip of 281x54 pixels is rastered in a moment by one thread.
        "--num-raster-threads=1",
        // Ruffle's WebAssembly on the baseline compiler alone, whose code is
        // plenty fast for such a movie, and each function compiled when it is
        // first called: a simple movie calls a small part of the player, and
        // the code of the rest never takes memory in the page's process.
        "--js-flags=--liftoff-only,--wasm-lazy-compilation",
    };
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const char *flag : ours) {
        if (!flags.isEmpty())
            flags += ' ';
        flags += flag;
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

// The strip is small enough for the processor to draw alone, and its movie
// is drawn by Ruffle on a canvas anyway: the view is composed in software
// and no OpenGL driver is loaded, whose code alone (a software rasterizer
// and its compiler, some 50 MB) outweighs everything the strip draws.
void drawInSoftware()
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // On X11 the toolkit would still load OpenGL to probe it.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

} // namespace

int main(int argc, char *argv[])
{
    capProcessMemory(MemoryCapBytes);
    tuneEngine();
    drawInSoftware();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("murel-player"));
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser options;
    const QCommandLineOption parentOption(QStringLiteral("parent"), QStringLiteral("Window to play in."),
                                          QStringLiteral("id"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Size of the player."),
                                        QStringLiteral("WxH"), QStringLiteral("281x54"));
    const QCommandLineOption backgroundOption(QStringLiteral("background"), QStringLiteral("Colour behind the movie."),
                                              QStringLiteral("colour"), QStringLiteral("#000000"));
    options.addOptions({parentOption, sizeOption, backgroundOption});
    options.addPositionalArgument(QStringLiteral("movie"), QStringLiteral("The movie file."));
    options.process(app);
    const QStringList movie = options.positionalArguments();
    const QStringList size = options.value(sizeOption).split(QLatin1Char('x'));
    if (movie.size() != 1 || size.size() != 2) {
        std::fputs("usage: murel-player [--parent WINDOW] [--size WxH] [--background #RRGGBB] MOVIE\n", stderr);
        return 2;
    }

    HostChannel host;
    QObject::connect(&host, &HostChannel::quitRequested, &app, [] { QCoreApplication::exit(0); });

    RufflePlayer player(QCoreApplication::applicationDirPath() + QStringLiteral("/player"),
                        QColor::fromString(options.value(backgroundOption)));
    QObject::connect(&player, &RufflePlayer::statusChanged, &host, &HostChannel::report);
    QObject::connect(&host, &HostChannel::heartbeatDue, &player, &RufflePlayer::ask);
    QObject::connect(&player, &RufflePlayer::answered, &host, &HostChannel::beat);

    QWidget *view = player.widget();
    view->resize(size.at(0).toInt(), size.at(1).toInt());
    if (options.isSet(parentOption)) {
        bool ok = false;
        const WId parent = options.value(parentOption).toULongLong(&ok, 0);
        if (!ok)
            return 2;
        // A child of the strip: no frame, no taskbar entry, and never the
        // keyboard focus, which stays with the main window's controls.
        view->setWindowFlags(Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
        view->setAttribute(Qt::WA_ShowWithoutActivating);
        view->setFocusPolicy(Qt::NoFocus);
        view->winId();
        view->windowHandle()->setParent(QWindow::fromWinId(parent));
        view->move(0, 0);
    }
    view->show();
    player.load(movie.first());
    const int code = app.exec();
    return code;
}
