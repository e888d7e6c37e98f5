#include "FakeHostLib.h"
#include "TestMain.h"

#include "base/CodePage.h"
#include "options/frmOption.h"
#include "settings/SettingsIo.h"
#include "app/mdlIniIo.h"
#include "shell/Form1.h"
#include "app/Lumina.h"
#include "shell/frmCtl.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <optional>

#ifdef Q_OS_LINUX
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace lumina;
using lumina::test::FakeHostLib;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray fixture(const char *name)
{
    return readFile(QStringLiteral(LUMINA_TEST_DATA "/settings/") + QLatin1String(name));
}

bool takesNewFiles(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/probe-XXXXXX"));
    return probe.open();
}

#ifdef Q_OS_LINUX
// Makes a folder refuse new files while its files stay writable: by its mode,
// and for root (whom modes do not stop) by the immutable flag.
class FolderLock
{
public:
    explicit FolderLock(const QString &folder) : m_folder(folder)
    {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                          | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        if (takesNewFiles(folder))
            m_immutable = setImmutable(true);
    }
    ~FolderLock()
    {
        if (m_immutable)
            setImmutable(false);
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool locked() const { return !takesNewFiles(m_folder); }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }

    QString m_folder;
    bool m_immutable = false;
};

// The file system refuses every byte past `limit` while it lives.
class SizeLimit
{
public:
    explicit SizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};
#endif

} // namespace

// Loading and saving the settings file when things go wrong.
class tst_IniRepairs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sizeBoundsFollowTheFields();
    void damagedFileIsReportedAndKept_data();
    void damagedFileIsReportedAndKept();
    void inPlaceSaveNeverLeavesAHalfFile_data();
    void inPlaceSaveNeverLeavesAHalfFile();
    void missingCodePageIsToldAndNothingSaved();
    void savedDateShowsAsPlainText();

private:
    IniTargets targets() const;
    QString besidePath() const { return m_location.besideExecutable(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    IniLocation m_location;
    std::unique_ptr<FakeHostLib> m_host;
    std::unique_ptr<Form1> m_board;
    std::unique_ptr<frmCtl> m_panel;
    std::unique_ptr<frmOption> m_options;
};

void tst_IniRepairs::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("bin"))));
    m_location = IniLocation();
    m_location.executablePath = m_dir->filePath(QStringLiteral("bin/ルミナ"));
    m_location.userConfigFolder = m_dir->filePath(QStringLiteral("config/Lumina"));
    m_location.writable = IniLocation::forThisProgram().writable;
    m_host = std::make_unique<FakeHostLib>();
    m_board = std::make_unique<Form1>();
    m_panel = std::make_unique<frmCtl>();
    m_options = std::make_unique<frmOption>();
}

void tst_IniRepairs::cleanup()
{
    cp932::useConverter(nullptr);
    m_options.reset();
    m_panel.reset();
    m_board.reset();
    m_host.reset();
    m_dir.reset();
}

IniTargets tst_IniRepairs::targets() const
{
    IniTargets t;
    t.board = m_board.get();
    t.panel = m_panel.get();
    t.options = m_options.get();
    return t;
}

void tst_IniRepairs::sizeBoundsFollowTheFields()
{
    // Every string empty, and every string at its longest: the reader takes
    // exactly the bounds' bytes and stops there.
    for (const auto &[fill, size] : {std::pair{'\0', kSettingsFileBaseSize},
                                     std::pair{'\xff', kSettingsFileMaxSize}}) {
        QByteArray bytes(40 * 0x10000, fill);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        SettingsFile s;
        SettingsReader reader;
        QVERIFY(reader.read(&buffer, s));
        QCOMPARE(reader.bytesRead(), size);
    }
}

void tst_IniRepairs::damagedFileIsReportedAndKept_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fareFolder"); // what the file still gives
    QByteArray noise(300, Qt::Uninitialized);
    QRandomGenerator random(9);
    for (char &c : noise)
        c = char(random.bounded(256));
    QTest::newRow("300 random bytes") << noise << QString();
    QTest::newRow("ends early") << fixture("short.in4") << QStringLiteral("C:\\運賃データ\\東部線");
}

