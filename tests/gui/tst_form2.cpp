#include "app/Fonts.h"
#include "app/MainForm.h"
#include "app/MainWindow.h"
#include "app/MessageBoxes.h"
#include "common/Find.h"
#include "common/ManualClock.h"
#include "common/RecordingMessages.h"
#include "common/TestPlatform.h"
#include "controls/ButtonAccessible.h"
#include "controls/Shape.h"
#include "controls/ShownChildrenAccessible.h"
#include "controls/TavrelButton.h"
#include "core/cycle/ReminderCycle.h"
#include "core/hold/HoldGate.h"
#include "core/settings/Settings.h"
#include "platform/InstanceChannel.h"
#include "platform/InstanceLock.h"
#include "platform/Platform.h"
#include "reminder/SettingsDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTranslator>
#include <atomic>
#include <functional>
#include <future>
#include <memory>

namespace {

// One run of the program's main window against a scratch windir.
struct Run
{
    explicit Run(const QString &windir)
    {
        qputenv("windir", windir.toLocal8Bit());
        form = std::make_unique<MainWindow>(platform, messages, clock);
    }
    TestPlatform platform;
    RecordingMessages messages;
    ManualClock clock;
    std::unique_ptr<MainWindow> form;
};

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Message boxes that note, as each opens, whether a command-line caller
// already had its answer: a modal box would hold the answer back until the
// user closes it, so it waits a little for the caller before it decides.
class AnswerWatchingMessages final : public MessageBoxes
{
public:
    void inform(QWidget *, const QString &text) override
    {
        QElapsedTimer waited;
        waited.start();
        while (!answered.load() && waited.elapsed() < 2000)
            QThread::msleep(10);
        informed.append({text, answered.load()});
    }
    void warnInvalid(QWidget *, const QString &) override { }

