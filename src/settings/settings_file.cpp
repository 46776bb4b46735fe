// The settings file: read with inih line by line (every fault named with its line), written
// as commented text through a new file renamed over the old one.
#include <ini.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "files/file_read.h"
#include "files/folders.h"
#include "settings/settings.h"

namespace {
Settings defaults() {
    Settings s;
    defaultSettings(&s);
    return s;
}
}  // namespace

Settings Setting = defaults();
SettingsFile SettingsStore;

namespace {

constexpr size_t FileLimit = 64 * 1024;   // a settings file is a few hundred bytes
constexpr int LineLimit = 200;            // inih's line buffer

// What the reader knows while inih walks the text.
struct Reading {
    const char* next;
    const char* end;
    int line;
    const char* fileName;
    Settings* s;
    int errors;
    int keyLine[ActionCount];             // where each key was set, for later faults
    int padLine[PadButtonCount];
};

FILE* MessagesTo = nullptr;  // null: standard error

void fault(Reading* r, int line, const char* what, const char* detail) {
    ++r->errors;
    std::fprintf(MessagesTo ? MessagesTo : stderr, "tumblegrade: %s:%d: %s%s%s\n", r->fileName, line, what, detail[0] ? " " : "", detail);
}

// inih's reader: one line per call, leading blanks dropped (no continuation lines), and
// lines inih would refuse reported here, so that every fault carries its line.
char* readLine(char* out, int size, void* stream) {
    Reading* r = static_cast<Reading*>(stream);
    if (r->next >= r->end) return nullptr;
    const char* start = r->next;
    const char* stop = static_cast<const char*>(std::memchr(start, '\n', size_t(r->end - start)));
    if (stop == nullptr) stop = r->end;
    r->next = stop < r->end ? stop + 1 : stop;
    ++r->line;
    while (start < stop && (*start == ' ' || *start == '\t')) ++start;
    size_t length = size_t(stop - start);
    if (length > 0 && start[length - 1] == '\r') --length;
    out[0] = '\n';
    out[1] = '\0';
    if (length == 0 || *start == '#' || *start == ';') return out;
    if (length + 2 > size_t(size < LineLimit ? size : LineLimit)) {
        fault(r, r->line, "line too long; ignored", "");
        return out;
    }
    if (std::memchr(start, '\0', length) != nullptr) {
        fault(r, r->line, "not text; ignored", "");
        return out;
    }
    const bool section = *start == '[';
    if (section ? std::memchr(start, ']', length) == nullptr
                : std::memchr(start, '=', length) == nullptr && std::memchr(start, ':', length) == nullptr) {
        fault(r, r->line, section ? "section without its ']'; ignored" : "not 'name = value'; ignored", "");
        return out;
    }
    std::memcpy(out, start, length);
    out[length] = '\n';
    out[length + 1] = '\0';
    return out;
}

int parseSwitch(const char* v) {
    if (!strcasecmp(v, "on") || !strcasecmp(v, "yes") || !strcasecmp(v, "true") || !std::strcmp(v, "1")) return 1;
    if (!strcasecmp(v, "off") || !strcasecmp(v, "no") || !strcasecmp(v, "false") || !std::strcmp(v, "0")) return 0;
    return -1;
}

int parseNumber(const char* v, int low, int high) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(v, &end, 10);
    if (end == v || *end != '\0' || errno != 0 || n < low || n > high) return -1;
    return int(n);
}

// [window] and [sound]: switches and numbers.
struct ValueSetting {
    const char* section;
    const char* name;
    size_t offset;
    int low, high;   // high 1: on/off
};

