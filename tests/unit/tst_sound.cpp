#include "core/sound/SoundSettings.h"
#include "core/sound/WavFile.h"

#include <QTest>
#include <QtEndian>

namespace {

using Choice = SoundSettings::Choice;

// A WAV file of the given format around data, with an odd-sized chunk
// before the format when extra is set (readers must skip it and its pad).
QByteArray wav(quint16 tag, int channels, int rate, int bits, const QByteArray &data, bool extra = false,
               qint64 statedSize = -1)
{
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    auto le16 = [](quint16 v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    QByteArray fmt = le16(tag) + le16(quint16(channels)) + le32(quint32(rate))
        + le32(quint32(rate * channels * bits / 8)) + le16(quint16(channels * bits / 8)) + le16(quint16(bits));
    if (tag == 0xfffe) // the extensible header: its sub-format names PCM
        fmt += le16(22) + le16(quint16(bits)) + le32(0) + le16(1) + QByteArray(14, '\x01');
    QByteArray body = "WAVE";
    if (extra)
        body += "LIST" + le32(3) + "abc" + '\0';
    body += "fmt " + le32(quint32(fmt.size())) + fmt;
    body += "data" + le32(quint32(statedSize < 0 ? data.size() : statedSize)) + data;
    return "RIFF" + le32(quint32(body.size())) + body;
}

QByteArray samples16(std::initializer_list<qint16> values)
{
    QByteArray b;
    for (qint16 v : values) {
        char two[2];
        qToLittleEndian(v, two);
        b.append(two, 2);
    }
    return b;
}

qint16 sampleAt(const QByteArray &b, int i)
{
    return qFromLittleEndian<qint16>(b.constData() + 2 * i);
}

} // namespace

class TestSound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsParse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("volume");
        QTest::addColumn<bool>("avoidClash");
        QTest::newRow("empty: silent, avoiding a clash")
            << QByteArray() << false << int(Choice::None) << "" << 70 << true;
        QTest::newRow("chime, softer, clash allowed")
            << QByteArray("# sound\r\nSound = Chime\r\nvolume=40\r\navoid-clash=off\r\n") << false << int(Choice::Chime)
            << "" << 40 << false;
        QTest::newRow("a path with = and Arabic in it") << QByteArray("sound=file\nfile=/home/u/أذان=1.wav\n") << false
                                                        << int(Choice::File) << "/home/u/أذان=1.wav" << 70 << true;
        QTest::newRow("out of range and unknown values take defaults")
            << QByteArray("sound=loud\nvolume=101\navoid-clash=maybe\ncolour=red\n") << false << int(Choice::None) << ""
            << 70 << true;
        QTest::newRow("not key=value lines")
            << QByteArray("sound=chime\nloud\n") << true << int(Choice::None) << "" << 70 << true;
        QTest::newRow("not UTF-8") << QByteArray("sound=chime\nfile=\xff\xfe.wav\n") << true << int(Choice::None) << ""
                                   << 70 << true;
    }
    void settingsParse()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, damaged);
        const SoundSettings::Parsed parsed = SoundSettings::parse(text);
        QCOMPARE(parsed.damaged, damaged);
        QTEST(int(parsed.values.choice), "choice");
        QTEST(parsed.values.file, "file");
        QTEST(parsed.values.volume, "volume");
        QTEST(parsed.values.avoidClash, "avoidClash");
        // What is written reads back as it was.
        QCOMPARE(SoundSettings::parse(SoundSettings::encode(parsed.values)).values, parsed.values);
    }

    // A path that would break the file's lines is not written at all: the
    // next line is never taken for a key of its own.
    void aPathWithALineBreakIsNotKept()
    {
        SoundSettings::Values v;
        v.choice = Choice::File;
        v.file = QStringLiteral("/tmp/a.wav\nvolume=0");
        const SoundSettings::Values read = SoundSettings::parse(SoundSettings::encode(v)).values;
        QCOMPARE(read.file, QString());
        QCOMPARE(read.volume, v.volume);
    }

    void wavParse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("playable");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QByteArray>("samples");
        const QByteArray three = samples16({0, 1000, -32768});
        QTest::newRow("16-bit mono") << wav(1, 1, 44100, 16, three) << true << 1 << three;
        QTest::newRow("a chunk of odd size before") << wav(1, 1, 22050, 16, three, true) << true << 1 << three;
        QTest::newRow("extensible PCM") << wav(0xfffe, 2, 48000, 16, samples16({5, -5})) << true << 2
                                        << samples16({5, -5});
        QTest::newRow("8-bit stereo widened")
            << wav(1, 2, 8000, 8, QByteArray("\x80\xff\x00\x81", 4)) << true << 2 << samples16({0, 32512, -32768, 256});
        // A file cut short keeps its whole frames; half a frame goes.
        QTest::newRow("data cut short") << wav(1, 2, 44100, 16, samples16({1, 2, 3}), false, 4000) << true << 2
                                        << samples16({1, 2});
        QTest::newRow("floating point") << wav(3, 1, 44100, 32, QByteArray(8, '\0')) << false << 0 << QByteArray();
        QTest::newRow("24-bit") << wav(1, 1, 44100, 24, QByteArray(6, '\0')) << false << 0 << QByteArray();
        QTest::newRow("six channels") << wav(1, 6, 44100, 16, QByteArray(12, '\0')) << false << 0 << QByteArray();
        QTest::newRow("no sound in it") << wav(1, 1, 44100, 16, QByteArray()) << false << 0 << QByteArray();
        QTest::newRow("not a WAV file") << QByteArray("ID3\x04 an mp3 file, say") << false << 0 << QByteArray();
        QByteArray dataFirst = wav(1, 1, 44100, 16, three);
        dataFirst.replace("fmt ", "junk");
        QTest::newRow("no format before the data") << dataFirst << false << 0 << QByteArray();
    }
    void wavParse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, playable);
        const std::optional<PcmClip> clip = WavFile::parse(bytes);
        QCOMPARE(clip.has_value(), playable);
        if (!clip)
            return;
        QTEST(clip->channels, "channels");
        QTEST(clip->samples, "samples");
        // The clip's own file reads back as the same clip.
        const std::optional<PcmClip> again = WavFile::parse(clip->wav());
        QVERIFY(again);
        QCOMPARE(again->samples, clip->samples);
        QCOMPARE(again->sampleRate, clip->sampleRate);
    }

    // Full volume plays the file as it is; any lower is softer at every
    // sample, keeps each sample's sign, and lower is never louder.
    void volumeOnlyEverSoftens()
    {
        PcmClip clip;
        clip.samples = samples16({32767, -32768, 1200, -7, 0});
        QCOMPARE(WavFile::atVolume(clip, 100).samples, clip.samples);
        QCOMPARE(WavFile::atVolume(clip, 0).samples, QByteArray(clip.samples.size(), '\0'));
        QByteArray louder = clip.samples;
        for (int volume = 95; volume >= 0; volume -= 5) {
            const QByteArray softer = WavFile::atVolume(clip, volume).samples;
            for (int i = 0; i < 5; ++i) {
                const int was = sampleAt(louder, i), now = sampleAt(softer, i);
                QVERIFY2(qAbs(now) <= qAbs(was) && (now == 0 || (now > 0) == (was > 0)),
                         qPrintable(
                             QStringLiteral("volume %1, sample %2: %3 after %4").arg(volume).arg(i).arg(now).arg(was)));
            }
            louder = softer;
        }
        QVERIFY(sampleAt(WavFile::atVolume(clip, 50).samples, 0) < 32767 / 2);
    }

    // The committed chime, as the tool made it: a playable file, short,
    // well below full scale, starting and ending at rest (no click).
    void theChimeIsSoftAndShort()
    {
        const WavFile::Loaded chime = WavFile::load(QStringLiteral(MUREL_SOURCE_DIR "/resources/sounds/chime.wav"));
        QVERIFY(chime.clip);
        QVERIFY(chime.clip->durationMs() >= 800 && chime.clip->durationMs() <= 2000);
        int peak = 0;
        for (qint64 i = 0; i < chime.clip->frames(); ++i)
            peak = qMax(peak, qAbs(int(sampleAt(chime.clip->samples, int(i)))));
        QVERIFY2(peak > 32767 / 10 && peak < 32767 * 6 / 10, qPrintable(QString::number(peak)));
        QCOMPARE(sampleAt(chime.clip->samples, 0), qint16(0));
        QCOMPARE(sampleAt(chime.clip->samples, int(chime.clip->frames() - 1)), qint16(0));
    }
};

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"
