#include "core/dispatch.h"
#include "core/messagecomposer.h"
#include "fakes/recordingcommandstarter.h"

#include <QSignalSpy>
#include <QtTest>

using namespace brisquel;

namespace {

// A message box as the composer sees it (the main window's, or with
// `quickMessageChanged` the quick-message strip's): an assignment that
// changes the text runs the change handler again, nested, as the real box
// does.
struct MessageEdit {
    using Rule = void (MessageComposer::*)(MessageEdit &);
    explicit MessageEdit(MessageComposer &owner, Rule changeRule = &MessageComposer::messageChanged<MessageEdit>)
        : composer(owner)
        , rule(changeRule)
    {
    }
    MessageComposer &composer;
    Rule rule;
    QString shown;
    int changes = 0;

    QString text() const { return shown; }
    int length() const { return int(shown.size()); }
    void setText(const QString &text)
    {
        if (text == shown)
            return;
        shown = text;
        ++changes;
        (composer.*rule)(*this);
    }
};

struct Desk {
    Desk()
    {
        state.senderName = QStringLiteral("ana");
        state.signWithSenderName = true;
        for (RecipientSlot &slot : state.users)
            slot = {kEmptySlotCaption, kEmptySlotCaption};
        state.groups = state.users;
        state.users[0] = {QStringLiteral("Pepe"), QStringLiteral("pepe")};
        state.users[1] = {QStringLiteral("Juan"), QStringLiteral("juan")};
        state.groups[0] = {QStringLiteral("Todos"), QStringLiteral("pepe, juan, luis")};
    }
    // The recipient of each command started, in order.
    QStringList recipients() const
    {
        QStringList names;
        for (const QString &line : starter.commandLines)
            names << line.section(QLatin1Char(' '), 2, 2);
        return names;
    }

    AppState state;
    RecordingCommandStarter starter;
    Dispatcher dispatcher{state, starter};
    MessageComposer composer{state, dispatcher};
};

} // namespace

class TestMessageComposer : public QObject {
    Q_OBJECT

private slots:
    void captionCountsDownAndTheCutRunsNested();
    void bankSendsToUsersOrGroups();
    void typedRecipientsAndHistory();
    void senderNameSignsAndTakesLetters();
    void quickSendsGoToUserSlotsWithinTheBudget();
    void aReplyGoesToTheAddressSignedAndRecorded();
    void aRunBeginsWithTheLoginAndAFreshBank();
};

void TestMessageComposer::captionCountsDownAndTheCutRunsNested()
{
    Desk desk;
    QSignalSpy captions(&desk.composer, &MessageComposer::captionChanged);
    MessageEdit box(desk.composer);

    box.setText(QStringLiteral("Hola"));
    QCOMPARE(captions.takeLast().at(0).toString(), QStringLiteral("Brisquel v2.4b - Quedan 843 letras..."));
    QVERIFY(desk.composer.hasRoom());

    // A paste past the budget (850 less the three letters of "ana") is cut
    // to it; the cut is one more change, handled inside the first.
    box.changes = 0;
    box.setText(QString(900, QLatin1Char('x')));
    QCOMPARE(box.length(), 847);
    QCOMPARE(box.changes, 2);
    QCOMPARE(captions.takeLast().at(0).toString(), QStringLiteral("Brisquel v2.4b - Quedan 0 letras..."));
    QVERIFY(!desk.composer.hasRoom());

    box.setText(QString());
    QCOMPARE(captions.takeLast().at(0).toString(), QStringLiteral("Brisquel v2.4b"));
}

void TestMessageComposer::bankSendsToUsersOrGroups()
{
    Desk desk;
    QSignalSpy modes(&desk.composer, &MessageComposer::modeChanged);
    QSignalSpy sent(&desk.composer, &MessageComposer::sent);

    QCOMPARE(desk.composer.bank()[1].caption, QStringLiteral("Juan"));
    desk.composer.sendToSlot(1, QStringLiteral("uno"));
    QCOMPARE(desk.recipients(), QStringList{QStringLiteral("juan")});

    desk.composer.switchMode();
    QCOMPARE(modes.size(), 1);
    QCOMPARE(modes.at(0).at(0).value<RecipientMode>(), RecipientMode::Groups);
    QCOMPARE(desk.composer.bank()[0].caption, QStringLiteral("Todos"));
    desk.composer.sendToSlot(0, QStringLiteral("dos"));
    QCOMPARE(desk.recipients(), (QStringList{"juan", "pepe", "juan", "luis"}));

    desk.composer.switchMode();
    QCOMPARE(desk.composer.mode(), RecipientMode::Users);
    desk.composer.sendToSlot(0, QStringLiteral("tres"));
    QCOMPARE(desk.recipients().last(), QStringLiteral("pepe"));

    // Each click is told once, however many recipients. Only the first was
    // sent from the end of the history, so only it was recorded.
    QCOMPARE(sent.size(), 3);
    QCOMPARE(sent.last().at(0).toInt(), 1);
}

