#include "ui/mainwindow.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/recipient/form4.h"
#include "ui/sender/form5.h"

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
    explicit WidthRecorder(Form1 &form)
        : m_form(form)
    {
        form.installEventFilter(this);
    }
    QList<int> widths;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_form && event->type() == QEvent::Resize)
            widths << qRound(m_form.Width());
        return false;
    }

private:
    Form1 &m_form;
};
} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void otherRecipientsSendOrCancel();
    void panelSlidesOpenAndShut();
    void appearanceDialogsChangeTheBoxUnlessCancelled();
    void chosenFontComesBackAtTheNextStart();
    void senderNameSetsTheSignatureAndBudget();
    void aboutBoxShowsTheBanner();
};

void TestDialogs::otherRecipientsSendOrCancel()
{
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    typeText(QStringLiteral("Hola"));
    Form4 &dialog = w.program.forms.form4();
    auto openDialog = [&form] { QTest::mouseClick(form.Command2(0), Qt::LeftButton); };

    whileModal(dialog, openDialog, [&] {
        QCOMPARE(dialog.windowHandle()->transientParent(), form.windowHandle());
        QCOMPARE(dialog.Width(), 5370.0);
        QCOMPARE(dialog.Height(), 975.0);
        dialog.resize(100, 300); // a strip of fixed size
        QCOMPARE(dialog.Width(), 5370.0);
        QCOMPARE(dialog.Height(), 975.0);
        typeText(QStringLiteral("pepe"));
        QTest::keyClick(focused(), Qt::Key_Return);
    });
    QCOMPARE(w.program.starter.commandLines, QStringList{signedWith("pepe", "Hola")});
    QVERIFY(!dialog.isVisible());
    QVERIFY(form.VScroll1->isEnabled());
    QCOMPARE(form.VScroll1->Max(), 1);
    QTRY_VERIFY(focusIsIn(form.Text1));

    // Reopened, the earlier text is there, all of it selected.
    whileModal(dialog, openDialog, [&] {
        QCOMPARE(dialog.Text1->Text(), QStringLiteral("pepe"));
        QCOMPARE(dialog.Text1->SelStart(), 0);
        QCOMPARE(dialog.Text1->SelLength(), 4);
        typeText(QStringLiteral("pepe, juan"));
        QTest::mouseClick(dialog.Command1(1), Qt::LeftButton);
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
        QTest::mouseClick(dialog.Command1(0), Qt::LeftButton);
    });
    whileModal(dialog, openDialog, [&] { QTest::keyClick(focused(), Qt::Key_Escape); });
    QCOMPARE(w.program.starter.commandLines.size(), sent);
    QCOMPARE(dialog.Text1->Text(), QStringLiteral("luis"));
}

void TestDialogs::panelSlidesOpenAndShut()
{
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    WidthRecorder recorder(form);

    // Ten twips a step is two thirds of a pixel at 96 dpi: the window grows
    // by every pixel on the way, once, to exactly 1500 twips more.
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(form.Width(), 7305.0);
    QCOMPARE(recorder.widths.size(), 100);
    QCOMPARE(recorder.widths.first(), 5820);
    QCOMPARE(recorder.widths.last(), 7305);
    for (int i = 1; i < recorder.widths.size(); ++i)
        QCOMPARE(recorder.widths[i] - recorder.widths[i - 1], 15);
    QCOMPARE(form.Command3->Caption(), QStringLiteral("&Oculta config."));
    QCOMPARE(form.Command3->ToolTipText(), QStringLiteral("Pulsa para cerrar el panel de control"));
    QVERIFY(form.Frame1->geometry().right() < form.width());
    QVERIFY(focusIsIn(form.Text1));

    recorder.widths.clear();
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(recorder.widths.size(), 100);
    QCOMPARE(recorder.widths.first(), 7290);
    QCOMPARE(recorder.widths.last(), 5805);
    QCOMPARE(form.Command3->Caption(), QStringLiteral("&Configuración"));
    QCOMPARE(form.Command3->ToolTipText(), QStringLiteral("Pulsa para abrir el panel de control"));
    QVERIFY(form.Frame1->x() >= form.width());

    // The placeholders stay disabled.
    QVERIFY(!form.Command5->isEnabled());
    QVERIFY(!form.Command6->isEnabled());
    QVERIFY(!form.Command7->isEnabled());
}

