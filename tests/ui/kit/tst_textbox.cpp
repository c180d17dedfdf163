#include "kitsupport.h"

#include "ui/kit/exacttextbox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>

#include <algorithm>
#include <limits>

using brisquel::ExactTextBox;
using brisquel::TextFont;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// What the widget shows: a typed line break starts a new line, other control
// characters appear as their symbols.
QString shownOf(const ExactTextBox &box)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(box.editor()))
        return plain->toPlainText();
    return qobject_cast<QLineEdit *>(box.editor())->text();
}

int linesShown(const ExactTextBox &box)
{
    return qobject_cast<QPlainTextEdit *>(box.editor())->document()->blockCount();
}

// A window with one box (and a second control to move the focus to).
struct Window {
    QWidget window;
    ExactTextBox *box;
    QLineEdit *other;
    int changes = 0;
    QList<int> keys;

    explicit Window(bool multiLine)
    {
        window.resize(320, 220);
        box = new ExactTextBox(multiLine, &window);
        box->setGeometry(10, 10, 300, 150);
        other = new QLineEdit(&window);
        other->setGeometry(10, 170, 300, 25);
        QObject::connect(box, &ExactTextBox::changed, box, [this] { ++changes; });
        QObject::connect(box, &ExactTextBox::characterKey, box, [this](int &k) { keys << k; });
    }

    bool ready()
    {
        if (!kittest::showActive(window))
            return false;
        box->setFocus();
        return box->hasFocus();
    }
};

void paste(ExactTextBox *box, const QString &clip)
{
    QGuiApplication::clipboard()->setText(clip);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Types text as keys; "\r" is the Enter key.
void type(ExactTextBox *box, const QString &text)
{
    for (const QChar c : text) {
        if (c == u'\r')
            QTest::keyClick(box, Qt::Key_Return);
        else if (c.unicode() < 128)
            QTest::keyClicks(box, QString(c));
        else if (c.unicode() < 256)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The cut a window makes inside its own change handler: a text that reaches
// the budget is assigned its first budget-many characters.
struct BudgetRule {
    ExactTextBox *box;
    int budget;
    int runs = 0;
    int depth = 0;
    int deepest = 0;
    QStringList seen;

    void operator()()
    {
        ++runs;
        deepest = std::max(deepest, ++depth);
        seen << box->text();
        if (box->length() >= budget)
            box->setText(box->text().left(budget));
        --depth;
    }
};

} // namespace

class TstTextBox : public QObject {
    Q_OBJECT

private slots:
    void typedLineBreaksAreCrLf();
    void controlCharactersFromCodeSurviveEditing();
    void copyCutPasteAndUndoKeepTheTextExact();
    void changeRunsOnEveryRealChangeOnly();
    void nestedCutInChangeHandler_data();
    void nestedCutInChangeHandler();
    void keyPressSeesCharacterKeysOnly();
    void keyPressCanDiscardOrReplaceTheKey_data();
    void keyPressCanDiscardOrReplaceTheKey();
    void budgetFilterInKeyPress();
    void maxLengthLimitsTheUserOnly_data();
    void maxLengthLimitsTheUserOnly();
    void singleLineBox();
    void selectionInTextPositions();
    void gotFocusSelectsForTheNextTyping();
    void appearance();
    void readOnlyBoxIsReadAndCopiedOnly_data();
    void readOnlyBoxIsReadAndCopiedOnly();
};

void TstTextBox::typedLineBreaksAreCrLf()
{
    Window w(true);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;

    type(box, QStringLiteral("ab\rc"));
    QCOMPARE(box->text(), QStringLiteral("ab\r\nc"));
    QCOMPARE(box->length(), 5);
    QCOMPARE(linesShown(*box), 2);
    QCOMPARE(shownOf(*box), QStringLiteral("ab\nc"));

    // One Backspace behind a line break takes the whole break.
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("ab\r\n"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("ab"));
    QCOMPARE(linesShown(*box), 1);

    // So does Delete in front of one.
    box->setText(QStringLiteral("ab\r\ncd"));
    box->setSelectionStart(2);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QStringLiteral("abcd"));

    // Only CR LF breaks the line; a lone CR or LF, or LF CR, does not.
    box->setText(QStringLiteral("a\rb\nc\n\rd"));
    QCOMPARE(linesShown(*box), 1);
    box->setText(QStringLiteral("a\r\nb\r\n"));
    QCOMPARE(linesShown(*box), 3);
}

void TstTextBox::controlCharactersFromCodeSurviveEditing()
{
    Window w(true);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;

    // A handler appending the characters of the keys it got.
    box->setText(QStringLiteral("a"));
    box->setText(box->text() + QChar(8));
    box->setText(box->text() + QChar(13));
    QCOMPARE(box->text(), QStringLiteral("a\b\r"));
    type(box, QStringLiteral("b"));
    QCOMPARE(box->text(), QStringLiteral("a\b\rb"));
    QCOMPARE(shownOf(*box), QStringLiteral("a\u2408\u240Db"));

    // Edits in the middle leave the control characters around them alone.
    box->setText(QStringLiteral("a\bb\rc\n\rd"));
    box->setSelectionStart(3);
    type(box, QStringLiteral("X"));
    QCOMPARE(box->text(), QStringLiteral("a\bbX\rc\n\rd"));
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("a\bbX\rc\n\r"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("a\bbX\rc\n"));
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QStringLiteral("abX\rc\n"));
    type(box, QStringLiteral("\r"));
    QCOMPARE(box->text(), QStringLiteral("a\r\nbX\rc\n"));
    QCOMPARE(linesShown(*box), 2);
}

