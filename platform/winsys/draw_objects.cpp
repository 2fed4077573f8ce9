// Pens, brushes and the stock objects.
#include "platform/winsys/draw_internal.h"

#include <algorithm>

namespace winsys {

namespace detail {

Pen PenData::make(int width, Colour colour, bool null, bool stock) {
    auto data = std::make_shared<PenData>();
    data->width = width < 2 ? 1 : std::min(width, kMaxPenWidth);
    data->colour = colour & 0x00FFFFFFu;
    data->null = null;
    data->stock = stock;
    Pen pen;
    pen.data_ = std::move(data);
    return pen;
}

Brush BrushData::make(Colour colour, bool hollow, bool stock) {
    auto data = std::make_shared<BrushData>();
    data->colour = colour & 0x00FFFFFFu;
    data->hollow = hollow;
    data->stock = stock;
    Brush brush;
    brush.data_ = std::move(data);
    return brush;
}

}  // namespace detail

Pen Pen::solid(int width, Colour colour) { return detail::PenData::make(width, colour, false, false); }
bool Pen::draws() const { return data_ && !data_->null; }
int Pen::width() const { return data_ ? data_->width : 0; }
Colour Pen::colour() const { return data_ ? data_->colour : 0; }
bool Pen::isStock() const { return data_ && data_->stock; }

Brush Brush::solid(Colour colour) { return detail::BrushData::make(colour, false, false); }
bool Brush::fills() const { return data_ && !data_->hollow; }
Colour Brush::colour() const { return data_ ? data_->colour : 0; }
bool Brush::isStock() const { return data_ && data_->stock; }

// Stock objects are made once and kept for the whole run.
Pen stockBlackPen() {
    static const Pen pen = detail::PenData::make(1, rgb(0, 0, 0), false, true);
    return pen;
}
Pen stockWhitePen() {
    static const Pen pen = detail::PenData::make(1, rgb(255, 255, 255), false, true);
    return pen;
}
Pen stockNullPen() {
    static const Pen pen = detail::PenData::make(1, 0, true, true);
    return pen;
}
Brush stockWhiteBrush() {
    static const Brush brush = detail::BrushData::make(rgb(255, 255, 255), false, true);
    return brush;
}
Brush stockBlackBrush() {
    static const Brush brush = detail::BrushData::make(rgb(0, 0, 0), false, true);
    return brush;
}
Brush stockLightGreyBrush() {
    static const Brush brush = detail::BrushData::make(rgb(0xC0, 0xC0, 0xC0), false, true);
    return brush;
}
Brush stockGreyBrush() {
    static const Brush brush = detail::BrushData::make(rgb(0x80, 0x80, 0x80), false, true);
    return brush;
}
Brush stockNullBrush() {
    static const Brush brush = detail::BrushData::make(0, true, true);
    return brush;
}
Font stockGuiFont() {
    static const Font font = detail::FontData::make(FontRequest{-11, 0, 0, 400, false, "Arial"}, true);
    return font;
}
Font stockSystemFont() {
    static const Font font = detail::FontData::make(FontRequest{16, 0, 0, 700, false, "Arial"}, true);
    return font;
}

DrawObject stockObject(StockObject which) {
    switch (which) {
        case StockObject::BlackPen: return stockBlackPen();
        case StockObject::WhitePen: return stockWhitePen();
        case StockObject::NullPen: return stockNullPen();
        case StockObject::WhiteBrush: return stockWhiteBrush();
        case StockObject::BlackBrush: return stockBlackBrush();
        case StockObject::LightGreyBrush: return stockLightGreyBrush();
        case StockObject::GreyBrush: return stockGreyBrush();
        case StockObject::NullBrush: return stockNullBrush();
        case StockObject::GuiFont: return stockGuiFont();
        case StockObject::SystemFont: return stockSystemFont();
    }
    return std::monostate{};
}

}  // namespace winsys
