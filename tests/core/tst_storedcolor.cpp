// The stored colour rule: the numbers the settings file holds for the
// message box's colours, and which of them the box accepts.
#include "core/storedcolor.h"

#include <QTest>

using namespace brisquel;

class TestStoredColor : public QObject
{
    Q_OBJECT

private slots:
    void classifiesStoredValues_data();
    void classifiesStoredValues();
    void packsAndUnpacksRgb();
};

void TestStoredColor::classifiesStoredValues_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("system");
    QTest::addColumn<int>("index");

    QTest::newRow("black") << qint32(0) << true << false << -1;
    QTest::newRow("white") << qint32(0xFFFFFF) << true << false << -1;
    QTest::newRow("above white") << qint32(0x1000000) << false << false << -1;
    QTest::newRow("first system colour") << qint32(0x80000000u) << true << true << 0;
    QTest::newRow("window text (file: -2147483640)") << qint32(-2147483640) << true << true << 8;
    QTest::newRow("last system colour") << qint32(0x80000018u) << true << true << 24;
    QTest::newRow("past the last index") << qint32(0x80000019u) << false << true << -1;
    QTest::newRow("index above a byte") << qint32(0x80000100u) << false << true << -1;
    QTest::newRow("bits besides the flag") << qint32(0x80010005u) << false << true << -1;
    QTest::newRow("-1") << qint32(-1) << false << true << -1;
}

void TestStoredColor::classifiesStoredValues()
{
    QFETCH(qint32, value);
    QFETCH(bool, accepted);
    QFETCH(bool, system);
    QFETCH(int, index);
    QCOMPARE(acceptsColor(value), accepted);
    QCOMPARE(isSystemColor(value), system);
    QCOMPARE(systemColorIndex(value), index);
}

void TestStoredColor::packsAndUnpacksRgb()
{
    // Red in the low byte, blue in the third.
    QCOMPARE(storedRgb(0x40, 0x80, 0xFF), qint32(0xFF8040));
    QCOMPARE(storedRgb(255, 255, 255), qint32(0xFFFFFF));
    const Rgb parts = rgbOf(0x123456);
    QCOMPARE(parts.red, 0x56);
    QCOMPARE(parts.green, 0x34);
    QCOMPARE(parts.blue, 0x12);
    const Rgb white = rgbOf(0xFFFFFF);
    QCOMPARE(white.red, 255);
    QCOMPARE(white.green, 255);
    QCOMPARE(white.blue, 255);
    QCOMPARE(storedRgb(0, 0, 1), qint32(0x10000));

    // The box's default colours, as the settings file writes them.
    QCOMPARE(storedSystemColor(SystemColor::WindowText), qint32(-2147483640));
    QCOMPARE(storedSystemColor(SystemColor::WindowBackground), qint32(-2147483643));
    QCOMPARE(storedSystemColor(SystemColor::TooltipBackground), qint32(-2147483624));
}

QTEST_GUILESS_MAIN(TestStoredColor)
#include "tst_storedcolor.moc"
