// The real program with a real tray: Xvfb with trayer as the tray host. With
// "&Minimizar al systray" ticked, minimising hides the window behind one
// icon docked in trayer; a double click on it or "&Restaurar" brings the
// window back; the quick message goes from the tray menu; "&Salir" ends the
// program without saving; the icon goes when the program ends.

#include "brisquelsession.h"
#include "privatedesktoptest.h"
#include "settingsfixture.h"
#include "support/virtualdisplay.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

const TwipsRect kTrayOption{5760 + 120, 60 + 360, 1155, 375}; // in the panel
const QSize kWide(481, 262); // 7305 x 4305 twips, less the classic frame
// The quick message's corner: 5370 x 975 twips, 100 from the right edge
// and 200 above the bottom of the area the tray's 32-pixel panel leaves on
// a 1024 x 768 screen, so it never covers the tray icon.
constexpr double kQuickLeft = (1024 * 15 - 5370 - 100) / 15.0;
constexpr double kQuickTop = ((768 - 32) * 15 - 975 - 200) / 15.0;

SettingsFixture anaSettings()
{
    SettingsFixture settings = plainAnaSettings();
    settings.users = {{QStringLiteral("&Pepe"), QStringLiteral("pepe")}, {QStringLiteral("&Luis"), QStringLiteral("luis")}};
    return settings;
}

} // namespace

class TestE2eTray : public PrivateDesktopTest
{
    Q_OBJECT

public:
    TestE2eTray()
        : PrivateDesktopTest(Tray::With)
    {
    }

private slots:
    void minimiseToTheTrayAndQuit();
    void theIconFollowsTheOptionAndGoesAtClose();

private:
    QString startProgram(BrisquelSession &program, const QByteArray &settings);
    // Clicks the program's one tray icon once it has settled in the tray.
    QString clickIcon(const BrisquelSession &program, int button, int clicks);
    // A double click on the icon until the window shows (bounded): a click
    // can still miss an icon the tray host is placing.
    QString restoreByDoubleClick(const BrisquelSession &program);
    // Ticks or unticks the tray option; the panel must be open.
    void toggleTrayOption(const BrisquelSession &program);
    void minimise(const BrisquelSession &program);
    // Right click on the icon, then the menu item's accelerator.
    QString chooseFromTrayMenu(const BrisquelSession &program, const QString &key);
    // Waits until the tray holds just these windows (its own and icons).
    QStringList waitForTrayWindows(const QStringList &expected) const;
};

QString TestE2eTray::startProgram(BrisquelSession &program, const QByteArray &settings)
{
    for (const QString &problem : {program.prepare(settings), program.start(), program.answerGreeting(true),
                                   program.waitForMainWindow()}) {
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

QString TestE2eTray::clickIcon(const BrisquelSession &program, int button, int clicks)
{
    // trayer may still move a new icon into its place: wait until it stays.
    std::optional<QRect> place;
    QString icon;
    const QDeadlineTimer deadline(3000);
    for (int steady = 0; steady < 3 && !deadline.hasExpired();) {
        const QStringList icons = program.trayIcons();
        const std::optional<QRect> now = icons.size() == 1 ? m_display->geometry(icons.first()) : std::nullopt;
        steady = (now && now == place && icons.first() == icon) ? steady + 1 : 0;
        place = now;
        icon = icons.size() == 1 ? icons.first() : QString();
        QTest::qSleep(40);
    }
    if (!place)
        return QStringLiteral("%1 tray icons instead of one").arg(program.trayIcons().size());
    m_display->xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), icon,
                        QString::number(place->width() / 2), QString::number(place->height() / 2),
                        QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(clicks),
                        QStringLiteral("--delay"), QStringLiteral("80"), QString::number(button)});
    return {};
}

QString TestE2eTray::restoreByDoubleClick(const BrisquelSession &program)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString clicked = clickIcon(program, 1, 2);
        if (!clicked.isEmpty())
            return clicked;
        if (program.waitForMainWindowShown(true, 1500))
            return {};
    }
    return QStringLiteral("a double click on the icon did not restore the window");
}

void TestE2eTray::toggleTrayOption(const BrisquelSession &program)
{
    program.click(kTrayOption);
}

