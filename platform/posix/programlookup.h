#pragma once

#include <QString>
#include <QStringList>

namespace brisquel {

// The first executable file called `name` in the folders, in order, as an
// absolute path; a name holding a '/' is taken as a path of its own. Empty
// when there is none.
QString findProgram(const QString &name, const QStringList &folders);

} // namespace brisquel
