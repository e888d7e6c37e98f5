#include "controls/ChimeiCtl_P.h"
#include "base/CodePage.h"
#include "base/Colors.h"

#include "TestMain.h"

#include <QSignalSpy>
#include <QtTest>

using namespace lumina;

namespace {

// A clock the test moves by hand.
struct ManualClock {
    qint64 now = 1'000'000;
    ChimeiCtl_P::Clock clock()
    {
        return [this] { return now; };
    }
    void advanceMs(qint64 ms) { now += ms * 1000; }
};

QColor colour(OleColor c)
{
    return toQColor(c);
}

// Rows of the layer that hold at least one lit dot.
QList<int> litRows(const ChimeiCtl_P &strip)
{
    const QImage &layer = strip.layer();
    const QRgb back = colour(strip.BackColor()).rgb();
    QList<int> rows;
    for (int y = 0; y < layer.height(); ++y) {
        for (int x = 0; x < layer.width(); ++x) {
            if (layer.pixel(x, y) != back) {
                rows << y;
                break;
            }
        }
    }
    return rows;
}

int litCount(const ChimeiCtl_P &strip)
{
    const QImage &layer = strip.layer();
    const QRgb back = colour(strip.BackColor()).rgb();
    int n = 0;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            n += layer.pixel(x, y) != back;
    return n;
}

// Number of distinct groups of lit rows separated by a gap of at least `gap` rows,
// with the first row of each.
QList<int> groupStarts(const QList<int> &rows, int gap = 4)
{
    QList<int> starts;
    int last = -1000;
    for (int r : rows) {
        if (r - last > gap)
            starts << r;
        last = r;
    }
    return starts;
}

QString repeated(const QString &ch, int n)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += ch;
    return s;
}

} // namespace

class TestChimeiCtl : public QObject
{
    Q_OBJECT

private slots:
    void startsWithDesignedLook();
    void layoutPlacesCells_data();
    void layoutPlacesCells();
    void fourHalfWidthCharactersMakeTwoCells();
    void oddHalfWidthCharacterKeepsItsCell();
    void straddlingCharacterIsBlankedNotGarbled();
    void dotsStartTwoPixelsFromLayerEdge();
    void longNameWaitsBelowThenRises();
    void speedTenMovesTwiceAsFarAsFive();
    void speedZeroBecomesOneWhenScrollStarts();
    void zeroWaitGivesNoPauseBetweenPasses();
    void passLeavesOneStripHeightOfEmptiness();
    void emptyNameBlanksButScrollGoesOn();
    void shortNameStopsScrollAtTop();
    void laterLongNameReplacesScroll();
    void scrollRunsOnRealTimer();
    void foreColorLeavesDrawnDots();
    void backColorBlanksStrip();
    void writersNotifyContainer();
    void propertiesRoundTrip();
    void missingPropertiesTakeDefaults();
    void initPropertiesGivesNewControlValues();
    void appearanceKeepsWholeStripVisible();
    void roundedRegion();
    void grabShowsDots();
};

void TestChimeiCtl::startsWithDesignedLook()
{
    ChimeiCtl_P strip;
    QCOMPARE(strip.size(), QSize(41, 194));
    QCOMPARE(strip.BackColor(), OleColor(4210752));
    QCOMPARE(strip.ForeColor(), OleColor(8438015));
    QCOMPARE(strip.Speed(), 5);
    QCOMPARE(strip.ScrollStartWait(), 1500);
    QCOMPARE(strip.Mode(), 2);
    QCOMPARE(strip.Appearance(), 1);
    QCOMPARE(strip.FontMode(), 0);
    QCOMPARE(strip.FontBold(), false);
    QCOMPARE(strip.layerHeight(), 192);
    QCOMPARE(litCount(strip), 0);
}

