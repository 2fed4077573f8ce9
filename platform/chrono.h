// Playing time in whole seconds, with pause and resume, on the system millisecond clock.
#pragma once

#include <cstdint>

#include "foundation/dyn_string.h"

namespace tamblo {

class Chrono {
public:
    Chrono() { reset(); }

    void reset();
    // A resume while running folds the current run into the totals first.
    void resume();
    void pause();
    void addSeconds(std::uint32_t n) { totalSeconds += n; }
    std::uint32_t elapsedSeconds();
    void split();
    // '0s', '5s', ' 59s', '1mn 00s', '1h 02mn', '25h 00mn'.
    void format(DynString& into);
    bool isRunning() const { return running; }

    std::uint32_t startTick = 0;
    std::uint32_t lastTick = 0;
    std::uint32_t totalSeconds = 0;
    std::uint32_t totalTenths = 0;
    std::int16_t hours = 0;
    std::int16_t minutes = 0;
    std::int16_t seconds = 0;
    bool running = false;
};

}  // namespace tamblo
