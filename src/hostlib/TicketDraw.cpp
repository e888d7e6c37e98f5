// Drawing a ticket from its plug-in description. Barcodes are encoded by zint,
// whose vector output gives the bars (or modules) as rectangles.

#include "hostlib/TicketPlugin.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace lumina {

namespace {

constexpr double kTwipsPerPixel = 15.0;

QRectF pixels(const TicketElement &e)
{
    return QRectF(e.x / kTwipsPerPixel, e.y / kTwipsPerPixel, e.width / kTwipsPerPixel,
                  e.height / kTwipsPerPixel);
}

QString number(qint64 value, int pad)
{
    const QString digits = QString::number(value < 0 ? -value : value)
                               .rightJustified(pad, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

// Year, month and day from either date form the program hands over:
// "mm-dd-yyyy" (the system date) or "yyyy/mm/dd" (a fixed date).
struct DateParts {
    int year = 0, month = 0, day = 0;
    bool valid = false;
};

DateParts dateParts(const QString &date)
{
    DateParts d;
    const QList<QStringView> dashed = QStringView(date).split(QLatin1Char('-'));
    const QList<QStringView> slashed = QStringView(date).split(QLatin1Char('/'));
    bool ok[3] = {};
    if (dashed.size() == 3) {
        d.month = dashed[0].toInt(&ok[0]);
        d.day = dashed[1].toInt(&ok[1]);
        d.year = dashed[2].toInt(&ok[2]);
    } else if (slashed.size() == 3) {
        d.year = slashed[0].toInt(&ok[0]);
        d.month = slashed[1].toInt(&ok[1]);
        d.day = slashed[2].toInt(&ok[2]);
    }
    d.valid = ok[0] && ok[1] && ok[2];
    return d;
}

struct ZintSymbol {
    void operator()(zint_symbol *s) const { ZBarcode_Delete(s); }
};

// A code as zint lays it out: its size and its dark modules, in modules.
struct EncodedCode {
    float width = 0, height = 0;
    QList<QRectF> bars;
};

std::optional<EncodedCode> encode(TicketElement::Symbology kind, const QString &data)
{
    QByteArray bytes;
    int symbology = BARCODE_CODE128;
    int inputMode = DATA_MODE;
    switch (kind) {
    case TicketElement::Symbology::Code128:
        bytes = data.toLatin1();
        break;
    case TicketElement::Symbology::Itf:
        symbology = BARCODE_C25INTER;
        bytes = data.toLatin1();
        break;
    case TicketElement::Symbology::Nw7:
        symbology = BARCODE_CODABAR;
        // The start and stop characters are the printer's, not the data's.
        bytes = data.toLatin1();
        if (bytes.isEmpty() || !QByteArrayView("ABCD").contains(bytes.at(0)))
            bytes = 'A' + bytes + 'A';
        break;
    case TicketElement::Symbology::Qr:
        symbology = BARCODE_QRCODE;
        inputMode = UNICODE_MODE;
        bytes = data.toUtf8();
        break;
    }
    if (bytes.isEmpty() || (inputMode == DATA_MODE && data.toLatin1() != data.toUtf8()))
        return std::nullopt; // nothing a linear code can carry
    const std::unique_ptr<zint_symbol, ZintSymbol> symbol(ZBarcode_Create());
    if (!symbol)
        return std::nullopt;
    symbol->symbology = symbology;
    symbol->input_mode = inputMode;
    symbol->show_hrt = 0; // no whitespace and no border are zint's defaults
    if (ZBarcode_Encode_and_Buffer_Vector(symbol.get(),
                                          reinterpret_cast<const unsigned char *>(bytes.constData()),
                                          int(bytes.size()), 0)
        >= ZINT_ERROR)
        return std::nullopt;
    const zint_vector *vector = symbol->vector;
    if (!vector || vector->width <= 0 || vector->height <= 0)
        return std::nullopt;
    EncodedCode code{vector->width, vector->height, {}};
    for (const zint_vector_rect *r = vector->rectangles; r; r = r->next) {
        if (r->colour <= 0 || r->colour == 7) // foreground or black, not zint's colours
            code.bars.append(QRectF(r->x, r->y, r->width, r->height));
    }
    return code;
}

// The codes of the last tickets: a route steps through a few dozen stops, and
// the time on a ticket is seldom part of its code.
const std::optional<EncodedCode> &encoded(TicketElement::Symbology kind, const QString &data)
{
    static QHash<QString, std::optional<EncodedCode>> cache;
    constexpr qsizetype kCachedCodes = 256;
    const QString key = QString::number(int(kind)) + QLatin1Char(':') + data;
    auto it = cache.constFind(key);
    if (it == cache.constEnd()) {
        if (cache.size() >= kCachedCodes)
            cache.clear();
        it = cache.insert(key, encode(kind, data));
    }
    return *it;
}

void drawBarcode(QPainter &painter, const TicketElement &e, const QString &data)
{
    const std::optional<EncodedCode> &code = encoded(e.symbology, data);
    if (!code)
        return;
    // Whole pixels per module keep the bars even; the code sits centred in
    // its area and is cut at the area's edge when it cannot fit.
    const QRectF area = pixels(e);
    const bool square = e.symbology == TicketElement::Symbology::Qr;
    double moduleX = std::max(1.0, std::floor(area.width() / code->width));
    double moduleY = area.height() / code->height;
    if (square) {
        moduleX = std::max(1.0, std::floor(std::min(area.width() / code->width,
                                                    area.height() / code->height)));
        moduleY = moduleX;
    }
    const QPointF origin(area.left() + std::max(0.0, (area.width() - code->width * moduleX) / 2),
                         area.top() + std::max(0.0, (area.height() - code->height * moduleY) / 2));
    painter.save();
    painter.setClipRect(area);
    for (const QRectF &bar : code->bars)
        painter.fillRect(QRectF(origin.x() + bar.x() * moduleX, origin.y() + bar.y() * moduleY,
                                bar.width() * moduleX, bar.height() * moduleY),
                         e.color);
    painter.restore();
}

void drawText(QPainter &painter, const TicketElement &e, const QString &text)
{
    if (text.isEmpty())
        return;
    QFont font(e.font);
    font.setPixelSize(std::max(1, int(std::lround(e.points * 96.0 / 72.0))));
    font.setBold(e.bold);
    const QRectF area = pixels(e);
    // A text too wide for its area is narrowed, as a ticket printer condenses
    // a long stop name, down to half its width; beyond that it is cut.
    const double advance = QFontMetricsF(font).horizontalAdvance(text);
    if (advance > area.width() && advance > 0)
        font.setStretch(std::max(50, int(100.0 * area.width() / advance)));
    painter.setFont(font);
    painter.setPen(e.color);
    painter.drawText(area, int(e.align | Qt::AlignVCenter), text);
}

} // namespace

QString TicketPlugin::stopNameFor(const QString &name) const
{
    if (stopNameMaxLength > 0)
        return name.left(stopNameMaxLength); // the whole name when it is no longer
    return name;
}

QString TicketPlugin::expand(const TicketTemplate &parts, const TicketFields &f) const
{
    QString out;
    const DateParts date = dateParts(f.date);
    const auto datePart = [&](int DateParts::*member, int pad) {
        return date.valid ? number(date.*member, pad) : QString();
    };
    for (const TicketPart &part : parts) {
        switch (part.field) {
        case TicketPart::Field::None: out += part.literal; break;
        case TicketPart::Field::Stop: out += stopNameFor(f.stopName); break;
        case TicketPart::Field::Date: out += f.date; break;
        case TicketPart::Field::Year: out += datePart(&DateParts::year, part.pad); break;
        case TicketPart::Field::Month: out += datePart(&DateParts::month, part.pad); break;
        case TicketPart::Field::Day: out += datePart(&DateParts::day, part.pad); break;
        case TicketPart::Field::Time: out += f.time; break;
        case TicketPart::Field::Route: out += number(f.routeNumber, part.pad); break;
        case TicketPart::Field::Ticket: out += number(f.ticketNumber, part.pad); break;
        case TicketPart::Field::Position: out += number(f.position, part.pad); break;
        case TicketPart::Field::Company:
            if (f.company >= 0 && f.company < companies.size())
                out += companies.at(f.company);
            break;
        }
    }
    return out;
}

void TicketPlugin::draw(QPainter &painter, const TicketFields &fields) const
{
    painter.save();
    painter.fillRect(QRectF(0, 0, info.previewWidth / kTwipsPerPixel,
                            info.previewHeight / kTwipsPerPixel),
                     paper);
    for (const TicketElement &e : elements) {
        switch (e.kind) {
        case TicketElement::Kind::Text:
            drawText(painter, e, expand(e.text, fields));
            break;
        case TicketElement::Kind::Line:
            painter.setPen(QPen(e.color, e.pen / kTwipsPerPixel, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(e.x / kTwipsPerPixel, e.y / kTwipsPerPixel),
                             QPointF((e.x + e.width) / kTwipsPerPixel,
                                     (e.y + e.height) / kTwipsPerPixel));
            break;
        case TicketElement::Kind::Box: {
            const QRectF area = pixels(e);
            if (e.fill.isValid())
                painter.fillRect(area, e.fill);
            if (e.pen > 0) {
                const double pen = e.pen / kTwipsPerPixel;
                painter.setPen(QPen(e.color, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(area.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
            }
            break;
        }
        case TicketElement::Kind::Barcode:
            drawBarcode(painter, e, expand(e.text, fields));
            break;
        }
    }
    painter.restore();
}

} // namespace lumina
