#include "common/Find.h"
#include "core/hold/HoldSettings.h"
#include "reminder/HoldWindow.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

Q_DECLARE_METATYPE(HoldSettings::Monitor)
Q_DECLARE_METATYPE(CardGeometry::Corner)
Q_DECLARE_METATYPE(CardGeometry::Size)

namespace {

// Whether a label beside the control is read before its name (the group
// around it may still be named as the group).
bool labelledByALabel(QAccessibleInterface *control)
{
    const auto relations = control->relations(QAccessible::Label);
    for (const auto &relation : relations) {
        if (relation.first->role() == QAccessible::StaticText)
            return true;
    }
    return false;
}

} // namespace

using Monitor = HoldSettings::Monitor;

class TestHoldWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // What a screen reader gets: each control named once, by itself (no
    // label read before the name), with what it shows as its value; a
    // time is the time, never a number.
    void readsAsItShows_data()
    {
        QTest::addColumn<Monitor>("monitor");
        QTest::addColumn<QTime>("start");
        QTest::addColumn<int>("chosenRow"); // then chosen by the user; -1: none
        QTest::addColumn<QString>("monitorValue");
        QTest::addColumn<QString>("startValue");
        QTest::newRow("primary, at eight") << Monitor::Primary << QTime(8, 0) << -1 << "الشاشة الرئيسية"
                                           << "08:00";
        QTest::newRow("the pointer's, half past ten at night")
            << Monitor::Pointer << QTime(22, 30) << -1 << "الشاشة التي عليها المؤشر"
            << "22:30";
        QTest::newRow("changed to the active window's") << Monitor::Primary << QTime(0, 5) << 2 << "شاشة النافذة النشطة"
                                                        << "00:05";
    }
    void readsAsItShows()
    {
        QFETCH(Monitor, monitor);
        QFETCH(QTime, start);
        QFETCH(int, chosenRow);
        QFETCH(QString, monitorValue);
        QFETCH(QString, startValue);
        QTemporaryDir dir;
        HoldSettings settings(dir.filePath(QLatin1String(HoldSettings::FileName)));
        HoldSettings::Values v;
        v.monitor = monitor;
        v.hoursStart = start;
        settings.setValues(v);
        HoldWindow window(settings);
        auto *box = child<QComboBox>(window, "monitor");
        if (chosenRow >= 0)
            box->setCurrentIndex(chosenRow);

        QAccessibleInterface *choice = QAccessible::queryAccessibleInterface(box);
        QCOMPARE(choice->role(), QAccessible::ComboBox);
        QCOMPARE(choice->text(QAccessible::Name), QStringLiteral("يظهر على"));
        QCOMPARE(choice->text(QAccessible::Value), monitorValue);
        QVERIFY(!labelledByALabel(choice));
        // Where a reader looks for a closed box's value: its list's
        // selected item.
        QAccessibleInterface *list = choice->child(0);
        QCOMPARE(list->object(), box->view());
        QStringList selected;
        for (int i = 0; i < list->childCount(); ++i) {
            if (list->child(i)->state().selected)
                selected << list->child(i)->text(QAccessible::Name);
        }
        QCOMPARE(selected, QStringList{monitorValue});

        const char *times[] = {"hoursStart", "hoursEnd"};
        const QString names[] = {QStringLiteral("من الساعة"), QStringLiteral("إلى الساعة")};
        const QString values[] = {startValue, QStringLiteral("22:00")};
        for (int i = 0; i < 2; ++i) {
            QAccessibleInterface *time = QAccessible::queryAccessibleInterface(child<QTimeEdit>(window, times[i]));
            QCOMPARE(time->text(QAccessible::Name), names[i]);
            QCOMPARE(time->text(QAccessible::Value), values[i]);
            QVERIFY(!labelledByALabel(time));
            QVERIFY(!time->valueInterface());
            QAccessibleTextInterface *text = time->textInterface();
            QVERIFY(text);
            QCOMPARE(text->text(0, text->characterCount()), values[i]);
        }
    }

    // The minutes' noun follows the number, as shown and as stepped.
    void minutesAgreeWithTheirNumber_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("shown");
        QTest::newRow("5") << 5 << 0 << "5 دقائق";
        QTest::newRow("one step down to 1") << 2 << -1 << "1 دقيقة";
        QTest::newRow("one step up to 2") << 1 << 1 << "2 دقيقتان";
        QTest::newRow("up to 11") << 10 << 1 << "11 دقيقة";
        QTest::newRow("down to 10") << 11 << -1 << "10 دقائق";
        QTest::newRow("102") << 102 << 0 << "102 دقيقتان";
    }
    void minutesAgreeWithTheirNumber()
    {
        QFETCH(int, minutes);
        QFETCH(int, steps);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        HoldSettings settings(dir.filePath(QLatin1String(HoldSettings::FileName)));
        HoldSettings::Values v;
        v.awayMinutes = minutes;
        settings.setValues(v);
        HoldWindow window(settings);
        auto *box = child<QSpinBox>(window, "awayMinutes");
        box->stepBy(steps);
        QCOMPARE(box->text(), shown);
        QCOMPARE(window.shown().awayMinutes, minutes + steps);
    }

    // The card's corner and size, chosen with the keys: each choice asks
    // for a preview of what the boxes show then, read out as chosen, and
    // OK keeps the last. Showing the saved choices asks for nothing.
    void cornerAndSizeChosen_data()
    {
        QTest::addColumn<CardGeometry::Corner>("savedCorner");
        QTest::addColumn<CardGeometry::Size>("savedSize");
        QTest::addColumn<int>("cornerSteps"); // down the corner box, then
        QTest::addColumn<int>("sizeSteps");   // down the size box
        QTest::addColumn<CardGeometry::Corner>("corner");
        QTest::addColumn<CardGeometry::Size>("size");
        QTest::addColumn<QString>("cornerValue");
        QTest::addColumn<QString>("sizeValue");
        using C = CardGeometry::Corner;
        using S = CardGeometry::Size;
        QTest::newRow("nothing chosen") << C::TopLeft << S::Larger << 0 << 0 << C::TopLeft << S::Larger << "أعلى اليسار"
                                        << "كبير جداً";
        QTest::newRow("bottom left") << C::BottomRight << S::Normal << 1 << 0 << C::BottomLeft << S::Normal
                                     << "أسفل اليسار"
                                     << "عادي";
        QTest::newRow("top right, large")
            << C::BottomRight << S::Normal << 2 << 1 << C::TopRight << S::Large << "أعلى اليمين"
            << "كبير";
        QTest::newRow("top left, larger: past the end stays")
            << C::TopRight << S::Large << 3 << 3 << C::TopLeft << S::Larger << "أعلى اليسار"
            << "كبير جداً";
    }
    void cornerAndSizeChosen()
    {
        QFETCH(CardGeometry::Corner, savedCorner);
        QFETCH(CardGeometry::Size, savedSize);
        QFETCH(int, cornerSteps);
        QFETCH(int, sizeSteps);
        QFETCH(CardGeometry::Corner, corner);
        QFETCH(CardGeometry::Size, size);
        QFETCH(QString, cornerValue);
        QFETCH(QString, sizeValue);
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(HoldSettings::FileName));
        HoldSettings settings(path);
        HoldSettings::Values v;
        v.corner = savedCorner;
        v.size = savedSize;
        settings.setValues(v);
        HoldWindow window(settings);
        QList<HoldSettings::Values> previews;
        connect(&window, &HoldWindow::previewRequested, this,
                [&previews](const HoldSettings::Values &shown) { previews << shown; });
        auto *cornerBox = child<QComboBox>(window, "cardCorner");
        auto *sizeBox = child<QComboBox>(window, "cardSize");
        for (int i = 0; i < cornerSteps; ++i)
            QTest::keyClick(cornerBox, Qt::Key_Down);
        for (int i = 0; i < sizeSteps; ++i)
            QTest::keyClick(sizeBox, Qt::Key_Down);

        // One preview per step that moved, the last as the boxes show now.
        QVERIFY(previews.size() <= cornerSteps + sizeSteps);
        QCOMPARE(previews.isEmpty(), corner == savedCorner && size == savedSize);
        if (!previews.isEmpty()) {
            QCOMPARE(int(previews.last().corner), int(corner));
            QCOMPARE(int(previews.last().size), int(size));
        }
        const QString names[] = {QStringLiteral("زاوية البطاقة"), QStringLiteral("حجم البطاقة")};
        const QString values[] = {cornerValue, sizeValue};
        const QComboBox *boxes[] = {cornerBox, sizeBox};
        for (int i = 0; i < 2; ++i) {
            QAccessibleInterface *choice = QAccessible::queryAccessibleInterface(const_cast<QComboBox *>(boxes[i]));
            QCOMPARE(choice->text(QAccessible::Name), names[i]);
            QCOMPARE(choice->text(QAccessible::Value), values[i]);
            QVERIFY(!labelledByALabel(choice));
        }

        QMetaObject::invokeMethod(child<QWidget>(window, "holdOk"), "clicked");
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const HoldSettings::Values read = HoldSettings::parse(saved.readAll()).values;
        QCOMPARE(int(read.corner), int(corner));
        QCOMPARE(int(read.size), int(size));
    }

    // The start's message names where the file went, or that it stays.
    void theProblemMessageNamesTheKeptFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(HoldSettings::FileName));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not choices\n");
        file.close();
        HoldSettings settings(path);
        settings.load();
        QVERIFY(HoldWindow::problemMessage(settings).contains(
            QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path + QStringLiteral(".damaged-1")))));
    }
};

QTEST_MAIN(TestHoldWindow)
#include "tst_holdwindow.moc"
