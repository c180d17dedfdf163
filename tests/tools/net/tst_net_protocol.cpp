// The pieces of `net send` that need no network: code page, pieces,
// NetBIOS names, framing, SMB requests and answers, the command line.

#include "tools/net/commandline.h"
#include "tools/messenger/cp850.h"
#include "tools/messenger/messagepieces.h"
#include "tools/messenger/nameservicepackets.h"
#include "tools/net/nameservicesettings.h"
#include "tools/messenger/netbiosname.h"
#include "tools/messenger/sessionframing.h"
#include "tools/messenger/smbmessages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace brisquel::messenger;
using namespace brisquel::net;

class TestNetProtocol : public QObject
{
    Q_OBJECT

private slots:
    void codePage_data();
    void codePage();
    void codePageUpperHalfMatchesIcu();
    void pieces_data();
    void pieces();
    void netbiosNames_data();
    void netbiosNames();
    void nameEncoding();
    void framing();
    void requests();
    void replies_data();
    void replies();
    void commandLine_data();
    void commandLine();
    void nameServiceSettings();
    void configurationFiles();
    void nameQueries();
};

void TestNetProtocol::codePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ascii and control characters")
        << QStringLiteral("Hola\n\r\t\x7f~") << QByteArray("Hola\n\r\t\x7f~");
    QTest::newRow("spanish letters")
        << QStringLiteral("áéíóúñÑ¿¡üÁÉ") << QByteArray("\xA0\x82\xA1\xA2\xA3\xA4\xA5\xA8\xAD\x81\xB5\x90");
    QTest::newRow("box drawing and symbols") << QStringLiteral("░╬■ı§½") << QByteArray("\xB0\xCE\xFE\xD5\xF5\xAB");
    QTest::newRow("euro is not in the code page") << QStringLiteral("5 €") << QByteArray("5 ?");
    QTest::newRow("one ? per character outside the BMP")
        << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + u'x' << QByteArray("?x");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestNetProtocol::codePage()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeCp850(text), bytes);
}

// ICU's table is an independent witness for the letters and signs; only its
// control-character swaps are left out of the comparison.
void TestNetProtocol::codePageUpperHalfMatchesIcu()
{
    QStringDecoder icu("IBM850");
    if (!icu.isValid())
        QSKIP("Qt was built without ICU: no second table to compare with");
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const QByteArray one(1, static_cast<char>(byte));
        const QString character = icu.decode(one);
        QCOMPARE(encodeCp850(character), one);
    }
}

void TestNetProtocol::pieces_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<QByteArray>("lastPiece");

    QTest::newRow("empty message, no piece") << QString() << QList<int>{} << QByteArray();
    QTest::newRow("short") << QStringLiteral("Hola") << QList<int>{4} << QByteArray("Hola");
    QTest::newRow("exactly one piece") << QString(127, u'x') << QList<int>{127} << QByteArray(127, 'x');
    QTest::newRow("one byte over") << QString(127, u'x') + u'ñ' << QList<int>{127, 1} << QByteArray("\xA4");
    QTest::newRow("850 characters, seven pieces")
        << QString(849, u'a') + u'z' << QList<int>{127, 127, 127, 127, 127, 127, 88}
        << QByteArray(87, 'a') + 'z';
    // In UTF-8 the "ñ" would take bytes 127 and 128 and be split; in the
    // code page it is one byte and ends the first piece whole.
    QTest::newRow("accented letter at the boundary")
        << QString(126, u'a') + QStringLiteral("ñé") << QList<int>{127, 1} << QByteArray("\x82");
}

void TestNetProtocol::pieces()
{
    QFETCH(QString, message);
    QFETCH(QList<int>, sizes);
    QFETCH(QByteArray, lastPiece);

    const QList<QByteArray> pieces = messagePieces(message);
    QList<int> actualSizes;
    QByteArray joined;
    for (const QByteArray &piece : pieces) {
        actualSizes << int(piece.size());
        joined += piece;
    }
    QCOMPARE(actualSizes, sizes);
    QCOMPARE(joined, encodeCp850(message));
    if (!pieces.isEmpty())
        QCOMPARE(pieces.last(), lastPiece);
}

