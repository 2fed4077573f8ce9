#include "foundation/dyn_string.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace tamblo {
namespace {

TEST(DynString, StartsEmptyAndNullCountsAsEmpty) {
    DynString s;
    EXPECT_STREQ(s.text(), "");
    s.set(nullptr, "a", nullptr);
    EXPECT_EQ(s, "a");
    s.clear();
    EXPECT_TRUE(s.isEmpty());
}

TEST(DynString, SetAndAppendWithItsOwnText) {
    DynString s(TextRef("ab"));
    s.set(s.text(), s.text());
    EXPECT_EQ(s, "abab");
    s.append(s.text());
    EXPECT_EQ(s, "abababab");
    s.set("x", s, "y");
    EXPECT_EQ(s, "xababababy");
}

TEST(DynString, BuildersRepeatNumberRangeAndPad) {
    DynString s;
    s.setRepeat(3, "ab");
    EXPECT_EQ(s, "ababab");
    s.setRepeat(-2, "ab");
    EXPECT_EQ(s, "");
    s.setNumbered("gv#=x", 12);
    EXPECT_EQ(s, "gv12=x");
    s.setNumbered("#-#-#", 4, -5);
    EXPECT_EQ(s, "4--5-#");
    s.setNumbered("none", 4);
    EXPECT_EQ(s, "none");
    s.setRange('a', 'd');
    EXPECT_EQ(s, "abcd");
    s.setRange('F', 'C');
    EXPECT_EQ(s, "FEDC");
    s.padRight(6);
    EXPECT_EQ(s, "FEDC  ");
    s.padRight(2);
    EXPECT_EQ(s, "FEDC  ");
}

TEST(DynString, PopItemWalksACommaList) {
    char buffer[] = " a , b,c,";
    DynString item;
    const char* expected[] = {"a", "b", "c", ""};
    for (const char* e : expected) {
        item.popItem(buffer);
        EXPECT_EQ(item, e);
    }
    EXPECT_STREQ(buffer, "");
    DynString list(TextRef("x, y"));
    item.popItemUpper(list);
    EXPECT_EQ(item, "X");
    EXPECT_EQ(list, "y");
    item.popItem(list);
    EXPECT_EQ(item, "y");
    EXPECT_TRUE(list.isEmpty());
}

TEST(DynString, TakeHeadRemovesFromTheBuffer) {
    char buffer[] = "abcdef";
    DynString head;
    head.takeHead(buffer, 4);
    EXPECT_EQ(head, "abcd");
    EXPECT_STREQ(buffer, "ef");
    head.takeHead(buffer, 10);
    EXPECT_EQ(head, "ef");
    EXPECT_STREQ(buffer, "");
    head.takeHead(buffer, 0);
    EXPECT_EQ(head, "");
}

TEST(DynString, PopIntReadsSignedPrefixes) {
    struct Case {
        const char* input;
        int value;
        const char* rest;
    };
    const Case cases[] = {
        {"-12x,5", -12, "5"}, {"x", 0, ""}, {" 42 ,", 42, ""}, {"", 0, ""}, {"-", 0, ""},
        {"99999999999999999999", 2147483647, ""}, {"-99999999999999999999", -2147483647 - 1, ""},
    };
    for (const auto& c : cases) {
        DynString buffer(TextRef(c.input));
        EXPECT_EQ(popInt(buffer), c.value) << c.input;
        EXPECT_EQ(buffer, c.rest) << c.input;
    }
}

TEST(DynString, ReplaceIgnoresCaseAndDoesNotRescan) {
    DynString s(TextRef("AbcabAB"));
    s.replaceAll("ab", "x");
    EXPECT_EQ(s, "xcxx");
    s.set("aaa");
    s.replaceAll("a", "aa");
    EXPECT_EQ(s, "aaaaaa");
    s.replaceAll("", "z");
    EXPECT_EQ(s, "aaaaaa");
    s.set("one ONE one");
    s.replaceFirst("one", "1");
    EXPECT_EQ(s, "1 ONE one");
    EXPECT_TRUE(s.equals("1 one ONE"));
}

TEST(NumberTexts, PaddedKeepsTheLastDigits) {
    EXPECT_EQ(intText(-305), "-305");
    EXPECT_EQ(intTextPadded(7, 2), "07");
    EXPECT_EQ(intTextPadded(2021, 2), "21");
    EXPECT_EQ(floatText(1.5), "1.500000");
    EXPECT_EQ(charText('z'), "z");
}

TEST(NumberTexts, EarlierResultsStayIntact) {
    // Each conversion owns its text: a kept result is never overwritten by later ones.
    std::string first = intText(12345678901 % 2000000000);
    for (int i = 0; i < 20; ++i) intText(i * 1111111);
    EXPECT_EQ(first, intText(12345678901 % 2000000000));
}

TEST(DynString, ReadLineAcceptsEveryLineEnd) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    const char bytes[] = "a\r\n\r\nb  \n\rc\rd\ne";
    std::fwrite(bytes, 1, std::strlen(bytes), f);
    std::rewind(f);
    DynString line;
    bool atEnd = false;
    const char* expected[] = {"a", "", "b", "c", "d", "e"};
    for (const char* e : expected) {
        line.readLine(f, atEnd);
        EXPECT_FALSE(atEnd);
        EXPECT_EQ(line, e);
    }
    line.readLine(f, atEnd);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(line, "");
    std::fclose(f);
}

TEST(DynString, ReadLineHasNoLengthLimit) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::string big(100000, 'x');
    std::fputs(big.c_str(), f);
    std::rewind(f);
    DynString line;
    bool atEnd = false;
    line.readLine(f, atEnd);
    EXPECT_EQ(line.length(), 100000);
    std::fclose(f);
}

}  // namespace
}  // namespace tamblo
