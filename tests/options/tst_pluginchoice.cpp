#include "FakeHostLib.h"
#include "TestMain.h"

#include "hostlib/TicketPlugin.h"
#include "options/frmOption.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

using namespace lumina;
using lumina::test::FakeHostLib;

namespace {

const QString kSamples = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/");

QStringList listLines(const QListWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

} // namespace

// The plug-in settings of the options dialog, with the panel's company list
// and ticket picture beside it.
class tst_PluginChoice : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void propertyLines_data();
    void propertyLines();
    void chooser_data();
    void chooser();
    void forgetKeepsCompaniesAndSize();
    void dateGroupFollowsThePlugin();

private:
    std::unique_ptr<FakeHostLib> m_host;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<frmOption> m_dlg;
    std::unique_ptr<QComboBox> m_companies;
    std::unique_ptr<QWidget> m_picture;
    QString write(const QString &name, const QByteArray &bytes);
};

void tst_PluginChoice::init()
{
    m_host = std::make_unique<FakeHostLib>();
    m_dir = std::make_unique<QTemporaryDir>();
    m_dlg = std::make_unique<frmOption>();
    m_companies = std::make_unique<QComboBox>();
    m_picture = std::make_unique<QWidget>();
    m_picture->resize(220, 93);
    m_dlg->corpList = m_companies.get();
    m_dlg->previewPicture = m_picture.get();
    m_dlg->chkUseSeiriPrev->setChecked(true);
}

void tst_PluginChoice::cleanup()
{
    m_dlg.reset();
    m_host.reset();
}

QString tst_PluginChoice::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

void tst_PluginChoice::propertyLines_data()
{
    QTest::addColumn<QList<qint32>>("record");
    QTest::addColumn<QStringList>("lines");
    const QString yes = QStringLiteral("---> 可能");
    const QString no = QStringLiteral("---> 不可");
    const auto caps = [&](const QString &d, const QString &t, const QString &r, const QString &s,
                          const QString &b) {
        return QStringList{QStringLiteral("日付の印字 ") + d, QStringLiteral("時刻の印字 ") + t,
                           QStringLiteral("系統番号の印字 ") + r, QStringLiteral("停名の印字 ") + s,
                           QStringLiteral("バーコード印字 ") + b};
    };
    QTest::newRow("no barcode: six lines")
        << QList<qint32>{56, 1500, 600, 1, 1, 0, 1, 0, 2, 999, 1, 1, 99, 0}
        << caps(yes, yes, no, yes, no) + QStringList{QStringLiteral("社名切り替え:") + no};
    QTest::newRow("barcode: four more lines")
        << QList<qint32>{56, 1500, 600, 1, 1, 1, 1, 1, 2, 999, 1, 1, 99, 3}
        << caps(yes, yes, yes, yes, yes)
            + QStringList{QStringLiteral("バーコード本数 ---> 2"),
                          QStringLiteral("バーコード系統方式 ---> 連番式"),
                          QStringLiteral("設定可能な系統範囲 ---> 1 ～ 999"),
                          QStringLiteral("停留所認識範囲 ---> 1 ～ 99"),
                          QStringLiteral("社名切り替え:") + yes};
    QTest::newRow("capability 2 is no")
        << QList<qint32>{0, 1500, 600, 2, 2, 2, 2, 2, 2, 999, 1, 1, 99, 1}
        << caps(no, no, no, no, no) + QStringList{QStringLiteral("社名切り替え:") + yes};
    QTest::newRow("route and round-trip flag")
        << QList<qint32>{0, 1500, 600, 0, 0, 0, 0, 1, 1, 50, 0, 5, 7, -1}
        << caps(no, no, no, no, yes)
            + QStringList{QStringLiteral("バーコード本数 ---> 1"),
                          QStringLiteral("バーコード系統方式 ---> 系統番号＋往復フラグ"),
                          QStringLiteral("設定可能な系統範囲 ---> 1 ～ 50"),
                          QStringLiteral("停留所認識範囲 ---> 5 ～ 7"),
                          QStringLiteral("社名切り替え:") + no};
}

void tst_PluginChoice::propertyLines()
{
    QFETCH(QList<qint32>, record);
    QFETCH(QStringList, lines);
    PlgInfo info;
    std::copy(record.begin(), record.end(), reinterpret_cast<qint32 *>(&info));
    QCOMPARE(plgInfoLines(info), lines);
}

void tst_PluginChoice::chooser_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("message");
    QTest::newRow("cancelled") << QString() << false << false;
    QTest::newRow("refused") << QStringLiteral("broken") << false << true;
    QTest::newRow("missing") << QStringLiteral("/no/such/bus.4SP") << false << true;
    QTest::newRow("accepted") << QStringLiteral("barcode") << true << false;
}

