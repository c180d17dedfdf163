#pragma once

#include "platform/fontandcolordialogs.h"

#include <QList>

#include <optional>

namespace brisquel {

// Answers each dialog from a script: a colour or font to accept, or a cancel
// (nullopt). With the script empty it cancels.
class ScriptedFontAndColorDialogs final : public FontAndColorDialogs
{
public:
    std::optional<qint32> chooseColor(qint32 current) override
    {
        ++colorShows;
        openedOnColor = current;
        return colors.isEmpty() ? std::nullopt : colors.takeFirst();
    }

    std::optional<TextFont> chooseFont(const TextFont &current) override
    {
        ++fontShows;
        openedOnFont = current.fontName;
        return fonts.isEmpty() ? std::nullopt : fonts.takeFirst();
    }

    QList<std::optional<qint32>> colors;
    QList<std::optional<TextFont>> fonts;
    int colorShows = 0;
    int fontShows = 0;
    // What the last dialog of each kind opened on.
    qint32 openedOnColor = 0;
    QString openedOnFont;
};

} // namespace brisquel
