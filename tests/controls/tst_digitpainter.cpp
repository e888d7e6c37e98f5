#include "TestMain.h"

#include "controls/DigitPainter.h"

#include <QPainter>
#include <QPainterPath>

using namespace lumina;

class tst_DigitPainter : public QObject
{
    Q_OBJECT

private slots:
    void faceNames_data();
    void faceNames();
    void eightFillsThePosition_data();
    void eightFillsThePosition();
    void blanks();
    void sameAtDoubleDensity();
};

void tst_DigitPainter::faceNames_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("face");
    QTest::newRow("0") << 0 << "M_DegitA";
    QTest::newRow("1") << 1 << "M_DegitB";
    QTest::newRow("2") << 2 << "M_DegitC";
    QTest::newRow("5") << 5 << "M_DegitA";
    QTest::newRow("-1") << -1 << "M_DegitA";
}

void tst_DigitPainter::faceNames()
{
    QFETCH(int, style);
    QFETCH(QString, face);
    QCOMPARE(digit::faceName(style), face);
}

void tst_DigitPainter::eightFillsThePosition_data()
{
    QTest::addColumn<QString>("face");
    QTest::newRow("A") << "M_DegitA";
    QTest::newRow("B") << "M_DegitB";
    QTest::newRow("C") << "M_DegitC";
}

void tst_DigitPainter::eightFillsThePosition()
{
    QFETCH(QString, face);
    for (bool bold : {false, true}) {
        const QRectF eight = digit::unitGlyph(face, bold, u'8').boundingRect();
        QVERIFY(qAbs(eight.top()) < 1e-6);
        QVERIFY(qAbs(eight.bottom() - 1.0) < 1e-6);
        // Inside its position, with room on both sides.
        QVERIFY(eight.left() > 0.0 && eight.right() < 1.0);
        // Every other digit and the minus sign light only segments of the "8".
        for (QChar c : QStringLiteral("0123456789-")) {
            const QRectF r = digit::unitGlyph(face, bold, c).boundingRect();
            QVERIFY2(eight.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(r), qPrintable(QString(c)));
        }
    }
}

void tst_DigitPainter::blanks()
{
    QVERIFY(digit::unitGlyph(QStringLiteral("M_DegitB"), false, u' ').isEmpty());
    // Characters the face does not have stay dark rather than borrowing
    // another font's shapes and widths.
    QVERIFY(digit::unitGlyph(QStringLiteral("M_DegitB"), false, u'運').isEmpty());
}

void tst_DigitPainter::sameAtDoubleDensity()
{
    const auto paint = [](QSize size, qreal dpr) {
        QImage image(size * dpr, QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::black);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        digit::paintRow(p, QStringLiteral("M_DegitA"), false, QStringLiteral("4 7"),
                        QRectF(0.5, 1.5, 11.25, 15), 11.25, Qt::white);
        return image;
    };
    const QImage doubled = paint(QSize(34, 20), 2.0);
    QCOMPARE(doubled.size(), QSize(68, 40));
    // The same as drawing twice as large at single density.
    QImage big(QSize(68, 40), QImage::Format_RGB32);
    big.fill(Qt::black);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        digit::paintRow(p, QStringLiteral("M_DegitA"), false, QStringLiteral("4 7"),
                        QRectF(1, 3, 22.5, 30), 22.5, Qt::white);
    }
    int differing = 0, lit = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 68; ++x) {
            const int a = qGray(doubled.pixel(x, y));
            const int b = qGray(big.pixel(x, y));
            if (qAbs(a - b) > 16)
                ++differing;
            if (a > 128)
                ++lit;
        }
    }
    QVERIFY(lit > 100);
    QCOMPARE(differing, 0);
    // The blank middle position stays dark.
    for (int y = 0; y < 40; ++y) {
        for (int x = 24; x < 45; ++x)
            QCOMPARE(qGray(doubled.pixel(x, y)), 0);
    }
}

LUMINA_TEST_MAIN(tst_DigitPainter)
#include "tst_digitpainter.moc"
