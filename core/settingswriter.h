#pragma once

#include "appstate.h"
#include "settingssections.h"
#include "textboxlook.h"

#include <QByteArray>

namespace brisquel {

// The 62 lines of "brisquel.ini", each ending in CR LF, in Windows-1252 or
// as UTF-8 after a byte-order mark: [GENERAL] with sender, login, own-name
// flag, the eight font and colour values; [USUARIOS] and [GRUPOS] with two
// lines a row, caption first.
QByteArray settingsFileBytes(const AppState &state, const TextBoxLook &look,
                             TextEncoding encoding = TextEncoding::Windows1252);

} // namespace brisquel
