// What a screen reader hears: every control of every window, read through
// Qt's accessibility interfaces as the AT-SPI bridge reads them, has a
// Spanish name and a description, and the bank's names follow the mode.
#include "ui/startedprogram.h"

#include "ui/quick/quickmessagestrip.h"
#include "ui/recipient/recipientdialog.h"
#include "ui/sender/sendernamedialog.h"

#include <QAccessible>
#include <QtTest>

using namespace brisquel;

namespace {

struct Heard {
    QAccessible::Role role;
    QString name;
    QString description;
    QObject *object;
};

// Every interface below `root`, as a screen reader walks the tree.
void walk(QAccessibleInterface *node, QList<Heard> &heard)
{
    if (node == nullptr || !node->isValid())
        return;
    heard.append({node->role(), node->text(QAccessible::Name), node->text(QAccessible::Description), node->object()});
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), heard);
}

QList<Heard> heardIn(QWidget &window)
{
    QList<Heard> heard;
    walk(QAccessible::queryAccessibleInterface(&window), heard);
    return heard;
}

Heard heardOf(QObject *control)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(control);
    return {node->role(), node->text(QAccessible::Name), node->text(QAccessible::Description), control};
}

QString describe(const Heard &h)
{
    return QStringLiteral("%1 %2 (%3): \"%4\" / \"%5\"")
        .arg(h.object ? h.object->metaObject()->className() : "?")
        .arg(h.object ? h.object->objectName() : QString())
        .arg(int(h.role))
        .arg(h.name, h.description);
}

// Roles the user acts on need a name and a description; pictures and
// labels a name.
void checkEveryControlIsNamed(QWidget &window)
{
    static const QList<QAccessible::Role> acted{QAccessible::PushButton, QAccessible::CheckBox,
                                                QAccessible::ComboBox,   QAccessible::EditableText,
                                                QAccessible::ScrollBar,  QAccessible::Slider};
    static const QList<QAccessible::Role> shown{QAccessible::Graphic, QAccessible::StaticText};
    const QList<Heard> heard = heardIn(window);
    QVERIFY(heard.size() > 3);
    for (const Heard &h : heard) {
        if (acted.contains(h.role)) {
            QVERIFY2(!h.name.trimmed().isEmpty() && !h.description.trimmed().isEmpty(), qPrintable(describe(h)));
        } else if (shown.contains(h.role)) {
            QVERIFY2(!h.name.trimmed().isEmpty(), qPrintable(describe(h)));
        }
        // Placeholders and accelerator marks are not words.
        QVERIFY2(h.name != QStringLiteral("...") && h.name != QStringLiteral("Combo1") && !h.name.contains('&'),
                 qPrintable(describe(h)));
    }
}

} // namespace

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
    QCOMPARE(findControl<PickComboBox>(form, "savedMessagesCombo")->currentText(), QStringLiteral("Combo1"));
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
