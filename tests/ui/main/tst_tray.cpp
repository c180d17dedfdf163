#include "ui/startedprogram.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/wrappingcheckbox.h"
#include "ui/kit/pickcombobox.h"
#include "ui/kit/colorlabel.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/quick/quickmessagestrip.h"
#include "ui/sender/sendernamedialog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QWindow>

using namespace brisquel;

namespace {
void minimise(MainWindow &form)
{
    form.minimize();
    QCoreApplication::processEvents();
}

void openQuickMessage(StartedProgram &w, const std::function<void()> &inside)
{
    whileModal(w.program.app.quickMessageStrip(), [&w] { pickFromTrayMenu(w.program.tray, "quickMessageAction"); }, inside);
}

// Types as a keyboard does: into whatever window has the focus.
void typeIntoFocusWindow(const QByteArray &text)
{
    for (const char c : text)
        QTest::keyClick(QGuiApplication::focusWindow(), c);
}

QByteArray usersListedTwice()
{
    QByteArray ini = settingsText({{"Pepe", "pepe"}, {"Juan", "juan"}});
    return ini + "[USUARIOS]\r\nEva\r\neva\r\n" + QByteArray("...\r\n...\r\n").repeated(11);
}
} // namespace

class TestTray : public QObject {
    Q_OBJECT

private slots:
    void minimisingWithTheOptionHidesBehindOneIcon();
    void trayEventsAndMenu();
    void quickMessageSendsToTheChosenUser();
    void quickMessageKeepsTheSharedBudget();
    void quickListPastTheTwelfthEntrySendsNothing();
    void glyphPulsesThroughAFullCycle();
    void withoutATrayHostTheWindowStaysOnTheTaskbar();
    void quickMessageStripLeavesTheMainWindowReady();
    void quickMessageClearsTheDesktopPanel();
    void keysGoToTheOpenDialogWhateverComesForward();
    void unreadMessagesShowInTheTipAndOpenOnASingleClick();
    void onlyAReceivedMessageBalloonOpensReceivedMessages();
};

void TestTray::minimisingWithTheOptionHidesBehindOneIcon()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    FakeTrayIcon &tray = w.program.tray;

    QTest::mouseClick(checkBox(form, "minimizeToTrayCheck"), Qt::LeftButton);
    QVERIFY(checkBox(form, "minimizeToTrayCheck")->isChecked());
    QVERIFY(focusIsIn(textBox(form, "messageEdit")));

    minimise(form);
    QVERIFY(tray.shown);
    QVERIFY(tray.iconWasSet);
    QCOMPARE(tray.lastTip, QStringLiteral("Brisquel v2.4"));
    QVERIFY(!form.isVisible());

    tray.fire(TrayIcon::Event::LeftButtonDown);
    QVERIFY(!form.isVisible());
    tray.fire(TrayIcon::Event::LeftDoubleClick);
    QVERIFY(form.isVisible());
    QVERIFY(!form.isMinimized());
    QVERIFY(tray.shown); // restoring leaves the icon

    minimise(form);
    QVERIFY(tray.shown);
    QVERIFY(!form.isVisible());
    pickFromTrayMenu(tray, "restoreAction");
    QVERIFY(form.isVisible());

    // Without the option the icon goes and the window stays on the taskbar.
    checkBox(form, "minimizeToTrayCheck")->setChecked(false);
    minimise(form);
    QVERIFY(!tray.shown);
    QVERIFY(form.isVisible());
    QVERIFY(form.isMinimized());
}

