#include "core/dispatch.h"
#include "fakes/recordingcommandstarter.h"

#include <QtTest>

using namespace brisquel;

class TestDispatch : public QObject {
    Q_OBJECT

private slots:
    void groupSendBuildsOneSignedCommandPerMember();
    void listWalkDropsOneCharacterAfterEachComma_data();
    void listWalkDropsOneCharacterAfterEachComma();
    void signatureFollowsTheSenderNameSwitch();
    void bigGroupWaitsItsTurn();
    void failuresOfOneCallMakeOneReport();
    void failureReasons_data();
    void failureReasons();
};

void TestDispatch::groupSendBuildsOneSignedCommandPerMember()
{
    AppState state;
    state.signWithSenderName = true;
    state.senderName = QStringLiteral("Ana");
    RecordingCommandStarter starter;
    Dispatcher dispatcher(state, starter);

    dispatcher.sendToGroup(QStringLiteral("pepe, juan"), QStringLiteral("Hola"));

    const QStringList expected{
        QStringLiteral("net send pepe \"Hola\n\r\n\rAna@Brisquel v2.4b\""),
        QStringLiteral("net send juan \"Hola\n\r\n\rAna@Brisquel v2.4b\""),
    };
    QCOMPARE(starter.commandLines, expected);
    // One history step for the whole group, not one per member.
    QCOMPARE(state.history.count(), 1);
    QCOMPARE(state.history.message(0), QStringLiteral("Hola"));

    // Quotes and shell characters in the message travel untouched.
    const QString tricky = QStringLiteral("di \"hola\"; $(rm -rf ~) `x` | y");
    dispatcher.sendToUser(QStringLiteral("pepe"), tricky);
    QCOMPARE(starter.commandLines.last(),
             QStringLiteral("net send pepe \"") + tricky + QStringLiteral("\n\r\n\rAna@Brisquel v2.4b\""));
}

void TestDispatch::listWalkDropsOneCharacterAfterEachComma_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("recipients");
    QTest::newRow("one name") << "pepe" << QStringList{"pepe"};
    QTest::newRow("comma and blank") << "pepe, juan, luis" << QStringList{"pepe", "juan", "luis"};
    QTest::newRow("no blank after comma") << "pepe,juan" << QStringList{"pepe", "uan"};
    QTest::newRow("blank before comma") << "pepe ,juan" << QStringList{"pepe ", "uan"};
    QTest::newRow("empty item") << "pepe, , juan" << QStringList{"pepe", "", "juan"};
    QTest::newRow("trailing separator") << "pepe, juan, " << QStringList{"pepe", "juan", ""};
    QTest::newRow("trailing comma") << "pepe, juan," << QStringList{"pepe", "juan", ""};
    QTest::newRow("duplicates") << "pepe, pepe" << QStringList{"pepe", "pepe"};
    QTest::newRow("empty list") << "" << QStringList{""};
}

void TestDispatch::listWalkDropsOneCharacterAfterEachComma()
{
    QFETCH(QString, list);
    QFETCH(QStringList, recipients);

    AppState state;
    RecordingCommandStarter starter;
    Dispatcher(state, starter).sendToGroup(list, QStringLiteral("m"));

    QStringList expected;
    for (const QString &r : recipients)
        expected << QStringLiteral("net send ") + r + QStringLiteral(" \"m\n\r\n\r[Brisquel v2.4b]\"");
    QCOMPARE(starter.commandLines, expected);
}

void TestDispatch::signatureFollowsTheSenderNameSwitch()
{
    AppState state;
    RecordingCommandStarter starter;
    Dispatcher dispatcher(state, starter);

    state.senderName = QStringLiteral("Ana");
    dispatcher.sendToUser(QStringLiteral("pepe"), QStringLiteral("x"));
    QCOMPARE(starter.commandLines.last(), QStringLiteral("net send pepe \"x\n\r\n\r[Brisquel v2.4b]\""));

    state.signWithSenderName = true;
    state.senderName.clear();
    dispatcher.sendToUser(QString(), QString());
    QCOMPARE(starter.commandLines.last(), QStringLiteral("net send  \"\n\r\n\r@Brisquel v2.4b\""));
}

