#pragma once

#include <QColor>
#include <QPalette>

namespace brisquel {

// Colours as the old controls keep them: red + 256 * green + 65536 * blue for
// an RGB colour, or the top bit set and a system colour index (0 .. 24) in the
// low byte, which follows the look of the running system.
inline constexpr qint32 kSystemColorFlag = qint32(0x80000000u);

bool isSystemColor(qint32 vb);

// An unknown system colour index gives an invalid QColor; the caller keeps
// its default then.
QColor toQColor(qint32 vb, const QPalette &palette);
qint32 toStoredColor(const QColor &color);

} // namespace brisquel
