#include "storedcolor.h"

namespace brisquel {

namespace {
constexpr quint32 kByte = 0xFFu;
constexpr quint32 kIndexBits = kByte;
} // namespace

qint32 storedRgb(int red, int green, int blue)
{
    return qint32((quint32(red) & kByte) | (quint32(green) & kByte) << 8 | (quint32(blue) & kByte) << 16);
}

Rgb rgbOf(qint32 color)
{
    const auto value = quint32(color);
    return {int(value & kByte), int((value >> 8) & kByte), int((value >> 16) & kByte)};
}

bool isSystemColor(qint32 color)
{
    return (quint32(color) & quint32(kSystemColorFlag)) != 0;
}

int systemColorIndex(qint32 color)
{
    if (!isSystemColor(color))
        return -1;
    const auto rest = quint32(color) & ~quint32(kSystemColorFlag);
    if (rest > kIndexBits || int(rest) >= kSystemColorCount)
        return -1;
    return int(rest);
}

bool acceptsColor(qint32 color)
{
    return (color >= 0 && color <= kLargestRgbColor) || systemColorIndex(color) >= 0;
}

} // namespace brisquel
