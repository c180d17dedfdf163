#pragma once

#include "appstate.h"
#include "settingsmerge.h"
#include "settingssections.h"
#include "textboxlook.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace brisquel {

inline const QString kSettingsFileName = QStringLiteral("brisquel.ini");
inline const QString kBackupSuffix = QStringLiteral(".bak");

// What a run started from, for the save at exit.
struct SettingsBaseline {
    // The file could not be read, or could not be kept before it would have
    // been replaced: the run goes on with defaults in memory and leaves the
    // file as it is, at exit too.
    bool leaveFileAlone = false;
    // The bytes on disk once the load was over (the file read, or the
    // defaults written in its place); none when there is no file.
    std::optional<QByteArray> bytes;
    // The values the run started with, or had at its last save.
    SettingsValues values;
    // The login line of those bytes (who saved last); none when they hold
    // no [GENERAL] section.
    std::optional<QString> savedBy;
    TextEncoding encoding = TextEncoding::Windows1252;
    // The bytes hold the lists the run has in memory, so the whole file can
    // be written from the state; false once a save merged someone else's
    // edits in.
    bool listsAsInMemory = true;
};

struct LoadOutcome {
    // Captions for the quick-message list, in order: twelve for every
    // [USUARIOS] read. After a recovery only those of the defaults, so entry i
    // always stands for user slot i.
    QStringList quickListCaptions;
    // The file could not be read through, so a file of defaults was written
    // and read in its place.
    bool recovered = false;
    // Where the file was kept as it was, because it was replaced or lacked a
    // section (the file's path plus ".bak", ".bak2"...); empty when nothing
    // was kept.
    QString backupPath;
    // Non-empty when the file was not read or the defaults could not be
    // written or read: a message for the user naming the file and the
    // reason. The state then holds the defaults anyway.
    QString error;
    // Non-empty when the file was read but the user should know what became
    // of it: replaced by defaults, or lacking a section; it names the file,
    // what was wrong and where the copy is.
    QString notice;
    SettingsBaseline baseline;
};

// The path as messages name it: absolute, between « and ».
QString shownPath(const QString &path);

// Loads the settings file into the state (senderName, signWithSenderName, users,
// groups) and the look. Every section found is read; a section not found
// leaves its part of the state empty, and the file is kept as it was under a
// free copy name (path + ".bak", ".bak2"...) before anything can replace it,
// which `notice` tells; without that copy the run never writes the file. An
// empty file reads as nothing, silently. When the file is missing, cut short
// inside a section or holds a font or colour the message box refuses, writes
// a file of defaults (built from state.loginName and the look as it stands
// then, values read before the failure included) and loads that instead; an
// existing file is kept first under a copy name, and without that copy it is
// not replaced. What is not a regular file of the user's (or root's, see
// safefile.h) is never read. Runs under the file's lock (safefilelock.h),
// and removes what killed saves left behind. Never fails hard: when the
// defaults cannot be had from a file, they are put into memory and `error`
// says why.
LoadOutcome loadSettings(const QString &path, AppState &state, TextBoxLook &look);

// Writes the whole file from the state and the look, in one go: the old file
// stays intact until the new one is complete. Returns an empty string on
// success, else a message for the user naming the file and the reason.
QString saveSettings(const QString &path, const AppState &state, const TextBoxLook &look,
                     TextEncoding encoding = TextEncoding::Windows1252);

// The save at exit, or when the session manager asks, under the file's lock
// from the read to the rename. Leaves the file alone when the load said so,
// and when the run changed nothing the file holds (its login line included)
// and the file is still there. When the file on disk is still what the run
// loaded, writes the whole file from the state and the look; when someone
// changed it meanwhile, keeps it and writes only what this run changed over
// it. Should the file change once more while the new one is written, starts
// over from it. Writes nothing when the bytes would stay the same. After a
// save the baseline is what was saved, so a later save writes only what
// changed after it. Empty on success or when nothing needed saving, else a
// message for the user.
QString saveSettingsAtExit(const QString &path, SettingsBaseline &baseline, const AppState &state,
                           const TextBoxLook &look);

} // namespace brisquel
