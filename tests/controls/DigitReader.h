#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

#include <functional>
#include <limits>

namespace lumina::test {

// Reads a seven-segment face position by position. Each pixel is sorted into
// background, unlit segment or lit segment by the nearest of the three colours;
// a position reads as the character whose reference face (the same control
// showing that character in every position) sorts the same pixels the same way.
class DigitReader
{
public:
    using Reference = std::function<QImage(const QString &text)>;
    using Span = std::function<QRect(int position)>;

    DigitReader(QColor back, QColor unlit, QColor lit)
        : m_colors{back, unlit, lit}
    {
    }

    // 0 background, 1 unlit, 2 lit.
    int classOf(QRgb pixel) const
    {
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (int c = 0; c < 3; ++c) {
            const int dr = qRed(pixel) - m_colors[c].red();
            const int dg = qGreen(pixel) - m_colors[c].green();
            const int db = qBlue(pixel) - m_colors[c].blue();
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = c;
            }
        }
        return best;
    }

    // Pixels of `span` sorted differently in the two images.
    int mismatches(const QImage &a, const QImage &b, const QRect &span) const
    {
        const QImage ia = a.convertToFormat(QImage::Format_RGB32);
        const QImage ib = b.convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = span.top(); y <= span.bottom(); ++y) {
            for (int x = span.left(); x <= span.right(); ++x) {
                if (classOf(ia.pixel(x, y)) != classOf(ib.pixel(x, y)))
                    ++count;
            }
        }
        return count;
    }

    int count(const QImage &image, const QRect &span, int cls) const
    {
        const QImage img = image.convertToFormat(QImage::Format_RGB32);
        int n = 0;
        for (int y = span.top(); y <= span.bottom(); ++y) {
            for (int x = span.left(); x <= span.right(); ++x) {
                if (classOf(img.pixel(x, y)) == cls)
                    ++n;
            }
        }
        return n;
    }

    // The characters shown, "?" where no reference matches closely.
    QString read(const QImage &face, int keta, const Span &span, const Reference &reference,
                 const QString &alphabet = QStringLiteral(" 0123456789-")) const
    {
        QList<QImage> refs;
        for (QChar c : alphabet)
            refs << reference(QString(keta, c));
        QString result;
        for (int pos = 0; pos < keta; ++pos) {
            const QRect r = span(pos).intersected(face.rect());
            int best = -1;
            int bestCount = std::numeric_limits<int>::max();
            for (qsizetype k = 0; k < alphabet.size(); ++k) {
                const int m = mismatches(face, refs[k], r);
                if (m < bestCount) {
                    bestCount = m;
                    best = int(k);
                }
            }
            // A few edge pixels may differ; a wrong digit differs by whole segments.
            const bool close = r.width() * r.height() > 0
                               && bestCount * 50 <= r.width() * r.height();
            result += close ? alphabet[best] : QChar(u'?');
        }
        return result;
    }

private:
    QColor m_colors[3];
};

} // namespace lumina::test
