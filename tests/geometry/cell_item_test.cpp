#include "geometry/cell_item.h"

#include <gtest/gtest.h>

#include <string>

namespace tamblo {
namespace {

struct EntryCase {
    const char* entry;
    bool centre;
    bool cell;
    Orientation orientation;
    int value;
    int percentage;
    const char* pointText;
    const char* centreText;
    const char* cellText;
};

TEST(CellItem, ReadsGridDescriptionEntries) {
    const auto AB = Orientation::AB;
    const auto AF = Orientation::AF;
    const EntryCase cases[] = {
        {"XA2BWPJ", true, true, AB, 1, 0, "A2B", "AAB", "AAB:AB"},
        {"A2BWJK%60", false, true, AB, 1, 60, "A2B", "", "AAB:AB"},
        {"A2B:AF", false, true, AF, 0, 0, "A2B", "", "AAB:AF"},
        {"XA2B", true, false, AB, 0, 0, "A2B", "AAB", ""},
        {"xa2bvq", true, true, AF, 2, 0, "A2B", "AAB", "AAB:AF"},  // folded to upper case
        {"ACVUZ%-7", false, true, AF, 6, -7, "AC", "", "B:AF"},
        {"BWOA", false, true, AB, 6, 0, "B", "", "B:AB"},
        {"W", false, true, AB, 0, 0, "", "", ":AB"},
        {"AWZZ%5", false, true, AB, 0, 5, "A", "", "A:AB"},  // Z is no value letter
        {"AWP", false, true, AB, 1, 0, "A", "", "A:AB"},     // no state letter
        {"AW", false, true, AB, 0, 0, "A", "", "A:AB"},
        {"AB :AB", false, true, AB, 0, 0, "AB", "", "AB:AB"},  // blanks before the mark
        {"A0B:AF", false, true, AF, 0, 0, "A0B", "", "A:AF"},  // the '0' ends the point itself
        {"AB:BC", false, false, AB, 0, 0, "AB", "", ""},        // not one of the cell marks
        {"XAWPJ%99999", true, true, AB, 1, 32767, "A", "A", "A:AB"},
        {"", false, false, AB, 0, 0, "", "", ""},
        {"X", true, false, AB, 0, 0, "", "", ""},
        {"Q%12", false, false, AB, 0, 0, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        CellItem item;
        item.read(c.entry);
        EXPECT_EQ(item.hexagonCentre(), c.centre);
        EXPECT_EQ(item.cellMark(), c.cell);
        if (c.cell) {
            EXPECT_EQ(item.orientation(), c.orientation);
        }
        EXPECT_EQ(item.value(), c.value);
        EXPECT_EQ(item.percentage(), c.percentage);
        EXPECT_EQ(item.pointText().str(), c.pointText);
        EXPECT_EQ(item.centreText().str(), c.centreText);
        EXPECT_EQ(item.cellText().str(), c.cellText);
    }
}

TEST(CellItem, ValueLettersAndStateLetter) {
    CellItem item;
    for (int v = 1; v <= 6; ++v) {
        item.read(std::string("AW") + static_cast<char>('P' + v - 1) + "S");
        EXPECT_EQ(item.value(), v);
        EXPECT_FALSE(item.alternate());
        EXPECT_EQ(item.stateLetter(), 'S');
        item.read(std::string("AV") + static_cast<char>('J' + v - 1) + "T");
        EXPECT_EQ(item.value(), v);
        EXPECT_TRUE(item.alternate());
    }
}

TEST(CellItem, ReadingAgainResetsEveryField) {
    CellItem item;
    item.read("XABVQJ%40");
    item.read("C");
    EXPECT_FALSE(item.hexagonCentre());
    EXPECT_FALSE(item.cellMark());
    EXPECT_EQ(item.value(), 0);
    EXPECT_EQ(item.percentage(), 0);
    EXPECT_FALSE(item.alternate());
    EXPECT_EQ(item.stateLetter(), '\0');
    EXPECT_EQ(item.pointText().str(), "C");
}

TEST(CellItem, LongAndArbitraryEntriesAreAbsorbed) {
    CellItem item;
    item.read(std::string(10000, 'a') + "WQ");
    EXPECT_TRUE(item.cellMark());
    EXPECT_EQ(item.value(), 2);
    EXPECT_EQ(item.cellText().length(), 10003);
    std::string bytes;
    for (int c = 1; c < 256; ++c) bytes.push_back(static_cast<char>(c));
    item.read(bytes);
    EXPECT_FALSE(item.cellMark());
    EXPECT_EQ(item.pointText().str(), "");
}

}  // namespace
}  // namespace tamblo
