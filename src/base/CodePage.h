#pragma once

#include <QByteArray>
#include <QString>

// Every piece of text that leaves the program for a file, the host library or a
// byte-oriented call goes through code page 932 (Microsoft's Shift-JIS). These
// helpers are the only place that knows about the conversion.
namespace lumina::cp932 {

// Which tables the functions below use: Qt's "windows-31j" converter (ICU's),
// else the system's own (PlatformCodePage.h), which a Qt built without ICU
// needs. With neither every function below falls back to Latin-1, which turns
// Japanese text into "?": the program then warns at start-up and refuses to
// write its settings file.
enum class Converter { Qt, Platform, None };
Converter converter();

// Whether there is a converter at all.
bool available();

// Names Qt's converter to use, and whether the system's may stand in when Qt
// has none of that name; tests name one that does not exist. An empty name
// restores "windows-31j".
void useConverter(const char *name, bool platformFallback = true);

// Unicode text to code page 932 bytes. Characters the code page cannot hold
// become "?" (as the platform's ANSI conversion does); `ok` tells whether that
// happened.
QByteArray encode(QStringView text, bool *ok = nullptr);

// Code page 932 bytes to Unicode text. Each byte, or pair of a lead and a
// trail byte, that stands for no character becomes one U+FFFD.
QString decode(QByteArrayView bytes);

// True when every character of `text` has a code page 932 form.
bool canEncode(QStringView text);
// The first character of `text` without a code page 932 form (a surrogate pair
// counts as one); empty when there is none.
QString firstUnencodable(QStringView text);

// Length of `text` in code page 932 bytes.
int byteLength(QStringView text);

// `count` bytes of the code page 932 form of `text`, starting at the 1-based byte
// `start`, decoded back to text. A slice past the end is empty; a slice that cuts
// a double-byte character keeps the half it holds (decoded as U+FFFD, or as a
// single-byte character where the half is one).
QString byteSlice(QStringView text, int start, int count);

// The raw bytes of the slice above, for callers that work on bytes.
QByteArray byteSliceBytes(QByteArrayView bytes, int start, int count);

// True when `byte` opens a double-byte character of code page 932.
constexpr bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True when `byte` can follow a lead byte as the second of a pair.
constexpr bool isTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

} // namespace lumina::cp932
