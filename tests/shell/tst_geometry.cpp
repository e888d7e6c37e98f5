#include "TestMain.h"

#include "shell/Geometry.h"

using namespace lumina;

class tst_Geometry : public QObject
{
    Q_OBJECT

private slots:
    void twipsToPixels_data();
    void twipsToPixels();
    void roundRect_data();
    void roundRect();
    void roundRectIsSymmetric();
};

void tst_Geometry::twipsToPixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("board width") << 12390 << 826;
    QTest::newRow("board height") << 5505 << 367;
    QTest::newRow("half rounds up") << 1005 << 67; // 67.0
    QTest::newRow("7 twips") << 7 << 0;
    QTest::newRow("8 twips") << 8 << 1;
    QTest::newRow("negative frame top") << -60 << -4;
    QTest::newRow("negative rounds symmetrically") << -8 << -1;
}

void tst_Geometry::twipsToPixels()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(px(twips), pixels);
}

void tst_Geometry::roundRect_data()
{
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<QSize>("ellipse");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");
    const QRect board(0, 0, 826, 367);
    QTest::newRow("board corner cut") << board << QSize(30, 30) << QPoint(0, 0) << false;
    QTest::newRow("board near corner cut") << board << QSize(30, 30) << QPoint(3, 3) << false;
    QTest::newRow("board inside curve") << board << QSize(30, 30) << QPoint(6, 6) << true;
    QTest::newRow("board top edge mid") << board << QSize(30, 30) << QPoint(400, 0) << true;
    QTest::newRow("board left edge mid") << board << QSize(30, 30) << QPoint(0, 180) << true;
    QTest::newRow("board right bottom cut") << board << QSize(30, 30) << QPoint(825, 366) << false;
    QTest::newRow("board outside") << board << QSize(30, 30) << QPoint(826, 100) << false;
    const QRect key(2, 2, 26, 23);
    QTest::newRow("key origin outside") << key << QSize(2, 2) << QPoint(1, 1) << false;
    QTest::newRow("key first pixel row") << key << QSize(2, 2) << QPoint(10, 2) << true;
    QTest::newRow("key last column") << key << QSize(2, 2) << QPoint(27, 12) << true;
    QTest::newRow("key right edge excluded") << key << QSize(2, 2) << QPoint(28, 12) << false;
}

void tst_Geometry::roundRect()
{
    QFETCH(QRect, bounds);
    QFETCH(QSize, ellipse);
    QFETCH(QPoint, point);
    QFETCH(bool, inside);
    const QRegion r = roundRectRegion(bounds.left(), bounds.top(), bounds.right() + 1,
                                      bounds.bottom() + 1, ellipse.width(), ellipse.height());
    QCOMPARE(r.boundingRect(), bounds);
    QCOMPARE(r.contains(point), inside);
}

void tst_Geometry::roundRectIsSymmetric()
{
    const QRegion r = roundRectRegion(0, 0, 100, 60, 30, 30);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool here = r.contains(QPoint(x, y));
            QCOMPARE(r.contains(QPoint(99 - x, y)), here);
            QCOMPARE(r.contains(QPoint(x, 59 - y)), here);
        }
    }
    QVERIFY(roundRectRegion(0, 0, 0, 10, 4, 4).isEmpty());
}

LUMINA_TEST_MAIN(tst_Geometry)
#include "tst_geometry.moc"
