#include "TestMain.h"

#include "hostlib/HostLib.h"
#include "hostlib/TicketPlugin.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace lumina;

namespace {

const QString kSamples = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/");

QJsonObject textElement(const QString &text)
{
    return {{"type", "text"}, {"x", 0}, {"y", 0}, {"width", 1500}, {"height", 600}, {"text", text}};
}

QJsonObject validPlugin()
{
    return {{"lumina-ticket-plugin", 1},
            {"preview", QJsonObject{{"width", 1500}, {"height", 600}}},
            {"companies", QJsonArray{"みなと交通", "北山バス"}},
            {"elements", QJsonArray{textElement(QStringLiteral("{ticket}"))}}};
}

QByteArray bytesOf(const QJsonObject &o)
{
    return QJsonDocument(o).toJson();
}

// A device that hands out `good` bytes and then fails.
class BrokenDevice : public QIODevice
{
public:
    explicit BrokenDevice(qint64 good) : m_good(good) { open(ReadOnly); }
protected:
    qint64 readData(char *data, qint64 max) override
    {
        if (m_good <= 0) {
            setErrorString(QStringLiteral("disk gone"));
            return -1;
        }
        const qint64 n = std::min(max, m_good);
        std::fill(data, data + n, ' ');
        m_good -= n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
private:
    qint64 m_good;
};

TicketFields fields(qint16 ticket, qint16 position = 1)
{
    return {QStringLiteral("星見台ニュータウン入口"), QStringLiteral("12-07-2026"),
            QStringLiteral("08:05:00"), 12, ticket, position, 1};
}

QImage drawn(const QString &plugin, const TicketFields &f)
{
    PlgInfo info;
    if (!host().Kiro_GetPlgInfo(plugin, info))
        return {};
    QImage image(info.PreviewWidth / 15, info.PreviewHeight / 15, QImage::Format_RGB32);
    image.fill(Qt::white);
    QString stop = f.stopName;
    QString date = f.date;
    host().Kiro_DrawSeiriken(plugin, image, stop, date, f.time, f.routeNo, f.ticketNo, f.position,
                             f.company);
    return image;
}

int darkPixels(const QImage &image, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 96;
    return n;
}

} // namespace

class tst_TicketPlugin : public QObject
{
    Q_OBJECT

private slots:
    void refusesDamagedAndHostileFiles_data();
    void refusesDamagedAndHostileFiles();
    void oversizedAndFailingDevices();
    void samplesFillTheRecord_data();
    void samplesFillTheRecord();
    void templates_data();
    void templates();
    void fileChangedOnDiskIsReadAgain();
    void ticketNumberIsDrawnAndChanges();
    void barcodeFollowsTheStop();
};

void tst_TicketPlugin::refusesDamagedAndHostileFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("valid");

    const auto with = [](const char *key, const QJsonValue &value) {
        QJsonObject o = validPlugin();
        o.insert(QLatin1StringView(key), value);
        return bytesOf(o);
    };
    const auto element = [&](const QJsonObject &e) { return with("elements", QJsonArray{e}); };
    const auto changed = [](QJsonObject e, const char *key, const QJsonValue &value) {
        e.insert(QLatin1StringView(key), value);
        return e;
    };
    const QJsonObject text = textElement(QStringLiteral("{stop}"));

