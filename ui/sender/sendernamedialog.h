#pragma once

#include "ui/entrystrip.h"

namespace brisquel {

class AppWindows;

// The sender name signed into every message.
class SenderNameDialog : public EntryStrip {
    Q_OBJECT

public:
    explicit SenderNameDialog(AppWindows &windows);

    void load();

protected:
    void onAccepted() override;

private:
    AppWindows &m_windows;
};

} // namespace brisquel