void tst_IniRepairs::damagedFileIsReportedAndKept()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fareFolder);
    QVERIFY(writeFile(besidePath(), bytes));
    SettingsFile records = initialRecords();
    loadIni(targets(), m_location, records);
    if (!fareFolder.isEmpty())
        QCOMPARE(m_options->Text2[0]->text(), fareFolder);
    QCOMPARE(m_host->messages.size(), 1);
    const QString text = m_host->messages[0].text;
    QVERIFY2(text.contains(QStringLiteral("壊れて")) && text.contains(besidePath()), qPrintable(text));

    // The quit writes a whole new file; the old bytes are kept beside it.
    QVERIFY(saveIni(targets(), m_location, records));
    QByteArray whole = readFile(besidePath());
    QBuffer buffer(&whole);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsFile reread;
    SettingsReader reader;
    QVERIFY(reader.read(&buffer, reread));
    QCOMPARE(reader.bytesRead(), qint64(whole.size()));
    const QStringList kept = QDir(m_dir->filePath(QStringLiteral("bin")))
                                 .entryList({QStringLiteral("*.damaged*")}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY2(text.contains(kept[0]), qPrintable(text));
    QCOMPARE(readFile(m_dir->filePath(QStringLiteral("bin/") + kept[0])), bytes);
    QCOMPARE(m_host->messages.size(), 1); // said once
}

void tst_IniRepairs::inPlaceSaveNeverLeavesAHalfFile_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<int>("limit"); // bytes the file system takes, 0: no limit
    QTest::newRow("write breaks off, old bytes put back") << fixture("defaults.in4") << 700;
    QTest::newRow("copy of the old file refused") << fixture("every_field.in4") << 700;
    QTest::newRow("no failure") << fixture("every_field.in4") << 0;
}

void tst_IniRepairs::inPlaceSaveNeverLeavesAHalfFile()
{
#ifdef Q_OS_LINUX
    QFETCH(QByteArray, old);
    QFETCH(int, limit);
    QVERIFY(writeFile(besidePath(), old));
    const QString folder = m_dir->filePath(QStringLiteral("bin"));
    FolderLock lock(folder);
    if (!lock.locked())
        QSKIP("no way to make a folder refuse new files here");
    SettingsFile records = initialRecords();
    m_options->Text2[0]->setText(QString(2000, QLatin1Char('f')));
    bool saved = false;
    {
        std::optional<SizeLimit> small;
        if (limit > 0)
            small.emplace(rlim_t(limit));
        saved = saveIni(targets(), m_location, records);
    }
    const QByteArray now = readFile(besidePath());
    if (limit > 0) {
        QVERIFY(!saved);
        QCOMPARE(m_host->messages.size(), 1);
        QCOMPARE(now.size(), old.size());
        QCOMPARE(now, old);
    } else {
        QVERIFY(saved);
        QVERIFY(m_host->messages.isEmpty());
        QCOMPARE(now.size(), kSettingsFileBaseSize + 10 + 2000);
    }
    // No copy is left over once the file beside the program is whole.
    QVERIFY(QDir(m_location.userConfigFolder).entryList(QDir::Files).isEmpty());
#else
    QSKIP("needs a file size limit");
#endif
}

void tst_IniRepairs::missingCodePageIsToldAndNothingSaved()
{
    cp932::useConverter("no-such-converter");
    QVERIFY(!cp932::available());
    {
        Lumina program;
        program.seams().loadIni = [] {};
        program.startUp();
        QCOMPARE(m_host->messages.size(), 1);
        QVERIFY(m_host->messages[0].text.contains(QStringLiteral("windows-31j")));
    }
    const QByteArray old = fixture("every_field.in4");
    QVERIFY(writeFile(besidePath(), old));
    SettingsFile records = initialRecords();
    QVERIFY(!saveIni(targets(), m_location, records));
    QCOMPARE(readFile(besidePath()), old);
    QCOMPARE(m_host->messages.size(), 1); // said once, at start-up
    cp932::useConverter(nullptr);
    QVERIFY(cp932::available());
}

void tst_IniRepairs::savedDateShowsAsPlainText()
{
    SettingsFile s = initialRecords();
    s.ticketPreview.fixedDate = QStringLiteral("<b>平成21年</b> 1/30");
    QVERIFY(writeFile(besidePath(), SettingsWriter::toBytes(s)));
    SettingsFile records = initialRecords();
    QVERIFY(loadIni(targets(), m_location, records));
    QLabel *date = m_options->Label10;
    QCOMPARE(date->text(), s.ticketPreview.fixedDate);
    // Shown as those very characters: no markup is taken from a file.
    QCOMPARE(date->textFormat(), Qt::PlainText);
}

LUMINA_TEST_MAIN(tst_IniRepairs)
#include "tst_inirepairs.moc"