void TestNetProtocol::netbiosNames_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("suffix");

    QTest::newRow("short name, upper case") << QStringLiteral("pepe") << QByteArray("PEPE") << 0x03;
    QTest::newRow("host name's first label") << QStringLiteral("pc-ana.oficina.example") << QByteArray("PC-ANA") << 0x03;
    QTest::newRow("15 bytes") << QStringLiteral("contabilidad-pl") << QByteArray("CONTABILIDAD-PL") << 0x03;
    QTest::newRow("first label too long to be one")
        << QStringLiteral("contabilidad-planta2.example") << QByteArray("*SMBSERVER") << 0x20;
    QTest::newRow("code page letters") << QStringLiteral("ñandú") << QByteArray("\xA5" "AND\xE9") << 0x03;
    QTest::newRow("IPv4 address") << QStringLiteral("192.168.1.20") << QByteArray("*SMBSERVER") << 0x20;
    QTest::newRow("IPv6 address") << QStringLiteral("fe80::1") << QByteArray("*SMBSERVER") << 0x20;
    QTest::newRow("all digits: a name, not an address") << QStringLiteral("2000") << QByteArray("2000") << 0x03;
    // Upper case within the code page: a letter without a capital there
    // stays, one byte each.
    QTest::newRow("sharp s stays") << QStringLiteral("Muße") << QByteArray("MU\xE1" "E") << 0x03;
    QTest::newRow("y with diaeresis stays") << QStringLiteral("ÿves") << QByteArray("\x98" "VES") << 0x03;
    QTest::newRow("micro sign stays") << QStringLiteral("µpc") << QByteArray("\xE6" "PC") << 0x03;
    QTest::newRow("dotless i has its capital") << QStringLiteral("ıñ") << QByteArray("I\xA5") << 0x03;
    QTest::newRow("nine sharp s") << QString(9, u'ß') << QByteArray(9, '\xE1') << 0x03;
}

void TestNetProtocol::netbiosNames()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, name);
    QFETCH(int, suffix);

    const NetbiosName called = calledNameFor(target);
    QCOMPARE(called.name, name);
    QCOMPARE(int(called.suffix), suffix);
}

void TestNetProtocol::nameEncoding()
{
    // The worked example of the NetBIOS standard (RFC 1001, 14.1).
    QCOMPARE(encodeNetbiosName({"FRED", 0x20}),
             QByteArray("\x20" "EGFCEFEECACACACACACACACACACACACA") + '\0');

    const QByteArray request = sessionRequest({"PEPE", 0x03}, callingNameFor(QStringLiteral("mi-equipo.lan")));
    QCOMPARE(request.size(), 4 + 34 + 34);
    QCOMPARE(request.left(4), QByteArray("\x81\x00\x00\x44", 4));
    // PEPE, eleven blanks, suffix 0x03.
    QCOMPARE(request.mid(4, 34), QByteArray("\x20" "FAEFFAEFCACACACACACACACACACACAAD") + '\0');
    // MI-EQUIPO, six blanks, suffix 0x00.
    QCOMPARE(request.mid(38, 34), QByteArray("\x20" "ENEJCNEFFBFFEJFAEPCACACACACACAAA") + '\0');

    QCOMPARE(callingNameFor(QString()).name, QByteArray("BRISQUEL"));
}

void TestNetProtocol::framing()
{
    QCOMPARE(sessionPacket(SessionPacketType::Message, "abc"), QByteArray("\x00\x00\x00\x03" "abc", 7));
    QCOMPARE(sessionPacket(SessionPacketType::Message, QByteArray(0x1234, 'x')).left(4),
             QByteArray("\x00\x00\x12\x34", 4));

    // Two packets and a keep-alive, arriving one byte at a time.
    const QByteArray stream = QByteArray("\x82\x00\x00\x00", 4) + QByteArray("\x85\x00\x00\x00", 4)
                            + QByteArray("\x00\x00\x00\x02" "ok", 6);
    SessionReader reader;
    QList<SessionPacket> packets;
    for (const char byte : stream) {
        reader.feed(QByteArrayView(&byte, 1));
        while (const std::optional<SessionPacket> packet = reader.next())
            packets.append(*packet);
    }
    QCOMPARE(packets.size(), 3);
    QCOMPARE(packets.at(0).type, quint8(0x82));
    QCOMPARE(packets.at(1).type, quint8(0x85));
    QCOMPARE(packets.at(2).type, quint8(0x00));
    QCOMPARE(packets.at(2).payload, QByteArray("ok"));
    QVERIFY(!reader.next());

    // A length no answer of ours can have: the stream is given up, not
    // buffered for ever.
    SessionReader flooded;
    flooded.feed(QByteArray("\x00\xFF\xFF\xFF", 4));
    QVERIFY(!flooded.next());
    QVERIFY(flooded.isBroken());
}

