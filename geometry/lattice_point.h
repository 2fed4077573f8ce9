// Lattice points, cells and edges named by texts over the six direction letters A to F, their
// canonical forms, and the conversion of those names into pixel offsets.
//
// Directions: A (index 0) to F (index 5), 60 degrees apart and counter-clockwise with y up;
// with base angle 0, A points right and B up-right. A point text is a run of letters, each
// optionally followed by one digit 1-9 that repeats the step ("A3" is three steps A). A cell is a
// point followed by ":AB" (up triangle P, P+A, P+B) or ":AF" (down triangle P, P+A, P+F); an edge
// is a point followed by ":A", ":B" or ":C".
//
// Limits and bad input. Step counts saturate at 32767 per direction instead of wrapping (when
// read, and again when normalised), so a count is never negative. Reading a point stops at the first byte that is neither a letter A-F
// nor a digit 1-9 (lower-case letters, '0', ':', blanks and any other byte end it); a digit before
// the first letter has no direction to repeat and is ignored. The canonical forms of points beyond
// the model's limits (15 characters compact, 80 expanded) are still written in full, one letter per
// step, so they stay exact and comparable: a point of 40,000 steps A has a 32,767-letter expanded
// form. Pixel sums are formed in 32 bits and saturate to the 16-bit range.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/dyn_string.h"

namespace tamblo {

// Mode letters of the two canonical forms. Any mode other than 'C' or 'c' writes the expanded form.
inline constexpr char kCompactForm = 'C';
inline constexpr char kExpandedForm = 'D';

inline constexpr int kDirections = 6;
inline constexpr std::int16_t kMaxSteps = 32767;

enum class Orientation : std::uint8_t { AB, AF };

// Index 0..5 of a direction letter A-F (upper case only), -1 for any other byte.
constexpr int directionIndex(char c) { return (c >= 'A' && c <= 'F') ? c - 'A' : -1; }
constexpr char directionLetter(int k) { return static_cast<char>('A' + ((k % 6) + 6) % 6); }

// Pixel offsets of the six directions for one step size and base angle. C, D, E and F are derived
// from A and B, so the lattice relations (A+C = B, A+D = 0, ...) hold exactly in pixels and a
// point's pixel position does not change when it is normalised.
class DirectionTable {
public:
    // Size 30 and angle 0, not yet computed: every offset is 0 until a size or angle is set.
    DirectionTable() = default;

    // Each stores the value and recomputes at once, also when the value is unchanged. An odd size
    // is raised to the next even one (32767 becomes 32766, the largest even 16-bit size).
    void setSize(int size);
    void setAngle(int degrees);
    void setSizeAndAngle(int size, int degrees);

    int size() const { return size_; }
    int angle() const { return angle_; }
    bool computed() const { return computed_; }
    int x(int k) const { return (k >= 0 && k < kDirections) ? x_[k] : 0; }
    int y(int k) const { return (k >= 0 && k < kDirections) ? y_[k] : 0; }
    // Centroid of the cell of that orientation relative to its point.
    int centroidX(Orientation o) const { return o == Orientation::AB ? abX_ : afX_; }
    int centroidY(Orientation o) const { return o == Orientation::AB ? abY_ : afY_; }

private:
    void compute();

    std::int16_t size_ = 30;
    std::int16_t angle_ = 0;
    std::array<std::int16_t, kDirections> x_{};
    std::array<std::int16_t, kDirections> y_{};
    std::int16_t afX_ = 0, afY_ = 0, abX_ = 0, abY_ = 0;
    bool computed_ = false;
};

// A point as six step counts, with its own direction table for pixel positions. The most recently
// written canonical form is cached until the next read.
class LatticePoint {
public:
    LatticePoint() = default;

    // Sets the counts from a point text (stops at the first byte that is not part of a point).
    void read(TextRef text);
    // Cancels opposite steps and joins steps 120 degrees apart until at most two neighbouring
    // directions are left. Does nothing when already normalised.
    void normalise();

    // The canonical forms, normalising first. The reference stays valid until the next change of
    // this point; writing one form invalidates the cached other.
    const DynString& compactText();
    const DynString& expandedText();
    const DynString& text(char mode) { return (mode == 'C' || mode == 'c') ? compactText() : expandedText(); }