void TestTray::trayEventsAndMenu()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    w.program.tray.fire(TrayIcon::Event::RightButtonDown);
    QVERIFY(trayMenu()->isVisible());
    QCOMPARE(trayMenu()->defaultAction(), trayAction("quitAction"));
    QVERIFY(trayAction("quitAction")->font().bold());
    QStringList items;
    for (QAction *action : trayMenu()->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(items, (QStringList{"&Mensaje Rápido", "-", "&Restaurar", "-", "&Salir"}));
    trayMenu()->hide();

    // A double click while the quick message is open leaves the main window
    // in the tray and the dialog in front.
    checkBox(form, "minimizeToTrayCheck")->setChecked(true);
    minimise(form);
    openQuickMessage(w, [&] {
        w.program.tray.fire(TrayIcon::Event::LeftDoubleClick);
        QVERIFY(w.program.app.quickMessageStrip().isVisible());
        QVERIFY(!form.isVisible());
        // The tray menu still opens while the strip waits.
        w.program.tray.fire(TrayIcon::Event::RightButtonDown);
        QTRY_VERIFY(trayMenu()->isVisible());
        trayMenu()->hide();
        QTest::mouseClick(button(w.program.app.quickMessageStrip(), "cancelButton"), Qt::LeftButton);
    });
    QVERIFY(!w.program.app.quickMessageStrip().isVisible());
    QVERIFY(!form.isVisible());
    QVERIFY(w.program.starter.commandLines.isEmpty());
}

void TestTray::quickMessageSendsToTheChosenUser()
{
    StartedProgram w(threeUsersAndAGroup());
    QuickMessageStrip &quick = w.program.app.quickMessageStrip();
    const ScreenMetrics &screen = w.program.screen;

    openQuickMessage(w, [&] {
        QCOMPARE(quick.widthTwips(), 5370.0);
        QCOMPARE(quick.heightTwips(), 975.0);
        // To the pixel: 100 twips from the right, 200 above the bottom.
        QVERIFY(qAbs(quick.leftTwips() - (screen.screenWidthTwips() - 5470)) < 15);
        QVERIFY(qAbs(quick.topTwips() - (screen.screenHeightTwips() - 1175)) < 15);
        QVERIFY(focusIsIn(textBox(quick, "messageEdit")));
        typeText(QStringLiteral("hola"));
        QTest::keyClick(comboBox(quick, "userCombo"), Qt::Key_Down); // the first entry
    });
    QCOMPARE(w.program.starter.commandLines,
             QStringList{QStringLiteral("net send pepe \"hola\n\r\n\rana@Brisquel v2.4b\"")});
    QVERIFY(!quick.isVisible());
    QCOMPARE(w.program.state.history.count(), 1);
    // The main window's history catches up only at its next send or Esc.
    QVERIFY(!scrollBar(w.form, "historyBar")->isEnabled());
    QCOMPARE(scrollBar(w.form, "historyBar")->maximum(), 0);

    openQuickMessage(w, [&] {
        QCOMPARE(textBox(quick, "messageEdit")->text(), QString());
        QCOMPARE(comboBox(quick, "userCombo")->count(), 12);
        typeText(QStringLiteral("adios"));
        QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier); // "&Cancelar"
    });
    QCOMPARE(w.program.starter.commandLines.size(), 1);
    QCOMPARE(w.program.state.history.count(), 1);

    // Esc in the main window's box.
    QTest::keyClick(textBox(w.form, "messageEdit"), Qt::Key_Escape);
    QCOMPARE(scrollBar(w.form, "historyBar")->maximum(), 1);
}

void TestTray::quickMessageKeepsTheSharedBudget()
{
    StartedProgram w(threeUsersAndAGroup(false));
    QuickMessageStrip &quick = w.program.app.quickMessageStrip();
    openQuickMessage(w, [&] {
        QApplication::clipboard()->setText(QString(900, QLatin1Char('q')));
        QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textBox(quick, "messageEdit")->length(), 800);
        QCOMPARE(w.program.state.lettersLeft, 50);
        QTest::mouseClick(button(quick, "cancelButton"), Qt::LeftButton);
    });

    w.program.state.signWithSenderName = true;
    w.program.state.senderName = QString(60, QLatin1Char('r'));
    openQuickMessage(w, [&] {
        QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textBox(quick, "messageEdit")->length(), 790);
        QCOMPARE(w.program.state.lettersLeft, 0);
        QTest::mouseClick(button(quick, "cancelButton"), Qt::LeftButton);
    });
    QVERIFY(w.program.starter.commandLines.isEmpty());
}

