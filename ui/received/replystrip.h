#pragma once

#include "core/receivedmessage.h"
#include "ui/entrystrip.h"

namespace brisquel {

class MessageComposer;

// A short answer to a received message: typed in a strip of its own, Enter
// sends it, signed as every message, to the address the message came from
// (what its sender claims to be is not trusted for the way back), within
// the same budget as the quick message; Esc drops it.
class ReplyStrip : public EntryStrip {
    Q_OBJECT

public:
    ReplyStrip(const ScreenMetrics &metrics, MessageComposer &composer);

    void load();
    // A fresh, empty reply to `message`.
    void startReply(const ReceivedMessage &message);

protected:
    void onAccepted() override;
    void showEvent(QShowEvent *event) override;

private:
    // Just below the window it answers from, so the message stays in
    // sight; centred when shown on its own.
    void placeBelowOwner();

    MessageComposer &m_composer;
    ReceivedMessage m_message;
};

} // namespace brisquel
