#pragma once

#include "platform/commondialog.h"

#include <QList>

#include <optional>

namespace brisquel {

// Answers each Show* from a script: a colour or font to accept, or a cancel
// (nullopt). With the script empty it cancels.
class ScriptedCommonDialog final : public CommonDialog
{
public:
    struct FontChoice {
        QString name;
        bool bold = false;
        bool italic = false;
        float size = 8.25f;
        bool strikethru = false;
        bool underline = false;
    };

    bool ShowColor() override
    {
        ++colorShows;
        if (colors.isEmpty())
            return false;
        const std::optional<qint32> next = colors.takeFirst();
        if (!next)
            return false;
        Color = *next;
        return true;
    }

    bool ShowFont() override
    {
        ++fontShows;
        openedOnFont = FontName;
        if (fonts.isEmpty())
            return false;
        const std::optional<FontChoice> next = fonts.takeFirst();
        if (!next)
            return false;
        FontName = next->name;
        FontBold = next->bold;
        FontItalic = next->italic;
        FontSize = next->size;
        FontStrikethru = next->strikethru;
        FontUnderline = next->underline;
        return true;
    }

    QList<std::optional<qint32>> colors;
    QList<std::optional<FontChoice>> fonts;
    int colorShows = 0;
    int fontShows = 0;
    QString openedOnFont;
};

} // namespace brisquel
