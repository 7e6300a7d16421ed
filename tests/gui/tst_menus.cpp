#include "app/MainForm.h"
#include "app/MainWindow.h"
#include "app/TrayArea.h"
#include "common/Find.h"
#include "common/ManualClock.h"
#include "common/RecordingMessages.h"
#include "common/TestPlatform.h"
#include "controls/ButtonAccessible.h"
#include "controls/Shape.h"
#include "core/cycle/ReminderCycle.h"
#include "core/hold/HoldGate.h"
#include "core/hold/HoldSettings.h"
#include "core/times/TimesSettings.h"
#include "info/AboutAuthorWindow.h"
#include "info/AboutProgramWindow.h"
#include "info/InstructionsWindow.h"
#include "reminder/HoldWindow.h"
#include "reminder/ReminderCard.h"
#include "reminder/TimesWindow.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <memory>

namespace {

QStringList captions(const QList<QAction *> &actions)
{
    QStringList out;
    for (QAction *a : actions)
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// Records, at each hide and show of the window, whether the tray icon was up.
class TrayOrder : public QObject
{
public:
    TrayOrder(MainWindow &form)
        : m_form(form)
    {
        form.installEventFilter(this);
    }
    QStringList seen;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Show)
            seen << QStringLiteral("%1 icon %2")
                        .arg(event->type() == QEvent::Hide ? "hide" : "show",
                             child<TrayArea>(m_form, "TA1")->iconVisible() ? "on" : "off");
        return false;
    }

private:
    MainWindow &m_form;
};

} // namespace

