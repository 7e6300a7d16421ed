#include "app/Clock.h"
#include "app/Fonts.h"
#include "app/Form2.h"
#include "app/MessageBoxes.h"
#include "platform/Platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("murel"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // Hidden in the tray with no card up, the program has no window open
    // and must go on running.
    QApplication::setQuitOnLastWindowClosed(false);
    registerFontSubstitutions();

    const std::unique_ptr<Platform> platform = createPlatform();
    MessageBoxes messages;
    SteadyClock clock;
    Form2 form2(*platform, messages, clock);
    QObject::connect(&form2, &Form2::programEnd, &app, &QApplication::quit, Qt::QueuedConnection);
    if (!form2.load())
        return 0;
    // Every run opens with a reminder.
    form2.openReminder();
    return app.exec();
}
