// Loading the race view's pictures and palettes, their release, and the refusal of
// missing or unfitting pictures.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_main.h"
#include "base/game_state.h"
#include "display/display.h"
#include "render/rasteriser.h"
#include "render/textures.h"
#include "support/test_support.h"

namespace {

class TexturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        page = createMemoryContext(640, 480);
        ASSERT_NE(page, nullptr);
        setCurrentContext(page);
        savedPage = CurrentPage;
        CurrentPage = &page;
        for (Bitmap*& t : GameState.textures) t = nullptr;
    }
    void TearDown() override {
        releaseRacePictures();
        CurrentPage = savedPage;
        setCurrentContext(nullptr);
        destroyContext(page);
    }
    void loadAll() {
        loadStartPalette();
        loadRacePalette();
        loadTextures();
        loadHandlebar();
    }
    DisplayContext* page = nullptr;
    DisplayContext** savedPage = nullptr;
};

TEST_F(TexturesTest, LoadsTheNineTexturesPalettesAndHandlebar) {
    ScopedDir inData(TG_DATA_DIR);
    loadAll();
    for (int n = 0; n < TextureCount; ++n) {
        const Bitmap* t = GameState.textures[n];
        ASSERT_NE(t, nullptr) << n;
        // The rasteriser's row length is the picture's padded row length.
        EXPECT_EQ(t->width + TexturePad[n], t->bytesPerLine) << TextureFiles[n];
    }
    EXPECT_EQ(GameState.textures[9], nullptr);
    ASSERT_NE(StartPalette, nullptr);
    ASSERT_NE(RacePalette, nullptr);
    EXPECT_EQ(StartPalette, StartPaletteBitmap->palette);
    EXPECT_EQ(RacePalette, RacePaletteBitmap->palette);
    ASSERT_NE(HandlebarBitmap, nullptr);
    EXPECT_LE(HandlebarX + HandlebarBitmap->width, 640);
    EXPECT_LE(HandlebarY + HandlebarBitmap->height, 480);
    EXPECT_NE(handlebarSprite, nullptr);
}

TEST_F(TexturesTest, ReleaseEmptiesEveryEntryAndCanLoadAgain) {
    ScopedDir inData(TG_DATA_DIR);
    loadAll();
    releaseRacePictures();
    for (const Bitmap* t : GameState.textures) EXPECT_EQ(t, nullptr);
    EXPECT_EQ(StartPalette, nullptr);
    EXPECT_EQ(RacePalette, nullptr);
    EXPECT_EQ(HandlebarBitmap, nullptr);
    EXPECT_EQ(handlebarSprite, nullptr);
    releaseRacePictures();  // twice is harmless
    loadAll();
    EXPECT_NE(GameState.textures[8], nullptr);
    EXPECT_NE(handlebarSprite, nullptr);
}

using TexturesDeathTest = TexturesTest;

TEST_F(TexturesDeathTest, MissingTextureEndsTheProgramWithItsName) {
    const std::string dir = makeTempDir("notextures");
    ScopedDir inDir(dir);
    EXPECT_EXIT(loadTextures(), ::testing::ExitedWithCode(1),
                "Bitmap file was not found: Textures/weg3_16.bmp");
    EXPECT_EXIT(loadStartPalette(), ::testing::ExitedWithCode(1),
                "Bitmap file was not found: Images/Initpal.bmp");
    EXPECT_EXIT(loadHandlebar(), ::testing::ExitedWithCode(1),
                "Bitmap file was not found: Textures/lenkerTBGblackNew.bmp");
}

TEST_F(TexturesDeathTest, TextureNarrowerThanItsRowsAreReadIsRefused) {
    // Texture 0 is read in rows of W + 3 bytes: a width of 8 (rows of 8) would be read
    // beyond the picture's last row.
    const std::string dir = makeTempDir("badtexture");
    ASSERT_EQ(mkdir((dir + "/Textures").c_str(), 0777), 0);
    std::vector<uint8_t> pixels(8 * 8, 1);
    PaletteEntry palette[256] = {};
    ASSERT_EQ(writeBitmap8((dir + "/Textures/weg3_16.bmp").c_str(), pixels.data(), 8, 8, 8,
                           palette),
              1);
    ScopedDir inDir(dir);
    EXPECT_EXIT(loadTextures(), ::testing::ExitedWithCode(1),
                "Invalid bitmap file: Textures/weg3_16.bmp");
}

}  // namespace