void TestChimeiCtl::layoutPlacesCells_data()
{
    QTest::addColumn<int>("cells");
    QTest::addColumn<QList<int>>("tops");
    QTest::addColumn<int>("layerHeight");
    QTest::newRow("1") << 1 << QList<int>{80} << 192;
    QTest::newRow("2") << 2 << QList<int>{40, 120} << 192;
    QTest::newRow("3") << 3 << QList<int>{24, 80, 136} << 192;
    QTest::newRow("4") << 4 << QList<int>{0, 54, 108, 162} << 192;
    QTest::newRow("5") << 5 << QList<int>{0, 40, 80, 120, 160} << 192;
    QTest::newRow("6") << 6 << QList<int>{0, 32, 64, 96, 128, 160} << 192;
    QTest::newRow("7") << 7 << QList<int>{0, 32, 64, 96, 128, 160, 192} << 224;
}

void TestChimeiCtl::layoutPlacesCells()
{
    QFETCH(int, cells);
    QFETCH(QList<int>, tops);
    QFETCH(int, layerHeight);

    // Where the block's dots start inside a cell of its own.
    ChimeiCtl_P probe;
    QImage single(36, 32, QImage::Format_RGB32);
    single.fill(Qt::black);
    QImage canvas;
    QString block = u"■"_qs;
    drawDot16(canvas, single, 2, 0, block, {});
    int inset = -1;
    for (int y = 0; y < 32 && inset < 0; ++y)
        for (int x = 0; x < 36; ++x)
            if (single.pixel(x, y) != qRgb(0, 0, 0)) {
                inset = y;
                break;
            }
    QVERIFY(inset >= 0);

    ManualClock clock;
    ChimeiCtl_P strip;
    strip.setClock(clock.clock());
    strip.SetChimei(repeated(u"■"_qs, cells));
    QCOMPARE(strip.layerHeight(), layerHeight);
    QList<int> expected;
    for (int t : tops)
        expected << t + inset;
    QCOMPARE(groupStarts(litRows(strip), 3), expected);
    if (cells <= 6) {
        QCOMPARE(strip.layerTop(), 0);
        QVERIFY(!strip.isScrolling());
    } else {
        QCOMPARE(strip.layerTop(), strip.frameHeight());
        QVERIFY(strip.isScrolling());
    }
}

void TestChimeiCtl::fourHalfWidthCharactersMakeTwoCells()
{
    ChimeiCtl_P strip;
    strip.SetChimei(u"ABCD"_qs);
    const QList<int> rows = litRows(strip);
    QVERIFY(!rows.isEmpty());
    for (int r : rows)
        QVERIFY2((r >= 40 && r < 72) || (r >= 120 && r < 152), qPrintable(QString::number(r)));
    QCOMPARE(groupStarts(rows, 8).size(), 2);
}

void TestChimeiCtl::oddHalfWidthCharacterKeepsItsCell()
{
    QCOMPARE(cellTexts("ABC"), (QStringList{u"AB"_qs, u"C"_qs}));
    ChimeiCtl_P strip;
    strip.SetChimei(u"ABC"_qs);
    const QList<int> rows = litRows(strip);
    QCOMPARE(groupStarts(rows, 8).size(), 2); // the C is not printed over the AB
    QVERIFY(rows.last() >= 120);
}

void TestChimeiCtl::straddlingCharacterIsBlankedNotGarbled()
{
    // "A駅B": the kanji's two bytes would fall into two cells; the A stands alone.
    const QByteArray bytes = cp932::encode(u"A駅B"_qs);
    QCOMPARE(bytes.size(), 4);
    QCOMPARE(cellTexts(bytes), (QStringList{u"A"_qs, u"駅"_qs, u"B"_qs}));
    QCOMPARE(cellTexts(cp932::encode(u"駅前"_qs)), (QStringList{u"駅"_qs, u"前"_qs}));
    QCOMPARE(cellTexts(QByteArray("\x89", 1)), QStringList{u" "_qs}); // lone lead byte
    QVERIFY(cellTexts(QByteArray()).isEmpty());
}

