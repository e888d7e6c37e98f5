#include "hostlib/TicketPlugin.h"

#include "hostlib/HostLib.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPlainTextEdit>

#include <cmath>
#include <initializer_list>
#include <limits>

namespace lumina {

namespace {

constexpr int kFormatVersion = 1;

// Every check below stops the read at the first fault; the message names
// where it is, so that a hand-written file can be put right.
class Parser
{
public:
    QString error;

    bool fail(const QString &message)
    {
        if (error.isEmpty())
            error = message;
        return false;
    }

    bool onlyKeys(const QJsonObject &object, std::initializer_list<const char *> allowed,
                  const QString &where)
    {
        for (auto it = object.begin(); it != object.end(); ++it) {
            bool known = false;
            for (const char *key : allowed)
                known = known || it.key() == QLatin1StringView(key);
            if (!known)
                return fail(QStringLiteral("%1: unknown key \"%2\"").arg(where, it.key().left(40)));
        }
        return true;
    }

    // A whole number within [low, high]; true and false count as 1 and 0.
    bool integer(const QJsonValue &value, qint64 low, qint64 high, const QString &where,
                 qint32 &out)
    {
        if (value.isBool()) {
            out = value.toBool() ? 1 : 0;
            return out >= low && out <= high ? true : fail(where + QStringLiteral(": out of range"));
        }
        if (!value.isDouble())
            return fail(where + QStringLiteral(": a number is needed"));
        const double d = value.toDouble();
        if (!std::isfinite(d) || std::floor(d) != d)
            return fail(where + QStringLiteral(": a whole number is needed"));
        if (d < double(low) || d > double(high))
            return fail(where + QStringLiteral(": out of range"));
        out = qint32(d);
        return true;
    }

    bool required(const QJsonObject &object, const char *key, qint64 low, qint64 high,
                  const QString &where, qint32 &out)
    {
        if (!object.contains(QLatin1StringView(key)))
            return fail(QStringLiteral("%1: \"%2\" is missing").arg(where, QLatin1StringView(key)));
        return integer(object.value(QLatin1StringView(key)), low, high,
                       where + QLatin1Char('.') + QLatin1StringView(key), out);
    }

    bool optional(const QJsonObject &object, const char *key, qint64 low, qint64 high,
                  const QString &where, qint32 &out)
    {
        if (!object.contains(QLatin1StringView(key)))
            return true;
        return integer(object.value(QLatin1StringView(key)), low, high,
                       where + QLatin1Char('.') + QLatin1StringView(key), out);
    }

    bool text(const QJsonValue &value, int maxLength, const QString &where, QString &out)
    {
        if (!value.isString())
            return fail(where + QStringLiteral(": a text is needed"));
        out = value.toString();
        if (out.size() > maxLength)
            return fail(where + QStringLiteral(": too long"));
        return true;
    }

    bool color(const QJsonValue &value, const QString &where, QColor &out)
    {
        QString name;
        if (!text(value, 7, where, name))
            return false;
        static const QLatin1StringView digits("0123456789abcdefABCDEF");
        bool ok = name.size() == 7 && name.at(0) == QLatin1Char('#');
        for (qsizetype i = 1; ok && i < name.size(); ++i)
            ok = digits.contains(name.at(i));
        if (!ok)
            return fail(where + QStringLiteral(": a colour is written #rrggbb"));
        out = QColor::fromString(name);
        return true;
    }