void TestE2eTray::minimise(const BrisquelSession &program)
{
    m_display->xdotool({QStringLiteral("windowminimize"), program.mainWindow()});
}

QString TestE2eTray::chooseFromTrayMenu(const BrisquelSession &program, const QString &key)
{
    const QStringList before = program.visibleWindows();
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString clicked = clickIcon(program, 3, 1);
        if (!clicked.isEmpty())
            return clicked;
        if (!program.waitForNewWindow(before, 1500).isEmpty()) {
            program.key(key);
            return {};
        }
    }
    return QStringLiteral("the right button opened no menu");
}

QStringList TestE2eTray::waitForTrayWindows(const QStringList &expected) const
{
    QStringList sortedExpected = expected;
    sortedExpected.sort();
    const QDeadlineTimer deadline(5000);
    QStringList seen;
    do {
        seen = m_display->windowsInTray();
        seen.sort();
        if (seen == sortedExpected)
            break;
        QTest::qSleep(25);
    } while (!deadline.hasExpired());
    return seen;
}

void TestE2eTray::minimiseToTheTrayAndQuit()
{
    const QByteArray settings = anaSettings().bytes();
    BrisquelSession program(*m_display);
    const QString problem = startProgram(program, settings);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // Dated back, so a save, even of the same bytes, would show.
    const QDateTime written = QDateTime::currentDateTime().addDays(-1);
    {
        QFile ini(program.settingsPath());
        QVERIFY(ini.open(QIODevice::Append));
        QVERIFY(ini.setFileTime(written, QFileDevice::FileModificationTime));
    }
    QVERIFY2(program.trayIcons().isEmpty(), "a tray icon before minimising");
    QStringList trayBefore = m_display->windowsInTray();
    trayBefore.sort();

    program.key(QStringLiteral("alt+c"));
    QCOMPARE(program.waitForMainWindowSize(kWide), kWide);
    toggleTrayOption(program);
    minimise(program);
    QVERIFY2(program.waitForMainWindowShown(false), "minimising to the tray left the window on screen");
    QVERIFY2(program.waitForTrayIcons(1), "no icon docked in the tray");

    // A double click restores; the icon stays, and stays one.
    const QString restored = restoreByDoubleClick(program);
    QVERIFY2(restored.isEmpty(), qPrintable(restored));
    QCOMPARE(program.trayIcons().size(), 1);
    minimise(program);
    QVERIFY2(program.waitForMainWindowShown(false), "the second minimise left the window on screen");
    QVERIFY2(program.waitForTrayIcons(1), "the second minimise did not leave exactly one icon");

    // The quick message, at the bottom-right corner.
    const QString chosen = chooseFromTrayMenu(program, QStringLiteral("m"));
    QVERIFY2(chosen.isEmpty(), qPrintable(chosen));
    const QString quick = program.waitForDialog();
    QVERIFY2(!quick.isEmpty(), "\"&Mensaje Rápido\" opened no dialog");
    const std::optional<QRect> corner = m_display->geometry(quick);
    QVERIFY(corner);
    QVERIFY2(qAbs(corner->x() - kQuickLeft) <= 1 && qAbs(corner->y() - kQuickTop) <= 1,
             qPrintable(QStringLiteral("the quick message stands at %1,%2").arg(corner->x()).arg(corner->y())));
    // While it is open, a double click on the icon brings it to the front,
    // and the focus with it, rather than restoring the main window.
    m_display->xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), m_display->trayPanel()});
    // Qt keeps a window active for 400 ms after it loses the focus, in case
    // the focus comes back; only then does bringing it forward move the
    // focus again.
    QTest::qSleep(500);
    const QString doubleClicked = clickIcon(program, 1, 2);
    QVERIFY2(doubleClicked.isEmpty(), qPrintable(doubleClicked));
    QVERIFY2(program.waitForFocus(quick), "a double click on the icon left the quick message in the back");
    // The right button still opens the menu.
    const QStringList withQuick = program.visibleWindows();
    const QString rightClicked = clickIcon(program, 3, 1);
    QVERIFY2(rightClicked.isEmpty(), qPrintable(rightClicked));
    const QString menu = program.waitForNewWindow(withQuick, 1500);
    QVERIFY2(!menu.isEmpty(), "the right button opened no menu while the quick message was open");
    if (!menu.isEmpty())
        program.key(QStringLiteral("Escape"));
    m_display->xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), quick});
    const QString vienes = QStringLiteral("¿Vienes?");
    program.type(vienes);
    program.key(QStringLiteral("Tab"));  // to the list of users
    program.key(QStringLiteral("Down")); // its first entry: "&Pepe"
    QCOMPARE(describeCalls(program.takeCalls(1)),
             describeCalls({{QStringLiteral("send"), QStringLiteral("pepe"),
                             vienes + QStringLiteral("\n\r\n\rAna@Brisquel v2.4b")}}));
    QVERIFY2(program.waitForNoDialog(), "the quick message stayed after sending");
    QVERIFY2(!program.visibleWindows().contains(program.mainWindow()), "the main window came back");

    // "&Salir": the end, without a save.
    const QString quit = chooseFromTrayMenu(program, QStringLiteral("s"));
    QVERIFY2(quit.isEmpty(), qPrintable(quit));
    QVERIFY2(program.waitForExit(), "\"&Salir\" did not end the program");
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(waitForTrayWindows(trayBefore), trayBefore);
    const std::optional<QByteArray> after = program.settingsFile();
    QVERIFY(after);
    QVERIFY2(*after == settings, "\"&Salir\" changed brisquel.ini");
    QCOMPARE(QFileInfo(program.settingsPath()).lastModified(), written);
    QCOMPARE(describeCalls(program.takeCalls(0)), describeCalls({}));
}

