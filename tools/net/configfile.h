#pragma once

#include <QByteArray>
#include <QString>

namespace brisquel::net {

// Far above any smb.conf; a bigger file is no configuration of ours, and
// reading it whole must not eat the memory.
inline constexpr qint64 kConfigFileLimitBytes = 1024 * 1024;

struct ConfigFileRead {
    enum class Result { Missing, Read, Refused };
    Result result = Result::Missing;
    QByteArray bytes; // Read: the whole file
    QString reason;   // Refused: why, in Spanish
};

// Reads a configuration file, only when it is a regular file of at most
// kConfigFileLimitBytes: a FIFO or a device is refused without waiting on it.
ConfigFileRead readConfigFile(const QString &path);

} // namespace brisquel::net
