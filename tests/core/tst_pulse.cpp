#include "core/pulse.h"

#include <QtTest>

using namespace brisquel;

namespace {
int green(qint32 colour) { return (colour >> 8) & 0xFF; }
int red(qint32 colour) { return colour & 0xFF; }
int blue(qint32 colour) { return (colour >> 16) & 0xFF; }
} // namespace

class TestPulse : public QObject {
    Q_OBJECT

private slots:
    void climbsTurnsAndFallsThroughACycle();
};

void TestPulse::climbsTurnsAndFallsThroughACycle()
{
    GlyphPulse pulse;
    QList<qint32> colours;
    for (int i = 0; i < 189; ++i)
        colours << pulse.tick();

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

    // A pulse started over begins again where a new one does.
    pulse = GlyphPulse();
    QCOMPARE(pulse.tick(), colours[0]);
}

QTEST_GUILESS_MAIN(TestPulse)
#include "tst_pulse.moc"
