// Messages from the receiving service, through the whole program: a local
// server in the test speaks the service's lines on the socket the program
// is told of; what is shown is acknowledged, what waits in the tray is not.
#include "ui/startedprogram.h"

#include "ui/received/receivedmessagewindow.h"
#include "ui/received/replystrip.h"

#include <QLocalServer>
#include <QLocalSocket>

using namespace brisquel;

namespace {

// The service's end of the socket.
struct FakeReceiver {
    explicit FakeReceiver(const QString &path)
    {
        QLocalServer::removeServer(path);
        if (!server.listen(path))
            qFatal("cannot listen on %s", qPrintable(path));
    }
    bool waitForDesktop()
    {
        if (!QTest::qWaitFor([this] { return server.hasPendingConnections(); }, 5000))
            return false;
        desktop = server.nextPendingConnection();
        return true;
    }
    void send(qint64 id, const char *from, const char *text, const char *address = "192.0.2.7")
    {
        desktop->write(QStringLiteral(R"({"id": %1, "from": "%2", "to": "ANA-PC", "address": "%3", )"
                                      R"("received": "2026-12-07T15:04:05Z", "text": "%4"})"
                                      "\n")
                           .arg(id)
                           .arg(QString::fromUtf8(from), QString::fromUtf8(address), QString::fromUtf8(text))
                           .toUtf8());
        desktop->flush();
    }
    // Every line the desktop wrote so far.
    QByteArray heard()
    {
        if (desktop)
            lines += desktop->readAll();
        return lines;
    }

    QLocalServer server;
    QLocalSocket *desktop = nullptr;
    QByteArray lines;
};

struct ReceivingProgram : StartedProgram {
    ReceivingProgram()
        : StartedProgram(threeUsersAndAGroup())
        , receiver(socketPath())
    {
    }
    QString socketPath() const { return program.dir.filePath(QStringLiteral("receiver.sock")); }
    FakeReceiver receiver;
};

} // namespace

class TestReceiving : public QObject {
    Q_OBJECT

private slots:
    void shownMessagesAreAcknowledgedAsTheyArePaged();
    void inTheTrayABalloonWaitsUntilClicked();
    void aDroppedConnectionIsTakenUpAgain();
    void aReplyGoesToTheAddressThroughNet();
};

