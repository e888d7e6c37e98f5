#include "settings/SettingsIo.h"

#include "base/CodePage.h"
#include "base/DeviceRead.h"

#include <QDate>
#include <QIODevice>
#include <QtEndian>

#include <vector>

namespace lumina {

QString fixedDateText(int year, int month, int day)
{
    return QStringLiteral("%1/%2/%3")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

namespace {

// The one description of the file form: every field in file order. Reading and
// writing both walk it, so the two can never disagree.
template<typename Settings, typename Visitor>
void visitFields(Settings &s, Visitor &v)
{
    v.item("FolderSettings");
    v.string(s.folders.fareDataFolder);
    v.string(s.folders.announcementDataFolder);

    v.item("PanelSettings");
    auto &p = s.panel;
    v.int16(p.autoTicketNumbers);
    for (auto &colour : p.ticketNumberColours)
        v.colour(colour);
    v.int16(p.ticketNumberStyle);
    v.int16(p.leadingZero);
    v.int16(p.panelsAutomatic);
    v.int16(p.panelsIndividual);
    v.int16(p.offBuiltIn);
    v.int16(p.offUserPanel);
    v.int16(p.on1BuiltIn);
    v.int16(p.on1UserPanel);
    v.int16(p.on2BuiltIn);
    v.int16(p.on2UserPanel);
    for (auto &path : p.userPanelImages)
        v.string(path);

    v.item("InfoDigitSettings");
    auto &d = s.infoDigits;
    v.colour(d.backColour);
    v.colour(d.unlitColour);
    v.colour(d.litColour);
    v.int16(d.showStopOrder);
    v.int16(d.stopOrderCell);
    v.int16(d.countFromZero);
    v.int16(d.showTicketNumber);
    v.int16(d.ticketNumberCell);
    v.int16(d.showRouteNumber);
    v.int16(d.routeNumberCell);
    v.int16(d.showDataColumn);
    v.int16(d.dataColumn);
    v.int16(d.dataColumnCell);

    v.item("StopNameSettings");
    v.colour(s.stopName.backColour);
    v.colour(s.stopName.textColour);
    v.int16(s.stopName.font);
    v.int16(s.stopName.bold);

    v.item("SoundSettings");
    auto &snd = s.sounds;
    v.string(snd.routeSetSound);
    v.string(snd.resetSound);
    v.int16(snd.stepAlways);
    v.int16(snd.stepByColumn);
    v.int16(snd.stepSynchronous);
    v.int16(snd.stepAsynchronous);
    v.string(snd.stepSound);
    v.int16(snd.stepColumn);
    for (auto &path : snd.stepSoundByValue)
        v.string(path);
    v.int16(snd.preAlways);
    v.int16(snd.preByFlag);
    v.int16(snd.preSynchronous);
    v.int16(snd.preAsynchronous);
    v.string(snd.preSound);
    for (auto &path : snd.preSoundByFlag)
        v.string(path);

    v.item("TicketPreviewSettings");
    auto &t = s.ticketPreview;
    v.int16(t.usePreview);
    v.string(t.plugIn);
    v.int16(t.dateRenewed);
    v.int16(t.dateKept);
    v.int16(t.dateFixed);
    v.string(t.fixedDate);

    v.item("ControlPanelState");
    auto &c = s.controlPanel;
    v.int16(c.panelSentBack);
    v.int32(c.scrollSpeed);
    v.int32(c.scrollWait);
    v.int16(c.lateNight);
    v.int16(c.preview);
    v.int32(c.left);
    v.int32(c.top);

    v.item("BoardPosition");
    v.int32(s.board.left);
    v.int32(s.board.top);

    v.item("CustomColours");
    for (auto &colour : s.customColours)
        v.colour(colour);

    // The entry count is fixed: written as 60, and whatever a file holds there,
    // 60 entries follow.
    v.item("cell count");
    v.cellCount();

    v.item("CellDigitSettings");
    for (auto &cell : s.cells) {
        v.int16(cell.shift);
        v.int16(cell.zeroMode);
        v.int16(cell.fillZero);
    }
}

class FieldCounter
{
public:
    int count = 0;
    void item(const char *) {}
    void int16(const qint16 &) { ++count; }
    void int32(const qint32 &) { ++count; }
    void colour(const OleColor &) { ++count; }
    void string(const QString &) { ++count; }
    void cellCount() { ++count; }
};

// Bytes of the fixed-size fields and the number of strings.
class SizeCounter
{
public:
    qint64 fixedBytes = 0;
    qint64 strings = 0;
    void item(const char *) {}
    void int16(const qint16 &) { fixedBytes += 2; }
    void int32(const qint32 &) { fixedBytes += 4; }
    void colour(const OleColor &) { fixedBytes += 4; }
    void string(const QString &) { fixedBytes += 2; ++strings; }
    void cellCount() { fixedBytes += 2; }
};

SizeCounter sizeOfForm()
{
    SettingsFile settings;
    SizeCounter counter;
    visitFields(settings, counter);
    return counter;
}

class FieldWriter
{
public:
    QByteArray bytes;

    void item(const char *) {}
    void int16(qint16 value)
    {
        char raw[2];
        qToLittleEndian(value, raw);
        bytes.append(raw, 2);
    }
    void int32(qint32 value)
    {
        char raw[4];
        qToLittleEndian(value, raw);
        bytes.append(raw, 4);
    }
    void colour(OleColor value)
    {
        char raw[4];
        qToLittleEndian(quint32(value), raw);
        bytes.append(raw, 4);
    }
    void string(const QString &text)
    {
        QByteArray encoded = cp932::encode(text);
        if (encoded.size() > kMaxStringBytes)
            encoded.truncate(wholeCharacters(encoded, kMaxStringBytes));
        char raw[2];
        qToLittleEndian(quint16(encoded.size()), raw);
        bytes.append(raw, 2);
        bytes.append(encoded);
    }
    void cellCount() { int16(kCellCount); }

private:
    // Length of the longest prefix of at most `limit` bytes that does not end
    // inside a double-byte character.
    static qsizetype wholeCharacters(const QByteArray &bytes, qsizetype limit)
    {
        qsizetype i = 0;
        while (i < bytes.size()) {
            const qsizetype width = cp932::isLeadByte(uchar(bytes[i])) ? 2 : 1;
            if (i + width > limit)
                break;
            i += width;
        }
        return i;
    }
};

class FieldReader
{
public:
    explicit FieldReader(QIODevice *device) : m_device(device) {}

    bool stopped = false;
    bool failed = false;
    int fields = 0;
    qint64 bytes = 0;
    const char *currentItem = "";

    void item(const char *name)
    {
        if (!stopped)
            currentItem = name;
    }
    void int16(qint16 &value)
    {
        char raw[2];
        if (take(raw, 2)) {
            value = qFromLittleEndian<qint16>(raw);
            ++fields;
        }
    }
    void int32(qint32 &value)
    {
        char raw[4];
        if (take(raw, 4)) {
            value = qFromLittleEndian<qint32>(raw);
            ++fields;
        }
    }
    void colour(OleColor &value)
    {
        char raw[4];
        if (take(raw, 4)) {
            value = qFromLittleEndian<quint32>(raw);
            ++fields;
        }
    }
    void string(QString &text)
    {
        char raw[2];
        if (!take(raw, 2))
            return;
        // At most 64 KiB per string: the length field cannot ask for more.
        const quint16 length = qFromLittleEndian<quint16>(raw);
        QByteArray encoded(length, Qt::Uninitialized);
        if (!take(encoded.data(), length))
            return;
        text = cp932::decode(encoded);
        ++fields;
    }
    void cellCount()
    {
        char raw[2];
        if (take(raw, 2))
            ++fields;
    }

    QString deviceError() const { return m_device->errorString(); }

private:
    // Reads exactly `size` bytes. Anything less ends the reading for good.
    bool take(char *out, qint64 size)
    {
        if (stopped)
            return false;
        const qint64 got = readFully(m_device, out, size, failed);
        bytes += got;
        if (got < size) {
            stopped = true;
            return false;
        }
        return true;
    }

    QIODevice *m_device;
};

} // namespace

qint64 settingsFileBaseSize()
{
    static const qint64 size = sizeOfForm().fixedBytes;
    return size;
}

qint64 settingsFileMaxSize()
{
    static const qint64 size = [] {
        const SizeCounter c = sizeOfForm();
        return c.fixedBytes + c.strings * kMaxStringBytes;
    }();
    return size;
}

int settingsFieldCount()
{
    static const int count = [] {
        SettingsFile settings;
        FieldCounter counter;
        visitFields(settings, counter);
        return counter.count;
    }();
    return count;
}

bool SettingsReader::read(QIODevice *device, SettingsFile &settings)
{
    m_fieldsRead = 0;
    m_bytesRead = 0;
    m_error.clear();
    if (!device || !device->isOpen() || !device->isReadable()) {
        m_status = Status::DeviceError;
        m_error = QStringLiteral("The settings device is not open for reading");
        return false;
    }

    FieldReader reader(device);
    visitFields(settings, reader);
    m_fieldsRead = reader.fields;
    m_bytesRead = reader.bytes;

    if (reader.failed) {
        m_status = Status::DeviceError;
        m_error = QStringLiteral("Reading the settings failed in %1: %2")
                      .arg(QLatin1String(reader.currentItem), reader.deviceError());
        return false;
    }
    if (reader.stopped) {
        m_status = Status::Truncated;
        m_error = QStringLiteral("The settings end inside %1 after %2 bytes")
                      .arg(QLatin1String(reader.currentItem))
                      .arg(reader.bytes);
        return false;
    }
    m_status = Status::Complete;
    return true;
}

namespace {

// Every text field, in file order.
class TextFields
{
public:
    std::vector<QString *> texts;

    void item(const char *) {}
    void int16(qint16 &) {}
    void int32(qint32 &) {}
    void colour(OleColor &) {}
    void string(QString &text) { texts.push_back(&text); }
    void cellCount() {}
};

} // namespace

QStringList keepStorableTexts(SettingsFile &settings, const SettingsFile &fallback)
{
    SettingsFile older = fallback;
    TextFields now, before;
    visitFields(settings, now);
    visitFields(older, before);
    QStringList givenUp;
    for (size_t i = 0; i < now.texts.size(); ++i) {
        QString &text = *now.texts[i];
        if (cp932::canEncode(text))
            continue;
        givenUp << text;
        text = cp932::canEncode(*before.texts[i]) ? *before.texts[i] : QString();
    }
    return givenUp;
}

QByteArray SettingsWriter::toBytes(const SettingsFile &settings)
{
    FieldWriter writer;
    visitFields(settings, writer);
    return writer.bytes;
}

bool SettingsWriter::write(QIODevice *device, const SettingsFile &settings)
{
    m_error.clear();
    if (!device || !device->isOpen() || !device->isWritable()) {
        m_error = QStringLiteral("The settings device is not open for writing");
        return false;
    }
    const QByteArray bytes = toBytes(settings);
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = device->write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            m_error = QStringLiteral("Writing the settings failed after %1 of %2 bytes: %3")
                          .arg(written)
                          .arg(bytes.size())
                          .arg(device->errorString());
            return false;
        }
        written += n;
    }
    return true;
}

} // namespace lumina