constexpr ValueSetting Values[] = {
    {"window", "full_screen", offsetof(Settings, fullScreen), 0, 1},
    {"window", "fill", offsetof(Settings, fill), 0, 1},
    {"window", "scale", offsetof(Settings, windowScale), 0, WindowScaleMax},
    {"sound", "sound", offsetof(Settings, soundOn), 0, 1},
    {"sound", "master", offsetof(Settings, masterVolume), 0, VolumeMax},
    {"sound", "ride", offsetof(Settings, rideVolume), 0, VolumeMax},
    {"sound", "effects", offsetof(Settings, effectsVolume), 0, VolumeMax},
    {"access", "large_hud", offsetof(Settings, largeHud), 0, 1},
    {"access", "practice", offsetof(Settings, practice), 0, 1},
};

// [access]: a choice between two words, the first the default.
struct WordSetting {
    const char* name;
    size_t offset;
    const char* words[2];
};

constexpr WordSetting Words[] = {
    {"colours", offsetof(Settings, colourSafe), {"usual", "colour-safe"}},
    {"push", offsetof(Settings, toggled), {"hold", "toggle"}},
    {"hard_brake", offsetof(Settings, toggled) + sizeof(int), {"hold", "toggle"}},
    {"soft_brake", offsetof(Settings, toggled) + 2 * sizeof(int), {"hold", "toggle"}},
};

int& field(Settings* s, size_t offset) { return *reinterpret_cast<int*>(reinterpret_cast<char*>(s) + offset); }

int switchIndex(const Settings* s, const char* name) {
    for (int i = 0; i < s->switchCount; ++i)
        if (std::strcmp(s->switchName[i], name) == 0) return i;
    return -1;
}

int addSwitch(Settings* s, const char* name) {
    const int found = switchIndex(s, name);
    if (found >= 0 || s->switchCount >= SwitchCount || std::strlen(name) >= SwitchNameSize) return found;
    std::snprintf(s->switchName[s->switchCount], SwitchNameSize, "%s", name);
    s->switchOn[s->switchCount] = -1;
    return s->switchCount++;
}

int takeValue(Reading* r, const char* section, const char* name, const char* value) {
    for (const ValueSetting& v : Values) {
        if (std::strcmp(section, v.section) != 0 || std::strcmp(name, v.name) != 0) continue;
        const int n = v.high == 1 ? parseSwitch(value) : parseNumber(value, v.low, v.high);
        if (n < 0) {
            char detail[96];
            if (v.high == 1)
                std::snprintf(detail, sizeof detail, "for %s (on or off); default kept", name);
            else
                std::snprintf(detail, sizeof detail, "for %s (%d to %d); default kept", name, v.low, v.high);
            fault(r, r->line, "bad value", detail);
        } else {
            field(r->s, v.offset) = n;
        }
        return 1;
    }
    return 0;
}

int takeWord(Reading* r, const char* name, const char* value) {
    for (const WordSetting& w : Words) {
        if (std::strcmp(name, w.name) != 0) continue;
        if (!strcasecmp(value, w.words[0]) || !strcasecmp(value, w.words[1])) {
            field(r->s, w.offset) = strcasecmp(value, w.words[1]) == 0;
        } else {
            char detail[96];
            std::snprintf(detail, sizeof detail, "for %s (%s or %s); default kept", name, w.words[0], w.words[1]);
            fault(r, r->line, "bad value", detail);
        }
        return 1;
    }
    return 0;
}

int takeKey(Reading* r, const char* name, const char* value) {
    for (int a = 0; a < ActionCount; ++a) {
        if (std::strcmp(name, ControlActions[a].name) != 0) continue;
        const int code = keyByName(value);
        if (code == 0 || keyReserved(code)) {
            char detail[96];
            std::snprintf(detail, sizeof detail, "for %s; default kept", ControlActions[a].name);
            fault(r, r->line, code == 0 ? "unknown key" : "a key that stays as it is (Esc, Enter, Tab, F1-F12)", detail);
        } else {
            r->s->key[a] = code;
            r->keyLine[a] = r->line;
        }
        return 1;
    }
    return 0;
}

