#include "geometry/cell_item.h"

#include <algorithm>
#include <string>

#include "foundation/text.h"

namespace tamblo {

namespace {

bool isPointChar(char c) { return (c >= 'A' && c <= 'F') || isDigit(c); }

bool takePrefix(std::string_view& rest, std::string_view prefix) {
    if (rest.substr(0, prefix.size()) != prefix) return false;
    rest.remove_prefix(prefix.size());
    return true;
}

// Optional "-" then decimal digits, saturating to the 16-bit range.
std::int16_t readPercentage(std::string_view s) {
    std::size_t i = 0;
    bool negative = i < s.size() && s[i] == '-';
    if (negative) ++i;
    long v = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) v = std::min(v * 10 + (s[i] - '0'), 32768L);
    if (negative) v = -v;
    return static_cast<std::int16_t>(std::clamp(v, -32768L, 32767L));
}

}  // namespace

void CellItem::read(TextRef entry) {
    centre_ = false;
    cellMark_ = false;
    orientation_ = Orientation::AB;
    value_ = 0;
    percentage_ = 0;
    alternate_ = false;
    stateLetter_ = '\0';

    std::string upper(entry.view());
    for (char& c : upper) c = upperOf(c);
    std::string_view rest = upper;
    if (takePrefix(rest, "X")) centre_ = true;

    std::size_t n = 0;
    while (n < rest.size() && isPointChar(rest[n])) ++n;
    pointText_.set(rest.substr(0, n));
    point_.read(pointText_);
    rest.remove_prefix(n);

    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    if (takePrefix(rest, "W")) {
        cellMark_ = true;
        orientation_ = Orientation::AB;
    } else if (takePrefix(rest, "V")) {
        cellMark_ = true;
        orientation_ = Orientation::AF;
    } else {
        if (takePrefix(rest, ":AB")) {
            cellMark_ = true;
            orientation_ = Orientation::AB;
        } else if (takePrefix(rest, ":AF")) {
            cellMark_ = true;
            orientation_ = Orientation::AF;
        }
        return;
    }

    // The value letter and the state letter are consumed whatever they are.
    if (!rest.empty()) {
        char v = rest.front();
        if (v >= 'P' && v <= 'U') {
            value_ = static_cast<std::int16_t>(v - 'P' + 1);
        } else if (v >= 'J' && v <= 'O') {
            value_ = static_cast<std::int16_t>(v - 'J' + 1);
            alternate_ = true;
        }
        rest.remove_prefix(1);
    }
    if (!rest.empty()) {
        stateLetter_ = rest.front();
        rest.remove_prefix(1);
    }
    if (takePrefix(rest, "%")) percentage_ = readPercentage(rest);
}

DynString CellItem::centreText() {
    if (!centre_) return DynString();
    return DynString(point_.expandedText());
}

DynString CellItem::cellText() {
    if (!cellMark_) return DynString();
    DynString out(point_.expandedText());
    out.append(orientation_ == Orientation::AB ? ":AB" : ":AF");
    return out;
}

}  // namespace tamblo