class TestMenus : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestPlatform> m_platform;
    RecordingMessages m_messages;
    ManualClock m_clock;
    std::unique_ptr<MainWindow> m_form;

    // A running cycle with a card up: what every stopping command must end.
    MainWindow &running()
    {
        MainWindow &f = *m_form;
        child<QLineEdit>(f, "Text1")->setText(QStringLiteral("5"));
        child<QLineEdit>(f, "Text2")->setText(QStringLiteral("5"));
        f.start();
        f.openReminder();
        return f;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The painted buttons' names come from their factory, as in the program.
        QAccessible::installFactory(buttonAccessibleFactory);
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("windir", m_dir->path().toLocal8Bit());
        m_platform = std::make_unique<TestPlatform>();
        m_messages.clear();
        m_form = std::make_unique<MainWindow>(*m_platform, m_messages, m_clock);
        QVERIFY(m_form->load());
    }
    void cleanup() { m_form.reset(); }

    void menuTree()
    {
        MainWindow &f = *m_form;
        QCOMPARE(captions(f.menuBar()->actions()), (QStringList{"ملف", "خيارات", "مساعدة", "تصغير"}));
        QCOMPARE(captions(child<QMenu>(f, "File")->actions()), QStringList{"خروج"});
        QCOMPARE(captions(child<QMenu>(f, "op")->actions()),
                 (QStringList{"اعدادات", "إيقاف مؤقت", "متى يظهر التذكير", "أوقات الأذكار"}));
        QCOMPARE(captions(child<QMenu>(f, "pauseMenu")->actions()),
                 (QStringList{"15 دقيقة", "ساعة", "حتى الغد", "-", "استئناف"}));
        QCOMPARE(captions(child<QMenu>(f, "help")->actions()),
                 (QStringList{"تعليمات وارشادات", "-", "عن البرنامج", "عن المبرمج", "-", "الإعلان في البرنامج"}));
        QCOMPARE(captions(child<QMenu>(f, "tary")->actions()),
                 (QStringList{"خروج", "-", "تكبير", "-", "إيقاف مؤقت", "متى يظهر التذكير", "أوقات الأذكار"}));
        QVERIFY(!f.menuBar()->actions().contains(child<QMenu>(f, "tary")->menuAction()));
        QCOMPARE(f.menuBar()->layoutDirection(), Qt::RightToLeft);
    }

    void stoppingCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window"); // object name of the modal window, empty: none
        QTest::newRow("settings") << "Setting"
                                  << "Form3";
        QTest::newRow("instructions") << "InstructionM"
                                      << "Instruction";
        QTest::newRow("about the program") << "AboutPro"
                                           << "program";
        QTest::newRow("about the author") << "AboutME"
                                          << "aboutmeform";
    }
    void stoppingCommands()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        MainWindow &f = running();
        QPointer<ReminderCard> card = f.reminder();
        QVERIFY(card);
        QString opened;
        bool modal = false;
        bool stoppedFirst = false;
        connect(&f, &MainWindow::modalOpening, this, [&](QDialog *w) {
            opened = w->objectName();
            stoppedFirst = !f.cycle().running() && child<Shape>(f, "Shape1")->fillColor() == MainForm::LampStopped;
            QTimer::singleShot(0, w, [&, w] {
                modal = w->isModal() && w->isVisible();
                w->reject();
            });
        });
        f.findChild<QAction *>(command)->trigger();
        QCOMPARE(opened, window);
        if (!window.isEmpty()) {
            QVERIFY(modal);
            QVERIFY(stoppedFirst);
        }
        // Stopped, and it stays stopped after the window closed.
        QVERIFY(!f.cycle().running());
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), MainForm::LampStopped);
        QVERIFY(child<QLineEdit>(f, "Text1")->isEnabled());
        QTRY_VERIFY(card.isNull());
    }

    // A pause from either menu: the lamp and the tray icon say until when,
    // a due card waits, and resume lets it through; the pause is in its
    // file for the next run.
    void pauseFromTheMenus_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("resume");
        QTest::newRow("options menu") << "pauseHour"
                                      << "resume";
        QTest::newRow("tray menu") << "pauseQuarter"
                                   << "resume";
    }
    void pauseFromTheMenus()
    {
        QFETCH(QString, item);
        QFETCH(QString, resume);
        MainWindow &f = running();
        QTRY_VERIFY(f.reminder());
        f.reminder()->close();
        QTRY_VERIFY(!f.cycle().cardUp());
        m_clock.setLocalNow(QDateTime(QDate(2026, 12, 8), QTime(13, 30)));
        QMenu *menu = child<QMenu>(f, item == QLatin1String("pauseHour") ? "pauseMenu" : "trayPauseMenu");
        child<QAction>(*menu, item.toLatin1().constData())->trigger();
        const QString until = item == QLatin1String("pauseHour") ? QStringLiteral("متوقف مؤقتاً حتى 14:30")
                                                                 : QStringLiteral("متوقف مؤقتاً حتى 13:45");
        QVERIFY(child<Shape>(f, "Shape1")->toolTip().endsWith(until));
        QVERIFY(child<TrayArea>(f, "TA1")->toolTip().endsWith(until));
        // The window shows it too: a lamp of its own and the line under it.
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), MainForm::LampPaused);
        QVERIFY(child<QLabel>(f, "pauseLine")->isVisibleTo(&f));
        QCOMPARE(child<QLabel>(f, "pauseLine")->text(), until);
        m_clock.advance(6000);
        QVERIFY(!f.cycle().cardUp());
        QVERIFY(f.cycle().cardPending());
        QFile file(m_dir->filePath(QStringLiteral("murel/hold.ini")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("paused-until=2026-12-08T"));
        child<QAction>(*menu, resume.toLatin1().constData())->trigger();
        QVERIFY(f.cycle().cardUp());
        QCOMPARE(child<TrayArea>(f, "TA1")->toolTip(), MainWindow::TrayText);
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), MainForm::LampRunning);
        QVERIFY(!child<QLabel>(f, "pauseLine")->isVisibleTo(&f));
        QVERIFY(!child<QAction>(*menu, resume.toLatin1().constData())->isEnabled());
    }

    // The choices of when cards show: what the controls say is what is
    // kept, and each control has a name for screen readers.
    void holdWindow()
    {
        MainWindow &f = *m_form;
        bool named = true;
        QString unnamed;
        QString shownStart;
        connect(&f, &MainWindow::modalOpening, this, [&](QDialog *w) {
            QTimer::singleShot(0, w, [&, w] {
                const auto controls = w->findChildren<QWidget *>();
                for (QWidget *c : controls) {
                    if (c->focusPolicy() == Qt::NoFocus || !c->isVisibleTo(w))
                        continue;
                    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
                    if (a && a->text(QAccessible::Name).trimmed().isEmpty()
                        && !c->objectName().startsWith(QLatin1String("qt_"))) {
                        named = false;
                        unnamed += c->objectName() + QLatin1Char(' ');
                    }
                }
                // Hours first, in the main window's digits.
                shownStart = child<QTimeEdit>(*w, "hoursStart")->text();
                child<QCheckBox>(*w, "holdFullScreen")->setChecked(false);
                child<QCheckBox>(*w, "holdAway")->setChecked(true);
                child<QCheckBox>(*w, "day5")->setChecked(false); // Friday
                auto *hold = static_cast<HoldWindow *>(w);
                QMetaObject::invokeMethod(child<QWidget>(*hold, "holdOk"), "clicked");
            });
        });
        child<QAction>(f, "HoldM")->trigger();
        QVERIFY2(named, qPrintable(unnamed));
        QCOMPARE(shownStart, QStringLiteral("08:00"));
        QFile file(m_dir->filePath(QStringLiteral("murel/hold.ini")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("full-screen=false\n"));
        QVERIFY(text.contains("away=true\n"));
        QVERIFY(!text.contains("fri"));
        QVERIFY(f.holdGate().settings().values().away);
    }

    // The times window opens from both menus on the program's own entries
    // and, like the hold window, leaves the cycle running.
    void timesWindowFromTheMenus_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("options") << "TimesM";
        QTest::newRow("tray") << "TimesM2";
    }
    void timesWindowFromTheMenus()
    {
        QFETCH(QString, item);
        MainWindow &f = running();
        int entries = -1;
        connect(&f, &MainWindow::modalOpening, this, [&](QDialog *w) {
            QTimer::singleShot(0, w, [&, w] {
                if (auto *times = qobject_cast<TimesWindow *>(w))
                    entries = int(times->shown().entries.size());
                w->reject();
            });
        });
        child<QAction>(f, qPrintable(item))->trigger();
        QCOMPARE(entries, int(f.program().times().values().entries.size()));
        QVERIFY(entries > 0);
        QVERIFY(f.cycle().running());
    }

    void advertisingLeavesTheCycleAlone()
    {
        MainWindow &f = running();
        QVERIFY(!child<QAction>(f, "adv")->isEnabled()); // no address in this build
        f.setPublisher(Publisher{QUrl(QStringLiteral("http://127.0.0.1:8080"))});
        QVERIFY(child<QAction>(f, "adv")->isEnabled());
        child<QAction>(f, "adv")->trigger();
        QCOMPARE(m_platform->opened, QList<QUrl>{QUrl(QStringLiteral("http://127.0.0.1:8080/adv/adv.htm"))});
        QVERIFY(f.cycle().running());
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), MainForm::LampRunning);
        QVERIFY(f.reminder());
    }

    void exitEndsTheProgramWithTheCard()
    {
        MainWindow &f = running();
        QPointer<ReminderCard> card = f.reminder();
        QSignalSpy ended(&f, &MainWindow::programEnd);
        child<QAction>(f, "exit2")->trigger();
        QCOMPARE(ended.count(), 1);
        QTRY_VERIFY(card.isNull());
        // Once asked, the end stands: a second exit asks nothing more.
        child<QAction>(f, "exit")->trigger();
        QCOMPARE(ended.count(), 1);
        QVERIFY(f.ending());
    }

    void trayKeepsIconOrWindow()
    {
        MainWindow &f = *m_form;
        TrayOrder order(f);
        QVERIFY(f.isVisible());
        QVERIFY(!child<TrayArea>(f, "TA1")->iconVisible());
        child<QAction>(f, "Minimize")->trigger();
        QVERIFY(!f.isVisible());
        QVERIFY(child<TrayArea>(f, "TA1")->iconVisible());
        child<QAction>(f, "Max")->trigger();
        QVERIFY(f.isVisible());
        QVERIFY(!child<TrayArea>(f, "TA1")->iconVisible());
        QCOMPARE(order.seen, (QStringList{"hide icon on", "show icon on"}));
        child<QAction>(f, "Minimize")->trigger();
        Q_EMIT child<TrayArea>(f, "TA1")->iconActivate();
        QVERIFY(f.isVisible());
        QVERIFY(!child<TrayArea>(f, "TA1")->iconVisible());
    }

    void minimisingKeepsTheCycle()
    {
        MainWindow &f = running();
        child<QAction>(f, "Minimize")->trigger();
        QVERIFY(f.cycle().running());
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), MainForm::LampRunning);
        QVERIFY(f.reminder());
    }

    void theTrayMenuIsTheIconsOwn()
    {
        MainWindow &f = *m_form;
        auto *menu = child<QMenu>(f, "tary");
        child<QAction>(f, "Minimize")->trigger();
        // Handed to the icon, the toolkit opens it and publishes it to
        // hosts that draw menus themselves.
        QCOMPARE(child<TrayArea>(f, "TA1")->menu(), menu);
        QCOMPARE(menu->layoutDirection(), Qt::RightToLeft);
        // The toolkit already opens it on a right click where the icon is
        // embedded (and nowhere else): a pop-up of our own on the icon's
        // report would open it a second time, or where the host has its own.
        QSignalSpy shown(menu, &QMenu::aboutToShow);
        Q_EMIT child<QSystemTrayIcon>(f, "icon")->activated(QSystemTrayIcon::Context);
        QCoreApplication::processEvents();
        QCOMPARE(shown.count(), 0);
        QVERIFY(!menu->isVisible());
    }

    void withoutATrayTheWindowIsMinimised()
    {
        m_platform->tray = false;
        MainWindow &f = *m_form;
        child<QAction>(f, "Minimize")->trigger();
        QVERIFY(f.isVisible());
        QVERIFY(f.isMinimized());
        QVERIFY(!child<TrayArea>(f, "TA1")->iconVisible());
        child<QAction>(f, "Max")->trigger();
        QVERIFY(!f.isMinimized());
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
