#pragma once

#include "platform/fontandcolordialogs.h"

class QWidget;

namespace brisquel {

// Qt's own colour and font dialogs (in Spanish once the Qt translation is
// loaded).
class QtFontAndColorDialogs final : public FontAndColorDialogs
{
public:
    explicit QtFontAndColorDialogs(QWidget *parent = nullptr);
    std::optional<qint32> chooseColor(qint32 current) override;
    std::optional<TextFont> chooseFont(const TextFont &current) override;

private:
    // The window the dialogs open over: the one given, else the active one.
    QWidget *owner() const;

    QWidget *m_parent;
};

} // namespace brisquel
