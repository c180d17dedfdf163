#include "settingsfixture.h"

#include <pwd.h>
#include <unistd.h>

namespace {

constexpr int kSlots = 12;

void appendList(QStringList &lines, const QList<QPair<QString, QString>> &entries)
{
    for (int i = 0; i < kSlots; ++i) {
        if (i < entries.size())
            lines << entries[i].first << entries[i].second;
        else
            lines << QStringLiteral("...") << QStringLiteral("...");
    }
}

} // namespace

QByteArray SettingsFixture::bytes() const
{
    QStringList lines{QStringLiteral("[GENERAL]")};
    lines << general;
    lines << QStringLiteral("[USUARIOS]");
    appendList(lines, users);
    lines << QStringLiteral("[GRUPOS]");
    appendList(lines, groups);
    Q_ASSERT(lines.size() == 62);
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

SettingsFixture plainAnaSettings()
{
    SettingsFixture settings;
    settings.general = {QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("1"),
                        QStringLiteral("Liberation Sans"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral(" 10"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral(" 0"), QStringLiteral(" 16777215")};
    return settings;
}

QString loginName()
{
    const passwd *entry = ::getpwuid(::geteuid());
    return entry != nullptr ? QString::fromLocal8Bit(entry->pw_name) : QString();
}
