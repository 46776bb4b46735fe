// Bitmap fonts: the reader for Windows 2.x raster font files and the text drawing
// that uses them. The file is untrusted: every glyph must lie inside it.
#include <cstring>
#include <new>

#include "display/display.h"

namespace {

constexpr int HeaderSize = 118;
constexpr int MaxGlyphWidth = 64;
constexpr int MaxGlyphHeight = 128;

struct Glyph {
    int width;
    int offset;  // into Font::bits: width * height bytes, one per pixel, rows top down
};

uint32_t readU16(const uint8_t* p) { return p[0] | (p[1] << 8); }

}  // namespace

struct Font {
    int height;
    int firstChar;
    int lastChar;
    int defaultChar;
    Glyph glyphs[256];
    uint8_t* bits;
};

namespace {

Font* refuse(int code, Font* font = nullptr, uint8_t* bits = nullptr) {
    delete font;
    delete[] bits;
    setLastError(code);
    return nullptr;
}

}  // namespace

Font* decodeFont(const uint8_t* data, long size) {
    if (!data || size < HeaderSize) return refuse(ErrFontCorrupted);
    const uint32_t version = readU16(data);
    if (version != 0x200) {
        // Other Windows font versions are recognised but not supported.
        if (version == 0x100 || version == 0x300) return refuse(ErrFontVersion);
        return refuse(ErrFontCorrupted);
    }
    const uint32_t type = readU16(data + 66);
    if (type & 1) return refuse(ErrFontCorrupted);  // a vector font, not a raster font
    const int height = int(readU16(data + 88));
    const int first = data[95];
    const int last = data[96];
    const int defaultChar = data[97];
    if (height <= 0 || height > MaxGlyphHeight || first > last) return refuse(ErrFontCorrupted);
    const int entries = last - first + 1;
    if (HeaderSize + long(entries) * 4 > size) return refuse(ErrFontCorrupted);

    Font* font = new (std::nothrow) Font{};
    uint8_t* bits = new (std::nothrow) uint8_t[size_t(entries) * MaxGlyphWidth * height];
    if (!font || !bits) return refuse(ErrNotEnoughMemory, font, bits);
    font->height = height;
    font->firstChar = first;
    font->lastChar = last;
    font->defaultChar = first + defaultChar <= last ? first + defaultChar : first;
    font->bits = bits;
    int used = 0;
    for (int i = 0; i < entries; ++i) {
        const uint8_t* entry = data + HeaderSize + i * 4;
        const int width = int(readU16(entry));
        const long offset = long(readU16(entry + 2));
        const int columns = (width + 7) / 8;
        if (width > MaxGlyphWidth || offset + long(columns) * height > size)
            return refuse(ErrFontCorrupted, font, bits);
        // Glyph bits are kept column by column, 8 pixels to a byte, leftmost in the top bit.
        Glyph& g = font->glyphs[first + i];
        g.width = width;
        g.offset = used;
        for (int column = 0; column < columns; ++column) {
            const uint8_t* source = data + offset + long(column) * height;
            const int pixels = width - column * 8 < 8 ? width - column * 8 : 8;
            for (int y = 0; y < height; ++y) {
                uint8_t* row = bits + used + y * width + column * 8;
                for (int b = 0; b < pixels; ++b) row[b] = (source[y] >> (7 - b)) & 1;
            }
        }
        used += width * height;
    }
    return font;
}

Font* loadFont(const char* fileName) {
    long size = 0;
    uint8_t* data = readSearchedFile(fileName, "FONTS/", &size);
    if (!data) {
        setLastError(ErrFontNotFound);
        return nullptr;
    }
    Font* font = decodeFont(data, size);
    delete[] data;
    return font;
}

void unloadFont(Font* font) {
    if (!font) return;
    // A context must never draw with a font that is gone.
    if (DisplayContext* dc = currentContext(); dc && dc->font == font) dc->font = nullptr;
    delete[] font->bits;
    delete font;
}

int useFont(Font* font) {
    DisplayContext* dc = currentContext();
    if (!font) return 1;
    if (!dc) {
        setLastError(ErrInvalidDeviceContext);
        return 0;
    }
    if (font->height <= 0) {
        setLastError(ErrInvalidFontData);
        return 0;
    }
    dc->font = font;
    return 1;
}

int fontCellHeight(const Font* font) { return font ? font->height : 0; }

int fontCharWidth(const Font* font, unsigned char c) {
    if (!font) return 0;
    if (c < font->firstChar || c > font->lastChar) c = uint8_t(font->defaultChar);
    return font->glyphs[c].width;
}

void drawText(int x, int y, const char* text) {
    DisplayContext* dc = currentContext();
    if (!dc || !dc->font || !text) return;
    const Font* font = dc->font;
    int penX = x + dc->originX;
    const int top = y + dc->originY;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        unsigned char c = *p;
        if (c < font->firstChar || c > font->lastChar) c = uint8_t(font->defaultChar);
        const Glyph& g = font->glyphs[c];
        const uint8_t* bits = font->bits + g.offset;
        for (int gy = 0; gy < font->height; ++gy) {
            const int py = top + gy;
            if (py < dc->clipTop || py > dc->clipBottom) continue;
            for (int gx = 0; gx < g.width; ++gx) {
                const int px = penX + gx;
                if (bits[gy * g.width + gx] && px >= dc->clipLeft && px <= dc->clipRight)
                    dc->pixels[py * dc->width + px] = uint8_t(dc->color);
            }
        }
        penX += g.width;
    }
}
