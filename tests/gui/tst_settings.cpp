#include "app/MainWindow.h"
#include "common/ManualClock.h"
#include "common/RecordingMessages.h"
#include "common/TestPlatform.h"
#include "controls/Label.h"
#include "controls/Shape.h"
#include "controls/TavrelButton.h"
#include "reminder/SettingsDialog.h"
#include "reminder/BackgroundChooser.h"
#include "resources/Artwork.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

void click(TavrelButton *b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, b->height() / 2));
}

QImage shown(const QLabel *l)
{
    return l->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage picture(int n)
{
    return backgroundPicture(n).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    TestPlatform m_platform;
    RecordingMessages m_messages;
    ManualClock m_clock;
    std::unique_ptr<MainWindow> m_form;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("windir", m_dir->path().toLocal8Bit());
        m_platform.logon.clear();
        m_form = std::make_unique<MainWindow>(m_platform, m_messages, m_clock);
        QVERIFY(m_form->load());
        m_form->Text4->setText(QStringLiteral("Tahoma"));
        m_form->Text5->setText(QStringLiteral("3"));
        m_form->Text6->setText(QStringLiteral("0"));
    }
    void cleanup() { m_form.reset(); }

    void opensWithTheCurrentFont()
    {
        SettingsDialog w(*m_form);
        QCOMPARE(w.windowTitle(), QStringLiteral("اعدادات"));
        QCOMPARE(w.size(), QSize(315, 354));
        QCOMPARE(w.Combo2->currentText(), QStringLiteral("Tahoma"));
        QCOMPARE(w.Label1->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(w.Label1->font().pointSize(), 12);
        QVERIFY(w.Label1->font().bold());
        QStringList items;
        for (int i = 0; i < w.Combo2->count(); ++i)
            items << w.Combo2->itemText(i);
        QCOMPARE(items, (QStringList{"MS Sans Serif", "Tahoma", "Times New Roman"}));
    }

    void typingUpdatesThePreviewAndApplyStoresIt()
    {
        SettingsDialog w(*m_form);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Combo2->lineEdit()->selectAll();
        QTest::keyClicks(w.Combo2->lineEdit(), QStringLiteral("Aria"));
        QCOMPARE(w.Label1->font().family(), QStringLiteral("Aria"));
        QTest::keyClicks(w.Combo2->lineEdit(), QStringLiteral("l"));
        QCOMPARE(w.Label1->font().family(), QStringLiteral("Arial"));
        w.Combo2->setCurrentIndex(2);
        QCOMPARE(w.Label1->font().family(), QStringLiteral("Times New Roman"));
        click(w.Command2);
        QCOMPARE(m_form->Text4->text(), QStringLiteral("Times New Roman"));
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void restoreThenCancelOrApply_data()
    {
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QString>("font");
        QTest::newRow("cancel keeps the font") << false << "Tahoma";
        QTest::newRow("apply stores the default") << true << "MS Sans Serif";
    }
    void restoreThenCancelOrApply()
    {
        QFETCH(bool, apply);
        QFETCH(QString, font);
        SettingsDialog w(*m_form);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QFont italic = w.Label1->font();
        italic.setItalic(true);
        w.Label1->setFont(italic);
        click(w.TavrelButtonV21);
        QCOMPARE(w.Combo2->currentText(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(w.Label1->font().family(), QStringLiteral("MS Sans Serif"));
        QVERIFY(!w.Label1->font().italic());
        click(apply ? w.Command2 : w.Command1);
        QCOMPARE(m_form->Text4->text(), font);
        QCOMPARE(m_platform.logon.size(), apply ? 1 : 0);
    }

    void runAtLogon_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("toggle");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("call");
        QTest::newRow("1, untouched: registered again") << "1" << false << true << "1" << "register";
        QTest::newRow("1, cleared: removed") << "1" << true << true << "0" << "unregister";
        QTest::newRow("0, ticked: registered") << "0" << true << false << "1" << "register";
        QTest::newRow("0, untouched: removed again") << "0" << false << false << "0" << "unregister";
        QTest::newRow("7 leaves the box clear") << "7" << false << false << "0" << "unregister";
    }
    void runAtLogon()
    {
        QFETCH(QString, flag);
        QFETCH(bool, toggle);
        QFETCH(bool, ticked);
        QFETCH(QString, stored);
        QFETCH(QString, call);
        m_form->Text6->setText(flag);
        SettingsDialog w(*m_form);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.Check1->isChecked()); // set only after a tenth of a second
        QTRY_VERIFY_WITH_TIMEOUT(!w.Timer2->isActive(), 1000);
        QCOMPARE(w.Check1->isChecked(), ticked);
        if (toggle)
            w.Check1->click();
        click(w.Command2);
        QCOMPARE(m_form->Text6->text(), stored);
        QCOMPARE(m_platform.logon.size(), 1);
        QVERIFY2(m_platform.logon.first().startsWith(call + QStringLiteral(" tst_settings")), qPrintable(m_platform.logon.first()));
    }

    void chooserLoadsAndPreviews()
    {
        BackgroundChooser c(*m_form);
        QCOMPARE(c.windowTitle(), QStringLiteral(" أختيار الخلفية"));
        QVERIFY(c.Option3->isChecked());
        QCOMPARE(c.Text1->text(), QStringLiteral("3"));
        QVERIFY(c.Picture1->pixmap().isNull()); // drawn a tenth of a second later
        QTRY_VERIFY_WITH_TIMEOUT(!c.Picture1->pixmap().isNull(), 1000);
        QCOMPARE(shown(c.Picture1), picture(3));
        QVERIFY(!c.Shape1->isVisibleTo(&c));

        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        QTest::mouseClick(c.Option1, Qt::LeftButton);
        QCOMPARE(c.Text1->text(), QStringLiteral("1"));
        QTRY_COMPARE_WITH_TIMEOUT(shown(c.Picture1), picture(1), 1000);
        QVERIFY(c.Shape1->isVisibleTo(&c));
        QTest::mouseClick(c.Option2, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(shown(c.Picture1), picture(2), 1000);
        QVERIFY(!c.Shape1->isVisibleTo(&c));
        // At its natural size, from the top-left corner.
        QCOMPARE(c.Picture1->alignment() & (Qt::AlignLeft | Qt::AlignTop), Qt::AlignLeft | Qt::AlignTop);
        QVERIFY(!c.Picture1->hasScaledContents());
    }

    void chooserWithoutANumberSelectsNothing()
    {
        m_form->Text5->setText(QString());
        BackgroundChooser c(*m_form);
        QCOMPARE(c.selected(), 0);
        click(c.Command1);
        QCOMPARE(m_form->Text5->text(), QString());
    }

    void chooserCancelLeavesTheBackground()
    {
        BackgroundChooser c(*m_form);
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        QTest::mouseClick(c.Option5, Qt::LeftButton);
        click(c.Command2);
        QCOMPARE(m_form->Text5->text(), QStringLiteral("3"));
        QCOMPARE(c.result(), int(QDialog::Rejected));
    }

    // The whole path from the menu: settings, chooser, apply 6, back to the
    // settings (hidden meanwhile), cancel there; 6 stays chosen.
    void chosenBackgroundSurvivesACancelledDialog()
    {
        SettingsDialog *settings = nullptr;
        bool hiddenMeanwhile = false;
        int openings = 0;
        connect(m_form.get(), &MainWindow::modalOpening, this, [&](QDialog *w) {
            settings = qobject_cast<SettingsDialog *>(w);
            QVERIFY(settings);
            connect(settings, &SettingsDialog::chooserOpening, this, [&](BackgroundChooser *chooser) {
                QTimer::singleShot(0, chooser, [&, chooser] {
                    hiddenMeanwhile = !settings->isVisible() && chooser->isVisible();
                    QTest::mouseClick(chooser->Option6, Qt::LeftButton);
                    click(chooser->Command1);
                });
            });
            // First showing: open the chooser; second: cancel.
            auto step = [&] {
                ++openings;
                click(openings == 1 ? settings->TavrelButtonV22 : settings->Command1);
            };
            QTimer::singleShot(0, settings, step);
            // The dialog comes back after the chooser: act again then.
            settings->installEventFilter(this);
            m_onShow = [step] { QTimer::singleShot(0, step); };
        });
        m_form->Setting->trigger();
        QVERIFY(hiddenMeanwhile);
        QCOMPARE(openings, 2);
        QCOMPARE(m_form->Text5->text(), QStringLiteral("6"));
        QCOMPARE(m_form->Text4->text(), QStringLiteral("Tahoma"));
        QVERIFY(m_platform.logon.isEmpty());
        m_onShow = nullptr;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_onShow && m_shows++ > 0)
            m_onShow();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onShow;
    int m_shows = 0;
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
