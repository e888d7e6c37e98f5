#include "FakeClock.h"
#include "FakeHostLib.h"
#include "FakeSoundPlayer.h"
#include "TestMain.h"

#include "options/frmOption.h"
#include "panel/ControlPanel.h"
#include "route/FareTable.h"
#include "settings/IniError.h"
#include "settings/SettingsFile.h"
#include "app/Lumina.h"
#include "shell/frmCtl.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace lumina;
using lumina::test::FakeHostLib;
using lumina::test::FakeSoundPlayer;

namespace {

const QString kSamples = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/");

int darkPixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 96;
    return n;
}

} // namespace

// The ticket preview of the control panel, drawn at each board update.
class tst_TicketPreview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openAndClose();
    void openedBySettings();
    void popupOnRightButtonOnly_data();
    void popupOnRightButtonOnly();
    void drawingCall_data();
    void drawingCall();
    void ticketChangesFromStopToStop();
    void switchedOffLeavesPreviewBlank();
    void copyPutsTheTicketOnTheClipboard();

private:
    void usePlugin(const QString &file);
    QImage shown() const { return m_panel->picSeirikenPrev->grab().toImage(); }

    std::unique_ptr<FakeHostLib> m_host;
    std::unique_ptr<FakeSoundPlayer> m_sound;
    FakeClock m_clock;
    std::unique_ptr<Lumina> m_program;
    frmCtl *m_panel = nullptr;
    frmOption *m_options = nullptr;
    ControlPanel *m_cp = nullptr;
};

void tst_TicketPreview::init()
{
    m_host = std::make_unique<FakeHostLib>();
    m_sound = std::make_unique<FakeSoundPlayer>();
    m_program = std::make_unique<Lumina>();
    m_program->seams().loadIni = [] {};
    m_program->seams().saveIni = [] {};
    m_program->startUp();
    m_panel = m_program->panel();
    m_options = m_program->options();
    m_cp = m_program->controlPanel();

    RouteState route;
    std::vector<FareRecord> records;
    for (int s = 1; s <= 3; ++s) {
        FareRecord r;
        r.StopName = s == 2 ? QStringLiteral("星見台ニュータウン入口北口前") : QStringLiteral("停留所%1").arg(s);
        r.TicketNo = qint16(s + 4);
        records.push_back(r);
    }
    route.FareTable.assign(records);
    route.RouteNo = QStringLiteral("012");
    route.StartSection = 1;
    route.StopCount = 3;
    route.RouteDate = QStringLiteral("11-30-2026");
    routeState() = route;
}

void tst_TicketPreview::cleanup()
{
    m_program.reset();
    m_sound.reset();
    m_host.reset();
    routeState() = RouteState();
}

void tst_TicketPreview::usePlugin(const QString &file)
{
    m_options->chkUseSeiriPrev->setChecked(true);
    m_host->fileAnswers.push_back(kSamples + file);
    m_options->Command1_Click();
    QCOMPARE(m_options->txtSeiriPlgDir->text(), kSamples + file);
}

void tst_TicketPreview::openAndClose()
{
    QCOMPARE(m_panel->outerWidth(), frmCtl::kClosedWidth);
    QCOMPARE(m_panel->Check4->toolTip(), QStringLiteral("整理券プレビューを開きます"));
    QVERIFY(m_panel->picSeirikenPrev->x() > m_panel->width()); // out of sight
    m_panel->Check4->click();
    QCOMPARE(m_panel->outerWidth(), 9000);
    QCOMPARE(m_panel->Check4->text(), QStringLiteral("<<"));
    QCOMPARE(m_panel->Check4->toolTip(), QStringLiteral("整理券プレビューを隠します"));
    QVERIFY(m_panel->picSeirikenPrev->geometry().right() < m_panel->width());
    QVERIFY(m_panel->Combo1->geometry().right() < m_panel->width());
    m_panel->Check4->click();
    QCOMPARE(m_panel->outerWidth(), 5385);
    QCOMPARE(m_panel->Check4->text(), QStringLiteral(">>"));
    QCOMPARE(m_panel->Check4->toolTip(), QStringLiteral("整理券プレビューを開きます"));
}

void tst_TicketPreview::openedBySettings()
{
    ControlPanelState state;
    m_panel->GetCtrlDataInfo(state);
    state.preview = 1;
    QVERIFY(!m_panel->SetCtrlDataInfo(state));
    QCOMPARE(m_panel->outerWidth(), 9000);
    QCOMPARE(m_panel->Check4->text(), QStringLiteral("<<"));
}

