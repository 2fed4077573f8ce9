// One puzzle: its hexagons and cells, the play state of every cell, its difficulty level, and
// the pixel layout that the painting and the mouse use.
//
// A grid is built from two name lists (hexagons and cells) plus definition values; everything
// else is derived lazily behind validity flags and kept until the next load. Cells are numbered
// 1..N in the order of the sorted cell list, hexagons 1..H with the full ones (sorted) before the
// partial ones (sorted); number 0 means none, and every array keeps an unused entry 0. These
// numbers are what a progress text and the settings file are written in, so they never change for
// a given description.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/dyn_string.h"
#include "foundation/text_lines.h"
#include "geometry/lattice_point.h"
#include "model/grid_types.h"
#include "model/lattice_key.h"
#include "model/spatial_index.h"

namespace tamblo {

class HexGrid {
public:
    HexGrid();
    ~HexGrid();
    HexGrid(const HexGrid&) = delete;
    HexGrid& operator=(const HexGrid&) = delete;

    // --- Construction and reset ---
    void clearDerived();  // drops everything derived and the description data, keeps the hexagon list
    void clearAll();      // clearDerived, then the hexagon list too
    void setIdText(TextRef id) { id_.set(id); }
    const DynString& idText() const { return id_; }

    // --- Display parameters ---
    void setStepSize(int size);
    int stepSize() const { return stepSize_; }
    void setAngle(int degrees);
    int angle() const { return angle_; }
    DirectionSet& mainDirectionSet() { return directions_; }
    const DirectionSet& mainDirectionSet() const { return directions_; }

    // --- Derivation (each does nothing when already done) ---
    void deriveLists();
    void buildTouchingList();
    void buildPeerLines();
    void buildPeerTable();
    void buildCells();
    void buildHexagons();
    void computePositions();
    void buildOutlineLists();
    void buildCornerLists();
    // Everything the painting needs: lists, records, positions, the level's givens, the replayed
    // pending entries and the outline lists.
    void prepare();

    // --- Building from a description (entries in the cell-entry syntax) ---
    void setfromgrivecdef(const TextLines& description);
    // True when the entry is one the grid builds from: "X" and/or a cell mark around a point text,
    // nothing left over. Blanks around the entry are ignored.
    static bool isWellFormedEntry(TextRef entry);

    // --- Progress text ---
    DynString progressText() const;
    void applyProgress(TextRef text);
    void replayPendingEntries();
    // The program-wide queue of entries waiting for the next preparation ("v,cell,digit" lines).
    static TextLines& pendingEntries();

    // --- Counts and lookups ---
    int cellCount() const { return cellCount_; }
    int hexagonCount() const { return hexagonCount_; }
    int fullHexagonCount() const { return fullCount_; }
    int partialHexagonCount() const { return partialCount_; }
    int touchingHexagonCount() const { return touchingCount_; }
    int cellIndex(TextRef name) const;  // position in the cell list, case ignored; 0 when absent
    const char* cellName(int c) const { return cellList_.lineAt(c); }
    // Name of hexagon h (full ones first, then partial ones); null outside 1..H.
    const char* hexagonName(int h) const;
    // Cell number of cell k (0..5, in the order of the cells around a point) of hexagon h; 0 when
    // that cell is not in the grid or h is out of range.
    int hexagonCell(int h, int k) const;

