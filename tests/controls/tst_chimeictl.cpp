#include "controls/ChimeiCtl_P.h"
#include "base/CodePage.h"
#include "base/Colors.h"

#include "TestMain.h"

#include <QElapsedTimer>
#include <QSignalSpy>

using namespace lumina;

// The stop-name strip's behaviour over time, its cells and its saved state; how
// still names look is in the reference pictures (tst_pictures).
class TestChimeiCtl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void init();
    void cellTexts_data();
    void cellTexts();
    void longNameWaitsBelowThenRises();
    void speedScalesTheRise();
    void speedZeroBecomesOneWhenScrollStarts();
    void passLeavesOneStripHeightOfEmptiness();
    void zeroWaitGivesNoPause();
    void laterNamesReplaceTheScroll();
    void scrollRunsOnRealTimer();
    void coloursApplyFromTheNextName();
    void writersNotifyContainer();
    void properties();
    void roundedRegion();

private:
    // A clock the test moves by hand, in microseconds.
    qint64 m_now = 0;
    std::unique_ptr<ChimeiCtl_P> m_strip;
    void advanceMs(qint64 ms)
    {
        m_now += ms * 1000;
        m_strip->advanceScroll();
    }
    int lit() const
    {
        const QImage &layer = m_strip->layer();
        const QRgb back = toQColor(m_strip->BackColor()).rgb();
        int n = 0;
        for (int y = 0; y < layer.height(); ++y)
            for (int x = 0; x < layer.width(); ++x)
                n += layer.pixel(x, y) != back;
        return n;
    }
};

namespace {
QString repeated(const QString &ch, int n)
{
    return ch.repeated(n);
}
} // namespace

void TestChimeiCtl::init()
{
    m_now = 1'000'000;
    m_strip = std::make_unique<ChimeiCtl_P>();
    m_strip->setClock([this] { return m_now; });
}

void TestChimeiCtl::cellTexts_data()
{
    QTest::addColumn<QByteArray>("cp932");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("pairs") << cp932::encode(u"駅前"_qs) << QStringList{u"駅"_qs, u"前"_qs};
    QTest::newRow("odd half-width keeps its cell") << QByteArray("ABC") << QStringList{"AB", "C"};
    QTest::newRow("lone lead byte") << QByteArray("\x89", 1) << QStringList{" "};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TestChimeiCtl::cellTexts()
{
    QFETCH(QByteArray, cp932);
    QFETCH(QStringList, cells);
    QCOMPARE(lumina::cellTexts(cp932), cells);
}

void TestChimeiCtl::longNameWaitsBelowThenRises()
{
    QCOMPARE(m_strip->layerHeight(), 192);
    m_strip->setScrollStartWait(1000);
    m_strip->SetChimei(repeated(u"駅"_qs, 7));
    QCOMPARE(m_strip->layerHeight(), 224);
    QVERIFY(m_strip->isPausing());
    QCOMPARE(m_strip->layerTop(), m_strip->frameHeight()); // below the strip: nothing shows
    advanceMs(999);
    QVERIFY(m_strip->isPausing());
    QCOMPARE(m_strip->layerTop(), m_strip->frameHeight());
    advanceMs(1); // the pause ends
    QVERIFY(!m_strip->isPausing());
    QCOMPARE(m_strip->scrollPosition(), double(m_strip->frameHeight()));
    for (int frame = 0; frame < 20; ++frame) // one second of rounds
        advanceMs(50);
    const double perSecond = ChimeiCtl_P::kRoundsPerSecond * 5 / 200.0;
    QCOMPARE(m_strip->scrollPosition(), m_strip->frameHeight() - perSecond);
    QCOMPARE(m_strip->layerTop(), m_strip->frameHeight() - int(perSecond));
    // A short name stops the scroll at the top.
    m_strip->SetChimei(u"駅前"_qs);
    QVERIFY(!m_strip->isScrolling());
    QCOMPARE(m_strip->layerTop(), 0);
    QCOMPARE(m_strip->layerHeight(), 192);
    advanceMs(500);
    QCOMPARE(m_strip->layerTop(), 0);
}

void TestChimeiCtl::speedScalesTheRise()
{
    double travelled[2] = {};
    const int speeds[2] = {5, 10};
    for (int i = 0; i < 2; ++i) {
        init();
        m_strip->setScrollStartWait(0);
        m_strip->setSpeed(speeds[i]);
        m_strip->SetChimei(repeated(u"駅"_qs, 10));
        for (int frame = 0; frame < 30; ++frame) // half a second at 60 frames
            advanceMs(17);
        travelled[i] = m_strip->frameHeight() - m_strip->scrollPosition();
    }
    QVERIFY(travelled[0] > 10);
    QCOMPARE(travelled[1], 2 * travelled[0]);
}

void TestChimeiCtl::speedZeroBecomesOneWhenScrollStarts()
{
    m_strip->setSpeed(0);
    m_strip->setScrollStartWait(500);
    QSignalSpy spy(m_strip.get(), &ChimeiCtl_P::propertyChanged);
    m_strip->SetChimei(repeated(u"駅"_qs, 8));
    QCOMPARE(m_strip->Speed(), 0); // still waiting
    advanceMs(600);
    QCOMPARE(m_strip->Speed(), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), u"Speed"_qs);
    QVERIFY(m_strip->scrollPosition() < m_strip->frameHeight());
    // Set to 0 during the scroll, it stays 0 and the layer stands still.
    m_strip->setSpeed(0);
    const double pos = m_strip->scrollPosition();
    advanceMs(500);
    QCOMPARE(m_strip->Speed(), 0);
    QCOMPARE(m_strip->scrollPosition(), pos);
}

