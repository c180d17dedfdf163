// Sends still waiting their turn when the program is told to end: a group
// bigger than the cap of running sends, and the window closed, or the
// session ended, a moment after the click. Every member still gets the
// message, never more than sixteen sends at once, and a failure that no
// window can show any more is written to standard error.

#include "brisquelsession.h"
#include "privatedesktoptest.h"
#include "settingsfixture.h"
#include "support/virtualdisplay.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>

namespace {

const TwipsRect kFirstRecipient{60, 2460, 1395, 315};
const TwipsRect kModeButton{4260, 480, 1395, 915};
constexpr int kMembers = 40;

// Records its start as the session's own stand-in does, counts the runs
// going on at that moment, stays a while, and fails for "roto" as our net
// fails, saying why on its last line.
const QByteArray kSlowNet = "#!/bin/sh\n"
                            "cd \"${0%/*}\"\n"
                            "mkdir -p running\n"
                            ": > running/$$\n"
                            "ls running | wc -l >> counts\n"
                            "printf '%s\\0' \"$@\" > calls/.$$ && mv calls/.$$ calls/$$\n"
                            "sleep 0.4\n"
                            "rm running/$$\n"
                            "[ \"$2\" = roto ] || exit 0\n"
                            "echo 'Uso: net send NOMBRE MENSAJE' >&2\n"
                            "echo 'net: no se pudo enviar el mensaje a \"roto\": no responde.' >&2\n"
                            "exit 3\n";

QByteArray settings()
{
    QStringList members;
    for (int i = 1; i < kMembers; ++i)
        members << QStringLiteral("puesto%1").arg(i);
    members << QStringLiteral("roto");
    SettingsFixture fixture;
    fixture.general = {QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("1"),
                       QStringLiteral("Liberation Sans"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral(" 10"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral(" 0"), QStringLiteral(" 16777215")};
    fixture.users = {{QStringLiteral("&Pepe"), QStringLiteral("pepe")}};
    fixture.groups = {{QStringLiteral("&Todos"), members.join(QStringLiteral(", "))}};
    return fixture.bytes();
}

int mostAtOnce(const QString &folder)
{
    QFile counts(QDir(folder).filePath(QStringLiteral("counts")));
    if (!counts.open(QIODevice::ReadOnly))
        return 0;
    int most = 0;
    for (const QByteArray &line : counts.readAll().split('\n'))
        most = qMax(most, line.trimmed().toInt());
    return most;
}

} // namespace

class TestE2eExitSends : public PrivateDesktopTest
{
    Q_OBJECT

private slots:
    void queuedSendsGoOutAtTheEnd_data();
    void queuedSendsGoOutAtTheEnd();
};

void TestE2eExitSends::queuedSendsGoOutAtTheEnd_data()
{
    QTest::addColumn<int>("signal"); // 0: the window's close box
    QTest::newRow("closed window") << 0;
    QTest::newRow("session end") << int(SIGTERM);
}

void TestE2eExitSends::queuedSendsGoOutAtTheEnd()
{
    QFETCH(int, signal);
    BrisquelSession program(*m_display);
    QString problem = program.prepare(settings());
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QFile net(program.folder() + QStringLiteral("/net"));
    QVERIFY(net.open(QIODevice::WriteOnly) && net.write(kSlowNet) == kSlowNet.size());
    net.close();
    program.keepErrorOutput();
    for (const QString &step : {program.start(), program.answerGreeting(true), program.waitForMainWindow()})
        QVERIFY2(step.isEmpty(), qPrintable(step));

    program.type(QStringLiteral("Hola"));
    program.click(kModeButton);
    program.click(kFirstRecipient);
    QTest::qWait(300);
    if (signal == 0)
        program.closeMainWindow();
    else
        QCOMPARE(::kill(pid_t(program.pid()), signal), 0);
    QVERIFY2(program.waitForExit(20000), "the program did not end");
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);

    QCOMPARE(program.takeCalls(kMembers, 1000).size(), kMembers);
    QCOMPARE(mostAtOnce(program.folder()), 16);
    const QString errors = QString::fromUtf8(program.errorOutput());
    QVERIFY2(errors.contains(QStringLiteral("roto: no responde")), qPrintable(errors));
    QVERIFY2(!errors.contains(QStringLiteral("Uso:")), qPrintable(errors));
    // The settings were saved first, as at any close.
    QVERIFY(program.settingsFile().has_value());
}

QTEST_GUILESS_MAIN(TestE2eExitSends)
#include "tst_e2e_exitsends.moc"
