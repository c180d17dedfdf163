#include "ui/startedprogram.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/wrappingcheckbox.h"
#include "ui/kit/colorlabel.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/exacttextbox.h"
#include "ui/main/mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>

using namespace brisquel;

namespace {
const QString kSigned = QStringLiteral("\n\r\n\rana@Brisquel v2.4b\"");

void pasteText(const QString &text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
}
} // namespace

class TestSending : public QObject {
    Q_OBJECT

private slots:
    void bankSendsToUsersAndGroups();
    void escFromEveryControlStartsAFreshMessage_data();
    void escFromEveryControlStartsAFreshMessage();
    void historyPagesBackAndResendsWithoutRecording();
    void budgetCountsDownAndRefusesKeys();
    void pastesAndEnterAreCutToTheBudget();
    void keysOnTheCheckBoxJoinTheMessage();
    void overlongSenderNameLeavesNoRoom();
};

void TestSending::bankSendsToUsersAndGroups()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    typeText(QStringLiteral("Hola"));

    QTest::mouseClick(recipientButton(form, 1), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines,
             QStringList{QStringLiteral("net send juan \"Hola") + kSigned});
    QCOMPARE(textBox(form, "messageEdit")->text(), QStringLiteral("Hola"));
    QVERIFY(focusIsIn(textBox(form, "messageEdit")));
    QVERIFY(scrollBar(form, "historyBar")->isEnabled());
    QCOMPARE(scrollBar(form, "historyBar")->maximum(), 1);

    QTest::mouseClick(button(form, "modeButton"), Qt::LeftButton);
    QCOMPARE(button(form, "modeButton")->text(), QStringLiteral("&Usuarios"));
    QCOMPARE(button(form, "modeButton")->toolTip(), QStringLiteral("Pulsa para cambiar al modo USUARIOS"));
    QCOMPARE(recipientButton(form, 0)->text(), QStringLiteral("Todos"));
    QCOMPARE(recipientButton(form, 0)->toolTip(),
             QStringLiteral("Pulsa el botón para enviar el mensaje al grupo  Todos"));
    QVERIFY(recipientButton(form, 0)->isEnabled());
    QVERIFY(!recipientButton(form, 1)->isEnabled()); // "..." in the group list
    QVERIFY(focusIsIn(textBox(form, "messageEdit")));

    w.program.starter.commandLines.clear();
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines,
             (QStringList{QStringLiteral("net send pepe \"Hola") + kSigned,
                          QStringLiteral("net send juan \"Hola") + kSigned,
                          QStringLiteral("net send luis \"Hola") + kSigned}));

    QTest::mouseClick(button(form, "modeButton"), Qt::LeftButton);
    QCOMPARE(button(form, "modeButton")->text(), QStringLiteral("&Grupos"));
    QCOMPARE(recipientButton(form, 1)->text(), QStringLiteral("Juan"));
    QVERIFY(recipientButton(form, 1)->isEnabled());
    QCOMPARE(recipientButton(form, 1)->toolTip(), QStringLiteral("Pulsa el botón para enviar el mensaje a Juan"));
}

void TestSending::escFromEveryControlStartsAFreshMessage_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("message box") << "messageEdit";
    QTest::newRow("recipient button") << "recipientButton0";
    QTest::newRow("history scroll bar") << "historyBar";
    QTest::newRow("tray check box") << "minimizeToTrayCheck";
    QTest::newRow("panel button (the window's own handler)") << "panelButton";
}

void TestSending::escFromEveryControlStartsAFreshMessage()
{
    QFETCH(QString, control);
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    typeText(QStringLiteral("uno"));
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    typeText(QStringLiteral(" mas"));

    auto *target = form.findChild<QWidget *>(control);
    QVERIFY(target);
    if (target == checkBox(form, "minimizeToTrayCheck")) // out of sight, and out of Tab's reach, until the panel opens
        QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(tabTo(target));
    QTest::keyClick(focused(), Qt::Key_Escape);

    QCOMPARE(textBox(form, "messageEdit")->text(), QString());
    QCOMPARE(scrollBar(form, "historyBar")->value(), 1);
    QCOMPARE(colorLabel(form, "historyLabel")->text(), QStringLiteral("Mensaje nº 2"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Brisquel v2.4b"));
    QVERIFY(focusIsIn(textBox(form, "messageEdit")));
    QVERIFY(!checkBox(form, "minimizeToTrayCheck")->isChecked());
}

void TestSending::historyPagesBackAndResendsWithoutRecording()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    QCOMPARE(colorLabel(form, "historyLabel")->text(), QStringLiteral("Mensajes"));
    for (const char *message : {"uno", "dos", "tres"}) {
        typeText(QString::fromLatin1(message));
        QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
        QTest::keyClick(focused(), Qt::Key_Escape);
    }
    QCOMPARE(w.program.state.history.count(), 3);
    QCOMPARE(colorLabel(form, "historyLabel")->text(), QStringLiteral("Mensaje nº 4"));

    const QStringList expected{"tres", "dos", "uno"};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(scrollBar(form, "historyBar"), Qt::Key_Up);
        QCOMPARE(textBox(form, "messageEdit")->text(), expected[i]);
        QCOMPARE(colorLabel(form, "historyLabel")->text(), QStringLiteral("Mensaje nº ") + QString::number(3 - i));
    }

    // Edited and sent again from the history: sent, not recorded.
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, textBox(form, "messageEdit")->geometry().center());
    QTest::keyClick(focused(), Qt::Key_End);
    typeText(QStringLiteral("!"));
    QTest::mouseClick(recipientButton(form, 2), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines.last(), QStringLiteral("net send luis \"uno!") + kSigned);
    QCOMPARE(w.program.state.history.count(), 3);
    QCOMPARE(scrollBar(form, "historyBar")->maximum(), 3);

    // Esc on the bar goes back to the end: an empty message, recorded again.
    QTest::keyClick(scrollBar(form, "historyBar"), Qt::Key_Escape);
    QCOMPARE(textBox(form, "messageEdit")->text(), QString());
    QCOMPARE(scrollBar(form, "historyBar")->value(), 3);
    typeText(QStringLiteral("cuatro"));
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    QCOMPARE(w.program.state.history.count(), 4);
}

