// Arbitrary bytes as brisquel.ini. Besides not crashing, the loader must keep
// its promises: it never fails hard in a writable folder, a file it had to
// replace leaves the defaults and a byte-exact copy, whatever it kept
// survives a save and a second load unchanged (a file we saved always reads
// through), and an exit that changed nothing keeps every value.

#include "core/numbertext.h"
#include "core/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace brisquel;

namespace {

const QString kLogin = QStringLiteral("ana");

// Every run writes a few small files: on tmpfs when there is one.
QTemporaryDir &workDir()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/brisquel-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/brisquel-fuzz-XXXXXX"));
    return dir;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_settings: %s\n", what);
    std::abort();
}

void require(bool condition, const char *what)
{
    if (!condition)
        fail(what);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
            "cannot write the input file");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly), "cannot read back a saved file");
    return file.readAll();
}

struct Loaded {
    AppState state;
    TextBoxLook look;
    LoadOutcome outcome;
};

Loaded load(const QString &path)
{
    Loaded loaded;
    loaded.state.loginName = kLogin;
    loaded.outcome = loadSettings(path, loaded.state, loaded.look);
    return loaded;
}

// What the file keeps. The size is written with 7 significant digits, so it
// is compared as written.
bool sameKeptValues(const Loaded &a, const Loaded &b)
{
    return a.state.senderName == b.state.senderName && a.state.signWithSenderName == b.state.signWithSenderName
        && a.state.users == b.state.users && a.state.groups == b.state.groups
        && a.look.fontName == b.look.fontName && a.look.bold == b.look.bold && a.look.italic == b.look.italic
        && numberText(a.look.size) == numberText(b.look.size) && a.look.strikethrough == b.look.strikethrough
        && a.look.underline == b.look.underline && a.look.foreColor == b.look.foreColor
        && a.look.backColor == b.look.backColor;
}

QStringList captionsOf(const RecipientList &users)
{
    QStringList captions;
    for (const RecipientSlot &slot : users)
        captions << slot.caption;
    return captions;
}

bool holdsDefaults(const Loaded &loaded)
{
    if (loaded.state.senderName != kLogin || !loaded.state.signWithSenderName)
        return false;
    for (const RecipientList *list : {&loaded.state.users, &loaded.state.groups})
        for (const RecipientSlot &slot : *list)
            if (slot != RecipientSlot{kEmptySlotCaption, kEmptySlotCaption})
                return false;
    return loaded.outcome.quickListCaptions == QStringList(kRecipientSlots, kEmptySlotCaption);
}

// A file we wrote ourselves must read through, give the captions of its
// twelve users and hold what it was written from.
Loaded reloadSaved(const QString &path, const Loaded &from)
{
    Loaded again = load(path);
    require(again.outcome.error.isEmpty(), "loading a saved file reported an error");
    require(!again.outcome.recovered, "a saved file did not read through");
    require(again.outcome.quickListCaptions == captionsOf(again.state.users),
            "a saved file gave other quick-list captions than its users");
    require(sameKeptValues(from, again), "save then load changed the state");
    return again;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTemporaryDir &dir = workDir();
    require(dir.isValid(), "no temporary folder");
    const QString input = dir.filePath(QStringLiteral("brisquel.ini"));
    const QString saved = dir.filePath(QStringLiteral("saved.ini"));
    const QString savedAgain = dir.filePath(QStringLiteral("again.ini"));
    writeFile(input, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));

    QFile::remove(input + QStringLiteral(".bak"));
    Loaded first = load(input);
    require(first.outcome.error.isEmpty(), "the load failed hard in a writable folder");
    if (first.outcome.recovered) {
        require(holdsDefaults(first), "a recovery left something other than the defaults");
        require(readFile(first.outcome.backupPath)
                    == QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)),
                "the copy of a replaced file is not byte-exact");
        // The file of defaults it wrote in place of the input reads through.
        reloadSaved(input, first);
    } else {
        require(first.outcome.quickListCaptions.size() % kRecipientSlots == 0,
                "a [USUARIOS] section gave other than twelve captions");
    }

    // Saved in the encoding it was read in, so no character is lost.
    const TextEncoding encoding = first.outcome.baseline.encoding;
    require(saveSettings(saved, first.state, first.look, encoding).isEmpty(),
            "the save failed in a writable folder");
    const Loaded second = reloadSaved(saved, first);

    // From then on a save and a load are exact inverses.
    require(saveSettings(savedAgain, second.state, second.look, encoding).isEmpty(), "the second save failed");
    require(readFile(savedAgain) == readFile(saved), "a second save wrote other bytes");

    const QByteArray beforeExit = readFile(input);
    require(saveSettingsAtExit(input, first.outcome.baseline, first.state, first.look).isEmpty(),
            "an exit without changes failed in a writable folder");
    // Left as it was when nothing changed; otherwise written whole.
    if (readFile(input) != beforeExit)
        reloadSaved(input, first);
    return 0;
}
