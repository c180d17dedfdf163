#include "kitsupport.h"

#include "ui/kit/vbtextbox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>

#include <algorithm>

using brisquel::Integer;
using brisquel::VbTextBox;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// What the widget shows: a typed line break starts a new line, other control
// characters appear as their symbols.
QString shownOf(const VbTextBox &box)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(box.editor()))
        return plain->toPlainText();
    return qobject_cast<QLineEdit *>(box.editor())->text();
}

int linesShown(const VbTextBox &box)
{
    return qobject_cast<QPlainTextEdit *>(box.editor())->document()->blockCount();
}

// A window with one box (and a second control to move the focus to).
struct Window {
    QWidget window;
    VbTextBox *box;
    QLineEdit *other;
    int changes = 0;
    QList<int> keys;

    explicit Window(bool multiLine)
    {
        window.resize(320, 220);
        box = new VbTextBox(multiLine, &window);
        box->setGeometry(10, 10, 300, 150);
        other = new QLineEdit(&window);
        other->setGeometry(10, 170, 300, 25);
        QObject::connect(box, &VbTextBox::Change, box, [this] { ++changes; });
        QObject::connect(box, &VbTextBox::KeyPress, box, [this](Integer &k) { keys << k; });
    }

    bool ready()
    {
        if (!kittest::showActive(window))
            return false;
        box->SetFocus();
        return box->hasFocus();
    }
};

void paste(VbTextBox *box, const QString &clip)
{
    QGuiApplication::clipboard()->setText(clip);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Types text as keys; "\r" is the Enter key.
void type(VbTextBox *box, const QString &text)
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
    VbTextBox *box;
    int budget;
    int runs = 0;
    int depth = 0;
    int deepest = 0;
    QStringList seen;

    void operator()()
    {
        ++runs;
        deepest = std::max(deepest, ++depth);
        seen << box->Text();
        if (box->Len() >= budget)
            box->setText(box->Text().left(budget));
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
};

void TstTextBox::typedLineBreaksAreCrLf()
{
    Window w(true);
    QVERIFY(w.ready());
    VbTextBox *box = w.box;

    type(box, QStringLiteral("ab\rc"));
    QCOMPARE(box->Text(), QStringLiteral("ab\r\nc"));
    QCOMPARE(box->Len(), 5);
    QCOMPARE(linesShown(*box), 2);
    QCOMPARE(shownOf(*box), QStringLiteral("ab\nc"));

    // One Backspace behind a line break takes the whole break.
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->Text(), QStringLiteral("ab\r\n"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->Text(), QStringLiteral("ab"));
    QCOMPARE(linesShown(*box), 1);

    // So does Delete in front of one.
    box->setText(QStringLiteral("ab\r\ncd"));
    box->setSelStart(2);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->Text(), QStringLiteral("abcd"));

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
    VbTextBox *box = w.box;

    // A handler appending the characters of the keys it got.
    box->setText(QStringLiteral("a"));
    box->setText(box->Text() + QChar(8));
    box->setText(box->Text() + QChar(13));
    QCOMPARE(box->Text(), QStringLiteral("a\b\r"));
    type(box, QStringLiteral("b"));
    QCOMPARE(box->Text(), QStringLiteral("a\b\rb"));
    QCOMPARE(shownOf(*box), QStringLiteral("a\u2408\u240Db"));

    // Edits in the middle leave the control characters around them alone.
    box->setText(QStringLiteral("a\bb\rc\n\rd"));
    box->setSelStart(3);
    type(box, QStringLiteral("X"));
    QCOMPARE(box->Text(), QStringLiteral("a\bbX\rc\n\rd"));
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->Text(), QStringLiteral("a\bbX\rc\n\r"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->Text(), QStringLiteral("a\bbX\rc\n"));
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->Text(), QStringLiteral("abX\rc\n"));
    type(box, QStringLiteral("\r"));
    QCOMPARE(box->Text(), QStringLiteral("a\r\nbX\rc\n"));
    QCOMPARE(linesShown(*box), 2);
}

