#pragma once

#include "vbtypes.h"

#include <QString>

#include <array>

namespace brisquel {

// One recipient slot: column 0 is the caption shown on the button, column 1
// the recipient text handed to dispatch.
using RecipientEntry = std::array<QString, 2>;
inline constexpr int kRecipientSlots = 12;
using RecipientList = std::array<RecipientEntry, kRecipientSlots>;

inline constexpr int kHistorySlots = 33;   // indices 0 to 32
inline constexpr Integer kHistoryMax = 32; // NumMensajes never goes past this

inline const QString kEmptySlotCaption = QStringLiteral("...");

// The state every window shares. One instance per process, owned by main()
// and handed to the windows; tests make their own.
struct Module1 {
    QString UsuarioWindows;
    QString Remitente;
    Boolean NombrePropio = False;
    RecipientList Usuarios;
    RecipientList Grupos;
    std::array<QString, kHistorySlots> Historial;
    Integer NumMensajes = 0;
    Integer PosHistorial = 0;
    Integer LetrasQuedan = 850;
    QString Comando;
    Integer Modo = 1;
    Integer EstadoPanel = 1;
    Integer Brillo = 120;
    Integer PasoBrillo = 5;
};

} // namespace brisquel
