#include "platform/processcommandstarter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using brisquel::CommandEnd;
using brisquel::ProcessCommandStarter;

namespace {

const QString kLfCr = QStringLiteral("\n\r\n\r");

// A stand-in `net` in the folder, running the given shell script.
void writeNet(const QString &folder, const QByteArray &body)
{
    QDir().mkpath(folder);
    QFile script(folder + QStringLiteral("/net"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(body);
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
}

// A stand-in `net`: writes NUL-separated records into a file named after its
// PID in $BRISQUEL_NET_OUT: its tag, where its stdin, stdout and stderr go,
// then every argument it got. The file appears complete or not at all.
void writeStandIn(const QString &folder, const QByteArray &tag)
{
    writeNet(folder, "#!/bin/sh\n"
                     "part=\"$BRISQUEL_NET_OUT/.$$.part\"\n"
                     "in=$(readlink /proc/$$/fd/0) out=$(readlink /proc/$$/fd/1) err=$(readlink /proc/$$/fd/2)\n"
                     "{\n"
                     "  printf '%s\\0' '" + tag + "' \"$in\" \"$out\" \"$err\"\n"
                     "  for a in \"$@\"; do printf '%s\\0' \"$a\"; done\n"
                     "} > \"$part\" 2>/dev/null\n"
                     "mv \"$part\" \"$BRISQUEL_NET_OUT/$$\"\n");
}

struct Run {
    QString tag;
    QStringList streams;
    QStringList arguments;
};

QList<Run> runsIn(const QString &folder)
{
    QList<Run> runs;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QList<QByteArray> records = file.readAll().split('\0');
        records.removeLast(); // after the last NUL
        QStringList fields;
        for (const QByteArray &record : records)
            fields << QString::fromUtf8(record);
        if (fields.size() < 4)
            continue;
        runs.append({fields.at(0), fields.mid(1, 3), fields.mid(4)});
    }
    return runs;
}

qsizetype runCount(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files).size();
}

// Children of this process not yet reaped (zombies included).
QString ourChildren()
{
    QString children;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks.filePath(task + QStringLiteral("/children")));
        if (file.open(QIODevice::ReadOnly))
            children += QString::fromLatin1(file.readAll()).trimmed();
    }
    return children;
}

} // namespace

class TestProcessCommandStarter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void argumentsArriveIntact_data();
    void argumentsArriveIntact();
    void noShellEver_data();
    void noShellEver();
    void ownFolderBeforePath();
    void severalAtOnce();
    void noNetAnywhere();
    void endsAreReported();
    void defaultFoldersLeaveOutRelativePath();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    QString folder(const QString &name) const { return m_dir->filePath(name); }
};

void TestProcessCommandStarter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_out = folder(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(m_out));
    qputenv("BRISQUEL_NET_OUT", QFile::encodeName(m_out));
}

void TestProcessCommandStarter::argumentsArriveIntact_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("signed by the sender")
        << "net send pepe \"Hola" + kLfCr + "Ana@Brisquel v2.4b\""
        << QStringList{"send", "pepe", "Hola" + kLfCr + "Ana@Brisquel v2.4b"};
    QTest::newRow("accents and a euro sign")
        << "net send josé \"¿Vienes? ñandú 5 €" + kLfCr + "[Brisquel v2.4b]\""
        << QStringList{"send", "josé", "¿Vienes? ñandú 5 €" + kLfCr + "[Brisquel v2.4b]"};
    QTest::newRow("empty message, empty recipient")
        << "net send  \"" + kLfCr + "[Brisquel v2.4b]\""
        << QStringList{"send", kLfCr + "[Brisquel v2.4b]"};
}

void TestProcessCommandStarter::argumentsArriveIntact()
{
    QFETCH(QString, commandLine);
    QFETCH(QStringList, arguments);
    writeStandIn(folder(QStringLiteral("app")), "app");

    ProcessCommandStarter starter({folder(QStringLiteral("app"))});
    starter.start(commandLine, {});

    QTRY_COMPARE_WITH_TIMEOUT(runCount(m_out), 1, 10000);
    const QList<Run> runs = runsIn(m_out);
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().arguments, arguments);
    const QString null = QStringLiteral("/dev/null");
    QCOMPARE(runs.first().streams.mid(0, 2), (QStringList{null, null}));
    QVERIFY2(runs.first().streams.at(2).startsWith(QStringLiteral("pipe:")), qPrintable(runs.first().streams.at(2)));
    QTRY_COMPARE_WITH_TIMEOUT(ourChildren(), QString(), 10000);
}

