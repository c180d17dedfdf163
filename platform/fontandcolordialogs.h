#pragma once

#include "core/textboxlook.h"

#include <QString>

#include <optional>

namespace brisquel {

// The font and colour dialogs of the control panel. Colours are stored
// values (core/storedcolor.h).
class FontAndColorDialogs
{
public:
    virtual ~FontAndColorDialogs() = default;

    // Each opens on `current` and gives the user's choice, or nothing when
    // the user cancelled.
    virtual std::optional<qint32> chooseColor(qint32 current) = 0;
    virtual std::optional<TextFont> chooseFont(const TextFont &current) = 0;
};

} // namespace brisquel
