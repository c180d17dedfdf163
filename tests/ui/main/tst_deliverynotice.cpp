// Failed sends are told without interrupting: one notice per click, in a
// window that never takes the focus, or a balloon from the tray icon.
#include "ui/startedprogram.h"

#include "ui/kit/picturebutton.h"
#include "ui/main/deliverynotice.h"

#include <QLabel>

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
    void oneNoticePerClickKeepsTheFocus();
    void balloonWhileInTheTrayAndMissingNetOnce();
};

void TestDeliveryNotice::oneNoticePerClickKeepsTheFocus()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    DeliveryNotice &notice = w.program.windows.deliveryNotice();
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

    // The user goes on typing where they were.
    QTest::qWait(100);
    QVERIFY(form.isActiveWindow());
    QVERIFY(focusIsIn(textBox(form, "messageEdit")));
    typeText(QStringLiteral("!"));
    QCOMPARE(textBox(form, "messageEdit")->text(), QStringLiteral("Hola!"));

    // A later failing click replaces the text; a click that goes well adds nothing.
    QTest::mouseClick(button(form, "modeButton"), Qt::LeftButton);
    QTest::mouseClick(recipientButton(form, 1), Qt::LeftButton);
    w.program.starter.finishPending(failedWith(1, QStringLiteral("net: no se pudo enviar el mensaje a \"juan\": "
                                                                 "no existe el equipo.\n")));
    QCOMPARE(noticeText(notice), QStringLiteral("No se pudo entregar el mensaje a:\njuan: no existe el equipo"));
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    w.program.starter.finishPending();
    QCOMPARE(noticeText(notice), QStringLiteral("No se pudo entregar el mensaje a:\njuan: no existe el equipo"));
    QVERIFY(focusIsIn(textBox(form, "messageEdit")));
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
    w.program.windows.dispatcher().sendToGroup(members.join(QStringLiteral(", ")), QStringLiteral("Hola"));
    while (!w.program.starter.pending.isEmpty())
        w.program.starter.finishPending(failedWith(3, QStringLiteral("Sin respuesta\n")));
    QCOMPARE(tray.messages.size(), 1);
    QCOMPARE(tray.messages.first().first, QStringLiteral("Brisquel: mensaje no entregado"));
    const QStringList lines = tray.messages.first().second.split(u'\n');
    QCOMPARE(lines.first(), QStringLiteral("No se pudo entregar el mensaje a 20 destinatarios:"));
    QCOMPARE(lines.at(1), QStringLiteral("p1: Sin respuesta"));
    QCOMPARE(lines.last(), QStringLiteral("y 12 más."));
    QVERIFY(!w.program.windows.deliveryNotice().window());

    // No net anywhere: said once, with where it was looked for.
    CommandEnd missing;
    missing.kind = CommandEnd::Kind::NotFound;
    missing.program = QStringLiteral("net");
    missing.searchedFolders = {QStringLiteral("/opt/brisquel"), QStringLiteral("/usr/bin")};
    QTest::keyClick(textBox(form, "messageEdit"), Qt::Key_Escape); // back at the end of the history
    typeText(QStringLiteral("Hola"));
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    w.program.starter.finishPending(missing);
    QCOMPARE(tray.messages.size(), 2);
    QCOMPARE(tray.messages.last().second, QStringLiteral("No se encontró el programa net, que envía los mensajes.\n"
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
    QVERIFY(w.program.windows.deliveryNotice().window());
}

QTEST_MAIN(TestDeliveryNotice)
#include "tst_deliverynotice.moc"
