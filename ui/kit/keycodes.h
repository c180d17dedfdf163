#pragma once

#include "core/vbtypes.h"

#include <QString>

class QKeyEvent;

namespace brisquel {

// The character code a key press hands to the characterKey handlers, or 0 when
// the key types no character (arrows, Delete, Home, F-keys, Tab, Alt+letter).
// Printable characters give their Windows-1252 code (63, "?", for one the
// code page lacks); Enter 13 (Ctrl+Enter 10), Esc 27, Backspace 8 and
// Ctrl+A .. Ctrl+Z 1 .. 26.
Integer characterCode(const QKeyEvent *event);

// The character with a key code, control characters included (8 gives the
// character 8); empty for 0 and below.
QString characterFromCode(Integer keyAscii);

} // namespace brisquel
