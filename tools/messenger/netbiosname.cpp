#include "netbiosname.h"

#include "cp850.h"
#include "sessionframing.h"

#include <QHostAddress>

namespace brisquel::messenger {

namespace {

constexpr qsizetype kNameBytes = 15;

NetbiosName shortName(const QString &host, quint8 suffix)
{
    const QString label = host.section(u'.', 0, 0);
    return {encodeCp850(label.toUpper()).left(kNameBytes), suffix};
}

bool fitsNetbios(const QString &upperCase)
{
    return cp850HasAll(upperCase) && upperCase.size() <= kNameBytes;
}

} // namespace

bool isNetbiosName(const QString &target)
{
    return QHostAddress(target).isNull() && !target.contains(u'.');
}

QString netbiosNameProblem(const QString &target)
{
    if (!isNetbiosName(target))
        return {};
    const QString upperCase = target.toUpper();
    if (!cp850HasAll(upperCase))
        return QStringLiteral("el nombre de equipo \"%1\" lleva caracteres que los nombres NetBIOS no admiten")
            .arg(target);
    if (upperCase.size() > kNameBytes)
        return QStringLiteral("el nombre de equipo \"%1\" tiene más de %2 caracteres").arg(target).arg(kNameBytes);
    return {};
}

NetbiosName calledNameFor(const QString &target)
{
    const NetbiosName smbServer{QByteArrayLiteral("*SMBSERVER"), kServerSuffix};
    if (!QHostAddress(target).isNull())
        return smbServer;
    const QString label = target.section(u'.', 0, 0).toUpper();
    if (label.isEmpty() || !fitsNetbios(label))
        return smbServer;
    return {encodeCp850(label), kMessengerSuffix};
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

} // namespace brisquel::messenger
