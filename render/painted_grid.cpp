#include "render/painted_grid.h"

#include <algorithm>
#include <string>

#include "foundation/text.h"
#include "render/canvas.h"
#include "render/cursors.h"

namespace tamblo {

PaintColours& paintColours() {
    static PaintColours colours;
    return colours;
}

void resetPaintColours() { paintColours() = PaintColours{}; }

ScrollArrows& scrollArrows() {
    static ScrollArrows arrows;
    return arrows;
}

PaintConditions& paintConditions() {
    static PaintConditions conditions;
    return conditions;
}

ShortRect& gridExtent() {
    static ShortRect extent;
    return extent;
}

DynString valueText(int v) {
    char text[2] = {static_cast<char>('0' + v), '\0'};
    return DynString(text);
}

int markShift(int cellSize) {
    switch (cellSize) {
        case 40: return 5;
        case 50: return 6;
        case 60: return 8;
        case 70: return 9;
        default: return 0;
    }
}

PaintedGrid::PaintedGrid() { resetDisplay(); }

void PaintedGrid::resetDisplay() {
    descriptionId_.clear();
    gridIndex_ = 0;
    viewOffsetX = viewOffsetY = viewOffsetX2 = viewOffsetY2 = viewOffsetX3 = viewOffsetY3 = 0.0f;
    cellSize_ = kDefaultCellSize;
    valueHeight_ = 10;
    angle_ = 0;
    levelPercentage_ = 100;
    markLayout_ = kMarkLayout;
}

void PaintedGrid::applyCellSize(int size) {
    cellSize_ = static_cast<std::int16_t>(size);
    valueHeight_ = static_cast<std::int16_t>(0.55 * size);
    setStepSize(size);
    // The mark offsets follow the step size.
    if (markLayout_ == kMarkLayout) computeMarkOffsets(markLayout_);
}

void PaintedGrid::setMarkLayout(int n) {
    markLayout_ = static_cast<std::int16_t>(n);
    if (n == kMarkLayout) computeMarkOffsets(n);
}

void PaintedGrid::attach(int index, Canvas* canvas) {
    canvas_ = canvas;
    gridIndex_ = index;
}

void PaintedGrid::setDescriptionId(TextRef id) {
    descriptionId_.set(id);
    setIdText(id);
}

void PaintedGrid::load() {
    DynString key(descriptionId_);
    key.append(",");
    // The key is the grid's own: another grid object loaded under the same id is still built.
    if (!(key == lastLoadKey_)) {
        lastLoadKey_ = key;
        setfromgrivecdef(description_);
        innerKey_.clear();
        boundaryKey_.clear();
        ++builds_;
    }
    reapplySettings();
}

void PaintedGrid::reapplySettings() {
    setLevelPercentage(levelPercentage_);
    setAngle(angle_);
    applyCellSize(cellSize_);
}

void PaintedGrid::placeOrigin(Canvas& canvas) const { canvas.setOrigin(viewOffsetX, viewOffsetY); }

void PaintedGrid::backgroundPass(Canvas& canvas, Colour /*lineColour*/) {
    const PaintColours& colours = paintColours();
    prepare();
    cursors().enterBusy();
    canvas.pushOrigin();
    canvas.solidBrush(colours.cellFill);
    placeOrigin(canvas);

    buildCornerLists();
    canvas.pen(2, colours.gapFill);
    canvas.solidBrush(colours.gapFill);
    const TextLines& gaps = gapList();
    for (int i = 1; i <= gaps.count(); ++i) {
        CellOutline outline = cellOutlineOfName(gaps.lineAt(i));
        canvas.polygon(0, 0, outline.data(), static_cast<int>(outline.size()));
    }

    // Every cell has the same fill and outline: one brush and one pen serve them all.
    canvas.solidBrush(colours.cellFill);
    canvas.pen(std::max(1, cellSize_ / 40), colours.cellOutline);
    for (int c = 1; c <= cellCount(); ++c) {
        CellOutline outline = cellOutline(c);
        canvas.polygon(0, 0, outline.data(), static_cast<int>(outline.size()));
    }
}

void PaintedGrid::selectFont(Canvas& canvas, const winsys::Font& font, int offsetX, int offsetY) {
    FontHolder& holder = sharedFont();
    if (!(holder.handle() == font) || holder.deviceContext() != canvas.deviceContext() || !holder.selected)
        holder.adoptAndSelect(*canvas.deviceContext(), font);
    holder.offsetX = static_cast<std::int16_t>(offsetX);
    holder.offsetY = static_cast<std::int16_t>(offsetY);
}

void PaintedGrid::drawValue(Canvas& canvas, int c, Colour colour) {
    if (canvas.deviceContext() == nullptr) return;
    FontHolder& font = sharedFont();
    int h = valueHeight_;
    CachedFont& cached = valueFont_;
    if (cached.font.isNull() || cached.height != h || cached.width != h / 2 || cached.escapement != 10 * angle_) {
        font.createRotated(h, h / 2, 10 * angle_, false, 200, "Arial");
        cached = {font.handle(), h, h / 2, 10 * angle_, font.offsetX, font.offsetY};
        stamps_.clear();
    }
    selectFont(canvas, cached.font, cached.offsetX, cached.offsetY);
    font.setTextColour(colour);
    if (!stampDigits) {
        canvas.text(x(c), y(c), valueText(value(c)), true);
        return;
    }
    font.setCentred(true);
    stamps_.draw(*canvas.deviceContext(), canvas.deviceX(x(c)) + font.offsetX, canvas.deviceY(y(c)) - font.offsetY,
                 static_cast<char>('0' + value(c)), colour);
}

void PaintedGrid::drawMarks(Canvas& canvas, int c, int markCellSize) {
    int marks = this->marks(c);
    if (marks == 0 || canvas.deviceContext() == nullptr) return;
    FontHolder& font = sharedFont();
    CachedFont& cached = markFont_;
    if (cached.font.isNull() || cached.height != markCellSize / 4 || cached.width != markCellSize / 8) {
        font.create(markCellSize / 4, markCellSize / 8, 0, false, 200, "Arial");
        cached = {font.handle(), markCellSize / 4, markCellSize / 8, 0, 0, 0};
        stamps_.clear();
    }
    selectFont(canvas, cached.font, 0, 0);
    font.setCentred(true);
    font.setTextColour(paintColours().pencilMarks);
    int k = markShift(markCellSize);
    for (int d = 1; d <= 6; ++d) {
        if ((marks & digitBit(d)) == 0) continue;
        PixelPoint p = markPosition(c, d);
        if (stampDigits)
            stamps_.draw(*canvas.deviceContext(), canvas.deviceX(p.x), canvas.deviceY(p.y + k), static_cast<char>('0' + d),
                         font.textColour);
        else
            font.drawText(canvas.deviceX(p.x), canvas.deviceY(p.y + k), valueText(d));
    }
}

void PaintedGrid::drawOutline(Canvas& canvas, const TextLines& segments, std::vector<PixelPoint>& ends, std::string& key) {
    // The end points hold while the list, the step size and the angle do.
    std::string now = intText(stepSize()) + "," + intText(angle()) + "," + intText(segments.count());
    if (segments.count() > 0) now.append(",").append(segments.lineAt(1)).append(",").append(segments.lineAt(segments.count()));
    if (now != key) {
        key = now;
        ends.clear();
        DirectionSet& directions = mainDirectionSet();
        std::string end;
        for (int i = 1; i <= segments.count(); ++i) {
            std::string_view segment(segments.lineAt(i));
            size_t colon = segment.find(':');
            if (colon == std::string_view::npos) continue;
            end.assign(segment.substr(0, colon));
            end.append(segment.substr(colon + 1));
            ends.push_back({directions.pixelX(segment), directions.pixelY(segment)});
            ends.push_back({directions.pixelX(end), directions.pixelY(end)});
        }
    }
    for (size_t i = 0; i + 1 < ends.size(); i += 2) canvas.line(ends[i].x, ends[i].y, ends[i + 1].x, ends[i + 1].y);
}

void PaintedGrid::drawArrowPair(Canvas& canvas, const ScrollArrow& first, const ScrollArrow& second) {
    if (!first.on && !second.on) return;
    const PaintColours& colours = paintColours();
    for (const ScrollArrow* arrow : {&first, &second}) {
        PixelPoint points[4];
        for (size_t i = 0; i < 4; ++i) {
            // Client pixels, expressed so that the canvas mapping puts them back.
            points[i] = {arrow->triangle[i].x - canvas.originX(), canvas.originY() - arrow->triangle[i].y};
        }
        canvas.solidBrush(arrow->on ? colours.arrowOn : colours.arrowOff);
        canvas.polygon(0, 0, points, 4);
    }
}

void PaintedGrid::contentsPass(Canvas& canvas, Colour outlineColour) {
    const PaintColours& colours = paintColours();
    const PaintConditions& conditions = paintConditions();
    int markCellSize = conditions.cellSize > 0 ? conditions.cellSize : cellSize_;

    for (int c = 1; c <= cellCount(); ++c) {
        int v = value(c);
        if (v >= 1) drawValue(canvas, c, isGiven(c) ? colours.givenValue : colours.enteredValue);
        if (conditions.linkOverlay) {
            canvas.pen(1, colours.linkOverlay);
            canvas.solidBrush(colours.linkOverlay);
            for (int i = 0; i < PeerTable::kMaxPeers; ++i) {
                int p = peer(c, i);
                if (p >= 1 && p < c) canvas.line(x(c), y(c), x(p), y(p));
            }
            canvas.circle(x(c), y(c), 4);
        } else if (!conditions.rulesMode && isEmpty(c)) {
            drawMarks(canvas, c, markCellSize);
        }
    }

    // Hexagon-centre dots, filled with whatever brush the context holds now.
    canvas.pen(std::max(1, cellSize_ / 40), 0x000000);
    int r = canvas.sixHundredthsToPx(10);
    for (int h = 1; h <= fullHexagonCount(); ++h) canvas.circle(centreX(h), centreY(h), r);

    placeOrigin(canvas);
    buildOutlineLists();
    canvas.pen(1, outlineColour);
    drawOutline(canvas, innerOutlineList(), innerEnds_, innerKey_);
    canvas.pen(cellSize_ / 12 + 1, outlineColour);
    drawOutline(canvas, boundaryOutlineList(), boundaryEnds_, boundaryKey_);
    sharedPen().release();
    sharedFont().release();

    const ScrollArrows& arrows = scrollArrows();
    drawArrowPair(canvas, arrows.left, arrows.right);
    drawArrowPair(canvas, arrows.up, arrows.down);

    canvas.popOrigin();
    cursors().leaveBusy();
}

ShortRect PaintedGrid::computeExtent(Canvas& canvas) {
    GridRect bounds = cellBounds();
    auto to16 = [](float v) {
        v = std::clamp(v, -32768.0f, 32767.0f);
        return static_cast<std::int16_t>(v);
    };
    ShortRect& extent = gridExtent();
    extent.left = to16(canvas.pxToMmX(bounds.left));
    extent.right = to16(canvas.pxToMmX(bounds.right));
    extent.top = to16(canvas.pxToMmY(bounds.top));
    extent.bottom = to16(canvas.pxToMmY(bounds.bottom));
    return extent;
}

}  // namespace tamblo
