#pragma once

#include <QString>

namespace brisquel {

// The three section headers of "brisquel.ini", compared exactly.
inline const QString kSectionGeneral = QStringLiteral("[GENERAL]");
inline const QString kSectionUsuarios = QStringLiteral("[USUARIOS]");
inline const QString kSectionGrupos = QStringLiteral("[GRUPOS]");

} // namespace brisquel
