#pragma once

#include <QByteArray>
#include <QList>
#include <QStringView>

namespace brisquel::messenger {

// The most text bytes one send-text request may carry.
inline constexpr qsizetype kMaxPieceBytes = 127;

// The message as it goes on the wire: converted to code page 850 first and
// only then cut into pieces of at most kMaxPieceBytes, so a piece boundary
// can never fall inside a character. An empty message has no pieces.
QList<QByteArray> messagePieces(QStringView message);

} // namespace brisquel::messenger
