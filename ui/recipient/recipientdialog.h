#pragma once

#include "ui/entrystrip.h"

namespace brisquel {

class AppWindows;

// Sends the main window's message to recipients typed by hand.
class RecipientDialog : public EntryStrip {
    Q_OBJECT

public:
    explicit RecipientDialog(AppWindows &windows);

    void load();

protected:
    void onAccepted() override;

private:
    AppWindows &m_windows;
};

} // namespace brisquel
