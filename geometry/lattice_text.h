// Internal helpers shared by the geometry sources: step counts read straight from texts and the
// canonical forms written into a caller's buffer, so the rewrites need no intermediate objects.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/lattice_point.h"

namespace tamblo::lattice {

using Counts = std::array<std::int16_t, kDirections>;

// Reads a point text into counts (all reset first). Returns how many bytes belong to the point.
std::size_t readCounts(std::string_view text, Counts& counts);
void normaliseCounts(Counts& counts);
// Appends the canonical form of normalised counts.
void appendForm(bool compact, const Counts& counts, std::string& out);
inline bool isCompact(char mode) { return mode == 'C' || mode == 'c'; }

// The rewrites into `out` (cleared first); `text` must not point into `out`.
void canonicalCellInto(char mode, std::string_view text, std::string& out);
void canonicalEdgeInto(char mode, std::string_view text, std::string& out);

}  // namespace tamblo::lattice
