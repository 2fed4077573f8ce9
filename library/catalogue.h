// The puzzles the game carries: ten catalogue entries known by id and level, the loader that
// turns their stored lines into a grid description, and the list binding play slots to ids.
#pragma once

#include <functional>

#include "foundation/dyn_string.h"
#include "foundation/text_lines.h"

namespace tamblo {

class HexGrid;

inline constexpr int slotCount = 5;
inline constexpr int releaseNumber = 126;

// Display settings a grid keeps beside its description; a load puts them back after the build.
struct GridDisplaySettings {
    int levelPercentage = 100;
    int angle = 0;
    int stepSize = 40;
};

// What the loader needs of one of the program's grid objects.
struct GridBinding {
    HexGrid* grid = nullptr;
    TextLines* description = nullptr;  // the description list kept with the grid
    GridDisplaySettings display;
};

class BuiltInCatalogue {
public:
    // Looks a grid object up by its index: fills the binding and returns true, or false for an
    // index that names no grid. The shell installs it once its grid objects exist.
    using GridRegistry = std::function<bool(int gridIndex, GridBinding& binding)>;

    BuiltInCatalogue();

    int count() const;                  // 10
    const char* idAt(int order) const;  // 1-based; "" outside
    int levelAt(int order) const;       // 0 outside

    // Ids compare equal when they differ at most in the case of the letters a..z.
    static bool idsMatch(TextRef a, TextRef b);

    // Finds the id ignoring letter case; on success the line list holds the puzzle's unscrambled
    // lines in stored order. `level` is the puzzle's level, 0 when not found.
    bool lookUp(TextRef id, int& level);
    const TextLines& lines() const { return lines_; }

    // Turns body lines into description entries: per line, a "%" field sets the suffix of the
    // fields after it ("%0" empties it), a "#" field is a comment, every other field is an entry
    // with the suffix appended. Fields are trimmed; the suffix starts empty on every line.
    static void appendEntries(const TextLines& bodyLines, TextLines& description);

    // Loads the puzzle into the grid: fills its description, builds it, puts the display
    // settings back, sets the puzzle's level, and derives cells, peers and candidates. False,
    // with the grid and description untouched, for an unknown id.
    bool loadIntoGrid(HexGrid& grid, TextLines& description, TextRef id, const GridDisplaySettings& display);
    // The same keeping the grid's own angle and step size, at the level percentage 100.
    bool loadIntoGrid(HexGrid& grid, TextLines& description, TextRef id);
    // The same through the registry; false when the id is unknown or the index names no grid.
    bool loadIntoGrid(int gridIndex, TextRef id);
    static void setGridRegistry(GridRegistry registry);

    // Field s (1-based) of the slot list, trimmed; empty for a slot the list does not reach or
    // a slot number below 1.
    DynString slotId(int slot) const;

private:
    TextLines lines_;
    DynString slotList_;  // unscrambled once
};

}  // namespace tamblo
