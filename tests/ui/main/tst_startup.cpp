#include "ui/startedprogram.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/wrappingcheckbox.h"
#include "ui/kit/pickcombobox.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/exacttextbox.h"
#include "ui/main/mainwindow.h"
#include "ui/quick/quickmessagestrip.h"
#include "ui/splash/splashwindow.h"

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
    void quitFromTheTrayMenuDoesNotSave();
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
QStringList tabWalk(MainWindow &form, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QStringList walk;
    for (int step = 0; step < 40; ++step) {
        QTest::keyClick(focused(), Qt::Key_Tab, modifiers);
        // The control that has the focus, or the one whose inner editor has it.
        QWidget *control = focused();
        while (control && control != &form && control->objectName().isEmpty())
            control = control->parentWidget();
        const QString name = control && control != &form ? control->objectName() : QStringLiteral("?");
        walk << name;
        if (name == QLatin1String("messageEdit") || name == QLatin1String("?"))
            break;
    }
    return walk;
}
} // namespace

void TestStartup::firstRunWritesDefaultsAndDisablesTheBank()
{
    ProgramUnderTest program("ana");
    MainWindow &form = program.app.mainWindow();
    QVERIFY(form.loadedOk());

    QCOMPARE(program.messageBox.calls.size(), 1);
    const auto greeting = program.messageBox.calls.first();
    QCOMPARE(greeting.title, QStringLiteral("Brisquel v2.4b rev 10"));
    QCOMPARE(greeting.style, (MessageBox::Style{MessageBox::Buttons::YesNo, MessageBox::Icon::Information,
                                                MessageBox::NoIsDefault | MessageBox::StaysOnTop}));
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

    QCOMPARE(program.state.senderName, QStringLiteral("ana"));
    QCOMPARE(program.state.signWithSenderName, true);
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(recipientButton(form, i)->text(), QStringLiteral("..."));
        QVERIFY(!recipientButton(form, i)->isEnabled());
        QCOMPARE(recipientButton(form, i)->toolTip(), QStringLiteral("Pulsa el botón para enviar el mensaje a ..."));
    }
    QCOMPARE(comboBox(program.app.quickMessageStrip(), "userCombo")->count(), 12);
    QVERIFY(!scrollBar(form, "historyBar")->isEnabled());
    QCOMPARE(button(form, "modeButton")->toolTip(), QStringLiteral("Pulsa para cambiar al modo GRUPOS"));
    // The font dialog will open on the font in use.
    program.app.openMainWindow();
    QVERIFY(painted(form));
    QTest::mouseClick(button(form, "fontButton"), Qt::LeftButton); // cancelled: the script is empty
    QCOMPARE(program.fontAndColorDialogs.openedOnFont, textBox(form, "messageEdit")->textFont().fontName);
}

void TestStartup::declinedGreetingEndsWithoutWriting()
{
    ProgramUnderTest program;
    program.messageBox.answers = {MessageBox::Answer::No};
    MainWindow &form = program.app.mainWindow();
    QVERIFY(!form.loadedOk());
    QCOMPARE(program.endCalls, 1);
    QVERIFY(!QFile::exists(program.iniPath()));
    QVERIFY(!program.app.hasQuickMessageStrip()); // nothing was read
}

void TestStartup::unreadableFileIsKeptAndReported()
{
    ProgramUnderTest program;
    QByteArray cut = settingsText({{"Pepe", "pepe"}});
    cut.chop(cut.size() - cut.indexOf("[GRUPOS]") - 20); // a group section cut short
    program.writeIni(cut);

    MainWindow &form = program.app.mainWindow();
    QVERIFY(form.loadedOk());
    QCOMPARE(program.messageBox.calls.size(), 2);
    QVERIFY(program.messageBox.calls[1].text.contains(QStringLiteral("«%1.bak»").arg(program.iniPath())));
    QFile backup(program.iniPath() + QStringLiteral(".bak"));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), cut);
    QCOMPARE(recipientButton(form, 0)->text(), QStringLiteral("..."));
    QCOMPARE(comboBox(program.app.quickMessageStrip(), "userCombo")->count(), 12);

    // A first run without any file says nothing beyond the greeting.
    ProgramUnderTest fresh;
    fresh.app.mainWindow();
    QCOMPARE(fresh.messageBox.calls.size(), 1);
}

