#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace lumina::test {

// A PulseAudio server of our own with one null sink "lumina" and a recorder of
// its monitor (mono, 16-bit, 44.1 kHz); both end with the object. start()
// points this process's sound output at it, so call it before any sound plays.
class NullSinkServer
{
public:
    static constexpr int kRate = 44100;
    ~NullSinkServer()
    {
        for (QProcess *p : {&recorder, &m_server}) {
            p->terminate();
            if (p->state() != QProcess::NotRunning && !p->waitForFinished(3000))
                p->kill();
        }
    }
    // Empty when it runs; otherwise why not.
    QString start()
    {
        const QString pulse = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
        if (pulse.isEmpty() || parec.isEmpty())
            return QStringLiteral("needs pulseaudio and pulseaudio-utils (scripts/setup.sh installs them)");
        const QString socket = m_dir.filePath(QStringLiteral("native"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        env.insert(QStringLiteral("HOME"), m_dir.path());
        m_server.setProcessEnvironment(env);
        m_server.setStandardOutputFile(QProcess::nullDevice());
        // No configuration files, no daemon, and allowed to run as root (CI).
        m_server.start(pulse, {"-n", "--daemonize=no", "--system=false", "--exit-idle-time=-1",
                               "--use-pid-file=false", "--log-level=error",
                               "--load=module-null-sink sink_name=lumina rate=44100",
                               "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        if (!m_server.waitForStarted() || !QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 5000))
            return QStringLiteral("the sound server did not start");
        qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(socket));
        // A fresh null sink delivers its first block only after about two
        // seconds; one recorder for the whole run pays that once.
        recorder.start(parec, {"--device=lumina.monitor", "--format=s16le", "--rate=44100", "--channels=1",
                               "--latency-msec=10", "--raw"});
        if (!recorder.waitForStarted() || !QTest::qWaitFor([&] { return recorder.bytesAvailable() > 0; }, 5000))
            return QStringLiteral("the recorder did not start");
        return {};
    }

    QProcess recorder;

private:
    QTemporaryDir m_dir;
    QProcess m_server;
};

} // namespace lumina::test
