// Failed sends as the user meets them, driven only from outside: a `net`
// that fails with its reason, and no `net` at all. The notice shows without
// taking the focus, so the user goes on typing in the message box, and
// closes from the keyboard once the user brings it forward.

#include "brisquelsession.h"
#include "privatedesktoptest.h"
#include "settingsfixture.h"
#include "support/virtualdisplay.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTest>

namespace {

TwipsRect recipient(int i)
{
    static constexpr int kLefts[] = {60, 1440, 2820};
    return {kLefts[i % 3], 2460, 1395, 315};
}
const TwipsRect kModeButton{4260, 480, 1395, 915};
const QString kNoticeName = QStringLiteral("Brisquel: mensaje no entregado");
const QString kNoticeTitle = QLatin1Char('^') + kNoticeName + QLatin1Char('$');

// Records its start like the session's own stand-in, then fails for every
// recipient but "juan", saying why as our net does.
const QByteArray kFailingNet = "#!/bin/sh\n"
                                "calls=\"${0%/*}/calls\"\n"
                                "printf '%s\\0' \"$@\" > \"$calls/.$$\" && mv \"$calls/.$$\" \"$calls/$$\"\n"
                                "[ \"$2\" = juan ] && exit 0\n"
                                "echo \"net: no se pudo enviar el mensaje a \\\"$2\\\": no responde.\" >&2\n"
                                "exit 3\n";

QByteArray settings()
{
    SettingsFixture fixture;
    fixture.general = {QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("1"),
                       QStringLiteral("Liberation Sans"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral(" 10"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral(" 0"), QStringLiteral(" 16777215")};
    fixture.users = {{QStringLiteral("&Pepe"), QStringLiteral("pepe")}, {QStringLiteral("&Juan"), QStringLiteral("juan")}};
    fixture.groups = {{QStringLiteral("&Amigos"), QStringLiteral("pepe, juan, luis")}};
    return fixture.bytes();
}

QString counting(int left)
{
    return QStringLiteral("Brisquel v2.4b - Quedan %1 letras...").arg(left);
}

// Windows of the program with the notice's title, visible now.
QStringList notices(const VirtualDisplay &display, const BrisquelSession &program)
{
    QStringList found;
    for (const QString &window : program.visibleWindows()) {
        if (display.windowTitle(window) == kNoticeName)
            found << window;
    }
    return found;
}

bool noNoticeFor(const VirtualDisplay &display, const BrisquelSession &program, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (!notices(display, program).isEmpty())
            return false;
        QTest::qWait(50);
    }
    return true;
}

} // namespace

class TestE2eNotice : public PrivateDesktopTest
{
    Q_OBJECT

private slots:
    void failingNetIsToldOncePerClick();
    void missingNetIsToldOnce();

private:
    // Starts the program with the given `net` beside it (none at all when
    // empty), and waits until the message box takes keys.
    QString startProgram(BrisquelSession &program, const QByteArray &net);
};

QString TestE2eNotice::startProgram(BrisquelSession &program, const QByteArray &net)
{
    QString problem = program.prepare(settings());
    if (!problem.isEmpty())
        return problem;
    QFile script(program.folder() + QStringLiteral("/net"));
    if (net.isEmpty()) {
        script.remove();
        // Nothing on PATH either: the system may have a `net` of its own.
        program.setEnvironmentValue(QStringLiteral("PATH"), program.folder() + QStringLiteral("/nowhere"));
    } else if (!script.open(QIODevice::WriteOnly) || script.write(net) != net.size()) {
        return QStringLiteral("cannot write the failing net");
    }
    for (const QString &step : {program.start(), program.answerGreeting(true), program.waitForMainWindow()}) {
        if (!step.isEmpty())
            return step;
    }
    return {};
}

void TestE2eNotice::failingNetIsToldOncePerClick()
{
    BrisquelSession program(*m_display);
    const QString started = startProgram(program, kFailingNet);
    QVERIFY2(started.isEmpty(), qPrintable(started));

    program.type(QStringLiteral("Hola"));
    QCOMPARE(program.waitForCaption(counting(843)), counting(843));
    program.click(kModeButton);
    program.click(recipient(0));
    QCOMPARE(program.takeCalls(3).size(), 3);

    // Two of three failed: one notice, and the keys still go to the box.
    const QString notice = m_display->waitForWindow(kNoticeTitle, 5000);
    QVERIFY2(!notice.isEmpty(), "no notice of the failed sends");
    QTest::qWait(300);
    QCOMPARE(notices(*m_display, program), QStringList{notice});
    program.type(QStringLiteral("s"));
    QCOMPARE(program.waitForCaption(counting(842)), counting(842));

    // A send that arrives says nothing more.
    program.click(kModeButton);
    program.click(recipient(1));
    QCOMPARE(program.takeCalls(1).size(), 1);
    QCOMPARE(notices(*m_display, program), QStringList{notice});
    program.type(QStringLiteral("!"));
    QCOMPARE(program.waitForCaption(counting(841)), counting(841));

    // Brought forward by the user, it closes from the keyboard.
    m_display->xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), notice});
    program.key(QStringLiteral("Escape"));
    QTRY_VERIFY2_WITH_TIMEOUT(notices(*m_display, program).isEmpty(), "Esc did not close the notice", 3000);
}

void TestE2eNotice::missingNetIsToldOnce()
{
    BrisquelSession program(*m_display);
    const QString started = startProgram(program, {});
    QVERIFY2(started.isEmpty(), qPrintable(started));

    program.type(QStringLiteral("Hola"));
    QCOMPARE(program.waitForCaption(counting(843)), counting(843));
    program.click(recipient(0));
    const QString notice = m_display->waitForWindow(kNoticeTitle, 5000);
    QVERIFY2(!notice.isEmpty(), "no word about the missing net");
    program.type(QStringLiteral("s"));
    QCOMPARE(program.waitForCaption(counting(842)), counting(842));

    // Closed with its button (bottom right), it stays closed: the user was told.
    const std::optional<QRect> place = m_display->geometry(notice);
    QVERIFY(place.has_value());
    m_display->xdotool({QStringLiteral("mousemove"), QString::number(place->right() - 30),
                        QString::number(place->bottom() - 18), QStringLiteral("click"), QStringLiteral("1")});
    QTRY_VERIFY2_WITH_TIMEOUT(notices(*m_display, program).isEmpty(), "the notice did not close", 3000);
    program.click(recipient(1));
    QVERIFY(noNoticeFor(*m_display, program, 1500));
}

QTEST_GUILESS_MAIN(TestE2eNotice)
#include "tst_e2e_notice.moc"
