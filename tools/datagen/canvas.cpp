// Drawing primitives of the generator: rectangles, gradients, anti-aliased filled
// paths (four sub-rows per pixel row, exact coverage along the row), tubes and noise.
#include "canvas.h"

#include <cmath>

namespace {

constexpr int SubRows = 4;
constexpr int MaxCrossings = 256;

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

float rowCoverage[CanvasMaxWidth + 2];

// Adds the coverage of the span [xa, xb) with weight w into rowCoverage.
void addSpan(float xa, float xb, float w, int width) {
    if (xa < 0.0f) xa = 0.0f;
    if (xb > float(width)) xb = float(width);
    if (xb <= xa) return;
    const int first = int(std::floor(xa));
    const int last = int(std::floor(xb));
    if (first == last) {
        rowCoverage[first] += (xb - xa) * w;
        return;
    }
    rowCoverage[first] += (float(first + 1) - xa) * w;
    for (int x = first + 1; x < last; ++x) rowCoverage[x] += w;
    if (last < width) rowCoverage[last] += (xb - float(last)) * w;
}

void sortFloats(float* v, int n) {
    for (int i = 1; i < n; ++i) {
        const float key = v[i];
        int j = i - 1;
        while (j >= 0 && v[j] > key) {
            v[j + 1] = v[j];
            --j;
        }
        v[j + 1] = key;
    }
}

float smooth(float t) { return t * t * (3.0f - 2.0f * t); }

}  // namespace

