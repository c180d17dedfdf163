#include "cp1252.h"

#include <array>

namespace brisquel {

namespace {

// Bytes 0x80 to 0x9F; every other byte is the character with its own code.
// The five bytes Windows leaves undefined keep their own code too.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

constexpr char16_t decodeByte(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t(byte);
}

// The byte for a character, or -1 when the code page lacks it.
int encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

bool fitsCp1252(QChar c)
{
    return encodeChar(c.unicode()) >= 0;
}

// A table of our own rather than QStringDecoder: Qt reaches Windows-1252
// only through ICU, whose converter data costs the program about a
// megabyte of memory at start for 32 characters.
QString decodeCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(decodeByte(static_cast<unsigned char>(byte)));
    return text;
}

QByteArray encodeCp1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character outside the code page
        const int byte = c.isSurrogate() ? -1 : encodeChar(c.unicode());
        bytes.append(byte >= 0 ? char(byte) : '?');
    }
    return bytes;
}

} // namespace brisquel