int takePadButton(Reading* r, const char* name, const char* value) {
    for (int b = 0; b < PadButtonCount; ++b) {
        if (strcasecmp(name, PadButtonNames[b]) != 0) continue;
        int physical = -1;
        for (int p = 0; p < PadButtonCount; ++p)
            if (strcasecmp(value, PadButtonNames[p]) == 0) physical = p;
        if (physical < 0) {
            fault(r, r->line, "unknown gamepad button for", PadButtonNames[b]);
        } else {
            r->s->padButton[b] = physical;
            r->padLine[b] = r->line;
        }
        return 1;
    }
    return 0;
}

// [online]: the server's URL and whether runs are sent to it.
int takeOnline(Reading* r, const char* name, const char* value) {
    if (!std::strcmp(name, "server")) {
        if (std::strlen(value) >= ServerUrlSize || !serverUrlFits(value))
            fault(r, r->line, "server URL too long, or with blanks or control characters; none kept", "");
        else
            std::snprintf(r->s->onlineServer, ServerUrlSize, "%s", value);
    } else if (!std::strcmp(name, "send") && parseSwitch(value) >= 0) {
        r->s->onlineOff = !parseSwitch(value);
    } else {
        fault(r, r->line, "unknown or bad [online] setting:", name);
    }
    return 1;
}
// A language is a locale's word ("de", "de_AT.UTF-8"): it reads back as written.
const char LanguageWordCharacters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-.@";

int takeSetting(void* user, const char* section, const char* name, const char* value) {
    Reading* r = static_cast<Reading*>(user);
    if (takeValue(r, section, name, value)) return 1;
    if (!std::strcmp(section, "keys") && takeKey(r, name, value)) return 1;
    if (!std::strcmp(section, "gamepad") && takePadButton(r, name, value)) return 1;
    if (!std::strcmp(section, "access") && takeWord(r, name, value)) return 1;
    if (!std::strcmp(section, "game") && !std::strcmp(name, "course")) {
        if (std::strlen(value) >= CourseNameSize)
            fault(r, r->line, "course name too long; none kept", "");
        else if (!courseNameFits(value))
            fault(r, r->line, "a course name the file cannot give back (';' or '#' first, a control character);",
                  "none kept");
        else
            std::strncpy(r->s->course, value, CourseNameSize);  // the rest of the field cleared
        return 1;
    }
    if (!std::strcmp(section, "online")) return takeOnline(r, name, value);
    if (!std::strcmp(section, "language") && !std::strcmp(name, "language")) {
        // Any short word is kept: the start-up names one it does not know and takes English.
        if (std::strlen(value) >= LanguageNameSize || std::strspn(value, LanguageWordCharacters) != std::strlen(value))
            fault(r, r->line, "not a language name (auto, en, de); the environment's kept", "");
        else  // "auto" is kept as "", the default it is written for
            std::snprintf(r->s->language, sizeof r->s->language, "%s", std::strcmp(value, "auto") ? value : "");
        return 1;
    }
    if (!std::strcmp(section, "switches")) {
        const int on = parseSwitch(value);
        const int index = on < 0 ? -1 : addSwitch(r->s, name);
        if (on < 0)
            fault(r, r->line, "bad value (on or off) for", name);
        else if (index < 0)
            fault(r, r->line, "too many switches, or a name too long:", name);
        else
            r->s->switchOn[index] = on;
        return 1;
    }
    char detail[160];
    std::snprintf(detail, sizeof detail, "'%s' in [%s]; ignored", name, section);
    fault(r, r->line, "unknown setting", detail);
    return 1;
}

