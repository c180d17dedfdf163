#pragma once

#include "vbtypes.h"

#include <QString>

#include <array>

namespace brisquel {

// One recipient slot: column 0 is the caption shown on the button, column 1
// the recipient text handed to dispatch.
using RecipientEntry = std::array<QString, 2>;
inline constexpr int kRecipientSlots = 12;
using RecipientList = std::array<RecipientEntry, kRecipientSlots>;

inline constexpr int kHistorySlots = 33;   // indices 0 to 32
inline constexpr Integer kHistoryMax = 32; // historyCount never goes past this

inline const QString kEmptySlotCaption = QStringLiteral("...");

// The state every window shares. One instance per process, owned by main()
// and handed to the windows; tests make their own.
struct AppState {
    QString loginName;
    QString senderName;
    Boolean signWithSenderName = False;
    RecipientList users;
    RecipientList groups;
    std::array<QString, kHistorySlots> historyMessages;
    Integer historyCount = 0;
    Integer historyPosition = 0;
    Integer lettersLeft = 850;
    QString lastCommandLine;
    Integer recipientMode = 1;
    Integer panelState = 1;
    Integer glyphLevel = 120;
    Integer glyphStep = 5;
};

} // namespace brisquel
