#pragma once

#include "nameservicesettings.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
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
// its own bounded wait.
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
    void startNameQuery(const QList<QHostAddress> &targets, bool broadcast, int waitMs);
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
    QByteArray m_query;
    quint16 m_transactionId = 0;
    int m_lookupId = -1;
    bool m_lookupRunning = false;
    bool m_abandonedLookup = false;
    bool m_done = false;
};

// The broadcast address of every IPv4 network of an interface that is up
// and can broadcast, loopback left out.
QList<QHostAddress> localBroadcastAddresses();

} // namespace brisquel::net
