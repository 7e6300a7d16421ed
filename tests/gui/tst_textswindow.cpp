#include "common/Find.h"
#include "controls/TavrelButton.h"
#include "core/texts/ReminderTexts.h"
#include "reminder/TextsWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

// The texts window as the keyboard uses it, what it refuses as it is
// typed, and an import far larger than anyone types. What a screen reader
// hears of the switches is tested end to end (tests/e2e/texts.sh).
class TestTextsWindow : public QObject
{
    Q_OBJECT
private:
    static void showActive(QWidget &w)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    QTemporaryDir m_dir;

private Q_SLOTS:
    void addingLeavesTheKeysOnTheNewText_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("enter") << int(Qt::Key_Return);
    }
    void addingLeavesTheKeysOnTheNewText()
    {
        QFETCH(int, key);
        ReminderTexts texts(m_dir.filePath(QStringLiteral("texts.ini")));
        TextsWindow w(texts, QString(), 1);
        showActive(w);
        auto *editor = child<QPlainTextEdit>(w, "textEditor");
        auto *own = child<QListWidget>(w, "ownTexts");
        editor->setFocus();
        QTest::keyClicks(editor, QStringLiteral("first text"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child<TavrelButton>(w, "textAdd"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(own->count(), 1);
        QCOMPARE(QApplication::focusWidget(), own);
        QCOMPARE(own->currentRow(), 0);
        // The same key again does not reach the delete button.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(own->count(), 1);
        QCOMPARE(own->item(0)->data(Qt::UserRole).toString(), QStringLiteral("first text"));
    }

    void controlCharactersAreRefusedAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("line"); // 0: taken
        QTest::addColumn<QString>("kept");
        QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << 1 << QString();
        QTest::newRow("escape on the third line") << QStringLiteral("a\nb\nc\x1b") << 3 << QString();
        QTest::newRow("delete after a blank line") << QStringLiteral("a\n\nb\x7f") << 3 << QString();
        QTest::newRow("a tab is a blank") << QStringLiteral("a\tb") << 0 << QStringLiteral("a b");
    }
    void controlCharactersAreRefusedAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(int, line);
        QFETCH(QString, kept);
        ReminderTexts texts(m_dir.filePath(QStringLiteral("texts.ini")));
        TextsWindow w(texts, QString(), 1);
        auto *editor = child<QPlainTextEdit>(w, "textEditor");
        auto *add = child<TavrelButton>(w, "textAdd");
        editor->setPlainText(typed);
        QCOMPARE(add->isEnabled(), line == 0);
        add->click();
        auto *own = child<QListWidget>(w, "ownTexts");
        QCOMPARE(child<QLabel>(w, "textsNotice")->text(), line ? TextsWindow::controlMessage(line) : QString());
        QCOMPARE(own->count(), line ? 0 : 1);
        if (!line)
            QCOMPARE(own->item(0)->data(Qt::UserRole).toString(), kept);
    }

    // A file of count short texts, "نص رقم 1" on.
    QString manyTexts(int count)
    {
        QByteArray file;
        for (int i = 1; i <= count; ++i)
            file += QStringLiteral("نص رقم %1\n\n").arg(i).toUtf8();
        const QString path = m_dir.filePath(QStringLiteral("many-%1.txt").arg(count));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    void aHugeImportKeepsTheWindowAnswering()
    {
        // Far more short texts than the list takes: the import goes on in
        // slices, and the window's loop is never held up long.
        constexpr int Count = 50000;
        const QString path = manyTexts(Count);

        ReminderTexts texts(m_dir.filePath(QStringLiteral("texts.ini")));
        ReminderTexts::Values v;
        v.own << ReminderTexts::OwnText{QStringLiteral("نص لي"), true}
              << ReminderTexts::OwnText{QStringLiteral("نص رقم 7"), false};
        texts.setValues(v);
        TextsWindow w(texts, QString(), 1);
        w.show();
        QSignalSpy finished(&w, &TextsWindow::importFinished);
        QElapsedTimer lateness;
        qint64 worstLateMs = 0;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        connect(&tick, &QTimer::timeout, this, [&] { worstLateMs = std::max(worstLateMs, lateness.restart() - 20); });
        QElapsedTimer took;
        took.start();
        lateness.start();
        tick.start(20);
        w.importFile(path);
        QVERIFY(w.importing());
        QVERIFY(finished.wait(20000));
        const qint64 tookMs = took.elapsed();
        tick.stop();
        qInfo("%d texts imported in %lld ms; the loop was late by %lld ms at most", Count, tookMs, worstLateMs);
        QVERIFY2(worstLateMs < 250, qPrintable(QString::number(worstLateMs)));
        QVERIFY2(tookMs < 10000, qPrintable(QString::number(tookMs)));
        auto *own = child<QListWidget>(w, "ownTexts");
        QCOMPARE(own->count(), ReminderTexts::OwnLimit);
        // Two were there, one of them in the file; the rest beyond the
        // limit are counted, not taken.
        const int taken = ReminderTexts::OwnLimit - 2;
        QCOMPARE(own->item(2)->data(Qt::UserRole).toString(), QStringLiteral("نص رقم 1"));
        QCOMPARE(own->item(ReminderTexts::OwnLimit - 1)->data(Qt::UserRole).toString(),
                 QStringLiteral("نص رقم %1").arg(taken + 1));
        const QString notice = child<QLabel>(w, "textsNotice")->text();
        QVERIFY2(notice.contains(QStringLiteral("استُورد من الملف %1 ").arg(taken)), qPrintable(notice));
        QVERIFY2(notice.contains(
                     QStringLiteral("%1 نص، فلم يُستورد %2 ").arg(ReminderTexts::OwnLimit).arg(Count - 1 - taken)),
                 qPrintable(notice));
        // The add button says the same.
        child<QPlainTextEdit>(w, "textEditor")->setPlainText(QStringLiteral("one more"));
        child<TavrelButton>(w, "textAdd")->click();
        QCOMPARE(child<QLabel>(w, "textsNotice")->text(), TextsWindow::LimitMessage);
        QCOMPARE(own->count(), ReminderTexts::OwnLimit);
    }

    void anImportStoppedKeepsWhatItTook()
    {
        ReminderTexts texts(m_dir.filePath(QStringLiteral("texts.ini")));
        TextsWindow w(texts, QString(), 1);
        w.show();
        QSignalSpy finished(&w, &TextsWindow::importFinished);
        w.importFile(manyTexts(20000));
        // Stopped from its progress, which is there once the first slice
        // did not finish it.
        auto *progress = child<QProgressDialog>(w, "textsImportProgress");
        progress->cancel();
        QVERIFY(finished.wait(10000));
        QVERIFY(!w.importing());
        const int taken = int(child<QListWidget>(w, "ownTexts")->count());
        QVERIFY2(taken > 0 && taken < 10000, qPrintable(QString::number(taken)));
        const QString notice = child<QLabel>(w, "textsNotice")->text();
        QVERIFY2(notice.startsWith(QStringLiteral("أُوقف الاستيراد")), qPrintable(notice));
        QVERIFY2(notice.contains(QStringLiteral(" %1 ").arg(taken)), qPrintable(notice));
        QTRY_VERIFY(w.findChildren<QProgressDialog *>().isEmpty());
    }
};

QTEST_MAIN(TestTextsWindow)
#include "tst_textswindow.moc"
