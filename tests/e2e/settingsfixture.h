#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// A brisquel.ini as the program reads and writes it: 62 lines, each ended by
// CR LF, in the 8-bit code page (the fixtures keep to Latin-1 letters, which
// it shares).
struct SettingsFixture {
    // The eleven lines after "[GENERAL]": sender, login name, own-name flag,
    // font name, bold, italic, size, strikethrough, underline, text colour,
    // background colour.
    QStringList general;
    // Caption and target of the first slots; the others are empty ("...").
    QList<QPair<QString, QString>> users;
    QList<QPair<QString, QString>> groups;

    QByteArray bytes() const;
};

// Ana, signing with her name, in Liberation Sans 10, black on white; no
// users or groups yet.
SettingsFixture plainAnaSettings();

// The account the tests run as, which the program signs and saves as the
// login name.
QString loginName();
