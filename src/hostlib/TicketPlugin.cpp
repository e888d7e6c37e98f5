#include "hostlib/TicketPlugin.h"

#include "base/DeviceRead.h"
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

    // An optional colour under `key`; `out` keeps its value when there is none.
    bool optionalColor(const QJsonObject &object, const char *key, const QString &where,
                       QColor &out)
    {
        const QLatin1StringView name(key);
        return !object.contains(name) || color(object.value(name), where + QLatin1Char('.') + name, out);
    }

    // The object under `key` of the file; a fault when it is anything else.
    bool section(const QJsonObject &root, const char *key, QJsonObject &out)
    {
        const QJsonValue value = root.value(QLatin1StringView(key));
        if (!value.isObject())
            return fail(QString::fromLatin1(key) + QStringLiteral(": an object is needed"));
        out = value.toObject();
        return true;
    }

    bool textTemplate(const QJsonValue &value, const QString &where, TicketTemplate &out);
    bool placeholder(const QString &inside, const QString &where, TicketPart &out);

    bool element(const QJsonValue &value, const QString &where, const PlugInInfo &info,
                 TicketElement &out);
    bool area(const QJsonObject &object, const QString &where, const PlugInInfo &info,
              TicketElement &out);
    bool textElement(const QJsonObject &object, const QString &where, const PlugInInfo &info,
                     TicketElement &out);
    bool textStyle(const QJsonObject &object, const QString &where, TicketElement &out);
    bool lineElement(const QJsonObject &object, const QString &where, const PlugInInfo &info,
                     TicketElement &out);
    bool boxElement(const QJsonObject &object, const QString &where, const PlugInInfo &info,
                    TicketElement &out);
    bool barcodeElement(const QJsonObject &object, const QString &where, const PlugInInfo &info,
                        TicketElement &out);
    bool symbology(const QJsonObject &object, const QString &where, TicketElement &out);

    bool document(const QByteArray &bytes, QJsonObject &root);
    bool preview(const QJsonObject &root, PlugInInfo &info);
    bool prints(const QJsonObject &root, PlugInInfo &info);
    bool barcode(const QJsonObject &root, PlugInInfo &info);
    bool companies(const QJsonObject &root, TicketPlugin &plugin);
    bool remarksAndPaper(const QJsonObject &root, TicketPlugin &plugin);
    bool elements(const QJsonObject &root, TicketPlugin &plugin);
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

bool Parser::textTemplate(const QJsonValue &value, const QString &where, TicketTemplate &out)
{
    QString source;
    if (!text(value, plugin::kMaxTextLength, where, source))
        return false;
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
        TicketPart part;
        if (!placeholder(source.mid(i + 1, end - i - 1), where, part))
            return false;
        flush();
        out.append(part);
        i = end;
    }
    flush();
    return true;
}

// What one pair of braces holds: a field name, perhaps with ":width".
bool Parser::placeholder(const QString &inside, const QString &where, TicketPart &out)
{
    const qsizetype colon = inside.indexOf(QLatin1Char(':'));
    const QString name = colon < 0 ? inside : inside.left(colon);
    const FieldName *found = nullptr;
    for (const FieldName &f : kFields)
        if (name == QLatin1StringView(f.name))
            found = &f;
    if (!found)
        return fail(where + QStringLiteral(": unknown field {%1}").arg(name.left(40)));
    out.field = found->field;
    if (colon >= 0) {
        bool ok; // the conversion always sets it
        const int pad = inside.mid(colon + 1).toInt(&ok);
        if (!found->numeric || !ok || pad < 1 || pad > plugin::kMaxPadWidth)
            return fail(where + QStringLiteral(": bad width in {%1}").arg(inside.left(40)));
        out.pad = pad;
    }
    return true;
}

bool Parser::element(const QJsonValue &value, const QString &where, const PlugInInfo &info,
                     TicketElement &out)
{
    if (!value.isObject())
        return fail(where + QStringLiteral(": an object is needed"));
    const QJsonObject o = value.toObject();
    const QString type = o.value(QLatin1StringView("type")).toString();
    if (type == QLatin1StringView("text"))
        return textElement(o, where, info, out);
    if (type == QLatin1StringView("line"))
        return lineElement(o, where, info, out);
    if (type == QLatin1StringView("box"))
        return boxElement(o, where, info, out);
    if (type == QLatin1StringView("barcode"))
        return barcodeElement(o, where, info, out);
    return fail(where + QStringLiteral(": \"type\" is text, line, box or barcode"));
}

