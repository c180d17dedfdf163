#pragma once

#include "receivedmessage.h"

#include <QList>

namespace brisquel {

// The messages received in this run, oldest first, and which of them have
// been on show. The service sends again what was not acknowledged, so a
// message it already gave is recognised by its id and not added twice.
class ReceivedMessages {
public:
    // Messages held at most; past it the oldest read one goes. When all
    // are unread a new one is refused: unacknowledged, the service keeps
    // it for the next start.
    static constexpr int kMostMessages = 1000;

    enum class Added {
        New,        // added at the end, unread
        AlreadyHeld, // the service sent it again
        Refused,    // full of unread messages
    };
    Added add(const ReceivedMessage &message);

    int count() const { return int(m_messages.size()); }
    const ReceivedMessage &at(int index) const { return m_messages.at(index).message; }
    // -1 when none holds that id.
    int indexOf(qint64 id) const;

    bool isRead(int index) const { return m_messages.at(index).read; }
    int unreadCount() const { return m_unread; }
    // The oldest unread message; the newest when all are read; -1 when
    // there are none.
    int indexToOpenOn() const;

    // Message `index` is on show: true the first time, when it is to be
    // acknowledged.
    bool markShown(int index);

private:
    struct Entry {
        ReceivedMessage message;
        bool read = false;
    };
    QList<Entry> m_messages;
    int m_unread = 0;
};

} // namespace brisquel
