#pragma once

#include "core/appstate.h"
#include "core/textboxlook.h"

namespace brisquel {

// Two clearly different settings for the save-and-kill test, of different
// lengths so that a file cut anywhere matches neither.
struct Settings {
    AppState state;
    TextBoxLook look;
};

inline Settings settingsA()
{
    Settings a;
    a.state.loginName = QStringLiteral("ana");
    a.state.senderName = QStringLiteral("Ana");
    a.state.signWithSenderName = true;
    for (int i = 0; i < kRecipientSlots; ++i) {
        a.state.users[i] = {QStringLiteral("Usuario %1").arg(i), QStringLiteral("u%1").arg(i)};
        a.state.groups[i] = {kEmptySlotCaption, kEmptySlotCaption};
    }
    return a;
}

inline Settings settingsB()
{
    Settings b;
    b.state.loginName = QStringLiteral("bernardo");
    b.state.senderName = QStringLiteral("Bernardo Ñúñez, contabilidad");
    b.state.signWithSenderName = false;
    b.look.fontName = QStringLiteral("Liberation Serif");
    b.look.bold = true;
    b.look.size = 12.75f;
    b.look.foreColor = 0x0000FF;
    b.look.backColor = 0xFFFFFF;
    for (int i = 0; i < kRecipientSlots; ++i) {
        b.state.users[i] = {QStringLiteral("Compañero número %1").arg(i), QStringLiteral("puesto-%1").arg(i)};
        b.state.groups[i] = {QStringLiteral("Grupo %1").arg(i),
                             QStringLiteral("puesto-%1, puesto-%2, puesto-%3").arg(i).arg(i + 1).arg(i + 2)};
    }
    return b;
}

} // namespace brisquel
