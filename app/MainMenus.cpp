#include "app/MainMenus.h"

#include "app/PauseMenu.h"
#include "controls/Named.h"
#include "reminder/HoldWindow.h"
#include "reminder/TimesWindow.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

MainMenus::MainMenus(QMainWindow &window, HoldGate &gate)
    : QObject(&window)
{
    buildBar(window, gate);
    buildTrayMenu(window, gate);
}

void MainMenus::buildBar(QMainWindow &window, HoldGate &gate)
{
    QMenuBar *bar = window.menuBar();
    QMenu *file = named(bar->addMenu(QStringLiteral("ملف")), "File");
    QAction *exit = named(file->addAction(QStringLiteral("خروج")), "exit");
    QMenu *options = named(bar->addMenu(QStringLiteral("خيارات")), "op");
    QAction *settings = named(options->addAction(QStringLiteral("اعدادات")), "Setting");
    auto *pause = named(new PauseMenu(gate, &window), "pauseMenu");
    options->addMenu(pause);
    QAction *hold = named(options->addAction(HoldWindow::Title), "HoldM");
    QAction *times = named(options->addAction(TimesWindow::Title), "TimesM");
    QMenu *help = named(bar->addMenu(QStringLiteral("مساعدة")), "help");
    QAction *instructions = named(help->addAction(QStringLiteral("تعليمات وارشادات")), "InstructionM");
    named(help->addSeparator(), "none");
    QAction *aboutProgram = named(help->addAction(QStringLiteral("عن البرنامج")), "AboutPro");
    QAction *aboutAuthor = named(help->addAction(QStringLiteral("عن المبرمج")), "AboutME");
    named(help->addSeparator(), "line");
    m_advertising = named(help->addAction(QStringLiteral("الإعلان في البرنامج")), "adv");
    QAction *minimize = named(bar->addAction(QStringLiteral("تصغير")), "Minimize");

    connect(exit, &QAction::triggered, this, &MainMenus::exitChosen);
    connect(settings, &QAction::triggered, this, &MainMenus::settingsChosen);
    connect(pause, &PauseMenu::notSaved, this, &MainMenus::pauseNotSaved);
    connect(hold, &QAction::triggered, this, &MainMenus::holdChosen);
    connect(times, &QAction::triggered, this, &MainMenus::timesChosen);
    connect(instructions, &QAction::triggered, this, &MainMenus::instructionsChosen);
    connect(aboutProgram, &QAction::triggered, this, &MainMenus::aboutProgramChosen);
    connect(aboutAuthor, &QAction::triggered, this, &MainMenus::aboutAuthorChosen);
    connect(m_advertising, &QAction::triggered, this, &MainMenus::advertisingChosen);
    connect(minimize, &QAction::triggered, this, &MainMenus::minimizeChosen);
}

void MainMenus::buildTrayMenu(QMainWindow &window, HoldGate &gate)
{
    // A pop-up is a window of its own and takes no direction from the main
    // window.
    m_trayMenu = named(new QMenu(QStringLiteral("tary"), &window), "tary");
    m_trayMenu->setLayoutDirection(Qt::RightToLeft);
    QAction *exit = named(m_trayMenu->addAction(QStringLiteral("خروج")), "exit2");
    named(m_trayMenu->addSeparator(), "none2");
    QAction *maximize = named(m_trayMenu->addAction(QStringLiteral("تكبير")), "Max");
    named(m_trayMenu->addSeparator(), "none3");
    auto *pause = named(new PauseMenu(gate, m_trayMenu), "trayPauseMenu");
    m_trayMenu->addMenu(pause);
    QAction *hold = named(m_trayMenu->addAction(HoldWindow::Title), "HoldM2");
    QAction *times = named(m_trayMenu->addAction(TimesWindow::Title), "TimesM2");

    connect(exit, &QAction::triggered, this, &MainMenus::exitChosen);
    connect(maximize, &QAction::triggered, this, &MainMenus::restoreChosen);
    connect(pause, &PauseMenu::notSaved, this, &MainMenus::pauseNotSaved);
    connect(hold, &QAction::triggered, this, &MainMenus::holdChosen);
    connect(times, &QAction::triggered, this, &MainMenus::timesChosen);
}

void MainMenus::setAdvertisingEnabled(bool enabled)
{
    m_advertising->setEnabled(enabled);
}