void TestChimeiCtl::dotsStartTwoPixelsFromLayerEdge()
{
    ChimeiCtl_P strip;
    strip.SetChimei(repeated(u"■"_qs, 6));
    const QImage &layer = strip.layer();
    const QRgb back = colour(strip.BackColor()).rgb();
    int left = 1000, right = -1;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if (layer.pixel(x, y) != back) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    QVERIFY(left >= 2);
    QVERIFY(right <= 2 + 30);
    QCOMPARE(left % 2, 0); // dots lie on every other pixel
}

void TestChimeiCtl::longNameWaitsBelowThenRises()
{
    ManualClock clock;
    ChimeiCtl_P strip;
    strip.setClock(clock.clock());
    strip.setScrollStartWait(1000);
    strip.SetChimei(repeated(u"駅"_qs, 7));
    QCOMPARE(strip.layerHeight(), 224);
    QVERIFY(strip.isPausing());
    QCOMPARE(strip.layerTop(), strip.frameHeight()); // below the strip: nothing shows

    clock.advanceMs(999);
    strip.advanceScroll();
    QVERIFY(strip.isPausing());
    QCOMPARE(strip.layerTop(), strip.frameHeight());

    clock.advanceMs(1); // the pause ends
    strip.advanceScroll();
    QVERIFY(!strip.isPausing());
    QCOMPARE(strip.scrollPosition(), double(strip.frameHeight()));
    for (int frame = 0; frame < 20; ++frame) { // one second of rounds
        clock.advanceMs(50);
        strip.advanceScroll();
    }
    QVERIFY(!strip.isPausing());
    const double perSecond = ChimeiCtl_P::kRoundsPerSecond * 5 / 200.0;
    QCOMPARE(strip.scrollPosition(), strip.frameHeight() - perSecond);
    QCOMPARE(strip.layerTop(), strip.frameHeight() - int(perSecond));
}

void TestChimeiCtl::speedTenMovesTwiceAsFarAsFive()
{
    double travelled[2] = {};
    const int speeds[2] = {5, 10};
    for (int i = 0; i < 2; ++i) {
        ManualClock clock;
        ChimeiCtl_P strip;
        strip.setClock(clock.clock());
        strip.setScrollStartWait(0);
        strip.setSpeed(speeds[i]);
        strip.SetChimei(repeated(u"駅"_qs, 10));
        for (int frame = 0; frame < 30; ++frame) { // half a second at 60 frames
            clock.advanceMs(17);
            strip.advanceScroll();
        }
        travelled[i] = strip.frameHeight() - strip.scrollPosition();
    }
    QVERIFY(travelled[0] > 10);
    QCOMPARE(travelled[1], 2 * travelled[0]);
}

void TestChimeiCtl::speedZeroBecomesOneWhenScrollStarts()
{
    ManualClock clock;
    ChimeiCtl_P strip;
    strip.setClock(clock.clock());
    strip.setSpeed(0);
    strip.setScrollStartWait(500);
    QSignalSpy spy(&strip, &ChimeiCtl_P::propertyChanged);
    strip.SetChimei(repeated(u"駅"_qs, 8));
    QCOMPARE(strip.Speed(), 0); // still waiting
    clock.advanceMs(600);
    strip.advanceScroll();
    QCOMPARE(strip.Speed(), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), u"Speed"_qs);
    QVERIFY(strip.scrollPosition() < strip.frameHeight());

    // Set to 0 during the scroll, it stays 0 and the layer stands still.
    strip.setSpeed(0);
    const double pos = strip.scrollPosition();
    clock.advanceMs(500);
    strip.advanceScroll();
    QCOMPARE(strip.Speed(), 0);
    QCOMPARE(strip.scrollPosition(), pos);
}

