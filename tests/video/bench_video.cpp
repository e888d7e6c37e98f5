// How fast `lumina-fare video` turns a five-minute trip into a video, and its
// peak memory; run by hand, best from a Release build:
//   QT_QPA_PLATFORM=offscreen build-rel/bin/bench_video            both measures
//   QT_QPA_PLATFORM=offscreen build-rel/bin/bench_video canvas2    x2 on 1920x1080
#include "TestMain.h"

#include <QElapsedTimer>
#include <QProcess>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

class bench_Video : public QObject
{
    Q_OBJECT
private slots:
    // Route 12 set, then the sample tape's "送り" every 12 s, to 5:00.
    void initTestCase()
    {
        QByteArray trip = "0:00 route 12 1\n";
        for (int s = 6; s < 300; s += 12)
            trip += QByteArray::number(s) + " tape next\n";
        trip += "5:00 end\n";
        QFile file(m_dir.filePath("five.trip"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(trip) == trip.size());
    }
    // x1 at 30 frames a second: at most 75 s (four times real time).
    void scale1() { encode({"--scale", "1"}, 75); }
    // x2 centred on a 1920x1080 canvas: at most 150 s (twice real time).
    void canvas2() { encode({"--scale", "2", "--canvas", "1920x1080"}, 150); }
private:
    void encode(const QStringList &options, int limitSeconds)
    {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer timer;
        timer.start();
        tool.start(QCoreApplication::applicationDirPath() + "/lumina-fare",
                   QStringList{"video", m_dir.filePath("five.trip"), "-o", m_dir.filePath("five.mp4")} + options);
        QVERIFY(tool.waitForFinished(-1));
        const double seconds = timer.elapsed() / 1000.0;
        double megabytes = 0; // the child's peak is read where the system keeps it
#ifdef Q_OS_UNIX
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        megabytes = usage.ru_maxrss / 1024.0;
#endif
        qInfo("%s: %.1f s for 5:00 of video, peak memory %.0f MB", qPrintable(options.join(u' ')), seconds, megabytes);
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY2(seconds <= limitSeconds, "slower than the limit");
        QVERIFY2(megabytes <= 300, "more memory than 300 MB");
    }
    QTemporaryDir m_dir;
};

LUMINA_TEST_MAIN(bench_Video)
#include "bench_video.moc"
