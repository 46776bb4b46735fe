// Benchmarks of the race view and the menu screens on the headless page, with the
// memory work of a frame as the baseline and a count of heap allocations per race frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "app/game_main.h"
#include "base/game_state.h"
#include "demo/demo_check.h"
#include "demo/demo_file.h"
#include "display/display.h"
#include "files/file_read.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "menus/hud.h"
#include "menus/run_watch.h"
#include "online/outbox.h"
#include "online/run_sender.h"
#include "platform/headless.h"
#include "platform/page_convert.h"
#include "platform/page_scale.h"
#include "race/ride.h"
#include "render/pipeline.h"
#include "render/rasteriser.h"
#include "render/segment_window.h"
#include "render/textures.h"
#include "support/local_socket.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

// ---- heap allocations, counted for the whole program ----------------------------
namespace {
std::atomic<long> HeapAllocations{0};

void* allocate(std::size_t size) {
    ++HeapAllocations;
    return std::malloc(size ? size : 1);
}
}  // namespace

void* operator new(std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// ---- the game on the headless page ----------------------------------------------
void openGame() {
    static bool open = false;
    if (open) return;
    open = true;
    if (chdir(TG_DATA_DIR) != 0) {
        std::fprintf(stderr, "tumblegrade-bench: cannot enter %s\n", TG_DATA_DIR);
        std::exit(2);
    }
    keepFrameMemory();  // as gameMain does
    CurrentPage = createFramework("Tumblegrade - DH");
    const ModeRequest request = {19, 640, 480, 8, 6, 0x401, "DDRAW8.DRV", 0, 0};
    if (!CurrentPage || !setMode(&request, 1, 2, 1)) {
        std::fprintf(stderr, "tumblegrade-bench: no drawing page\n");
        std::exit(2);
    }
    initGame();
}

// A rider pose: k advances into the course, then the eye u across and w along the
// current tile, one unit above its start corner, turned by yaw degrees.
struct Pose {
    const char* name;
    int advances;
    float u, w, yaw;
};

const Pose Poses[] = {
    {"start", -1, 0, 0, 0},          // the pose of a new run
    {"tile1_turned", 0, 5, 3, 25},
    {"tile5", 4, 5, 2, 0},
    {"tile10_turned", 9, 3, 5, -20},
    {"tile16", 15, 5, 1, 0},
    {"tile26_turned", 25, 7, 4, 15},
    {"tile40", 39, 4, 6, -10},
};

void headingOf(int variant, Vector3* f, Vector3* s) {
    switch (((variant % 4) + 4) % 4) {
        case 1: *f = Vector3(0, 0, 1); *s = Vector3(1, 0, 0); break;
        case 2: *f = Vector3(-1, 0, 0); *s = Vector3(0, 0, 1); break;
        case 3: *f = Vector3(0, 0, -1); *s = Vector3(-1, 0, 0); break;
        default: *f = Vector3(1, 0, 0); *s = Vector3(0, 0, -1); break;
    }
}

// Reloads the course, fills the window and walks it forward; then places the eye.
bool preparePose(const Pose& pose) {
    openGame();
    resetSegmentWindow();
    clearTrackLists();
    loadTrack();
    GameState.racing = 1;
    GameState.screen = 1;
    applyRacePalette();
    resetRiderPose();
    CameraMatrix = IdentityMatrix;
    CameraMatrix(3, 0) = -RiderPosition.x;
    CameraMatrix(3, 1) = -RiderPosition.y;
    CameraMatrix(3, 2) = -RiderPosition.z;
    advanceWindow();  // the first fill
    if (pose.advances < 0) return true;
    Vector3 f, s;
    for (int i = 0; i < pose.advances; ++i) {
        const SegmentMesh& next = SegmentWindow.next.mesh;
        headingOf(next.variant, &f, &s);
        RiderPosition = next.points[0] + f * 0.5f;
        advanceWindow();
    }
    const SegmentMesh& current = SegmentWindow.current.mesh;
    headingOf(current.variant, &f, &s);
    const float c = std::cos(pose.yaw * 3.14159265f / 180.0f);
    const float t = std::sin(pose.yaw * 3.14159265f / 180.0f);
    const Vector3 forward = f * c + s * t;
    const Vector3 side = s * c - f * t;
    const Point3 eye = current.points[0] + s * pose.u + f * pose.w + Vector3(0, -1, 0);
    RiderPosition = eye;
    CameraMatrix = IdentityMatrix;
    for (int r = 0; r < 3; ++r) {
        CameraMatrix(r, 0) = side[r];
        CameraMatrix(r, 1) = r == 1 ? 1.0f : 0.0f;
        CameraMatrix(r, 2) = forward[r];
    }
    const Vector3 e(eye.x, eye.y, eye.z);
    CameraMatrix(3, 0) = -e.dot(side);
    CameraMatrix(3, 1) = -eye.y;
    CameraMatrix(3, 2) = -e.dot(forward);
    // The eye stays on its tile: no frame of the benchmark advances the window.
    return !hasEnteredSegment(RiderPosition, SegmentWindow.next.mesh);
}

void raceFrame() {
    resetZBuffer();
    drawRaceView();
}

void BM_RaceFrame(benchmark::State& state, const Pose& pose) {
    if (!preparePose(pose)) {
        state.SkipWithError("pose lies beyond its tile");
        return;
    }
    raceFrame();  // a first frame outside the count
    const long before = HeapAllocations.load();
    for (auto _ : state) {
        raceFrame();
        benchmark::ClobberMemory();
    }
    const long allocations = HeapAllocations.load() - before;
    state.counters["allocs_per_frame"] =
        benchmark::Counter(double(allocations) / double(state.iterations()));
    state.counters["allocs_total"] = double(allocations);
}

// What one ride step changes, put back before every whole frame so each one starts
// from the pose.
struct RideSnapshot {
    GameStateBlock game;
    Matrix4 camera, inverse, steer, pitch;
    Point3 rider;

    void take() {
        game = GameState;
        camera = CameraMatrix;
        inverse = CameraInverse;
        steer = SteerStep;
        pitch = PitchStep;
        rider = RiderPosition;
    }
    void restore() const {
        GameState = game;
        CameraMatrix = camera;
        CameraInverse = inverse;
        SteerStep = steer;
        PitchStep = pitch;
        RiderPosition = rider;
    }
};

// The page as the window gets it, 32 bits a pixel.
uint32_t Converted[ScreenWidth * ScreenHeight];

// One main-loop iteration as a player gets it: the ride step, the frame drawn and
// presented, the page converted to 32 bits the way the window does it.
void wholeFrame(const RideSnapshot& pose) {
    pose.restore();
    gameLogic();
    drawFrame();
}

void BM_WholeFrame(benchmark::State& state, const Pose& pose) {
    if (!preparePose(pose)) {
        state.SkipWithError("pose lies beyond its tile");
        return;
    }
    RideSnapshot snapshot;
    snapshot.take();
    const Point3 tileStart = SegmentWindow.current.mesh.points[0];
    headlessConvertInto(Converted);
    wholeFrame(snapshot);  // a first frame outside the count
    // The ride step must leave the rider racing on the same tile, or the frames would
    // show something else than the pose.
    if (!GameState.racing || GameState.offTrack || SegmentWindow.current.mesh.points[0] != tileStart) {
        headlessConvertInto(nullptr);
        state.SkipWithError("the ride step leaves the pose");
        return;
    }
    const long before = HeapAllocations.load();
    for (auto _ : state) {
        wholeFrame(snapshot);
        benchmark::DoNotOptimize(Converted);
        benchmark::ClobberMemory();
    }
    const long allocations = HeapAllocations.load() - before;
    headlessConvertInto(nullptr);
    snapshot.restore();
    state.counters["allocs_per_frame"] =
        benchmark::Counter(double(allocations) / double(state.iterations()));
    state.counters["allocs_total"] = double(allocations);
}

// The memory work a frame was taken to be unable to avoid: every depth set to 100.0
// (the 1.2 MB a full reset writes; the frame itself no longer does it), the page cleared
// and the page converted to 32 bits for presentation.
uint32_t Presented[ScreenWidth * ScreenHeight];

void BM_MemoryBaseline(benchmark::State& state) {
    openGame();
    DisplayContext* page = *CurrentPage;
    uint32_t colours[256];
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = page->palette[i];
        colours[i] = 0xFF000000u | (uint32_t(e.red) << 16) | (uint32_t(e.green) << 8) | e.blue;
    }
    for (auto _ : state) {
        std::fill(ZBuffer, ZBuffer + ScreenWidth * ScreenHeight, ZBufferFar);
        clearPage();
        const uint8_t* pixels = page->pixels;
        for (int i = 0; i < ScreenWidth * ScreenHeight; ++i) Presented[i] = colours[pixels[i]];
        benchmark::DoNotOptimize(Presented);
        benchmark::ClobberMemory();
    }
}

