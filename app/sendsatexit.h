#pragma once

namespace brisquel {

class Dispatcher;

// Sends still waiting for their turn when the windows have gone are not
// dropped: they are started now, the cap of running sends still holding,
// and the program ends once the last has ended. A failure has no window to
// be told in any more, so it goes to standard error. Sends that stop ending
// at all (a stuck command) are given up after a while, and said so.
void finishSends(Dispatcher &dispatcher);

} // namespace brisquel
