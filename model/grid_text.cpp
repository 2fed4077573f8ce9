// Building a grid from its description, and the progress text that pictures a game in progress.

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/text.h"
#include "geometry/cell_item.h"
#include "model/hex_grid.h"

namespace tamblo {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool isUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// "%", an optional "-", then at least one digit and nothing else.
bool isPercentageTail(std::string_view s) {
    if (s.empty() || s.front() != '%') return false;
    s.remove_prefix(1);
    if (!s.empty() && s.front() == '-') s.remove_prefix(1);
    if (s.empty()) return false;
    return std::all_of(s.begin(), s.end(), [](char c) { return isDigit(c); });
}

// Grid whose pending entries are queued; 0 when any grid may take them.
int& pendingOwner() {
    static int owner = 0;
    return owner;
}

}  // namespace

bool HexGrid::isWellFormedEntry(TextRef entry) {
    std::string text(trimmed(entry.view()));
    for (char& c : text) c = upperOf(c);
    std::string_view s = text;
    bool centre = false;
    if (!s.empty() && s.front() == 'X') {
        centre = true;
        s.remove_prefix(1);
    }
    size_t pointLength = 0;
    while (pointLength < s.size() && isHexDigit(s[pointLength])) ++pointLength;
    std::string_view point = s.substr(0, pointLength);
    // A point starts with a letter and has no "0": either would silently end the point early.
    if (!point.empty() && (isDigit(point.front()) || point.find('0') != std::string_view::npos)) return false;
    s.remove_prefix(pointLength);
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    bool cell = false;
    if (!s.empty() && (s.front() == 'W' || s.front() == 'V')) {
        if (s.size() < 3 || !isUpperLetter(s[1]) || !isUpperLetter(s[2])) return false;
        s.remove_prefix(3);
        cell = true;
    } else if (s.substr(0, 3) == ":AB" || s.substr(0, 3) == ":AF") {
        s.remove_prefix(3);
        cell = true;
    }
    if (!centre && !cell) return false;  // a bare point names nothing
    // The catalogue appends its percentage suffix to every field, so any form may carry one.
    return s.empty() || isPercentageTail(s);
}

void HexGrid::setfromgrivecdef(const TextLines& description) {
    clearAll();
    CellItem item;
    std::vector<std::pair<std::string, std::string>> definitions;  // cell name, "digit,percentage"
    for (const std::string& line : description.lines()) {
        if (!isWellFormedEntry(line)) continue;
        item.read(trimmed(line));
        if (item.hexagonCentre()) hexagonList_.append(item.centreText());
        if (item.cellMark()) {
            DynString name = item.cellText();
            cellList_.append(name);
            if (item.value() != 0) {
                // A later entry for the same cell replaces an earlier one.
                definitions.emplace_back(name.str(), intText(item.value()) + "," + intText(item.percentage()));
                hasDefinitionValues_ = true;
            }
        }
    }
    // deriveLists removes the duplicates and sorts both lists; it works on keys, so sorting the
    // texts here first would only repeat that work.
    // Key=value lines in order, as ordered insertion would leave them, without the quadratic walk;
    // the lines are upper case, so byte order is the lists' order.
    std::stable_sort(definitions.begin(), definitions.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < definitions.size(); ++i) {
        if (i + 1 < definitions.size() && definitions[i + 1].first == definitions[i].first) continue;
        definitionValues_.append(definitions[i].first + "=" + definitions[i].second);
    }
    deriveLists();
}

DynString HexGrid::progressText() const {
    std::string out;
    out.reserve(static_cast<size_t>(cellCount_));
    int run = 0;  // empty cells without marks not written yet
    auto flush = [&]() {
        out.append(static_cast<size_t>(run / 3), 'K');
        if (run % 3 == 2) out.push_back('H');
        if (run % 3 == 1) out.push_back('G');
        run = 0;
    };
    for (int c = 1; c <= cellCount_; ++c) {
        int v = value(c);
        int m = marks(c);
        if (v >= 1 && v <= 6) {
            flush();
            out.push_back(static_cast<char>('A' + v - 1));
        } else if (m == 0) {
            ++run;
        } else {
            flush();
            out.push_back(static_cast<char>('0' + m % 8));
            out.push_back(static_cast<char>('0' + m / 8));
        }
    }
    flush();
    DynString text;
    text.adopt(std::move(out));
    return text;
}

