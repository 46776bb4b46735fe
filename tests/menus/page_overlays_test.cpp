// The words over the game's pages and the pieces they are drawn from: the ride-again
// key on the outcome and finish pictures (the window game only: the replay's pictures
// stay as they were), and panels, caps and text that reach past the page's edges
// writing nothing outside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/game_state.h"
#include "game/screens.h"
#include "menus/hud.h"
#include "menus/look.h"
#include "menus/panels.h"
#include "menus/run_watch.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {

constexpr int Guard = 4096;
constexpr uint8_t GuardByte = 0xA5;

// A page with guard bytes before and after its pixels, in a palette of greys and one
// orange, filled with one entry.
struct GuardedPage {
    std::vector<uint8_t> bytes;
    DisplayContext dc{};
    GuardedPage(int width, int height) : bytes(size_t(width * height + 2 * Guard), GuardByte) {
        dc.width = width;
        dc.height = height;
        dc.bitsPerPixel = 8;
        dc.pixels = bytes.data() + Guard;
        std::fill(dc.pixels, dc.pixels + width * height, uint8_t(40));
        for (int i = 0; i < 256; ++i) dc.palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
        dc.palette[200] = {0, 122, 255, 0};
        dc.clipRight = width - 1;
        dc.clipBottom = height - 1;
    }
    bool guardsIntact() const {
        const auto intact = [](auto from, auto to) { return std::all_of(from, to, [](uint8_t b) { return b == GuardByte; }); };
        return intact(bytes.begin(), bytes.begin() + Guard) && intact(bytes.end() - Guard, bytes.end());
    }
    std::vector<uint8_t> pixels() const { return {dc.pixels, dc.pixels + dc.width * dc.height}; }
    int count(int colour) const { return int(std::count(dc.pixels, dc.pixels + dc.width * dc.height, colour)); }
};

class PageOverlays : public testing::Test {
protected:
    void SetUp() override {
        data_ = std::make_unique<ScopedDir>(TG_DATA_DIR);
        resetGameState();
        resetRunWatch();
        resetHud();
    }
    void TearDown() override {
        setCurrentContext(nullptr);
        resetHud();
        resetRunWatch();
        resetGameState();
        releaseLook();
        data_.reset();
    }
    std::unique_ptr<ScopedDir> data_;
};

TEST_F(PageOverlays, RideAgainKeyOnlyInTheWindowGame) {
    GuardedPage page(640, 480);
    setCurrentContext(&page.dc);
    RunWatch.start.valid = 1;
    for (int screen : {ScreenCrash, ScreenInjury, ScreenDefect}) {
        GameState.screen = screen;
        Hud.rideAgainKey = 0;
        drawFinishLines(&page.dc);
        EXPECT_EQ(page.count(40), 640 * 480) << "drawn without the key, screen " << screen;
        Hud.rideAgainKey = 1;
        drawFinishLines(&page.dc);
        ASSERT_NE(lookOverPage(&page.dc), nullptr);
        EXPECT_GT(page.count(Look.over.colour[LookCapFace]), 100) << screen;
        std::fill(page.dc.pixels, page.dc.pixels + 640 * 480, uint8_t(40));
    }
    // On the finish picture the time lines are the same with or without the key: the
    // key sits below them.
    GameState.screen = ScreenFinish;
    RunWatch.finished = 1;
    RunWatch.finish.steps = 4000;
    Hud.rideAgainKey = 0;
    drawFinishLines(&page.dc);
    const std::vector<uint8_t> withoutKey = page.pixels();
    Hud.rideAgainKey = 1;
    drawFinishLines(&page.dc);
    const std::vector<uint8_t> withKey = page.pixels();
    const auto firstDifference = std::mismatch(withoutKey.begin(), withoutKey.end(), withKey.begin()).first;
    ASSERT_NE(firstDifference, withoutKey.end());
    EXPECT_GT((firstDifference - withoutKey.begin()) / 640, 74 + 2 * 24) << "the key overlaps the time lines";
    EXPECT_TRUE(page.guardsIntact());
}