// The area of text, boxes and barcodes lies wholly on the ticket.
bool Parser::area(const QJsonObject &o, const QString &where, const PlugInInfo &info,
                  TicketElement &out)
{
    const qint32 w = info.previewWidth;
    const qint32 h = info.previewHeight;
    return required(o, "x", 0, w - 1, where, out.x) && required(o, "y", 0, h - 1, where, out.y)
        && required(o, "width", 1, w - out.x, where, out.width)
        && required(o, "height", 1, h - out.y, where, out.height);
}

bool Parser::textElement(const QJsonObject &o, const QString &where, const PlugInInfo &info,
                         TicketElement &out)
{
    if (!onlyKeys(o, {"type", "x", "y", "width", "height", "text", "font", "size", "bold", "align", "color"},
                  where)
        || !area(o, where, info, out) || !optionalColor(o, "color", where, out.color))
        return false;
    if (!o.contains(QLatin1StringView("text")))
        return fail(where + QStringLiteral(": \"text\" is missing"));
    if (!textTemplate(o.value(QLatin1StringView("text")), where + QStringLiteral(".text"), out.text))
        return false;
    out.font = QStringLiteral("IPAGothic");
    if (o.contains(QLatin1StringView("font"))
        && !text(o.value(QLatin1StringView("font")), plugin::kMaxTextLength,
                 where + QStringLiteral(".font"), out.font))
        return false;
    return textStyle(o, where, out);
}