void tst_PluginChoice::chooser()
{
    QFETCH(QString, answer);
    QFETCH(bool, accepted);
    QFETCH(bool, message);
    QString path = answer;
    if (answer == QLatin1StringView("broken"))
        path = write(QStringLiteral("broken.4SP"), "{\"lumina-ticket-plugin\": 1, \"preview\":");
    else if (answer == QLatin1StringView("barcode"))
        path = kSamples + QStringLiteral("barcode.4SP");
    // A plug-in chosen before.
    QVERIFY(m_dlg->SetPlgin(kSamples + QStringLiteral("plain.4SP")));
    m_dlg->txtSeiriPlgDir->setText(QStringLiteral("/before/plain.4SP"));
    m_companies->addItem(QStringLiteral("前の社名"));
    const QStringList lines = listLines(m_dlg->List1);
    const QString remarks = m_dlg->txtPlginComment->toPlainText();

    m_host->fileAnswers.push_back(path);
    m_dlg->show();
    m_dlg->Command1->click();
    QCOMPARE(m_host->fileTitles, QStringList{QStringLiteral("プラグインの選択")});
    QCOMPARE(m_host->fileFilters.value(0),
             QStringLiteral("整理券プラグイン(*.4SP)") + QChar(0) + QStringLiteral("*.4SP")
                 + QChar(0) + QChar(0));
    QCOMPARE(m_host->messages.size(), message ? 1 : 0);
    if (message) {
        QCOMPARE(m_host->messages[0].text, QStringLiteral("指定したファイルはプラグインでないか、内容が不正です"));
        QCOMPARE(m_host->messages[0].title, QStringLiteral("プラグインロードエラー"));
        QCOMPARE(m_host->messages[0].icon, MsgIcon::Critical);
    }
    if (accepted) {
        QCOMPARE(m_dlg->txtSeiriPlgDir->text(), path);
        QCOMPARE(m_dlg->List1->count(), 10);
        QVERIFY(m_dlg->txtPlginComment->toPlainText().startsWith(QStringLiteral("バーコード付き整理券")));
        QCOMPARE(m_picture->size(), QSize(220, 93));
        QCOMPARE(m_companies->count(), 3);
        QCOMPARE(m_companies->itemText(0), QStringLiteral("みなと交通"));
    } else {
        QCOMPARE(m_dlg->txtSeiriPlgDir->text(), QStringLiteral("/before/plain.4SP"));
        QCOMPARE(listLines(m_dlg->List1), lines);
        QCOMPARE(m_dlg->txtPlginComment->toPlainText(), remarks);
        QCOMPARE(m_companies->count(), 1);
        QCOMPARE(m_picture->size(), QSize(180, 93));
    }
}

void tst_PluginChoice::forgetKeepsCompaniesAndSize()
{
    m_host->fileAnswers.push_back(kSamples + QStringLiteral("barcode.4SP"));
    m_dlg->Command1_Click();
    m_dlg->Command11->click();
    QVERIFY(m_dlg->txtSeiriPlgDir->text().isEmpty());
    QCOMPARE(m_dlg->List1->count(), 0);
    QVERIFY(m_dlg->txtPlginComment->toPlainText().isEmpty());
    QCOMPARE(m_companies->count(), 3);
    QCOMPARE(m_picture->size(), QSize(220, 93));
}

void tst_PluginChoice::dateGroupFollowsThePlugin()
{
    const QString noDate = write(QStringLiteral("nodate.4SP"), R"({"lumina-ticket-plugin": 1,
        "preview": {"width": 900, "height": 600}, "prints": {"date": 2}, "elements": []})");
    m_dlg->show();
    m_dlg->showPage(5);
    QVERIFY(!m_dlg->Frame7->isEnabled()); // no plug-in yet
    QVERIFY(m_dlg->Frame7->isVisible());
    m_dlg->SetPlgin(kSamples + QStringLiteral("plain.4SP"));
    QVERIFY(m_dlg->Frame7->isEnabled());
    m_dlg->SetPlgin(noDate);
    QVERIFY(!m_dlg->Frame7->isEnabled());
    m_dlg->SetPlgin(kSamples + QStringLiteral("barcode.4SP"));
    m_dlg->chkUseSeiriPrev->setChecked(false);
    QVERIFY(!m_dlg->Frame7->isVisible());
    QVERIFY(!m_dlg->Frame7->isEnabled());
    m_dlg->chkUseSeiriPrev->setChecked(true);
    QVERIFY(m_dlg->Frame7->isEnabled());
    m_dlg->forgetPlugin();
    QVERIFY(!m_dlg->Frame7->isEnabled());
}

LUMINA_TEST_MAIN(tst_PluginChoice)
#include "tst_pluginchoice.moc"
