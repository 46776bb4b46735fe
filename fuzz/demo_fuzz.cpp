// The demo reader on any bytes as a demo file; a demo it takes is played without pictures
// for up to 10 seconds of iterations (the menus, the shop and the first of the ride), the
// way the window feeds a watched demo to the game. Also the ghost path reader on the same
// bytes as the ghost file beside a demo (BesideDemo): a ghost it takes must be written
// again byte for byte.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/init_game.h"
#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "demo/ghost_path.h"
#include "framework/framework.h"
#include "input_file.h"

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

// The demo a ghost file is read beside: a ghost belongs to it when the ghost holds its
// content hash (the ghost seeds of fuzz/corpus/demo/ do).
constexpr char BesideDemo[] = "# tumblegrade-demo 1\n";

InputFile DemoFile;
GhostPath Ghost;
uint8_t GhostBytes[GhostFileCapacity];

// The ghost reader as a run's start uses it; a ghost it takes is written back unchanged.
void readGhost(const char* path, const uint8_t* data, size_t size) {
    std::string error;
    if (!readGhostFile(path, demoContentHash(BesideDemo, sizeof BesideDemo - 1), &Ghost, &error)) {
        if (error.empty()) __builtin_trap();  // a refused ghost always says why
        return;
    }
    const size_t written = encodeGhostPath(Ghost, GhostBytes, sizeof GhostBytes);
    if (written != size || std::memcmp(GhostBytes, data, size) != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool open = false;
    if (!open) {
        openGame();
        open = true;
    }
    const char* path = writeInputFile(DemoFile, data, size);
    readGhost(path, data, size);
    DemoHeader header;
    ReplayScript script;
    std::string error;
    if (!readDemoFile(path, &header, &script, &error)) {
        if (error.empty()) __builtin_trap();  // a refused demo always says why
        return 0;
    }
    if (header.version != DemoFormatVersion || header.start > script.lastIteration) __builtin_trap();
    playDemoRun(header, script, PlayedIterations);
    return 0;
}