// Two actions of one part of the game on one key, or two buttons on one: the later line
// is the fault and takes its default; if that is taken too, that part goes back to defaults.
void checkKeys(Reading* r) {
    for (int a = 0; a < ActionCount; ++a) {
        const int other = actionUsingKey(r->s, ControlActions[a].context, r->s->key[a], a);
        if (other < 0 || other > a) continue;
        char detail[96];
        std::snprintf(detail, sizeof detail, "%s has it already; %s keeps its default", ControlActions[other].name,
                      ControlActions[a].name);
        fault(r, r->keyLine[a], "key taken twice:", detail);
        r->s->key[a] = ControlActions[a].gameKey;
        if (actionUsingKey(r->s, ControlActions[a].context, r->s->key[a], a) >= 0)
            for (int b = 0; b < ActionCount; ++b)
                if (ControlActions[b].context == ControlActions[a].context) r->s->key[b] = ControlActions[b].gameKey;
    }
    for (int b = 0; b < PadButtonCount; ++b)
        for (int c = 0; c < b; ++c) {
            if (r->s->padButton[b] != r->s->padButton[c]) continue;
            fault(r, r->padLine[b] > r->padLine[c] ? r->padLine[b] : r->padLine[c],
                  "gamepad button taken twice; every button keeps its own place", "");
            for (int p = 0; p < PadButtonCount; ++p) r->s->padButton[p] = p;
            return;
        }
}

}  // namespace

void settingsMessagesTo(FILE* out) { MessagesTo = out; }

int serverUrlFits(const char* url) {
    for (const char* c = url; *c; ++c)
        if ((unsigned char)*c <= 0x20 || *c == 0x7F) return 0;
    return 1;
}

int courseNameFits(const char* name) {
    const size_t length = std::strlen(name);
    if (length >= CourseNameSize || (length > 0 && (name[0] == ' ' || name[length - 1] == ' '))) return 0;
    for (size_t i = 0; i < length; ++i)
        if ((unsigned char)name[i] < 0x20 || name[i] == 0x7F || (name[i] == ';' && i > 0 && name[i - 1] == ' ') ||
            (i == 0 && (name[0] == '#' || name[0] == ';')))
            return 0;
    return 1;
}

void defaultSettings(Settings* s) {
    *s = Settings{};
    s->soundOn = 1;
    s->masterVolume = s->rideVolume = s->effectsVolume = VolumeMax;
    addSwitch(s, "hud");
    addSwitch(s, "ghost");
    for (int a = 0; a < ActionCount; ++a) s->key[a] = ControlActions[a].gameKey;
    for (int b = 0; b < PadButtonCount; ++b) s->padButton[b] = b;
}

void resetSettings() {
    defaultSettings(&Setting);
    SettingsStore = SettingsFile{};
}

int settingsPath(char* out, size_t size) { return xdgPath(XdgConfig, "settings.ini", out, size); }

int parseSettingsText(const char* text, size_t length, const char* fileName, Settings* s) {
    defaultSettings(s);
    Reading r{};
    r.next = text;
    r.end = text + length;
    r.fileName = fileName;
    r.s = s;
    const int status = ini_parse_stream(readLine, &r, takeSetting, &r);
    if (status < 0) fault(&r, 0, "cannot be read", "");
    checkKeys(&r);
    return r.errors;
}

int loadSettings(const char* path) {
    resetSettings();
    std::snprintf(SettingsStore.path, sizeof SettingsStore.path, "%s", path);
    SettingsStore.active = 1;
    static char text[FileLimit];
    size_t length = 0;
    const FileRead read = readFileInto(path, text, sizeof text, &length);
    if (read == FileMissing) return 0;
    if (read != FileReadWhole) {
        if (read == FileTooLarge)
            std::fprintf(stderr, "tumblegrade: %s: too large for a settings file; default settings\n", path);
        else
            std::fprintf(stderr, "tumblegrade: %s: cannot be read (%s); default settings\n", path,
                         std::strerror(errno));
        SettingsStore.damaged = 1;
        return SettingsStore.errors = 1;
    }
    SettingsStore.errors = parseSettingsText(text, length, path, &Setting);
    SettingsStore.damaged = SettingsStore.errors > 0;
    return SettingsStore.errors;
}
