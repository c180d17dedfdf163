// The settings file against the ways a run can lose it: a full disk, links
// and files that are not the user's, things that are no regular file, edits
// made by others while the program runs. Real files in temporary folders,
// a real tmpfs where the test may mount one.
#include "reliability/twosettings.h"

#include "core/settingsfile.h"
#include "core/settingswriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <sys/file.h>
#include <sys/inotify.h>
#include <utime.h>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace brisquel;

namespace {

constexpr uid_t kNobody = 65534;

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QString shown(const QString &path)
{
    return QStringLiteral("«") + path + QStringLiteral("»");
}

struct stat statOf(const QString &path)
{
    struct stat info{};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info;
}

const QString kLockFile = QStringLiteral(".brisquel.ini.lock");

// What a folder holds besides the lock file, which stays there by design.
QStringList entries(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.removeAll(kLockFile);
    return names;
}

// A small tmpfs of its own, for as long as this object lives.
class SmallDisk {
public:
    explicit SmallDisk(const QString &mountPoint)
        : m_path(mountPoint)
    {
        QDir().mkpath(mountPoint);
        m_mounted = ::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }

    // Writes a filler until the disk refuses another byte.
    bool fill() const
    {
        const QByteArray name = QFile::encodeName(m_path + QStringLiteral("/filler"));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0)
            return false;
        const QByteArray block(512, 'x');
        while (::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        const QByteArray one(1, 'x');
        while (::write(fd, one.constData(), 1) > 0) {
        }
        ::close(fd);
        return true;
    }

private:
    QString m_path;
    bool m_mounted = false;
};

// Runs `check` in a child process whose files may not grow past `limit`
// bytes (SIGXFSZ ignored, so a write fails with EFBIG instead); its answer
// comes back through a pipe.
QString inChildWithFileSizeLimit(rlim_t limit, const std::function<QString()> &check)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        const QByteArray answer = check().toUtf8();
        [[maybe_unused]] const ssize_t n = ::write(ends[1], answer.constData(), size_t(answer.size()));
        ::_exit(0);
    }
    ::close(ends[1]);
    QByteArray answer;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(ends[0], buffer, sizeof buffer)) > 0)
        answer.append(buffer, n);
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return QStringLiteral("the child died");
    return QString::fromUtf8(answer);
}

// "" when `text` holds every one of `parts`, else what is missing.
QString missing(const QString &text, const QStringList &parts)
{
    for (const QString &part : parts)
        if (!text.contains(part))
            return QStringLiteral("«%1» lacks «%2»\n").arg(text, part);
    return QString();
}

// Everything that writes, on a disk that refuses to write: a save over a
// good file, the copy of a damaged file and the defaults for a missing one.
// Each leaves what was there whole and says why, naming the file. Returns
// what went wrong.
QString failedWritesKeepTheOldFile(const QString &folder, const QString &reason)
{
    QString problems;
    const QString good = folder + QStringLiteral("/good/brisquel.ini");
    const QString cut = folder + QStringLiteral("/cut/brisquel.ini");
    const QString none = folder + QStringLiteral("/none/brisquel.ini");
    const QByteArray goodBytes = bytesOf(good);
    const QByteArray cutBytes = bytesOf(cut);

    const Settings other = settingsB();
    const QString saveError = saveSettings(good, other.state, other.look);
    problems += missing(saveError, {QStringLiteral("No se ha podido guardar la configuración en ") + shown(good),
                                    reason, QStringLiteral("El fichero se queda como estaba.")});
    if (bytesOf(good) != goodBytes)
        problems += QStringLiteral("the good file changed\n");

    AppState state;
    state.loginName = QStringLiteral("ana");
    TextBoxLook look;
    LoadOutcome outcome = loadSettings(cut, state, look);
    problems += missing(outcome.error, {shown(cut), shown(cut + QStringLiteral(".bak")), reason,
                                        QStringLiteral("El fichero se queda como está")});
    if (!outcome.baseline.leaveFileAlone)
        problems += QStringLiteral("the exit would have written over the damaged file\n");
    state.senderName = QStringLiteral("Otro nombre");
    const QString exitError = saveSettingsAtExit(cut, outcome.baseline, state, look);
    problems += missing(exitError, {QStringLiteral("No se han guardado los cambios de esta sesión en ") + shown(cut)});
    if (bytesOf(cut) != cutBytes)
        problems += QStringLiteral("the damaged file changed\n");

    AppState fresh;
    const LoadOutcome first = loadSettings(none, fresh, look);
    problems += missing(first.error, {QStringLiteral("No se ha podido crear ") + shown(none), reason});
    if (QFileInfo::exists(none))
        problems += QStringLiteral("a file of defaults was left behind\n");

    for (const QString &sub : {QStringLiteral("good"), QStringLiteral("cut"), QStringLiteral("none")}) {
        const QStringList left = entries(folder + QLatin1Char('/') + sub);
        if (left.size() > 1)
            problems += QStringLiteral("left behind in %1: %2\n").arg(sub, left.join(QLatin1Char(' ')));
    }
    return problems;
}