void TestE2eTray::theIconFollowsTheOptionAndGoesAtClose()
{
    const SettingsFixture settings = anaSettings();
    BrisquelSession program(*m_display);
    const QString problem = startProgram(program, settings.bytes());
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QStringList trayBefore = m_display->windowsInTray();
    trayBefore.sort();

    program.key(QStringLiteral("alt+c"));
    QCOMPARE(program.waitForMainWindowSize(kWide), kWide);
    toggleTrayOption(program);
    minimise(program);
    QVERIFY2(program.waitForTrayIcons(1), "no icon docked in the tray");
    QVERIFY2(program.waitForMainWindowShown(false), "minimising to the tray left the window on screen");

    // "&Restaurar" brings the window back and leaves the icon.
    const QString chosen = chooseFromTrayMenu(program, QStringLiteral("r"));
    QVERIFY2(chosen.isEmpty(), qPrintable(chosen));
    QVERIFY2(program.waitForMainWindowShown(true), "\"&Restaurar\" did not restore the window");
    QCOMPARE(program.trayIcons().size(), 1);

    // Unticked, minimising takes the icon away and leaves the window
    // minimised for the taskbar, from where it is mapped again.
    toggleTrayOption(program);
    minimise(program);
    QVERIFY2(program.waitForTrayIcons(0), "the icon stayed after minimising without the option");
    QVERIFY2(program.waitForMainWindowShown(false), "the window was not minimised");
    m_display->xdotool({QStringLiteral("windowmap"), program.mainWindow()});
    QVERIFY2(program.waitForMainWindowShown(true), "the window did not come back from the taskbar");

    // Ticked again: to the tray and back; the close takes the icon along.
    toggleTrayOption(program);
    minimise(program);
    QVERIFY2(program.waitForTrayIcons(1), "no icon docked in the tray the second time");
    const QString restored = restoreByDoubleClick(program);
    QVERIFY2(restored.isEmpty(), qPrintable(restored));
    QCOMPARE(program.trayIcons().size(), 1);

    program.closeMainWindow();
    QVERIFY2(program.waitForExit(), "closing the main window did not end the program");
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);
    QCOMPARE(waitForTrayWindows(trayBefore), trayBefore);
    SettingsFixture expected = settings;
    expected.general[1] = loginName();
    const std::optional<QByteArray> saved = program.settingsFile();
    QVERIFY(saved);
    QCOMPARE(QString::fromLatin1(*saved), QString::fromLatin1(expected.bytes()));
    QCOMPARE(describeCalls(program.takeCalls(0)), describeCalls({}));
}

QTEST_GUILESS_MAIN(TestE2eTray)
#include "tst_e2e_tray.moc"
