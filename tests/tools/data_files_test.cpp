// The generated data directory: every picture in the game's format, read back with the
// game's own readers; palettes, texture widths, handlebar, font and byte-identical output
// (sounds included).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/display.h"
#include "sound/sound_files.h"
#include "support/test_support.h"

namespace {

const std::string Data = TG_DATA_DIR;

const char* const Screens[] = {
    "Images/Intro1_256.bmp", "Images/Main.bmp", "Images/Registration.bmp", "Images/Frame_SA.bmp",
    "Images/Frame_M1.bmp", "Images/Frame_Turner.bmp", "Images/Frame_K2.bmp", "Images/Forks256_MonsterT.bmp",
    "Images/Forks256_Xvert.bmp", "Images/Forks256_MrT.bmp", "Images/Forks256_Hi5.bmp", "Images/Forks256_XXL.bmp",
    "Images/Brakes256_Hayes.bmp", "Images/Brakes256_ProStop.bmp", "Images/Brakes256_GustavM.bmp",
    "Images/Brakes256_XTR.bmp", "Images/Components256_XTR.bmp", "Images/Components256_XT.bmp",
    "Images/Components256_LX.bmp", "Images/Protector_Helm.bmp", "Images/Protector_Gloves.bmp",
    "Images/Protector_Turtle.bmp", "Images/Protector_Hose.bmp", "Injury/krankenhaus.bmp", "Injury/nose.bmp",
    "Defekt/defekt1.bmp", "Defekt/defekt2.bmp", "Defekt/defekt3.bmp", "Defekt/defekt4.bmp", "Crash/crash1.bmp",
    "Crash/crash2.bmp", "Crash/crash3.bmp", "Credits/credits.bmp", "Ziel/ziel1.bmp", "Ziel/ziel2.bmp",
    "Ziel/ziel3.bmp", "Ziel/ziel56.bmp",
};

const char* const TextureFiles[9] = {
    "Textures/weg3_16.bmp", "Textures/weg2_16.bmp", "Textures/holz1_16.bmp", "Textures/holz3_16.bmp",
    "Textures/wasser_16.bmp", "Textures/grass_16.bmp", "Textures/roox.bmp", "Textures/roox2.bmp",
    "Textures/kona.bmp",
};

struct Loaded {
    Bitmap* bitmap;
    explicit Loaded(const std::string& name) : bitmap(loadBitmap((Data + "/" + name).c_str(), 1)) {}
    ~Loaded() { unloadBitmap(bitmap); }
};

int colourSum(const PaletteEntry& e) { return e.red + e.green + e.blue; }

// Every pixel of the rectangle is light (the game writes there in near-black).
void expectLight(const std::string& name, int x0, int y0, int width, int height) {
    Loaded pic(name);
    ASSERT_NE(pic.bitmap, nullptr) << name;
    int dark = 0;
    for (int y = y0; y < y0 + height; ++y)
        for (int x = x0; x < x0 + width; ++x)
            if (colourSum(pic.bitmap->palette[pic.bitmap->pixels[y * pic.bitmap->bytesPerLine + x]]) < 600) ++dark;
    EXPECT_EQ(dark, 0) << name << " at (" << x0 << ", " << y0 << ")";
}

}  // namespace

TEST(GeneratedData, EveryScreenIs640x480With8BitsAndBlackAtEntry0) {
    for (const char* name : Screens) {
        Loaded pic(name);
        ASSERT_NE(pic.bitmap, nullptr) << name;
        EXPECT_EQ(pic.bitmap->width, 640) << name;
        EXPECT_EQ(pic.bitmap->height, 480) << name;
        EXPECT_EQ(pic.bitmap->bitsPerPixel, 8) << name;
        ASSERT_NE(pic.bitmap->palette, nullptr);
        EXPECT_EQ(colourSum(pic.bitmap->palette[0]), 0) << name;
        // The balance line and menu texts use the entry nearest to black: entry 0 itself.
        EXPECT_EQ(nearestPaletteIndex(pic.bitmap->palette, 0, 0, 0), 0) << name;
        // No pixel relies on entry 255.
        int uses255 = 0;
        for (int i = 0; i < 640 * 480; ++i) uses255 += pic.bitmap->pixels[i] == 255;
        EXPECT_EQ(uses255, 0) << name;
    }
}

