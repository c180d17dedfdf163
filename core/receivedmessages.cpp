#include "receivedmessages.h"

#include <algorithm>

namespace brisquel {

ReceivedMessages::Added ReceivedMessages::add(const ReceivedMessage &message)
{
    if (indexOf(message.id) >= 0)
        return Added::AlreadyHeld;
    if (m_messages.size() >= kMostMessages) {
        const auto oldestRead =
            std::find_if(m_messages.begin(), m_messages.end(), [](const Entry &entry) { return entry.read; });
        if (oldestRead == m_messages.end())
            return Added::Refused;
        m_messages.erase(oldestRead);
    }
    m_messages.append(Entry{message, false});
    ++m_unread;
    return Added::New;
}

int ReceivedMessages::indexOf(qint64 id) const
{
    for (int index = 0; index < count(); ++index) {
        if (m_messages.at(index).message.id == id)
            return index;
    }
    return -1;
}

int ReceivedMessages::indexToOpenOn() const
{
    for (int index = 0; index < count(); ++index) {
        if (!m_messages.at(index).read)
            return index;
    }
    return count() - 1;
}

bool ReceivedMessages::markShown(int index)
{
    if (index < 0 || index >= count() || m_messages.at(index).read)
        return false;
    m_messages[index].read = true;
    --m_unread;
    return true;
}

} // namespace brisquel
