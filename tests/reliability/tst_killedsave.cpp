// A save killed at any moment leaves the old file or the new one, whole.
#include "core/settingsfile.h"
#include "reliability/twosettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace brisquel;

namespace {

constexpr int kRounds = 300;
constexpr int kMaxDelayUs = 20000;

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray savedBytes(const QString &path, const Settings &settings)
{
    if (!saveSettings(path, settings.state, settings.look).isEmpty())
        return {};
    return bytesOf(path);
}

} // namespace

class TestKilledSave : public QObject {
    Q_OBJECT

private slots:
    void killedSaveLeavesOldOrNewFile();
    void twoInstancesEndingTogetherKeepBothChanges();
    void aLockHeldElsewhereIsWaitedForBriefly();
};

void TestKilledSave::killedSaveLeavesOldOrNewFile()
{
    QTemporaryDir references;
    QTemporaryDir dir;
    QVERIFY(references.isValid() && dir.isValid());
    const QByteArray a = savedBytes(references.filePath(QStringLiteral("a.ini")), settingsA());
    const QByteArray b = savedBytes(references.filePath(QStringLiteral("b.ini")), settingsB());
    QVERIFY(!a.isEmpty() && !b.isEmpty());
    QVERIFY(a.size() != b.size());

    const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int sawA = 0;
    int sawB = 0;
    for (int round = 0; round < kRounds; ++round) {
        QProcess saver;
        saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        saver.start(QStringLiteral(SAVELOOPER), {path});
        QVERIFY2(saver.waitForStarted(10000), qPrintable(saver.errorString()));
        while (!saver.canReadLine()) {
            QVERIFY2(saver.waitForReadyRead(10000), "the saver never said it was ready");
        }
        QCOMPARE(saver.readLine(), QByteArray("ready\n"));

        const int delayUs = int(random.bounded(kMaxDelayUs));
        QThread::usleep(ulong(delayUs));
        ::kill(pid_t(saver.processId()), SIGKILL);
        QVERIFY(saver.waitForFinished(10000));
        // Killed while saving, not stopped by a failed save.
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

        const QByteArray found = bytesOf(path);
        if (found == a) {
            ++sawA;
        } else if (found == b) {
            ++sawB;
        } else {
            QFAIL(qPrintable(QStringLiteral("round %1 (seed %2, killed after %3 µs): a file of %4 bytes, "
                                            "neither the %5 of one save nor the %6 of the other")
                                 .arg(round).arg(seed).arg(delayUs).arg(found.size()).arg(a.size())
                                 .arg(b.size())));
        }
    }
    // Both settings were seen, so the kills did land in the middle of the
    // loop, on either side of a save.
    QVERIFY2(sawA > 0 && sawB > 0, qPrintable(QStringLiteral("old %1, new %2").arg(sawA).arg(sawB)));

    // A kill before the new file takes the place of the old one leaves it
    // behind under a hidden name no copy can have (the next start removes
    // it); never a piece of a file under any other name.
    const QRegularExpression leftOver(QStringLiteral("^\\.brisquel\\.ini\\.new-[A-Za-z0-9]{6}$"));
    int leftOvers = 0;
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name == QStringLiteral("brisquel.ini"))
            continue;
        QVERIFY2(leftOver.match(name).hasMatch(), qPrintable(name));
        const QByteArray bytes = bytesOf(dir.filePath(name));
        QVERIFY2(bytes == a || bytes == b, qPrintable(name));
        ++leftOvers;
    }
    qInfo("%d kills: old file %d times, new file %d times; %d whole copies left beside it", kRounds, sawA, sawB,
          leftOvers);
}

// A logout ends two instances at the same moment, each with a change of its
// own: both changes are in the file afterwards, every time.
void TestKilledSave::twoInstancesEndingTogetherKeepBothChanges()
{
    constexpr int kPairs = 16;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
    const QByteArray start = savedBytes(path, settingsA());
    QVERIFY(!start.contains("Cambiado al salir"));
    int lost = 0;
    for (int pair = 0; pair < kPairs; ++pair) {
        QVERIFY(QFile::remove(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(start) == start.size());
        file.close();
        QProcess bold;
        QProcess sender;
        for (QProcess *p : {&bold, &sender}) {
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p->start(QStringLiteral(SAVELOOPER),
                     {QStringLiteral("--exit"), p == &bold ? QStringLiteral("bold") : QStringLiteral("sender"), path});
        }
        for (QProcess *p : {&bold, &sender}) {
            while (!p->canReadLine())
                QVERIFY2(p->waitForReadyRead(10000), "an instance never loaded");
            QCOMPARE(p->readLine(), QByteArray("loaded\n"));
        }
        // Both told at once: a write waits in QProcess until flushed.
        bold.write("go\n");
        sender.write("go\n");
        QVERIFY(bold.waitForBytesWritten(10000) && sender.waitForBytesWritten(10000));
        for (QProcess *p : {&bold, &sender}) {
            QVERIFY(p->waitForFinished(20000));
            QCOMPARE(p->readAll(), QByteArray("\n"));
            QCOMPARE(p->exitCode(), 0);
        }
        // Line 6 is bold; A is not.
        const QList<QByteArray> lines = bytesOf(path).split('\n');
        if (lines.value(1) != "Cambiado al salir\r" || lines.value(5) != "1\r")
            ++lost;
    }
    QVERIFY2(lost == 0, qPrintable(QStringLiteral("a change was lost in %1 of %2 pairs").arg(lost).arg(kPairs)));
}

// An instance that holds the lock and does not let go (hung) is waited for a
// few seconds, never forever; the file is then left as it is, and the user
// is told.
void TestKilledSave::aLockHeldElsewhereIsWaitedForBriefly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brisquel.ini"));
    const QByteArray start = savedBytes(path, settingsA());
    QProcess instance;
    instance.start(QStringLiteral(SAVELOOPER), {QStringLiteral("--exit"), QStringLiteral("bold"), path});
    while (!instance.canReadLine())
        QVERIFY(instance.waitForReadyRead(10000));
    QCOMPARE(instance.readLine(), QByteArray("loaded\n"));

    const QString lockPath = dir.filePath(QStringLiteral(".brisquel.ini.lock"));
    const int lock = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CREAT, 0600);
    QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX) == 0);
    QElapsedTimer clock;
    clock.start();
    instance.write("go\n");
    QVERIFY2(instance.waitForFinished(15000), "the save waited for the lock for ever");
    const qint64 waited = clock.elapsed();
    ::close(lock);
    qInfo("gave up after %lld ms", waited);
    QVERIFY(waited >= 1000);
    QCOMPARE(instance.exitCode(), 1);
    const QString said = QString::fromUtf8(instance.readAll());
    QVERIFY2(said.startsWith(QStringLiteral("No se han guardado los cambios de esta sesión en «%1»").arg(path)),
             qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("«%1»").arg(lockPath)), qPrintable(said));
    QCOMPARE(bytesOf(path), start);
}

QTEST_GUILESS_MAIN(TestKilledSave)
#include "tst_killedsave.moc"
