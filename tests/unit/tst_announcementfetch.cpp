#include "core/fetch/AnnouncementFetch.h"

#include <QTest>

namespace {

using Step = AnnouncementFetch::Step;
using Action = AnnouncementFetch::Action;

char letter(Action a)
{
    switch (a) {
    case Action::Wait: return 'W';
    case Action::DownloadText: return 'T';
    case Action::DownloadMovie: return 'M';
    case Action::Finish: return 'F';
    }
    return '?';
}

// Plays a run's events on a fresh state and writes down what it answers:
// "+"/"=" for a connection answer that changed or not, a letter for each
// step's tick. Events: on, off (the monitor), arm, t (text tick with a
// server), t0 (without one), td / tf (text download ended with a text /
// failed or empty), c= / cx (comparison
// tick with the same / a different text), md (movie download ended).
QString play(AnnouncementFetch &f, const QString &events)
{
    QStringList log;
    for (const QString &e : events.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (e == QLatin1String("on") || e == QLatin1String("off"))
            log << (f.setOnline(e == QLatin1String("on")) ? QStringLiteral("+") : QStringLiteral("="));
        else if (e == QLatin1String("arm"))
            f.arm();
        else if (e == QLatin1String("t") || e == QLatin1String("t0"))
            log << QString(QLatin1Char(letter(f.textStep(e == QLatin1String("t")))));
        else if (e == QLatin1String("td") || e == QLatin1String("tf"))
            f.textDone(e == QLatin1String("td"));
        else if (e == QLatin1String("c=") || e == QLatin1String("cx"))
            log << QString(QLatin1Char(letter(f.compareStep("v1", e == QLatin1String("c=") ? "v1" : "v2"))));
        else if (e == QLatin1String("md"))
            f.movieDone();
        else
            qFatal("unknown event %s", qPrintable(e));
    }
    return log.join(QLatin1Char(' '));
}

} // namespace

class TestAnnouncementFetch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void run_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<Step>("step");
        QTest::addColumn<bool>("wantsService");

        QTest::newRow("edges only when the answer changes") << "on on off off on"
                                                            << "+ = + = +" << Step::None << false;
        QTest::newRow("nothing before a server is known") << "on t"
                                                          << "+ W" << Step::None << false;
        QTest::newRow("off-line: waits, then fetches once on-line") << "arm off t t on t"
                                                                    << "+ W W + T" << Step::Text << true;
        QTest::newRow("a tick while the text comes (or its message is open) waits") << "arm on t t"
                                                                                    << "+ T W" << Step::Text << true;
        QTest::newRow("the same text: done without the movie") << "arm on t td c="
                                                               << "+ T F" << Step::Done << false;
        QTest::newRow("a failed or empty text: done, nothing compared, not tried again")
            << "arm on t tf c= cx t off on t"
            << "+ T W W W + + W" << Step::Done << false;
        QTest::newRow("a new text: the movie, then done") << "arm on t td cx md"
                                                          << "+ T M" << Step::Done << false;
        QTest::newRow("failed second step: its message open, then done, not tried again")
            << "arm on t td cx cx md cx"
            << "+ T M W W" << Step::Done << false;
        QTest::newRow("once per run: off and on again, armed again, nothing") << "arm on t td c= off on arm t"
                                                                              << "+ T F + + W" << Step::Done << false;
        QTest::newRow("the comparison waits for the text") << "arm on c= t c="
                                                           << "+ W T W" << Step::Text << true;
        QTest::newRow("no server after all: finished, and a later one fetches") << "arm on t0 t arm t"
                                                                                << "+ F W T" << Step::Text << true;
        QTest::newRow("a stray download end changes nothing") << "arm td md on t"
                                                              << "+ T" << Step::Text << true;
    }
    void run()
    {
        QFETCH(QString, events);
        QFETCH(QString, answers);
        QFETCH(Step, step);
        QFETCH(bool, wantsService);
        AnnouncementFetch f;
        QCOMPARE(play(f, events), answers);
        QCOMPARE(f.step(), step);
        QCOMPARE(f.wantsService(), wantsService);
    }

    void onlineIsFalseUntilTheFirstAnswer()
    {
        AnnouncementFetch f;
        QVERIFY(!f.online());
        f.setOnline(true);
        QVERIFY(f.online());
    }
};

QTEST_GUILESS_MAIN(TestAnnouncementFetch)
#include "tst_announcementfetch.moc"