    // --- Cells (c in 1..N; out-of-range numbers read as 0 and change nothing) ---
    int value(int c) const { return cell(c) ? cell(c)->value : 0; }
    void setValue(int c, int v);
    bool isEmpty(int c) const { return value(c) <= 0; }
    bool isFilled(int c) const { return value(c) > 0; }
    bool isGiven(int c) const { return cell(c) && cell(c)->given != 0; }
    void clearGiven(int c);
    int candidates(int c) const { return cell(c) ? cell(c)->candidates : 0; }
    void setCandidates(int c, int mask);
    bool allows(int c, int d) const { return (candidates(c) & digitBit(d)) != 0; }
    const std::int16_t& candidateStorage(int c) const;
    int marks(int c) const { return cell(c) ? cell(c)->marks : 0; }
    void setMarks(int c, int mask);
    void toggleMark(int c, int d);
    void clearMarks(int c);
    void clearAllMarks();
    bool hasAnyMarks() const;
    int x(int c) const { return cell(c) ? cell(c)->x : 0; }
    int y(int c) const { return cell(c) ? cell(c)->y : 0; }
    bool isAB(int c) const;
    int peer(int c, int i) const { return (i >= 0 && i < PeerTable::kMaxPeers) ? peers_.at(c, i) : 0; }
    int definitionDigit(int c) const { return cell(c) ? cell(c)->definitionDigit : 0; }
    int threshold(int c) const { return cell(c) ? cell(c)->threshold : 0; }
    int row(int c) const { return cell(c) ? cell(c)->row : 0; }
    int column(int c) const { return cell(c) ? cell(c)->column : 0; }
    int positionInRow(int c) const { return cell(c) ? cell(c)->positionInRow : 0; }
    const GridCell* cellRecord(int c) const { return cell(c); }
    const PeerTable& peerTable() const { return peers_; }

    // --- Hexagons (h in 1..H) ---
    int centreX(int h) const { return hexagon(h) ? hexagon(h)->centreX : 0; }
    int centreY(int h) const { return hexagon(h) ? hexagon(h)->centreY : 0; }

    // --- Rules and moves ---
    void recomputeCandidates();
    void assignDigit(int c, int d);
    bool isComplete() const;
    void returnToGivens();

    // --- Levels ---
    void setLevel(int level);
    void setLevelPercentage(int percentage);
    void applyLevelIfNeeded();
    LevelLabel levelLabel(int kind, bool named) const;
    int computeLevelOffset();
    // Whether thresholds of 120 are meaningful here; lowers a lone 120 to 100 (see the .cpp).
    bool hasLevel7Data();
    int levelOffset() const { return levelOffset_; }
    int requestedPercentage() const { return requestedPercentage_; }
    int effectivePercentage() const { return effectivePercentage_; }
    int appliedPercentage() const { return appliedPercentage_; }
    bool levelComputed() const { return levelComputed_; }
    int requestedLevel() const { return requestedLevel_; }
    int effectiveLevel() const { return effectiveLevel_; }
    int shownLevel() const { return shownLevel_; }

    // --- Layout and hit tests ---
    void computeTextLayout();
    int rowCount() const { return rowCount_; }
    int columnCount() const { return columnCount_; }
    DynString cellLabel(int c, bool fullForm, TextRef separator) const;
    void computeMarkOffsets(int layout);
    PixelPoint markOffset(bool ab, int d) const;
    PixelPoint markPosition(int c, int d) const;
    int cellAt(int x, int y);
    int markAt(int c, int x, int y);
    int hexagonAt(int x, int y);
    int hexagonOrPartialAt(int x, int y);
    int touchingHexagonAt(int x, int y);
    GridRect cellBounds();  // all zero for a grid without cells
    CellOutline cellOutline(int c) const;
    CellOutline cellOutlineOfName(TextRef name) const;

    // --- Lists ---
    const TextLines& hexagonList() const { return hexagonList_; }
    const TextLines& partialHexagonList() const { return partialList_; }
    const TextLines& cellList() const { return cellList_; }
    const TextLines& touchingList() const { return touchingList_; }
    const TextLines& peerLines() const { return peerLines_; }
    const TextLines& definitionValues() const { return definitionValues_; }
    const TextLines& innerOutlineList() const { return innerOutline_; }
    const TextLines& boundaryOutlineList() const { return boundaryOutline_; }
    const TextLines& gapList() const { return gapList_; }
    const TextLines& outerList() const { return outerList_; }

