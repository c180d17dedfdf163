#include "platform/qtmessagebox.h"
#include "platform/qtscreenmetrics.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace brisquel;

namespace {

// What the box looked like while it was up.
struct Seen {
    bool shown = false;
    QString title;
    QString text;
    QStringList buttons;
    QString defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool onTop = false;
    Qt::WindowModality modality = Qt::NonModal;
};

QPushButton *buttonWithText(QMessageBox *box, const QString &text)
{
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == text)
            return qobject_cast<QPushButton *>(button);
    }
    return nullptr;
}

// Shows the real box and, once it is on screen, notes what it shows and
// hands it to `answer`, as a user would. A box left open is closed after a
// while so that a broken answer fails the test instead of hanging it.
MessageBox::Answer showAndAnswer(const QString &text, const MessageBox::Style &style, const QString &title,
                  const std::function<void(QMessageBox *)> &answer, Seen &seen)
{
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        poll.stop();
        seen.shown = true;
        seen.title = box->windowTitle();
        if (const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
            seen.text = label->text();
        for (QAbstractButton *button : box->buttons())
            seen.buttons << button->text();
        seen.buttons.sort();
        if (box->defaultButton() != nullptr)
            seen.defaultButton = box->defaultButton()->text();
        seen.icon = box->icon();
        seen.onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        seen.modality = box->windowModality();
        answer(box);
    });
    poll.start();

    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->done(-1);
    });
    watchdog.start(10000);

    QtMessageBox messageBox;
    return messageBox.show(text, style, title);
}

// Keys go where a user's keys go: to the widget with the focus.
std::function<void(QMessageBox *)> press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return [key, modifiers](QMessageBox *box) {
        QWidget *target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : box, static_cast<Qt::Key>(key), modifiers);
    };
}

std::function<void(QMessageBox *)> click(const QString &buttonText)
{
    return [buttonText](QMessageBox *box) {
        QPushButton *button = buttonWithText(box, buttonText);
        if (button != nullptr)
            QTest::mouseClick(button, Qt::LeftButton);
    };
}

} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void greeting_data();
    void greeting();
    void about_data();
    void about();
    void yesIsDefaultUnlessNoIsAsked();
    void questionHasNoEscape();
    void screenInTwips();
};

void TestMessageBox::greeting_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<bool>("expectedYes");

    QTest::newRow("Enter on the default No") << int(Qt::Key_Return) << int(Qt::NoModifier) << QString() << false;
    QTest::newRow("Alt+S") << int(Qt::Key_S) << int(Qt::AltModifier) << QString() << true;
    QTest::newRow("Alt+N") << int(Qt::Key_N) << int(Qt::AltModifier) << QString() << false;
    QTest::newRow("click Sí") << 0 << 0 << QStringLiteral("&Sí") << true;
    QTest::newRow("click No") << 0 << 0 << QStringLiteral("&No") << false;
}

void TestMessageBox::greeting()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, clicked);
    QFETCH(bool, expectedYes);

    const QString lb = QStringLiteral("\n\r");
    const QString text = "Hola ana, una cosita antes de empezar:" + lb
        + "Esto es una versión BETA (no finalizada...)" + lb + lb + "¿Deseas utilizarla?";
    Seen seen;
    const auto answer = clicked.isEmpty() ? press(key, Qt::KeyboardModifiers(modifiers)) : click(clicked);
    const MessageBox::Answer result = showAndAnswer(
        text,
        {MessageBox::Buttons::YesNo, MessageBox::Icon::Information, MessageBox::NoIsDefault | MessageBox::StaysOnTop},
        QStringLiteral("Brisquel v2.4b rev 10"), answer, seen);

    QVERIFY(seen.shown);
    QVERIFY(result == (expectedYes ? MessageBox::Answer::Yes : MessageBox::Answer::No));
    QCOMPARE(seen.title, QStringLiteral("Brisquel v2.4b rev 10"));
    QCOMPARE(seen.text, QStringLiteral("Hola ana, una cosita antes de empezar:\n"
                                       "Esto es una versión BETA (no finalizada...)\n\n"
                                       "¿Deseas utilizarla?"));
    QCOMPARE(seen.buttons, (QStringList{QStringLiteral("&No"), QStringLiteral("&Sí")}));
    QCOMPARE(seen.defaultButton, QStringLiteral("&No"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QVERIFY(seen.onTop);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
}

void TestMessageBox::about_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TestMessageBox::about()
{
    QFETCH(int, key);

    // Lone CRs and a CR LF are left as they come; only LF CR is the
    // program's own line break.
    const QString text = QStringLiteral("Brisquel por Velmarox\n\rversión BETA no finalizada \n\ra\r\nb\n\r");
    Seen seen;
    const MessageBox::Answer result = showAndAnswer(text, {MessageBox::Buttons::Ok, MessageBox::Icon::Information},
                                                    QStringLiteral("Brisquel v2.4b rev 10"), press(key), seen);

    QVERIFY(seen.shown);
    QVERIFY(result == MessageBox::Answer::Ok);
    QCOMPARE(seen.text, QStringLiteral("Brisquel por Velmarox\nversión BETA no finalizada \na\r\nb\n"));
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("Aceptar")});
    QCOMPARE(seen.icon, QMessageBox::Information);
    QVERIFY(!seen.onTop);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
}

void TestMessageBox::yesIsDefaultUnlessNoIsAsked()
{
    Seen seen;
    QVERIFY(showAndAnswer(QStringLiteral("¿Seguro?"), {MessageBox::Buttons::YesNo}, QStringLiteral("t"),
                          press(Qt::Key_Return), seen)
            == MessageBox::Answer::Yes);
    QCOMPARE(seen.defaultButton, QStringLiteral("&Sí"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
}

void TestMessageBox::questionHasNoEscape()
{
    // Neither Esc nor the close button answers; only Yes or No do.
    Seen seen;
    bool stayed = false;
    const MessageBox::Answer result = showAndAnswer(
        QStringLiteral("¿Deseas utilizarla?"),
        {MessageBox::Buttons::YesNo, MessageBox::Icon::None, MessageBox::NoIsDefault | MessageBox::StaysOnTop},
        QStringLiteral("t"),
        [&stayed](QMessageBox *box) {
            press(Qt::Key_Escape)(box);
            box->close();
            QCoreApplication::processEvents();
            stayed = box->isVisible();
            press(Qt::Key_S, Qt::AltModifier)(box);
        },
        seen);
    QVERIFY(stayed);
    QVERIFY(result == MessageBox::Answer::Yes);
}

void TestMessageBox::screenInTwips()
{
    // The headless screen is a 96-dpi one: 15 twips to a pixel.
    const QtScreenMetrics metrics;
    const QSize pixels = QGuiApplication::primaryScreen()->size();
    QCOMPARE(metrics.twipsPerPixelX(), 15.0);
    QCOMPARE(metrics.twipsPerPixelY(), 15.0);
    QCOMPARE(metrics.screenWidthTwips(), pixels.width() * 15);
    QCOMPARE(metrics.screenHeightTwips(), pixels.height() * 15);
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
