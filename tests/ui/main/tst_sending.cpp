#include "ui/mainwindow.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/vbcheckbox.h"
#include "ui/kit/vblabel.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/kit/vbtextbox.h"
#include "ui/main/form1.h"

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
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    typeText(QStringLiteral("Hola"));

    QTest::mouseClick(form.Command1(1), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines,
             QStringList{QStringLiteral("net send juan \"Hola") + kSigned});
    QCOMPARE(form.Text1->Text(), QStringLiteral("Hola"));
    QVERIFY(focusIsIn(form.Text1));
    QVERIFY(form.VScroll1->isEnabled());
    QCOMPARE(form.VScroll1->Max(), 1);

    QTest::mouseClick(form.Command9(0), Qt::LeftButton);
    QCOMPARE(form.Command9(0)->Caption(), QStringLiteral("&Usuarios"));
    QCOMPARE(form.Command9(0)->ToolTipText(), QStringLiteral("Pulsa para cambiar al modo USUARIOS"));
    QCOMPARE(form.Command1(0)->Caption(), QStringLiteral("Todos"));
    QCOMPARE(form.Command1(0)->ToolTipText(),
             QStringLiteral("Pulsa el botón para enviar el mensaje al grupo  Todos"));
    QVERIFY(form.Command1(0)->isEnabled());
    QVERIFY(!form.Command1(1)->isEnabled()); // "..." in the group list
    QVERIFY(focusIsIn(form.Text1));

    w.program.starter.commandLines.clear();
    QTest::mouseClick(form.Command1(0), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines,
             (QStringList{QStringLiteral("net send pepe \"Hola") + kSigned,
                          QStringLiteral("net send juan \"Hola") + kSigned,
                          QStringLiteral("net send luis \"Hola") + kSigned}));

    QTest::mouseClick(form.Command9(0), Qt::LeftButton);
    QCOMPARE(form.Command9(0)->Caption(), QStringLiteral("&Grupos"));
    QCOMPARE(form.Command1(1)->Caption(), QStringLiteral("Juan"));
    QVERIFY(form.Command1(1)->isEnabled());
    QCOMPARE(form.Command1(1)->ToolTipText(), QStringLiteral("Pulsa el botón para enviar el mensaje a Juan"));
}

void TestSending::escFromEveryControlStartsAFreshMessage_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("message box") << "Text1";
    QTest::newRow("recipient button") << "Command1";
    QTest::newRow("history scroll bar") << "VScroll1";
    QTest::newRow("tray check box") << "Check1";
    QTest::newRow("panel button (the window's own handler)") << "Command3";
}

void TestSending::escFromEveryControlStartsAFreshMessage()
{
    QFETCH(QString, control);
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    typeText(QStringLiteral("uno"));
    QTest::mouseClick(form.Command1(0), Qt::LeftButton);
    typeText(QStringLiteral(" mas"));

    QWidget *target = control == QLatin1String("Text1") ? static_cast<QWidget *>(form.Text1)
        : control == QLatin1String("Command1")          ? static_cast<QWidget *>(form.Command1(0))
        : control == QLatin1String("VScroll1")          ? static_cast<QWidget *>(form.VScroll1)
        : control == QLatin1String("Check1")            ? static_cast<QWidget *>(form.Check1)
                                                        : static_cast<QWidget *>(form.Command3);
    if (target == form.Check1) // out of sight, and out of Tab's reach, until the panel opens
        QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(tabTo(target));
    QTest::keyClick(focused(), Qt::Key_Escape);

    QCOMPARE(form.Text1->Text(), QString());
    QCOMPARE(form.VScroll1->Value(), 1);
    QCOMPARE(form.Label1->Caption(), QStringLiteral("Mensaje nº 2"));
    QCOMPARE(form.Caption(), QStringLiteral("Brisquel v2.4b"));
    QVERIFY(focusIsIn(form.Text1));
    QCOMPARE(form.Check1->Value(), 0);
}

