// The windowed game's entry: --help and --version, the data folder, the argument vector
// as the game expects it, the sound layer, then gameMain.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/data_dir.h"
#include "app/game_main.h"
#include "app/usage.h"
#include "demo/install_demos.h"
#include "framework/fatal_error.h"
#include "platform/sdl_window.h"
#include "sound/sound_layer.h"

namespace {

// Options of the window itself; the game's own command line never sees them.
struct WindowOption {
    const char* name;
    void (*apply)();
};

void fillScreen() { sdlSetFullScreenFill(1); }

constexpr WindowOption WindowOptions[] = {
    {"--fill-screen", fillScreen},  // full screen: fill the screen, aspect ratio kept
};

// `--demo FILE`, or a demo file by itself (as a file manager opens one): watched as soon
// as the game is up. The name is made absolute before the game enters its data folder.
bool takeDemoFile(int argc, char** argv, int* i) {
    const char* file = nullptr;
    const size_t length = std::strlen(argv[*i]);
    if (std::strcmp(argv[*i], "--demo") == 0 && *i + 1 < argc) file = argv[++*i];
    else if (length > 7 && std::strcmp(argv[*i] + length - 7, ".tgdemo") == 0) file = argv[*i];
    if (!file) return false;
    char absolute[PATH_MAX];
    if (!realpath(file, absolute)) {
        std::fprintf(stderr, "tumblegrade: no demo file %s\n", file);
        return true;
    }
    watchDemoAtStart(absolute);
    return true;
}

bool takeWindowOption(const char* word) {
    for (const WindowOption& option : WindowOptions) {
        if (std::strcmp(word, option.name) != 0) continue;
        option.apply();
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const int answered = answerInfoOption(argc, argv);
    if (answered >= 0) return answered;
    // Entry 0 is the program's full path; the words after it are joined back into one
    // command tail (quoting words with blanks) and split by the game's own rule.
    char programPath[PATH_MAX] = {};
    if (readlink("/proc/self/exe", programPath, sizeof programPath - 1) < 0)
        std::snprintf(programPath, sizeof programPath, "%s", argc > 0 ? argv[0] : "tumblegrade");
    std::vector<bool> taken(size_t(argc > 0 ? argc : 0), false);
    for (int i = 1; i < argc; ++i) {
        const int first = i;
        if (takeDemoFile(argc, argv, &i))
            for (int k = first; k <= i; ++k) taken[size_t(k)] = true;
    }
    // Every name the game reads is relative: start it inside the folder of its data.
    static char notFound[4096];
    if (!enterGameData(programPath, notFound, sizeof notFound)) fatalError(notFound);
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (taken[size_t(i)] || takeWindowOption(argv[i])) continue;
        if (!tail.empty()) tail += ' ';
        const bool blank = std::strpbrk(argv[i], " \t") != nullptr;
        if (blank) tail += '"';
        tail += argv[i];
        if (blank) tail += '"';
    }
    sdlSetGamepadEscapeRule(gamepadBActsAsEsc);
    sdlSetGamepadMainMenuRule(gamepadOnMainMenu);
    enableOwnScreens(1);
    installDemos();
    static char storage[2048];
    static char* gameArgv[20];
    const int gameArgc = splitCommandLine(programPath, tail.c_str(), storage, sizeof storage, gameArgv);
    startSound(gameArgc, gameArgv);
    return gameMain(gameArgc, gameArgv);
}
