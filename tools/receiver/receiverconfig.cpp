#include "receiverconfig.h"

#include "tools/messenger/cp850.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <functional>
#include <optional>

namespace brisquel::receiver {

namespace {

constexpr qsizetype kMaxNetbiosName = 15;

// A value that does not fit its key: the reason, without file and line.
using Problem = QString;

std::optional<int> positiveNumber(const QString &value, int most)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number > 0 && number <= most ? std::optional<int>(number) : std::nullopt;
}

QString numberProblem(const QString &key, const QString &value, int most)
{
    return QStringLiteral("\"%1\" debe ser un número entero entre 1 y %2, no \"%3\"").arg(key).arg(most).arg(value);
}

std::optional<bool> yesNo(const QString &value)
{
    const QString lower = value.toLower();
    if (lower == u"yes" || lower == u"true" || lower == u"1")
        return true;
    if (lower == u"no" || lower == u"false" || lower == u"0")
        return false;
    return std::nullopt;
}

Problem setInt(int &field, const QString &key, const QString &value, int most)
{
    const std::optional<int> number = positiveNumber(value, most);
    if (!number)
        return numberProblem(key, value, most);
    field = *number;
    return {};
}

Problem setKey(ReceiverConfig &config, const QString &key, const QString &value)
{
    const QStringList words = value.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
    if (key == u"netbios name") {
        const QString upper = value.toUpper();
        if (upper.isEmpty() || upper.size() > kMaxNetbiosName || !messenger::cp850HasAll(upper) || upper.contains(u'.'))
            return QStringLiteral("\"%1\" no es un nombre NetBIOS (hasta %2 caracteres, sin puntos)").arg(value).arg(kMaxNetbiosName);
        config.netbiosName = upper;
    } else if (key == u"listen") {
        config.listen.clear();
        for (const QString &word : words) {
            const QHostAddress address(word);
            if (address.protocol() != QAbstractSocket::IPv4Protocol)
                return QStringLiteral("\"%1\" no es una dirección IPv4").arg(word);
            config.listen << address;
        }
        if (config.listen.isEmpty())
            return QStringLiteral("\"listen\" necesita al menos una dirección IPv4");
    } else if (key == u"ports") {
        config.ports.clear();
        for (const QString &word : words) {
            if (word != u"139" && word != u"445")
                return QStringLiteral("\"ports\" admite 139 y 445, no \"%1\"").arg(word);
            config.ports << word.toUShort();
        }
        if (config.ports.isEmpty())
            return QStringLiteral("\"ports\" necesita al menos un puerto (139 o 445)");
    } else if (key == u"allowed networks") {
        config.allowedNetworks.clear();
        for (const QString &word : words) {
            const Subnet subnet = QHostAddress::parseSubnet(word.contains(u'/') ? word : word + QStringLiteral("/32"));
            if (subnet.first.protocol() != QAbstractSocket::IPv4Protocol)
                return QStringLiteral("\"%1\" no es una red IPv4 (como 192.168.1.0/24)").arg(word);
            config.allowedNetworks << subnet;
        }
    } else if (key == u"announce users") {
        const std::optional<bool> flag = yesNo(value);
        if (!flag)
            return QStringLiteral("\"announce users\" es yes o no, no \"%1\"").arg(value);
        config.announceUsers = *flag;
    } else if (key == u"charset") {
        if (value.compare(u"CP850", Qt::CaseInsensitive) != 0 && !QStringDecoder(value.toLatin1().constData()).isValid())
            return QStringLiteral("no se conoce el juego de caracteres \"%1\"").arg(value);
        config.charset = value;
    } else if (key == u"socket" || key == u"spool" || key == u"samba config") {
        if (!value.startsWith(u'/'))
            return QStringLiteral("\"%1\" necesita una ruta absoluta, no \"%2\"").arg(key, value);
        QString &field = key == u"socket" ? config.socketPath : key == u"spool" ? config.spoolPath : config.sambaConfig;
        field = value;
    } else if (key == u"max connections") {
        return setInt(config.maxConnections, key, value, 4096);
    } else if (key == u"max connections per source") {
        return setInt(config.maxConnectionsPerSource, key, value, 4096);
    } else if (key == u"messages per minute") {
        return setInt(config.messagesPerMinute, key, value, 1000000);
    } else if (key == u"spool messages") {
        return setInt(config.spoolMessages, key, value, 1000000);
    } else if (key == u"spool bytes") {
        int bytes = 0;
        const Problem problem = setInt(bytes, key, value, 1 << 30);
        config.spoolBytes = bytes;
        return problem;
    } else if (key == u"idle timeout") {
        return setInt(config.idleTimeoutSeconds, key, value, 3600);
    } else {
        return QStringLiteral("no se conoce la opción \"%1\"").arg(key);
    }
    return {};
}

// Calls `onKey` for each `key = value` of [global] (or of no section);
// stops at the first problem it or the syntax has, giving its line.
QString eachGlobalKey(const QByteArray &text, const std::function<Problem(const QString &, const QString &)> &onKey,
                      bool strict, int *problemLine)
{
    bool inGlobal = true;
    int lineNumber = 0;
    for (const QByteArray &rawLine : text.split('\n')) {
        ++lineNumber;
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
            continue;
        Problem problem;
        if (line.startsWith(u'[')) {
            inGlobal = line.compare(u"[global]", Qt::CaseInsensitive) == 0;
            if (!inGlobal && strict)
                problem = QStringLiteral("solo se admite la sección [global], no %1").arg(line);
        } else if (!line.contains(u'=')) {
            if (strict)
                problem = QStringLiteral("se esperaba \"clave = valor\" y dice \"%1\"").arg(line);
        } else if (inGlobal) {
            const QString key = line.section(u'=', 0, 0).simplified().toLower();
            problem = onKey(key, line.section(u'=', 1).trimmed());
        }
        if (!problem.isEmpty()) {
            *problemLine = lineNumber;
            return problem;
        }
    }
    return {};
}

} // namespace

ConfigRead parseReceiverConfig(const QByteArray &text, const QString &fileName)
{
    ConfigRead read;
    int line = 0;
    const QString problem = eachGlobalKey(
        text, [&read](const QString &key, const QString &value) { return setKey(read.config, key, value); }, true,
        &line);
    if (!problem.isEmpty())
        read.problem = QStringLiteral("%1, línea %2: %3").arg(fileName).arg(line).arg(problem);
    return read;
}

ConfigRead readReceiverConfig(const QString &path, bool mustExist)
{
    QFile file(path);
    if (!file.exists() && !mustExist)
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("no se puede leer el archivo de configuración %1: %2").arg(path, file.errorString())};
    return parseReceiverConfig(file.read(1 << 20), path);
}

QString sambaGuestAccount(const QByteArray &smbConf)
{
    QString account = QStringLiteral("nobody");
    int unused = 0;
    eachGlobalKey(
        smbConf,
        [&account](const QString &key, const QString &value) {
            if (key == u"guest account" && !value.isEmpty())
                account = value;
            return Problem();
        },
        false, &unused);
    return account;
}

} // namespace brisquel::receiver
