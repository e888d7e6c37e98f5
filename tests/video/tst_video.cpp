// Trips into videos: the run's timeline, the mix's slot rules, the same frames
// twice, refused inputs leaving nothing, and one real encode.
#include "FailingDevice.h"
#include "FixtureRows.h"
#include "TestMain.h"

#include "app/BoardPicture.h"
#include "app/SettingsStore.h"
#include "controls/DigitRow.h"
#include "controls/FareCell.h"
#include "controls/StopNameStrip.h"
#include "options/SampleSetup.h"
#include "settings/DataFolders.h"
#include "settings/SettingsIo.h"
#include "sound/WaveFile.h"
#include "shell/BoardWindow.h"
#include "video/AudioMix.h"
#include "video/BoardFrames.h"
#include "video/I420Image.h"
#include "video/SpeechSynth.h"
#include "video/TripRun.h"
#include "video/TripVideo.h"
#include "video/VideoEncoder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <numeric>

using namespace lumina;

namespace {

Trip trip(const QByteArray &text)
{
    test::ReadBuffer buffer(text);
    Trip read;
    if (!TripReader().read(&buffer, read))
        qFatal("bad test trip");
    return read;
}

// The program's first-start options on the bundled samples, ten frames a second.
TripSetup sampleTrip()
{
    TripSetup setup;
    setup.settings = initialRecords();
    applySampleSetup(setup.settings, sampleDataFolder());
    setup.fps = 10;
    return setup;
}

StereoClipPtr level(float value, qint64 ms)
{
    auto clip = std::make_shared<StereoClip>();
    clip->samples.assign(size_t(ms * kMixFramesPerMs * 2), value);
    return clip;
}

} // namespace

