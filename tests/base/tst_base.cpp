#include "TestMain.h"

#include "base/CodePage.h"
#include "base/Geometry.h"

using namespace lumina;

// Code page 932 and the twips geometry everything above builds on.
class tst_Base : public QObject
{
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void controlBytesSurviveBesideDoubleBytes();
    void byteSlice_data();
    void byteSlice();
    void twipsToPixels_data();
    void twipsToPixels();
    void roundRect_data();
    void roundRect();
};

void tst_Base::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::newRow("ascii") << QStringLiteral("AB1") << QByteArray("AB1") << true;
    // Where Microsoft's table differs from strict Shift_JIS.
    QTest::newRow("wave dash") << QStringLiteral("～") << QByteArray("\x81\x60") << true;
    QTest::newRow("parallel") << QStringLiteral("∥") << QByteArray("\x81\x61") << true;
    QTest::newRow("minus") << QStringLiteral("－") << QByteArray("\x81\x7c") << true;
    QTest::newRow("not sign") << QStringLiteral("￢") << QByteArray("\x81\xca") << true;
    QTest::newRow("circled one") << QStringLiteral("①") << QByteArray("\x87\x40") << true;
    QTest::newRow("taka (IBM ext)") << QStringLiteral("髙") << QByteArray("\xfb\xfc") << true;
    QTest::newRow("half-width katakana") << QStringLiteral("ｱ") << QByteArray("\xb1") << true;
    QTest::newRow("kanji") << QStringLiteral("駅前") << QByteArray("\x89\x77\x91\x4f") << true;
    // Each character without a form becomes one "?"; its neighbours keep theirs.
    QTest::newRow("emoji, hangul") << QStringLiteral("A😀B한C") << QByteArray("A?B?C") << false;
}

void tst_Base::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    bool encoded = !ok;
    QCOMPARE(cp932::encode(text, &encoded), bytes);
    QCOMPARE(encoded, ok);
    QCOMPARE(cp932::canEncode(text), ok);
    if (ok) {
        QCOMPARE(cp932::decode(bytes), text);
        QCOMPARE(LenB_ASCII(text), int(bytes.size()));
    }
}

void tst_Base::controlBytesSurviveBesideDoubleBytes()
{
    // Every byte below 80 is its own code point both ways, also right after a
    // double-byte character whose trail byte lies in that range (ソ and 表 end in 5C).
    QByteArray all;
    for (int b = 0; b < 0x80; ++b)
        all.append(char(b));
    all.append("\x83\x5c\x1c\x95\x5c\x7f", 6);
    const QString text = cp932::decode(all);
    QCOMPARE(text.left(0x80).toLatin1(), all.left(0x80));
    QCOMPARE(text.mid(0x80), QStringLiteral("ソ\x1c表\x7f"));
    QCOMPARE(cp932::encode(text), all);
}

void tst_Base::byteSlice_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QByteArray>("bytes"); // the same slice of the encoded text
    QTest::newRow("first char") << QStringLiteral("駅前AB") << 1 << 2 << QStringLiteral("駅")
                                << QByteArray("\x89\x77");
    QTest::newRow("ascii tail") << QStringLiteral("駅前AB") << 5 << 2 << QStringLiteral("AB")
                                << QByteArray("AB");
    QTest::newRow("count past end") << QStringLiteral("駅前AB") << 5 << 10 << QStringLiteral("AB")
                                    << QByteArray("AB");
    QTest::newRow("start past end") << QStringLiteral("駅前AB") << 7 << 2 << QString() << QByteArray();
    QTest::newRow("zero count") << QStringLiteral("駅前") << 1 << 0 << QString() << QByteArray();
    QTest::newRow("zero start") << QStringLiteral("駅前") << 0 << 2 << QString() << QByteArray();
    QTest::newRow("half-width pair") << QStringLiteral("ｱｲｳ") << 2 << 2 << QStringLiteral("ｲｳ")
                                     << QByteArray("\xb2\xb3");
    // Half a character is just that byte, and no character once decoded.
    QTest::newRow("cut trail") << QStringLiteral("駅A") << 2 << 2 << QString() << QByteArray("\x77" "A");
    QTest::newRow("cut lead") << QStringLiteral("駅A") << 1 << 1 << QString() << QByteArray("\x89");
}

void tst_Base::byteSlice()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, expected);
    QFETCH(QByteArray, bytes);
    QCOMPARE(cp932::byteSliceBytes(cp932::encode(text), start, count), bytes);
    if (!expected.isEmpty() || bytes.isEmpty())
        QCOMPARE(MidB_ASCII(text, start, count), expected);
    else
        QVERIFY(!MidB_ASCII(text, start, count).contains(u'駅'));
}

void tst_Base::twipsToPixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("board width") << 12390 << 826;
    QTest::newRow("7 twips") << 7 << 0;
    QTest::newRow("8 twips round up") << 8 << 1;
    QTest::newRow("negative frame top") << -60 << -4;
    QTest::newRow("negative rounds symmetrically") << -8 << -1;
}

void tst_Base::twipsToPixels()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(px(twips), pixels);
}

void tst_Base::roundRect_data()
{
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<QSize>("ellipse");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");
    const QRect board(0, 0, 826, 367);
    const QSize round(30, 30);
    QTest::newRow("board corner cut") << board << round << QPoint(3, 3) << false;
    QTest::newRow("board inside curve") << board << round << QPoint(6, 6) << true;
    QTest::newRow("board top edge mid") << board << round << QPoint(400, 0) << true;
    QTest::newRow("board left edge mid") << board << round << QPoint(0, 180) << true;
    QTest::newRow("board right bottom cut") << board << round << QPoint(822, 363) << false;
    QTest::newRow("board outside") << board << round << QPoint(826, 100) << false;
    const QRect key(2, 2, 26, 23);
    QTest::newRow("key origin outside") << key << QSize(2, 2) << QPoint(1, 1) << false;
    QTest::newRow("key first pixel row") << key << QSize(2, 2) << QPoint(10, 2) << true;
    QTest::newRow("key last column") << key << QSize(2, 2) << QPoint(27, 12) << true;
    QTest::newRow("key right edge excluded") << key << QSize(2, 2) << QPoint(28, 12) << false;
    QTest::newRow("no width") << QRect() << QSize(4, 4) << QPoint(0, 0) << false;
}

void tst_Base::roundRect()
{
    QFETCH(QRect, bounds);
    QFETCH(QSize, ellipse);
    QFETCH(QPoint, point);
    QFETCH(bool, inside);
    const QRegion r = roundRectRegion(bounds.left(), bounds.top(), bounds.right() + 1,
                                      bounds.bottom() + 1, ellipse.width(), ellipse.height());
    QCOMPARE(r.boundingRect(), bounds);
    QCOMPARE(r.contains(point), inside);
    // The corners are cut alike: the mirror image of every point is in or out with it.
    const QPoint mirrored(bounds.left() + bounds.right() - point.x(), point.y());
    if (bounds.contains(point))
        QCOMPARE(r.contains(mirrored), inside);
}

LUMINA_TEST_MAIN(tst_Base)
#include "tst_base.moc"
