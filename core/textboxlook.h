#pragma once

#include "core/storedcolor.h"

#include <QString>

namespace brisquel {

// A font as the message box, the settings file and the font dialog know it.
struct TextFont {
    QString fontName = QStringLiteral("MS Sans Serif");
    bool bold = false;
    bool italic = false;
    float size = 8.25f; // points
    bool strikethrough = false;
    bool underline = false;
};

// The message box's font and colours as the settings file keeps them, so the
// file code can read and write them without any widget. Colours are stored
// values (see storedcolor.h).
struct TextBoxLook : TextFont {
    qint32 foreColor = storedSystemColor(SystemColor::WindowText);
    qint32 backColor = storedSystemColor(SystemColor::WindowBackground);
};

// What the message box accepts. A value outside these is a failure of the
// settings load, like a file cut short:
// - a font name that is not empty;
inline bool acceptsFontName(const QString &name) { return !name.isEmpty(); }

// - a size above 0 and at most 2160 points (1.5 feet, far beyond any screen);
//   this also turns away infinities and NaN;
inline constexpr float kMaxFontSize = 2160.0f;
inline bool acceptsFontSize(float size) { return size > 0.0f && size <= kMaxFontSize; }
// - a colour acceptsColor() takes (storedcolor.h).

} // namespace brisquel
