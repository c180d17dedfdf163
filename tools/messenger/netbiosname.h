#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace brisquel::messenger {

// A NetBIOS name: at most 15 bytes of code page 850 text and the suffix
// byte that says which service it names.
struct NetbiosName {
    QByteArray name;
    quint8 suffix = 0;
};

inline constexpr quint8 kMessengerSuffix = 0x03;
inline constexpr quint8 kWorkstationSuffix = 0x00;
inline constexpr quint8 kServerSuffix = 0x20;

// A target with no dot that is no IP address is a NetBIOS name.
bool isNetbiosName(const QString &target);

// Whether the target is written as an IP address: a dotted quad or an IPv6
// literal. The short forms inet_aton also reads ("2000", "10.1") are names.
bool isAddressLiteral(const QString &target);

// Why a NetBIOS name cannot be used as typed (more than 15 bytes in code
// page 850, or a character the code page lacks), rather than cutting or
// mangling it; empty when it can, and for host names and addresses.
QString netbiosNameProblem(const QString &target);

// The messenger name of the computer the user typed: a host name's first
// label, upper case, with suffix 0x03. An IP address names no computer,
// and a first label that is no NetBIOS name does not either, so those are
// called "*SMBSERVER" (suffix 0x20), the name every SMB server answers to.
NetbiosName calledNameFor(const QString &target);

// This computer's name as the calling name: first label, upper case, cut to
// 15 bytes, suffix 0x00.
NetbiosName callingNameFor(const QString &localHostName);

// The first-level encoding: the length byte 32, the 16 bytes (name padded
// with blanks to 15, then the suffix) as 32 letters 'A' + nibble, high
// nibble first, and the empty scope.
QByteArray encodeNetbiosName(const NetbiosName &name);

// The NetBIOS session request opening a connection on TCP 139.
QByteArray sessionRequest(const NetbiosName &called, const NetbiosName &calling);

} // namespace brisquel::messenger
