#include "platform/readloginname.h"
#include "platform/systemloginname.h"

#include "fakes/fakeloginname.h"
#include "fakes/fakescreenmetrics.h"
#include "fakes/recordingcommandstarter.h"
#include "fakes/scriptedmessagebox.h"

#include <QProcess>
#include <QTest>

#include <type_traits>

using namespace brisquel;

// The fakes other tests are handed must stay complete implementations.
static_assert(!std::is_abstract_v<FakeLoginName>);
static_assert(!std::is_abstract_v<FakeScreenMetrics>);
static_assert(!std::is_abstract_v<RecordingCommandStarter>);
static_assert(!std::is_abstract_v<ScriptedMessageBox>);

class TestLoginName : public QObject
{
    Q_OBJECT

private slots:
    void bufferRule_data();
    void bufferRule();
    void systemName();
};

void TestLoginName::bufferRule_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ordinary") << QByteArray("ana") << QStringLiteral("ana");
    QTest::newRow("none") << QByteArray() << QString();
    QTest::newRow("24 bytes fit with the NUL") << QByteArray(24, 'x') << QString(24, u'x');
    QTest::newRow("25 bytes leave no room for the NUL") << QByteArray(25, 'x') << QString();
    QTest::newRow("far too long") << QByteArray(300, 'x') << QString();
    QTest::newRow("accented") << QByteArray("José Muñoz") << QStringLiteral("José Muñoz");
    // The limit counts bytes, not letters: both names have 23 letters.
    QTest::newRow("accented, 24 bytes") << (QByteArray("ñ") + QByteArray(22, 'a')) << ("ñ" + QString(22, u'a'));
    QTest::newRow("accented, 25 bytes") << (QByteArray("ññ") + QByteArray(21, 'a')) << QString();
    QTest::newRow("stops at the first NUL") << QByteArray("ana\0basura", 10) << QStringLiteral("ana");
}

void TestLoginName::bufferRule()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, expected);
    QCOMPARE(readLoginName(FakeLoginName(raw)), expected);
}

void TestLoginName::systemName()
{
    QProcess id;
    id.start(QStringLiteral("id"), {QStringLiteral("-un")});
    if (!id.waitForFinished(10000) || id.exitCode() != 0)
        QSKIP("id -un cannot name the user here");
    const QByteArray expected = id.readAllStandardOutput().trimmed();
    QCOMPARE(SystemLoginName().rawUserName(), expected);
}

QTEST_GUILESS_MAIN(TestLoginName)
#include "tst_loginname.moc"
