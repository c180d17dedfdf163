#include "platform/commandlinesplit.h"

#include <QTest>

using brisquel::splitCommandLine;

class TestCommandLineSplit : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
};

void TestCommandLineSplit::split_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QStringList>("argv");

    const QString lfcr = QStringLiteral("\n\r\n\r");

    QTest::newRow("message as dispatch builds it")
        << QStringLiteral("net send pepe \"Hola") + lfcr + QStringLiteral("Ana@Brisquel v2.4b\"")
        << QStringList{"net", "send", "pepe", "Hola" + lfcr + "Ana@Brisquel v2.4b"};
    QTest::newRow("accented message")
        << QStringLiteral("net send josé \"¿Qué tal? ñandú €\"")
        << QStringList{"net", "send", "josé", "¿Qué tal? ñandú €"};
    QTest::newRow("empty recipient leaves no argument")
        << QStringLiteral("net send  \"Hola[Brisquel v2.4b]\"")
        << QStringList{"net", "send", "Hola[Brisquel v2.4b]"};
    QTest::newRow("only blanks: an empty program name")
        << QStringLiteral(" \t")
        << QStringList{""};
    QTest::newRow("blanks and tabs")
        << QStringLiteral("net  send\t\tpepe  ")
        << QStringList{"net", "send", "pepe"};
    QTest::newRow("line breaks outside quotes are not separators")
        << QStringLiteral("net a\nb c\r")
        << QStringList{"net", "a\nb", "c\r"};
    QTest::newRow("empty quoted argument")
        << QStringLiteral("net send \"\" \"x\"")
        << QStringList{"net", "send", "", "x"};
    QTest::newRow("quotes inside a word")
        << QStringLiteral("net ab\"c d\"e")
        << QStringList{"net", "abc de"};
    QTest::newRow("unclosed quote runs to the end")
        << QStringLiteral("net \"a b\n\rc")
        << QStringList{"net", "a b\n\rc"};
    QTest::newRow("backslashes not before a quote are literal")
        << QStringLiteral(R"(net a\b c\\d e\)")
        << QStringList{"net", R"(a\b)", R"(c\\d)", R"(e\)"};
    QTest::newRow("even backslashes then quote")
        << QStringLiteral(R"(net "a\\" b\\\\"c d")")
        << QStringList{"net", R"(a\)", R"(b\\c d)"};
    QTest::newRow("odd backslashes then quote")
        << QStringLiteral(R"(net a\"b "c\\\"d")")
        << QStringList{"net", R"(a"b)", R"(c\"d)"};
    QTest::newRow("doubled quote inside quotes stays quoted")
        << QStringLiteral(R"(net "a""b c")")
        << QStringList{"net", R"(a"b c)"};
    QTest::newRow("quote in a message closes and reopens")
        << QStringLiteral("net send pepe \"di \"hola\" ya") + lfcr + QStringLiteral("[Brisquel v2.4b]\"")
        << QStringList{"net", "send", "pepe", "di hola ya" + lfcr + "[Brisquel v2.4b]"};
    QTest::newRow("program name: quotes group, backslashes plain")
        << QStringLiteral(R"("C:\Program Files\net\" send)")
        << QStringList{R"(C:\Program Files\net\)", "send"};
    QTest::newRow("shell metacharacters stay in one argument")
        << QStringLiteral("net send pepe \"; rm -rf x; $(touch y) `touch z` | cat > w & \\ 'q' * ~") + lfcr
               + QStringLiteral("[Brisquel v2.4b]\"")
        << QStringList{"net", "send", "pepe",
                       "; rm -rf x; $(touch y) `touch z` | cat > w & \\ 'q' * ~" + lfcr + "[Brisquel v2.4b]"};
    QTest::newRow("a quote lets metacharacters out, as plain words")
        << QStringLiteral("net send pepe \"x\"; touch y; $(touch z) | w") + lfcr + QStringLiteral("[Brisquel v2.4b]\"")
        << QStringList{"net", "send", "pepe", "x;", "touch", "y;", "$(touch", "z)", "|",
                       "w" + lfcr + "[Brisquel", "v2.4b]"};
    QTest::newRow("empty line") << QString() << QStringList{};
}

void TestCommandLineSplit::split()
{
    QFETCH(QString, commandLine);
    QFETCH(QStringList, argv);
    QCOMPARE(splitCommandLine(commandLine), argv);
}

QTEST_APPLESS_MAIN(TestCommandLineSplit)
#include "tst_commandlinesplit.moc"
