#include "kitsupport.h"

#include "ui/kit/twips.h"
#include "ui/kit/vbform.h"
#include "ui/kit/vbtextbox.h"

#include <QPushButton>
#include <QShortcut>
#include <QTest>

using brisquel::Integer;
using brisquel::VbForm;

namespace {

// A window that notes its events; optionally it forces its size back on
// every resize, as the dialogs do.
class NotingForm : public VbForm {
public:
    using VbForm::VbForm;

    double fixedWidth = 0;
    double fixedHeight = 0;
    int resizes = 0;
    QList<int> statesSeen;
    int paints = 0;
    QList<int> keys;

    void Form_Resize() override
    {
        ++resizes;
        statesSeen << WindowState();
        if (fixedWidth > 0) {
            setHeight(fixedHeight);
            setWidth(fixedWidth);
        }
    }
    void Form_Paint() override { ++paints; }
    void Form_KeyPress(Integer &KeyAscii) override { keys << KeyAscii; }
};

} // namespace

class TstForm : public QObject {
    Q_OBJECT

private slots:
    void controlsArePlacedInTwips_data();
    void controlsArePlacedInTwips();
    void sizeAndPositionAreOuterTwips();
    void formResizeRunsOnResizeAndStateChange();
    void sizeForcedBackInFormResizeSettles();
    void formPaintRunsWhenDrawn();
    void formKeyPressGetsKeysNoControlTook();
    void windowShortcutsAndTheTextBox();
};

void TstForm::controlsArePlacedInTwips_data()
{
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<QRect>("placed");

    // The message box of the main window: 60, 60, 4155 x 2295 twips.
    QTest::newRow("96 dpi") << 15.0 << QRect(4, 4, 277, 153);
    QTest::newRow("120 dpi") << 12.0 << QRect(5, 5, 346, 191);
    QTest::newRow("144 dpi") << 10.0 << QRect(6, 6, 416, 230);
}

void TstForm::controlsArePlacedInTwips()
{
    QFETCH(double, twipsPerPixel);
    QFETCH(QRect, placed);

    kittest::FakeScreen screen(twipsPerPixel);
    VbForm form(screen);
    QWidget control(&form);
    form.place(&control, 60, 60, 4155, 2295);
    QCOMPARE(control.geometry(), placed);

    // Inside a frame the lengths count from the frame.
    QWidget frame(&form);
    QWidget inside(&frame);
    brisquel::placeTwips(&frame, 60, 3960, 5595, 855, screen);
    brisquel::placeTwips(&inside, 120, 300, 3495, 315, screen);
    QCOMPARE(inside.mapTo(&form, QPoint(0, 0)),
             QPoint(brisquel::twipsToPixels(180, twipsPerPixel),
                    brisquel::twipsToPixels(3960, twipsPerPixel) +
                        brisquel::twipsToPixels(300, twipsPerPixel)));
}

void TstForm::sizeAndPositionAreOuterTwips()
{
    kittest::FakeScreen screen;

    // A window with a title bar: the outer size counts one fixed nominal
    // frame (3-pixel borders, a 19-pixel caption), whatever the window
    // manager draws, and the user cannot change it.
    VbForm framed(screen);
    framed.setWidth(5805);
    framed.setHeight(4305);
    QCOMPARE(framed.Width(), 5805.0);
    QCOMPARE(framed.Height(), 4305.0);
    framed.setLeft(1500);
    framed.setTop(600);
    framed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&framed));
    QCOMPARE(framed.geometry().size(), QSize(381, 262));
    QCOMPARE(framed.Width(), 5805.0);
    QCOMPARE(framed.Height(), 4305.0);
    // The client area stands inside the nominal frame.
    QCOMPARE(framed.geometry().topLeft(), QPoint(103, 62));
    QCOMPARE(framed.Left(), 1500.0);
    QCOMPARE(framed.Top(), 600.0);
    QCOMPARE(framed.minimumSize(), framed.maximumSize());
    framed.resize(500, 400);
    QCOMPARE(framed.geometry().size(), QSize(381, 262));

    // Widths in between pixels round to the nearest one.
    framed.setWidth(5813);
    QCOMPARE(framed.Width(), 5820.0);
    QCOMPARE(framed.geometry().width(), 382);

    // A length not set keeps its inside size.
    VbForm widthOnly(screen);
    widthOnly.resize(100, 100);
    widthOnly.setWidth(3000);
    QCOMPARE(widthOnly.geometry().size(), QSize(194, 100));

    // Without a title bar the window draws a 4-pixel border of its own
    // inside its outer size, and its controls count from within it.
    VbForm bare(screen);
    bare.setWindowFlags(Qt::FramelessWindowHint);
    bare.setWidth(5370);
    bare.setHeight(975);
    QWidget control(&bare);
    bare.place(&control, 0, 0, 150, 150);
    QCOMPARE(control.geometry(), QRect(4, 4, 10, 10));
    bare.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bare));
    QCOMPARE(bare.geometry().size(), QSize(358, 65));
    QCOMPARE(bare.Width(), 5370.0);

    bare.setCaption(QStringLiteral("Brisquel v2.4b"));
    QCOMPARE(bare.windowTitle(), QStringLiteral("Brisquel v2.4b"));
    QVERIFY(bare.Visible());
    bare.hide();
    QVERIFY(!bare.Visible());
}

