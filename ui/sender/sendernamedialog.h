#pragma once

#include "ui/entrystrip.h"

namespace brisquel {

// Asks for the sender name signed into every message.
class SenderNameDialog : public EntryStrip {
    Q_OBJECT

public:
    explicit SenderNameDialog(const ScreenMetrics &metrics);

    void load();
    // The box starts with the name in use.
    void showName(const QString &name);

signals:
    // The user accepted `name`; empty when the box was emptied.
    void nameChosen(const QString &name);

protected:
    void onAccepted() override;
};

} // namespace brisquel
