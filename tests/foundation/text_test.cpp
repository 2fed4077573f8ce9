#include "foundation/text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tamblo {
namespace {

TEST(TextCompare, CaseFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(equalsNoCase("abC", "ABc"));
    EXPECT_FALSE(equalsNoCase("\xe9", "\xc9"));  // accented letters compare as bytes
    EXPECT_EQ(compareNoCase("abc", "ABC"), 0);
    EXPECT_EQ(compareNoCase("b", "A"), 1);
    EXPECT_EQ(compareNoCase("a", "B"), 2);
    EXPECT_EQ(compareNoCase("ab", "a"), 1);
    EXPECT_EQ(compareNoCase("", "a"), 2);
    EXPECT_EQ(compareNoCase("\xe9", "z"), 1);  // unsigned bytes
    EXPECT_TRUE(startsWithNoCase("  KEY=1", "key="));
    EXPECT_TRUE(startsWithNoCase("abc", ""));
    EXPECT_FALSE(startsWithNoCase("ab", "abc"));
    EXPECT_TRUE(endsWithNoCase("file.TXT", ".txt"));
    EXPECT_FALSE(endsWithNoCase("file", ""));
}

TEST(TextSearch, PositionsAreOneBased) {
    EXPECT_EQ(find("abcabc", "c"), 3);
    EXPECT_EQ(find("abc", "C"), 0);
    EXPECT_EQ(findNoCase("abc", "C"), 3);
    EXPECT_EQ(find("abc", ""), 0);
    EXPECT_EQ(find("ab", "abc"), 0);
    EXPECT_EQ(findLast("c:/a/b.txt", "/"), 5);
    EXPECT_EQ(findChar("hello", 'l'), 3);
    EXPECT_EQ(findChar("hello", 'z'), 0);
    EXPECT_TRUE(containsNoCase("Hello", "LL"));
    EXPECT_FALSE(contains("Hello", "LL"));
}

TEST(TextBuffers, CutPadAndTrim) {
    char b[32];
    std::strcpy(b, "abcdef");
    dropFirst(b, 2);
    EXPECT_STREQ(b, "cdef");
    dropLast(b, 1);
    EXPECT_STREQ(b, "cde");
    dropLast(b, 9);
    EXPECT_STREQ(b, "");
    std::strcpy(b, "abcdef");
    keepLast(b, 2);
    EXPECT_STREQ(b, "ef");
    truncateText(b, 1);
    EXPECT_STREQ(b, "e");
    padWithSpaces(b, 3);
    EXPECT_STREQ(b, "e  ");
    std::strcpy(b, "  x y  ");
    trim(b);
    EXPECT_STREQ(b, "x y");
    std::strcpy(b, "  KEY= 12");
    EXPECT_TRUE(stripPrefix(b, "key="));
    EXPECT_STREQ(b, "12");
    EXPECT_FALSE(stripPrefix(b, "key="));
    EXPECT_STREQ(b, "12");
}

TEST(TextBuffers, CharacterOperations) {
    char b[32];
    std::strcpy(b, "a-b-c");
    replaceChar(b, '-', '+');
    EXPECT_STREQ(b, "a+b+c");
    deleteChar(b, '+');
    EXPECT_STREQ(b, "abc");
    translateChars(b, "abz", "XY");
    EXPECT_STREQ(b, "XYc");
    upperText(b);
    EXPECT_STREQ(b, "XYC");
    std::strcpy(b, "dbca\xe9");
    sortChars(b);
    EXPECT_STREQ(b, "\xe9" "abcd");  // bytes sort as signed
    reverseText(b);
    EXPECT_STREQ(b, "dcba\xe9");
    reverseRange(b, 2, 4);
    EXPECT_STREQ(b, "dabc\xe9");
    reverseRange(b, 4, 99);
    EXPECT_STREQ(b, "dab\xe9" "c");
    std::strcpy(b, "a\\b/c");
    backslashesToSlashes(b);
    EXPECT_STREQ(b, "a/b/c");
    slashesToBackslashes(b);
    EXPECT_STREQ(b, "a\\b\\c");
}

TEST(TextBuffers, ItemsAndReplacement) {
    char b[32];
    std::strcpy(b, "a, b,c");
    dropItems(b, 2);
    EXPECT_STREQ(b, "c");
    std::strcpy(b, "xAbxaBx");
    EXPECT_EQ(replaceInPlace(b, "ab", "-", 5), 2);
    EXPECT_STREQ(b, "x-x-x");
    std::strcpy(b, "aaa");
    EXPECT_EQ(replaceInPlace(b, "a", "bb", 5), 0);  // would grow: refused
    EXPECT_STREQ(b, "aaa");
    EXPECT_EQ(replaceInPlace(b, "a", "b", 2), 2);
    EXPECT_STREQ(b, "bba");
}

TEST(SmallFunctions, RangesAndBits) {
    EXPECT_TRUE(non(0L));
    EXPECT_TRUE(non('\0'));
    EXPECT_EQ(maxOf(3, 9, 4), 9);
    EXPECT_EQ(minOf(3, -9), -9);
    EXPECT_TRUE(between(5, 1, 5));
    EXPECT_TRUE(between(8, 1, 5, 7, 9));
    EXPECT_FALSE(between(6, 1, 5, 7, 9));
    EXPECT_EQ(clamp(12, 40, 70), 40);
    EXPECT_EQ(clamp(90, 40, 70), 70);
    struct Wrap {
        long x, lo, hi, want;
    };
    for (const Wrap& w : {Wrap{7, 1, 6, 1}, Wrap{0, 1, 6, 6}, Wrap{-13, 1, 6, 5}, Wrap{3, 1, 6, 3}, Wrap{5, 4, 2, 4}})
        EXPECT_EQ(wrapInto(w.x, w.lo, w.hi), w.want) << w.x;
    EXPECT_EQ(manhattan(1, 2, -3, 5), 7);
    EXPECT_FLOAT_EQ(degToRad(180.0f), 3.14159265f);
    EXPECT_TRUE(isHexDigit('f'));
    EXPECT_FALSE(isHexLetter('9'));
    EXPECT_TRUE(inRanges('q', "09az"));
    EXPECT_FALSE(inRanges('Q', "09az"));
    EXPECT_TRUE(bitOf(1, 1));
    EXPECT_TRUE(bitOf(6, 32));
    EXPECT_FALSE(bitOf(7, 64));
    EXPECT_FALSE(bitOf(0, 63));
}

}  // namespace
}  // namespace tamblo
