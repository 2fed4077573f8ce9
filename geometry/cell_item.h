// One parsed entry of a grid description: an optional hexagon-centre mark "X", a point text, and
// optionally a cell mark, either "W" (AB) or "V" (AF) followed by a value letter, a state letter
// and an optional "%" percentage, or ":AB" / ":AF". Texts are folded to upper case first.
#pragma once

#include <cstdint>

#include "foundation/dyn_string.h"
#include "geometry/lattice_point.h"

namespace tamblo {

class CellItem {
public:
    // Parses the entry; every field is reset first, so an item can be reused.
    void read(TextRef entry);

    bool hexagonCentre() const { return centre_; }
    bool cellMark() const { return cellMark_; }
    Orientation orientation() const { return orientation_; }  // meaningful with the cell mark
    int value() const { return value_; }                      // 1..6, 0 when absent
    int percentage() const { return percentage_; }            // 0 when absent; saturates to 16 bits
    // True for the value letters J..O (P..U give the same values); read and otherwise unused.
    bool alternate() const { return alternate_; }
    char stateLetter() const { return stateLetter_; }         // the skipped letter, NUL when absent
    const DynString& pointText() const { return pointText_; }  // as read, upper case
    LatticePoint& point() { return point_; }

    // The point's expanded form when the hexagon-centre mark is set, else "".
    DynString centreText();
    // The point's expanded form followed by ":AB" or ":AF" when the cell mark is set, else "".
    DynString cellText();

private:
    bool centre_ = false;
    bool cellMark_ = false;
    Orientation orientation_ = Orientation::AB;
    std::int16_t value_ = 0;
    std::int16_t percentage_ = 0;
    bool alternate_ = false;
    char stateLetter_ = '\0';
    DynString pointText_;
    LatticePoint point_;
};

}  // namespace tamblo
