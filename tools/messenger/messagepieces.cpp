#include "messagepieces.h"

#include "cp850.h"

namespace brisquel::messenger {

QList<QByteArray> messagePieces(QStringView message)
{
    const QByteArray bytes = encodeCp850(message);
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < bytes.size(); at += kMaxPieceBytes)
        pieces.append(bytes.mid(at, kMaxPieceBytes));
    return pieces;
}

} // namespace brisquel::messenger