// Size, weight and alignment of a text.
bool Parser::textStyle(const QJsonObject &o, const QString &where, TicketElement &out)
{
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

bool Parser::lineElement(const QJsonObject &o, const QString &where, const PlugInInfo &info,
                         TicketElement &out)
{
    const qint32 w = info.previewWidth;
    const qint32 h = info.previewHeight;
    out.kind = TicketElement::Kind::Line;
    qint32 x2 = 0, y2 = 0;
    if (!onlyKeys(o, {"type", "x1", "y1", "x2", "y2", "pen", "color"}, where)
        || !required(o, "x1", 0, w, where, out.x) || !required(o, "y1", 0, h, where, out.y)
        || !required(o, "x2", 0, w, where, x2) || !required(o, "y2", 0, h, where, y2)
        || !optional(o, "pen", 1, plugin::kMaxPenTwips, where, out.pen)
        || !optionalColor(o, "color", where, out.color))
        return false;
    out.width = x2 - out.x;
    out.height = y2 - out.y;
    return true;
}

bool Parser::boxElement(const QJsonObject &o, const QString &where, const PlugInInfo &info,
                        TicketElement &out)
{
    out.kind = TicketElement::Kind::Box;
    return onlyKeys(o, {"type", "x", "y", "width", "height", "pen", "color", "fill"}, where)
        && area(o, where, info, out) && optional(o, "pen", 0, plugin::kMaxPenTwips, where, out.pen)
        && optionalColor(o, "color", where, out.color) && optionalColor(o, "fill", where, out.fill);
}

bool Parser::barcodeElement(const QJsonObject &o, const QString &where, const PlugInInfo &info,
                            TicketElement &out)
{
    out.kind = TicketElement::Kind::Barcode;
    if (info.printsBarcode != 1)
        return fail(where + QStringLiteral(": a barcode needs \"prints\".\"barcode\" 1"));
    if (!onlyKeys(o, {"type", "x", "y", "width", "height", "symbology", "data", "color"}, where)
        || !area(o, where, info, out) || !optionalColor(o, "color", where, out.color))
        return false;
    if (!o.contains(QLatin1StringView("data")))
        return fail(where + QStringLiteral(": \"data\" is missing"));
    if (!textTemplate(o.value(QLatin1StringView("data")), where + QStringLiteral(".data"), out.text))
        return false;
    return symbology(o, where, out);
}

bool Parser::symbology(const QJsonObject &o, const QString &where, TicketElement &out)
{
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

// The file's top object, of the one format version this program reads.
bool Parser::document(const QByteArray &bytes, QJsonObject &root)
{
    QJsonParseError jsonError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &jsonError);
    if (jsonError.error != QJsonParseError::NoError)
        return fail(QStringLiteral("not JSON at byte %1: %2").arg(jsonError.offset).arg(jsonError.errorString()));
    if (!doc.isObject())
        return fail(QStringLiteral("the file holds no JSON object"));
    root = doc.object();
    const QString top = QStringLiteral("file");
    qint32 version = 0;
    return onlyKeys(root, {"lumina-ticket-plugin", "preview", "prints", "barcode", "companies",
                           "remarks", "stopName", "paper", "elements"},
                    top)
        && required(root, "lumina-ticket-plugin", kFormatVersion, kFormatVersion, top, version);
}

bool Parser::preview(const QJsonObject &root, PlugInInfo &info)
{
    const QString where = QStringLiteral("preview");
    QJsonObject size;
    return section(root, "preview", size) && onlyKeys(size, {"width", "height"}, where)
        && required(size, "width", plugin::kMinPreviewTwips, plugin::kMaxPreviewWidth, where,
                    info.previewWidth)
        && required(size, "height", plugin::kMinPreviewTwips, plugin::kMaxPreviewHeight, where,
                    info.previewHeight);
}

constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();
constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();

bool Parser::prints(const QJsonObject &root, PlugInInfo &info)
{
    if (!root.contains(QLatin1StringView("prints")))
        return true;
    const QString where = QStringLiteral("prints");
    QJsonObject p;
    return section(root, "prints", p)
        && onlyKeys(p, {"date", "time", "routeNo", "stopName", "barcode"}, where)
        && optional(p, "date", kMin32, kMax32, where, info.printsDate)
        && optional(p, "time", kMin32, kMax32, where, info.printsTime)
        && optional(p, "routeNo", kMin32, kMax32, where, info.printsRouteNumber)
        && optional(p, "stopName", kMin32, kMax32, where, info.printsStopName)
        && optional(p, "barcode", kMin32, kMax32, where, info.printsBarcode);
}

bool Parser::barcode(const QJsonObject &root, PlugInInfo &info)
{
    if (!root.contains(QLatin1StringView("barcode"))) {
        return info.printsBarcode != 1
            || fail(QStringLiteral("\"barcode\" is missing for a plug-in that prints one"));
    }
    const QString where = QStringLiteral("barcode");
    QJsonObject b;
    return section(root, "barcode", b)
        && onlyKeys(b, {"count", "routeMode", "maxRouteNo", "firstStop", "lastStop"}, where)
        && required(b, "count", 0, plugin::kMaxBarcodes, where, info.barcodeCount)
        && required(b, "routeMode", kMin32, kMax32, where, info.barcodeRouteMode)
        && required(b, "maxRouteNo", 1, 99999, where, info.maxRouteNumber)
        && required(b, "firstStop", 1, 999, where, info.barcodeFirstStop)
        && required(b, "lastStop", info.barcodeFirstStop, 999, where, info.barcodeLastStop);
}

bool Parser::companies(const QJsonObject &root, TicketPlugin &plugin)
{
    if (root.contains(QLatin1StringView("companies"))) {
        const QJsonValue value = root.value(QLatin1StringView("companies"));
        if (!value.isArray() || value.toArray().size() > plugin::kMaxCompanies)
            return fail(QStringLiteral("companies: a list of at most %1 names").arg(plugin::kMaxCompanies));
        const QJsonArray names = value.toArray();
        for (qsizetype i = 0; i < names.size(); ++i) {
            QString name;
            const QString where = QStringLiteral("companies[%1]").arg(i);
            if (!text(names.at(i), plugin::kMaxTextLength, where, name))
                return false;
            if (name.trimmed().isEmpty())
                return fail(where + QStringLiteral(": empty"));
            plugin.companies.append(name);
        }
    }
    plugin.info.companyCount = qint32(plugin.companies.size());
    return true;
}

// The remarks, the stop name rule and the paper colour.
bool Parser::remarksAndPaper(const QJsonObject &root, TicketPlugin &plugin)
{
    if (root.contains(QLatin1StringView("remarks"))
        && !text(root.value(QLatin1StringView("remarks")), plugin::kMaxRemarksLength,
                 QStringLiteral("remarks"), plugin.remarks))
        return false;
    if (root.contains(QLatin1StringView("stopName"))) {
        const QString where = QStringLiteral("stopName");
        QJsonObject rule;
        qint32 maxLength = 0;
        if (!section(root, "stopName", rule) || !onlyKeys(rule, {"maxLength"}, where)
            || !required(rule, "maxLength", 1, plugin::kMaxStopNameLength, where, maxLength))
            return false;
        plugin.stopNameMaxLength = maxLength;
    }
    return !root.contains(QLatin1StringView("paper"))
        || color(root.value(QLatin1StringView("paper")), QStringLiteral("paper"), plugin.paper);
}

bool Parser::elements(const QJsonObject &root, TicketPlugin &plugin)
{
    const QJsonValue value = root.value(QLatin1StringView("elements"));
    if (!value.isArray() || value.toArray().size() > plugin::kMaxElements)
        return fail(QStringLiteral("elements: a list of at most %1 elements").arg(plugin::kMaxElements));
    const QJsonArray list = value.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        TicketElement item;
        if (!element(list.at(i), QStringLiteral("elements[%1]").arg(i), plugin.info, item))
            return false;
        plugin.elements.append(item);
    }
    return true;
}

