#pragma once

#include "app/program.h"
#include "fakes/fakeloginname.h"
#include "fakes/fakescreenmetrics.h"
#include "fakes/faketrayicon.h"
#include "fakes/recordingcommandstarter.h"
#include "fakes/scriptedfontandcolordialogs.h"
#include "fakes/scriptedmessagebox.h"
#include "ui/services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utility>

namespace brisquel {

// A whole program with fakes for every platform service but the process
// start, which is `Starter` (made from `starterArgs`), keeping its settings
// file in a temporary folder of its own.
template <typename Starter>
struct BasicProgramUnderTest {
    template <typename... StarterArgs>
    explicit BasicProgramUnderTest(const QByteArray &login = "ana", StarterArgs &&...starterArgs)
        : loginName(login)
        , starter(std::forward<StarterArgs>(starterArgs)...)
    {
        services.settingsPath = dir.filePath(QStringLiteral("brisquel.ini"));
        // No receiving service unless a test starts one there.
        services.receiverSocketPath = dir.filePath(QStringLiteral("receiver.sock"));
    }

    QString iniPath() const { return services.settingsPath; }

    void writeIni(const QByteArray &bytes) const
    {
        QFile file(iniPath());
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    QByteArray readIni() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    FakeScreenMetrics screen;
    ScriptedMessageBox messageBox{{MessageBox::Answer::Yes}};
    FakeLoginName loginName;
    Starter starter;
    ScriptedFontAndColorDialogs fontAndColorDialogs;
    FakeTrayIcon tray;
    int endCalls = 0;
    Services services{screen, messageBox, loginName, starter, fontAndColorDialogs, tray, [this] { ++endCalls; }};
    Program app{services};
    AppState &state = app.state();
};

// The usual one: every command started is only recorded.
using ProgramUnderTest = BasicProgramUnderTest<RecordingCommandStarter>;

// The 62 lines of a settings file, CR LF ended, from the general values and
// up to twelve users and groups (the rest of the slots "...").
inline QByteArray settingsText(const QList<QPair<QString, QString>> &users,
                               const QList<QPair<QString, QString>> &groups = {},
                               const QString &sender = QStringLiteral("ana"), bool ownName = true)
{
    QStringList lines{QStringLiteral("[GENERAL]"), sender, QStringLiteral("ana"),
                      ownName ? QStringLiteral("1") : QStringLiteral("0"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("0"), QStringLiteral("0"),
                      QStringLiteral(" 10"), QStringLiteral("0"), QStringLiteral("0"),
                      QStringLiteral(" 0"), QStringLiteral(" 16777215")};
    auto addList = [&lines](const QString &header, const QList<QPair<QString, QString>> &rows) {
        lines << header;
        for (int i = 0; i < 12; ++i) {
            if (i < rows.size())
                lines << rows[i].first << rows[i].second;
            else
                lines << QStringLiteral("...") << QStringLiteral("...");
        }
    };
    addList(QStringLiteral("[USUARIOS]"), users);
    addList(QStringLiteral("[GRUPOS]"), groups);
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

} // namespace brisquel
