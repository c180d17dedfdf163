#include "nameservicesettings.h"

#include <QFile>

namespace brisquel::net {

namespace {

// Samba compares parameter names without case and without blanks.
QByteArray parameterKey(QByteArray name)
{
    name = name.toLower();
    name.replace(' ', QByteArray());
    name.replace('\t', QByteArray());
    return name;
}

QList<QByteArray> words(const QByteArray &value)
{
    QByteArray spaced = value;
    spaced.replace(',', ' ');
    spaced.replace(';', ' ');
    return spaced.simplified().split(' ');
}

QList<ResolveMethod> resolveOrder(const QByteArray &value)
{
    QList<ResolveMethod> order;
    for (const QByteArray &word : words(value.toLower())) {
        if (word == "wins")
            order << ResolveMethod::Wins;
        else if (word == "host")
            order << ResolveMethod::Host;
        else if (word == "bcast")
            order << ResolveMethod::Broadcast;
        // lmhosts and others are not ours to serve.
    }
    return order;
}

QList<QHostAddress> winsServers(const QByteArray &value)
{
    QList<QHostAddress> servers;
    for (const QByteArray &word : words(value)) {
        // "tag:address" names a group of servers; only the address matters here.
        const QByteArray address = word.contains(':') && !word.contains("::") ? word.mid(word.indexOf(':') + 1) : word;
        const QHostAddress server(QString::fromLatin1(address));
        if (server.protocol() == QHostAddress::IPv4Protocol)
            servers << server;
    }
    return servers;
}

// Joins lines that end in a backslash, as Samba does.
QList<QByteArray> logicalLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    QByteArray pending;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.endsWith('\\')) {
            line.chop(1);
            pending += line;
            continue;
        }
        lines << pending + line;
        pending.clear();
    }
    if (!pending.isEmpty())
        lines << pending;
    return lines;
}

} // namespace

NameServiceSettings parseNameServiceSettings(const QByteArray &text)
{
    NameServiceSettings settings;
    bool inGlobal = true; // parameters before any section count as global
    for (const QByteArray &raw : logicalLines(text)) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#') || line.startsWith(';'))
            continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            inGlobal = close > 0 && parameterKey(line.mid(1, close - 1)) == "global";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inGlobal || equals < 0)
            continue;
        const QByteArray key = parameterKey(line.left(equals));
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (key == "nameresolveorder") {
            settings.order = resolveOrder(value);
        } else if (key == "winsserver") {
            settings.winsServers = winsServers(value);
        } else if (key == "nbtport") {
            bool ok = false;
            const uint port = value.toUInt(&ok);
            if (ok && port > 0 && port <= 0xFFFF)
                settings.nbtPort = quint16(port);
        }
    }
    return settings;
}

SettingsRead readNameServiceSettings(const QString &path, bool mustExist)
{
    QFile file(path);
    if (!mustExist && !file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("no se puede leer el archivo de configuración %1: %2").arg(path, file.errorString())};
    return {parseNameServiceSettings(file.readAll()), {}};
}

} // namespace brisquel::net
