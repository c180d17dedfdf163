#include "core/history.h"

#include <QtTest>

using namespace brisquel;

class TestHistory : public QObject {
    Q_OBJECT

private slots:
    void recordsOnlyAtTheEndPosition();
    void fullHistoryDropsTheOldest();
    void browsingStaysWithinTheSlots();
};

void TestHistory::recordsOnlyAtTheEndPosition()
{
    History history;
    QVERIFY(history.atEnd());
    history.record(QStringLiteral("primero"));
    QCOMPARE(history.count(), 1);
    QCOMPARE(history.message(0), QStringLiteral("primero"));

    // The bar still points at slot 0: a second send is a resend.
    QCOMPARE(history.position(), 0);
    QVERIFY(!history.atEnd());
    history.record(QStringLiteral("segundo"));
    QCOMPARE(history.count(), 1);
    QVERIFY(history.message(1).isEmpty());

    // Back at the end position, the next one is recorded again.
    history.browseTo(history.count());
    history.record(QStringLiteral("tercero"));
    QCOMPARE(history.count(), 2);
    QCOMPARE(history.message(1), QStringLiteral("tercero"));

    // Paging back to an earlier one and sending it records nothing.
    history.browseTo(0);
    history.record(QStringLiteral("primero!"));
    QCOMPARE(history.count(), 2);
    QCOMPARE(history.message(0), QStringLiteral("primero"));
}

void TestHistory::fullHistoryDropsTheOldest()
{
    History history;
    for (int i = 0; i < 32; ++i) {
        history.browseTo(history.count());
        history.record(QString::number(i));
    }
    QCOMPARE(history.count(), 32);
    QCOMPARE(history.message(0), QStringLiteral("0"));
    QCOMPARE(history.message(31), QStringLiteral("31"));
    QVERIFY(history.message(32).isEmpty());

    history.browseTo(32);
    history.record(QStringLiteral("nuevo"));
    QCOMPARE(history.count(), 32);
    QCOMPARE(history.message(0), QStringLiteral("1"));
    QCOMPARE(history.message(30), QStringLiteral("31"));
    QCOMPARE(history.message(31), QStringLiteral("nuevo"));
    QCOMPARE(history.message(32), QStringLiteral("nuevo")); // the end shows it again

    // Position 32 is still the end: the next send is recorded too.
    QVERIFY(history.atEnd());
    history.record(QStringLiteral("otro"));
    QCOMPARE(history.count(), 32);
    QCOMPARE(history.message(0), QStringLiteral("2"));
    QCOMPARE(history.message(30), QStringLiteral("nuevo"));
    QCOMPARE(history.message(31), QStringLiteral("otro"));
    QCOMPARE(history.message(32), QStringLiteral("otro"));
}

void TestHistory::browsingStaysWithinTheSlots()
{
    History history;
    history.record(QStringLiteral("hola"));
    QVERIFY(history.message(-1).isEmpty());
    QVERIFY(history.message(History::kSlots).isEmpty());

    history.browseTo(-5);
    QCOMPARE(history.position(), 0);
    history.browseTo(1000);
    QCOMPARE(history.position(), History::kSlots - 1);
    QVERIFY(history.atEnd());
    history.record(QStringLiteral("adios"));
    QCOMPARE(history.count(), 2);
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