void TestReceiving::shownMessagesAreAcknowledgedAsTheyArePaged()
{
    ReceivingProgram w;
    w.program.screen.widthTwips = 1280 * 15; // room beside the main window
    QVERIFY(w.receiver.waitForDesktop());
    w.receiver.send(1, "EVA", "primero");
    w.receiver.send(2, "LUIS", "segundo");

    // The window opens by itself on the oldest; only what is on show is
    // acknowledged.
    QTRY_VERIFY(w.program.app.hasReceivedMessageWindow() && w.program.app.receivedMessageWindow().isVisible());
    ReceivedMessageWindow &window = w.program.app.receivedMessageWindow();
    QTRY_COMPARE(w.receiver.heard(), QByteArray("{\"ack\": 1}\n"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Mensaje de EVA"));
    QCOMPARE(textBox(window, "messageText")->text(), QStringLiteral("primero"));
    QCOMPARE(colorLabel(window, "pageLabel")->text(), QStringLiteral("Mensaje 1 de 2"));
    // Beside the main window: the message being typed stays in sight.
    QVERIFY(!window.frameGeometry().intersects(w.form.frameGeometry()));

    // The user pages on with the keyboard.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(tabTo(scrollBar(window, "messageBar")));
    QTest::keyClick(focused(), Qt::Key_Down);
    QCOMPARE(window.windowTitle(), QStringLiteral("Mensaje de LUIS"));
    QTRY_COMPARE(w.receiver.heard(), QByteArray("{\"ack\": 1}\n{\"ack\": 2}\n"));

    // Paging back acknowledges nothing more.
    QTest::keyClick(focused(), Qt::Key_Up);
    QCOMPARE(window.windowTitle(), QStringLiteral("Mensaje de EVA"));

    // One more comes while the window is open: the pager counts it, and
    // what is on show stays until the user pages to it.
    w.receiver.send(3, "ANA", "tercero");
    QTRY_COMPARE(colorLabel(window, "pageLabel")->text(), QStringLiteral("Mensaje 1 de 3"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Mensaje de EVA"));

    // Esc only hides the window.
    QTest::keyClick(focused(), Qt::Key_Escape);
    QTRY_VERIFY(!window.isVisible());
    QTest::qWait(100);
    QCOMPARE(w.receiver.heard(), QByteArray("{\"ack\": 1}\n{\"ack\": 2}\n"));
}

void TestReceiving::inTheTrayABalloonWaitsUntilClicked()
{
    ReceivingProgram w;
    FakeTrayIcon &tray = w.program.tray;
    QTest::mouseClick(checkBox(w.form, "minimizeToTrayCheck"), Qt::LeftButton);
    w.form.minimize();
    QTRY_VERIFY(w.form.isInTray());

    QVERIFY(w.receiver.waitForDesktop());
    w.receiver.send(7, "EVA", "¿comemos?");
    QTRY_COMPARE(tray.messages.size(), 1);
    QCOMPARE(tray.messages.first().first, QStringLiteral("Mensaje de EVA"));
    QCOMPARE(tray.kinds.first(), TrayIcon::Balloon::Information); // news, not a warning
    QCOMPARE(tray.lastTip, QStringLiteral("Brisquel v2.4 - 1 mensaje sin leer"));
    QTest::qWait(100);
    QVERIFY(!w.program.app.hasReceivedMessageWindow() || !w.program.app.receivedMessageWindow().isVisible());
    QCOMPARE(w.receiver.heard(), QByteArray()); // not shown yet: the service keeps it

    tray.clickMessage();
    QTRY_VERIFY(w.program.app.receivedMessageWindow().isVisible());
    QTRY_COMPARE(w.receiver.heard(), QByteArray("{\"ack\": 7}\n"));
    QCOMPARE(tray.lastTip, QStringLiteral("Brisquel v2.4"));
    QVERIFY(!w.form.isVisible()); // the main window stays in the tray

    // Minimised with one more unread: a click on the icon brings it back.
    ReceivedMessageWindow &window = w.program.app.receivedMessageWindow();
    w.receiver.send(8, "EVA", "¿sigues ahí?");
    QTRY_COMPARE(tray.lastTip, QStringLiteral("Brisquel v2.4 - 1 mensaje sin leer"));
    window.showMinimized();
    QTRY_VERIFY(window.isMinimized());
    tray.fire(TrayIcon::Event::LeftButtonDown);
    QTRY_VERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
}

void TestReceiving::aDroppedConnectionIsTakenUpAgain()
{
    ReceivingProgram w;
    QVERIFY(w.receiver.waitForDesktop());
    w.receiver.send(3, "EVA", "uno");
    QTRY_COMPARE(w.receiver.heard(), QByteArray("{\"ack\": 3}\n"));

    // The service restarts: it sends again what it has not seen
    // acknowledged, and a new one.
    w.receiver.desktop->abort();
    w.receiver.desktop = nullptr;
    w.receiver.lines.clear();
    QVERIFY(w.receiver.waitForDesktop());
    w.receiver.send(3, "EVA", "uno");
    w.receiver.send(4, "EVA", "dos");
    ReceivedMessageWindow &window = w.program.app.receivedMessageWindow();
    QTRY_COMPARE(colorLabel(window, "pageLabel")->text(), QStringLiteral("Mensaje 1 de 2"));
    QTRY_COMPARE(w.receiver.heard(), QByteArray("{\"ack\": 3}\n"));
}

void TestReceiving::aReplyGoesToTheAddressThroughNet()
{
    ReceivingProgram w;
    QVERIFY(w.receiver.waitForDesktop());
    // Signed by another Brisquel, which breaks lines with LF CR.
    w.receiver.send(5, "PEPE-SE-LLAMA-ASI", R"(¿Vienes?\n\r\n\rpepe@Brisquel v2.4b)", "192.0.2.7");
    QTRY_VERIFY(w.program.app.hasReceivedMessageWindow() && w.program.app.receivedMessageWindow().isVisible());
    ReceivedMessageWindow &window = w.program.app.receivedMessageWindow();
    QCOMPARE(textBox(window, "messageText")->text(), QStringLiteral("¿Vienes?\r\n\r\npepe@Brisquel v2.4b"));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    whileModal(
        w.program.app.replyStrip(), [&window] { QTest::keyClick(&window, Qt::Key_R, Qt::AltModifier); },
        [] {
            typeText(QStringLiteral("Voy"));
            QTest::keyClick(focused(), Qt::Key_Return);
        });
    QCOMPARE(w.program.starter.commandLines,
             QStringList{QStringLiteral("net send 192.0.2.7 \"Voy\n\r\n\rana@Brisquel v2.4b\"")});
    QCOMPARE(w.program.state.history.count(), 1); // recorded like any send
}

QTEST_MAIN(TestReceiving)
#include "tst_receiving.moc"
