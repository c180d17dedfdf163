#include "taborder.h"

#include <QWidget>

#include <algorithm>

namespace brisquel {

void applyTabOrder(std::vector<std::pair<int, QWidget *>> controls)
{
    std::stable_sort(controls.begin(), controls.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QWidget *previous = nullptr;
    for (const auto &[index, control] : controls) {
        (void)index;
        if (control == nullptr)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace brisquel
