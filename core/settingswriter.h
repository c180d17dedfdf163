#pragma once

#include "appstate.h"
#include "textboxlook.h"

#include <QByteArray>

namespace brisquel {

// The 62 lines of "brisquel.ini", each ending in CR LF, in Windows-1252:
// [GENERAL] with sender, login, own-name flag, the eight font and colour
// values; [USUARIOS] and [GRUPOS] with two lines a row, caption first.
QByteArray settingsFileBytes(const AppState &state, const TextBoxLook &look);

} // namespace brisquel
