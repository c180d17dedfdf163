#pragma once

#include "appstate.h"
#include "settingsmerge.h"
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
    // Where the unreadable file was kept before it was replaced (the file's
    // path plus ".bak"); empty when there was nothing to keep.
    QString backupPath;
    // Non-empty when the file was not read or the defaults could not be
    // written or read: a message for the user naming the file and the
    // reason. The state then holds the defaults anyway.
    QString error;
    SettingsBaseline baseline;
};

// The path as messages name it: absolute, between « and ».
QString shownPath(const QString &path);

// Loads the settings file into the state (senderName, signWithSenderName, users,
// groups) and the look. When the file is missing, cut short inside a
// section, lacks one of the three sections or holds a font or colour the
// message box refuses, writes a file of defaults (built from
// state.loginName and the look as it stands then, values read before
// the failure included) and loads that instead; an existing file is kept
// first as path + ".bak", and without that copy it is not replaced. What is
// not a regular file of the user's (see safefile.h) is never read. Never
// fails hard: when the defaults cannot be had from a file, they are put into
// memory and `error` says why.
LoadOutcome loadSettings(const QString &path, AppState &state, TextBoxLook &look);

// Writes the whole file from the state and the look, in one go: the old file
// stays intact until the new one is complete. Returns an empty string on
// success, else a message for the user naming the file and the reason.
QString saveSettings(const QString &path, const AppState &state, const TextBoxLook &look);

// The save at exit, or when the session manager asks. Leaves the file alone
// when the load said so. When the file on disk is still what the run loaded,
// writes the whole file from the state and the look; when someone changed it
// meanwhile, keeps it and writes only what this run changed over it. Writes
// nothing when the bytes would stay the same. After a save the baseline is
// what was saved, so a later save writes only what changed after it. Empty
// on success or when nothing needed saving, else a message for the user.
QString saveSettingsAtExit(const QString &path, SettingsBaseline &baseline, const AppState &state,
                           const TextBoxLook &look);

} // namespace brisquel
