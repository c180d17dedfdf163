#pragma once

#include <QString>

namespace brisquel {

// Every line break of a text as CR LF, the one break a text box shows as
// such. Senders break lines their own way: Windows with CR LF, Unix with
// LF, and messages signed by this program with LF CR; each of CR LF, LF CR,
// a lone LF and a lone CR is one break.
QString withCrLfLineBreaks(const QString &text);

} // namespace brisquel
