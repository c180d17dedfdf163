// The settings file against the ways a run can lose it: a full disk, links
// and files that are not the user's, things that are no regular file, edits
// made by others while the program runs. Real files in temporary folders,
// a real tmpfs where the test may mount one.
#include "reliability/twosettings.h"

#include "core/settingsfile.h"
#include "core/settingswriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

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

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
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

    // Root saving another user's file: it stays theirs, with its mode.
    {
        if (::geteuid() != 0)
            QSKIP("only root can hand a file to another user");
        const QString path = dir.filePath(QStringLiteral("theirs/brisquel.ini"));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("theirs"))));
        QVERIFY(writeBytes(path, settingsFileBytes(settingsA().state, settingsA().look)));
        QCOMPARE(::chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);
        Loaded loaded = load(path);
        QVERIFY(loaded.outcome.error.isEmpty());
        loaded.state.senderName = QStringLiteral("Cambiado por root");
        QCOMPARE(saveSettingsAtExit(path, loaded.outcome.baseline, loaded.state, loaded.look), QString());
        const struct stat after = statOf(path);
        QCOMPARE(after.st_uid, kNobody);
        QCOMPARE(after.st_gid, gid_t(kNobody));
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        QVERIFY(bytesOf(path).contains("Cambiado por root"));

        // Their damaged file: the copy and the defaults are theirs too.
        QVERIFY(writeBytes(path, "[GENERAL]\r\nroto\r\n"));
        const Loaded recovered = load(path);
        QVERIFY(recovered.outcome.recovered);
        for (const QString &file : {path, path + QStringLiteral(".bak")}) {
            const struct stat info = statOf(file);
            QCOMPARE(info.st_uid, kNobody);
            QCOMPARE(info.st_mode & 07777, mode_t(0640));
        }
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

QTEST_GUILESS_MAIN(TestSettingsSafety)
#include "tst_settingssafety.moc"
