#include "kitsupport.h"

#include "ui/kit/keycodes.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/taborder.h"
#include "ui/kit/wrappingcheckbox.h"
#include "ui/kit/storedcolor.h"
#include "ui/kit/pickcombobox.h"
#include "ui/kit/twipswindow.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/exacttextbox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

using namespace brisquel;

namespace {

// A window that notes the keys no control took.
class KeyWindow : public TwipsWindow {
public:
    explicit KeyWindow(const ScreenMetrics &screen)
        : TwipsWindow(screen)
    {
        resize(400, 300);
    }
    QList<int> keys;
    void onUnclaimedKey(int &key) override { keys << key; }
};

bool containsColor(const QImage &image, QRgb color)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFFu) == (color & 0xFFFFFFu))
                return true;
        }
    }
    return false;
}

// A picture strip: the left half in `color`, the rest the transparent cyan.
QPixmap strip(const QColor &color)
{
    QPixmap pixmap(40, 5);
    pixmap.fill(QColor(0, 255, 255));
    QPainter painter(&pixmap);
    painter.fillRect(0, 0, 20, 5, color);
    return pixmap;
}

} // namespace

class TstControls : public QObject {
    Q_OBJECT

private slots:
    void keyCodes_data();
    void keyCodes();
    void colors_data();
    void colors();
    void scrollBarChange();
    void scrollBarKeys();
    void pictureButtonKeys();
    void pictureButtonAcceleratorAndEnter();
    void pictureButtonPictures();
    void checkBox();
    void comboBoxList();
    void comboBoxEditable();
    void checkBoxKeyMayBeDiscarded();
    void tabOrder();
};

void TstControls::keyCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");

    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("capital") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << 65;
    QTest::newRow("sharp s") << int(Qt::Key_ssharp) << none << "ß" << 223;
    QTest::newRow("euro, in the code page") << int(Qt::Key_unknown) << none << "€" << 128;
    QTest::newRow("not in the code page") << int(Qt::Key_unknown) << none << "ő" << 63;
    QTest::newRow("outside the basic plane") << int(Qt::Key_unknown) << none << "😀" << 63;
    QTest::newRow("Enter") << int(Qt::Key_Return) << none << "\r" << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << ctrl << "" << 10;
    QTest::newRow("Ctrl+V without text") << int(Qt::Key_V) << ctrl << "" << 22;
    QTest::newRow("Ctrl+V with its control text") << int(Qt::Key_V) << ctrl << "\x16" << 22;
    QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << int(ctrl | Qt::ShiftModifier) << "" << 26;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << 0;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << 0;
    QTest::newRow("Alt+letter") << int(Qt::Key_G) << int(Qt::AltModifier) << "g" << 0;
    QTest::newRow("AltGr as Ctrl+Alt") << int(Qt::Key_E) << int(ctrl | Qt::AltModifier) << "€"
                                       << 128;
    QTest::newRow("Ctrl+digit") << int(Qt::Key_2) << ctrl << "2" << 0;
}

void TstControls::keyCodes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(int(characterCode(&event)), code);
    if (code >= 32 && code != 63)
        QCOMPARE(characterFromCode(code), text);
}

void TstControls::colors_data()
{
    QTest::addColumn<qint32>("vb");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("role");

    QTest::newRow("window background") << qint32(0x80000005u) << int(QPalette::Active)
                                       << int(QPalette::Base);
    QTest::newRow("window text") << qint32(0x80000008u) << int(QPalette::Active)
                                 << int(QPalette::Text);
    QTest::newRow("button face") << qint32(0x8000000Fu) << int(QPalette::Active)
                                 << int(QPalette::Button);
    QTest::newRow("button text") << qint32(0x80000012u) << int(QPalette::Active)
                                 << int(QPalette::ButtonText);
    QTest::newRow("highlight") << qint32(0x8000000Du) << int(QPalette::Active)
                               << int(QPalette::Highlight);
    QTest::newRow("highlight text") << qint32(0x8000000Eu) << int(QPalette::Active)
                                    << int(QPalette::HighlightedText);
    QTest::newRow("grey text") << qint32(0x80000011u) << int(QPalette::Disabled)
                               << int(QPalette::Text);
    QTest::newRow("tooltip") << qint32(0x80000018u) << int(QPalette::Active)
                             << int(QPalette::ToolTipBase);
}