void TstTextBox::copyCutPasteAndUndoKeepTheTextExact()
{
    Window w(true);
    QVERIFY(w.ready());
    VbTextBox *box = w.box;
    QClipboard *clipboard = QGuiApplication::clipboard();

    box->setText(QStringLiteral("l1\r\nl2\b"));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("l1\r\nl2\b"));
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->Text(), QStringLiteral("l1\r\nl2\bl1\r\nl2\b"));

    // Line breaks from other programs, LF or CR alone, arrive as CR LF.
    box->setText(QString());
    paste(box, QStringLiteral("p\nq\rr\r\ns"));
    QCOMPARE(box->Text(), QStringLiteral("p\r\nq\r\nr\r\ns"));

    // Cut takes exactly the selected characters.
    box->setText(QStringLiteral("x\r\ny"));
    box->setSelStart(0);
    box->setSelLength(3);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(box->Text(), QStringLiteral("y"));
    QCOMPARE(clipboard->text(), QStringLiteral("x\r\n"));

    // Undo is an edit of the widget's own and reaches the text too; it
    // takes back typing, never an assignment from code.
    box->setText(QStringLiteral("keep\r"));
    box->setSelStart(5);
    type(box, QStringLiteral("ab\rc"));
    QCOMPARE(box->Text(), QStringLiteral("keep\rab\r\nc"));
    const int before = w.changes;
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(w.changes > before);
    QCOMPARE(box->Text(), QStringLiteral("keep\r"));
    QCOMPARE(shownOf(*box), QStringLiteral("keep\u240D"));
}

void TstTextBox::changeRunsOnEveryRealChangeOnly()
{
    Window w(true);
    QVERIFY(w.ready());
    VbTextBox *box = w.box;

    type(box, QStringLiteral("abc"));
    QCOMPARE(w.changes, 3);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(w.changes, 4);
    paste(box, QStringLiteral("xyz"));
    QCOMPARE(w.changes, 5);
    QCOMPARE(box->Text(), QStringLiteral("abxyz"));

    // Typing over a selection is one change.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    type(box, QStringLiteral("q"));
    QCOMPARE(w.changes, 6);
    QCOMPARE(box->Text(), QStringLiteral("q"));

    box->setText(QStringLiteral("hello"));
    QCOMPARE(w.changes, 7);
    box->setText(QStringLiteral("hello")); // the text it already holds
    QCOMPARE(w.changes, 7);

    // Nothing that leaves the text alone is a change.
    box->setSelStart(0);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Escape);
    box->setFontBold(true);
    box->setForeColor(0x0000FF);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.changes, 7);
    QCOMPARE(box->Text(), QStringLiteral("hello"));
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
    VbTextBox *box = w.box;
    box->setMaxLength(maxLength);
    box->setText(start);
    BudgetRule rule{box, budget, 0, 0, 0, {}};
    QObject::connect(box, &VbTextBox::Change, box, [&rule] { rule(); });

    if (how == QLatin1String("paste"))
        paste(box, input);
    else if (how == QLatin1String("code"))
        box->setText(input);
    else
        type(box, input);

    QCOMPARE(rule.seen, seen);
    QCOMPARE(box->Text(), result);
    // A cut runs the rule once more inside the first run, and the nested
    // run's same-text assignment ends it.
    QCOMPARE(rule.deepest, deepest);

    // The widget catches up, with the caret behind the text, and nothing
    // more runs.
    QCoreApplication::processEvents();
    QCOMPARE(rule.runs, seen.size());
    QCOMPARE(box->Text(), result);
    QCOMPARE(shownOf(*box).size(), result.size() - (multiLine ? result.count(kCrLf) : 0));
    QCOMPARE(box->SelStart(), result.size());
    type(box, QStringLiteral("!"));
    QCOMPARE(box->Text(), (result + '!').left(budget));
}

