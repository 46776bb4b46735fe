// The course loader on any bytes as "track.tbk"; the course it builds is then ridden the
// way the race does it, drawing only once: the race's first frame from the start pose,
// a few ride steps on the first tile, then the segment window walked over the whole
// course as race frames move it, without drawing. A frame costs as much as loading and
// walking a long course, so only the first is drawn; fuzz-course_frames draws a frame
// on every tile. The textures and palette are the generated ones; the handlebar, the
// same picture on every frame whatever the course, is left out.
#include "course_race.h"
#include "track/course_walk.h"

namespace {

constexpr int StartSteps = 3;
constexpr float StartSpeed = 0.4f;

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

// The window as a race frame moves it, without drawing.
void walkFrame() {
    advanceWindow();
    checkRaceEnd();
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
