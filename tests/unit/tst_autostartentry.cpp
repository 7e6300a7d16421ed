#include "core/system/AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Whether an entry found in the autostart folder starts this program: the
// tick in the settings dialog rests on it.
class TestAutostartEntry : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_this;    // an executable file: the running program
    QString m_other;   // another executable file
    QString m_missing; // a path where nothing is

    QString makeProgram(const QString &path)
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    // "@this", "@other" and "@missing" in a row stand for the files.
    QString expand(QString text) const
    {
        return text.replace(QStringLiteral("@this"), m_this)
            .replace(QStringLiteral("@other"), m_other)
            .replace(QStringLiteral("@missing"), m_missing);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QSysInfo::productType() == QLatin1String("windows"))
            QSKIP("XDG autostart entries and executable files are the Linux desktop's");
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("my apps/100%")));
        m_this = makeProgram(m_dir.filePath(QStringLiteral("my apps/100%/murel")));
        m_other = makeProgram(m_dir.filePath(QStringLiteral("other")));
        m_missing = m_dir.filePath(QStringLiteral("removed/murel"));
        QVERIFY(!m_this.isEmpty() && !m_other.isEmpty());
    }

    void runs_data()
    {
        QTest::addColumn<QString>("entry");   // "written @x": as content writes it for that file
        QTest::addColumn<QString>("command"); // what this program's entry starts
        QTest::addColumn<bool>("runs");
        QTest::newRow("written for this program") << "written @this"
                                                  << "@this" << true;
        QTest::newRow("written for another program") << "written @other"
                                                     << "@this" << false;
        QTest::newRow("program file removed") << "written @missing"
                                              << "@missing" << false;
        QTest::newRow("older entry without TryExec") << "[Desktop Entry]\nType=Application\nExec=\"@this\"\n"
                                                     << "@this" << true;
        QTest::newRow("older entry, another program") << "[Desktop Entry]\nType=Application\nExec=@other\n"
                                                      << "@this" << false;
        QTest::newRow("hidden by the user") << "[Desktop Entry]\nExec=\"@this\"\nHidden=true\n"
                                            << "@this" << false;
        QTest::newRow("switched off in the session")
            << "[Desktop Entry]\nExec=\"@this\"\nX-GNOME-Autostart-enabled=false\n"
            << "@this" << false;
        QTest::newRow("TryExec names a removed file") << "[Desktop Entry]\nTryExec=@missing\nExec=\"@this\"\n"
                                                      << "@this" << false;
        QTest::newRow("same program with an argument") << "[Desktop Entry]\nExec=\"@this\" --x\n"
                                                       << "@this" << true;
        QTest::newRow("program's path is a prefix") << "[Desktop Entry]\nExec=\"@this2\"\n"
                                                    << "@this" << false;
        QTest::newRow("quotes left open") << "[Desktop Entry]\nExec=\"@this\n"
                                          << "@this" << false;
        QTest::newRow("Exec in another group") << "[Desktop Action x]\nExec=\"@this\"\n"
                                               << "@this" << false;
        QTest::newRow("carriage returns") << "[Desktop Entry]\r\nExec=\"@this\"\r\n"
                                          << "@this" << true;
        QTest::newRow("no Exec") << "[Desktop Entry]\nType=Application\n"
                                 << "@this" << false;
        QTest::newRow("empty") << ""
                               << "@this" << false;
    }
    void runs()
    {
        QFETCH(QString, entry);
        QFETCH(QString, command);
        QFETCH(bool, runs);
        const QByteArray text = entry.startsWith(QLatin1String("written "))
            ? AutostartEntry::content(expand(entry.mid(8)))
            : expand(entry).toUtf8();
        QCOMPARE(AutostartEntry::runs(text, expand(command)), runs);
    }

    void registeredOnlyWhileTheFileIsThere()
    {
        const QString folder = m_dir.filePath(QStringLiteral("autostart"));
        QVERIFY(!AutostartEntry::isRegistered(folder, QStringLiteral("murel"), m_this));
        QVERIFY(AutostartEntry::write(folder, QStringLiteral("murel"), m_this));
        QVERIFY(AutostartEntry::isRegistered(folder, QStringLiteral("murel"), m_this));
        QVERIFY(!AutostartEntry::isRegistered(folder, QStringLiteral("murel"), m_other));
        QVERIFY(!AutostartEntry::isRegistered(folder, QStringLiteral("other"), m_this));
        AutostartEntry::remove(folder, QStringLiteral("murel"));
        QVERIFY(!AutostartEntry::isRegistered(folder, QStringLiteral("murel"), m_this));
    }
};

QTEST_GUILESS_MAIN(TestAutostartEntry)
#include "tst_autostartentry.moc"
