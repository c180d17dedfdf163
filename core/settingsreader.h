#pragma once

#include "appstate.h"
#include "textboxlook.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace brisquel {

class LineReader;

// How the entries of a file are read. The file of defaults written after a
// failed load is read back with comma-delimited fields for the first three
// lines of [GENERAL] and every list entry; everything else is whole lines.
enum class EntryReading { WholeLines, DelimitedFields };

struct SectionReadResult {
    bool ok = false;       // false: the file was cut short inside a section or held a value the message box refuses
    bool ownName = false;  // the 3rd line of the last [GENERAL] read said "1"
    // Each of the three sections was read through at least once. A file
    // that lacks one holds something other than settings, or settings
    // damaged by hand.
    bool allSections = false;
};

// The text of a settings file: Windows-1252, after a UTF-8 byte-order mark
// that some editors put at the start.
QString settingsText(const QByteArray &bytes);

// Reads every section of the text into the state and the look, each value
// applied right after its line is read, so values before a failure stay.
// A header matches with blanks after it ignored. A NUL in the sender or an
// entry reads as a blank: it would cut the command line short.
// The caption of every user row read is appended to quickListCaptions.
SectionReadResult readSettingsSections(LineReader &in, EntryReading reading, AppState &state,
                                       TextBoxLook &look, QStringList &quickListCaptions);

} // namespace brisquel
