// The yardstick for murel's start-up: a bare Qt tray application of a few
// lines, with a main window of the same size.
#include <QApplication>
#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QStyle>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowRole(QStringLiteral("bare-main"));
    window.resize(312, 346);
    QSystemTrayIcon tray(app.style()->standardIcon(QStyle::SP_ComputerIcon));
    tray.show();
    window.show();
    return app.exec();
}
