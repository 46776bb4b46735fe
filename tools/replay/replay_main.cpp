// tumblegrade-replay: the whole game on the headless back-end, driven by a script.
//   tumblegrade-replay SCRIPT [--data DIR] [--out DIR] [--state FILE]
//   tumblegrade-replay --timedemo SCRIPT [--data DIR]
//   tumblegrade-replay --verify DEMO [--data DIR]
// --ghost FILE (with a script) draws the ghost of that path file into the race view as
// the window game does; the state log stays what it is without it.
// A timedemo runs the script without snapshots or state log, every page converted to
// 32 bits as the window does it, and prints the frame rate of all frames but the first.
// --verify plays a demo without pictures or state log and prints the run's outcome and
// time: exit 0 when they are the header's, 1 when not, 2 when the demo cannot be read.
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "app/game_main.h"
#include "demo_verify.h"
#include "demo/ghost_view.h"
#include "menus/own_screens.h"
#include "framework/framework.h"
#include "platform/headless.h"
#include "demo/replay_script.h"
#include "state_log.h"

namespace {

ReplayScript Script;
size_t NextCommand = 0;
std::string OutDir;
FILE* StateFile = nullptr;

// The timedemo: the page as the window gets it, and the clock from the end of the
// first frame to the end of the last.
struct Timedemo {
    bool on;
    uint32_t converted[640 * 480];
    std::chrono::steady_clock::time_point firstFrameEnd, lastFrameEnd;
    int frames;  // frames after the first
};
Timedemo Demo;

int usage() {
    std::fprintf(stderr,
                 "usage: tumblegrade-replay SCRIPT [--data DIR] [--out DIR] [--state FILE]\n"
                 "       tumblegrade-replay --timedemo SCRIPT [--data DIR]\n"
                 "       tumblegrade-replay --verify DEMO [--data DIR]\n"
                 "a script also takes --ghost FILE (a ghost path drawn into the race view)\n");
    return 2;
}

void timeFrame(int iteration) {
    const auto now = std::chrono::steady_clock::now();
    if (iteration == 0) {
        Demo.firstFrameEnd = now;
    } else {
        Demo.lastFrameEnd = now;
        Demo.frames = iteration;
    }
}

void printTimedemo() {
    const double seconds =
        Demo.frames > 0 ? std::chrono::duration<double>(Demo.lastFrameEnd - Demo.firstFrameEnd).count() : 0.0;
    const double fps = seconds > 0 ? Demo.frames / seconds : 0.0;
    std::printf("%d frames, %.3f seconds, %.1f fps\n", Demo.frames, seconds, fps);
}

std::string absoluteFrom(const std::string& base, const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    return base + "/" + path;
}

void deliver(const ReplayCommand& c) {
    switch (c.type) {
    case ReplayTime: headlessSetClock(c.value); break;
    case ReplayPress: headlessQueueKey(int(c.value), 1); break;
    case ReplayRelease: headlessQueueKey(int(c.value), 0); break;
    case ReplayTap:
        headlessQueueKey(int(c.value), 1);
        headlessQueueKey(int(c.value), 0);
        break;
    case ReplayMode: {
        PlatformMessage m{};
        m.type = MsgModeCommand;
        m.code = 1;
        headlessQueueMessage(m);
        break;
    }
    case ReplayCloseYes: headlessQueueClose(1); break;
    case ReplayCloseNo: headlessQueueClose(0); break;
    default: break;
    }
}

void beginIteration(int iteration) {
    // Messages arrive at the start of their iteration, snapshots wait for its end.
    for (size_t i = NextCommand; i < Script.commands.size() && Script.commands[i].iteration == iteration; ++i)
        deliver(Script.commands[i]);
}

void writeSnapshot(const std::string& name) {
    DisplayContext* page = drawingPage();
    if (!page) return;
    const std::string path = OutDir + "/" + name + ".bmp";
    if (!writeBitmap8(path.c_str(), page->pixels, page->width, page->height, page->width, page->palette))
        std::fprintf(stderr, "tumblegrade-replay: cannot write %s\n", path.c_str());
}

void endIteration(int iteration) {
    if (verifyingDemo() && verifyIteration(iteration)) requestExit();
    if (Demo.on) timeFrame(iteration);
    if (StateFile) writeStateLine(StateFile, iteration);
    bool stop = false;
    while (NextCommand < Script.commands.size() && Script.commands[NextCommand].iteration == iteration) {
        const ReplayCommand& c = Script.commands[NextCommand++];
        if (c.type == ReplaySnap && !Demo.on) writeSnapshot(c.name);
        if (c.type == ReplayStop) stop = true;
    }
    if (stop || iteration >= Script.lastIteration) requestExit();
}

}  // namespace

