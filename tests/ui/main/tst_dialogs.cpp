#include "ui/startedprogram.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/recipient/recipientdialog.h"
#include "ui/sender/sendernamedialog.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QWindow>

using namespace brisquel;

namespace {
QString signedWith(const QString &recipient, const QString &message)
{
    return QStringLiteral("net send ") + recipient + QStringLiteral(" \"") + message
        + QStringLiteral("\n\r\n\rana@Brisquel v2.4b\"");
}

// Widths, in twips, that the window is given while it is watched.
class WidthRecorder : public QObject {
public:
    explicit WidthRecorder(MainWindow &form)
        : m_form(form)
    {
        form.installEventFilter(this);
    }
    QList<int> widths;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_form && event->type() == QEvent::Resize)
            widths << qRound(m_form.widthTwips());
        return false;
    }

private:
    MainWindow &m_form;
};
} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void otherRecipientsSendOrCancel();
    void panelSlidesOpenAndShut();
    void appearanceDialogsChangeTheBoxUnlessCancelled();
    void colorDialogsOpenOnTheSystemColorsDrawn();
    void chosenFontComesBackAtTheNextStart();
    void senderNameSetsTheSignatureAndBudget();
    void aboutBoxShowsTheBanner();
};

void TestDialogs::otherRecipientsSendOrCancel()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    typeText(QStringLiteral("Hola"));
    RecipientDialog &dialog = w.program.app.recipientDialog();
    auto openDialog = [&form] { QTest::mouseClick(button(form, "otherRecipientButton"), Qt::LeftButton); };

    whileModal(dialog, openDialog, [&] {
        QCOMPARE(dialog.windowHandle()->transientParent(), form.windowHandle());
        QCOMPARE(dialog.widthTwips(), 5370.0);
        QCOMPARE(dialog.heightTwips(), 975.0);
        dialog.resize(100, 300); // a strip of fixed size
        QCOMPARE(dialog.widthTwips(), 5370.0);
        QCOMPARE(dialog.heightTwips(), 975.0);
        typeText(QStringLiteral("pepe"));
        QTest::keyClick(focused(), Qt::Key_Return);
    });
    QCOMPARE(w.program.starter.commandLines, QStringList{signedWith("pepe", "Hola")});
    QVERIFY(!dialog.isVisible());
    QVERIFY(scrollBar(form, "historyBar")->isEnabled());
    QCOMPARE(scrollBar(form, "historyBar")->maximum(), 1);
    QTRY_VERIFY(focusIsIn(textBox(form, "messageEdit")));

    // Reopened, the earlier text is there, all of it selected.
    whileModal(dialog, openDialog, [&] {
        QCOMPARE(textBox(dialog, "entryEdit")->text(), QStringLiteral("pepe"));
        QCOMPARE(textBox(dialog, "entryEdit")->selectionStart(), 0);
        QCOMPARE(textBox(dialog, "entryEdit")->selectionLength(), 4);
        typeText(QStringLiteral("pepe, juan"));
        QTest::mouseClick(button(dialog, "acceptButton"), Qt::LeftButton);
    });
    QCOMPARE(w.program.starter.commandLines.mid(1),
             (QStringList{signedWith("pepe", "Hola"), signedWith("juan", "Hola")}));

    whileModal(dialog, openDialog, [&] {
        typeText(QStringLiteral("pepe,juan"));
        QTest::keyClick(focused(), Qt::Key_Return);
    });
    QCOMPARE(w.program.starter.commandLines.mid(3),
             (QStringList{signedWith("pepe", "Hola"), signedWith("uan", "Hola")}));

    // Cancel and Esc send nothing and keep what was typed.
    const int sent = w.program.starter.commandLines.size();
    whileModal(dialog, openDialog, [&] {
        typeText(QStringLiteral("luis"));
        QTest::mouseClick(button(dialog, "cancelButton"), Qt::LeftButton);
    });
    whileModal(dialog, openDialog, [&] { QTest::keyClick(focused(), Qt::Key_Escape); });
    QCOMPARE(w.program.starter.commandLines.size(), sent);
    QCOMPARE(textBox(dialog, "entryEdit")->text(), QStringLiteral("luis"));
}

