#pragma once

#include "ui/kit/twipswindow.h"

class QGroupBox;

namespace brisquel {

// The three small dialogs share one shape: a strip without a title bar,
// 5370 x 975 twips whatever the user does, holding one captioned frame with
// a row of controls.
class DialogStrip : public TwipsWindow {
    Q_OBJECT

public:
    DialogStrip(const ScreenMetrics &metrics, const QString &frameCaption);

protected:
    void onSizeOrStateChanged() override;
    void setStripSize();

    QGroupBox *frame = nullptr;
};

} // namespace brisquel
