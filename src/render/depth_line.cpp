// The depth-tested line, pixel by pixel through the span's depth test.
#include "render/depth_line.h"

#include <utility>

#include "render/spans.h"

void drawDepthLine(int x0, int y0, float z0, int x1, int y1, float z1) {
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
        std::swap(z0, z1);
    }
    int dx = x1 - x0;
    const int dy = y1 - y0;
    const float deltaZ = z1 - z0;
    int step = 1;
    if (dx <= 0) {
        step = -1;
        dx = -dx;
    }
    int x = x0, y = y0;
    float z = z0;
    if (dx > dy) {
        const float zstep = dx != 0 ? deltaZ / float(dx) : dy != 0 ? deltaZ / float(dy) : 0.0f;
        int e = 2 * dy - dx;
        plotTestedPixel(x, y, z);
        for (int i = 0; i < dx; ++i) {
            if (e >= 0) {
                y += 1;
                e += 2 * dy - 2 * dx;
            } else {
                e += 2 * dy;
            }
            x += step;
            z = z + zstep;
            plotTestedPixel(x, y, z);
        }
    } else {
        const float zstep = dy != 0 ? deltaZ / float(dy) : dx != 0 ? deltaZ / float(dx) : 0.0f;
        int e = 2 * dx - dy;
        plotTestedPixel(x, y, z);
        for (int i = 0; i < dy; ++i) {
            if (e >= 0) {
                x += step;
                e += 2 * dx - 2 * dy;
            } else {
                e += 2 * dx;
            }
            y += 1;
            z = z + zstep;
            plotTestedPixel(x, y, z);
        }
    }
}
