// The stored form of the built-in puzzles: plain ids and levels, scrambled body lines.
#pragma once

namespace tamblo {

struct StoredPuzzle {
    const char* id;
    int level;
    const char* const* lines;  // scrambled, one stored text per body line
    int lineCount;
};

// The puzzles in catalogue order.
const StoredPuzzle* storedPuzzles();
int storedPuzzleCount();
// The slot id list, scrambled: catalogue ids separated by commas, slot 1 first.
const char* storedSlotList();

}  // namespace tamblo
