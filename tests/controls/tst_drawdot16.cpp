#include "controls/DrawDot16.h"
#include "base/CodePage.h"

#include "TestMain.h"

#include <QImage>
#include <QSet>

using namespace lumina;

namespace {

constexpr QRgb kFore = 0xFFFFC080;
constexpr QRgb kBack = 0xFF404040;

// The lit pixels of a layer a cell was drawn into at (2, 0); the cell's text
// comes back as the drawing left it.
QSet<QPoint> drawCell(QString &cell, int fontMode, QRgb leftOnCanvas = qRgb(0, 0, 0))
{
    QImage canvas(16, 16, QImage::Format_RGB32);
    canvas.fill(leftOnCanvas); // what a previous cell may have left
    QImage layer(36, 32, QImage::Format_RGB32);
    layer.fill(kBack);
    drawDot16(canvas, layer, 2, 0, cell, {fontMode, false, kFore});
    QSet<QPoint> dots;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if (layer.pixel(x, y) != kBack)
                dots.insert(QPoint(x, y));
    return dots;
}

} // namespace

class TestDrawDot16 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void convertsCodesToJis_data();
    void convertsCodesToJis();
    void cells();
    void greyIsNeverLit();
};

void TestDrawDot16::convertsCodesToJis_data()
{
    QTest::addColumn<unsigned>("sjis");
    QTest::addColumn<unsigned>("jis");
    QTest::newRow("ideographic space") << 0x8140u << 0x2121u;
    QTest::newRow("first kanji") << 0x889Fu << 0x3021u;
    QTest::newRow("trail after 7F") << 0x8180u << 0x2160u;
    QTest::newRow("high lead") << 0xE040u << 0x5F21u;
    QTest::newRow("ibm extension") << 0xFA40u << 0u;
    QTest::newRow("single byte") << 0x41u << 0u;
    QTest::newRow("bad trail") << 0x887Fu << 0u;
}

void TestDrawDot16::convertsCodesToJis()
{
    QFETCH(unsigned, sjis);
    QFETCH(unsigned, jis);
    QCOMPARE(jisFromCp932(sjis), jis);
}

void TestDrawDot16::cells()
{
    // An empty cell draws nothing, whatever the canvas held before.
    QString empty;
    QVERIFY(drawCell(empty, 0).isEmpty());
    // The long vowel turns into the upright stroke in the caller's text (how
    // it and the other turned or shifted characters look is in the pictures).
    QString vowel = u"ー"_qs;
    drawCell(vowel, 0);
    QCOMPARE(vowel, u"丨"_qs);
    // Characters the bitmap fonts lack still come out of a fallback font: NEC
    // specials, IBM extensions, an ordinary kanji and half-width kana.
    for (const QString &ch : {u"①"_qs, u"髙"_qs, u"﨑"_qs, u"㈱"_qs, u"駅"_qs, u"ｱ"_qs}) {
        for (int mode : {0, 1}) {
            QString cell = ch;
            QVERIFY2(drawCell(cell, mode, qRgb(255, 255, 255)).size() > 8,
                     qPrintable(ch + QString::number(mode)));
        }
    }
}

void TestDrawDot16::greyIsNeverLit()
{
    QImage canvas(16, 16, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    canvas.setPixel(1, 2, qRgb(0, 0, 0));
    canvas.setPixel(3, 4, qRgb(1, 0, 0));
    canvas.setPixel(5, 6, qRgb(0, 0, 1));
    canvas.setPixel(7, 8, qRgb(128, 128, 128));
    canvas.setPixel(15, 15, qRgb(0, 0, 0));
    canvas.setPixel(0, 0, qRgb(0, 0, 0)); // the layer's top row, both ways
    for (const auto drawing : {CellDrawing::Upright, CellDrawing::Mirrored}) {
        QImage layer(36, 32, QImage::Format_RGB32);
        layer.fill(kBack);
        canvasToDots(canvas, layer, 2, 0, drawing, kFore);
        const QPoint first = drawing == CellDrawing::Upright ? QPoint(4, 4) : QPoint(6, 2);
        int lit = 0;
        for (int y = 0; y < layer.height(); ++y)
            for (int x = 0; x < layer.width(); ++x)
                lit += layer.pixel(x, y) != kBack;
        QCOMPARE(lit, 3);
        QCOMPARE(layer.pixel(2, 0), kFore);
        QCOMPARE(layer.pixel(first), kFore);
        QCOMPARE(layer.pixel(32, 30), kFore);
    }
}

LUMINA_TEST_MAIN(TestDrawDot16)
#include "tst_drawdot16.moc"
