// "Cour20b.fnt": the game's text font, a Windows 2.x raster font (version 0x200) made
// from DejaVu Sans Mono Bold rendered by FreeType as 1-bit glyphs into a fixed cell,
// covering 0x20 to 0xFF of the Windows Latin-1 code page.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "generators.h"
#include "text.h"

namespace {

constexpr int PixelSize = 20;
constexpr int CellWidth = 12;
constexpr int CellHeight = 22;
constexpr int Ascent = 17;  // baseline row: room for the dots of Ä, Ö, Ü above the capitals
constexpr int FirstChar = 0x20;
constexpr int LastChar = 0xFF;
constexpr int CharCount = LastChar - FirstChar + 1;
constexpr int HeaderSize = 118;
constexpr int ColumnBytes = (CellWidth + 7) / 8;
constexpr int GlyphBytes = ColumnBytes * CellHeight;
constexpr int TableSize = (CharCount + 1) * 4;  // one more entry: the blank after the last character
constexpr int BitsOffset = HeaderSize + TableSize;
constexpr int FaceOffset = BitsOffset + (CharCount + 1) * GlyphBytes;
constexpr char FaceName[] = "Tumblegrade Mono";
constexpr int FileSize = FaceOffset + int(sizeof FaceName);

// Windows code page 1252 in 0x80..0x9F; every other byte is its own Unicode value.
const uint16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

uint32_t codepointOf(int byte) {
    if (byte >= 0x80 && byte <= 0x9F) return Cp1252High[byte - 0x80];
    if (byte == 0x7F) return 0;
    return uint32_t(byte);
}

uint8_t file[FileSize];

void put16(int at, int v) {
    file[at] = uint8_t(v);
    file[at + 1] = uint8_t(v >> 8);
}

void put32(int at, long v) {
    put16(at, int(v & 0xFFFF));
    put16(at + 2, int((v >> 16) & 0xFFFF));
}

// Renders one character into its glyph's byte columns (most significant bit leftmost).
void renderGlyph(FT_Face face, int byte, uint8_t* glyph) {
    std::memset(glyph, 0, GlyphBytes);
    const uint32_t cp = codepointOf(byte);
    if (cp == 0 || cp == ' ') return;
    if (FT_Load_Char(face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return;
    const FT_Bitmap& bm = face->glyph->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO) return;
    const int left = face->glyph->bitmap_left, top = Ascent - face->glyph->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row)
        for (unsigned col = 0; col < bm.width; ++col) {
            if (!(bm.buffer[row * bm.pitch + col / 8] & (0x80 >> (col % 8)))) continue;
            const int x = left + int(col), y = top + int(row);
            if (x < 0 || x >= CellWidth || y < 0 || y >= CellHeight) continue;
            glyph[(x / 8) * CellHeight + y] |= uint8_t(0x80 >> (x % 8));
        }
}

}  // namespace

bool writeGameFont(const char* outDir) {
    FT_Face face = static_cast<FT_Face>(faceHandle(FaceMonoBold));
    if (!face || FT_Set_Pixel_Sizes(face, 0, PixelSize) != 0) return false;
    std::memset(file, 0, sizeof file);
    put16(0, 0x200);                      // dfVersion
    put32(2, FileSize);                   // dfSize
    std::snprintf(reinterpret_cast<char*>(file + 6), 60, "Made for Tumblegrade - DH from DejaVu Sans Mono Bold");
    put16(66, 0);                         // dfType: raster
    put16(68, 15);                        // dfPoints
    put16(70, 96);                        // dfVertRes
    put16(72, 96);                        // dfHorizRes
    put16(74, Ascent);                    // dfAscent
    put16(76, 0);                         // dfInternalLeading
    put16(78, 0);                         // dfExternalLeading
    file[80] = 0;                         // dfItalic
    file[81] = 0;                         // dfUnderline
    file[82] = 0;                         // dfStrikeOut
    put16(83, 700);                       // dfWeight: bold
    file[85] = 0;                         // dfCharSet: ANSI
    put16(86, CellWidth);                 // dfPixWidth: fixed pitch
    put16(88, CellHeight);                // dfPixHeight
    file[90] = 0x30;                      // dfPitchAndFamily: fixed pitch, modern
    put16(91, CellWidth);                 // dfAvgWidth
    put16(93, CellWidth);                 // dfMaxWidth
    file[95] = FirstChar;
    file[96] = LastChar;
    file[97] = '?' - FirstChar;           // dfDefaultChar
    file[98] = 0;                         // dfBreakChar: the space
    put16(99, ColumnBytes);               // dfWidthBytes
    put32(101, 0);                        // dfDevice
    put32(105, FaceOffset);               // dfFace
    put32(109, 0);                        // dfBitsPointer
    put32(113, BitsOffset);               // dfBitsOffset
    file[117] = 0;
    for (int i = 0; i <= CharCount; ++i) {
        const int offset = BitsOffset + i * GlyphBytes;
        put16(HeaderSize + i * 4, CellWidth);
        put16(HeaderSize + i * 4 + 2, offset);
        if (i < CharCount) renderGlyph(face, FirstChar + i, file + offset);
    }
    std::memcpy(file + FaceOffset, FaceName, sizeof FaceName);

    const std::filesystem::path path = std::filesystem::path(outDir) / "Cour20b.fnt";
    FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "datagen: cannot write %s\n", path.string().c_str());
        return false;
    }
    const bool ok = std::fwrite(file, 1, sizeof file, f) == sizeof file;
    return (std::fclose(f) == 0) && ok;
}
