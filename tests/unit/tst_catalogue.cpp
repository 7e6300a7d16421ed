#include "core/texts/Catalogue.h"
#include "core/texts/ReminderTexts.h"
#include "core/texts/TextMatch.h"
#include "core/texts/TextParagraphs.h"
#include "core/texts/TextRound.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <array>

namespace {
// UTF-16 length of every entry, in order: a copy slip shows here.
constexpr std::array<int, 128> kLengths = {
    21,  55,  36,  54,  126, 175, 98,  63,  115, 103, 92,  222, 65,  176, 196, 48,  118, 71,  199, 169, 206, 154,
    96,  174, 56,  64,  41,  49,  38,  73,  85,  61,  24,  106, 103, 93,  128, 37,  134, 108, 126, 105, 117, 72,
    42,  180, 199, 59,  79,  209, 144, 98,  193, 112, 107, 151, 127, 58,  177, 143, 116, 102, 52,  183, 65,  26,
    114, 77,  82,  115, 137, 91,  116, 77,  43,  178, 63,  63,  134, 130, 81,  72,  135, 59,  80,  49,  125, 55,
    74,  84,  73,  46,  61,  107, 61,  142, 78,  139, 63,  92,  79,  52,  109, 75,  140, 150, 170, 84,  143, 96,
    162, 127, 146, 121, 133, 134, 160, 105, 180, 105, 71,  122, 78,  104, 128, 132, 93,  78,
};
} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyEntryHasItsLength()
    {
        const Catalogue c;
        QCOMPARE(c.size(), Catalogue::Size);
        for (int i = 0; i < Catalogue::Size; ++i) {
            QVERIFY2(c.entry(i).size() == kLengths[i], qPrintable(QStringLiteral("entry %1").arg(i)));
        }
    }

    void entriesAsStored()
    {
        const Catalogue c;
        QCOMPARE(c.entry(0), QStringLiteral("الحمد لله رب العالمين"));
        QCOMPARE(c.entry(32), QStringLiteral("لا حول ولا قوة إلا بالله"));
        QCOMPARE(c.entry(59), c.entry(108));
        QVERIFY(c.entry(3) != c.entry(87));
        // Leading and trailing blanks are kept.
        QVERIFY(c.entry(127).startsWith(QLatin1Char(' ')));
        QVERIFY(c.entry(127).endsWith(QLatin1Char(' ')));
        QVERIFY(c.entry(39).startsWith(QLatin1Char(' ')));
        QVERIFY(c.entry(70).contains(QStringLiteral("(*)")));
        // Entry 6 ends in a doubled fatha.
        QVERIFY(c.entry(6).endsWith(QStringLiteral("\u064E\u064E")));
    }

    void lookUp_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index"); // -1: nothing selected
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("5") << "5" << 5;
        QTest::newRow("127") << "127" << 127;
        QTest::newRow("leading zero") << "05" << -1;
        QTest::newRow("leading blank") << " 5" << -1;
        QTest::newRow("trailing blank") << "5 " << -1;
        QTest::newRow("past the end") << "128" << -1;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("plus sign") << "+5" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("design-time text") << "Text1" << -1;
    }
    void lookUp()
    {
        QFETCH(QString, key);
        QFETCH(int, index);
        const Catalogue c;
        const auto found = c.lookUp(key);
        QCOMPARE(found.has_value(), index >= 0);
        if (index >= 0)
            QCOMPARE(*found, c.entry(index));
    }

    void picksAreEvenlySpread()
    {
        // Successive clock readings as seeds, as successive screens see them.
        constexpr int draws = 128 * 200;
        std::array<int, 128> counts{};
        const quint64 start = 1'765'000'000'000ULL;
        for (int i = 0; i < draws; ++i) {
            const int index = Catalogue::pick(start + quint64(i) * 997);
            QVERIFY(index >= 0 && index < 128);
            ++counts[index];
        }
        double chi2 = 0;
        for (int n : counts) {
            QVERIFY(n > 0);
            chi2 += (n - 200.0) * (n - 200.0) / 200.0;
        }
        // 127 degrees of freedom: the 99.9th percentile is about 181.
        QVERIFY2(chi2 < 181, qPrintable(QString::number(chi2)));
    }

    void seedsFromTheClockDiffer() { QVERIFY(Catalogue::seedFromClock() != Catalogue::seedFromClock()); }

    // The texts the user chose.

    void searchIgnoresTheMarks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("found");
        QTest::newRow("harakat in the text") << "سُبْحَانَ اللَّهِ"
                                             << "سبحان" << true;
        QTest::newRow("harakat in the query") << "الحمد لله"
                                              << "الْحَمْدُ" << true;
        QTest::newRow("tanween and sukun") << "شَيْءٍ قَدِيرٌ"
                                           << "شيء قدير" << true;
        QTest::newRow("hamza under alef") << "إِنَّ اللَّهَ"
                                          << "ان الله" << true;
        QTest::newRow("madda") << "آمَنُوا"
                               << "امنوا" << true;
        QTest::newRow("alef typed with hamza") << "امنوا"
                                               << "أمنوا" << true;
        QTest::newRow("superscript alef") << "الرَّحْمَٰنِ"
                                          << "الرحمن" << true;
        QTest::newRow("tatweel") << "الحمــــد"
                                 << "الحمد" << true;
        QTest::newRow("doubled space") << " سبحان  الله "
                                       << "سبحان الله" << true;
        QTest::newRow("presentation form") << "\uFEFB \uFEDF\uFEE0\uFEEA"
                                           << "لا لله" << true;
        QTest::newRow("latin case") << "Remember Allah"
                                    << "ALLAH" << true;
        QTest::newRow("empty query") << "الحمد لله"
                                     << "" << true;
        QTest::newRow("waw hamza stays") << "مُؤْمِن"
                                         << "مومن" << false;
        QTest::newRow("other words") << "سبحان الله"
                                     << "الحمد" << false;
        QTest::newRow("letters apart") << "سب حان"
                                       << "سبحان" << false;
    }
    void searchIgnoresTheMarks()
    {
        QFETCH(QString, text);
        QFETCH(QString, query);
        QFETCH(bool, found);
        QCOMPARE(TextMatch::contains(text, query), found);
    }

    void paragraphs_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("two") << "one\n\ntwo\n" << QStringList{"one", "two"};
        QTest::newRow("lines kept, ends trimmed") << "  a  \n b\t\n \n\n\n c" << QStringList{"a\nb", "c"};
        QTest::newRow("crlf and bom") << "\uFEFFa\r\nb\r\n\r\nc\r\n" << QStringList{"a\nb", "c"};
        QTest::newRow("blank only") << " \n\t\n" << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void paragraphs()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, texts);
        QCOMPARE(TextParagraphs::split(file), texts);
        // What the export writes, the import reads back.
        QCOMPARE(TextParagraphs::split(TextParagraphs::join(texts)), texts);
    }

    void eachTextOncePerRound()
    {
        QList<TextKey> on;
        for (int n : {3, 9, 40})
            on << TextKey::ofBuiltIn(n);
        on << TextKey::ofOwn(QStringLiteral("one")) << TextKey::ofOwn(QStringLiteral("two"));
        for (quint64 seed = 1; seed < 60; ++seed) {
            QList<TextKey> shown;
            QList<TextKey> seen;
            for (int i = 0; i < 3 * on.size(); ++i) {
                const TextRound::Step step = TextRound::next(on, shown, seed * 7919 + quint64(i));
                QVERIFY(step.chosen >= 0);
                seen << on.at(step.chosen);
                shown = step.shown;
            }
            for (int round = 0; round < 3; ++round) {
                const QList<TextKey> part = seen.mid(round * on.size(), on.size());
                for (const TextKey &k : on)
                    QCOMPARE(part.count(k), 1);
            }
            // Not the same text twice in a row where one round meets the next.
            for (int i = 1; i < seen.size(); ++i)
                QVERIFY(!(seen.at(i) == seen.at(i - 1)));
        }
    }

    void switchedMidRound()
    {
        const TextKey a = TextKey::ofBuiltIn(0), b = TextKey::ofBuiltIn(1), c = TextKey::ofBuiltIn(2),
                      d = TextKey::ofOwn(QStringLiteral("d"));
        for (quint64 seed = 1; seed < 40; ++seed) {
            QList<TextKey> on{a, b, c};
            TextRound::Step step = TextRound::next(on, {}, seed);
            const TextKey first = on.at(step.chosen);
            // The first switched off and on again, another switched off, a new one on.
            const TextKey off = first == c ? b : c;
            on = {a, b, c, d};
            on.removeAll(off);
            QList<TextKey> rest;
            for (int i = 0; i < on.size() - 1; ++i) {
                step = TextRound::next(on, step.shown, seed * 31 + quint64(i));
                rest << on.at(step.chosen);
            }
            QVERIFY(!rest.contains(first));
            QVERIFY(!rest.contains(off));
            QCOMPARE(rest.size() + 1, on.size());
            for (const TextKey &k : on)
                QVERIFY(k == first || rest.count(k) == 1);
        }
    }

    void roundGoesOnAfterARestart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("texts.ini"));
        ReminderTexts::Values v;
        for (int n = 2; n < Catalogue::Size; ++n)
            v.builtInOff << n;
        v.own << ReminderTexts::OwnText{QStringLiteral("mine"), true}
              << ReminderTexts::OwnText{QStringLiteral("too long"), true};
        v.order = ReminderTexts::Order::EachOnce;
        const auto usable = [](const QString &t) { return t != QStringLiteral("too long"); };
        for (quint64 seed = 1; seed < 30; ++seed) {
            QList<TextKey> seen;
            {
                ReminderTexts texts(path);
                texts.setValues(v);
                QVERIFY(texts.save());
                seen << texts.next(seed, usable);
            }
            // The program ends; the next run carries on with the round.
            ReminderTexts again(path);
            again.load();
            QCOMPARE(again.problem(), ReminderTexts::Problem::None);
            seen << again.next(seed + 1, usable) << again.next(seed + 2, usable);
            QCOMPARE(seen.count(TextKey::ofBuiltIn(0)), 1);
            QCOMPARE(seen.count(TextKey::ofBuiltIn(1)), 1);
            QCOMPARE(seen.count(TextKey::ofOwn(QStringLiteral("mine"))), 1);
        }
    }

    void randomOrderIsEvenAndWritesNothing()
    {
        QTemporaryDir dir;
        ReminderTexts texts(dir.filePath(QStringLiteral("texts.ini")));
        ReminderTexts::Values v;
        for (int n = 3; n < Catalogue::Size; ++n)
            v.builtInOff << n;
        v.own << ReminderTexts::OwnText{QStringLiteral("mine"), true}
              << ReminderTexts::OwnText{QStringLiteral("off"), false};
        texts.setValues(v);
        QMap<QString, int> counts;
        const quint64 start = 1'765'000'000'000ULL;
        for (int i = 0; i < 4000; ++i)
            ++counts[texts.text(texts.next(start + quint64(i) * 997, {}))];
        QCOMPARE(counts.size(), 4);
        QVERIFY(!counts.contains(QStringLiteral("off")));
        double chi2 = 0;
        for (int n : counts)
            chi2 += (n - 1000.0) * (n - 1000.0) / 1000.0;
        // 3 degrees of freedom: the 99.9th percentile is about 16.3.
        QVERIFY2(chi2 < 16.3, qPrintable(QString::number(chi2)));
        QVERIFY(!QFile::exists(texts.path()));
    }

    void fileRoundTrip()
    {
        ReminderTexts::Values v;
        v.builtInOff = {0, 17, 127};
        v.own << ReminderTexts::OwnText{QStringLiteral("سطر أول\nسطر ثانٍ"), true}
              << ReminderTexts::OwnText{QStringLiteral("#not=a comment \\n \\ tab\there"), false}
              << ReminderTexts::OwnText{QStringLiteral("  spaced  "), true};
        v.order = ReminderTexts::Order::EachOnce;
        v.shown = {TextKey::ofBuiltIn(5), TextKey::ofOwn(QStringLiteral("سطر أول\nسطر ثانٍ"))};
        QTemporaryDir dir;
        ReminderTexts texts(dir.filePath(QStringLiteral("texts.ini")));
        texts.setValues(v);
        QVERIFY(texts.save());
        ReminderTexts back(texts.path());
        back.load();
        QCOMPARE(back.problem(), ReminderTexts::Problem::None);
        QVERIFY(back.values() == v);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"texts.ini"});
        // A later version's key is passed over.
        QVERIFY(ReminderTexts::parse(ReminderTexts::encode(v) + "colour=blue\n").values == v);
    }

    void damagedFileIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not utf-8") << QByteArray("own=\xff\xfe\n");
        QTest::newRow("nul") << QByteArray("own=a\0b\n", 8);
        QTest::newRow("not key=value") << QByteArray("order=random\njust words\n");
        QTest::newRow("unknown escape") << QByteArray("own=a\\q\n");
        QTest::newRow("cut escape") << QByteArray("own=a\\\n");
        QTest::newRow("number past the catalogue") << QByteArray("off=128\n");
        QTest::newRow("not a number") << QByteArray("off=three\n");
        QTest::newRow("unknown order") << QByteArray("order=sometimes\n");
        QTest::newRow("empty text") << QByteArray("own= \n");
        QTest::newRow("too long") << QByteArray("own=" + QByteArray(ReminderTexts::ReadLimit, 'a') + "\n");
    }
    void damagedFileIsSetAside()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("texts.ini"));
        auto write = [](const QString &p, const QByteArray &b) {
            QFile f(p);
            return f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
        };
        QVERIFY(write(path, bytes));
        // An earlier damaged file keeps its name.
        QVERIFY(write(path + QStringLiteral(".damaged-1"), "earlier"));
        ReminderTexts texts(path);
        texts.setValues({{1, 2}, {}, ReminderTexts::Order::EachOnce, {}});
        texts.load();
        QCOMPARE(texts.problem(), ReminderTexts::Problem::Damaged);
        QVERIFY(texts.values() == ReminderTexts::Values());
        QCOMPARE(texts.setAside(), path + QStringLiteral(".damaged-2"));
        QFile aside(texts.setAside()), earlier(path + QStringLiteral(".damaged-1"));
        QVERIFY(aside.open(QIODevice::ReadOnly) && earlier.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), bytes);
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
        QVERIFY(!QFile::exists(path));
        // The next save makes a fresh file, and the next start finds it well.
        QVERIFY(texts.save());
        texts.load();
        QCOMPARE(texts.problem(), ReminderTexts::Problem::None);
    }

    void unreadableFileIsSetAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("texts.ini"));
        QVERIFY(QDir().mkpath(path)); // a folder where the file should be
        ReminderTexts texts(path);
        texts.load();
        QCOMPARE(texts.problem(), ReminderTexts::Problem::Unreadable);
        QCOMPARE(texts.setAside(), path + QStringLiteral(".damaged-1"));
        QVERIFY(QFileInfo(texts.setAside()).isDir());
        QVERIFY(texts.save());
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
