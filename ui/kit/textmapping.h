#pragma once

#include <QString>
#include <QStringView>

namespace brisquel::textmap {

// The text of a box is kept exactly as code and user made it; the widget
// shows a copy of it in which every unit takes one position:
// - in a multi-line box a CR LF pair is one line break of the widget;
// - any other control character (a lone CR or LF, Backspace...) is shown as
//   its visible symbol (U+2400 + code), so the widget neither breaks the
//   line at it nor drops it;
// - the few characters a text document would read as a structure mark are
//   shown as U+FFFD.
// A single-line box shows its text as it is.

inline constexpr char16_t kShownBreak = u'\u2029';

QString toShown(QStringView text, bool multiLine);

// The text that a run of shown characters stands for; a line break gives
// CR LF and a control symbol its control character.
QString fromShown(QStringView shown, bool multiLine);

// Position of the shown copy before the unit that starts at (or, inside a
// CR LF pair, holds) text position textPos; clamped to the ends.
int shownPosition(QStringView text, int textPos, bool multiLine);

// Text position of the unit that starts at shown position shownPos.
int textPosition(QStringView text, int shownPos, bool multiLine);

// A pasted text as the box takes it: every line break (CR LF, LF or CR) is
// CR LF in a multi-line box; a single-line box takes the first line only.
QString pastedText(const QString &clip, bool multiLine);

// How many leading characters of `insert` fit into `room` characters without
// parting a CR LF pair or a surrogate pair.
int fittingLength(QStringView insert, int room);

// Where two versions of a text part: they share `prefix` leading and
// `suffix` trailing characters (not overlapping).
struct Difference {
    int prefix = 0;
    int suffix = 0;
};
Difference difference(QStringView before, QStringView after);

// Where a caret at `position` of `before` stands in `after`: unchanged
// before the change, moved along after it, and at the end of the new part
// when it stood inside (or at the start of) the replaced part, the way
// typing leaves it behind what was typed.
int followPosition(QStringView before, QStringView after, int position);

} // namespace brisquel::textmap
