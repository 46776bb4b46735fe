// The framework on the headless back-end: event translation, the queue's limit, the
// key-state table, callback slots, the close question and the window/full-screen switch.
#include <gtest/gtest.h>

#include <vector>

#include "base/scan_codes.h"
#include "framework/framework.h"
#include "platform/headless.h"

namespace {

std::vector<InputEvent> Seen;
int ModeSwitches = 0;
int LastTargetWindowed = -1;

void recordEvent(InputEvent* e) { Seen.push_back(*e); }
void recordModeSwitch(ModeRequest*, int windowed) {
    ++ModeSwitches;
    LastTargetWindowed = windowed;
}

ModeRequest gameRequest() {
    ModeRequest r{};
    r.modeNumber = 19;
    r.width = 640;
    r.height = 480;
    r.bitsPerPixel = 8;
    return r;
}

class FrameworkTest : public testing::Test {
protected:
    void SetUp() override {
        headlessReset();
        Seen.clear();
        ModeSwitches = 0;
        LastTargetWindowed = -1;
        page = createFramework("Tumblegrade - DH");
        ASSERT_NE(page, nullptr);
        ModeRequest r = gameRequest();
        ASSERT_EQ(setMode(&r, 1, 2, 1), 1);
    }
    void TearDown() override { shutdownFramework(); }
    DisplayContext** page = nullptr;
};

}  // namespace

TEST_F(FrameworkTest, OpensA640x480EightBitPageReachedThroughThePageReference) {
    ASSERT_NE(*page, nullptr);
    EXPECT_EQ((*page)->width, 640);
    EXPECT_EQ((*page)->height, 480);
    EXPECT_EQ((*page)->bitsPerPixel, 8);
    EXPECT_EQ(currentContext(), *page);
    EXPECT_FALSE(isFullScreen());
}

TEST_F(FrameworkTest, KeyEventsCarryCharacterScanCodeAndTheKeyStateTable) {
    setKeyDownCallback(recordEvent);
    setKeyUpCallback(recordEvent);
    headlessQueueKey(ScanS, 1);  // S
    dispatchEvents();
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(Seen[0].type, KeyDown);
    EXPECT_EQ(Seen[0].message, unsigned('s' | 31 << 8));
    EXPECT_EQ(scanCodeOf(Seen[0]), 31);
    EXPECT_EQ(isKeyDown(ScanS), 1);
    EXPECT_EQ(isKeyDown(ScanS + 256), 1);  // only the low 8 bits count

    headlessQueueKey(ScanS, 1);  // held: a repeat, which no slot takes here
    headlessQueueKey(ScanS, 0);
    dispatchEvents();
    ASSERT_EQ(Seen.size(), 2u);
    EXPECT_EQ(Seen[1].type, KeyUp);
    EXPECT_EQ(Seen[1].message, unsigned('s' | 31 << 8));
    EXPECT_EQ(isKeyDown(ScanS), 0);
}

TEST_F(FrameworkTest, HeldKeyRepeatsWithItsCount) {
    setKeyRepeatCallback(recordEvent);
    headlessQueueKey(ScanUp, 1);
    headlessQueueKey(ScanUp, 1);
    dispatchEvents();
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(Seen[0].type, KeyRepeat);
    EXPECT_EQ(Seen[0].message >> 16, 1u);
    EXPECT_EQ(scanCodeOf(Seen[0]), ScanUp);
}

// Each key-down into the key-state table counts once, a tap as much as a held key:
// repeats do not, nor keyboard keys while the table is held; made keys do.
TEST_F(FrameworkTest, KeyDownsAreCountedAsTheyReachTheKeyStateTable) {
    headlessQueueKey(ScanF9, 1);
    headlessQueueKey(ScanF9, 0);
    headlessQueueKey(ScanF9, 1);
    headlessQueueKey(ScanF9, 1);  // a repeat
    dispatchEvents();
    EXPECT_EQ(keyDownCount(ScanF9), 2u);
    holdKeyStateTable(1);
    headlessQueueKey(ScanF9, 0);
    headlessQueueKey(ScanF9, 1);
    dispatchEvents();
    InputEvent made{};
    makeKeyEvent(ScanEnter, 0, 1, &made);
    makeKeyEvent(ScanEnter, 0, 1, &made);
    holdKeyStateTable(0);
    EXPECT_EQ(keyDownCount(ScanF9), 2u);
    EXPECT_EQ(keyDownCount(ScanEnter), 1u);
}