void TestSending::budgetCountsDownAndRefusesKeys()
{
    StartedProgram w(threeUsersAndAGroup(false));
    MainWindow &form = w.form;
    pasteText(QString(848, QLatin1Char('a')));
    QCOMPARE(form.windowTitle(), QStringLiteral("Brisquel v2.4b - Quedan 2 letras..."));
    typeText(QStringLiteral("b"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Brisquel v2.4b - Queda 1 letra..."));
    typeText(QStringLiteral("c"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Brisquel v2.4b - Quedan 0 letras..."));
    QCOMPARE(w.program.state.lettersLeft, 0);

    typeText(QStringLiteral("d7"));
    QTest::keyClick(focused(), Qt::Key_Return);
    pasteText(QStringLiteral("zzz"));
    QCOMPARE(textBox(form, "messageEdit")->length(), 850);
    QVERIFY(textBox(form, "messageEdit")->text().endsWith(QStringLiteral("abc")));
    QVERIFY(w.program.starter.commandLines.isEmpty());

    QTest::keyClick(focused(), Qt::Key_Backspace);
    QCOMPARE(textBox(form, "messageEdit")->length(), 849);
    QCOMPARE(form.windowTitle(), QStringLiteral("Brisquel v2.4b - Queda 1 letra..."));
    QTest::keyClick(focused(), Qt::Key_Escape);
    QCOMPARE(textBox(form, "messageEdit")->text(), QString());
    QCOMPARE(form.windowTitle(), QStringLiteral("Brisquel v2.4b"));
    QCOMPARE(w.program.state.lettersLeft, 850);
}

void TestSending::pastesAndEnterAreCutToTheBudget()
{
    StartedProgram w(threeUsersAndAGroup(false));
    MainWindow &form = w.form;
    pasteText(QString(1000, QLatin1Char('x')));
    QCOMPARE(textBox(form, "messageEdit")->length(), 850);
    QCOMPARE(w.program.state.lettersLeft, 0);

    // With one letter left, Enter's two characters do not both fit.
    QTest::keyClick(focused(), Qt::Key_Escape);
    pasteText(QString(849, QLatin1Char('y')));
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(textBox(form, "messageEdit")->length(), 850);
    QCOMPARE(textBox(form, "messageEdit")->text().right(2), QStringLiteral("y\r"));
    QCOMPARE(w.program.state.lettersLeft, 0);
    QVERIFY(w.program.starter.commandLines.isEmpty());

    // A three-letter sender name signed into messages takes three letters.
    QTest::keyClick(focused(), Qt::Key_Escape);
    w.program.state.signWithSenderName = true;
    w.program.state.senderName = QStringLiteral("Ana");
    pasteText(QString(900, QLatin1Char('z')));
    QCOMPARE(textBox(form, "messageEdit")->length(), 847);
}

void TestSending::keysOnTheCheckBoxJoinTheMessage()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    typeText(QStringLiteral("hol"));
    QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(tabTo(checkBox(form, "minimizeToTrayCheck")));
    QTest::keyClick(focused(), Qt::Key_A);
    QCOMPARE(textBox(form, "messageEdit")->text(), QStringLiteral("hola"));
    QVERIFY(focusIsIn(textBox(form, "messageEdit")));
    QCOMPARE(form.windowTitle(), QStringLiteral("Brisquel v2.4b - Quedan 843 letras..."));
}

void TestSending::overlongSenderNameLeavesNoRoom()
{
    StartedProgram w(settingsText({{"Pepe", "pepe"}}, {}, QString(900, QLatin1Char('n'))));
    MainWindow &form = w.form;
    typeText(QStringLiteral("hola"));
    QCOMPARE(textBox(form, "messageEdit")->text(), QString());
    QCOMPARE(w.program.state.lettersLeft, 0);
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines.size(), 1);
}

QTEST_MAIN(TestSending)
#include "tst_sending.moc"
