#include "FixtureRows.h"
#include "TestMain.h"

#include "base/CodePage.h"
#include "base/Colors.h"
#include "controls/DotFont.h"
#include "controls/StopNameStrip.h"
#include "controls/StripCell.h"

#include <QScreen>

using namespace lumina;

namespace {

constexpr QRgb kFore = 0xFFFFC080;
constexpr QRgb kBack = 0xFF404040;

int litCount(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

} // namespace

// The stop-name strip's cells, dots and scrolling; how still names look is in tst_pictures.
class tst_Strip : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void init()
    {
        m_now = 1'000'000;
        m_strip = std::make_unique<StopNameStrip>();
        m_strip->setClock([this] { return m_now; });
        m_strip->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_strip.get()));
    }
    void convertsCodesToJis_data() { test::fixtureTable("controls/jis-codes.txt", 3); }
    void convertsCodesToJis()
    {
        QFETCH(QStringList, row);
        QCOMPARE(jisFromCp932(row[0].toUInt(nullptr, 16)), row[1].toUInt(nullptr, 16));
    }
    void faceFollowsTheFontMode_data() { test::fixtureTable("controls/strip-faces.txt", 4); }
    void faceFollowsTheFontMode()
    {
        QFETCH(QStringList, row);
        const DotFace face = faceFor(row[0].toInt(), row[1].toUInt(nullptr, 16));
        QCOMPARE(face == DotFace::Gothic ? u"Gothic"_qs : u"Mincho"_qs, row[2]);
    }
    void greyIsNeverLit()
    {
        QImage canvas(16, 16, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        canvas.setPixel(1, 2, qRgb(0, 0, 0));
        canvas.setPixel(3, 4, qRgb(1, 0, 0));
        canvas.setPixel(5, 6, qRgb(0, 0, 1));
        canvas.setPixel(7, 8, qRgb(128, 128, 128));
        canvas.setPixel(15, 13, qRgb(0, 0, 0)); // just past the layer's right edge, or its bottom one mirrored
        canvas.setPixel(0, 0, qRgb(0, 0, 0)); // the layer's top row, both ways
        QTest::failOnWarning(QRegularExpression(u".*"_qs));
        for (const auto drawing : {CellDrawing::Upright, CellDrawing::Mirrored}) {
            QImage layer(32, 30, QImage::Format_RGB32);
            layer.fill(kBack);
            canvasToDots(canvas, layer, 2, 0, drawing, kFore);
            QCOMPARE(layer.width() * layer.height() - litCount(layer, kBack), 2); // dots off the background
            QCOMPARE(layer.pixel(2, 0), kFore);
            QCOMPARE(layer.pixel(drawing == CellDrawing::Upright ? QPoint(4, 4) : QPoint(6, 2)), kFore);
        }
    }
    // A bitmap font with no bold cut thickens each stroke one dot to the right; a lead byte
    // without its trail byte, or a code the code page leaves unassigned, prints nothing.
    void boldWithoutBoldCutAndCutCharacter()
    {
        DotFontSource regular = DotFont::installedBitmapSources(DotFace::Gothic).at(0);
        regular.doubleByteBoldFile.clear();
        const DotFont font({regular}, {});
        QImage plain(32, 16, QImage::Format_RGB32), bold(16, 16, QImage::Format_RGB32);
        plain.fill(Qt::white);
        bold.fill(Qt::white);
        font.print(plain, {}, QByteArrayView(cp932::encode(u"前前"_qs)).first(3), DotFace::Gothic, false);
        font.print(bold, {}, cp932::encode(u"前"_qs), DotFace::Gothic, true);
        QVERIFY(litCount(plain, qRgb(0, 0, 0)) > 0 && litCount(plain.copy(16, 0, 16, 16), qRgb(0, 0, 0)) == 0);
        const auto ink = [&](int x, int y) { return x >= 0 && plain.pixel(x, y) == qRgb(0, 0, 0); };
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                QCOMPARE(bold.pixel(x, y) == qRgb(0, 0, 0), ink(x, y) || ink(x - 1, y));
        plain.fill(Qt::white);
        DotFont::standard().print(plain, {}, "\x85\x40\x91\x4f", DotFace::Gothic, false); // unassigned, then 前
        QVERIFY(litCount(plain.copy(0, 0, 16, 16), qRgb(0, 0, 0)) == 0 && litCount(plain, qRgb(0, 0, 0)) > 0);
    }
    void cellTexts_data() { test::fixtureTable("controls/strip-cells.txt", 3); }
    void cellTexts()
    {
        QFETCH(QStringList, row);
        const QByteArray cp932 = row[0].startsWith(u"0x") ? QByteArray::fromHex(row[0].mid(2).toLatin1())
                                                          : cp932::encode(row[0]);
        QCOMPARE(lumina::cellTexts(cp932), row[1].isEmpty() ? QStringList() : row[1].split(u','));
    }
    void fullWidthAfterOddHalfWidthRunShows()
    {
        // Four cells: the last one, at 162, shows the same dots as "前" alone at 80.
        m_strip->setStopName(u"ｼﾞｬｽｺ前"_qs);
        StopNameStrip alone;
        alone.setStopName(u"前"_qs);
        const QImage expected = alone.layer().copy(0, 80, StopNameStrip::kLayerWidth, 30);
        QVERIFY(litCount(expected, alone.layer().pixel(0, 0)) < expected.width() * expected.height());
        QCOMPARE(m_strip->layer().copy(0, 162, StopNameStrip::kLayerWidth, 30), expected);
    }
    void sunkenFrameShowsSixWholeCells()
    {
        const QRgb fore = qRgb(255, 255, 0);
        StopNameStrip strip;
        strip.setAppearance(1);
        strip.setBackColour(rgb(0, 0, 0));
        strip.setTextColour(rgb(255, 255, 0));
        // A line from the top to the bottom dot row, which is row 190 of the layer.
        strip.setStopName(u"│"_qs.repeated(6));
        QVERIFY(litCount(strip.layer().copy(0, 190, StopNameStrip::kLayerWidth, 1), fore) > 0);
        // Every dot of the six cells is on screen, the bottom row of the sixth too.
        QCOMPARE(litCount(strip.grab().toImage(), fore), litCount(strip.layer(), fore));
        // No scale below one dot a pixel; the rounded outline leaves the corners out.
        strip.setDrawScale(0);
        QCOMPARE(strip.size(), QSize(StopNameStrip::kWidth, StopNameStrip::kHeight));
        const QRegion mask = strip.mask();
        QVERIFY(mask.contains(QPoint(20, 100)) && !mask.contains(QPoint(0, 0)) && !mask.contains(QPoint(40, 192)));
    }
    void longNameWaitsBelowThenRisesUntilTheNextName()
    {
        m_strip->setScrollStartWait(1000);
        m_strip->setStopName(u"駅"_qs.repeated(7));
        QCOMPARE(m_strip->layerHeight(), 224);
        advanceMs(999); // below the strip: nothing shows
        QVERIFY(m_strip->isPausing());
        QCOMPARE(m_strip->layerTop(), m_strip->frameHeight());
        advanceMs(1); // the pause ends
        QVERIFY(!m_strip->isPausing());
        QCOMPARE(m_strip->scrollPosition(), double(m_strip->frameHeight()));
        for (int frame = 0; frame < 20; ++frame) // one second of rounds
            advanceMs(50);
        const double perSecond = StopNameStrip::kRoundsPerSecond * 5 / 200.0;
        QCOMPARE(m_strip->scrollPosition(), m_strip->frameHeight() - perSecond);
        QCOMPARE(m_strip->layerTop(), m_strip->frameHeight() - int(perSecond));
        advanceMs(1000); // a stall: a quarter second of rounds, the rest never made up
        advanceMs(0);
        QCOMPARE(m_strip->scrollPosition(), m_strip->frameHeight() - perSecond * 1.25);
        // An empty name blanks the layer, which keeps moving.
        const double before = m_strip->scrollPosition();
        m_strip->setStopName(QString());
        QCOMPARE(lit(), 0);
        advanceMs(100);
        QVERIFY(m_strip->scrollPosition() < before);
        m_strip->setStopName(u"駅前"_qs);
        QVERIFY(!m_strip->isScrolling());
        QCOMPARE(m_strip->layerHeight(), 192);
        advanceMs(500);
        QCOMPARE(m_strip->layerTop(), 0);
        m_strip->setScrollStartWait(-1); // no pause at all
        m_strip->setStopName(u"駅"_qs.repeated(7));
        QVERIFY(m_strip->isScrolling() && !m_strip->isPausing());
    }
    void scrollsOnItsOwnTimers()
    {
        m_strip->setClock([this] { return m_now += 400; }); // time moves on at every look
        m_strip->setSpeed(200);
        const QRgb fore = toQColor(m_strip->textColour()).rgb();
        for (const int wait : {1, 0}) { // after a pause, and at once
            m_strip->setStopName(QString());
            QTRY_COMPARE(litCount(shown(), fore), 0);
            m_strip->setScrollStartWait(wait);
            m_strip->setStopName(u"駅"_qs.repeated(7));
            QTRY_VERIFY(litCount(shown(), fore) > 0);
        }
    }
    void speedZeroBecomesOneWhenScrollStarts()
    {
        m_strip->setSpeed(0);
        m_strip->setScrollStartWait(500);
        m_strip->setStopName(u"駅"_qs.repeated(8));
        QCOMPARE(m_strip->speed(), 0); // still waiting
        advanceMs(600);
        QCOMPARE(m_strip->speed(), 1);
        // Set to 0 during the scroll, it stays 0 and the layer stands still.
        m_strip->setSpeed(0);
        const double pos = m_strip->scrollPosition();
        advanceMs(500);
        QCOMPARE(m_strip->speed(), 0);
        QCOMPARE(m_strip->scrollPosition(), pos);
        m_strip->setSpeed(100000);
        QCOMPARE(m_strip->speed(), 32767); // kept in 16 bits
        m_strip->setSpeed(-100000);
        QCOMPARE(m_strip->speed(), -32768);
    }
    void passLeavesOneStripHeightOfEmptiness()
    {
        m_strip->setScrollStartWait(300);
        m_strip->setSpeed(200); // 1 px a round
        m_strip->setStopName(u"駅"_qs.repeated(7));
        advanceMs(300);
        double lowest = m_strip->scrollPosition();
        int rounds = 0;
        while (!m_strip->isPausing() && rounds < 2000) {
            lowest = std::min(lowest, m_strip->scrollPosition());
            m_now += 500; // one round
            m_strip->advanceScroll();
            ++rounds;
        }
        // The layer went one whole strip height above the top before jumping back.
        QCOMPARE(lowest + m_strip->layerHeight(), double(-m_strip->frameHeight() + 1));
        QCOMPARE(m_strip->layerTop(), m_strip->frameHeight());
        QCOMPARE(rounds, 2 * m_strip->frameHeight() + m_strip->layerHeight());
        m_strip->setSpeed(0); // kept now: only the first pass of a name lifts 0 to 1
        advanceMs(299);
        QVERIFY(m_strip->isPausing());
        advanceMs(2);
        QVERIFY(!m_strip->isPausing());
        QCOMPARE(m_strip->speed(), 0);
        m_strip->setSpeed(200); // the second pass counts its rounds afresh
        advanceMs(1);
        QCOMPARE(m_strip->scrollPosition(), m_strip->frameHeight() - 2.0);
    }
    void coloursApplyFromTheNextName()
    {
        m_strip->setStopName(u"駅"_qs);
        const QImage before = m_strip->layer();
        m_strip->setTextColour(rgb(0, 255, 0));
        QCOMPARE(m_strip->layer(), before);
        m_strip->setStopName(u"駅"_qs);
        QVERIFY(litCount(m_strip->layer(), qRgb(0, 255, 0)) > 20);
        m_strip->setBackColour(rgb(10, 20, 30));
        QCOMPARE(lit(), 0); // a new background blanks the strip
        QTRY_COMPARE(shown().pixel(20, 100), qRgb(10, 20, 30));
        m_strip->setAppearance(0);
        QTRY_COMPARE(shown().pixel(5, 0), qRgb(10, 20, 30)); // no sunken frame's edge
    }
private:
    qint64 m_now = 0; // microseconds, moved by hand
    std::unique_ptr<StopNameStrip> m_strip;
    QImage shown() const { return m_strip->screen()->grabWindow(m_strip->winId()).toImage(); }
    void advanceMs(qint64 ms)
    {
        m_now += ms * 1000;
        m_strip->advanceScroll();
    }
    int lit() const
    {
        const QImage &layer = m_strip->layer();
        return layer.width() * layer.height() - litCount(layer, toQColor(m_strip->backColour()).rgb());
    }
};

LUMINA_TEST_MAIN(tst_Strip)
#include "tst_strip.moc"
