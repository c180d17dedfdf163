#pragma once

#include <QtGlobal>

namespace brisquel {

// Colours as the settings file and the controls keep them, in one signed
// 32-bit integer: red + 256 x green + 65536 x blue (0 to 0xFFFFFF) for an
// RGB colour, or the top bit set and a system colour index in the low byte
// for a colour that follows the look of the running system (negative
// numbers in the file).

// The system colour indices (the Windows ones the stored values name).
enum class SystemColor : quint8 {
    ScrollBar = 0,
    Desktop = 1,
    ActiveTitle = 2,
    InactiveTitle = 3,
    Menu = 4,
    WindowBackground = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    ActiveTitleText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GreyText = 17,
    ButtonText = 18,
    InactiveTitleText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    TooltipText = 23,
    TooltipBackground = 24,
};
inline constexpr int kSystemColorCount = 25;

inline constexpr qint32 kSystemColorFlag = qint32(0x80000000u);
inline constexpr qint32 kFirstSystemColor = kSystemColorFlag;
inline constexpr qint32 kLastSystemColor = kSystemColorFlag | (kSystemColorCount - 1);
inline constexpr qint32 kLargestRgbColor = 0xFFFFFF;

// The stored value of a system colour.
constexpr qint32 storedSystemColor(SystemColor index)
{
    return kSystemColorFlag | qint32(index);
}

// The stored value of an RGB colour; each part is taken modulo 256.
qint32 storedRgb(int red, int green, int blue);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};
// The parts of an RGB value (the low three bytes, whatever is above them).
Rgb rgbOf(qint32 color);

// Whether the value has the system colour flag (a known index or not).
bool isSystemColor(qint32 color);
// The index of a system colour value, or -1 when it names none we know
// (an index past the last, or other bits set besides the flag).
int systemColorIndex(qint32 color);

// What the message box accepts: an RGB colour 0 to 0xFFFFFF or one of the
// known system colours. Anything else in the settings file is a failure of
// the load, like a file cut short.
bool acceptsColor(qint32 color);

} // namespace brisquel
