// Failed sends are told without interrupting: a notice that gathers the
// failures of every click until it is closed, in a window that takes the
// focus only when the user brings it forward, or a balloon from the tray.
#include "ui/startedprogram.h"

#include "ui/kit/picturebutton.h"
#include "ui/main/deliverynotice.h"

#include <QLabel>
#include <QPushButton>

using namespace brisquel;

namespace {

CommandEnd failedWith(int status, const QString &errorOutput)
{
    CommandEnd end;
    end.exitStatus = status;
    end.errorOutput = errorOutput;
    return end;
}

QString noticeText(DeliveryNotice &notice)
{
    const QLabel *label = notice.window() ? notice.window()->findChild<QLabel *>(QStringLiteral("noticeText")) : nullptr;
    return label ? label->text() : QString();
}

} // namespace

class TestDeliveryNotice : public QObject {
    Q_OBJECT

private slots:
    void noticeGathersFailuresUntilClosed();
    void balloonWhileInTheTrayAndMissingNetOnce();
};

void TestDeliveryNotice::noticeGathersFailuresUntilClosed()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    DeliveryNotice &notice = w.program.app.deliveryNotice();
    w.program.starter.heldBack = true;
    typeText(QStringLiteral("Hola"));
    QTest::mouseClick(button(form, "modeButton"), Qt::LeftButton);
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    QCOMPARE(w.program.starter.pending.size(), 3);

    QList<CommandStarter::EndHandler> ends = std::exchange(w.program.starter.pending, {});
    ends.at(0)(failedWith(3, QStringLiteral("net: no se pudo enviar el mensaje a \"pepe\": no responde.\n")));
    ends.at(1)(CommandEnd{});
    QVERIFY(!notice.window()); // not before the whole group has ended
    ends.at(2)(failedWith(4, QStringLiteral("net: no se pudo enviar el mensaje a \"luis\": rechazó el mensaje.\n")));

    QVERIFY(notice.window());
    QTRY_VERIFY(notice.window()->isVisible());
    QCOMPARE(notice.window()->windowTitle(), QStringLiteral("Brisquel: mensaje no entregado"));
    QCOMPARE(noticeText(notice), QStringLiteral("No se pudo entregar el mensaje a 2 destinatarios:\n"
                                                "pepe: no responde\nluis: rechazó el mensaje"));

    // That typing goes on in the message box meanwhile is shown on a real
    // display (the e2e notice test): this headless one activates every
    // window it shows.

    // A later failing click adds its failures after those still shown; a
    // click that goes well adds nothing.
    const QString first = noticeText(notice);
    QTest::mouseClick(button(form, "modeButton"), Qt::LeftButton);
    QTest::mouseClick(recipientButton(form, 1), Qt::LeftButton);
    w.program.starter.finishPending(failedWith(1, QStringLiteral("net: no se pudo enviar el mensaje a \"juan\": "
                                                                 "no existe el equipo.\n")));
    const QString both = first + QStringLiteral("\n\nNo se pudo entregar el mensaje a:\njuan: no existe el equipo");
    QCOMPARE(noticeText(notice), both);
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    w.program.starter.finishPending();
    QCOMPARE(noticeText(notice), both);

    // Brought forward by the user, it takes the focus on its button, and Esc
    // closes it; the next failure starts a notice of its own.
    QPointer<QWidget> window = notice.window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QVERIFY(focusIsIn(window->findChild<QPushButton *>(QStringLiteral("closeButton"))));
    QTest::keyClick(focused(), Qt::Key_Escape);
    QTRY_VERIFY(window.isNull());
    QTest::mouseClick(recipientButton(form, 1), Qt::LeftButton);
    w.program.starter.finishPending(failedWith(3, QString()));
    QCOMPARE(noticeText(notice), QStringLiteral("No se pudo entregar el mensaje a:\njuan: el envío terminó con el código 3"));
    // Enter closes it too.
    notice.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(notice.window()));
    QTest::keyClick(focused(), Qt::Key_Return);
    QTRY_VERIFY(!notice.window());
}

void TestDeliveryNotice::balloonWhileInTheTrayAndMissingNetOnce()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    FakeTrayIcon &tray = w.program.tray;
    w.program.starter.heldBack = true;
    tray.shown = true;
    typeText(QStringLiteral("Hola"));

    // A whole group of failures: a few listed, the rest counted.
    QStringList members;
    for (int i = 1; i <= 20; ++i)
        members << QStringLiteral("p%1").arg(i);
    w.program.app.dispatcher().sendToGroup(members.join(QStringLiteral(", ")), QStringLiteral("Hola"));
    while (!w.program.starter.pending.isEmpty())
        w.program.starter.finishPending(failedWith(3, QStringLiteral("Sin respuesta\n")));
    QCOMPARE(tray.messages.size(), 1);
    QCOMPARE(tray.messages.first().first, QStringLiteral("Brisquel: mensaje no entregado"));
    const QStringList lines = tray.messages.first().second.split(u'\n');
    QCOMPARE(lines.first(), QStringLiteral("No se pudo entregar el mensaje a 20 destinatarios:"));
    QCOMPARE(lines.at(1), QStringLiteral("p1: Sin respuesta"));
    QCOMPARE(lines.last(), QStringLiteral("y 12 más."));
    QVERIFY(!w.program.app.deliveryNotice().window());

    // No net anywhere: said once, with where it was looked for.
    CommandEnd missing;
    missing.kind = CommandEnd::Kind::NotFound;
    missing.program = QStringLiteral("net");
    missing.searchedFolders = {QStringLiteral("/opt/brisquel"), QStringLiteral("/usr/bin")};
    QTest::keyClick(textBox(form, "messageEdit"), Qt::Key_Escape); // back at the end of the history
    typeText(QStringLiteral("Hola"));
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    w.program.starter.finishPending(missing);
    // The new balloon replaces the one still on screen, so it says both.
    QCOMPARE(tray.messages.size(), 2);
    QCOMPARE(tray.messages.last().second, tray.messages.first().second
                                              + QStringLiteral("\n\nNo se encontró el programa net, que envía los mensajes.\n"
                                                               "Se buscó en: /opt/brisquel, /usr/bin"));
    QTest::mouseClick(recipientButton(form, 1), Qt::LeftButton);
    w.program.starter.finishPending(missing);
    QCOMPARE(tray.messages.size(), 2);
    // The message still entered the history, as every send does.
    QCOMPARE(w.program.state.history.count(), 2);

    // A tray that draws no balloons: the notice comes as the small window.
    tray.balloons = false;
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    w.program.starter.finishPending(failedWith(3, QStringLiteral("Sin respuesta\n")));
    QCOMPARE(tray.messages.size(), 2);
    QVERIFY(w.program.app.deliveryNotice().window());
}

QTEST_MAIN(TestDeliveryNotice)
#include "tst_deliverynotice.moc"
