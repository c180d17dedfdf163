#include "settingswriter.h"

#include "cp1252.h"
#include "numbertext.h"
#include "settingssections.h"

#include <QStringList>

namespace brisquel {

namespace {

QString flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// A carriage return inside a value would end its line early and shift every
// line after it, so it goes out as a blank. A lone line feed reads back fine.
QString verbatim(const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return line;
}

void appendList(QStringList &lines, const RecipientList &list)
{
    for (const RecipientSlot &slot : list) {
        lines.append(verbatim(slot.caption));
        lines.append(verbatim(slot.recipients));
    }
}

} // namespace

QByteArray settingsFileBytes(const AppState &state, const TextBoxLook &look, TextEncoding encoding)
{
    QStringList lines;
    lines.reserve(62);
    lines << kGeneralSection
          << verbatim(state.senderName)
          << verbatim(state.loginName)
          << flag(state.signWithSenderName)
          << verbatim(look.fontName)
          << flag(look.bold)
          << flag(look.italic)
          << numberText(look.size)
          << flag(look.strikethrough)
          << flag(look.underline)
          << numberText(look.foreColor)
          << numberText(look.backColor);
    lines << kUsersSection;
    appendList(lines, state.users);
    lines << kGroupsSection;
    appendList(lines, state.groups);

    QString text;
    for (const QString &line : std::as_const(lines)) {
        text += line;
        text += QLatin1String("\r\n");
    }
    if (encoding == TextEncoding::Utf8WithMark)
        return kUtf8Mark + text.toUtf8();
    return encodeCp1252(text);
}

} // namespace brisquel
