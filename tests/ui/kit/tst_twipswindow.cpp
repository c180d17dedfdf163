#include "kitsupport.h"

#include "ui/kit/placebeside.h"
#include "ui/kit/twips.h"
#include "ui/kit/twipswindow.h"
#include "ui/kit/exacttextbox.h"

#include <QPushButton>
#include <QShortcut>
#include <QTest>

using brisquel::TwipsWindow;

namespace {

// A window that notes its events; optionally it forces its size back on
// every resize, as the dialogs do.
class NotingWindow : public TwipsWindow {
public:
    using TwipsWindow::TwipsWindow;

    double fixedWidth = 0;
    double fixedHeight = 0;
    int resizes = 0;
    QList<bool> minimizedSeen;
    QList<int> keys;

    void onSizeOrStateChanged() override
    {
        ++resizes;
        minimizedSeen << isMinimized();
        if (fixedWidth > 0) {
            setHeightTwips(fixedHeight);
            setWidthTwips(fixedWidth);
        }
    }
    void onUnclaimedKey(int &key) override { keys << key; }
};

} // namespace

class TstTwipsWindow : public QObject {
    Q_OBJECT

private slots:
    void controlsArePlacedInTwips_data();
    void controlsArePlacedInTwips();
    void sizeAndPositionAreOuterTwips();
    void placedBesideAnotherWindow_data();
    void placedBesideAnotherWindow();
    void formResizeRunsOnResizeAndStateChange();
    void sizeForcedBackOnResizeSettles();
    void unclaimedKeysReachTheWindow();
    void windowShortcutsAndTheTextBox();
};

void TstTwipsWindow::controlsArePlacedInTwips_data()
{
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<QRect>("placed");
    QTest::addColumn<QPoint>("insideFrame");

    // The message box of the main window: 60, 60, 4155 x 2295 twips.
    QTest::newRow("96 dpi") << 15.0 << QRect(4, 4, 277, 153) << QPoint(12, 284);
    QTest::newRow("120 dpi") << 12.0 << QRect(5, 5, 346, 191) << QPoint(15, 355);
    QTest::newRow("144 dpi") << 10.0 << QRect(6, 6, 416, 230) << QPoint(18, 426);
}

void TstTwipsWindow::controlsArePlacedInTwips()
{
    QFETCH(double, twipsPerPixel);
    QFETCH(QRect, placed);
    QFETCH(QPoint, insideFrame);

    brisquel::FakeScreenMetrics screen(twipsPerPixel);
    TwipsWindow form(screen);
    QWidget control(&form);
    form.place(&control, 60, 60, 4155, 2295);
    QCOMPARE(control.geometry(), placed);

    // Inside a frame the lengths count from the frame.
    QWidget frame(&form);
    QWidget inside(&frame);
    brisquel::placeTwips(&frame, 60, 3960, 5595, 855, screen);
    brisquel::placeTwips(&inside, 120, 300, 3495, 315, screen);
    QCOMPARE(inside.mapTo(&form, QPoint(0, 0)), insideFrame);
}

