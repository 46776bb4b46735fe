// The draw callback on the menu screens, with pictures and a font made for the test:
// every picture is filled with its own palette index and has its own entry for black,
// every glyph of the font is a solid block, so the page shows what was drawn in which
// colour.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/game_main.h"
#include "game/shop.h"
#include "game_keys.h"
#include "platform/headless.h"
#include "render/rasteriser.h"
#include "support/headless_page.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr int PictureWidth = 32;
constexpr int PictureHeight = 16;
constexpr int GlyphWidth = 3;
constexpr int GlyphHeight = 5;

// Every picture a screen can show, in a fixed order: the n-th is filled with index
// 20 + n and has black at index 150 + n; entry 0 is grey, every other entry white.
const char* const AllPictures[] = {
    "Images/Intro1_256.bmp", "Images/Main.bmp", "Images/Registration.bmp",
    "Images/Frame_SA.bmp", "Images/Frame_M1.bmp", "Images/Frame_Turner.bmp",
    "Images/Frame_K2.bmp", "Images/Forks256_MonsterT.bmp", "Images/Forks256_Xvert.bmp",
    "Images/Forks256_MrT.bmp", "Images/Forks256_Hi5.bmp", "Images/Forks256_XXL.bmp",
    "Images/Brakes256_Hayes.bmp", "Images/Brakes256_ProStop.bmp",
    "Images/Brakes256_GustavM.bmp", "Images/Brakes256_XTR.bmp",
    "Images/Components256_XTR.bmp", "Images/Components256_XT.bmp",
    "Images/Components256_LX.bmp", "Images/Protector_Helm.bmp",
    "Images/Protector_Gloves.bmp", "Images/Protector_Turtle.bmp", "Images/Protector_Hose.bmp",
    "Injury/krankenhaus.bmp", "Injury/nose.bmp", "Defekt/defekt1.bmp", "Defekt/defekt2.bmp",
    "Defekt/defekt3.bmp", "Defekt/defekt4.bmp", "Crash/crash1.bmp", "Crash/crash2.bmp",
    "Crash/crash3.bmp", "Credits/credits.bmp", "Ziel/ziel1.bmp", "Ziel/ziel2.bmp",
    "Ziel/ziel3.bmp", "Ziel/ziel56.bmp",
};
constexpr int PictureCount = int(sizeof AllPictures / sizeof AllPictures[0]);

int pictureNumber(const char* file) {
    for (int n = 0; n < PictureCount; ++n)
        if (std::strcmp(AllPictures[n], file) == 0) return n;
    return -1;
}
int fillOf(const char* file) { return 20 + pictureNumber(file); }
int blackOf(const char* file) { return 150 + pictureNumber(file); }

void writePicture(const std::string& path, int number) {
    std::vector<uint8_t> pixels(PictureWidth * PictureHeight, uint8_t(20 + number));
    PaletteEntry palette[256];
    for (PaletteEntry& e : palette) e = {255, 255, 255, 0};
    palette[0] = {128, 128, 128, 0}; // the first white is entry 1
    palette[150 + number] = {0, 0, 0, 0};
    palette[20 + number] = {90, 60, 30, 0};
    ASSERT_EQ(writeBitmap8(path.c_str(), pixels.data(), PictureWidth, PictureHeight,
                           PictureWidth, palette),
              1)
        << path;
}

void put16(std::vector<uint8_t>& d, size_t at, unsigned v) {
    d[at] = uint8_t(v);
    d[at + 1] = uint8_t(v >> 8);
}

