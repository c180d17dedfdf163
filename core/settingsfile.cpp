#include "settingsfile.h"

#include "linereader.h"
#include "safefile.h"
#include "safefilelock.h"
#include "settingsreader.h"
#include "settingswriter.h"

#include <QDateTime>
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
    outcome.baseline = {leaveFileAlone, std::nullopt, {state, look}, std::nullopt};
    return outcome;
}

const QString kStartsOnDefaults = QStringLiteral("Brisquel empieza con la configuración de fábrica");

QString notWritten(const QString &path, const QString &reason)
{
    QString message =
        QStringLiteral("No se ha podido guardar la configuración en %1: %2.").arg(shownPath(path), reason);
    if (QFileInfo::exists(path))
        message += QStringLiteral(" El fichero se queda como estaba.");
    return message;
}

// "[USUARIOS]", "[USUARIOS] y [GRUPOS]", "[GENERAL], [USUARIOS] y [GRUPOS]".
QString listed(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" y ") + items.last();
}

QString sectionsNotFound(const QString &path, const QStringList &missing)
{
    if (missing.size() == 3) {
        return QStringLiteral("En %1 no se ha encontrado ninguna de las secciones %2, así que la configuración "
                              "empieza vacía.")
            .arg(shownPath(path), listed(missing));
    }
    return (missing.size() == 1 ? QStringLiteral("En %1 no se ha encontrado la sección %2")
                                : QStringLiteral("En %1 no se han encontrado las secciones %2"))
               .arg(shownPath(path), listed(missing))
        + QStringLiteral(", así que esa parte de la configuración empieza vacía; lo demás se ha leído.");
}

// Where a copy of `bytes`, the file at `path`, is kept. An older copy is
// never replaced by another: a copy of these very bytes is used again,
// otherwise the first free name of .bak, .bak2 ... .bak999, then one with
// the date and time. Something there that cannot be read is left for the
// copy to fail on, and say so. Empty when every name is taken.
QString backupPathFor(const QString &path, const QByteArray &bytes)
{
    constexpr int kMostCopies = 999;
    QStringList candidates;
    for (int n = 1; n <= kMostCopies; ++n)
        candidates << path + kBackupSuffix + (n == 1 ? QString() : QString::number(n));
    candidates << path + kBackupSuffix + QDateTime::currentDateTime().toString(QStringLiteral("-yyyyMMdd-HHmmss"));
    for (const QString &candidate : std::as_const(candidates)) {
        const FileRead old = readRegularFile(candidate);
        if (old.result != FileRead::Result::Read || old.bytes == bytes)
            return candidate;
    }
    return QString();
}

struct KeptCopy {
    QString path;   // where the copy is, or would have gone
    QString reason; // non-empty: there is no copy, and why
};

KeptCopy keepCopy(const QString &path, const QByteArray &bytes)
{
    KeptCopy copy{backupPathFor(path, bytes), QString()};
    if (copy.path.isEmpty()) {
        copy.reason = QStringLiteral("no queda ningún nombre libre para ella (de %1 a %2 y %3 ya existen)")
                          .arg(shownPath(path + kBackupSuffix), shownPath(path + kBackupSuffix + QStringLiteral("999")),
                               shownPath(path + kBackupSuffix + QStringLiteral("-…")));
        return copy;
    }
    const FileRead there = readRegularFile(copy.path);
    if (there.result == FileRead::Result::Read && there.bytes == bytes)
        return copy;
    WriteOptions options;
    options.likeFile = path;
    options.onlyIfNew = true;
    copy.reason = writeRegularFile(copy.path, bytes, options).reason;
    return copy;
}

// " en «…»", or nothing when no name was free.
QString copyPlace(const KeptCopy &copy)
{
    return copy.path.isEmpty() ? QString() : QStringLiteral(" en %1").arg(shownPath(copy.path));
}

} // namespace

