#include "ui/mainwindow.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/vbcheckbox.h"
#include "ui/kit/vbcombobox.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/kit/vbtextbox.h"
#include "ui/main/form1.h"
#include "ui/quick/form2.h"
#include "ui/splash/form3.h"

#include <QGroupBox>
#include <QLabel>
#include <QtTest>

using namespace brisquel;

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void firstRunWritesDefaultsAndDisablesTheBank();
    void declinedGreetingEndsWithoutWriting();
    void unreadableFileIsKeptAndReported();
    void closingSavesWhatWasLoaded();
    void salirEndsWithoutSaving();
    void splashOpensMainWindowOnSecondTick();
    void controlsStandAtTheirTwipsPlaces();
    void firstKeysGoToTheMessageBox();
    void tabWalksTheControlsInSight();
    void windowKeepsItsDesignedSize();
};

namespace {
QByteArray twelveUsers()
{
    QList<QPair<QString, QString>> users;
    for (int i = 0; i < 12; ++i)
        users.append({QStringLiteral("U%1").arg(i), QStringLiteral("u%1").arg(i)});
    return settingsText(users);
}

// The names of the controls Tab reaches from the message box, in order,
// until it comes back to it.
QStringList tabWalk(Form1 &form, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QList<QPair<QWidget *, QString>> names{{form.Text1, "Text1"}, {form.VScroll1, "VScroll1"},
                                          {form.Command3, "Command3"}, {form.Check1, "Check1"},
                                          {form.Command8, "Command8"}, {form.Command9(0), "Command9(0)"},
                                          {form.Combo1, "Combo1"}};
    for (int i = 0; i < 12; ++i)
        names.append({form.Command1(i), QStringLiteral("Command1(%1)").arg(i)});
    for (int i = 0; i < 3; ++i)
        names.append({form.Command4(i), QStringLiteral("Command4(%1)").arg(i)});
    for (int i = 0; i < 2; ++i) {
        names.append({form.Command2(i), QStringLiteral("Command2(%1)").arg(i)});
        names.append({form.Command10(i), QStringLiteral("Command10(%1)").arg(i)});
    }
    QStringList walk;
    for (int step = 0; step < 40; ++step) {
        QTest::keyClick(focused(), Qt::Key_Tab, modifiers);
        QString name = QStringLiteral("?");
        for (const auto &[control, controlName] : names) {
            if (focusIsIn(control))
                name = controlName;
        }
        walk << name;
        if (name == QLatin1String("Text1") || name == QLatin1String("?"))
            break;
    }
    return walk;
}
} // namespace

void TestStartup::firstRunWritesDefaultsAndDisablesTheBank()
{
    ProgramUnderTest program("ana");
    Form1 &form = program.forms.form1();
    QVERIFY(form.loadedOk());

    QCOMPARE(program.messageBox.calls.size(), 1);
    const auto greeting = program.messageBox.calls.first();
    QCOMPARE(greeting.title, QStringLiteral("Brisquel v2.4b rev 10"));
    QCOMPARE(greeting.style, 4 + 64 + 256 + 4096);
    QVERIFY(greeting.text.startsWith(QStringLiteral(
        "Hola ana, una cosita antes de empezar:\n\rEsto es una versión BETA (no finalizada...)\n\r\n\r")));
    QVERIFY(greeting.text.endsWith(QStringLiteral("\n\r\n\r¿Deseas utilizarla?")));

    const QList<QByteArray> lines = program.readIni().split('\n');
    QCOMPARE(lines.size(), 63); // 62 lines, each ended by CR LF
    QCOMPARE(lines[0], QByteArray("[GENERAL]\r"));
    QCOMPARE(lines[1], QByteArray("ana\r"));
    QCOMPARE(lines[3], QByteArray("1\r"));
    QCOMPARE(lines[12], QByteArray("[USUARIOS]\r"));
    QCOMPARE(lines[13], QByteArray("...\r"));

    QCOMPARE(program.state.Remitente, QStringLiteral("ana"));
    QCOMPARE(program.state.NombrePropio, True);
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(form.Command1(i)->Caption(), QStringLiteral("..."));
        QVERIFY(!form.Command1(i)->isEnabled());
        QCOMPARE(form.Command1(i)->ToolTipText(), QStringLiteral("Pulsa el botón para enviar el mensaje a ..."));
    }
    QCOMPARE(program.forms.form2().Combo1->count(), 12);
    QVERIFY(!form.VScroll1->isEnabled());
    QCOMPARE(form.Command9(0)->ToolTipText(), QStringLiteral("Pulsa para cambiar al modo GRUPOS"));
    // The font dialog will open on the font in use.
    QCOMPARE(program.commonDialog.FontName, form.Text1->FontName());
}

