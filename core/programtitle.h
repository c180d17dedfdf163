#pragma once

#include <QString>

namespace brisquel {

// The program's name as the main window's caption, its message boxes and
// the signature of every message carry it.
inline const QString kProgramTitle = QStringLiteral("Brisquel v2.4b");
// Title of the greeting and the about box.
inline const QString kVersionTitle = QStringLiteral("Brisquel v2.4b rev 10");
// Who made the program, in the greeting and the about box.
inline const QString kMakerLine = QStringLiteral("Hecho por el equipo de Brisquel");
// The tray icon's tip: it has no final "b".
inline const QString kTrayTip = QStringLiteral("Brisquel v2.4");

// The tray icon's tip while received messages wait to be read.
inline QString unreadMessagesTip(int count)
{
    return kTrayTip
        + (count == 1 ? QStringLiteral(" - 1 mensaje sin leer")
                      : QStringLiteral(" - %1 mensajes sin leer").arg(count));
}
// The title of a received message, in its window and its balloon: the
// sender's name as claimed.
inline QString receivedMessageTitle(const QString &sender)
{
    return QStringLiteral("Mensaje de ") + sender;
}

} // namespace brisquel
