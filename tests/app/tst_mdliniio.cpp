#include "TestMain.h"

#include "FakeHostLib.h"
#include "controls/ChimeiCtl_P.h"
#include "controls/M_Degit.h"
#include "controls/M_DegitEmNB.h"
#include "options/frmOption.h"
#include "settings/IniError.h"
#include "settings/SettingsIo.h"
#include "app/mdlIniIo.h"
#include "base/Colors.h"
#include "shell/Form1.h"
#include "shell/frmCtl.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace lumina;
using lumina::test::FakeHostLib;

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(LUMINA_TEST_DATA "/settings/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

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

SettingsFile parse(const QByteArray &bytes)
{
    SettingsFile s;
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    SettingsReader().read(&buffer, s);
    return s;
}

} // namespace

class tst_mdlIniIo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartWithoutFile();
    void everyFieldLoadsAndSavesBackIdentical();
    void restoresInOrder();
    void shortFileAppliesWhatItHolds();
    void transferFailureStopsLoading();
    void otherLoadFailures_data();
    void otherLoadFailures();
    void saveFailingHalfWayKeepsOldFile();
    void saveFailureWhenFolderCannotBeMade();
    void saveOntoAFolderFails();
    void lockedFolderSavesToUserConfig();
    void offScreenPositionKeepsWindowInSight();

private:
    QString besidePath() const { return m_location.besideExecutable(); }
    IniTargets targets();

    QTemporaryDir *m_dir = nullptr;
    IniLocation m_location;
    FakeHostLib *m_host = nullptr;
    Form1 *m_board = nullptr;
    frmCtl *m_panel = nullptr;
    frmOption *m_options = nullptr;
    QStringList m_log;
};

void tst_mdlIniIo::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("bin"))));
    m_location = IniLocation();
    m_location.executablePath = m_dir->filePath(QStringLiteral("bin/ルミナ"));
    m_location.userConfigFolder = m_dir->filePath(QStringLiteral("config/Lumina"));
    m_location.writable = [](const QString &) { return true; };
    m_host = new FakeHostLib;
    m_board = new Form1;
    m_panel = new frmCtl;
    m_options = new frmOption;
    // What start-up sets before the settings are read.
    m_options->Check1->setChecked(true);
    setBackColor(m_options->Command5[0], rgb(255, 255, 255));
    setBackColor(m_options->Command5[1], rgb(192, 255, 192));
    setBackColor(m_options->Command5[2], rgb(255, 192, 128));
    m_board->move(0, 0);
    m_panel->move(400, 400);
    m_log.clear();
}

void tst_mdlIniIo::cleanup()
{
    delete m_options;
    delete m_panel;
    delete m_board;
    delete m_host;
    delete m_dir;
}

IniTargets tst_mdlIniIo::targets()
{
    IniTargets t;
    t.board = m_board;
    t.panel = m_panel;
    t.options = m_options;
    t.setProp = [this] { m_log << QStringLiteral("SetProp"); };
    t.loadPlugIn = [this](const QString &path) { m_log << QStringLiteral("plug-in ") + path; };
    return t;
}

void tst_mdlIniIo::firstStartWithoutFile()
{
    SettingsFile records = initialRecords();
    QVERIFY(!QFile::exists(besidePath()));
    QVERIFY(loadIni(targets(), m_location, records));
    QVERIFY(m_host->messages.isEmpty());
    QVERIFY(m_log.isEmpty()); // nothing applied, not even the options

    QVERIFY(writeFile(besidePath(), QByteArray(5000, 'x'))); // a longer file is replaced whole
    QVERIFY(saveIni(targets(), m_location, records));
    QVERIFY(m_host->messages.isEmpty());
    const QByteArray bytes = readFile(besidePath());
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    QCOMPARE(today.size(), 10);
    QCOMPARE(bytes.size(), kSettingsFileBaseSize + 10);
    // The dialog's own values are the values of a start without a file.
    const SettingsFile saved = parse(bytes);
    const SettingsFile initial = initialRecords();
    QCOMPARE(saved.ticketPreview.fixedDate, today);
    SettingsFile expected = initial;
    expected.controlPanel = saved.controlPanel;
    expected.board = saved.board;
    QVERIFY(saved == expected);
    QCOMPARE(saved.controlPanel.left, 400 * 15);
    QCOMPARE(saved.controlPanel.scrollSpeed, 1);
    QCOMPARE(saved.controlPanel.entryPanelIndex, qint16(0));
    // Nothing else in the folder: the temporary file of the save is gone.
    QCOMPARE(QDir(m_dir->filePath(QStringLiteral("bin"))).entryList(QDir::Files),
             QStringList{QStringLiteral("ルミナ.in4")});
}

