// Digits drawn once through the device context and then stamped as pixel masks. The painting
// shows the same few digits hundreds of times per paint, and text rendering is by far its
// dearest part; text is drawn crisply, so a stamp lays down exactly the pixels textOut would.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/winsys/draw.h"

namespace tamblo {

class GlyphStamps {
public:
    // Draws the one-character text as textOut does with the context's font and alignment, in
    // the given colour with a transparent background. Falls back to textOut when stamping
    // cannot reproduce it (a clipped or shifted context, or text that is not crisp).
    void draw(winsys::DeviceContext& dc, int x, int y, char c, winsys::Colour colour);
    void clear() { stamps_.clear(); }
    // Stamps drawn directly, and texts handed to textOut, since the last clear.
    int stamped = 0;
    int fallbacks = 0;

private:
    struct Stamp {
        winsys::Font font;
        winsys::TextAlign align = winsys::TextAlign::LeftTop;
        char c = 0;
        bool usable = false;
        std::vector<std::int32_t> offsets;  // (dx, dy) pairs from the reference point
    };
    const Stamp& stampFor(const winsys::Font& font, winsys::TextAlign align, char c);

    std::vector<Stamp> stamps_;
};

}  // namespace tamblo