void TstControls::colors()
{
    QFETCH(qint32, vb);
    QFETCH(int, group);
    QFETCH(int, role);
    // A palette whose every entry differs, so a wrong entry shows.
    QPalette palette;
    int n = 0;
    for (const auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int r = 0; r < QPalette::NColorRoles; ++r, ++n)
            palette.setColor(g, QPalette::ColorRole(r), QColor(n % 256, n / 256, 7 * n % 256));
    }
    QCOMPARE(toQColor(vb, palette),
             palette.color(QPalette::ColorGroup(group), QPalette::ColorRole(role)));

    // RGB colours: red + 256 * green + 65536 * blue, both ways.
    QCOMPARE(toQColor(0x00FF8040, palette), QColor(0x40, 0x80, 0xFF));
    QCOMPARE(toStoredColor(QColor(1, 2, 3)), 1 + 2 * 256 + 3 * 65536);
    QCOMPARE(toStoredColor(toQColor(0x123456, palette)), 0x123456);
    // Unknown system colours are no colour.
    QVERIFY(!toQColor(qint32(0x80000019u), palette).isValid());
    QVERIFY(!toQColor(qint32(0x80010005u), palette).isValid());
}

void TstControls::scrollBarChange()
{
    QWidget window;
    auto *bar = new FocusableScrollBar(&window);
    bar->setGeometry(10, 10, 16, 120);
    QList<int> changes;
    QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [&] { changes << bar->value(); });
    QVERIFY(kittest::showActive(window));

    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->maximum(), 0);
    bar->setMaximumFromZero(3);
    bar->setValue(3);
    bar->setValue(3); // no change
    QCOMPARE(changes, (QList<int>{3}));

    // Lowering the maximum below the value pulls the value down with it.
    bar->setMaximumFromZero(1);
    QCOMPARE(changes, (QList<int>{3, 1}));
    bar->setMaximumFromZero(5); // raising it moves nothing
    bar->setValue(9);
    QCOMPARE(bar->value(), 5);
    bar->setMaximumFromZero(-2);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->value(), 0);
    changes.clear();

    // The arrows: the lower one raises the value, one step a click.
    bar->setMaximumFromZero(2);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 117));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 117));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 117));
    QCOMPARE(changes, (QList<int>{1, 2}));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 2));
    QCOMPARE(changes, (QList<int>{1, 2, 1}));
    // Disabled, it still follows code.
    bar->setEnabled(false);
    bar->setValue(0);
    QCOMPARE(changes, (QList<int>{1, 2, 1, 0}));
}

void TstControls::scrollBarKeys()
{
    brisquel::FakeScreenMetrics screen;
    KeyWindow window(screen);
    auto *bar = new FocusableScrollBar(&window);
    bar->setGeometry(10, 10, 16, 120);
    bar->setMaximumFromZero(4);
    auto *box = new ExactTextBox(true, &window);
    box->setGeometry(40, 10, 200, 100);
    QVERIFY(kittest::showActive(window));

    // It takes the focus and its arrow keys.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 117));
    QVERIFY(bar->hasFocus());
    QTest::keyClick(bar, Qt::Key_Down);
    QCOMPARE(bar->value(), 2);

    // Without a handler character keys go on to the window.
    QTest::keyClicks(bar, QStringLiteral("q"));
    QCOMPARE(window.keys, (QList<int>{113}));

    // With one they stop at the bar; a handler may move the focus on.
    QList<int> got;
    QObject::connect(bar, &FocusableScrollBar::characterKey, bar, [&](int &key) {
        got << key;
        if (key == 27)
            bar->setValue(bar->maximum());
        box->setFocus();
    });
    QTest::keyClick(bar, Qt::Key_Escape);
    QCOMPARE(got, (QList<int>{27}));
    QCOMPARE(bar->value(), 4);
    QVERIFY(box->hasFocus());
    QCOMPARE(window.keys, (QList<int>{113}));
}

