#include "FixtureRows.h"
#include "TestMain.h"

#include "base/CodePage.h"
#include "base/Geometry.h"

using namespace lumina;

class tst_Base : public QObject
{
    Q_OBJECT
private slots:
    void encode_data() { test::fixtureTable("base/cp932-encode.txt", 4); }
    void encode()
    {
        QFETCH(QStringList, row);
        const QByteArray bytes = QByteArray::fromHex(row[1].toLatin1());
        const bool ok = row[2].isEmpty();
        bool encoded = !ok;
        QCOMPARE(cp932::encode(row[0], &encoded), bytes);
        QCOMPARE(encoded, ok);
        QCOMPARE(cp932::canEncode(row[0]), ok);
        QCOMPARE(cp932::firstUnencodable(row[0]), row[2]);
        if (ok) {
            QCOMPARE(cp932::decode(bytes), row[0]);
            QCOMPARE(byteLength(row[0]), int(bytes.size()));
        }
    }
    void controlBytesSurviveBesideDoubleBytes()
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
        // A lone high surrogate ends the text: nothing past the end is read to pair it.
        const char16_t endsHigh[] = {u'A', 0xD83D};
        QCOMPARE(cp932::encode(QStringView(endsHigh, 2)), QByteArray("A?"));
        cp932::useConverter("ISO-8859-1"); // puts "?" in for a character it lacks without flagging it
        const bool substitutedCounts = !cp932::canEncode(u"Ā");
        cp932::useConverter("");
        QVERIFY(substitutedCounts);
    }
    void byteSlice_data() { test::fixtureTable("base/byte-slice.txt", 6); }
    void byteSlice()
    {
        QFETCH(QStringList, row);
        const int start = row[1].toInt();
        const int count = row[2].toInt();
        const QByteArray bytes = QByteArray::fromHex(row[4].toLatin1());
        QCOMPARE(cp932::byteSliceBytes(cp932::encode(row[0]), start, count), bytes);
        const QString slice = lumina::byteSlice(row[0], start, count);
        if (!row[3].isEmpty() || bytes.isEmpty())
            QCOMPARE(slice, row[3]);
        else
            QVERIFY(!slice.contains(u'駅'));
    }
    void twipsToPixels_data() { test::fixtureTable("base/twips.txt", 3); }
    void twipsToPixels()
    {
        QFETCH(QStringList, row);
        QCOMPARE(px(row[0].toInt()), row[1].toInt());
    }
    void roundRect_data() { test::fixtureTable("base/round-rect.txt", 3); }
    void roundRect()
    {
        QFETCH(QStringList, row);
        QList<int> n;
        for (const QString &number : row[0].split(u' '))
            n << number.toInt();
        const QPoint point(n[6], n[7]);
        const bool inside = row[1] == u"1";
        const QRect bounds(QPoint(n[0], n[1]), QPoint(n[2] - 1, n[3] - 1));
        const QRegion r = roundRectRegion(n[0], n[1], n[2], n[3], n[4], n[5]);
        QCOMPARE(r.boundingRect(), bounds);
        QCOMPARE(r.contains(point), inside);
        // The corners are cut alike: the mirror image of every point is in or out with it.
        const QPoint mirrored(bounds.left() + bounds.right() - point.x(), point.y());
        if (bounds.contains(point))
            QCOMPARE(r.contains(mirrored), inside);
    }
};

LUMINA_TEST_MAIN(tst_Base)
#include "tst_base.moc"
