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

    // The sections found are used, the others stay empty; the file is kept
    // as it was before anything can write the missing sections into it.
    void sectionsFoundAreUsedTheOthersStayEmpty_data()
    {
        const QStringList general = generalLines(QStringLiteral("Arial"), QStringLiteral(" 12"),
                                                 QStringLiteral(" 255"), QStringLiteral(" 0"));
        QStringList lowerUsers = userLines();
        lowerUsers[0] = QStringLiteral("[Usuarios]");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("user0");
        QTest::addColumn<QString>("group11");
        QTest::newRow("no [GRUPOS]") << crlfLines(general + userLines()) << QStringList{"[GRUPOS]"}
                                     << "Alguien" << "u0" << "";
        QTest::newRow("[Usuarios] in another case") << crlfLines(general + lowerUsers + groupLines())
                                                    << QStringList{"[USUARIOS]"} << "Alguien" << "" << "g11members";
        QTest::newRow("short section swallows [GRUPOS]") << fixture(QStringLiteral("swallow.ini"))
                                                         << QStringList{"[GRUPOS]"} << "Alguien" << "u0" << "";
        QTest::newRow("notes") << QByteArray("comprar pan\nllamar a Luis\n")
                               << QStringList{"[GENERAL]", "[USUARIOS]", "[GRUPOS]"} << "" << "" << "";
    }
    void sectionsFoundAreUsedTheOthersStayEmpty()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, missing);
        QTemporaryDir dir;
        const QString path = dir.filePath(kSettingsFileName);
        QVERIFY(writeBytes(path, bytes));
        AppState state = startState();
        TextBoxLook look;
        LoadOutcome outcome = loadSettings(path, state, look);

        QVERIFY(outcome.error.isEmpty());
        QVERIFY(!outcome.recovered);
        QTEST(state.senderName, "sender");
        QTEST(state.users[0].caption, "user0");
        QTEST(state.groups[11].recipients, "group11");
        QCOMPARE(outcome.quickListCaptions.size(), missing.contains("[USUARIOS]") ? 0 : 12);
        const QString copy = path + kBackupSuffix;
        QCOMPARE(outcome.backupPath, copy);
        QCOMPARE(bytesOf(copy), bytes);
        QCOMPARE(bytesOf(path), bytes);
        const QString shown = QStringLiteral("«%1»").arg(path);
        QVERIFY2(outcome.notice.startsWith(QStringLiteral("En ") + shown), qPrintable(outcome.notice));
        QVERIFY2(outcome.notice.contains(QStringLiteral("«%1»").arg(copy)), qPrintable(outcome.notice));
        for (const QString &section : missing)
            QVERIFY2(outcome.notice.contains(section), qPrintable(outcome.notice));
        for (const QString &found : QStringList{"[GENERAL]", "[USUARIOS]", "[GRUPOS]"})
            if (!missing.contains(found))
                QVERIFY2(!outcome.notice.contains(found), qPrintable(outcome.notice));

        // A change is saved with the sections read, and the copy stays.
        look.bold = !look.bold;
        QCOMPARE(saveSettingsAtExit(path, outcome.baseline, state, look), QString());
        const QList<QByteArray> lines = bytesOf(path).split('\n');
        QCOMPARE(lines.size(), 63);
        QCOMPARE(lines.at(13), state.users[0].caption.toLatin1() + '\r');
        QCOMPARE(bytesOf(copy), bytes);
    }

    // An empty file holds nothing to lose: nothing is said or kept, and the
    // exit leaves it empty when nothing changed.
    void emptyFileReadsAsNothing()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QStringLiteral("empty.ini"));
        AppState state = startState();
        TextBoxLook look;
        LoadOutcome outcome = loadSettings(path, state, look);
        QVERIFY(outcome.error.isEmpty() && outcome.notice.isEmpty() && outcome.backupPath.isEmpty());
        QVERIFY(!outcome.recovered);
        QCOMPARE(state.senderName, QString());
        QCOMPARE(state.signWithSenderName, false);
        QCOMPARE(state.users[0], RecipientSlot());
        QVERIFY(outcome.quickListCaptions.isEmpty());
        QCOMPARE(saveSettingsAtExit(path, outcome.baseline, state, look), QString());
        QCOMPARE(bytesOf(path), QByteArray());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{kSettingsFileName});
    }

    // A file with a UTF-8 byte-order mark is read as UTF-8 and written back
    // so, CR LF; every character survives.
    void byteOrderMarkFileIsWrittenBackAsUtf8()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QStringLiteral("bom.ini"));
        AppState state = startState();
        TextBoxLook look;
        LoadOutcome outcome = loadSettings(path, state, look);
        QCOMPARE(state.users[5].caption, QString::fromUtf8("Raro \u0081\u008D\u008F\u0090\u009D"));
        state.senderName = QString::fromUtf8("Zoë 日本");
        QCOMPARE(saveSettingsAtExit(path, outcome.baseline, state, look), QString());
        QByteArray expected = fixture(QStringLiteral("bom.ini"));
        expected.replace("Jos\xC3\xA9 N\xC3\xBA\xC3\xB1" "ez\r\notrousuario\r\n", "Zo\xC3\xAB \xE6\x97\xA5\xE6\x9C\xAC\r\npruebas\r\n");
        QCOMPARE(bytesOf(path), expected);
    }

    // The exit leaves alone a file it would only rewrite: a Linux editor's
    // line feeds and notes stay. Another login on the file's login line is a
    // change, and the file then names who saved it.
    void exitLeavesAnUnchangedFileAlone_data()
    {
        QTest::addColumn<QString>("savedBy");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("same login") << kLogin << false;
        QTest::newRow("another login") << QStringLiteral("otrousuario") << true;
    }
    void exitLeavesAnUnchangedFileAlone()
    {
        QFETCH(QString, savedBy);
        QFETCH(bool, rewritten);
        QTemporaryDir dir;
        const QString path = dir.filePath(kSettingsFileName);
        QByteArray bytes = "; mis notas\n" + fixture(QStringLiteral("lf-only.ini"));
        bytes.replace("\notrousuario\n", "\n" + savedBy.toLatin1() + "\n");
        QVERIFY(writeBytes(path, bytes));
        AppState state = startState();
        TextBoxLook look;
        LoadOutcome outcome = loadSettings(path, state, look);
        QVERIFY(outcome.notice.isEmpty());
        QCOMPARE(saveSettingsAtExit(path, outcome.baseline, state, look), QString());
        const QByteArray after = bytesOf(path);
        QCOMPARE(after != bytes, rewritten);
        if (rewritten) {
            QCOMPARE(after.count("\r\n"), 62);
            QVERIFY(after.startsWith("[GENERAL]\r\nJos\xE9 N\xFA\xF1" "ez\r\npruebas\r\n"));
        }
    }

    // With .bak to .bak999 taken, the copy gets a name of its own; no older
    // copy is ever replaced.
    void everyCopyNameTaken()
    {
        QTemporaryDir dir;
        const QString path = place(dir, QStringLiteral("users-cut.ini"));
        for (int n = 1; n <= 999; ++n)
            QVERIFY(writeBytes(path + kBackupSuffix + (n == 1 ? QString() : QString::number(n)),
                               QByteArray::number(n)));
        AppState state = startState();
        TextBoxLook look;
        const LoadOutcome outcome = loadSettings(path, state, look);
        QVERIFY(outcome.recovered);
        QVERIFY2(outcome.backupPath.startsWith(path + QStringLiteral(".bak-")), qPrintable(outcome.backupPath));
        QCOMPARE(bytesOf(outcome.backupPath), fixture(QStringLiteral("users-cut.ini")));
        QVERIFY(outcome.notice.contains(QStringLiteral("«%1»").arg(outcome.backupPath)));
        for (int n = 1; n <= 999; ++n)
            QCOMPARE(bytesOf(path + kBackupSuffix + (n == 1 ? QString() : QString::number(n))), QByteArray::number(n));
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
