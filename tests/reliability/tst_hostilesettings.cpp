// Settings files and folders that fight back: a folder that cannot be
// written, a folder where the file should be, 50 MB of junk. Each ends with a
// clear message or the documented outcome, within a bounded time, through
// the file code and through the main window.
#include "support/unwritablefolders.h"
#include "ui/findcontrol.h"
#include "ui/programundertest.h"

#include "core/settingsfile.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/pickcombobox.h"
#include "ui/main/mainwindow.h"
#include "ui/quick/quickmessagestrip.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

using namespace brisquel;

namespace {

constexpr qsizetype kJunkSize = 50 * 1024 * 1024;
// Bounds for 50 MB, with room for a sanitizer build.
constexpr qint64 kCoreLoadBoundMs = 15000;
constexpr qint64 kWindowLoadBoundMs = 30000;

const QString kTitle = QStringLiteral("Brisquel v2.4b");

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString shown(const QString &path)
{
    return QStringLiteral("«") + path + QStringLiteral("»");
}

AppState startState()
{
    AppState state;
    state.loginName = QStringLiteral("ana");
    return state;
}

void verifyDefaults(const AppState &state)
{
    QCOMPARE(state.senderName, QStringLiteral("ana"));
    QCOMPARE(state.signWithSenderName, true);
    for (const RecipientList *list : {&state.users, &state.groups})
        for (const RecipientSlot &row : *list)
            QCOMPARE(row, (RecipientSlot{kEmptySlotCaption, kEmptySlotCaption}));
}

// The message boxes after the greeting, as "title|style|text".
QStringList problemsShown(const ScriptedMessageBox &box)
{
    QStringList shownBoxes;
    for (qsizetype i = 1; i < box.calls.size(); ++i)
        shownBoxes << box.calls[i].title + QLatin1Char('|') + ScriptedMessageBox::describe(box.calls[i].style)
                + QLatin1Char('|') + box.calls[i].text;
    return shownBoxes;
}

QString problem(const QString &text)
{
    const MessageBox::Style problemStyle{MessageBox::Buttons::Ok, MessageBox::Icon::Warning};
    return kTitle + QLatin1Char('|') + ScriptedMessageBox::describe(problemStyle) + QLatin1Char('|') + text;
}

// Kinds of junk, each 50 MB.
enum class Junk { PrintableLines, RandomBytes, LineFeedsOnly, WholeFilesOverAndOver };

QByteArray junk(Junk kind, const QByteArray &oneFile)
{
    QRandomGenerator random(20240607);
    QByteArray bytes;
    bytes.reserve(kJunkSize + 4096);
    switch (kind) {
    case Junk::PrintableLines:
        // Lines of 0 to 199 characters, Latin-1 letters included, never a
        // header (no "[").
        while (bytes.size() < kJunkSize) {
            const int length = int(random.bounded(200));
            for (int i = 0; i < length; ++i) {
                char c = char(random.bounded(0x20, 0x100));
                if (c == '[' || c == '\x7f')
                    c = '.';
                bytes += c;
            }
            bytes += "\r\n";
        }
        break;
    case Junk::RandomBytes:
        bytes.resize(kJunkSize);
        random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), kJunkSize / 4);
        break;
    case Junk::LineFeedsOnly:
        // A file written with Unix line ends: one single line.
        while (bytes.size() < kJunkSize)
            bytes += oneFile.isEmpty() ? QByteArray() : QByteArray(oneFile).replace("\r\n", "\n");
        break;
    case Junk::WholeFilesOverAndOver:
        while (bytes.size() < kJunkSize)
            bytes += oneFile;
        break;
    }
    return bytes;
}

QByteArray oneFile()
{
    return settingsText({{"Pepe", "pepe"}, {"Juan", "juan"}, {"Luis", "luis"}}, {{"Todos", "pepe, juan, luis"}},
                        QStringLiteral("Ana"));
}

// The file the junk repeats, when it repeats one.
QByteArray repeatedFile(Junk kind)
{
    if (kind == Junk::LineFeedsOnly)
        return oneFile().replace("\r\n", "\n");
    return kind == Junk::WholeFilesOverAndOver ? oneFile() : QByteArray();
}

