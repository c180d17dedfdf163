// The end of a desktop session with the real program on a private X
// display: logging out sends SIGTERM, a closed terminal SIGHUP. The run's
// changes are kept as a closed main window keeps them, next to what was
// edited in the file by hand meanwhile; a dialog left open does not stop it.

#include "brisquelsession.h"
#include "privatedesktoptest.h"
#include "settingsfixture.h"
#include "support/virtualdisplay.h"

#include <QTest>

#include <csignal>

namespace {

SettingsFixture anaSettings()
{
    SettingsFixture settings;
    settings.general = {QStringLiteral("Ana"), loginName(), QStringLiteral("1"),
                        QStringLiteral("Liberation Serif"), QStringLiteral("1"), QStringLiteral("0"),
                        QStringLiteral(" 12"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral(" 128"), QStringLiteral(" 15794175")};
    settings.users = {{QStringLiteral("&Pepe"), QStringLiteral("pepe")}};
    return settings;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestE2eSessionEnd : public PrivateDesktopTest
{
    Q_OBJECT

private slots:
    void sigtermKeepsTheNewSenderName();
    void sighupWithADialogOpen();

private:
    // Started, greeted and ready for keys.
    QString startReady(BrisquelSession &program, const QByteArray &settings);
};

QString TestE2eSessionEnd::startReady(BrisquelSession &program, const QByteArray &settings)
{
    QString problem = program.prepare(settings);
    if (problem.isEmpty())
        problem = program.start();
    if (problem.isEmpty())
        problem = program.answerGreeting(true);
    if (problem.isEmpty())
        problem = program.waitForMainWindow();
    return problem;
}

void TestE2eSessionEnd::sigtermKeepsTheNewSenderName()
{
    BrisquelSession program(*m_display);
    const QString ready = startReady(program, anaSettings().bytes());
    QVERIFY2(ready.isEmpty(), qPrintable(ready));

    // A new sender name through the program's own dialog.
    program.key(QStringLiteral("alt+c"));
    program.key(QStringLiteral("alt+n"));
    QVERIFY2(!program.waitForDialog().isEmpty(), "\"Tu &Nombre\" opened no dialog");
    program.type(QStringLiteral("Núria"));
    program.key(QStringLiteral("Return"));
    QVERIFY2(program.waitForNoDialog(), "Enter left the sender-name dialog open");

    // Meanwhile a colleague is added to the file by hand.
    SettingsFixture edited = anaSettings();
    edited.users.append({QStringLiteral("&Luis"), QStringLiteral("luis")});
    QVERIFY(writeFile(program.settingsPath(), edited.bytes()));

    QCOMPARE(::kill(pid_t(program.pid()), SIGTERM), 0);
    QVERIFY2(program.waitForExit(), "SIGTERM did not end the program");
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);

    SettingsFixture expected = edited;
    expected.general[0] = QStringLiteral("Núria");
    const std::optional<QByteArray> saved = program.settingsFile();
    QVERIFY(saved);
    QCOMPARE(QString::fromLatin1(*saved), QString::fromLatin1(expected.bytes()));
}

void TestE2eSessionEnd::sighupWithADialogOpen()
{
    BrisquelSession program(*m_display);
    const QByteArray settings = anaSettings().bytes();
    const QString ready = startReady(program, settings);
    QVERIFY2(ready.isEmpty(), qPrintable(ready));

    // The name dialog stays open, half typed.
    program.key(QStringLiteral("alt+c"));
    program.key(QStringLiteral("alt+n"));
    QVERIFY2(!program.waitForDialog().isEmpty(), "\"Tu &Nombre\" opened no dialog");
    program.type(QStringLiteral("Sin aceptar"));

    QCOMPARE(::kill(pid_t(program.pid()), SIGHUP), 0);
    QVERIFY2(program.waitForExit(), "SIGHUP did not end the program");
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);
    // Nothing was accepted: the file is as it was.
    const std::optional<QByteArray> saved = program.settingsFile();
    QVERIFY(saved);
    QCOMPARE(QString::fromLatin1(*saved), QString::fromLatin1(settings));
}

QTEST_GUILESS_MAIN(TestE2eSessionEnd)
#include "tst_e2e_sessionend.moc"
