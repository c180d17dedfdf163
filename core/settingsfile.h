#pragma once

#include "module1.h"
#include "textboxlook.h"

#include <QString>
#include <QStringList>

namespace brisquel {

inline const QString kSettingsFileName = QStringLiteral("brisquel.ini");
inline const QString kBackupSuffix = QStringLiteral(".bak");

struct LoadOutcome {
    // Captions for the quick-message list, in order: twelve for every
    // [USUARIOS] read. After a recovery only those of the defaults, so entry i
    // always stands for user slot i.
    QStringList quickListCaptions;
    // The file could not be read through, so a file of defaults was written
    // and read in its place.
    bool recovered = false;
    // Where the unreadable file was kept before it was replaced (the file's
    // path plus ".bak"); empty when there was nothing to keep.
    QString backupPath;
    // Non-empty when the defaults could not be written or read: a message for
    // the user naming the file and the reason. The state then holds the
    // defaults anyway.
    QString error;
};

// Loads the settings file into the state (Remitente, NombrePropio, Usuarios,
// Grupos) and the look. When the file is missing, cut short inside a section
// or holds a font or colour the message box refuses, writes a file of
// defaults (built from state.UsuarioWindows and the look as it stands then,
// values read before the failure included) and loads that instead; an
// existing file is kept first as path + ".bak". Never fails hard: when even
// the defaults cannot be written, they are put into memory and `error` says
// why.
LoadOutcome loadSettings(const QString &path, Module1 &state, TextBoxLook &look);

// Writes the whole file from the state and the look, in one go: the old file
// stays intact until the new one is complete. Returns an empty string on
// success, else a message for the user naming the file and the reason.
QString saveSettings(const QString &path, const Module1 &state, const TextBoxLook &look);

} // namespace brisquel
