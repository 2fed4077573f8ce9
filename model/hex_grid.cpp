#include "model/hex_grid.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "foundation/short_array.h"
#include "foundation/text.h"
#include "geometry/neighbourhoods.h"

namespace tamblo {

namespace {

int nextSerial() {
    static int serial = 0;
    return ++serial;
}

// The sort order of every name list is case-ignoring and unsigned. The names sorted here are
// written by the model itself, in upper case, so a plain byte comparison gives that same order
// at memcmp speed (names of large grids share long prefixes).
bool nameBefore(const std::string& a, const std::string& b) { return a < b; }

template <typename Key>
void sortByName(std::vector<std::pair<std::string, Key>>& items) {
    std::sort(items.begin(), items.end(), [](const auto& l, const auto& r) { return nameBefore(l.first, r.first); });
}

std::string upperCopy(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = upperOf(ch);
    return out;
}

}  // namespace

HexGrid::HexGrid() : serial_(nextSerial()) { reconfigureDirections(); }

HexGrid::~HexGrid() { clearAll(); }

void HexGrid::clearDerived() {
    peers_.clear();
    cells_.clear();
    hexagons_.clear();
    allocatedHexagons_ = 0;
    appliedPercentage_ = 0;  // a freshly loaded puzzle is always applied at its first preparation
    partialList_.clear();
    touchingList_.clear();
    cellList_.clear();
    peerLines_.clear();
    innerOutline_.clear();
    boundaryOutline_.clear();
    gapList_.clear();
    outerList_.clear();
    definitionValues_.clear();
    partialCount_ = 0;
    touchingCount_ = 0;
    cellCount_ = 0;
    hexagonCount_ = fullCount_;
    rowCount_ = 0;
    columnCount_ = 0;
    listsDerived_ = touchingBuilt_ = peerLinesBuilt_ = peerTableBuilt_ = false;
    cellsBuilt_ = hexagonsBuilt_ = positionsComputed_ = outlinesBuilt_ = cornersBuilt_ = false;
    hasDefinitionValues_ = definitionsLoaded_ = false;
    cellKeys_.clear();
    cellByKey_.clear();
    hexagonKeys_.clear();
    hexagonCells_.clear();
    touchingKeys_.clear();
    touchingCells_.clear();
    cellHexagons_.clear();
    cellHits_.clear();
    fullHits_.clear();
    partialHits_.clear();
    touchingHits_.clear();
}

void HexGrid::clearAll() {
    clearDerived();
    hexagonList_.clear();
    fullCount_ = 0;
    hexagonCount_ = 0;
}

// --- Display parameters ---

void HexGrid::reconfigureDirections() { directions_.configure(stepSize_); }

void HexGrid::setStepSize(int size) {
    stepSize_ = size;
    reconfigureDirections();
    clearPositions();
}

void HexGrid::setAngle(int degrees) {
    angle_ = degrees;
    directions_.setAngle(degrees);
    reconfigureDirections();
    clearPositions();
}

void HexGrid::clearPositions() {
    if (hexagonsBuilt_ || positionsComputed_) {
        for (GridCell& c : cells_) c.x = c.y = 0;
        for (GridHexagon& h : hexagons_) h.centreX = h.centreY = 0;
    }
    positionsComputed_ = false;
    cellHits_.clear();
    fullHits_.clear();
    partialHits_.clear();
    touchingHits_.clear();
}

// --- Derivation ---

void HexGrid::deriveLists() {
    if (listsDerived_) return;

    // The named hexagons, each once, in canonical form.
    std::unordered_set<LatticeKey, LatticeKeyHash> fullSet;
    std::vector<LatticeKey> full;
    for (const std::string& line : hexagonList_.lines()) {
        LatticeKey p;
        readPointText(line, p);
        if (fullSet.insert(p).second) full.push_back(p);
    }

    // The cells: those named directly, then the six of every named hexagon.
    std::unordered_set<CellKey, CellKeyHash> cellSet;
    std::vector<CellKey> cells;
    cellSet.reserve(cellList_.lines().size() + full.size() * 6);
    auto addCell = [&](const CellKey& k) {
        if (cellSet.insert(k).second) cells.push_back(k);
    };
    for (const std::string& line : cellList_.lines()) {
        CellKey k;
        if (readCellName(line, k)) addCell(k);
    }
    for (LatticeKey p : full) {
        CellKey six[6];
        cellsAroundPoint(p, six);
        for (const CellKey& k : six) addCell(k);
    }

    std::vector<std::pair<std::string, CellKey>> namedCells;
    namedCells.reserve(cells.size());
    for (const CellKey& k : cells) namedCells.emplace_back(cellNameText(k), k);
    sortByName(namedCells);
    cellList_.clear();
    cellKeys_.assign(1, CellKey{});
    cellByKey_.clear();
    cellByKey_.reserve(namedCells.size());
    int number = 0;
    for (auto& [name, key] : namedCells) {
        ++number;
        cellKeys_.push_back(key);
        cellByKey_.emplace(key, number);
        cellList_.append(name);
    }
    cellCount_ = number;

    // Every hexagon that holds a cell, with the numbers of its cells, then sorted into full and
    // partial ones by their cell count. The three hexagons of each cell are remembered so that
    // the peers need no further lookups.
    std::unordered_map<LatticeKey, int, LatticeKeyHash> touchingSlot;
    std::vector<LatticeKey> touching;
    touchingSlot.reserve(static_cast<size_t>(cellCount_) + 8);
    cellHexagons_.assign(static_cast<size_t>(cellCount_) + 1, std::array<int, 3>{});
    for (int c = 1; c <= cellCount_; ++c) {
        LatticeKey three[3];
        hexagonsOfCell(cellKeys_[static_cast<size_t>(c)], three);
        for (size_t i = 0; i < 3; ++i) {
            auto [it, added] = touchingSlot.emplace(three[i], static_cast<int>(touching.size()));
            if (added) touching.push_back(three[i]);
            cellHexagons_[static_cast<size_t>(c)][i] = it->second;
        }
    }
    touchingCells_.assign(touching.size(), std::array<std::int16_t, 6>{});
    std::vector<LatticeKey> partial;
    for (size_t t = 0; t < touching.size(); ++t) {
        CellKey six[6];
        cellsAroundPoint(touching[t], six);
        int present = 0;
        for (size_t k = 0; k < 6; ++k) {
            int n = cellNumberOf(six[k]);
            touchingCells_[t][k] = static_cast<std::int16_t>(n);
            present += n != 0 ? 1 : 0;
        }
        if (present == 6) {
            if (fullSet.insert(touching[t]).second) full.push_back(touching[t]);
        } else if (present >= 3) {
            partial.push_back(touching[t]);
        }
    }

    auto named = [](const std::vector<LatticeKey>& keys) {
        std::vector<std::pair<std::string, LatticeKey>> out;
        out.reserve(keys.size());
        for (LatticeKey p : keys) out.emplace_back(expandedText(p), p);
        sortByName(out);
        return out;
    };
    auto namedFull = named(full);
    auto namedPartial = named(partial);
    auto namedTouching = named(touching);

    hexagonList_.clear();
    partialList_.clear();
    hexagonKeys_.assign(1, LatticeKey{});
    for (auto& [name, key] : namedFull) {
        hexagonList_.append(name);
        hexagonKeys_.push_back(key);
    }
    for (auto& [name, key] : namedPartial) {
        partialList_.append(name);
        hexagonKeys_.push_back(key);
    }
    touchingKeys_.assign(1, LatticeKey{});
    for (auto& entry : namedTouching) touchingKeys_.push_back(entry.second);

    fullCount_ = hexagonList_.count();
    partialCount_ = partialList_.count();
    hexagonCount_ = fullCount_ + partialCount_;

    hexagonCells_.assign(static_cast<size_t>(hexagonCount_) + 1, std::array<std::int16_t, 6>{});
    for (int h = 1; h <= hexagonCount_; ++h) {
        auto it = touchingSlot.find(hexagonKeys_[static_cast<size_t>(h)]);
        if (it != touchingSlot.end()) hexagonCells_[static_cast<size_t>(h)] = touchingCells_[static_cast<size_t>(it->second)];
    }
    listsDerived_ = true;
}

int HexGrid::cellNumberOf(const CellKey& key) const {
    auto it = cellByKey_.find(key);
    return it == cellByKey_.end() ? 0 : it->second;
}

void HexGrid::buildTouchingList() {
    if (touchingBuilt_) return;
    deriveLists();
    touchingList_.clear();
    for (size_t i = 1; i < touchingKeys_.size(); ++i) touchingList_.append(expandedText(touchingKeys_[i]));
    touchingCount_ = touchingList_.count();
    touchingBuilt_ = true;
}

int HexGrid::collectPeers(int c, std::int16_t out[PeerTable::kMaxPeers]) const {
    if (c < 1 || c > cellCount_) return 0;
    std::int16_t found[18];
    int n = 0;
    for (int t : cellHexagons_[static_cast<size_t>(c)]) {
        for (std::int16_t q : touchingCells_[static_cast<size_t>(t)])
            if (q != 0 && q != c) found[n++] = q;
    }
    // Cell numbers follow the sorted names, so ascending numbers are the sorted peer names.
    std::sort(found, found + n);
    int count = 0;
    for (int i = 0; i < n && count < PeerTable::kMaxPeers; ++i)
        if (i == 0 || found[i] != found[i - 1]) out[count++] = found[i];
    return count;
}

void HexGrid::buildPeerLines() {
    if (peerLinesBuilt_) return;
    deriveLists();
    peerLines_.clear();
    std::string line;
    for (int c = 1; c <= cellCount_; ++c) {
        std::int16_t peers[PeerTable::kMaxPeers];
        int n = collectPeers(c, peers);
        line.assign(cellList_.lines()[static_cast<size_t>(c - 1)]);
        line.append(",  ");
        for (int i = 0; i < n; ++i) {
            line.append(cellList_.lines()[static_cast<size_t>(peers[i] - 1)]);
            line.push_back(',');
        }
        peerLines_.append(line);
    }
    peerLinesBuilt_ = true;
}

void HexGrid::buildPeerTable() {
    if (peerTableBuilt_) return;
    deriveLists();
    peers_.allocate(cellCount_ + 1);
    // The rows come from the same neighbourhoods the peer lines are written from, in the same
    // order, so the table does not need the lines: they are written only when asked for.
    for (int c = 1; c <= cellCount_; ++c) {
        std::int16_t* row = peers_.row(c);
        ShortArray peers;
        peers.attach(PeerTable::kMaxPeers, row);
        peers.zeroAll();
        ShortArray reserved;
        reserved.attach(PeerTable::kRowLength - PeerTable::kMaxPeers, row + PeerTable::kMaxPeers);
        reserved.zeroAll();
        std::int16_t found[PeerTable::kMaxPeers];
        int n = collectPeers(c, found);
        for (int i = 0; i < n; ++i) peers.addUnique(found[i]);
    }
    peerTableBuilt_ = true;
}

void HexGrid::buildCells() {
    if (cellsBuilt_) return;
    deriveLists();
    cells_.assign(static_cast<size_t>(cellCount_) + 1, GridCell{});
    definitionsLoaded_ = false;
    appliedPercentage_ = 0;
    positionsComputed_ = false;
    cellHits_.clear();
    computeTextLayout();
    cellsBuilt_ = true;
}

void HexGrid::buildHexagons() {
    if (hexagonsBuilt_) return;
    deriveLists();
    hexagons_.assign(static_cast<size_t>(hexagonCount_) + 1, GridHexagon{});
    allocatedHexagons_ = hexagonCount_ + 1;
    positionsComputed_ = false;
    hexagonsBuilt_ = true;
}

void HexGrid::buildOutlineLists() {
    if (outlinesBuilt_) return;
    deriveLists();
    outlineLists(hexagonList_, innerOutline_, boundaryOutline_);
    outlinesBuilt_ = true;
}

void HexGrid::buildCornerLists() {
    if (cornersBuilt_) return;
    deriveLists();
    cornerLists(hexagonList_, cellList_, gapList_, outerList_);
    cornersBuilt_ = true;
}

void HexGrid::prepare() {
    deriveLists();
    buildTouchingList();
    buildHexagons();
    buildCells();
    computePositions();
    if (hasDefinitionValues_) applyLevelIfNeeded();
    replayPendingEntries();
    buildOutlineLists();
}

// --- Lookups and cell accessors ---

int HexGrid::cellIndex(TextRef name) const {
    if (!listsDerived_) return cellList_.indexOf(name);
    // Every line of the cell list is a canonical name, so a name that reads as a cell finds its
    // only candidate line through the key; the text comparison keeps non-canonical spellings out.
    CellKey key;
    if (!readCellName(upperCopy(name.view()), key)) return 0;
    int c = cellNumberOf(key);
    return (c != 0 && equalsNoCase(cellList_.lines()[static_cast<size_t>(c - 1)], name)) ? c : 0;
}

const char* HexGrid::hexagonName(int h) const {
    if (h >= 1 && h <= fullCount_) return hexagonList_.lineAt(h);
    return partialList_.lineAt(h - fullCount_);
}

int HexGrid::hexagonCell(int h, int k) const {
    if (h < 1 || h >= static_cast<int>(hexagonCells_.size()) || k < 0 || k > 5) return 0;
    return hexagonCells_[static_cast<size_t>(h)][static_cast<size_t>(k)];
}

void HexGrid::setValue(int c, int v) {
    if (c >= 1 && c <= cellCount_ && cell(c)) cell(c)->value = static_cast<std::int16_t>(v);
}

void HexGrid::clearGiven(int c) {
    if (c >= 1 && c <= cellCount_ && cell(c)) cell(c)->given = 0;
}

void HexGrid::setCandidates(int c, int mask) {
    if (c >= 1 && c <= cellCount_ && cell(c)) cell(c)->candidates = static_cast<std::int16_t>(mask);
}

const std::int16_t& HexGrid::candidateStorage(int c) const {
    static const std::int16_t none = 0;
    const GridCell* g = cell(c);
    return g ? g->candidates : none;
}

void HexGrid::setMarks(int c, int mask) {
    if (c >= 1 && c <= cellCount_ && cell(c)) cell(c)->marks = static_cast<std::int16_t>(mask & kAllDigits);
}

void HexGrid::toggleMark(int c, int d) {
    if (c >= 1 && c <= cellCount_ && cell(c)) cell(c)->marks = static_cast<std::int16_t>(cell(c)->marks ^ digitBit(d));
}

void HexGrid::clearMarks(int c) { setMarks(c, 0); }

void HexGrid::clearAllMarks() {
    for (GridCell& g : cells_) g.marks = 0;
}

bool HexGrid::hasAnyMarks() const {
    for (int c = 1; c < static_cast<int>(cells_.size()); ++c)
        if (cells_[static_cast<size_t>(c)].marks > 0) return true;
    return false;
}

bool HexGrid::isAB(int c) const {
    if (c < 1 || c >= static_cast<int>(cellKeys_.size())) return false;
    return cellKeys_[static_cast<size_t>(c)].orientation == Orientation::AB;
}

}  // namespace tamblo
