// The application icon, painted with the same scene and rider as the intro picture and
// reduced by averaging to each size; the corners are cut round with a smooth alpha edge.
#include "icons.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <png.h>

#include "generators.h"
#include "ui.h"

namespace {

constexpr int ArtSize = 480;  // the square the icon is painted in, reduced from there

// Coverage of the rounded square at an icon pixel, from a 4 x 4 grid of samples.
float cornerCoverage(int x, int y, int size) {
    const float radius = float(size) * 0.18f;
    const float lo = radius, hi = float(size) - radius;
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const float px = float(x) + (float(sx) + 0.5f) / 4.0f;
            const float py = float(y) + (float(sy) + 0.5f) / 4.0f;
            const float dx = px < lo ? lo - px : (px > hi ? px - hi : 0.0f);
            const float dy = py < lo ? lo - py : (py > hi ? py - hi : 0.0f);
            if (dx * dx + dy * dy <= radius * radius) ++inside;
        }
    return float(inside) / 16.0f;
}

unsigned char toByte(float v) { return (unsigned char)(v < 0.0f ? 0 : (v > 255.0f ? 255 : std::lround(v))); }

}  // namespace

void paintIconArt(Canvas* c) {
    resetCanvas(c, ArtSize, ArtSize, rgb(0, 0, 0));
    drawAlpineScene(c, 190, 7);
    drawRider(c, 230, 404, 2.6f, 0.12f, Accent, rgb(30, 40, 60), rgb(230, 230, 235));
}

void reduceIcon(const Canvas* c, IconImage* icon, int size) {
    icon->size = size;
    // Each icon pixel averages the art pixels whose centres fall inside it.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int x0 = x * ArtSize / size, x1 = (x + 1) * ArtSize / size;
            const int y0 = y * ArtSize / size, y1 = (y + 1) * ArtSize / size;
            Rgb sum = {0, 0, 0};
            for (int ay = y0; ay < y1; ++ay)
                for (int ax = x0; ax < x1; ++ax) {
                    const Rgb& p = c->pixels[ay * ArtSize + ax];
                    sum.r += p.r;
                    sum.g += p.g;
                    sum.b += p.b;
                }
            const float n = float((x1 - x0) * (y1 - y0));
            unsigned char* out = icon->rgba + (y * size + x) * 4;
            out[0] = toByte(sum.r / n);
            out[1] = toByte(sum.g / n);
            out[2] = toByte(sum.b / n);
            out[3] = toByte(cornerCoverage(x, y, size) * 255.0f);
        }
}

bool writeIconPng(const IconImage* icon, const char* path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(icon->size);
    image.height = png_uint_32(icon->size);
    image.format = PNG_FORMAT_RGBA;
    const bool ok = png_image_write_to_file(&image, path, 0, icon->rgba, icon->size * 4, nullptr) != 0;
    if (!ok) std::fprintf(stderr, "datagen: cannot write %s: %s\n", path, image.message);
    png_image_free(&image);
    return ok;
}

bool writeIcons(const char* iconDir, const char* appId) {
    static IconImage icon;
    Canvas* art = screenCanvas();
    paintIconArt(art);
    for (int size : IconSizes) {
        const std::filesystem::path dir =
            std::filesystem::path(iconDir) / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        reduceIcon(art, &icon, size);
        if (!writeIconPng(&icon, (dir / (std::string(appId) + ".png")).string().c_str())) return false;
    }
    return true;
}
