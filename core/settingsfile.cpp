#include "settingsfile.h"

#include "cp1252.h"
#include "linereader.h"
#include "settingsreader.h"
#include "settingswriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace brisquel {

namespace {

QString shown(const QString &path)
{
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path));
}

// The whole file, or the reason it cannot be had.
struct FileBytes {
    std::optional<QByteArray> bytes;
    QString reason;
};

FileBytes readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, file.errorString()};
    return {std::move(bytes), QString()};
}

// Returns the reason on failure. QSaveFile writes beside the target and
// renames at the end, so a crash or a full disk never leaves half a file.
QString writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

// What the recovery leaves behind: the sender is the login, the own-name flag
// is on and every slot is empty.
Module1 withDefaults(const Module1 &state)
{
    Module1 defaults = state;
    defaults.Remitente = state.UsuarioWindows;
    defaults.NombrePropio = True;
    for (RecipientList *list : {&defaults.Usuarios, &defaults.Grupos})
        for (RecipientEntry &row : *list)
            row = {kEmptySlotCaption, kEmptySlotCaption};
    return defaults;
}

// Used when not even the file of defaults can be had.
LoadOutcome defaultsInMemory(Module1 &state, LoadOutcome outcome, const QString &error)
{
    state = withDefaults(state);
    outcome.quickListCaptions.clear();
    for (const RecipientEntry &row : state.Usuarios)
        outcome.quickListCaptions.append(row[0]);
    outcome.error = error;
    return outcome;
}

} // namespace

LoadOutcome loadSettings(const QString &path, Module1 &state, TextBoxLook &look)
{
    LoadOutcome outcome;

    const FileBytes existing = readWhole(path);
    if (existing.bytes) {
        LineReader in(decodeCp1252(*existing.bytes));
        const SectionReadResult read = readSettingsSections(in, EntryReading::WholeLines, state, look,
                                                            outcome.quickListCaptions);
        if (read.ok) {
            state.NombrePropio = toBoolean(read.ownName);
            return outcome;
        }
        // Keep what could not be read before it is replaced; without a copy
        // the file is left alone.
        const QString backup = path + kBackupSuffix;
        const QString reason = writeWhole(backup, *existing.bytes);
        if (!reason.isEmpty()) {
            return defaultsInMemory(
                state, outcome,
                QStringLiteral("No se ha podido leer la configuración de %1, y tampoco guardar una copia "
                               "en %2 antes de sustituirla: %3. El fichero se queda como está y Brisquel "
                               "empieza con la configuración de fábrica.")
                    .arg(shown(path), shown(backup), reason));
        }
        outcome.backupPath = backup;
    } else if (QFileInfo::exists(path)) {
        // There but unreadable (no permission, a folder...): no copy can be
        // kept, so it is not replaced either.
        return defaultsInMemory(state, outcome,
                                QStringLiteral("No se ha podido leer la configuración de %1: %2. Brisquel "
                                               "empieza con la configuración de fábrica.")
                                    .arg(shown(path), existing.reason));
    }

    // Captions of a read that failed halfway would no longer match the slots.
    outcome.quickListCaptions.clear();

    const QString writeReason = writeWhole(path, settingsFileBytes(withDefaults(state), look));
    if (!writeReason.isEmpty()) {
        return defaultsInMemory(state, outcome,
                                QStringLiteral("No se ha podido crear %1 con la configuración de fábrica: "
                                               "%2. Brisquel empieza con esa configuración, pero puede que "
                                               "no consiga guardarla al salir.")
                                    .arg(shown(path), writeReason));
    }

    const FileBytes written = readWhole(path);
    SectionReadResult reread;
    if (written.bytes) {
        LineReader in(decodeCp1252(*written.bytes));
        reread = readSettingsSections(in, EntryReading::DelimitedFields, state, look,
                                      outcome.quickListCaptions);
    }
    if (!reread.ok) {
        const QString reason = written.bytes ? QStringLiteral("su contenido no es el que se acaba de escribir")
                                             : written.reason;
        return defaultsInMemory(state, outcome,
                                QStringLiteral("No se ha podido leer %1 recién creado: %2. Brisquel empieza "
                                               "con la configuración de fábrica.")
                                    .arg(shown(path), reason));
    }
    state.NombrePropio = toBoolean(reread.ownName);
    outcome.recovered = true;
    return outcome;
}

QString saveSettings(const QString &path, const Module1 &state, const TextBoxLook &look)
{
    const QString reason = writeWhole(path, settingsFileBytes(state, look));
    if (reason.isEmpty())
        return QString();
    return QStringLiteral("No se ha podido guardar la configuración en %1: %2.").arg(shown(path), reason);
}

} // namespace brisquel
