// Push and the brakes toggled by taps: the SDL back-end turns the taps into the messages
// holding gives, so the replay rides the timedemo to the same state log; a key a tap holds
// is let go as the ride ends.
#include <gtest/gtest.h>

#include <SDL_scancode.h>

#include <cstdio>
#include <sstream>
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

// A whole tap: the messages it gives, as "down KEY" / "up KEY" words.
std::string tap(int sdl) {
    std::string heard;
    PlatformMessage m{};
    for (int down : {1, 0})
        if (sdlKeyMessage(&m, sdl, down, 0, 0, 0))
            heard += std::string(m.type == MsgKeyDown || m.type == MsgSysKeyDown ? "down " : "up ") +
                     std::to_string(m.scanCode) + " ";
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
    std::string script;
    const std::vector<std::string> lines = readLines(std::string(TG_SOURCE_DIR) + "/bench/demo_ride.txt");
    for (size_t i = 0; i < lines.size() && i < 400; ++i) script += (lines[i] == "7 press 72" ? "8 press 72" : lines[i]) + "\n";
    script += "1950 press 29\n1960 release 29\n1970 stop\n";
    const ReplayRun held = runReplay(script);
    ASSERT_EQ(held.status, 0) << held.errors;

    toggleEveryHeldAction();
    Context = ContextRide;
    std::istringstream in(script);
    std::string toggled, line;
    int taps = 0;
    while (std::getline(in, line)) {
        int iteration = 0, code = 0;
        char command[16] = {};
        const bool keyLine = line[0] != '#' && std::sscanf(line.c_str(), "%d %15s %d", &iteration, command, &code) == 3;
        const int sdl = keyLine ? sdlKeyOf(code) : -1;
        if (sdl < 0 || iteration < 8) {
            toggled += line + "\n";
            continue;
        }
        // A press and a release of the held key are each a whole tap now.
        const std::string heard = tap(sdl);
        ++taps;
        const std::string want = std::string(command) == "press" ? "down " : "up ";
        ASSERT_EQ(heard, want + std::to_string(code) + " ") << line;
        toggled += std::to_string(iteration) + (want == "down " ? " press " : " release ") + std::to_string(code) + "\n";
    }
    EXPECT_GT(taps, 100);
    resetSettings();

    const ReplayRun played = runReplay(toggled);
    ASSERT_EQ(played.status, 0) << played.errors;
    EXPECT_EQ(played.states, held.states);
}

TEST(ToggledKeys, AKeyHeldByATapIsLetGoAsTheRideEnds) {
    toggleEveryHeldAction();
    Context = ContextRide;
    PlatformMessage m{};
    EXPECT_EQ(tap(SDL_SCANCODE_LALT), "down 56 ");
    // Alt held by its tap makes the ride's other keys Alt's messages, as holding does.
    ASSERT_EQ(sdlKeyMessage(&m, SDL_SCANCODE_LEFT, 1, 0, 0, 0), 1);
    EXPECT_EQ(m.type, MsgSysKeyDown);
    sdlKeyMessage(&m, SDL_SCANCODE_LEFT, 0, 0, 0, 0);
    EXPECT_EQ(tap(SDL_SCANCODE_UP), "down 72 ");
    EXPECT_EQ(sdlLatchedKeyRelease(&m, 0, 0), 0);  // still riding

    Context = ContextMenus;
    std::string released;
    while (sdlLatchedKeyRelease(&m, 0, 0)) released += std::to_string(m.scanCode) + (m.type == MsgSysKeyUp ? "s " : " ");
    EXPECT_EQ(released, "56s 72 ");
    // Outside the ride the same keys are held as ever.
    EXPECT_EQ(tap(SDL_SCANCODE_UP), "down 72 up 72 ");
    resetSettings();
    sdlResetKeys();
}