QByteArray digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

} // namespace

class TestHostileSettings : public QObject {
    Q_OBJECT

private slots:
    void unwritableFolder();
    void unwritableFolderInTheWindow();
    void settingsFileIsAFolder();
    void settingsFileIsAFolderInTheWindow();
    void fiftyMegabytesOfJunk_data();
    void fiftyMegabytesOfJunk();
    void fiftyMegabytesOfJunkInTheWindow_data();
    void fiftyMegabytesOfJunkInTheWindow();
    void emptyFileInTheWindow();
};

void TestHostileSettings::unwritableFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
    const QString good = dir.filePath(QStringLiteral("good/brisquel.ini"));
    const QString cut = dir.filePath(QStringLiteral("cut/brisquel.ini"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("good"))));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("cut"))));
    const QByteArray goodBytes = oneFile();
    const QByteArray cutBytes = goodBytes.left(goodBytes.indexOf("[GRUPOS]") + 40);
    QVERIFY(writeBytes(good, goodBytes));
    QVERIFY(writeBytes(cut, cutBytes));

    const UnwritableFolders folders(
        {dir.path(), dir.filePath(QStringLiteral("good")), dir.filePath(QStringLiteral("cut"))});
    if (!folders.hold())
        QSKIP("cannot make a folder unwritable for this process");

    // No file yet: the defaults cannot be written, so they stay in memory and
    // the user is told.
    AppState state = startState();
    TextBoxLook look;
    LoadOutcome outcome = loadSettings(path, state, look);
    QVERIFY2(outcome.error.startsWith(QStringLiteral("No se ha podido crear %1 con la configuración de fábrica: ")
                                          .arg(shown(path))),
             qPrintable(outcome.error));
    QVERIFY(!outcome.recovered);
    verifyDefaults(state);
    QCOMPARE(outcome.quickListCaptions, QStringList(kRecipientSlots, kEmptySlotCaption));
    QVERIFY(!QFileInfo::exists(path));

    // Nor can the save write it.
    QString error = saveSettings(path, state, look);
    QVERIFY2(error.startsWith(QStringLiteral("No se ha podido guardar la configuración en %1: ").arg(shown(path))),
             qPrintable(error));
    QVERIFY(!QFileInfo::exists(path));

    // A good file reads; a save that cannot replace it leaves it as it was.
    state = startState();
    outcome = loadSettings(good, state, look);
    QVERIFY(outcome.error.isEmpty());
    QCOMPARE(state.users[2].caption, QStringLiteral("Luis"));
    state.senderName = QStringLiteral("otro");
    error = saveSettings(good, state, look);
    QVERIFY2(error.startsWith(QStringLiteral("No se ha podido guardar la configuración en %1: ").arg(shown(good))),
             qPrintable(error));
    QCOMPARE(bytesOf(good), goodBytes);

    // A file cut short cannot be kept aside, so it is not replaced.
    state = startState();
    outcome = loadSettings(cut, state, look);
    QVERIFY2(outcome.error.startsWith(QStringLiteral("No se ha podido leer la configuración de %1, y tampoco "
                                                     "guardar una copia en %2 antes de sustituirla: ")
                                          .arg(shown(cut), shown(cut + QStringLiteral(".bak")))),
             qPrintable(outcome.error));
    verifyDefaults(state);
    QCOMPARE(bytesOf(cut), cutBytes);
    QCOMPARE(QDir(dir.filePath(QStringLiteral("cut"))).entryList(QDir::Files), QStringList{"brisquel.ini"});
}

