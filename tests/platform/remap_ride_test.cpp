// The player's own keys drive the ride below the game: a run of the timedemo played with
// every ride key and the main menu's S moved elsewhere, each key going through the SDL
// back-end's translation, gives the replay exactly the state log of the game's own keys.
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

// Where a key of the script goes: as the game stood one iteration before (the state log).
int contextAt(const std::vector<std::string>& states, int iteration) {
    if (iteration == 0) return ContextMenus;
    const std::string& state = states[size_t(iteration - 1)];
    if (jsonInt(state, "racing")) return ContextRide;
    return jsonInt(state, "screen") == ScreenNameEntry ? ContextNone : ContextMenus;
}

// The SDL key the player presses for the game's `key` in `context`.
int playersKey(int key, int context) {
    for (int physical = 1; physical < ScanCodeCount; ++physical) {
        if (gameKeyFor(&Setting, physical, context) != key) continue;
        for (int sdl = 0; sdl < SDL_NUM_SCANCODES; ++sdl)
            if (set1ScanCode(sdl) == physical) return sdl;
    }
    return -1;
}

}  // namespace

TEST(RemappedKeys, ThePlayersOwnKeysRideTheSameRunAsTheGamesKeys) {
    std::string script;
    const std::vector<std::string> lines = readLines(std::string(TG_SOURCE_DIR) + "/bench/demo_ride.txt");
    // A player's push comes after the run has started, not in the iteration S starts it.
    for (size_t i = 0; i < lines.size() && i < 400; ++i) script += (lines[i] == "7 press 72" ? "8 press 72" : lines[i]) + "\n";
    script += "1950 press 29\n1960 release 29\n1962 tap 20\n1970 stop\n";  // hard brake, textures
    const ReplayRun original = runReplay(script);
    ASSERT_EQ(original.status, 0) << original.errors;

    resetSettings();
    Setting.key[ActionPush] = ScanW;
    Setting.key[ActionHardBrake] = ScanLeftShift;
    Setting.key[ActionSoftBrake] = ScanSpace;
    Setting.key[ActionSteerLeft] = ScanA;
    Setting.key[ActionSteerRight] = ScanD;
    Setting.key[ActionTextures] = ScanX;
    Setting.key[ActionNextStep] = ScanN;
    sdlResetKeys();
    sdlSetKeyContextRule(contextNow);

    std::istringstream in(script);
    std::string remapped, line;
    int altMessages = 0;
    while (std::getline(in, line)) {
        int iteration = 0, code = 0;
        char command[16] = {};
        if (line[0] == '#' || std::sscanf(line.c_str(), "%d %15s %d", &iteration, command, &code) != 3 ||
            std::string(command) == "time") {
            remapped += line + "\n";
            continue;
        }
        Context = contextAt(original.states, iteration);
        const int sdl = playersKey(code, Context);
        ASSERT_GE(sdl, 0) << line;
        const std::string what = command;
        for (int down : {1, 0}) {
            if ((what == "press" && !down) || (what == "release" && down)) continue;
            PlatformMessage m{};
            ASSERT_EQ(sdlKeyMessage(&m, sdl, down, 0, 0, 0), 1) << line;
            EXPECT_EQ(m.scanCode, code) << line;
            if (code == ScanAlt) altMessages += m.type == (down ? MsgSysKeyDown : MsgSysKeyUp) && m.altContext;
        }
        remapped += std::to_string(iteration) + " " + what + " " + std::to_string(code) + "\n";
        if (code == ScanAlt && what == "press") {
            // Held as Alt, Space makes the ride's other keys Alt's messages too.
            PlatformMessage m{};
            ASSERT_EQ(sdlKeyMessage(&m, SDL_SCANCODE_D, 1, 0, 0, 0), 1);
            EXPECT_EQ(m.type, MsgSysKeyDown);
            sdlKeyMessage(&m, SDL_SCANCODE_D, 0, 0, 0, 0);
        }
    }
    EXPECT_GT(altMessages, 100);
    // The game's own key, moved away, does nothing in the ride; in the shop it is itself.
    PlatformMessage m{};
    Context = ContextRide;
    EXPECT_EQ(sdlKeyMessage(&m, SDL_SCANCODE_UP, 1, 0, 0, 0), 0);
    sdlKeyMessage(&m, SDL_SCANCODE_UP, 0, 0, 0, 0);
    Context = ContextMenus;
    ASSERT_EQ(sdlKeyMessage(&m, SDL_SCANCODE_UP, 1, 0, 0, 0), 1);
    EXPECT_EQ(m.scanCode, ScanUp);
    resetSettings();

    const ReplayRun played = runReplay(remapped);
    ASSERT_EQ(played.status, 0) << played.errors;
    EXPECT_EQ(played.states, original.states);
}