void TestNetProtocol::requests()
{
    const QByteArray header = QByteArray("\xFFSMB", 4);
    // Command, status, flags, flags2, PID high, signature, reserved, TID,
    // PID 0x1234, UID, MID 7.
    const auto expectedHeader = [&](char command) {
        return header + command + QByteArray(21, '\0') + QByteArray("\x34\x12\x00\x00\x07\x00", 6);
    };
    const SmbRequestIds ids{0x1234, 7};

    QCOMPARE(sendStartRequest(ids, "ANA", "PEPE"),
             expectedHeader('\xD5') + QByteArray("\x00\x0B\x00" "\x04" "ANA\x00" "\x04" "PEPE\x00", 14));
    QCOMPARE(sendTextRequest(ids, 0x2A, "hola"),
             expectedHeader('\xD7') + QByteArray("\x01\x2A\x00\x07\x00" "\x01\x04\x00" "hola", 12));
    QCOMPARE(sendEndRequest(ids, 0x2A), expectedHeader('\xD6') + QByteArray("\x01\x2A\x00\x00\x00", 5));
}

void TestNetProtocol::replies_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("command");
    QTest::addColumn<quint32>("status");
    QTest::addColumn<QList<quint16>>("words");

    const QByteArray sambaSendStart =
        QByteArray::fromHex("ff534d42" "d5" "00000000" "80" "0340" "0000" "0000000000000000" "0000" "0000" "c73c"
                            "0000" "0100" "00" "0000");
    QTest::newRow("send-start answer as Samba gives it")
        << sambaSendStart << true << 0xD5 << quint32(0) << QList<quint16>{};
    QByteArray withGroup = sambaSendStart.left(32) + QByteArray("\x01\x2A\x00\x00\x00", 5);
    QTest::newRow("send-start answer with its group id") << withGroup << true << 0xD5 << quint32(0)
                                                        << QList<quint16>{0x2A};
    QByteArray refused = sambaSendStart.left(32);
    refused[5] = '\x22';
    refused[8] = '\xC0';
    QTest::newRow("refusal with its body cut off") << refused << true << 0xD5 << quint32(0xC0000022)
                                                  << QList<quint16>{};
    QByteArray request = sambaSendStart;
    request[9] = '\x00';
    QTest::newRow("not marked as a reply") << request << false << 0 << quint32(0) << QList<quint16>{};
    QByteArray wrongMagic = sambaSendStart;
    wrongMagic[0] = '\xFE';
    QTest::newRow("SMB2 or garbage") << wrongMagic << false << 0 << quint32(0) << QList<quint16>{};
    QTest::newRow("word count past the end") << sambaSendStart.left(32) + "\x05\x01" << false << 0 << quint32(0)
                                            << QList<quint16>{};
    QTest::newRow("byte count past the end") << sambaSendStart.left(32) + QByteArray("\x00\x09\x00" "ab", 5)
                                            << false << 0 << quint32(0) << QList<quint16>{};
    QTest::newRow("too short") << QByteArray("\xFFSMB\xD5") << false << 0 << quint32(0) << QList<quint16>{};
}

void TestNetProtocol::replies()
{
    QFETCH(QByteArray, message);
    QFETCH(bool, valid);
    QFETCH(int, command);
    QFETCH(quint32, status);
    QFETCH(QList<quint16>, words);

    const std::optional<SmbReply> reply = parseSmbReply(message);
    QCOMPARE(reply.has_value(), valid);
    if (!reply)
        return;
    QCOMPARE(int(reply->command), command);
    QCOMPARE(reply->status, status);
    QCOMPARE(reply->words, words);
    QCOMPARE(reply->mid, quint16(1));
}

