#include "processcommandstarter.h"

#include <QCoreApplication>
#include <QDir>

namespace brisquel {

ProcessCommandStarter::ProcessCommandStarter()
    : ProcessCommandStarter(defaultProgramFolders())
{
}

QStringList ProcessCommandStarter::defaultProgramFolders()
{
    QStringList folders;
    if (QCoreApplication::instance() != nullptr)
        folders << QCoreApplication::applicationDirPath();
    const QStringList path = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString &folder : path) {
        if (QDir::isAbsolutePath(folder))
            folders << folder;
    }
    return folders;
}

} // namespace brisquel
