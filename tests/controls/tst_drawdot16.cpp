#include "controls/DrawDot16.h"
#include "base/CodePage.h"

#include "FixtureRows.h"
#include "TestMain.h"

#include <QImage>
#include <QSet>

using namespace lumina;

namespace {

constexpr QRgb kFore = 0xFFFFC080;
constexpr QRgb kBack = 0xFF404040;

// The pixels of a layer that differ from the background.
QSet<QPoint> dotsOf(const QImage &layer)
{
    QSet<QPoint> dots;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if (layer.pixel(x, y) != kBack)
                dots.insert(QPoint(x, y));
    return dots;
}

// The lit pixels of a layer a cell was drawn into at (2, 0); the cell's text
// comes back as the drawing left it.
QSet<QPoint> drawCell(QString &cell, int fontMode, QRgb leftOnCanvas = qRgb(0, 0, 0))
{
    QImage canvas(16, 16, QImage::Format_RGB32);
    canvas.fill(leftOnCanvas); // what a previous cell may have left
    QImage layer(36, 32, QImage::Format_RGB32);
    layer.fill(kBack);
    drawDot16(canvas, layer, 2, 0, cell, {fontMode, false, kFore});
    return dotsOf(layer);
}

} // namespace

class TestDrawDot16 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void convertsCodesToJis_data() { test::fixtureTable("controls/jis-codes.txt", 3); }
    void convertsCodesToJis()
    {
        QFETCH(QStringList, row);
        QCOMPARE(jisFromCp932(row[0].toUInt(nullptr, 16)), row[1].toUInt(nullptr, 16));
    }

    void cells()
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

    void greyIsNeverLit()
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
            QCOMPARE(dotsOf(layer).size(), 3);
            QCOMPARE(layer.pixel(2, 0), kFore);
            QCOMPARE(layer.pixel(drawing == CellDrawing::Upright ? QPoint(4, 4) : QPoint(6, 2)), kFore);
            QCOMPARE(layer.pixel(32, 30), kFore);
        }
    }
};

LUMINA_TEST_MAIN(TestDrawDot16)
#include "tst_drawdot16.moc"
