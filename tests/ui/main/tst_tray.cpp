#include "ui/mainwindow.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/vbcheckbox.h"
#include "ui/kit/vbcombobox.h"
#include "ui/kit/vblabel.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/quick/form2.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QWindow>

using namespace brisquel;

namespace {
void minimise(Form1 &form)
{
    form.setWindowState(1);
    QCoreApplication::processEvents();
}

void openQuickMessage(MainWindow &w, const std::function<void()> &inside)
{
    whileModal(w.program.forms.form2(), [&w] { w.form.mnuMensajeRapido->trigger(); }, inside);
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
};

void TestTray::minimisingWithTheOptionHidesBehindOneIcon()
{
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    FakeTrayIcon &tray = w.program.tray;

    QTest::mouseClick(form.Check1, Qt::LeftButton);
    QCOMPARE(form.Check1->Value(), 1);
    QVERIFY(focusIsIn(form.Text1));

    minimise(form);
    QVERIFY(tray.shown);
    QVERIFY(tray.iconWasSet);
    QCOMPARE(tray.lastTip, QStringLiteral("Brisquel v2.4"));
    QVERIFY(!form.isVisible());

    tray.fire(TrayIcon::Event::LeftButtonDown);
    QVERIFY(!form.isVisible());
    tray.fire(TrayIcon::Event::LeftDoubleClick);
    QVERIFY(form.isVisible());
    QCOMPARE(form.WindowState(), 0);
    QVERIFY(tray.shown); // restoring leaves the icon

    minimise(form);
    QVERIFY(tray.shown);
    QVERIFY(!form.isVisible());
    form.mnuRestaurar->trigger();
    QVERIFY(form.isVisible());

    // Without the option the icon goes and the window stays on the taskbar.
    form.Check1->setValue(0);
    minimise(form);
    QVERIFY(!tray.shown);
    QVERIFY(form.isVisible());
    QCOMPARE(form.WindowState(), 1);
}

void TestTray::trayEventsAndMenu()
{
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    w.program.tray.fire(TrayIcon::Event::RightButtonDown);
    QVERIFY(form.mnuPopUp->isVisible());
    QCOMPARE(form.mnuPopUp->defaultAction(), form.mnuSalir);
    QVERIFY(form.mnuSalir->font().bold());
    QStringList items;
    for (QAction *action : form.mnuPopUp->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(items, (QStringList{"&Mensaje Rápido", "-", "&Restaurar", "-", "&Salir"}));
    form.mnuPopUp->hide();

    // A double click while the quick message is open leaves the main window
    // in the tray and the dialog in front.
    form.Check1->setValue(1);
    minimise(form);
    openQuickMessage(w, [&] {
        w.program.tray.fire(TrayIcon::Event::LeftDoubleClick);
        QVERIFY(w.program.forms.form2().isVisible());
        QVERIFY(!form.isVisible());
        // The tray menu still opens while the strip waits.
        w.program.tray.fire(TrayIcon::Event::RightButtonDown);
        QTRY_VERIFY(form.mnuPopUp->isVisible());
        form.mnuPopUp->hide();
        QTest::mouseClick(w.program.forms.form2().Command1, Qt::LeftButton);
    });
    QVERIFY(!w.program.forms.form2().isVisible());
    QVERIFY(!form.isVisible());
    QVERIFY(w.program.starter.commandLines.isEmpty());
}

void TestTray::quickMessageSendsToTheChosenUser()
{
    MainWindow w(threeUsersAndAGroup());
    Form2 &quick = w.program.forms.form2();
    const ScreenMetrics &screen = w.program.screen;

    openQuickMessage(w, [&] {
        QCOMPARE(quick.Width(), 5370.0);
        QCOMPARE(quick.Height(), 975.0);
        // To the pixel: 100 twips from the right, 200 above the bottom.
        QVERIFY(qAbs(quick.Left() - (screen.screenWidthTwips() - 5470)) < 15);
        QVERIFY(qAbs(quick.Top() - (screen.screenHeightTwips() - 1175)) < 15);
        QVERIFY(focusIsIn(quick.Text1));
        typeText(QStringLiteral("hola"));
        QTest::keyClick(quick.Combo1, Qt::Key_Down); // the first entry
    });
    QCOMPARE(w.program.starter.commandLines,
             QStringList{QStringLiteral("net send pepe \"hola\n\r\n\rana@Brisquel v2.4b\"")});
    QVERIFY(!quick.isVisible());
    QCOMPARE(w.program.state.NumMensajes, Integer(1));
    // The main window's history catches up only at its next send or Esc.
    QVERIFY(!w.form.VScroll1->isEnabled());
    QCOMPARE(w.form.VScroll1->Max(), 0);

    openQuickMessage(w, [&] {
        QCOMPARE(quick.Text1->Text(), QString());
        QCOMPARE(quick.Combo1->count(), 12);
        typeText(QStringLiteral("adios"));
        QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier); // "&Cancelar"
    });
    QCOMPARE(w.program.starter.commandLines.size(), 1);
    QCOMPARE(w.program.state.NumMensajes, Integer(1));

    // Esc in the main window's box.
    QTest::keyClick(w.form.Text1, Qt::Key_Escape);
    QCOMPARE(w.form.VScroll1->Max(), 1);
}

void TestTray::quickMessageKeepsTheSharedBudget()
{
    MainWindow w(threeUsersAndAGroup(false));
    Form2 &quick = w.program.forms.form2();
    openQuickMessage(w, [&] {
        QApplication::clipboard()->setText(QString(900, QLatin1Char('q')));
        QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(quick.Text1->Len(), 800);
        QCOMPARE(w.program.state.LetrasQuedan, Integer(50));
        QTest::mouseClick(quick.Command1, Qt::LeftButton);
    });

    w.program.state.NombrePropio = True;
    w.program.state.Remitente = QString(60, QLatin1Char('r'));
    openQuickMessage(w, [&] {
        QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(quick.Text1->Len(), 790);
        QCOMPARE(w.program.state.LetrasQuedan, Integer(0));
        QTest::mouseClick(quick.Command1, Qt::LeftButton);
    });
    QVERIFY(w.program.starter.commandLines.isEmpty());
}

void TestTray::quickListPastTheTwelfthEntrySendsNothing()
{
    MainWindow w(usersListedTwice());
    Form2 &quick = w.program.forms.form2();
    QCOMPARE(quick.Combo1->count(), 24);
    openQuickMessage(w, [&] {
        typeText(QStringLiteral("hola"));
        QTest::keyClick(quick.Combo1, Qt::Key_End); // entry 23: no slot behind it
    });
    QVERIFY(!quick.isVisible());
    QVERIFY(w.program.starter.commandLines.isEmpty());
    QCOMPARE(w.program.state.NumMensajes, Integer(0));

    // Entry 0 stands for slot 0, whose latest section says Eva.
    openQuickMessage(w, [&] { QTest::keyClick(quick.Combo1, Qt::Key_Home); });
    QCOMPARE(w.program.starter.commandLines.size(), 1);
    QVERIFY(w.program.starter.commandLines.first().startsWith(QStringLiteral("net send eva ")));
}

void TestTray::glyphPulsesThroughAFullCycle()
{
    MainWindow w(threeUsersAndAGroup());
    QList<qint32> colours;
    for (int tick = 0; tick < 95; ++tick) {
        w.form.Timer1_Timer();
        colours << w.form.Label2->ForeColor();
    }
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
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    FakeTrayIcon &tray = w.program.tray;
    tray.setAvailable(false);
    QTest::mouseClick(form.Check1, Qt::LeftButton);
    minimise(form);
    QVERIFY(form.isVisible());
    QCOMPARE(form.WindowState(), 1);
    QVERIFY(!tray.shown);

    // A tray host that starts takes the minimised window in; one that ends
    // gives it back to the taskbar, still minimised.
    tray.setAvailable(true);
    QVERIFY(!form.isVisible());
    QVERIFY(tray.shown);
    tray.setAvailable(false);
    QVERIFY(form.isVisible());
    QCOMPARE(form.WindowState(), 1);
    QVERIFY(!tray.shown);
}

void TestTray::quickMessageStripLeavesTheMainWindowReady()
{
    MainWindow w(threeUsersAndAGroup());
    Form2 &quick = w.program.forms.form2();
    openQuickMessage(w, [&] {
        QCOMPARE(quick.windowHandle()->transientParent(), w.form.windowHandle());
        typeText(QStringLiteral("hola"));
        // Repaints while the user types leave the message.
        quick.repaint();
        w.form.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(quick.Text1->Text(), QStringLiteral("hola"));
        // The main window takes no input meanwhile, without being greyed.
        QVERIFY(w.form.Command1(0)->isEnabled());
        QWidget *bank = w.form.Command1(0);
        QTest::mouseClick(w.form.windowHandle(), Qt::LeftButton, {}, bank->mapTo(&w.form, bank->rect().center()));
        QVERIFY(w.program.starter.commandLines.isEmpty());
        QTest::mouseClick(quick.Command1, Qt::LeftButton);
    });
    QTRY_VERIFY(w.form.isActiveWindow());
    QVERIFY(focusIsIn(w.form.Text1));
    typeText(QStringLiteral("x"));
    QCOMPARE(w.form.Text1->Text(), QStringLiteral("x"));
}

void TestTray::quickMessageClearsTheDesktopPanel()
{
    ProgramUnderTest program;
    program.screen.available = QRect(0, 0, 1024 * 15, (768 - 32) * 15); // a panel along the bottom
    Form2 &quick = program.forms.form2();
    QVERIFY(qAbs(quick.Left() - (1024 * 15 - 5470)) < 15);
    QVERIFY(qAbs(quick.Top() - ((768 - 32) * 15 - 1175)) < 15);
}

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
