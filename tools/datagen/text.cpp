// FreeType text: glyphs rendered as 8-bit coverage and blended into the canvas.
#include "text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

FT_Library library = nullptr;
FT_Face faces[FaceCount] = {};

const char* const FaceFiles[FaceCount] = {
    "DejaVuSans-Bold.ttf",
    "DejaVuSansCondensed-Bold.ttf",
    "DejaVuSans.ttf",
    "DejaVuSansMono-Bold.ttf",
};

// Decodes one UTF-8 character; advances text.
uint32_t nextCodepoint(const char*& text) {
    const unsigned char c = static_cast<unsigned char>(*text++);
    if (c < 0x80) return c;
    int extra = 0;
    uint32_t cp = 0;
    if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
    else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
    else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
    else return '?';
    for (int i = 0; i < extra; ++i) {
        const unsigned char d = static_cast<unsigned char>(*text);
        if ((d & 0xC0) != 0x80) return '?';
        ++text;
        cp = (cp << 6) | (d & 0x3F);
    }
    return cp;
}

// Walks the text, calling draw for every rendered glyph bitmap; returns the advance.
template <typename Draw>
float layout(FaceId face, int size, const char* text, Draw draw) {
    FT_Face f = faces[face];
    if (!f) return 0.0f;
    FT_Set_Pixel_Sizes(f, 0, FT_UInt(size));
    float pen = 0.0f;
    FT_UInt previous = 0;
    while (*text) {
        const uint32_t cp = nextCodepoint(text);
        const FT_UInt index = FT_Get_Char_Index(f, cp);
        if (previous && index && FT_HAS_KERNING(f)) {
            FT_Vector k;
            if (FT_Get_Kerning(f, previous, index, FT_KERNING_DEFAULT, &k) == 0) pen += float(k.x) / 64.0f;
        }
        if (FT_Load_Glyph(f, index, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = f->glyph;
        draw(g->bitmap, int(std::lround(pen)) + g->bitmap_left, -g->bitmap_top);
        pen += float(g->advance.x) / 64.0f;
        previous = index;
    }
    return pen;
}

}  // namespace

bool openFaces(const char* fontDir) {
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "datagen: FreeType could not start\n");
        return false;
    }
    for (int i = 0; i < FaceCount; ++i) {
        char path[1024];
        std::snprintf(path, sizeof path, "%s/%s", fontDir, FaceFiles[i]);
        if (FT_New_Face(library, path, 0, &faces[i]) != 0) {
            std::fprintf(stderr, "datagen: cannot open font %s\n", path);
            return false;
        }
    }
    return true;
}

void closeFaces() {
    for (int i = 0; i < FaceCount; ++i)
        if (faces[i]) FT_Done_Face(faces[i]);
    if (library) FT_Done_FreeType(library);
    library = nullptr;
    std::memset(faces, 0, sizeof faces);
}

void* faceHandle(FaceId face) { return faces[face]; }

namespace {
int TextOverflows = 0;
}  // namespace

void requireRoom(FaceId face, int size, const char* text, float room) {
    const float width = textWidth(face, size, text);
    if (width > room + 0.5f) reportOverflow(text, width, room);
}

void reportOverflow(const char* what, float width, float room) {
    ++TextOverflows;
    std::fprintf(stderr, "datagen: \"%s\" is %.0f pixels wide, its place holds %.0f\n", what, width, room);
}

int textOverflowCount() { return TextOverflows; }

float textWidth(FaceId face, int size, const char* text) {
    return layout(face, size, text, [](const FT_Bitmap&, int, int) {});
}

void drawString(Canvas* c, FaceId face, int size, float x, float y, Rgb colour, const char* text, float alpha) {
    if (x < 0.0f) requireRoom(face, size, text, 0.0f);
    else requireRoom(face, size, text, float(c->width) - x);
    const int ox = int(std::lround(x)), oy = int(std::lround(y));
    layout(face, size, text, [&](const FT_Bitmap& bm, int left, int top) {
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                const unsigned char v = bm.buffer[row * bm.pitch + col];
                if (v) blendPixel(c, ox + left + int(col), oy + top + int(row), colour, alpha * float(v) / 255.0f);
            }
    });
}

void drawOutlined(Canvas* c, FaceId face, int size, float x, float y, Rgb colour, Rgb outline, float radius,
                  const char* text) {
    const int r = int(std::ceil(radius));
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const float d = std::sqrt(float(dx * dx + dy * dy));
            if (d > radius + 0.01f || (dx == 0 && dy == 0)) continue;
            drawString(c, face, size, x + float(dx), y + float(dy), outline, text, 0.8f);
        }
    drawString(c, face, size, x + 1.5f, y + radius + 1.5f, outline, text, 0.6f);
    drawString(c, face, size, x, y, colour, text);
}

void drawShadowed(Canvas* c, FaceId face, int size, float x, float y, Rgb colour, const char* text) {
    drawString(c, face, size, x + 2.0f, y + 2.0f, rgb(0, 0, 0), text, 0.55f);
    drawString(c, face, size, x, y, colour, text);
}

void drawCentred(Canvas* c, FaceId face, int size, float cx, float y, Rgb colour, const char* text) {
    drawString(c, face, size, cx - textWidth(face, size, text) * 0.5f, y, colour, text);
}

void drawCentredOutlined(Canvas* c, FaceId face, int size, float cx, float y, Rgb colour, Rgb outline,
                         float radius, const char* text) {
    drawOutlined(c, face, size, cx - textWidth(face, size, text) * 0.5f, y, colour, outline, radius, text);
}