void TestStartup::declinedGreetingEndsWithoutWriting()
{
    ProgramUnderTest program;
    program.messageBox.answers = {vbNo};
    Form1 &form = program.forms.form1();
    QVERIFY(!form.loadedOk());
    QCOMPARE(program.endCalls, 1);
    QVERIFY(!QFile::exists(program.iniPath()));
    QVERIFY(!program.forms.isLoaded2()); // nothing was read
}

void TestStartup::unreadableFileIsKeptAndReported()
{
    ProgramUnderTest program;
    QByteArray cut = settingsText({{"Pepe", "pepe"}});
    cut.chop(cut.size() - cut.indexOf("[GRUPOS]") - 20); // a group section cut short
    program.writeIni(cut);

    Form1 &form = program.forms.form1();
    QVERIFY(form.loadedOk());
    QCOMPARE(program.messageBox.calls.size(), 2);
    QVERIFY(program.messageBox.calls[1].text.contains(QStringLiteral("«%1.bak»").arg(program.iniPath())));
    QFile backup(program.iniPath() + QStringLiteral(".bak"));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), cut);
    QCOMPARE(form.Command1(0)->Caption(), QStringLiteral("..."));
    QCOMPARE(program.forms.form2().Combo1->count(), 12);

    // A first run without any file says nothing beyond the greeting.
    ProgramUnderTest fresh;
    fresh.forms.form1();
    QCOMPARE(fresh.messageBox.calls.size(), 1);
}

