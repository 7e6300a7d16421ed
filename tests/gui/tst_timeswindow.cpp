#include "common/Find.h"
#include "controls/ButtonAccessible.h"
#include "controls/TavrelButton.h"
#include "core/hold/HoldSettings.h"
#include "core/texts/ReminderTexts.h"
#include "core/times/TimesSettings.h"
#include "reminder/TimesWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

Q_DECLARE_METATYPE(QList<TimedReminder>)

namespace {

const QString OwnFirst = QStringLiteral("نصٌّ لي أول");
const QString OwnSecond = QStringLiteral("نص لي ثان");
// In the evening's texts, no longer among the user's own.
const QString OwnDeleted = QStringLiteral("نص محذوف");
const QDate ShownWhenOpened(2024, 3, 1);
const QDate ShownMeanwhile(2024, 3, 2);

// The rows of the offered list: the built-ins, then the user's own.
constexpr int OwnSecondRow = Catalogue::Size + 1;

// The ready two, the morning shown once, the evening with texts already.
QList<TimedReminder> opened()
{
    QList<TimedReminder> entries = TimesSettings::defaults().entries;
    entries[0].lastShown = ShownWhenOpened;
    entries[1].texts = {TextKey::ofBuiltIn(0), TextKey::ofOwn(OwnDeleted)};
    return entries;
}

TimedReminder entry(const QString &name, QTime time, int days, QList<TextKey> texts, bool on, bool untilClosed,
                    QDate lastShown = QDate())
{
    return {name, time, days, texts, on, untilClosed, lastShown};
}

struct Fixture
{
    QTemporaryDir dir;
    ReminderTexts texts{dir.filePath(QStringLiteral("texts.ini"))};
    TimesSettings times;

    explicit Fixture(const QString &timesPath = QString())
        : times(timesPath.isEmpty() ? dir.filePath(QLatin1String(TimesSettings::FileName)) : timesPath)
    {
        ReminderTexts::Values own;
        own.own = {{OwnFirst, true}, {OwnSecond, false}};
        texts.setValues(own);
        TimesSettings::Values v;
        v.entries = opened();
        v.graceMinutes = 45;
        times.setValues(v);
    }
};

// One step of a user's: "entry 1", "name …", "time 18:30", "day 5" (Qt's
// number), "on", "until", "pick 3,1" (rows offered), "text 2", "up",
// "down", "remove text", "new", "delete".
void perform(TimesWindow &w, const QString &step)
{
    const QString verb = step.section(QLatin1Char(' '), 0, 0);
    const QString arg = step.section(QLatin1Char(' '), 1);
    if (verb == u"entry") {
        child<QListWidget>(w, "timesEntries")->setCurrentRow(arg.toInt());
    } else if (verb == u"name") {
        child<QLineEdit>(w, "timesName")->setText(arg);
    } else if (verb == u"time") {
        child<QTimeEdit>(w, "timesTime")->setTime(QTime::fromString(arg, QStringLiteral("HH:mm")));
    } else if (verb == u"day") {
        child<QCheckBox>(w, qPrintable(QStringLiteral("timesDay") + arg))->click();
    } else if (verb == u"on") {
        child<QCheckBox>(w, "timesOn")->click();
    } else if (verb == u"until") {
        child<QCheckBox>(w, "timesUntilClosed")->click();
    } else if (verb == u"pick") {
        auto *offered = child<QListWidget>(w, "timesOffered");
        offered->clearSelection();
        for (const QString &row : arg.split(QLatin1Char(',')))
            offered->item(row.toInt())->setSelected(true);
        child<TavrelButton>(w, "timesPick")->click();
    } else if (verb == u"text") {
        child<QListWidget>(w, "timesTexts")->setCurrentRow(arg.toInt());
    } else if (step == u"up" || step == u"down" || step == u"remove text") {
        const char *name = step == u"up" ? "timesTextUp" : step == u"down" ? "timesTextDown" : "timesTextRemove";
        child<TavrelButton>(w, name)->click();
    } else if (verb == u"new" || verb == u"delete") {
        child<TavrelButton>(w, verb == u"new" ? "timesAdd" : "timesRemove")->click();
    } else {
        qFatal("no such step: %s", qPrintable(step));
    }
}

// Typed a key at a time, as a keyboard set to Arabic types it.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void showActive(QWidget &w)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace

class TestTimesWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The buttons read by their captions, as the program has them read.
    void initTestCase() { QAccessible::installFactory(buttonAccessibleFactory); }

