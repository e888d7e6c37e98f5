#include "TestMain.h"

#include "FakeHostLib.h"
#include "options/frmOption.h"
#include "settings/SettingsIo.h"
#include "app/mdlIniIo.h"
#include "shell/Form1.h"
#include "app/Lumina.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace lumina;
using lumina::test::FakeHostLib;

// The settings file across whole runs of the program: start-up reads it, quit
// writes it.
class tst_SettingsRun : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartWithoutFileThenQuit();
    void everyFieldSurvivesARun();

private:
    // Starts the program, then quits it with Yes to the question.
    void run(const std::function<void(Lumina &)> &whileRunning = {});

    QTemporaryDir *m_dir = nullptr;
    QString m_path;
};

void tst_SettingsRun::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    iniLocation().executablePath = m_dir->filePath(QStringLiteral("ルミナ"));
    iniLocation().userConfigFolder = m_dir->filePath(QStringLiteral("config"));
    m_path = m_dir->filePath(QStringLiteral("ルミナ.in4"));
    iniRecords() = initialRecords();
}

void tst_SettingsRun::cleanup()
{
    delete m_dir;
}

void tst_SettingsRun::run(const std::function<void(Lumina &)> &whileRunning)
{
    FakeHostLib host;
    host.messageAnswers.push_back(MsgResult::Yes);
    Lumina program;
    bool ended = false;
    program.seams().exit = [&ended] { ended = true; };
    program.startUp();
    // Start-up says nothing about the settings file.
    QVERIFY2(host.messages.isEmpty(), qPrintable(host.messages.value(0).text));
    if (whileRunning)
        whileRunning(program);
    QVERIFY(program.requestQuit());
    QVERIFY(ended);
    // Only the quit question was asked.
    QCOMPARE(host.messages.size(), 1);
}

void tst_SettingsRun::firstStartWithoutFileThenQuit()
{
    QVERIFY(!QFile::exists(m_path));
    run();
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), kSettingsFileBaseSize + 10);

    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsFile saved;
    QVERIFY(SettingsReader().read(&buffer, saved));
    const SettingsFile initial = initialRecords();
    QCOMPARE(saved.ticketPreview.fixedDate,
             QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    QVERIFY(saved.panel == initial.panel);
    QVERIFY(saved.sounds == initial.sounds);
    QVERIFY(saved.cells == initial.cells);
}

void tst_SettingsRun::everyFieldSurvivesARun()
{
    QFile fixture(QStringLiteral(LUMINA_TEST_DATA "/settings/every_field.in4"));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    const QByteArray original = fixture.readAll();
    QVERIFY(fixture.copy(m_path));
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);

    run([](Lumina &program) {
        QCOMPARE(program.options()->Text2[0]->text(), QStringLiteral("C:\\運賃データ\\東部線"));
        QCOMPARE(program.board()->pos(), QPoint(100, 80));
    });
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), original);
}

LUMINA_TEST_MAIN(tst_SettingsRun)
#include "tst_settingsrun.moc"