// The ride's time and a split ahead: green, or blue in the colour-safe pair; twice as
// large still on the page; PRACTICE said even with the time switched off.
TEST_F(PageOverlays, TheRideDisplayLargeAndInTheColourSafePair) {
    GuardedPage page(640, 480);
    page.dc.palette[201] = {240, 130, 70, 0};  // the look's blue
    page.dc.palette[202] = {40, 220, 40, 0};   // the green of a split ahead
    setCurrentContext(&page.dc);
    GameState.racing = RunWatch.running = RunWatch.haveBest = RunWatch.splitCount = RunWatch.best.splitCount = 1;
    RunWatch.splits[0] = 1000;
    RunWatch.best.splits[0] = 1250;
    RunWatch.lastSplitFrame = 0;
    // The width and height of what is drawn, and how much of it is blue and green.
    const auto draw = [&] {
        std::fill(page.dc.pixels, page.dc.pixels + 640 * 480, uint8_t(40));
        drawRideHud(&page.dc);
        int right = -1, bottom = -1;
        for (int i = 0; i < 640 * 480; ++i)
            if (page.dc.pixels[i] != 40) right = std::max(right, i % 640), bottom = std::max(bottom, i / 640);
        return std::vector<int>{right, bottom, page.count(201), page.count(202)};
    };
    const std::vector<int> usual = draw();
    EXPECT_EQ(usual[2], 0);
    EXPECT_GT(usual[3], 20);
    Setting.colourSafe = Setting.largeHud = 1;
    const std::vector<int> large = draw();
    EXPECT_NEAR(large[0], 2 * usual[0], 40);
    EXPECT_NEAR(large[1], 2 * usual[1], 16);
    EXPECT_GT(large[2], 4 * 20);
    EXPECT_EQ(large[3], 0);
    Hud.shown = 0;
    EXPECT_EQ(draw()[0], -1);
    RunWatch.practice = 1;
    EXPECT_GT(draw()[0], 0);
    EXPECT_TRUE(page.guardsIntact());
    resetSettings();
}

TEST_F(PageOverlays, PiecesPastTheEdgesStayInsideThePage) {
    GuardedPage page(50, 30);
    const PageLook* look = lookOverPage(&page.dc);
    ASSERT_NE(look, nullptr);
    EXPECT_EQ(look->colour[LookAccent], 200);
    drawPanel(&page.dc, *look, -20, -20, 80, 60);
    drawPanel(&page.dc, *look, 45, 25, 45, 25);
    drawKeyCap(&page.dc, *look, Look.text, 40, 20, "Enter");
    drawKeyHint(&page.dc, *look, Look.text, -30, -10, KeyHint{"Esc", "Back to the menu"});
    const KeyHint keys[] = {{"F5", "Ride again"}, {KeyArrowUp, "Push"}};
    drawFooterKeys(&page.dc, *look, Look.text, keys, 2);
    drawOutlinedText(&page.dc, *look, Look.title, -5, 20, "Title");
    drawWrappedText(&page.dc, *look, Look.text, 30, 5, 10, 12, 4, look->colour[LookWhite], "Awordtoolongforthe line");
    fillBox(&page.dc, 1, -5, -5, 100, 100);
    EXPECT_EQ(page.count(1), 50 * 30);
    EXPECT_TRUE(page.guardsIntact());
}

// A dark panel darkens what lies under it and leaves the rest of the page.
TEST_F(PageOverlays, PanelDarkensOnlyItsBox) {
    GuardedPage page(64, 48);
    const PageLook* look = lookOverPage(&page.dc);
    ASSERT_NE(look, nullptr);
    drawPanel(&page.dc, *look, 10, 10, 30, 20);
    const auto at = [&](int x, int y) { return int(page.dc.pixels[y * 64 + x]); };
    EXPECT_EQ(at(9, 15), 40);
    EXPECT_EQ(at(10, 10), 40) << "the corners are round";
    EXPECT_EQ(at(10, 15), look->colour[LookPanelEdge]);
    EXPECT_LT(at(20, 15), 40);
    EXPECT_EQ(at(20, 15), look->underPanel[40]);
    EXPECT_EQ(at(31, 15), 40);
}

}  // namespace