void TestDialogs::panelSlidesOpenAndShut()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    WidthRecorder recorder(form);

    // Ten twips a step is two thirds of a pixel at 96 dpi: the window grows
    // by every pixel on the way, once, to exactly 1500 twips more.
    QTest::mouseClick(button(form, "panelButton"), Qt::LeftButton);
    QCOMPARE(form.widthTwips(), 7305.0);
    QCOMPARE(recorder.widths.size(), 100);
    QCOMPARE(recorder.widths.first(), 5820);
    QCOMPARE(recorder.widths.last(), 7305);
    for (int i = 1; i < recorder.widths.size(); ++i)
        QCOMPARE(recorder.widths[i] - recorder.widths[i - 1], 15);
    QCOMPARE(button(form, "panelButton")->text(), QStringLiteral("&Oculta config."));
    QCOMPARE(button(form, "panelButton")->toolTip(), QStringLiteral("Pulsa para cerrar el panel de control"));
    QVERIFY(frame(form, "controlPanel")->geometry().right() < form.width());
    QVERIFY(focusIsIn(textBox(form, "messageEdit")));

    recorder.widths.clear();
    QTest::mouseClick(button(form, "panelButton"), Qt::LeftButton);
    QCOMPARE(recorder.widths.size(), 100);
    QCOMPARE(recorder.widths.first(), 7290);
    QCOMPARE(recorder.widths.last(), 5805);
    QCOMPARE(button(form, "panelButton")->text(), QStringLiteral("&Configuración"));
    QCOMPARE(button(form, "panelButton")->toolTip(), QStringLiteral("Pulsa para abrir el panel de control"));
    QVERIFY(frame(form, "controlPanel")->x() >= form.width());

    // The placeholders stay disabled.
    QVERIFY(!button(form, "addUsersButton")->isEnabled());
    QVERIFY(!button(form, "addGroupsButton")->isEnabled());
    QVERIFY(!button(form, "helpButton")->isEnabled());
}

void TestDialogs::appearanceDialogsChangeTheBoxUnlessCancelled()
{
    StartedProgram w(threeUsersAndAGroup());
    MainWindow &form = w.form;
    ScriptedFontAndColorDialogs &dialog = w.program.fontAndColorDialogs;
    const qint32 fore = textBox(form, "messageEdit")->textColor();
    const qint32 back = textBox(form, "messageEdit")->backgroundColor();

    dialog.colors = {std::nullopt, 0x0000FF, 0x00FF00};
    QTest::mouseClick(button(form, "textColorButton"), Qt::LeftButton); // cancelled
    QCOMPARE(textBox(form, "messageEdit")->textColor(), fore);
    QVERIFY(focusIsIn(textBox(form, "messageEdit")));
    QTest::mouseClick(button(form, "textColorButton"), Qt::LeftButton);
    QCOMPARE(textBox(form, "messageEdit")->textColor(), qint32(0x0000FF));
    QCOMPARE(textBox(form, "messageEdit")->backgroundColor(), back);
    QTest::mouseClick(button(form, "backgroundColorButton"), Qt::LeftButton);
    QCOMPARE(dialog.openedOnColor, back);
    QCOMPARE(textBox(form, "messageEdit")->backgroundColor(), qint32(0x00FF00));

    const QString fontBefore = textBox(form, "messageEdit")->textFont().fontName;
    dialog.fonts = {std::nullopt};
    QTest::mouseClick(button(form, "fontButton"), Qt::LeftButton);
    QCOMPARE(dialog.openedOnFont, fontBefore);
    QCOMPARE(textBox(form, "messageEdit")->textFont().fontName, fontBefore);
}

// The default colours follow the system's look; the dialog opens on what
// the box shows, never on a colour the dialog cannot show.
void TestDialogs::colorDialogsOpenOnTheSystemColorsDrawn()
{
    QByteArray settings = threeUsersAndAGroup();
    const QByteArray rgbColors = "\r\n 0\r\n 16777215\r\n";
    QVERIFY(settings.contains(rgbColors));
    // Window text and window background.
    settings.replace(rgbColors, "\r\n-2147483640\r\n-2147483643\r\n");
    StartedProgram w(settings);
    MainWindow &form = w.form;
    ScriptedFontAndColorDialogs &dialog = w.program.fontAndColorDialogs;
    auto asStored = [](const QColor &c) { return qint32(c.red() + 256 * c.green() + 65536 * c.blue()); };

    QTest::mouseClick(button(form, "textColorButton"), Qt::LeftButton);
    QCOMPARE(dialog.openedOnColor, asStored(QApplication::palette().color(QPalette::Text)));
    // The empty box's middle.
    QWidget *shown = textBox(form, "messageEdit")->editor();
    if (auto *area = qobject_cast<QAbstractScrollArea *>(shown))
        shown = area->viewport();
    const QColor drawnBack = shown->grab().toImage().pixelColor(shown->rect().center());
    QTest::mouseClick(button(form, "backgroundColorButton"), Qt::LeftButton);
    QCOMPARE(dialog.openedOnColor, asStored(drawnBack));
    QCOMPARE(dialog.colorShows, 2);
}