// A raster font of version 0x200, characters 32 to 255, each a solid block.
void writeBlockFont(const std::string& path) {
    const int first = 32, last = 255, entries = last - first + 1;
    const size_t glyphs = 118 + size_t(entries) * 4;
    std::vector<uint8_t> d(glyphs + GlyphHeight, 0);
    put16(d, 0, 0x200);
    put16(d, 88, GlyphHeight);
    d[95] = uint8_t(first);
    d[96] = uint8_t(last);
    d[97] = 0;
    for (int i = 0; i < entries; ++i) {
        put16(d, 118 + size_t(i) * 4, GlyphWidth);
        put16(d, 118 + size_t(i) * 4 + 2, unsigned(glyphs)); // every glyph shares one block
    }
    for (int y = 0; y < GlyphHeight; ++y) d[glyphs + size_t(y)] = 0xFF;
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(d.data(), 1, d.size(), f);
    std::fclose(f);
}

class MenuFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Every test program runs on its own: each gets a folder of its own.
        Dir = fs::path(makeTempDir("menu"));
        for (const char* sub : {"Images", "Injury", "Defekt", "Crash", "Credits", "Ziel"})
            fs::create_directories(Dir / sub);
        for (int n = 0; n < PictureCount; ++n) writePicture((Dir / AllPictures[n]).string(), n);
        writeBlockFont((Dir / "Cour20b.fnt").string());
    }
    static void TearDownTestSuite() { fs::remove_all(Dir); }

    void SetUp() override {
        previous = fs::current_path();
        fs::current_path(Dir);
        ASSERT_TRUE(startHeadlessPage("menu"));
        resetMetaGame();
    }
    void TearDown() override {
        shutdownFramework();
        CurrentPage = nullptr;
        resetMetaGame();
        fs::current_path(previous);
    }

    DisplayContext* page() { return *CurrentPage; }
    int pixel(int x, int y) { return page()->pixels[y * page()->width + x]; }
    void show(int screen) {
        GameState.screen = screen;
        drawFrame();
    }

    static fs::path Dir;
    fs::path previous;
};

fs::path MenuFrame::Dir;

TEST_F(MenuFrame, EveryScreenShowsItsPictureWithItsPalette) {
    for (int screen = 0; screen < ScreenCount; ++screen) {
        const char* file = screenPicture(screen);
        ASSERT_NE(file, nullptr) << screen;
        ASSERT_GE(pictureNumber(file), 0) << file;
        int presents = headlessPresentCount();
        show(screen);
        EXPECT_EQ(headlessPresentCount(), presents + 1);
        EXPECT_EQ(pixel(PictureWidth - 1, PictureHeight - 1), fillOf(file)) << file;
        EXPECT_EQ(pixel(PictureWidth, PictureHeight), 0) << "page cleared outside the picture";
        const PaletteEntry& black = page()->palette[blackOf(file)];
        EXPECT_EQ(black.red + black.green + black.blue, 0) << file;
        EXPECT_EQ(page()->palette[fillOf(file)].red, 30) << file;
        EXPECT_EQ(page()->font, nullptr) << "the font is released every frame";
    }
}

TEST_F(MenuFrame, OutcomePicturesFollowTheDamageTable) {
    GameState.damageCursor = 4;
    DamageTable[4] = 39;
    EXPECT_STREQ(screenPicture(ScreenInjury), "Injury/nose.bmp");
    EXPECT_STREQ(screenPicture(ScreenDefect), "Defekt/defekt4.bmp");
    EXPECT_STREQ(screenPicture(ScreenCrash), "Crash/crash1.bmp");
    EXPECT_STREQ(screenPicture(ScreenFinish), "Ziel/ziel56.bmp");
    DamageTable[4] = 62;
    EXPECT_STREQ(screenPicture(ScreenInjury), "Injury/krankenhaus.bmp");
    EXPECT_STREQ(screenPicture(ScreenDefect), "Defekt/defekt3.bmp");
    EXPECT_STREQ(screenPicture(ScreenCrash), "Crash/crash3.bmp");
    EXPECT_STREQ(screenPicture(ScreenFinish), "Ziel/ziel3.bmp");
    show(ScreenDefect);
    EXPECT_EQ(pixel(0, 0), fillOf("Defekt/defekt3.bmp"));
    GameState.damageCursor = 0;
    DamageTable[0] = 1;
    show(ScreenDefect);
    EXPECT_EQ(pixel(0, 0), fillOf("Defekt/defekt2.bmp"));
    // A cursor outside the table reads entry 0, not memory beyond it.
    GameState.damageCursor = 12;
    EXPECT_STREQ(screenPicture(ScreenCrash), "Crash/crash2.bmp");
    GameState.damageCursor = -1;
    EXPECT_STREQ(screenPicture(ScreenCrash), "Crash/crash2.bmp");
    EXPECT_EQ(screenPicture(28), nullptr);
    EXPECT_EQ(screenPicture(-1), nullptr);
}

