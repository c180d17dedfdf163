#pragma once

#include <QString>

namespace brisquel {

// The three section headers of "brisquel.ini", compared exactly.
inline const QString kGeneralSection = QStringLiteral("[GENERAL]");
inline const QString kUsersSection = QStringLiteral("[USUARIOS]");
inline const QString kGroupsSection = QStringLiteral("[GRUPOS]");

} // namespace brisquel