    bool templ(const QJsonValue &value, const QString &where, TicketTemplate &out);
    bool element(const QJsonValue &value, const QString &where, const TicketPlugin &plugin,
                 TicketElement &out);
};

struct FieldName {
    const char *name;
    TicketPart::Field field;
    bool numeric;
};
constexpr FieldName kFields[] = {
    {"stop", TicketPart::Field::Stop, false},
    {"date", TicketPart::Field::Date, false},
    {"year", TicketPart::Field::Year, true},
    {"month", TicketPart::Field::Month, true},
    {"day", TicketPart::Field::Day, true},
    {"time", TicketPart::Field::Time, false},
    {"route", TicketPart::Field::Route, true},
    {"ticket", TicketPart::Field::Ticket, true},
    {"position", TicketPart::Field::Position, true},
    {"company", TicketPart::Field::Company, false},
};

bool Parser::templ(const QJsonValue &value, const QString &where, TicketTemplate &out)
{
    QString source;
    if (!text(value, plugin::kMaxTextLength, where, source))
        return false;
    out.clear();
    QString literal;
    const auto flush = [&] {
        if (!literal.isEmpty()) {
            TicketPart part;
            part.literal = literal;
            out.append(part);
            literal.clear();
        }
    };
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (c == QLatin1Char('}')) {
            if (i + 1 < source.size() && source.at(i + 1) == QLatin1Char('}')) {
                literal += c;
                ++i;
                continue;
            }
            return fail(where + QStringLiteral(": a lone \"}\" (write \"}}\")"));
        }
        if (c != QLatin1Char('{')) {
            literal += c;
            continue;
        }
        if (i + 1 < source.size() && source.at(i + 1) == QLatin1Char('{')) {
            literal += c;
            ++i;
            continue;
        }
        const qsizetype end = source.indexOf(QLatin1Char('}'), i + 1);
        if (end < 0)
            return fail(where + QStringLiteral(": a \"{\" without its \"}\""));
        const QString inside = source.mid(i + 1, end - i - 1);
        const qsizetype colon = inside.indexOf(QLatin1Char(':'));
        const QString name = colon < 0 ? inside : inside.left(colon);
        TicketPart part;
        const FieldName *found = nullptr;
        for (const FieldName &f : kFields)
            if (name == QLatin1StringView(f.name))
                found = &f;
        if (!found)
            return fail(where + QStringLiteral(": unknown field {%1}").arg(name.left(40)));
        part.field = found->field;
        if (colon >= 0) {
            bool ok = false;
            const int pad = inside.mid(colon + 1).toInt(&ok);
            if (!found->numeric || !ok || pad < 1 || pad > plugin::kMaxPadWidth)
                return fail(where + QStringLiteral(": bad width in {%1}").arg(inside.left(40)));
            part.pad = pad;
        }
        flush();
        out.append(part);
        i = end;
    }
    flush();
    return true;
}

bool Parser::element(const QJsonValue &value, const QString &where, const TicketPlugin &plugin,
                     TicketElement &out)
{
    if (!value.isObject())
        return fail(where + QStringLiteral(": an object is needed"));
    const QJsonObject o = value.toObject();
    const QString type = o.value(QLatin1StringView("type")).toString();
    const qint32 w = plugin.info.previewWidth;
    const qint32 h = plugin.info.previewHeight;

    // The area of text, boxes and barcodes lies wholly on the ticket.
    const auto area = [&]() {
        return required(o, "x", 0, w - 1, where, out.x) && required(o, "y", 0, h - 1, where, out.y)
            && required(o, "width", 1, w - out.x, where, out.width)
            && required(o, "height", 1, h - out.y, where, out.height);
    };
    const auto colour = [&]() {
        return !o.contains(QLatin1StringView("color"))
            || color(o.value(QLatin1StringView("color")), where + QStringLiteral(".color"), out.color);
    };

    if (type == QLatin1StringView("text")) {
        out.kind = TicketElement::Kind::Text;
        if (!onlyKeys(o, {"type", "x", "y", "width", "height", "text", "font", "size", "bold", "align", "color"},
                      where)
            || !area() || !colour())
            return false;
        if (!o.contains(QLatin1StringView("text")))
            return fail(where + QStringLiteral(": \"text\" is missing"));
        if (!templ(o.value(QLatin1StringView("text")), where + QStringLiteral(".text"), out.text))
            return false;
        out.font = QStringLiteral("IPAGothic");
        if (o.contains(QLatin1StringView("font"))
            && !text(o.value(QLatin1StringView("font")), plugin::kMaxTextLength,
                     where + QStringLiteral(".font"), out.font))
            return false;
        if (o.contains(QLatin1StringView("size"))) {
            const QJsonValue size = o.value(QLatin1StringView("size"));
            const double pt = size.toDouble(-1);
            if (!size.isDouble() || !(pt >= plugin::kMinFontPoints && pt <= plugin::kMaxFontPoints))
                return fail(where + QStringLiteral(".size: out of range"));
            out.points = pt;
        }
        if (o.contains(QLatin1StringView("bold"))) {
            if (!o.value(QLatin1StringView("bold")).isBool())
                return fail(where + QStringLiteral(".bold: true or false"));
            out.bold = o.value(QLatin1StringView("bold")).toBool();
        }
        if (o.contains(QLatin1StringView("align"))) {
            const QString a = o.value(QLatin1StringView("align")).toString();
            if (a == QLatin1StringView("left"))
                out.align = Qt::AlignLeft;
            else if (a == QLatin1StringView("center"))
                out.align = Qt::AlignHCenter;
            else if (a == QLatin1StringView("right"))
                out.align = Qt::AlignRight;
            else
                return fail(where + QStringLiteral(".align: left, center or right"));
        }
        return true;
    }
    if (type == QLatin1StringView("line")) {
        out.kind = TicketElement::Kind::Line;
        qint32 x2 = 0, y2 = 0;
        if (!onlyKeys(o, {"type", "x1", "y1", "x2", "y2", "pen", "color"}, where)
            || !required(o, "x1", 0, w, where, out.x) || !required(o, "y1", 0, h, where, out.y)
            || !required(o, "x2", 0, w, where, x2) || !required(o, "y2", 0, h, where, y2)
            || !optional(o, "pen", 1, plugin::kMaxPenTwips, where, out.pen) || !colour())
            return false;
        out.width = x2 - out.x;
        out.height = y2 - out.y;
        return true;
    }
    if (type == QLatin1StringView("box")) {
        out.kind = TicketElement::Kind::Box;
        if (!onlyKeys(o, {"type", "x", "y", "width", "height", "pen", "color", "fill"}, where)
            || !area() || !optional(o, "pen", 0, plugin::kMaxPenTwips, where, out.pen) || !colour())
            return false;
        return !o.contains(QLatin1StringView("fill"))
            || color(o.value(QLatin1StringView("fill")), where + QStringLiteral(".fill"), out.fill);
    }
    if (type == QLatin1StringView("barcode")) {
        out.kind = TicketElement::Kind::Barcode;
        if (plugin.info.printsBarcode != 1)
            return fail(where + QStringLiteral(": a barcode needs \"prints\".\"barcode\" 1"));
        if (!onlyKeys(o, {"type", "x", "y", "width", "height", "symbology", "data", "color"}, where)
            || !area() || !colour())
            return false;
        if (!o.contains(QLatin1StringView("data")))
            return fail(where + QStringLiteral(": \"data\" is missing"));
        if (!templ(o.value(QLatin1StringView("data")), where + QStringLiteral(".data"), out.text))
            return false;
        const QString s = o.value(QLatin1StringView("symbology")).toString(QStringLiteral("code128"));
        if (s == QLatin1StringView("code128"))
            out.symbology = TicketElement::Symbology::Code128;
        else if (s == QLatin1StringView("itf"))
            out.symbology = TicketElement::Symbology::Itf;
        else if (s == QLatin1StringView("nw7"))
            out.symbology = TicketElement::Symbology::Nw7;
        else if (s == QLatin1StringView("qr"))
            out.symbology = TicketElement::Symbology::Qr;
        else
            return fail(where + QStringLiteral(".symbology: code128, itf, nw7 or qr"));
        return true;
    }
    return fail(where + QStringLiteral(": \"type\" is text, line, box or barcode"));
}

std::optional<TicketPlugin> parse(const QByteArray &bytes, QString &error)
{
    Parser p;
    const auto failed = [&]() -> std::optional<TicketPlugin> {
        error = p.error;
        return std::nullopt;
    };

    QJsonParseError jsonError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &jsonError);
    if (jsonError.error != QJsonParseError::NoError) {
        p.fail(QStringLiteral("not JSON at byte %1: %2").arg(jsonError.offset).arg(jsonError.errorString()));
        return failed();
    }
    if (!doc.isObject()) {
        p.fail(QStringLiteral("the file holds no JSON object"));
        return failed();
    }
    const QJsonObject root = doc.object();
    const QString top = QStringLiteral("file");
    qint32 version = 0;
    if (!p.onlyKeys(root, {"lumina-ticket-plugin", "preview", "prints", "barcode", "companies",
                           "remarks", "stopName", "paper", "elements"},
                    top)
        || !p.required(root, "lumina-ticket-plugin", kFormatVersion, kFormatVersion, top, version))
        return failed();

