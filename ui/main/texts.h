#pragma once

#include <QString>

namespace brisquel {

// Title of the greeting and the about box.
inline const QString kVersionTitle = QStringLiteral("Brisquel v2.4b rev 10");
// Who made the program, in the greeting and the about box.
inline const QString kMakerLine = QStringLiteral("Hecho por el equipo de Brisquel");

} // namespace brisquel