void TestStartup::closingSavesWhatWasLoaded()
{
    ProgramUnderTest program("luis");
    const QByteArray original = settingsText({{"Pepe", "pepe"}, {"Juan", "juan"}},
                                             {{"Todos", "pepe, juan"}}, QStringLiteral("Ana"));
    program.writeIni(original);

    MainWindow &form = program.app.mainWindow();
    QCOMPARE(recipientButton(form, 0)->text(), QStringLiteral("Pepe"));
    QVERIFY(recipientButton(form, 1)->isEnabled());
    QVERIFY(!recipientButton(form, 2)->isEnabled());
    QCOMPARE(comboBox(program.app.quickMessageStrip(), "userCombo")->itemText(1), QStringLiteral("Juan"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QVERIFY(form.close());
    QVERIFY(!program.app.hasQuickMessageStrip());
    QByteArray expected = original;
    expected.replace("\r\nana\r\n1\r\n", "\r\nluis\r\n1\r\n"); // line 3: who saved
    QCOMPARE(program.readIni(), expected);
}

void TestStartup::quitFromTheTrayMenuDoesNotSave()
{
    ProgramUnderTest program;
    const QByteArray original = settingsText({{"Pepe", "pepe"}});
    program.writeIni(original);
    program.app.mainWindow();
    program.state.senderName = QStringLiteral("otro nombre");

    pickFromTrayMenu(program.tray, "quitAction");
    QCOMPARE(program.endCalls, 1);
    QCOMPARE(program.readIni(), original);
}

void TestStartup::splashOpensMainWindowOnSecondTick()
{
    ProgramUnderTest program;
    SplashWindow &splash = program.app.splashWindow();
    QPointer<SplashWindow> guard(&splash);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.widthTwips(), 5550.0);
    QCOMPARE(splash.heightTwips(), 2790.0);
    splash.resize(200, 100);
    QCOMPARE(splash.widthTwips(), 5550.0);
    QCOMPARE(splash.heightTwips(), 2790.0);
    // The pictures stand in the middle, inside the splash's own border.
    QCOMPARE(picture(splash, "mainPicture")->pos(), QPoint(4, 4));
    QVERIFY(qAbs(splash.width() - picture(splash, "sidePicture")->geometry().right() - 1 - 4) <= 1);
    QVERIFY(qAbs(splash.height() - picture(splash, "mainPicture")->geometry().bottom() - 1 - 4) <= 1);

    QTest::qWait(1300);
    QVERIFY(program.messageBox.calls.isEmpty()); // the main window is not loaded yet
    QTRY_VERIFY_WITH_TIMEOUT(!guard, 3000);
    QCOMPARE(program.messageBox.calls.size(), 1);
    QVERIFY(program.app.mainWindow().isVisible());
}

void TestStartup::controlsStandAtTheirTwipsPlaces()
{
    ProgramUnderTest program;
    MainWindow &form = program.app.mainWindow();
    form.show();
    QVERIFY(painted(form));
    // 15 twips to a pixel on the fake screen.
    QCOMPARE(textBox(form, "messageEdit")->geometry(), QRect(4, 4, 277, 153));
    QCOMPARE(recipientButton(form, 4)->geometry(), QRect(96, 188, 93, 21));
    QCOMPARE(recipientButton(form, 11)->geometry(), QRect(188, 236, 93, 21));
    QCOMPARE(scrollBar(form, "historyBar")->geometry(), QRect(284, 4, 13, 25));
    QCOMPARE(checkBox(form, "minimizeToTrayCheck")->parentWidget(), frame(form, "controlPanel"));
    // The panel starts right of the client area, the saved-messages frame
    // below the bank.
    QVERIFY2(frame(form, "controlPanel")->x() >= form.width(), qPrintable(QString::number(form.width())));
    QVERIFY(frame(form, "savedMessagesFrame")->y() >= recipientButton(form, 9)->geometry().bottom());
    QCOMPARE(form.widthTwips(), 5805.0);
    QCOMPARE(form.heightTwips(), 4305.0);
    // The client area is the outer size less the classic frame, whatever
    // frame the window system draws: the whole bank and the glyph, nothing
    // of the frame below nor of the mode pictures.
    QCOMPARE(form.size(), QSize(381, 262));
    QVERIFY(form.rect().contains(recipientButton(form, 11)->geometry()));
    QVERIFY(form.rect().contains(picture(form, "bannerPicture")->geometry()));
    QVERIFY(frame(form, "savedMessagesFrame")->y() >= form.height());
    QVERIFY(picture(form, "userModePicture")->y() >= form.height());
}

void TestStartup::firstKeysGoToTheMessageBox()
{
    StartedProgram w(threeUsersAndAGroup());
    QVERIFY(w.form.isActiveWindow());
    QVERIFY(focusIsIn(textBox(w.form, "messageEdit")));
    typeText(QStringLiteral("hola"));
    QCOMPARE(textBox(w.form, "messageEdit")->text(), QStringLiteral("hola"));
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Brisquel v2.4b - Quedan 843 letras..."));
    QTRY_COMPARE(comboBox(w.form, "savedMessagesCombo")->currentText(), QStringLiteral("Combo1"));
    // The program's icon on every window, message boxes included.
    QVERIFY(!QApplication::windowIcon().isNull());
}

void TestStartup::tabWalksTheControlsInSight()
{
    StartedProgram w(twelveUsers());
    MainWindow &form = w.form;
    QStringList closed;
    for (int i = 0; i < 6; ++i)
        closed << QStringLiteral("recipientButton%1").arg(i);
    closed << "otherRecipientButton" << "aboutButton";
    for (int i = 6; i < 12; ++i)
        closed << QStringLiteral("recipientButton%1").arg(i);
    closed << "panelButton" << "modeButton" << "messageEdit";
    QCOMPARE(tabWalk(form), closed);
    QStringList back = closed;
    std::reverse(back.begin(), back.end());
    back.removeFirst();
    back << "messageEdit";
    QCOMPARE(tabWalk(form, Qt::ShiftModifier), back);

    // The open panel joins the walk after its button; the history bar once
    // it is in use.
    QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    QStringList open = closed;
    open.insert(open.indexOf("aboutButton") + 1, "historyBar");
    const QStringList panel{"minimizeToTrayCheck", "textColorButton", "backgroundColorButton", "senderNameButton",
                            "fontButton"};
    for (qsizetype i = 0; i < panel.size(); ++i)
        open.insert(open.indexOf("panelButton") + 1 + i, panel[i]);
    QCOMPARE(tabWalk(form), open);
}

void TestStartup::windowKeepsItsDesignedSize()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    form.resize(800, 600);
    QCOMPARE(form.size(), QSize(381, 262));
    form.setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(!form.isMaximized() && !form.isMinimized());
    QCOMPARE(form.size(), QSize(381, 262));

    // Open, the panel fits the client area exactly as designed.
    QTest::mouseClick(button(form, "panelButton"), Qt::LeftButton);
    QCOMPARE(form.size(), QSize(481, 262));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(frame(form, "controlPanel")->geometry().right() + 1 + 4, form.width());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
