// The windowed game's entry: --help and --version, the data folder, the argument vector
// as the game expects it, the sound layer, then gameMain.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

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
    // Every name the game reads is relative: start it inside the folder of its data.
    static char notFound[4096];
    if (!enterGameData(programPath, notFound, sizeof notFound)) fatalError(notFound);
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (takeWindowOption(argv[i])) continue;
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