    TicketPlugin plugin;
    PlugInInfo &info = plugin.info;
    info.recordSize = qint32(sizeof(PlugInInfo));
    constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();
    constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();

    const QJsonObject preview = root.value(QLatin1StringView("preview")).toObject();
    const QString pw = QStringLiteral("preview");
    if (!root.value(QLatin1StringView("preview")).isObject())
        return p.fail(pw + QStringLiteral(": an object is needed")), failed();
    if (!p.onlyKeys(preview, {"width", "height"}, pw)
        || !p.required(preview, "width", plugin::kMinPreviewTwips, plugin::kMaxPreviewWidth, pw,
                       info.previewWidth)
        || !p.required(preview, "height", plugin::kMinPreviewTwips, plugin::kMaxPreviewHeight, pw,
                       info.previewHeight))
        return failed();

    if (root.contains(QLatin1StringView("prints"))) {
        const QString where = QStringLiteral("prints");
        if (!root.value(QLatin1StringView("prints")).isObject())
            return p.fail(where + QStringLiteral(": an object is needed")), failed();
        const QJsonObject prints = root.value(QLatin1StringView("prints")).toObject();
        if (!p.onlyKeys(prints, {"date", "time", "routeNo", "stopName", "barcode"}, where)
            || !p.optional(prints, "date", kMin32, kMax32, where, info.printsDate)
            || !p.optional(prints, "time", kMin32, kMax32, where, info.printsTime)
            || !p.optional(prints, "routeNo", kMin32, kMax32, where, info.printsRouteNumber)
            || !p.optional(prints, "stopName", kMin32, kMax32, where, info.printsStopName)
            || !p.optional(prints, "barcode", kMin32, kMax32, where, info.printsBarcode))
            return failed();
    }

