// A virtual game controller plays the real SDL game: from the intro through the menus
// and the shop, down the whole course to the finish, and out through the credits. The
// rider's name is typed on the keyboard. The controller's update hook looks at the
// game's state and moves its buttons and sticks as a player would.
#include <gtest/gtest.h>

#include <SDL.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/game_main.h"
#include "base/game_state.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "menus/course_screen.h"
#include "menus/top_screens.h"
#include "platform/sdl_window.h"
#include "pilot/autopilot.h"
#include "track/course_choice.h"

namespace {

constexpr Sint16 AxisFar = 32767;
constexpr Sint16 TriggerOff = -32768;  // released, however the trigger's range is mapped
constexpr Uint32 StepTimeout = 8000;   // ms one step may wait for its screen
constexpr Uint32 RideTimeout = 240000;

enum Act { TapButton, TypeKey, RideToFinish };

struct Step {
    const char* what;
    int screen;        // the step acts on this screen (while no run is on)
    Act act;
    int input;         // button or SDL scan code
    int holdShoulder;  // Alt held by a shoulder during the tap
    int thenScreen;    // the screen it leads to
    int thenOwn = TopScreenNone;  // the screen of our own open after it
};

// The walk: B does nothing on the main menu but steps back on a shop page; Back quits.
const Step Walk[] = {
    {"A with a shoulder held (no Alt+Enter)", ScreenIntro, TapButton, SDL_CONTROLLER_BUTTON_A, 1, ScreenMainMenu},
    {"B on the main menu does nothing", ScreenMainMenu, TapButton, SDL_CONTROLLER_BUTTON_B, 0, ScreenMainMenu},
    {"Y: the course screen", ScreenMainMenu, TapButton, SDL_CONTROLLER_BUTTON_Y, 0, ScreenMainMenu, TopScreenCourses},
    {"D-pad down: the next course", ScreenMainMenu, TapButton, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0, ScreenMainMenu,
     TopScreenCourses},
    {"B: leave it unchanged", ScreenMainMenu, TapButton, SDL_CONTROLLER_BUTTON_B, 0, ScreenMainMenu},
    {"Y: the course screen again", ScreenMainMenu, TapButton, SDL_CONTROLLER_BUTTON_Y, 0, ScreenMainMenu,
     TopScreenCourses},
    {"D-pad down again", ScreenMainMenu, TapButton, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0, ScreenMainMenu, TopScreenCourses},
    {"A: ride that course", ScreenMainMenu, TapButton, SDL_CONTROLLER_BUTTON_A, 0, ScreenMainMenu},
    {"X: the name entry", ScreenMainMenu, TapButton, SDL_CONTROLLER_BUTTON_X, 0, ScreenNameEntry},
    {"G typed on the keyboard", ScreenNameEntry, TypeKey, SDL_SCANCODE_G, 0, ScreenNameEntry},
    {"Start: back to the main menu", ScreenNameEntry, TapButton, SDL_CONTROLLER_BUTTON_START, 0, ScreenMainMenu},
    {"X: the shop", ScreenMainMenu, TapButton, SDL_CONTROLLER_BUTTON_X, 0, ScreenFrames},
    {"A: buy a frame", ScreenFrames, TapButton, SDL_CONTROLLER_BUTTON_A, 0, ScreenForks},
    {"B: back to the frames", ScreenForks, TapButton, SDL_CONTROLLER_BUTTON_B, 0, ScreenFrames},
    {"A: buy the frame again", ScreenFrames, TapButton, SDL_CONTROLLER_BUTTON_A, 0, ScreenForks},
    {"D-pad right: the next fork", ScreenForks, TapButton, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0, ScreenForks + 1},
    {"D-pad left: back to the first fork", ScreenForks + 1, TapButton, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0, ScreenForks},
    {"A: buy a fork", ScreenForks, TapButton, SDL_CONTROLLER_BUTTON_A, 0, ScreenBrakes},
    {"X: ride", ScreenBrakes, TapButton, SDL_CONTROLLER_BUTTON_X, 0, -1},
    {"triggers, shoulders and stick down the course", -1, RideToFinish, 0, 0, ScreenFinish},
    {"A: the credits", ScreenFinish, TapButton, SDL_CONTROLLER_BUTTON_A, 0, ScreenCredits},
    {"Back: quit", ScreenCredits, TapButton, SDL_CONTROLLER_BUTTON_BACK, 0, -1},
};
constexpr int WalkLength = int(sizeof Walk / sizeof Walk[0]);

struct Player {
    SDL_Joystick* joystick;
    int step;
    int phase;           // 0 waiting for the screen, 1 button down, 2 waiting for the result
    Uint32 since;
    std::string failure;
    int fullScreenSeen;
};

Player P;

void setAxis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(P.joystick, axis, value); }
void setButton(int button, int down) { SDL_JoystickSetVirtualButton(P.joystick, button, Uint8(down)); }

