// The sender name is kept in a Windows-1252 file: the box takes only what
// the file can hold, so the name the user sees is the name kept.
#include "ui/startedprogram.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/exacttextbox.h"
#include "ui/sender/sendernamedialog.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace brisquel;

class TestSenderName : public QObject {
    Q_OBJECT

private slots:
    void onlyWhatTheFileHoldsIsTaken();
};

void TestSenderName::onlyWhatTheFileHoldsIsTaken()
{
    QByteArray saved;
    {
        StartedProgram w(threeUsersAndAGroup());
        MainWindow &form = w.form;
        SenderNameDialog &dialog = w.program.app.senderNameDialog();
        whileModal(dialog, [&form] { QTest::mouseClick(button(form, "senderNameButton"), Qt::LeftButton); }, [&] {
            QGuiApplication::clipboard()->setText(QString::fromUtf8("Zoë 日本 😀€"));
            QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
            for (const QString &typed : {QString::fromUtf8("ñ"), QString::fromUtf8("中"), QString::fromUtf8("😀")})
                QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, typed, Qt::NoModifier);
            QCOMPARE(textBox(dialog, "entryEdit")->text(), QString::fromUtf8("Zoë  €ñ"));
            QTest::keyClick(focused(), Qt::Key_Return);
        });
        QCOMPARE(w.program.state.senderName, QString::fromUtf8("Zoë  €ñ"));
        QVERIFY(form.close());
        saved = w.program.readIni();
    }
    QVERIFY2(saved.startsWith("[GENERAL]\r\nZo\xEB  \x80\xF1\r\n"), saved.left(40).constData());
    StartedProgram next(saved);
    QCOMPARE(next.program.state.senderName, QString::fromUtf8("Zoë  €ñ"));
}

QTEST_MAIN(TestSenderName)
#include "tst_sendername.moc"
