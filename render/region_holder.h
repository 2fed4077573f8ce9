// A window region built up from rectangles, ellipses and polygons: the window layout makes the
// shape of the main window with it.
#pragma once

#include <cstdint>

#include "platform/winsys/region.h"
#include "platform/winsys/window.h"

namespace tamblo {

class RegionHolder {
public:
    // Client offset of a caption window, for a holder made before its window exists.
    static constexpr int kDefaultOffsetX = 6;
    static constexpr int kDefaultOffsetY = 32;

    explicit RegionHolder(winsys::WindowHandle window = {});

    // Where the client area's top-left corner lies inside the window.
    void recordClientOffset(winsys::WindowHandle window);
    void makeEmpty();
    void deleteRegion();

    void addRectangle(int x, int y, int width, int height);
    void addEllipse(int cx, int cy, int width, int height);
    void addPolygon(const winsys::Point* points, int count);  // alternate filling
    void addRegion(const winsys::Region& other);
    void intersectWith(const winsys::Region& other);

    const winsys::Region& region() const { return region_; }
    bool hasRegion() const { return hasRegion_; }
    int clientOffsetX() const { return clientOffsetX_; }
    int clientOffsetY() const { return clientOffsetY_; }

private:
    void combine(const winsys::Region& other, bool unite);

    winsys::Region region_;
    std::int16_t clientOffsetX_ = kDefaultOffsetX;
    std::int16_t clientOffsetY_ = kDefaultOffsetY;
    bool hasRegion_ = false;
};

}  // namespace tamblo