void TstTextBox::copyCutPasteAndUndoKeepTheTextExact()
{
    Window w(true);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;
    QClipboard *clipboard = QGuiApplication::clipboard();

    box->setText(QStringLiteral("l1\r\nl2\b"));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("l1\r\nl2\b"));
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("l1\r\nl2\bl1\r\nl2\b"));

    // Line breaks from other programs, LF or CR alone, arrive as CR LF.
    box->setText(QString());
    paste(box, QStringLiteral("p\nq\rr\r\ns"));
    QCOMPARE(box->text(), QStringLiteral("p\r\nq\r\nr\r\ns"));

    // Cut takes exactly the selected characters.
    box->setText(QStringLiteral("x\r\ny"));
    box->setSelectionStart(0);
    box->setSelectionLength(3);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("y"));
    QCOMPARE(clipboard->text(), QStringLiteral("x\r\n"));

    // Undo is an edit of the widget's own and reaches the text too; it
    // takes back typing, never an assignment from code.
    box->setText(QStringLiteral("keep\r"));
    box->setSelectionStart(5);
    type(box, QStringLiteral("ab\rc"));
    QCOMPARE(box->text(), QStringLiteral("keep\rab\r\nc"));
    const int before = w.changes;
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(w.changes > before);
    QCOMPARE(box->text(), QStringLiteral("keep\r"));
    QCOMPARE(shownOf(*box), QStringLiteral("keep\u240D"));
}

void TstTextBox::changeRunsOnEveryRealChangeOnly()
{
    Window w(true);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;

    type(box, QStringLiteral("abc"));
    QCOMPARE(w.changes, 3);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(w.changes, 4);
    paste(box, QStringLiteral("xyz"));
    QCOMPARE(w.changes, 5);
    QCOMPARE(box->text(), QStringLiteral("abxyz"));

    // Typing over a selection is one change.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    type(box, QStringLiteral("q"));
    QCOMPARE(w.changes, 6);
    QCOMPARE(box->text(), QStringLiteral("q"));

    box->setText(QStringLiteral("hello"));
    QCOMPARE(w.changes, 7);
    box->setText(QStringLiteral("hello")); // the text it already holds
    QCOMPARE(w.changes, 7);

    // Nothing that leaves the text alone is a change.
    box->setSelectionStart(0);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Escape);
    box->setTextFont({QStringLiteral("Arial"), true});
    box->setTextColor(0x0000FF);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.changes, 7);
    QCOMPARE(box->text(), QStringLiteral("hello"));
}

