// The key-down callback screen by screen, racing and not racing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/game_main.h"
#include "game_keys.h"
#include "platform/headless.h"
#include "render/rasteriser.h"

namespace {

class ScreenKeys : public ::testing::Test {
protected:
    void SetUp() override {
        headlessReset();
        ASSERT_NE(createFramework("keys"), nullptr); // clears the exit flag
        resetMetaGame();
        texturingEnabled = 1;
    }
    void TearDown() override {
        shutdownFramework();
        resetMetaGame();
        texturingEnabled = 1;
    }
    void onScreen(int screen) {
        GameState.screen = screen;
        GameState.racing = 0;
    }
    void giveFork() {
        Rider.appendToName("A");
        Rider.setFork(180);
    }
};

TEST_F(ScreenKeys, IntroIgnoresEveryKeyButEnterEscRSC) {
    for (int scan = 2; scan < 256; ++scan) {
        if (scan == ScanEnter || scan == ScanR || scan == ScanS || scan == ScanC) continue;
        onScreen(ScreenIntro);
        pressKey(scan);
        EXPECT_EQ(GameState.screen, ScreenIntro) << scan;
        EXPECT_EQ(exitRequested(), 0) << scan;
        EXPECT_EQ(GameState.racing, 0);
    }
    EXPECT_STREQ(Rider.name(), "");
    onScreen(ScreenIntro);
    pressKey(ScanEnter);
    EXPECT_EQ(GameState.screen, ScreenMainMenu);
}

TEST_F(ScreenKeys, EnterOnMainMenuDoesNothing) {
    onScreen(ScreenMainMenu);
    pressKey(ScanEnter);
    EXPECT_EQ(GameState.screen, ScreenMainMenu);
    EXPECT_EQ(exitRequested(), 0);
}

TEST_F(ScreenKeys, SOnMainMenuGoesStepByStep) {
    onScreen(ScreenMainMenu);
    pressKey(ScanS); // no name yet
    EXPECT_EQ(GameState.screen, ScreenNameEntry);

    onScreen(ScreenMainMenu);
    Rider.appendToName("Kim");
    Rider.addMoney(123);
    pressKey(ScanS); // a name, no fork
    EXPECT_EQ(GameState.screen, ScreenFrames);
    EXPECT_EQ(Rider.balance(), 7000);

    onScreen(ScreenMainMenu);
    Rider.setFork(127);
    pressKey(ScanS); // a fork: a run starts, the screen stays behind the race
    EXPECT_EQ(GameState.racing, 1);
    EXPECT_EQ(GameState.screen, ScreenMainMenu);
    EXPECT_EQ(Rider.fork(), 127);
}

TEST_F(ScreenKeys, CEntersTheShopFromScratchWithTheBonusEveryTime) {
    Rider.appendToName("GRAVELMONKS");
    onScreen(ScreenMainMenu);
    pressKey(ScanC);
    EXPECT_EQ(GameState.screen, ScreenFrames);
    EXPECT_EQ(Rider.balance(), 14000);
    EXPECT_EQ(Rider.health(), 200);
    EXPECT_EQ(Rider.condition(), 100);
    ASSERT_EQ(Rider.spend(5000), 1);
    pressKey(ScanC);
    EXPECT_EQ(Rider.balance(), 14000);
    EXPECT_EQ(Rider.health(), 200);

    resetRider();
    Rider.appendToName("Kim");
    onScreen(ScreenCrash);
    pressKey(ScanC);
    EXPECT_EQ(GameState.screen, ScreenFrames);
    EXPECT_EQ(Rider.balance(), 7000);
    EXPECT_EQ(Rider.health(), 100);
}

TEST_F(ScreenKeys, RClearsTheNameOnAnyScreenButNameEntry) {
    for (int screen = 0; screen < ScreenCount; ++screen) {
        if (screen == ScreenNameEntry) continue;
        resetRider();
        Rider.appendToName("Kim");
        onScreen(screen);
        pressKey(ScanR);
        EXPECT_STREQ(Rider.name(), "") << screen;
        EXPECT_EQ(GameState.screen, ScreenNameEntry) << screen;
    }
    onScreen(ScreenMainMenu);
    pressKey(ScanS);
    EXPECT_EQ(GameState.screen, ScreenNameEntry);
}

TEST_F(ScreenKeys, TypingOnNameEntryBuildsTheBonusName) {
    onScreen(ScreenNameEntry);
    pressKeys({ScanG, ScanR, ScanA, ScanV, ScanE, ScanL, ScanM,
               ScanO, ScanN, ScanK, ScanS});
    EXPECT_STREQ(Rider.name(), "GRAVELMONKS");
    EXPECT_EQ(GameState.screen, ScreenNameEntry); // S and R only typed letters
    pressKey(ScanEnter);
    EXPECT_EQ(GameState.screen, ScreenMainMenu);
    EXPECT_STREQ(Rider.name(), "GRAVELMONKS");
}

TEST_F(ScreenKeys, NameEntryKeysFollowTheGermanLayout) {
    onScreen(ScreenNameEntry);
    for (int scan = 0; scan < 256; ++scan) {
        if (scan == ScanEsc || scan == ScanEnter) continue;
        pressKey(scan);
    }
    EXPECT_EQ(std::string(Rider.name()),
              "QWERTZUIOP\xDC" "ASDFGHJKL\xD6\xC4" "YXCVBNM ");
    EXPECT_EQ(GameState.screen, ScreenNameEntry);
    EXPECT_EQ(exitRequested(), 0);
}

TEST_F(ScreenKeys, NameEntryLettersDoNothingElsewhere) {
    onScreen(ScreenMainMenu);
    pressKeys({16, 26, 39, 40, 44, 50, 57});
    EXPECT_STREQ(Rider.name(), "");
    EXPECT_EQ(GameState.screen, ScreenMainMenu);
}

TEST_F(ScreenKeys, ArrowsClearTheShortageFlagOnEveryScreen) {
    for (int screen = 0; screen < ScreenCount; ++screen) {
        for (int arrow : {ScanUp, ScanDown, ScanLeft, ScanRight}) {
            onScreen(screen);
            GameState.notEnoughMoney = 1;
            pressKey(arrow);
            EXPECT_EQ(GameState.notEnoughMoney, 0) << screen << " " << arrow;
            if (screen < ScreenFrames || screen > 22) {
                EXPECT_EQ(GameState.screen, screen);
            }
        }
    }
}

TEST_F(ScreenKeys, EscOnNameEntryLeavesTheGame) {
    onScreen(ScreenNameEntry);
    pressKey(ScanEsc);
    EXPECT_EQ(exitRequested(), 1);
    EXPECT_EQ(GameState.screen, ScreenNameEntry);
}

TEST_F(ScreenKeys, EscLeavesTheGameOnIntroMainOutcomesCreditsAndFinish) {
    for (int screen : {0, 1, 23, 24, 25, 26, 27}) {
        shutdownFramework();
        ASSERT_NE(createFramework("keys"), nullptr);
        onScreen(screen);
        pressKey(ScanEsc);
        EXPECT_EQ(exitRequested(), 1) << screen;
        EXPECT_EQ(GameState.screen, screen);
    }
}

TEST_F(ScreenKeys, LeaveGameReleasesTheTextureTableWithItsGaps) {
    const std::string file = std::string(TG_BINARY_DIR) + "/game_leave_texture.bmp";
    uint8_t pixels[4 * 2] = {1, 2, 3, 4, 5, 6, 7, 8};
    PaletteEntry palette[256] = {};
    ASSERT_EQ(writeBitmap8(file.c_str(), pixels, 4, 2, 4, palette), 1);
    for (int index : {0, 3, 8}) {
        GameState.textures[index] = loadBitmap(file.c_str(), 0);
        ASSERT_NE(GameState.textures[index], nullptr);
    }
    onScreen(ScreenCredits);
    pressKey(ScanEnter); // under the leak checker, a texture left behind fails the run
    EXPECT_EQ(exitRequested(), 1);
    for (Bitmap* texture : GameState.textures) EXPECT_EQ(texture, nullptr);
    std::remove(file.c_str());
}

TEST_F(ScreenKeys, OutcomeAndCreditsEnter) {
    for (int screen : {ScreenInjury, ScreenDefect, ScreenFinish}) {
        onScreen(screen);
        pressKey(ScanEnter);
        EXPECT_EQ(GameState.screen, ScreenCredits) << screen;
        EXPECT_EQ(GameState.racing, 0);
    }
    onScreen(ScreenCrash);
    pressKey(ScanEnter);
    EXPECT_EQ(GameState.racing, 1);
    EXPECT_EQ(GameState.screen, ScreenCrash);
    EXPECT_EQ(exitRequested(), 0);

    onScreen(ScreenCredits);
    pressKey(ScanEnter);
    EXPECT_EQ(exitRequested(), 1);
}

TEST_F(ScreenKeys, WhileRacingOnlyEscAndTAct) {
    giveFork();
    onScreen(ScreenMainMenu);
    pressKey(ScanS);
    ASSERT_EQ(GameState.racing, 1);
    for (int scan = 0; scan < 256; ++scan) {
        if (scan == ScanEsc || scan == ScanT) continue;
        pressKey(scan);
    }
    EXPECT_EQ(GameState.screen, ScreenMainMenu);
    EXPECT_STREQ(Rider.name(), "A");
    EXPECT_EQ(Rider.fork(), 180);
    EXPECT_EQ(GameState.racing, 1);
    EXPECT_EQ(exitRequested(), 0);

    pressKey(ScanT);
    EXPECT_EQ(texturingEnabled, 0);
    pressKey(ScanT);
    EXPECT_EQ(texturingEnabled, 1);
    EXPECT_EQ(exitRequested(), 0);

    pressKey(ScanEsc);
    EXPECT_EQ(exitRequested(), 1);
    EXPECT_EQ(GameState.racing, 1);
}

TEST_F(ScreenKeys, SStartsARunFromAShopPageOrOutcomeWithAFork) {
    for (int screen : {int(ScreenForks), 20, int(ScreenInjury), int(ScreenCredits)}) {
        resetMetaGame();
        giveFork();
        onScreen(screen);
        pressKey(ScanS);
        EXPECT_EQ(GameState.racing, 1) << screen;
        EXPECT_EQ(GameState.screen, screen);
    }
}

TEST_F(ScreenKeys, NullEventAndUnknownScreenAreIgnored) {
    onKeyDown(nullptr);
    GameState.screen = 99;
    pressKeys({ScanEsc, ScanEnter, ScanR, ScanS, ScanC, ScanUp});
    EXPECT_EQ(GameState.screen, 99);
    EXPECT_EQ(exitRequested(), 0);
}

} // namespace