// The folders failedWritesKeepTheOldFile works in.
bool prepareFolders(const QString &folder)
{
    for (const QString &sub : {QStringLiteral("good"), QStringLiteral("cut"), QStringLiteral("none")})
        if (!QDir().mkpath(folder + QLatin1Char('/') + sub))
            return false;
    const QByteArray good = settingsFileBytes(settingsA().state, settingsA().look);
    return writeBytes(folder + QStringLiteral("/good/brisquel.ini"), good)
        && writeBytes(folder + QStringLiteral("/cut/brisquel.ini"), good.left(good.indexOf("[GRUPOS]") + 20));
}

struct Loaded {
    AppState state;
    TextBoxLook look;
    LoadOutcome outcome;
};

Loaded load(const QString &path)
{
    Loaded loaded;
    loaded.state.loginName = QStringLiteral("ana");
    loaded.outcome = loadSettings(path, loaded.state, loaded.look);
    return loaded;
}

} // namespace

class TestSettingsSafety : public QObject {
    Q_OBJECT

private slots:
    void neverLoseTheOldFile();
    void neverWriteThroughWhatIsNotOurs();
    void neverReadWhatIsNotARegularFile();
    void keepEditsFromOthers();
    void mergeKeepsEachChangeOverEditsOnDisk_data();
    void mergeKeepsEachChangeOverEditsOnDisk();
    void killedSavesLeaveNothingLikeACopy();
};

