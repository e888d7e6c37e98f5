#include "controls/ChimeiCtl_P.h"
#include "base/CodePage.h"
#include "base/Colors.h"

#include "TestMain.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

using namespace lumina;

namespace {

const QRgb kFore = qRgb(255, 255, 0);

int litCount(const QImage &image, QRgb colour, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

} // namespace

// The strip's cells, its writers' notices and its sunken frame.
class tst_StripRepairs : public QObject
{
    Q_OBJECT

private slots:
    void cellsHoldWholeCharacters_data();
    void cellsHoldWholeCharacters();
    void fullWidthAfterOddHalfWidthRunShows();
    void everyWriterNotifies();
    void sunkenFrameShowsSixWholeCells();
};

void tst_StripRepairs::cellsHoldWholeCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("cells");
    // Names that two-byte cells never split: laid out as they always were.
    QTest::newRow("full width") << u"市役所前"_qs << QStringList{u"市"_qs, u"役"_qs, u"所"_qs, u"前"_qs};
    QTest::newRow("half pairs") << u"ABCD"_qs << QStringList{u"AB"_qs, u"CD"_qs};
    QTest::newRow("odd tail") << u"ABC"_qs << QStringList{u"AB"_qs, u"C"_qs};
    QTest::newRow("kana pairs") << u"ﾎｼﾐﾀﾞｲ"_qs << QStringList{u"ﾎｼ"_qs, u"ﾐﾀ"_qs, u"ﾞｲ"_qs};
    QTest::newRow("mixed even") << u"ｴｷ前ﾏｴ"_qs << QStringList{u"ｴｷ"_qs, u"前"_qs, u"ﾏｴ"_qs};
    QTest::newRow("full then odd") << u"駅ABC"_qs << QStringList{u"駅"_qs, u"AB"_qs, u"C"_qs};
    // A half-width character before a full-width one gets a cell of its own.
    QTest::newRow("ｼﾞｬｽｺ前") << u"ｼﾞｬｽｺ前"_qs << QStringList{u"ｼﾞ"_qs, u"ｬｽ"_qs, u"ｺ"_qs, u"前"_qs};
    QTest::newRow("ﾊﾞｽ停") << u"ﾊﾞｽ停"_qs << QStringList{u"ﾊﾞ"_qs, u"ｽ"_qs, u"停"_qs};
    QTest::newRow("A駅B") << u"A駅B"_qs << QStringList{u"A"_qs, u"駅"_qs, u"B"_qs};
}

void tst_StripRepairs::cellsHoldWholeCharacters()
{
    QFETCH(QString, name);
    QFETCH(QStringList, cells);
    QCOMPARE(cellTexts(cp932::encode(name)), cells);
}

void tst_StripRepairs::fullWidthAfterOddHalfWidthRunShows()
{
    // Four cells: the last one, at 162, shows the same dots as "前" alone.
    ChimeiCtl_P strip;
    strip.SetChimei(u"ｼﾞｬｽｺ前"_qs);
    ChimeiCtl_P alone;
    alone.SetChimei(u"前"_qs); // one cell, at 80
    const QImage last = strip.layer().copy(0, 162, ChimeiCtl_P::kLayerWidth, 30);
    const QImage expected = alone.layer().copy(0, 80, ChimeiCtl_P::kLayerWidth, 30);
    QVERIFY(litCount(expected, alone.layer().pixel(0, 0)) < expected.width() * expected.height());
    QCOMPARE(last, expected);
}

void tst_StripRepairs::everyWriterNotifies()
{
    // Setting a property to the value it has is still a change the container
    // hears of.
    const std::pair<const char *, std::function<void(ChimeiCtl_P &)>> writers[] = {
        {"BackColor", [](ChimeiCtl_P &s) { s.setBackColor(s.BackColor()); }},
        {"ForeColor", [](ChimeiCtl_P &s) { s.setForeColor(s.ForeColor()); }},
        {"Speed", [](ChimeiCtl_P &s) { s.setSpeed(s.Speed()); }},
        {"ScrollStartWait", [](ChimeiCtl_P &s) { s.setScrollStartWait(s.ScrollStartWait()); }},
        {"Mode", [](ChimeiCtl_P &s) { s.setMode(s.Mode()); }},
        {"Appearance", [](ChimeiCtl_P &s) { s.setAppearance(s.Appearance()); }},
        {"FontMode", [](ChimeiCtl_P &s) { s.setFontMode(s.FontMode()); }},
        {"FontBold", [](ChimeiCtl_P &s) { s.setFontBold(s.FontBold()); }},
    };
    for (const auto &[name, write] : writers) {
        ChimeiCtl_P strip;
        QSignalSpy spy(&strip, &ChimeiCtl_P::propertyChanged);
        write(strip);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QLatin1String(name));
    }
}

void tst_StripRepairs::sunkenFrameShowsSixWholeCells()
{
    ChimeiCtl_P strip;
    strip.setAppearance(1);
    strip.setBackColor(rgb(0, 0, 0));
    strip.setForeColor(rgb(255, 255, 0));
    // A glyph with a dot on its bottom row puts a dot on row 190 of the layer.
    bool bottomRow = false;
    for (const QString &glyph : {u"┃"_qs, u"│"_qs, u"┼"_qs, u"■"_qs}) {
        strip.SetChimei(glyph.repeated(6));
        if (litCount(strip.layer(), kFore, QRect(0, 190, ChimeiCtl_P::kLayerWidth, 1)) > 0) {
            bottomRow = true;
            break;
        }
    }
    QVERIFY2(bottomRow, "no glyph reaches the bottom dot row");
    const QImage shot = strip.grab().toImage();
    // Every dot of the six cells is on screen, the bottom row of the sixth too.
    QCOMPARE(litCount(shot, kFore), litCount(strip.layer(), kFore));
    QVERIFY(litCount(shot, kFore, QRect(0, 190, shot.width(), shot.height() - 190)) > 0);
    // The sunken frame is 37 wide from x -2: its light outer edge at x 34, the
    // control's own background beyond; dark edges along the top.
    QCOMPARE(QColor(shot.pixel(34, 100)), QColor(255, 255, 255));
    QCOMPARE(QColor(shot.pixel(33, 100)), QColor(212, 208, 200));
    QCOMPARE(QColor(shot.pixel(37, 100)), QColor(0, 0, 0));
    QCOMPARE(QColor(shot.pixel(10, 0)), QColor(128, 128, 128));
    QCOMPARE(QColor(shot.pixel(10, 1)), QColor(64, 64, 64));
}

LUMINA_TEST_MAIN(tst_StripRepairs)
#include "tst_striprepairs.moc"
