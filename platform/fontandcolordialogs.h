#pragma once

#include <QString>

#include <optional>

namespace brisquel {

// A font as the font dialog shows and returns it.
struct FontChoice {
    QString name;
    bool bold = false;
    bool italic = false;
    float size = 8.25f; // points
    bool strikeOut = false;
    bool underline = false;
};

// The font and colour dialogs of the control panel. Colours are stored
// values (core/storedcolor.h).
class FontAndColorDialogs
{
public:
    virtual ~FontAndColorDialogs() = default;

    // Each opens on `current` and gives the user's choice, or nothing when
    // the user cancelled.
    virtual std::optional<qint32> chooseColor(qint32 current) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice &current) = 0;
};

} // namespace brisquel