void TestSettingsSafety::neverLoseTheOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    // A full disk.
    {
        SmallDisk disk(dir.filePath(QStringLiteral("disk")));
        if (disk.mounted()) {
            QVERIFY(prepareFolders(dir.filePath(QStringLiteral("disk"))));
            QVERIFY(disk.fill());
            const QString problems = failedWritesKeepTheOldFile(dir.filePath(QStringLiteral("disk")),
                                                                QStringLiteral("no queda espacio libre en el disco"));
            QVERIFY2(problems.isEmpty(), qPrintable(problems));
        } else {
            qInfo("no tmpfs can be mounted here: only the file size limit below fails the writes");
        }
    }

    // A file size limit fails the writes the same way, after the open.
    {
        const QString folder = dir.filePath(QStringLiteral("limited-too"));
        QVERIFY(prepareFolders(folder));
        const QString problems = inChildWithFileSizeLimit(100, [&folder] {
            return failedWritesKeepTheOldFile(folder, QStringLiteral("tamaño máximo"));
        });
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    // A folder where the copy should go: no copy, so the damaged file stays,
    // at start and at exit.
    {
        const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
        const QByteArray good = settingsFileBytes(settingsB().state, settingsB().look);
        const QByteArray cut = good.left(good.indexOf("[GRUPOS]") + 30);
        QVERIFY(writeBytes(path, cut));
        QVERIFY(QDir().mkpath(path + QStringLiteral(".bak")));
        Loaded loaded = load(path);
        QVERIFY2(loaded.outcome.error.contains(QStringLiteral("es una carpeta, no un fichero")),
                 qPrintable(loaded.outcome.error));
        QVERIFY(loaded.outcome.error.contains(shown(path + QStringLiteral(".bak"))));
        QVERIFY(loaded.outcome.backupPath.isEmpty());
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());
        QCOMPARE(bytesOf(path), cut);
        loaded.look.bold = !loaded.look.bold;
        QVERIFY(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look)
                    .startsWith(QStringLiteral("No se han guardado los cambios de esta sesión en ") + shown(path)));
        QCOMPARE(bytesOf(path), cut);
        QVERIFY(QFileInfo(path + QStringLiteral(".bak")).isDir());
    }

    // A file of another user (nobody's, world-writable, planted in a shared
    // folder) is not used even by root: its lists could send every message
    // elsewhere. The run goes on defaults and leaves the file alone.
    {
        if (::geteuid() != 0)
            QSKIP("only root can hand a file to another user");
        const QString folder = dir.filePath(QStringLiteral("theirs"));
        const QString path = folder + QStringLiteral("/brisquel.ini");
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 01777), 0);
        const QByteArray planted = settingsFileBytes(settingsB().state, settingsB().look);
        QVERIFY(writeBytes(path, planted));
        QCOMPARE(::chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0666), 0);
        Loaded loaded = load(path);
        QVERIFY2(loaded.outcome.error.startsWith(QStringLiteral("No se ha podido leer la configuración de ")
                                                 + shown(path) + QStringLiteral(": el fichero es de otro usuario")),
                 qPrintable(loaded.outcome.error));
        QVERIFY(loaded.outcome.error.contains(QStringLiteral("uid 65534")));
        QCOMPARE(loaded.state.senderName, QStringLiteral("ana"));
        QCOMPARE(loaded.outcome.quickListCaptions, QStringList(kRecipientSlots, kEmptySlotCaption));
        for (const RecipientList *list : {&loaded.state.users, &loaded.state.groups})
            for (const RecipientSlot &slot : *list)
                QCOMPARE(slot.recipients, kEmptySlotCaption);
        loaded.look.bold = !loaded.look.bold;
        QVERIFY(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look)
                    .startsWith(QStringLiteral("No se han guardado los cambios de esta sesión en ") + shown(path)));
        QCOMPARE(bytesOf(path), planted);
        QCOMPARE(statOf(path).st_uid, kNobody);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("brisquel.ini")});
    }
}