void TestSending::historyPagesBackAndResendsWithoutRecording()
{
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    QCOMPARE(form.Label1->Caption(), QStringLiteral("Mensajes"));
    for (const char *message : {"uno", "dos", "tres"}) {
        typeText(QString::fromLatin1(message));
        QTest::mouseClick(form.Command1(0), Qt::LeftButton);
        QTest::keyClick(focused(), Qt::Key_Escape);
    }
    QCOMPARE(w.program.state.NumMensajes, Integer(3));
    QCOMPARE(form.Label1->Caption(), QStringLiteral("Mensaje nº 4"));

    const QStringList expected{"tres", "dos", "uno"};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(form.VScroll1, Qt::Key_Up);
        QCOMPARE(form.Text1->Text(), expected[i]);
        QCOMPARE(form.Label1->Caption(), QStringLiteral("Mensaje nº ") + QString::number(3 - i));
    }

    // Edited and sent again from the history: sent, not recorded.
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, form.Text1->geometry().center());
    QTest::keyClick(focused(), Qt::Key_End);
    typeText(QStringLiteral("!"));
    QTest::mouseClick(form.Command1(2), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines.last(), QStringLiteral("net send luis \"uno!") + kSigned);
    QCOMPARE(w.program.state.NumMensajes, Integer(3));
    QCOMPARE(form.VScroll1->Max(), 3);

    // Esc on the bar goes back to the end: an empty message, recorded again.
    QTest::keyClick(form.VScroll1, Qt::Key_Escape);
    QCOMPARE(form.Text1->Text(), QString());
    QCOMPARE(form.VScroll1->Value(), 3);
    typeText(QStringLiteral("cuatro"));
    QTest::mouseClick(form.Command1(0), Qt::LeftButton);
    QCOMPARE(w.program.state.NumMensajes, Integer(4));
}

void TestSending::budgetCountsDownAndRefusesKeys()
{
    MainWindow w(threeUsersAndAGroup(false));
    Form1 &form = w.form;
    pasteText(QString(848, QLatin1Char('a')));
    QCOMPARE(form.Caption(), QStringLiteral("Brisquel v2.4b - Quedan 2 letras..."));
    typeText(QStringLiteral("b"));
    QCOMPARE(form.Caption(), QStringLiteral("Brisquel v2.4b - Queda 1 letra..."));
    typeText(QStringLiteral("c"));
    QCOMPARE(form.Caption(), QStringLiteral("Brisquel v2.4b - Quedan 0 letras..."));
    QCOMPARE(w.program.state.LetrasQuedan, Integer(0));

    typeText(QStringLiteral("d7"));
    QTest::keyClick(focused(), Qt::Key_Return);
    pasteText(QStringLiteral("zzz"));
    QCOMPARE(form.Text1->Len(), 850);
    QVERIFY(form.Text1->Text().endsWith(QStringLiteral("abc")));
    QVERIFY(w.program.starter.commandLines.isEmpty());

    QTest::keyClick(focused(), Qt::Key_Backspace);
    QCOMPARE(form.Text1->Len(), 849);
    QCOMPARE(form.Caption(), QStringLiteral("Brisquel v2.4b - Queda 1 letra..."));
    QTest::keyClick(focused(), Qt::Key_Escape);
    QCOMPARE(form.Text1->Text(), QString());
    QCOMPARE(form.Caption(), QStringLiteral("Brisquel v2.4b"));
    QCOMPARE(w.program.state.LetrasQuedan, Integer(850));
}

void TestSending::pastesAndEnterAreCutToTheBudget()
{
    MainWindow w(threeUsersAndAGroup(false));
    Form1 &form = w.form;
    pasteText(QString(1000, QLatin1Char('x')));
    QCOMPARE(form.Text1->Len(), 850);
    QCOMPARE(w.program.state.LetrasQuedan, Integer(0));

    // With one letter left, Enter's two characters do not both fit.
    QTest::keyClick(focused(), Qt::Key_Escape);
    pasteText(QString(849, QLatin1Char('y')));
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(form.Text1->Len(), 850);
    QCOMPARE(form.Text1->Text().right(2), QStringLiteral("y\r"));
    QCOMPARE(w.program.state.LetrasQuedan, Integer(0));
    QVERIFY(w.program.starter.commandLines.isEmpty());

    // A three-letter sender name signed into messages takes three letters.
    QTest::keyClick(focused(), Qt::Key_Escape);
    w.program.state.NombrePropio = True;
    w.program.state.Remitente = QStringLiteral("Ana");
    pasteText(QString(900, QLatin1Char('z')));
    QCOMPARE(form.Text1->Len(), 847);
}

void TestSending::keysOnTheCheckBoxJoinTheMessage()
{
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    typeText(QStringLiteral("hol"));
    QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
    QVERIFY(tabTo(form.Check1));
    QTest::keyClick(focused(), Qt::Key_A);
    QCOMPARE(form.Text1->Text(), QStringLiteral("hola"));
    QVERIFY(focusIsIn(form.Text1));
    QCOMPARE(form.Caption(), QStringLiteral("Brisquel v2.4b - Quedan 843 letras..."));
}

void TestSending::overlongSenderNameLeavesNoRoom()
{
    MainWindow w(settingsText({{"Pepe", "pepe"}}, {}, QString(900, QLatin1Char('n'))));
    Form1 &form = w.form;
    typeText(QStringLiteral("hola"));
    QCOMPARE(form.Text1->Text(), QString());
    QCOMPARE(w.program.state.LetrasQuedan, Integer(0));
    QTest::mouseClick(form.Command1(0), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines.size(), 1);
}

QTEST_MAIN(TestSending)
#include "tst_sending.moc"
