// Texts stored scrambled in the program and made readable where they are used.
//
// Sources keep the readable text and wrap it in `scrambled("...")`, which is evaluated by the
// compiler: only the scrambled bytes reach the executable, and `unscramble` turns them back.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace tamblo {

namespace scrambling {

// Printable ASCII (32..126) is permuted by an affine map; every other byte (controls, UTF-8
// sequences of accented letters) passes through unchanged, so no NUL ever appears.
inline constexpr int kFirst = 32;
inline constexpr int kSpan = 95;
inline constexpr int kFactor = 37;   // coprime with 95
inline constexpr int kShift = 58;
inline constexpr int kInverse = 18;  // 37 * 18 = 666 = 7 * 95 + 1

constexpr unsigned char substitute(unsigned char c) {
    if (c < kFirst || c >= kFirst + kSpan) return c;
    return static_cast<unsigned char>(kFirst + ((c - kFirst) * kFactor + kShift) % kSpan);
}

constexpr unsigned char restore(unsigned char c) {
    if (c < kFirst || c >= kFirst + kSpan) return c;
    return static_cast<unsigned char>(kFirst + (((c - kFirst) - kShift + kSpan) * kInverse) % kSpan);
}

}  // namespace scrambling

// A scrambled text of N - 1 bytes and its NUL, as the compiler produced it.
template <std::size_t N>
struct ScrambledText {
    std::array<char, N> bytes{};
    constexpr const char* c_str() const { return bytes.data(); }
    constexpr operator const char*() const { return bytes.data(); }  // NOLINT: passed straight to unscramble
};

// The inverse of unscramble: gather the spread characters, reverse both halves, then undo the
// substitution.
template <std::size_t N>
consteval ScrambledText<N> scrambled(const char (&readable)[N]) {
    constexpr std::size_t L = N - 1;
    std::array<char, N> spread{};
    for (std::size_t i = 0; i < N; ++i) spread[i] = readable[i];
    std::array<char, N> gathered{};
    if (L >= 2) {
        std::size_t k = 0;
        for (std::size_t p = 1; p < L; p += 2) gathered[k++] = spread[p];
        for (std::size_t p = 0; p < L; p += 2) gathered[k++] = spread[p];
    } else {
        gathered = spread;
    }
    if (L >= 3) {
        std::size_t h = L / 2;
        for (std::size_t i = 0, j = h - 1; i < j; ++i, --j) {
            char t = gathered[i];
            gathered[i] = gathered[j];
            gathered[j] = t;
        }
        for (std::size_t i = h, j = L - 1; i < j; ++i, --j) {
            char t = gathered[i];
            gathered[i] = gathered[j];
            gathered[j] = t;
        }
    }
    ScrambledText<N> out;
    for (std::size_t i = 0; i < L; ++i)
        out.bytes[i] = static_cast<char>(scrambling::restore(static_cast<unsigned char>(gathered[i])));
    out.bytes[L] = '\0';
    return out;
}

// Substitutes every byte, reverses both halves of the text, then spreads its characters over
// the odd positions first and the even ones after. The whole text comes back, however long.
std::string unscramble(const char* scrambledText);

}  // namespace tamblo
