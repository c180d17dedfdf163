#pragma once

#include "ui/kit/vbform.h"

class QGroupBox;

namespace brisquel {

// The three small dialogs share one shape: a strip without a title bar,
// 5370 x 975 twips whatever the user does, holding one captioned frame with
// a row of controls.
class DialogStrip : public VbForm {
    Q_OBJECT

public:
    DialogStrip(const ScreenMetrics &metrics, const QString &frameCaption);

    QGroupBox *Frame1 = nullptr;

    void Form_Resize() override;

protected:
    void setStripSize();
};

} // namespace brisquel