void TstTextBox::nestedCutInChangeHandler_data()
{
    QTest::addColumn<bool>("multiLine");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<int>("budget");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<int>("deepest");
    QTest::addColumn<QString>("result");

    const QString sixteen = QStringLiteral("0123456789ABCDEF");
    const QString ten = sixteen.left(10);
    for (const bool multi : {true, false}) {
        const char *kind = multi ? "multi-line" : "single-line";
        QTest::addRow("%s: paste past the budget", kind)
            << multi << 0 << 10 << QString() << "paste" << sixteen << QStringList{sixteen, ten}
            << 2 << ten;
        QTest::addRow("%s: assignment past the budget", kind)
            << multi << 0 << 10 << QString() << "code" << sixteen << QStringList{sixteen, ten}
            << 2 << ten;
        QTest::addRow("%s: typing up to the budget", kind)
            << multi << 0 << 10 << sixteen.left(9) << "type" << QStringLiteral("X")
            << QStringList{sixteen.left(9) + 'X'} << 1 << sixteen.left(9) + 'X';
        QTest::addRow("%s: typing past the budget", kind)
            << multi << 0 << 10 << ten << "type" << QStringLiteral("X")
            << QStringList{ten + 'X', ten} << 2 << ten;
    }
    const QString thousand = QString(1000, u'm');
    QTest::newRow("1000 pasted into a box of 900 with a budget of 850")
        << true << 900 << 850 << QString() << "paste" << thousand
        << QStringList{thousand.left(900), thousand.left(850)} << 2 << thousand.left(850);
    QTest::newRow("the cut parts a typed line break")
        << true << 0 << 3 << QString() << "type" << QStringLiteral("ab\r")
        << QStringList{"a", "ab", "ab\r\n", "ab\r"} << 2 << QStringLiteral("ab\r");
    QTest::newRow("the cut falls behind a typed line break")
        << true << 0 << 5 << QString() << "type" << QStringLiteral("ab\rcd")
        << QStringList{"a", "ab", "ab\r\n", "ab\r\nc", "ab\r\ncd", "ab\r\nc"} << 2
        << QStringLiteral("ab\r\nc");
}

void TstTextBox::nestedCutInChangeHandler()
{
    QFETCH(bool, multiLine);
    QFETCH(int, maxLength);
    QFETCH(int, budget);
    QFETCH(QString, start);
    QFETCH(QString, how);
    QFETCH(QString, input);
    QFETCH(QStringList, seen);
    QFETCH(int, deepest);
    QFETCH(QString, result);

    Window w(multiLine);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;
    box->setMaxLength(maxLength);
    box->setText(start);
    BudgetRule rule{box, budget, 0, 0, 0, {}};
    QObject::connect(box, &ExactTextBox::changed, box, [&rule] { rule(); });

    if (how == QLatin1String("paste"))
        paste(box, input);
    else if (how == QLatin1String("code"))
        box->setText(input);
    else
        type(box, input);

    QCOMPARE(rule.seen, seen);
    QCOMPARE(box->text(), result);
    // A cut runs the rule once more inside the first run, and the nested
    // run's same-text assignment ends it.
    QCOMPARE(rule.deepest, deepest);

    // The widget catches up, with the caret behind the text, and nothing
    // more runs.
    QCoreApplication::processEvents();
    QCOMPARE(rule.runs, seen.size());
    QCOMPARE(box->text(), result);
    QCOMPARE(shownOf(*box).size(), result.size() - (multiLine ? result.count(kCrLf) : 0));
    QCOMPARE(box->selectionStart(), result.size());
    type(box, QStringLiteral("!"));
    QCOMPARE(box->text(), (result + '!').left(budget));
}

void TstTextBox::keyPressSeesCharacterKeysOnly()
{
    Window w(true);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;
    QGuiApplication::clipboard()->clear();

    type(box, QStringLiteral("aZ"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Escape);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    type(box, QStringLiteral("ñ€ő"));
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_Delete,
                              Qt::Key_F2, Qt::Key_Shift, Qt::Key_PageDown})
        QTest::keyClick(box, key);
    const QString before = box->text();
    QTest::keyClick(box, Qt::Key_G, Qt::AltModifier); // an accelerator, not a letter
    QCOMPARE(box->text(), before);
    QCOMPARE(w.keys, (QList<int>{97, 90, 13, 27, 8, 22, 1, 241, 128, 63}));
}

