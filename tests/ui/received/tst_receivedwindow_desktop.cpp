// A message that arrives while the user types elsewhere appears on top and
// leaves the keys where they were. Only a real window manager that gives new
// windows the focus shows this, so the test runs on a private X display
// with openbox; the headless platform activates every window it shows.
#include "receivedsupport.h"

#include "fakes/fakescreenmetrics.h"
#include "support/virtualdisplay.h"
#include "ui/received/receivedmessagewindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

using namespace brisquel;

namespace {

QString whyNoDesktop()
{
    const QString missing = VirtualDisplay::whyUnavailable();
    if (!missing.isEmpty())
        return missing;
    return QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty() ? QStringLiteral("no openbox")
                                                                             : QString();
}

} // namespace

class TestReceivedWindowOnADesktop : public QObject {
    Q_OBJECT

public:
    explicit TestReceivedWindowOnADesktop(QString whyNot)
        : m_whyNot(std::move(whyNot))
    {
    }

private slots:
    void initTestCase();
    void appearsWithoutTakingTheKeys();

private:
    QString m_whyNot;
};

void TestReceivedWindowOnADesktop::initTestCase()
{
    if (!m_whyNot.isEmpty())
        QSKIP(qPrintable(QStringLiteral("No private X display with openbox: ") + m_whyNot));
}

void TestReceivedWindowOnADesktop::appearsWithoutTakingTheKeys()
{
    QWidget typing;
    typing.resize(400, 300);
    auto *box = new QLineEdit(&typing);
    typing.show();
    typing.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&typing));
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("Hola"));

    FakeScreenMetrics screen;
    ReceivedMessages messages;
    messages.add(receivedtest::message(1, QStringLiteral("pepe"), QStringLiteral("192.0.2.7"), 7, QStringLiteral("¿Vienes?")));
    ReceivedMessageWindow window(screen, messages);
    window.load();
    window.showWithoutTakingKeys();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Long enough for the window manager to have handed the focus on, had
    // it wanted to.
    QTest::qWait(300);
    QCOMPARE(QApplication::activeWindow(), &typing);
    QVERIFY(box->hasFocus());

    // Minimised meanwhile, it comes back the same way.
    window.showMinimized();
    QTRY_VERIFY(window.isMinimized());
    typing.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&typing));
    window.showWithoutTakingKeys();
    QTRY_VERIFY(!window.isMinimized());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(300);
    QCOMPARE(QApplication::activeWindow(), &typing);

    // Brought forward by the user, it takes the keys as any window.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("messageText"));
}

int main(int argc, char *argv[])
{
    // The display must exist before the application connects to it.
    QString whyNot = whyNoDesktop();
    VirtualDisplay display;
    if (whyNot.isEmpty())
        whyNot = display.start();
    if (whyNot.isEmpty())
        whyNot = display.startWindowManager(QStringLiteral("openbox"),
                                            {QStringLiteral("--startup"), QStringLiteral("echo ready")});
    if (whyNot.isEmpty()) {
        qputenv("DISPLAY", display.name().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    TestReceivedWindowOnADesktop test(whyNot);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_receivedwindow_desktop.moc"