// 5,000 members: the call returns with no more than the cap started, the
// history step done; each end lets one more start, and every member is
// sent to once, in order.
void TestDispatch::bigGroupWaitsItsTurn()
{
    AppState state;
    RecordingCommandStarter starter;
    starter.heldBack = true;
    Dispatcher dispatcher(state, starter);
    int reports = 0;
    dispatcher.onFailures = [&](const DeliveryReport &) { ++reports; };

    QStringList members;
    for (int i = 0; i < 5000; ++i)
        members << QStringLiteral("puesto%1").arg(i);
    dispatcher.sendToGroup(members.join(QStringLiteral(", ")), QStringLiteral("Hola"));
    QCOMPARE(starter.commandLines.size(), Dispatcher::kMaxRunning);
    QCOMPARE(dispatcher.running(), Dispatcher::kMaxRunning);
    QCOMPARE(dispatcher.waiting(), 5000 - Dispatcher::kMaxRunning);
    QCOMPARE(state.history.count(), 1);

    // A user sent to meanwhile does not wait behind the group.
    dispatcher.sendToUser(QStringLiteral("pepe"), QStringLiteral("Hola"));
    QCOMPARE(starter.commandLines.size(), Dispatcher::kMaxRunning + 1);
    QVERIFY(starter.commandLines.last().startsWith(QStringLiteral("net send pepe ")));
    starter.commandLines.removeLast();

    while (!starter.pending.isEmpty()) {
        starter.finishPending();
        QVERIFY(dispatcher.running() <= Dispatcher::kMaxRunning);
    }
    QCOMPARE(starter.commandLines.size(), 5000);
    for (int i = 0; i < 5000; ++i)
        QCOMPARE(starter.commandLines.at(i), netSendCommandLine(state, members.at(i), QStringLiteral("Hola")));
    QCOMPARE(dispatcher.running(), 0);
    QCOMPARE(reports, 0);
}

void TestDispatch::failuresOfOneCallMakeOneReport()
{
    AppState state;
    RecordingCommandStarter starter;
    starter.heldBack = true;
    Dispatcher dispatcher(state, starter);
    QList<DeliveryReport> reports;
    dispatcher.onFailures = [&](const DeliveryReport &report) { reports << report; };

    dispatcher.sendToGroup(QStringLiteral("pepe, juan, luis"), QStringLiteral("Hola"));
    CommandEnd noAnswer;
    noAnswer.exitStatus = 3;
    noAnswer.errorOutput = QStringLiteral("net: no se pudo enviar el mensaje a \"pepe\": no responde.\n");
    CommandEnd refused = noAnswer;
    refused.errorOutput = QStringLiteral("net: no se pudo enviar el mensaje a \"luis\": rechazó el mensaje.\n");
    QList<CommandStarter::EndHandler> ends = std::exchange(starter.pending, {});
    ends.at(0)(noAnswer);
    ends.at(1)(CommandEnd{});
    QCOMPARE(reports.size(), 0); // not before the last one has ended
    ends.at(2)(refused);
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports.first().failures.size(), 2);
    QCOMPARE(reports.first().failures.at(0).recipient, QStringLiteral("pepe"));
    QCOMPARE(reports.first().failures.at(0).reason, QStringLiteral("no responde"));
    QCOMPARE(reports.first().failures.at(1).recipient, QStringLiteral("luis"));
    QCOMPARE(reports.first().failures.at(1).reason, QStringLiteral("rechazó el mensaje"));
    QVERIFY(reports.first().missingProgram.isEmpty());

    // No program: reported with where it was looked for, not per member.
    dispatcher.sendToGroup(QStringLiteral("pepe, juan"), QStringLiteral("Hola"));
    CommandEnd missing;
    missing.kind = CommandEnd::Kind::NotFound;
    missing.program = QStringLiteral("net");
    missing.searchedFolders = {QStringLiteral("/opt/brisquel"), QStringLiteral("/usr/bin")};
    starter.finishPending(missing);
    QCOMPARE(reports.size(), 2);
    QCOMPARE(reports.last().failures.size(), 0);
    QCOMPARE(reports.last().missingProgram, QStringLiteral("net"));
    QCOMPARE(reports.last().searchedFolders, missing.searchedFolders);

    // All well: nothing to report.
    dispatcher.sendToUser(QStringLiteral("pepe"), QStringLiteral("Hola"));
    starter.finishPending();
    QCOMPARE(reports.size(), 2);

    // Ends that arrive after the dispatcher is gone are dropped.
    {
        Dispatcher shortLived(state, starter);
        shortLived.sendToUser(QStringLiteral("pepe"), QStringLiteral("Hola"));
    }
    starter.finishPending(noAnswer);
}

void TestDispatch::failureReasons_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("errorOutput");
    QTest::addColumn<QString>("reason");

    QTest::newRow("our net") << 1 << "net: no se pudo enviar el mensaje a \"x, y\": no existe el equipo.\n"
                             << "no existe el equipo";
    QTest::newRow("last line counts, blank lines skipped")
        << 2 << "aviso previo\nnet: el nombre de equipo \"abc\" tiene más de 15 caracteres.\n\n"
        << "el nombre de equipo \"abc\" tiene más de 15 caracteres";
    QTest::newRow("another command's words") << 2 << "Could not connect\r\n" << "Could not connect";
    QTest::newRow("silent") << 7 << "" << "el envío terminó con el código 7";
    QTest::newRow("killed") << -1 << "" << "el envío se interrumpió";
}

void TestDispatch::failureReasons()
{
    QFETCH(int, status);
    QFETCH(QString, errorOutput);
    QFETCH(QString, reason);
    CommandEnd end;
    end.exitStatus = status;
    end.errorOutput = errorOutput;
    QCOMPARE(failureReason(end), reason);
}

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