void TestChimeiCtl::zeroWaitGivesNoPauseBetweenPasses()
{
    ManualClock clock;
    ChimeiCtl_P strip;
    strip.setClock(clock.clock());
    strip.setScrollStartWait(0);
    strip.setSpeed(2000); // 10 px a round
    strip.SetChimei(repeated(u"駅"_qs, 7));
    QVERIFY(strip.isScrolling());
    QVERIFY(!strip.isPausing());
    // One pass: from 194 down until top + 224 <= -194, i.e. 612 px, 62 rounds.
    bool wrapped = false;
    double last = strip.scrollPosition();
    for (int i = 0; i < 200; ++i) {
        clock.now += 500; // one round
        strip.advanceScroll();
        QVERIFY(!strip.isPausing());
        if (strip.scrollPosition() > last)
            wrapped = true;
        last = strip.scrollPosition();
    }
    QVERIFY(wrapped);
}

void TestChimeiCtl::passLeavesOneStripHeightOfEmptiness()
{
    ManualClock clock;
    ChimeiCtl_P strip;
    strip.setClock(clock.clock());
    strip.setScrollStartWait(300);
    strip.setSpeed(200); // 1 px a round
    strip.SetChimei(repeated(u"駅"_qs, 7));
    clock.advanceMs(300);
    strip.advanceScroll();
    // Step round by round until the pause before the next pass.
    double lowest = strip.scrollPosition();
    int rounds = 0;
    while (!strip.isPausing() && rounds < 2000) {
        clock.now += 500;
        strip.advanceScroll();
        if (!strip.isPausing())
            lowest = std::min(lowest, strip.scrollPosition());
        ++rounds;
    }
    QVERIFY(strip.isPausing());
    // The layer went one whole strip height above the top before jumping back.
    QCOMPARE(lowest + strip.layerHeight(), double(-strip.frameHeight() + 1));
    QCOMPARE(strip.layerTop(), strip.frameHeight());
    QCOMPARE(rounds, strip.frameHeight() + strip.layerHeight() + strip.frameHeight());
    // The pause holds nothing: it passes on the clock.
    clock.advanceMs(299);
    strip.advanceScroll();
    QVERIFY(strip.isPausing());
    clock.advanceMs(2);
    strip.advanceScroll();
    QVERIFY(!strip.isPausing());
    QVERIFY(strip.scrollPosition() < strip.frameHeight());
}

void TestChimeiCtl::emptyNameBlanksButScrollGoesOn()
{
    ManualClock clock;
    ChimeiCtl_P strip;
    strip.setClock(clock.clock());
    strip.setScrollStartWait(0);
    strip.SetChimei(repeated(u"駅"_qs, 9));
    clock.advanceMs(100);
    strip.advanceScroll();
    const double before = strip.scrollPosition();

    strip.SetChimei(QString());
    QCOMPARE(litCount(strip), 0);
    QVERIFY(strip.isScrolling());
    clock.advanceMs(100);
    strip.advanceScroll();
    QVERIFY(strip.scrollPosition() < before); // the blank layer keeps moving
    QCOMPARE(litCount(strip), 0);
}

void TestChimeiCtl::shortNameStopsScrollAtTop()
{
    ManualClock clock;
    ChimeiCtl_P strip;
    strip.setClock(clock.clock());
    strip.setScrollStartWait(0);
    strip.SetChimei(repeated(u"駅"_qs, 9));
    clock.advanceMs(500);
    strip.advanceScroll();
    QVERIFY(strip.layerTop() < strip.frameHeight());

    strip.SetChimei(u"駅前"_qs);
    QVERIFY(!strip.isScrolling());
    QCOMPARE(strip.layerTop(), 0);
    QCOMPARE(strip.layerHeight(), 192);
    clock.advanceMs(500);
    strip.advanceScroll();
    QCOMPARE(strip.layerTop(), 0);
}