void typeKey(SDL_Scancode key) {
    for (Uint32 type : {Uint32(SDL_KEYDOWN), Uint32(SDL_KEYUP)}) {
        SDL_Event e{};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.scancode = key;
        SDL_PushEvent(&e);
    }
}

void fail(const std::string& why) {
    if (P.failure.empty()) P.failure = why;
    SDL_Event quit{};
    quit.type = SDL_QUIT;  // the window is gone: the game ends
    SDL_PushEvent(&quit);
}

void ride() {
    const RideControls c = autopilotRide();
    setAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, c.up ? AxisFar : TriggerOff);
    setAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, c.ctrl ? AxisFar : TriggerOff);
    setButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, c.alt);
    setAxis(SDL_CONTROLLER_AXIS_LEFTX, Sint16(c.left ? -AxisFar : c.right ? AxisFar : 0));
}

void stopRiding() {
    setAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, TriggerOff);
    setAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, TriggerOff);
    setButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0);
    setAxis(SDL_CONTROLLER_AXIS_LEFTX, 0);
}

// Called by SDL whenever it reads the controller: a few times per main-loop iteration.
void SDLCALL play(void*) {
    if (!P.joystick || !drawingPage()) return;  // the game is not up yet
    if (isFullScreen()) P.fullScreenSeen = 1;
    if (!P.failure.empty()) return;
    if (P.step >= WalkLength) {
        if (SDL_GetTicks() - P.since > StepTimeout) fail("Back did not quit");
        return;
    }
    const Step& s = Walk[P.step];
    const Uint32 now = SDL_GetTicks();
    if (P.since == 0) P.since = now;
    if (s.act == RideToFinish) {
        if (GameState.racing) {
            ride();
        } else {
            stopRiding();
            if (GameState.screen != s.thenScreen) return fail("the run ended on screen " + std::to_string(GameState.screen));
            ++P.step;
            P.since = now;
        }
        if (now - P.since > RideTimeout) fail("no finish in time");
        return;
    }
    switch (P.phase) {
    case 0:
        if (GameState.racing || GameState.screen != s.screen) {
            if (now - P.since > StepTimeout) fail(std::string("never reached the screen for: ") + s.what);
            return;
        }
        if (s.act == TypeKey) {
            typeKey(SDL_Scancode(s.input));
            P.phase = 2;
        } else {
            if (s.holdShoulder) setButton(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1);
            setButton(s.input, 1);
            P.phase = 1;
        }
        P.since = now;
        return;
    case 1:  // one reading with the button down is one key press
        setButton(s.input, 0);
        setButton(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0);
        P.phase = 2;
        return;
    default:
        if (s.thenScreen == s.screen) {  // a step that changes nothing: watch a moment
            if (now - P.since < 300) return;
            if (GameState.racing || GameState.screen != s.screen || exitRequested() ||
                currentTopScreen() != s.thenOwn)
                return fail(std::string("something changed after: ") + s.what);
        } else if (s.thenScreen >= 0 && (GameState.racing || GameState.screen != s.thenScreen)) {
            if (now - P.since > StepTimeout) fail(std::string("no effect of: ") + s.what);
            return;
        } else if (s.thenScreen < 0 && P.step + 1 < WalkLength && !GameState.racing) {
            if (now - P.since > StepTimeout) fail(std::string("no run after: ") + s.what);
            return;
        }
        ++P.step;  // the last step quits: the game ends by itself
        P.phase = 0;
        P.since = now;
        return;
    }
}

}  // namespace

TEST(GamepadRide, AVirtualControllerPlaysFromTheIntroToTheFinish) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    // The dummy display gives no window the focus; this controller may play regardless.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ASSERT_EQ(chdir(TG_DATA_DIR), 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();

    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Test Pad";
    desc.Update = play;
    const int device = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(device, 0) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(device));
    P = Player{};
    P.joystick = SDL_JoystickOpen(device);
    ASSERT_NE(P.joystick, nullptr);
    stopRiding();

    sdlSetGamepadEscapeRule(gamepadBActsAsEsc);  // as the game's entry does
    sdlSetGamepadMainMenuRule(gamepadOnMainMenu);
    useTopScreens(1);
    installCourseScreen();
    char program[] = "tumblegrade";
    char* argv[] = {program, nullptr};
    const int status = gameMain(1, argv);

    EXPECT_EQ(status, 0);
    EXPECT_EQ(P.failure, "");
    EXPECT_EQ(P.step, WalkLength) << "stopped at: " << (P.step < WalkLength ? Walk[P.step].what : "");
    EXPECT_EQ(P.fullScreenSeen, 0) << "a shoulder with A made an Alt+Enter";
    EXPECT_STREQ(chosenCourseName(), "meadow-glide");  // the second course, taken with A
    useTopScreens(0);
    resetTopScreens();
    SDL_JoystickClose(P.joystick);
    SDL_JoystickDetachVirtual(device);
    SDL_Quit();
}
