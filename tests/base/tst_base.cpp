#include "FixtureRows.h"
#include "TestMain.h"

#include "base/CodePage.h"
#include "base/Fonts.h"
#include "base/Geometry.h"
#include "base/Paths.h"
#include "controls/DotFont.h"
#include "sound/FluidMidi.h"

#include <QFontDatabase>

using namespace lumina;

namespace {

// Every implementation passes the same tables: Qt's converter, and the
// system's with Qt's named away (as in a Qt built without ICU).
const char *qtConverterName(cp932::Converter which)
{
    return which == cp932::Converter::Qt ? "" : "no-such-converter";
}
struct ConverterScope {
    explicit ConverterScope(int which) { cp932::useConverter(qtConverterName(cp932::Converter(which))); }
    ~ConverterScope() { cp932::useConverter(""); }
};
void perConverter(const char *table, qsizetype columns)
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<int>("converter");
    for (const cp932::Converter which : {cp932::Converter::Qt, cp932::Converter::Platform}) {
        const char *name = which == cp932::Converter::Qt ? "qt" : "platform";
        const QList<QStringList> rows =
            table ? test::fixtureRows(table, columns) : QList<QStringList>{{"every byte below 80"}};
        for (const QStringList &f : rows)
            QTest::addRow("%s: %s", name, qPrintable(f[0])) << f.mid(1) << int(which);
    }
}

} // namespace

class tst_Base : public QObject
{
    Q_OBJECT
private slots:
    void converterInUse_data()
    {
        QTest::addColumn<QString>("qtName");
        QTest::addColumn<bool>("platformFallback");
        QTest::addColumn<int>("expected");
        QTest::newRow("qt") << "" << true << int(cp932::Converter::Qt);
        QTest::newRow("no windows-31j in qt") << "no-such-converter" << true << int(cp932::Converter::Platform);
        QTest::newRow("neither") << "no-such-converter" << false << int(cp932::Converter::None);
    }
    void converterInUse()
    {
        QFETCH(QString, qtName);
        QFETCH(bool, platformFallback);
        QFETCH(int, expected);
        cp932::useConverter(qPrintable(qtName), platformFallback);
        const cp932::Converter which = cp932::converter();
        const QByteArray bytes = cp932::encode(u"髙");
        cp932::useConverter("");
        QCOMPARE(int(which), expected);
        QCOMPARE(bytes, QByteArray(which == cp932::Converter::None ? "?" : "\xfb\xfc"));
    }
    void platformTablesAgreeWithQt()
    {
        // Every character of the basic plane, every byte and every pair: the same through either.
        const auto same = [](const auto &convert) {
            const auto viaQt = convert();
            cp932::useConverter("no-such-converter");
            const bool equal = convert() == viaQt;
            cp932::useConverter("");
            return equal;
        };
        QStringList differ;
        for (char32_t c = 0x80; c < 0x10000; ++c) {
            const QString text = QString::fromUcs4(&c, 1);
            if (!same([&] { return cp932::encode(text); }))
                differ << text;
        }
        for (int lead = 0x80; lead < 0x100; ++lead) {
            for (int trail = -1; trail < 0x100; ++trail) { // -1: the byte alone
                const QByteArray bytes = QByteArray(1, char(lead)) + (trail < 0 ? QByteArray() : QByteArray(1, char(trail)));
                if (!same([&] { return cp932::decode(bytes); }))
                    differ << QString::fromLatin1(bytes.toHex());
            }
        }
        QVERIFY2(differ.isEmpty(), qPrintable(differ.mid(0, 10).join(u' ')));
    }
    void encode_data() { perConverter("base/cp932-encode.txt", 4); }
    void encode()
    {
        QFETCH(QStringList, row);
        QFETCH(int, converter);
        const ConverterScope scope(converter);
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
        QFETCH(int, converter);
        const ConverterScope scope(converter);
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
        if (converter == int(cp932::Converter::Qt)) {
            cp932::useConverter("ISO-8859-1"); // puts "?" in for a character it lacks without flagging it
            QVERIFY(!cp932::canEncode(u"Ā"));
        }
    }
    void byteSlice_data() { perConverter("base/byte-slice.txt", 6); }
    void byteSlice()
    {
        QFETCH(QStringList, row);
        QFETCH(int, converter);
        const ConverterScope scope(converter);
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
        QCOMPARE(fonts, QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/lumina/fonts")));
        QCOMPARE(bitmapFontFolders().value(0), fonts);
        QCOMPARE(QFileInfo(DotFont::installedBitmapSources(DotFace::Gothic).at(0).doubleByteFile).path(), fonts);
        QCOMPARE(QFileInfo(findSoundFont()).path(), programDataFolder(QStringLiteral("soundfonts")));
        QVERIFY(QFontDatabase::hasFamily(substituteFamily(QStringLiteral("M_DegitA"))));
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