TextLines& HexGrid::pendingEntries() {
    static TextLines entries;
    return entries;
}

void HexGrid::resetToGivens() {
    for (int c = 1; c < static_cast<int>(cells_.size()); ++c) {
        GridCell& g = cells_[static_cast<size_t>(c)];
        if (g.given == 0) g.value = 0;
        g.candidates = 0;
        g.marks = 0;
    }
    pendingEntries().clear();
    pendingOwner() = 0;
}

void HexGrid::applyProgress(TextRef text) {
    buildCells();
    TextLines& pending = pendingEntries();
    pending.clear();
    pendingOwner() = serial_;
    std::string_view s = text.view();
    bool consistent = true;
    int i = 0;
    DynString entry;
    // One empty cell without marks; false once the text runs past the last cell.
    auto emptyCell = [&]() {
        if (++i > cellCount_) return false;
        GridCell& g = cells_[static_cast<size_t>(i)];
        if (g.given == 0) g.value = 0;
        g.marks = 0;
        return true;
    };
    size_t pos = 0;
    while (pos < s.size() && consistent) {
        char ch = upperOf(s[pos++]);
        if (ch == 'G') {
            consistent = emptyCell();
        } else if (ch == 'H') {
            consistent = emptyCell() && emptyCell();
        } else if (ch == 'K') {
            consistent = emptyCell() && emptyCell() && emptyCell();
        } else if (ch >= 'A' && ch <= 'F') {
            if (++i > cellCount_) {
                consistent = false;
                break;
            }
            int d = ch - 'A' + 1;
            GridCell& g = cells_[static_cast<size_t>(i)];
            if (g.given == 0) {
                entry.setNumbered("v,#,#", i, d);
                pending.append(entry);
                g.value = static_cast<std::int16_t>(d);
            } else if (g.value != d) {
                consistent = false;
            }
            g.marks = 0;
        } else if (ch >= '0' && ch <= '7') {
            // A pair cut short or with a second digit outside 0..7 is not a text of ours.
            if (pos >= s.size() || s[pos] < '0' || s[pos] > '7' || ++i > cellCount_) {
                consistent = false;
                break;
            }
            int mask = (ch - '0') + 8 * (s[pos++] - '0');
            GridCell& g = cells_[static_cast<size_t>(i)];
            g.marks = static_cast<std::int16_t>(mask);
            if (g.given == 0) g.value = 0;
        } else {
            consistent = false;  // a byte outside the format
        }
    }
    if (!consistent) resetToGivens();
}

void HexGrid::replayPendingEntries() {
    TextLines& pending = pendingEntries();
    if (pending.isEmpty()) return;
    // Entries applied to another grid wait for that grid.
    if (pendingOwner() != 0 && pendingOwner() != serial_) return;
    DynString line;
    DynString kind;
    bool replayed = false;
    while (pending.notEmpty()) {
        pending.popFront(line);
        kind.popItemUpper(line);
        int c = popInt(line);
        int n = popInt(line);
        if (!kind.equals("V") || c < 1 || c > cellCount_ || n < 0 || n > 6 || !cell(c)) continue;
        if (cell(c)->given == 0) {
            cell(c)->value = static_cast<std::int16_t>(n);
            replayed = true;
        }
    }
    pendingOwner() = 0;
    // Digits that two peers share cannot come from a game of this grid; keeping them would let
    // the grid be completed against the rule.
    if (replayed && breaksHexagonRule()) resetToGivens();
}

bool HexGrid::breaksHexagonRule() {
    buildPeerTable();
    for (int c = 1; c <= cellCount_; ++c) {
        const GridCell* g = cell(c);
        if (!g || g->given != 0 || g->value <= 0) continue;
        for (int i = 0; i < PeerTable::kMaxPeers; ++i) {
            int p = peers_.at(c, i);
            if (p > 0 && value(p) == g->value) return true;
        }
    }
    return false;
}

}  // namespace tamblo