// A wrong command line is told in one line naming what is wrong, never
// with the whole help after it.
void TestNetProtocol::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("configFile");
    QTest::addColumn<QString>("complaint");

    const auto wrong = [](const char *problem) {
        return QStringLiteral("net: %1; prueba «net --help».\n").arg(QString::fromUtf8(problem));
    };
    QTest::newRow("nothing") << QStringList{} << QString() << QString() << QString() << wrong("falta la orden send");
    QTest::newRow("another command") << QStringList{"use", "x", "y"} << QString() << QString() << QString()
                                     << wrong("orden desconocida: use");
    QTest::newRow("no name") << QStringList{"send"} << QString() << QString() << QString()
                             << wrong("falta el nombre del equipo");
    QTest::newRow("no message") << QStringList{"send", "pepe"} << QString() << QString() << QString()
                                << wrong("falta el mensaje para \"pepe\"");
    QTest::newRow("a switch instead of a name")
        << QStringList{"send", "/domain", "hola"} << QString() << QString() << QString()
        << wrong("el nombre de equipo \"/domain\" empieza por \"/\"");
    QTest::newRow("empty name") << QStringList{"send", "", "hola"} << QString() << QString() << QString()
                                << wrong("el nombre de equipo está vacío");
    QTest::newRow("a line break in the name") << QStringList{"send", "pe\npe", "hola"} << QString() << QString()
                                              << QString() << wrong("el nombre de equipo lleva caracteres de control");
    QTest::newRow("everyone") << QStringList{"send", "*", "hola"} << QString() << QString() << QString()
                              << wrong("no se puede enviar a \"*\" (toda la red)");
    QTest::newRow("configuration file without its name")
        << QStringList{"-s"} << QString() << QString() << QString() << wrong("falta el fichero tras -s");
    QTest::newRow("unknown option") << QStringList{"-x", "send", "pepe", "hola"} << QString() << QString()
                                    << QString() << wrong("opción desconocida: -x");
    QTest::newRow("unknown option after send") << QStringList{"send", "--quiet", "pepe", "hola"} << QString()
                                               << QString() << QString() << wrong("opción desconocida: --quiet");
    QTest::newRow("NetBIOS name too long, not cut")
        << QStringList{"send", "contabilidad-planta2", "hola"} << QString() << QString() << QString()
        << wrong("el nombre de equipo \"contabilidad-planta2\" tiene más de 15 caracteres");
    QTest::newRow("NetBIOS name out of the code page")
        << QStringList{"send", QStringLiteral("equipo€"), "hola"} << QString() << QString() << QString()
        << wrong("el nombre de equipo \"equipo€\" lleva caracteres que los nombres NetBIOS no admiten");
    QTest::newRow("sixteen sharp s")
        << QStringList{"send", QString(16, u'ß'), "hola"} << QString() << QString() << QString()
        << wrong("el nombre de equipo \"ßßßßßßßßßßßßßßßß\" tiene más de 15 caracteres");

    QTest::newRow("one quoted message")
        << QStringList{"send", "pepe", "Hola\n\r\n\r[Brisquel v2.4b]"} << QStringLiteral("pepe")
        << QStringLiteral("Hola\n\r\n\r[Brisquel v2.4b]") << QString() << QString();
    QTest::newRow("words joined by one blank")
        << QStringList{"SEND", "pepe", "Hola", "a", "", "todos"} << QStringLiteral("pepe")
        << QStringLiteral("Hola a  todos") << QString() << QString();
    QTest::newRow("empty message") << QStringList{"send", "pepe", ""} << QStringLiteral("pepe") << QString()
                                   << QString() << QString();
    QTest::newRow("a configuration file, dashes in the message")
        << QStringList{"-s", "/tmp/x.conf", "send", "pepe", "-h", "--version"} << QStringLiteral("pepe")
        << QStringLiteral("-h --version") << QStringLiteral("/tmp/x.conf") << QString();
    QTest::newRow("options after send")
        << QStringList{"send", "-s", "/tmp/x.conf", "pepe", "hola"} << QStringLiteral("pepe")
        << QStringLiteral("hola") << QStringLiteral("/tmp/x.conf") << QString();
    QTest::newRow("options on both sides of send")
        << QStringList{"-s/tmp/a.conf", "send", "--configfile=/tmp/x.conf", "pepe", "hola", "-s", "b"}
        << QStringLiteral("pepe") << QStringLiteral("hola -s b") << QStringLiteral("/tmp/x.conf") << QString();
    QTest::newRow("-- ends the options")
        << QStringList{"send", "--", "-pepe", "-h"} << QStringLiteral("-pepe") << QStringLiteral("-h") << QString()
        << QString();
    QTest::newRow("help asked for after send") << QStringList{"send", "--help"} << QString() << QString() << QString()
                                               << QString();
    QTest::newRow("a long host name is fine")
        << QStringList{"send", "contabilidad-planta2.example", "hola"} << QStringLiteral("contabilidad-planta2.example")
        << QStringLiteral("hola") << QString() << QString();
    QTest::newRow("nine sharp s fit in fifteen bytes")
        << QStringList{"send", QString(9, u'ß'), "hola"} << QString(9, u'ß') << QStringLiteral("hola") << QString()
        << QString();
    QTest::newRow("letters whose capital code page 850 lacks")
        << QStringList{"send", QStringLiteral("ÿves"), QStringLiteral("µPC"), "hola"} << QStringLiteral("ÿves")
        << QStringLiteral("µPC hola") << QString() << QString();
}

