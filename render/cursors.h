// The mouse cursors of the game: eleven of them, chosen from the play state, and a nesting busy
// state that shows the wait cursor while painting or loading.
#pragma once

#include <array>
#include <cstdint>

#include "platform/winsys/cursor.h"

namespace tamblo {

// What decides the cursor besides the busy state; the shell keeps it up to date.
struct CursorConditions {
    bool rulesMode = false;      // the rules pages are shown
    bool hover = false;          // the mouse is over a hexagon centre
    bool eraseFeedback = false;  // an erase just happened
    int selectedNumber = 0;      // 0 erases, 1..6 places
};

enum CursorIndex : int {
    kCursorErase = 0,  // 1..6: the digits
    kCursorWait = 7,
    kCursorArrow = 8,
    kCursorHexagon = 9,
    kCursorBurst = 10,
    kCursorCount = 11,
};

// The planes of the nine cursors drawn here (indexes 0..6, 9 and 10).
struct CursorPlanes {
    winsys::CursorPlane andPlane{};
    winsys::CursorPlane xorPlane{};
    winsys::Point hotSpot;
};
// False for the two system cursors and indexes outside 0..10.
bool ownCursorPlanes(int index, CursorPlanes& out);

class CursorSet {
public:
    static constexpr int kNoneShown = 999;

    void createAll();
    void destroyAll();
    // The index the conditions call for.
    int chosenIndex() const;
    // Shows the cursor of the conditions; unless forced, only when it is not the one shown last.
    void choose(bool force);
    void enterBusy();
    void leaveBusy();

    int busyCount() const { return busy_; }
    int lastIndex() const { return last_; }
    winsys::CursorHandle handle(int index) const;
    // How often a cursor was actually set.
    int setCount() const { return sets_; }

    CursorConditions conditions;

private:
    std::array<winsys::CursorHandle, kCursorCount> handles_{};
    int last_ = kNoneShown;
    std::int16_t busy_ = 0;
    int sets_ = 0;
};

// The program's cursors.
CursorSet& cursors();

}  // namespace tamblo
