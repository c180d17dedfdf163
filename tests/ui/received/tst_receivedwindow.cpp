// The received-messages window: one message at a time with who sent it,
// from where and when, paged oldest first; told on show, closed by Esc or
// "&Cerrar", answered by "&Responder" when the message has an address.
#include "receivedsupport.h"

#include "fakes/fakescreenmetrics.h"
#include "ui/received/receivedmessagewindow.h"
#include "ui/heardcontrols.h"
#include "ui/startedprogram.h"

#include <QSignalSpy>

#include <ctime>

using namespace brisquel;
using receivedtest::message;

namespace {

// Five messages, the first two already read.
struct Inbox {
    Inbox()
    {
        messages.add(message(11, QStringLiteral("pepe"), QStringLiteral("192.0.2.7"), 1, QStringLiteral("uno")));
        messages.add(message(12, QStringLiteral("luis"), QStringLiteral("192.0.2.8"), 2, QStringLiteral("dos")));
        messages.add(message(13, QStringLiteral("EQUIPO-3"), QStringLiteral("192.0.2.9"), 7,
                             QStringLiteral("Hola,\r\n¿vienes?\r\n")));
        messages.add(message(14, QStringLiteral("nadie"), QString(), 8, QStringLiteral("sin dirección")));
        messages.add(message(15, QStringLiteral("eva"), QStringLiteral("2001:db8::5"), 9, QStringLiteral("cinco")));
        messages.markShown(0);
        messages.markShown(1);
    }
    FakeScreenMetrics screen;
    ReceivedMessages messages;
};

struct Window {
    explicit Window(Inbox &inbox)
        : window(inbox.screen, inbox.messages)
        , shown(&window, &ReceivedMessageWindow::messageShown)
        , replies(&window, &ReceivedMessageWindow::replyRequested)
    {
        window.load();
    }
    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    QString label(const char *name) const { return colorLabel(window, name)->text(); }

    ReceivedMessageWindow window;
    QSignalSpy shown;
    QSignalSpy replies;
};

QList<int> indexesTold(QSignalSpy &spy)
{
    QList<int> indexes;
    for (const QList<QVariant> &call : std::exchange(static_cast<QList<QList<QVariant>> &>(spy), {}))
        indexes << call.at(0).toInt();
    return indexes;
}

} // namespace

class TestReceivedWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensOnTheOldestUnreadAndPagesWithTheBar();
    void toldShownOnlyWhileOnScreen();
    void escAndAltCCloseAltRAsksForAReply();
};

void TestReceivedWindow::initTestCase()
{
    // Central European time: 15:04:05 UTC is 16:04:05 here.
    qputenv("TZ", "CET-1");
    tzset();
}

