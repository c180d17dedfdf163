#include "cp850decode.h"

#include "cp850table.h"

namespace brisquel::messenger {

QString decodeCp850(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<quint8>(c);
        text.append(byte < 0x80 ? QChar(byte) : QChar(kUpperHalf[byte - 0x80]));
    }
    return text;
}

} // namespace brisquel::messenger