void TestMessageComposer::typedRecipientsAndHistory()
{
    Desk desk;
    // Each message is sent from the end of the history, where Esc leaves the
    // history bar.
    auto toTheEnd = [&desk] { desk.composer.browseTo(desk.composer.historyCount()); };
    desk.composer.sendToTyped(QStringLiteral("luis"), QStringLiteral("uno"));
    toTheEnd();
    desk.composer.sendToTyped(QStringLiteral("pepe, juan"), QStringLiteral("dos"));
    toTheEnd();
    // A name with a comma and no blank after it loses the letter after the comma.
    desk.composer.sendToTyped(QStringLiteral("ana,eva"), QStringLiteral("tres"));
    QCOMPARE(desk.recipients(), (QStringList{"luis", "pepe", "juan", "ana", "va"}));

    QCOMPARE(desk.composer.historyCount(), 3);
    QCOMPARE(desk.composer.browseTo(0), QStringLiteral("uno"));
    QCOMPARE(desk.composer.browseTo(2), QStringLiteral("tres"));
    QCOMPARE(desk.composer.browseTo(3), QString()); // the end: a fresh message

    // Sent again from an earlier message, nothing more is recorded.
    desk.composer.browseTo(1);
    desk.composer.sendToTyped(QStringLiteral("luis"), QStringLiteral("dos"));
    QCOMPARE(desk.composer.historyCount(), 3);
}

void TestMessageComposer::senderNameSignsAndTakesLetters()
{
    Desk desk;
    desk.composer.begin(QStringLiteral("luis"));
    desk.composer.setSenderName(QStringLiteral("Eva"));
    MessageEdit box(desk.composer);
    box.setText(QString(900, QLatin1Char('x')));
    QCOMPARE(box.length(), 847);
    desk.composer.sendToSlot(0, QStringLiteral("hola"));
    QVERIFY(desk.starter.commandLines.last().endsWith(QStringLiteral("\n\r\n\rEva@Brisquel v2.4b\"")));

    // Emptied, the name is the login again and no longer signs or counts.
    desk.composer.setSenderName(QString());
    QCOMPARE(desk.state.senderName, QStringLiteral("luis"));
    QVERIFY(!desk.state.signWithSenderName);
    box.setText(QString(900, QLatin1Char('y')));
    QCOMPARE(box.length(), 850);
    desk.composer.sendToSlot(0, QStringLiteral("hola"));
    QVERIFY(desk.starter.commandLines.last().endsWith(QStringLiteral("\n\r\n\r[Brisquel v2.4b]\"")));
}

void TestMessageComposer::quickSendsGoToUserSlotsWithinTheBudget()
{
    Desk desk;
    QSignalSpy captions(&desk.composer, &MessageComposer::captionChanged);
    MessageEdit quick(desk.composer, &MessageComposer::quickMessageChanged<MessageEdit>);
    quick.setText(QString(900, QLatin1Char('q')));
    QCOMPARE(quick.length(), 847);
    QVERIFY(!desk.composer.hasRoom());
    QVERIFY(captions.isEmpty()); // the strip has no caption to count in

    desk.composer.switchMode(); // the strip's list is the users', whatever the bank shows
    desk.composer.sendQuick(1, QStringLiteral("rápido"));
    QCOMPARE(desk.recipients(), QStringList{QStringLiteral("juan")});
    // A list longer than the slots (users listed twice) sends nothing past them.
    desk.composer.sendQuick(12, QStringLiteral("de más"));
    desk.composer.sendQuick(-1, QStringLiteral("nada"));
    QCOMPARE(desk.recipients().size(), 1);
}

void TestMessageComposer::aReplyGoesToTheAddressSignedAndRecorded()
{
    Desk desk;
    QSignalSpy sent(&desk.composer, &MessageComposer::sent);
    desk.composer.sendReply(QStringLiteral("192.0.2.7"), QStringLiteral("Vale"));
    QCOMPARE(desk.starter.commandLines,
             QStringList{QStringLiteral("net send 192.0.2.7 \"Vale\n\r\n\rana@Brisquel v2.4b\"")});
    QCOMPARE(sent.size(), 1);
    QCOMPARE(desk.composer.historyCount(), 1);
    QCOMPARE(desk.composer.browseTo(0), QStringLiteral("Vale"));
}

void TestMessageComposer::aRunBeginsWithTheLoginAndAFreshBank()
{
    Desk desk;
    desk.composer.sendToTyped(QStringLiteral("luis"), QStringLiteral("uno"));
    desk.composer.switchMode();
    desk.state.lettersLeft = 0;

    desk.composer.begin(QStringLiteral("eva"));
    QCOMPARE(desk.composer.loginName(), QStringLiteral("eva"));
    QCOMPARE(desk.composer.historyCount(), 0);
    QCOMPARE(desk.composer.mode(), RecipientMode::Users);
    QVERIFY(desk.composer.hasRoom());
}

QTEST_GUILESS_MAIN(TestMessageComposer)
#include "tst_messagecomposer.moc"