void TstTextBox::keyPressCanDiscardOrReplaceTheKey_data()
{
    QTest::addColumn<bool>("multiLine");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("changes");

    // The handler discards x, Enter and Ctrl+V, turns a into b, q into
    // Enter and k into Backspace.
    for (const bool multi : {true, false}) {
        const char *kind = multi ? "multi-line" : "single-line";
        QTest::addRow("%s: discarded letters leave no trace", kind)
            << multi << QString() << "xyxzx" << QStringLiteral("yz") << 2;
        QTest::addRow("%s: a replaced letter is typed instead", kind)
            << multi << QString() << "aa" << QStringLiteral("bb") << 2;
        QTest::addRow("%s: a letter replaced by Backspace deletes", kind)
            << multi << QString() << "12k" << QStringLiteral("1") << 3;
        QTest::addRow("%s: discarded Enter", kind)
            << multi << QStringLiteral("m") << "\r" << QStringLiteral("m") << 0;
        QTest::addRow("%s: discarded Ctrl+V pastes nothing", kind)
            << multi << QStringLiteral("m") << "^V" << QStringLiteral("m") << 0;
    }
    QTest::newRow("multi-line: a letter replaced by Enter breaks the line")
        << true << QString() << "1q2" << QStringLiteral("1\r\n2") << 3;
    QTest::newRow("single-line: a letter replaced by Enter types nothing")
        << false << QString() << "1q2" << QStringLiteral("12") << 2;
}

void TstTextBox::keyPressCanDiscardOrReplaceTheKey()
{
    QFETCH(bool, multiLine);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(int, changes);

    Window w(multiLine);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;
    box->setText(start);
    box->setSelectionStart(box->length());
    w.changes = 0;
    QGuiApplication::clipboard()->setText(QStringLiteral("PASTED"));
    QObject::connect(box, &ExactTextBox::characterKey, box, [](int &key) {
        switch (key) {
        case 'x':
        case 13:
        case 22:
            key = 0;
            break;
        case 'a':
            key = 'b';
            break;
        case 'q':
            key = 13;
            break;
        case 'k':
            key = 8;
            break;
        default:
            break;
        }
    });

    if (typed == QLatin1String("^V"))
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    else
        type(box, typed);
    QCOMPARE(box->text(), result);
    QCOMPARE(w.changes, changes);
}

