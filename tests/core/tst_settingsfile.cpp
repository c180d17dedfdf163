#include "core/dispatch.h"
#include "core/settingsfile.h"
#include "fakes/recordingcommandstarter.h"
#include "support/unwritablefolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace brisquel;

namespace {

const QString kLogin = QStringLiteral("pruebas");

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable: ") + path.toUtf8() + '>';
    return file.readAll();
}

QByteArray fixture(const QString &name)
{
    return bytesOf(QStringLiteral(BRISQUEL_TEST_DATA "/settings/") + name);
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// ASCII lines with CR LF, for the cases that vary one line.
QByteArray crlfLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QStringList generalLines(const QString &font, const QString &size, const QString &fore, const QString &back)
{
    return {QStringLiteral("[GENERAL]"), QStringLiteral("Alguien"), QStringLiteral("otro"), QStringLiteral("0"),
            font, QStringLiteral("1"), QStringLiteral("0"), size, QStringLiteral("1"), QStringLiteral("0"),
            fore, back};
}

QStringList userLines()
{
    QStringList lines{QStringLiteral("[USUARIOS]")};
    for (int i = 0; i < 12; ++i)
        lines << QStringLiteral("u%1").arg(i) << QStringLiteral("u%1-dest").arg(i);
    return lines;
}

QStringList groupLines()
{
    QStringList lines{QStringLiteral("[GRUPOS]")};
    for (int i = 0; i < 12; ++i)
        lines << QStringLiteral("g%1name").arg(i) << QStringLiteral("g%1members").arg(i);
    return lines;
}

QStringList twelveEmptyCaptions()
{
    return QStringList(12, kEmptySlotCaption);
}

AppState startState()
{
    AppState state;
    state.loginName = kLogin;
    return state;
}

// The state a recovery leaves, whichever way it went.
void verifyDefaultsState(const AppState &state, const LoadOutcome &outcome)
{
    QCOMPARE(state.senderName, kLogin);
    QCOMPARE(state.signWithSenderName, true);
    for (const RecipientList *list : {&state.users, &state.groups})
        for (const RecipientSlot &row : *list)
            QCOMPARE(row, (RecipientSlot{kEmptySlotCaption, kEmptySlotCaption}));
    QCOMPARE(outcome.quickListCaptions, twelveEmptyCaptions());
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private:
    QString place(const QTemporaryDir &dir, const QString &fixtureName)
    {
        const QString path = dir.filePath(kSettingsFileName);
        if (!fixtureName.isEmpty())
            writeBytes(path, fixture(fixtureName));
        return path;
    }

private slots:
    void loadsAndSavesAFileItWrote()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QStringLiteral("complete.ini"));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(outcome.error.isEmpty());
        QVERIFY(!outcome.recovered);
        QVERIFY(outcome.backupPath.isEmpty());
        QCOMPARE(state.loginName, kLogin); // the saved login is not taken over
        QCOMPARE(state.senderName, QString::fromUtf8("José Núñez"));
        QCOMPARE(state.signWithSenderName, true);
        QCOMPARE(state.users[0], (RecipientSlot{QString::fromUtf8("Peña €"), QStringLiteral("pena")}));
        QCOMPARE(state.users[1].caption, QString::fromUtf8("Ángel"));
        QCOMPARE(state.users[5].caption, QString::fromUtf8("Raro \u0081\u008D\u008F\u0090\u009D"));
        QCOMPARE(state.groups[0].recipients, QString::fromUtf8("ana, luis, óscar"));
        QCOMPARE(state.groups[2].recipients, QStringLiteral("a\nb")); // a lone line feed stays inside the line
        QCOMPARE(state.groups[11], (RecipientSlot{QString(), QString()}));
        QCOMPARE(outcome.quickListCaptions.size(), 12);
        QCOMPARE(outcome.quickListCaptions.at(0), QString::fromUtf8("Peña €"));
        QCOMPARE(outcome.quickListCaptions.at(2), QStringLiteral("Contabilidad"));

        QCOMPARE(look.fontName, QStringLiteral("Tahoma"));
        QVERIFY(look.bold && !look.italic && !look.strikethrough && look.underline);
        QCOMPARE(look.size, 8.25f);
        QCOMPARE(look.foreColor, 255);
        QCOMPARE(look.backColor, -2147483643);

        // Saving gives the same bytes, only line 3 names the current login.
        QVERIFY(saveSettings(path, state, look).isEmpty());
        QByteArray expected = fixture(QStringLiteral("complete.ini"));
        expected.replace("\r\notrousuario\r\n", "\r\npruebas\r\n");
        QCOMPARE(bytesOf(path), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{kSettingsFileName});
    }

    void readsFontSizesAndColours_data()
    {
        QTest::addColumn<QString>("sizeLine");
        QTest::addColumn<QString>("foreLine");
        QTest::addColumn<QString>("backLine");
        QTest::addColumn<float>("size");
        QTest::addColumn<int>("fore");
        QTest::addColumn<int>("back");
        QTest::newRow("8.25, red, window colour") << " 8.25" << " 255" << "-2147483643" << 8.25f << 255 << -2147483643;
        QTest::newRow("window text, black") << " 10" << "-2147483640" << " 0" << 10.0f << -2147483640 << 0;
        QTest::newRow("blanks inside") << " 1 2" << "2 5 5" << "-\t2147483643" << 12.0f << 255 << -2147483643;
        QTest::newRow("exponents") << "1.2e1" << " 1E2" << " 16777215" << 12.0f << 100 << 0xFFFFFF;
        QTest::newRow("halves to even") << " 9.75" << " 2.5" << " 3.5" << 9.75f << 2 << 4;
        QTest::newRow("text reads as 0") << " 2160" << "negro" << "" << 2160.0f << 0 << 0;
        QTest::newRow("system colour range") << " 0.5" << "-2147483648" << "-2147483624" << 0.5f << int(0x80000000u)
                                             << int(0x80000018u);
    }
    void readsFontSizesAndColours()
    {
        QFETCH(QString, sizeLine);
        QFETCH(QString, foreLine);
        QFETCH(QString, backLine);
        QTemporaryDir dir;
        const QString path = place(dir, QString());
        QVERIFY(writeBytes(path, crlfLines(generalLines(QStringLiteral("Arial"), sizeLine, foreLine, backLine)
                                           + userLines() + groupLines())));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);
        QVERIFY(!outcome.recovered);
        QFETCH(float, size);
        QCOMPARE(look.size, size);
        QTEST(int(look.foreColor), "fore");
        QTEST(int(look.backColor), "back");
        QCOMPARE(look.fontName, QStringLiteral("Arial"));
        QVERIFY(look.bold && !look.italic && look.strikethrough && !look.underline);
        QCOMPARE(state.senderName, QStringLiteral("Alguien"));
        QCOMPARE(state.signWithSenderName, false);
    }

    void refusedValuesRecover_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("fore");
        QTest::addColumn<QString>("back");
        QTest::addColumn<QString>("keptFont");
        QTest::addColumn<float>("keptSize");
        QTest::addColumn<int>("keptFore");
        const int windowText = int(0x80000008u);
        QTest::newRow("colour above 32 bits") << "Verdana" << " 9.75" << " 2147483648" << " 0" << "Verdana" << 9.75f << windowText;
        QTest::newRow("colour below 32 bits") << "Verdana" << " 9.75" << " 255" << "-2147483649" << "Verdana" << 9.75f << 255;
        QTest::newRow("colour above RGB") << "Verdana" << " 9.75" << " 16777216" << " 0" << "Verdana" << 9.75f << windowText;
        QTest::newRow("system colour 25") << "Verdana" << " 9.75" << " 255" << "-2147483623" << "Verdana" << 9.75f << 255;
        QTest::newRow("size zero") << "Verdana" << " 0" << " 255" << " 0" << "Verdana" << 8.25f << windowText;
        QTest::newRow("size negative") << "Verdana" << "-8" << " 255" << " 0" << "Verdana" << 8.25f << windowText;
        QTest::newRow("size too big") << "Verdana" << " 2161" << " 255" << " 0" << "Verdana" << 8.25f << windowText;
        QTest::newRow("size infinite") << "Verdana" << "1e999" << " 255" << " 0" << "Verdana" << 8.25f << windowText;
        QTest::newRow("empty font name") << "" << " 12" << " 255" << " 0" << "MS Sans Serif" << 8.25f << windowText;
    }
    void refusedValuesRecover()
    {
        QFETCH(QString, font);
        QFETCH(QString, size);
        QFETCH(QString, fore);
        QFETCH(QString, back);
        QFETCH(QString, keptFont);
        QFETCH(int, keptFore);
        QTemporaryDir dir;
        const QString path = place(dir, QString());
        const QByteArray original = crlfLines(generalLines(font, size, fore, back) + groupLines());
        QVERIFY(writeBytes(path, original));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(outcome.recovered);
        QVERIFY(outcome.error.isEmpty());
        verifyDefaultsState(state, outcome);
        // Values read before the refused one stay and go into the defaults.
        QCOMPARE(look.fontName, keptFont);
        QFETCH(float, keptSize);
        QCOMPARE(look.size, keptSize);
        QCOMPARE(int(look.foreColor), keptFore);
        const QByteArray written = bytesOf(path);
        QVERIFY(written.startsWith("[GENERAL]\r\npruebas\r\npruebas\r\n1\r\n" + keptFont.toLatin1() + "\r\n"));
        QCOMPARE(written.count("\r\n"), 62);
        QCOMPARE(bytesOf(outcome.backupPath), original);
    }

    void recoveryWritesDefaultsAndKeepsACopy_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("users cut after 23 lines") << "users-cut.ini" << "users-cut.expected.ini";
        QTest::newRow("general cut, users read first") << "general-cut.ini" << "general-cut.expected.ini";
        QTest::newRow("colour out of range") << "colour-out-of-range.ini" << "colour-out-of-range.expected.ini";
    }
    void recoveryWritesDefaultsAndKeepsACopy()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = place(dir, input);
        // An older copy, perhaps the user's lists from a recovery before,
        // is never replaced: the new copy takes the next free name.
        const QString older = path + QStringLiteral(".bak");
        QVERIFY(writeBytes(older, "an older copy, longer than nothing at all"));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(outcome.recovered);
        QVERIFY(outcome.error.isEmpty());
        QCOMPARE(outcome.backupPath, path + QStringLiteral(".bak2"));
        QCOMPARE(bytesOf(path), fixture(expected));
        QCOMPARE(bytesOf(older), QByteArray("an older copy, longer than nothing at all"));
        QCOMPARE(bytesOf(outcome.backupPath), fixture(input));
        verifyDefaultsState(state, outcome); // captions of the failed read are gone

        // The same broken file again keeps the one copy of it.
        QVERIFY(writeBytes(path, fixture(input)));
        const LoadOutcome again = loadSettings(path, state, look);
        QCOMPARE(again.backupPath, path + QStringLiteral(".bak2"));
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".bak3")));
    }

    void firstRunWritesDefaults()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QString());
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(outcome.recovered);
        QVERIFY(outcome.error.isEmpty());
        QVERIFY(outcome.backupPath.isEmpty());
        QCOMPARE(bytesOf(path), fixture(QStringLiteral("defaults.expected.ini")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{kSettingsFileName});
        verifyDefaultsState(state, outcome);
        QCOMPARE(look.fontName, TextBoxLook().fontName);
    }

    void linuxEditorsAndByteOrderMarksReadLikeTheOriginal_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("line feeds only") << "lf-only.ini";
        QTest::newRow("UTF-8 byte-order mark") << "bom.ini";
        QTest::newRow("blanks after the headers") << "header-blank.ini";
    }
    void linuxEditorsAndByteOrderMarksReadLikeTheOriginal()
    {
        QFETCH(QString, input);
        QTemporaryDir dir;
        AppState expected = startState();
        TextBoxLook expectedLook;
        loadSettings(place(dir, QStringLiteral("complete.ini")), expected, expectedLook);

        QTemporaryDir other;
        const QString path = place(other, input);
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(outcome.error.isEmpty());
        QVERIFY(!outcome.recovered);
        QCOMPARE(state.senderName, QString::fromUtf8("José Núñez"));
        QCOMPARE(state.users, expected.users);
        QCOMPARE(look.fontName, expectedLook.fontName);
        QCOMPARE(look.backColor, expectedLook.backColor);
        // Only the lone line feed inside a value cannot survive a file split
        // at line feeds: the groups before it can.
        if (input != QStringLiteral("lf-only.ini"))
            QCOMPARE(state.groups, expected.groups);
        QCOMPARE(state.groups[1], expected.groups[1]);
        QCOMPARE(bytesOf(path), fixture(input));
    }

    // Whatever exists but does not hold the three sections is kept aside
    // before the defaults take its place.
    void filesWithoutTheThreeSectionsAreKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << fixture(QStringLiteral("empty.ini"));
        QTest::newRow("short section swallows [GRUPOS]") << fixture(QStringLiteral("swallow.ini"));
        QTest::newRow("notes") << QByteArray("comprar pan\nllamar a Luis\n");
        QTest::newRow("header with a leading blank")
            << crlfLines(QStringList{QStringLiteral(" [GENERAL]")} + generalLines(QStringLiteral("Arial"), QStringLiteral(" 12"), QStringLiteral(" 255"), QStringLiteral(" 0")).mid(1)
                         + groupLines());
        QTest::newRow("header in lower case")
            << crlfLines(QStringList{QStringLiteral("[general]")} + generalLines(QStringLiteral("Arial"), QStringLiteral(" 12"), QStringLiteral(" 255"), QStringLiteral(" 0")).mid(1)
                         + groupLines());
    }
    void filesWithoutTheThreeSectionsAreKept()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(kSettingsFileName);
        QVERIFY(writeBytes(path, bytes));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(outcome.error.isEmpty());
        QVERIFY(outcome.recovered);
        QCOMPARE(outcome.backupPath, path + kBackupSuffix);
        QCOMPARE(bytesOf(outcome.backupPath), bytes);
        QCOMPARE(bytesOf(path).count("\r\n"), 62);
        verifyDefaultsState(state, outcome);
    }

    void headersMayHaveBlanksAfterThem()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QString());
        QStringList lines = generalLines(QStringLiteral("Arial"), QStringLiteral(" 12"), QStringLiteral(" 255"),
                                         QStringLiteral(" 0"));
        lines[0] = QStringLiteral("[GENERAL] \t ");
        QStringList users = userLines();
        users[0] = QStringLiteral("[USUARIOS]\t");
        QVERIFY(writeBytes(path, crlfLines(lines + users + groupLines())));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(!outcome.recovered);
        QCOMPARE(state.senderName, QStringLiteral("Alguien"));
        QCOMPARE(look.fontName, QStringLiteral("Arial"));
        QCOMPARE(state.users[11].recipients, QStringLiteral("u11-dest"));
        QCOMPARE(state.groups[11].recipients, QStringLiteral("g11members"));
    }

    void repeatedSectionsLastWins()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QStringLiteral("repeated.ini"));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(!outcome.recovered);
        QCOMPARE(state.senderName, QStringLiteral("Segundo"));
        QCOMPARE(state.signWithSenderName, false);
        QCOMPARE(look.fontName, QStringLiteral("Arial"));
        QCOMPARE(state.users[0].caption, QStringLiteral("b0"));
        QCOMPARE(state.users[11].recipients, QStringLiteral("b11-dest"));
        QCOMPARE(state.groups[3].caption, QStringLiteral("g3name"));
        QCOMPARE(outcome.quickListCaptions.size(), 24);
        QCOMPARE(outcome.quickListCaptions.at(0), QStringLiteral("a0"));
        QCOMPARE(outcome.quickListCaptions.at(11), QStringLiteral("a11"));
        QCOMPARE(outcome.quickListCaptions.at(12), QStringLiteral("b0"));
    }

    void thirteenthRowIsSkipped()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QStringLiteral("row13.ini"));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(!outcome.recovered);
        QCOMPARE(state.users[11], (RecipientSlot{QStringLiteral("u11"), QStringLiteral("u11-dest")}));
        QVERIFY(!outcome.quickListCaptions.contains(QStringLiteral("extra")));
        QCOMPARE(outcome.quickListCaptions.size(), 12);
        QCOMPARE(state.groups[0].caption, QStringLiteral("g0name"));
        QCOMPARE(state.groups[11].recipients, QStringLiteral("g11members"));
    }

    void saveKeepsTheLayoutWhateverTheText()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QString());
        AppState state = startState();
        state.senderName = QString::fromUtf8("Zoë 日本\r\nX");
        state.signWithSenderName = true;
        state.users[0] = {QString::fromUtf8("Peña €"), QStringLiteral("pena")};
        const TextBoxLook look;
        QVERIFY(saveSettings(path, state, look).isEmpty());

        const QByteArray bytes = bytesOf(path);
        QCOMPARE(bytes.count("\r\n"), 62);
        QVERIFY(bytes.startsWith("[GENERAL]\r\nZo\xEB ?? \nX\r\npruebas\r\n1\r\nMS Sans Serif\r\n0\r\n0\r\n 8.25\r\n"
                                 "0\r\n0\r\n-2147483640\r\n-2147483643\r\n[USUARIOS]\r\nPe\xF1" "a \x80\r\npena\r\n"
                                 "\r\n\r\n"));

        AppState again = startState();
        TextBoxLook lookAgain;
        const LoadOutcome outcome = loadSettings(path, again, lookAgain);
        QVERIFY(!outcome.recovered);
        QCOMPARE(again.senderName, QString::fromUtf8("Zoë ?? \nX"));
        QCOMPARE(again.signWithSenderName, true);
        QCOMPARE(again.users[0].caption, QString::fromUtf8("Peña €"));
        QCOMPARE(lookAgain.backColor, look.backColor);
    }

    // A NUL would end the argument there when the command starts: it reads
    // as a blank in every value that goes into a command line.
    void nulsReadAsBlanks()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QString());
        QStringList lines = generalLines(QStringLiteral("Arial"), QStringLiteral(" 12"), QStringLiteral(" 255"),
                                         QStringLiteral(" 0"));
        lines[1] = QStringLiteral("Ana") + QChar(0) + QStringLiteral("Mar");
        lines[3] = QStringLiteral("1");
        QStringList users = userLines();
        users[2] = QStringLiteral("pe") + QChar(0) + QStringLiteral("pe");
        QStringList groups = groupLines();
        groups[2] = QStringLiteral("juan") + QChar(0) + QStringLiteral("x, luis");
        QVERIFY(writeBytes(path, crlfLines(lines + users + groups)));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);
        QVERIFY(!outcome.recovered);
        QCOMPARE(state.senderName, QStringLiteral("Ana Mar"));

        RecordingCommandStarter starter;
        Dispatcher dispatcher(state, starter);
        dispatcher.sendToUser(state.users[0].recipients, QStringLiteral("hola"));
        dispatcher.sendToGroup(state.groups[0].recipients, QStringLiteral("hola"));
        QCOMPARE(starter.commandLines.size(), 3);
        QVERIFY2(starter.commandLines[0].startsWith(QStringLiteral("net send pe pe \"hola")),
                 qPrintable(starter.commandLines[0]));
        QVERIFY(starter.commandLines[0].contains(QStringLiteral("Ana Mar")));
        QVERIFY(starter.commandLines[1].startsWith(QStringLiteral("net send juan x \"hola")));
        QVERIFY(starter.commandLines[2].startsWith(QStringLiteral("net send luis \"hola")));
        for (const QString &line : starter.commandLines)
            QVERIFY(!line.contains(QChar(0)));
    }

    void pathThatIsAFolder()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QString());
        QVERIFY(QDir(dir.path()).mkdir(kSettingsFileName));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(!outcome.recovered);
        QVERIFY(outcome.error.startsWith(QString::fromUtf8("No se ha podido leer la configuración de «")));
        QVERIFY(outcome.error.contains(kSettingsFileName));
        verifyDefaultsState(state, outcome);
        QVERIFY(QFileInfo(path).isDir());

        const QString saveError = saveSettings(path, state, look);
        QVERIFY(saveError.startsWith(QString::fromUtf8("No se ha podido guardar la configuración en «")));
        QVERIFY(saveError.contains(kSettingsFileName));
        QVERIFY(QFileInfo(path).isDir());
    }

    void missingFolder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("no-existe/") + kSettingsFileName);
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(!outcome.recovered);
        QVERIFY(outcome.error.startsWith(QString::fromUtf8("No se ha podido crear «")));
        verifyDefaultsState(state, outcome);
        QVERIFY(!saveSettings(path, state, look).isEmpty());
        QVERIFY(!QFileInfo::exists(path));
    }

    void noCopyNoReplacement()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QStringLiteral("users-cut.ini"));
        QVERIFY(QDir(dir.path()).mkdir(kSettingsFileName + QStringLiteral(".bak")));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(!outcome.recovered);
        QVERIFY(outcome.backupPath.isEmpty());
        QVERIFY(outcome.error.contains(QStringLiteral(".bak")));
        QCOMPARE(bytesOf(path), fixture(QStringLiteral("users-cut.ini")));
        verifyDefaultsState(state, outcome);
        QCOMPARE(look.fontName, QStringLiteral("Courier New"));
    }

    void readOnlyFolder()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QStringLiteral("users-cut.ini"));
        // Read before the identity may change: the fixtures need not be
        // readable for "nobody".
        const QByteArray cutBytes = fixture(QStringLiteral("users-cut.ini"));
        const UnwritableFolders folder({dir.path()});
        if (!folder.hold())
            QSKIP("cannot make a folder unwritable for this process");
        QCOMPARE(bytesOf(path), cutBytes);

        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);
        const QString saveError = saveSettings(path, state, look);

        QVERIFY(!outcome.error.isEmpty());
        verifyDefaultsState(state, outcome);
        QVERIFY(!saveError.isEmpty());
        QCOMPARE(bytesOf(path), cutBytes);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