void TstControls::pictureButtonKeys()
{
    brisquel::FakeScreenMetrics screen;
    KeyWindow window(screen);
    auto *handled = new PictureButton(QStringLiteral("Uno"), &window);
    handled->setGeometry(10, 10, 90, 25);
    auto *plain = new PictureButton(QStringLiteral("Dos"), &window);
    plain->setGeometry(10, 40, 90, 25);
    auto *box = new ExactTextBox(true, &window);
    box->setGeometry(120, 10, 200, 100);
    int handledClicks = 0;
    int plainClicks = 0;
    QObject::connect(handled, &QPushButton::clicked, handled, [&] { ++handledClicks; });
    QObject::connect(plain, &QPushButton::clicked, plain, [&] { ++plainClicks; });
    QList<int> got;
    QObject::connect(handled, &PictureButton::characterKey, handled, [&](int &key) {
        got << key;
        if (key == 27)
            box->setFocus();
    });
    QVERIFY(kittest::showActive(window));

    handled->setFocus();
    QTest::keyClicks(handled, QStringLiteral("ab"));
    QCOMPARE(got, (QList<int>{97, 98}));
    QVERIFY(window.keys.isEmpty());
    QTest::keyClick(handled, Qt::Key_Space);
    QCOMPARE(handledClicks, 1);

    // A handler that moves the focus away leaves the button up.
    QTest::keyClick(handled, Qt::Key_Escape);
    QVERIFY(box->hasFocus());
    QVERIFY(!handled->isDown());
    QCOMPARE(handledClicks, 1);

    // A button without a handler hands its keys to the window.
    plain->setFocus();
    QTest::keyClicks(plain, QStringLiteral("c"));
    QCOMPARE(window.keys, (QList<int>{99}));
    QTest::keyClick(plain, Qt::Key_Space);
    QCOMPARE(plainClicks, 1);
}

void TstControls::pictureButtonAcceleratorAndEnter()
{
    brisquel::FakeScreenMetrics screen;
    KeyWindow window(screen);
    auto *groups = new PictureButton(QStringLiteral("&Grupos"), &window);
    groups->setGeometry(10, 10, 93, 61);
    auto *other = new PictureButton(&window);
    other->setText(QStringLiteral("&Otro"));
    other->setToolTip(QStringLiteral("Mensaje a otro usuario no listado"));
    other->setGeometry(10, 80, 93, 21);
    int groupClicks = 0;
    int otherClicks = 0;
    QObject::connect(groups, &QPushButton::clicked, groups, [&] { ++groupClicks; });
    QObject::connect(other, &QPushButton::clicked, other, [&] { ++otherClicks; });
    QVERIFY(kittest::showActive(window));

    QCOMPARE(other->text(), QStringLiteral("&Otro"));
    QCOMPARE(other->toolTip(), QStringLiteral("Mensaje a otro usuario no listado"));

    other->setFocus();
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(groupClicks, 1); // at once: keys typed next must follow the click
    QCOMPARE(otherClicks, 0);

    // Enter clicks the button that has the focus.
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Return);
    QCOMPARE(otherClicks, 1);
    QCOMPARE(groupClicks, 1);
    QVERIFY(window.keys.isEmpty());
}

