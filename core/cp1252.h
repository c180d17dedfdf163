#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace brisquel {

// The settings file is Windows-1252 text. All 256 bytes decode to something
// (the five bytes Windows leaves undefined become U+0081, U+008D, U+008F,
// U+0090 and U+009D), so a file read and written back keeps every byte.
QString decodeCp1252(QByteArrayView bytes);

// Whether the code page holds the character (a surrogate never fits).
bool fitsCp1252(QChar c);

// Characters the code page cannot hold are written as "?", one per character.
QByteArray encodeCp1252(QStringView text);

} // namespace brisquel
