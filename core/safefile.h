#pragma once

#include <QByteArray>
#include <QString>

namespace brisquel {

// Reading and replacing the user's files without ever writing through what
// is not theirs. Only regular files are read or written. A symbolic link is
// followed only when the link and its target both belong to the user running
// the program and the target is a regular file (dotfiles kept as links);
// any other link, a folder, a FIFO or a device is refused with the reason.

// Far above any settings file; a bigger one counts as unreadable, so that a
// link to an endless device cannot eat the memory.
inline constexpr qint64 kReadLimitBytes = 64 * 1024 * 1024;

struct FileRead {
    enum class Result { Missing, Read, Refused };
    Result result = Result::Missing;
    QByteArray bytes; // Read: the whole file
    QString reason;   // Refused: why, in Spanish (see filefailure.h)
};

FileRead readRegularFile(const QString &path, qint64 limit = kReadLimitBytes);

// Replaces (or creates) the file with `bytes`, never before every byte is on
// the disk: on any failure the old file stays whole. A replaced file keeps
// its mode, and its owner and group where the system allows; a new file
// takes them from `likeFile` when given (a copy kept for its owner). A file
// of another user is replaced only by root. Empty on success, else the
// reason.
QString replaceRegularFile(const QString &path, const QByteArray &bytes, const QString &likeFile = QString());

} // namespace brisquel
