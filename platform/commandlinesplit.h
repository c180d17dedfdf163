#pragma once

#include <QString>
#include <QStringList>

namespace brisquel {

// Splits a Windows command line into the argv a Microsoft C runtime program
// (such as net.exe) receives, by the rules of the current runtime (UCRT and
// every msvcrt since 2008):
//
// - The program name runs to the first blank outside double quotes; quotes
//   only group there and are dropped, backslashes are plain characters.
// - Arguments are separated by blanks (space and tab only: line feeds and
//   carriage returns are ordinary characters) outside double quotes.
// - 2n backslashes before a quote give n backslashes, and the quote opens or
//   closes a quoted region; 2n+1 backslashes before a quote give n
//   backslashes and a literal quote. Other backslashes are literal.
// - Inside a quoted region, "" gives one literal quote and the region goes
//   on (the post-2008 rule; older runtimes closed the region there).
//
// An empty command line gives no arguments at all.
QStringList splitCommandLine(const QString &commandLine);

} // namespace brisquel
