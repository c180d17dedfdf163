#pragma once

#include "core/storedcolor.h"

#include <QColor>
#include <QPalette>

namespace brisquel {

// Stored colour values (core/storedcolor.h) as the widgets draw them: a
// system colour takes the palette entry that plays the same part.

// An unknown system colour index gives an invalid QColor; the caller keeps
// its default then.
QColor toQColor(qint32 stored, const QPalette &palette);
qint32 toStoredColor(const QColor &color);

} // namespace brisquel