TEST(GeneratedData, StartPaletteAndRacePaletteLoad) {
    Loaded start("Images/Initpal.bmp");
    ASSERT_NE(start.bitmap, nullptr);
    EXPECT_EQ(colourSum(start.bitmap->palette[0]), 0);
    Loaded race("Textures/paltexture.bmp");
    ASSERT_NE(race.bitmap, nullptr);
    // Entry 0 is the sky the rider sees: a light blue.
    const PaletteEntry sky = race.bitmap->palette[0];
    EXPECT_GT(sky.blue, sky.red);
    EXPECT_GT(colourSum(sky), 450);
}

TEST(GeneratedData, NameScreenHasDarkBandAndWhiteBelowEntry255) {
    Loaded pic("Images/Registration.bmp");
    ASSERT_NE(pic.bitmap, nullptr);
    const PaletteEntry* pal = pic.bitmap->palette;
    const int white = nearestPaletteIndex(pal, 255, 255, 255);
    EXPECT_EQ(colourSum(pal[white]), 765);
    // "Your Name: %s" is written in white at (10, 10), 20 rows high, across the screen.
    int light = 0;
    for (int y = 0; y <= 40; ++y)
        for (int x = 0; x < 640; ++x) light += colourSum(pal[pic.bitmap->pixels[y * 640 + x]]) > 200;
    EXPECT_EQ(light, 0);
}

TEST(GeneratedData, ShopPagesHaveLightPanelsUnderTheBalanceLine) {
    // 26 characters of the 12-pixel font, 20 pixels high, from each text position.
    const int line = 26 * 12;
    for (int i = 3; i <= 22; ++i) {
        const char* name = Screens[i];
        if (i <= 6) expectLight(name, 10, 4, line, 20);
        else if (i <= 11) {
            expectLight(name, 2, 2, line, 20);
            expectLight(name, 470, 290, 13 * 12, 20);
            expectLight(name, 470, 310, 6 * 12, 20);
        } else if (i <= 15) expectLight(name, 235, 235, line, 20);
        else if (i <= 18) expectLight(name, 32, 150, line, 20);
        else expectLight(name, 5, 2, line, 20);
    }
}

TEST(GeneratedData, TextureWidthsMatchTheRasterisersRowPadding) {
    const int widthMod4[9] = {1, 3, 0, 2, 2, 2, 3, 2, 3};
    for (int n = 0; n < 9; ++n) {
        Loaded tex(TextureFiles[n]);
        ASSERT_NE(tex.bitmap, nullptr) << TextureFiles[n];
        EXPECT_EQ(tex.bitmap->width % 4, widthMod4[n]) << TextureFiles[n];
        EXPECT_EQ(tex.bitmap->bytesPerLine, (tex.bitmap->width + 3) & ~3);
        EXPECT_GE(tex.bitmap->height, 16);
    }
}

TEST(GeneratedData, GroundTexturesTileWithoutASeam) {
    // Across the wrap the colours change no more than between the most different
    // neighbouring columns inside (a plank gap may be the edge of a tile).
    for (int n = 0; n < 6; ++n) {
        Loaded tex(TextureFiles[n]);
        ASSERT_NE(tex.bitmap, nullptr);
        const Bitmap* b = tex.bitmap;
        auto at = [&](int x, int y) { return colourSum(b->palette[b->pixels[y * b->bytesPerLine + x]]); };
        double strongest = 0.0, seam = 0.0;
        for (int x = 0; x + 1 < b->width; ++x) {
            double step = 0.0;
            for (int y = 0; y < b->height; ++y) step += std::abs(at(x, y) - at(x + 1, y));
            strongest = std::max(strongest, step);
        }
        for (int y = 0; y < b->height; ++y) seam += std::abs(at(b->width - 1, y) - at(0, y));
        EXPECT_LE(seam, strongest) << TextureFiles[n];
        // The same down the rows.
        double strongestRow = 0.0, seamRow = 0.0;
        for (int y = 0; y + 1 < b->height; ++y) {
            double step = 0.0;
            for (int x = 0; x < b->width; ++x) step += std::abs(at(x, y) - at(x, y + 1));
            strongestRow = std::max(strongestRow, step);
        }
        for (int x = 0; x < b->width; ++x) seamRow += std::abs(at(x, b->height - 1) - at(x, 0));
        EXPECT_LE(seamRow, strongestRow) << TextureFiles[n];
    }
}