void TestNetProtocol::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, configFile);
    QFETCH(QString, complaint);

    const CommandLine command = parseCommandLine(arguments);
    QCOMPARE(command.complaint, complaint);
    QCOMPARE(command.action == CommandLine::Action::Wrong, !complaint.isEmpty());
    QCOMPARE(command.name, name);
    QCOMPARE(command.message, message);
    QCOMPARE(command.configFile, configFile);
    QCOMPARE(command.action == CommandLine::Action::Send, !name.isEmpty());
}

void TestNetProtocol::nameServiceSettings()
{
    // Samba's defaults when nothing is said.
    NameServiceSettings settings = parseNameServiceSettings("[global]\n  workgroup = X\n");
    QCOMPARE(settings.order, (QList<ResolveMethod>{ResolveMethod::Wins, ResolveMethod::Host,
                                                   ResolveMethod::Broadcast}));
    QCOMPARE(settings.winsServers, QList<QHostAddress>());
    QCOMPARE(settings.nbtPort, quint16(137));

    // Names without case or blanks, comments, continued lines, tagged
    // servers; a share's parameters are not global.
    settings = parseNameServiceSettings("; comentario\n[Global]\r\n"
                                        "  NameResolveOrder = lmhosts host \\\n   wins\n"
                                        "  wins server = 127.0.0.2 dos:127.0.0.3, nombre\n"
                                        "  # nbt port = 1\n  nbt port = 13137\n"
                                        "[homes]\n  name resolve order = bcast\n");
    QCOMPARE(settings.order, (QList<ResolveMethod>{ResolveMethod::Host, ResolveMethod::Wins}));
    QCOMPARE(settings.winsServers,
             (QList<QHostAddress>{QHostAddress(QStringLiteral("127.0.0.2")), QHostAddress(QStringLiteral("127.0.0.3"))}));
    QCOMPARE(settings.nbtPort, quint16(13137));

    // A port out of range is ignored; an empty order finds nothing by name.
    settings = parseNameServiceSettings("nbt port = 70000\nname resolve order =\n");
    QCOMPARE(settings.nbtPort, quint16(137));
    QCOMPARE(settings.order, QList<ResolveMethod>());

    QVERIFY(readNameServiceSettings(QStringLiteral("/nonexistent/smb.conf"), false).problem.isEmpty());
    QVERIFY(readNameServiceSettings(QStringLiteral("/nonexistent/smb.conf"), true)
                .problem.startsWith(QStringLiteral("no se puede leer el archivo de configuración /nonexistent/smb.conf")));
}

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), qPrintable(path));
}

} // namespace

// Only regular files of a sane size are read, and "include" is followed
// the way Samba follows it.
void TestNetProtocol::configurationFiles()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("red/mas")));
    const QString main = folder.filePath(QStringLiteral("smb.conf"));

    // Relative to the including file, nested, in place: what follows the
    // include overrides it; a share section opened inside goes on after it.
    writeFile(main, "[global]\n  name resolve order = bcast\n  include = red/wins.conf\n  nbt port = 1137\n"
                    "  include = red/recursos.conf\n  wins server = 127.0.0.9\n");
    writeFile(folder.filePath(QStringLiteral("red/wins.conf")),
              "name resolve order = wins host\nwins server = 127.0.0.2\nnbt port = 2137\ninclude = mas/puerto.conf\n");
    writeFile(folder.filePath(QStringLiteral("red/mas/puerto.conf")), "nbt port = 3137\n");
    writeFile(folder.filePath(QStringLiteral("red/recursos.conf")), "[datos]\n  path = /srv\n");
    SettingsRead read = readNameServiceSettings(main, true);
    QCOMPARE(read.problem, QString());
    QCOMPARE(read.settings.order, (QList<ResolveMethod>{ResolveMethod::Wins, ResolveMethod::Host}));
    QCOMPARE(read.settings.nbtPort, quint16(1137));
    QCOMPARE(read.settings.winsServers, QList<QHostAddress>{QHostAddress(QStringLiteral("127.0.0.2"))});

    // A file that includes itself, by another path, and a missing include.
    writeFile(main, "include = ./smb.conf\ninclude = falta.conf\nwins server = 127.0.0.3\n");
    read = readNameServiceSettings(main, true);
    QCOMPARE(read.problem, QString());
    QCOMPARE(read.settings.winsServers, QList<QHostAddress>{QHostAddress(QStringLiteral("127.0.0.3"))});

    // Neither a FIFO (no writer: opening it would wait for ever) nor an
    // endless device, named or included, holds anyone up.
    const QString fifo = folder.filePath(QStringLiteral("fifo.conf"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    writeFile(main, "include = fifo.conf\ninclude = /dev/zero\nwins server = 127.0.0.4\n");
    QElapsedTimer clock;
    clock.start();
    read = readNameServiceSettings(main, true);
    QCOMPARE(read.settings.winsServers, QList<QHostAddress>{QHostAddress(QStringLiteral("127.0.0.4"))});
    QCOMPARE(readNameServiceSettings(fifo, true).problem,
             QStringLiteral("no se puede leer el archivo de configuración %1: no es un fichero normal").arg(fifo));
    QCOMPARE(readNameServiceSettings(QStringLiteral("/dev/zero"), true).problem,
             QStringLiteral("no se puede leer el archivo de configuración /dev/zero: no es un fichero normal"));
    QCOMPARE(readNameServiceSettings(folder.path(), true).problem,
             QStringLiteral("no se puede leer el archivo de configuración %1: no es un fichero normal")
                 .arg(folder.path()));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));

    // A regular file past the limit is refused, not read whole.
    writeFile(main, QByteArray(2 * 1024 * 1024, '#'));
    QCOMPARE(readNameServiceSettings(main, true).problem,
             QStringLiteral("no se puede leer el archivo de configuración %1: ocupa más de 1 MiB").arg(main));
}

