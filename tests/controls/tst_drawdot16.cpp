#include "controls/DrawDot16.h"
#include "base/CodePage.h"

#include "TestMain.h"

#include <QImage>
#include <QSet>
#include <QtTest>

using namespace lumina;

namespace {

constexpr QRgb kFore = 0xFFFFC080;
constexpr QRgb kBack = 0xFF404040;

QImage blankLayer()
{
    QImage layer(36, 32, QImage::Format_RGB32);
    layer.fill(kBack);
    return layer;
}

// Lit pixels of a layer.
QSet<QPoint> litDots(const QImage &layer)
{
    QSet<QPoint> dots;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if (layer.pixel(x, y) != kBack)
                dots.insert(QPoint(x, y));
    return dots;
}

QSet<QPoint> drawCell(const QString &text, int fontMode, bool bold = false,
                      const DotFont &font = DotFont::standard())
{
    QImage canvas(16, 16, QImage::Format_RGB32);
    QImage layer = blankLayer();
    QString cell = text;
    drawDot16(canvas, layer, 2, 0, cell, {fontMode, bold, kFore}, font);
    return litDots(layer);
}

// The black pixels of the text printed upright at (0, 0) in one face.
QSet<QPoint> printed(const QString &text, DotFace face, QPoint at = {})
{
    QImage canvas(16, 16, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    DotFont::standard().print(canvas, at, cp932::encode(text), face, false);
    QSet<QPoint> black;
    for (int b = 0; b < 16; ++b)
        for (int a = 0; a < 16; ++a)
            if (canvas.pixel(a, b) == qRgb(0, 0, 0))
                black.insert(QPoint(a, b));
    return black;
}

QSet<QPoint> asDots(const QSet<QPoint> &pixels, bool mirrored)
{
    QSet<QPoint> dots;
    for (const QPoint &p : pixels)
        dots.insert(mirrored ? QPoint(2 + 2 * p.y(), 2 * p.x()) : QPoint(2 + 2 * p.x(), 2 * p.y()));
    return dots;
}

} // namespace

class TestDrawDot16 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void classifies_data();
    void classifies();
    void convertsCodesToJis_data();
    void convertsCodesToJis();
    void emptyCellDrawsNothing();
    void longVowelBecomesStrokeInCallersText();
    void greyIsNeverLit();
    void everyCodePageCharacterIsDrawable();
};

void TestDrawDot16::classifies_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("fontMode");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("stroke");
    QTest::newRow("long vowel") << u"ー"_qs << 0 << false << QPoint() << true;
    QTest::newRow("shin mode 0") << u"申"_qs << 0 << false << QPoint(1, 0) << false;
    QTest::newRow("shin mode 1") << u"申"_qs << 1 << false << QPoint() << false;
    QTest::newRow("yama mode 3") << u"山"_qs << 3 << false << QPoint() << false;
    QTest::newRow("paren") << u"（"_qs << 0 << true << QPoint() << false;
    QTest::newRow("wave") << u"～"_qs << 0 << true << QPoint() << false;
    QTest::newRow("double arrow") << u"⇔"_qs << 1 << true << QPoint() << false;
    QTest::newRow("maru") << u"。"_qs << 0 << false << QPoint(10, -10) << false;
    QTest::newRow("plain kanji") << u"駅"_qs << 0 << false << QPoint() << false;
    QTest::newRow("whole cell only") << u"(("_qs << 0 << false << QPoint() << false;
    QTest::newRow("half-width paren") << u"("_qs << 0 << false << QPoint() << false;
}

void TestDrawDot16::classifies()
{
    QFETCH(QString, cell);
    QFETCH(int, fontMode);
    QFETCH(bool, mirrored);
    QFETCH(QPoint, offset);
    QFETCH(bool, stroke);
    const CellClass c = classifyCell(cell, fontMode);
    QCOMPARE(c.drawing == CellDrawing::Mirrored, mirrored);
    QCOMPARE(c.offset, offset);
    QCOMPARE(c.becomesStroke, stroke);
}

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

void TestDrawDot16::emptyCellDrawsNothing()
{
    QImage canvas(16, 16, QImage::Format_RGB32);
    canvas.fill(Qt::black); // what a previous cell may have left
    QImage layer = blankLayer();
    QString cell;
    drawDot16(canvas, layer, 2, 0, cell, {0, false, kFore});
    QVERIFY(litDots(layer).isEmpty());
    QCOMPARE(canvas.pixel(5, 5), qRgb(255, 255, 255)); // the canvas was still cleared
}

void TestDrawDot16::longVowelBecomesStrokeInCallersText()
{
    QImage canvas(16, 16, QImage::Format_RGB32);
    QImage layer = blankLayer();
    QString cell = u"ー"_qs;
    drawDot16(canvas, layer, 2, 0, cell, {0, false, kFore});
    QCOMPARE(cell, u"丨"_qs);
    QCOMPARE(litDots(layer), asDots(printed(u"丨"_qs, DotFace::Gothic), false));
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
    QImage layer = blankLayer();
    canvasToDots(canvas, layer, 2, 0, CellDrawing::Upright, kFore);
    QCOMPARE(litDots(layer), (QSet<QPoint>{QPoint(4, 4), QPoint(32, 30)}));
    QCOMPARE(layer.pixel(4, 4), kFore);

    QImage mirrored = blankLayer();
    canvasToDots(canvas, mirrored, 2, 0, CellDrawing::Mirrored, kFore);
    QCOMPARE(litDots(mirrored), (QSet<QPoint>{QPoint(6, 2), QPoint(32, 30)}));
}

void TestDrawDot16::everyCodePageCharacterIsDrawable()
{
    // Characters the bitmap fonts lack still come out of a fallback font:
    // NEC specials, IBM extensions and an ordinary kanji.
    for (const QString &ch : {u"①"_qs, u"髙"_qs, u"﨑"_qs, u"㈱"_qs, u"駅"_qs, u"ｱ"_qs}) {
        for (int mode : {0, 1}) {
            QVERIFY2(drawCell(ch, mode).size() > 8, qPrintable(ch + QString::number(mode)));
        }
    }
}

LUMINA_TEST_MAIN(TestDrawDot16)
#include "tst_drawdot16.moc"