// The window's software presentation: the page converted and scaled by 2 (1280 x 960)
// or 4 (2560 x 1920) into an output of 1920 x 1080 or 3840 x 2160 pixels, against the
// floor of writing that many bytes.
constexpr int OutputCapacity = 3840 * 2160;
uint32_t Output[OutputCapacity];

int outputWidthFor(int scale) { return scale <= 2 ? 1920 : 3840; }

void BM_PageScale(benchmark::State& state) {
    openGame();
    const int scale = int(state.range(0));
    const int width = outputWidthFor(scale);
    const PagePlacement place = placePage(width, width * 9 / 16, ScreenWidth, ScreenHeight, 1);
    const DisplayContext* page = *CurrentPage;
    uint32_t colours[256];
    paletteToArgb(page->palette, colours);
    uint32_t* origin = Output + long(place.y) * width + place.x;
    for (auto _ : state) {
        scalePageRows(page->pixels, ScreenWidth, 0, ScreenHeight, colours, place.scale, origin, width * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * place.width * place.height * 4);
}

void BM_MemoryFloor(benchmark::State& state) {
    const long bytes = long(ScreenWidth) * ScreenHeight * 4 * state.range(0) * state.range(0);
    for (auto _ : state) {
        std::memset(Output, 0, size_t(bytes));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void BM_MenuFrame(benchmark::State& state, int screen) {
    openGame();
    GameState.racing = 0;
    GameState.screen = screen;
    for (auto _ : state) drawFrame();
}

// The clock's overlay over a race page: the running time and a split against a best
// run, in the race palette.
void BM_ClockOverlay(benchmark::State& state) {
    openGame();
    GameState.racing = 1;
    applyRacePalette();
    RunWatch.running = 1;
    RunWatch.haveBest = 1;
    RunWatch.best.splitCount = 1;
    RunWatch.best.splits[0] = 300;
    RunWatch.splitCount = 1;
    RunWatch.splits[0] = 325;
    RunWatch.raceFrames = RunWatch.lastSplitFrame = 1;
    DisplayContext* page = drawingPage();
    drawClockOverlay(page);  // loads the font once, outside the count
    const long before = HeapAllocations.load();
    for (auto _ : state) {
        drawClockOverlay(page);
        benchmark::ClobberMemory();
    }
    state.counters["allocs_per_frame"] =
        benchmark::Counter(double(HeapAllocations.load() - before) / double(state.iterations()));
    GameState.racing = 0;
}

// The check of a finished run's demo before its time is kept (demo/demo_check.h): the
// shipped course's demo (the autopilot's run, 3165 ride iterations, 53 seconds) played
// from the game's start without pictures, and the live game put back.
void BM_DemoCheck(benchmark::State& state) {
    openGame();
    std::string text;
    readFileText("demos/classic.tgdemo", &text, DemoSizeLimit);
    std::string why;
    for (auto _ : state)
        if (!demoPlaysAsItSays(text, &why)) {
            state.SkipWithError(why.empty() ? "no demo" : why.c_str());
            break;
        }
}

// The whole frame while the outbox's sender runs against a server that is not there
// (mode 1: nobody listens on the port) or that takes the connection and never answers
// (mode 2); mode 0 is the same frame without a sender. The outbox holds a run, so the
// sender keeps trying all the while.
enum SenderMode { NoSender = 0, NobodyListening, NeverAnswering };

void BM_WholeFrameSending(benchmark::State& state) {
    const int mode = int(state.range(0));
    char home[] = "/tmp/tumblegrade-bench-XXXXXX";
    int port = 0;
    const int fd = mode == NoSender ? 0 : localSocket(mode == NeverAnswering, &port);
    if (!mkdtemp(home) || fd < 0) {
        state.SkipWithError("no folder or socket for the sender");
        return;
    }
    setenv("XDG_DATA_HOME", home, 1);
    std::string demo;
    readFileText("demos/classic.tgdemo", &demo, DemoSizeLimit);
    if (mode != NoSender) {
        queueRun(OutboxEntry{1, "", "", demo});
        startRunSender("http://127.0.0.1:" + std::to_string(port));
    }
    BM_WholeFrame(state, Poses[2]);
    stopRunSender();
    if (fd > 0) close(fd);
    state.counters["runs_waiting"] = double(outboxEntries().size());
}

void registerBenchmarks() {
    for (const Pose& pose : Poses) {
        const std::string name = std::string("RaceFrame/") + pose.name;
        benchmark::RegisterBenchmark(name.c_str(), BM_RaceFrame, pose)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    for (const Pose& pose : Poses) {
        const std::string name = std::string("WholeFrame/") + pose.name;
        benchmark::RegisterBenchmark(name.c_str(), BM_WholeFrame, pose)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::RegisterBenchmark("WholeFrameSending/tile5", BM_WholeFrameSending)
        ->Arg(NoSender)
        ->Arg(NobodyListening)
        ->Arg(NeverAnswering)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("MemoryBaseline", BM_MemoryBaseline)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("PageScale", BM_PageScale)
        ->Arg(2)
        ->Arg(4)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("MemoryFloor", BM_MemoryFloor)
        ->Arg(2)
        ->Arg(4)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("ClockOverlay", BM_ClockOverlay)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("DemoCheck", BM_DemoCheck)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    const int menus[] = {ScreenMainMenu, ScreenFrames};
    for (int screen : menus) {
        const std::string name = "MenuFrame/screen" + std::to_string(screen);
        benchmark::RegisterBenchmark(name.c_str(), BM_MenuFrame, screen)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
