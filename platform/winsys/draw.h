// Drawing: bitmaps, pens, brushes, fonts and the device context that draws with them.
//
// Drawing objects are handles: copying one shares the object, and the object lives as long as
// any handle to it (a device context keeps a handle to each object selected into it). So
// "deleting" an object means dropping its handle, and deleting one that is still selected
// somewhere can never leave a dangling pointer; callers still put back displaced objects first,
// as the classic discipline wants. A default-constructed handle is the null object.
//
// Colours are 0x00BBGGRR; coordinates are device pixels, y growing downwards. Shapes are drawn
// without antialiasing and text crisply, so pixels can be compared exactly.
#pragma once

#include "platform/winsys/region.h"
#include "platform/winsys/types.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>

typedef struct _cairo_surface cairo_surface_t;

namespace winsys {

// Returned by pixel reads outside a bitmap.
inline constexpr Colour kInvalidColour = 0xFFFFFFFFu;
// Largest width or height of a bitmap.
inline constexpr int kMaxBitmapSide = 32767;
// Wider pens are drawn this wide.
inline constexpr int kMaxPenWidth = 1024;

namespace detail {
struct PenData;
struct BrushData;
struct FontData;
struct BitmapData;
}  // namespace detail

// ---------------------------------------------------------------------------------------------
// A solid geometric pen: width in pixels, colour, round caps and round joins. A width of 1 or
// less draws 1-pixel lines with an exact Bresenham that lights the start point and leaves out
// the end point. The null pen (stock) draws no outline at all.
class Pen {
public:
    Pen() = default;
    static Pen solid(int width, Colour colour);

    bool isNull() const { return !data_; }
    explicit operator bool() const { return !isNull(); }
    // False for the null handle and for the stock null pen.
    bool draws() const;
    // 1 for every width below 2, kMaxPenWidth for every width above it.
    int width() const;
    Colour colour() const;
    bool isStock() const;
    // Same object (not merely equal settings).
    friend bool operator==(const Pen& a, const Pen& b) { return a.data_ == b.data_; }

private:
    friend struct detail::PenData;
    std::shared_ptr<const detail::PenData> data_;
};

// A solid brush of one colour, or the hollow (null) brush that fills nothing.
class Brush {
public:
    Brush() = default;
    static Brush solid(Colour colour);

    bool isNull() const { return !data_; }
    explicit operator bool() const { return !isNull(); }
    // False for the null handle and for the hollow brush.
    bool fills() const;
    Colour colour() const;
    bool isStock() const;
    friend bool operator==(const Brush& a, const Brush& b) { return a.data_ == b.data_; }

private:
    friend struct detail::BrushData;
    std::shared_ptr<const detail::BrushData> data_;
};

// What a font is asked for, with the classic font-creation meanings.
struct FontRequest {
    // > 0: cell height (ascent + descent) in pixels; < 0: em size in pixels; 0: a default (16).
    int height = 0;
    // Average character width in pixels; 0 keeps the face's natural proportions.
    int width = 0;
    // Angle of the baseline in tenths of a degree, counter-clockwise.
    int escapement = 0;
    // 0 to 1000; 0 is normal (400); 600 and more is bold.
    int weight = 0;
    bool italic = false;
    // Family name as the game writes it ("Arial", "Times New Roman"); empty gives a sans face.
    std::string face;
};

// Metrics of a font in pixels, as laid out on the screen.
struct FontMetrics {
    int height = 0;        // ascent + descent: the line cell
    int ascent = 0;        // cell top to baseline
    int descent = 0;       // baseline to cell bottom
    int averageWidth = 0;  // average character width
};

// A font resolved through fontconfig ("Arial" comes out as Liberation Sans, "Times New Roman"
// as Liberation Serif). Resolution always finds some face when fontconfig has any font at all;
// when it has none, create() returns the null font, with which text draws nothing.
class Font {
public:
    Font() = default;
    static Font create(const FontRequest& request);
    static Font create(int height, int width, int escapement, int weight, bool italic, std::string_view face);

    bool isNull() const { return !data_; }
    explicit operator bool() const { return !isNull(); }
    const FontRequest& request() const;
    // Family name of the face fontconfig chose, e.g. "Liberation Sans"; empty for the null font.
    std::string resolvedFamily() const;
    // File of that face (for diagnostics and tests).
    std::string resolvedFile() const;
    FontMetrics metrics() const;
    // Width and height in pixels of a one-line text, as textOut draws it (height is the cell
    // height, even for an empty text). Texts are UTF-8; bytes that are not valid UTF-8 stand for
    // themselves as Latin-1 characters.
    Size textExtent(std::string_view text) const;
    bool isStock() const;
    friend bool operator==(const Font& a, const Font& b) { return a.data_ == b.data_; }

private:
    friend struct detail::FontData;
    std::shared_ptr<const detail::FontData> data_;
};

// An RGB image of w x h pixels: a memory bitmap, and also what a window's client framebuffer is.
// Copies of the handle share the pixels; clone() makes an independent copy.
class Bitmap {
public:
    Bitmap() = default;
    // Black pixels. Returns the null bitmap when a side is negative or above kMaxBitmapSide, or
    // when memory runs out; a side of 0 gives a valid bitmap without pixels.
    static Bitmap create(int width, int height);
    static Bitmap create(Size size) { return create(size.cx, size.cy); }
    // Pixels owned by someone else (e.g. a display surface), in the native 32-bit layout
    // (0x00RRGGBB words, stride in bytes, a multiple of 4 and at least 4 * width). The memory
    // must outlive every handle; null data or bad sizes give the null bitmap.
    static Bitmap wrap(void* pixels, int width, int height, int stride);
    // Reads a PNG file; the null bitmap when it cannot.
    static Bitmap readPng(const std::string& path);

