// --help and --version. The help text is data: one table per section, so an option added
// to the game is one more line in OptionLines.
#include "app/usage.h"

#include <cstring>

#include "app/build_info.h"
#include "lang/translation.h"

namespace {

const UsageLine OptionLines[] = {
    {"--help", N_("print this help and exit")},
    {"--version", N_("print the name and version and exit")},
    {"--best-times [COURSE]", N_("print the best times of COURSE (a name or a course file; default: all) and exit")},
    {"--fill-screen", N_("full screen fills the screen, aspect ratio kept (default: sharp whole multiples)")},
    {"--course NAME", N_("ride this course: a name from the course screen (F2), daily (today's daily course,")},
    {"", N_("  UTC) or daily-YYYY-MM-DD, or a course file")},
    {"--edit NAME|FILE", N_("open the course editor on a course, a course file, or a new course of that name")},
    {"--demo FILE", N_("watch a demo (also FILE.tgdemo alone): Space pause, Right/Left frame step,")},
    {"", N_("  Up/Down speed, Page Up/Down 5 s jumps, Home start, Esc leave")},
    {"--server URL", N_("send finished runs to this board server from now on (kept in the settings)")},
    {"--submit FILE", N_("send one demo to the board server, print its answer and exit")},
    {"--world-best COURSE", N_("print the world board of COURSE (a name, a course file or its hash) and exit")},
    {"-nowindirect -nodirectdraw -novga -novgax -novbe -novbeaf -nolinear",
     N_("switch a display-driver family off (any letter case); no effect with SDL2")},
    {"--practice", N_("practice speed for this start: the game at half speed, no time or demo kept")},
    {"-h", N_("accepted; no effect")},
    {"-nosound", N_("play no sound and leave the audio device alone (any letter case)")},
};

const UsageLine KeyLines[] = {
    {"Enter", N_("intro to the main menu; buy in the shop; ride on after a crash")},
    {"S / C / R", N_("main menu: next step / shop with 7000 $ / new rider name")},
    {"F2", N_("main menu: the course screen (arrows choose, Enter takes, E edits, N new, Esc leaves)")},
    {"arrows", N_("shop: browse; ride: Up pushes, Left and Right steer")},
    {"Ctrl / Alt", N_("ride: brake hard / brake softly, doubled turn with Left or Right")},
    {"T", N_("ride: textures on or off")},
    {"Esc", N_("back in the shop; quit elsewhere")},
    {"Tab", N_("ride: the time display on or off")},
    {"F3", N_("main menu: the best times")},
    {"F5", N_("finish, injury, defect, crash: ride the same course again")},
    {"Alt+Enter", N_("window or full screen")},
    {"F7", N_("ride: the ghost of your best run on or off")},
    {"F9", N_("sound off or on")},
    {"F4", N_("main menu: the options (settings, your own keys and gamepad buttons)")},
    {"F12, Print Screen", N_("save the page to $XDG_PICTURES_DIR (or ~/Pictures)/Tumblegrade/")},
};

const UsageLine EnvironmentLines[] = {
    {"TUMBLEGRADE_DATA", N_("folder of the game's data, used when the current folder has none")},
    {"VRX_ROOT", N_("folder searched last for pictures (BITMAPS/) and the font (FONTS/)")},
    {"XDG_DATA_HOME", N_("the records are kept in $XDG_DATA_HOME/tumblegrade/records.txt")},
    {"SDL_VIDEODRIVER", N_("the video driver; unset, the game ends when it finds no display")},
    {"LANGUAGE, LANG", N_("the language of the texts (de: German), unless the options choose one")},
};

const UsageLine FileLines[] = {
    {"$XDG_CONFIG_HOME/tumblegrade/settings.ini", N_("your settings (default ~/.config/tumblegrade/):")},
    {"", N_("  window, sound, volumes, keys, gamepad; written by the game, editable")},
    {TG_INSTALL_DATA_PATH, N_("the data: track.tbk, courses.idx and courses/, Images/, Textures/,")},
    {"", N_("  the other pictures, Cour20b.fnt,")},
    {"", N_("  Sounds/*.wav (replace any with your own); also found in data/,")},
    {"", N_("  ../share/tumblegrade and ../share/games/tumblegrade beside the program")},
    {"$XDG_DATA_HOME/tumblegrade/courses/", N_("courses of your own (default ~/.local/share/...)")},
    {"$XDG_DATA_HOME/tumblegrade/demos", N_("every run as a demo: the last 20 and the best per course and rider")},
    {"$XDG_CACHE_HOME/tumblegrade/daily/", N_("the daily courses and their pars, made again when missing (~/.cache/...)")},
    {"~/.local/share/tumblegrade/records.txt", N_("every finished run (the best times)")},
};

struct UsageSection {
    const char* title;
    const UsageLine* lines;
    int count;
};

const UsageSection Sections[] = {
    {N_("Options"), OptionLines, int(sizeof OptionLines / sizeof OptionLines[0])},
    {N_("Keys"), KeyLines, int(sizeof KeyLines / sizeof KeyLines[0])},
    {N_("Environment"), EnvironmentLines, int(sizeof EnvironmentLines / sizeof EnvironmentLines[0])},
    {N_("Files"), FileLines, int(sizeof FileLines / sizeof FileLines[0])},
};

constexpr int NameColumn = 28;

}  // namespace

void printUsage(FILE* out) {
    std::fprintf(out, "%s", tr("Usage: tumblegrade [OPTION]...\n"
                               "Tumblegrade - DH, a downhill mountain-bike race.\n"));
    for (const UsageSection& section : Sections) {
        std::fprintf(out, "\n%s:\n", tr(section.title));
        for (int i = 0; i < section.count; ++i) {
            const UsageLine& line = section.lines[i];
            const int width = int(std::strlen(line.name));
            if (width > NameColumn - 3)
                std::fprintf(out, "  %s\n  %*s %s\n", line.name, NameColumn - 3, "", tr(line.text));
            else
                std::fprintf(out, "  %-*s %s\n", NameColumn - 3, line.name, tr(line.text));
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
