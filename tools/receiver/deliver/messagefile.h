#pragma once

#include <QString>

namespace brisquel::deliver {

// Samba writes one message per file, in UTF-8. An old messenger message is
// at most 1,600 bytes; anything far beyond that is no message.
inline constexpr qint64 kMaxMessageFileBytes = 64 * 1024;

struct MessageFile {
    QString text;
    QString problem; // why the file cannot be read, in Spanish; empty when it could
};

// Reads the message file without following a link and without waiting on
// anything that is not a regular file (a FIFO, a device).
MessageFile readMessageFile(const QString &path);

} // namespace brisquel::deliver
