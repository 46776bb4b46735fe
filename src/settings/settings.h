// The player's settings: what the window program remembers from one start to the next
// ($XDG_CONFIG_HOME/tumblegrade/settings.ini). One global record, read once at start-up
// by the window program and written at once on every change. The replay tool and the
// game's rules never read it; the platform layer and the window program's entry apply it.
#pragma once

#include <cstddef>
#include <cstdio>

// The actions whose keys the player may move. Each has the key the game knows it by
// (its default) and the part of the game where it acts.
enum ControlAction {
    ActionPush = 0,
    ActionHardBrake,
    ActionSoftBrake,
    ActionSteerLeft,
    ActionSteerRight,
    ActionTextures,
    ActionNextStep,    // main menu S
    ActionBonusShop,   // main menu C
    ActionNewRider,    // main menu R
    ActionShopUp,
    ActionShopDown,
    ActionShopLeft,
    ActionShopRight,
    ActionCount,
};

// Where a key is translated: nowhere (typing a name, screens of our own), the ride, or the
// game's menus (main menu, shop and the other screens outside a run).
enum ControlContext { ContextNone = 0, ContextRide = 1, ContextMenus = 2 };

struct ControlActionInfo {
    const char* name;      // in the file
    const char* label;     // on the options screen
    int gameKey;           // the set-1 scan code the game expects
    int context;
};
extern const ControlActionInfo ControlActions[ActionCount];

// The gamepad's buttons that may change places, in SDL's game-controller order.
enum PadButton {
    PadA = 0,
    PadB,
    PadX,
    PadY,
    PadBack,
    PadGuide,
    PadStart,
    PadLeftStick,
    PadRightStick,
    PadLeftShoulder,
    PadRightShoulder,
    PadButtonCount,
};
extern const char* const PadButtonNames[PadButtonCount];

constexpr int VolumeMax = 100;
constexpr int WindowScaleMax = 8;   // 0 is "as large as fits"
constexpr int CourseNameSize = 64;
constexpr int SwitchCount = 8;
constexpr int SwitchNameSize = 16;
constexpr int ServerUrlSize = 256;
// The actions a player holds down (push, hard brake, soft brake: the first three actions),
// each held or toggled with a tap.
constexpr int HeldActionCount = 3;
constexpr int LanguageNameSize = 16;

struct Settings {
    int fullScreen;
    int fill;                        // full screen fills the screen, aspect kept
    int windowScale;                 // 0: the largest whole multiple that fits
    int soundOn;
    int masterVolume, rideVolume, effectsVolume;  // 0..VolumeMax
    char course[CourseNameSize];     // the course last chosen, "" for none
    char switchName[SwitchCount][SwitchNameSize];  // on/off switches by name (hud, ghost)
    int switchOn[SwitchCount];
    int switchCount;
    int key[ActionCount];            // the physical key (set-1 position) of each action
    int padButton[PadButtonCount];   // the physical button that acts as each button
    char onlineServer[ServerUrlSize];  // [online] server: the board server's URL, "" for none
    int onlineOff;                   // [online] send = off: the URL kept, nothing sent
    // [access]: for players who see colours or hold keys otherwise.
    int colourSafe;                  // two-colour signals in blue and orange, not green and red
    int largeHud;                    // the ride's time and splits twice as large
    int toggled[HeldActionCount];    // a tap holds the action down, the next tap lets it go
    int practice;                    // the window runs the game at practice speed
    char language[LanguageNameSize]; // "" or "auto" (the environment's), "en", "de"
};

// The player's settings, and where they come from and go to.
extern Settings Setting;

struct SettingsFile {
    char path[4096];
    int active;    // read at start-up: changes are written (never in the replay tool)
    int damaged;   // the file had faults: the first write keeps it beside the new one
    int errors;    // faults found when reading
};
extern SettingsFile SettingsStore;

void resetSettings();   // defaults, nothing active (tests)
void defaultSettings(Settings* s);

// The file's place: $XDG_CONFIG_HOME/tumblegrade/settings.ini, or ~/.config/...; 0 when
// neither variable is set.
int settingsPath(char* out, size_t size);

// Reads settings text into `s` (defaults first). Every fault is one line on standard error
// naming `fileName`, the line and what is wrong; that setting keeps its default. Returns
// the number of faults.
int parseSettingsText(const char* text, size_t length, const char* fileName, Settings* s);
// Where the reader's messages go (null: standard error).
void settingsMessagesTo(FILE* out);
// Reads the file at `path` into Setting and makes changes be written there. A missing file
// is no fault. Returns the number of faults.
int loadSettings(const char* path);
// The file's text for `s`: commented, one setting a line. Returns its length.
size_t formatSettings(const Settings* s, char* out, size_t size);
// Writes Setting to its file safely (a new file beside it, flushed, renamed over it);
// the first write after a damaged start moves the old file aside first. 1 when written.
int saveSettings();

// Changes made in the game: each is written at once (when the settings are active).
void settingsChanged();
void rememberFullScreen(int on);
void rememberSoundOn(int on);
// A course name the file can hold on one line and give back as it was: the only names
// remembered, and the only ones read.
int courseNameFits(const char* name);
void rememberCourse(const char* name);
const char* rememberedCourse();
void rememberSwitch(const char* name, int on);
int rememberedSwitch(const char* name, int fallback);
void rememberLanguage(const char* code);  // "" for the environment's

// Keys. The name of a set-1 scan code ("Up", "A", "Ctrl"), or null; and back, 0 when none.
const char* keyName(int scanCode);
int keyByName(const char* name);
// Keys no action can take: Esc, Enter and the function keys and Tab the game uses itself.
int keyReserved(int scanCode);
// The action of `context` that already has `scanCode` (other than `except`), or -1.
int actionUsingKey(const Settings* s, int context, int scanCode, int except);
// The key the game expects for a physical key pressed in `context` with these settings:
// an action's own key moved elsewhere answers 0 (it does nothing there now).
int gameKeyFor(const Settings* s, int physicalKey, int context);

// The board server runs are sent to: "" when none is set or sending is off.
const char* onlineServerNow();
// A URL the file can hold: no blanks, no control characters.
int serverUrlFits(const char* url);
// Sets the server and turns sending on; 0 when the URL cannot be kept.
int rememberOnlineServer(const char* url);
void rememberOnlineOn(int on);