void TestSettingsSafety::neverWriteThroughWhatIsNotOurs()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray notes("Notas que nadie debe tocar.\n");
    const QByteArray settings = settingsFileBytes(settingsA().state, settingsA().look);

    // A link of ours to a file of ours: dotfiles kept elsewhere. Read, and
    // the target is written, the link stays a link.
    {
        const QString target = dir.filePath(QStringLiteral("dotfiles/brisquel.ini"));
        const QString path = dir.filePath(QStringLiteral("mine/brisquel.ini"));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("dotfiles"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("mine"))));
        QVERIFY(writeBytes(target, settings));
        QVERIFY(QFile::link(target, path));
        Loaded loaded = load(path);
        QVERIFY2(loaded.outcome.error.isEmpty(), qPrintable(loaded.outcome.error));
        QCOMPARE(loaded.state.senderName, settingsA().state.senderName);
        loaded.state.senderName = QStringLiteral("Por el enlace");
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());
        QVERIFY(QFileInfo(path).isSymLink());
        QVERIFY(bytesOf(target).contains("Por el enlace"));
        QCOMPARE(entries(dir.filePath(QStringLiteral("mine"))), QStringList{QStringLiteral("brisquel.ini")});
    }

    // Links that must not be followed: to a file of another user, a link
    // of another user, a link to nowhere. Nothing is read, the program runs
    // on defaults and says why, and neither the start nor the exit writes.
    struct Case {
        QString name;
        QString reason;
        bool needsRoot;
    };
    const QList<Case> cases{
        {QStringLiteral("their-target"), QStringLiteral("que es de otro usuario"), true},
        {QStringLiteral("their-link"), QStringLiteral("es un enlace simbólico de otro usuario"), true},
        {QStringLiteral("dangling"), QStringLiteral("que no se puede abrir"), false},
    };
    for (const Case &c : cases) {
        if (c.needsRoot && ::geteuid() != 0) {
            qInfo("%s: only root can make files of another user", qPrintable(c.name));
            continue;
        }
        const QString folder = dir.filePath(c.name);
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + QStringLiteral("/notes.txt");
        const QString path = folder + QStringLiteral("/brisquel.ini");
        if (c.name != QStringLiteral("dangling"))
            QVERIFY(writeBytes(target, notes));
        QVERIFY(QFile::link(target, path));
        if (c.name == QStringLiteral("their-target"))
            QCOMPARE(::chown(QFile::encodeName(target).constData(), kNobody, kNobody), 0);
        if (c.name == QStringLiteral("their-link"))
            QCOMPARE(::lchown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);

        Loaded loaded = load(path);
        QVERIFY2(loaded.outcome.error.startsWith(QStringLiteral("No se ha podido leer la configuración de ")
                                                 + shown(path)),
                 qPrintable(loaded.outcome.error));
        QVERIFY2(loaded.outcome.error.contains(c.reason), qPrintable(loaded.outcome.error));
        QVERIFY(loaded.outcome.baseline.leaveFileAlone);
        QCOMPARE(loaded.state.senderName, QStringLiteral("ana"));
        loaded.state.senderName = QStringLiteral("Intruso");
        const QString exit = saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look);
        QVERIFY2(exit.startsWith(QStringLiteral("No se han guardado los cambios de esta sesión en ") + shown(path)),
                 qPrintable(exit));
        // Nor does a plain save write through it.
        QVERIFY(!saveSettings(path, loaded.state, loaded.look).isEmpty());
        QVERIFY2(QFileInfo(path).isSymLink(), qPrintable(c.name));
        if (c.name != QStringLiteral("dangling"))
            QCOMPARE(bytesOf(target), notes);
        else
            QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(entries(folder).size(), c.name == QStringLiteral("dangling") ? 1 : 2);
    }

    // A plain file of another user is read, but only root replaces it.
    {
        const QString folder = dir.filePath(QStringLiteral("shared"));
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 01777), 0);
        const QString path = folder + QStringLiteral("/brisquel.ini");
        QVERIFY(writeBytes(path, settings));
        if (::geteuid() != 0)
            QSKIP("only root can act as another user here");
        QCOMPARE(::seteuid(kNobody), 0);
        Loaded loaded = load(path);
        loaded.state.senderName = QStringLiteral("Nobody");
        const QString exit = saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look);
        QCOMPARE(::seteuid(0), 0);
        QVERIFY2(loaded.outcome.error.isEmpty(), qPrintable(loaded.outcome.error));
        QCOMPARE(loaded.state.users, settingsA().state.users);
        QVERIFY2(exit.contains(QStringLiteral("el fichero es de otro usuario")), qPrintable(exit));
        QCOMPARE(bytesOf(path), settings);
        QCOMPARE(statOf(path).st_uid, uid_t(0));
    }
}

void TestSettingsSafety::neverReadWhatIsNotARegularFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    struct Case {
        QString name;
        std::function<bool(const QString &)> make;
        QString reason;
    };
    const QList<Case> cases{
        {QStringLiteral("FIFO"),
         [](const QString &path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
         QStringLiteral("es una tubería (FIFO)")},
        {QStringLiteral("link to /dev/zero"),
         [](const QString &path) { return QFile::link(QStringLiteral("/dev/zero"), path); },
         ::geteuid() == 0 ? QStringLiteral("que es un dispositivo") : QStringLiteral("que es de otro usuario")},
        {QStringLiteral("65 MiB"),
         [](const QString &path) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) && file.resize(65LL * 1024 * 1024);
         },
         QStringLiteral("ocupa más de 64 MiB")},
    };
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const Case &c = cases[i];
        const QString folder = dir.filePath(QString::number(i));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/brisquel.ini");
        QVERIFY2(c.make(path), qPrintable(c.name));
        const struct stat before = statOf(path);

        QElapsedTimer clock;
        clock.start();
        Loaded loaded = load(path);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(c.name));
        QVERIFY2(loaded.outcome.error.contains(c.reason), qPrintable(loaded.outcome.error));
        QVERIFY(loaded.outcome.error.contains(shown(path)));
        QCOMPARE(loaded.state.senderName, QStringLiteral("ana"));
        QCOMPARE(loaded.outcome.quickListCaptions, QStringList(kRecipientSlots, kEmptySlotCaption));

        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());
        const struct stat after = statOf(path);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_size, before.st_size);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("brisquel.ini")});
    }
}

