#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

namespace brisquel::net {

// The ways of finding a computer by name, as Samba names them in
// "name resolve order".
enum class ResolveMethod {
    Wins,      // a NetBIOS name query to each WINS server
    Host,      // the system resolver: /etc/hosts, DNS
    Broadcast, // a NetBIOS name query broadcast on the local networks
};

// What the Samba configuration says about finding names. The defaults are
// Samba's own (lmhosts, which we do not read, left out).
struct NameServiceSettings {
    QList<ResolveMethod> order{ResolveMethod::Wins, ResolveMethod::Host, ResolveMethod::Broadcast};
    QList<QHostAddress> winsServers;
    quint16 nbtPort = 137; // UDP port of the NetBIOS name service
};

// Where Samba keeps its configuration when no file is named.
inline constexpr const char *kDefaultSambaConfig = "/etc/samba/smb.conf";

struct SettingsRead {
    NameServiceSettings settings;
    QString problem; // why the file could not be used; empty when it could
};

// Reads the [global] parameters "name resolve order", "wins server" and
// "nbt port" from a file in smb.conf syntax, following its "include" lines
// (a relative path from the including file's folder). Only regular files
// of a sane size are read. A missing default file is no problem (Samba's
// defaults hold); a named file that cannot be read is; an included one that
// cannot be read is passed over, as Samba does.
SettingsRead readNameServiceSettings(const QString &path, bool mustExist);

// The same from the text of such a file; relative includes are taken from
// the current folder.
NameServiceSettings parseNameServiceSettings(const QByteArray &text);

} // namespace brisquel::net
