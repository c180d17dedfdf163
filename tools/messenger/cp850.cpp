#include "cp850.h"
#include "cp850table.h"

#include <QList>

#include <algorithm>
#include <array>
#include <optional>

namespace brisquel::messenger {

namespace {

std::optional<char> byteFor(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QByteArray encodeCp850(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    // toUcs4 turns a surrogate pair into one code point, and a lone
    // surrogate into U+FFFD, so each becomes a single "?".
    for (const char32_t codePoint : text.toUcs4())
        bytes.append(byteFor(codePoint).value_or('?'));
    return bytes;
}

bool cp850HasAll(QStringView text)
{
    const QList<uint> codePoints = text.toUcs4();
    return std::all_of(codePoints.cbegin(), codePoints.cend(),
                       [](uint codePoint) { return codePoint != 0xFFFD && byteFor(char32_t(codePoint)).has_value(); });
}

} // namespace brisquel::messenger
