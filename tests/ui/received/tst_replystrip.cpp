// The reply strip: shown modally over the received-messages window with the
// keys in its box; Enter sends the reply, signed, to the address the
// message came from, Esc drops it, and the budget holds.
#include "receivedsupport.h"

#include "core/dispatch.h"
#include "core/messagecomposer.h"
#include "fakes/fakescreenmetrics.h"
#include "fakes/recordingcommandstarter.h"
#include "ui/kit/showmodal.h"
#include "ui/received/receivedmessagewindow.h"
#include "ui/received/replystrip.h"
#include "ui/heardcontrols.h"
#include "ui/startedprogram.h"

#include <functional>

using namespace brisquel;
using receivedtest::message;

namespace {

struct Desk {
    Desk()
    {
        state.senderName = QStringLiteral("ana");
        state.signWithSenderName = true;
        messages.add(message(7, QStringLiteral("pepe"), QStringLiteral("192.0.2.7"), 7, QStringLiteral("¿Vienes?")));
        owner.load();
        owner.show();
        owner.activateWindow();
        if (!QTest::qWaitForWindowActive(&owner))
            qWarning("the received-messages window never became active");
        strip.load();
    }

    // Opens a reply to the message, modally over its window, and hands the
    // keys to whatever has the focus once the strip is up, as a user types.
    // True when the keys closed the strip.
    bool reply(const std::function<void()> &keys)
    {
        bool closedByKeys = false;
        strip.startReply(messages.at(0));
        whileModal(strip, [this] { showModal(strip, owner); }, [&] {
            QVERIFY(focusIsIn(textBox(strip, "entryEdit")));
            keys();
            closedByKeys = !strip.isVisible();
        });
        return closedByKeys;
    }

    AppState state;
    RecordingCommandStarter starter;
    Dispatcher dispatcher{state, starter};
    MessageComposer composer{state, dispatcher};
    FakeScreenMetrics screen;
    ReceivedMessages messages;
    ReceivedMessageWindow owner{screen, messages};
    ReplyStrip strip{screen, composer};
};

} // namespace

class TestReplyStrip : public QObject {
    Q_OBJECT

private slots:
    void enterSendsTheReplySignedToTheAddress();
    void escOrNothingTypedSendsNothing();
    void theBudgetCutsTheReply();
};

void TestReplyStrip::enterSendsTheReplySignedToTheAddress()
{
    Desk desk;
    QVERIFY(desk.reply([&] {
        QCOMPARE(frame(desk.strip, "frame")->title(), QStringLiteral("Respuesta a pepe"));
        QCOMPARE(heardOf(&desk.strip).name, QStringLiteral("Respuesta a pepe"));
        checkEveryControlIsNamed(desk.strip);
        // Below the message it answers, which stays in sight.
        QVERIFY(!desk.strip.frameGeometry().intersects(desk.owner.frameGeometry()));
        QVERIFY(QRect(0, 0, 1024, 768).contains(desk.strip.frameGeometry()));
        typeText(QStringLiteral("Vale, voy"));
        QTest::keyClick(focused(), Qt::Key_Return);
    }));
    QCOMPARE(desk.starter.commandLines,
             QStringList{QStringLiteral("net send 192.0.2.7 \"Vale, voy\n\r\n\rana@Brisquel v2.4b\"")});
    QCOMPARE(desk.composer.historyCount(), 1);

    // Each reply starts empty; "&Enviar" sends as Enter does.
    QVERIFY(desk.reply([&] {
        QCOMPARE(textBox(desk.strip, "entryEdit")->text(), QString());
        typeText(QStringLiteral("Ya"));
        QTest::keyClick(focused(), Qt::Key_E, Qt::AltModifier);
    }));
    QCOMPARE(desk.starter.commandLines.last(), QStringLiteral("net send 192.0.2.7 \"Ya\n\r\n\rana@Brisquel v2.4b\""));
}

void TestReplyStrip::escOrNothingTypedSendsNothing()
{
    Desk desk;
    QVERIFY(desk.reply([&] {
        typeText(QStringLiteral("mejor no"));
        QTest::keyClick(focused(), Qt::Key_Escape);
    }));
    QVERIFY(desk.reply([&] { QTest::keyClick(focused(), Qt::Key_Return); }));
    QVERIFY(desk.reply([&] {
        typeText(QStringLiteral("tampoco"));
        QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
    }));
    QVERIFY(desk.starter.commandLines.isEmpty());
}

void TestReplyStrip::theBudgetCutsTheReply()
{
    Desk desk;
    // A long sender name leaves 850 - 840 = 10 letters.
    desk.state.senderName = QString(840, QLatin1Char('n'));
    QVERIFY(desk.reply([&] {
        typeText(QStringLiteral("0123456789abc"));
        QCOMPARE(textBox(desk.strip, "entryEdit")->text(), QStringLiteral("0123456789"));
        QTest::keyClick(focused(), Qt::Key_Return);
    }));
    QCOMPARE(desk.starter.commandLines.size(), 1);
    QVERIFY(desk.starter.commandLines.first().startsWith(QStringLiteral("net send 192.0.2.7 \"0123456789\n\r")));
}

QTEST_MAIN(TestReplyStrip)
#include "tst_replystrip.moc"