TEST_F(MenuFrame, BalanceLineUsesBlackOfThePaletteBeforeThePicture) {
    Rider.reset(7000);
    show(ScreenMainMenu);
    show(ScreenFrames); // first frame: black of the main menu's palette
    EXPECT_EQ(pixel(10, 4), blackOf("Images/Main.bmp"));
    show(ScreenFrames); // from the second frame on: the page's own black
    EXPECT_EQ(pixel(10, 4), blackOf("Images/Frame_SA.bmp"));
    GameState.screen = ScreenFrames;
    pressKey(ScanRight);
    drawFrame();
    EXPECT_EQ(pixel(10, 4), blackOf("Images/Frame_SA.bmp"));
    drawFrame();
    EXPECT_EQ(pixel(10, 4), blackOf("Images/Frame_M1.bmp"));
}

TEST_F(MenuFrame, BalanceLinesLandWhereEachCategoryPutsThem) {
    Rider.reset(1000);
    // "Your balance: 1000" is 18 cells wide; the text is drawn over the page.
    show(6);
    show(6);
    int black = blackOf("Images/Frame_K2.bmp");
    EXPECT_EQ(pixel(10, 4), black);
    EXPECT_EQ(pixel(10 + 18 * GlyphWidth - 1, 4 + GlyphHeight - 1), black);
    EXPECT_NE(pixel(10 + 18 * GlyphWidth, 4), black);
    EXPECT_NE(pixel(9, 4), black);

    GameState.notEnoughMoney = 1;
    show(5);
    show(5);
    black = blackOf("Images/Frame_Turner.bmp");
    // "Not enough money! (1000 $)" is 26 cells wide.
    EXPECT_EQ(pixel(10 + 26 * GlyphWidth - 1, 4), black);
    EXPECT_NE(pixel(10 + 26 * GlyphWidth, 4), black);

    GameState.notEnoughMoney = 0;
    show(8);
    show(8);
    black = blackOf("Images/Forks256_Xvert.bmp");
    EXPECT_EQ(pixel(470 + 13 * GlyphWidth - 1, 290), black); // "Your balance:"
    EXPECT_NE(pixel(470 + 13 * GlyphWidth, 290), black);
    EXPECT_EQ(pixel(470 + 5 * GlyphWidth - 1, 310), black);  // "1000 "
    EXPECT_NE(pixel(2, 2), black);
    GameState.notEnoughMoney = 1;
    show(8);
    EXPECT_EQ(pixel(2, 2), black);
    EXPECT_NE(pixel(470, 290), black);
    EXPECT_NE(pixel(470, 310), black);

    for (auto [screen, x, y] : {std::tuple{13, 235, 235}, std::tuple{17, 32, 150},
                                std::tuple{21, 5, 2}}) {
        GameState.notEnoughMoney = 0;
        show(screen);
        show(screen);
        EXPECT_EQ(pixel(x, y), blackOf(screenPicture(screen))) << screen;
        EXPECT_EQ(pixel(x + 18 * GlyphWidth - 1, y), blackOf(screenPicture(screen))) << screen;
    }
}

