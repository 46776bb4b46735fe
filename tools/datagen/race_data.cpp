// The race's pictures: the start palette, the race palette (sky at entry 0, every
// colour of the course's triangles exactly, ramps for the textures), the nine
// screen-tiled textures and the handlebar seen from the saddle.
#include <cmath>
#include <cstring>

#include "generators.h"
#include "palette.h"
#include "text.h"
#include "track/course_colours.h"

namespace {

const Rgb Sky = {150, 200, 240};
const Rgb Accent = {255, 122, 0};

// After the course's colours, kept exactly: black for the outlines, the accent.
const Rgb Black = {0, 0, 0};

struct Ramp {
    int count;
    Rgb from, to;
};

// Ramps for the textures and the handlebar, in palette order after the course colours.
const Ramp RaceRamps[] = {
    {32, {64, 60, 56}, {240, 236, 228}},   // gravel
    {24, {80, 52, 30}, {206, 168, 118}},   // earth
    {32, {48, 24, 8}, {214, 146, 84}},     // wood
    {24, {16, 26, 110}, {180, 200, 255}},  // water
    {32, {8, 44, 4}, {130, 210, 70}},      // grass
    {16, {110, 44, 0}, {255, 186, 100}},   // signal orange
    {12, {8, 14, 28}, {70, 92, 136}},      // navy
    {32, {6, 6, 8}, {236, 238, 242}},      // greys and metal
    {16, {100, 150, 200}, {235, 245, 255}},// sky and haze
    {18, {120, 20, 20}, {250, 120, 110}},  // reds
    {16, {40, 110, 60}, {200, 220, 120}},  // olive and moss
};

void setEntry(PaletteEntry* e, Rgb c) {
    e->red = uint8_t(c.r);
    e->green = uint8_t(c.g);
    e->blue = uint8_t(c.b);
    e->reserved = 0;
}

void buildRacePalette(PaletteEntry* pal) {
    std::memset(pal, 0, sizeof(PaletteEntry) * 256);
    setEntry(&pal[0], Sky);
    int next = 1;
    for (const CourseColourEntry& c : CourseColours)
        setEntry(&pal[next++], Rgb{float(c.rgb.red), float(c.rgb.green), float(c.rgb.blue)});
    setEntry(&pal[next++], Black);
    setEntry(&pal[next++], Accent);
    for (const Ramp& r : RaceRamps)
        for (int i = 0; i < r.count && next < 255; ++i) {
            const float t = r.count > 1 ? float(i) / float(r.count - 1) : 0.0f;
            const Rgb c = mixRgb(r.from, r.to, t);
            setEntry(&pal[next++], Rgb{std::round(c.r), std::round(c.g), std::round(c.b)});
        }
    while (next < 255) {
        pal[next] = pal[next - 1];
        ++next;
    }
    // Entry 255 repeats 254: the flat-colour search never looks at it.
    pal[255] = pal[254];
}

// The start palette: black, a 6 x 6 x 6 colour cube and a grey ramp.
void buildStartPalette(PaletteEntry* pal) {
    std::memset(pal, 0, sizeof(PaletteEntry) * 256);
    int next = 1;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) setEntry(&pal[next++], rgb(float(r * 51), float(g * 51), float(b * 51)));
    for (int i = 0; next < 255; ++i) {
        const float v = 6.0f + float(i) * 6.5f;
        setEntry(&pal[next++], rgb(v, v, v));
    }
    pal[255] = pal[254];
}

// A 16 x 16 swatch of the palette, one pixel per entry 0..254 (the last shows 254).
bool writeSwatch(const char* outDir, const char* name, const PaletteEntry* pal) {
    uint8_t pixels[256];
    for (int i = 0; i < 256; ++i) pixels[i] = uint8_t(i < 255 ? i : 254);
    return writePicture(outDir, name, pixels, 16, 16, pal);
}

// Draws a shape at every place it repeats, so a texture's tiles meet without a seam.
template <typename Shape>
void wrapped(const Canvas* c, Shape shape) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) shape(float(dx * c->width), float(dy * c->height));
}

void noiseFill(Canvas* c, Rgb dark, Rgb light, float period, int seed, float detail) {
    for (int y = 0; y < c->height; ++y)
        for (int x = 0; x < c->width; ++x) {
            float n = tiledNoise(float(x), float(y), period, c->width, c->height, seed) * (1.0f - detail) +
                      tiledNoise(float(x), float(y), period * 0.25f, c->width, c->height, seed + 1) * detail;
            c->pixels[y * c->width + x] = mixRgb(dark, light, n);
        }
}