    // What the user did, and what is written: on OK the window's entries
    // with the day each last came as the program has it now, on a failed
    // save the same for this run; on Cancel or Escape nothing.
    void closingWritesWhatWasEdited_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("closeBy");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QList<TimedReminder>>("expected");

        const TimedReminder morning = opened().at(0);
        const TimedReminder evening = opened().at(1);
        TimedReminder morningNow = morning;
        morningNow.lastShown = ShownMeanwhile;
        const auto own = TextKey::ofOwn;
        const auto builtIn = TextKey::ofBuiltIn;
        TimedReminder picked = morning;
        picked.texts = {builtIn(1), own(OwnSecond), builtIn(3)};
        picked.lastShown = ShownMeanwhile;
        const QStringList picking{"entry 0", "pick 3,1", QStringLiteral("pick %1").arg(OwnSecondRow),
                                  "text 2",  "down",     "up"};
        QTest::newRow("texts in the order picked and moved")
            << picking << "ok" << true << QList<TimedReminder>{picked, evening};
        TimedReminder edited = evening;
        edited.name = QStringLiteral("ورد المساء");
        edited.time = QTime(18, 30);
        edited.days = 0x7f & ~HoldSettings::dayBit(Qt::Friday);
        edited.enabled = true;
        edited.untilClosed = true;
        const QStringList editing{"entry 1", QStringLiteral("name  ورد\tالمساء "), "time 18:30", "day 5", "on",
                                  "until"};
        QTest::newRow("the evening's fields, its name tidied")
            << editing << "ok" << true << QList<TimedReminder>{morningNow, edited};
        TimedReminder unnamed = evening;
        unnamed.name = TimesWindow::Unnamed;
        unnamed.texts = {own(OwnDeleted)};
        unnamed.days = 0;
        QTest::newRow("a text removed, no name, no day")
            << QStringList{"entry 1", "text 0", "remove text", "name ", "day 1", "day 2",
                           "day 3",   "day 4",  "day 5",       "day 6", "day 7"}
            << "ok" << true << QList<TimedReminder>{morningNow, unnamed};
        const TimedReminder added = entry(QStringLiteral("ورد الليل"), QTime(21, 15), 0x7f, {builtIn(0)}, true, false);
        TimedReminder keptOn = evening;
        keptOn.untilClosed = true;
        QTest::newRow("the first deleted, the next edited, one added")
            << QStringList{"entry 0",    "delete", "until", "new", QStringLiteral("name ورد الليل"),
                           "time 21:15", "pick 0"}
            << "ok" << true << QList<TimedReminder>{keptOn, added};
        QTest::newRow("the file cannot be written")
            << picking << "ok" << false << QList<TimedReminder>{picked, evening};
        QTest::newRow("cancel") << picking << "cancel" << true << opened();
        QTest::newRow("escape") << editing << "escape" << true << opened();
    }
    void closingWritesWhatWasEdited()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, closeBy);
        QFETCH(bool, writable);
        QFETCH(QList<TimedReminder>, expected);
        QTemporaryDir other;
        const QString path = writable ? QString() : other.filePath(QStringLiteral("no-folder/times.ini"));
        Fixture f(path);
        TimesWindow w(f.times, f.texts);
        QSignalSpy notSaved(&w, &TimesWindow::notSaved);
        for (const QString &step : steps)
            perform(w, step);
        // Meanwhile the program shows the morning's texts.
        TimesSettings::Values v = f.times.values();
        v.entries[0].lastShown = ShownMeanwhile;
        f.times.setValues(v);
        const bool kept = closeBy == u"ok";
        if (closeBy == u"ok")
            child<TavrelButton>(w, "timesOk")->click();
        else if (closeBy == u"cancel")
            child<TavrelButton>(w, "timesCancel")->click();
        else
            QTest::keyClick(&w, Qt::Key_Escape);

        QCOMPARE(w.result(), kept ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(notSaved.count(), writable ? 0 : 1);
        if (!kept) {
            // Only what the program itself recorded.
            expected[0].lastShown = ShownMeanwhile;
        }
        QCOMPARE(f.times.values().entries, expected);
        QCOMPARE(f.times.values().graceMinutes, 45);
        TimesSettings reread(f.times.path());
        reread.load();
        if (kept && writable) {
            QCOMPARE(reread.values().entries, expected);
            QCOMPARE(reread.values().graceMinutes, 45);
        } else {
            QVERIFY(!QFile::exists(f.times.path()));
        }
    }

    // The texts offered: the search ignores the marks; a text the user
    // deleted is never offered, though a reminder that had it keeps it,
    // marked.
    void theSearchNarrowsWhatIsOffered_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("ownOffered");
        QTest::addColumn<bool>("builtInsOffered");
        QTest::newRow("no query") << QString() << QStringList{OwnFirst, OwnSecond} << true;
        QTest::newRow("both of mine") << QStringLiteral("نص لي") << QStringList{OwnFirst, OwnSecond} << false;
        QTest::newRow("typed with marks") << QStringLiteral("نَصّ لي ثانٍ") << QStringList{OwnSecond} << false;
        QTest::newRow("the deleted text") << QStringLiteral("محذوف") << QStringList() << false;
        QTest::newRow("a built-in's words") << QStringLiteral("الحمد لله رب") << QStringList() << true;
    }
    void theSearchNarrowsWhatIsOffered()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, ownOffered);
        QFETCH(bool, builtInsOffered);
        Fixture f;
        TimesWindow w(f.times, f.texts);
        child<QLineEdit>(w, "timesSearch")->setText(query);
        auto *offered = child<QListWidget>(w, "timesOffered");
        QStringList own;
        bool anyBuiltIn = false;
        for (int i = 0; i < offered->count(); ++i) {
            if (offered->item(i)->isHidden())
                continue;
            if (i < Catalogue::Size)
                anyBuiltIn = true;
            else
                own << offered->item(i)->text();
        }
        QCOMPARE(own, ownOffered);
        QCOMPARE(anyBuiltIn, builtInsOffered);

        perform(w, QStringLiteral("entry 1"));
        auto *texts = child<QListWidget>(w, "timesTexts");
        QCOMPARE(texts->count(), 2);
        QVERIFY(texts->item(1)->text().startsWith(OwnDeleted + QStringLiteral(" (")));
    }

    // Keyboard only: from the list of reminders to the search, a text
    // found and picked by the key on the row or on the button, and OK.
    void theKeyboardAloneAddsAText_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("enter on the row") << false;
        QTest::newRow("space on the button") << true;
    }
    void theKeyboardAloneAddsAText()
    {
        QFETCH(bool, byButton);
        Fixture f;
        TimesWindow w(f.times, f.texts);
        showActive(w);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("timesEntries"));
        auto *search = child<QLineEdit>(w, "timesSearch");
        for (int i = 0; i < 40 && QApplication::focusWidget() != search; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), search);
        type(search, QStringLiteral("لي ثان"));
        QTest::keyClick(search, Qt::Key_Tab);
        auto *offered = child<QListWidget>(w, "timesOffered");
        QCOMPARE(QApplication::focusWidget(), offered);
        QTest::keyClick(offered, Qt::Key_Down);
        QCOMPARE(offered->currentRow(), OwnSecondRow);
        if (byButton) {
            QTest::keyClick(offered, Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        } else {
            QTest::keyClick(offered, Qt::Key_Return);
        }
        QCOMPARE(child<QListWidget>(w, "timesTexts")->count(), 1);
        // On to OK, past the picker's button.
        auto *ok = child<TavrelButton>(w, "timesOk");
        for (int i = 0; i < 3 && QApplication::focusWidget() != ok; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Space);
        QCOMPARE(w.result(), QDialog::Accepted);
        QCOMPARE(f.times.values().entries.at(0).texts, QList<TextKey>{TextKey::ofOwn(OwnSecond)});
    }

    // The reminder's texts moved and removed from their list by its keys.
    void theTextsListAnswersItsKeys_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<TextKey>>("expected");
        const QList<TextKey> evening = opened().at(1).texts;
        const QList<TextKey> swapped{evening.at(1), evening.at(0)};
        QTest::newRow("ctrl+up on the second") << 1 << (Qt::CTRL | Qt::Key_Up).toCombined() << swapped;
        QTest::newRow("ctrl+down on the first") << 0 << (Qt::CTRL | Qt::Key_Down).toCombined() << swapped;
        QTest::newRow("ctrl+up on the first") << 0 << (Qt::CTRL | Qt::Key_Up).toCombined() << evening;
        QTest::newRow("delete on the first")
            << 0 << QKeyCombination(Qt::Key_Delete).toCombined() << QList<TextKey>{evening.at(1)};
    }
    void theTextsListAnswersItsKeys()
    {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(QList<TextKey>, expected);
        Fixture f;
        TimesWindow w(f.times, f.texts);
        showActive(w);
        perform(w, QStringLiteral("entry 1"));
        auto *texts = child<QListWidget>(w, "timesTexts");
        texts->setFocus();
        texts->setCurrentRow(row);
        const QKeyCombination pressed = QKeyCombination::fromCombined(key);
        QTest::keyClick(texts, pressed.key(), pressed.keyboardModifiers());
        QCOMPARE(w.shown().entries.at(1).texts, expected);
    }

    // Tab goes round every control in reading order, and a screen reader
    // hears each one named; the time as a time, the days by their names,
    // each text of a reminder whole.
    void everyControlIsReachedAndNamed()
    {
        Fixture f;
        TimesWindow w(f.times, f.texts);
        showActive(w);
        perform(w, QStringLiteral("entry 1"));
        child<QListWidget>(w, "timesEntries")->setFocus();
        QStringList reached;
        for (int i = 0; i < 60; ++i) {
            QWidget *focus = QApplication::focusWidget();
            const QString name = focus->objectName();
            if (!reached.isEmpty() && name == reached.constFirst())
                break;
            if (reached.isEmpty() || reached.constLast() != name) {
                reached << name;
                QAccessibleInterface *a = QAccessible::queryAccessibleInterface(focus);
                QVERIFY2(!a->text(QAccessible::Name).isEmpty(), qPrintable(name));
            }
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QStringList days;
        for (int day : {6, 7, 1, 2, 3, 4, 5})
            days << QStringLiteral("timesDay%1").arg(day);
        const QStringList expected = QStringList{"timesEntries", "timesAdd", "timesRemove", "timesName", "timesTime"}
            + days + QStringList{"timesOn",       "timesUntilClosed", "timesTexts",  "timesTextUp",
                                 "timesTextDown", "timesTextRemove",  "timesSearch", "timesOffered",
                                 "timesPick",     "timesOk",          "timesCancel"};
        QCOMPARE(reached, expected);

        QAccessibleInterface *time = QAccessible::queryAccessibleInterface(child<QTimeEdit>(w, "timesTime"));
        QCOMPARE(time->text(QAccessible::Value), QStringLiteral("17:00"));
        QCOMPARE(QAccessible::queryAccessibleInterface(child<QCheckBox>(w, "timesDay5"))->text(QAccessible::Name),
                 QStringLiteral("الجمعة"));
        QAccessibleInterface *texts = QAccessible::queryAccessibleInterface(child<QListWidget>(w, "timesTexts"));
        QCOMPARE(texts->childCount(), 2);
        QCOMPARE(texts->child(0)->text(QAccessible::Name), f.texts.catalogue().entry(0).trimmed());
    }
};

QTEST_MAIN(TestTimesWindow)
#include "tst_timeswindow.moc"
