// A puzzle grid with the settings it is displayed with, and its painting in two passes: the
// background (cell fills and outlines, filled gaps) into the cached background bitmap, and the
// contents (values, pencil marks, overlays, hexagon outlines, scroll arrows) at every paint.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/dyn_string.h"
#include "foundation/text_lines.h"
#include "model/hex_grid.h"
#include "platform/drawing_objects.h"
#include "platform/winsys/types.h"
#include "render/glyph_stamps.h"

namespace tamblo {

class Canvas;

// The colours of the grid painting, program-wide.
struct PaintColours {
    Colour cellFill = lighten(0x00FFFF);
    Colour cellOutline = 0xFF0000;
    Colour givenValue = 0x000000;
    Colour enteredValue = 0xFF00FF;
    Colour gapFill = lighten(0xFF0000);
    Colour pencilMarks = 0xFF0000;
    Colour linkOverlay = 0x00FF00;
    Colour arrowOn = 0x0000FF;
    Colour arrowOff = greyOf(20);
};
PaintColours& paintColours();
// Back to the scheme above (on a change of screen mode and when the game state is reset).
void resetPaintColours();

// One scroll arrow as the window layout places it: client pixels, closed triangle.
struct ScrollArrow {
    bool on = false;
    std::array<winsys::Point, 4> triangle{};
};
struct ScrollArrows {
    ScrollArrow left, right, up, down;
};
// Filled by the window layout, drawn by the contents pass.
ScrollArrows& scrollArrows();

// What the shell's state says about the contents pass.
struct PaintConditions {
    bool linkOverlay = false;  // lines between peers instead of pencil marks
    bool rulesMode = false;    // the rules pages are shown: no pencil marks
    int cellSize = 0;          // the shell's cell size for the marks; 0 takes the grid's own
};
PaintConditions& paintConditions();

// The grid's extent on the canvas in millimetres (y up: top is the larger value), as the last
// extent computation left it.
ShortRect& gridExtent();

// The value text of a cell: the single character '0' + v.
DynString valueText(int v);

// Vertical shift of the pencil marks for the cell sizes the game offers, 0 for any other.
int markShift(int cellSize);

class PaintedGrid : public HexGrid {
public:
    static constexpr int kDefaultCellSize = 15;
    static constexpr int kMarkLayout = 6;

    PaintedGrid();

    void resetDisplay();
    void applyCellSize(int size);
    void setMarkLayout(int n);
    void attach(int index, Canvas* canvas);
    void setDescriptionId(TextRef id);
    // Builds the grid from its description list unless it was last loaded under the same id,
    // then puts the level percentage, angle and cell size back.
    void load();
    void placeOrigin(Canvas& canvas) const;
    void backgroundPass(Canvas& canvas, Colour lineColour);
    void contentsPass(Canvas& canvas, Colour outlineColour);
    // Stores the extent in gridExtent() and returns it.
    ShortRect computeExtent(Canvas& canvas);

    TextLines& description() { return description_; }
    const DynString& descriptionId() const { return descriptionId_; }
    int gridIndex() const { return gridIndex_; }
    Canvas* canvas() const { return canvas_; }
    int cellSize() const { return cellSize_; }
    int valueHeight() const { return valueHeight_; }
    int markLayout() const { return markLayout_; }
    int displayAngle() const { return angle_; }
    int levelPercentage() const { return levelPercentage_; }
    void setLevelPercentageSetting(int percentage) { levelPercentage_ = static_cast<std::int16_t>(percentage); }
    // How often load() built the grid from its description.
    int buildCount() const { return builds_; }

    // Digits are stamped from masks of their first drawing; clear it to draw every one with textOut.
    bool stampDigits = true;
    const GlyphStamps& stamps() const { return stamps_; }

    float viewOffsetX = 0.0f, viewOffsetY = 0.0f;
    float viewOffsetX2 = 0.0f, viewOffsetY2 = 0.0f;
    float viewOffsetX3 = 0.0f, viewOffsetY3 = 0.0f;

private:
    void reapplySettings();
    void drawValue(Canvas& canvas, int c, Colour colour);
    void drawMarks(Canvas& canvas, int c, int markCellSize);
    void drawOutline(Canvas& canvas, const TextLines& segments, std::vector<PixelPoint>& ends, std::string& key);
    void selectFont(Canvas& canvas, const winsys::Font& font, int offsetX, int offsetY);
    void drawArrowPair(Canvas& canvas, const ScrollArrow& first, const ScrollArrow& second);

    DynString descriptionId_;
    int gridIndex_ = 0;
    Canvas* canvas_ = nullptr;
    std::int16_t cellSize_ = kDefaultCellSize;
    std::int16_t valueHeight_ = 10;
    std::int16_t angle_ = 0;
    std::int16_t levelPercentage_ = 100;
    std::int16_t markLayout_ = kMarkLayout;
    TextLines description_;
    DynString lastLoadKey_;
    int builds_ = 0;

    // Fonts and outline end points repeat from paint to paint: made once, kept while the
    // settings they come from stay the same.
    struct CachedFont {
        winsys::Font font;
        int height = -1, width = -1, escapement = 0;
        int offsetX = 0, offsetY = 0;
    };
    CachedFont valueFont_, markFont_;
    GlyphStamps stamps_;
    std::vector<PixelPoint> innerEnds_, boundaryEnds_;
    std::string innerKey_, boundaryKey_;
};

}  // namespace tamblo