void stones(Canvas* c, int count, float minR, float maxR, Rgb dark, Rgb light, int seed) {
    for (int i = 0; i < count; ++i) {
        const float x = hashNoise(i, 1, seed) * float(c->width), y = hashNoise(i, 2, seed) * float(c->height);
        const float r = minR + (maxR - minR) * hashNoise(i, 3, seed);
        const Rgb col = mixRgb(dark, light, hashNoise(i, 4, seed));
        wrapped(c, [&](float ox, float oy) {
            fillEllipse(c, x + ox + 0.6f, y + oy + 0.8f, r * 1.3f, r, scaleRgb(col, 0.55f));
            fillEllipse(c, x + ox, y + oy, r * 1.3f, r, col);
            fillEllipse(c, x + ox - r * 0.3f, y + oy - r * 0.3f, r * 0.5f, r * 0.35f, mixRgb(col, rgb(255, 255, 255), 0.4f));
        });
    }
}

void woodGrain(Canvas* c, Rgb dark, Rgb light, int planks, bool vertical, int seed) {
    const int across = vertical ? c->width : c->height;
    for (int y = 0; y < c->height; ++y)
        for (int x = 0; x < c->width; ++x) {
            const float a = float(vertical ? x : y), along = float(vertical ? y : x);
            const int alongSize = vertical ? c->height : c->width;
            const float plankSize = float(across) / float(planks);
            const int plank = int(a / plankSize);
            const float inPlank = a - float(plank) * plankSize;
            const float warp = tiledNoise(vertical ? a : along, vertical ? along : a, 16.0f, c->width, c->height, seed) * 3.0f;
            const float ring = 0.5f + 0.5f * std::sin((inPlank + warp) * 1.7f + float(plank) * 2.0f);
            const float knot = tiledNoise(vertical ? a : along, vertical ? along : a, float(alongSize) / 2.0f, c->width,
                                          c->height, seed + plank) * 0.3f;
            Rgb col = mixRgb(dark, light, 0.35f + 0.45f * ring - knot + 0.2f * hashNoise(plank, 0, seed));
            if (inPlank < 1.0f) col = scaleRgb(dark, 0.6f);  // the gap between planks
            c->pixels[y * c->width + x] = col;
        }
}

void drawSign(Canvas* c, bool second) {
    const Rgb navy = {14, 22, 44};
    if (!second) {
        resetCanvas(c, c->width, c->height, Accent);
        fillRect(c, 0, 0, float(c->width), 4, navy);
        fillRect(c, 0, float(c->height - 4), float(c->width), float(c->height), navy);
        drawCentred(c, FaceCondensed, 14, float(c->width) * 0.5f, 22, navy, "TUMBLE");
        drawCentred(c, FaceCondensed, 14, float(c->width) * 0.5f, 39, rgb(255, 255, 255), "GRADE");
        for (int i = 0; i < 6; ++i) fillRect(c, float(i * 11), 46, float(i * 11 + 6), 52, navy);
    } else {
        resetCanvas(c, c->width, c->height, navy);
        fillRect(c, 0, 0, float(c->width), 3, Accent);
        fillRect(c, 0, float(c->height - 3), float(c->width), float(c->height), Accent);
        drawString(c, FaceBold, 26, 9, 34, Accent, "DH");
        for (int i = 0; i < 4; ++i) {
            const float x = 6.0f + float(i) * 14.0f;
            const Vec2 chevron[6] = {{x, 42}, {x + 6, 42}, {x + 12, 48}, {x + 6, 54}, {x, 54}, {x + 6, 48}};
            fillPolygon(c, chevron, 6, rgb(255, 255, 255));
        }
    }
}

struct TextureSpec {
    const char* file;
    int width, height;
};

// Widths modulo 4 are 1, 3, 0, 2, 2, 2, 3, 2, 3: the rows the rasteriser expects.
const TextureSpec Textures[9] = {
    {"Textures/weg3_16.bmp", 65, 64},  {"Textures/weg2_16.bmp", 63, 64},   {"Textures/holz1_16.bmp", 64, 64},
    {"Textures/holz3_16.bmp", 62, 64}, {"Textures/wasser_16.bmp", 62, 64}, {"Textures/grass_16.bmp", 66, 64},
    {"Textures/roox.bmp", 63, 56},     {"Textures/roox2.bmp", 62, 56},     {"Textures/kona.bmp", 63, 63},
};