void TestReceivedWindow::opensOnTheOldestUnreadAndPagesWithTheBar()
{
    Inbox inbox;
    Window w(inbox);
    QVERIFY(w.showActive());
    ReceivedMessageWindow &window = w.window;

    QCOMPARE(window.windowTitle(), QStringLiteral("Mensaje de EQUIPO-3"));
    QCOMPARE(w.label("pageLabel"), QStringLiteral("Mensaje 3 de 5"));
    QCOMPARE(w.label("fromLabel"), QStringLiteral("EQUIPO-3"));
    QCOMPARE(w.label("addressLabel"), QStringLiteral("192.0.2.9"));
    QCOMPARE(w.label("receivedLabel"), QStringLiteral("07/12/2026 16:04:05"));
    QCOMPARE(textBox(window, "messageText")->text(), QStringLiteral("Hola,\r\n¿vienes?\r\n"));
    // Brought forward, the keys go to the text.
    QVERIFY(focusIsIn(textBox(window, "messageText")));
    // A screen reader hears each value with what it is.
    checkEveryControlIsNamed(window);
    QCOMPARE(heardOf(colorLabel(window, "fromLabel")).name, QStringLiteral("De: EQUIPO-3"));

    // Up goes to older messages, Down to newer ones.
    QVERIFY(tabTo(scrollBar(window, "messageBar")));
    QTest::keyClick(focused(), Qt::Key_Up);
    QTest::keyClick(focused(), Qt::Key_Up);
    QCOMPARE(w.label("pageLabel"), QStringLiteral("Mensaje 1 de 5"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Mensaje de pepe"));
    QCOMPARE(textBox(window, "messageText")->text(), QStringLiteral("uno"));
    QCOMPARE(w.label("receivedLabel"), QStringLiteral("01/12/2026 16:04:05"));
    QTest::keyClick(focused(), Qt::Key_End);
    QCOMPARE(w.label("pageLabel"), QStringLiteral("Mensaje 5 de 5"));
    QCOMPARE(w.label("addressLabel"), QStringLiteral("2001:db8::5"));
    QCOMPARE(window.shownIndex(), 4);

    // A new message grows the pager; the one on show stays.
    inbox.messages.add(message(16, QStringLiteral("ana"), QStringLiteral("192.0.2.1"), 10, QStringLiteral("seis")));
    window.messagesChanged();
    QCOMPARE(w.label("pageLabel"), QStringLiteral("Mensaje 5 de 6"));
    QCOMPARE(textBox(window, "messageText")->text(), QStringLiteral("cinco"));
    QTest::keyClick(focused(), Qt::Key_Down);
    QCOMPARE(textBox(window, "messageText")->text(), QStringLiteral("seis"));
}

void TestReceivedWindow::toldShownOnlyWhileOnScreen()
{
    Inbox inbox;
    Window w(inbox);
    w.window.openOn(1);
    QVERIFY(w.shown.isEmpty());
    QVERIFY(w.showActive());
    QCOMPARE(indexesTold(w.shown), QList<int>{1});

    // Each paging tells the message it brings.
    QVERIFY(tabTo(scrollBar(w.window, "messageBar")));
    QTest::keyClick(focused(), Qt::Key_Down);
    QTest::keyClick(focused(), Qt::Key_Down);
    QCOMPARE(indexesTold(w.shown), (QList<int>{2, 3}));
    w.window.openOn(0);
    QCOMPARE(indexesTold(w.shown), QList<int>{0});

    // Hidden, nothing is on show to tell; shown again, what it shows is.
    QTest::keyClick(focused(), Qt::Key_Escape);
    QVERIFY(!w.window.isVisible());
    w.window.openOn(4);
    inbox.messages.add(message(16, QStringLiteral("ana"), QStringLiteral("192.0.2.1"), 10, QStringLiteral("seis")));
    w.window.messagesChanged();
    QVERIFY(w.shown.isEmpty());
    w.window.showWithoutTakingKeys();
    QTRY_VERIFY(!w.shown.isEmpty());
    QCOMPARE(indexesTold(w.shown), QList<int>{4});

    // Minimised it is off the screen too: what it pages to is told once it
    // is back.
    w.window.showMinimized();
    QTRY_VERIFY(w.window.isMinimized());
    w.window.openOn(2);
    QVERIFY(w.shown.isEmpty());
    w.window.showWithoutTakingKeys();
    QTRY_VERIFY(!w.shown.isEmpty());
    QCOMPARE(indexesTold(w.shown), QList<int>{2});
}

void TestReceivedWindow::escAndAltCCloseAltRAsksForAReply()
{
    Inbox inbox;
    Window w(inbox);
    ReceivedMessageWindow &window = w.window;
    PictureButton *reply = button(window, "replyButton");

    QVERIFY(w.showActive());
    QTest::keyClick(focused(), Qt::Key_Escape);
    QVERIFY(!window.isVisible());

    QVERIFY(w.showActive());
    QVERIFY(tabTo(reply));
    QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(!window.isVisible());

    // Alt+R from the text asks for a reply to the message on show.
    window.openOn(4);
    QVERIFY(w.showActive());
    QVERIFY(tabTo(textBox(window, "messageText")));
    QTest::keyClick(focused(), Qt::Key_R, Qt::AltModifier);
    QCOMPARE(indexesTold(w.replies), QList<int>{4});
    QCOMPARE(textBox(window, "messageText")->text(), QStringLiteral("cinco"));

    // A message that came from no known address cannot be answered.
    window.openOn(3);
    QVERIFY(!reply->isEnabled());
    QCOMPARE(heardOf(colorLabel(window, "addressLabel")).name, QStringLiteral("Dirección: desconocida"));
    QTest::keyClick(focused(), Qt::Key_R, Qt::AltModifier);
    QTest::mouseClick(reply, Qt::LeftButton);
    QVERIFY(w.replies.isEmpty());
    window.openOn(2);
    QVERIFY(reply->isEnabled());
    QTest::mouseClick(reply, Qt::LeftButton);
    QCOMPARE(indexesTold(w.replies), QList<int>{2});
}

QTEST_MAIN(TestReceivedWindow)
#include "tst_receivedwindow.moc"
