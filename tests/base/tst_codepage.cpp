#include "TestMain.h"

#include "base/CodePage.h"
#include "hostlib/HostLib.h"

using namespace lumina;

class tst_CodePage : public QObject
{
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void singleBytesBelow80AreThemselves();
    void unmappable();
    void byteSlice_data();
    void byteSlice();
    void sliceOfBytesCutsDoubleByte();
};

void tst_CodePage::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("AB1") << QByteArray("AB1");
    // Where Microsoft's table differs from strict Shift_JIS.
    QTest::newRow("wave dash") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("parallel") << QStringLiteral("∥") << QByteArray("\x81\x61");
    QTest::newRow("minus") << QStringLiteral("－") << QByteArray("\x81\x7c");
    QTest::newRow("not sign") << QStringLiteral("￢") << QByteArray("\x81\xca");
    QTest::newRow("circled one") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("taka (IBM ext)") << QStringLiteral("髙") << QByteArray("\xfb\xfc");
    QTest::newRow("half-width katakana") << QStringLiteral("ｱ") << QByteArray("\xb1");
    QTest::newRow("kanji") << QStringLiteral("駅前") << QByteArray("\x89\x77\x91\x4f");
}

void tst_CodePage::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    bool ok = false;
    QCOMPARE(cp932::encode(text, &ok), bytes);
    QVERIFY(ok);
    QCOMPARE(cp932::decode(bytes), text);
    QCOMPARE(LenB_ASCII(text), int(bytes.size()));
}

void tst_CodePage::singleBytesBelow80AreThemselves()
{
    // Control codes included (1A, 1C and 7F among them): every byte below 80
    // decodes to the same code point and encodes back to the same byte, also
    // next to double-byte characters whose trail byte lies in that range.
    QByteArray all;
    for (int b = 0; b < 0x80; ++b)
        all.append(char(b));
    const QString text = cp932::decode(all);
    QCOMPARE(text.size(), 0x80);
    for (int b = 0; b < 0x80; ++b)
        QCOMPARE(text[b].unicode(), char16_t(b));
    QCOMPARE(cp932::encode(text), all);

    const QByteArray mixed("\x1a\x83\x5c\x1c\x95\x5c\x7f", 7); // ソ and 表 end in 5C
    QCOMPARE(cp932::decode(mixed), QStringLiteral("\x1aソ\x1c表\x7f"));
    QCOMPARE(cp932::encode(cp932::decode(mixed)), mixed);
}

void tst_CodePage::unmappable()
{
    // An emoji and a Hangul syllable have no code page 932 form: each becomes one
    // "?" and the characters around them keep their bytes.
    bool ok = true;
    const QByteArray bytes = cp932::encode(QStringLiteral("A😀B한C"), &ok);
    QVERIFY(!ok);
    QCOMPARE(bytes, QByteArray("A?B?C"));
    QVERIFY(!cp932::canEncode(QStringLiteral("한")));
    QVERIFY(cp932::canEncode(QStringLiteral("運賃")));
}

void tst_CodePage::byteSlice_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first char") << QStringLiteral("駅前AB") << 1 << 2 << QStringLiteral("駅");
    QTest::newRow("second char") << QStringLiteral("駅前AB") << 3 << 2 << QStringLiteral("前");
    QTest::newRow("ascii tail") << QStringLiteral("駅前AB") << 5 << 2 << QStringLiteral("AB");
    QTest::newRow("count past end") << QStringLiteral("駅前AB") << 5 << 10 << QStringLiteral("AB");
    QTest::newRow("start past end") << QStringLiteral("駅前AB") << 7 << 2 << QString();
    QTest::newRow("zero count") << QStringLiteral("駅前") << 1 << 0 << QString();
    QTest::newRow("zero start") << QStringLiteral("駅前") << 0 << 2 << QString();
    QTest::newRow("half-width pair") << QStringLiteral("ｱｲｳ") << 2 << 2 << QStringLiteral("ｲｳ");
}

void tst_CodePage::byteSlice()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, expected);
    QCOMPARE(MidB_ASCII(text, start, count), expected);
}

void tst_CodePage::sliceOfBytesCutsDoubleByte()
{
    const QByteArray bytes = cp932::encode(QStringLiteral("駅A"));
    // One byte of "駅" is half a character: the slice holds just that byte.
    QCOMPARE(cp932::byteSliceBytes(bytes, 2, 2), QByteArray("\x77" "A"));
    QCOMPARE(cp932::byteSliceBytes(bytes, 1, 1), QByteArray("\x89"));
    // Decoded, a lone lead byte is not a character of its own.
    QVERIFY(MidB_ASCII(QStringLiteral("駅A"), 1, 1) != QStringLiteral("駅"));
}

LUMINA_TEST_MAIN(tst_CodePage)
#include "tst_codepage.moc"