void TstTextBox::budgetFilterInKeyPress()
{
    // A handler refusing every key but Backspace and Esc once the text has
    // four characters.
    Window w(true);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;
    QObject::connect(box, &ExactTextBox::characterKey, box, [box](int &key) {
        if (box->length() >= 4 && key != 8 && key != 27)
            key = 0;
    });
    type(box, QStringLiteral("abcdef\r"));
    paste(box, QStringLiteral("more"));
    QCOMPARE(box->text(), QStringLiteral("abcd"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("abc"));
    type(box, QStringLiteral("\r"));
    QCOMPARE(box->text(), QStringLiteral("abc\r\n"));
}

void TstTextBox::maxLengthLimitsTheUserOnly_data()
{
    QTest::addColumn<bool>("multiLine");
    QTest::newRow("multi-line") << true;
    QTest::newRow("single-line") << false;
}

void TstTextBox::maxLengthLimitsTheUserOnly()
{
    QFETCH(bool, multiLine);
    Window w(multiLine);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;
    box->setMaxLength(5);
    QCOMPARE(box->maxLength(), 5);

    type(box, QStringLiteral("abcdefg"));
    QCOMPARE(box->text(), QStringLiteral("abcde"));
    QCOMPARE(w.changes, 5);

    // A paste is cut to what fits; a selection it replaces makes room.
    box->setText(QStringLiteral("ab"));
    paste(box, QStringLiteral("123456789"));
    QCOMPARE(box->text(), QStringLiteral("ab123"));
    box->setText(QStringLiteral("abcde"));
    box->setSelectionStart(1);
    box->setSelectionLength(2);
    paste(box, QStringLiteral("XYZW"));
    QCOMPARE(box->text(), QStringLiteral("aXYde"));

    // A line break is two characters and never half pasted.
    box->setText(QStringLiteral("abcd"));
    box->setSelectionStart(4);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->text(), QStringLiteral("abcd"));
    box->setMaxLength(4);
    box->setText(QStringLiteral("ab"));
    box->setSelectionStart(2);
    paste(box, QStringLiteral("1\r\n2"));
    QCOMPARE(box->text(), QStringLiteral("ab1"));
    box->setMaxLength(5);

    // Code is not limited, and the user can still delete.
    box->setText(QStringLiteral("0123456789"));
    QCOMPARE(box->length(), 10);
    box->setSelectionStart(10);
    type(box, QStringLiteral("x"));
    QCOMPARE(box->text(), QStringLiteral("0123456789"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("012345678"));

    box->setMaxLength(0);
    type(box, QStringLiteral("xyz"));
    QCOMPARE(box->text(), QStringLiteral("012345678xyz"));
}

void TstTextBox::singleLineBox()
{
    Window w(false);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;

    type(box, QStringLiteral("ab\r"));
    QCOMPARE(box->text(), QStringLiteral("ab"));
    QCOMPARE(w.keys.last(), 13);

    box->setText(QStringLiteral("a\rb\n\bc"));
    box->setSelectionStart(box->length());
    type(box, QStringLiteral("d"));
    QCOMPARE(box->text(), QStringLiteral("a\rb\n\bcd"));

    // Only the first line of a pasted text.
    paste(box, QStringLiteral("first\nsecond"));
    QCOMPARE(box->text(), QStringLiteral("a\rb\n\bcdfirst"));

    const QString longText(40000, u'x');
    box->setText(longText);
    QCOMPARE(box->text(), longText);

    // Tab is no character: it moves on to the next control.
    const int keys = int(w.keys.size());
    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(w.other->hasFocus());
    QCOMPARE(w.keys.size(), keys);
}

void TstTextBox::selectionInTextPositions()
{
    Window w(true);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;

    box->setText(QStringLiteral("ab\r\ncd"));
    box->setSelectionStart(4);
    QCOMPARE(box->selectionStart(), 4);
    type(box, QStringLiteral("X"));
    QCOMPARE(box->text(), QStringLiteral("ab\r\nXcd"));
    QCOMPARE(box->selectionStart(), 5);

    // Selecting back over the break takes both of its characters.
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(box->selectionStart(), 2);
    QCOMPARE(box->selectionLength(), 3);
    QCOMPARE(box->selectedText(), QStringLiteral("\r\nX"));

    // Inside a CR LF pair the caret stands before it.
    box->setSelectionStart(3);
    QCOMPARE(box->selectionStart(), 2);

    box->setSelectionStart(1);
    box->setSelectionLength(100);
    QCOMPARE(box->selectionLength(), box->length() - 1);
    box->setSelectionStart(-5);
    QCOMPARE(box->selectionStart(), 0);
    box->setSelectionStart(99);
    QCOMPARE(box->selectionStart(), box->length());

    // An assignment that adds at the caret leaves the caret behind the
    // addition; typing goes on from there.
    box->setText(QStringLiteral("abc"));
    box->setSelectionStart(3);
    box->setText(box->text() + QChar(13));
    QCOMPARE(box->selectionStart(), 4);
    type(box, QStringLiteral("d"));
    QCOMPARE(box->text(), QStringLiteral("abc\rd"));
    box->setText(QString());
    QCOMPARE(box->selectionStart(), 0);
    QCOMPARE(box->selectionLength(), 0);
}

void TstTextBox::gotFocusSelectsForTheNextTyping()
{
    Window w(false);
    ExactTextBox *box = w.box;
    box->setMaxLength(30);
    int gotFocus = 0;
    QObject::connect(box, &ExactTextBox::focusEntered, box, [box, &gotFocus] {
        ++gotFocus;
        box->setSelectionStart(0);
        box->setSelectionLength(box->maxLength());
    });
    box->setText(QStringLiteral("Pepe"));
    QVERIFY(kittest::showActive(w.window));
    w.other->setFocus();
    gotFocus = 0;

    box->setFocus();
    QCOMPARE(gotFocus, 1);
    QCOMPARE(box->selectionLength(), 4);
    type(box, QStringLiteral("Ana"));
    QCOMPARE(box->text(), QStringLiteral("Ana"));

    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(w.other->hasFocus());
    QTest::keyClick(w.other, Qt::Key_Tab);
    QVERIFY(box->hasFocus());
    QCOMPARE(gotFocus, 2);
    QCOMPARE(box->selectedText(), QStringLiteral("Ana"));
}

void TstTextBox::appearance()
{
    ExactTextBox box(true);
    const QPalette system = QApplication::palette(box.editor());

    // The window colours of the system until told otherwise.
    QCOMPARE(box.textColor(), qint32(0x80000008u));
    QCOMPARE(box.backgroundColor(), qint32(0x80000005u));
    QCOMPARE(box.editor()->palette().color(QPalette::Text), system.color(QPalette::Text));
    QCOMPARE(box.editor()->palette().color(QPalette::Base), system.color(QPalette::Base));

    box.setTextColor(0x0000FF);
    box.setBackgroundColor(qint32(0x8000000Fu));
    QCOMPARE(box.textColor(), 0x0000FF);
    QCOMPARE(box.backgroundColor(), qint32(0x8000000Fu));
    QCOMPARE(box.editor()->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(box.editor()->palette().color(QPalette::Base), system.color(QPalette::Button));

    box.setBackgroundColor(0xFF8000); // blue 255, green 128, red 0
    QCOMPARE(box.editor()->palette().color(QPalette::Base), QColor(0, 128, 255));

    box.setTextFont({QStringLiteral("Arial"), true, true, 12.5f, true, true});
    const TextFont got = box.textFont();
    QCOMPARE(got.fontName, QStringLiteral("Arial"));
    QVERIFY(got.bold && got.italic && got.strikethrough && got.underline);
    QCOMPARE(got.size, 12.5f);
    QCOMPARE(box.editor()->font().family(), QStringLiteral("Arial"));
    QVERIFY(box.editor()->font().bold());
    QVERIFY(box.editor()->font().underline());

    // A size that is no size keeps the one the box has; the rest is taken.
    box.setTextFont({QStringLiteral("Arial"), false, true, 0.0f, true, true});
    QCOMPARE(box.textFont().size, 12.5f);
    QVERIFY(!box.textFont().bold);
    box.setTextFont({QStringLiteral("Arial"), false, true, std::numeric_limits<float>::quiet_NaN(), false, true});
    QCOMPARE(box.textFont().size, 12.5f);
    QVERIFY(!box.textFont().strikethrough);
}

void TstTextBox::readOnlyBoxIsReadAndCopiedOnly_data()
{
    QTest::addColumn<bool>("multiLine");
    QTest::newRow("multi-line") << true;
    QTest::newRow("single-line") << false;
}

// A message shown to be read: no key, paste or input method changes it, and
// the keys still select and copy it exactly.
void TstTextBox::readOnlyBoxIsReadAndCopiedOnly()
{
    QFETCH(bool, multiLine);
    Window w(multiLine);
    w.box->setReadOnly(true);
    QVERIFY(w.ready());
    ExactTextBox *box = w.box;
    const QString text = QStringLiteral("Hola\r\nqué tal\r");
    box->setText(text);
    const int changes = w.changes;

    type(box, QStringLiteral("xé\r"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    paste(box, QStringLiteral("pegado"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("ñ"));
    QCoreApplication::sendEvent(box, &commit);
    QCOMPARE(box->text(), text);
    QCOMPARE(w.changes, changes);

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), text);

    // Tab goes on to the next control, as from any box.
    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(w.other->hasFocus());
}

QTEST_MAIN(TstTextBox)
#include "tst_textbox.moc"