void TstTextBox::keyPressSeesCharacterKeysOnly()
{
    Window w(true);
    QVERIFY(w.ready());
    VbTextBox *box = w.box;
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
    const QString before = box->Text();
    QTest::keyClick(box, Qt::Key_G, Qt::AltModifier); // an accelerator, not a letter
    QCOMPARE(box->Text(), before);
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
    VbTextBox *box = w.box;
    box->setText(start);
    box->setSelStart(box->Len());
    w.changes = 0;
    QGuiApplication::clipboard()->setText(QStringLiteral("PASTED"));
    QObject::connect(box, &VbTextBox::KeyPress, box, [](Integer &key) {
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
    QCOMPARE(box->Text(), result);
    QCOMPARE(w.changes, changes);
}

void TstTextBox::budgetFilterInKeyPress()
{
    // A handler refusing every key but Backspace and Esc once the text has
    // four characters.
    Window w(true);
    QVERIFY(w.ready());
    VbTextBox *box = w.box;
    QObject::connect(box, &VbTextBox::KeyPress, box, [box](Integer &key) {
        if (box->Len() >= 4 && key != 8 && key != 27)
            key = 0;
    });
    type(box, QStringLiteral("abcdef\r"));
    paste(box, QStringLiteral("more"));
    QCOMPARE(box->Text(), QStringLiteral("abcd"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->Text(), QStringLiteral("abc"));
    type(box, QStringLiteral("\r"));
    QCOMPARE(box->Text(), QStringLiteral("abc\r\n"));
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
    VbTextBox *box = w.box;
    box->setMaxLength(5);
    QCOMPARE(box->MaxLength(), 5);

    type(box, QStringLiteral("abcdefg"));
    QCOMPARE(box->Text(), QStringLiteral("abcde"));
    QCOMPARE(w.changes, 5);

    // A paste is cut to what fits; a selection it replaces makes room.
    box->setText(QStringLiteral("ab"));
    paste(box, QStringLiteral("123456789"));
    QCOMPARE(box->Text(), QStringLiteral("ab123"));
    box->setText(QStringLiteral("abcde"));
    box->setSelStart(1);
    box->setSelLength(2);
    paste(box, QStringLiteral("XYZW"));
    QCOMPARE(box->Text(), QStringLiteral("aXYde"));

    // A line break is two characters and never half pasted.
    box->setText(QStringLiteral("abcd"));
    box->setSelStart(4);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->Text(), QStringLiteral("abcd"));
    box->setMaxLength(4);
    box->setText(QStringLiteral("ab"));
    box->setSelStart(2);
    paste(box, QStringLiteral("1\r\n2"));
    QCOMPARE(box->Text(), QStringLiteral("ab1"));
    box->setMaxLength(5);

    // Code is not limited, and the user can still delete.
    box->setText(QStringLiteral("0123456789"));
    QCOMPARE(box->Len(), 10);
    box->setSelStart(10);
    type(box, QStringLiteral("x"));
    QCOMPARE(box->Text(), QStringLiteral("0123456789"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->Text(), QStringLiteral("012345678"));

    box->setMaxLength(0);
    type(box, QStringLiteral("xyz"));
    QCOMPARE(box->Text(), QStringLiteral("012345678xyz"));
}

void TstTextBox::singleLineBox()
{
    Window w(false);
    QVERIFY(w.ready());
    VbTextBox *box = w.box;

    type(box, QStringLiteral("ab\r"));
    QCOMPARE(box->Text(), QStringLiteral("ab"));
    QCOMPARE(w.keys.last(), 13);

    box->setText(QStringLiteral("a\rb\n\bc"));
    box->setSelStart(box->Len());
    type(box, QStringLiteral("d"));
    QCOMPARE(box->Text(), QStringLiteral("a\rb\n\bcd"));

    // Only the first line of a pasted text.
    paste(box, QStringLiteral("first\nsecond"));
    QCOMPARE(box->Text(), QStringLiteral("a\rb\n\bcdfirst"));

    const QString longText(40000, u'x');
    box->setText(longText);
    QCOMPARE(box->Text(), longText);

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
    VbTextBox *box = w.box;

    box->setText(QStringLiteral("ab\r\ncd"));
    box->setSelStart(4);
    QCOMPARE(box->SelStart(), 4);
    type(box, QStringLiteral("X"));
    QCOMPARE(box->Text(), QStringLiteral("ab\r\nXcd"));
    QCOMPARE(box->SelStart(), 5);

    // Selecting back over the break takes both of its characters.
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(box->SelStart(), 2);
    QCOMPARE(box->SelLength(), 3);
    QCOMPARE(box->SelText(), QStringLiteral("\r\nX"));

    // Inside a CR LF pair the caret stands before it.
    box->setSelStart(3);
    QCOMPARE(box->SelStart(), 2);

    box->setSelStart(1);
    box->setSelLength(100);
    QCOMPARE(box->SelLength(), box->Len() - 1);
    box->setSelStart(-5);
    QCOMPARE(box->SelStart(), 0);
    box->setSelStart(99);
    QCOMPARE(box->SelStart(), box->Len());

    // An assignment that adds at the caret leaves the caret behind the
    // addition; typing goes on from there.
    box->setText(QStringLiteral("abc"));
    box->setSelStart(3);
    box->setText(box->Text() + QChar(13));
    QCOMPARE(box->SelStart(), 4);
    type(box, QStringLiteral("d"));
    QCOMPARE(box->Text(), QStringLiteral("abc\rd"));
    box->setText(QString());
    QCOMPARE(box->SelStart(), 0);
    QCOMPARE(box->SelLength(), 0);
}

void TstTextBox::gotFocusSelectsForTheNextTyping()
{
    Window w(false);
    VbTextBox *box = w.box;
    box->setMaxLength(30);
    int gotFocus = 0;
    QObject::connect(box, &VbTextBox::GotFocus, box, [box, &gotFocus] {
        ++gotFocus;
        box->setSelStart(0);
        box->setSelLength(box->MaxLength());
    });
    box->setText(QStringLiteral("Pepe"));
    QVERIFY(kittest::showActive(w.window));
    w.other->setFocus();
    gotFocus = 0;

    box->SetFocus();
    QCOMPARE(gotFocus, 1);
    QCOMPARE(box->SelLength(), 4);
    type(box, QStringLiteral("Ana"));
    QCOMPARE(box->Text(), QStringLiteral("Ana"));

    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(w.other->hasFocus());
    QTest::keyClick(w.other, Qt::Key_Tab);
    QVERIFY(box->hasFocus());
    QCOMPARE(gotFocus, 2);
    QCOMPARE(box->SelText(), QStringLiteral("Ana"));
}

void TstTextBox::appearance()
{
    VbTextBox box(true);
    const QPalette system = QApplication::palette(box.editor());

    // The window colours of the system until told otherwise.
    QCOMPARE(box.ForeColor(), qint32(0x80000008u));
    QCOMPARE(box.BackColor(), qint32(0x80000005u));
    QCOMPARE(box.editor()->palette().color(QPalette::Text), system.color(QPalette::Text));
    QCOMPARE(box.editor()->palette().color(QPalette::Base), system.color(QPalette::Base));

    box.setForeColor(0x0000FF);
    box.setBackColor(qint32(0x8000000Fu));
    QCOMPARE(box.ForeColor(), 0x0000FF);
    QCOMPARE(box.BackColor(), qint32(0x8000000Fu));
    QCOMPARE(box.editor()->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(box.editor()->palette().color(QPalette::Base), system.color(QPalette::Button));

    box.setBackColor(0xFF8000); // blue 255, green 128, red 0
    QCOMPARE(box.editor()->palette().color(QPalette::Base), QColor(0, 128, 255));

    box.setFontName(QStringLiteral("Arial"));
    box.setFontBold(true);
    box.setFontItalic(true);
    box.setFontSize(12.5f);
    box.setFontStrikethru(true);
    box.setFontUnderline(true);
    QCOMPARE(box.FontName(), QStringLiteral("Arial"));
    QVERIFY(box.FontBold() && box.FontItalic() && box.FontStrikethru() && box.FontUnderline());
    QCOMPARE(box.FontSize(), 12.5f);
    QCOMPARE(box.editor()->font().family(), QStringLiteral("Arial"));
    QVERIFY(box.editor()->font().bold());

    box.setFontSize(0.0f);
    QCOMPARE(box.FontSize(), 12.5f);
}

QTEST_MAIN(TstTextBox)
#include "tst_textbox.moc"
