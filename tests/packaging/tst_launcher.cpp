// The launcher the desktop entry starts: it must start the program beside it
// in the user's settings folder, whatever folder the desktop starts it in.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Where the launcher is installed: a folder of its own, with a stand-in
// program beside it that records its working folder and its arguments, one
// per line, and ends with the status the test asks for.
struct Installed {
    QTemporaryDir root;
    QString launcher;
    QString record;
};

void install(Installed &installed)
{
    QVERIFY(installed.root.isValid());
    const QString folder = installed.root.filePath(QStringLiteral("lib/brisquel"));
    QVERIFY(QDir().mkpath(folder));
    installed.launcher = folder + QStringLiteral("/brisquel-launcher");
    QVERIFY(QFile::copy(QStringLiteral(BRISQUEL_LAUNCHER), installed.launcher));
    installed.record = installed.root.filePath(QStringLiteral("record"));

    QFile program(folder + QStringLiteral("/brisquel"));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\n"
                  "{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '" + installed.record.toUtf8() + "'\n"
                  "exit ${STAND_IN_STATUS:-0}\n");
    program.close();
    QVERIFY(program.setPermissions(program.permissions() | QFileDevice::ExeOwner));
}

struct Outcome {
    int status = -1;
    QString errors;
};

// Starts the launcher as a desktop menu would: from "/", with only the
// environment given.
Outcome start(const QString &launcher, const QProcessEnvironment &environment,
              const QStringList &arguments = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QStringLiteral("/"));
    process.start(launcher, arguments);
    if (!process.waitForFinished(10000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

QProcessEnvironment desktopEnvironment(const QString &home)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    if (!home.isNull())
        environment.insert(QStringLiteral("HOME"), home);
    return environment;
}

QStringList recorded(const QString &record)
{
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    lines.removeLast(); // after the last line end
    return lines;
}

} // namespace

class TestLauncher : public QObject {
    Q_OBJECT

private slots:
    void startsInTheSettingsFolder_data();
    void startsInTheSettingsFolder();
    void keepsTheSettingsAndTheProgramsAnswer();
    void refusesAFolderItCannotUse();
};

void TestLauncher::startsInTheSettingsFolder_data()
{
    QTest::addColumn<QString>("configHome"); // "-" leaves XDG_CONFIG_HOME unset; @ is the home folder
    QTest::addColumn<QString>("expected");   // relative to the home folder

    QTest::newRow("default") << "-" << ".config/brisquel";
    QTest::newRow("XDG_CONFIG_HOME") << "@/settings dir" << "settings dir/brisquel";
    QTest::newRow("empty XDG_CONFIG_HOME") << "" << ".config/brisquel";
    QTest::newRow("relative XDG_CONFIG_HOME") << "relative/settings" << ".config/brisquel";
}

void TestLauncher::startsInTheSettingsFolder()
{
    QFETCH(QString, configHome);
    QFETCH(QString, expected);
    Installed installed;
    install(installed);
    QTemporaryDir home;
    QVERIFY(home.isValid());

    QProcessEnvironment environment = desktopEnvironment(home.path());
    if (configHome != u"-")
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString(configHome).replace(u'@', home.path()));
    const Outcome outcome = start(installed.launcher, environment, {QStringLiteral("--one"), QStringLiteral("two words")});

    QCOMPARE(outcome.status, 0);
    QCOMPARE(outcome.errors, QString());
    const QString folder = home.filePath(expected);
    QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
    QCOMPARE(recorded(installed.record),
             QStringList({folder, QStringLiteral("--one"), QStringLiteral("two words")}));
    QVERIFY(!QFileInfo::exists(QStringLiteral("/relative")));
}

void TestLauncher::keepsTheSettingsAndTheProgramsAnswer()
{
    Installed installed;
    install(installed);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString folder = home.filePath(QStringLiteral(".config/brisquel"));
    QVERIFY(QDir().mkpath(folder));
    QFile settings(folder + QStringLiteral("/brisquel.ini"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[GENERAL]\r\n");
    settings.close();

    // Started through a link elsewhere, it still finds the program beside
    // itself; the program's exit status is the launcher's.
    const QString link = home.filePath(QStringLiteral("launcher-link"));
    QVERIFY(QFile::link(installed.launcher, link));
    QProcessEnvironment environment = desktopEnvironment(home.path());
    environment.insert(QStringLiteral("STAND_IN_STATUS"), QStringLiteral("7"));
    QCOMPARE(start(link, environment).status, 7);

    QCOMPARE(recorded(installed.record), QStringList{folder});
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QCOMPARE(settings.readAll(), QByteArray("[GENERAL]\r\n"));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"brisquel.ini"});
}

void TestLauncher::refusesAFolderItCannotUse()
{
    Installed installed;
    install(installed);
    QTemporaryDir home;
    QVERIFY(home.isValid());

    // ~/.config is a file: no folder can be made in it.
    QFile blocker(home.filePath(QStringLiteral(".config")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Outcome outcome = start(installed.launcher, desktopEnvironment(home.path()));
    QVERIFY(outcome.status > 0);
    QVERIFY2(outcome.errors.contains(home.filePath(QStringLiteral(".config/brisquel"))), qPrintable(outcome.errors));
    QVERIFY(!QFileInfo::exists(installed.record));

    // No home folder at all.
    outcome = start(installed.launcher, desktopEnvironment(QString()));
    QVERIFY(outcome.status > 0);
    QVERIFY2(outcome.errors.contains(QStringLiteral("HOME")), qPrintable(outcome.errors));
    QVERIFY(!QFileInfo::exists(installed.record));
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
