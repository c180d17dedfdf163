#include "netbiosname.h"

#include "cp850.h"
#include "sessionframing.h"

#include <QHostAddress>

namespace brisquel::net {

namespace {

constexpr qsizetype kNameBytes = 15;

NetbiosName shortName(const QString &host, quint8 suffix)
{
    const QString label = host.section(u'.', 0, 0);
    return {encodeCp850(label.toUpper()).left(kNameBytes), suffix};
}

} // namespace

NetbiosName calledNameFor(const QString &target)
{
    if (!QHostAddress(target).isNull())
        return {QByteArrayLiteral("*SMBSERVER"), kServerSuffix};
    return shortName(target, kMessengerSuffix);
}

NetbiosName callingNameFor(const QString &localHostName)
{
    NetbiosName name = shortName(localHostName, kWorkstationSuffix);
    if (name.name.isEmpty())
        name.name = QByteArrayLiteral("BRISQUEL");
    return name;
}

QByteArray encodeNetbiosName(const NetbiosName &name)
{
    QByteArray raw = name.name.left(kNameBytes);
    raw = raw.leftJustified(kNameBytes, ' ');
    raw.append(static_cast<char>(name.suffix));

    QByteArray encoded;
    encoded.reserve(34);
    encoded.append(char(32));
    for (const char c : std::as_const(raw)) {
        const auto byte = static_cast<quint8>(c);
        encoded.append(static_cast<char>('A' + (byte >> 4)));
        encoded.append(static_cast<char>('A' + (byte & 0x0F)));
    }
    encoded.append('\0');
    return encoded;
}

QByteArray sessionRequest(const NetbiosName &called, const NetbiosName &calling)
{
    return sessionPacket(SessionPacketType::Request,
                         encodeNetbiosName(called) + encodeNetbiosName(calling));
}

} // namespace brisquel::net
