#include "model/spatial_index.h"

namespace tamblo {

std::uint64_t SpatialIndex::bucketKey(long bx, long by) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(bx)) << 32) | static_cast<std::uint32_t>(by);
}

long SpatialIndex::bucketOf(long v) const {
    // Floor division, so that negative coordinates do not share bucket 0 with positive ones.
    long q = v / bucketSize_;
    if (v % bucketSize_ != 0 && v < 0) --q;
    return q;
}

void SpatialIndex::build(const std::vector<std::int32_t>& xs, const std::vector<std::int32_t>& ys, int bucketSize) {
    clear();
    bucketSize_ = bucketSize > 0 ? bucketSize : 1;
    std::size_t n = xs.size() < ys.size() ? xs.size() : ys.size();
    buckets_.reserve(n / 2 + 1);
    for (std::size_t i = 0; i < n; ++i)
        buckets_[bucketKey(bucketOf(xs[i]), bucketOf(ys[i]))].push_back({xs[i], ys[i], static_cast<int>(i) + 1});
    built_ = true;
}

void SpatialIndex::clear() {
    buckets_.clear();
    built_ = false;
}

int SpatialIndex::nearest(int x, int y, int limit) const {
    if (limit < 0) return 0;
    long best = limit + 1L;
    int found = 0;
    auto consider = [&](const std::vector<Entry>& entries) {
        for (const Entry& e : entries) {
            long dx = static_cast<long>(e.x) - x;
            long dy = static_cast<long>(e.y) - y;
            long d = (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy);
            if (d < best || (d == best && found != 0 && e.number < found)) {
                best = d;
                found = e.number;
            }
        }
    };
    long bx0 = bucketOf(static_cast<long>(x) - limit), bx1 = bucketOf(static_cast<long>(x) + limit);
    long by0 = bucketOf(static_cast<long>(y) - limit), by1 = bucketOf(static_cast<long>(y) + limit);
    if ((bx1 - bx0 + 1) * (by1 - by0 + 1) > static_cast<long>(buckets_.size()) + 4) {
        // A limit far larger than the buckets: walking every bucket is cheaper than the box.
        for (const auto& bucket : buckets_) consider(bucket.second);
        return found;
    }
    for (long bx = bx0; bx <= bx1; ++bx) {
        for (long by = by0; by <= by1; ++by) {
            auto it = buckets_.find(bucketKey(bx, by));
            if (it != buckets_.end()) consider(it->second);
        }
    }
    return found;
}

}  // namespace tamblo
