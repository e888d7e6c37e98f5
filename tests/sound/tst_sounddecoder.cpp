// Sound files to PCM: the WAV reader on hand-made headers, and the real
// decoders on the fixtures, under names with blanks and Japanese.
#include "TestMain.h"

#include "sound/FluidMidi.h"
#include "sound/QtSoundDecoder.h"
#include "sound/WaveFile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

using namespace lumina;

namespace {

QByteArray le16(int v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(quint16(v), b.data());
    return b;
}

QByteArray le32(qint64 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(quint32(v), b.data());
    return b;
}

QByteArray chunk(const char *id, const QByteArray &body)
{
    QByteArray c = QByteArray(id, 4) + le32(body.size()) + body;
    if (body.size() & 1)
        c += '\0';
    return c;
}

QByteArray fmt(int tag, int channels, int rate, int bits, bool extensible = false)
{
    const int align = channels * bits / 8;
    QByteArray body = le16(extensible ? 0xFFFE : tag) + le16(channels) + le32(rate)
        + le32(rate * align) + le16(align) + le16(bits);
    if (extensible)
        body += le16(22) + le16(bits) + le32(0) + le16(tag) + QByteArray(14, '\x10');
    return chunk("fmt ", body);
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(4 + chunks.size()) + "WAVE" + chunks;
}

} // namespace

class tst_SoundDecoder : public QObject
{
    Q_OBJECT

private slots:
    void waveHeaders_data();
    void waveHeaders();
    void realFiles_data();
    void realFiles();
};

void tst_SoundDecoder::waveHeaders_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("sampleFormat"); // QAudioFormat::Unknown: not read
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bytes");
    const QByteArray data100 = chunk("data", QByteArray(100, '\x01'));
    QTest::newRow("16-bit mono") << riff(fmt(1, 1, 22050, 16) + data100)
                                 << int(QAudioFormat::Int16) << 1 << 100;
    QTest::newRow("8-bit stereo") << riff(fmt(1, 2, 8000, 8) + data100)
                                  << int(QAudioFormat::UInt8) << 2 << 100;
    QTest::newRow("float, extensible") << riff(fmt(3, 2, 48000, 32, true) + data100)
                                       << int(QAudioFormat::Float) << 2 << 96;
    QTest::newRow("odd chunk before data")
        << riff(fmt(1, 1, 44100, 16) + chunk("LIST", "INFOx") + chunk("data", QByteArray(7, 'a')))
        << int(QAudioFormat::Int16) << 1 << 6;
    QTest::newRow("data size left open")
        << riff(fmt(1, 1, 44100, 16) + "data" + le32(0) + QByteArray(10, 'a'))
        << int(QAudioFormat::Int16) << 1 << 10;
    QTest::newRow("24-bit") << riff(fmt(1, 1, 44100, 24) + data100) << int(QAudioFormat::Unknown) << 0 << 0;
    QTest::newRow("ADPCM") << riff(fmt(2, 1, 44100, 4) + data100) << int(QAudioFormat::Unknown) << 0 << 0;
    QTest::newRow("data before format") << riff(data100 + fmt(1, 1, 44100, 16))
                                        << int(QAudioFormat::Unknown) << 0 << 0;
    QTest::newRow("no data") << riff(fmt(1, 1, 44100, 16)) << int(QAudioFormat::Unknown) << 0 << 0;
    QTest::newRow("cut in a chunk") << riff(fmt(1, 1, 44100, 16)).left(30)
                                    << int(QAudioFormat::Unknown) << 0 << 0;
    QTest::newRow("not RIFF") << QByteArray("ID3\x04 an mp3 file") << int(QAudioFormat::Unknown) << 0 << 0;
}

void tst_SoundDecoder::waveHeaders()
{
    QFETCH(QByteArray, file);
    QFETCH(int, sampleFormat);
    QFETCH(int, channels);
    QFETCH(int, bytes);
    QBuffer buffer(&file);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QString error;
    const PcmClipPtr clip = readWave(&buffer, &error);
    QCOMPARE(clip != nullptr, sampleFormat != QAudioFormat::Unknown);
    QCOMPARE(error.isEmpty(), clip != nullptr);
    if (clip) {
        QCOMPARE(int(clip->format.sampleFormat()), sampleFormat);
        QCOMPARE(clip->format.channelCount(), channels);
        QCOMPARE(int(clip->data.size()), bytes);
    }
}

void tst_SoundDecoder::realFiles_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("minMs"); // -1: cannot be played
    QTest::addColumn<int>("maxMs");
    QTest::newRow("mp3") << "tone660.mp3" << "発車 ベル.mp3" << int(SoundType::Mpeg) << 380 << 520;
    QTest::newRow("midi") << "chord.mid" << "和音 テスト.mid" << int(SoundType::Midi) << 500 << 3500;
    QTest::newRow("text as mp3") << "text.mp3" << "text.mp3" << int(SoundType::Mpeg) << -1 << 0;
    QTest::newRow("text as midi") << "text.mp3" << "text.mid" << int(SoundType::Midi) << -1 << 0;
    QTest::newRow("text as wav") << "text.mp3" << "text.wav" << int(SoundType::Wave) << -1 << 0;
}

void tst_SoundDecoder::realFiles()
{
    QFETCH(QString, fixture);
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
    if (SoundType(type) == SoundType::Midi && minMs > 0 && findSoundFont().isEmpty())
        QSKIP("no General MIDI soundfont (Debian package fluid-soundfont-gm)");
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(QFile::copy(QStringLiteral(LUMINA_TEST_DATA "/sound/") + fixture, path));
    QtSoundDecoder decoder;
    const PcmClipPtr clip = decoder.decode(path, SoundType(type));
    QCOMPARE(clip != nullptr, minMs >= 0);
    if (clip) {
        QVERIFY2(clip->durationMs() >= minMs && clip->durationMs() <= maxMs,
                 qPrintable(QString::number(clip->durationMs())));
    }
}

LUMINA_TEST_MAIN(tst_SoundDecoder)
#include "tst_sounddecoder.moc"