void TestChimeiCtl::laterLongNameReplacesScroll()
{
    ManualClock clock;
    ChimeiCtl_P strip;
    strip.setClock(clock.clock());
    strip.setScrollStartWait(200);
    strip.SetChimei(repeated(u"駅"_qs, 9));
    clock.advanceMs(1200);
    strip.advanceScroll();
    QVERIFY(strip.layerTop() < strip.frameHeight());

    strip.SetChimei(repeated(u"前"_qs, 12));
    QCOMPARE(strip.layerHeight(), 12 * 32);
    QVERIFY(strip.isPausing()); // the new name starts its own pass
    QCOMPARE(strip.layerTop(), strip.frameHeight());
}

void TestChimeiCtl::scrollRunsOnRealTimer()
{
    ChimeiCtl_P strip;
    strip.setScrollStartWait(0);
    strip.setSpeed(400); // 4000 px a second: moves within a frame or two
    QElapsedTimer timer;
    timer.start();
    strip.SetChimei(repeated(u"駅"_qs, 10));
    QVERIFY(timer.elapsed() < 200); // returns at once
    QTRY_VERIFY(strip.layerTop() < strip.frameHeight() - 20);
    strip.SetChimei(u"駅"_qs);
    QVERIFY(!strip.isScrolling());
}

void TestChimeiCtl::foreColorLeavesDrawnDots()
{
    ChimeiCtl_P strip;
    strip.SetChimei(u"駅"_qs);
    const QImage before = strip.layer();
    strip.setForeColor(rgb(0, 255, 0));
    QCOMPARE(strip.layer(), before);
    strip.SetChimei(u"駅"_qs);
    QVERIFY(strip.layer() != before);
    bool green = false;
    for (int y = 80; y < 112 && !green; ++y)
        for (int x = 0; x < 36; ++x)
            green = green || strip.layer().pixel(x, y) == qRgb(0, 255, 0);
    QVERIFY(green);
}

void TestChimeiCtl::backColorBlanksStrip()
{
    ChimeiCtl_P strip;
    strip.SetChimei(u"駅前"_qs);
    QVERIFY(litCount(strip) > 0);
    strip.setBackColor(rgb(10, 20, 30));
    QCOMPARE(litCount(strip), 0);
    QCOMPARE(strip.layer().pixel(0, 0), qRgb(10, 20, 30));
    strip.SetChimei(u"駅前"_qs);
    QVERIFY(litCount(strip) > 0);
}

void TestChimeiCtl::writersNotifyContainer()
{
    ChimeiCtl_P strip;
    QSignalSpy spy(&strip, &ChimeiCtl_P::propertyChanged);
    strip.setBackColor(1);
    strip.setForeColor(2);
    strip.setSpeed(3);
    strip.setScrollStartWait(4);
    strip.setMode(5);
    strip.setAppearance(0);
    strip.setFontMode(3);
    strip.setFontBold(true);
    strip.setSpeed(3); // unchanged: still a notice
    QStringList names;
    for (const QList<QVariant> &call : spy)
        names << call.at(0).toString();
    QCOMPARE(names, (QStringList{u"BackColor"_qs, u"ForeColor"_qs, u"Speed"_qs,
                                 u"ScrollStartWait"_qs, u"Mode"_qs, u"Appearance"_qs,
                                 u"FontMode"_qs, u"FontBold"_qs, u"Speed"_qs}));
    strip.setSpeed(100000);
    QCOMPARE(strip.Speed(), 32767); // 16-bit: clamped
}

void TestChimeiCtl::propertiesRoundTrip()
{
    ChimeiCtl_P a;
    a.setBackColor(rgb(1, 2, 3));
    a.setForeColor(rgb(4, 5, 6));
    a.setSpeed(77);
    a.setScrollStartWait(2500);
    a.setMode(9);
    a.setAppearance(0);
    a.setFontMode(4);
    a.setFontBold(true);
    QVariantMap bag;
    a.writeProperties(bag);
    QCOMPARE(bag.size(), 8);

    ChimeiCtl_P b;
    b.readProperties(bag);
    QCOMPARE(b.BackColor(), rgb(1, 2, 3));
    QCOMPARE(b.ForeColor(), rgb(4, 5, 6));
    QCOMPARE(b.Speed(), 77);
    QCOMPARE(b.ScrollStartWait(), 2500);
    QCOMPARE(b.Mode(), 9);
    QCOMPARE(b.Appearance(), 0);
    QCOMPARE(b.FontMode(), 4);
    QCOMPARE(b.FontBold(), true);
}

