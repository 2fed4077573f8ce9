#include "foundation/short_array.h"

#include <gtest/gtest.h>

namespace tamblo {
namespace {

TEST(ShortArray, AddUniqueFillsFromTheFront) {
    std::int16_t row[4] = {9, 9, 9, 7};
    ShortArray view;
    view.attach(3, row);
    view.zeroAll();
    for (std::int16_t v : {4, 2, 4}) view.addUnique(v);
    EXPECT_EQ(row[0], 4);
    EXPECT_EQ(row[1], 2);
    EXPECT_EQ(row[2], 0);
    view.addUnique(5);
    view.addUnique(6);  // full: nothing changes, nothing beyond the view is written
    EXPECT_EQ(row[2], 5);
    EXPECT_EQ(row[3], 7);
}

TEST(ShortArray, ScanStopsAtTheFirstFreeSlot) {
    std::int16_t row[3] = {1, 0, 3};
    ShortArray view;
    view.attach(3, row);
    view.addUnique(3);  // 3 lies after the free slot, so it is added again there
    EXPECT_EQ(row[1], 3);
    ShortArray empty;
    empty.addUnique(1);
    empty.zeroAll();
    EXPECT_EQ(empty.count(), 0);
}

}  // namespace
}  // namespace tamblo