void TstControls::pictureButtonPictures()
{
    PictureButton button(QStringLiteral("Bo&rrar"));
    button.resize(60, 30);
    button.setPicture(strip(Qt::red));
    button.setDownPicture(strip(Qt::green));

    // Cyan in a picture is transparent.
    const QImage picture = button.picture().toImage();
    QCOMPARE(qAlpha(picture.pixel(30, 2)), 0);
    QCOMPARE(picture.pixel(5, 2), qRgb(255, 0, 0));

    const QImage up = button.grab().toImage();
    QVERIFY(containsColor(up, qRgb(255, 0, 0)));
    QVERIFY(!containsColor(up, qRgb(0, 255, 255)));
    QVERIFY(!containsColor(up, qRgb(0, 255, 0)));

    // Held down it shows the second picture.
    button.setDown(true);
    const QImage down = button.grab().toImage();
    QVERIFY(containsColor(down, qRgb(0, 255, 0)));
    QVERIFY(!containsColor(down, qRgb(255, 0, 0)));
    QVERIFY(!containsColor(down, qRgb(0, 255, 255)));

    // Buttons share what is made of one picture, but a picture painted over
    // since is a new one to the next button.
    QPixmap given = strip(Qt::red);
    PictureButton first;
    PictureButton second;
    first.setPicture(given);
    second.setPicture(given);
    given.fill(Qt::blue);
    PictureButton third;
    third.setPicture(given);
    QCOMPARE(second.picture().toImage().pixel(5, 2), qRgb(255, 0, 0));
    QCOMPARE(third.picture().toImage().pixel(5, 2), qRgb(0, 0, 255));
    QCOMPARE(qAlpha(third.picture().toImage().pixel(30, 2)), 255);
}

void TstControls::checkBox()
{
    brisquel::FakeScreenMetrics screen;
    KeyWindow window(screen);
    auto *check = new WrappingCheckBox(QStringLiteral("&Minimizar al systray"), &window);
    check->setGeometry(10, 10, 150, 25);
    auto *box = new ExactTextBox(true, &window);
    box->setGeometry(10, 50, 200, 100);
    int clicks = 0;
    QObject::connect(check, &QAbstractButton::clicked, check, [&] { ++clicks; });
    QVERIFY(kittest::showActive(window));

    QVERIFY(!check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, 12));
    QVERIFY(check->isChecked());
    QCOMPARE(clicks, 1);
    check->setFocus();
    QTest::keyClick(check, Qt::Key_Space);
    QVERIFY(!check->isChecked());
    QCOMPARE(clicks, 2);
    check->setChecked(true); // code: no click
    QVERIFY(check->isChecked());
    QCOMPARE(clicks, 2);

    // A key handler sees the key first; the box then takes it as usual
    // unless it was discarded.
    QList<int> got;
    bool discardSpace = false;
    QObject::connect(check, &WrappingCheckBox::characterKey, check, [&](int &key) {
        got << key;
        if (key == 32 && discardSpace)
            key = 0;
    });
    QTest::keyClick(check, Qt::Key_Space);
    QVERIFY(!check->isChecked());
    discardSpace = true;
    QTest::keyClick(check, Qt::Key_Space);
    QVERIFY(!check->isChecked());
    QTest::keyClicks(check, QStringLiteral("z"));
    QCOMPARE(got, (QList<int>{32, 32, 122}));
    QVERIFY(window.keys.isEmpty());

    // A handler that types the key into the text box and moves there.
    QObject::disconnect(check, &WrappingCheckBox::characterKey, nullptr, nullptr);
    QObject::connect(check, &WrappingCheckBox::characterKey, check, [&](int &key) {
        box->setFocus();
        box->setText(box->text() + characterFromCode(key));
    });
    check->setFocus();
    QTest::keyClicks(check, QStringLiteral("h"));
    QTest::keyClicks(box, QStringLiteral("i"));
    QCOMPARE(box->text(), QStringLiteral("hi"));
    QVERIFY(!check->isChecked());
}

