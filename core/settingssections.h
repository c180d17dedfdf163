#pragma once

#include <QByteArray>
#include <QString>

namespace brisquel {

// The three section headers of "brisquel.ini", compared exactly.
inline const QString kGeneralSection = QStringLiteral("[GENERAL]");
inline const QString kUsersSection = QStringLiteral("[USUARIOS]");
inline const QString kGroupsSection = QStringLiteral("[GRUPOS]");

// How the text of the file is stored. Windows-1252 unless it starts with a
// UTF-8 byte-order mark (a Linux editor's), and written back the same way.
enum class TextEncoding { Windows1252, Utf8WithMark };
inline const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

} // namespace brisquel
