#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace brisquel {

// Reading and replacing the user's files without ever writing through what
// is not theirs. Only regular files are read or written. A symbolic link is
// followed only when the link and its target both belong to the user running
// the program and the target is a regular file (dotfiles kept as links);
// any other link, a folder, a FIFO or a device is refused with the reason.
// A file is read only when it belongs to the user or to root: anyone who can
// drop a file in a shared folder could otherwise choose where messages go.

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

struct FileWrite {
    enum class Result { Written, Stopped, Failed };
    Result result = Result::Failed;
    QString reason; // Failed: why, in Spanish
};

struct WriteOptions {
    // A new file takes its mode, owner and group from this file when given
    // (a copy kept for its owner).
    QString likeFile;
    // The name must be free: whatever appears there, even at the last moment,
    // is never replaced (a copy never takes the place of an older one).
    bool onlyIfNew = false;
    // Asked once every byte is on the disk, right before the new file takes
    // the name; false stops the write (Stopped) and the old file stays.
    std::function<bool()> stillWanted;
};

// Writes the file with `bytes`, never before every byte is on the disk: on
// any failure the old file stays whole. The bytes go first to a hidden
// temporary file beside the target (see isLeftoverName), which then takes the
// target's name. A replaced file keeps its mode, and its owner and group
// where the system allows. A file of another user is replaced only by root.
FileWrite writeRegularFile(const QString &path, const QByteArray &bytes, const WriteOptions &options = {});

// writeRegularFile with the default options: empty on success, else the
// reason.
QString replaceRegularFile(const QString &path, const QByteArray &bytes, const QString &likeFile = QString());

// Whether `name` is that of a temporary file a write to `fileName` leaves
// behind when it is killed before the end: ".brisquel.ini.new-" and six
// letters or digits for "brisquel.ini". No copy can look like that.
bool isLeftoverName(const QString &name, const QString &fileName);

// Removes what killed writes to the file at `path` left beside it: regular
// files of the user's with a leftover name, untouched for a minute (a write
// going on in another instance is younger). Nothing else is ever touched.
void removeLeftovers(const QString &path);

} // namespace brisquel
