// The yardstick for murel's start-up and idle cost: a bare Qt tray
// application of a few lines, with a main window of the same size and a
// one-second timer. With --hidden it starts in the tray, as murel does with
// its cycle running.
#include <QApplication>
#include <QMainWindow>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowRole(QStringLiteral("bare-main"));
    window.resize(312, 346);
    QSystemTrayIcon tray(app.style()->standardIcon(QStyle::SP_ComputerIcon));
    tray.show();
    QTimer tick;
    tick.start(1000);
    if (!QCoreApplication::arguments().contains(QStringLiteral("--hidden")))
        window.show();
    return app.exec();
}
