// The player's own keys drive the ride below the game: a run of the timedemo played with
// every ride key and the main menu's S moved elsewhere, or with push and the brakes
// toggled by taps, each key going through the SDL back-end's translation, gives the
// replay exactly the state log of the game's own keys held.
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
    Context = ContextRide;
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

TEST(ToggledKeys, TapsRideTheSameRunAsHeldKeys) {
    std::vector<std::string> lines = readLines(std::string(TG_SOURCE_DIR) + "/bench/demo_ride.txt");
    lines.resize(400);
    lines.insert(lines.end(), {"1950 press 29", "1960 release 29", "1970 stop"});
    toggleEveryHeldAction();
    // Each press and each release of push or a brake in the ride is a whole tap now.
    std::string held, toggled;
    for (std::string& line : lines) {
        if (line == "7 press 72") line = "8 press 72";  // once the run has started
        held += line + "\n";
        int iteration = 0, code = 0;
        char command[16] = {};
        const bool tapped = line[0] != '#' && std::sscanf(line.c_str(), "%d %15s %d", &iteration, command, &code) == 3 &&
                            iteration >= 8 && (code == ScanUp || code == ScanCtrl || code == ScanAlt);
        toggled += tapped ? tapLines(playersKey(code, ContextRide), iteration) : line + "\n";
    }
    resetSettings();
    const ReplayRun heldRun = runReplay(held), played = runReplay(toggled);
    ASSERT_EQ(played.status, 0) << played.errors;
    EXPECT_EQ(played.states, heldRun.states);
}

TEST(ToggledKeys, AKeyHeldByATapIsLetGoAsTheRideEnds) {
    toggleEveryHeldAction();
    PlatformMessage m{};
    EXPECT_EQ(tapLines(SDL_SCANCODE_LALT, 1), "1 press 56\n");
    // Alt held by its tap makes the ride's other keys Alt's messages, as holding does.
    ASSERT_EQ(sdlKeyMessage(&m, SDL_SCANCODE_LEFT, 1, 0, 0, 0), 1);
    EXPECT_EQ(m.type, MsgSysKeyDown);
    EXPECT_EQ(tapLines(SDL_SCANCODE_UP, 1), "1 press 72\n");
    EXPECT_EQ(sdlLatchedKeyRelease(&m, 0, 0), 0);  // still riding
    Context = ContextMenus;
    std::string released;
    while (sdlLatchedKeyRelease(&m, 0, 0)) released += std::to_string(m.scanCode) + (m.type == MsgSysKeyUp ? "s " : " ");
    EXPECT_EQ(released, "56s 72 ");
    EXPECT_EQ(tapLines(SDL_SCANCODE_UP, 2), "2 press 72\n2 release 72\n");  // held as ever out of the ride
    resetSettings();
    sdlResetKeys();
}
