#include "core/numbertext.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

using namespace brisquel;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void writesSingles_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("size 8.25") << 8.25f << " 8.25";
        QTest::newRow("whole") << 10.0f << " 10";
        QTest::newRow("zero") << 0.0f << " 0";
        QTest::newRow("negative zero") << -0.0f << " 0";
        QTest::newRow("seven digits") << 0.1f << " 0.1";
        QTest::newRow("rounded to seven") << 1234.5678f << " 1234.568";
        QTest::newRow("negative") << -9.75f << "-9.75";
    }
    void writesSingles()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(numberText(value), text);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(numberText(value), text);
    }

    void writesDoublesAndIntegers()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(numberText(-2147483643.0), QStringLiteral("-2147483643"));
        QCOMPARE(numberText(1234567.125), QStringLiteral(" 1234567.125"));
        QCOMPARE(numberText(0.1 + 0.2), QStringLiteral(" 0.3"));
        QCOMPARE(numberText(qint32(0)), QStringLiteral(" 0"));
        QCOMPARE(numberText(qint32(255)), QStringLiteral(" 255"));
        QCOMPARE(numberText(qint32(1234567)), QStringLiteral(" 1234567"));
        QCOMPARE(numberText(qint32(-2147483643)), QStringLiteral("-2147483643"));
        QCOMPARE(numberText(std::numeric_limits<qint32>::min()), QStringLiteral("-2147483648"));
        QCOMPARE(numberText(qint16(3)), QStringLiteral(" 3")); // caption counters
    }

    void reads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("blank first") << " 8.25" << 8.25;
        QTest::newRow("system colour") << "-2147483643" << -2147483643.0;
        QTest::newRow("blank inside") << "1 2" << 12.0;
        QTest::newRow("tab and line feed") << "\t-\n2 5 5" << -255.0;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("point last") << "3." << 3.0;
        QTest::newRow("exponent") << "1.5E3" << 1500.0;
        QTest::newRow("small e, signs") << "-2e-2" << -0.02;
        QTest::newRow("exponent without digits") << "4e+" << 4.0;
        QTest::newRow("stops at letter") << "10px" << 10.0;
        QTest::newRow("stops at comma") << "8,25" << 8.0;
        QTest::newRow("second point") << "1.2.3" << 1.2;
        QTest::newRow("cr is no blank") << "1\r2" << 1.0;
        QTest::newRow("nothing") << "" << 0.0;
        QTest::newRow("no digits") << "abc" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("two signs") << "--5" << 0.0;
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("٣") << 0.0;
        QTest::newRow("underflow") << "1e-999" << 0.0;
    }
    void reads()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(readNumber(text), value);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(readNumber(text), value);
    }

    void readsOverflowAsInfinity()
    {
        QVERIFY(std::isinf(readNumber(u"1e999")));
        QVERIFY(readNumber(u"-1e999") < 0);
        QVERIFY(std::isinf(readNumber(u"00012345678901234567890e300")));
    }

    void roundsToLong_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("rounded");
        QTest::newRow("half down to even") << 2.5 << true << 2;
        QTest::newRow("half up to even") << 3.5 << true << 4;
        QTest::newRow("negative half") << -2.5 << true << -2;
        QTest::newRow("nearest") << 254.6 << true << 255;
        QTest::newRow("top") << 2147483647.0 << true << 2147483647;
        QTest::newRow("bottom") << -2147483648.0 << true << int(std::numeric_limits<qint32>::min());
        QTest::newRow("bottom half") << -2147483648.5 << true << int(std::numeric_limits<qint32>::min());
        QTest::newRow("top half rounds out") << 2147483647.5 << false << 0;
        QTest::newRow("above") << 2147483648.0 << false << 0;
        QTest::newRow("below") << -2147483649.0 << false << 0;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << false << 0;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
    }
    void roundsToLong()
    {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QFETCH(int, rounded);
        const std::optional<qint32> result = roundToLong(value);
        QCOMPARE(result.has_value(), fits);
        if (fits)
            QCOMPARE(*result, rounded);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