void TestSettingsSafety::keepEditsFromOthers()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
    const Settings start = settingsA();
    QVERIFY(writeBytes(path, settingsFileBytes(start.state, start.look)));

    // Nothing changed and the file is as loaded: it is not written again.
    {
        Loaded loaded = load(path);
        const struct stat before = statOf(path);
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());
        QCOMPARE(statOf(path).st_ino, before.st_ino);
    }

    // A colleague added by hand while the program ran, and the user of this
    // run changed the sender name: both are kept.
    {
        Loaded loaded = load(path);
        AppState edited = start.state;
        edited.users[5] = {QStringLiteral("Colega"), QStringLiteral("colega")};
        edited.groups[0] = {QStringLiteral("Todos"), QStringLiteral("u0, colega")};
        QVERIFY(writeBytes(path, settingsFileBytes(edited, start.look)));
        loaded.state.senderName = QStringLiteral("Ana María");
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());

        const Loaded after = load(path);
        QCOMPARE(after.state.users[5], (RecipientSlot{QStringLiteral("Colega"), QStringLiteral("colega")}));
        QCOMPARE(after.state.groups[0].recipients, QStringLiteral("u0, colega"));
        QCOMPARE(after.state.senderName, QStringLiteral("Ana María"));
    }

    // A second copy changed the sender name and its switch; this one only
    // the font and the background: each keeps its own change.
    {
        Loaded loaded = load(path);
        Loaded second = load(path);
        second.state.senderName = QStringLiteral("Segunda copia");
        second.state.signWithSenderName = false;
        QCOMPARE(saveSettingsAtExit(path, second.outcome.baseline, second.state, second.look), QString());

        loaded.look.fontName = QStringLiteral("Liberation Mono");
        loaded.look.backColor = 0x00FFFF;
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());

        const Loaded after = load(path);
        QCOMPARE(after.state.senderName, QStringLiteral("Segunda copia"));
        QCOMPARE(after.state.signWithSenderName, false);
        QCOMPARE(after.look.fontName, QStringLiteral("Liberation Mono"));
        QCOMPARE(after.look.backColor, 0x00FFFF);
        QCOMPARE(after.look.foreColor, start.look.foreColor);
        QCOMPARE(after.state.users[5].caption, QStringLiteral("Colega"));
    }

    // The file was spoiled meanwhile: a run with changes says it keeps out,
    // a run without says nothing; the file stays as it is either way.
    {
        Loaded loaded = load(path);
        const QByteArray spoiled("[GENERAL]\r\nmedio fichero\r\n");
        QVERIFY(writeBytes(path, spoiled));
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());
        loaded.look.italic = !loaded.look.italic;
        const QString exit = saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look);
        QVERIFY2(exit.startsWith(QStringLiteral("No se han guardado los cambios de esta sesión en ") + shown(path)),
                 qPrintable(exit));
        QCOMPARE(bytesOf(path), spoiled);
    }

    // Saved when the session manager asked, and the run went on: a change
    // undone after that save is saved too, and a colleague added by hand
    // before it stays at the next save.
    {
        QVERIFY(writeBytes(path, settingsFileBytes(start.state, start.look)));
        Loaded loaded = load(path);
        AppState edited = start.state;
        edited.users[7] = {QStringLiteral("Otra"), QStringLiteral("otra")};
        QVERIFY(writeBytes(path, settingsFileBytes(edited, start.look)));
        loaded.look.bold = !start.look.bold;
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());
        QCOMPARE(load(path).look.bold, !start.look.bold);
        loaded.look.bold = start.look.bold;
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());
        const Loaded after = load(path);
        QCOMPARE(after.look.bold, start.look.bold);
        QCOMPARE(after.state.users[7].caption, QStringLiteral("Otra"));
    }

    // Deleted meanwhile: the run's picture is written again.
    {
        QVERIFY(writeBytes(path, settingsFileBytes(start.state, start.look)));
        Loaded loaded = load(path);
        QVERIFY(QFile::remove(path));
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());
        QCOMPARE(load(path).state.users, start.state.users);
    }
}

