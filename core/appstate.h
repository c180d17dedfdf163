#pragma once

#include "history.h"

#include <QString>

#include <array>

namespace brisquel {

// One button of the recipient bank.
struct RecipientSlot {
    QString caption;    // shown on the button; kEmptySlotCaption leaves it disabled
    QString recipients; // handed to dispatch: a user, or a list such as "pepe, juan"

    bool operator==(const RecipientSlot &) const = default;
};

inline constexpr int kRecipientSlots = 12;
using RecipientList = std::array<RecipientSlot, kRecipientSlots>;

inline const QString kEmptySlotCaption = QStringLiteral("...");

// Which list the recipient bank shows and sends to.
enum class RecipientMode { Users, Groups };

// Characters a message may hold before the sender name is taken off.
inline constexpr int kFullBudget = 850;

// The state every window shares. One instance per process, owned by main()
// and handed to the windows; tests make their own.
struct AppState {
    // Who runs the program, as the system says; written to the settings
    // file, never read from it.
    QString loginName;
    // The name messages are signed with when signWithSenderName is on.
    QString senderName;
    // Signed "name@program"; otherwise "[program]", and the name does not
    // take letters from the budget.
    bool signWithSenderName = false;
    // The two lists of the settings file, one slot per bank button.
    RecipientList users;
    RecipientList groups;
    // The list the bank shows now.
    RecipientMode recipientMode = RecipientMode::Users;
    // The messages sent in this run and where the history bar stands.
    History history;
    // What the budget leaves for the message being typed, in the main window
    // or the quick-message strip, whichever changed last; the main window
    // refuses typed keys at zero.
    int lettersLeft = kFullBudget;
};

} // namespace brisquel