    // --- Validity flags ---
    bool listsDerived() const { return listsDerived_; }
    bool touchingListBuilt() const { return touchingBuilt_; }
    bool peerLinesBuilt() const { return peerLinesBuilt_; }
    bool peerTableBuilt() const { return peerTableBuilt_; }
    bool cellRecordsBuilt() const { return cellsBuilt_; }
    bool hexagonRecordsBuilt() const { return hexagonsBuilt_; }
    bool positionsComputed() const { return positionsComputed_; }
    bool outlineListsBuilt() const { return outlinesBuilt_; }
    bool cornerListsBuilt() const { return cornersBuilt_; }
    bool hasDefinitionValues() const { return hasDefinitionValues_; }
    bool definitionValuesLoaded() const { return definitionsLoaded_; }
    int allocatedHexagonCount() const { return allocatedHexagons_; }

private:
    GridCell* cell(int c) {
        return (c >= 0 && c < static_cast<int>(cells_.size())) ? &cells_[static_cast<size_t>(c)] : nullptr;
    }
    const GridCell* cell(int c) const {
        return (c >= 0 && c < static_cast<int>(cells_.size())) ? &cells_[static_cast<size_t>(c)] : nullptr;
    }
    const GridHexagon* hexagon(int h) const {
        return (h >= 0 && h < static_cast<int>(hexagons_.size())) ? &hexagons_[static_cast<size_t>(h)] : nullptr;
    }
    int cellNumberOf(const CellKey& key) const;
    int collectPeers(int c, std::int16_t out[PeerTable::kMaxPeers]) const;
    void reconfigureDirections();
    void clearPositions();
    PixelPoint pointPixel(LatticeKey p) const;
    void loadDefinitionValues();
    void applyCurrentLevel();
    void resetToGivens();
    bool breaksHexagonRule();
    void buildHitIndexes();

    DynString id_;
    std::vector<GridHexagon> hexagons_;
    std::vector<GridCell> cells_;
    PeerTable peers_;
    DirectionSet directions_;

    int fullCount_ = 0;
    int partialCount_ = 0;
    int hexagonCount_ = 0;
    int cellCount_ = 0;
    int touchingCount_ = 0;
    int stepSize_ = 40;
    int angle_ = 0;

    int requestedPercentage_ = 100;
    int effectivePercentage_ = 100;
    int appliedPercentage_ = 0;
    bool levelComputed_ = false;
    int levelOffset_ = 0;
    int requestedLevel_ = 6;
    int effectiveLevel_ = 6;
    int shownLevel_ = 6;

    int rowCount_ = 0;
    int columnCount_ = 0;
    std::array<PixelPoint, 6> markOffsetsAB_{};
    std::array<PixelPoint, 6> markOffsetsAF_{};

    TextLines hexagonList_;
    TextLines partialList_;
    TextLines cellList_;
    TextLines touchingList_;
    TextLines peerLines_;
    TextLines innerOutline_;
    TextLines boundaryOutline_;
    TextLines gapList_;
    TextLines outerList_;
    TextLines definitionValues_;

    bool listsDerived_ = false;
    bool touchingBuilt_ = false;
    bool peerLinesBuilt_ = false;
    bool peerTableBuilt_ = false;
    bool cellsBuilt_ = false;
    bool hexagonsBuilt_ = false;
    bool positionsComputed_ = false;
    bool outlinesBuilt_ = false;
    bool cornersBuilt_ = false;
    bool hasDefinitionValues_ = false;
    bool definitionsLoaded_ = false;
    int allocatedHexagons_ = 0;

    // Integer indexes behind the name lists, filled by deriveLists.
    std::vector<CellKey> cellKeys_;            // by cell number, entry 0 unused
    std::unordered_map<CellKey, int, CellKeyHash> cellByKey_;
    std::vector<LatticeKey> hexagonKeys_;      // by hexagon number, entry 0 unused
    std::vector<std::array<std::int16_t, 6>> hexagonCells_;  // by hexagon number
    std::vector<LatticeKey> touchingKeys_;     // by position in the touching list, entry 0 unused
    std::vector<std::array<std::int16_t, 6>> touchingCells_;  // cells of every touching hexagon, unsorted
    std::vector<std::array<int, 3>> cellHexagons_;            // by cell: its three slots in touchingCells_

    // Hit-test indexes, valid while the positions are.
    SpatialIndex cellHits_;
    SpatialIndex fullHits_;
    SpatialIndex partialHits_;
    SpatialIndex touchingHits_;

    // Serial number of this grid, to tell whose pending entries are queued.
    int serial_ = 0;
};

// The level table.
int levelPercentage(int level);   // 75, 80, 85, 90, 95, 100, 120 for 1..7; 75 otherwise
int levelOfPercentage(int percentage);  // the inverse; 1 for any other percentage
const char* levelName(int level, bool french);  // "xxx" outside 1..7

}  // namespace tamblo