namespace {

// A file as a user would type it: [GENERAL] with "ana" on the login line,
// Arial 10, no style, black on white, and the lists.
QStringList startLines()
{
    QStringList lines{"[GENERAL]", "Ana", "ana", "1", "Arial", "0", "0", " 10", "0", "0", " 0", " 16777215",
                      "[USUARIOS]"};
    for (int i = 0; i < kRecipientSlots; ++i)
        lines << QStringLiteral("Usuario %1").arg(i) << QStringLiteral("u%1").arg(i);
    lines << QStringLiteral("[GRUPOS]");
    for (int i = 0; i < kRecipientSlots; ++i)
        lines << QStringLiteral("Grupo %1").arg(i) << QStringLiteral("u%1, u%2").arg(i).arg(i + 1);
    return lines;
}

QByteArray crlf(const QStringList &lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

// Each value the run can change: its line in the file (from 0), the line
// after the run's change, the line after an edit on disk, and the change.
struct Field {
    const char *name;
    int line;
    const char *byRun;
    const char *onDisk;
    void (*change)(AppState &, TextBoxLook &);
};

const Field kFields[] = {
    {"sender name", 1, "Ana Run", "Ana Disco", [](AppState &s, TextBoxLook &) { s.senderName = "Ana Run"; }},
    {"sign with the name", 3, "0", "0", [](AppState &s, TextBoxLook &) { s.signWithSenderName = false; }},
    {"font name", 4, "Liberation Mono", "Verdana",
     [](AppState &, TextBoxLook &l) { l.fontName = QStringLiteral("Liberation Mono"); }},
    {"bold", 5, "1", "1", [](AppState &, TextBoxLook &l) { l.bold = true; }},
    {"italic", 6, "1", "1", [](AppState &, TextBoxLook &l) { l.italic = true; }},
    {"size", 7, " 12.5", " 14", [](AppState &, TextBoxLook &l) { l.size = 12.5f; }},
    {"strikethrough", 8, "1", "1", [](AppState &, TextBoxLook &l) { l.strikethrough = true; }},
    {"underline", 9, "1", "1", [](AppState &, TextBoxLook &l) { l.underline = true; }},
    {"text colour", 10, " 255", " 65280", [](AppState &, TextBoxLook &l) { l.foreColor = 255; }},
    {"background", 11, " 65535", " 12632256", [](AppState &, TextBoxLook &l) { l.backColor = 65535; }},
};
constexpr int kFieldCount = int(std::size(kFields));

// Sets the mtime `seconds` into the past.
bool age(const QString &path, int seconds)
{
    const time_t then = ::time(nullptr) - seconds;
    const struct utimbuf times{then, then};
    return ::utime(QFile::encodeName(path).constData(), &times) == 0;
}

} // namespace

void TestSettingsSafety::mergeKeepsEachChangeOverEditsOnDisk_data()
{
    QTest::addColumn<int>("changed");
    for (int i = 0; i < kFieldCount; ++i)
        QTest::newRow(kFields[i].name) << i;
}

// The run changes one value while someone edits the file on disk: another
// value (never the other half of the sender pair, which the dialog sets
// together), a user and the login line. The save keeps both edits, and the login
// line names who saved.
void TestSettingsSafety::mergeKeepsEachChangeOverEditsOnDisk()
{
    QFETCH(int, changed);
    const Field &mine = kFields[changed];
    const Field &theirs = kFields[(changed + 2) % kFieldCount];
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
    QVERIFY(writeBytes(path, crlf(startLines())));
    Loaded loaded = load(path);
    QVERIFY(loaded.outcome.error.isEmpty() && loaded.outcome.notice.isEmpty());

    QStringList edited = startLines();
    edited[2] = QStringLiteral("otro");
    edited[theirs.line] = QString::fromLatin1(theirs.onDisk);
    edited[15] = QStringLiteral("Colega");
    QVERIFY(writeBytes(path, crlf(edited)));
    mine.change(loaded.state, loaded.look);
    QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());

