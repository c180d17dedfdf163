#include "nameservicesettings.h"

#include "configfile.h"
#include "core/filefailure.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>

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

// Included files go as deep as this, and no further than this many in all:
// enough for any setup, and a bound for one that includes itself.
constexpr qsizetype kMaxIncludeDepth = 16;
constexpr int kMaxIncludedFiles = 64;

// Where the reading stands, across included files: a section opened in an
// included file goes on after it, as in Samba.
struct Reading {
    NameServiceSettings settings;
    bool inGlobal = true; // parameters before any section count as global
    QStringList including; // the files being read, outermost first
    int includedFiles = 0;
};

void parseText(Reading &reading, const QByteArray &text, const QString &folder);

// An included file that cannot be read is passed over, as Samba does.
void include(Reading &reading, const QByteArray &value, const QString &folder)
{
    const QString path = QDir(folder).absoluteFilePath(QFile::decodeName(value));
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty() || reading.including.contains(canonical)
        || reading.including.size() >= kMaxIncludeDepth || reading.includedFiles >= kMaxIncludedFiles)
        return;
    ++reading.includedFiles;
    const ConfigFileRead read = readConfigFile(canonical);
    if (read.result != ConfigFileRead::Result::Read)
        return;
    reading.including.append(canonical);
    parseText(reading, read.bytes, QFileInfo(path).absolutePath());
    reading.including.removeLast();
}

void parseText(Reading &reading, const QByteArray &text, const QString &folder)
{
    NameServiceSettings &settings = reading.settings;
    bool &inGlobal = reading.inGlobal;
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
        if (equals < 0)
            continue;
        const QByteArray key = parameterKey(line.left(equals));
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (key == "include") {
            include(reading, value, folder);
            continue;
        }
        if (!inGlobal)
            continue;
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
}

} // namespace

NameServiceSettings parseNameServiceSettings(const QByteArray &text)
{
    Reading reading;
    parseText(reading, text, QDir::currentPath());
    return reading.settings;
}

SettingsRead readNameServiceSettings(const QString &path, bool mustExist)
{
    const ConfigFileRead read = readConfigFile(path);
    if (read.result == ConfigFileRead::Result::Missing && !mustExist)
        return {};
    if (read.result != ConfigFileRead::Result::Read) {
        const QString reason =
            read.result == ConfigFileRead::Result::Missing ? fileFailureReason(ENOENT) : read.reason;
        return {{}, QStringLiteral("no se puede leer el archivo de configuración %1: %2").arg(path, reason)};
    }
    Reading reading;
    reading.including.append(QFileInfo(path).canonicalFilePath());
    parseText(reading, read.bytes, QFileInfo(path).absolutePath());
    return {reading.settings, {}};
}

} // namespace brisquel::net
