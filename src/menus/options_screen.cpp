#include "menus/options_screen.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "base/scan_codes.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "lang/translation.h"
#include "menus/top_screens.h"
#include "menus/look.h"
#include "menus/panels.h"
#include "online/identity.h"
#include "settings/settings.h"

namespace {

constexpr int VolumeStep = 10;
constexpr int LinesShown = 14;
constexpr int LineHeight = 23;
constexpr int ListTop = 76;
constexpr int PanelLeft = 10, PanelTop = 66, PanelRight = 630, PanelBottom = 424;
constexpr int LabelX = 34, ValueX = 360;

// The lines of the screen, in order: the window, the sound, the game's switches, the
// keys, the gamepad's buttons, the lines for players who see or hold otherwise, the defaults.
enum LineKind { LineFullScreen, LineFill, LineScale, LineSound, LineMaster, LineRide, LineEffects,
                LineCourse, LineHud, LineGhost, LineKey, LinePad, LineDefaults,
                LineColours, LineLargeHud, LineToggle, LinePractice, LineServer, LineRiderKey, LineLanguage };

constexpr int FixedLines = LineKey;
constexpr int AccessLines = 3 + HeldActionCount;  // colours, large time, a toggle per held action, practice
constexpr int AccessFirst = FixedLines + ActionCount + PadButtonCount;
constexpr int DefaultsLine = AccessFirst + AccessLines;
// After the defaults: the board server, the rider's key, the language.
constexpr int LineCount = DefaultsLine + 1 + 3;

struct OptionsView {
    OptionsHooks hooks;
    int at;            // the chosen line
    int first;         // the first line shown
    int capturing;     // waiting for the new key of the chosen line
    char note[96];     // what the last key did (a refusal, a change)
    int noteIsWarning;
    char riderKey[12];  // the first 8 characters of the rider's public key, "" when none yet
};

OptionsView View;

LineKind kindOf(int line) {
    if (line < FixedLines) return LineKind(line);
    if (line < FixedLines + ActionCount) return LineKey;
    if (line < AccessFirst) return LinePad;
    if (line == AccessFirst) return LineColours;
    if (line == AccessFirst + 1) return LineLargeHud;
    if (line < AccessFirst + 2 + HeldActionCount) return LineToggle;
    if (line == AccessFirst + 2 + HeldActionCount) return LinePractice;
    if (line == DefaultsLine) return LineDefaults;
    return line == DefaultsLine + 1 ? LineServer : line == DefaultsLine + 2 ? LineRiderKey : LineLanguage;
}

// The format is translated here; the words put into it are translated by the caller.
void note(int warning, const char* format, const char* a = "", const char* b = "") {
    std::snprintf(View.note, sizeof View.note, trPage(format), a, b);
    View.noteIsWarning = warning;
}

const char* onOff(int on) { return on ? trPage("on") : trPage("off"); }

// A switch the game has not been told yet shows "default"; Enter makes it on, then off.
void toggleSwitch(const char* name) { rememberSwitch(name, rememberedSwitch(name, -1) == 1 ? 0 : 1); }

const char* switchText(const char* name) {
    const int on = rememberedSwitch(name, -1);
    return on < 0 ? trPage("default") : onOff(on);
}

int stepped(int value, int step, int low, int high) {
    value += step;
    return value < low ? low : value > high ? high : value;
}

// The gamepad button that acts as `b` moves on by `step`; the button that had that place
// takes b's old one, so every button keeps exactly one.
void cyclePadButton(int b, int step) {
    const int old = Setting.padButton[b];
    const int wanted = (old + step + PadButtonCount) % PadButtonCount;
    for (int other = 0; other < PadButtonCount; ++other)
        if (Setting.padButton[other] == wanted) Setting.padButton[other] = old;
    Setting.padButton[b] = wanted;
}

void applyWindowAndSound() {
    if (View.hooks.fullScreen) View.hooks.fullScreen(Setting.fullScreen);
    if (View.hooks.fill) View.hooks.fill(Setting.fill);
    if (View.hooks.windowScale) View.hooks.windowScale(Setting.windowScale);
    if (View.hooks.soundOn) View.hooks.soundOn(Setting.soundOn);
    if (View.hooks.volumes) View.hooks.volumes();
    if (View.hooks.practice) View.hooks.practice(Setting.practice);
}

void restoreDefaults() {
    char course[CourseNameSize];
    char server[ServerUrlSize];
    std::memcpy(course, Setting.course, sizeof course);
    std::memcpy(server, Setting.onlineServer, sizeof server);
    const int serverOff = Setting.onlineOff;
    defaultSettings(&Setting);
    std::memcpy(Setting.course, course, sizeof course);
    std::memcpy(Setting.onlineServer, server, sizeof server);
    Setting.onlineOff = serverOff;
    applyWindowAndSound();
    note(0, N_("Every setting is back at its default."));
}

// Left or Right on a volume line; false for Enter, which leaves it.
bool changeVolume(int line, int step) {
    int* volume = line == LineMaster ? &Setting.masterVolume : line == LineRide ? &Setting.rideVolume : &Setting.effectsVolume;
    if (step == 0) return false;
    *volume = stepped(*volume, step * VolumeStep, 0, VolumeMax);
    if (View.hooks.volumes) View.hooks.volumes();
    return true;
}

void startTakingKey(int line) {
    View.capturing = 1;
    note(0, N_("Press the new key for %s (Esc keeps the old one)."), trPage(ControlActions[line - FixedLines].label));
}

// The language setting's choices in order: the environment's, then each language.
constexpr int LanguageChoices = 1 + LanguageCount;

int languageChoiceNow() {
    const int language = languageFromSetting(Setting.language);
    return language >= 0 ? language + 1 : 0;
}

void changeLanguage(int step) {
    const int next = (languageChoiceNow() + (step == 0 ? 1 : step) + LanguageChoices) % LanguageChoices;
    rememberLanguage(next == 0 ? "" : languageCode(next - 1));
    note(0, N_("The language changes when the game starts next."));
}

// Sending runs on or off; the URL stays in the settings file either way.
void changeServer() {
    if (!Setting.onlineServer[0]) {
        note(0, N_("Set a board server first: tumblegrade --server URL."));
        return;
    }
    rememberOnlineOn(Setting.onlineOff);
    note(0, Setting.onlineOff ? N_("Runs stay here; the server is kept for later.") : N_("Finished runs go to the board server."));
}

// Left (-1), Right (+1) or Enter (0) on the chosen line.
void change(int step) {
    const int line = View.at;
    switch (kindOf(line)) {
    case LineFullScreen:
        Setting.fullScreen = !Setting.fullScreen;
        if (View.hooks.fullScreen) View.hooks.fullScreen(Setting.fullScreen);
        break;
    case LineFill:
        Setting.fill = !Setting.fill;
        if (View.hooks.fill) View.hooks.fill(Setting.fill);
        break;
    case LineScale:
        Setting.windowScale = step == 0 ? 0 : stepped(Setting.windowScale, step, 0, WindowScaleMax);
        if (View.hooks.windowScale) View.hooks.windowScale(Setting.windowScale);
        break;
    case LineSound:
        Setting.soundOn = !Setting.soundOn;
        if (View.hooks.soundOn) View.hooks.soundOn(Setting.soundOn);
        break;
    case LineMaster:
    case LineRide:
    case LineEffects:
        if (!changeVolume(line, step)) return;
        break;
    case LineCourse: note(0, N_("The course is chosen on the course screen (F2 on the main menu).")); return;
    case LineHud: toggleSwitch("hud"); return;
    case LineGhost: toggleSwitch("ghost"); return;
    case LineKey:
        if (step == 0) startTakingKey(line);
        return;
    case LinePad: cyclePadButton(line - FixedLines - ActionCount, step == 0 ? 1 : step); break;
    case LineDefaults:
        if (step != 0) return;
        restoreDefaults();
        break;
    case LineColours: Setting.colourSafe = !Setting.colourSafe; break;
    case LineLargeHud: Setting.largeHud = !Setting.largeHud; break;
    case LineToggle: Setting.toggled[line - AccessFirst - 2] = !Setting.toggled[line - AccessFirst - 2]; break;
    case LinePractice:
        Setting.practice = !Setting.practice;
        if (View.hooks.practice) View.hooks.practice(Setting.practice);
        break;
    case LineServer: changeServer(); return;
    case LineRiderKey: note(0, N_("The key is made with the first run sent, and kept in identity.")); return;
    case LineLanguage: changeLanguage(step); return;
    }
    settingsChanged();
}

void takeNewKey(int scanCode) {
    View.capturing = 0;
    const int action = View.at - FixedLines;
    const ControlActionInfo& info = ControlActions[action];
    if (scanCode == ScanEsc) {
        note(0, N_("%s keeps its key."), trPage(info.label));
        return;
    }
    const char* name = keyName(scanCode);
    if (name == nullptr || keyReserved(scanCode)) {
        note(1, N_("%s stays as it is: Esc, Enter, Tab and F1-F12 cannot be taken."), name ? name : trPage("That key"));
        return;
    }
    const int other = actionUsingKey(&Setting, info.context, scanCode, action);
    if (other >= 0) {
        note(1, N_("%s is taken already: %s."), name, trPage(ControlActions[other].label));
        return;
    }
    Setting.key[action] = scanCode;
    note(0, N_("%s is now on %s."), trPage(info.label), name);
    settingsChanged();
}

void openScreen() {
    View.at = View.first = View.capturing = 0;
    note(0, "");
    RiderIdentity identity{};
    std::snprintf(View.riderKey, sizeof View.riderKey, "%.8s", readIdentity(&identity) ? publicKeyText(identity).c_str() : "");
}

void onKey(int scanCode) {
    if (View.capturing) {
        takeNewKey(scanCode);
        return;
    }
    switch (scanCode) {
    case ScanUp: View.at = (View.at + LineCount - 1) % LineCount; break;
    case ScanDown: View.at = (View.at + 1) % LineCount; break;
    case ScanPageUp: View.at = View.at > LinesShown ? View.at - LinesShown : 0; break;
    case ScanPageDown: View.at = View.at + LinesShown < LineCount ? View.at + LinesShown : LineCount - 1; break;
    case ScanLeft: change(-1); break;
    case ScanRight: change(1); break;
    case ScanEnter:
    case ScanSpace: change(0); break;
    case ScanEsc:
    case ScanBackspace: closeTopScreen(); return;
    default: return;
    }
    if (View.at < View.first) View.first = View.at;
    if (View.at >= View.first + LinesShown) View.first = View.at - LinesShown + 1;
}

// The line's label and value.
void describe(int line, char* label, char* value, size_t size) {
    value[0] = '\0';
    switch (kindOf(line)) {
    case LineFullScreen: std::snprintf(label, size, "%s", trPage("Full screen")); std::snprintf(value, size, "%s", onOff(Setting.fullScreen)); break;
    case LineFill: std::snprintf(label, size, "%s", trPage("Full screen fills")); std::snprintf(value, size, "%s", onOff(Setting.fill)); break;
    case LineScale:
        std::snprintf(label, size, "%s", trPage("Window size"));
        if (Setting.windowScale == 0)
            std::snprintf(value, size, "%s", trPage("as large as fits"));
        else
            std::snprintf(value, size, trPage("%d x"), Setting.windowScale);
        break;
    case LineSound: std::snprintf(label, size, "%s", trPage("Sound")); std::snprintf(value, size, "%s", onOff(Setting.soundOn)); break;
    case LineMaster: std::snprintf(label, size, "%s", trPage("Volume")); std::snprintf(value, size, "%d", Setting.masterVolume); break;
    case LineRide: std::snprintf(label, size, "%s", trPage("Ride volume")); std::snprintf(value, size, "%d", Setting.rideVolume); break;
    case LineEffects: std::snprintf(label, size, "%s", trPage("Effects volume")); std::snprintf(value, size, "%d", Setting.effectsVolume); break;
    case LineCourse:
        std::snprintf(label, size, "%s", trPage("Course"));
        std::snprintf(value, size, "%.24s", Setting.course[0] ? Setting.course : trPage("the usual one"));
        break;
    case LineHud: std::snprintf(label, size, "%s", trPage("Time on screen")); std::snprintf(value, size, "%s", switchText("hud")); break;
    case LineGhost: std::snprintf(label, size, "%s", trPage("Ghost")); std::snprintf(value, size, "%s", switchText("ghost")); break;
    case LineKey: {
        const int action = line - FixedLines;
        const char* name = keyName(Setting.key[action]);
        std::snprintf(label, size, "%s", trPage(ControlActions[action].label));
        std::snprintf(value, size, "%s", View.capturing && line == View.at ? trPage("press a key") : name ? name : "?");
        break;
    }
    case LinePad: {
        const int b = line - FixedLines - ActionCount;
        std::snprintf(label, size, trPage("Gamepad %s"), PadButtonNames[b]);
        std::snprintf(value, size, trPage("%s button"), PadButtonNames[Setting.padButton[b]]);
        break;
    }
    case LineDefaults: std::snprintf(label, size, "%s", trPage("Restore the defaults")); break;
    case LineLanguage: {
        const int choice = languageChoiceNow();
        std::snprintf(label, size, "%s", trPage("Language"));
        if (choice == 0)
            std::snprintf(value, size, trPage("automatic (%s)"), languageName(languageFromEnvironment()));
        else
            std::snprintf(value, size, "%s", languageName(choice - 1));
        break;
    }
    case LineColours:
        std::snprintf(label, size, "%s", trPage("Colours"));
        std::snprintf(value, size, "%s", Setting.colourSafe ? trPage("blue and orange") : trPage("green and red"));
        break;
    case LineLargeHud: std::snprintf(label, size, "%s", trPage("Large time on screen")); std::snprintf(value, size, "%s", onOff(Setting.largeHud)); break;
    case LineToggle: {
        const int action = line - AccessFirst - 2;
        std::snprintf(label, size, trPage("%s: hold or tap"), trPage(ControlActions[action].label));
        std::snprintf(value, size, "%s", Setting.toggled[action] ? trPage("tap on, tap off") : trPage("hold"));
        break;
    }
    case LinePractice: std::snprintf(label, size, "%s", trPage("Practice at half speed")); std::snprintf(value, size, "%s", onOff(Setting.practice)); break;
    case LineServer:
        std::snprintf(label, size, "%s", trPage("Board server"));
        if (Setting.onlineServer[0])
            std::snprintf(value, size, "%s %.36s", onOff(!Setting.onlineOff), Setting.onlineServer);
        else
            std::snprintf(value, size, "%s", trPage("none"));
        break;
    case LineRiderKey:
        std::snprintf(label, size, "%s", trPage("Rider's key"));
        std::snprintf(value, size, "%s", View.riderKey[0] ? View.riderKey : trPage("not made yet"));
        break;
    }
}

void drawLine(DisplayContext* page, int line, int y) {
    char label[64], value[64];
    describe(line, label, value, sizeof label);
    const PageLook& look = Look.screen;
    const bool chosen = line == View.at;
    if (chosen) {
        fillBox(page, look.colour[LookSelection], PanelLeft + 4, y - 2, PanelRight - 4, y + LineHeight - 3);
        fillBox(page, look.colour[LookAccent], PanelLeft + 4, y - 2, PanelLeft + 7, y + LineHeight - 3);
    }
    drawLookText(page, look, Look.text, LabelX, y, look.colour[chosen ? LookAccent : LookWhite], label);
    drawLookText(page, look, Look.text, ValueX, y, look.colour[chosen ? LookAccent : LookDim], value);
}

const KeyHint ChangeKeys[] = {{KeyArrowUp KeyArrowDown, N_("Choose")}, {KeyArrowLeft KeyArrowRight, N_("Change")},
                              {"Enter", N_("Change")}, {"Esc", N_("Back")}};
const KeyHint CaptureKeys[] = {{N_("Any key"), N_("Takes its place")}, {"Esc", N_("Keeps the old one")}};

void drawScreen(DisplayContext* page) {
    if (!beginLookScreen(page, N_("Options"))) return;
    drawPanel(page, Look.screen, PanelLeft, PanelTop, PanelRight, PanelBottom);
    for (int i = 0; i < LinesShown && View.first + i < LineCount; ++i)
        drawLine(page, View.first + i, ListTop + i * LineHeight);
    const int noteColour = Look.screen.colour[View.noteIsWarning ? LookWarning : LookDim];
    drawLookText(page, Look.screen, Look.text, LabelX, ListTop + LinesShown * LineHeight + 2, noteColour, View.note);
    if (View.capturing)
        drawFooterKeys(page, Look.screen, Look.text, CaptureKeys, int(std::size(CaptureKeys)));
    else
        drawFooterKeys(page, Look.screen, Look.text, ChangeKeys, int(std::size(ChangeKeys)));
}

void openOptions() { openTopScreen(TopScreenOptions); }

const TopScreen OptionsScreen = {openScreen, onKey, drawScreen, nullptr};

}  // namespace

void installOptionsScreen(const OptionsHooks* hooks) {
    View.hooks = hooks ? *hooks : OptionsHooks{};
    registerTopScreen(TopScreenOptions, &OptionsScreen);
    bindFreeKey(ScreenMainMenu, ScanF4, openOptions);
}
