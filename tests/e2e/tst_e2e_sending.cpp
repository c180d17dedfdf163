// One user's session with the real program on a private X display, driven
// from outside: typing with the caption counting down, sending to a user and
// to a group, "&Otro", Esc, paging back through the history and sending
// again, the control panel, a new sender name, and the settings file the
// close writes.

#include "brisquelsession.h"
#include "privatedesktoptest.h"
#include "settingsfixture.h"
#include "support/virtualdisplay.h"

#include <QTest>

namespace {

// Controls of the main window, in twips.
TwipsRect recipient(int i)
{
    static constexpr int kLefts[] = {60, 1440, 2820};
    static constexpr int kTops[] = {2460, 2820, 3180, 3540};
    return {kLefts[i % 3], kTops[i / 3], 1395, 315};
}
const TwipsRect kModeButton{4260, 480, 1395, 915};
// The history scroll bar (4260, 60, 195 x 375): its upper arrow.
constexpr int kHistoryUpX = 4260 + 97;
constexpr int kHistoryUpY = 60 + 60;

const QSize kNarrow(381, 262); // 5805 x 4305 twips, less the classic frame
const QSize kWide(481, 262);   // 7305 x 4305 twips, less the classic frame

const QString kSend = QStringLiteral("send");

QString counting(int left)
{
    if (left == 1)
        return QStringLiteral("Brisquel v2.4b - Queda 1 letra...");
    return QStringLiteral("Brisquel v2.4b - Quedan %1 letras...").arg(left);
}
const QString kPlain = QStringLiteral("Brisquel v2.4b");

QString withSignature(const QString &message, const QString &sender)
{
    return message + QStringLiteral("\n\r\n\r") + sender + QStringLiteral("@Brisquel v2.4b");
}

SettingsFixture anaSettings()
{
    SettingsFixture settings;
    settings.general = {QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("1"),
                        QStringLiteral("Liberation Serif"), QStringLiteral("1"), QStringLiteral("0"),
                        QStringLiteral(" 12"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral(" 128"), QStringLiteral(" 15794175")};
    settings.users = {{QStringLiteral("&Pepe"), QStringLiteral("pepe")}, {QStringLiteral("&Luis"), QStringLiteral("luis")}};
    settings.groups = {{QStringLiteral("&Amigos"), QStringLiteral("pepe, juan, luis")}};
    return settings;
}

} // namespace

class TestE2eSending : public PrivateDesktopTest
{
    Q_OBJECT

private slots:
    void aSessionOfSending();
};

void TestE2eSending::aSessionOfSending()
{
    const SettingsFixture settings = anaSettings();
    BrisquelSession program(*m_display);
    const QString prepared = program.prepare(settings.bytes());
    QVERIFY2(prepared.isEmpty(), qPrintable(prepared));
    const QString started = program.start();
    QVERIFY2(started.isEmpty(), qPrintable(started));
    const QString answered = program.answerGreeting(true);
    QVERIFY2(answered.isEmpty(), qPrintable(answered));
    const QString shown = program.waitForMainWindow();
    QVERIFY2(shown.isEmpty(), qPrintable(shown));

    // Signed "Ana": 847 letters to spend, counted down key by key.
    const QString hola = QStringLiteral("Hola");
    for (int i = 0; i < hola.size(); ++i) {
        program.type(hola.mid(i, 1));
        QCOMPARE(program.waitForCaption(counting(846 - i)), counting(846 - i));
    }

    // To a user: one net, the message kept in the box.
    program.click(recipient(0));
    QCOMPARE(describeCalls(program.takeCalls(1)), describeCalls({{kSend, QStringLiteral("pepe"), withSignature(hola, QStringLiteral("Ana"))}}));
    QCOMPARE(program.caption(), counting(843));

    // Esc empties the box.
    program.key(QStringLiteral("Escape"));
    QCOMPARE(program.waitForCaption(kPlain), kPlain);

    // To a group of three, in list order.
    const QString quedamos = QStringLiteral("Quedamos a las 9");
    program.click(kModeButton);
    program.type(quedamos);
    QCOMPARE(program.waitForCaption(counting(847 - 16)), counting(847 - 16));
    program.click(recipient(0));
    const QString quedamosSigned = withSignature(quedamos, QStringLiteral("Ana"));
    QCOMPARE(describeCalls(program.takeCalls(3)),
             describeCalls({{kSend, QStringLiteral("pepe"), quedamosSigned},
                            {kSend, QStringLiteral("juan"), quedamosSigned},
                            {kSend, QStringLiteral("luis"), quedamosSigned}}));

    // "&Otro" with two recipients typed by hand.
    const QString tarde = QStringLiteral("Llego tarde");
    program.key(QStringLiteral("Escape"));
    program.type(tarde);
    QCOMPARE(program.waitForCaption(counting(847 - 11)), counting(847 - 11));
    program.key(QStringLiteral("alt+o"));
    QVERIFY2(!program.waitForDialog().isEmpty(), "\"&Otro\" opened no dialog");
    program.type(QStringLiteral("pepe, juan"));
    program.key(QStringLiteral("Return"));
    QVERIFY2(program.waitForNoDialog(), "Enter left the dialog open");
    const QString tardeSigned = withSignature(tarde, QStringLiteral("Ana"));
    QCOMPARE(describeCalls(program.takeCalls(2)),
             describeCalls({{kSend, QStringLiteral("pepe"), tardeSigned}, {kSend, QStringLiteral("juan"), tardeSigned}}));

    // Paging back from a fresh message shows the three sent, newest first;
    // the oldest goes again, now to a user.
    program.key(QStringLiteral("Escape"));
    QCOMPARE(program.waitForCaption(kPlain), kPlain);
    for (const QString &earlier : {tarde, quedamos, hola}) {
        program.clickAtTwips(kHistoryUpX, kHistoryUpY);
        QCOMPARE(program.waitForCaption(counting(847 - int(earlier.size()))), counting(847 - int(earlier.size())));
    }
    program.click(kModeButton);
    program.click(recipient(1));
    QCOMPARE(describeCalls(program.takeCalls(1)), describeCalls({{kSend, QStringLiteral("luis"), withSignature(hola, QStringLiteral("Ana"))}}));
    // Sent again from the history, it is not recorded again: one step back
    // from the end is still "Llego tarde".
    program.key(QStringLiteral("Escape"));
    QCOMPARE(program.waitForCaption(kPlain), kPlain);
    program.clickAtTwips(kHistoryUpX, kHistoryUpY);
    QCOMPARE(program.waitForCaption(counting(847 - 11)), counting(847 - 11));
    program.key(QStringLiteral("Escape"));
    QCOMPARE(program.waitForCaption(kPlain), kPlain);

    // The control panel slides in.
    QCOMPARE(program.waitForMainWindowSize(kNarrow), kNarrow);
    program.key(QStringLiteral("alt+c"));
    QCOMPARE(program.waitForMainWindowSize(kWide), kWide);

    // A new sender name: signed with it, five letters off the budget.
    program.key(QStringLiteral("alt+n"));
    const QString nameDialog = program.waitForDialog();
    QVERIFY2(!nameDialog.isEmpty(), "\"Tu &Nombre\" opened no dialog");
    const std::optional<QRect> namePlace = m_display->geometry(nameDialog);
    QVERIFY(namePlace);
    QVERIFY2(qAbs(namePlace->center().x() - 512) <= 1 && qAbs(namePlace->center().y() - 384) <= 1,
             "the sender-name dialog is not centred");
    program.type(QStringLiteral("Núria")); // over "Ana", which is selected
    program.key(QStringLiteral("Return"));
    QVERIFY2(program.waitForNoDialog(), "Enter left the sender-name dialog open");
    const QString adios = QStringLiteral("Adiós");
    program.type(adios);
    QCOMPARE(program.waitForCaption(counting(845 - 5)), counting(845 - 5));
    program.click(recipient(0));
    QCOMPARE(describeCalls(program.takeCalls(1)), describeCalls({{kSend, QStringLiteral("pepe"), withSignature(adios, QStringLiteral("Núria"))}}));

    // The budget's last letters: 844 characters leave one, the next none.
    program.key(QStringLiteral("Escape"));
    m_display->xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("0"), QStringLiteral("--repeat"),
                        QStringLiteral("422"), QStringLiteral("Return")});
    QCOMPARE(program.waitForCaption(counting(1), 10000), counting(1));
    program.type(QStringLiteral("z"));
    QCOMPARE(program.waitForCaption(counting(0)), counting(0));
    program.key(QStringLiteral("BackSpace"));
    QCOMPARE(program.waitForCaption(counting(1)), counting(1));
    program.key(QStringLiteral("Escape"));
    QCOMPARE(program.waitForCaption(kPlain), kPlain);

    // The panel slides out again. While it was open its "&Oculta config."
    // shared the letter O with "&Otro", so Alt+O only moved the focus.
    program.clickAtTwips(4260 + 1395 / 2, 1440 + 915 / 2);
    QCOMPARE(program.waitForMainWindowSize(kNarrow), kNarrow);

    // Alt+O opens the other-recipient dialog, Enter sends from it.
    const QString ven = QStringLiteral("Ven");
    program.type(ven);
    QCOMPARE(program.waitForCaption(counting(845 - 3)), counting(845 - 3));
    program.key(QStringLiteral("alt+o"));
    QVERIFY2(!program.waitForDialog().isEmpty(), "Alt+O opened no dialog");
    program.type(QStringLiteral("luis"));
    program.key(QStringLiteral("Return"));
    QCOMPARE(describeCalls(program.takeCalls(1, 1500)), describeCalls({{kSend, QStringLiteral("luis"), withSignature(ven, QStringLiteral("Núria"))}}));
    if (!program.waitForDialog(500).isEmpty())
        program.key(QStringLiteral("Escape"));
    QVERIFY2(program.waitForNoDialog(), "Esc left the dialog open");
    program.key(QStringLiteral("Escape"));
    QCOMPARE(program.waitForCaption(kPlain), kPlain);

    // The close writes the file back: the new sender, the current login
    // name, the rest as it was read.
    program.closeMainWindow();
    QVERIFY2(program.waitForExit(), "closing the main window did not end the program");
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);
    SettingsFixture expected = settings;
    expected.general[0] = QStringLiteral("Núria");
    expected.general[1] = loginName();
    const std::optional<QByteArray> saved = program.settingsFile();
    QVERIFY2(saved, "the close wrote no brisquel.ini");
    QCOMPARE(QString::fromLatin1(*saved), QString::fromLatin1(expected.bytes()));
    QVERIFY2(*saved == expected.bytes(), "brisquel.ini differs byte for byte");
    QCOMPARE(describeCalls(program.takeCalls(0)), describeCalls({}));
}

QTEST_GUILESS_MAIN(TestE2eSending)
#include "tst_e2e_sending.moc"