void tst_mdlIniIo::everyFieldLoadsAndSavesBackIdentical()
{
    for (int i = 1; i <= 60; ++i)
        m_board->Degit[size_t(i)]->setValue(1230);
    const QByteArray original = fixture("every_field.in4");
    QVERIFY(writeFile(besidePath(), original));
    SettingsFile records = initialRecords();
    QVERIFY(loadIni(targets(), m_location, records));
    QVERIFY(m_host->messages.isEmpty());

    // The dialog shows the file.
    QCOMPARE(m_options->Text2[0]->text(), QStringLiteral("C:\\運賃データ\\東部線"));
    QCOMPARE(m_options->txtSelectPanel[0]->text(), QStringLiteral("C:\\パネル\\ソフト表示_消灯.bmp"));
    QVERIFY(!m_options->Check1->isChecked());
    QVERIFY(m_options->Option3[1]->isChecked());
    QCOMPARE(m_options->Combo4[4]->currentIndex(), 149);
    QCOMPARE(backColor(m_options->Command5[2]), OleColor(0x00ABCDEF));
    QCOMPARE(m_options->Label10->text(), QStringLiteral("2009/01/30"));
    QCOMPARE(m_options->CustomColors[16], OleColor(0x00111111));
    QCOMPARE(m_log, (QStringList{QStringLiteral("plug-in C:\\プラグイン\\整理券.4SP"),
                                 QStringLiteral("SetProp")}));

    // The panel's state and the board's place are back.
    QCOMPARE(m_panel->pos(), QPoint(200, 300));
    QCOMPARE(m_panel->HScroll1[0]->value(), 150);
    QCOMPARE(m_panel->HScroll1[1]->value(), 2500);
    QVERIFY(m_panel->Check2->isChecked());
    QVERIFY(m_panel->Check4->isChecked());
    QCOMPARE(m_panel->entryPanelIndex, qint16(1));
    QCOMPARE(m_board->pos(), QPoint(100, 80));
    // The stop-name strip takes its colours; the cells their digit settings and
    // colours, emptied; the clock the colours only.
    QCOMPARE(m_board->ChimeiCtl->BackColor(), OleColor(0x00202020));
    QCOMPARE(m_board->ChimeiCtl->ForeColor(), OleColor(0x003040FF));
    const SettingsFile expected = parse(original);
    for (int i = 1; i <= 60; ++i) {
        const M_DegitEmNB *cell = m_board->Degit[size_t(i)];
        QCOMPARE((CellDigitSetting{cell->Shift(), cell->ZeroMode(), cell->FillZero()}),
                 expected.cells[size_t(i - 1)]);
        QCOMPARE(cell->BaseForeColor(), expected.infoDigits.unlitColour);
        QCOMPARE(cell->Value().toString(), QStringLiteral(" "));
    }
    QCOMPARE(m_board->Degit[60]->BackColor(), expected.infoDigits.backColour);
    QCOMPARE(m_board->Degit[60]->DegitForeColor(), expected.infoDigits.litColour);
    QCOMPARE(m_board->TimeDegit[1]->BackColor(), expected.infoDigits.backColour);
    QCOMPARE(m_board->TimeDegit[1]->DegitForeColor(), expected.infoDigits.litColour);
    QCOMPARE(m_board->TimeDegit[1]->Shift(), qint16(0));

    // Written back, byte for byte, from the windows.
    QFile::remove(besidePath());
    SettingsFile fresh = initialRecords();
    QVERIFY(saveIni(targets(), m_location, fresh));
    QVERIFY(m_host->messages.isEmpty());
    QCOMPARE(readFile(besidePath()), original);
    // What the cells hold at quit is saved.
    for (int i = 1; i <= 60; ++i) {
        m_board->Degit[size_t(i)]->setShift(1);
        m_board->Degit[size_t(i)]->setZeroMode(3);
        m_board->Degit[size_t(i)]->setFillZero(2);
    }
    QVERIFY(saveIni(targets(), m_location, fresh));
    for (const CellDigitSetting &cell : parse(readFile(besidePath())).cells)
        QCOMPARE(cell, (CellDigitSetting{1, 3, 2}));
}