TEST_F(FrameworkTest, QueueKeepsTheFirstHundredEventsOfOnePump) {
    for (int i = 0; i < 60; ++i) {  // 120 events in one pump
        headlessQueueKey(ScanA, 1);
        headlessQueueKey(ScanA, 0);
    }
    InputEvent e{};
    ASSERT_EQ(getEvent(&e, KeyUp), 1);  // the mask takes the oldest key-up
    EXPECT_EQ(e.type, KeyUp);
    EXPECT_EQ(queuedEventCount(), 99);
    while (getEvent(&e, 0xFFFF)) {
    }
    EXPECT_EQ(e.type, 0);
    EXPECT_EQ(queuedEventCount(), 0);
}

TEST_F(FrameworkTest, MouseMovesInOnePumpBecomeOneEventAtTheLastPosition) {
    setMouseMoveCallback(recordEvent);
    for (int i = 0; i < 5; ++i) {
        PlatformMessage m{};
        m.type = MsgMouseMove;
        m.x = 10 * i;
        m.y = i;
        headlessQueueMessage(m);
    }
    dispatchEvents();
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(Seen[0].x, 40);
    EXPECT_EQ(Seen[0].y, 4);
}

TEST_F(FrameworkTest, CloseAsksAndOnlyYesEndsTheLoop) {
    headlessQueueClose(0);
    dispatchEvents();
    EXPECT_EQ(headlessConfirmCount(), 1);
    EXPECT_FALSE(exitRequested());
    headlessQueueClose(1);
    dispatchEvents();
    EXPECT_TRUE(exitRequested());
}

TEST_F(FrameworkTest, AltEnterSwitchesToFullScreenAndBackThroughTheModeCallback) {
    setModeSwitchedCallback(recordModeSwitch);
    headlessQueueKey(ScanAlt, 1);  // Alt
    headlessQueueKey(ScanEnter, 1);  // Enter with Alt held
    headlessQueueKey(ScanEnter, 0);
    headlessQueueKey(ScanAlt, 0);
    dispatchEvents();
    EXPECT_EQ(ModeSwitches, 1);
    EXPECT_EQ(LastTargetWindowed, 0);
    EXPECT_TRUE(isFullScreen());
    EXPECT_TRUE(headlessFullScreen());
    ASSERT_NE(*page, nullptr);  // a new drawing page, found through the same reference
    EXPECT_EQ((*page)->width, 640);

    PlatformMessage m{};
    m.type = MsgModeCommand;
    m.code = 1;
    headlessQueueMessage(m);
    dispatchEvents();
    EXPECT_EQ(ModeSwitches, 2);
    EXPECT_FALSE(isFullScreen());
}

TEST_F(FrameworkTest, NoSwitchIsOfferedWithoutTheModeCallback) {
    headlessQueueKey(ScanAlt, 1);
    headlessQueueKey(ScanEnter, 1);
    dispatchEvents();
    EXPECT_FALSE(isFullScreen());
}

TEST_F(FrameworkTest, PaletteReachesThePageOnSetAndTheDisplayOnRealize) {
    PaletteEntry entries[2] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    setPalette(entries, 2, 254);
    EXPECT_EQ((*page)->palette[255].red, 6);
    setPalette(entries, 5, 255);  // entries past the end are not written
    EXPECT_EQ((*page)->palette[255].blue, 1);
    realizePalette(256, 0, 1);
    const int before = headlessPresentCount();
    swapPages(1);
    EXPECT_EQ(headlessPresentCount(), before + 1);
}

TEST_F(FrameworkTest, MainLoopRunsLogicThenDrawUntilExit) {
    static std::vector<char> order;
    order.clear();
    setLogicCallback([] { order.push_back('L'); });
    setDrawCallback([] {
        order.push_back('D');
        if (order.size() == 4) requestExit();
    });
    EXPECT_EQ(mainLoop(), 0);
    EXPECT_EQ(std::string(order.begin(), order.end()), "LDLD");
    SetUp();  // the loop shut the framework down; open it again for TearDown
}

TEST_F(FrameworkTest, IterationObserverRunsAfterDrawingAndOutlivesANewFramework) {
    static std::vector<char> order;
    order.clear();
    setIterationObserver([] { order.push_back('O'); });
    shutdownFramework();
    SetUp();  // a fresh framework clears the game's slots, not the observer
    setLogicCallback([] { order.push_back('L'); });
    setDrawCallback([] {
        order.push_back('D');
        if (order.size() == 5) requestExit();
    });
    EXPECT_EQ(mainLoop(), 0);
    setIterationObserver(nullptr);
    EXPECT_EQ(std::string(order.begin(), order.end()), "LDOLDO");
    SetUp();
}
