// The greeting of the real program on a private X display: No ends it
// before anything is written; Yes on a first run writes the defaults file,
// which a close writes back unchanged.

#include "brisquelsession.h"
#include "privatedesktoptest.h"
#include "settingsfixture.h"
#include "support/virtualdisplay.h"

#include <QDir>
#include <QTest>

namespace {

const QString kSignature = QStringLiteral("@Brisquel v2.4b");
// The splash: 5550 x 2790 twips.
const QSize kSplashSize(370, 186);
// The main window at start: 5805 x 4305 twips, centred on 1024 x 768.
const QSize kMainSize(381, 262); // less the classic frame

const TwipsRect kFirstRecipient{60, 2460, 1395, 315};

} // namespace

class TestE2eGreeting : public PrivateDesktopTest
{
    Q_OBJECT

private slots:
    void answeringNoWritesNothing();
    void answeringYesWritesTheDefaults();
};

void TestE2eGreeting::answeringNoWritesNothing()
{
    BrisquelSession program(*m_display);
    const QString prepared = program.prepare();
    QVERIFY2(prepared.isEmpty(), qPrintable(prepared));
    const QStringList before = QDir(program.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QString started = program.start();
    QVERIFY2(started.isEmpty(), qPrintable(started));

    const QString answered = program.answerGreeting(false);
    QVERIFY2(answered.isEmpty(), qPrintable(answered));
    QVERIFY2(program.waitForExit(), "the program did not end on No");
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);

    QVERIFY2(!program.settingsFile(), "No wrote brisquel.ini");
    QCOMPARE(QDir(program.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(describeCalls(program.takeCalls(0)), describeCalls({}));
}

void TestE2eGreeting::answeringYesWritesTheDefaults()
{
    BrisquelSession program(*m_display);
    const QString prepared = program.prepare();
    QVERIFY2(prepared.isEmpty(), qPrintable(prepared));
    const QString started = program.start();
    QVERIFY2(started.isEmpty(), qPrintable(started));

    // The splash stays on screen while the greeting waits.
    QVERIFY2(!m_display->waitForWindow(QStringLiteral("^Brisquel v2\\.4b rev 10$"), 15000).isEmpty(),
             "the greeting never showed");
    bool splashShown = false;
    for (const QString &window : program.visibleWindows()) {
        const std::optional<QRect> place = m_display->geometry(window);
        splashShown = splashShown || (place && place->size() == kSplashSize);
    }
    QVERIFY2(splashShown, "the splash left before the greeting was answered");

    const QString answered = program.answerGreeting(true);
    QVERIFY2(answered.isEmpty(), qPrintable(answered));
    const QString shown = program.waitForMainWindow();
    QVERIFY2(shown.isEmpty(), qPrintable(shown));
    const std::optional<QRect> place = m_display->geometry(program.mainWindow());
    QVERIFY(place);
    QCOMPARE(place->size(), kMainSize);
    // Centred with its classic frame: the caption's 19 pixels and the
    // borders' 3 stand around the client area whatever frame is drawn.
    QVERIFY2(qAbs(place->center().x() - 512) <= 1 && qAbs(place->center().y() - (384 + 10)) <= 1,
             qPrintable(QStringLiteral("the main window is not centred: %1,%2").arg(place->x()).arg(place->y())));

    // The defaults: the login name as sender and as login, signed with it,
    // every slot empty. The font and colours are the message box's own.
    const std::optional<QByteArray> defaults = program.settingsFile();
    QVERIFY2(defaults, "no defaults file was written");
    QStringList lines = QString::fromLatin1(*defaults).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 63); // the last line ends in CR LF too
    QCOMPARE(lines.takeLast(), QString());
    SettingsFixture expected;
    expected.general = QStringList{loginName(), loginName(), QStringLiteral("1")} + lines.mid(4, 8);
    QCOMPARE(QString::fromLatin1(*defaults), QString::fromLatin1(expected.bytes()));

    // The empty slots are disabled: a click on the first sends nothing. The
    // send through "&Otro" behind it shows the click was handled by then.
    program.click(kFirstRecipient);
    program.key(QStringLiteral("alt+o"));
    QVERIFY2(!program.waitForDialog().isEmpty(), "\"&Otro\" opened no dialog");
    program.type(QStringLiteral("pepe"));
    program.key(QStringLiteral("Return"));
    QVERIFY2(program.waitForNoDialog(), "Enter left the dialog open");
    const QList<QStringList> calls = program.takeCalls(1);
    const QString empty = QStringLiteral("\n\r\n\r") + loginName() + kSignature;
    QCOMPARE(describeCalls(calls), describeCalls({{QStringLiteral("send"), QStringLiteral("pepe"), empty}}));

    program.closeMainWindow();
    QVERIFY2(program.waitForExit(), "closing the main window did not end the program");
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);
    const std::optional<QByteArray> saved = program.settingsFile();
    QVERIFY(saved);
    QCOMPARE(QString::fromLatin1(*saved), QString::fromLatin1(*defaults));
    QVERIFY2(*saved == *defaults, "the saved file differs from the defaults byte for byte");
    QCOMPARE(describeCalls(program.takeCalls(0)), describeCalls({}));
}

QTEST_GUILESS_MAIN(TestE2eGreeting)
#include "tst_e2e_greeting.moc"