void tst_mdlIniIo::restoresInOrder()
{
    QVERIFY(writeFile(besidePath(), fixture("every_field.in4")));
    SettingsFile records = initialRecords();
    connect(m_options->Text2[0], &QLineEdit::textChanged, this, [&] {
        m_log << QStringLiteral("options");
        // The panel is restored only after the options.
        QCOMPARE(m_panel->HScroll1[1]->value(), 0);
    });
    connect(m_panel->Option4[0], &QRadioButton::clicked, this, [&] {
        // The backlight is clicked again once the user panel paths are in.
        m_log << QStringLiteral("backlight OFF ") + m_options->txtSelectPanel[2]->text();
        QCOMPARE(m_options->Label10->text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    });
    connect(m_panel->Check4, &QPushButton::clicked, this, [&](bool on) {
        m_log << QStringLiteral("Check4 clicked %1").arg(on);
    });
    connect(m_panel->Check2, &QCheckBox::clicked, this, [&](bool on) {
        m_log << QStringLiteral("Check2 clicked %1").arg(on);
    });
    QVERIFY(loadIni(targets(), m_location, records));
    QCOMPARE(m_log, (QStringList{QStringLiteral("options"),
                                 QStringLiteral("backlight OFF C:\\パネル\\点灯２.jpg"),
                                 QStringLiteral("plug-in C:\\プラグイン\\整理券.4SP"),
                                 QStringLiteral("Check4 clicked 1"), QStringLiteral("Check2 clicked 1"),
                                 QStringLiteral("SetProp")}));
    // The double-click replay sent the keypad frame back: the digit lists show.
    const QObjectList &children = m_panel->children();
    QVERIFY(children.indexOf(m_panel->Frame1[1]) < children.indexOf(m_panel->Frame1[0]));
}

void tst_mdlIniIo::shortFileAppliesWhatItHolds()
{
    // 200 bytes: folders, panel and digits; the file ends in the stop-name colours.
    QVERIFY(writeFile(besidePath(), fixture("short.in4")));
    m_options->txtSelectSound[3]->setText(QStringLiteral("今の音.wav"));
    m_panel->HScroll1[0]->setValue(777);
    SettingsFile records = initialRecords();
    QVERIFY(loadIni(targets(), m_location, records));
    QCOMPARE(m_host->messages.size(), 1); // the notice of a file that ends early
    QCOMPARE(m_options->Text2[1]->text(), QStringLiteral("D:\\放送用データ\\ルミナ放送"));
    QVERIFY(m_options->Option3[1]->isChecked());
    QCOMPARE(m_options->Combo4[3]->currentIndex(), 56);
    QCOMPARE(backColor(m_options->Command9[1]), OleColor(0x003040FF));
    // Beyond the end: what the windows had, not zeros.
    QCOMPARE(m_options->Combo3->currentIndex(), -1);
    QCOMPARE(m_options->txtSelectSound[3]->text(), QStringLiteral("今の音.wav"));
    QVERIFY(m_options->Option2[0]->isChecked());
    QCOMPARE(m_options->Label10->text(), initialRecords().ticketPreview.fixedDate);
    QCOMPARE(m_panel->HScroll1[0]->value(), 777);
    QCOMPARE(m_panel->pos(), QPoint(400, 400));
    QCOMPARE(m_board->pos(), QPoint(0, 0));
    QVERIFY(m_log.contains(QStringLiteral("SetProp")));
}

void tst_mdlIniIo::transferFailureStopsLoading()
{
    // Combo4(0) holds "1".."60": index 60 does not exist.
    QVERIFY(writeFile(besidePath(), fixture("bad_combo.in4")));
    SettingsFile records = initialRecords();
    QVERIFY(!loadIni(targets(), m_location, records));
    QCOMPARE(m_host->messages.size(), 1);
    QCOMPARE(m_host->messages[0].text,
             QStringLiteral("エラー Code:380\r\n内容:プロパティの値が不正です。\r\n"
                            "モジュール:mdlIniIo.LoadIni()"));
    QCOMPARE(m_host->messages[0].buttons, MsgButtons::Ok);
    // What came before the failing field is applied, nothing after it.
    QVERIFY(m_options->Check3[0]->isChecked());
    QCOMPARE(m_options->Combo4[0]->currentIndex(), 0);
    QVERIFY(!m_options->Check3[4]->isChecked());
    QVERIFY(m_options->txtSelectSound[0]->text().isEmpty());
    // Neither the panel nor the board nor the options on the board.
    QVERIFY(m_log.isEmpty());
    QCOMPARE(m_panel->pos(), QPoint(400, 400));
    QCOMPARE(m_board->pos(), QPoint(0, 0));
}

void tst_mdlIniIo::otherLoadFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message"); // the start of it; empty: none
    QTest::newRow("empty file") << "empty" << "";
    QTest::newRow("folder in its place") << "folder" << "エラー Code:";
    QTest::newRow("check box value 5") << "panel" << "エラー Code:380\r\n";
}

