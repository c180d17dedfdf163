#include "core/budget.h"

#include <QtTest>

#include <functional>

using namespace brisquel;

namespace {

// A message box as the windows have one: assigning a text that differs runs
// its change handler at once, nested inside the assignment; assigning the
// same text runs nothing.
class NestingBox {
public:
    QString text() const { return m_text; }
    int length() const { return int(m_text.size()); }
    void setText(const QString &text)
    {
        if (text == m_text)
            return;
        m_text = text;
        if (changed)
            changed();
    }

    std::function<void()> changed;

private:
    QString m_text;
};

// The box with the budget rule as its change handler, the way both message
// boxes are wired; counts the runs and the deepest nesting.
struct BudgetedBox {
    explicit BudgetedBox(AppState &state)
    {
        box.changed = [this, &state] {
            ++runs;
            ++depth;
            deepest = std::max(deepest, depth);
            applyBudget(state, box);
            --depth;
        };
    }

    NestingBox box;
    int runs = 0;
    int depth = 0;
    int deepest = 0;
};

} // namespace

class TestBudget : public QObject {
    Q_OBJECT

private slots:
    void budgetFollowsTheSignature();
    void textsAreCutToTheBudget();
    void captionCountsDown();
};

void TestBudget::budgetFollowsTheSignature()
{
    AppState state;
    QCOMPARE(messageBudget(state), 850);
    state.senderName = QStringLiteral("Ana");
    QCOMPARE(messageBudget(state), 850); // not signed with it yet
    state.signWithSenderName = true;
    QCOMPARE(messageBudget(state), 847);
    state.senderName = QString(900, QLatin1Char('x'));
    QCOMPARE(messageBudget(state), 0);
}

void TestBudget::textsAreCutToTheBudget()
{
    AppState state;
    {
        BudgetedBox typed(state);
        typed.box.setText(QStringLiteral("hola"));
        QCOMPARE(typed.box.text(), QStringLiteral("hola"));
        QCOMPARE(state.lettersLeft, 846);
        QCOMPARE(typed.runs, 1);
    }
    {
        // Exactly the budget: the same text is assigned, and nothing runs.
        BudgetedBox full(state);
        full.box.setText(QString(850, QLatin1Char('a')));
        QCOMPARE(full.box.length(), 850);
        QCOMPARE(state.lettersLeft, 0);
        QCOMPARE(full.runs, 1);
    }
    {
        // Past it: cut, and the cut runs the rule once more, nested.
        BudgetedBox pasted(state);
        pasted.box.setText(QStringLiteral("ab") + QString(900, QLatin1Char('z')));
        QCOMPARE(pasted.box.length(), 850);
        QVERIFY(pasted.box.text().startsWith(QStringLiteral("abzz")));
        QCOMPARE(state.lettersLeft, 0);
        QCOMPARE(pasted.runs, 2);
        QCOMPARE(pasted.deepest, 2);
    }
    {
        // The signature takes its letters; a name past the budget leaves none.
        state.signWithSenderName = true;
        state.senderName = QStringLiteral("Ana");
        BudgetedBox signedBox(state);
        signedBox.box.setText(QString(849, QLatin1Char('s')));
        QCOMPARE(signedBox.box.length(), 847);
        QCOMPARE(state.lettersLeft, 0);

        state.senderName = QString(900, QLatin1Char('n'));
        BudgetedBox noRoom(state);
        noRoom.box.setText(QStringLiteral("hola"));
        QCOMPARE(noRoom.box.text(), QString());
        QCOMPARE(state.lettersLeft, 0);
        QCOMPARE(noRoom.runs, 2);
    }
}

void TestBudget::captionCountsDown()
{
    QCOMPARE(budgetCaption(1, false), QStringLiteral("Brisquel v2.4b - Queda 1 letra..."));
    QCOMPARE(budgetCaption(0, false), QStringLiteral("Brisquel v2.4b - Quedan 0 letras..."));
    QCOMPARE(budgetCaption(849, false), QStringLiteral("Brisquel v2.4b - Quedan 849 letras..."));
    QCOMPARE(budgetCaption(850, true), QStringLiteral("Brisquel v2.4b"));
}

QTEST_GUILESS_MAIN(TestBudget)
#include "tst_budget.moc"
