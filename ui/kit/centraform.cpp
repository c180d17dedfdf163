#include "centraform.h"

#include "platform/screenmetrics.h"
#include "vbform.h"

namespace brisquel {

void CentraForm(VbForm &form, const ScreenMetrics &metrics)
{
    const float left = (float(metrics.screenWidthTwips()) - float(form.Width())) / 2.0f;
    form.setLeft(left);
    const float top = (float(metrics.screenHeightTwips()) - float(form.Height())) / 2.0f;
    form.setTop(top);
}

} // namespace brisquel