void tst_mdlIniIo::otherLoadFailures()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    if (kind == u"empty") {
        QVERIFY(writeFile(besidePath(), QByteArray()));
    } else if (kind == u"folder") {
        QVERIFY(QDir().mkpath(besidePath()));
    } else {
        SettingsFile bad = parse(fixture("every_field.in4"));
        bad.controlPanel.preview = 5; // a check box has no such value
        QVERIFY(writeFile(besidePath(), SettingsWriter::toBytes(bad)));
    }
    SettingsFile records = initialRecords();
    QCOMPARE(loadIni(targets(), m_location, records), message.isEmpty());
    QCOMPARE(m_host->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QVERIFY(m_host->messages[0].text.startsWith(message));
        QVERIFY(m_host->messages[0].text.endsWith(QStringLiteral("\r\nモジュール:mdlIniIo.LoadIni()")));
    }
    QVERIFY(!m_log.contains(QStringLiteral("SetProp")));
    QCOMPARE(m_board->pos(), QPoint(0, 0));
}

void tst_mdlIniIo::saveFailingHalfWayKeepsOldFile()
{
#ifdef Q_OS_UNIX
    const QByteArray original = fixture("every_field.in4");
    QVERIFY(writeFile(besidePath(), original));
    SettingsFile records = initialRecords();
    m_options->Text2[0]->setText(QString(2000, QLatin1Char('f')));

    // The file system refuses every byte past the 700th: the new file breaks
    // off half-way.
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 700;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = saveIni(targets(), m_location, records);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!saved);
    QCOMPARE(m_host->messages.size(), 1);
    const QString text = m_host->messages[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("エラー Code:")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("\r\n内容:")));
    QVERIFY(!text.contains(QStringLiteral("モジュール")));
    // The old file is whole, and no broken new one lies beside it.
    QCOMPARE(readFile(besidePath()), original);
    QCOMPARE(QDir(m_dir->filePath(QStringLiteral("bin"))).entryList(QDir::Files),
             QStringList{QStringLiteral("ルミナ.in4")});
    // The records still hold what was loaded last, not the failed save.
    QCOMPARE(records.folders.fareDataFolder, QString());
#else
    QSKIP("needs a file size limit");
#endif
}

void tst_mdlIniIo::saveFailureWhenFolderCannotBeMade()
{
    // The executable's folder takes no files, and the configuration folder
    // would have to be made below a plain file.
    const QString blocker = m_dir->filePath(QStringLiteral("config"));
    QVERIFY(writeFile(blocker, "not a folder"));
    m_location.writable = [](const QString &) { return false; };
    SettingsFile records = initialRecords();
    QVERIFY(!saveIni(targets(), m_location, records));
    QCOMPARE(m_host->messages.size(), 1);
    QVERIFY(m_host->messages[0].text.startsWith(QStringLiteral("エラー Code:76\r\n内容:")));
    QVERIFY(!QFile::exists(besidePath()));
}

void tst_mdlIniIo::saveOntoAFolderFails()
{
    QVERIFY(QDir().mkpath(besidePath()));
    SettingsFile records = initialRecords();
    QVERIFY(!saveIni(targets(), m_location, records));
    QCOMPARE(m_host->messages.size(), 1);
    QVERIFY2(m_host->messages[0].text.startsWith(QStringLiteral("エラー Code:")),
             qPrintable(m_host->messages[0].text));
    QVERIFY(QFileInfo(besidePath()).isDir());
}

void tst_mdlIniIo::lockedFolderSavesToUserConfig()
{
    const QString exeFolder = m_dir->filePath(QStringLiteral("bin"));
    m_location.writable = [exeFolder](const QString &path) { return path != exeFolder; };
    SettingsFile records = initialRecords();
    m_options->Text2[0]->setText(QStringLiteral("運賃"));
    QVERIFY(saveIni(targets(), m_location, records));
    QVERIFY(!QFile::exists(besidePath()));
    const QString user = m_location.inUserConfig();
    QCOMPARE(parse(readFile(user)).folders.fareDataFolder, QStringLiteral("運賃"));

    // The next start reads it from there.
    m_options->Text2[0]->clear();
    SettingsFile next = initialRecords();
    QVERIFY(loadIni(targets(), m_location, next));
    QCOMPARE(m_options->Text2[0]->text(), QStringLiteral("運賃"));
}

void tst_mdlIniIo::offScreenPositionKeepsWindowInSight()
{
    SettingsFile far = parse(fixture("every_field.in4"));
    far.board = {-2147483647 - 1, 2147483647};
    far.controlPanel.left = 15 * 100000;
    QVERIFY(writeFile(besidePath(), SettingsWriter::toBytes(far)));
    SettingsFile records = initialRecords();
    QVERIFY(loadIni(targets(), m_location, records));
    QCOMPARE(m_board->pos(), QPoint(0, 0));
    QCOMPARE(m_panel->pos(), QPoint(400, 400));
    // The rest of the panel state is restored all the same.
    QCOMPARE(m_panel->HScroll1[1]->value(), 2500);
}

LUMINA_TEST_MAIN(tst_mdlIniIo)
#include "tst_mdliniio.moc"