    bool isNull() const { return !data_; }
    explicit operator bool() const { return !isNull(); }
    int width() const;
    int height() const;
    Size size() const { return {width(), height()}; }
    bool isStock() const;

    // A new size; the pixels of the old one that still fit are kept, the rest become black.
    // Every handle and every device context drawing on this bitmap sees the new size. Wrapped
    // bitmaps and the null bitmap refuse (false); so do sizes create() refuses.
    bool resize(int width, int height);
    // Point a wrapped bitmap at new memory (a display surface recreated after a resize).
    bool rewrap(void* pixels, int width, int height, int stride);
    Bitmap clone() const;

    // kInvalidColour outside the bitmap.
    Colour pixel(int x, int y) const;
    Colour pixel(Point p) const { return pixel(p.x, p.y); }
    bool setPixel(int x, int y, Colour colour);
    void fill(Colour colour);
    // The part of the rectangle inside the bitmap.
    void fillRect(Rect r, Colour colour);
    bool samePixels(const Bitmap& other) const;
    bool writePng(const std::string& path) const;

    // Direct access for the window system (composition, display backends): rows of 0x00RRGGBB
    // words (note: not Colour order), stride() bytes apart. After writing through pixels(), call
    // markDirty(). Null for the null bitmap and for 0-sized ones.
    std::uint32_t* pixels();
    const std::uint32_t* pixels() const;
    int stride() const;
    void markDirty();
    // The underlying Cairo surface (null for the null bitmap).
    cairo_surface_t* cairoSurface() const;

