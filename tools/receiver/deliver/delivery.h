#pragma once

#include <QString>
#include <QStringList>

namespace brisquel::deliver {

inline constexpr char kDefaultSocketPath[] = "/run/brisquel/receiver.sock";
inline constexpr char kSocketVariable[] = "BRISQUEL_RECEIVER_SOCKET";
inline constexpr int kAnswerTimeoutMs = 10000;

inline constexpr int kDeliveredStatus = 0;
inline constexpr int kNotDeliveredStatus = 1;
inline constexpr int kUsageStatus = 2;

struct DeliveryOptions {
    QString socketPath = QString::fromLatin1(kDefaultSocketPath);
    int timeoutMs = kAnswerTimeoutMs;
};

// The socket the environment names, or the default one.
DeliveryOptions optionsFromEnvironment();

struct DeliveryResult {
    int exitStatus = kNotDeliveredStatus;
    QString complaint; // one line for standard error, in Spanish; empty when delivered
};

// Does the whole job for the arguments Samba gives, address, sender,
// recipient and message file: reads the file, hands the message to the
// service and removes the file only once the service has it in its spool.
// Runs an event loop of its own until the service answers or the time is up.
DeliveryResult deliverFile(const QStringList &arguments, const DeliveryOptions &options);

} // namespace brisquel::deliver
