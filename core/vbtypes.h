#pragma once

#include <QtGlobal>

namespace brisquel {

// The program's integers are 16-bit signed, and a Boolean is a 16-bit value
// holding -1 (true) or 0 (false), so that negation flips two-state switches.
using Integer = qint16;
using Boolean = qint16;

inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;

constexpr Boolean toBoolean(bool value) { return value ? True : False; }

} // namespace brisquel
