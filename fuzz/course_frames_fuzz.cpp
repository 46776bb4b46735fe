// The course loader on any bytes as "track.tbk"; the course it builds is then ridden the
// way the race does it: frames from the start pose with a few ride steps between them,
// then the segment window walked over the whole course with a frame drawn on every tile.
// Slow beside fuzz-course, which draws only a few tiles: this one draws every tile with
// the two after it, so it reaches shapes seen from every neighbour.
// The textures and palette are the generated ones; the handlebar, the same picture on
// every frame whatever the course, is left out.
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/game_state.h"
#include "display/display.h"
#include "framework/framework.h"
#include "profile/rider_profile.h"
#include "race/damage.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "render/camera.h"
#include "render/clip.h"
#include "render/pipeline.h"
#include "render/rasteriser.h"
#include "render/segment_window.h"
#include "render/textures.h"
#include "track/tile_catalogue.h"
#include "track/tile_frame.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

namespace {

constexpr int StartFrames = 4;
constexpr float StartSpeed = 0.4f;

DisplayContext* Page = nullptr;
Bitmap* Textures[TextureCount];
int CourseFile = -1;
char CoursePath[64];

// Once per process: the page, the race's textures and tables, and an in-memory file the
// loader reads each input from. The pictures are read in the data folder, then the
// process goes back, so that libFuzzer's relative paths still hold.
void openRace() {
    char started[PATH_MAX];
    if (!getcwd(started, sizeof started) || chdir(TG_DATA_DIR) != 0) {
        std::fprintf(stderr, "fuzz-course_frames: cannot enter %s\n", TG_DATA_DIR);
        std::exit(2);
    }
    Page = createMemoryContext(ScreenWidth, ScreenHeight);
    setCurrentContext(Page);
    CurrentPage = &Page;
    initRenderMatrices();
    buildClipPlanes();
    loadRacePalette();
    setContextPalette(Page, RacePalette, 256, 0);
    loadTextures();
    for (int n = 0; n < TextureCount; ++n) Textures[n] = GameState.textures[n];
    clearEdgeTable();
    if (chdir(started) != 0) std::exit(2);
    CourseFile = memfd_create("track.tbk", 0);
    if (CourseFile < 0) std::exit(2);
    std::snprintf(CoursePath, sizeof CoursePath, "/proc/self/fd/%d", CourseFile);
}

void writeCourse(const uint8_t* data, size_t size) {
    if (ftruncate(CourseFile, 0) != 0 || pwrite(CourseFile, data, size, 0) != ssize_t(size))
        std::exit(2);
}

// Everything a run leaves behind, back to the start of a new one.
void resetRace() {
    clearTrackLists();
    resetSegmentWindow();
    resetGameState();
    for (int n = 0; n < TextureCount; ++n) GameState.textures[n] = Textures[n];
    resetRider();
    resetRiderPose();
    fillDamageTable(1700000000u);
    texturingEnabled = 1;
}

void raceFrame() {
    resetZBuffer();
    drawRaceView();
}

// Puts the eye just past the entry edge of the window's next tile, looking along it.
bool stepIntoNext() {
    const SegmentMesh& next = SegmentWindow.next.mesh;
    if (!SegmentWindow.next.filled || travelHeading(next) < 0) return false;
    const Point3& edge = next.points[0];
    float x, z;
    placeInTile(travelHeading(next), edge.x, edge.z, 0.0f, 0.5f, &x, &z);
    RiderPosition = Point3(x, edge.y - 1.0f, z);
    placeRiderOnTile(next);
    return hasEnteredSegment(RiderPosition, next);
}

}  // namespace

// The course target's smaller quarantine (see course_fuzz.cpp).
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!Page) openRace();
    resetRace();
    writeCourse(data, size);
    loadTrackFile(CoursePath);
    GameState.racing = 1;
    GameState.speed = StartSpeed;
    raceFrame();
    for (int i = 1; i < StartFrames; ++i) {
        gameLogic();
        raceFrame();
    }
    const int steps = GameState.segmentCount + 3;
    for (int i = 0; i < steps && stepIntoNext(); ++i) raceFrame();
    clearTrackLists();
    resetSegmentWindow();
    return 0;
}