void TestChimeiCtl::passLeavesOneStripHeightOfEmptiness()
{
    m_strip->setScrollStartWait(300);
    m_strip->setSpeed(200); // 1 px a round
    m_strip->SetChimei(repeated(u"駅"_qs, 7));
    advanceMs(300);
    double lowest = m_strip->scrollPosition();
    int rounds = 0;
    while (!m_strip->isPausing() && rounds < 2000) {
        m_now += 500; // one round
        m_strip->advanceScroll();
        if (!m_strip->isPausing())
            lowest = std::min(lowest, m_strip->scrollPosition());
        ++rounds;
    }
    QVERIFY(m_strip->isPausing());
    // The layer went one whole strip height above the top before jumping back.
    QCOMPARE(lowest + m_strip->layerHeight(), double(-m_strip->frameHeight() + 1));
    QCOMPARE(m_strip->layerTop(), m_strip->frameHeight());
    QCOMPARE(rounds, 2 * m_strip->frameHeight() + m_strip->layerHeight());
    advanceMs(299);
    QVERIFY(m_strip->isPausing());
    advanceMs(2);
    QVERIFY(!m_strip->isPausing());
    QVERIFY(m_strip->scrollPosition() < m_strip->frameHeight());
}

void TestChimeiCtl::zeroWaitGivesNoPause()
{
    m_strip->setScrollStartWait(0);
    m_strip->setSpeed(2000); // 10 px a round
    m_strip->SetChimei(repeated(u"駅"_qs, 7));
    QVERIFY(m_strip->isScrolling());
    bool wrapped = false;
    double last = m_strip->scrollPosition();
    for (int i = 0; i < 200; ++i) {
        m_now += 500;
        m_strip->advanceScroll();
        QVERIFY(!m_strip->isPausing());
        wrapped = wrapped || m_strip->scrollPosition() > last;
        last = m_strip->scrollPosition();
    }
    QVERIFY(wrapped);
}