Rgb mixRgb(Rgb a, Rgb b, float t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaleRgb(Rgb a, float f) { return Rgb{a.r * f, a.g * f, a.b * f}; }

void resetCanvas(Canvas* c, int width, int height, Rgb fill) {
    c->width = width;
    c->height = height;
    for (int i = 0; i < width * height; ++i) c->pixels[i] = fill;
}

void blendPixel(Canvas* c, int x, int y, Rgb colour, float alpha) {
    if (x < 0 || y < 0 || x >= c->width || y >= c->height || alpha <= 0.0f) return;
    Rgb& p = c->pixels[y * c->width + x];
    p = mixRgb(p, colour, clamp01(alpha));
}

void fillRect(Canvas* c, float x0, float y0, float x1, float y1, Rgb colour, float alpha) {
    const Vec2 pts[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    fillPolygon(c, pts, 4, colour, alpha);
}

void gradientRect(Canvas* c, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
    for (int y = y0; y < y1; ++y) {
        const float t = (y1 - y0 > 1) ? float(y - y0) / float(y1 - y0 - 1) : 0.0f;
        const Rgb col = mixRgb(top, bottom, t);
        for (int x = x0; x < x1; ++x) blendPixel(c, x, y, col, 1.0f);
    }
}

void gradientRectH(Canvas* c, int x0, int y0, int x1, int y1, Rgb left, Rgb right) {
    for (int x = x0; x < x1; ++x) {
        const float t = (x1 - x0 > 1) ? float(x - x0) / float(x1 - x0 - 1) : 0.0f;
        const Rgb col = mixRgb(left, right, t);
        for (int y = y0; y < y1; ++y) blendPixel(c, x, y, col, 1.0f);
    }
}

void fillPath(Canvas* c, const Vec2* points, const int* contourSizes, int contourCount, Rgb colour,
              float alpha) {
    int total = 0;
    for (int k = 0; k < contourCount; ++k) total += contourSizes[k];
    if (total < 3) return;
    float minY = points[0].y, maxY = points[0].y, minX = points[0].x, maxX = points[0].x;
    for (int i = 1; i < total; ++i) {
        minY = std::fmin(minY, points[i].y);
        maxY = std::fmax(maxY, points[i].y);
        minX = std::fmin(minX, points[i].x);
        maxX = std::fmax(maxX, points[i].x);
    }
    int rowFirst = int(std::floor(minY));
    int rowLast = int(std::ceil(maxY));
    if (rowFirst < 0) rowFirst = 0;
    if (rowLast > c->height - 1) rowLast = c->height - 1;
    int colFirst = int(std::floor(minX));
    int colLast = int(std::ceil(maxX));
    if (colFirst < 0) colFirst = 0;
    if (colLast > c->width - 1) colLast = c->width - 1;
    if (colFirst > colLast) return;

    float crossings[MaxCrossings];
    for (int y = rowFirst; y <= rowLast; ++y) {
        for (int x = colFirst; x <= colLast + 1; ++x) rowCoverage[x] = 0.0f;
        bool any = false;
        for (int s = 0; s < SubRows; ++s) {
            const float sy = float(y) + (float(s) + 0.5f) / float(SubRows);
            int n = 0;
            int start = 0;
            for (int k = 0; k < contourCount; ++k) {
                const int size = contourSizes[k];
                for (int i = 0; i < size; ++i) {
                    const Vec2 a = points[start + i];
                    const Vec2 b = points[start + (i + 1) % size];
                    const bool crosses = (a.y <= sy && sy < b.y) || (b.y <= sy && sy < a.y);
                    if (!crosses || n >= MaxCrossings) continue;
                    crossings[n++] = a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y);
                }
                start += size;
            }
            if (n < 2) continue;
            sortFloats(crossings, n);
            for (int i = 0; i + 1 < n; i += 2) addSpan(crossings[i], crossings[i + 1], 1.0f / SubRows, c->width);
            any = true;
        }
        if (!any) continue;
        for (int x = colFirst; x <= colLast; ++x)
            if (rowCoverage[x] > 0.0f) blendPixel(c, x, y, colour, clamp01(rowCoverage[x]) * alpha);
    }
}

void fillPolygon(Canvas* c, const Vec2* points, int count, Rgb colour, float alpha) {
    fillPath(c, points, &count, 1, colour, alpha);
}

void fillEllipse(Canvas* c, float cx, float cy, float rx, float ry, Rgb colour, float alpha) {
    Vec2 pts[96];
    const int n = 96;
    for (int i = 0; i < n; ++i) {
        const float a = float(i) * 6.2831853f / float(n);
        pts[i] = Vec2{cx + rx * std::cos(a), cy + ry * std::sin(a)};
    }
    fillPolygon(c, pts, n, colour, alpha);
}

void fillCircle(Canvas* c, float cx, float cy, float radius, Rgb colour, float alpha) {
    fillEllipse(c, cx, cy, radius, radius, colour, alpha);
}

void fillRing(Canvas* c, float cx, float cy, float outer, float inner, Rgb colour, float alpha) {
    Vec2 pts[192];
    const int n = 96;
    for (int i = 0; i < n; ++i) {
        const float a = float(i) * 6.2831853f / float(n);
        pts[i] = Vec2{cx + outer * std::cos(a), cy + outer * std::sin(a)};
        pts[n + i] = Vec2{cx + inner * std::cos(a), cy + inner * std::sin(a)};
    }
    const int sizes[2] = {n, n};
    fillPath(c, pts, sizes, 2, colour, alpha);
}

void drawBar(Canvas* c, float x0, float y0, float x1, float y1, float width, Rgb colour, float alpha) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0.0f) return;
    const float nx = -dy / len * width * 0.5f, ny = dx / len * width * 0.5f;
    const Vec2 pts[4] = {{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}};
    fillPolygon(c, pts, 4, colour, alpha);
}

void drawTube(Canvas* c, float x0, float y0, float x1, float y1, float width, Rgb colour, float alpha) {
    // One outline: the two long sides joined by half circles, so the overlap is not doubled.
    const float dx = x1 - x0, dy = y1 - y0;
    const float len = std::sqrt(dx * dx + dy * dy);
    const float r = width * 0.5f;
    if (len <= 0.0f) {
        fillCircle(c, x0, y0, r, colour, alpha);
        return;
    }
    const float base = std::atan2(dy, dx);
    Vec2 pts[66];
    int n = 0;
    for (int i = 0; i <= 32; ++i) {
        const float a = base + 1.5707963f + float(i) * 3.1415926f / 32.0f;
        pts[n++] = Vec2{x0 + r * std::cos(a), y0 + r * std::sin(a)};
    }
    for (int i = 0; i <= 32; ++i) {
        const float a = base - 1.5707963f + float(i) * 3.1415926f / 32.0f;
        pts[n++] = Vec2{x1 + r * std::cos(a), y1 + r * std::sin(a)};
    }
    fillPolygon(c, pts, n, colour, alpha);
}

