#include "base/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace lumina::cp932 {

namespace {
// ICU's "windows-31j" is Microsoft's table: ～ is 81 60 and ① is 87 40, where a
// strict Shift_JIS table would refuse or remap them.
constexpr const char *kDefaultCodecName = "windows-31j";
const char *g_codecName = kDefaultCodecName;
}

bool available()
{
    return QStringEncoder(g_codecName).isValid() && QStringDecoder(g_codecName).isValid();
}

void useConverter(const char *name)
{
    g_codecName = name && *name ? name : kDefaultCodecName;
}

QByteArray encode(QStringView text, bool *ok)
{
    QStringEncoder encoder(g_codecName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid()) {
        // Without the converter (see available()) the program still runs.
        if (ok)
            *ok = false;
        return text.toLatin1();
    }
    // Encode character by character so that an unmappable one becomes a single
    // "?" and the byte positions of the rest stay right.
    QStringDecoder reader(g_codecName, QStringConverter::Flag::Stateless);
    QByteArray out;
    out.reserve(text.size() * 2);
    bool allMapped = true;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()
                         && text[i + 1].isLowSurrogate()) ? 2 : 1;
        QStringView ch = text.mid(i, len);
        const bool ascii = len == 1 && ch[0].unicode() < 0x80;
        if (ascii) {
            out.append(char(ch[0].unicode()));
        } else {
            QByteArray bytes = encoder.encode(ch);
            if (encoder.hasError() || bytes.isEmpty()) {
                // resetState() leaves the ICU converter's error standing, which
                // would make the next character a "?" as well: start afresh.
                encoder = QStringEncoder(g_codecName, QStringConverter::Flag::Stateless);
                out.append('?');
                allMapped = false;
            } else if (QString(reader.decode(bytes)) != ch) {
                // ICU substitutes some characters ("?", 1A, FCFC) instead of
                // flagging an error: only what reads back as itself has a form.
                out.append('?');
                allMapped = false;
            } else {
                out.append(bytes);
            }
        }
        i += len;
    }
    if (ok)
        *ok = allMapped;
    return out;
}

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder(g_codecName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    // ICU's table swaps the control codes 1A, 1C and 7F the IBM way; the code
    // page keeps every single byte below 80 as it is (as encode() does), so
    // those bytes pass straight through and only the runs in between go to ICU.
    QString out;
    out.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype start = i;
        while (i < bytes.size() && uchar(bytes[i]) >= 0x80)
            i += isLeadByte(uchar(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        if (i > start)
            out += decoder.decode(bytes.sliced(start, i - start));
        while (i < bytes.size() && uchar(bytes[i]) < 0x80)
            out += QChar(uchar(bytes[i++]));
    }
    return out;
}

bool canEncode(QStringView text)
{
    bool ok = false;
    encode(text, &ok);
    return ok;
}

QString firstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = text.mid(i, length);
        if (!canEncode(character))
            return character.toString();
        i += length - 1;
    }
    return {};
}

int byteLength(QStringView text)
{
    return int(encode(text).size());
}

QByteArray byteSliceBytes(QByteArrayView bytes, int start, int count)
{
    if (start < 1 || count <= 0 || start > bytes.size())
        return {};
    const qsizetype from = start - 1;
    const qsizetype len = std::min<qsizetype>(count, bytes.size() - from);
    return bytes.sliced(from, len).toByteArray();
}

QString byteSlice(QStringView text, int start, int count)
{
    return decode(byteSliceBytes(encode(text), start, count));
}

} // namespace lumina::cp932
