#include "foundation/text_lines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tamblo {
namespace {

std::vector<std::string> linesOf(const TextLines& t) { return t.lines(); }

TEST(TextLines, PositionsOutOfRangeAreIgnored) {
    TextLines t;
    t.append("a");
    EXPECT_EQ(t.lineAt(0), nullptr);
    EXPECT_EQ(t.lineAt(2), nullptr);
    t.replaceLine(2, "x");
    t.removeLine(0);
    TextLines other;
    t.moveLineTo(5, other);
    EXPECT_EQ(linesOf(t), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(other.isEmpty());
}

TEST(TextLines, OrderedInsertionPutsTheNewestOfEqualLinesFirst) {
    TextLines t;
    for (const char* s : {"b", "A", "a", "c"}) t.insertOrdered(s);
    EXPECT_EQ(linesOf(t), (std::vector<std::string>{"a", "A", "b", "c"}));
    EXPECT_FALSE(t.insertOrderedIfAbsent("B"));
    EXPECT_TRUE(t.insertOrderedIfAbsent("bb"));
    EXPECT_EQ(t.indexOf("BB"), 4);
}

TEST(TextLines, SortReversesEqualLinesAndUniqueKeepsTheFirst) {
    TextLines t;
    for (const char* s : {"b", "x1", "a", "X1", "B"}) t.append(s);
    t.sort();
    EXPECT_EQ(linesOf(t), (std::vector<std::string>{"a", "B", "b", "X1", "x1"}));
    t.sortUnique();
    EXPECT_EQ(linesOf(t), (std::vector<std::string>{"a", "b", "x1"}));
}

TEST(TextLines, KeyValueAccess) {
    TextLines t;
    t.append("gri=3");
    t.append("ver=5");
    t.setValue("lng", "2");
    EXPECT_EQ(linesOf(t), (std::vector<std::string>{"gri=3", "lng=2", "ver=5"}));
    t.setValue("LNG", "1");
    EXPECT_EQ(linesOf(t), (std::vector<std::string>{"gri=3", "LNG=1", "ver=5"}));
    EXPECT_EQ(t.getInt("lng"), 1);

    TextLines k;
    k.append("topx=1");
    EXPECT_EQ(k.findKey("top"), 0);
    k.append("  TOP=  12 ");
    EXPECT_EQ(k.findKey("top"), 2);
    DynString v;
    EXPECT_EQ(k.getValue("top", v), 2);
    EXPECT_EQ(v, "12 ");
    EXPECT_EQ(k.getInt("top"), 12);
    EXPECT_EQ(k.getValue("absent", v), 0);
    EXPECT_EQ(v, "");
    EXPECT_EQ(k.getInt("absent"), 0);
}

TEST(TextLines, SplitLineAtTheFirstEquals) {
    TextLines t;
    t.append("a=b=c");
    t.append("abc");
    DynString key, value;
    t.splitLine(1, key, value);
    EXPECT_EQ(key, "a");
    EXPECT_EQ(value, "b=c");
    t.splitLine(2, key, value);
    EXPECT_EQ(key, "");
    EXPECT_EQ(value, "");
}

TEST(TextLines, MovesCopiesAndDrains) {
    TextLines a, b;
    a.append("a");
    a.append("b");
    b.append("z");
    b.appendCopiesOf(a);
    b.moveAllFrom(a);
    EXPECT_TRUE(a.isEmpty());
    EXPECT_EQ(linesOf(b), (std::vector<std::string>{"z", "a", "b", "a", "b"}));
    b.moveLineTo(1, a);
    EXPECT_EQ(linesOf(a), (std::vector<std::string>{"z"}));
    b.appendCopiesOf(b);
    EXPECT_EQ(b.count(), 8);
    DynString front;
    b.popFront(front);
    EXPECT_EQ(front, "a");
    TextLines c;
    c.append("a");
    c.append("b");
    DynString out;
    c.drainToCommaText(out);
    EXPECT_EQ(out, "a,b,");
    EXPECT_TRUE(c.isEmpty());
    c.popFront(front);
    EXPECT_EQ(front, "");
}

class TextLinesFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tamblo-lines-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }
    static std::string bytesOf(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::filesystem::path dir_;
};

TEST_F(TextLinesFile, LoadDropsBlankLinesAndKeepsWhatWasThere) {
    std::ofstream(path("in.txt"), std::ios::binary) << "x\r\n   \r\n\r\ny  \r\n";
    TextLines t;
    t.append("first");
    t.load(path("in.txt").c_str());
    EXPECT_EQ(linesOf(t), (std::vector<std::string>{"first", "x", "y"}));
    t.load(path("missing.txt").c_str());
    EXPECT_EQ(t.count(), 3);
}

TEST_F(TextLinesFile, SaveWritesCrLfAndRoundTrips) {
    TextLines t;
    for (const char* s : {"a=1", "b  ", "   ", "c"}) t.append(s);
    ASSERT_TRUE(t.save(path("out.txt").c_str()));
    EXPECT_EQ(bytesOf(path("out.txt")), "a=1\r\nb  \r\n   \r\nc\r\n");
    TextLines back;
    back.load(path("out.txt").c_str());
    EXPECT_EQ(linesOf(back), (std::vector<std::string>{"a=1", "b", "c"}));
    EXPECT_FALSE(std::filesystem::exists(path("out.txt.new")));
}

TEST_F(TextLinesFile, FailedSaveKeepsThePreviousFile) {
    std::ofstream(path("keep.txt"), std::ios::binary) << "old\r\n";
    // A directory where the new file would go makes the write fail before the old file is touched.
    std::filesystem::create_directory(path("keep.txt.new"));
    TextLines t;
    t.append("new");
    EXPECT_FALSE(t.save(path("keep.txt").c_str()));
    EXPECT_EQ(bytesOf(path("keep.txt")), "old\r\n");
    EXPECT_FALSE(t.save((dir_ / "no-such-dir" / "x.txt").string().c_str()));
    EXPECT_FALSE(t.save(""));
}

TEST_F(TextLinesFile, BinaryGarbageLoadsWithoutLoss) {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes.push_back(static_cast<char>((i * 131 + 7) % 256));
    std::ofstream(path("junk.bin"), std::ios::binary) << bytes;
    TextLines t;
    t.load(path("junk.bin").c_str());
    size_t kept = 0;
    for (const auto& line : t.lines()) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
        EXPECT_NE(line.find_first_not_of(' '), std::string::npos);
        kept += line.size();
    }
    EXPECT_GT(kept, 4000u);
}

}  // namespace
}  // namespace tamblo