    if (root.contains(QLatin1StringView("barcode"))) {
        const QString where = QStringLiteral("barcode");
        if (!root.value(QLatin1StringView("barcode")).isObject())
            return p.fail(where + QStringLiteral(": an object is needed")), failed();
        const QJsonObject b = root.value(QLatin1StringView("barcode")).toObject();
        if (!p.onlyKeys(b, {"count", "routeMode", "maxRouteNo", "firstStop", "lastStop"}, where)
            || !p.required(b, "count", 0, plugin::kMaxBarcodes, where, info.barcodeCount)
            || !p.required(b, "routeMode", kMin32, kMax32, where, info.barcodeRouteMode)
            || !p.required(b, "maxRouteNo", 1, 99999, where, info.maxRouteNumber)
            || !p.required(b, "firstStop", 1, 999, where, info.barcodeFirstStop)
            || !p.required(b, "lastStop", info.barcodeFirstStop, 999, where, info.barcodeLastStop))
            return failed();
    } else if (info.printsBarcode == 1) {
        p.fail(QStringLiteral("\"barcode\" is missing for a plug-in that prints one"));
        return failed();
    }

    if (root.contains(QLatin1StringView("companies"))) {
        const QJsonValue value = root.value(QLatin1StringView("companies"));
        if (!value.isArray() || value.toArray().size() > plugin::kMaxCompanies) {
            p.fail(QStringLiteral("companies: a list of at most %1 names").arg(plugin::kMaxCompanies));
            return failed();
        }
        const QJsonArray names = value.toArray();
        for (qsizetype i = 0; i < names.size(); ++i) {
            QString name;
            const QString where = QStringLiteral("companies[%1]").arg(i);
            if (!p.text(names.at(i), plugin::kMaxTextLength, where, name))
                return failed();
            if (name.trimmed().isEmpty())
                return p.fail(where + QStringLiteral(": empty")), failed();
            plugin.companies.append(name);
        }
    }
    info.companyCount = qint32(plugin.companies.size());

    if (root.contains(QLatin1StringView("remarks"))
        && !p.text(root.value(QLatin1StringView("remarks")), plugin::kMaxRemarksLength,
                   QStringLiteral("remarks"), plugin.remarks))
        return failed();