    // Same object.
    friend bool operator==(const Bitmap& a, const Bitmap& b) { return a.data_ == b.data_; }

private:
    friend struct detail::BitmapData;
    std::shared_ptr<detail::BitmapData> data_;
};

// Any drawing object, for code that handles them generically.
using DrawObject = std::variant<std::monostate, Pen, Brush, Font, Bitmap>;

// ---------------------------------------------------------------------------------------------
// Stock objects: shared, never freed; dropping a handle to one is harmless.
Pen stockBlackPen();
Pen stockWhitePen();
Pen stockNullPen();
Brush stockWhiteBrush();
Brush stockBlackBrush();
Brush stockLightGreyBrush();  // 0xC0C0C0
Brush stockGreyBrush();       // 0x808080
Brush stockNullBrush();       // hollow
Font stockGuiFont();          // the default GUI font: sans, 8 points at 96 dpi (em 11 pixels)
Font stockSystemFont();       // what a fresh context draws text with: sans, bold, cell height 16

enum class StockObject { BlackPen, WhitePen, NullPen, WhiteBrush, BlackBrush, LightGreyBrush, GreyBrush, NullBrush, GuiFont, SystemFont };
DrawObject stockObject(StockObject which);

// Colour of a solid brush or pen as the classic 0x00BBGGRR, and the reverse of that for the
// native pixel layout of Bitmap::pixels().
constexpr std::uint32_t nativeFromColour(Colour c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
constexpr Colour colourFromNative(std::uint32_t n) { return ((n & 0xFF) << 16) | (n & 0xFF00) | ((n >> 16) & 0xFF); }

enum class BackgroundMode { Transparent = 1, Opaque = 2 };
// Horizontal placement of text at its reference point; the point is always the top of the cell.
enum class TextAlign { LeftTop = 0, CentreTop = 6 };
// BlackOnWhite shrinks by AND-ing the source pixels that merge into one (thin black lines on
// white survive); ColourOnColour keeps one of them (nearest). Enlarging repeats pixels in both.
enum class StretchMode { BlackOnWhite = 1, ColourOnColour = 3 };
enum class DeviceCap { HorizontalResolution, VerticalResolution, PixelsPerInchX, PixelsPerInchY, BitsPerPixel };

// Pixels per logical inch of the screen and of memory bitmaps.
inline constexpr int kPixelsPerInch = 96;

// A device context: drawing state (pen, brush, font, colours, modes, current position, clip,
// viewport origin) over a target bitmap. A memory context starts with a 1 x 1 stock bitmap;
// selecting a bitmap into it draws there. A context made over a given bitmap (a window's
// client area) keeps that target: selecting a bitmap into it is refused.
// Fresh contexts hold the black pen, the white brush, the system font, black text on a white
// opaque background, left-top alignment, BlackOnWhite stretching and position (0, 0).
// Contexts are movable, not copyable. Drawing into a null or 0-sized target draws nothing.
class DeviceContext {
public:
    // A memory context (compatible with any window: every surface here is 24-bit RGB).
    DeviceContext();
    explicit DeviceContext(Bitmap target);
    static DeviceContext memory() { return DeviceContext(); }
    ~DeviceContext();
    DeviceContext(DeviceContext&& other) noexcept;
    DeviceContext& operator=(DeviceContext&& other) noexcept;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // Selection: each returns the object it displaced. Selecting a null handle changes nothing
    // and returns the null handle (a failed selection), as does a bitmap on a fixed-target context.
    Pen select(const Pen& pen);
    Brush select(const Brush& brush);
    Font select(const Font& font);
    Bitmap select(const Bitmap& bitmap);
    DrawObject select(const DrawObject& object);

    const Pen& pen() const;
    const Brush& brush() const;
    const Font& font() const;
    // What is drawn on: the selected bitmap or the fixed target.
    const Bitmap& bitmap() const;
    bool hasFixedTarget() const;

    // Each setter returns the previous value.
    Colour setTextColour(Colour c);
    Colour setBackgroundColour(Colour c);
    BackgroundMode setBackgroundMode(BackgroundMode mode);
    TextAlign setTextAlign(TextAlign align);
    StretchMode setStretchMode(StretchMode mode);
    Colour textColour() const;
    Colour backgroundColour() const;
    BackgroundMode backgroundMode() const;
    TextAlign textAlign() const;
    StretchMode stretchMode() const;

    // Added to every coordinate given to the drawing operations (also block copies' destination);
    // lets a control draw in its own coordinates into its parent's image. Returns the previous one.
    Point setViewportOrigin(Point origin);
    Point viewportOrigin() const;
    // Drawing is limited to the region (in device pixels, viewport origin not applied). The
    // region is copied.
    void setClip(const Region& clip);
    void clearClip();
    bool hasClip() const;

    // Lines with the selected pen. moveTo returns the previous position; lineTo draws from the
    // current position to p (end point excluded for 1-pixel pens) and makes p current.
    Point moveTo(Point p);
    Point moveTo(int x, int y) { return moveTo(Point{x, y}); }
    Point currentPosition() const;
    bool lineTo(Point p);
    bool lineTo(int x, int y) { return lineTo(Point{x, y}); }

    // Closed polygon: interior filled alternately with the brush (the pixels of
    // Region::polygon), then the outline drawn with the pen along every edge, the closing one
    // included. Fewer than two points draw nothing and return false.
    bool polygon(std::span<const Point> points);
    bool polygon(const Point* points, int count);
    // Ellipse inscribed in the box (right and bottom exclusive): the whole of it covers the
    // pixels of Region::ellipse(box). The pen's outline is the rim of those pixels, as many
    // pixels thick as the pen is wide and closed between 4-neighbours; the brush fills within.
    bool ellipse(Rect box);
    bool ellipse(int left, int top, int right, int bottom) { return ellipse(Rect{left, top, right, bottom}); }
    // Rectangle: the pen draws the frame on the outermost pixels (left .. right - 1,
    // top .. bottom - 1, a frame as thick as the pen) and the brush fills inside it. With the
    // null pen the brush fills left .. right - 2 and top .. bottom - 2, as the classic platform does.
    bool rectangle(Rect r);
    bool rectangle(int left, int top, int right, int bottom) { return rectangle(Rect{left, top, right, bottom}); }
    // Fills exactly the rectangle with the brush or colour; no pen.
    bool fillRect(Rect r, const Brush& brush);
    bool fillRect(Rect r, Colour colour);
    bool fillRegion(const Region& region, const Brush& brush);
    bool setPixel(Point p, Colour colour);
    Colour pixel(Point p) const;

    // One line of text with the selected font, its cell top at p for both alignments; rotated
    // about p by the font's escapement. The opaque mode first fills the text's cell with the
    // background colour. Texts as Font::textExtent says.
    bool textOut(Point p, std::string_view text);
    bool textOut(int x, int y, std::string_view text) { return textOut(Point{x, y}, text); }
    Size textExtent(std::string_view text) const;
    FontMetrics textMetrics() const;

    // Block copy of the w x h rectangle at (sx, sy) of the source to (x, y) here, clipped to both
    // bitmaps (and to the clip region); source and destination may be the same bitmap and
    // overlap. Negative sizes return false.
    bool blockCopy(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy);
    bool blockCopy(int x, int y, int w, int h, const Bitmap& source, int sx, int sy);
    // Scaled copy of the source rectangle onto the destination one, in the stretch mode of this
    // context. Sizes below 1 return false.
    bool stretchCopy(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy, int sw, int sh);
    bool stretchCopy(int x, int y, int w, int h, const Bitmap& source, int sx, int sy, int sw, int sh);

    // Device capabilities: the target's size in pixels (or the reported size, see below),
    // kPixelsPerInch on both axes, 24 bits per pixel.
    int deviceCaps(DeviceCap cap) const;
    Size pixelSize() const;
    // A screen context reports the screen's size rather than its bitmap's; {0, 0} undoes it.
    void setReportedSize(Size size);

private:
    struct State;
    std::unique_ptr<State> s_;
};

}  // namespace winsys