void TestTray::quickListPastTheTwelfthEntrySendsNothing()
{
    StartedProgram w(usersListedTwice());
    QuickMessageStrip &quick = w.program.app.quickMessageStrip();
    QCOMPARE(comboBox(quick, "userCombo")->count(), 24);
    openQuickMessage(w, [&] {
        typeText(QStringLiteral("hola"));
        QTest::keyClick(comboBox(quick, "userCombo"), Qt::Key_End); // entry 23: no slot behind it
    });
    QVERIFY(!quick.isVisible());
    QVERIFY(w.program.starter.commandLines.isEmpty());
    QCOMPARE(w.program.state.history.count(), 0);

    // Entry 0 stands for slot 0, whose latest section says Eva.
    openQuickMessage(w, [&] { QTest::keyClick(comboBox(quick, "userCombo"), Qt::Key_Home); });
    QCOMPARE(w.program.starter.commandLines.size(), 1);
    QVERIFY(w.program.starter.commandLines.first().startsWith(QStringLiteral("net send eva ")));
}

void TestTray::glyphPulsesThroughAFullCycle()
{
    StartedProgram w(threeUsersAndAGroup());
    // Each tick of the window's own timer, sped up, sets the next colour.
    ColorLabel *glyph = colorLabel(w.form, "bannerGlyph");
    QTimer *pulse = timer(w.form, "pulseTimer");
    QList<qint32> colours;
    QObject::connect(pulse, &QTimer::timeout, glyph, [&] {
        if (colours.size() < 95)
            colours << glyph->textColor();
    });
    pulse->start(1);
    QTRY_COMPARE(colours.size(), 95);
    pulse->stop();
    auto level = [](qint32 colour) { return (colour >> 8) & 0xFF; };
    auto red = [](qint32 colour) { return colour & 0xFF; };
    auto blue = [](qint32 colour) { return (colour >> 16) & 0xFF; };

    QCOMPARE(level(colours[0]), 120);
    QCOMPARE(red(colours[0]), 68);
    QCOMPARE(level(colours[25]), 245);
    QCOMPARE(red(colours[25]), 6);
    QCOMPARE(blue(colours[25]), 6);
    QCOMPARE(level(colours[72]), 10);
    QCOMPARE(red(colours[72]), 123);
    QCOMPARE(blue(colours[72]), 123);
    QCOMPARE(red(colours[1]), 66); // 65.5 goes to the even neighbour
    for (int tick = 1; tick < 94; ++tick)
        QCOMPARE(qAbs(level(colours[tick]) - level(colours[tick - 1])), 5);
    QCOMPARE(colours[94], colours[0]); // 94 ticks make the cycle
}

void TestTray::withoutATrayHostTheWindowStaysOnTheTaskbar()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    FakeTrayIcon &tray = w.program.tray;
    tray.setAvailable(false);
    QTest::mouseClick(checkBox(form, "minimizeToTrayCheck"), Qt::LeftButton);
    minimise(form);
    QVERIFY(form.isVisible());
    QVERIFY(form.isMinimized());
    QVERIFY(!tray.shown);

    // A tray host that starts takes the minimised window in; one that ends
    // gives it back to the taskbar, still minimised.
    tray.setAvailable(true);
    QVERIFY(!form.isVisible());
    QVERIFY(tray.shown);
    tray.setAvailable(false);
    QVERIFY(form.isVisible());
    QVERIFY(form.isMinimized());
    QVERIFY(!tray.shown);
}

