#include "deliveryreport.h"

#include <QRegularExpression>

namespace brisquel {

namespace {
QString recipientText(const QString &recipient)
{
    return recipient.trimmed().isEmpty() ? QStringLiteral("(destinatario vacío)") : recipient;
}
} // namespace

QStringList reportLines(const DeliveryReport &report, qsizetype listed)
{
    QStringList lines;
    if (!report.missingProgram.isEmpty()) {
        lines << QStringLiteral("No se encontró el programa %1, que envía los mensajes.").arg(report.missingProgram);
        if (!report.searchedFolders.isEmpty())
            lines << QStringLiteral("Se buscó en: %1").arg(report.searchedFolders.join(QStringLiteral(", ")));
    }
    if (!report.failures.isEmpty()) {
        lines << (report.failures.size() == 1 ? QStringLiteral("No se pudo entregar el mensaje a:")
                                              : QStringLiteral("No se pudo entregar el mensaje a %1 destinatarios:")
                                                    .arg(report.failures.size()));
        for (const DeliveryFailure &failure : report.failures.mid(0, listed))
            lines << QStringLiteral("%1: %2").arg(recipientText(failure.recipient), failure.reason);
        if (report.failures.size() > listed)
            lines << QStringLiteral("y %1 más.").arg(report.failures.size() - listed);
    }
    return lines;
}

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
