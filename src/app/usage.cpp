// --help and --version. The help text is data: one table per section, so an option added
// to the game is one more line in OptionLines.
#include "app/usage.h"

#include <cstring>

#include "app/build_info.h"

namespace {

const UsageLine OptionLines[] = {
    {"--help", "print this help and exit"},
    {"--version", "print the name and version and exit"},
    {"--best-times [COURSE]", "print the best times of COURSE (a name or a course file; default: all) and exit"},
    {"--fill-screen", "full screen fills the screen, aspect ratio kept (default: sharp whole multiples)"},
    {"--course NAME", "ride this course: a name from the course screen (F2), daily (today's daily course,"},
    {"", "  UTC) or daily-YYYY-MM-DD, or a course file"},
    {"--edit NAME|FILE", "open the course editor on a course, a course file, or a new course of that name"},
    {"--demo FILE", "watch a demo (also FILE.tgdemo alone): Space pause, Right/Left frame step,"},
    {"", "  Up/Down speed, Page Up/Down 5 s jumps, Home start, Esc leave"},
    {"--server URL", "send finished runs to this board server from now on (kept in the settings)"},
    {"--submit FILE", "send one demo to the board server, print its answer and exit"},
    {"--world-best COURSE", "print the world board of COURSE (a name, a course file or its hash) and exit"},
    {"-nowindirect -nodirectdraw -novga -novgax -novbe -novbeaf -nolinear",
     "switch a display-driver family off (any letter case); no effect with SDL2"},
    {"--practice", "practice speed for this start: the game at half speed, no time or demo kept"},
    {"-h", "accepted; no effect"},
    {"-nosound", "play no sound and leave the audio device alone (any letter case)"},
};

const UsageLine KeyLines[] = {
    {"Enter", "intro to the main menu; buy in the shop; ride on after a crash"},
    {"S / C / R", "main menu: next step / shop with 7000 $ / new rider name"},
    {"F2", "main menu: the course screen (arrows choose, Enter takes, E edits, N new, Esc leaves)"},
    {"arrows", "shop: browse; ride: Up pushes, Left and Right steer"},
    {"Ctrl / Alt", "ride: brake hard / brake softly, doubled turn with Left or Right"},
    {"T", "ride: textures on or off"},
    {"Esc", "back in the shop; quit elsewhere"},
    {"Tab", "ride: the time display on or off"},
    {"F3", "main menu: the best times"},
    {"F5", "finish, injury, defect, crash: ride the same course again"},
    {"Alt+Enter", "window or full screen"},
    {"F7", "ride: the ghost of your best run on or off"},
    {"F9", "sound off or on"},
    {"F4", "main menu: the options (settings, your own keys and gamepad buttons)"},
    {"F12, Print Screen", "save the page to $XDG_PICTURES_DIR (or ~/Pictures)/Tumblegrade/"},
};

const UsageLine EnvironmentLines[] = {
    {"TUMBLEGRADE_DATA", "folder of the game's data, used when the current folder has none"},
    {"VRX_ROOT", "folder searched last for pictures (BITMAPS/) and the font (FONTS/)"},
    {"XDG_DATA_HOME", "the records are kept in $XDG_DATA_HOME/tumblegrade/records.txt"},
    {"SDL_VIDEODRIVER", "the video driver; unset, the game ends when it finds no display"},
};

const UsageLine FileLines[] = {
    {"$XDG_CONFIG_HOME/tumblegrade/settings.ini", "your settings (default ~/.config/tumblegrade/):"},
    {"", "  window, sound, volumes, keys, gamepad; written by the game, editable"},
    {TG_INSTALL_DATA_PATH, "the data: track.tbk, courses.idx and courses/, Images/, Textures/,"},
    {"", "  the other pictures, Cour20b.fnt,"},
    {"", "  Sounds/*.wav (replace any with your own); also found in data/,"},
    {"", "  ../share/tumblegrade and ../share/games/tumblegrade beside the program"},
    {"$XDG_DATA_HOME/tumblegrade/courses/", "courses of your own (default ~/.local/share/...)"},
    {"$XDG_DATA_HOME/tumblegrade/demos", "every run as a demo: the last 20 and the best per course and rider"},
    {"$XDG_CACHE_HOME/tumblegrade/daily/", "the daily courses and their pars, made again when missing (~/.cache/...)"},
    {"~/.local/share/tumblegrade/records.txt", "every finished run (the best times)"},
};

struct UsageSection {
    const char* title;
    const UsageLine* lines;
    int count;
};

const UsageSection Sections[] = {
    {"Options", OptionLines, int(sizeof OptionLines / sizeof OptionLines[0])},
    {"Keys", KeyLines, int(sizeof KeyLines / sizeof KeyLines[0])},
    {"Environment", EnvironmentLines, int(sizeof EnvironmentLines / sizeof EnvironmentLines[0])},
    {"Files", FileLines, int(sizeof FileLines / sizeof FileLines[0])},
};

constexpr int NameColumn = 28;

}  // namespace

void printUsage(FILE* out) {
    std::fprintf(out, "Usage: tumblegrade [OPTION]...\n"
                      "Tumblegrade - DH, a downhill mountain-bike race.\n");
    for (const UsageSection& section : Sections) {
        std::fprintf(out, "\n%s:\n", section.title);
        for (int i = 0; i < section.count; ++i) {
            const UsageLine& line = section.lines[i];
            const int width = int(std::strlen(line.name));
            if (width > NameColumn - 3)
                std::fprintf(out, "  %s\n  %*s %s\n", line.name, NameColumn - 3, "", line.text);
            else
                std::fprintf(out, "  %-*s %s\n", NameColumn - 3, line.name, line.text);
        }
    }
}

void printVersion(FILE* out) { std::fprintf(out, "Tumblegrade - DH %s\n", TG_VERSION); }

int answerInfoOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!argv[i]) continue;
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            printVersion(stdout);
            return 0;
        }
    }
    return -1;
}
