#pragma once

#include "nameservicesettings.h"
#include "tools/messenger/netbiosname.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QList>
#include <QNetworkAddressEntry>
#include <QObject>
#include <QPair>
#include <QTimer>

class QHostInfo;
class QUdpSocket;

namespace brisquel::net {

// How long each way of finding a name may take.
struct ResolveTimeouts {
    int winsMs = 500;
    int hostMs = 3000;
    int broadcastMs = 500;
    int resendMs = 250; // a lost query is sent again after this
};

// Finds the addresses of the computer the user named, the way Windows finds
// a messenger: an IP address is taken as it is; a name with a dot is a host
// name for the system resolver; any other name is a NetBIOS name, asked for
// with its messenger suffix in the configured order (WINS servers, the
// system resolver, a broadcast on every local IPv4 network). Each step has
// its own bounded wait. A name-service answer counts only when it comes
// from a server asked (or, to a broadcast, from its network) and answers
// our question; the system resolver's numeric reading of a name ("2000" as
// 0.0.7.208) is no finding.
class NameResolver final : public QObject
{
    Q_OBJECT

public:
    NameResolver(NameServiceSettings settings, ResolveTimeouts timeouts, QObject *parent = nullptr);
    ~NameResolver() override;

    // resolved() follows exactly once, from the event loop. Call once.
    void resolve(const QString &name);

    // True once a system lookup was given up while still running: its
    // thread cannot be stopped, and the program must not wait for it.
    bool leftALookupRunning() const { return m_abandonedLookup; }

signals:
    // Empty when no step found the name.
    void resolved(const QList<QHostAddress> &addresses);

private:
    void nextStep();
    void startHostLookup();
    void onHostFound(const QHostInfo &info);
    // An answer is taken from an address in one of the `answerers` networks.
    using Network = QPair<QHostAddress, int>;
    void startNameQuery(const QList<QHostAddress> &targets, const QList<Network> &answerers, bool broadcast,
                        int waitMs);
    bool comesFromAnAnswerer(const QHostAddress &sender) const;
    void sendQueries();
    void onDatagrams();
    void onStepTimeout();
    void endStep();
    void finish(const QList<QHostAddress> &addresses);

    NameServiceSettings m_settings;
    ResolveTimeouts m_timeouts;
    QString m_name;
    QList<ResolveMethod> m_steps;
    ResolveMethod m_step = ResolveMethod::Host;
    QTimer m_stepTimer;
    QTimer m_resendTimer;
    QUdpSocket *m_socket = nullptr;
    QList<QHostAddress> m_queryTargets;
    QList<Network> m_answerers;
    messenger::NetbiosName m_queryName;
    QByteArray m_query;
    quint16 m_transactionId = 0;
    int m_lookupId = -1;
    bool m_lookupRunning = false;
    bool m_abandonedLookup = false;
    bool m_done = false;
};

// Every IPv4 network of an interface that is up and can broadcast, loopback
// left out.
QList<QNetworkAddressEntry> localBroadcastNetworks();

} // namespace brisquel::net