namespace {

int roundRectPoints(Vec2* pts, float x0, float y0, float x1, float y1, float radius) {
    const float maxR = std::fmin(x1 - x0, y1 - y0) * 0.5f;
    if (radius > maxR) radius = maxR;
    const float cx[4] = {x1 - radius, x1 - radius, x0 + radius, x0 + radius};
    const float cy[4] = {y0 + radius, y1 - radius, y1 - radius, y0 + radius};
    int n = 0;
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i <= 8; ++i) {
            const float a = -1.5707963f + float(k) * 1.5707963f + float(i) * 1.5707963f / 8.0f;
            pts[n++] = Vec2{cx[k] + radius * std::cos(a), cy[k] + radius * std::sin(a)};
        }
    }
    return n;
}

}  // namespace

void fillRoundRect(Canvas* c, float x0, float y0, float x1, float y1, float radius, Rgb colour, float alpha) {
    Vec2 pts[40];
    const int n = roundRectPoints(pts, x0, y0, x1, y1, radius);
    fillPolygon(c, pts, n, colour, alpha);
}

void strokeRoundRect(Canvas* c, float x0, float y0, float x1, float y1, float radius, float width,
                     Rgb colour, float alpha) {
    Vec2 pts[80];
    const int n = roundRectPoints(pts, x0, y0, x1, y1, radius);
    const int m = roundRectPoints(pts + n, x0 + width, y0 + width, x1 - width, y1 - width,
                                  std::fmax(radius - width, 0.0f));
    const int sizes[2] = {n, m};
    fillPath(c, pts, sizes, 2, colour, alpha);
}

void strokePolyline(Canvas* c, const Vec2* points, int count, float width, Rgb colour, bool closed) {
    for (int i = 0; i + 1 < count; ++i)
        drawTube(c, points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, width, colour);
    if (closed && count > 2)
        drawTube(c, points[count - 1].x, points[count - 1].y, points[0].x, points[0].y, width, colour);
}

float hashNoise(int x, int y, int seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFFFFu) / float(0xFFFFFF);
}

float valueNoise(float x, float y, float period, int seed) {
    const float fx = x / period, fy = y / period;
    const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    const float tx = smooth(fx - float(ix)), ty = smooth(fy - float(iy));
    const float a = hashNoise(ix, iy, seed), b = hashNoise(ix + 1, iy, seed);
    const float c = hashNoise(ix, iy + 1, seed), d = hashNoise(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float tiledNoise(float x, float y, float period, int tileW, int tileH, int seed) {
    // Whole lattice cells per tile, the lattice wrapped at the tile's edge.
    int cellsX = int(float(tileW) / period + 0.5f);
    int cellsY = int(float(tileH) / period + 0.5f);
    if (cellsX < 1) cellsX = 1;
    if (cellsY < 1) cellsY = 1;
    const float fx = x * float(cellsX) / float(tileW), fy = y * float(cellsY) / float(tileH);
    const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    const float tx = smooth(fx - float(ix)), ty = smooth(fy - float(iy));
    auto at = [&](int gx, int gy) {
        gx = ((gx % cellsX) + cellsX) % cellsX;
        gy = ((gy % cellsY) + cellsY) % cellsY;
        return hashNoise(gx, gy, seed);
    };
    const float a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
    const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

void addGrain(Canvas* c, int x0, int y0, int x1, int y1, float strength, int seed) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            if (x < 0 || y < 0 || x >= c->width || y >= c->height) continue;
            const float n = (hashNoise(x, y, seed) - 0.5f) * 2.0f * strength;
            Rgb& p = c->pixels[y * c->width + x];
            p = Rgb{p.r + n, p.g + n, p.b + n};
        }
}
