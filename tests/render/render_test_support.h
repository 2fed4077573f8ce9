// Painting a grid into a back buffer of its own size, for the rendering tests and benchmark.
#pragma once

#include <string>

#include "library/catalogue.h"
#include "render/back_buffer.h"
#include "render/canvas.h"
#include "render/painted_grid.h"

namespace tamblo::test {

// A window-sized bitmap with a canvas over it and a back buffer of that size; the grid's cells
// are placed `margin` pixels inside.
struct PaintBench {
    ClientSize client;
    BackBuffer buffer{client};
    winsys::Bitmap window;
    winsys::DeviceContext windowDc;
    Canvas canvas;

    PaintBench(PaintedGrid& grid, int margin = 20) {
        grid.prepare();
        GridRect b = grid.cellBounds();
        client.set(b.right - b.left + 2 * margin, b.top - b.bottom + 2 * margin);
        window = winsys::Bitmap::create(client.width, client.height);
        windowDc = winsys::DeviceContext(window);
        canvas.attach(&windowDc, "ecran");
        canvas.setDefaultOrigin(margin - b.left, margin + b.top);
        canvas.setOrigin(0, 0);
        buffer.resize();
    }

    PaintPasses passes(PaintedGrid& grid, Colour outline = 0xFF0000) {
        return {[&grid, outline](Canvas& c) { grid.backgroundPass(c, outline); },
                [&grid, outline](Canvas& c) { grid.contentsPass(c, outline); }};
    }
    bool paint(PaintedGrid& grid) { return paintThroughBackBuffer(buffer, canvas, windowDc, passes(grid)); }

    // Colour of the working bitmap at a canvas point.
    Colour at(int x, int y) const { return buffer.working().pixel(canvas.deviceX(x), canvas.deviceY(y)); }
};

// Loads a catalogue puzzle at a cell size, the way the shell does.
inline bool loadCataloguePuzzle(PaintedGrid& grid, TextRef id, int cellSize) {
    BuiltInCatalogue catalogue;
    GridDisplaySettings display;
    display.stepSize = cellSize;
    if (!catalogue.loadIntoGrid(grid, grid.description(), id, display)) return false;
    grid.setDescriptionId(id);
    grid.applyCellSize(cellSize);
    grid.prepare();
    return true;
}

// The id of the catalogue puzzle with the most cells.
inline std::string largestCataloguePuzzle() {
    BuiltInCatalogue catalogue;
    std::string best;
    int bestCells = -1;
    for (int i = 1; i <= catalogue.count(); ++i) {
        PaintedGrid grid;
        if (!loadCataloguePuzzle(grid, catalogue.idAt(i), 40)) continue;
        if (grid.cellCount() > bestCells) {
            bestCells = grid.cellCount();
            best = catalogue.idAt(i);
        }
    }
    return best;
}

}  // namespace tamblo::test