std::optional<TicketPlugin> parse(const QByteArray &bytes, QString &error)
{
    Parser p;
    QJsonObject root;
    TicketPlugin plugin;
    plugin.info.recordSize = qint32(sizeof(PlugInInfo));
    // The parts are checked in a fixed order, so that a file with several
    // faults is always told the same one.
    if (p.document(bytes, root) && p.preview(root, plugin.info) && p.prints(root, plugin.info)
        && p.barcode(root, plugin.info) && p.companies(root, plugin)
        && p.remarksAndPaper(root, plugin) && p.elements(root, plugin))
        return plugin;
    error = p.error;
    return std::nullopt;
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
    if (!device || !device->isReadable()) {
        m_error = QStringLiteral("the device cannot be read");
        return std::nullopt;
    }
    // Reading stops soon after the bound, and the size of the bytes tells an
    // oversized file.
    QByteArray bytes;
    if (readWhole(device, bytes, plugin::kMaxFileBytes) == ReadStatus::Failed) {
        m_error = QStringLiteral("read error: ") + device->errorString();
        return std::nullopt;
    }
    return read(bytes);
}

namespace {

struct PluginLoad {
    const TicketPlugin *plugin = nullptr;
    QString problem;
};

// The plug-in at `path` and, when there is none, the first reason why.
PluginLoad loadPlugin(const QString &path)
{
    struct Cache {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        std::optional<TicketPlugin> plugin;
        QString problem;
    };
    static Cache cache;

    if (path.isEmpty())
        return {nullptr, QStringLiteral("no file named")};
    const QFileInfo file(path);
    if (!file.isFile())
        return {nullptr, file.exists() ? QStringLiteral("not a file") : QStringLiteral("no such file")};
    if (cache.path != path || cache.size != file.size() || cache.modified != file.lastModified()) {
        cache = Cache{path, file.size(), file.lastModified(), std::nullopt, QString()};
        QFile device(path);
        TicketPluginReader reader;
        if (device.open(QIODevice::ReadOnly))
            cache.plugin = reader.read(&device);
        cache.problem = device.isOpen() ? reader.errorString() : device.errorString();
    }
    return {cache.plugin ? &*cache.plugin : nullptr, cache.plugin ? QString() : cache.problem};
}

} // namespace

const TicketPlugin *loadedPlugin(const QString &path)
{
    return loadPlugin(path).plugin;
}

QString plugInProblem(const QString &path)
{
    return loadPlugin(path).problem;
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
    if (const TicketPlugin *plugin = loadedPlugin(path))
        box->setPlainText(plugin->remarks);
}

void HostLib::addPlugInCompanies(const QString &path, QComboBox *box)
{
    if (const TicketPlugin *plugin = loadedPlugin(path))
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
