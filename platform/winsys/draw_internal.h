// Insides of the drawing objects, shared by the drawing sources of the window system.
#pragma once

#include "platform/winsys/draw.h"

#include <cairo.h>

#include <string>

namespace winsys::detail {

struct PenData {
    int width = 1;
    Colour colour = 0;
    bool null = false;
    bool stock = false;

    static Pen make(int width, Colour colour, bool null, bool stock);
    static const PenData* of(const Pen& pen) { return pen.data_.get(); }
};

struct BrushData {
    Colour colour = 0;
    bool hollow = false;
    bool stock = false;

    static Brush make(Colour colour, bool hollow, bool stock);
    static const BrushData* of(const Brush& brush) { return brush.data_.get(); }
};

struct FontData {
    FontRequest request;
    std::string family;
    std::string file;
    cairo_font_face_t* face = nullptr;
    cairo_font_options_t* options = nullptr;
    // Unrotated, at the font's pixel size: metrics and extents come from it.
    cairo_scaled_font_t* scaled = nullptr;
    cairo_matrix_t matrix{};  // the font matrix (horizontal and vertical scale)
    FontMetrics metrics;
    bool stock = false;

    FontData() = default;
    FontData(const FontData&) = delete;
    FontData& operator=(const FontData&) = delete;
    ~FontData();

    static Font make(const FontRequest& request, bool stock);
    static const FontData* of(const Font& font) { return font.data_.get(); }
    // Width of a (sanitised) UTF-8 text in whole pixels.
    int advance(const std::string& utf8) const;
};

struct BitmapData {
    cairo_surface_t* surface = nullptr;
    bool wrapped = false;
    bool stock = false;

    BitmapData() = default;
    BitmapData(const BitmapData&) = delete;
    BitmapData& operator=(const BitmapData&) = delete;
    ~BitmapData();

    static Bitmap make(cairo_surface_t* adopted, bool wrapped, bool stock);
    static BitmapData* of(const Bitmap& bitmap) { return bitmap.data_.get(); }
};

// Valid UTF-8 passes unchanged; every byte that does not belong to a valid sequence becomes
// the Latin-1 character of that value, so any byte string can be drawn and measured.
std::string sanitiseUtf8(std::string_view text);

}  // namespace winsys::detail
