// Median-cut palettes, nearest-colour mapping and the BMP writing of the generator.
#include "palette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

constexpr int BinBits = 5;
constexpr int BinCount = 1 << (3 * BinBits);

struct Bin {
    int index;       // 15-bit colour key
    double count;
    double r, g, b;  // sums of the exact colours
};

Bin bins[BinCount];
int used[BinCount];  // indices into bins of the occupied ones

struct Box {
    int first, last;  // range in used[]
};

int clampByte(float v) {
    const int i = int(std::lround(v));
    return i < 0 ? 0 : (i > 255 ? 255 : i);
}

int binKey(int r, int g, int b) {
    return ((r >> (8 - BinBits)) << (2 * BinBits)) | ((g >> (8 - BinBits)) << BinBits) | (b >> (8 - BinBits));
}

int channelOf(int key, int channel) {
    return (key >> ((2 - channel) * BinBits)) & ((1 << BinBits) - 1);
}

void boxRange(const Box& box, int* axis, int* range, double* population) {
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    double pop = 0.0;
    for (int i = box.first; i <= box.last; ++i) {
        const Bin& bin = bins[used[i]];
        pop += bin.count;
        for (int ch = 0; ch < 3; ++ch) {
            const int v = channelOf(bin.index, ch);
            lo[ch] = std::min(lo[ch], v);
            hi[ch] = std::max(hi[ch], v);
        }
    }
    int best = 0;
    for (int ch = 1; ch < 3; ++ch)
        if (hi[ch] - lo[ch] > hi[best] - lo[best]) best = ch;
    *axis = best;
    *range = hi[best] - lo[best];
    *population = pop;
}

void setEntry(PaletteEntry* e, int r, int g, int b) {
    e->red = uint8_t(r);
    e->green = uint8_t(g);
    e->blue = uint8_t(b);
    e->reserved = 0;
}

int16_t mapCache[1 << 18];

}  // namespace

void buildPicturePalette(const Canvas* c, const ReservedColours* reserved, PaletteEntry* palette) {
    std::memset(palette, 0, sizeof(PaletteEntry) * 256);
    setEntry(&palette[0], 0, 0, 0);
    int next = 1;
    for (int i = 0; reserved && i < reserved->count && next < 255; ++i, ++next)
        setEntry(&palette[next], clampByte(reserved->colours[i].r), clampByte(reserved->colours[i].g),
                 clampByte(reserved->colours[i].b));

    for (int i = 0; i < BinCount; ++i) bins[i] = Bin{i, 0.0, 0.0, 0.0, 0.0};
    for (int i = 0; i < c->width * c->height; ++i) {
        const Rgb p = c->pixels[i];
        const int r = clampByte(p.r), g = clampByte(p.g), b = clampByte(p.b);
        Bin& bin = bins[binKey(r, g, b)];
        bin.count += 1.0;
        bin.r += r;
        bin.g += g;
        bin.b += b;
    }
    int usedCount = 0;
    for (int i = 0; i < BinCount; ++i)
        if (bins[i].count > 0.0) used[usedCount++] = i;

    const int wanted = 255 - next;  // entries next..254
    Box boxes[256];
    int boxCount = 0;
    if (usedCount > 0) boxes[boxCount++] = Box{0, usedCount - 1};
    while (boxCount < wanted) {
        // Split the box with the largest spread weighted by how many pixels it holds.
        int pick = -1;
        double bestScore = 0.0;
        int pickAxis = 0;
        for (int k = 0; k < boxCount; ++k) {
            if (boxes[k].first == boxes[k].last) continue;
            int axis, range;
            double pop;
            boxRange(boxes[k], &axis, &range, &pop);
            const double score = double(range + 1) * std::sqrt(pop);
            if (range > 0 && score > bestScore) {
                bestScore = score;
                pick = k;
                pickAxis = axis;
            }
        }
        if (pick < 0) break;
        Box& box = boxes[pick];
        std::sort(used + box.first, used + box.last + 1, [&](int a, int b) {
            const int va = channelOf(bins[a].index, pickAxis), vb = channelOf(bins[b].index, pickAxis);
            return va != vb ? va < vb : a < b;
        });
        double total = 0.0;
        for (int i = box.first; i <= box.last; ++i) total += bins[used[i]].count;
        double run = 0.0;
        int split = box.first;
        for (int i = box.first; i < box.last; ++i) {
            run += bins[used[i]].count;
            split = i;
            if (run >= total * 0.5) break;
        }
        boxes[boxCount++] = Box{split + 1, box.last};
        box.last = split;
    }
    for (int k = 0; k < boxCount && next < 255; ++k, ++next) {
        double n = 0.0, r = 0.0, g = 0.0, b = 0.0;
        for (int i = boxes[k].first; i <= boxes[k].last; ++i) {
            const Bin& bin = bins[used[i]];
            n += bin.count;
            r += bin.r;
            g += bin.g;
            b += bin.b;
        }
        setEntry(&palette[next], clampByte(float(r / n)), clampByte(float(g / n)), clampByte(float(b / n)));
    }
    // Unused entries repeat black; entry 255 repeats entry 254 so nothing needs it.
    palette[255] = palette[254];
}

void mapCanvas(const Canvas* c, const PaletteEntry* palette, int first, int last, bool dither, uint8_t* indices) {
    static const float Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int i = 0; i < (1 << 18); ++i) mapCache[i] = -1;
    for (int y = 0; y < c->height; ++y)
        for (int x = 0; x < c->width; ++x) {
            Rgb p = c->pixels[y * c->width + x];
            if (dither) {
                const float d = (Bayer[y & 3][x & 3] / 15.0f - 0.5f) * 5.0f;
                p = Rgb{p.r + d, p.g + d, p.b + d};
            }
            const int r = clampByte(p.r), g = clampByte(p.g), b = clampByte(p.b);
            const int key = ((r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2);
            if (mapCache[key] < 0) {
                int best = first;
                long bestDist = -1;
                for (int e = first; e <= last; ++e) {
                    const long dr = r - palette[e].red, dg = g - palette[e].green, db = b - palette[e].blue;
                    const long dist = dr * dr + dg * dg + db * db;
                    if (bestDist < 0 || dist < bestDist) {
                        bestDist = dist;
                        best = e;
                    }
                }
                mapCache[key] = int16_t(best);
            }
            indices[y * c->width + x] = uint8_t(mapCache[key]);
        }
}

int nearestBySum(const PaletteEntry* palette, int first, int last, int r, int g, int b) {
    int best = first;
    int bestSum = -1;
    for (int e = first; e <= last; ++e) {
        const int sum = std::abs(r - palette[e].red) + std::abs(g - palette[e].green) + std::abs(b - palette[e].blue);
        if (bestSum < 0 || sum < bestSum) {
            bestSum = sum;
            best = e;
        }
    }
    return best;
}

bool writePicture(const char* outDir, const char* name, const uint8_t* indices, int width, int height,
                  const PaletteEntry* palette) {
    const std::filesystem::path path = std::filesystem::path(outDir) / name;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (!writeBitmap8(path.string().c_str(), indices, width, height, width, palette)) {
        std::fprintf(stderr, "datagen: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

bool writeScreen(const char* outDir, const char* name, const Canvas* c, const ReservedColours* reserved) {
    static PaletteEntry palette[256];
    static uint8_t indices[CanvasMaxWidth * CanvasMaxHeight];
    buildPicturePalette(c, reserved, palette);
    mapCanvas(c, palette, 0, 254, true, indices);
    return writePicture(outDir, name, indices, c->width, c->height, palette);
}
