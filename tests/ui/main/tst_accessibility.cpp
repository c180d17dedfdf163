// What a screen reader hears: every control of every window, read through
// Qt's accessibility interfaces as the AT-SPI bridge reads them, has a
// Spanish name and a description, and the bank's names follow the mode.
#include "ui/heardcontrols.h"
#include "ui/startedprogram.h"

#include "ui/quick/quickmessagestrip.h"
#include "ui/recipient/recipientdialog.h"
#include "ui/sender/sendernamedialog.h"

#include <QtTest>

using namespace brisquel;

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyControlOfEveryWindowIsNamed();
    void recipientButtonsAreHeardByCaptionAndTargets();
};

void TestAccessibility::everyControlOfEveryWindowIsNamed()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    checkEveryControlIsNamed(form);
    if (QTest::currentTestFailed())
        return;

    // The message box is heard the same wherever the focus lands in it.
    ExactTextBox *message = textBox(form, "messageEdit");
    QCOMPARE(heardOf(message).name, QStringLiteral("Mensaje"));
    QCOMPARE(heardOf(message->editor()).name, QStringLiteral("Mensaje"));
    QCOMPARE(heardOf(message->editor()).role, QAccessible::EditableText);
    QCOMPARE(heardOf(scrollBar(form, "historyBar")).name, QStringLiteral("Mensajes enviados"));

    // Names are heard, never drawn.
    QCOMPARE(recipientButton(form, 5)->text(), QStringLiteral("..."));
    QTRY_COMPARE(findControl<PickComboBox>(form, "savedMessagesCombo")->currentText(), QStringLiteral("Combo1"));
    QCOMPARE(button(form, "modeButton")->text(), QStringLiteral("&Grupos"));

    // The panel button keeps a name and a description once open.
    QTest::mouseClick(button(form, "panelButton"), Qt::LeftButton);
    const Heard panel = heardOf(button(form, "panelButton"));
    QVERIFY2(!panel.name.isEmpty() && !panel.description.isEmpty(), qPrintable(describe(panel)));
    checkEveryControlIsNamed(form);

    for (QWidget *strip : std::initializer_list<QWidget *>{&w.program.app.quickMessageStrip(),
                                                         &w.program.app.recipientDialog(),
                                                         &w.program.app.senderNameDialog()}) {
        checkEveryControlIsNamed(*strip);
        QVERIFY2(!heardOf(strip).name.isEmpty(), strip->metaObject()->className());
        ExactTextBox *entry = strip->findChild<ExactTextBox *>();
        QVERIFY(entry != nullptr);
        QCOMPARE(heardOf(entry->editor()).name, heardOf(entry).name);
    }
}

void TestAccessibility::recipientButtonsAreHeardByCaptionAndTargets()
{
    StartedProgram w(settingsText({{"Pepe", "pepe"}, {"J&uan", "juan"}}, {{"Todos", "pepe, juan, luis"}}));
    MainWindow &form = w.form;
    auto heardSlot = [&form](int slot) { return heardOf(recipientButton(form, slot)); };

    QCOMPARE(heardSlot(0).name, QStringLiteral("Pepe, usuario pepe"));
    QCOMPARE(heardSlot(0).description, QStringLiteral("Pulsa el botón para enviar el mensaje a Pepe"));
    QCOMPARE(heardSlot(1).name, QStringLiteral("Juan, usuario juan"));
    QCOMPARE(heardSlot(2).name, QStringLiteral("Hueco 3 vacío"));
    QVERIFY(!heardSlot(2).description.contains(QStringLiteral("...")));

    QTest::mouseClick(button(form, "modeButton"), Qt::LeftButton);
    QCOMPARE(heardSlot(0).name, QStringLiteral("Todos, grupo de pepe, juan, luis"));
    QCOMPARE(heardSlot(0).description, QStringLiteral("Pulsa el botón para enviar el mensaje al grupo  Todos"));
    QCOMPARE(heardSlot(1).name, QStringLiteral("Hueco 2 vacío"));
    const Heard mode = heardOf(button(form, "modeButton"));
    QCOMPARE(mode.name, QStringLiteral("Usuarios"));
    QCOMPARE(mode.description, QStringLiteral("Pulsa para cambiar al modo USUARIOS"));

    QTest::mouseClick(button(form, "modeButton"), Qt::LeftButton);
    QCOMPARE(heardSlot(1).name, QStringLiteral("Juan, usuario juan"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
