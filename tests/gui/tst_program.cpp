#include "app/Program.h"
#include "common/ManualClock.h"
#include "common/TestPlatform.h"
#include "core/hold/HoldGate.h"
#include "core/texts/ReminderTexts.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QList<Program::Notice> notices(const QSignalSpy &spy)
{
    QList<Program::Notice> list;
    for (const QList<QVariant> &call : spy)
        list.append(call.at(0).value<Program::Notice>());
    return list;
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    TestPlatform m_platform;
    ManualClock m_clock;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("windir", m_dir->path().toLocal8Bit());
        m_platform.older.clear();
    }

    // What the start-up finds is said as it finds it, and only that.
    void startUpNotices_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QList<Program::Notice>>("expected");
        QTest::newRow("a first run") << "none" << QList<Program::Notice>{};
        QTest::newRow("an older folder") << "older" << QList<Program::Notice>{Program::Notice::OlderFolderCopied};
        QTest::newRow("hold.ini unreadable") << "hold" << QList<Program::Notice>{Program::Notice::HoldProblem};
        QTest::newRow("texts.ini unreadable") << "texts" << QList<Program::Notice>{Program::Notice::TextsProblem};
    }
    void startUpNotices()
    {
        QFETCH(QString, setUp);
        QFETCH(QList<Program::Notice>, expected);
        Program program(m_platform, m_clock);
        const QString older = m_dir->path() + QStringLiteral("/older");
        if (setUp == QLatin1String("older")) {
            writeFile(older + QStringLiteral("/background.txt"), "\"3\",\"Arial\"");
            m_platform.older = {older};
        } else if (setUp == QLatin1String("hold")) {
            QVERIFY(QDir().mkpath(program.dataFolder() + QStringLiteral("/hold.ini")));
        } else if (setUp == QLatin1String("texts")) {
            QVERIFY(QDir().mkpath(program.dataFolder() + QStringLiteral("/texts.ini")));
        }
        QSignalSpy said(&program, &Program::notice);
        QVERIFY(program.load());
        QCOMPARE(notices(said), expected);
        QCOMPARE(QDir::cleanPath(program.olderFolder()),
                 setUp == QLatin1String("older") ? QDir::cleanPath(older) : QString());
    }

    // The card's text is drawn by the program, and the round through the
    // texts is kept on disk before any card is drawn.
    void eachCardTakesTheNextText_data()
    {
        // The one catalogue entry on, -1: none; the one text of the user's,
        // if any. One more entry stays on so that one card does not end the
        // round.
        QTest::addColumn<int>("builtIn");
        QTest::addColumn<QString>("own");
        QTest::newRow("a catalogue entry") << 5 << QString();
        QTest::newRow("a text of the user's") << -1 << QStringLiteral("سبحان الله");
    }
    void eachCardTakesTheNextText()
    {
        QFETCH(int, builtIn);
        QFETCH(QString, own);
        Program program(m_platform, m_clock);
        QVERIFY(program.load());
        ReminderTexts::Values values;
        for (int i = 0; i < Catalogue::Size; ++i) {
            if (i != builtIn && i != Catalogue::Size - 1)
                values.builtInOff.append(i);
        }
        if (!own.isEmpty())
            values.own.append({own, true});
        values.order = ReminderTexts::Order::EachOnce;
        program.texts().setValues(values);

        QSignalSpy shown(&program, &Program::showCard);
        program.remindNow();
        QCOMPARE(shown.count(), 1);
        const auto content = shown.at(0).at(0).value<CardContent>();
        const int last = Catalogue::Size - 1;
        QVERIFY(content.textIndex == builtIn || content.textIndex == last);
        const Catalogue &catalogue = program.texts().catalogue();
        QCOMPARE(content.text, content.textIndex >= 0 ? catalogue.entry(content.textIndex) : own);
        QCOMPARE(content.screen.data(), program.cardScreen());

        ReminderTexts reread(program.dataFolder() + QStringLiteral("/texts.ini"));
        reread.load();
        QCOMPARE(reread.values().shown.size(), 1);
        QCOMPARE(reread.values().shown.first().builtIn, content.textIndex);
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