class tst_Video : public QObject
{
    Q_OBJECT
private slots:
    // The lamp test, a step, two step sounds in one slot, a synchronous chime holding the next press, a tape rewound.
    void timeline()
    {
        LUMINA_REQUIRE_FONTS();
        TripSetup setup = sampleTrip();
        setup.start = QDateTime(videoDate(), QTime(10, 59, 58));
        TripRun run(setup, [](const QString &) { return qint64(2000); });
        const auto clockRow = [&](int i) {
            return run.board().findChild<DigitRow *>(QStringLiteral("TimeDegit_%1").arg(i))->value().toInt();
        };
        QStringList names, sounds;
        QList<int> clock;
        const auto frame = [&](qint64 index) {
            if (index % 10 == 5)
                names << QStringLiteral("%1s %2").arg(index / 10).arg(run.board().stopName());
            if (index == 15 || index == 25)
                clock << clockRow(0) << clockRow(1);
            return true;
        };
        const auto sound = [&](const TripSound &s) {
            sounds << QStringLiteral("%1 %2 %3 %4%5").arg(s.atMs).arg(s.kind).arg(s.channel)
                          .arg(QFileInfo(s.source).fileName(), s.synchronous ? QStringLiteral(" sync") : QString());
        };
        QVERIFY(run.play(trip("0 route 12 1\n4 next\n4.5 next\n6 tape next\n6.5 back\n8.2 tape next\n8.4 tape back\n8.6 tape stop\n9 end\n"), frame, sound));
        QCOMPARE(names, QStringList({"0s 系統選別中", "1s 系統選別中", "2s 系統選別中", "3s 中央駅前", "4s 本町二丁目",
                                     "5s 本町二丁目", "6s 本町二丁目", "7s 本町二丁目", "8s 市役所前", "9s 市役所前", "10s 本町二丁目", "11s 本町二丁目"}));
        QCOMPARE(sounds, QStringList({"0 0 0 key.wav", "0 0 0 key.wav", "0 0 0 key.wav", "0 0 0 key.wav",
                                      "0 0 0 key.wav", "0 0 0 route.wav", "4000 0 1 step.wav", "4500 0 1 step.wav",
                                      "6000 1 5 ", "6000 1 4 ", "6000 0 2 pre.wav sync", "8000 0 4 12_start.wav",
                                      "8000 0 1 step.wav", "8200 1 5 ", "8200 1 4 ", "8200 0 2 pre.wav sync",
                                      "10200 2 5 つぎは、しやくしょまえです。", "10200 0 1 step.wav", "10200 1 5 ", "10200 1 4 ",
                                      "10200 0 1 pre.wav sync", "12200 0 4 12_start.wav", "12200 1 5 ", "12200 1 4 "}));
        QCOMPARE(clock, QList({10, 59, 11, 0})); // the trip's own time, not the machine's
    }
    // Clearing the display and bringing it back, as the operator's check box does, and the backlight's switch.
    void clearOnAndOff()
    {
        LUMINA_REQUIRE_FONTS();
        TripRun run(sampleTrip(), [](const QString &) { return qint64(0); });
        const auto *ticketLabel = run.board().findChild<QWidget *>(QStringLiteral("lblSeiriNum_1"));
        QStringList names, labels;
        const auto frame = [&](qint64 index) {
            if (index % 10 == 5)
                names << run.board().stopName();
            if (index % 10 == 5 && index > 50)
                labels << ticketLabel->palette().color(QPalette::WindowText).name();
            return true;
        };
        const QByteArray text = "0 route 12 1\n4 clear on\n5 clear off\n6 backlight on1\n7 backlight on2\n8 backlight off\n9 end\n";
        QVERIFY(run.play(trip(text), frame, [](const TripSound &) {}));
        QCOMPARE(names.mid(3), QStringList({"中央駅前", "", "中央駅前", "中央駅前", "中央駅前", "中央駅前"}));
        QCOMPARE(labels, QStringList({"#ffffff", "#c0ffc0", "#ffc080", "#ffffff"})); // the ticket numbers' colour of each state
    }
    // A name longer than the strip scrolls in the video's time, frame by frame.
    void longNameScrolls()
    {
        LUMINA_REQUIRE_FONTS();
        TripRun run(sampleTrip(), [](const QString &) { return qint64(0); });
        const auto *strip = run.board().findChild<StopNameStrip *>(QStringLiteral("ChimeiCtl"));
        QList<int> tops;
        const auto frame = [&](qint64 index) {
            if (index >= 60)
                tops << strip->layerTop();
            return true;
        };
        QByteArray text = "0 route 12 1\n";
        for (int i = 0; i < 10; ++i)
            text += QByteArray::number(4 + i / 10.0) + " next\n";
        QVERIFY(run.play(trip(text + "12 end\n"), frame, [](const TripSound &) {}));
        QCOMPARE(run.board().stopName(), QStringLiteral("若葉台団地入口"));
        QVERIFY(tops.first() < strip->frameHeight());
        QVERIFY(std::adjacent_find(tops.cbegin(), tops.cend(), std::less_equal<int>()) == tops.cend()); // rising each frame
    }
    // The board at the video's scale; the sliders saved with the panel scroll its strip; a
    // late-night trip doubles the fares, and the trip's own "night" lines change that from the
    // next stop on; a frame that stops the run ends it there, with the reason.
    void panelStateAndStop()
    {
        LUMINA_REQUIRE_FONTS();
        TripSetup setup = sampleTrip();
        setup.settings.controlPanel.scrollSpeed = 7;
        setup.settings.controlPanel.scrollWait = 400;
        setup.lateNight = true;
        setup.scale = 2;
        TripRun run(setup, [](const QString &) { return qint64(0); });
        QCOMPARE(run.board().size(), BoardWindow().size() * 2);
        const auto *strip = run.board().findChild<StopNameStrip *>(QStringLiteral("ChimeiCtl"));
        QCOMPARE((QList{strip->speed(), strip->scrollStartWait()}), (QList{7, 400}));
        const auto *firstFare = run.board().findChild<FareCell *>(QStringLiteral("Degit_1"));
        qint64 last = -1;
        QStringList fares;
        const auto frame = [&](qint64 index) {
            last = index;
            if (index == 35 || index == 42 || index == 47)
                fares << firstFare->value().toString();
            return index < 47;
        };
        const QByteArray text = "0 route 12 1\n3.2 night off\n4 next\n4.2 night on\n4.5 next\n6 end\n";
        QVERIFY(!run.play(trip(text), frame, [](const TripSound &) {}));
        QCOMPARE(last, 47);
        QCOMPARE(fares, QStringList({"340", "170", "340"})); // ticket 1 pays 170 by day at each
        QCOMPARE(run.errorString(), QStringLiteral("中断しました。"));
    }
    // The board centred on a larger canvas, the background beyond its rounded corners, and a
    // frame redrawn only when the board may show something new.
    void boardOnCanvas()
    {
        BoardWindow board;
        board.applyRoundRegion();
        BoardFrames frames(board, QSize(900, 400), Qt::green);
        QVERIFY(frames.fits());
        const QRect placed(37, 16, 826, 367);
        QCOMPARE(frames.update(1), placed);
        const QImage &frame = frames.frame();
        const QImage alone = board.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(frame.copy(placed.adjusted(100, 100, -100, -100)), alone.copy(QRect(100, 100, 626, 167)));
        for (const QPoint at : {QPoint(0, 0), placed.topLeft(), placed.bottomRight(), QPoint(899, 399)})
            QCOMPARE(frame.pixel(at), QColor(Qt::green).rgb());
        QVERIFY(frame.pixel(placed.topLeft() + QPoint(20, 20)) != QColor(Qt::green).rgb());
        QVERIFY(frames.update(1).isEmpty());
        QCOMPARE(frames.update(2), placed);
        QVERIFY(!BoardFrames(board, QSize(826, 366), Qt::green).fits());
    }
    // A route without announcements plays a trip that uses none; one that steps them is refused.
    void tapeOnlyWhenUsed()
    {
        LUMINA_REQUIRE_FONTS();
        TripSetup setup = sampleTrip();
        setup.settings.folders.announcementDataFolder = m_dir.path(); // no tape here
        for (const bool stepsTape : {false, true}) {
            TripRun run(setup, [](const QString &) { return qint64(0); });
            const QByteArray text = stepsTape ? "0 route 12 1\n4 tape next\n6 end\n" : "0 route 12 1\n4 next\n6 end\n";
            QCOMPARE(run.play(trip(text), [](qint64) { return true; }, [](const TripSound &) {}), !stepsTape);
            QCOMPARE(run.errorString().contains(QStringLiteral("放送用データ")), stepsTape);
        }
    }
    // The video's own speech: espeak-ng's Japanese voice makes a clip with sound in it.
    void speaksOffline()
    {
        SpeechSynth speech{VoiceSettings{}};
        QVERIFY2(speech.ready(), qPrintable(speech.errorString()));
        const StereoClipPtr clip = speech.speak(QStringLiteral("つぎは、しやくしょまえです。"));
        QVERIFY(clip && std::any_of(clip->samples.cbegin(), clip->samples.cend(), [](float s) { return std::abs(s) > 0.1f; }));
        // The voice's pitch, rate and volume each change what is spoken (the library's own
        // output varies a little from one text to the next: the measures leave room for that).
        const auto measures = [](const StereoClipPtr &spoken) {
            std::vector<double> left;
            double peak = 0;
            for (size_t i = 0; i < spoken->samples.size(); i += 2)
                peak = std::max(peak, std::abs(left.emplace_back(spoken->samples[i])));
            // The voice's pitch: the period of the strongest repetition in each loud stretch.
            double periods = 0;
            int stretches = 0;
            const size_t window = size_t(kMixFramesPerMs) * 30, shortest = size_t(kMixFramesPerMs) * 2;
            const auto correlation = [&](size_t at, size_t lag) {
                return std::inner_product(left.begin() + at, left.begin() + at + window, left.begin() + at + lag, 0.0);
            };
            for (size_t at = 0; at + 2 * window < left.size(); at += window) {
                size_t best = 0;
                double bestSum = 0;
                for (size_t lag = shortest; lag < 8 * shortest; ++lag) {
                    if (const double sum = correlation(at, lag); sum > bestSum)
                        std::tie(best, bestSum) = std::pair(lag, sum);
                }
                if (const double energy = correlation(at, 0); energy > window * peak * peak / 100 && bestSum > energy / 2) {
                    periods += double(best);
                    ++stretches;
                }
            }
            return std::array<double, 3>{stretches / periods, double(left.size()), peak};
        };
        const std::array<double, 3> plain = measures(clip);
        VoiceSettings higher, faster, softer;
        higher.pitch = 1;
        faster.rate = softer.volume = 0.5;
        const VoiceSettings changed[] = {higher, faster, softer};
        for (int n = 0; n < 3; ++n) {
            const std::array<double, 3> m = measures(SpeechSynth(changed[n]).speak(QStringLiteral("つぎは、しやくしょまえです。")));
            const QList<bool> differs{m[0] / plain[0] > 1.2, m[1] / plain[1] < 0.8, m[2] / plain[2] < 0.7};
            QCOMPARE(differs, (QList<bool>{n == 0, n == 1, n == 2}));
        }
    }
    // A new sound in a slot cuts the one before; other slots play beside it.
    void slotRules()
    {
        SlotMixer mixer;
        mixer.start(1, 0, level(0.5f, 1000));
        mixer.start(1, 500, level(0.25f, 1000));
        mixer.start(2, 0, level(0.125f, 2000));
        mixer.stop(2, 1000);
        const std::vector<qint16> mixed = mixer.take(0, 2000 * kMixFramesPerMs);
        const auto at = [&](int ms) { return mixed[size_t(ms * kMixFramesPerMs * 2)]; };
        QCOMPARE((QList<qint16>{at(100), at(600), at(1200), at(1600)}),
                 (QList<qint16>{qint16(std::lround(0.625 * 32767)), qint16(std::lround(0.375 * 32767)), qint16(std::lround(0.25 * 32767)), 0}));
        // A wave's samples reach the mix: 16-bit mono at 22,050 Hz, alike on both sides at the mix's rate.
        QFile wave(QStringLiteral(LUMINA_TEST_DATA "/sound/wave/int16-1-100-mono.wav"));
        const StereoClipPtr clip = wave.open(QIODevice::ReadOnly) ? toStereoClip(*readWave(&wave)) : nullptr;
        QVERIFY(clip && clip->frames() == 50 * kMixRate / 22050
                && std::all_of(clip->samples.cbegin(), clip->samples.cend(), [](float s) { return std::abs(s - 257 / 32767.0f) < 1e-6f; }));
    }
    // The same trip twice: the same frames and the same sound, sample for sample.
    void sameTwice()
    {
        LUMINA_REQUIRE_FONTS();
        QByteArray hashes[2];
        for (QByteArray &hash : hashes) {
            QCryptographicHash h(QCryptographicHash::Sha256);
            qint64 frames = 0, loud = 0;
            VideoRequest request;
            request.tripFile = QDir(m_dir.path()).filePath(QStringLiteral("twice.trip"));
            QVERIFY(test::writeFile(request.tripFile, "0 route 12 1\n4 tape next\n9 tape next\n12 end\n"));
            request.fps = 10;
            QVERIFY(TripVideo().make(request, {}, [&](const QImage &frame, const std::vector<qint16> &sound) {
                frames += frame.isNull() ? 0 : 1;
                h.addData(QByteArrayView(frame.constBits(), frame.isNull() ? 0 : frame.sizeInBytes()));
                h.addData(QByteArrayView(reinterpret_cast<const char *>(sound.data()), qsizetype(sound.size() * 2)));
                loud += std::count_if(sound.begin(), sound.end(), [](qint16 s) { return std::abs(s) > 3000; });
            }));
            QCOMPARE(frames, 120);
            QVERIFY(loud > 0);
            hash = h.result();
        }
        QCOMPARE(hashes[0], hashes[1]);
    }
    // A settings file as the program saved it gives the video its options, cells and panel state.
    void settingsFile()
    {
        SettingsFile saved = sampleTrip().settings;
        saved.panel.ticketNumberStyle = 5;
        saved.cells[59].shift = 2;
        saved.controlPanel.scrollSpeed = 7;
        QVERIFY(test::writeFile(m_dir.filePath(QStringLiteral("saved.in4")), SettingsWriter::toBytes(saved)));
        SettingsFile read = initialRecords();
        QString why;
        QVERIFY2(readSettingsFile(m_dir.filePath(QStringLiteral("saved.in4")), read, why), qPrintable(why));
        QVERIFY(read == saved);
    }
    // A refused trip, settings file, route or container: the reason, and no file at all.
    void refused_data() { test::fixtureTable("video/refused.txt", 6); }
    void refused()
    {
        LUMINA_REQUIRE_FONTS();
        QFETCH(QStringList, row);
        QString output = row[2];
        QTemporaryDir dir;
        VideoRequest request;
        request.tripFile = dir.filePath(QStringLiteral("trip"));
        QVERIFY(test::writeFile(request.tripFile, QByteArray::fromPercentEncoding(row[0].toUtf8())));
        request.settingsFile = row[1].isEmpty() ? QString() : dir.filePath(row[1]);
        if (output.endsWith(u'/')) {
            QVERIFY(QDir(dir.path()).mkpath(output + QStringLiteral("taken")));
            output.chop(1);
        }
        request.output = dir.filePath(output);
        if (const QStringList wh = row[4].split(u'x'); wh.size() == 2)
            request.canvas = QSize(wh[0].toInt(), wh[1].toInt());
        TripVideo video;
        QVERIFY(!video.make(request, {}));
        QVERIFY2(!video.errorString().isEmpty() && video.errorString().contains(row[3]), qPrintable(video.errorString()));
        QVERIFY(!video.blamedFile().isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"trip"}));
    }
    // Whole pictures of one colour against the BT.709 tables, within rounding.
    void yuv_data()
    {
        QTest::addColumn<QRgb>("rgb");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("cb");
        QTest::addColumn<int>("cr");
        QTest::newRow("white") << qRgb(255, 255, 255) << 235 << 128 << 128;
        QTest::newRow("black") << qRgb(0, 0, 0) << 16 << 128 << 128;
        QTest::newRow("red") << qRgb(255, 0, 0) << 63 << 102 << 240;
        QTest::newRow("green") << qRgb(0, 255, 0) << 173 << 42 << 26;
        QTest::newRow("blue") << qRgb(0, 0, 255) << 32 << 240 << 118;
    }
    void yuv()
    {
        QFETCH(QRgb, rgb);
        QFETCH(int, y);
        QFETCH(int, cb);
        QFETCH(int, cr);
        QImage picture(4, 2, QImage::Format_RGB32);
        picture.fill(rgb);
        I420Image yuv(picture.size());
        yuv.convert(picture, picture.rect());
        const auto near = [](int value, int table) { return qAbs(value - table) <= 1; };
        QCOMPARE(yuv.bytes.size(), size_t(8 + 4 + 4)); // the one chroma row padded to four bytes
        for (size_t i = 0; i < 8; ++i)
            QVERIFY2(near(yuv.bytes[i], y), qPrintable(QString::number(yuv.bytes[i])));
        QVERIFY(near(yuv.bytes[8], cb) && near(yuv.bytes[12], cr));
    }
    // Each pixel a different red, so a byte in the wrong place shows; a change
    // converts its whole 2 x 2 block and nothing else.
    void yuvBlocks()
    {
        QImage picture(6, 4, QImage::Format_RGB32);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                picture.setPixel(x, y, qRgb(10 * (x + 6 * y), 0, 0));
        I420Image yuv(picture.size());
        yuv.convert(picture, QRect(3, 2, 1, 1));
        QCOMPARE(yuv.bytes.size(), size_t(8 * 4 + 4 * 2 * 2));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                const int luma = x / 2 == 1 && y / 2 == 1 ? (47 * 10 * (x + 6 * y) + 128) / 256 + 16 : 0;
                QCOMPARE(int(yuv.bytes[size_t(8 * y + x)]), luma);
            }
        const std::vector<unsigned char> chroma(yuv.bytes.begin() + 32, yuv.bytes.end());
        // Cb then Cr, two rows of four; the block's reds add up to 700.
        QCOMPARE(chroma, (std::vector<unsigned char>{0, 0, 0, 0, 0, 110, 0, 0, 0, 0, 0, 0, 0, 205, 0, 0}));
    }
    // An encoder that is not open, or cannot write its file, takes nothing and says why.
    void encoderRefuses()
    {
        VideoEncoder unopened;
        QVERIFY(!unopened.addFrame(QImage(16, 16, QImage::Format_RGB32), QRect()) && !unopened.addSound({1, 2}) && !unopened.finish());
        QVERIFY(unopened.errorString().contains(QStringLiteral("大きさ")));
        VideoEncoder encoder;
        const QString path = m_dir.filePath(QStringLiteral("none/out.mp4"));
        QVERIFY(!encoder.open(path, QStringLiteral("mp4"), QSize(16, 16), 30));
        QVERIFY(encoder.errorString().contains(path) || !VideoEncoder::missingElements(QStringLiteral("mp4")).isEmpty());
    }
    // A real encode of a few seconds, checked by ffprobe.
    void encode_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("format"); // as ffprobe names it
        QTest::addColumn<QString>("codecs");
        QTest::newRow("mp4") << "mp4" << "mov,mp4,m4a,3gp,3g2,mj2" << "h264 aac";
        QTest::newRow("mkv") << "mkv" << "matroska,webm" << "h264 aac";
        QTest::newRow("webm") << "webm" << "matroska,webm" << "vp9 opus";
    }
    void encode()
    {
        QFETCH(QString, container);
        QFETCH(QString, format);
        QFETCH(QString, codecs);
        LUMINA_REQUIRE_FONTS();
        if (const QStringList missing = VideoEncoder::missingElements(container); !missing.isEmpty())
            QSKIP(qPrintable(QStringLiteral("GStreamer elements missing: ") + missing.join(u' ')));
        const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
        if (ffprobe.isEmpty())
            QSKIP("ffprobe (ffmpeg) is not installed");
        VideoRequest request;
        request.tripFile = m_dir.filePath(QStringLiteral("short.trip"));
        request.output = m_dir.filePath(QStringLiteral("short.") + container);
        request.canvas = QSize(1280, 720);
        QVERIFY(test::writeFile(request.tripFile, "0 route 12 1\n3.5 next\n4 end\n") && test::writeFile(request.output, "an older one"));
        TripVideo video;
        QVERIFY2(video.make(request, {}), qPrintable(video.errorString()));
        QProcess probe;
        probe.start(ffprobe, {"-v", "error", "-show_entries", "stream=codec_name,width,height,sample_rate,channels:format=format_name,duration",
                              "-of", "compact=p=0:nk=1", request.output});
        QVERIFY(probe.waitForFinished(30000));
        const QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], codecs.section(u' ', 0, 0) + QStringLiteral("|1280|720"));
        QCOMPARE(lines[1], codecs.section(u' ', 1) + QStringLiteral("|48000|2"));
        QCOMPARE(lines[2].section(u'|', 0, 0), format);
        QVERIFY2(qAbs(lines[2].section(u'|', 1).toDouble() - 4.0) < 0.1, qPrintable(lines[2]));
    }
private:
    QTemporaryDir m_dir;
};

LUMINA_TEST_MAIN(tst_Video)
#include "tst_video.moc"
