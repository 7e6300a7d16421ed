#include "core/system/RunValue.h"

#include <QTest>

// The logon entry under the user's Run key: what is written, and whether
// what is found there starts this program (the settings' tick rests on it).
class TestRunValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void written_data()
    {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("value");
        QTest::newRow("blanks and Arabic in the path")
            << QStringLiteral("C:/Users/عبد الله/AppData/Local/Programs/Murel/murel.exe")
            << QStringLiteral("\"C:\\Users\\عبد الله\\AppData\\Local\\Programs\\Murel\\murel.exe\"");
        QTest::newRow("quoted even without a blank")
            << QStringLiteral("D:\\Murel\\murel.exe") << QStringLiteral("\"D:\\Murel\\murel.exe\"");
    }

    void written()
    {
        QFETCH(QString, exe);
        QTEST(RunValue::forProgram(exe), "value");
        QVERIFY(RunValue::startsProgram(RunValue::forProgram(exe), exe));
    }

    void found_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("starts");
        QTest::newRow("another case, other separators") << QStringLiteral("\"c:/users/a b/murel.EXE\"") << true;
        QTest::newRow("unquoted by an older writer") << QStringLiteral("C:\\Users\\a b\\murel.exe") << true;
        QTest::newRow("blanks around") << QStringLiteral("  \"C:\\Users\\a b\\murel.exe\" ") << true;
        QTest::newRow("another copy") << QStringLiteral("\"C:\\Old\\murel.exe\"") << false;
        QTest::newRow("the name without .exe") << QStringLiteral("C:\\Users\\a b\\murel") << false;
        QTest::newRow("a lone quote") << QStringLiteral("\"") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void found()
    {
        QFETCH(QString, stored);
        QTEST(RunValue::startsProgram(stored, QStringLiteral("C:\\Users\\a b\\murel.exe")), "starts");
    }
};

QTEST_GUILESS_MAIN(TestRunValue)
#include "tst_runvalue.moc"
