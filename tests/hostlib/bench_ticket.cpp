// Drawing one ticket into the preview picture, as each board update does with
// the preview switched on. Target: under 1 ms.
//
//   build/bin/bench_ticket

#include "TestMain.h"

#include "hostlib/HostLib.h"
#include "hostlib/TicketPlugin.h"

using namespace lumina;

class bench_Ticket : public QObject
{
    Q_OBJECT

private slots:
    void drawTicket()
    {
        // The barcode plug-in: the slower of the two samples.
        const QString plugin = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/barcode.4SP");
        PlgInfo info;
        QVERIFY(host().Kiro_GetPlgInfo(plugin, info));
        QImage picture(info.PreviewWidth / 15, info.PreviewHeight / 15, QImage::Format_RGB32);
        int ticket = 0;
        QBENCHMARK {
            picture.fill(Qt::white);
            QString stop = QStringLiteral("星見台ニュータウン入口"), date = QStringLiteral("12-07-2026");
            ++ticket;
            host().Kiro_DrawSeiriken(plugin, picture, stop, date, QStringLiteral("08:05:00"), 12,
                                     qint16(ticket % 60 + 1), qint16(ticket % 24 + 1), 1);
        }
    }
};

LUMINA_TEST_MAIN(bench_Ticket)
#include "bench_ticket.moc"