void TestHostileSettings::unwritableFolderInTheWindow()
{
    ProgramUnderTest program;
    const UnwritableFolders folder({program.dir.path()});
    if (!folder.hold())
        QSKIP("cannot make a folder unwritable for this process");

    MainWindow &form = program.app.mainWindow();
    QVERIFY(form.loadedOk());
    const QStringList atStart = problemsShown(program.messageBox);
    QCOMPARE(atStart.size(), 1);
    QVERIFY2(atStart.first().startsWith(problem(QStringLiteral("No se ha podido crear %1 con la configuración de "
                                                               "fábrica: ").arg(shown(program.iniPath())))),
             qPrintable(atStart.first()));
    for (int i = 0; i < kRecipientSlots; ++i)
        QVERIFY(!recipientButton(form, i)->isEnabled());
    QCOMPARE(comboBox(program.app.quickMessageStrip(), "userCombo")->count(), kRecipientSlots);

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.close());
    const QStringList atEnd = problemsShown(program.messageBox);
    QCOMPARE(atEnd.size(), 2);
    QVERIFY2(atEnd.last().startsWith(problem(QStringLiteral("No se ha podido guardar la configuración en %1: ")
                                                 .arg(shown(program.iniPath())))),
             qPrintable(atEnd.last()));
    QVERIFY(!QFileInfo::exists(program.iniPath()));
}

void TestHostileSettings::settingsFileIsAFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
    QVERIFY(QDir().mkpath(path));
    QVERIFY(writeBytes(path + QStringLiteral("/dentro.txt"), "no tocar"));

    AppState state = startState();
    TextBoxLook look;
    const LoadOutcome outcome = loadSettings(path, state, look);
    QVERIFY2(outcome.error.startsWith(QStringLiteral("No se ha podido leer la configuración de %1: ").arg(shown(path))),
             qPrintable(outcome.error));
    QVERIFY2(outcome.error.endsWith(QStringLiteral("es una carpeta, no un fichero. Brisquel empieza con la "
                                                   "configuración de fábrica y deja ese fichero como está.")),
             qPrintable(outcome.error));
    verifyDefaults(state);

    const QString error = saveSettings(path, state, look);
    QVERIFY2(error.startsWith(QStringLiteral("No se ha podido guardar la configuración en %1: ").arg(shown(path))),
             qPrintable(error));

    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(bytesOf(path + QStringLiteral("/dentro.txt")), QByteArray("no tocar"));
    // Only the lock file, which stays beside the settings, is new.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{".brisquel.ini.lock", "brisquel.ini"}));
}

void TestHostileSettings::settingsFileIsAFolderInTheWindow()
{
    ProgramUnderTest program;
    QVERIFY(QDir().mkpath(program.iniPath()));

    MainWindow &form = program.app.mainWindow();
    QVERIFY(form.loadedOk());
    QCOMPARE(problemsShown(program.messageBox).size(), 1);
    QVERIFY(problemsShown(program.messageBox).first().startsWith(
        problem(QStringLiteral("No se ha podido leer la configuración de %1: ").arg(shown(program.iniPath())))));
    QCOMPARE(recipientButton(form, 0)->text(), kEmptySlotCaption);

    // Nothing changed during the run, and the folder is left alone: no
    // second message at exit.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.close());
    QCOMPARE(problemsShown(program.messageBox).size(), 1);
    QVERIFY(QFileInfo(program.iniPath()).isDir());
}

void TestHostileSettings::fiftyMegabytesOfJunk_data()
{
    QTest::addColumn<Junk>("kind");
    QTest::newRow("printable lines") << Junk::PrintableLines;
    QTest::newRow("random bytes") << Junk::RandomBytes;
    QTest::newRow("line feeds only") << Junk::LineFeedsOnly;
    QTest::newRow("whole files over and over") << Junk::WholeFilesOverAndOver;
}

