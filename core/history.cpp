#include "history.h"

#include <algorithm>

namespace brisquel {

QString History::message(int position) const
{
    if (position < 0 || position >= kSlots)
        return QString();
    return m_messages[std::size_t(position)];
}

void History::browseTo(int position)
{
    m_position = std::clamp(position, 0, kSlots - 1);
}

void History::record(const QString &message)
{
    if (!atEnd())
        return;
    m_messages[std::size_t(m_count)] = message;
    if (m_count < kMostMessages) {
        ++m_count;
        return;
    }
    // Copied, not moved: the last slot keeps the newest too.
    std::copy(m_messages.begin() + 1, m_messages.end(), m_messages.begin());
}

} // namespace brisquel