void TstTwipsWindow::sizeAndPositionAreOuterTwips()
{
    brisquel::FakeScreenMetrics screen;

    // A window with a title bar: the outer size counts one fixed nominal
    // frame (3-pixel borders, a 19-pixel caption), whatever the window
    // manager draws, and the user cannot change it.
    TwipsWindow framed(screen);
    framed.setWidthTwips(5805);
    framed.setHeightTwips(4305);
    QCOMPARE(framed.widthTwips(), 5805.0);
    QCOMPARE(framed.heightTwips(), 4305.0);
    framed.setLeftTwips(1500);
    framed.setTopTwips(600);
    framed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&framed));
    QCOMPARE(framed.geometry().size(), QSize(381, 262));
    QCOMPARE(framed.widthTwips(), 5805.0);
    QCOMPARE(framed.heightTwips(), 4305.0);
    // The client area stands inside the nominal frame.
    QCOMPARE(framed.geometry().topLeft(), QPoint(103, 62));
    QCOMPARE(framed.leftTwips(), 1500.0);
    QCOMPARE(framed.topTwips(), 600.0);
    QCOMPARE(framed.minimumSize(), framed.maximumSize());
    framed.resize(500, 400);
    QCOMPARE(framed.geometry().size(), QSize(381, 262));

    // Widths in between pixels round to the nearest one.
    framed.setWidthTwips(5813);
    QCOMPARE(framed.widthTwips(), 5820.0);
    QCOMPARE(framed.geometry().width(), 382);

    // A length not set keeps its inside size.
    TwipsWindow widthOnly(screen);
    widthOnly.resize(100, 100);
    widthOnly.setWidthTwips(3000);
    QCOMPARE(widthOnly.geometry().size(), QSize(194, 100));

    // Without a title bar the window draws a 4-pixel border of its own
    // inside its outer size, and its controls count from within it.
    TwipsWindow bare(screen);
    bare.setWindowFlags(Qt::FramelessWindowHint);
    bare.setWidthTwips(5370);
    bare.setHeightTwips(975);
    QWidget control(&bare);
    bare.place(&control, 0, 0, 150, 150);
    QCOMPARE(control.geometry(), QRect(4, 4, 10, 10));
    bare.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bare));
    QCOMPARE(bare.geometry().size(), QSize(358, 65));
    QCOMPARE(bare.widthTwips(), 5370.0);

    bare.setWindowTitle(QStringLiteral("Brisquel v2.4b"));
    QCOMPARE(bare.windowTitle(), QStringLiteral("Brisquel v2.4b"));
    QVERIFY(bare.isVisible());
    bare.hide();
    QVERIFY(!bare.isVisible());
}

void TstTwipsWindow::placedBesideAnotherWindow_data()
{
    // A 1024 x 768 screen; the window placed is 5805 x 4305 twips
    // (387 x 287 pixels), the other one stands at `other`, in pixels.
    QTest::addColumn<QRect>("other");
    QTest::addColumn<QRect>("panelFree"); // what the panels leave, in twips; null: all
    QTest::addColumn<QPointF>("placed");  // twips

    QTest::newRow("right of it") << QRect(100, 253, 387, 287) << QRect() << QPointF(487 * 15, 253 * 15);
    QTest::newRow("left when the right is full")
        << QRect(600, 100, 387, 287) << QRect() << QPointF(600 * 15 - 5805, 100 * 15);
    QTest::newRow("below when neither side has room")
        << QRect(100, 50, 830, 287) << QRect() << QPointF(100 * 15, 337 * 15);
    QTest::newRow("above when only that has room")
        << QRect(100, 400, 830, 287) << QRect() << QPointF(100 * 15, 400 * 15 - 4305);
    // The right would have room on the whole screen.
    QTest::newRow("kept clear of a panel on the right")
        << QRect(250, 50, 387, 287) << QRect(0, 0, 900 * 15, 768 * 15) << QPointF(250 * 15, 337 * 15);
    QTest::newRow("against the roomier side's edge when no side has room")
        << QRect(300, 200, 387, 287) << QRect() << QPointF(1024 * 15 - 5805, 200 * 15);
    QTest::newRow("on the left when that is roomier")
        << QRect(337, 200, 387, 287) << QRect() << QPointF(0, 200 * 15);
}

void TstTwipsWindow::placedBesideAnotherWindow()
{
    QFETCH(QRect, other);
    QFETCH(QRect, panelFree);
    QFETCH(QPointF, placed);
    brisquel::FakeScreenMetrics screen;
    screen.available = panelFree;
    QWidget otherWindow;
    otherWindow.setGeometry(other);
    TwipsWindow window(screen);
    window.setWidthTwips(5805);
    window.setHeightTwips(4305);

    brisquel::placeBeside(window, otherWindow, screen);
    QCOMPARE(QPointF(window.leftTwips(), window.topTwips()), placed);
}

