#include "TestMain.h"

#include "hostlib/HostLib.h"
#include "shell/Colors.h"

#include <QPushButton>

using namespace lumina;

class tst_HostLib : public QObject
{
    Q_OBJECT

private slots:
    void fileFilter_data();
    void fileFilter();
    void colours_data();
    void colours();
};

void tst_HostLib::fileFilter_data()
{
    QTest::addColumn<QString>("nulList");
    QTest::addColumn<QString>("filter");
    const QChar nul(0);
    QTest::newRow("one pair")
        << (QStringLiteral("運賃データ") + nul + QStringLiteral("*.hy3") + nul + nul)
        << QStringLiteral("運賃データ (*.hy3)");
    QTest::newRow("pattern list with semicolons")
        << (QStringLiteral("サウンド") + nul + QStringLiteral("*.wav;*.mp3;*.mid") + nul + nul)
        << QStringLiteral("サウンド (*.wav *.mp3 *.mid)");
    QTest::newRow("two pairs")
        << (QStringLiteral("BMP") + nul + QStringLiteral("*.bmp") + nul + QStringLiteral("All")
            + nul + QStringLiteral("*.*") + nul + nul)
        << QStringLiteral("BMP (*.bmp);;All (*.*)");
    QTest::newRow("description already shows the pattern")
        << (QStringLiteral("画像 (*.gif)") + nul + QStringLiteral("*.gif") + nul + nul)
        << QStringLiteral("画像 (*.gif)");
    QTest::newRow("missing final NUL") << (QStringLiteral("X") + nul + QStringLiteral("*.x"))
                                       << QStringLiteral("X (*.x)");
    QTest::newRow("empty") << QString() << QString();
}

void tst_HostLib::fileFilter()
{
    QFETCH(QString, nulList);
    QFETCH(QString, filter);
    QCOMPARE(fileDialogFilter(nulList), filter);
}

void tst_HostLib::colours_data()
{
    QTest::addColumn<uint>("ole");
    QTest::addColumn<QColor>("color");
    QTest::newRow("red in low byte") << uint(0x0000FF) << QColor(255, 0, 0);
    QTest::newRow("blue in high byte") << uint(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("default unlit") << uint(9868950) << QColor(150, 150, 150);
    QTest::newRow("default lit") << uint(7525112) << QColor(248, 210, 114);
}

void tst_HostLib::colours()
{
    QFETCH(uint, ole);
    QFETCH(QColor, color);
    QCOMPARE(toQColor(ole), color);
    QCOMPARE(fromQColor(color), OleColor(ole));
    QPushButton button;
    setBackColor(&button, ole);
    QCOMPARE(backColor(&button), OleColor(ole));
}

LUMINA_TEST_MAIN(tst_HostLib)
#include "tst_hostlib.moc"
