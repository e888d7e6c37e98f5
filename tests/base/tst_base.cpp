#include "FixtureRows.h"
#include "TestMain.h"

#include "base/CodePage.h"
#include "base/Fonts.h"
#include "base/Geometry.h"
#include "base/Paths.h"
#include "controls/DotFont.h"
#include "sound/FluidMidi.h"

using namespace lumina;

// Every implementation passes the same tables: Qt's converter, and the system's
// with Qt's named away (as in a Qt built without ICU); init() picks it by the row.
static void perConverter(const char *table, qsizetype columns)
{
    QTest::addColumn<QStringList>("row");
    const QList<QStringList> rows = table ? test::fixtureRows(table, columns) : QList<QStringList>{{"bytes"}};
    for (const char *converter : {"qt", "platform"}) {
        for (const QStringList &f : rows)
            QTest::addRow("%s: %s", converter, qPrintable(f[0])) << f.mid(1);
    }
}

class tst_Base : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        const bool platform = QByteArray(QTest::currentDataTag()).startsWith("platform");
        cp932::useConverter(platform ? "no-such-converter" : "");
    }
    void cleanup() { cp932::useConverter(""); }
    void converterInUse()
    {
        // Qt's where it has "windows-31j", else the system's, else none (Latin-1).
        QVERIFY(cp932::converter() == cp932::Converter::Qt);
        cp932::useConverter("no-such-converter");
        QVERIFY(cp932::converter() == cp932::Converter::Platform && cp932::encode(u"①") == "\x87\x40");
        cp932::useConverter("no-such-converter", false);
        QVERIFY(cp932::converter() == cp932::Converter::None && cp932::encode(u"①") == "?" && !cp932::available());
    }
    void platformTablesAgreeWithQt()
    {
        // Every character of the basic plane, every byte and every pair: the same through either.
        QList<QByteArray> bytes;
        for (int lead = 0x80; lead < 0x100; ++lead) {
            for (int trail = -1; trail < 0x100; ++trail) // -1: the byte alone
                bytes << QByteArray(1, char(lead)) + (trail < 0 ? QByteArray() : QByteArray(1, char(trail)));
        }
        const auto through = [&bytes](const char *qtName) {
            cp932::useConverter(qtName);
            QStringList out;
            for (char32_t c = 0x80; c < 0x10000; ++c)
                out << QString::fromLatin1(cp932::encode(QString::fromUcs4(&c, 1)).toHex());
            for (const QByteArray &b : bytes)
                out << cp932::decode(b);
            return out;
        };
        QCOMPARE(through("no-such-converter"), through(""));
    }
    void encode_data() { perConverter("base/cp932-encode.txt", 4); }
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
    void controlBytesSurviveBesideDoubleBytes_data() { perConverter(nullptr, 0); }
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
        // Past them the table decides: U+0080 has no form, though a byte 80 might look like one.
        QCOMPARE(cp932::encode(u"\u0080"), QByteArray("?"));
        cp932::useConverter("ISO-8859-1"); // puts "?" in for a character it lacks without flagging it
        QVERIFY(!cp932::canEncode(u"Ā"));
    }
    void byteSlice_data() { perConverter("base/byte-slice.txt", 6); }
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
    void shippedAssetsComeFirst()
    {
        // The build tree holds copies (cmake/Assets.cmake) that win over the system's fonts and soundfont.
        LUMINA_REQUIRE_FONTS();
        const QString fonts = programDataFolder(QStringLiteral("fonts"));
        QCOMPARE(fonts, QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/lumina/fonts"));
        QCOMPARE(bitmapFontFolders().value(0), fonts);
        QCOMPARE(QFileInfo(DotFont::installedBitmapSources(DotFace::Gothic).at(0).doubleByteFile).path(), fonts);
        QCOMPARE(QFileInfo(findSoundFont()).path(), programDataFolder(QStringLiteral("soundfonts")));
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