QString shownPath(const QString &path)
{
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

LoadOutcome loadSettings(const QString &path, AppState &state, TextBoxLook &look)
{
    LoadOutcome outcome;
    const FileLock lock(path);
    if (lock.state() == FileLock::State::Held)
        removeLeftovers(path);

    const FileRead existing = readRegularFile(path);
    if (existing.result == FileRead::Result::Refused) {
        return defaultsInMemory(state, look, outcome,
                                QStringLiteral("No se ha podido leer la configuración de %1: %2. %3 y deja ese "
                                               "fichero como está.")
                                    .arg(shownPath(path), existing.reason, kStartsOnDefaults),
                                true);
    }
    const TextEncoding encoding = encodingOf(existing.bytes);
    if (existing.result == FileRead::Result::Read) {
        LineReader in(settingsText(existing.bytes));
        const SectionReadResult read = readSettingsSections(in, EntryReading::WholeLines, state, look,
                                                            outcome.quickListCaptions);
        if (read.ok) {
            // What was found is used; what was not stays empty.
            if (!read.general)
                state.senderName.clear();
            if (!read.users)
                state.users = RecipientList();
            if (!read.groups)
                state.groups = RecipientList();
            state.signWithSenderName = read.ownName;
            outcome.baseline = {false, existing.bytes, {state, look},
                                read.general ? std::optional(read.savedBy) : std::nullopt, encoding};
            // An empty file holds nothing to lose.
            if (read.allSections() || existing.bytes.isEmpty())
                return outcome;
            // Kept before a save can write the missing sections into it;
            // without a copy the file is never written.
            const KeptCopy copy = keepCopy(path, existing.bytes);
            outcome.notice = sectionsNotFound(path, read.missingSections());
            if (copy.reason.isEmpty()) {
                outcome.backupPath = copy.path;
                outcome.notice += QStringLiteral(" El fichero tal como estaba se ha guardado en %1.")
                                      .arg(shownPath(copy.path));
            } else {
                outcome.baseline.leaveFileAlone = true;
                outcome.notice += QStringLiteral(" No se ha podido guardar una copia del fichero%1: %2. Así "
                                                 "que Brisquel no lo tocará al salir.")
                                      .arg(copyPlace(copy), copy.reason);
            }
            return outcome;
        }
        // Keep what could not be read before it is replaced; without a copy
        // the file is left alone.
        const KeptCopy copy = keepCopy(path, existing.bytes);
        if (!copy.reason.isEmpty()) {
            return defaultsInMemory(
                state, look, outcome,
                QStringLiteral("No se ha podido leer la configuración de %1, y tampoco guardar una copia%2 "
                               "antes de sustituirla: %3. El fichero se queda como está y %4.")
                    .arg(shownPath(path), copyPlace(copy), copy.reason, kStartsOnDefaults),
                true);
        }
        outcome.backupPath = copy.path;
        outcome.notice = QStringLiteral("No se ha podido leer bien %1, así que Brisquel empieza con la "
                                        "configuración de fábrica. El fichero anterior está guardado en %2.")
                             .arg(shownPath(path), shownPath(copy.path));
    }

    // Captions of a read that failed halfway would no longer match the slots.
    outcome.quickListCaptions.clear();

    const QByteArray defaults = settingsFileBytes(withDefaults(state), look, encoding);
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
    outcome.baseline = {false, written.bytes, {state, look}, reread.savedBy, encoding};
    return outcome;
}

QString saveSettings(const QString &path, const AppState &state, const TextBoxLook &look, TextEncoding encoding)
{
    const QString reason = replaceRegularFile(path, settingsFileBytes(state, look, encoding));
    return reason.isEmpty() ? QString() : notWritten(path, reason);
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
    // The file names whoever saved it last: another login there is a change.
    const bool somethingToWrite = changed || (baseline.savedBy && *baseline.savedBy != state.loginName);

    const FileLock lock(path);
    if (lock.state() == FileLock::State::Busy) {
        if (!somethingToWrite)
            return QString();
        return notSaved.arg(shownPath(path),
                            QStringLiteral("otra copia de Brisquel lo estaba guardando y no ha terminado en %1 "
                                           "segundos (lo dice %2), así que se deja como está")
                                .arg(FileLock::kWait.count() / 1000)
                                .arg(shownPath(lock.lockPath())));
    }

    // Someone may write the file without the lock (an editor): if it changes
    // while the new one is written, start again from what they wrote.
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const FileRead disk = readRegularFile(path);
        if (disk.result == FileRead::Result::Refused)
            return notWritten(path, disk.reason);
        if (disk.result == FileRead::Result::Read && !somethingToWrite)
            return QString();

        const TextEncoding encoding =
            disk.result == FileRead::Result::Read ? encodingOf(disk.bytes) : baseline.encoding;
        QByteArray bytes;
        const bool wholeFile = disk.result == FileRead::Result::Missing
            || (disk.bytes == baseline.bytes && baseline.listsAsInMemory);
        if (wholeFile) {
            bytes = settingsFileBytes(state, look, encoding);
        } else {
            // Someone changed the file while the program ran (now, or before
            // an earlier save): theirs stays, and only what this run changed
            // goes over it.
            SettingsValues onDisk{state, TextBoxLook()};
            QStringList captions;
            LineReader in(settingsText(disk.bytes));
            const SectionReadResult read =
                readSettingsSections(in, EntryReading::WholeLines, onDisk.state, onDisk.look, captions);
            if (!read.ok || !read.allSections()) {
                if (!changed)
                    return QString();
                return notSaved.arg(shownPath(path),
                                    QStringLiteral("el fichero ha cambiado mientras Brisquel estaba abierto y no "
                                                   "se puede leer, así que se deja como está"));
            }
            onDisk.state.signWithSenderName = read.ownName;
            const SettingsValues merged = mergedChanges(baseline.values, state, look, onDisk);
            bytes = settingsFileBytes(merged.state, merged.look, encoding);
        }
        const SettingsBaseline saved{false, bytes, {state, look}, state.loginName, encoding, wholeFile};
        if (disk.result == FileRead::Result::Read && bytes == disk.bytes) {
            baseline = saved;
            return QString();
        }

        WriteOptions options;
        options.stillWanted = [&path, &disk] {
            const FileRead now = readRegularFile(path);
            return now.result == disk.result && now.bytes == disk.bytes;
        };
        const FileWrite write = writeRegularFile(path, bytes, options);
        if (write.result == FileWrite::Result::Failed)
            return notWritten(path, write.reason);
        if (write.result == FileWrite::Result::Written) {
            baseline = saved;
            return QString();
        }
    }
    return notSaved.arg(shownPath(path),
                        QStringLiteral("el fichero cambiaba una y otra vez mientras se guardaba, así que se "
                                       "deja como está"));
}

} // namespace brisquel