    std::atomic<bool> answered = false;
    QList<std::pair<QString, bool>> informed;
};

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QAccessible::installFactory(buttonAccessibleFactory);
        QAccessible::installFactory(shownChildrenAccessibleFactory);
    }

    // A screen reader walking the window meets only what is on screen: the
    // movie strip, hidden while no movie plays, is not in the tree.
    void screenReadersMeetOnlyWhatIsShown()
    {
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        QVERIFY(!child<QWidget>(f, "SF1")->isVisibleTo(&f));
        QStringList hidden;
        int parts = 0;
        std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *a) {
            for (int i = 0; i < a->childCount(); ++i) {
                QAccessibleInterface *c = a->child(i);
                QVERIFY(c);
                ++parts;
                if (c->state().invisible)
                    hidden << c->object()->objectName();
                walk(c);
            }
        };
        // The window's client area; the menus' items are rightly invisible
        // while their menus are closed.
        walk(QAccessible::queryAccessibleInterface(f.centralWidget()));
        QCOMPARE(hidden, QStringList());
        // The strip comes into the tree when it shows.
        child<QWidget>(f, "SF1")->show();
        QCOMPARE(QAccessible::queryAccessibleInterface(f.centralWidget())
                         ->indexOfChild(QAccessible::queryAccessibleInterface(child<QWidget>(f, "SF1")))
                     >= 0,
                 true);
        QVERIFY(parts >= 5);
    }

    void whatScreenReadersGet()
    {
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        auto named = [](QWidget *w, QAccessible::Role role, const QString &name) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            QVERIFY(a);
            QCOMPARE(a->role(), role);
            QCOMPARE(a->text(QAccessible::Name), name);
        };
        // Spoken as words: without the tatweel that stretches the captions,
        // and the captions without their colons.
        named(child<TavrelButton>(f, "Command1"), QAccessible::Button, QStringLiteral("ابدأ"));
        named(child<TavrelButton>(f, "Command2"), QAccessible::Button, QStringLiteral("قف"));
        named(child<QLabel>(f, "Label10"), QAccessible::StaticText, QStringLiteral("وقت ظهور شاشة التذكير كل"));
        named(child<QLabel>(f, "Label3"), QAccessible::StaticText, QStringLiteral("مدة بقاء شاشة التذكير"));
        named(child<QLabel>(f, "Label5"), QAccessible::StaticText, QStringLiteral("حالة البرنامج"));
        named(child<QLineEdit>(f, "Text1"), QAccessible::EditableText, QStringLiteral("وقت ظهور شاشة التذكير كل"));
        named(child<QLineEdit>(f, "Text2"), QAccessible::EditableText, QStringLiteral("مدة بقاء شاشة التذكير"));
        // One unit of three: radio buttons, not check boxes.
        named(child<QRadioButton>(f, "Option1"), QAccessible::RadioButton, QStringLiteral("ثانية"));
        named(child<QRadioButton>(f, "Option2"), QAccessible::RadioButton, QStringLiteral("دقيقة"));
        named(child<QRadioButton>(f, "Option3"), QAccessible::RadioButton, QStringLiteral("ساعة"));
        QCOMPARE(QAccessible::queryAccessibleInterface(child<Shape>(f, "Shape1"))->text(QAccessible::Name),
                 MainForm::StoppedText);
        QCOMPARE(child<Shape>(f, "Shape1")->toolTip(), MainForm::StoppedText);
        child<QLineEdit>(f, "Text1")->setText(QStringLiteral("5"));
        child<QLineEdit>(f, "Text2")->setText(QStringLiteral("5"));
        QAccessibleInterface *start = QAccessible::queryAccessibleInterface(child<TavrelButton>(f, "Command1"));
        QVERIFY(start->actionInterface());
        start->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(QAccessible::queryAccessibleInterface(child<Shape>(f, "Shape1"))->text(QAccessible::Name),
                 MainForm::RunningText);
        QCOMPARE(child<Shape>(f, "Shape1")->toolTip(), MainForm::RunningText);

        // The settings dialog's four buttons each have a name of their own.
        Settings model(f.settingsPath());
        SettingsDialog settings(model, run.platform, f);
        QStringList names;
        for (const char *name : {"TavrelButtonV21", "TavrelButtonV22", "Command1", "Command2"}) {
            QWidget *b = child<TavrelButton>(settings, name);
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b);
            QCOMPARE(a->role(), QAccessible::Button);
            names << a->text(QAccessible::Name);
        }
        names.removeDuplicates();
        QCOMPARE(names.size(), 4);
        QVERIFY(!names.contains(QString()));
    }

    // Tab enters the units at the chosen one, the arrows choose another,
    // and the next Tab enters there.
    void tabEntersTheUnitsAtTheChosenOne()
    {
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        auto *interval = child<QLineEdit>(f, "Text1");
        interval->setFocus();
        QTest::keyClick(interval, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child<QRadioButton>(f, "Option1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        auto *chosen = qobject_cast<QRadioButton *>(QApplication::focusWidget());
        QVERIFY(chosen && chosen != child<QRadioButton>(f, "Option1") && chosen->isChecked());
        interval->setFocus();
        QTest::keyClick(interval, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), chosen);
    }

    // A pause or resume asked for on the command line that cannot be saved
    // still holds; the caller is told so first, the user after.
    void aRequestNotSavedIsAnsweredBeforeItsMessage_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("pause") << QByteArray("pause 30m\n");
        QTest::newRow("resume") << QByteArray("resume\n");
    }
    void aRequestNotSavedIsAnsweredBeforeItsMessage()
    {
        QFETCH(QByteArray, request);
        qputenv("windir", m_dir->path().toLocal8Bit());
        TestPlatform platform;
        AnswerWatchingMessages messages;
        ManualClock clock;
        MainWindow f(platform, messages, clock);
        QVERIFY(f.load());
        // A folder where the file goes: every save of it fails.
        QVERIFY(QDir().mkpath(f.dataFolder() + QStringLiteral("/hold.ini")));
        const QString folder = f.dataFolder();
        std::future<InstanceChannel::Outcome> sent = std::async(std::launch::async, [&messages, folder, request] {
            const InstanceChannel::Outcome outcome = InstanceChannel(folder).send(request, 3000);
            messages.answered = true;
            return outcome;
        });
        QTRY_COMPARE_WITH_TIMEOUT(messages.informed.size(), 1, 8000);
        QCOMPARE(sent.get(), InstanceChannel::Outcome::DoneNotSaved);
        QCOMPARE(messages.informed.first().first, MainWindow::HoldNotSavedMessage);
        QVERIFY(messages.informed.first().second);
        if (request.startsWith("pause"))
            QVERIFY(f.holdGate().pausedUntil().isValid());
    }

    // With nowhere to listen, the user learns that later copies and the
    // command line cannot reach this one; the program runs on.
    void aCopyWithoutItsChannelSaysSo()
    {
        if (QSysInfo::productType() == QLatin1String("windows"))
            QSKIP("a pipe's name cannot be taken by a folder");
        Run run(m_dir->path());
        const QString name = InstanceChannel::serverNameFor(run.form->dataFolder());
        for (const QString &path : {name, name + QStringLiteral(".2")})
            writeFile(path + QStringLiteral("/kept"), "a folder in the way");
        QVERIFY(run.form->load());
        QVERIFY(run.messages.informed.contains(MainWindow::NoChannelMessage));
        QVERIFY(!run.form->ending());
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void firstRunShowsWindowWithTheDefaults()
    {
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        QVERIFY(QFileInfo(m_dir->path() + QStringLiteral("/murel/wjk")).isDir());
        QVERIFY(f.isVisible());
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), MainForm::LampStopped);
        QVERIFY(child<QRadioButton>(f, "Option1")->isChecked());
        QVERIFY(!child<QRadioButton>(f, "Option2")->isChecked() && !child<QRadioButton>(f, "Option3")->isChecked());
        QCOMPARE(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("0"));
        QCOMPARE(f.settings().values().fontName, QStringLiteral("MS Sans Serif"));
        QCOMPARE(f.settings().values().picture(), std::optional<int>(1));
        QVERIFY(!f.settings().values().runAtLogon);
        QCOMPARE(run.messages.count(), 0);
        QVERIFY(!QFile::exists(f.settingsPath()));
    }

    void startupFromRecord_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("checkedOption");
        QTest::newRow("interval 0: shown, stopped")
            << QByteArray("\"1\",\"MS Sans Serif\",\"0\",\"0\",\"5\",#TRUE#,#FALSE#,#FALSE#\r\n") << true << false << 0
            << QString() << "Option1";
        QTest::newRow("hours 10 / 20 s: hidden, running")
            << QByteArray("\"1\",\"Tahoma\",\"0\",\"10\",\"20\",#FALSE#,#FALSE#,#TRUE#\r\n") << false << true << 2
            << QString() << "Option3";
        QTest::newRow("minutes") << QByteArray("\"2\",\"MS Sans Serif\",\"0\",\"10\",\"5\",#FALSE#,#TRUE#,#FALSE#\r\n")
                                 << false << true << 1 << QString() << "Option2";
        QTest::newRow("duration 2: hidden, message, stopped")
            << QByteArray("\"1\",\"MS Sans Serif\",\"0\",\"5\",\"2\",#TRUE#,#FALSE#,#FALSE#\r\n") << false << false << 0
            << MainWindow::DurationMessage << "Option1";
        QTest::newRow("interval 60: hidden, message, stopped")
            << QByteArray("\"1\",\"MS Sans Serif\",\"0\",\"60\",\"5\",#TRUE#,#FALSE#,#FALSE#\r\n") << false << false
            << 0 << MainWindow::IntervalMessage << "Option1";
        // Judged on the record's value, not the count it rounds to; only
        // an interval of exactly 0 is a first run's.
        QTest::newRow("interval 0.6: hidden, message, stopped")
            << QByteArray("\"1\",\"x\",\"0\",\"0.6\",\"5\",#TRUE#,#FALSE#,#FALSE#\r\n") << false << false << 0
            << MainWindow::IntervalMessage << "Option1";
        QTest::newRow("interval 0.4: hidden, message, stopped")
            << QByteArray("\"1\",\"x\",\"0\",\"0.4\",\"5\",#TRUE#,#FALSE#,#FALSE#\r\n") << false << false << 0
            << MainWindow::IntervalMessage << "Option1";
        QTest::newRow("duration 2.6: hidden, message, stopped")
            << QByteArray("\"1\",\"x\",\"0\",\"5\",\"2.6\",#TRUE#,#FALSE#,#FALSE#\r\n") << false << false << 0
            << MainWindow::DurationMessage << "Option1";
        QTest::newRow("short record: shown, seconds by fallback")
            << QByteArray("\"3\",\"Arial\"") << true << false << 0 << QString() << "Option1";
        QTest::newRow("units not convertible: seconds kept")
            << QByteArray("\"1\",\"x\",\"0\",\"0\",\"5\",yes,no,maybe") << true << false << 0 << QString() << "Option1";
        QTest::newRow("blank-led interval counts")
            << QByteArray("\"1\",\"x\",\"0\",\"  7\",\"5\",#TRUE#,#FALSE#,#FALSE#") << false << true << 0 << QString()
            << "Option1";
        QTest::newRow("text interval counts as 0")
            << QByteArray("\"1\",\"x\",\"0\",\"abc\",\"5\",#TRUE#,#FALSE#,#FALSE#") << true << false << 0 << QString()
            << "Option1";
        QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe\x01,\x02\x03\"\x80\x81", 10) << true << false << 0
                                     << QString() << "Option1";
    }
    void startupFromRecord()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, shown);
        QFETCH(bool, running);
        QFETCH(int, unit);
        QFETCH(QString, message);
        QFETCH(QString, checkedOption);
        writeFile(m_dir->path() + QStringLiteral("/murel/background.txt"), record);
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        QCOMPARE(f.isVisible(), shown);
        QCOMPARE(f.cycle().running(), running);
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), running ? MainForm::LampRunning : MainForm::LampStopped);
        QCOMPARE(child<QLineEdit>(f, "Text1")->isEnabled(), !running);
        QCOMPARE(child<QGroupBox>(f, "Frame1")->isEnabled(), !running);
        QCOMPARE(int(f.cycle().unit()), unit);
        QCOMPARE(run.messages.informed, message.isEmpty() ? QStringList() : QStringList{message});
        QRadioButton *checked = f.findChild<QRadioButton *>(checkedOption);
        QVERIFY(checked);
        QVERIFY(checked->isChecked());
        int on = 0;
        for (const char *name : {"Option1", "Option2", "Option3"})
            on += child<QRadioButton>(f, name)->isChecked();
        QCOMPARE(on, 1);
    }

    void shortRecordTakesDefaultsForTheRest()
    {
        writeFile(m_dir->path() + QStringLiteral("/murel/background.txt"), "\"3\",\"Arial\"");
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        Settings::Values expected;
        expected.background = TypedNumber(QStringLiteral("3"));
        expected.fontName = QStringLiteral("Arial");
        QVERIFY(f.settings().values() == expected);
        QCOMPARE(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("0"));
    }

    void hoursCycleRunsOnTheClock()
    {
        writeFile(m_dir->path() + QStringLiteral("/murel/background.txt"),
                  "\"1\",\"MS Sans Serif\",\"0\",\"2\",\"5\",#FALSE#,#FALSE#,#TRUE#\r\n");
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        QSignalSpy shown(&f.cycle(), &ReminderCycle::showCard);
        run.clock.advance(2 * 3600 * 1000 - 1);
        QCOMPARE(shown.count(), 0);
        run.clock.advance(1);
        QCOMPARE(shown.count(), 1);
        QVERIFY(f.reminder());
        // While a reminder is up the interval is not counted.
        QVERIFY(!f.cycle().counting());
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), MainForm::LampRunning);
    }

    void startValidation_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("message");
        QTest::addColumn<qint64>("timerInterval");
        QTest::newRow("interval 0") << "0"
                                    << "5" << MainWindow::IntervalMessage << qint64(-1);
        QTest::newRow("interval empty") << ""
                                        << "5" << MainWindow::IntervalMessage << qint64(-1);
        QTest::newRow("interval 60") << "60"
                                     << "5" << MainWindow::IntervalMessage << qint64(-1);
        QTest::newRow("interval 0.9") << "0.9"
                                      << "5" << MainWindow::IntervalMessage << qint64(-1);
        QTest::newRow("interval checked first") << "0"
                                                << "0" << MainWindow::IntervalMessage << qint64(-1);
        QTest::newRow("duration 2") << "5"
                                    << "2" << MainWindow::DurationMessage << qint64(-1);
        QTest::newRow("duration 60") << "5"
                                     << "60" << MainWindow::DurationMessage << qint64(-1);
        QTest::newRow("both 59") << "59"
                                 << "59" << QString() << qint64(59);
        QTest::newRow("lower limits") << "1"
                                      << "3" << QString() << qint64(1);
        QTest::newRow("1.5 rounds to 2") << "1.5"
                                         << "3" << QString() << qint64(2);
        QTest::newRow("2.5 rounds to 2") << "2.5"
                                         << "3" << QString() << qint64(2);
        QTest::newRow("58.5 rounds to 58") << "58.5"
                                           << "3" << QString() << qint64(58);
        QTest::newRow("leading zeros kept") << "05"
                                            << "007" << QString() << qint64(5);
    }
    void startValidation()
    {
        QFETCH(QString, interval);
        QFETCH(QString, duration);
        QFETCH(QString, message);
        QFETCH(qint64, timerInterval);
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        child<QLineEdit>(f, "Text1")->setText(interval);
        child<QLineEdit>(f, "Text2")->setText(duration);
        child<QRadioButton>(f, "Option2")->click();
        f.start();
        // The unit is taken before the values are checked.
        QCOMPARE(int(f.cycle().unit()), int(Settings::Unit::Minutes));
        const bool valid = message.isEmpty();
        QCOMPARE(run.messages.informed, valid ? QStringList() : QStringList{message});
        QCOMPARE(QFile::exists(f.settingsPath()), valid);
        QCOMPARE(f.cycle().running(), valid);
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), valid ? MainForm::LampRunning : MainForm::LampStopped);
        QCOMPARE(child<QLineEdit>(f, "Text2")->isEnabled(), !valid);
        if (valid) {
            QCOMPARE(f.cycle().interval(), timerInterval);
            // The record holds the boxes' texts as typed, and shows them so
            // at the next start.
            QCOMPARE(fileBytes(f.settingsPath()),
                     "\"1\",\"MS Sans Serif\",\"0\",\"" + interval.toLatin1() + "\",\"" + duration.toLatin1()
                         + "\",#FALSE#,#TRUE#,#FALSE#\r\n");
            Run again(m_dir->path());
            run.form.reset();
            QVERIFY(again.form->load());
            QCOMPARE(child<QLineEdit>(*again.form, "Text1")->text(), interval);
            QCOMPARE(child<QLineEdit>(*again.form, "Text2")->text(), duration);
        }
    }

    void startWritesTheRecordAndStopUndoes_data()
    {
        QTest::addColumn<bool>("registered");
        QTest::addColumn<QByteArray>("logon"); // the record's field as Start saves it
        QTest::newRow("started at logon") << true << QByteArray("1");
        // The record said so, but the entry has gone since.
        QTest::newRow("entry gone") << false << QByteArray("0");
    }
    void startWritesTheRecordAndStopUndoes()
    {
        QFETCH(bool, registered);
        QFETCH(QByteArray, logon);
        // What the settings dialog chose is saved with the values typed here;
        // run at logon as the system has it.
        writeFile(m_dir->path() + QStringLiteral("/murel/background.txt"),
                  "\"1\",\"Tahoma\",\"1\",\"0\",\"0\",#TRUE#,#FALSE#,#FALSE#\r\n");
        Run run(m_dir->path());
        const QString exe = QCoreApplication::applicationFilePath();
        if (registered)
            run.platform.registered.insert(QFileInfo(exe).completeBaseName(), run.platform.logonCommand(exe));
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        child<QLineEdit>(f, "Text1")->setText(QStringLiteral("5"));
        child<QLineEdit>(f, "Text2")->setText(QStringLiteral("10"));
        QTest::mouseClick(child<TavrelButton>(f, "Command1"), Qt::LeftButton, {}, QPoint(20, 12));
        QCOMPARE(fileBytes(f.settingsPath()),
                 "\"1\",\"Tahoma\",\"" + logon + "\",\"5\",\"10\",#TRUE#,#FALSE#,#FALSE#\r\n");
        QVERIFY(f.cycle().running());
        QVERIFY(!child<QGroupBox>(f, "Frame1")->isEnabled() && !child<QLineEdit>(f, "Text1")->isEnabled()
                && !child<QLineEdit>(f, "Text2")->isEnabled());
        QVERIFY(child<TavrelButton>(f, "Command1")->isEnabled() && child<TavrelButton>(f, "Command2")->isEnabled());

        // Start again while running: the record is rewritten, still one line.
        f.start();
        QCOMPARE(fileBytes(f.settingsPath()).count('\n'), 1);

        QTest::mouseClick(child<TavrelButton>(f, "Command2"), Qt::LeftButton, {}, QPoint(20, 12));
        QVERIFY(!f.cycle().running());
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), MainForm::LampStopped);
        QVERIFY(child<QGroupBox>(f, "Frame1")->isEnabled() && child<QLineEdit>(f, "Text1")->isEnabled()
                && child<QLineEdit>(f, "Text2")->isEnabled());
        // Stop leaves the saved record alone.
        QCOMPARE(fileBytes(f.settingsPath()),
                 "\"1\",\"Tahoma\",\"" + logon + "\",\"5\",\"10\",#TRUE#,#FALSE#,#FALSE#\r\n");
    }

    void keysOnTheFocusedStart_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("key");
        QTest::newRow("running, Enter: no restart") << true << int(Qt::Key_Return);
        QTest::newRow("running, keypad Enter: no restart") << true << int(Qt::Key_Enter);
        QTest::newRow("running, Space: no restart") << true << int(Qt::Key_Space);
        QTest::newRow("stopped, Enter: starts") << false << int(Qt::Key_Return);
        QTest::newRow("stopped, Space: starts") << false << int(Qt::Key_Space);
    }
    void keysOnTheFocusedStart()
    {
        QFETCH(bool, running);
        QFETCH(int, key);
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QLineEdit *interval = child<QLineEdit>(f, "Text1");
        TavrelButton *start = child<TavrelButton>(f, "Command1");
        interval->setText(QStringLiteral("5"));
        child<QLineEdit>(f, "Text2")->setText(QStringLiteral("5"));
        const QByteArray untouched("left as it was");
        qint64 remaining = -1;
        if (running) {
            // Started from the interval box: locking the inputs hands the
            // focus on to Start.
            interval->setFocus();
            QCOMPARE(f.focusWidget(), interval);
            f.start();
            QVERIFY(f.cycle().running());
            QCOMPARE(f.focusWidget(), start);
            run.clock.advance(2000);
            remaining = f.cycle().remainingMs();
            QCOMPARE(remaining, 3000);
            writeFile(f.settingsPath(), untouched);
            // Typed into before the lock, a restart would save a new value.
            interval->setText(QStringLiteral("7"));
        } else {
            start->setFocus();
            QCOMPARE(f.focusWidget(), start);
        }
        const QImage before = start->grab().toImage();
        QTest::keyClick(start, Qt::Key(key));
        QVERIFY(f.cycle().running());
        if (running) {
            QCOMPARE(f.cycle().remainingMs(), remaining);
            QCOMPARE(f.cycle().interval(), 5);
            QCOMPARE(fileBytes(f.settingsPath()), untouched);
            // Start keeps its look: it is not shown disabled nor left pressed.
            QVERIFY(start->isEnabled());
            QCOMPARE(start->grab().toImage(), before);
            // The mouse still starts again, as it always did.
            QTest::mouseClick(start, Qt::LeftButton, {}, QPoint(20, 12));
            QCOMPARE(f.cycle().interval(), 7);
            QVERIFY(fileBytes(f.settingsPath()).contains("\"7\",\"5\""));
        } else {
            QCOMPARE(f.cycle().interval(), 5);
            QVERIFY(fileBytes(f.settingsPath()).contains("\"5\",\"5\""));
        }
        // Stopped again, the keyboard clicks Start once more.
        f.stop();
        QTest::keyClick(start, Qt::Key_Return);
        QVERIFY(f.cycle().running());
    }

    void startGoesOnWhenTheRecordCannotBeWritten()
    {
        // windir names a file, so the data folder can never be created.
        const QString blocker = m_dir->filePath(QStringLiteral("not-a-folder"));
        writeFile(blocker, "x");
        Run run(blocker);
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        QVERIFY(f.isVisible());
        child<QLineEdit>(f, "Text1")->setText(QStringLiteral("5"));
        child<QLineEdit>(f, "Text2")->setText(QStringLiteral("5"));
        f.start();
        QVERIFY(f.cycle().running());
        QCOMPARE(child<Shape>(f, "Shape1")->fillColor(), MainForm::LampRunning);
        QCOMPARE(run.messages.count(), 0);
    }

    void keyFilter()
    {
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        QLineEdit *box = child<QLineEdit>(f, "Text2");
        box->setText(QString());
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("12"));
        QCOMPARE(box->text(), QStringLiteral("12"));
        QCOMPARE(run.messages.count(), 0);

        QTest::keyClick(box, Qt::Key_A);
        QCOMPARE(box->text(), QStringLiteral("12"));
        QCOMPARE(run.messages.warned, QStringList{QStringLiteral("يمنع استخدام الأحرف")});

        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(run.messages.warned.size(), 3);

        QGuiApplication::clipboard()->setText(QStringLiteral("77"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("12"));
        QCOMPARE(run.messages.warned.size(), 4);

        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("1"));
        QTest::keyClicks(box, QStringLiteral("23"));
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QStringLiteral("23"));
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClicks(box, QStringLiteral("9"));
        QCOMPARE(box->text(), QStringLiteral("293"));
        QCOMPARE(run.messages.warned.size(), 4);
        QCOMPARE(run.messages.informed.size(), 0);

        // The interval box is filtered the same way.
        QTest::keyClick(child<QLineEdit>(f, "Text1"), Qt::Key_Minus);
        QCOMPARE(run.messages.warned.size(), 5);
    }

    void optionsAreOneGroup()
    {
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        QTest::mouseClick(child<QRadioButton>(f, "Option2"), Qt::LeftButton);
        QVERIFY(child<QRadioButton>(f, "Option2")->isChecked());
        QVERIFY(!child<QRadioButton>(f, "Option1")->isChecked() && !child<QRadioButton>(f, "Option3")->isChecked());
        QTest::mouseClick(child<QRadioButton>(f, "Option2"), Qt::LeftButton);
        QVERIFY(child<QRadioButton>(f, "Option2")->isChecked());
        QTest::mouseClick(child<QRadioButton>(f, "Option3"), Qt::LeftButton);
        QVERIFY(child<QRadioButton>(f, "Option3")->isChecked() && !child<QRadioButton>(f, "Option2")->isChecked());
    }

    void secondCopyIsRefused()
    {
        const QString data = m_dir->path() + QStringLiteral("/murel");
        QVERIFY(QDir().mkpath(data));
        writeFile(data + QStringLiteral("/background.txt.AbCdEf"), "being written");
        QLockFile other(InstanceLock::lockPathFor(data));
        QVERIFY(other.tryLock(0));
        Run run(m_dir->path());
        QVERIFY(!run.form->load());
        QCOMPARE(run.messages.informed, QStringList{MainWindow::SecondCopyMessage});
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/wjk")));
        // The running copy's save in progress is not touched.
        QVERIFY(QFileInfo::exists(data + QStringLiteral("/background.txt.AbCdEf")));
        QVERIFY(!run.form->isVisible());
    }

    void theSecondCopysMessageShowsItsWholeButton()
    {
        // As the program sets itself up: its face, and the toolkit's words
        // in Arabic.
        registerFontSubstitutions();
        const QFont savedFont = QApplication::font();
        QApplication::setFont(interfaceFont());
        QTranslator arabic;
        QVERIFY(arabic.load(QLocale(QLocale::Arabic), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QApplication::installTranslator(&arabic);
        QApplication::setLayoutDirection(Qt::RightToLeft);
        const auto box = MessageBoxes::informBox(nullptr, MainWindow::SecondCopyMessage);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("حسنًا"));
        // Words only, and room for all of them: what the label needs, the
        // picture if there were one, and the frame's margins on both sides.
        QVERIFY(ok->icon().isNull());
        const QFontMetrics fm(ok->font());
        const int margins = 2 * ok->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, ok);
        const int picture = ok->icon().isNull() ? 0 : ok->iconSize().width() + 4;
        QVERIFY2(fm.horizontalAdvance(ok->text()) + picture + margins <= ok->width(),
                 qPrintable(QStringLiteral("%1 + %2 + %3 > %4")
                                .arg(fm.horizontalAdvance(ok->text()))
                                .arg(picture)
                                .arg(margins)
                                .arg(ok->width())));
        QVERIFY(fm.horizontalAdvance(ok->text()) + picture + margins <= ok->sizeHint().width());
        QApplication::removeTranslator(&arabic);
        QApplication::setFont(savedFont);
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void aRefusedCopyBringsTheRunningOneForward_data()
    {
        QTest::addColumn<bool>("tray");
        QTest::newRow("hidden in the tray") << true;
        QTest::newRow("minimised, no tray") << false;
    }
    void aRefusedCopyBringsTheRunningOneForward()
    {
        QFETCH(bool, tray);
        // A saved interval: the running copy starts put away.
        writeFile(m_dir->path() + QStringLiteral("/murel/background.txt"),
                  "\"1\",\"MS Sans Serif\",\"0\",\"10\",\"5\",#FALSE#,#TRUE#,#FALSE#\r\n");
        Run first(m_dir->path());
        first.platform.tray = tray;
        QVERIFY(first.form->load());
        QVERIFY(!first.form->isVisible() || first.form->isMinimized());
        Run second(m_dir->path());
        QVERIFY(!second.form->load());
        QCOMPARE(second.messages.informed, QStringList{MainWindow::SecondCopyMessage});
        QTRY_VERIFY_WITH_TIMEOUT(first.form->isVisible() && !first.form->isMinimized(), 5000);
        QVERIFY(!second.form->isVisible());
        QVERIFY(first.form->cycle().running());
    }

    // An older version's folder comes over once, is told once, and stays.
    void anOlderFolderIsCopiedOnceAndTold()
    {
        const QString older = m_dir->filePath(QStringLiteral("older"));
        const QByteArray record = "\"2\",\"Tahoma\",\"0\",\"7\",\"9\",#FALSE#,#TRUE#,#FALSE#\r\n";
        writeFile(older + QStringLiteral("/background.txt"), record);
        const QString dataFolder = m_dir->filePath(QStringLiteral("murel"));
        {
            Run run(m_dir->path());
            run.platform.older = {m_dir->filePath(QStringLiteral("missing")), older};
            QVERIFY(run.form->load());
            QCOMPARE(run.messages.informed,
                     QStringList{MainWindow::OlderFolderCopiedMessage.arg(QDir::toNativeSeparators(older),
                                                                          QDir::toNativeSeparators(dataFolder))});
            QCOMPARE(child<QLineEdit>(*run.form, "Text1")->text(), QStringLiteral("7"));
        }
        QCOMPARE(fileBytes(dataFolder + QStringLiteral("/background.txt")), record);
        QCOMPARE(fileBytes(older + QStringLiteral("/background.txt")), record);
        Run again(m_dir->path());
        again.platform.older = {older};
        QVERIFY(again.form->load());
        QCOMPARE(again.messages.informed, QStringList());
    }

    // A record that cannot be written is told once, not at every Start,
    // until a save succeeds again.
    void aFailedSaveIsToldOnce()
    {
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        child<QLineEdit>(f, "Text1")->setText(QStringLiteral("5"));
        child<QLineEdit>(f, "Text2")->setText(QStringLiteral("5"));
        auto startAgain = [&f] {
            f.stop();
            f.start();
            QCoreApplication::processEvents();
        };
        // A folder in the record's place cannot be replaced.
        QVERIFY(QDir().mkpath(f.settingsPath()));
        startAgain();
        startAgain();
        QCOMPARE(run.messages.informed, QStringList{MainWindow::SaveFailedMessage});
        QVERIFY(f.cycle().running());
        QVERIFY(QDir().rmdir(f.settingsPath()));
        startAgain();
        QVERIFY(QFileInfo(f.settingsPath()).isFile());
        QVERIFY(QFile::remove(f.settingsPath()) && QDir().mkpath(f.settingsPath()));
        startAgain();
        QCOMPARE(run.messages.informed, QStringList(2, MainWindow::SaveFailedMessage));
    }

    void closingEndsTheProgram()
    {
        Run run(m_dir->path());
        MainWindow &f = *run.form;
        QVERIFY(f.load());
        QSignalSpy ended(&f, &MainWindow::programEnd);
        f.close();
        QCOMPARE(ended.count(), 1);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
