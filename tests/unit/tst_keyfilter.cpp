#include "core/settings/NumberKey.h"

#include <QTest>

Q_DECLARE_METATYPE(KeyVerdict)

class TestKeyFilter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void classify_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<QString>("text");
        QTest::addColumn<KeyVerdict>("verdict");
        const int none = Qt::NoModifier;
        QTest::newRow("digit 0") << int(Qt::Key_0) << none << "0" << KeyVerdict::Accept;
        QTest::newRow("digit 9") << int(Qt::Key_9) << none << "9" << KeyVerdict::Accept;
        QTest::newRow("keypad digit") << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5" << KeyVerdict::Accept;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << KeyVerdict::Accept;
        QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << KeyVerdict::Reject;
        QTest::newRow("arabic letter") << int(Qt::Key_unknown) << none << "ب" << KeyVerdict::Reject;
        QTest::newRow("arabic-indic digit") << int(Qt::Key_unknown) << none << "٥" << KeyVerdict::Reject;
        QTest::newRow("blank") << int(Qt::Key_Space) << none << " " << KeyVerdict::Reject;
        QTest::newRow("minus") << int(Qt::Key_Minus) << none << "-" << KeyVerdict::Reject;
        QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r" << KeyVerdict::Reject;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << KeyVerdict::Reject;
        QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << KeyVerdict::Reject;
        QTest::newRow("ctrl+v as X11 sends it")
            << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16" << KeyVerdict::Reject;
        QTest::newRow("ctrl+v as letter") << int(Qt::Key_V) << int(Qt::ControlModifier) << "v" << KeyVerdict::Reject;
        QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << "\x7f"
                                        << KeyVerdict::Reject;
        QTest::newRow("ctrl+digit") << int(Qt::Key_5) << int(Qt::ControlModifier) << "5" << KeyVerdict::Reject;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << none << "" << KeyVerdict::Pass;
        QTest::newRow("home") << int(Qt::Key_Home) << none << "" << KeyVerdict::Pass;
        QTest::newRow("delete with a control text") << int(Qt::Key_Delete) << none << "\x7f" << KeyVerdict::Pass;
        QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << KeyVerdict::Pass;
        QTest::newRow("shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << KeyVerdict::Pass;
        QTest::newRow("alt+letter") << int(Qt::Key_A) << int(Qt::AltModifier) << "a" << KeyVerdict::Swallow;
    }
    void classify()
    {
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(QString, text);
        QFETCH(KeyVerdict, verdict);
        QCOMPARE(classifyNumberKey(key, Qt::KeyboardModifiers(mods), text), verdict);
    }
};

QTEST_GUILESS_MAIN(TestKeyFilter)
#include "tst_keyfilter.moc"
