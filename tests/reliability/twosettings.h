#pragma once

#include "core/module1.h"
#include "core/textboxlook.h"

namespace brisquel {

// Two clearly different settings for the save-and-kill test, of different
// lengths so that a file cut anywhere matches neither.
struct Settings {
    Module1 state;
    TextBoxLook look;
};

inline Settings settingsA()
{
    Settings a;
    a.state.UsuarioWindows = QStringLiteral("ana");
    a.state.Remitente = QStringLiteral("Ana");
    a.state.NombrePropio = True;
    for (int i = 0; i < kRecipientSlots; ++i) {
        a.state.Usuarios[i] = {QStringLiteral("Usuario %1").arg(i), QStringLiteral("u%1").arg(i)};
        a.state.Grupos[i] = {kEmptySlotCaption, kEmptySlotCaption};
    }
    return a;
}

inline Settings settingsB()
{
    Settings b;
    b.state.UsuarioWindows = QStringLiteral("bernardo");
    b.state.Remitente = QStringLiteral("Bernardo Ñúñez, contabilidad");
    b.state.NombrePropio = False;
    b.look.fontName = QStringLiteral("Liberation Serif");
    b.look.bold = true;
    b.look.size = 12.75f;
    b.look.foreColor = 0x0000FF;
    b.look.backColor = 0xFFFFFF;
    for (int i = 0; i < kRecipientSlots; ++i) {
        b.state.Usuarios[i] = {QStringLiteral("Compañero número %1").arg(i), QStringLiteral("puesto-%1").arg(i)};
        b.state.Grupos[i] = {QStringLiteral("Grupo %1").arg(i),
                             QStringLiteral("puesto-%1, puesto-%2, puesto-%3").arg(i).arg(i + 1).arg(i + 2)};
    }
    return b;
}

} // namespace brisquel