    QTest::newRow("valid") << bytesOf(validPlugin()) << true;
    QTest::newRow("valid after a BOM") << QByteArray("\xEF\xBB\xBF") + bytesOf(validPlugin()) << true;
    QTest::newRow("capabilities as booleans")
        << with("prints", QJsonObject{{"date", true}, {"time", 2}}) << true;
    QTest::newRow("not JSON") << QByteArray("整理券 1 2 3") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("array") << QByteArray("[1,2]") << false;
    QTest::newRow("cut short") << bytesOf(validPlugin()).left(40) << false;
    QTest::newRow("other version") << with("lumina-ticket-plugin", 2) << false;
    QTest::newRow("unknown key") << with("script", "rm -rf /") << false;
    QTest::newRow("preview too wide")
        << with("preview", QJsonObject{{"width", 100000}, {"height", 600}}) << false;
    QTest::newRow("preview negative")
        << with("preview", QJsonObject{{"width", -1500}, {"height", 600}}) << false;
    QTest::newRow("preview fraction")
        << with("preview", QJsonObject{{"width", 1500.5}, {"height", 600}}) << false;
    QTest::newRow("preview huge number") << QByteArray(R"({"lumina-ticket-plugin":1,
        "preview":{"width":1e400,"height":600},"elements":[]})") << false;
    QTest::newRow("preview not an object") << with("preview", 5) << false;
    QTest::newRow("no elements") << with("elements", QJsonValue()) << false;
    QJsonArray many;
    for (int i = 0; i <= plugin::kMaxElements; ++i)
        many.append(text);
    QTest::newRow("too many elements") << with("elements", many) << false;
    QJsonArray names;
    for (int i = 0; i <= plugin::kMaxCompanies; ++i)
        names.append(QStringLiteral("社%1").arg(i));
    QTest::newRow("too many companies") << with("companies", names) << false;
    QTest::newRow("long company")
        << with("companies", QJsonArray{QString(plugin::kMaxTextLength + 1, u'社')}) << false;
    QTest::newRow("empty company") << with("companies", QJsonArray{" "}) << false;
    QTest::newRow("long remarks") << with("remarks", QString(plugin::kMaxRemarksLength + 1, u'x'))
                                  << false;
    QTest::newRow("long template")
        << element(changed(text, "text", QString(plugin::kMaxTextLength + 1, u'x'))) << false;
    QTest::newRow("unknown field") << element(changed(text, "text", "{password}")) << false;
    QTest::newRow("lone brace") << element(changed(text, "text", "a}b")) << false;
    QTest::newRow("open brace") << element(changed(text, "text", "{stop")) << false;
    QTest::newRow("width on a text field") << element(changed(text, "text", "{stop:3}")) << false;
    QTest::newRow("width too large") << element(changed(text, "text", "{route:10}")) << false;
    QTest::newRow("element off the ticket") << element(changed(text, "x", 1)) << false;
    QTest::newRow("element negative") << element(changed(text, "y", -1)) << false;
    QTest::newRow("unknown element") << element(changed(text, "type", "image")) << false;
    QTest::newRow("element extra key") << element(changed(text, "url", "http://x")) << false;
    QTest::newRow("font too large") << element(changed(text, "size", 500)) << false;
    QTest::newRow("bad colour") << element(changed(text, "color", "red")) << false;
    QTest::newRow("bad alignment") << element(changed(text, "align", "justify")) << false;
    const QJsonObject barcode{{"type", "barcode"}, {"x", 0},        {"y", 0},
                              {"width", 1500},     {"height", 600}, {"data", "{route:3}"}};
    const QJsonObject barcodeInfo{
        {"count", 1}, {"routeMode", 1}, {"maxRouteNo", 999}, {"firstStop", 1}, {"lastStop", 99}};
    QTest::newRow("barcode without capability") << element(barcode) << false;
    QJsonObject withBarcode = validPlugin();
    withBarcode.insert("prints", QJsonObject{{"barcode", 1}});
    QTest::newRow("barcode capability without block") << bytesOf(withBarcode) << false;
    withBarcode.insert("barcode", barcodeInfo);
    withBarcode.insert("elements", QJsonArray{barcode});
    QTest::newRow("barcode") << bytesOf(withBarcode) << true;
    withBarcode.insert("barcode", changed(barcodeInfo, "lastStop", 0));
    QTest::newRow("stop range backwards") << bytesOf(withBarcode) << false;
    QTest::newRow("deep nesting") << QByteArray(R"({"lumina-ticket-plugin":1,"elements":)")
            + QByteArray(5000, '[') + QByteArray(5000, ']') + '}'
                                  << false;
}

void tst_TicketPlugin::refusesDamagedAndHostileFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, valid);
    QBuffer buffer(&file);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    TicketPluginReader reader;
    const std::optional<TicketPlugin> plugin = reader.read(&buffer);
    QCOMPARE(plugin.has_value(), valid);
    QCOMPARE(reader.errorString().isEmpty(), valid);
}

void tst_TicketPlugin::oversizedAndFailingDevices()
{
    // A valid file padded beyond the size bound is refused without being parsed.
    QByteArray big = bytesOf(validPlugin());
    big.append(QByteArray(plugin::kMaxFileBytes, ' '));
    QBuffer buffer(&big);
    buffer.open(QIODevice::ReadOnly);
    TicketPluginReader reader;
    QVERIFY(!reader.read(&buffer));
    QVERIFY(reader.errorString().contains(QStringLiteral("larger")));

    BrokenDevice broken(100);
    QVERIFY(!reader.read(&broken));
    QVERIFY(reader.errorString().contains(QStringLiteral("disk gone")));

    PlgInfo info;
    QCOMPARE(host().Kiro_GetPlgInfo(QString(), info), 0);
    QCOMPARE(host().Kiro_GetPlgInfo(kSamples, info), 0); // a folder
    QCOMPARE(host().Kiro_GetPlgInfo(kSamples + QStringLiteral("none.4SP"), info), 0);
}

void tst_TicketPlugin::samplesFillTheRecord_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<qint32>>("record");
    QTest::newRow("plain") << QStringLiteral("plain.4SP")
                           << QList<qint32>{56, 2700, 1395, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("barcode") << QStringLiteral("barcode.4SP")
                             << QList<qint32>{56, 3300, 1395, 1, 1, 1, 1, 1, 2, 999, 1, 1, 99, 3};
}

void tst_TicketPlugin::samplesFillTheRecord()
{
    QFETCH(QString, file);
    QFETCH(QList<qint32>, record);
    PlgInfo info;
    QCOMPARE(host().Kiro_GetPlgInfo(kSamples + file, info), 1);
    const auto *fields = reinterpret_cast<const qint32 *>(&info);
    QCOMPARE(QList<qint32>(fields, fields + 14), record);
}

