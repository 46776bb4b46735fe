// Push and the brakes toggled by taps: the SDL back-end turns the taps into the messages
// holding gives, so the replay rides the timedemo to the same state log; a key a tap holds
// is let go as the ride ends.
#include <gtest/gtest.h>

#include <SDL_scancode.h>

#include <cstdio>
#include <string>

#include "base/scan_codes.h"
#include "game/screens.h"
#include "platform/platform.h"
#include "platform/sdl_keys.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {

int Context = ContextNone;
int contextNow() { return Context; }

int sdlKeyOf(int key) {
    return key == ScanUp ? SDL_SCANCODE_UP : key == ScanCtrl ? SDL_SCANCODE_LCTRL : key == ScanAlt ? SDL_SCANCODE_LALT : -1;
}

// A whole tap at `iteration`: the messages it gives, as replay script lines.
std::string tapLines(int sdl, int iteration) {
    std::string heard;
    PlatformMessage m{};
    for (int down : {1, 0})
        if (sdlKeyMessage(&m, sdl, down, 0, 0, 0))
            heard += std::to_string(iteration) + (m.type == MsgKeyDown || m.type == MsgSysKeyDown ? " press " : " release ") +
                     std::to_string(m.scanCode) + "\n";
    return heard;
}

void toggleEveryHeldAction() {
    resetSettings();
    for (int a = 0; a < HeldActionCount; ++a) Setting.toggled[a] = 1;
    sdlResetKeys();
    sdlSetKeyContextRule(contextNow);
}

}  // namespace

TEST(ToggledKeys, TapsRideTheSameRunAsHeldKeys) {
    std::vector<std::string> lines = readLines(std::string(TG_SOURCE_DIR) + "/bench/demo_ride.txt");
    lines.resize(400);
    lines.insert(lines.end(), {"1950 press 29", "1960 release 29", "1970 stop"});
    toggleEveryHeldAction();
    Context = ContextRide;
    // Each press and each release of a held key is a whole tap now; the push comes after
    // the run has started, not in the iteration S starts it.
    std::string held, toggled;
    int taps = 0;
    for (std::string& line : lines) {
        if (line == "7 press 72") line = "8 press 72";
        held += line + "\n";
        int iteration = 0, code = 0;
        char command[16] = {};
        const int words = line[0] == '#' ? 0 : std::sscanf(line.c_str(), "%d %15s %d", &iteration, command, &code);
        const int sdl = words == 3 && iteration >= 8 ? sdlKeyOf(code) : -1;
        if (sdl < 0) {
            toggled += line + "\n";
            continue;
        }
        ++taps;
        toggled += tapLines(sdl, iteration);
    }
    EXPECT_GT(taps, 100);
    resetSettings();

    const ReplayRun heldRun = runReplay(held);
    ASSERT_EQ(heldRun.status, 0) << heldRun.errors;
    const ReplayRun played = runReplay(toggled);
    ASSERT_EQ(played.status, 0) << played.errors;
    EXPECT_EQ(played.states, heldRun.states);
}

TEST(ToggledKeys, AKeyHeldByATapIsLetGoAsTheRideEnds) {
    toggleEveryHeldAction();
    Context = ContextRide;
    PlatformMessage m{};
    EXPECT_EQ(tapLines(SDL_SCANCODE_LALT, 1), "1 press 56\n");
    // Alt held by its tap makes the ride's other keys Alt's messages, as holding does.
    ASSERT_EQ(sdlKeyMessage(&m, SDL_SCANCODE_LEFT, 1, 0, 0, 0), 1);
    EXPECT_EQ(m.type, MsgSysKeyDown);
    sdlKeyMessage(&m, SDL_SCANCODE_LEFT, 0, 0, 0, 0);
    EXPECT_EQ(tapLines(SDL_SCANCODE_UP, 1), "1 press 72\n");
    EXPECT_EQ(sdlLatchedKeyRelease(&m, 0, 0), 0);  // still riding

    Context = ContextMenus;
    std::string released;
    while (sdlLatchedKeyRelease(&m, 0, 0)) released += std::to_string(m.scanCode) + (m.type == MsgSysKeyUp ? "s " : " ");
    EXPECT_EQ(released, "56s 72 ");
    // Outside the ride the same keys are held as ever.
    EXPECT_EQ(tapLines(SDL_SCANCODE_UP, 2), "2 press 72\n2 release 72\n");
    resetSettings();
    sdlResetKeys();
}
