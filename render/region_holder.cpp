#include "render/region_holder.h"

namespace tamblo {

RegionHolder::RegionHolder(winsys::WindowHandle window) {
    makeEmpty();
    if (window) recordClientOffset(window);
}

void RegionHolder::recordClientOffset(winsys::WindowHandle window) {
    winsys::Point client = winsys::clientToScreen(window, {0, 0});
    winsys::Rect outer = winsys::windowRect(window);
    clientOffsetX_ = static_cast<std::int16_t>(client.x - outer.left);
    clientOffsetY_ = static_cast<std::int16_t>(client.y - outer.top);
}

void RegionHolder::makeEmpty() {
    region_ = winsys::Region();
    hasRegion_ = true;
}

void RegionHolder::deleteRegion() {
    if (!hasRegion_) return;
    region_ = winsys::Region();
    hasRegion_ = false;
}

void RegionHolder::combine(const winsys::Region& other, bool unite) {
    // A deleted region is combined as an empty one.
    winsys::Region copy = hasRegion_ ? region_ : winsys::Region();
    region_ = unite ? copy.unite(other) : copy.intersect(other);
    hasRegion_ = true;
}

void RegionHolder::addRectangle(int x, int y, int width, int height) {
    combine(winsys::Region::rectangle(x, y, x + width, y + height), true);
}

void RegionHolder::addEllipse(int cx, int cy, int width, int height) {
    combine(winsys::Region::ellipse(cx - width / 2, cy - height / 2, cx + width / 2, cy + height / 2), true);
}

void RegionHolder::addPolygon(const winsys::Point* points, int count) {
    if (points == nullptr || count <= 0) return;
    combine(winsys::Region::polygon(points, count), true);
}

void RegionHolder::addRegion(const winsys::Region& other) { combine(other, true); }

void RegionHolder::intersectWith(const winsys::Region& other) { combine(other, false); }

}  // namespace tamblo
