#pragma once

#include <QByteArray>
#include <QStringView>

namespace brisquel::messenger {

// Messenger text travels in the DOS code page 850, one byte per character.
// Bytes 0x00 to 0x7F are ASCII unchanged (control characters included, as
// the receiving side decodes them); every character the code page lacks
// becomes one "?", whatever its size in UTF-16.
QByteArray encodeCp850(QStringView text);

// Whether every character of the text has its own byte in code page 850.
bool cp850HasAll(QStringView text);

} // namespace brisquel::messenger
