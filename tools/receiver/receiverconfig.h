#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>

namespace brisquel::receiver {

using Subnet = QPair<QHostAddress, int>;

// What /etc/brisquel/receiver.conf says, with the defaults for what it
// leaves out.
struct ReceiverConfig {
    QString netbiosName; // upper case; empty: from the host name
    QList<QHostAddress> listen{QHostAddress(QHostAddress::AnyIPv4)};
    QList<quint16> ports{139};
    QList<Subnet> allowedNetworks; // empty: loopback and this machine's subnets
    bool announceUsers = false;
    QString charset = QStringLiteral("CP850");
    QString socketPath = QStringLiteral("/run/brisquel/receiver.sock");
    QString spoolPath = QStringLiteral("/var/lib/brisquel-receiver");
    QString sambaConfig = QStringLiteral("/etc/samba/smb.conf");
    int maxConnections = 64;
    int maxConnectionsPerSource = 8;
    int messagesPerMinute = 30;
    int spoolMessages = 200;
    qint64 spoolBytes = 1048576;
    int idleTimeoutSeconds = 10;
};

inline constexpr const char *kDefaultConfigPath = "/etc/brisquel/receiver.conf";

struct ConfigRead {
    ReceiverConfig config;
    QString problem; // "FILE, línea N: why"; empty when the file was good
};

// Reads the file in smb.conf form: `key = value`, `#` and `;` comments, an
// optional [global] header. A missing file gives the defaults unless it
// must exist.
ConfigRead readReceiverConfig(const QString &path, bool mustExist);
ConfigRead parseReceiverConfig(const QByteArray &text, const QString &fileName);

// The account Samba runs guest work as, `guest account` in smb.conf's
// [global]; "nobody" when unset.
QString sambaGuestAccount(const QByteArray &smbConf);

} // namespace brisquel::receiver
