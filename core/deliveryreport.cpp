#include "deliveryreport.h"

#include <QRegularExpression>

namespace brisquel {

QString failureReason(const CommandEnd &end)
{
    switch (end.kind) {
    case CommandEnd::Kind::NotFound:
        return QStringLiteral("no se encontró el programa %1").arg(end.program);
    case CommandEnd::Kind::NotStarted:
        return QStringLiteral("no se pudo iniciar el programa %1").arg(end.program);
    case CommandEnd::Kind::Ended:
        break;
    }
    const QStringList lines = end.errorOutput.split(u'\n', Qt::SkipEmptyParts);
    QString last;
    for (auto line = lines.crbegin(); line != lines.crend() && last.isEmpty(); ++line)
        last = line->trimmed();
    if (last.isEmpty()) {
        return end.exitStatus < 0 ? QStringLiteral("el envío se interrumpió")
                                  : QStringLiteral("el envío terminó con el código %1").arg(end.exitStatus);
    }
    static const QRegularExpression ourNet(QStringLiteral(R"(^net: no se pudo enviar el mensaje a ".*": (.+?)\.?$)"));
    const QRegularExpressionMatch match = ourNet.match(last);
    if (match.hasMatch())
        return match.captured(1);
    if (last.startsWith(QStringLiteral("net: ")))
        last.remove(0, 5);
    if (last.endsWith(u'.'))
        last.chop(1);
    return last;
}

} // namespace brisquel
