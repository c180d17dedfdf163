#include "core/budget.h"
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
    void signatureFollowsNombrePropio();
    void historyRecordsOnlyAtTheEndPosition();
    void fullHistoryDropsTheOldest();
    void budgetAndCaption();
};

void TestDispatch::groupSendBuildsOneSignedCommandPerMember()
{
    Module1 state;
    state.NombrePropio = True;
    state.Remitente = QStringLiteral("Ana");
    RecordingCommandStarter starter;
    Dispatcher dispatcher(state, starter);

    dispatcher.EnviaGrupo(QStringLiteral("pepe, juan"), QStringLiteral("Hola"));

    const QStringList expected{
        QStringLiteral("net send pepe \"Hola\n\r\n\rAna@Brisquel v2.4b\""),
        QStringLiteral("net send juan \"Hola\n\r\n\rAna@Brisquel v2.4b\""),
    };
    QCOMPARE(starter.commandLines, expected);
    QCOMPARE(state.Comando, expected.last());
    // One history step for the whole group, not one per member.
    QCOMPARE(state.NumMensajes, Integer(1));
    QCOMPARE(state.Historial[0], QStringLiteral("Hola"));

    // Quotes and shell characters in the message travel untouched.
    const QString tricky = QStringLiteral("di \"hola\"; $(rm -rf ~) `x` | y");
    dispatcher.EnviaUsuario(QStringLiteral("pepe"), tricky);
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

    Module1 state;
    RecordingCommandStarter starter;
    Dispatcher(state, starter).EnviaGrupo(list, QStringLiteral("m"));

    QStringList expected;
    for (const QString &r : recipients)
        expected << QStringLiteral("net send ") + r + QStringLiteral(" \"m\n\r\n\r[Brisquel v2.4b]\"");
    QCOMPARE(starter.commandLines, expected);
}

void TestDispatch::signatureFollowsNombrePropio()
{
    Module1 state;
    RecordingCommandStarter starter;
    Dispatcher dispatcher(state, starter);

    state.Remitente = QStringLiteral("Ana");
    dispatcher.EnviaUsuario(QStringLiteral("pepe"), QStringLiteral("x"));
    QCOMPARE(starter.commandLines.last(), QStringLiteral("net send pepe \"x\n\r\n\r[Brisquel v2.4b]\""));

    state.NombrePropio = True;
    state.Remitente.clear();
    dispatcher.EnviaUsuario(QString(), QString());
    QCOMPARE(starter.commandLines.last(), QStringLiteral("net send  \"\n\r\n\r@Brisquel v2.4b\""));
}

void TestDispatch::historyRecordsOnlyAtTheEndPosition()
{
    Module1 state;
    RecordingCommandStarter starter;
    Dispatcher dispatcher(state, starter);

    dispatcher.EnviaUsuario(QStringLiteral("a"), QStringLiteral("primero"));
    QCOMPARE(state.NumMensajes, Integer(1));
    QCOMPARE(state.Historial[0], QStringLiteral("primero"));

    // The browser still points at slot 0: a second send is a resend.
    dispatcher.EnviaUsuario(QStringLiteral("a"), QStringLiteral("segundo"));
    QCOMPARE(state.NumMensajes, Integer(1));
    QVERIFY(state.Historial[1].isEmpty());
    QCOMPARE(starter.commandLines.size(), 2);

    // Back at the end position, the next one is recorded again.
    state.PosHistorial = state.NumMensajes;
    dispatcher.EnviaGrupo(QStringLiteral("a, b"), QStringLiteral("tercero"));
    QCOMPARE(state.NumMensajes, Integer(2));
    QCOMPARE(state.Historial[1], QStringLiteral("tercero"));
}

void TestDispatch::fullHistoryDropsTheOldest()
{
    Module1 state;
    RecordingCommandStarter starter;
    Dispatcher dispatcher(state, starter);
    for (int i = 0; i < 32; ++i) {
        state.PosHistorial = state.NumMensajes;
        dispatcher.EnviaUsuario(QStringLiteral("a"), QString::number(i));
    }
    QCOMPARE(state.NumMensajes, Integer(32));
    QCOMPARE(state.Historial[0], QStringLiteral("0"));
    QCOMPARE(state.Historial[31], QStringLiteral("31"));

    state.PosHistorial = 32;
    dispatcher.EnviaUsuario(QStringLiteral("a"), QStringLiteral("nuevo"));
    QCOMPARE(state.NumMensajes, Integer(32));
    QCOMPARE(state.Historial[0], QStringLiteral("1"));
    QCOMPARE(state.Historial[30], QStringLiteral("31"));
    QCOMPARE(state.Historial[31], QStringLiteral("nuevo"));
    QCOMPARE(state.Historial[32], QStringLiteral("nuevo"));

    // Position 32 is still the end: the next send is recorded too.
    dispatcher.EnviaUsuario(QStringLiteral("a"), QStringLiteral("otro"));
    QCOMPARE(state.Historial[30], QStringLiteral("nuevo"));
    QCOMPARE(state.Historial[32], QStringLiteral("otro"));
}

void TestDispatch::budgetAndCaption()
{
    Module1 state;
    QCOMPARE(messageBudget(state), 850);
    state.Remitente = QStringLiteral("Ana");
    QCOMPARE(messageBudget(state), 850); // not signed with it yet
    state.NombrePropio = True;
    QCOMPARE(messageBudget(state), 847);
    state.Remitente = QString(900, QLatin1Char('x'));
    QCOMPARE(messageBudget(state), 0);

    QCOMPARE(budgetCaption(1, false), QStringLiteral("Brisquel v2.4b - Queda 1 letra..."));
    QCOMPARE(budgetCaption(0, false), QStringLiteral("Brisquel v2.4b - Quedan 0 letras..."));
    QCOMPARE(budgetCaption(849, false), QStringLiteral("Brisquel v2.4b - Quedan 849 letras..."));
    QCOMPARE(budgetCaption(850, true), QStringLiteral("Brisquel v2.4b"));
}

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
