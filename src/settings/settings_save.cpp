// Writing the settings: the file's text, the safe write, and the changes made in the game
// that are written at once.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "files/damaged_file.h"
#include "files/folders.h"
#include "files/safe_write.h"
#include "settings/settings.h"

namespace {

constexpr size_t TextLimit = 8192;

struct TextOut {
    char* out;
    size_t size;
    size_t used;
};

void put(TextOut* t, const char* format, ...) __attribute__((format(printf, 2, 3)));
void put(TextOut* t, const char* format, ...) {
    if (t->used >= t->size) return;
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(t->out + t->used, t->size - t->used, format, args);
    va_end(args);
    if (n > 0) t->used = t->used + size_t(n) < t->size ? t->used + size_t(n) : t->size - 1;
}

const char* onOff(int on) { return on ? "on" : "off"; }

// The folder the file lives in, made where missing.
int makeFolderOf(const char* path) {
    char folder[sizeof SettingsStore.path];
    std::snprintf(folder, sizeof folder, "%s", path);
    char* slash = std::strrchr(folder, '/');
    if (slash == nullptr || slash == folder) return 1;
    *slash = '\0';
    return makeFolders(folder);
}

// The damaged file moves aside under a name of its own before the first new one.
void keepDamagedFile(const char* path) {
    char aside[sizeof SettingsStore.path + 64];
    if (moveDamagedAside(path, aside, sizeof aside))
        std::fprintf(stderr, "tumblegrade: the damaged settings file is kept as %s\n", aside);
}

}  // namespace

void settingsChanged() {
    if (SettingsStore.active) saveSettings();
}

size_t formatSettings(const Settings* s, char* out, size_t size) {
    TextOut t{out, size, 0};
    if (size > 0) out[0] = '\0';
    put(&t, "# Tumblegrade - DH settings. The game writes this file when you change something\n"
            "# in it (Alt+Enter, F9, the options screen on F4 in the main menu); you may edit it\n"
            "# while the game is not running. Switches are on or off. A line the game cannot\n"
            "# use is named on standard error and that setting takes its default.\n\n");
    put(&t, "[window]\n# Start in full screen (Alt+Enter switches).\nfull_screen = %s\n", onOff(s->fullScreen));
    put(&t, "# Full screen fills the screen, aspect ratio kept (off: sharp whole multiples).\nfill = %s\n",
        onOff(s->fill));
    put(&t, "# The window's size in whole multiples of 640 x 480, 1 to %d; 0 is as large as fits.\nscale = %d\n\n",
        WindowScaleMax, s->windowScale);
    put(&t, "[sound]\n# Sound on or off (F9 switches), and the volumes from 0 to %d.\nsound = %s\n", VolumeMax,
        onOff(s->soundOn));
    put(&t, "master = %d\nride = %d\neffects = %d\n\n", s->masterVolume, s->rideVolume, s->effectsVolume);
    put(&t, "[game]\n# The course last chosen (empty: the usual one).\ncourse = %s\n\n", s->course);
    put(&t, "[switches]\n# The on-screen time (hud) and the ghost; a line with # keeps the game's choice.\n");
    for (int i = 0; i < s->switchCount; ++i) {
        if (s->switchOn[i] < 0)
            put(&t, "# %s = on\n", s->switchName[i]);
        else
            put(&t, "%s = %s\n", s->switchName[i], onOff(s->switchOn[i]));
    }
    put(&t, "\n[keys]\n# The key of each action, by its place on a US keyboard: letters, digits, Up, Down,\n"
            "# Left, Right, Ctrl, Alt, Space, LeftShift, Home, PageUp, Comma, ... Esc, Enter, Tab and\n"
            "# the function keys stay as they are. Two actions of the ride, or of the menus, cannot\n"
            "# share a key.\n");
    for (int a = 0; a < ActionCount; ++a) {
        const char* name = keyName(s->key[a]);
        put(&t, "%s = %s\n", ControlActions[a].name, name ? name : keyName(ControlActions[a].gameKey));
    }
    put(&t, "\n[gamepad]\n# The button that acts as each button: a = B makes the B button act as A. Each\n"
            "# button appears once on the right: to swap A and B, write a = B and b = A.\n");
    for (int b = 0; b < PadButtonCount; ++b) {
        const int p = s->padButton[b] >= 0 && s->padButton[b] < PadButtonCount ? s->padButton[b] : b;
        char name[24];
        std::snprintf(name, sizeof name, "%s", PadButtonNames[b]);
        for (char* c = name; *c; ++c) *c = char(*c >= 'A' && *c <= 'Z' ? *c - 'A' + 'a' : *c);
        put(&t, "%s = %s\n", name, PadButtonNames[p]);
    }
    put(&t, "\n[access]\n# colours: usual (splits green ahead, red behind; a course map's start green, its\n"
            "# finish red) or colour-safe (blue and orange). large_hud: the time on screen twice as large.\n");
    put(&t, "colours = %s\nlarge_hud = %s\n", s->colourSafe ? "colour-safe" : "usual", onOff(s->largeHud));
    put(&t, "# Push and the brakes: hold the key, or toggle (a tap holds it, the next tap lets go).\n");
    for (int a = 0; a < HeldActionCount; ++a)
        put(&t, "%s = %s\n", ControlActions[a].name, s->toggled[a] ? "toggle" : "hold");
    put(&t, "# Practice speed: the game runs at half speed; such runs keep no time and no demo.\n"
            "practice = %s\n", onOff(s->practice));
    if (s->onlineServer[0] || s->onlineOff)
        put(&t, "\n[online]\n# The board server finished runs are sent to, and whether they are sent now.\n"
                "server = %s\nsend = %s\n", s->onlineServer, onOff(!s->onlineOff));
    put(&t, "\n[language]\n# The language of the texts: auto (the environment's, LANG), en or de.\nlanguage = %s\n",
        s->language[0] ? s->language : "auto");
    return t.used;
}