    if (root.contains(QLatin1StringView("stopName"))) {
        const QString where = QStringLiteral("stopName");
        const QJsonObject rule = root.value(QLatin1StringView("stopName")).toObject();
        qint32 maxLength = 0;
        if (!root.value(QLatin1StringView("stopName")).isObject())
            return p.fail(where + QStringLiteral(": an object is needed")), failed();
        if (!p.onlyKeys(rule, {"maxLength"}, where)
            || !p.required(rule, "maxLength", 1, plugin::kMaxStopNameLength, where, maxLength))
            return failed();
        plugin.stopNameMaxLength = maxLength;
    }

    if (root.contains(QLatin1StringView("paper"))
        && !p.color(root.value(QLatin1StringView("paper")), QStringLiteral("paper"), plugin.paper))
        return failed();

    const QJsonValue elements = root.value(QLatin1StringView("elements"));
    if (!elements.isArray() || elements.toArray().size() > plugin::kMaxElements) {
        p.fail(QStringLiteral("elements: a list of at most %1 elements").arg(plugin::kMaxElements));
        return failed();
    }
    const QJsonArray list = elements.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        TicketElement element;
        if (!p.element(list.at(i), QStringLiteral("elements[%1]").arg(i), plugin, element))
            return failed();
        plugin.elements.append(element);
    }
    return plugin;
}

} // namespace

std::optional<TicketPlugin> TicketPluginReader::read(const QByteArray &bytes)
{
    m_error.clear();
    if (bytes.size() > plugin::kMaxFileBytes) {
        m_error = QStringLiteral("the file is larger than %1 bytes").arg(plugin::kMaxFileBytes);
        return std::nullopt;
    }
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    return parse(body, m_error);
}

std::optional<TicketPlugin> TicketPluginReader::read(QIODevice *device)
{
    m_error.clear();
    if (!device || !device->isReadable()) {
        m_error = QStringLiteral("the device cannot be read");
        return std::nullopt;
    }
    // One byte beyond the bound tells an oversized file without reading it all.
    QByteArray bytes(plugin::kMaxFileBytes + 1, Qt::Uninitialized);
    qint64 total = 0;
    while (total < bytes.size()) {
        const qint64 n = device->read(bytes.data() + total, bytes.size() - total);
        if (n < 0) {
            m_error = QStringLiteral("read error: ") + device->errorString();
            return std::nullopt;
        }
        if (n == 0)
            break;
        total += n;
    }
    bytes.truncate(total);
    return read(bytes);
}

const TicketPlugin *loadedPlugin(const QString &path)
{
    struct Cache {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        std::optional<TicketPlugin> plugin;
    };
    static Cache cache;

    if (path.isEmpty())
        return nullptr;
    const QFileInfo file(path);
    if (!file.isFile())
        return nullptr;
    if (cache.path == path && cache.size == file.size() && cache.modified == file.lastModified())
        return cache.plugin ? &*cache.plugin : nullptr;

    cache = Cache{path, file.size(), file.lastModified(), std::nullopt};
    QFile device(path);
    if (device.open(QIODevice::ReadOnly)) {
        TicketPluginReader reader;
        cache.plugin = reader.read(&device);
    }
    return cache.plugin ? &*cache.plugin : nullptr;
}

// The host library's plug-in service, built on the plug-in files above.

int HostLib::plugInInfo(const QString &path, PlugInInfo &info)
{
    const TicketPlugin *plugin = loadedPlugin(path);
    if (!plugin)
        return 0;
    info = plugin->info;
    return 1;
}

void HostLib::showPlugInRemarks(const QString &path, QPlainTextEdit *box)
{
    if (const TicketPlugin *plugin = loadedPlugin(path); plugin && box)
        box->setPlainText(plugin->remarks);
}

void HostLib::addPlugInCompanies(const QString &path, QComboBox *box)
{
    if (const TicketPlugin *plugin = loadedPlugin(path); plugin && box)
        box->addItems(plugin->companies);
}

void HostLib::drawTicket(const QString &path, QImage &picture, QString &stopName,
                                QString &date, const QString &time, qint32 routeNumber,
                                qint16 ticketNumber, qint16 position, qint32 company)
{
    const TicketPlugin *plugin = loadedPlugin(path);
    if (!plugin || picture.isNull())
        return;
    TicketFields fields{stopName, date, time, routeNumber, ticketNumber, position, company};
    {
        QPainter painter(&picture);
        plugin->draw(painter, fields);
    }
    stopName = plugin->stopNameFor(stopName);
}

} // namespace lumina
