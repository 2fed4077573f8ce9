// A bucket index over numbered pixel positions, so that the hit tests on large grids look at the
// few positions near the mouse rather than at every cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tamblo {

class SpatialIndex {
public:
    // Positions are numbered from 1 in the order given. The bucket size should be at least twice
    // the largest limit asked for, so that a query looks at no more than four buckets.
    void build(const std::vector<std::int32_t>& xs, const std::vector<std::int32_t>& ys, int bucketSize);
    void clear();
    bool isBuilt() const { return built_; }

    // The number of the position nearest to (x, y) in Manhattan distance, the lowest number among
    // equally near ones; 0 when the nearest is farther than the limit. Gives the same answer as
    // scanning every position in number order and keeping the first strictly nearer one.
    int nearest(int x, int y, int limit) const;

private:
    struct Entry {
        std::int32_t x;
        std::int32_t y;
        int number;
    };
    static std::uint64_t bucketKey(long bx, long by);
    long bucketOf(long v) const;

    std::unordered_map<std::uint64_t, std::vector<Entry>> buckets_;
    int bucketSize_ = 1;
    bool built_ = false;
};

}  // namespace tamblo
