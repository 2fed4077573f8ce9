// The seven difficulty levels and the givens they show.

#include <algorithm>
#include <unordered_set>

#include "foundation/text.h"
#include "model/hex_grid.h"

namespace tamblo {

namespace {

struct LevelRow {
    int percentage;
    const char* english;
    const char* french;
};

constexpr LevelRow kLevels[7] = {
    {75, "1-very easy", "1-tr\xc3\xa8s facile"},
    {80, "2-easy", "2-facile"},
    {85, "3-middle", "3-moyen"},
    {90, "4-high middle", "4-moyen haut"},
    {95, "5-difficult", "5-difficile"},
    {100, "6-very difficult", "6-tr\xc3\xa8s difficile"},
    {120, "7-diabolic", "7-diabolique"},
};

}  // namespace

int levelPercentage(int level) { return (level >= 2 && level <= 7) ? kLevels[level - 1].percentage : 75; }

int levelOfPercentage(int percentage) {
    for (int level = 2; level <= 7; ++level)
        if (kLevels[level - 1].percentage == percentage) return level;
    return 1;
}

const char* levelName(int level, bool french) {
    if (level < 1 || level > 7) return "xxx";
    return french ? kLevels[level - 1].french : kLevels[level - 1].english;
}

int HexGrid::computeLevelOffset() {
    deriveLists();
    std::unordered_set<LatticeKey, LatticeKeyHash> full;
    for (int h = 1; h <= fullCount_; ++h) full.insert(hexagonKeys_[static_cast<size_t>(h)]);
    int best = 0;
    for (int h = 1; h <= fullCount_; ++h) {
        LatticeKey centre = hexagonKeys_[static_cast<size_t>(h)];
        int around = 0;
        for (int k = 0; k < 6; ++k) around += full.count(centre.plus(directionStep(k))) != 0 ? 1 : 0;
        best = std::max(best, around);
    }
    levelOffset_ = std::min(3, 6 - best);
    return levelOffset_;
}

// Thresholds of 120 only make a seventh level when some cells also sit at 100; otherwise the
// 120s are the puzzle's hardest givens and are lowered to 100 so that level 6 shows them.
bool HexGrid::hasLevel7Data() {
    if (!cellsBuilt_) return false;
    bool any120 = false;
    bool any100 = false;
    for (int c = 1; c <= cellCount_; ++c) {
        int t = cells_[static_cast<size_t>(c)].threshold;
        any120 = any120 || t == 120;
        any100 = any100 || t == 100;
    }
    if (any120 && any100) return true;
    if (any120) {
        for (int c = 1; c <= cellCount_; ++c) {
            GridCell& g = cells_[static_cast<size_t>(c)];
            if (g.threshold > 100) g.threshold = 100;
        }
    }
    return false;
}

void HexGrid::setLevel(int level) {
    requestedLevel_ = level;
    computeLevelOffset();
    if (level == 7) {
        effectiveLevel_ = shownLevel_ = hasLevel7Data() ? 7 : 6;
    } else {
        effectiveLevel_ = std::min(6, level + levelOffset_);
        shownLevel_ = level;
    }
    requestedPercentage_ = levelPercentage(requestedLevel_);
    effectivePercentage_ = levelPercentage(effectiveLevel_);
    levelComputed_ = true;
}

void HexGrid::setLevelPercentage(int percentage) {
    if (percentage == 120 && !hasLevel7Data()) percentage = 100;
    requestedPercentage_ = percentage;
    levelComputed_ = false;
}

void HexGrid::applyCurrentLevel() {
    for (int c = 1; c < static_cast<int>(cells_.size()); ++c) {
        GridCell& g = cells_[static_cast<size_t>(c)];
        if (g.threshold < effectivePercentage_) {
            g.value = 0;
            g.given = 0;
        } else {
            g.value = g.definitionDigit;
            g.given = 1;
        }
    }
    appliedPercentage_ = effectivePercentage_;
}

void HexGrid::loadDefinitionValues() {
    buildCells();
    for (GridCell& g : cells_) g.definitionDigit = g.threshold = g.given = 0;
    DynString key;
    DynString value;
    for (int i = 1; i <= definitionValues_.count(); ++i) {
        definitionValues_.splitLine(i, key, value);
        int c = cellIndex(key);
        if (c <= 0) continue;
        int digit = popInt(value);
        int threshold = popInt(value);
        if (digit < 1 || digit > 6) continue;
        GridCell& g = cells_[static_cast<size_t>(c)];
        g.definitionDigit = static_cast<std::int16_t>(digit);
        g.threshold = static_cast<std::int16_t>(clamp(threshold, -32768, 32767));
        g.given = 1;
    }
    definitionsLoaded_ = true;
    applyCurrentLevel();
}

void HexGrid::applyLevelIfNeeded() {
    if (!hasDefinitionValues_) {
        definitionsLoaded_ = false;
        return;
    }
    if (!definitionsLoaded_) loadDefinitionValues();
    if (!levelComputed_) {
        if (requestedPercentage_ < 75) requestedPercentage_ = 100;
        setLevel(levelOfPercentage(requestedPercentage_));
    }
    if (effectivePercentage_ != appliedPercentage_) applyCurrentLevel();
}

LevelLabel HexGrid::levelLabel(int kind, bool named) const {
    int b = levelOfPercentage(effectivePercentage_);
    int n = b;
    if (kind == 10 || kind == 11) n = shownLevel_;
    else if (kind == 13 || kind == 14) n = b == 7 ? b : b - levelOffset_;
    else if (kind == 15) n = requestedLevel_;
    LevelLabel label;
    label.level = n;
    bool known = n >= 1 && n <= 7;
    if (!named) label.text.set(known ? intText(n) : std::string("x"));
    else label.text.set(levelName(n, !(kind == 10 || kind == 13)));
    return label;
}

}  // namespace tamblo