void TestNetProtocol::nameQueries()
{
    const QByteArray query = nameQueryRequest(0x1234, {"PEPE", 0x03}, false);
    // Id, flags (recursion desired), one question, the name, type NB, class IN.
    QCOMPARE(query, QByteArray("\x12\x34\x01\x00\x00\x01\x00\x00\x00\x00\x00\x00", 12)
                        + encodeNetbiosName({"PEPE", 0x03}) + QByteArray("\x00\x20\x00\x01", 4));
    QCOMPARE(nameQueryRequest(1, {"PEPE", 0x03}, true).mid(2, 2), QByteArray("\x01\x10", 2));

    const QByteArray header("\x12\x34\x85\x00\x00\x00\x00\x01\x00\x00\x00\x00", 12);
    const QByteArray record = encodeNetbiosName({"PEPE", 0x03}) + QByteArray("\x00\x20\x00\x01\0\0\0\0\x00\x0C", 10)
                            + QByteArray("\x00\x00\x7F\x00\x00\x01\x60\x00\xC0\xA8\x01\x02", 12);
    std::optional<NameQueryAnswer> answer = parseNameQueryResponse(header + record);
    QVERIFY(answer);
    QCOMPARE(answer->transactionId, quint16(0x1234));
    QVERIFY(answer->positive);
    QCOMPARE(answer->name.name, QByteArray("PEPE"));
    QCOMPARE(answer->name.suffix, quint8(0x03));
    QCOMPARE(answer->addresses, (QList<QHostAddress>{QHostAddress(QStringLiteral("127.0.0.1")),
                                                     QHostAddress(QStringLiteral("192.168.1.2"))}));

    // A name by pointer, as some servers write it; one that points at
    // itself names nothing.
    answer = parseNameQueryResponse(header + QByteArray("\xC0\x0C", 2) + record.mid(34));
    QVERIFY(answer && answer->positive && answer->addresses.size() == 2);
    QCOMPARE(answer->name.name, QByteArray());

    // Negative: rcode 3.
    answer = parseNameQueryResponse(QByteArray("\x12\x34\x85\x03\x00\x00\x00\x00\x00\x00\x00\x00", 12));
    QVERIFY(answer && !answer->positive);

    // Every cut of a good answer, a request and noise are refused, not read past.
    for (qsizetype size = 0; size < header.size() + record.size(); ++size) {
        const std::optional<NameQueryAnswer> cut = parseNameQueryResponse((header + record).left(size));
        QVERIFY2(!cut || !cut->positive || cut->addresses.size() < 2, qPrintable(QString::number(size)));
    }
    QVERIFY(!parseNameQueryResponse(query));
    QVERIFY(!parseNameQueryResponse(QByteArray(40, '\xFF')) || !parseNameQueryResponse(QByteArray(40, '\xFF'))->positive);
}

QTEST_GUILESS_MAIN(TestNetProtocol)
#include "tst_net_protocol.moc"