void tst_TicketPreview::popupOnRightButtonOnly_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("popup");
    QTest::newRow("left") << Qt::LeftButton << false;
    QTest::newRow("middle") << Qt::MiddleButton << false;
    QTest::newRow("right") << Qt::RightButton << true;
}

void tst_TicketPreview::popupOnRightButtonOnly()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, popup);
    m_panel->Check4->click();
    QTest::mousePress(m_panel->picSeirikenPrev, button, {}, QPoint(10, 10));
    QCOMPARE(m_panel->MnuHide->isVisible(), popup);
    QCOMPARE(m_panel->MnuHide->actions(), QList<QAction *>{m_panel->MnuHideCopy});
    QCOMPARE(m_panel->MnuHideCopy->text(), QStringLiteral("コピー(&C)"));
    m_panel->MnuHide->hide();
}

void tst_TicketPreview::drawingCall_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<int>("dateMode");
    QTest::addColumn<int>("company");
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("corpIndex");
    QTest::newRow("today, no companies")
        << QStringLiteral("plain.4SP") << 0 << -1 << QStringLiteral("12-07-2026") << -1;
    QTest::newRow("route's date") << QStringLiteral("barcode.4SP") << 1 << 2
                                  << QStringLiteral("11-30-2026") << 2;
    QTest::newRow("fixed date") << QStringLiteral("barcode.4SP") << 2 << 0
                                << QStringLiteral("2027/01/02") << 0;
}

void tst_TicketPreview::drawingCall()
{
    QFETCH(QString, plugin);
    QFETCH(int, dateMode);
    QFETCH(int, company);
    QFETCH(QString, date);
    QFETCH(int, corpIndex);
    usePlugin(plugin);
    m_panel->Combo1->setCurrentIndex(company);
    m_options->Option4[size_t(dateMode)]->setChecked(true);
    m_options->Label10->setText(QStringLiteral("2027/01/02"));
    m_cp->DispData(3);
    QCOMPARE(m_host->drawCalls.size(), 1);
    const FakeHostLib::DrawCall &call = m_host->drawCalls[0];
    QCOMPARE(call.path, kSamples + plugin);
    QCOMPARE(call.stopName, QStringLiteral("停留所3"));
    QCOMPARE(call.date, date);
    QCOMPARE(call.time, QStringLiteral("08:05:00"));
    QCOMPARE(call.routeNo, 12);
    QCOMPARE(call.ticketNo, qint16(7));
    QCOMPARE(call.position, qint16(3));
    QCOMPARE(call.corpIndex, corpIndex);
}

void tst_TicketPreview::ticketChangesFromStopToStop()
{
    usePlugin(QStringLiteral("barcode.4SP"));
    m_cp->DispData(1);
    const QImage first = shown();
    m_cp->DispData(2);
    const QImage second = shown();
    QCOMPARE(first.size(), QSize(220, 93));
    // The ticket number sits white on its dark block; the block is drawn at
    // both stops, the number changes.
    const QRect number(6, 20, 76, 49);
    QVERIFY(darkPixels(first.copy(number)) > 2000);
    QVERIFY(first.copy(number) != second.copy(number));
    // The plug-in's name rule hands the stop name back cut to 12 characters.
    QCOMPARE(routeState().FareTable.entry(2).StopName, QStringLiteral("星見台ニュータウン入口北"));
}

void tst_TicketPreview::switchedOffLeavesPreviewBlank()
{
    usePlugin(QStringLiteral("plain.4SP"));
    m_cp->DispData(1);
    QVERIFY(darkPixels(shown()) > 100);
    m_options->chkUseSeiriPrev->setChecked(false);
    m_cp->DispData(2);
    QCOMPARE(m_host->drawCalls.size(), 1);
    QCOMPARE(darkPixels(shown()), 0);
}

void tst_TicketPreview::copyPutsTheTicketOnTheClipboard()
{
    usePlugin(QStringLiteral("plain.4SP"));
    m_cp->DispData(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("older"));
    m_panel->MnuHideCopy->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), m_panel->picSeirikenPrev->image());
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
}

LUMINA_TEST_MAIN(tst_TicketPreview)
#include "tst_ticketpreview.moc"
