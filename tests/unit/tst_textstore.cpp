#include "core/hold/HoldSettings.h"
#include "core/texts/ReminderTexts.h"
#include "core/texts/TextImport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The file of the user's texts when a line of it is bad, and the import of
// a file of texts: what is kept, what is refused and where.
class TestTextStore : public QObject
{
    Q_OBJECT
private:
    // The user's texts written short: "-" before one that is off.
    static QStringList own(const ReminderTexts::Values &v)
    {
        QStringList out;
        for (const ReminderTexts::OwnText &t : v.own)
            out << (t.on ? QString() : QStringLiteral("-")) + t.text;
        return out;
    }

    static bool write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }

    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    // A file that cannot be used and cannot be moved aside either (every
    // name it could go to taken) stays as the user left it: each save of
    // the store is refused, the one after loading what was kept included.
    void aFileThatCannotBeMovedIsNeverWrittenOver_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("hold") << QString::fromLatin1(HoldSettings::FileName)
                              << QByteArray("away=true\nmonitor=pointer\nno value here\n");
        QTest::newRow("texts") << QString::fromLatin1(ReminderTexts::FileName)
                               << QByteArray("own=kept\nown=bad \\q escape\n");
    }
    void aFileThatCannotBeMovedIsNeverWrittenOver()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(write(path, bytes));
        for (int n = 1; n <= 1000; ++n)
            QVERIFY(write(path + QStringLiteral(".damaged-%1").arg(n), "earlier"));
        bool saved = true;
        Store::Problem problem = Store::Problem::None;
        QString setAside = QStringLiteral("?");
        if (name == QLatin1String(HoldSettings::FileName)) {
            HoldSettings hold(path);
            hold.load();
            problem = hold.problem();
            setAside = hold.setAside();
            saved = hold.save();
        } else {
            ReminderTexts texts(path);
            texts.load();
            QCOMPARE(own(texts.values()), QStringList{QStringLiteral("kept")});
            problem = texts.problem();
            setAside = texts.setAside();
            saved = texts.save();
        }
        QCOMPARE(problem, Store::Problem::Damaged);
        QCOMPARE(setAside, QString());
        QVERIFY(!saved);
        QCOMPARE(read(path), bytes);
        QCOMPARE(read(path + QStringLiteral(".damaged-1000")), QByteArray("earlier"));
    }

    void aBadLineCostsOnlyItself_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("own");
        QTest::addColumn<QList<int>>("off");
        QTest::addColumn<bool>("eachOnce");
        QTest::addColumn<QList<int>>("badLines");

        QTest::newRow("good file") << QByteArray("\xEF\xBB\xBF# mine\r\norder=each-once\r\noff=4,2\r\n"
                                                 "own=a\\tb\r\nown-off=c\\nd\r\nown=raw\ttab\r\n")
                                   << QStringList{"a\tb", "-c\nd", "raw\ttab"} << QList<int>{2, 4} << true
                                   << QList<int>{};
        QTest::newRow("nul among good") << QByteArray("order=each-once\nown=a\nown=b") + '\0' + "c\nown=d\noff=3\n"
                                        << QStringList{"a", "d"} << QList<int>{3} << true << QList<int>{3};
        QTest::newRow("escape") << QByteArray("own=a\nown=b\x1b\n") << QStringList{"a"} << QList<int>{} << false
                                << QList<int>{2};
        QTest::newRow("delete") << QByteArray("own=\x7f\nown=a\n") << QStringList{"a"} << QList<int>{} << false
                                << QList<int>{1};
        QTest::newRow("control of the second range")
            << QByteArray("own=a\xC2\x85z\nown=b\n") << QStringList{"b"} << QList<int>{} << false << QList<int>{1};
        QTest::newRow("a control character in a comment")
            << QByteArray("# \x07\nown=a\n") << QStringList{"a"} << QList<int>{} << false << QList<int>{1};
        QTest::newRow("not utf-8 on one line") << QByteArray("own=a\nown=\xff\xfe\nown=c\n") << QStringList{"a", "c"}
                                               << QList<int>{} << false << QList<int>{2};
        QTest::newRow("lines counted across crlf and a bom")
            << QByteArray("\xEF\xBB\xBFown=a\r\n\r\nown=\x01\r\nown=b\r\njust words\r\n") << QStringList{"a", "b"}
            << QList<int>{} << false << QList<int>{3, 5};
        QTest::newRow("a bad number keeps the others")
            << QByteArray("off=3,x,128,5\nown=a\n") << QStringList{"a"} << QList<int>{3, 5} << false << QList<int>{1};
        QTest::newRow("unknown order") << QByteArray("order=sometimes\nown-off=a\nown=b\n") << QStringList{"-a", "b"}
                                       << QList<int>{} << false << QList<int>{1};
        QTest::newRow("bad escape and empty text") << QByteArray("own=a\\q\nown= \nown=ok\nshown-own=x\\\n")
                                                   << QStringList{"ok"} << QList<int>{} << false << QList<int>{1, 2, 4};
    }
    void aBadLineCostsOnlyItself()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, own);
        QFETCH(QList<int>, off);
        QFETCH(bool, eachOnce);
        QFETCH(QList<int>, badLines);
        const ReminderTexts::Parsed parsed = ReminderTexts::parse(bytes);
        QVERIFY(!parsed.damaged);
        QCOMPARE(parsed.badLines, badLines);
        QCOMPARE(TestTextStore::own(parsed.values), own);
        QCOMPARE(parsed.values.builtInOff, off);
        QCOMPARE(parsed.values.order == ReminderTexts::Order::EachOnce, eachOnce);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("texts.ini"));
        QVERIFY(write(path, bytes));
        ReminderTexts texts(path);
        texts.load();
        QVERIFY(texts.values() == parsed.values);
        QCOMPARE(texts.skippedLines(), badLines);
        if (badLines.isEmpty()) {
            // A good file is left as it is; saved, it reads back the same
            // to the byte.
            QCOMPARE(texts.problem(), ReminderTexts::Problem::None);
            QCOMPARE(read(path), bytes);
            QVERIFY(texts.save());
            QCOMPARE(ReminderTexts::encode(ReminderTexts::parse(read(path)).values), read(path));
            return;
        }
        // The file as it was is kept aside, and what was good in it is
        // written at once, for the next start to find.
        QCOMPARE(texts.problem(), ReminderTexts::Problem::Damaged);
        QCOMPARE(texts.setAside(), path + QStringLiteral(".damaged-1"));
        QCOMPARE(read(texts.setAside()), bytes);
        QCOMPARE(read(path), ReminderTexts::encode(parsed.values));
        ReminderTexts again(path);
        again.load();
        QCOMPARE(again.problem(), ReminderTexts::Problem::None);
        QVERIFY(again.values() == parsed.values);
    }

    void importTakesEachTextOnce_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<int>("room");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<int>("duplicates");
        QTest::addColumn<int>("overLimit");
        QTest::addColumn<QList<int>>("controlLines");
        QTest::addColumn<QList<int>>("tooLongLines");

        // Texts longer than five characters do not fit.
        QTest::newRow("duplicates in the file and the list")
            << "a\n\nb\n\n a \n"
            << QStringList{"b"} << 10 << QStringList{"a"} << 2 << 0 << QList<int>{} << QList<int>{};
        QTest::newRow("nul names its line")
            << QStringLiteral("a\n\nb") + QChar(0) + QStringLiteral("c\n\nd") << QStringList{} << 10
            << QStringList{"a", "d"} << 0 << 0 << QList<int>{3} << QList<int>{};
        QTest::newRow("escape on a paragraph's second line")
            << "x\ny\x1bz\n\nw" << QStringList{} << 10 << QStringList{"w"} << 0 << 0 << QList<int>{2} << QList<int>{};
        QTest::newRow("a form feed does not make a blank line")
            << "a\n\x0c\nb\n\nc" << QStringList{} << 10 << QStringList{"c"} << 0 << 0 << QList<int>{2} << QList<int>{};
        QTest::newRow("lines counted across crlf and a bom")
            << "\uFEFFa\r\n\r\n\r\nb\x01\r\n\u2028c" << QStringList{} << 10 << QStringList{"a", "c"} << 0 << 0
            << QList<int>{4} << QList<int>{};
        QTest::newRow("a tab is a blank") << "a\tb\n\n\t\n\nc" << QStringList{} << 10 << QStringList{"a b", "c"} << 0
                                          << 0 << QList<int>{} << QList<int>{};
        QTest::newRow("too long") << "short\n\nmuch longer\nstill\n\nok" << QStringList{} << 10
                                  << QStringList{"short", "ok"} << 0 << 0 << QList<int>{} << QList<int>{3};
        QTest::newRow("past the room, counted once") << "a\n\nb\n\nc\n\nc\n\nd\n\na" << QStringList{} << 2
                                                     << QStringList{"a", "b"} << 2 << 2 << QList<int>{} << QList<int>{};
        QTest::newRow("no room") << "a\n\nb" << QStringList{"z"} << 0 << QStringList{} << 0 << 2 << QList<int>{}
                                 << QList<int>{};
    }
    void importTakesEachTextOnce()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, existing);
        QFETCH(int, room);
        QFETCH(QStringList, taken);
        QFETCH(int, duplicates);
        QFETCH(int, overLimit);
        QFETCH(QList<int>, controlLines);
        QFETCH(QList<int>, tooLongLines);
        // The same in slices of one paragraph as all at once.
        for (int slice : {1, 1000}) {
            TextImport import(file, existing, room, [](const QString &t) { return t.size() <= 5; });
            QStringList got;
            while (!import.done())
                got << import.step(slice);
            QCOMPARE(got, taken);
            QCOMPARE(import.taken(), int(taken.size()));
            QCOMPARE(import.duplicates(), duplicates);
            QCOMPARE(import.overLimit(), overLimit);
            QCOMPARE(import.controlLines(), controlLines);
            QCOMPARE(import.tooLongLines(), tooLongLines);
            QCOMPARE(import.position(), import.size());
        }
    }

    void onlyTheDrawnTextIsMeasured_data()
    {
        QTest::addColumn<int>("usableOne"); // -1: every text is usable
        QTest::newRow("every text usable") << -1;
        QTest::newRow("one text usable") << 1234;
    }
    void onlyTheDrawnTextIsMeasured()
    {
        // Thousands of texts of the user's and the built-ins off: a card
        // measures the text it draws, not every one.
        QFETCH(int, usableOne);
        QTemporaryDir dir;
        ReminderTexts texts(dir.filePath(QStringLiteral("texts.ini")));
        ReminderTexts::Values v;
        for (int n = 0; n < Catalogue::Size; ++n)
            v.builtInOff << n;
        for (int i = 0; i < ReminderTexts::OwnLimit; ++i)
            v.own << ReminderTexts::OwnText{QString::number(i), true};
        for (const auto order : {ReminderTexts::Order::Random, ReminderTexts::Order::EachOnce}) {
            v.order = order;
            texts.setValues(v);
            int measured = 0;
            const QString one = QString::number(usableOne);
            const auto usable = [&](const QString &t) {
                ++measured;
                return usableOne < 0 || t == one;
            };
            for (quint64 seed = 1; seed <= 20; ++seed) {
                const TextKey key = texts.next(seed * 7919, usable);
                QVERIFY(usableOne < 0 || key.own == one);
            }
            // One each when all are usable; otherwise a few draws, then
            // every text measured once.
            QVERIFY2(measured <= (usableOne < 0 ? 20 : 20 * (8 + ReminderTexts::OwnLimit)),
                     qPrintable(QString::number(measured)));
            if (order == ReminderTexts::Order::EachOnce)
                QCOMPARE(texts.values().shown.size(), usableOne < 0 ? 20 : 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestTextStore)
#include "tst_textstore.moc"
