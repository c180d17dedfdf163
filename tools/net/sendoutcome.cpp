#include "sendoutcome.h"

namespace brisquel::net {

QString outcomeReason(SendOutcome outcome)
{
    switch (outcome) {
    case SendOutcome::Delivered:
        return {};
    case SendOutcome::UnknownHost:
        return QStringLiteral("no existe el equipo");
    case SendOutcome::NoAnswer:
        return QStringLiteral("no responde");
    case SendOutcome::Refused:
        return QStringLiteral("rechazó el mensaje");
    case SendOutcome::NoSmb1:
        return QStringLiteral("no acepta mensajes por SMB1");
    }
    return {};
}

int outcomeExitStatus(SendOutcome outcome)
{
    switch (outcome) {
    case SendOutcome::Delivered:
        return 0;
    case SendOutcome::UnknownHost:
        return 1;
    case SendOutcome::NoAnswer:
        return 3;
    case SendOutcome::Refused:
    case SendOutcome::NoSmb1:
        return 4;
    }
    return 3;
}

} // namespace brisquel::net
