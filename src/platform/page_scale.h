// The page scaled up for a window surface in one pass: each 8-bit pixel looked up in a
// table of 32-bit colours (already in the surface's own pixel format) and written as a
// square of whole multiples, or fitted by nearest neighbour where no whole multiple fits.
// The window's software presentation uses it; the benchmark measures it alone.
#pragma once

#include <cstdint>

// Where the page lands on an output of outputWidth x outputHeight pixels: its rectangle
// and, for whole multiples, the multiple (scale 0: fitted, aspect ratio kept). The same
// rule as SDL's logical size: centred, whole multiples by the smaller of the two ratios.
struct PagePlacement {
    int x, y, width, height;
    int scale;
};
PagePlacement placePage(int outputWidth, int outputHeight, int pageWidth, int pageHeight,
                        int wholeMultiples);

// Rows firstRow .. firstRow + rowCount - 1 of the page (rows pageWidth bytes apart),
// each written scale x scale times at target, which points at the page's top-left pixel
// on the output; output rows lie pitchBytes apart.
void scalePageRows(const uint8_t* page, int pageWidth, int firstRow, int rowCount,
                   const uint32_t colours[256], int scale, uint32_t* target, int pitchBytes);

// The whole page fitted into width x height output pixels by nearest neighbour: output
// pixel (X, Y) shows page pixel ((2X + 1) * pageWidth / (2 width), likewise for Y).
// Outputs wider than FitWidthLimit are fitted over their first FitWidthLimit columns.
constexpr int FitWidthLimit = 16384;
void fitPage(const uint8_t* page, int pageWidth, int pageHeight, const uint32_t colours[256],
             uint32_t* target, int pitchBytes, int width, int height);
