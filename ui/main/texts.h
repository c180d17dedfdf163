#pragma once

#include <QString>

namespace brisquel {

// Who made the program, in the greeting and the about box.
inline const QString kMakerLine = QStringLiteral("Hecho por el equipo de Brisquel");

} // namespace brisquel
