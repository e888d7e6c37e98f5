#include "FakeHostLib.h"
#include "FakeClock.h"
#include "TestMain.h"

#include "options/frmOption.h"
#include "panel/ControlPanel.h"
#include "route/FareFile.h"
#include "route/FareTable.h"
#include "shell/Form1.h"
#include "app/Lumina.h"
#include "shell/frmCtl.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace lumina;

// One step, from the click to the board fully drawn: the 60 cells, the labels
// and the stop-name strip, rendered into an image as a repaint would; at the
// board's scales x1 and x3.
class bench_Step : public QObject
{
    Q_OBJECT

private slots:
    void stepAndRedraw_data();
    void stepAndRedraw();
};

void bench_Step::stepAndRedraw_data()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("x1") << 1;
    QTest::newRow("x3") << 3;
}

void bench_Step::stepAndRedraw()
{
    QFETCH(int, scale);
    test::FakeHostLib host;
    QTemporaryDir dir;
    std::vector<FareRecord> records;
    for (int s = 1; s <= 40; ++s) {
        FareRecord r;
        r.StopName = QStringLiteral("市立病院前東口%1").arg(s);
        r.TicketNo = qint16(s);
        for (int t = 1; t <= 60; ++t)
            r.Values[size_t(t - 1)] = t <= s ? qint16(170 + 10 * (s - t)) : qint16(-1);
        records.push_back(r);
    }
    QFile file(QDir(dir.path()).filePath(QStringLiteral("12.hy3")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(FareFileWriter().write(&file, records));
    file.close();

    FakeClock clock;
    Lumina program;
    program.seams().loadIni = [] {};
    program.seams().saveIni = [] {};
    program.startUp();
    program.options()->Text2[0]->setText(dir.path());
    frmCtl *panel = program.panel();
    panel->Label2[0]->setText(QStringLiteral("12"));
    panel->Label2[2]->setText(QStringLiteral("1"));
    panel->Command1[1]->click();
    QCOMPARE(routeState().StopCount, qint16(40));
    program.board()->setBoardScale(scale);

    int direction = 1;
    QImage frame;
    QBENCHMARK {
        if (routeState().CurStop == 0 || routeState().CurStop == 39)
            direction = 1 - direction;
        panel->Command2[size_t(direction)]->click();
        frame = program.board()->grab().toImage();
    }
    QCOMPARE(frame.width(), 826 * scale);
}

LUMINA_TEST_MAIN(bench_Step)
#include "bench_step.moc"