void TstForm::formResizeRunsOnResizeAndStateChange()
{
    kittest::FakeScreen screen;
    NotingForm form(screen);
    form.resize(300, 200);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resizes = 0;
    form.statesSeen.clear();

    form.resize(320, 200);
    QCOMPARE(form.resizes, 1);
    form.setWidth(form.Width()); // the size it has
    QCOMPARE(form.resizes, 1);

    form.setWindowState(1);
    QTRY_VERIFY(form.statesSeen.contains(1));
    QCOMPARE(form.WindowState(), 1);
    form.setWindowState(0);
    QTRY_COMPARE(form.statesSeen.last(), 0);
    QCOMPARE(form.WindowState(), 0);
    // Minimising ran the handler once, in the minimised state.
    QCOMPARE(form.statesSeen.count(1), 1);
}

void TstForm::sizeForcedBackInFormResizeSettles()
{
    kittest::FakeScreen screen;
    NotingForm dialog(screen);
    dialog.setWindowFlags(Qt::FramelessWindowHint);
    dialog.fixedWidth = 5370;
    dialog.fixedHeight = 975;
    dialog.setWidth(5370);
    dialog.setHeight(975);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.resizes = 0;

    dialog.resize(600, 400);
    QCOMPARE(dialog.size(), QSize(358, 65));
    // Assigning the size the window already has runs nothing more.
    dialog.setWidth(5370);
    QCOMPARE(dialog.resizes, 0);
    QCoreApplication::processEvents();
    QCOMPARE(dialog.size(), QSize(358, 65));
}

void TstForm::formPaintRunsWhenDrawn()
{
    kittest::FakeScreen screen;
    NotingForm form(screen);
    form.resize(200, 100);
    auto *box = new brisquel::VbTextBox(false, &form);
    box->setGeometry(10, 10, 180, 25);
    QVERIFY(kittest::showActive(form));
    QTRY_VERIFY(form.paints > 0);

    // A control redrawing itself (typing, a blinking caret) is no paint of
    // the window: a handler emptying the box there would eat the typing.
    box->SetFocus();
    QTest::qWait(50);
    const int painted = form.paints;
    QTest::keyClicks(box, QStringLiteral("hola"));
    box->editor()->repaint();
    QTest::qWait(50);
    QCOMPARE(form.paints, painted);

    form.update(QRect(0, 60, 200, 40));
    QTRY_COMPARE(form.paints, painted + 1);
}

void TstForm::formKeyPressGetsKeysNoControlTook()
{
    kittest::FakeScreen screen;
    NotingForm form(screen);
    form.resize(300, 200);
    auto *button = new QPushButton(QStringLiteral("OK"), &form);
    button->setGeometry(10, 10, 80, 25);
    auto *box = new brisquel::VbTextBox(false, &form);
    box->setGeometry(10, 50, 200, 25);
    QVERIFY(kittest::showActive(form));

    button->setFocus();
    QTest::keyClicks(button, QStringLiteral("x"));
    QTest::keyClick(button, Qt::Key_Escape);
    QTest::keyClick(button, Qt::Key_Left);
    QTest::keyClick(button, Qt::Key_F5);
    QCOMPARE(form.keys, (QList<int>{120, 27}));

    // A text box takes its character keys itself.
    box->SetFocus();
    QTest::keyClicks(box, QStringLiteral("y"));
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(form.keys, (QList<int>{120, 27}));
    QCOMPARE(box->Text(), QStringLiteral("y"));
}

void TstForm::windowShortcutsAndTheTextBox()
{
    kittest::FakeScreen screen;
    NotingForm dialog(screen);
    dialog.resize(300, 100);
    auto *box = new brisquel::VbTextBox(false, &dialog);
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
    QObject::connect(box, &brisquel::VbTextBox::KeyPress, box,
                     [&](Integer &key) { boxKeys << key; });
    QVERIFY(kittest::showActive(dialog));
    box->SetFocus();

    // Esc belongs to the window (its cancel button); the keys the box edits
    // with stay the box's.
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(escapes, 1);
    QTest::keyClicks(box, QStringLiteral("a"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(letters, 0);
    QCOMPARE(boxKeys, (QList<int>{97, 22}));
    QCOMPARE(box->Text().left(1), QStringLiteral("a"));
}

QTEST_MAIN(TstForm)
#include "tst_form.moc"
