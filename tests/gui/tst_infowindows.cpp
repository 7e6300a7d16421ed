#include "common/Find.h"
#include "controls/Label.h"
#include "controls/LinkLabel.h"
#include "controls/TavrelButton.h"
#include "controls/TavrelButtonV2.h"
#include "info/AboutAuthorWindow.h"
#include "info/AboutProgramWindow.h"
#include "info/InstructionsWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

namespace {

QString shownLines(const QString &crlf)
{
    QString lines = crlf;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.chop(1);
    return lines;
}

void moveOver(QWidget *w, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

const QString kTeam = QStringLiteral("فريق Murel");

} // namespace

class TestInfoWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aboutTheProgram()
    {
        QList<QUrl> opened;
        const QUrl home(QStringLiteral("http://127.0.0.1:9/"));
        AboutProgramWindow w(home, [&](const QUrl &u) { opened << u; });
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        auto *greeting = child<QTextEdit>(w, "Text2");
        QCOMPARE(greeting->toPlainText(), shownLines(AboutProgramWindow::Greeting));
        // The greeting's last line is shown, and its closing line break adds
        // no empty line below it.
        QVERIFY(greeting->toPlainText().endsWith(QStringLiteral("\nوالمغفرة")));
        QVERIFY(greeting->isReadOnly());
        QCOMPARE(child<Label>(w, "Label2")->text(), QStringLiteral("رقم الاصدار: 2.6"));
        QCOMPARE(child<Label>(w, "Label1")->palette().color(QPalette::WindowText), QColor(255, 128, 0));

        // The link: red under the pointer, blue when pressed, black again
        // over the window's background; each click opens the home page.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *link = child<LinkLabel>(w, "Label7");
        QVERIFY(link->toolTip().isEmpty());
        moveOver(link, QPoint(10, 8));
        QCOMPARE(link->colour(), QColor(Qt::red));
        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(link->colour(), QColor(Qt::blue));
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(10, 8));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(opened, (QList<QUrl>{home, home}));
        QVERIFY(w.isVisible());
        moveOver(&w, QPoint(5, 300));
        QCOMPARE(link->colour(), QColor(Qt::black));

        QTest::mouseClick(child<TavrelButton>(w, "TavrelButton1"), Qt::LeftButton, {}, QPoint(30, 12));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void linkInertWithoutAnAddress()
    {
        int opened = 0;
        AboutProgramWindow w(QUrl(), [&](const QUrl &) { ++opened; });
        auto *link = child<LinkLabel>(w, "Label7");
        QCOMPARE(link->toolTip(), AboutProgramWindow::NoAddressTip);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Its colours still show; a click goes nowhere.
        moveOver(link, QPoint(10, 8));
        QCOMPARE(link->colour(), QColor(Qt::red));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(link->colour(), QColor(Qt::blue));
        QCOMPARE(opened, 0);
    }

    void programContact_data()
    {
        QTest::addColumn<QUrl>("homePage");
        QTest::addColumn<QString>("shown");
        QTest::newRow("home page") << QUrl(QStringLiteral("http://example.org:8080/murel/"))
                                   << QStringLiteral("example.org");
        QTest::newRow("none") << QUrl() << kTeam;
    }

    // The contact line names the host of the home page, or the team.
    void programContact()
    {
        QFETCH(QUrl, homePage);
        QFETCH(QString, shown);
        AboutProgramWindow w(homePage, {});
        auto *contact = child<QLineEdit>(w, "Text1");
        QCOMPARE(contact->text(), shown);
        QVERIFY(contact->isReadOnly());
    }

    void aboutTheAuthor()
    {
        AboutAuthorWindow w(QStringLiteral("example.org"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *ok = child<LinkLabel>(w, "Label9");
        moveOver(ok, QPoint(5, 5));
        QCOMPARE(ok->colour(), QColor(Qt::red));
        moveOver(&w, QPoint(150, 150));
        QCOMPARE(ok->colour(), QColor(Qt::black));
        QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(ok->colour(), QColor(Qt::blue));
        QVERIFY(!w.isVisible());
    }

    void authorContact_data()
    {
        QTest::addColumn<QString>("contact");
        QTest::addColumn<QString>("shown");
        QTest::newRow("home page") << QStringLiteral("example.org") << QStringLiteral("example.org");
        QTest::newRow("none") << QString() << kTeam;
    }

    // Both contact boxes lead to the same place: the page, or the team.
    void authorContact()
    {
        QFETCH(QString, contact);
        QFETCH(QString, shown);
        AboutAuthorWindow w(contact);
        for (const char *name : {"Text1_0", "Text1_1"}) {
            auto *box = child<QLineEdit>(w, name);
            QCOMPARE(box->text(), shown);
            QVERIFY(box->isReadOnly());
        }
    }

    void instructions()
    {
        InstructionsWindow w;
        auto *text = child<QPlainTextEdit>(w, "Text1");
        QCOMPARE(text->toPlainText(), shownLines(InstructionsWindow::Text));
        QCOMPARE(text->toPlainText().split(QLatin1Char('\n')).value(10), QStringLiteral("ثالثاً:  الإعلان "));
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(text->palette().color(QPalette::Text), QColor(0, 0, 128));
        auto *ok = child<TavrelButtonV2>(w, "TavrelButtonV21");
        QCOMPARE(ok->foreColor(), 0u);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Too long for the box: it scrolls.
        QVERIFY(text->verticalScrollBar()->maximum() > 0);
        QTest::keyClicks(text, QStringLiteral("abc"));
        QCOMPARE(text->toPlainText(), shownLines(InstructionsWindow::Text));
        QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(50, 15));
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
