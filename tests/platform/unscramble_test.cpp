#include "platform/unscramble.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tamblo {
namespace {

TEST(Unscramble, ShortTextsFollowTheSteps) {
    // One character: substitution only. Two: substitution, then the pair exchanged.
    char one[2] = {static_cast<char>(scrambling::restore('Q')), 0};
    EXPECT_EQ(unscramble(one), "Q");
    char two[3] = {static_cast<char>(scrambling::restore('b')), static_cast<char>(scrambling::restore('a')), 0};
    EXPECT_EQ(unscramble(two), "ab");
    EXPECT_EQ(unscramble(""), "");
    EXPECT_EQ(unscramble(nullptr), "");
}

TEST(Unscramble, ThreeStepsOnAKnownText) {
    // Substituted "abcdefg": halves reversed to "cba" "gfed", then spread over odd positions
    // first: c.b.a. then g f e d on the even ones.
    std::string raw = "abcdefg";
    std::string stored;
    for (char c : raw) stored.push_back(static_cast<char>(scrambling::restore(static_cast<unsigned char>(c))));
    EXPECT_EQ(unscramble(stored.c_str()), "gcfbead");
}

TEST(Unscramble, CompileTimeScramblingRoundTrips) {
    constexpr auto title = scrambled("Tamblo, le jeu des hexagones");
    EXPECT_NE(std::string(title.c_str()), "Tamblo, le jeu des hexagones");
    EXPECT_EQ(unscramble(title), "Tamblo, le jeu des hexagones");
    EXPECT_EQ(unscramble(scrambled("x")), "x");
    EXPECT_EQ(unscramble(scrambled("xy")), "xy");
    EXPECT_EQ(unscramble(scrambled("")), "");
    EXPECT_EQ(unscramble(scrambled("Grille terminée : bravo ! ~{}|\\\"'")), "Grille terminée : bravo ! ~{}|\\\"'");
}

TEST(Unscramble, LongTextsComeBackWhole) {
    // Far beyond the 151 characters a fixed result buffer would hold.
#define LONG_BODY "X,%100,WJA,DVMA,VOA,%90,CVKA,%75,DWLA,%80,EWNA,X,%100,WJA,DVMA,VOA,%90,CVKA,%75,DWLA,%80,EWNA," \
                  "X,%100,WJA,DVMA,VOA,%90,CVKA,%75,DWLA,%80,EWNA,X,%100,WJA,DVMA,VOA,%90,CVKA,%75,DWLA,%80,EWNA"
    constexpr auto body = scrambled(LONG_BODY);
    std::string out = unscramble(body);
    EXPECT_EQ(out.size(), std::strlen(LONG_BODY));
    EXPECT_GT(out.size(), 151u);
    EXPECT_EQ(out, LONG_BODY);
#undef LONG_BODY
}

TEST(Unscramble, SubstitutionIsABijectionThatSparesNonPrintables) {
    bool seen[256] = {};
    for (int c = 0; c < 256; ++c) {
        unsigned char s = scrambling::substitute(static_cast<unsigned char>(c));
        EXPECT_FALSE(seen[s]) << c;
        seen[s] = true;
        EXPECT_EQ(scrambling::restore(s), c);
        if (c < 32 || c > 126) {
            EXPECT_EQ(s, c);
        }
    }
}

}  // namespace
}  // namespace tamblo
