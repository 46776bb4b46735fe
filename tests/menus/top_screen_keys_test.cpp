// The keys a screen of our own hears from the keyboard, through the framework: the Enter
// of Alt+Enter (the window switch) never, while the game's screens still get it as Enter.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "game/game_keys.h"
#include "menus/top_screens.h"
#include "platform/headless.h"

namespace {

std::vector<int> ScreenHeard, GameHeard;

void screenKey(int scanCode) { ScreenHeard.push_back(scanCode); }
void gameKey(int scanCode, int down) {
    if (down == 1) GameHeard.push_back(scanCode);
}
const TopScreen Listening = {nullptr, screenKey, nullptr, nullptr};

void typeKeys(std::initializer_list<std::pair<int, int>> keys) {
    for (const auto& [scanCode, down] : keys) headlessQueueKey(scanCode, down);
    dispatchEvents();
}

}  // namespace

TEST(TopScreenKeys, TheEnterOfAltEnterIsNeverATopScreensEnter) {
    resetMetaGame();
    resetTopScreens();
    headlessReset();
    ScreenHeard.clear();
    GameHeard.clear();
    ASSERT_NE(createFramework("Tumblegrade - DH"), nullptr);
    setKeyDownCallback(topScreensKeyDown);
    setGameKeyWatcher(gameKey);
    registerTopScreen(TopScreenCourses, &Listening);
    openTopScreen(TopScreenCourses);
    const std::initializer_list<std::pair<int, int>> altEnter = {
        {ScanAlt, 1}, {ScanEnter, 1}, {ScanEnter, 0}, {ScanAlt, 0}};
    typeKeys(altEnter);
    typeKeys({{ScanEnter, 1}, {ScanEnter, 0}});
    EXPECT_EQ(ScreenHeard, (std::vector<int>{ScanAlt, ScanEnter}));  // Alt itself, then the plain Enter
    EXPECT_TRUE(GameHeard.empty());

    closeTopScreen();
    GameState.screen = ScreenMainMenu;
    typeKeys(altEnter);
    EXPECT_EQ(GameHeard, (std::vector<int>{ScanAlt, ScanEnter}));
    EXPECT_EQ(ScreenHeard.size(), 2u);
    shutdownFramework();
    resetTopScreens();
    resetMetaGame();
}