void TestTray::quickMessageStripLeavesTheMainWindowReady()
{
    StartedProgram w(threeUsersAndAGroup());
    QuickMessageStrip &quick = w.program.app.quickMessageStrip();
    openQuickMessage(w, [&] {
        QCOMPARE(quick.windowHandle()->transientParent(), w.form.windowHandle());
        typeText(QStringLiteral("hola"));
        // Repaints while the user types leave the message.
        quick.repaint();
        w.form.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(textBox(quick, "messageEdit")->text(), QStringLiteral("hola"));
        // The main window takes no input meanwhile, without being greyed.
        QVERIFY(recipientButton(w.form, 0)->isEnabled());
        QWidget *bank = recipientButton(w.form, 0);
        QTest::mouseClick(w.form.windowHandle(), Qt::LeftButton, {}, bank->mapTo(&w.form, bank->rect().center()));
        QVERIFY(w.program.starter.commandLines.isEmpty());
        QTest::mouseClick(button(quick, "cancelButton"), Qt::LeftButton);
    });
    QTRY_VERIFY(w.form.isActiveWindow());
    QVERIFY(focusIsIn(textBox(w.form, "messageEdit")));
    typeText(QStringLiteral("x"));
    QCOMPARE(textBox(w.form, "messageEdit")->text(), QStringLiteral("x"));
}

void TestTray::quickMessageClearsTheDesktopPanel()
{
    ProgramUnderTest program;
    program.screen.available = QRect(0, 0, 1024 * 15, (768 - 32) * 15); // a panel along the bottom
    QuickMessageStrip &quick = program.app.quickMessageStrip();
    QVERIFY(qAbs(quick.leftTwips() - (1024 * 15 - 5470)) < 15);
    QVERIFY(qAbs(quick.topTwips() - ((768 - 32) * 15 - 1175)) < 15);
}

// The main window brought forward while a dialog blocks it, by the tray or
// as a click on it does: typing goes on in the dialog, never into the
// blocked window that drops it. The tray menu goes on working meanwhile.
void TestTray::keysGoToTheOpenDialogWhateverComesForward()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    QTest::mouseClick(checkBox(form, "minimizeToTrayCheck"), Qt::LeftButton);
    minimise(form);
    QVERIFY(!form.isVisible());

    QuickMessageStrip &quick = w.program.app.quickMessageStrip();
    openQuickMessage(w, [&] {
        pickFromTrayMenu(w.program.tray, "restoreAction");
        QVERIFY(form.isVisible());
        QTRY_COMPARE(QGuiApplication::focusWindow(), quick.windowHandle());
        typeIntoFocusWindow("hola");
        // A click on the blocked window: the desktop makes it the active one.
        form.activateWindow();
        QTRY_COMPARE(QGuiApplication::focusWindow(), quick.windowHandle());
        typeIntoFocusWindow(" tu");
        QCOMPARE(textBox(quick, "messageEdit")->text(), QStringLiteral("hola tu"));
        QTest::mouseClick(button(quick, "cancelButton"), Qt::LeftButton);
    });

    SenderNameDialog &sender = w.program.app.senderNameDialog();
    whileModal(sender, [&form] { QTest::mouseClick(button(form, "senderNameButton"), Qt::LeftButton); }, [&] {
        form.activateWindow();
        QTRY_COMPARE(QGuiApplication::focusWindow(), sender.windowHandle());
        QTRY_VERIFY(focusIsIn(textBox(sender, "entryEdit")));
        // The box selects its name when it gets the focus back; let that
        // settle, as a user's first key comes well after the click.
        QTest::qWait(100);
        typeIntoFocusWindow("eva");
        QCOMPARE(textBox(sender, "entryEdit")->text(), QStringLiteral("eva"));
        // The tray menu takes its keys: "&Restaurar" brings the dialog back.
        w.program.tray.fire(TrayIcon::Event::RightButtonDown);
        QTRY_VERIFY(trayMenu()->isVisible());
        QTest::keyClick(trayMenu()->windowHandle(), 'r');
        QTRY_VERIFY(!trayMenu()->isVisible());
        QTRY_COMPARE(QGuiApplication::focusWindow(), sender.windowHandle());
        QTest::mouseClick(button(sender, "cancelButton"), Qt::LeftButton);
    });
    QVERIFY(!sender.isVisible());
}