    int count(int k) const { return (k >= 0 && k < kDirections) ? counts_[k] : 0; }
    bool isRead() const { return read_; }
    bool isNormalised() const { return normalised_; }

    void setSize(int size) { table_.setSize(size); }
    void setAngle(int degrees) { table_.setAngle(degrees); }
    void setSizeAndAngle(int size, int degrees) { table_.setSizeAndAngle(size, degrees); }
    const DirectionTable& table() const { return table_; }

    // Sum of count[k] times the offset of direction k, over the counts as read (16-bit range).
    int pixelX() const;
    int pixelY() const;
    // Pixel position plus the centroid offset of the cell of that orientation.
    int cellCentroidX(Orientation o) const;
    int cellCentroidY(Orientation o) const;

private:
    std::array<std::int16_t, kDirections> counts_{};
    bool read_ = false;
    bool normalised_ = false;
    bool compactValid_ = false;
    bool expandedValid_ = false;
    DynString cache_;
    DirectionTable table_;
};

// Canonical cell name: an optional leading "X" (after blanks, any case) is kept in front as "X";
// the letters after the first ":" are sorted; the endings ":BC", ":CD", ":DE" and ":EF" become
// (P+C):AF, (P+D):AB, (P+D):AF and (P+E):AB; the point part is written in the chosen form and the
// part from the colon on is appended as it is. A text without a colon gives the canonical point
// (its "X" kept). Leading blanks are skipped. The model's inner loop: no heap work for short names.
DynString canonicalCell(char mode, TextRef text);
void canonicalCell(char mode, TextRef text, DynString& out);  // out may be the text itself

// Canonical edge name: the endings ":D", ":E" and ":F" become (P+D):A, (P+E):B and (P+F):C; the
// point part is written in the chosen form and the part from the colon on appended. Leading blanks
// are skipped; there is no "X" handling, so an "X" ends the point like any other byte.
DynString canonicalEdge(char mode, TextRef text);
void canonicalEdge(char mode, TextRef text, DynString& out);  // out may be the text itself

// Rotation of a name by 60 degrees: every letter A-F of either case becomes the next one in upper
// case (F wraps to A); every other byte stays.
char rotated60(char c);
void rotate60(DynString& text);
void rotate60(std::string& text);

// Reads the point text without normalising it and adds the counts of the listed directions
// ("AB" gives count[A] + count[B]); a letter listed twice counts twice. Saturates at 32767.
int letterSum(TextRef point, TextRef letters);

// The display directions of a grid: a base point whose table gives the six offsets, copied into
// a table of named entries.
class DirectionSet {
public:
    struct Entry {
        std::int16_t x = 0;
        std::int16_t y = 0;
        char name[4] = {};  // "A" .. "F"
    };

    DirectionSet();  // configured with radius 20

    // Sets the base point's size to the radius (raised to even) and derives the entries.
    void configure(int radius);
    // Sets the base point's angle and derives the entries.
    void setAngle(int degrees);

    int count() const { return n_; }
    int half() const { return n_ / 2; }
    int radius() const { return radius_; }
    float angle() const { return angle_; }
    bool derived() const { return derived_; }
    const Entry& entry(int k) const;  // a zero entry outside 0 .. count() - 1

    // Reads the text into the base point and returns its pixel x or y.
    int pixelX(TextRef text);
    int pixelY(TextRef text);

    LatticePoint& point() { return point_; }
    const LatticePoint& point() const { return point_; }
    const DirectionTable& table() const { return point_.table(); }

private:
    void derive();

    LatticePoint point_;
    int n_ = 0;
    std::int16_t radius_ = 0;
    float angle_ = 0.0f;
    bool derived_ = false;
    std::array<Entry, kDirections> entries_{};
};

// A pixel point of the drawing paths, y up.
struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The outlines of the six cells of the hexagon centred at (x0, y0) as one path of 19 points: for
// k = 0..5 the centre, centre + offset k and centre + offset k+1; then the centre again.
std::array<PixelPoint, 19> hexagonFan(const DirectionTable& table, int x0, int y0);
// Point k = (x0 + (x[k] + x[k+1]) / 3, y0 - (y[k] + y[k+1]) / 3): the cell centroids mirrored in
// the horizontal line through the centre.
std::array<PixelPoint, 6> centroidRing(const DirectionTable& table, int x0, int y0);

}  // namespace tamblo
