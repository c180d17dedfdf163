#include "core/linereader.h"

#include <QTest>

using namespace brisquel;

namespace {

// Reads everything with one kind of read, marking a read past the end.
QStringList readAll(const QString &text, bool fields)
{
    LineReader in(text);
    QStringList out;
    while (!in.atEnd())
        out << (fields ? in.readField() : in.readLine()).value_or(QStringLiteral("<end>"));
    out << (fields ? in.readField() : in.readLine()).value_or(QStringLiteral("<end>"));
    return out;
}

} // namespace

class TestLineReader : public QObject {
    Q_OBJECT

private slots:
    void splitsLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b", "<end>"};
        QTest::newRow("lone CR ends a line") << "a\rb" << QStringList{"a", "b", "<end>"};
        QTest::newRow("lone LF stays") << "a\nb\r\nc" << QStringList{"a\nb", "c", "<end>"};
        QTest::newRow("LF CR") << "a\n\rb" << QStringList{"a\n", "b", "<end>"};
        QTest::newRow("empty lines") << "\r\n\r\n" << QStringList{"", "", "<end>"};
        QTest::newRow("CR CR LF") << "a\r\r\n" << QStringList{"a", "", "<end>"};
        QTest::newRow("nothing") << "" << QStringList{"<end>"};
        QTest::newRow("no CR at all: LF ends lines") << "a\nb\n\nc" << QStringList{"a", "b", "", "c", "<end>"};
        QTest::newRow("one CR keeps LF inside lines") << "a\nb\rc\n" << QStringList{"a\nb", "c\n", "<end>"};
    }
    void splitsLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(readAll(text, false), lines);
    }

    void readsDelimitedFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain") << "...\r\npruebas\r\n" << QStringList{"...", "pruebas", "<end>"};
        QTest::newRow("leading blanks and tabs") << "  \tana \r\n" << QStringList{"ana ", "<end>"};
        QTest::newRow("comma goes on in the line") << "a,b\r\nc" << QStringList{"a", "b", "c", "<end>"};
        QTest::newRow("quotes dropped") << "\"a, b\" x,c\r\n" << QStringList{"a, b", "c", "<end>"};
        QTest::newRow("quote left open") << "\"abc\r\nd" << QStringList{"abc", "d", "<end>"};
        QTest::newRow("empty at the end") << "a,\r\n" << QStringList{"a", "", "<end>"};
    }
    void readsDelimitedFields()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, fields);
        QCOMPARE(readAll(text, true), fields);
    }

    void lineAfterFieldTakesTheRest()
    {
        LineReader in(QStringLiteral("a, b c\r\nd\r\n"));
        QCOMPARE(in.readField().value_or(QString()), QStringLiteral("a"));
        QCOMPARE(in.readLine().value_or(QString()), QStringLiteral(" b c"));
        QCOMPARE(in.readLine().value_or(QString()), QStringLiteral("d"));
        QVERIFY(in.atEnd());
        QVERIFY(!in.readLine());
    }
};

QTEST_GUILESS_MAIN(TestLineReader)
#include "tst_linereader.moc"
