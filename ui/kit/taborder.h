#pragma once

#include <utility>
#include <vector>

class QWidget;

namespace brisquel {

// Sets the Tab order of a window's controls from their tab indices (lowest
// first); equal indices keep the order given.
void applyTabOrder(std::vector<std::pair<int, QWidget *>> controls);

} // namespace brisquel