int saveSettings() {
    const char* path = SettingsStore.path;
    if (path[0] == '\0' || !makeFolderOf(path)) return 0;
    static char text[TextLimit];
    const size_t length = formatSettings(&Setting, text, sizeof text);
    if (SettingsStore.damaged) {
        keepDamagedFile(path);
        SettingsStore.damaged = 0;
    }
    if (!writeFileSafely(path, text, length)) {
        std::fprintf(stderr, "tumblegrade: cannot write %s: %s\n", path, std::strerror(errno));
        return 0;
    }
    return 1;
}

void rememberFullScreen(int on) {
    if (Setting.fullScreen == (on ? 1 : 0)) return;
    Setting.fullScreen = on ? 1 : 0;
    settingsChanged();
}

void rememberSoundOn(int on) {
    if (Setting.soundOn == (on ? 1 : 0)) return;
    Setting.soundOn = on ? 1 : 0;
    settingsChanged();
}

void rememberCourse(const char* name) {
    if (name == nullptr || !courseNameFits(name) || std::strcmp(Setting.course, name) == 0) return;
    std::strncpy(Setting.course, name, CourseNameSize);
    settingsChanged();
}

const char* rememberedCourse() { return Setting.course; }

void rememberLanguage(const char* code) {
    if (!code || std::strlen(code) >= LanguageNameSize || std::strcmp(Setting.language, code) == 0) return;
    std::snprintf(Setting.language, sizeof Setting.language, "%s", code);
    settingsChanged();
}

void rememberSwitch(const char* name, int on) {
    if (name == nullptr) return;
    int index = -1;
    for (int i = 0; i < Setting.switchCount; ++i)
        if (std::strcmp(Setting.switchName[i], name) == 0) index = i;
    if (index < 0 && Setting.switchCount < SwitchCount && std::strlen(name) < SwitchNameSize) {
        index = Setting.switchCount++;
        std::snprintf(Setting.switchName[index], SwitchNameSize, "%s", name);
        Setting.switchOn[index] = -1;
    }
    if (index < 0 || Setting.switchOn[index] == (on ? 1 : 0)) return;
    Setting.switchOn[index] = on ? 1 : 0;
    settingsChanged();
}

int rememberedSwitch(const char* name, int fallback) {
    if (name == nullptr) return fallback;
    for (int i = 0; i < Setting.switchCount; ++i)
        if (std::strcmp(Setting.switchName[i], name) == 0) return Setting.switchOn[i] < 0 ? fallback : Setting.switchOn[i];
    return fallback;
}

const char* onlineServerNow() { return Setting.onlineOff ? "" : Setting.onlineServer; }

int rememberOnlineServer(const char* url) {
    if (url == nullptr || std::strlen(url) >= ServerUrlSize || !serverUrlFits(url)) return 0;
    if (std::strcmp(Setting.onlineServer, url) == 0 && !Setting.onlineOff) return 1;
    std::snprintf(Setting.onlineServer, ServerUrlSize, "%s", url);
    Setting.onlineOff = 0;
    settingsChanged();
    return 1;
}

void rememberOnlineOn(int on) {
    if (!Setting.onlineServer[0] || Setting.onlineOff == !on) return;
    Setting.onlineOff = !on;
    settingsChanged();
}
