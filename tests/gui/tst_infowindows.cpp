#include "controls/Label.h"
#include "controls/LinkLabel.h"
#include "controls/TavrelButton.h"
#include "controls/TavrelButtonV2.h"
#include "info/InstructionsWindow.h"
#include "info/AboutAuthorWindow.h"
#include "info/AboutProgramWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

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
        QCOMPARE(w.windowTitle(), QStringLiteral("عن البرنامج"));
        QCOMPARE(w.size(), QSize(279, 314));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(w.Text2->toPlainText(), shownLines(AboutProgramWindow::Greeting));
        // The greeting's last line is shown, and its closing line break adds
        // no empty line below it.
        QVERIFY(w.Text2->toPlainText().endsWith(QStringLiteral("\nوالمغفرة")));
        QVERIFY(w.Text2->isReadOnly());
        QCOMPARE(w.Label2->text(), QStringLiteral("رقم الاصدار: 2.6"));
        QCOMPARE(w.Label3->text(), QStringLiteral("تصميم  وبرمجة: فريق Murel"));
        QCOMPARE(w.Label6->text(), QStringLiteral("تم الانتهاء من برمجة البرنامج بتاريخ "));
        QCOMPARE(w.Label1->palette().color(QPalette::WindowText), QColor(255, 128, 0));
        QCOMPARE(w.TavrelButton1->caption(), QStringLiteral("OK"));

        // The link: red under the pointer, blue when pressed, black again
        // over the window's background; each click opens the home page.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.Label7->toolTip().isEmpty());
        moveOver(w.Label7, QPoint(10, 8));
        QCOMPARE(w.Label7->colour(), QColor(Qt::red));
        QTest::mousePress(w.Label7, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(w.Label7->colour(), QColor(Qt::blue));
        QTest::mouseRelease(w.Label7, Qt::LeftButton, {}, QPoint(10, 8));
        QTest::mouseClick(w.Label7, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(opened, (QList<QUrl>{home, home}));
        QVERIFY(w.isVisible());
        moveOver(&w, QPoint(5, 300));
        QCOMPARE(w.Label7->colour(), QColor(Qt::black));

        QTest::mouseClick(w.TavrelButton1, Qt::LeftButton, {}, QPoint(30, 12));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void linkInertWithoutAnAddress()
    {
        int opened = 0;
        AboutProgramWindow w(QUrl(), [&](const QUrl &) { ++opened; });
        QCOMPARE(w.Label7->toolTip(), AboutProgramWindow::NoAddressTip);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Its colours still show; a click goes nowhere.
        moveOver(w.Label7, QPoint(10, 8));
        QCOMPARE(w.Label7->colour(), QColor(Qt::red));
        QTest::mouseClick(w.Label7, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(w.Label7->colour(), QColor(Qt::blue));
        QCOMPARE(opened, 0);
    }

    void aboutTheAuthor()
    {
        AboutAuthorWindow w(QStringLiteral("example.org"));
        QCOMPARE(w.windowTitle(), QStringLiteral("عن المبرمج"));
        QCOMPARE(w.size(), QSize(318, 267));
        QCOMPARE(w.Label10->text(), QStringLiteral("بسم الله الرحمن الرحيم"));
        QCOMPARE(w.Label5->text(), QStringLiteral("فريق Murel"));
        QCOMPARE(w.Text1[0]->text(), QStringLiteral("example.org"));
        QVERIFY(w.Text1[0]->isReadOnly() && w.Text1[1]->isReadOnly());
        QCOMPARE(w.Label12->text(), QStringLiteral("عبر البريد :"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        moveOver(w.Label9, QPoint(5, 5));
        QCOMPARE(w.Label9->colour(), QColor(Qt::red));
        moveOver(&w, QPoint(150, 150));
        QCOMPARE(w.Label9->colour(), QColor(Qt::black));
        QTest::mouseClick(w.Label9, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(w.Label9->colour(), QColor(Qt::blue));
        QVERIFY(!w.isVisible());
    }

    void instructions()
    {
        InstructionsWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("تعليمات وارشادات حول البرنامج"));
        QCOMPARE(w.size(), QSize(398, 347));
        QCOMPARE(InstructionsWindow::Text.count(QStringLiteral("\r\n")), 14);
        QCOMPARE(w.Text1->toPlainText(), shownLines(InstructionsWindow::Text));
        QCOMPARE(w.Text1->toPlainText().split(QLatin1Char('\n')).value(10), QStringLiteral("ثالثاً:  الإعلان "));
        QVERIFY(w.Text1->isReadOnly());
        QCOMPARE(w.Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(w.Text1->palette().color(QPalette::Text), QColor(0, 0, 128));
        QCOMPARE(w.TavrelButtonV21->caption(), QStringLiteral("OK"));
        QCOMPARE(w.TavrelButtonV21->foreColor(), 0u);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Too long for the box: it scrolls.
        QVERIFY(w.Text1->verticalScrollBar()->maximum() > 0);
        QTest::keyClicks(w.Text1, QStringLiteral("abc"));
        QCOMPARE(w.Text1->toPlainText(), shownLines(InstructionsWindow::Text));
        QTest::mouseClick(w.TavrelButtonV21, Qt::LeftButton, {}, QPoint(50, 15));
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
