// Drawing one ticket into the preview picture, as each board update does with
// the preview switched on. Target: under 1 ms.
//
//   build/bin/bench_ticket

#include "TestMain.h"

#include "hostlib/HostLib.h"
#include "hostlib/TicketPlugin.h"

#include <QImage>

using namespace lumina;

class bench_Ticket : public QObject
{
    Q_OBJECT

private slots:
    void drawTicket_data()
    {
        QTest::addColumn<QString>("plugin");
        QTest::newRow("plain") << QStringLiteral("plain.4SP");
        QTest::newRow("barcode") << QStringLiteral("barcode.4SP");
    }

    void drawTicket()
    {
        QFETCH(QString, plugin);
        const QString path = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/") + plugin;
        PlgInfo info;
        QVERIFY(host().Kiro_GetPlgInfo(path, info));
        QImage picture(info.PreviewWidth / 15, info.PreviewHeight / 15, QImage::Format_RGB32);
        int ticket = 0;
        QBENCHMARK {
            picture.fill(Qt::white);
            QString stop = QStringLiteral("星見台ニュータウン入口");
            QString date = QStringLiteral("12-07-2026");
            ++ticket;
            host().Kiro_DrawSeiriken(path, picture, stop, date, QStringLiteral("08:05:00"), 12,
                                     qint16(ticket % 60 + 1), qint16(ticket % 24 + 1), 1);
        }
    }
};

LUMINA_TEST_MAIN(bench_Ticket)
#include "bench_ticket.moc"
