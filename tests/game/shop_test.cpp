// Walks through the shop with the keys: moves, purchases, shortages, refunds.
#include <gtest/gtest.h>

#include <string>

#include "game/shop.h"
#include "game_keys.h"
#include "platform/headless.h"

namespace {

class Shop : public ::testing::Test {
protected:
    void SetUp() override {
        headlessReset();
        ASSERT_NE(createFramework("shop"), nullptr);
        resetMetaGame();
        Rider.appendToName("Kim");
    }
    void TearDown() override {
        shutdownFramework();
        resetMetaGame();
    }
    // Enters the shop with S from the main menu (balance 7000, first frame page).
    void enterShop() {
        GameState.screen = ScreenMainMenu;
        pressKey(ScanS);
        ASSERT_EQ(GameState.screen, ScreenFrames);
        ASSERT_EQ(Rider.balance(), 7000);
    }
    void expectAt(int screen, int balance) {
        EXPECT_EQ(GameState.screen, screen);
        EXPECT_EQ(Rider.balance(), balance);
    }
};

TEST_F(Shop, ArrowMovesFollowTheGridOnePagePerKey) {
    struct Move {
        int from, key, to;
    };
    const Move moves[] = {
        {3, ScanRight, 4}, {5, ScanRight, 6}, {7, ScanRight, 8}, {8, ScanRight, 9},
        {10, ScanRight, 11}, {12, ScanRight, 13}, {14, ScanRight, 15}, {19, ScanRight, 20},
        {21, ScanRight, 22}, {4, ScanLeft, 3}, {6, ScanLeft, 5}, {8, ScanLeft, 7},
        {9, ScanLeft, 8}, {11, ScanLeft, 10}, {13, ScanLeft, 12}, {15, ScanLeft, 14},
        {20, ScanLeft, 19}, {22, ScanLeft, 21}, {5, ScanUp, 3}, {6, ScanUp, 4},
        {10, ScanUp, 7}, {11, ScanUp, 9}, {14, ScanUp, 12}, {15, ScanUp, 13},
        {17, ScanUp, 16}, {18, ScanUp, 17}, {21, ScanUp, 19}, {22, ScanUp, 20},
        {3, ScanDown, 5}, {4, ScanDown, 6}, {7, ScanDown, 10}, {9, ScanDown, 11},
        {12, ScanDown, 14}, {13, ScanDown, 15}, {16, ScanDown, 17}, {17, ScanDown, 18},
        {19, ScanDown, 21}, {20, ScanDown, 22},
    };
    int moveCount = 0;
    for (int page = 3; page <= 22; ++page) {
        for (int key : {ScanUp, ScanDown, ScanLeft, ScanRight}) {
            int expected = page;
            for (const Move& m : moves)
                if (m.from == page && m.key == key) expected = m.to;
            if (expected != page) ++moveCount;
            GameState.screen = page;
            pressKey(key);
            EXPECT_EQ(GameState.screen, expected) << "page " << page << " key " << key;
        }
    }
    EXPECT_EQ(moveCount, 38);
}

TEST_F(Shop, PagesWithoutATargetStay) {
    for (auto [page, key] : {std::pair{8, int(ScanDown)}, std::pair{16, int(ScanUp)},
                             std::pair{18, int(ScanDown)}, std::pair{3, int(ScanLeft)},
                             std::pair{16, int(ScanRight)}}) {
        GameState.screen = page;
        pressKey(key);
        EXPECT_EQ(GameState.screen, page);
    }
}

TEST_F(Shop, FirstFullWalkEndsOnTheMainMenu) {
    enterShop();
    pressKeys({ScanRight, ScanDown}); // page 6
    ASSERT_EQ(GameState.screen, 6);
    pressKey(ScanEnter);
    expectAt(ScreenForks, 5500);
    pressKeys({ScanRight, ScanRight});
    ASSERT_EQ(GameState.screen, 9);
    pressKey(ScanEnter);
    expectAt(ScreenBrakes, 4600);
    pressKey(ScanRight);
    pressKey(ScanEnter);
    expectAt(ScreenComponents, 4250);
    pressKey(ScanEnter);
    expectAt(19, 1750);
    pressKey(ScanEnter); // helmet
    expectAt(21, 1350);
    pressKey(ScanEnter); // body armour
    expectAt(22, 900);
    pressKey(ScanEnter); // trousers
    expectAt(20, 700);
    pressKey(ScanEnter); // gloves
    expectAt(ScreenMainMenu, 660);
    EXPECT_EQ(Rider.condition(), 115);
    EXPECT_EQ(Rider.health(), 270);
    EXPECT_EQ(Rider.frame(), 150);
    EXPECT_EQ(Rider.fork(), 130);
    EXPECT_EQ(Rider.brakes(), 60);
    EXPECT_EQ(Rider.componentLevel(), 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Rider.hasProtector(i), 1);
    EXPECT_EQ(GameState.notEnoughMoney, 0);
    EXPECT_EQ(Rider.riderStage(), 2);
    pressKey(ScanS);
    EXPECT_EQ(GameState.racing, 1);
}

TEST_F(Shop, FailedComponentsPurchaseThenCheaperOne) {
    enterShop();
    pressKey(ScanRight); // frame 4
    pressKey(ScanEnter);
    expectAt(ScreenForks, 4250);
    pressKey(ScanEnter); // fork 7
    expectAt(ScreenBrakes, 2800);
    pressKey(ScanDown); // brakes 14
    pressKey(ScanEnter);
    expectAt(ScreenComponents, 2100);
    pressKey(ScanEnter); // 2500: too dear
    expectAt(ScreenComponents, 2100);
    EXPECT_EQ(GameState.notEnoughMoney, 1);
    EXPECT_EQ(Rider.componentLevel(), 0);
    pressKey(ScanDown);
    EXPECT_EQ(GameState.notEnoughMoney, 0);
    pressKey(ScanEnter);
    expectAt(19, 100);
    EXPECT_EQ(Rider.componentLevel(), 2);
    EXPECT_EQ(Rider.condition(), 50 + 25 + 30 + 60);
}

TEST_F(Shop, ShortageFlagIsClearedOnlyByArrowsOrAFirstFramePurchase) {
    enterShop();
    ASSERT_EQ(Rider.spend(6000), 1); // 1000 left
    pressKeys({ScanDown}); // page 5, 1700
    pressKey(ScanEnter);
    EXPECT_EQ(GameState.notEnoughMoney, 1);
    EXPECT_EQ(GameState.screen, 5);
    EXPECT_EQ(Rider.balance(), 1000);

    // A successful purchase on another page leaves the flag.
    Rider.addMoney(1000);
    pressKey(ScanEnter);
    expectAt(ScreenForks, 300);
    EXPECT_EQ(GameState.notEnoughMoney, 1);
    EXPECT_EQ(Rider.condition(), 10);

    // Esc does not touch it either; the frame comes back.
    pressKey(ScanEsc);
    expectAt(ScreenFrames, 2000);
    EXPECT_EQ(GameState.notEnoughMoney, 1);
    EXPECT_EQ(Rider.frame(), 0);
    EXPECT_EQ(Rider.condition(), 0);

    // Buying the frame of page 3 clears it.
    pressKey(ScanEnter);
    expectAt(ScreenForks, 100);
    EXPECT_EQ(GameState.notEnoughMoney, 0);
    EXPECT_EQ(Rider.condition(), 30);
}

TEST_F(Shop, FailedForkThenEscRefundsTheFrame) {
    enterShop();
    pressKey(ScanRight);
    pressKey(ScanEnter); // frame 4, 2750
    ASSERT_EQ(Rider.spend(3900), 1); // 350 left
    pressKey(ScanEnter); // fork 7, 1450: fails
    EXPECT_EQ(GameState.notEnoughMoney, 1);
    pressKey(ScanEsc);
    expectAt(ScreenFrames, 3100);
    EXPECT_EQ(GameState.notEnoughMoney, 1);
    EXPECT_EQ(Rider.condition(), 0);
}

TEST_F(Shop, EscOnFramesReturnsToMainMenuWithoutRefund) {
    enterShop();
    for (int page = 3; page <= 6; ++page) {
        GameState.screen = page;
        Rider.setFrame(165);
        pressKey(ScanEsc);
        EXPECT_EQ(GameState.screen, ScreenMainMenu);
        EXPECT_EQ(Rider.frame(), 165);
        EXPECT_EQ(Rider.balance(), 7000);
    }
}

TEST_F(Shop, EscStepsBackEachCategoryWithItsRefund) {
    enterShop();
    pressKey(ScanEnter);  // frame 3: 1900, +30
    pressKey(ScanEnter);  // fork 7: 1450, +25
    pressKey(ScanEnter);  // brakes 12: 500, +20
    pressKey(ScanDown);
    pressKey(ScanDown);
    pressKey(ScanEnter);  // components 18: 1500, +25
    expectAt(19, 1650);
    pressKey(ScanRight);
    pressKey(ScanEnter);  // gloves
    EXPECT_EQ(Rider.health(), 115);
    expectAt(21, 1610);
    pressKey(ScanRight);  // page 22; Esc from any protector page
    pressKey(ScanEsc);
    expectAt(ScreenComponents, 1610 + 1500 + 40);
    EXPECT_EQ(Rider.condition(), 75);
    EXPECT_EQ(Rider.health(), 100);
    EXPECT_EQ(Rider.hasProtector(1), 0);
    pressKey(ScanEsc);
    expectAt(ScreenBrakes, 3150 + 500);
    EXPECT_EQ(Rider.condition(), 55);
    pressKey(ScanEsc);
    expectAt(ScreenForks, 3650 + 1450);
    EXPECT_EQ(Rider.fork(), 0);
    pressKey(ScanEsc);
    expectAt(ScreenFrames, 7000);
    EXPECT_EQ(Rider.condition(), 0);
    pressKey(ScanEsc);
    expectAt(ScreenMainMenu, 7000);
}

TEST_F(Shop, EscOnGlovesPageAfterComponentsLevel3AndGloves) {
    enterShop();
    Rider.setComponentLevel(3);
    Rider.addCondition(25);
    ASSERT_EQ(Rider.spend(1500), 1);
    GameState.screen = 20;
    pressKey(ScanEnter); // gloves
    int balance = Rider.balance();
    int condition = Rider.condition();
    int health = Rider.health();
    EXPECT_EQ(health, 115);
    GameState.screen = 20;
    pressKey(ScanEsc);
    expectAt(ScreenComponents, balance + 1500 + 40);
    EXPECT_EQ(Rider.condition(), condition - 25);
    EXPECT_EQ(Rider.health(), health - 15);
}

TEST_F(Shop, OwnedProtectorGivesTheMoneyBack) {
    enterShop();
    GameState.screen = 21;
    pressKey(ScanEnter);
    EXPECT_EQ(Rider.hasProtector(2), 1);
    int balance = Rider.balance();
    GameState.screen = 21;
    pressKey(ScanEnter);
    expectAt(21, balance);
    EXPECT_EQ(Rider.health(), 175);
    EXPECT_EQ(GameState.notEnoughMoney, 0);

    // Without the money even an owned one fails as a shortage.
    ASSERT_EQ(Rider.spend(Rider.balance()), 1);
    pressKey(ScanEnter);
    EXPECT_EQ(GameState.notEnoughMoney, 1);
    expectAt(21, 0);
}

TEST_F(Shop, NextProtectorIsTheDearestAffordableNotOwned) {
    enterShop();
    ASSERT_EQ(Rider.spend(7000 - 500), 1);
    GameState.screen = 20; // gloves: 460 left, armour affordable
    pressKey(ScanEnter);
    expectAt(21, 460);
    pressKey(ScanEnter); // armour: 10 left, nothing affordable
    expectAt(ScreenMainMenu, 10);

    resetRider();
    Rider.appendToName("Kim");
    enterShop();
    ASSERT_EQ(Rider.spend(7000 - 640), 1);
    GameState.screen = 19; // helmet: 240 left, trousers next
    pressKey(ScanEnter);
    expectAt(22, 240);
}

TEST_F(Shop, ComponentsLeadToProtectorsOnlyWithFortyDollarsLeft) {
    for (auto [left, next] : {std::pair{40, 19}, std::pair{39, int(ScreenMainMenu)}}) {
        resetRider();
        Rider.appendToName("Kim");
        enterShop();
        ASSERT_EQ(Rider.spend(7000 - 1500 - left), 1);
        GameState.screen = 18;
        pressKey(ScanEnter);
        expectAt(next, left);
    }
}

TEST_F(Shop, BalanceLineTextsAndPositions) {
    char text[64];
    int32_t x = 0, y = 0;
    struct Expected {
        int page, lack;
        const char* first;
        int x0, y0;
        const char* second;
        int x1, y1;
    };
    const Expected cases[] = {
        {5, 1, "Not enough money! (1000 $)", 10, 4, nullptr, 0, 0},
        {6, 0, "Your balance: 1000", 10, 4, nullptr, 0, 0},
        {7, 1, "Not enough money! (1000 $)", 2, 2, nullptr, 0, 0},
        {11, 0, "Your balance:", 470, 290, "1000 ", 470, 310},
        {12, 1, "Not enough money! (1000 $)", 235, 235, nullptr, 0, 0},
        {15, 0, "Your balance: 1000", 235, 235, nullptr, 0, 0},
        {16, 1, "Not enough money! (1000 $)", 32, 150, nullptr, 0, 0},
        {18, 0, "Your balance: 1000", 32, 150, nullptr, 0, 0},
        {19, 1, "Not enough money! (1000 $)", 5, 2, nullptr, 0, 0},
        {22, 0, "Your balance: 1000", 5, 2, nullptr, 0, 0},
    };
    for (const Expected& c : cases) {
        ASSERT_EQ(balanceLineText(c.page, c.lack, 1000, 0, text, sizeof text, &x, &y), 1);
        EXPECT_STREQ(text, c.first);
        EXPECT_EQ(x, c.x0);
        EXPECT_EQ(y, c.y0);
        int hasSecond = balanceLineText(c.page, c.lack, 1000, 1, text, sizeof text, &x, &y);
        EXPECT_EQ(hasSecond, c.second != nullptr ? 1 : 0) << c.page;
        if (c.second != nullptr) {
            EXPECT_STREQ(text, c.second);
            EXPECT_EQ(x, c.x1);
            EXPECT_EQ(y, c.y1);
        }
    }
    for (int screen : {0, 1, 2, 23, 27})
        EXPECT_EQ(balanceLineText(screen, 0, 1000, 0, text, sizeof text, &x, &y), 0);
}

} // namespace