void TestProcessCommandStarter::noShellEver_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("arguments");

    // Every command below would leave a file in the "trap" folder if a shell
    // ever saw the line. %1 stands for that folder.
    const QString inside = QStringLiteral("; touch %1/a; $(touch %1/b) `touch %1/c` | touch %1/d & touch %1/e > %1/f\n"
                                          "touch %1/g\r\\ 'q' * ~");
    QTest::newRow("inside the quotes")
        << inside
        << QStringList{"send", "pepe", inside + kLfCr + "[Brisquel v2.4b]"};
    QTest::newRow("a quote lets them out")
        << QStringLiteral("x\"; touch %1/a; $(touch %1/b) `touch %1/c` | touch %1/d")
        << QStringList{"send", "pepe", "x;", "touch", "%1/a;", "$(touch", "%1/b)", "`touch", "%1/c`", "|", "touch",
                       "%1/d" + kLfCr + "[Brisquel", "v2.4b]"};
    QTest::newRow("a newline after a quote")
        << QStringLiteral("x\"\ntouch %1/a\n\"")
        << QStringList{"send", "pepe", "x\ntouch", "%1/a\n" + kLfCr + "[Brisquel v2.4b]"};
}

void TestProcessCommandStarter::noShellEver()
{
    QFETCH(QString, message);
    QFETCH(QStringList, arguments);
    const QString trap = folder(QStringLiteral("trap"));
    QVERIFY(QDir().mkpath(trap));
    message.replace(QStringLiteral("%1"), trap);
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("%1"), trap);
    writeStandIn(folder(QStringLiteral("app")), "app");

    ProcessCommandStarter starter({folder(QStringLiteral("app"))});
    starter.start("net send pepe \"" + message + kLfCr + "[Brisquel v2.4b]\"", {});

    QTRY_COMPARE_WITH_TIMEOUT(runCount(m_out), 1, 10000);
    QCOMPARE(runsIn(m_out).first().arguments, arguments);
    QTest::qWait(200); // a shell would have run its commands by now
    QCOMPARE(QDir(trap).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

void TestProcessCommandStarter::ownFolderBeforePath()
{
    const QString app = folder(QStringLiteral("app"));
    const QString path = folder(QStringLiteral("path"));
    writeStandIn(app, "app");
    writeStandIn(path, "path");

    ProcessCommandStarter({app, path}).start(QStringLiteral("net send pepe \"uno\""), {});
    QTRY_COMPARE_WITH_TIMEOUT(runCount(m_out), 1, 10000);
    QCOMPARE(runsIn(m_out).first().tag, QStringLiteral("app"));

    // A `net` that cannot run, or is a folder, is passed over.
    QFile::setPermissions(app + QStringLiteral("/net"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString shadow = folder(QStringLiteral("shadow"));
    QVERIFY(QDir().mkpath(shadow + QStringLiteral("/net")));
    ProcessCommandStarter({shadow, app, path}).start(QStringLiteral("net send pepe \"dos\""), {});
    QTRY_COMPARE_WITH_TIMEOUT(runCount(m_out), 2, 10000);
    QStringList tags;
    for (const Run &run : runsIn(m_out))
        tags << run.tag + ':' + run.arguments.last();
    tags.sort();
    QCOMPARE(tags, (QStringList{QStringLiteral("app:uno"), QStringLiteral("path:dos")}));
}

void TestProcessCommandStarter::severalAtOnce()
{
    writeStandIn(folder(QStringLiteral("app")), "app");
    ProcessCommandStarter starter({folder(QStringLiteral("app"))});
    const QStringList recipients{"pepe", "juan", "luis", "pepe"};
    for (const QString &recipient : recipients)
        starter.start("net send " + recipient + " \"Hola" + kLfCr + "[Brisquel v2.4b]\"", {});

    QTRY_COMPARE_WITH_TIMEOUT(runCount(m_out), recipients.size(), 10000);
    QStringList arrived;
    for (const Run &run : runsIn(m_out))
        arrived << run.arguments.at(1);
    arrived.sort();
    QStringList sent = recipients;
    sent.sort();
    QCOMPARE(arrived, sent);
    // Each ended command is collected: none stays behind as a zombie.
    QTRY_COMPARE_WITH_TIMEOUT(ourChildren(), QString(), 10000);
}

void TestProcessCommandStarter::noNetAnywhere()
{
    const QString empty = folder(QStringLiteral("empty"));
    QVERIFY(QDir().mkpath(empty));
    const QStringList folders{empty, folder(QStringLiteral("missing"))};
    ProcessCommandStarter nowhere(folders);
    QList<CommandEnd> ends;
    const auto record = [&ends](const CommandEnd &end) { ends << end; };
    nowhere.start(QStringLiteral("net send pepe \"Hola\""), record);
    nowhere.start(QString(), record);
    nowhere.start(QStringLiteral("   "), record);
    ProcessCommandStarter(QStringList{}).start(QStringLiteral("net send pepe \"Hola\""), record);

    // A path as program name is taken only if it exists.
    ProcessCommandStarter({empty}).start(empty + QStringLiteral("/net send pepe \"Hola\""), record);

    // Each is told at once, with where the program was looked for.
    QCOMPARE(ends.size(), 5);
    for (const CommandEnd &end : std::as_const(ends))
        QCOMPARE(end.kind, CommandEnd::Kind::NotFound);
    QCOMPARE(ends.at(0).program, QStringLiteral("net"));
    QCOMPARE(ends.at(0).searchedFolders, folders);
    QCOMPARE(ends.at(4).searchedFolders, QStringList());

    QTest::qWait(200);
    QCOMPARE(runCount(m_out), 0);
    QCOMPARE(ourChildren(), QString());
}

// How each command ended comes back once, with its exit status and the
// start of its error output, however much it writes, and without waiting
// for a helper it leaves running.
void TestProcessCommandStarter::endsAreReported()
{
    const QString app = folder(QStringLiteral("app"));
    writeNet(app, "#!/bin/sh\n"
                  "case \"$2\" in\n"
                  "  pepe) echo 'net: no se pudo enviar el mensaje a \"pepe\": no responde.' >&2; exit 3 ;;\n"
                  "  mucho) head -c 200000 /dev/zero | tr '\\0' x >&2; echo >&2; echo 'Uso: net send NOMBRE MENSAJE' >&2; echo 'net: falta el nombre.' >&2; exit 4 ;;\n"
                  "  muerto) kill -9 $$ ;;\n"
                  "  ayudante) sleep 3 & exit 0 ;;\n"
                  "esac\n"
                  "exit 0\n");

    ProcessCommandStarter starter({app});
    QHash<QString, QList<CommandEnd>> ends;
    const QStringList recipients{"pepe", "mucho", "muerto", "ayudante", "juan"};
    QElapsedTimer clock;
    clock.start();
    for (const QString &recipient : recipients) {
        starter.start("net send " + recipient + " \"Hola\"",
                      [&ends, recipient](const CommandEnd &end) { ends[recipient] << end; });
    }
    QTRY_COMPARE_WITH_TIMEOUT(ends.size(), recipients.size(), 10000);
    QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));

    QCOMPARE(ends.value("pepe").size(), 1);
    QCOMPARE(ends.value("pepe").first().kind, CommandEnd::Kind::Ended);
    QCOMPARE(ends.value("pepe").first().exitStatus, 3);
    QCOMPARE(ends.value("pepe").first().errorOutput,
             QStringLiteral("net: no se pudo enviar el mensaje a \"pepe\": no responde.\n"));
    QCOMPARE(ends.value("mucho").first().exitStatus, 4);
    // Of a long output the end is kept, where the reason is, in whole lines.
    const QString tail = ends.value("mucho").first().errorOutput;
    QVERIFY2(tail.endsWith(QStringLiteral("\nnet: falta el nombre.\n")), qPrintable(tail.right(80)));
    QVERIFY(tail.size() <= 4096);
    QVERIFY(!tail.contains(u'x'));
    QCOMPARE(ends.value("muerto").first().exitStatus, -1);
    QVERIFY(ends.value("ayudante").first().succeeded());
    QVERIFY(ends.value("juan").first().succeeded());
    QCOMPARE(ends.value("juan").first().errorOutput, QString());

    // A handler may start the next command itself.
    int chained = 0;
    std::function<void(const CommandEnd &)> next = [&](const CommandEnd &) {
        if (++chained < 3)
            starter.start(QStringLiteral("net send juan \"otra\""), next);
    };
    starter.start(QStringLiteral("net send juan \"una\""), next);
    QTRY_COMPARE_WITH_TIMEOUT(chained, 3, 10000);
    QTest::qWait(50);
    QCOMPARE(chained, 3);
    QCOMPARE(ends.value("pepe").size(), 1);
}

void TestProcessCommandStarter::defaultFoldersLeaveOutRelativePath()
{
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", "/usr/local/bin:.::bin:/usr/bin");
    const QStringList folders = ProcessCommandStarter::defaultProgramFolders();
    qputenv("PATH", savedPath);

    QCOMPARE(folders, (QStringList{QCoreApplication::applicationDirPath(), "/usr/local/bin", "/usr/bin"}));
}

QTEST_GUILESS_MAIN(TestProcessCommandStarter)
#include "tst_processcommandstarter.moc"