// No header among the junk: the file is kept aside whole and the defaults
// take its place. Whole files over and over (with CR LF, or with line feeds
// only as a Linux editor saves them): each one read in turn, the last wins,
// and every [USUARIOS] adds its twelve captions.
void TestHostileSettings::fiftyMegabytesOfJunk()
{
    QFETCH(Junk, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
    const QByteArray file = oneFile();
    const QByteArray bytes = junk(kind, file);
    QVERIFY(writeBytes(path, bytes));
    const QByteArray before = digest(bytes);

    AppState state = startState();
    TextBoxLook look;
    QElapsedTimer clock;
    clock.start();
    const LoadOutcome outcome = loadSettings(path, state, look);
    const qint64 ms = clock.elapsed();
    qInfo("50 MB load: %lld ms", ms);
    QVERIFY2(ms < kCoreLoadBoundMs, qPrintable(QStringLiteral("%1 ms").arg(ms)));

    QVERIFY(outcome.error.isEmpty());
    const QByteArray unit = repeatedFile(kind);
    if (!unit.isEmpty()) {
        QVERIFY(!outcome.recovered);
        QCOMPARE(state.senderName, QStringLiteral("Ana"));
        QCOMPARE(state.groups[0].recipients, QStringLiteral("pepe, juan, luis"));
        QCOMPARE(outcome.quickListCaptions.size(), bytes.size() / unit.size() * kRecipientSlots);
        QCOMPARE(digest(bytesOf(path)), before);
    } else {
        // No section in it: nothing is read, and the junk is kept aside.
        QVERIFY(!outcome.recovered);
        QCOMPARE(state.users[0], RecipientSlot());
        QCOMPARE(state.senderName, QString());
        QCOMPARE(outcome.backupPath, path + QStringLiteral(".bak"));
        QCOMPARE(digest(bytesOf(outcome.backupPath)), before);
        QCOMPARE(digest(bytesOf(path)), before);
    }
}

void TestHostileSettings::fiftyMegabytesOfJunkInTheWindow_data()
{
    fiftyMegabytesOfJunk_data();
}

void TestHostileSettings::fiftyMegabytesOfJunkInTheWindow()
{
    QFETCH(Junk, kind);
    ProgramUnderTest program;
    const QByteArray file = oneFile();
    const QByteArray bytes = junk(kind, file);
    program.writeIni(bytes);

    QElapsedTimer clock;
    clock.start();
    MainWindow &form = program.app.mainWindow();
    const qint64 ms = clock.elapsed();
    qInfo("50 MB load in the window: %lld ms", ms);
    QVERIFY2(ms < kWindowLoadBoundMs, qPrintable(QStringLiteral("%1 ms").arg(ms)));

    QVERIFY(form.loadedOk());
    const QByteArray unit = repeatedFile(kind);
    if (!unit.isEmpty()) {
        QCOMPARE(problemsShown(program.messageBox), QStringList());
        QCOMPARE(recipientButton(form, 2)->text(), QStringLiteral("Luis"));
        QVERIFY(!recipientButton(form, 3)->isEnabled());
        QCOMPARE(comboBox(program.app.quickMessageStrip(), "userCombo")->count(), bytes.size() / unit.size() * kRecipientSlots);
    } else {
        // The junk is kept aside, and the user is told where.
        QCOMPARE(problemsShown(program.messageBox),
                 QStringList{problem(QStringLiteral("En %1 no se ha encontrado ninguna de las secciones [GENERAL], "
                                                    "[USUARIOS] y [GRUPOS], así que la configuración empieza "
                                                    "vacía. El fichero tal como estaba se ha guardado en %2.")
                                         .arg(shown(program.iniPath()),
                                              shown(program.iniPath() + QStringLiteral(".bak"))))});
        QCOMPARE(recipientButton(form, 0)->text(), QString());
        QVERIFY(recipientButton(form, 0)->isEnabled());
        QCOMPARE(comboBox(program.app.quickMessageStrip(), "userCombo")->count(), 0);
    }
}

// An empty file: nothing read, nothing said, every button captioned empty
// and enabled.
void TestHostileSettings::emptyFileInTheWindow()
{
    ProgramUnderTest program;
    program.writeIni(QByteArray());
    MainWindow &form = program.app.mainWindow();
    QVERIFY(form.loadedOk());
    QCOMPARE(problemsShown(program.messageBox), QStringList());
    for (int i = 0; i < kRecipientSlots; ++i) {
        QCOMPARE(recipientButton(form, i)->text(), QString());
        QVERIFY(recipientButton(form, i)->isEnabled());
    }
    QCOMPARE(QDir(QFileInfo(program.iniPath()).path()).entryList(QDir::Files), QStringList{"brisquel.ini"});
}

QTEST_MAIN(TestHostileSettings)
#include "tst_hostilesettings.moc"
