// A save killed at any moment leaves the old file or the new one, whole.
#include "core/settingsfile.h"
#include "reliability/twosettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

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

    // A kill between the moment the new file gets a name of its own and the
    // moment it takes the place of the old one leaves it behind under that
    // name; then it is whole too, never a piece.
    const QRegularExpression leftOver(QStringLiteral("^brisquel\\.ini\\.[A-Za-z0-9]{6}$"));
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

QTEST_GUILESS_MAIN(TestKilledSave)
#include "tst_killedsave.moc"
