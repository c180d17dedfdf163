#include "platform/localconnection.h"

// The receiving service runs on Linux only: on Windows there is never one
// to reach, and the link simply keeps finding none.

namespace brisquel {

LocalConnection::LocalConnection(QObject *parent)
    : QObject(parent)
{
}

LocalConnection::~LocalConnection() = default;

bool LocalConnection::open(const QString &)
{
    return false;
}

void LocalConnection::close() {}

bool LocalConnection::isOpen() const
{
    return false;
}

void LocalConnection::write(const QByteArray &) {}

void LocalConnection::readAvailable() {}

void LocalConnection::sendUnsent() {}

void LocalConnection::drop() {}

} // namespace brisquel
