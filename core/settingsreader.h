#pragma once

#include "appstate.h"
#include "settingssections.h"
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
    // Which sections were read through at least once.
    bool general = false;
    bool users = false;
    bool groups = false;
    // The 2nd line of the last [GENERAL] read: who saved the file last.
    QString savedBy;

    bool allSections() const { return general && users && groups; }
    // The headers of the sections not found, in file order.
    QStringList missingSections() const;
};

TextEncoding encodingOf(const QByteArray &bytes);

// The text of a settings file: UTF-8 after a byte-order mark, else
// Windows-1252.
QString settingsText(const QByteArray &bytes);

// Reads every section of the text into the state and the look, each value
// applied right after its line is read, so values before a failure stay.
// A header matches with blanks after it ignored. A NUL in the sender or an
// entry reads as a blank: it would cut the command line short.
// The caption of every user row read is appended to quickListCaptions.
SectionReadResult readSettingsSections(LineReader &in, EntryReading reading, AppState &state,
                                       TextBoxLook &look, QStringList &quickListCaptions);

} // namespace brisquel
