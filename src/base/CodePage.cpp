#include "base/CodePage.h"

#include "base/PlatformCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace lumina::cp932 {

namespace {
// ICU's "windows-31j" is Microsoft's table: ～ is 81 60 and ① is 87 40, where a
// strict Shift_JIS table would refuse or remap them.
constexpr const char *kDefaultCodecName = "windows-31j";
const char *g_codecName = kDefaultCodecName;
bool g_platformFallback = true;

// One character at a time through whichever converter is in use.
class Characters
{
public:
    explicit Characters(Converter which)
        : m_qt(which == Converter::Qt)
    {
    }
    // The bytes of `character`; empty when the code page has no form for it.
    QByteArray encode(QStringView character)
    {
        const QByteArray bytes = m_qt ? qtEncode(character) : platform::encodeCharacter(character);
        // Some tables substitute ("?", 1A, FCFC, a look-alike) instead of
        // refusing: only what reads back as itself has a form, and U+FFFD
        // reads back from bytes that stand for nothing.
        const QString back = bytes.isEmpty() ? QString() : decode(bytes);
        return back == character && back != QChar::ReplacementCharacter ? bytes : QByteArray();
    }
    // One character's bytes to text; U+FFFD when they stand for none (ICU
    // gives 1A, the substitute control code, for some; nothing for a lead byte
    // alone).
    QString decode(QByteArrayView bytes)
    {
        const QString character = m_qt ? QString(m_decoder.decode(bytes)) : platform::decodeCharacter(bytes);
        const bool none = character.isEmpty() || character == QLatin1Char('\x1a');
        return none ? QString(QChar::ReplacementCharacter) : character;
    }

private:
    QByteArray qtEncode(QStringView character)
    {
        QByteArray bytes = m_encoder.encode(character);
        if (!m_encoder.hasError())
            return bytes;
        // resetState() leaves the ICU converter's error standing, which would
        // make the next character a "?" as well: start afresh.
        m_encoder = QStringEncoder(g_codecName, QStringConverter::Flag::Stateless);
        return {};
    }

    bool m_qt;
    QStringEncoder m_encoder{g_codecName, QStringConverter::Flag::Stateless};
    QStringDecoder m_decoder{g_codecName, QStringConverter::Flag::Stateless};
};

// A character of `text` at `i`: a surrogate pair counts as one.
qsizetype characterLength(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace

Converter converter()
{
    if (QStringEncoder(g_codecName).isValid() && QStringDecoder(g_codecName).isValid())
        return Converter::Qt;
    return g_platformFallback && platform::available() ? Converter::Platform : Converter::None;
}

bool available()
{
    return converter() != Converter::None;
}

void useConverter(const char *name, bool platformFallback)
{
    g_codecName = name && *name ? name : kDefaultCodecName;
    g_platformFallback = platformFallback;
}

QByteArray encode(QStringView text, bool *ok)
{
    const Converter which = converter();
    if (which == Converter::None) {
        // Without a converter (see available()) the program still runs.
        if (ok)
            *ok = false;
        return text.toLatin1();
    }
    // Encode character by character so that an unmappable one becomes a single
    // "?" and the byte positions of the rest stay right.
    Characters characters(which);
    QByteArray out;
    out.reserve(text.size() * 2);
    bool allMapped = true;
    for (qsizetype i = 0; i < text.size();) {
        const QStringView character = text.mid(i, characterLength(text, i));
        i += character.size();
        if (character.size() == 1 && character[0].unicode() < 0x80) {
            out.append(char(character[0].unicode()));
            continue;
        }
        const QByteArray bytes = characters.encode(character);
        allMapped = allMapped && !bytes.isEmpty();
        out.append(bytes.isEmpty() ? QByteArray("?") : bytes);
    }
    if (ok)
        *ok = allMapped;
    return out;
}

QString decode(QByteArrayView bytes)
{
    const Converter which = converter();
    if (which == Converter::None)
        return QString::fromLatin1(bytes);
    // ICU's table swaps the control codes 1A, 1C and 7F the IBM way; the code
    // page keeps every single byte below 80 as it is (as encode() does), so
    // those bytes pass straight through. The rest go to the converter one
    // character at a time, a lead byte without a trail byte after it being a
    // character of its own, so that every converter reads bytes that stand for
    // nothing the same way.
    Characters characters(which);
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar byte = uchar(bytes[i]);
        if (byte < 0x80) {
            out += QChar(byte);
            ++i;
            continue;
        }
        const bool pair = isLeadByte(byte) && i + 1 < bytes.size() && isTrailByte(uchar(bytes[i + 1]));
        out += characters.decode(bytes.sliced(i, pair ? 2 : 1));
        i += pair ? 2 : 1;
    }
    return out;
}

bool canEncode(QStringView text)
{
    bool ok; // every encode sets it
    encode(text, &ok);
    return ok;
}

QString firstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        // mid() keeps a lone high surrogate at the end to itself.
        const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
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