void tst_TicketPlugin::templates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("company");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded route") << QStringLiteral("系統{route:3}") << QStringLiteral("12-07-2026") << 0 << QStringLiteral("系統012");
    QTest::newRow("system date parts") << QStringLiteral("{year}.{month:2}.{day}") << QStringLiteral("12-07-2026") << 0 << QStringLiteral("2026.12.7");
    QTest::newRow("fixed date parts") << QStringLiteral("{year}/{month}/{day:2}") << QStringLiteral("2026/03/05") << 0 << QStringLiteral("2026/3/05");
    QTest::newRow("unreadable date") << QStringLiteral("[{year}]{date}") << QStringLiteral("someday") << 0 << QStringLiteral("[]someday");
    QTest::newRow("negative padded") << QStringLiteral("{ticket:3}") << QStringLiteral("") << 0 << QStringLiteral("-005");
    QTest::newRow("company") << QStringLiteral("{company}") << QStringLiteral("") << 1 << QStringLiteral("北山バス");
    QTest::newRow("no company") << QStringLiteral("[{company}]") << QStringLiteral("") << -1 << QStringLiteral("[]");
    QTest::newRow("company out of range") << QStringLiteral("[{company}]") << QStringLiteral("") << 2 << QStringLiteral("[]");
    QTest::newRow("braces") << QStringLiteral("{{{position}}}") << QStringLiteral("") << 0 << QStringLiteral("{4}");
    QTest::newRow("stop cut") << QStringLiteral("{stop}") << QStringLiteral("") << 0 << QStringLiteral("星見台ニュータ");
}

void tst_TicketPlugin::templates()
{
    QFETCH(QString, text);
    QFETCH(QString, date);
    QFETCH(int, company);
    QFETCH(QString, expected);
    QJsonObject o = validPlugin();
    o.insert("elements", QJsonArray{textElement(text)});
    o.insert("stopName", QJsonObject{{"maxLength", 7}});
    TicketPluginReader reader;
    const auto plugin = reader.read(bytesOf(o));
    QVERIFY2(plugin, qPrintable(reader.errorString()));
    TicketFields f = fields(-5, 4);
    f.date = date;
    f.company = company;
    QCOMPARE(plugin->expand(plugin->elements.at(0).text, f), expected);
    QCOMPARE(plugin->stopNameFor(f.stopName), QStringLiteral("星見台ニュータ"));
}

void tst_TicketPlugin::fileChangedOnDiskIsReadAgain()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bus.4SP"));
    const auto write = [&](const QByteArray &bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    write(bytesOf(validPlugin()));
    PlgInfo info;
    QCOMPARE(host().Kiro_GetPlgInfo(path, info), 1);
    QCOMPARE(info.CorpNameCount, 2);
    write("{ broken");
    QCOMPARE(host().Kiro_GetPlgInfo(path, info), 0);
    write(bytesOf(validPlugin()));
    QCOMPARE(host().Kiro_GetPlgInfo(path, info), 1);
}

void tst_TicketPlugin::ticketNumberIsDrawnAndChanges()
{
    const QString plain = kSamples + QStringLiteral("plain.4SP");
    const QImage one = drawn(plain, fields(1));
    const QImage seven = drawn(plain, fields(7));
    QVERIFY(!one.isNull());
    // The number's band, between the two rules.
    const QRect band(10, 25, 160, 44);
    QVERIFY(darkPixels(one, band) > 40);
    QVERIFY(darkPixels(seven, band) > 40);
    QVERIFY(one.copy(band) != seven.copy(band));
    // Outside the band the two tickets are the same.
    QCOMPARE(one.copy(0, 0, one.width(), 20), seven.copy(0, 0, seven.width(), 20));
    // A refused plug-in draws nothing.
    QImage blank(50, 50, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QImage untouched = blank;
    QString stop = QStringLiteral("駅前"), date;
    host().Kiro_DrawSeiriken(kSamples + QStringLiteral("none.4SP"), untouched, stop, date,
                             QString(), 1, 1, 1, -1);
    QCOMPARE(untouched, blank);
}

void tst_TicketPlugin::barcodeFollowsTheStop()
{
    const QString coded = kSamples + QStringLiteral("barcode.4SP");
    const QImage first = drawn(coded, fields(3, 1));
    const QImage second = drawn(coded, fields(3, 2));
    const QRect itf(6, 73, 208, 16);
    QVERIFY(darkPixels(first, itf) > 200);
    QVERIFY(first.copy(itf) != second.copy(itf));
    const QRect qr(176, 20, 40, 49);
    QVERIFY(darkPixels(first, qr) > 200);
    // The stop name comes back cut to the plug-in's rule.
    QImage image = first;
    QString stop = QStringLiteral("星見台ニュータウン入口北口前");
    QString date = QStringLiteral("12-07-2026");
    host().Kiro_DrawSeiriken(coded, image, stop, date, QString(), 12, 3, 1, 0);
    QCOMPARE(stop, QStringLiteral("星見台ニュータウン入口北"));
}

LUMINA_TEST_MAIN(tst_TicketPlugin)
#include "tst_ticketplugin.moc"