TEST_F(MenuFrame, NameEntryShowsTheNameInWhite) {
    Rider.appendToName("Kim");
    show(ScreenNameEntry);
    // White: the first white entry of the palette, index 1 of every test picture.
    const int white = 1;
    EXPECT_EQ(page()->color, white);
    // "Your Name: Kim" is 14 cells wide, starting at (10, 10).
    EXPECT_NE(pixel(10, 10), fillOf("Images/Registration.bmp"));
    EXPECT_EQ(pixel(10, 10), white);
    EXPECT_EQ(pixel(9, 10), fillOf("Images/Registration.bmp"));
    EXPECT_EQ(pixel(10 + 14 * GlyphWidth - 1, 10), white);
    EXPECT_EQ(pixel(10 + 14 * GlyphWidth, 10), 0);
    // No balance line outside the shop.
    EXPECT_EQ(pixel(10, 4), fillOf("Images/Registration.bmp"));
}

TEST_F(MenuFrame, OutcomeCheckEndsTheRunBeforeTheFrameIsDrawn) {
    DamageTable[0] = 0;
    GameState.racing = 1;
    GameState.injuryFlag = 1;
    GameState.defectFlag = 1;
    drawFrame();
    EXPECT_EQ(GameState.racing, 0);
    EXPECT_EQ(GameState.screen, ScreenInjury);
    EXPECT_EQ(GameState.injuryFlag, 0);
    EXPECT_EQ(GameState.defectFlag, 0);
    EXPECT_EQ(pixel(0, 0), fillOf("Injury/krankenhaus.bmp"));

    GameState.racing = 1;
    GameState.defectFlag = 1;
    drawFrame();
    EXPECT_EQ(GameState.screen, ScreenDefect);
    EXPECT_EQ(GameState.racing, 0);
    EXPECT_EQ(pixel(0, 0), fillOf("Defekt/defekt1.bmp"));

    GameState.racing = 1;
    GameState.crashFlag = 1;
    drawFrame();
    EXPECT_EQ(GameState.screen, ScreenCrash);
    EXPECT_EQ(GameState.racing, 0);
    EXPECT_EQ(GameState.crashFlag, 0);
    EXPECT_EQ(pixel(0, 0), fillOf("Crash/crash1.bmp"));

    // Without a flag nothing changes.
    checkRunOutcome();
    EXPECT_EQ(GameState.screen, ScreenCrash);
}

TEST_F(MenuFrame, DepthBufferIsResetEveryFrame) {
    setDepthAt(0, 0, 1.0f);
    setDepthAt(ScreenWidth - 1, ScreenHeight - 1, -3.0f);
    show(ScreenIntro);
    EXPECT_EQ(depthAt(0, 0), 100.0f);
    EXPECT_EQ(depthAt(ScreenWidth - 1, ScreenHeight - 1), 100.0f);
}

TEST_F(MenuFrame, PicturesAreReadAfreshEveryFrame) {
    show(ScreenCredits);
    EXPECT_EQ(pixel(0, 0), fillOf("Credits/credits.bmp"));
    writePicture((Dir / "Credits/credits.bmp").string(), 0); // now looks like the intro
    show(ScreenCredits);
    EXPECT_EQ(pixel(0, 0), 20);
    writePicture((Dir / "Credits/credits.bmp").string(), pictureNumber("Credits/credits.bmp"));
}

using MenuFrameDeathTest = MenuFrame;

TEST_F(MenuFrameDeathTest, MissingPictureEndsTheProgramWithItsName) {
    fs::rename(Dir / "Images/Main.bmp", Dir / "Images/Main.bak");
    GameState.screen = ScreenMainMenu;
    EXPECT_EXIT(drawFrame(), ::testing::ExitedWithCode(1), "Images/Main.bmp");
    fs::rename(Dir / "Images/Main.bak", Dir / "Images/Main.bmp");
}

TEST_F(MenuFrameDeathTest, MissingFontEndsTheProgramWithItsName) {
    fs::rename(Dir / "Cour20b.fnt", Dir / "Cour20b.bak");
    GameState.screen = ScreenIntro;
    EXPECT_EXIT(drawFrame(), ::testing::ExitedWithCode(1), "Cour20b.fnt");
    fs::rename(Dir / "Cour20b.bak", Dir / "Cour20b.fnt");
}

} // namespace
