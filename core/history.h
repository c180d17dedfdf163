#pragma once

#include <QString>

#include <array>

namespace brisquel {

// The messages sent in this run, oldest first, and where the history bar
// stands in them. Position count() is the end: the message being typed.
// Only a send made at the end is recorded; one made while an earlier
// message is on show is a resend and leaves the history as it is.
class History {
public:
    static constexpr int kSlots = 33;       // positions 0 to 32
    static constexpr int kMostMessages = 32; // count() never goes past this

    int count() const { return m_count; }
    // The message at a position; empty where none was recorded, and outside
    // the slots.
    QString message(int position) const;
    int position() const { return m_position; }
    bool atEnd() const { return m_position >= m_count; }

    // The history bar moved to `position` (kept within the slots).
    void browseTo(int position);

    // A message was sent: recorded when the position is at the end. When
    // full, the oldest is dropped and count() stays 32; the last two slots
    // then both hold the newest, so the end shows it again. The position
    // never moves here: after a send at the end it points at the message
    // just recorded, so a second send is a resend until the history bar
    // goes back to the end.
    void record(const QString &message);

private:
    std::array<QString, kSlots> m_messages;
    int m_count = 0;
    int m_position = 0;
};

} // namespace brisquel
