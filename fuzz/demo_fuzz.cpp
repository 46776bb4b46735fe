// The demo reader on any bytes; a demo it takes is played without pictures for up to 10
// seconds of iterations (the menus, the shop and the first of the ride), the way the
// window feeds a watched demo to the game. Also the ghost path reader on the same bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/init_game.h"
#include "demo/demo_file.h"
#include "demo/demo_watch.h"
#include "demo/ghost_path.h"
#include "framework/framework.h"

namespace {

constexpr int PlayedIterations = 600;

// Once per process: the framework on the headless back-end and the game initialised from
// the generated data. The game reads its pictures by relative names, so the target stays
// in the data folder (scripts/fuzz gives libFuzzer absolute paths).
void openGame() {
    if (chdir(TG_DATA_DIR) != 0) std::exit(2);
    CurrentPage = createFramework("fuzz-demo");
    ModeRequest request{};
    request.width = 640;
    request.height = 480;
    request.bitsPerPixel = 8;
    if (!CurrentPage || !setMode(&request, 1, 2, 1)) std::exit(2);
    initGame();
}

GhostPath Ghost;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool open = false;
    if (!open) {
        openGame();
        open = true;
    }
    std::string error;
    if (!decodeGhostPath(data, size, &Ghost, &error) && error.empty()) __builtin_trap();
    DemoHeader header;
    ReplayScript script;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!parseDemoText(text, &header, &script, &error)) {
        if (error.empty()) __builtin_trap();  // a refused demo always says why
        return 0;
    }
    if (header.version != DemoFormatVersion || header.start > script.lastIteration) __builtin_trap();
    playDemoWithoutPictures(script, PlayedIterations);
    return 0;
}
