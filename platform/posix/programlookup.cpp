#include "programlookup.h"

#include <QDir>
#include <QFileInfo>

namespace brisquel {

namespace {

bool isRunnable(const QFileInfo &file)
{
    return file.isFile() && file.isExecutable();
}

} // namespace

QString findProgram(const QString &name, const QStringList &folders)
{
    if (name.isEmpty())
        return {};
    if (name.contains(u'/')) {
        const QFileInfo file(name);
        return isRunnable(file) ? file.absoluteFilePath() : QString();
    }
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(folder), name);
        if (isRunnable(file))
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace brisquel
