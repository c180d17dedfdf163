#pragma once

#include <QString>

namespace brisquel {

// The message box's font and colours as the settings file keeps them, so the
// file code can read and write them without any widget. Colours are signed
// 32-bit values: 0x00BBGGRR for an RGB colour, or the top bit set and a system
// colour index in the low byte (negative numbers in the file).
struct TextBoxLook {
    QString fontName = QStringLiteral("MS Sans Serif");
    bool bold = false;
    bool italic = false;
    float size = 8.25f; // points
    bool strikethrough = false;
    bool underline = false;
    qint32 foreColor = qint32(0x80000008u); // system colour: window text
    qint32 backColor = qint32(0x80000005u); // system colour: window background
};

// What the message box accepts. A value outside these is a failure of the
// settings load, like a file cut short:
// - a font name that is not empty;
inline bool acceptsFontName(const QString &name) { return !name.isEmpty(); }

// - a size above 0 and at most 2160 points (1.5 feet, far beyond any screen);
//   this also turns away infinities and NaN;
inline constexpr float kMaxFontSize = 2160.0f;
inline bool acceptsFontSize(float size) { return size > 0.0f && size <= kMaxFontSize; }

// - an RGB colour 0 to 0xFFFFFF, or a system colour 0x80000000 to 0x80000018
//   (the 25 system colour indices 0 to 24).
inline constexpr qint32 kFirstSystemColor = qint32(0x80000000u);
inline constexpr qint32 kLastSystemColor = qint32(0x80000018u);
inline bool acceptsColor(qint32 color)
{
    return (color >= 0 && color <= 0xFFFFFF) ||
           (color >= kFirstSystemColor && color <= kLastSystemColor);
}

} // namespace brisquel
