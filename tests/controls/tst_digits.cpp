#include "FakeHostLib.h"
#include "FixtureRows.h"
#include "TestMain.h"

#include "base/Colors.h"
#include "controls/DigitPainter.h"
#include "controls/DigitRow.h"
#include "controls/DigitText.h"
#include "controls/FareCell.h"

#include <QPainter>
#include <QScreen>

using namespace lumina;

namespace {

std::unique_ptr<SegmentDisplay> make(bool cell)
{
    return cell ? std::unique_ptr<SegmentDisplay>(new FareCell) : std::unique_ptr<SegmentDisplay>(new DigitRow);
}

// A table field: "text" in quotes, a number with a point a double, else an integer.
QVariant field(const QString &f)
{
    if (f == u"empty")
        return QVariant();
    if (f.startsWith(u'"'))
        return f.mid(1, f.size() - 2);
    return f.contains(u'.') ? QVariant(f.toDouble()) : QVariant(f.toInt());
}

} // namespace

// The segment displays' text rules and what they light; how a lit text looks is in the reference pictures.
class tst_Digits : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void text_data() { test::fixtureTable("controls/digit-text.txt", 6); }
    void text()
    {
        QFETCH(QStringList, row);
        QCOMPARE(digit::displayText(field(row[0]), row[1].toInt(), row[2].toInt(), row[3].toInt()),
                 field(row[4]).toString());
    }
    void setRules_data() { test::fixtureTable("controls/digit-set-rules.txt", 6); }
    void setRules()
    {
        QFETCH(QStringList, row);
        const bool cell = row[0] == u"1"; // fare cell or clock digits
        const QString property = row[1];
        auto d = make(cell);
        d->setValue(1234567);
        const std::pair<void (SegmentDisplay::*)(qint16), qint16 (SegmentDisplay::*)() const> access =
            property == u"digitCount" ? std::pair(&SegmentDisplay::setDigitCount, &SegmentDisplay::digitCount)
            : property == u"fillZero" ? std::pair(&SegmentDisplay::setFillZero, &SegmentDisplay::fillZero)
            : property == u"shift"    ? std::pair(&SegmentDisplay::setShift, &SegmentDisplay::shift)
            : property == u"zeroMode" ? std::pair(&SegmentDisplay::setZeroMode, &SegmentDisplay::zeroMode)
                                      : std::pair(&SegmentDisplay::setDigitSize, &SegmentDisplay::digitSize);
        (d.get()->*access.first)(qint16(row[2].toInt()));
        QCOMPARE(int((d.get()->*access.second)()), row[3].toInt());
        QCOMPARE(d->litText(), field(row[4]).toString());
        if (cell)
            QCOMPARE(d->size(), QSize(52, 20)); // the board sizes its cells
    }
    void lit_data() { test::fixtureTable("controls/digit-lit.txt", 5); }
    void lit()
    {
        QFETCH(QStringList, row);
        const QVariant value = field(row[1]);
        auto d = make(row[0] == u"1");
        d->setValue(value);
        d->setShift(qint16(row[2].toInt()));
        QCOMPARE(d->litText(), field(row[3]).toString());
        QCOMPARE(d->value(), value);
    }
    void resetKeepsRules()
    {
        // A control never given a value shows its background alone.
        for (bool cell : {true, false}) {
            auto d = make(cell);
            d->face();
            d->resize(d->size() + QSize(7, 3)); // and follows the size
            const QImage face = d->face().convertToFormat(QImage::Format_RGB32);
            QImage back(d->size(), QImage::Format_RGB32);
            back.fill(toQColor(kDigitBackColour));
            QCOMPARE(face, back);
        }
        // Lamp test and blanking: all eights or nothing, with the rules kept.
        for (const auto &[cell, mode, lit, value] :
             {std::tuple(true, true, "888 ", "8888"), std::tuple(true, false, "    ", ""),
              std::tuple(false, true, "8888", "8888")}) {
            auto d = make(cell);
            d->setShift(1);
            d->setZeroMode(3);
            d->setFillZero(2);
            d->setValue(5);
            mode ? d->lightAllPositions() : d->blankAllPositions();
            QCOMPARE(d->litText(), QString::fromLatin1(lit));
            QCOMPARE(d->value().toString(), QString::fromLatin1(value));
            QCOMPARE(QList<int>({d->shift(), d->zeroMode(), d->fillZero()}), QList<int>({1, 3, 2}));
        }
    }
    // The dialog's answers are stored unchecked: the board spreads them to all cells.
    void dialogStoresUnchecked()
    {
        test::FakeHostLib fake;
        FareCell cell;
        cell.setZeroMode(1);
        cell.setShift(1);
        cell.setFillZero(2);
        cell.setValue(5);
        fake.digitAnswer = [](qint16 &zeroMode, qint16 &shift, qint16 &fillZero) {
            zeroMode = 7;
            shift = 2;
            fillZero = 3;
            return 0;
        };
        QCOMPARE(cell.showDigitDialog(), 0);
        const auto call = fake.digitDialogCalls.value(0);
        QCOMPARE(QList<int>({call.digitCount, call.zeroMode, call.shift, call.fillZero}), QList<int>({4, 1, 1, 2}));
        QCOMPARE(QList<int>({cell.zeroMode(), cell.shift(), cell.fillZero()}), QList<int>({7, 2, 3}));
        QCOMPARE(cell.litText(), QStringLiteral("05  "));
    }
    // A row lands where a scaling, shifting painter puts it, and leaves the painter as it found it.
    void rowFollowsThePainter()
    {
        const auto canvas = [] {
            QImage image(90, 60, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            return image;
        };
        const QString face = digit::faceName(1);
        QImage moved = canvas();
        QPainter p(&moved);
        p.translate(20, 10);
        p.scale(2, 2);
        const QTransform before = p.transform();
        digit::paintRow(p, face, false, QStringLiteral("8"), QRectF(0, 0, 10, 20), 12, Qt::red);
        QCOMPARE(p.transform(), before);
        digit::paintRow(p, face, false, QStringLiteral("3"), QRectF(12, 0, 10, 20), 12, Qt::red);
        p.end();
        QImage plain = canvas();
        QPainter q(&plain);
        digit::paintRow(q, face, false, QStringLiteral("83"), QRectF(20, 10, 20, 40), 24, Qt::red);
        q.end();
        QVERIFY(plain != canvas());
        QCOMPARE(moved, plain);
    }
    // A new colour or style shows at once, and a wider cell is drawn whole; a repaint alone
    // draws nothing anew.
    void newLookShowsAtOnce()
    {
        FareCell cell;
        cell.show(); // a hidden cell redraws at every grab, as if resized
        QVERIFY(QTest::qWaitForWindowExposed(&cell));
        const auto shown = [&cell] { return cell.screen()->grabWindow(cell.winId()).toImage(); };
        const QImage before = shown();
        const qint64 kept = cell.face().cacheKey();
        cell.grab();
        QCOMPARE(cell.face().cacheKey(), kept); // painted again from the same face
        cell.setUnlitColour(rgb(0, 255, 0));
        QTRY_VERIFY(shown() != before);
        cell.setBackColour(rgb(0, 0, 255));
        QTRY_COMPARE(shown().pixel(0, 0), qRgb(0, 0, 255));
        const QImage blue = shown();
        cell.setDigitStyle(1);
        QTRY_VERIFY(shown() != blue);
        cell.resize(cell.width() + 20, cell.height());
        QCOMPARE(cell.grab().toImage().pixel(cell.width() - 1, 0), qRgb(0, 0, 255));
    }
};

LUMINA_TEST_MAIN(tst_Digits)
#include "tst_digits.moc"