void TstControls::comboBoxList()
{
    QWidget window;
    auto *combo = new PickComboBox(false, &window);
    combo->setGeometry(10, 10, 150, 25);
    combo->setToolTip(QStringLiteral("Selecciona el usuario"));
    int clicks = 0;
    QObject::connect(combo, &QComboBox::activated, combo, [&] { ++clicks; });
    for (const char *name : {"ana", "...", "luis"})
        combo->addEntry(QString::fromLatin1(name));
    QCOMPARE(combo->pickedIndex(), -1);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->toolTip(), QStringLiteral("Selecciona el usuario"));
    QVERIFY(kittest::showActive(window));

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->pickedIndex(), 0);
    QCOMPARE(clicks, 1);

    // Picking from the open list, the chosen entry again included.
    for (int round = 1; round <= 2; ++round) {
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        QTRY_VERIFY(view->isVisible());
        const QPoint at = view->visualRect(view->model()->index(2, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTRY_COMPARE(clicks, 1 + round);
        QCOMPARE(combo->pickedIndex(), 2);
    }

    combo->setPickedIndex(1); // code: no click
    QCOMPARE(combo->pickedIndex(), 1);
    QCOMPARE(clicks, 3);
    combo->setPickedIndex(7);
    QCOMPARE(combo->pickedIndex(), -1);
}

void TstControls::comboBoxEditable()
{
    QWidget window;
    auto *combo = new PickComboBox(true, &window);
    combo->setGeometry(10, 10, 150, 25);
    combo->setText(QStringLiteral("Combo1"));
    combo->addEntry(QStringLiteral("uno"));
    combo->addEntry(QStringLiteral("dos"));
    QCOMPARE(combo->currentText(), QStringLiteral("Combo1"));
    QCOMPARE(combo->pickedIndex(), -1);
    QVERIFY(kittest::showActive(window));

    combo->setPickedIndex(1);
    QCOMPARE(combo->currentText(), QStringLiteral("dos"));
    QCOMPARE(combo->pickedIndex(), 1);
    combo->setFocus();
    QTest::keyClicks(combo, QStringLiteral("x"));
    QCOMPARE(combo->pickedIndex(), -1);
    QCOMPARE(combo->count(), 2); // typed text never joins the list

    // Picking again after typing over: the pick counts at once.
    int pickedWhenTold = -2;
    QObject::connect(combo, &QComboBox::activated, combo, [&] { pickedWhenTold = combo->pickedIndex(); });
    QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(pickedWhenTold, 0);
}

void TstControls::checkBoxKeyMayBeDiscarded()
{
    brisquel::FakeScreenMetrics screen;
    KeyWindow window(screen);
    auto *check = new WrappingCheckBox(QStringLiteral("c"), &window);
    check->setGeometry(100, 10, 60, 25);
    QList<int> keys;
    QObject::connect(check, &WrappingCheckBox::characterKey, &window, [&](int &key) {
        keys << int(key);
        key = 0;
    });
    QVERIFY(kittest::showActive(window));

    // The key reaches the handler by reference: discarded there, Space no
    // longer toggles the box.
    check->setFocus();
    QTest::keyClick(check, Qt::Key_Space);
    QCOMPARE(keys, QList<int>{32});
    QVERIFY(!check->isChecked());
}

void TstControls::tabOrder()
{
    QWidget window;
    auto *first = new QLineEdit(&window);
    auto *second = new ExactTextBox(true, &window);
    auto *third = new QLineEdit(&window);
    auto *fourth = new ExactTextBox(false, &window);
    applyTabOrder({{9, first}, {0, second}, {1, third}, {4, fourth}});
    QVERIFY(kittest::showActive(window));

    second->setFocus();
    QTest::keyClick(second, Qt::Key_Tab);
    QVERIFY(third->hasFocus());
    QTest::keyClick(third, Qt::Key_Tab);
    QVERIFY(fourth->hasFocus());
    QTest::keyClick(fourth, Qt::Key_Tab);
    QVERIFY(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Tab);
    QVERIFY(second->hasFocus());
}

QTEST_MAIN(TstControls)
#include "tst_controls.moc"
