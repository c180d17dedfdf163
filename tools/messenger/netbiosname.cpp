#include "netbiosname.h"

#include "cp850.h"
#include "sessionframing.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace brisquel::messenger {

namespace {

constexpr qsizetype kNameBytes = 15;

// Upper case one character at a time, as Windows does within its code
// page: a character whose capital the code page lacks ("ß", "ÿ", "µ")
// stays as it is rather than becoming another letter or two.
QString upperCaseWithinCp850(const QString &text)
{
    QString upper;
    for (const char32_t codePoint : text.toUcs4()) {
        const char32_t capital = QChar::toUpper(codePoint);
        upper += QString::fromUcs4(cp850HasAll(QString::fromUcs4(&capital, 1)) ? &capital : &codePoint, 1);
    }
    return upper;
}

NetbiosName shortName(const QString &host, quint8 suffix)
{
    const QString label = host.section(u'.', 0, 0);
    return {encodeCp850(upperCaseWithinCp850(label)).left(kNameBytes), suffix};
}

bool fitsNetbios(const QString &upperCase)
{
    return cp850HasAll(upperCase) && encodeCp850(upperCase).size() <= kNameBytes;
}

} // namespace

bool isNetbiosName(const QString &target)
{
    return !isAddressLiteral(target) && !target.contains(u'.');
}

bool isAddressLiteral(const QString &target)
{
    const QHostAddress address(target);
    if (address.isNull())
        return false;
    static const QRegularExpression dottedQuad(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{1,3}){3}$"));
    return address.protocol() == QHostAddress::IPv6Protocol || dottedQuad.match(target).hasMatch();
}

QString netbiosNameProblem(const QString &target)
{
    if (!isNetbiosName(target))
        return {};
    const QString upperCase = upperCaseWithinCp850(target);
    if (!cp850HasAll(upperCase))
        return QStringLiteral("el nombre de equipo \"%1\" lleva caracteres que los nombres NetBIOS no admiten")
            .arg(target);
    if (encodeCp850(upperCase).size() > kNameBytes)
        return QStringLiteral("el nombre de equipo \"%1\" tiene más de %2 caracteres").arg(target).arg(kNameBytes);
    return {};
}

NetbiosName calledNameFor(const QString &target)
{
    const NetbiosName smbServer{QByteArrayLiteral("*SMBSERVER"), kServerSuffix};
    if (isAddressLiteral(target))
        return smbServer;
    const QString label = upperCaseWithinCp850(target.section(u'.', 0, 0));
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
