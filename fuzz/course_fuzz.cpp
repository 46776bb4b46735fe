// The course loader on any bytes as "track.tbk"; the course it builds is then ridden the
// way the race does it, drawing only once: the race's first frame from the start pose,
// a few ride steps on the first tile, then the segment window walked over the whole
// course as race frames move it, without drawing. A frame costs as much as loading and
// walking a long course, so only the first is drawn; fuzz-course_frames draws a frame
// on every tile. The textures and palette are the generated ones; the handlebar, the
// same picture on every frame whatever the course, is left out.
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
#include "track/course_walk.h"
#include "track/track_loader.h"

namespace {

constexpr int StartSteps = 3;
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
        std::fprintf(stderr, "fuzz-course: cannot enter %s\n", TG_DATA_DIR);
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

// Written over the last input and then cut to length, so that the file keeps its page.
void writeCourse(const uint8_t* data, size_t size) {
    if (pwrite(CourseFile, data, size, 0) != ssize_t(size) || ftruncate(CourseFile, off_t(size)) != 0)
        std::exit(2);
}

// Everything a run leaves behind, back to the start of a new one. The window is emptied
// after loading (see emptyWindowIfNoCourse).
void resetRace() {
    clearTrackLists();
    resetGameState();
    for (int n = 0; n < TextureCount; ++n) GameState.textures[n] = Textures[n];
    resetRider();
    resetRiderPose();
    fillDamageTable(1700000000u);
    texturingEnabled = 1;
}

// The first frame shows the first three built tiles of the course, or the next three when
// it slides the window on, from the fixed start pose: the input's bytes up to the end of
// its fourth built line decide the picture. Most inputs the fuzzer makes change a later
// line, so a frame already drawn for the same bytes is not drawn again (the window still
// moves as the frame would move it). A direct-mapped table of keys; a collision only
// draws once more.
constexpr int DrawnFrameSlots = 1 << 16;
constexpr int FrameLines = 4;
uint64_t DrawnFrames[DrawnFrameSlots];

__attribute__((no_sanitize("coverage"))) bool frameDrawnBefore(const uint8_t* data, size_t size) {
    CourseWalk walk;
    size_t end = 0;
    for (int built = 0; end < size && built < FrameLines;) {
        if (courseLineBuilt(walk, reinterpret_cast<const char*>(data) + end)) ++built;
        while (end < size && data[end] != '\n') ++end;
        ++end;
    }
    uint64_t key = 14695981039346656037ull;  // FNV-1a
    for (size_t i = 0; i < end && i < size; ++i) key = (key ^ data[i]) * 1099511628211ull;
    key |= 1;  // 0 marks an empty slot
    uint64_t& slot = DrawnFrames[key % DrawnFrameSlots];
    if (slot == key) return true;
    slot = key;
    return false;
}

// The first race frame fills all three window slots from a course of one tile or more,
// so the last run's window needs emptying (three 16 kB slots) only before an empty one.
void emptyWindowIfNoCourse() {
    windowFillPending = 1;
    if (TrackMeshes.count() == 0) resetSegmentWindow();
}

void raceFrame() {
    resetZBuffer();
    drawRaceView();
}

// The window as a race frame moves it, without drawing.
void walkFrame() {
    advanceWindow();
    checkRaceEnd();
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

// A smaller quarantine than AddressSanitizer's 256 MB: every tile allocates about 15 kB,
// and cycling through the large one faulted fresh pages in on every run. A run's own
// frees still wait in it long enough to catch a use after free.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!Page) openRace();
    resetRace();
    writeCourse(data, size);
    loadTrackFile(CoursePath);
    emptyWindowIfNoCourse();
    GameState.racing = 1;
    GameState.speed = StartSpeed;
    if (frameDrawnBefore(data, size))
        walkFrame();
    else
        raceFrame();
    for (int i = 0; i < StartSteps; ++i) gameLogic();
    const int steps = GameState.segmentCount + 3;
    for (int i = 0; i < steps && stepIntoNext(); ++i) walkFrame();
    clearTrackLists();
    return 0;
}