TEST(GeneratedData, CourseColoursHaveCloseRacePaletteEntriesBelow255) {
    Loaded race("Textures/paltexture.bmp");
    ASSERT_NE(race.bitmap, nullptr);
    const int colours[][3] = {{4, 156, 0},     {218, 218, 218}, {181, 112, 69}, {223, 0, 0},
                              {85, 85, 255},   {140, 73, 22},   {128, 80, 47},  {0, 160, 149},
                              {191, 122, 74},  {255, 0, 0},     {0, 0, 255},    {255, 255, 255}};
    for (const auto& c : colours) {
        const int i = nearestPaletteIndex(race.bitmap->palette, c[0], c[1], c[2]);
        EXPECT_NE(i, 255);
        const PaletteEntry& e = race.bitmap->palette[i];
        EXPECT_LE(std::abs(c[0] - e.red) + std::abs(c[1] - e.green) + std::abs(c[2] - e.blue), 3)
            << c[0] << "," << c[1] << "," << c[2];
    }
}

TEST(GeneratedData, HandlebarFitsBelowTheViewWithIndex0AroundIt) {
    Loaded bar("Textures/lenkerTBGblackNew.bmp");
    ASSERT_NE(bar.bitmap, nullptr);
    EXPECT_LE(bar.bitmap->width, 560);
    EXPECT_LE(bar.bitmap->height, 150);
    const Bitmap* b = bar.bitmap;
    EXPECT_EQ(b->pixels[0], 0);
    EXPECT_EQ(b->pixels[b->width - 1], 0);
    int drawn = 0;
    for (int y = 0; y < b->height; ++y)
        for (int x = 0; x < b->width; ++x) drawn += b->pixels[y * b->bytesPerLine + x] != 0;
    EXPECT_GT(drawn, b->width * b->height / 10);
    EXPECT_LT(drawn, b->width * b->height * 3 / 4);
}

TEST(GeneratedData, FontIsAWindows2RasterFontWithTheUmlauts) {
    const std::vector<unsigned char> bytes = readBinaryFile(Data + "/Cour20b.fnt");
    ASSERT_GT(bytes.size(), 118u);
    auto word = [&](size_t at) { return bytes[at] | (bytes[at + 1] << 8); };
    EXPECT_EQ(word(0), 0x200);
    EXPECT_EQ(word(66) & 1, 0);          // raster
    EXPECT_EQ(bytes[90] & 1, 0);         // fixed pitch
    EXPECT_EQ(bytes[95], 0x20);
    EXPECT_EQ(bytes[96], 0xFF);
    const int height = word(88);
    EXPECT_GE(height, 18);
    EXPECT_LE(height, 24);
    for (int c : {0xC4, 0xD6, 0xDC, int('A'), int('Z')}) {
        const size_t entry = 118 + size_t(c - 0x20) * 4;
        const int width = word(entry), offset = word(entry + 2);
        EXPECT_EQ(width, 12);
        int set = 0;
        for (int i = 0; i < ((width + 7) / 8) * height; ++i) set += bytes.at(size_t(offset + i)) != 0;
        EXPECT_GT(set, 5) << "glyph " << c;
    }
    Font* font = decodeFont(bytes.data(), long(bytes.size()));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(fontCharWidth(font, 0xC4), 12);
    EXPECT_EQ(fontCellHeight(font), height);
    unloadFont(font);
    Font* loaded = loadFont((Data + "/Cour20b.fnt").c_str());
    EXPECT_NE(loaded, nullptr);
    unloadFont(loaded);
}

TEST(GeneratedData, GeneratorWritesTheSameBytesEveryRun) {
    const std::string dir = makeTempDir("datagen");
    const std::string command = std::string(TG_BINARY_DIR) + "/tools/datagen/tumblegrade-datagen " + dir;
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::vector<std::string> names(std::begin(Screens), std::end(Screens));
    names.insert(names.end(), std::begin(TextureFiles), std::end(TextureFiles));
    for (const char* extra : {"Images/Initpal.bmp", "Textures/paltexture.bmp", "Textures/lenkerTBGblackNew.bmp",
                              "Cour20b.fnt"})
        names.push_back(extra);
    names.insert(names.end(), std::begin(SoundFiles), std::end(SoundFiles));
    for (const std::string& name : names) {
        const std::vector<unsigned char> fresh = readBinaryFile(dir + "/" + name);
        EXPECT_FALSE(fresh.empty()) << name;
        EXPECT_EQ(fresh, readBinaryFile(Data + "/" + name)) << name;
    }
}
