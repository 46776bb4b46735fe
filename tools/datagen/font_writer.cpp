// The game's raster fonts: Windows 2.x raster font files (version 0x200) made from the
// DejaVu faces rendered by FreeType as 1-bit glyphs, covering 0x20 to 0xFF of the
// Windows Latin-1 code page. "Cour20b.fnt" is the fixed-cell font of the game's own
// text; the screens of our own write with a proportional text font and a title font.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "generators.h"
#include "text.h"

namespace {

constexpr int FirstChar = 0x20;
constexpr int LastChar = 0xFF;
constexpr int CharCount = LastChar - FirstChar + 1;
constexpr int HeaderSize = 118;
constexpr int TableSize = (CharCount + 1) * 4;  // one more entry: the blank after the last character
constexpr int MaxGlyphWidth = 64;              // the widest glyph the game's reader takes
constexpr long MaxFileSize = 0xFFFF;           // glyph offsets are 16 bits in this version

struct RasterFont {
    const char* file;
    FaceId face;
    int pixelSize;
    int cellHeight;
    int ascent;      // baseline row: room for the dots of Ä, Ö, Ü above the capitals
    int fixedWidth;  // the cell width, 0 for glyphs as wide as their advance
    int points;
    const char* copyright;
    const char* faceName;
};

const RasterFont GameFont = {"Cour20b.fnt", FaceMonoBold, 20, 22, 17, 12, 15,
                             "Made for Tumblegrade - DH from DejaVu Sans Mono Bold", "Tumblegrade Mono"};
const RasterFont TextFont = {"Sans17b.fnt", FaceCondensed, 17, 21, 16, 0, 13,
                             "Made for Tumblegrade - DH from DejaVu Sans Condensed Bold", "Tumblegrade Sans"};
const RasterFont TitleFont = {"Title30b.fnt", FaceBold, 30, 36, 29, 0, 22,
                              "Made for Tumblegrade - DH from DejaVu Sans Bold", "Tumblegrade Title"};

// Windows code page 1252 in 0x80..0x9F; every other byte is its own Unicode value.
const uint16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The proportional fonts put the four arrows into the bytes the code page leaves
// empty, for the key caps (menus/panels.h names them).
uint32_t arrowOf(int byte) {
    switch (byte) {
    case 0x81: return 0x2190;  // left
    case 0x8D: return 0x2191;  // up
    case 0x8F: return 0x2192;  // right
    case 0x90: return 0x2193;  // down
    default: return 0;
    }
}

uint32_t codepointOf(const RasterFont& font, int byte) {
    if (font.fixedWidth == 0 && arrowOf(byte)) return arrowOf(byte);
    if (byte >= 0x80 && byte <= 0x9F) return Cp1252High[byte - 0x80];
    if (byte == 0x7F) return 0;
    return uint32_t(byte);
}

struct FontFile {
    std::vector<uint8_t> bytes;
    void put16(size_t at, int v) {
        bytes[at] = uint8_t(v);
        bytes[at + 1] = uint8_t(v >> 8);
    }
    void put32(size_t at, long v) {
        put16(at, int(v & 0xFFFF));
        put16(at + 2, int((v >> 16) & 0xFFFF));
    }
};

// Loads one character as a 1-bit bitmap; false for a blank one (its width still counts).
bool loadGlyph(FT_Face face, uint32_t cp) {
    if (cp == 0 || cp == ' ') return false;
    if (FT_Load_Char(face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return false;
    return face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
}

// The glyph's width: the cell, or its advance with room for ink that reaches past it.
int glyphWidth(const RasterFont& font, FT_Face face, uint32_t cp) {
    if (font.fixedWidth) return font.fixedWidth;
    if (cp == 0 || FT_Load_Char(face, cp, FT_LOAD_TARGET_MONO) != 0) return font.pixelSize / 3;
    const int advance = int((face->glyph->advance.x + 32) >> 6);
    const int ink = face->glyph->bitmap_left + int(face->glyph->bitmap.width);
    const int width = advance > ink ? advance : ink;
    return width < 1 ? 1 : width > MaxGlyphWidth ? MaxGlyphWidth : width;
}

// Renders one character into its glyph's byte columns (most significant bit leftmost).
void renderGlyph(const RasterFont& font, FT_Face face, uint32_t cp, int width, uint8_t* glyph) {
    if (!loadGlyph(face, cp)) return;
    const FT_Bitmap& bm = face->glyph->bitmap;
    const int left = face->glyph->bitmap_left > 0 || font.fixedWidth ? face->glyph->bitmap_left : 0;
    const int top = font.ascent - face->glyph->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row)
        for (unsigned col = 0; col < bm.width; ++col) {
            if (!(bm.buffer[row * bm.pitch + col / 8] & (0x80 >> (col % 8)))) continue;
            const int x = left + int(col), y = top + int(row);
            if (x < 0 || x >= width || y < 0 || y >= font.cellHeight) continue;
            glyph[(x / 8) * font.cellHeight + y] |= uint8_t(0x80 >> (x % 8));
        }
}

void writeHeader(const RasterFont& font, int widest, long bitsOffset, long faceOffset, FontFile* f) {
    f->put16(0, 0x200);                                 // dfVersion
    f->put32(2, long(f->bytes.size()));                 // dfSize
    std::snprintf(reinterpret_cast<char*>(f->bytes.data() + 6), 60, "%s", font.copyright);
    f->put16(68, font.points);                          // dfPoints (dfType 0: raster)
    f->put16(70, 96);                                   // dfVertRes
    f->put16(72, 96);                                   // dfHorizRes
    f->put16(74, font.ascent);                          // dfAscent
    f->put16(83, 700);                                  // dfWeight: bold
    f->put16(86, font.fixedWidth);                      // dfPixWidth: 0 when proportional
    f->put16(88, font.cellHeight);                      // dfPixHeight
    f->bytes[90] = font.fixedWidth ? 0x30 : 0x21;       // dfPitchAndFamily
    f->put16(91, font.fixedWidth ? font.fixedWidth : font.pixelSize / 2);  // dfAvgWidth
    f->put16(93, widest);                               // dfMaxWidth
    f->bytes[95] = FirstChar;
    f->bytes[96] = LastChar;
    f->bytes[97] = '?' - FirstChar;                     // dfDefaultChar; dfBreakChar 0: the space
    f->put16(99, (widest + 7) / 8);                     // dfWidthBytes
    f->put32(105, faceOffset);                          // dfFace
    f->put32(113, bitsOffset);                          // dfBitsOffset
}

bool saveFont(const char* outDir, const char* name, const FontFile& f) {
    const std::filesystem::path path = std::filesystem::path(outDir) / name;
    FILE* out = std::fopen(path.string().c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "datagen: cannot write %s\n", path.string().c_str());
        return false;
    }
    const bool ok = std::fwrite(f.bytes.data(), 1, f.bytes.size(), out) == f.bytes.size();
    return (std::fclose(out) == 0) && ok;
}

bool writeRasterFont(const char* outDir, const RasterFont& font) {
    FT_Face face = static_cast<FT_Face>(faceHandle(font.face));
    if (!face || FT_Set_Pixel_Sizes(face, 0, FT_UInt(font.pixelSize)) != 0) return false;
    int widths[CharCount + 1], widest = 1;
    long bitsOffset = HeaderSize + TableSize, size = bitsOffset;
    for (int i = 0; i <= CharCount; ++i) {
        widths[i] = i < CharCount ? glyphWidth(font, face, codepointOf(font, FirstChar + i)) : font.pixelSize / 3;
        if (font.fixedWidth) widths[i] = font.fixedWidth;
        widest = widths[i] > widest ? widths[i] : widest;
        size += long((widths[i] + 7) / 8) * font.cellHeight;
    }
    const long faceOffset = size;
    size += long(std::strlen(font.faceName)) + 1;
    if (size > MaxFileSize) {
        std::fprintf(stderr, "datagen: %s does not fit a raster font file\n", font.file);
        return false;
    }
    FontFile f{std::vector<uint8_t>(size_t(size), 0)};
    writeHeader(font, widest, bitsOffset, faceOffset, &f);
    for (long i = 0, at = bitsOffset; i <= CharCount; at += long((widths[i] + 7) / 8) * font.cellHeight, ++i) {
        f.put16(size_t(HeaderSize + i * 4), widths[i]);
        f.put16(size_t(HeaderSize + i * 4 + 2), int(at));
        if (i < CharCount) renderGlyph(font, face, codepointOf(font, FirstChar + int(i)), widths[i], &f.bytes[size_t(at)]);
    }
    std::memcpy(&f.bytes[size_t(faceOffset)], font.faceName, std::strlen(font.faceName) + 1);
    return saveFont(outDir, font.file, f);
}

}  // namespace

bool writeGameFont(const char* outDir) {
    return writeRasterFont(outDir, GameFont) && writeRasterFont(outDir, TextFont) &&
           writeRasterFont(outDir, TitleFont);
}