    QStringList expected = edited;
    expected[2] = QStringLiteral("ana");
    expected[mine.line] = QString::fromLatin1(mine.byRun);
    QCOMPARE(QString::fromLatin1(bytesOf(path)).split(QStringLiteral("\r\n")), expected + QStringList{QString()});
}

// A save killed before its end leaves a hidden ".brisquel.ini.new-XXXXXX",
// never a name a copy could have; the next start removes the user's such
// files once they are a minute old, under the lock, and nothing else.
void TestSettingsSafety::killedSavesLeaveNothingLikeACopy()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
    QVERIFY(writeBytes(path, crlf(startLines())));

    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(watch >= 0);
    QVERIFY(::inotify_add_watch(watch, QFile::encodeName(dir.path()).constData(), IN_CREATE) >= 0);
    QVERIFY(saveSettings(path, settingsB().state, settingsB().look).isEmpty());
    char events[8192];
    const ssize_t got = ::read(watch, events, sizeof events);
    ::close(watch);
    QVERIFY(got > 0);
    QStringList created;
    for (ssize_t at = 0; at < got;) {
        const auto *event = reinterpret_cast<const inotify_event *>(events + at);
        created << QString::fromLocal8Bit(event->name);
        at += ssize_t(sizeof(inotify_event) + event->len);
    }
    const QRegularExpression hidden(QStringLiteral("^\\.brisquel\\.ini\\.new-[A-Za-z0-9]{6}$"));
    QVERIFY(!created.isEmpty());
    for (const QString &name : std::as_const(created))
        QVERIFY2(hidden.match(name).hasMatch(), qPrintable(name));
    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("brisquel.ini")});

    const QStringList kept{".brisquel.ini.new-Fresh1", "brisquel.ini.bak", "brisquel.ini.bak100",
                           "brisquel.ini.Ab12Cd", ".otro.ini.new-Ab12Cd", ".brisquel.ini.new-Ab12Cd.bak"};
    const QStringList removed{".brisquel.ini.new-Ab12Cd", ".brisquel.ini.new-zz9999"};
    for (const QString &name : kept + removed) {
        QVERIFY(writeBytes(dir.filePath(name), "copia"));
        QVERIFY(age(dir.filePath(name), name.contains(QStringLiteral("Fresh")) ? 30 : 120));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral(".brisquel.ini.new-Folder")));
    QVERIFY(age(dir.filePath(QStringLiteral(".brisquel.ini.new-Folder")), 120));
    QStringList all = kept + QStringList{".brisquel.ini.new-Folder", "brisquel.ini"};
    if (::geteuid() == 0) {
        const QString theirs = dir.filePath(QStringLiteral(".brisquel.ini.new-Theirs"));
        QVERIFY(writeBytes(theirs, "ajeno"));
        QCOMPARE(::chown(QFile::encodeName(theirs).constData(), kNobody, kNobody), 0);
        QVERIFY(age(theirs, 120));
        all << QStringLiteral(".brisquel.ini.new-Theirs");
    }
    all.sort();

    // While another instance holds the lock, nothing is removed.
    {
        const int lock = ::open(QFile::encodeName(dir.filePath(kLockFile)).constData(), O_RDONLY | O_CREAT, 0600);
        QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX) == 0);
        QElapsedTimer clock;
        clock.start();
        const Loaded loaded = load(path);
        QVERIFY2(clock.elapsed() < 10000, "the lock was waited for too long");
        ::close(lock);
        QCOMPARE(loaded.state.senderName, QStringLiteral("Bernardo Ñúñez, contabilidad"));
        QCOMPARE(entries(dir.path()).size(), all.size() + removed.size());
    }

    load(path);
    QStringList left = entries(dir.path());
    left.sort();
    QCOMPARE(left, all);
    for (const QString &name : kept)
        QCOMPARE(bytesOf(dir.filePath(name)), QByteArray("copia"));
}

QTEST_GUILESS_MAIN(TestSettingsSafety)
#include "tst_settingssafety.moc"
