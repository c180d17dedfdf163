#include "core/pulse.h"

#include <QtTest>

using namespace brisquel;

namespace {
int green(qint32 colour) { return (colour >> 8) & 0xFF; }
int red(qint32 colour) { return colour & 0xFF; }
int blue(qint32 colour) { return (colour >> 16) & 0xFF; }

QList<qint32> ticks(GlyphPulse &pulse, int n)
{
    QList<qint32> colours;
    for (int i = 0; i < n; ++i)
        colours << pulse.tick();
    return colours;
}
} // namespace

class TestPulse : public QObject {
    Q_OBJECT

private slots:
    void climbsTurnsAndFallsThroughACycle();
    void eachPulseKeepsItsOwnPlace();
};

void TestPulse::climbsTurnsAndFallsThroughACycle()
{
    GlyphPulse pulse;
    const QList<qint32> colours = ticks(pulse, 189);

    QCOMPARE(colours[0], qint32(0x447844)); // green 120, red and blue 68
    QCOMPARE(red(colours[1]), 66);          // 65.5 goes to the even neighbour
    QCOMPARE(colours[25], qint32(0x06F506)); // the top: green 245
    QCOMPARE(green(colours[26]), 240);       // and down again
    QCOMPARE(colours[72], qint32(0x7B0A7B)); // the bottom: green 10
    QCOMPARE(green(colours[73]), 15);
    for (int i = 0; i < colours.size(); ++i) {
        QVERIFY(green(colours[i]) >= 10 && green(colours[i]) <= 245);
        QCOMPARE(red(colours[i]), blue(colours[i]));
        if (i > 0)
            QCOMPARE(qAbs(green(colours[i]) - green(colours[i - 1])), 5);
    }
    // 94 ticks make the cycle, and the next one repeats it.
    QCOMPARE(colours.mid(94, 94), colours.mid(0, 94));
}

void TestPulse::eachPulseKeepsItsOwnPlace()
{
    GlyphPulse running;
    ticks(running, 30);
    GlyphPulse fresh;
    QCOMPARE(fresh.tick(), qint32(0x447844));
    const qint32 next = running.tick();
    QVERIFY(next != qint32(0x447844));

    // A pulse started over begins again at the start.
    running = GlyphPulse();
    QCOMPARE(running.tick(), qint32(0x447844));
}

QTEST_GUILESS_MAIN(TestPulse)
#include "tst_pulse.moc"
