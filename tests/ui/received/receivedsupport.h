#pragma once

#include "core/receivedmessages.h"

#include <QTimeZone>

namespace receivedtest {

// A message as the service hands it over, received at 15:04:05 UTC on the
// day given of December 2026.
inline brisquel::ReceivedMessage message(qint64 id, const QString &from, const QString &address, int day,
                                         const QString &text)
{
    brisquel::ReceivedMessage m;
    m.id = id;
    m.from = from;
    m.to = QStringLiteral("ana");
    m.address = address;
    m.received = QDateTime(QDate(2026, 12, day), QTime(15, 4, 5), QTimeZone::utc());
    m.text = text;
    return m;
}

} // namespace receivedtest