void TestDialogs::appearanceDialogsChangeTheBoxUnlessCancelled()
{
    MainWindow w(threeUsersAndAGroup());
    Form1 &form = w.form;
    ScriptedCommonDialog &dialog = w.program.commonDialog;
    const qint32 fore = form.Text1->ForeColor();
    const qint32 back = form.Text1->BackColor();

    dialog.colors = {std::nullopt, 0x0000FF, 0x00FF00};
    QTest::mouseClick(form.Command4(0), Qt::LeftButton); // cancelled
    QCOMPARE(form.Text1->ForeColor(), fore);
    QVERIFY(dialog.CancelError);
    QVERIFY(focusIsIn(form.Text1));
    QTest::mouseClick(form.Command4(0), Qt::LeftButton);
    QCOMPARE(form.Text1->ForeColor(), qint32(0x0000FF));
    QCOMPARE(form.Text1->BackColor(), back);
    QTest::mouseClick(form.Command4(1), Qt::LeftButton);
    QCOMPARE(form.Text1->BackColor(), qint32(0x00FF00));

    const QString fontBefore = form.Text1->FontName();
    dialog.fonts = {std::nullopt};
    QTest::mouseClick(form.Command4(2), Qt::LeftButton);
    QCOMPARE(dialog.Flags, 1);
    QCOMPARE(dialog.openedOnFont, fontBefore);
    QCOMPARE(form.Text1->FontName(), fontBefore);
}

void TestDialogs::chosenFontComesBackAtTheNextStart()
{
    QByteArray saved;
    {
        MainWindow w(threeUsersAndAGroup());
        w.program.commonDialog.fonts = {ScriptedCommonDialog::FontChoice{"DejaVu Serif", true, false, 14.0f}};
        QTest::mouseClick(w.form.Command4(2), Qt::LeftButton);
        QCOMPARE(w.form.Text1->FontName(), QStringLiteral("DejaVu Serif"));
        QVERIFY(w.form.Text1->FontBold());
        QCOMPARE(w.form.Text1->FontSize(), 14.0f);
        QVERIFY(w.form.close());
        saved = w.program.readIni();
    }
    MainWindow next(saved);
    QCOMPARE(next.form.Text1->FontName(), QStringLiteral("DejaVu Serif"));
    QVERIFY(next.form.Text1->FontBold());
    QCOMPARE(next.form.Text1->FontSize(), 14.0f);
    QCOMPARE(next.program.commonDialog.FontName, QStringLiteral("DejaVu Serif"));
}

void TestDialogs::senderNameSetsTheSignatureAndBudget()
{
    MainWindow w(threeUsersAndAGroup(false));
    Form1 &form = w.form;
    Form5 &dialog = w.program.forms.form5();
    auto openDialog = [&form] { QTest::mouseClick(form.Command8, Qt::LeftButton); };

    whileModal(dialog, openDialog, [&] {
        QCOMPARE(dialog.Text1->Text(), QStringLiteral("ana"));
        QCOMPARE(dialog.Text1->SelLength(), 3);
        dialog.resize(50, 50);
        QCOMPARE(dialog.Width(), 5370.0);
        QCOMPARE(dialog.Height(), 975.0);
        typeText(QStringLiteral("Eva"));
        QTest::keyClick(focused(), Qt::Key_Return);
    });
    QCOMPARE(w.program.state.Remitente, QStringLiteral("Eva"));
    QCOMPARE(w.program.state.NombrePropio, True);
    QTRY_VERIFY(focusIsIn(form.Text1));
    typeText(QStringLiteral("x"));
    QCOMPARE(w.program.state.LetrasQuedan, Integer(846));
    QTest::mouseClick(form.Command1(0), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines.last(),
             QStringLiteral("net send pepe \"x\n\r\n\rEva@Brisquel v2.4b\""));

    // Thirty characters at most, typed or pasted.
    whileModal(dialog, openDialog, [&] {
        typeText(QString(31, QLatin1Char('n')));
        QCOMPARE(dialog.Text1->Len(), 30);
        QTest::keyClick(focused(), Qt::Key_Escape);
    });
    QCOMPARE(w.program.state.Remitente, QStringLiteral("Eva"));
    QCOMPARE(dialog.Text1->Len(), 30); // the cancelled text stays

    whileModal(dialog, openDialog, [&] {
        QTest::keyClick(focused(), Qt::Key_Delete);
        QTest::mouseClick(dialog.Command1(0), Qt::LeftButton);
    });
    QCOMPARE(w.program.state.Remitente, QStringLiteral("ana"));
    QCOMPARE(w.program.state.NombrePropio, False);
    QTest::mouseClick(form.Command1(0), Qt::LeftButton);
    QCOMPARE(w.program.starter.commandLines.last(),
             QStringLiteral("net send pepe \"x\n\r\n\r[Brisquel v2.4b]\""));
}

void TestDialogs::aboutBoxShowsTheBanner()
{
    MainWindow w(threeUsersAndAGroup());
    QTest::mouseClick(w.form.Command2(1), Qt::LeftButton);
    const ScriptedMessageBox::Call about = w.program.messageBox.calls.last();
    QCOMPARE(about.title, QStringLiteral("Brisquel v2.4b rev 10"));
    QCOMPARE(about.style, 64);
    QCOMPARE(about.text, QStringLiteral("Brisquel por Velmarox\n\rversión BETA no finalizada \n\r"
                                        "Hecho por el equipo de Brisquel\n\r"));
    QVERIFY(focusIsIn(w.form.Text1));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