void TestStartup::closingSavesWhatWasLoaded()
{
    ProgramUnderTest program("luis");
    const QByteArray original = settingsText({{"Pepe", "pepe"}, {"Juan", "juan"}},
                                             {{"Todos", "pepe, juan"}}, QStringLiteral("Ana"));
    program.writeIni(original);

    Form1 &form = program.forms.form1();
    QCOMPARE(form.Command1(0)->Caption(), QStringLiteral("Pepe"));
    QVERIFY(form.Command1(1)->isEnabled());
    QVERIFY(!form.Command1(2)->isEnabled());
    QCOMPARE(program.forms.form2().Combo1->itemText(1), QStringLiteral("Juan"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QVERIFY(form.close());
    QVERIFY(!program.forms.isLoaded2());
    QByteArray expected = original;
    expected.replace("\r\nana\r\n1\r\n", "\r\nluis\r\n1\r\n"); // line 3: who saved
    QCOMPARE(program.readIni(), expected);
}

void TestStartup::salirEndsWithoutSaving()
{
    ProgramUnderTest program;
    const QByteArray original = settingsText({{"Pepe", "pepe"}});
    program.writeIni(original);
    Form1 &form = program.forms.form1();
    program.state.Remitente = QStringLiteral("otro nombre");

    form.mnuSalir->trigger();
    QCOMPARE(program.endCalls, 1);
    QCOMPARE(program.readIni(), original);
}

void TestStartup::splashOpensMainWindowOnSecondTick()
{
    ProgramUnderTest program;
    Form3 &splash = program.forms.form3();
    QPointer<Form3> guard(&splash);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.Width(), 5550.0);
    QCOMPARE(splash.Height(), 2790.0);
    splash.resize(200, 100);
    QCOMPARE(splash.Width(), 5550.0);
    QCOMPARE(splash.Height(), 2790.0);
    // The pictures stand in the middle, inside the splash's own border.
    QCOMPARE(splash.Image1->pos(), QPoint(4, 4));
    QVERIFY(qAbs(splash.width() - splash.Picture1->geometry().right() - 1 - 4) <= 1);
    QVERIFY(qAbs(splash.height() - splash.Image1->geometry().bottom() - 1 - 4) <= 1);

    QTest::qWait(1300);
    QCOMPARE(splash.Contador, Integer(1));
    QVERIFY(program.messageBox.calls.isEmpty()); // the main window is not loaded yet
    QTRY_VERIFY_WITH_TIMEOUT(!guard, 3000);
    QCOMPARE(program.messageBox.calls.size(), 1);
    QVERIFY(program.forms.form1().isVisible());
}

void TestStartup::controlsStandAtTheirTwipsPlaces()
{
    ProgramUnderTest program;
    Form1 &form = program.forms.form1();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // 15 twips to a pixel on the fake screen.
    QCOMPARE(form.Text1->geometry(), QRect(4, 4, 277, 153));
    QCOMPARE(form.Command1(4)->geometry(), QRect(96, 188, 93, 21));
    QCOMPARE(form.Command1(11)->geometry(), QRect(188, 236, 93, 21));
    QCOMPARE(form.VScroll1->geometry(), QRect(284, 4, 13, 25));
    QCOMPARE(form.Check1->parentWidget(), form.Frame1);
    // The panel starts right of the client area, the saved-messages frame
    // below the bank.
    QVERIFY2(form.Frame1->x() >= form.width(), qPrintable(QString::number(form.width())));
    QVERIFY(form.Frame2->y() >= form.Command1(9)->geometry().bottom());
    QCOMPARE(form.Width(), 5805.0);
    QCOMPARE(form.Height(), 4305.0);
    // The client area is the outer size less the classic frame, whatever
    // frame the window system draws: the whole bank and the glyph, nothing
    // of the frame below nor of the mode pictures.
    QCOMPARE(form.size(), QSize(381, 262));
    QVERIFY(form.rect().contains(form.Command1(11)->geometry()));
    QVERIFY(form.rect().contains(form.Image1->geometry()));
    QVERIFY(form.Frame2->y() >= form.height());
    QVERIFY(form.Picture1(0)->y() >= form.height());
}

void TestStartup::firstKeysGoToTheMessageBox()
{
    MainWindow w(threeUsersAndAGroup());
    QVERIFY(w.form.isActiveWindow());
    QVERIFY(focusIsIn(w.form.Text1));
    typeText(QStringLiteral("hola"));
    QCOMPARE(w.form.Text1->Text(), QStringLiteral("hola"));
    QCOMPARE(w.form.Caption(), QStringLiteral("Brisquel v2.4b - Quedan 843 letras..."));
    QCOMPARE(w.form.Combo1->currentText(), QStringLiteral("Combo1"));
    // The program's icon on every window, message boxes included.
    QVERIFY(!QApplication::windowIcon().isNull());
}

void TestStartup::tabWalksTheControlsInSight()
{
    MainWindow w(twelveUsers());
    Form1 &form = w.form;
    QStringList closed{"Command1(0)", "Command1(1)", "Command1(2)", "Command1(3)", "Command1(4)",
                       "Command1(5)", "Command2(0)", "Command2(1)", "Command1(6)", "Command1(7)",
                       "Command1(8)", "Command1(9)", "Command1(10)", "Command1(11)", "Command3",
                       "Command9(0)", "Text1"};
    QCOMPARE(tabWalk(form), closed);
    QStringList back = closed;
    std::reverse(back.begin(), back.end());
    back.removeFirst();
    back << "Text1";
    QCOMPARE(tabWalk(form, Qt::ShiftModifier), back);

    // The open panel joins the walk after its button; the history bar once
    // it is in use.
    QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
    QTest::mouseClick(form.Command1(0), Qt::LeftButton);
    QStringList open = closed;
    open.insert(open.indexOf("Command2(1)") + 1, "VScroll1");
    const QStringList panel{"Check1", "Command4(0)", "Command4(1)", "Command8", "Command4(2)"};
    for (qsizetype i = 0; i < panel.size(); ++i)
        open.insert(open.indexOf("Command3") + 1 + i, panel[i]);
    QCOMPARE(tabWalk(form), open);
}

void TestStartup::windowKeepsItsDesignedSize()
{
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    form.resize(800, 600);
    QCOMPARE(form.size(), QSize(381, 262));
    form.setWindowState(Qt::WindowMaximized);
    QTRY_COMPARE(form.WindowState(), 0);
    QCOMPARE(form.size(), QSize(381, 262));

    // Open, the panel fits the client area exactly as designed.
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(form.size(), QSize(481, 262));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.Frame1->geometry().right() + 1 + 4, form.width());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