void drawTexture(Canvas* c, int number) {
    switch (number) {
    case 0:  // gravel path
        noiseFill(c, rgb(170, 166, 158), rgb(230, 228, 222), 16.0f, 11, 0.5f);
        stones(c, 70, 0.8f, 2.6f, rgb(110, 104, 96), rgb(240, 236, 228), 12);
        break;
    case 1:  // earth path
        noiseFill(c, rgb(110, 76, 46), rgb(190, 150, 104), 21.0f, 21, 0.5f);
        stones(c, 30, 0.7f, 2.0f, rgb(90, 64, 40), rgb(206, 170, 120), 22);
        break;
    case 2:  // kicker: horizontal boards
        woodGrain(c, rgb(70, 34, 10), rgb(176, 104, 48), 4, false, 31);
        break;
    case 3:  // fence posts: vertical grain
        woodGrain(c, rgb(110, 62, 30), rgb(214, 146, 84), 2, true, 41);
        break;
    case 4:  // water
        for (int y = 0; y < c->height; ++y)
            for (int x = 0; x < c->width; ++x) {
                const float wave = tiledNoise(float(x), float(y) * 2.0f, 15.5f, c->width, c->height * 2, 51);
                const float fine = tiledNoise(float(x), float(y), 7.75f, c->width, c->height, 52);
                const float t = 0.25f + 0.5f * wave + 0.25f * fine;
                c->pixels[y * c->width + x] = t > 0.78f ? rgb(190, 206, 255) : mixRgb(rgb(40, 50, 170), rgb(110, 120, 255), t);
            }
        break;
    case 5:  // grass
        noiseFill(c, rgb(14, 96, 6), rgb(70, 180, 30), 22.0f, 61, 0.4f);
        for (int i = 0; i < 220; ++i) {
            const float x = hashNoise(i, 1, 62) * float(c->width), y = hashNoise(i, 2, 62) * float(c->height);
            const float h = 2.0f + 4.0f * hashNoise(i, 3, 62);
            const Rgb col = mixRgb(rgb(10, 70, 4), rgb(120, 210, 60), hashNoise(i, 4, 62));
            wrapped(c, [&](float ox, float oy) {
                drawTube(c, x + ox, y + oy, x + ox + (hashNoise(i, 5, 62) - 0.5f) * 3.0f, y + oy - h, 1.0f, col);
            });
        }
        break;
    case 6: drawSign(c, false); break;
    case 7: drawSign(c, true); break;
    default:  // spare: a chequered start flag pattern in the project's colours
        for (int y = 0; y < c->height; ++y)
            for (int x = 0; x < c->width; ++x)
                c->pixels[y * c->width + x] = ((x / 21 + y / 21) % 2) ? Accent : rgb(14, 22, 44);
        break;
    }
}

bool writeTextures(const char* outDir, const PaletteEntry* race) {
    static Canvas canvas;
    static uint8_t indices[CanvasMaxWidth * CanvasMaxHeight];
    for (int i = 0; i < 9; ++i) {
        resetCanvas(&canvas, Textures[i].width, Textures[i].height, rgb(0, 0, 0));
        drawTexture(&canvas, i);
        // Entry 0 is the sky: textures use the other entries only, without dither so the tiles meet.
        mapCanvas(&canvas, race, 1, 254, false, indices);
        if (!writePicture(outDir, Textures[i].file, indices, canvas.width, canvas.height, race)) return false;
    }
    return true;
}

