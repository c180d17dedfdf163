#pragma once

#include "receivedmessage.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace brisquel {

// The lines the receiving service and a desktop exchange on its local
// socket: JSON Lines, one object per line, UTF-8.

// Where the service listens unless BRISQUEL_RECEIVER_SOCKET says otherwise.
inline constexpr char kDefaultReceiverSocket[] = "/run/brisquel/receiver.sock";
// A longer line is a broken peer: the connection is dropped rather than
// buffered without end.
inline constexpr qsizetype kMaxReceiverLineBytes = 512 * 1024;

// A message line, without its "\n". Nothing for anything else: an error
// line, a line that is not JSON, a message without a positive id or text.
// An address that is not an IP address is dropped (the message then cannot
// be answered), since it goes on a command line.
std::optional<ReceivedMessage> parseReceivedMessageLine(QByteArrayView line);

// "{"ack": ID}\n": the message is on show, the service may forget it.
QByteArray acknowledgementLine(qint64 id);

} // namespace brisquel
