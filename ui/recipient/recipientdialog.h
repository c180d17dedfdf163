#pragma once

#include "ui/entrystrip.h"

namespace brisquel {

// Asks for recipients typed by hand, to send the main window's message to.
class RecipientDialog : public EntryStrip {
    Q_OBJECT

public:
    explicit RecipientDialog(const ScreenMetrics &metrics);

    void load();

signals:
    // The user accepted: one recipient, or a comma-separated list.
    void sendRequested(const QString &recipients);

protected:
    void onAccepted() override;
};

} // namespace brisquel