void TestTray::unreadMessagesShowInTheTipAndOpenOnASingleClick()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    FakeTrayIcon &tray = w.program.tray;
    QSignalSpy requested(&form, &MainWindow::receivedMessagesRequested);
    QTest::mouseClick(checkBox(form, "minimizeToTrayCheck"), Qt::LeftButton);
    QVERIFY(!form.isInTray());
    minimise(form);
    QVERIFY(form.isInTray());

    tray.fire(TrayIcon::Event::LeftButtonDown);
    QCOMPARE(requested.count(), 0);

    form.setUnreadMessages(1);
    QCOMPARE(tray.lastTip, QStringLiteral("Brisquel v2.4 - 1 mensaje sin leer"));
    tray.fire(TrayIcon::Event::LeftButtonDown);
    QCOMPARE(requested.count(), 1);
    QVERIFY(!form.isVisible()); // what opens is for whoever asked
    form.setUnreadMessages(3);
    QCOMPARE(tray.lastTip, QStringLiteral("Brisquel v2.4 - 3 mensajes sin leer"));

    // All read: the usual tip, and a single click does nothing again.
    form.setUnreadMessages(0);
    QCOMPARE(tray.lastTip, QStringLiteral("Brisquel v2.4"));
    tray.fire(TrayIcon::Event::LeftButtonDown);
    QCOMPARE(requested.count(), 1);
    tray.fire(TrayIcon::Event::LeftDoubleClick);
    QVERIFY(form.isVisible());
    QVERIFY(!form.isInTray());
    QCOMPARE(requested.count(), 1);

    // Counted while the window is out, the icon shows the count when it
    // takes the window in again.
    form.setUnreadMessages(2);
    tray.remove();
    minimise(form);
    QVERIFY(tray.shown);
    QCOMPARE(tray.lastTip, QStringLiteral("Brisquel v2.4 - 2 mensajes sin leer"));
}

void TestTray::onlyAReceivedMessageBalloonOpensReceivedMessages()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    FakeTrayIcon &tray = w.program.tray;
    QSignalSpy requested(&form, &MainWindow::receivedMessagesRequested);

    // No icon on show, no balloon.
    QVERIFY(!form.showReceivedBalloon(QStringLiteral("ANA"), QStringLiteral("Hola")));
    QVERIFY(tray.messages.isEmpty());

    tray.shown = true;
    const QString longText = QStringLiteral("Hola, ") + QString(300, QLatin1Char('a'));
    QVERIFY(form.showReceivedBalloon(QStringLiteral("ANA"), longText));
    QCOMPARE(tray.messages.size(), 1);
    QCOMPARE(tray.messages.last().first, QStringLiteral("Mensaje de ANA"));
    QVERIFY(tray.messages.last().second.startsWith(QStringLiteral("Hola, aaaa")));
    QVERIFY(tray.messages.last().second.size() < longText.size());
    tray.clickMessage();
    QCOMPARE(requested.count(), 1);

    // A delivery failure's balloon takes its place: a click on it is about
    // the failure.
    w.program.starter.heldBack = true;
    w.program.app.dispatcher().sendToUser(QStringLiteral("pepe"), QStringLiteral("Hola"));
    CommandEnd failed;
    failed.exitStatus = 3;
    w.program.starter.finishPending(failed);
    QCOMPARE(tray.messages.size(), 2);
    tray.clickMessage();
    QCOMPARE(requested.count(), 1);

    QVERIFY(form.showReceivedBalloon(QStringLiteral("LUIS"), QStringLiteral("Otra")));
    tray.clickMessage();
    QCOMPARE(requested.count(), 2);
}

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