// The handlebar from the saddle: riser bar, stem, grips, brake levers and the fork crown.
// Drawn twice: once in colour and once as a coverage mask that decides where index 0
// (the course showing through) goes.
void drawHandlebar(Canvas* c, bool mask) {
    auto col = [mask](Rgb v) { return mask ? rgb(255, 255, 255) : v; };
    const Rgb metal = {150, 154, 162}, dark = {30, 32, 36}, black = {12, 12, 14}, navy = {20, 34, 70};
    // Fork crown and stanchion tops ahead of the stem.
    drawTube(c, 196, 26, 196, 0, 26, col(rgb(200, 204, 210)));
    drawTube(c, 284, 26, 284, 0, 26, col(rgb(200, 204, 210)));
    fillRoundRect(c, 168, 18, 312, 50, 14, col(navy));
    fillRoundRect(c, 176, 22, 304, 30, 4, col(rgb(70, 96, 150)));
    fillCircle(c, 240, 34, 10, col(dark));
    // Stem running back to the steerer at the bottom.
    const Vec2 stem[4] = {{218, 150}, {262, 150}, {254, 56}, {226, 56}};
    fillPolygon(c, stem, 4, col(dark));
    fillRoundRect(c, 222, 50, 258, 104, 8, col(rgb(48, 50, 56)));
    fillCircle(c, 232, 120, 4, col(metal));
    fillCircle(c, 248, 120, 4, col(metal));
    fillRoundRect(c, 210, 132, 270, 150, 6, col(rgb(40, 42, 46)));
    // The riser bar: low in the middle, rising to the grips; a highlight makes it round.
    const Vec2 bar[7] = {{30, 62}, {110, 70}, {160, 90}, {240, 96}, {320, 90}, {370, 70}, {450, 62}};
    strokePolyline(c, bar, 7, 22, col(rgb(60, 62, 70)), false);
    if (!mask) {
        const Vec2 shine[7] = {{34, 57}, {110, 64}, {160, 84}, {240, 90}, {320, 84}, {370, 64}, {446, 57}};
        strokePolyline(c, shine, 7, 6, rgb(150, 154, 166), false);
    }
    fillRoundRect(c, 214, 80, 266, 112, 6, col(rgb(40, 42, 46)));  // bar clamp
    // Grips with their lock rings.
    for (int side = 0; side < 2; ++side) {
        const float x0 = side == 0 ? 0.0f : 390.0f;
        fillRoundRect(c, x0, 44, x0 + 90, 82, 16, col(black));
        if (!mask)
            for (int k = 0; k < 8; ++k) fillRect(c, x0 + 10.0f + float(k) * 9.0f, 48, x0 + 14.0f + float(k) * 9.0f, 78, rgb(40, 40, 44));
        fillRect(c, side == 0 ? x0 + 84 : x0, 42, side == 0 ? x0 + 92 : x0 + 6, 84, col(Accent));
    }
    // Brake levers: a clamp on the bar and a blade reaching out over the grip.
    for (int side = 0; side < 2; ++side) {
        const float s = side == 0 ? 1.0f : -1.0f, base = side == 0 ? 118.0f : 362.0f;
        fillRoundRect(c, base - 14, 56, base + 14, 92, 6, col(rgb(40, 42, 46)));
        fillRoundRect(c, base - 10 + s * 10, 40, base + 10 + s * 10, 60, 4, col(rgb(40, 42, 46)));
        drawTube(c, base, 48, base - s * 92, 28, 9, col(metal));
        drawTube(c, base - s * 92, 28, base - s * 104, 34, 9, col(metal));
    }
    // A bar-mounted display in the accent colour.
    fillRoundRect(c, 290, 104, 350, 142, 8, col(dark));
    fillRoundRect(c, 296, 110, 344, 136, 4, col(rgb(180, 200, 170)));
    if (!mask) drawString(c, FaceMonoBold, 14, 300, 130, rgb(20, 30, 20), "DH");
}

bool writeHandlebar(const char* outDir, const PaletteEntry* race) {
    static Canvas colour, coverage;
    static uint8_t indices[480 * 150];
    resetCanvas(&colour, 480, 150, Sky);
    resetCanvas(&coverage, 480, 150, rgb(0, 0, 0));
    drawHandlebar(&colour, false);
    drawHandlebar(&coverage, true);
    mapCanvas(&colour, race, 1, 254, false, indices);
    for (int i = 0; i < 480 * 150; ++i)
        if (coverage.pixels[i].r < 128.0f) indices[i] = 0;
    return writePicture(outDir, "Textures/lenkerTBGblackNew.bmp", indices, 480, 150, race);
}

}  // namespace

bool writeRaceData(const char* outDir) {
    PaletteEntry start[256], race[256];
    buildStartPalette(start);
    buildRacePalette(race);
    return writeSwatch(outDir, "Images/Initpal.bmp", start) && writeSwatch(outDir, "Textures/paltexture.bmp", race) &&
           writeTextures(outDir, race) && writeHandlebar(outDir, race);
}
