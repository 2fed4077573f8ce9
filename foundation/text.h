// Text primitives on plain character buffers, and the small helpers every subsystem shares.
// Buffers are NUL-terminated; the caller owns them and guarantees room where a text grows.
// Ignoring case always folds only a..z; every other byte compares as it is.
#pragma once

#include <cstdint>

#include "foundation/dyn_string.h"

namespace tamblo {

// New texts (owned).
DynString concatText(TextRef a, TextRef b, TextRef c = {});
DynString repeatChar(int n, char c);
DynString spaces(int n);

// Length and tests; a null text counts as "".
int textLength(const char* s);
bool isEmptyText(const char* s);
bool notEmptyText(const char* s);
char lastChar(const char* s);
char* endOf(char* s);

// Comparisons.
char upperOf(char c);
bool equalsNoCase(TextRef a, TextRef b);
bool startsWithNoCase(TextRef text, TextRef prefix);  // leading spaces of text skipped; "" matches
bool endsWithNoCase(TextRef text, TextRef suffix);    // "" never matches
// 0 when equal, 1 when a sorts after b, 2 when before (bytes compared unsigned after folding).
int compareNoCase(TextRef a, TextRef b);

// Searches: 1-based position, 0 when absent, when the needle is empty or longer than the text.
int find(TextRef text, TextRef needle);
int findNoCase(TextRef text, TextRef needle);
int findLast(TextRef text, TextRef needle);
bool contains(TextRef text, TextRef needle);
bool containsNoCase(TextRef text, TextRef needle);
int findChar(TextRef text, char c);

// Cut and pad, in place.
void dropFirst(char* s, int n);
void dropLast(char* s, int n);
void truncateText(char* s, int n);
void keepLast(char* s, int n);
void padWithSpaces(char* s, int n);
void trimLeft(char* s);
void trimRight(char* s);
void trim(char* s);
// Removes the leading spaces, the prefix and the spaces after it when the buffer starts with the
// prefix (ignoring case, after its leading spaces).
bool stripPrefix(char* s, TextRef prefix);

// Characters, in place.
void replaceChar(char* s, char from, char to);
void deleteChar(char* s, char c);
void translateChars(char* s, TextRef from, TextRef to);
void upperText(char* s);
void sortChars(char* s);  // ascending, bytes taken as signed
void reverseText(char* s);
void reverseRange(char* s, int from, int to);  // 1-based inclusive
void backslashesToSlashes(char* s);
void slashesToBackslashes(char* s);

// Drops the first n comma items, with their commas.
void dropItems(char* s, int n);
// Replaces up to maxCount occurrences (ignoring case); refuses when the replacement is longer.
int replaceInPlace(char* s, TextRef from, TextRef to, int maxCount);

// The shared small functions.
inline bool non(long v) { return v == 0; }
inline bool non(char c) { return c == '\0'; }
template <typename T>
constexpr T maxOf(T a, T b) { return a > b ? a : b; }
template <typename T>
constexpr T maxOf(T a, T b, T c) { return maxOf(maxOf(a, b), c); }
template <typename T>
constexpr T minOf(T a, T b) { return a < b ? a : b; }
constexpr bool between(long x, long lo, long hi) { return lo <= x && x <= hi; }
constexpr bool between(long x, long lo1, long hi1, long lo2, long hi2) {
    return between(x, lo1, hi1) || between(x, lo2, hi2);
}
constexpr long clamp(long x, long lo, long hi) { return x < lo ? lo : (x > hi ? hi : x); }
// Brings x into [lo, hi] by whole range widths; an empty range gives lo.
long wrapInto(long x, long lo, long hi);
constexpr long manhattan(long x1, long y1, long x2, long y2) {
    return (x1 > x2 ? x1 - x2 : x2 - x1) + (y1 > y2 ? y1 - y2 : y2 - y1);
}
float degToRad(float deg);
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isHexLetter(char c) { return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
constexpr bool isHexDigit(char c) { return isDigit(c) || isHexLetter(c); }
// True when c lies in one of the inclusive ranges given as consecutive pairs, e.g. "azAZ".
bool inRanges(char c, TextRef pairs);
// Bit k - 1 of value, for k = 1..6 (a digit of a digit mask); false otherwise.
constexpr bool bitOf(int k, int value) { return k >= 1 && k <= 6 && ((value >> (k - 1)) & 1) != 0; }

}  // namespace tamblo
