// The course loader on any bytes as "track.tbk"; the course it builds is then ridden the
// way the race does it: frames from the start pose with a few ride steps between them,
// then the segment window walked over the whole course with a frame drawn on every tile.
// Slow beside fuzz-course, which draws only a few tiles: this one draws every tile with
// the two after it, so it reaches shapes seen from every neighbour.
// The textures and palette are the generated ones; the handlebar, the same picture on
// every frame whatever the course, is left out.
#include "course_race.h"

namespace {

constexpr int StartFrames = 4;
constexpr float StartSpeed = 0.4f;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* course = startCourseRun(data, size);
    resetSegmentWindow();
    loadTrackFile(course);
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
    return 0;
}
