#include "announce/player/RequestRule.h"

#include <QTest>

class TestRequestRule : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rule_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("the page") << "file:///opt/murel/player/player.html" << true;
        QTest::newRow("ruffle's wasm") << "file:///opt/murel/player/ruffle/a.wasm" << true;
        QTest::newRow("the movie") << "file:///home/u/.local/share/murel/1.swf" << true;
        QTest::newRow("another local file") << "file:///etc/passwd" << false;
        QTest::newRow("escaping the folder") << "file:///opt/murel/player/../secret" << false;
        QTest::newRow("a folder named alike") << "file:///opt/murel/player-x/a.js" << false;
        QTest::newRow("next to the movie") << "file:///home/u/.local/share/murel/background.txt" << false;
        QTest::newRow("remote") << "https://example.org/track.gif" << false;
        QTest::newRow("local server") << "http://127.0.0.1:8080/" << false;
        QTest::newRow("websocket") << "ws://127.0.0.1/" << false;
        QTest::newRow("blob") << "blob:file:///abc" << true;
        QTest::newRow("data") << "data:text/plain,x" << true;
    }
    void rule()
    {
        QFETCH(QString, url);
        QFETCH(bool, allowed);
        QCOMPARE(playerMayLoad(QUrl(url), QStringLiteral("/opt/murel/player"),
                               QStringLiteral("/home/u/.local/share/murel/1.swf")),
                 allowed);
    }
};

QTEST_GUILESS_MAIN(TestRequestRule)
#include "tst_requestrule.moc"
