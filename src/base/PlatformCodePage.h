#pragma once

#include <QByteArray>
#include <QString>

// The operating system's own code page 932 tables, for a Qt built without ICU
// (Qt's official Windows installer): WideCharToMultiByte / MultiByteToWideChar
// on Windows, iconv's "CP932" elsewhere. CodePage.h uses them when Qt has no
// "windows-31j"; nothing else calls them.
namespace lumina::cp932::platform {

// Whether the system has the tables.
bool available();

// One character (a code point, a surrogate pair being one) to its bytes; empty
// when the system's table has no form for it. Where a table substitutes a
// look-alike, the bytes read back as another character.
QByteArray encodeCharacter(QStringView character);

// One byte, or a lead byte with its trail byte, to its character; empty when
// the bytes stand for none.
QString decodeCharacter(QByteArrayView bytes);

} // namespace lumina::cp932::platform
