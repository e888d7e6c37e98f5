#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

class QIODevice;
class QPainter;

namespace lumina {

// What a ticket plug-in tells about itself: 14 signed 32-bit fields, 56 bytes,
// in this order. For the capability fields only 1 means yes.
struct PlugInInfo {
    qint32 recordSize = 0; // the plug-in writes the record's size here
    qint32 previewWidth = 0; // twips
    qint32 previewHeight = 0; // twips
    qint32 printsDate = 0;
    qint32 printsTime = 0;
    qint32 printsRouteNumber = 0;
    qint32 printsStopName = 0;
    qint32 printsBarcode = 0;
    // The next five are meaningful only with printsBarcode 1.
    qint32 barcodeCount = 0;
    qint32 maxRouteNumber = 0;
    qint32 barcodeRouteMode = 0; // 1: route as a serial number
    qint32 barcodeFirstStop = 0;
    qint32 barcodeLastStop = 0;
    qint32 companyCount = 0;
};
static_assert(sizeof(PlugInInfo) == 56, "the plug-in record is 14 32-bit fields");

// Bounds a plug-in file must keep; a file beyond any of them is refused whole.
namespace plugin {
constexpr qint64 kMaxFileBytes = 64 * 1024;
constexpr int kMaxElements = 64;
constexpr int kMaxCompanies = 16;
constexpr int kMaxTextLength = 200; // a text template, a company name, a font family
constexpr int kMaxRemarksLength = 2000;
constexpr int kMaxBarcodes = 8;
// The preview must fit the panel's preview area (open panel, above the
// company list).
constexpr int kMinPreviewTwips = 150;
constexpr int kMaxPreviewWidth = 3480;
constexpr int kMaxPreviewHeight = 1740;
constexpr double kMinFontPoints = 4;
constexpr double kMaxFontPoints = 72;
constexpr int kMaxPenTwips = 150;
constexpr int kMaxStopNameLength = 64;
constexpr int kMaxPadWidth = 9;
} // namespace plugin

// The values one ticket is printed with.
struct TicketFields {
    QString stopName;
    QString date; // "mm-dd-yyyy" or "yyyy/mm/dd"
    QString time; // "hh:mm:ss"
    qint32 routeNumber = 0;
    qint16 ticketNumber = 0;
    qint16 position = 0;
    qint32 company = -1; // index into the company names, -1 for none
};

// One piece of text, fixed or taken from the ticket's fields. Templates are
// split into these once, when the file is read.
struct TicketPart {
    enum class Field { None, Stop, Date, Year, Month, Day, Time, Route, Ticket, Position, Company };
    Field field = Field::None;
    QString literal; // for Field::None
    int pad = 0; // numbers: at least this many digits, leading zeros
};
using TicketTemplate = QList<TicketPart>;

struct TicketElement {
    enum class Kind { Text, Line, Box, Barcode };
    enum class Symbology { Code128, Itf, Nw7, Qr };
    Kind kind = Kind::Text;
    // Twips from the ticket's top-left corner. A line runs from (x, y) to
    // (x + width, y + height).
    int x = 0, y = 0, width = 0, height = 0;
    QColor color = Qt::black;
    QColor fill; // boxes; invalid: not filled
    int pen = 15; // lines and boxes, twips
    TicketTemplate text; // text, or the barcode's data
    QString font;
    double points = 10;
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft;
    Symbology symbology = Symbology::Code128;
};

// A ticket plug-in: a declarative description of a printed ticket. It is data
// only; nothing in it is ever run.
class TicketPlugin
{
public:
    PlugInInfo info;
    QString remarks;
    QStringList companies;
    int stopNameMaxLength = 0; // 0: the stop name comes back unchanged
    QColor paper = Qt::white;
    QList<TicketElement> elements;

    // The stop name handed back after drawing.
    QString stopNameFor(const QString &name) const;
    // A template filled with the fields.
    QString expand(const TicketTemplate &parts, const TicketFields &fields) const;
    // Draws the ticket with its top-left corner at the painter's origin,
    // 15 twips to a pixel.
    void draw(QPainter &painter, const TicketFields &fields) const;
};

// Reads plug-in files (UTF-8 JSON, see docs/ticket-plugins.md).
class TicketPluginReader
{
public:
    // Nothing when the device does not hold a valid plug-in within the bounds.
    std::optional<TicketPlugin> read(QIODevice *device);
    std::optional<TicketPlugin> read(const QByteArray &bytes);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};

// The plug-in at `path`, read once and kept as long as the file's size and
// time stay the same; nullptr when it is no valid plug-in.
const TicketPlugin *loadedPlugin(const QString &path);
// Why loadedPlugin(path) gives nullptr, in the reader's words ("size: out of
// range"); empty for a valid plug-in.
QString plugInProblem(const QString &path);

} // namespace lumina