void TestDialogs::chosenFontComesBackAtTheNextStart()
{
    QByteArray saved;
    {
        StartedProgram w(threeUsersAndAGroup());
        w.program.fontAndColorDialogs.fonts = {TextFont{"DejaVu Serif", true, false, 14.0f}};
        QTest::mouseClick(button(w.form, "fontButton"), Qt::LeftButton);
        QCOMPARE(textBox(w.form, "messageEdit")->textFont().fontName, QStringLiteral("DejaVu Serif"));
        QVERIFY(textBox(w.form, "messageEdit")->textFont().bold);
        QCOMPARE(textBox(w.form, "messageEdit")->textFont().size, 14.0f);
        QVERIFY(w.form.close());
        saved = w.program.readIni();
    }
    StartedProgram next(saved);
    QCOMPARE(textBox(next.form, "messageEdit")->textFont().fontName, QStringLiteral("DejaVu Serif"));
    QVERIFY(textBox(next.form, "messageEdit")->textFont().bold);
    QCOMPARE(textBox(next.form, "messageEdit")->textFont().size, 14.0f);
    QTest::mouseClick(button(next.form, "fontButton"), Qt::LeftButton); // cancelled: the script is empty
    QCOMPARE(next.program.fontAndColorDialogs.openedOnFont, QStringLiteral("DejaVu Serif"));
}

void TestDialogs::senderNameSetsTheSignatureAndBudget()
{
    StartedProgram w(threeUsersAndAGroup(false));
    MainWindow &form = w.form;
    SenderNameDialog &dialog = w.program.app.senderNameDialog();
    auto openDialog = [&form] { QTest::mouseClick(button(form, "senderNameButton"), Qt::LeftButton); };

    whileModal(dialog, openDialog, [&] {
        QCOMPARE(textBox(dialog, "entryEdit")->text(), QStringLiteral("ana"));
        QCOMPARE(textBox(dialog, "entryEdit")->selectionLength(), 3);
        dialog.resize(50, 50);
        QCOMPARE(dialog.widthTwips(), 5370.0);
        QCOMPARE(dialog.heightTwips(), 975.0);
        typeText(QStringLiteral("Eva"));
        QTest::keyClick(focused(), Qt::Key_Return);
    });
    QCOMPARE(w.program.state.senderName, QStringLiteral("Eva"));
    QCOMPARE(w.program.state.signWithSenderName, true);
    QTRY_VERIFY(focusIsIn(textBox(form, "messageEdit")));
    typeText(QStringLiteral("x"));
    QCOMPARE(w.program.state.lettersLeft, 846);
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines.last(),
             QStringLiteral("net send pepe \"x\n\r\n\rEva@Brisquel v2.4b\""));

    // Thirty characters at most, typed or pasted.
    whileModal(dialog, openDialog, [&] {
        typeText(QString(31, QLatin1Char('n')));
        QCOMPARE(textBox(dialog, "entryEdit")->length(), 30);
        QTest::keyClick(focused(), Qt::Key_Escape);
    });
    QCOMPARE(w.program.state.senderName, QStringLiteral("Eva"));
    QCOMPARE(textBox(dialog, "entryEdit")->length(), 30); // the cancelled text stays

    whileModal(dialog, openDialog, [&] {
        QTest::keyClick(focused(), Qt::Key_Delete);
        QTest::mouseClick(button(dialog, "acceptButton"), Qt::LeftButton);
    });
    QCOMPARE(w.program.state.senderName, QStringLiteral("ana"));
    QCOMPARE(w.program.state.signWithSenderName, false);
    QTest::mouseClick(recipientButton(form, 0), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines.last(),
             QStringLiteral("net send pepe \"x\n\r\n\r[Brisquel v2.4b]\""));
}

void TestDialogs::aboutBoxShowsTheBanner()
{
    StartedProgram w(threeUsersAndAGroup());
    QTest::mouseClick(button(w.form, "aboutButton"), Qt::LeftButton);
    const ScriptedMessageBox::Call about = w.program.messageBox.calls.last();
    QCOMPARE(about.title, QStringLiteral("Brisquel v2.4b rev 10"));
    QCOMPARE(about.style, (MessageBox::Style{MessageBox::Buttons::Ok, MessageBox::Icon::Information}));
    QCOMPARE(about.text, QStringLiteral("Brisquel por Velmarox\n\rversión BETA no finalizada \n\r"
                                        "Hecho por el equipo de Brisquel\n\r"));
    QVERIFY(focusIsIn(textBox(w.form, "messageEdit")));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
