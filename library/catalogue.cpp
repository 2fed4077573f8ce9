#include "library/catalogue.h"

#include <string>
#include <string_view>
#include <utility>

#include "library/catalogue_data.h"
#include "model/hex_grid.h"
#include "platform/unscramble.h"

namespace tamblo {

namespace {

constexpr std::size_t kSuffixLimit = 15;

BuiltInCatalogue::GridRegistry& registry() {
    static BuiltInCatalogue::GridRegistry r;
    return r;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

const StoredPuzzle* puzzleAt(int order) {
    return (order >= 1 && order <= storedPuzzleCount()) ? &storedPuzzles()[order - 1] : nullptr;
}

}  // namespace

BuiltInCatalogue::BuiltInCatalogue() { slotList_.adopt(unscramble(storedSlotList())); }

int BuiltInCatalogue::count() const { return storedPuzzleCount(); }

const char* BuiltInCatalogue::idAt(int order) const {
    const StoredPuzzle* p = puzzleAt(order);
    return p ? p->id : "";
}

int BuiltInCatalogue::levelAt(int order) const {
    const StoredPuzzle* p = puzzleAt(order);
    return p ? p->level : 0;
}

bool BuiltInCatalogue::idsMatch(TextRef a, TextRef b) { return sameIgnoringCase(a.view(), b.view()); }

bool BuiltInCatalogue::lookUp(TextRef id, int& level) {
    lines_.clear();
    level = 0;
    for (int i = 1; i <= count(); ++i) {
        const StoredPuzzle* p = puzzleAt(i);
        if (!sameIgnoringCase(id.view(), p->id)) continue;
        level = p->level;
        for (int k = 0; k < p->lineCount; ++k) lines_.append(unscramble(p->lines[k]));
        return true;
    }
    return false;
}

void BuiltInCatalogue::appendEntries(const TextLines& bodyLines, TextLines& description) {
    for (const std::string& line : bodyLines.lines()) {
        std::string suffix;
        std::string_view rest = line;
        while (true) {
            std::size_t comma = rest.find(',');
            std::string_view field = trimmed(rest.substr(0, comma));
            if (field == "%0") {
                suffix.clear();
            } else if (!field.empty() && field.front() == '%') {
                suffix.assign(field.substr(0, kSuffixLimit));
            } else if (!field.empty() && field.front() != '#') {
                description.append(std::string(field) + suffix);
            }
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
    }
}

bool BuiltInCatalogue::loadIntoGrid(HexGrid& grid, TextLines& description, TextRef id,
                                    const GridDisplaySettings& display) {
    int level = 0;
    bool found = lookUp(id, level);
    if (found) {
        description.clear();
        grid.setIdText(id);
        appendEntries(lines_, description);
        // Built every time: a grid that shows another puzzle, or the same one played on, must
        // never keep stale lists because some other grid loaded this id before.
        grid.setfromgrivecdef(description);
        grid.setLevelPercentage(display.levelPercentage);
        grid.setAngle(display.angle);
        grid.setStepSize(display.stepSize);
        if (level > 0) grid.setLevel(level);
        if (!grid.cellRecordsBuilt()) grid.buildCells();
        if (!grid.peerTableBuilt()) grid.buildPeerTable();
        grid.recomputeCandidates();
    }
    lines_.clear();
    return found;
}

bool BuiltInCatalogue::loadIntoGrid(HexGrid& grid, TextLines& description, TextRef id) {
    GridDisplaySettings display;
    display.angle = grid.angle();
    display.stepSize = grid.stepSize();
    return loadIntoGrid(grid, description, id, display);
}

bool BuiltInCatalogue::loadIntoGrid(int gridIndex, TextRef id) {
    GridBinding binding;
    if (!registry() || !registry()(gridIndex, binding) || !binding.grid || !binding.description) {
        lines_.clear();
        return false;
    }
    return loadIntoGrid(*binding.grid, *binding.description, id, binding.display);
}

void BuiltInCatalogue::setGridRegistry(GridRegistry r) { registry() = std::move(r); }

DynString BuiltInCatalogue::slotId(int slot) const {
    if (slot < 1) return DynString();
    std::string_view rest = slotList_.view();
    for (int s = 1; s < slot; ++s) {
        std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) return DynString();
        rest.remove_prefix(comma + 1);
    }
    return DynString(trimmed(rest.substr(0, rest.find(','))));
}

}  // namespace tamblo