int main(int argc, char** argv) {
    std::string scriptPath, dataDir = TG_DEFAULT_DATA_DIR, outDir, statePath, ghostPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--timedemo") {
            Demo.on = true;
        } else if (arg == "--ghost" && i + 1 < argc) {
            ghostPath = argv[++i];
        } else if (arg == "--verify") {
            startDemoVerification();
        } else if ((arg == "--data" || arg == "--out" || arg == "--state") && i + 1 < argc) {
            (arg == "--data" ? dataDir : arg == "--out" ? outDir : statePath) = argv[++i];
        } else if (scriptPath.empty() && (arg == "-" || arg.rfind("--", 0) != 0)) {
            scriptPath = arg;
        } else {
            return usage();
        }
    }
    if (scriptPath.empty()) return usage();
    if (Demo.on && (!outDir.empty() || !statePath.empty())) return usage();  // nothing is written
    if (verifyingDemo() && (Demo.on || !outDir.empty() || !statePath.empty())) return usage();

    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) {
        std::fprintf(stderr, "tumblegrade-replay: cannot read the current directory\n");
        return 2;
    }
    FILE* in = scriptPath == "-" ? stdin : std::fopen(scriptPath.c_str(), "r");
    if (!in) {
        std::fprintf(stderr, "tumblegrade-replay: cannot open script %s: %s\n", scriptPath.c_str(),
                     std::strerror(errno));
        return 2;
    }
    std::string error;
    const bool parsed = verifyingDemo() ? readDemoForVerification(in, &Script, &error)
                                        : parseReplayScript(in, &Script, &error);
    if (in != stdin) std::fclose(in);
    if (!parsed) {
        std::fprintf(stderr, "tumblegrade-replay: %s: %s\n", scriptPath.c_str(), error.c_str());
        return 2;
    }

    OutDir = outDir.empty() ? std::string(cwd) : absoluteFrom(cwd, outDir);
    // The snapshot folder is made with its parents, as `mkdir -p` would.
    for (size_t slash = OutDir.find('/', 1); !Demo.on && !verifyingDemo(); slash = OutDir.find('/', slash + 1)) {
        mkdir(OutDir.substr(0, slash).c_str(), 0777);
        if (slash == std::string::npos) break;
    }
    if (!statePath.empty()) {
        StateFile = std::fopen(absoluteFrom(cwd, statePath).c_str(), "w");
        if (!StateFile) {
            std::fprintf(stderr, "tumblegrade-replay: cannot write %s: %s\n", statePath.c_str(),
                         std::strerror(errno));
            return 2;
        }
    }
    if (!ghostPath.empty()) {
        if (!loadGhostFile(absoluteFrom(cwd, ghostPath).c_str())) return 2;
        enableOwnScreens(1);  // none registered: only the overlay that draws the ghost
        addPageOverlay(drawGhost);
    }
    if (chdir(absoluteFrom(cwd, dataDir).c_str()) != 0) {
        std::fprintf(stderr, "tumblegrade-replay: cannot enter the data directory %s: %s\n",
                     dataDir.c_str(), std::strerror(errno));
        return 2;
    }
    if (verifyingDemo() && !chooseDemoCourse(scriptPath.c_str())) return 2;
    // A clock given at iteration 0 also seeds the game initialisation before the loop.
    for (const ReplayCommand& c : Script.commands)
        if (c.iteration == 0 && c.type == ReplayTime) headlessSetClock(c.value);
    headlessSetIterationHooks(beginIteration, endIteration);
    if (Demo.on) headlessConvertInto(Demo.converted);

    char programPath[] = "tumblegrade-replay";
    char* gameArgv[] = {programPath, nullptr};
    const int status = gameMain(1, gameArgv);
    if (StateFile) std::fclose(StateFile);
    if (Demo.on) printTimedemo();
    if (verifyingDemo()) return reportDemoVerification();
    return status;
}
