#include "settingsfile.h"

#include "linereader.h"
#include "safefile.h"
#include "settingsreader.h"
#include "settingswriter.h"

#include <QDir>
#include <QFileInfo>

namespace brisquel {

namespace {

// What the recovery leaves behind: the sender is the login, the own-name flag
// is on and every slot is empty.
AppState withDefaults(const AppState &state)
{
    AppState defaults = state;
    defaults.senderName = state.loginName;
    defaults.signWithSenderName = true;
    for (RecipientList *list : {&defaults.users, &defaults.groups})
        for (RecipientSlot &slot : *list)
            slot = {kEmptySlotCaption, kEmptySlotCaption};
    return defaults;
}

// Used when not even the file of defaults can be had.
LoadOutcome defaultsInMemory(AppState &state, const TextBoxLook &look, LoadOutcome outcome, const QString &error,
                             bool leaveFileAlone)
{
    state = withDefaults(state);
    outcome.quickListCaptions.clear();
    for (const RecipientSlot &slot : state.users)
        outcome.quickListCaptions.append(slot.caption);
    outcome.error = error;
    outcome.baseline = {leaveFileAlone, std::nullopt, {state, look}};
    return outcome;
}

const QString kStartsOnDefaults = QStringLiteral("Brisquel empieza con la configuración de fábrica");

QString writeSettingsBytes(const QString &path, const QByteArray &bytes)
{
    const QString reason = replaceRegularFile(path, bytes);
    if (reason.isEmpty())
        return QString();
    QString message =
        QStringLiteral("No se ha podido guardar la configuración en %1: %2.").arg(shownPath(path), reason);
    if (QFileInfo::exists(path))
        message += QStringLiteral(" El fichero se queda como estaba.");
    return message;
}

} // namespace

QString shownPath(const QString &path)
{
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

// Where the copy of a file about to be replaced goes. An older copy is never
// replaced by another: a copy of these very bytes is used again, otherwise
// the first free name (.bak, .bak2, .bak3, ...). Something there that cannot
// be read is left for the copy to fail on, and say so.
QString backupPathFor(const QString &path, const QByteArray &bytes)
{
    constexpr int kMostCopies = 999;
    QString candidate;
    for (int n = 1; n <= kMostCopies; ++n) {
        candidate = path + kBackupSuffix + (n == 1 ? QString() : QString::number(n));
        const FileRead old = readRegularFile(candidate);
        if (old.result != FileRead::Result::Read || old.bytes == bytes)
            return candidate;
    }
    return candidate;
}

LoadOutcome loadSettings(const QString &path, AppState &state, TextBoxLook &look)
{
    LoadOutcome outcome;

    const FileRead existing = readRegularFile(path);
    if (existing.result == FileRead::Result::Refused) {
        return defaultsInMemory(state, look, outcome,
                                QStringLiteral("No se ha podido leer la configuración de %1: %2. %3 y deja ese "
                                               "fichero como está.")
                                    .arg(shownPath(path), existing.reason, kStartsOnDefaults),
                                true);
    }
    if (existing.result == FileRead::Result::Read) {
        LineReader in(settingsText(existing.bytes));
        const SectionReadResult read = readSettingsSections(in, EntryReading::WholeLines, state, look,
                                                            outcome.quickListCaptions);
        if (read.ok && read.allSections) {
            state.signWithSenderName = read.ownName;
            outcome.baseline = {false, existing.bytes, {state, look}};
            return outcome;
        }
        // Keep what could not be read before it is replaced; without a copy
        // the file is left alone.
        const QString backup = backupPathFor(path, existing.bytes);
        const QString reason = replaceRegularFile(backup, existing.bytes, path);
        if (!reason.isEmpty()) {
            return defaultsInMemory(
                state, look, outcome,
                QStringLiteral("No se ha podido leer la configuración de %1, y tampoco guardar una copia "
                               "en %2 antes de sustituirla: %3. El fichero se queda como está y %4.")
                    .arg(shownPath(path), shownPath(backup), reason, kStartsOnDefaults),
                true);
        }
        outcome.backupPath = backup;
    }

    // Captions of a read that failed halfway would no longer match the slots.
    outcome.quickListCaptions.clear();

    const QByteArray defaults = settingsFileBytes(withDefaults(state), look);
    const QString writeReason = replaceRegularFile(path, defaults);
    if (!writeReason.isEmpty()) {
        return defaultsInMemory(state, look, outcome,
                                QStringLiteral("No se ha podido crear %1 con la configuración de fábrica: "
                                               "%2. %3, pero puede que no consiga guardarla al salir.")
                                    .arg(shownPath(path), writeReason, kStartsOnDefaults),
                                false);
    }

    const FileRead written = readRegularFile(path);
    SectionReadResult reread;
    if (written.result == FileRead::Result::Read) {
        LineReader in(settingsText(written.bytes));
        reread = readSettingsSections(in, EntryReading::DelimitedFields, state, look,
                                      outcome.quickListCaptions);
    }
    if (!reread.ok) {
        const QString reason = written.result == FileRead::Result::Read
            ? QStringLiteral("su contenido no es el que se acaba de escribir")
            : written.reason;
        return defaultsInMemory(state, look, outcome,
                                QStringLiteral("No se ha podido leer %1 recién creado: %2. %3.")
                                    .arg(shownPath(path), reason, kStartsOnDefaults),
                                false);
    }
    state.signWithSenderName = reread.ownName;
    outcome.recovered = true;
    outcome.baseline = {false, written.bytes, {state, look}};
    return outcome;
}

QString saveSettings(const QString &path, const AppState &state, const TextBoxLook &look)
{
    return writeSettingsBytes(path, settingsFileBytes(state, look));
}

QString saveSettingsAtExit(const QString &path, SettingsBaseline &baseline, const AppState &state,
                           const TextBoxLook &look)
{
    const bool changed = changedSince(baseline.values, state, look);
    const QString notSaved = QStringLiteral("No se han guardado los cambios de esta sesión en %1: %2.");
    if (baseline.leaveFileAlone) {
        if (!changed)
            return QString();
        return notSaved.arg(shownPath(path),
                            QStringLiteral("al empezar no se pudo leer o no se pudo guardar una copia, así "
                                           "que se deja como está"));
    }

    const FileRead disk = readRegularFile(path);
    if (disk.result == FileRead::Result::Refused)
        return QStringLiteral("No se ha podido guardar la configuración en %1: %2.").arg(shownPath(path), disk.reason);

    QByteArray bytes;
    const bool wholeFile = disk.result == FileRead::Result::Missing
        || (disk.bytes == baseline.bytes && baseline.listsAsInMemory);
    if (wholeFile) {
        bytes = settingsFileBytes(state, look);
    } else {
        // Someone changed the file while the program ran (now, or before an
        // earlier save): theirs stays, and only what this run changed goes
        // over it.
        SettingsValues onDisk{state, TextBoxLook()};
        QStringList captions;
        LineReader in(settingsText(disk.bytes));
        const SectionReadResult read =
            readSettingsSections(in, EntryReading::WholeLines, onDisk.state, onDisk.look, captions);
        if (!read.ok || !read.allSections) {
            if (!changed)
                return QString();
            return notSaved.arg(shownPath(path),
                                QStringLiteral("el fichero ha cambiado mientras Brisquel estaba abierto y no se "
                                               "puede leer, así que se deja como está"));
        }
        onDisk.state.signWithSenderName = read.ownName;
        const SettingsValues merged = mergedChanges(baseline.values, state, look, onDisk);
        bytes = settingsFileBytes(merged.state, merged.look);
    }
    const bool unchanged = disk.result == FileRead::Result::Read && bytes == disk.bytes;
    const QString error = unchanged ? QString() : writeSettingsBytes(path, bytes);
    if (error.isEmpty())
        baseline = {false, bytes, {state, look}, wholeFile};
    return error;
}

} // namespace brisquel