void TestChimeiCtl::laterNamesReplaceTheScroll()
{
    m_strip->setScrollStartWait(200);
    m_strip->SetChimei(repeated(u"駅"_qs, 9));
    advanceMs(1200);
    QVERIFY(m_strip->layerTop() < m_strip->frameHeight());
    // An empty name blanks the layer, which keeps moving.
    const double before = m_strip->scrollPosition();
    m_strip->SetChimei(QString());
    QCOMPARE(lit(), 0);
    advanceMs(100);
    QVERIFY(m_strip->scrollPosition() < before);
    // A new long name starts its own pass.
    m_strip->SetChimei(repeated(u"前"_qs, 12));
    QCOMPARE(m_strip->layerHeight(), 12 * 32);
    QVERIFY(m_strip->isPausing());
    QCOMPARE(m_strip->layerTop(), m_strip->frameHeight());
    QCOMPARE(m_strip->scrollPosition(), double(m_strip->frameHeight()));
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

void TestChimeiCtl::coloursApplyFromTheNextName()
{
    m_strip->SetChimei(u"駅"_qs);
    const QImage before = m_strip->layer();
    m_strip->setForeColor(rgb(0, 255, 0));
    QCOMPARE(m_strip->layer(), before);
    m_strip->SetChimei(u"駅"_qs);
    QCOMPARE(m_strip->layer().size(), before.size());
    int green = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            green += m_strip->layer().pixel(x, y) == qRgb(0, 255, 0) ? 1 : 0;
    QVERIFY(green > 20);
    m_strip->setBackColor(rgb(10, 20, 30));
    QCOMPARE(lit(), 0); // a new background blanks the strip
    QCOMPARE(m_strip->layer().pixel(0, 0), qRgb(10, 20, 30));
    m_strip->SetChimei(u"駅前"_qs);
    QVERIFY(lit() > 0);
}

void TestChimeiCtl::writersNotifyContainer()
{
    QSignalSpy spy(m_strip.get(), &ChimeiCtl_P::propertyChanged);
    m_strip->setBackColor(1);
    m_strip->setForeColor(2);
    m_strip->setSpeed(3);
    m_strip->setScrollStartWait(4);
    m_strip->setMode(5);
    m_strip->setAppearance(0);
    m_strip->setFontMode(3);
    m_strip->setFontBold(true);
    m_strip->setSpeed(3); // unchanged, and still told
    QStringList names;
    for (const QList<QVariant> &call : spy)
        names << call.at(0).toString();
    QCOMPARE(names, (QStringList{"BackColor", "ForeColor", "Speed", "ScrollStartWait", "Mode",
                                 "Appearance", "FontMode", "FontBold", "Speed"}));
    m_strip->setSpeed(100000);
    QCOMPARE(m_strip->Speed(), 32767); // 16-bit: clamped
}

void TestChimeiCtl::properties()
{
    ChimeiCtl_P a;
    QCOMPARE(QList<int>({int(a.BackColor()), int(a.ForeColor()), a.Speed(), a.ScrollStartWait(),
                         a.Mode(), a.Appearance(), a.FontMode(), a.FontBold()}),
             QList<int>({4210752, 8438015, 5, 1500, 2, 1, 0, 0}));
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
    QVariantMap again;
    b.writeProperties(again);
    QCOMPARE(again, bag);
    // Missing or unreadable entries take the defaults of a loaded control.
    b.readProperties({{u"Speed"_qs, u"not a number"_qs}});
    QCOMPARE(QList<int>({int(b.BackColor()), int(b.ForeColor()), b.Speed(), b.ScrollStartWait(),
                         b.Mode(), b.Appearance(), b.FontMode(), b.FontBold()}),
             QList<int>({8421504, 48895, 5, 1500, 2, 1, 0, 0}));
    QCOMPARE(b.layer().pixel(0, 0), toQColor(8421504).rgb());
    // A control newly placed in a container.
    b.readProperties({{u"Speed"_qs, 40}, {u"FontBold"_qs, true}, {u"Mode"_qs, 0},
                      {u"FontMode"_qs, 3}, {u"ScrollStartWait"_qs, 9}});
    b.initProperties();
    QCOMPARE(QList<int>({b.Speed(), b.ScrollStartWait(), b.Mode(), b.FontMode(), b.FontBold()}),
             QList<int>({5, 1500, 2, 0, 0}));
}

void TestChimeiCtl::roundedRegion()
{
    const QRegion mask = m_strip->mask();
    QVERIFY(mask.contains(QPoint(20, 100)));
    QVERIFY(mask.contains(QPoint(40, 100)));
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(40, 192)));
    QVERIFY(!mask.contains(QPoint(20, 193)));
}

LUMINA_TEST_MAIN(TestChimeiCtl)
#include "tst_chimeictl.moc"