void TstTwipsWindow::formResizeRunsOnResizeAndStateChange()
{
    brisquel::FakeScreenMetrics screen;
    NotingWindow form(screen);
    form.resize(300, 200);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resizes = 0;
    form.minimizedSeen.clear();

    form.resize(320, 200);
    QCOMPARE(form.resizes, 1);
    form.setWidthTwips(form.widthTwips()); // the size it has
    QCOMPARE(form.resizes, 1);

    form.minimize();
    QTRY_VERIFY(form.minimizedSeen.contains(true));
    QVERIFY(form.isMinimized());
    form.restore();
    QTRY_COMPARE(form.minimizedSeen.last(), false);
    QVERIFY(!form.isMinimized());
    // Minimising ran the handler once, in the minimised state.
    QCOMPARE(form.minimizedSeen.count(true), 1);
}

void TstTwipsWindow::sizeForcedBackOnResizeSettles()
{
    brisquel::FakeScreenMetrics screen;
    NotingWindow dialog(screen);
    dialog.setWindowFlags(Qt::FramelessWindowHint);
    dialog.fixedWidth = 5370;
    dialog.fixedHeight = 975;
    dialog.setWidthTwips(5370);
    dialog.setHeightTwips(975);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.resizes = 0;

    dialog.resize(600, 400);
    QCOMPARE(dialog.size(), QSize(358, 65));
    // Assigning the size the window already has runs nothing more.
    dialog.setWidthTwips(5370);
    QCOMPARE(dialog.resizes, 0);
    QCoreApplication::processEvents();
    QCOMPARE(dialog.size(), QSize(358, 65));
}

void TstTwipsWindow::unclaimedKeysReachTheWindow()
{
    brisquel::FakeScreenMetrics screen;
    NotingWindow form(screen);
    form.resize(300, 200);
    auto *button = new QPushButton(QStringLiteral("OK"), &form);
    button->setGeometry(10, 10, 80, 25);
    auto *box = new brisquel::ExactTextBox(false, &form);
    box->setGeometry(10, 50, 200, 25);
    QVERIFY(kittest::showActive(form));

    button->setFocus();
    QTest::keyClicks(button, QStringLiteral("x"));
    QTest::keyClick(button, Qt::Key_Escape);
    QTest::keyClick(button, Qt::Key_Left);
    QTest::keyClick(button, Qt::Key_F5);
    QCOMPARE(form.keys, (QList<int>{120, 27}));

    // A text box takes its character keys itself.
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("y"));
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(form.keys, (QList<int>{120, 27}));
    QCOMPARE(box->text(), QStringLiteral("y"));
}

void TstTwipsWindow::windowShortcutsAndTheTextBox()
{
    brisquel::FakeScreenMetrics screen;
    NotingWindow dialog(screen);
    dialog.resize(300, 100);
    auto *box = new brisquel::ExactTextBox(false, &dialog);
    box->setGeometry(10, 10, 200, 25);
    int escapes = 0;
    int letters = 0;
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), &dialog),
                     &QShortcut::activated, &dialog, [&] { ++escapes; });
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_A), &dialog), &QShortcut::activated,
                     &dialog, [&] { ++letters; });
    QObject::connect(new QShortcut(QKeySequence::Paste, &dialog), &QShortcut::activated,
                     &dialog, [&] { ++letters; });
    QList<int> boxKeys;
    QObject::connect(box, &brisquel::ExactTextBox::characterKey, box,
                     [&](int &key) { boxKeys << key; });
    QVERIFY(kittest::showActive(dialog));
    box->setFocus();

    // Esc belongs to the window (its cancel button); the keys the box edits
    // with stay the box's.
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(escapes, 1);
    QTest::keyClicks(box, QStringLiteral("a"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(letters, 0);
    QCOMPARE(boxKeys, (QList<int>{97, 22}));
    QCOMPARE(box->text().left(1), QStringLiteral("a"));
}

QTEST_MAIN(TstTwipsWindow)
#include "tst_twipswindow.moc"