void TestChimeiCtl::missingPropertiesTakeDefaults()
{
    ChimeiCtl_P strip;
    strip.setSpeed(99);
    strip.readProperties({{u"Speed"_qs, u"not a number"_qs}});
    QCOMPARE(strip.BackColor(), OleColor(8421504));
    QCOMPARE(strip.ForeColor(), OleColor(48895));
    QCOMPARE(strip.Speed(), 5);
    QCOMPARE(strip.ScrollStartWait(), 1500);
    QCOMPARE(strip.Mode(), 2);
    QCOMPARE(strip.Appearance(), 1);
    QCOMPARE(strip.FontMode(), 0);
    QCOMPARE(strip.FontBold(), false);
    QCOMPARE(strip.layer().pixel(0, 0), colour(8421504).rgb());
}

void TestChimeiCtl::initPropertiesGivesNewControlValues()
{
    ChimeiCtl_P strip;
    strip.readProperties({{u"Speed"_qs, 40}, {u"FontBold"_qs, true}, {u"Mode"_qs, 0}});
    strip.initProperties();
    QCOMPARE(strip.Speed(), 5);
    QCOMPARE(strip.ScrollStartWait(), 1500);
    QCOMPARE(strip.Mode(), 2);
    QCOMPARE(strip.FontMode(), 0);
    QCOMPARE(strip.FontBold(), false);
}

void TestChimeiCtl::appearanceKeepsWholeStripVisible()
{
    for (int appearance : {0, 1}) {
        ChimeiCtl_P strip;
        strip.setAppearance(appearance);
        strip.setBackColor(rgb(0, 0, 0));
        strip.setForeColor(rgb(255, 255, 255));
        strip.SetChimei(repeated(u"■"_qs, 6));
        const QImage shot = strip.grab().toImage();
        // The right-hand dots of a cell and the last cell are on screen.
        int rightmost = -1, lowest = -1;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixel(x, y) == qRgb(255, 255, 255)) {
                    rightmost = std::max(rightmost, x);
                    lowest = std::max(lowest, y);
                }
        QVERIFY2(rightmost >= 30, qPrintable(QString::number(rightmost)));
        QVERIFY2(lowest >= 180, qPrintable(QString::number(lowest)));
    }
}

void TestChimeiCtl::roundedRegion()
{
    ChimeiCtl_P strip;
    const QRegion mask = strip.mask();
    QVERIFY(mask.contains(QPoint(20, 100)));
    QVERIFY(mask.contains(QPoint(40, 100)));
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(40, 192)));
    QVERIFY(!mask.contains(QPoint(20, 193)));
}

void TestChimeiCtl::grabShowsDots()
{
    ChimeiCtl_P strip;
    strip.setAppearance(0);
    strip.SetChimei(u"■"_qs);
    const QImage shot = strip.grab().toImage();
    const QRgb fore = colour(strip.ForeColor()).rgb();
    const QRgb back = colour(strip.BackColor()).rgb();
    int lit = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) == fore) {
                ++lit;
                QVERIFY(y >= 80 && y < 112); // the one cell, centred
            }
    QVERIFY(lit > 50);
    // Between two dots the background shows.
    QCOMPARE(shot.pixel(20, 100) == fore && shot.pixel(21, 100) == fore, false);
    QCOMPARE(shot.pixel(20, 5), back);
}

LUMINA_TEST_MAIN(TestChimeiCtl)
#include "tst_chimeictl.moc"
