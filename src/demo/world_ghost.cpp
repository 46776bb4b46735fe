#include "demo/world_ghost.h"

#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <string>

#include "base/game_state.h"
#include "demo/demo_course.h"
#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "demo/ghost_path.h"
#include "demo/live_game.h"
#include "files/file_read.h"
#include "files/folders.h"
#include "files/safe_write.h"
#include "race/ride_clock.h"
#include "game/run_start.h"
#include "render/camera.h"
#include "track/course_choice.h"

namespace {

GhostPath GhostTaken;
uint8_t GhostBytes[GhostFileCapacity];
LiveGame LiveGameAside;

// After each iteration of the run: the rider at this step of the ride clock.
void noteGhostStep(void* context, int) {
    GhostPath* path = static_cast<GhostPath*>(context);
    const int index = RideClock.iterations - 1;
    if (!GameState.racing || index < 0 || index >= GhostCapacity || index < path->count) return;
    path->points[index] = GhostPoint{RiderPosition.x, RiderPosition.y, RiderPosition.z, riderHeading()};
    path->count = index + 1;
}

// Plays the demo on its own course, the live game kept aside and put back.
bool playForGhost(const DemoHeader& header, const ReplayScript& script, std::string* why) {
    char course[CoursePathCapacity];
    if (!findCourseByHash(header.courseHash, course, sizeof course)) {
        *why = "its course is not here";
        return false;
    }
    const std::string before = chosenCourseFile();
    if (before.empty()) {
        *why = "a course in the editor is ridden now";
        return false;
    }
    keepLiveGame(&LiveGameAside);
    chooseCourseFile(course);
    GhostTaken.count = 0;
    const DemoPlayed run = playDemoRun(header, script, script.lastIteration + 1, noteGhostStep, &GhostTaken);
    chooseCourseFile(before.c_str());
    restoreLiveGame(LiveGameAside);
    if (!demoPlayedAsHeader(run, header) || header.outcome != DemoFinish || GhostTaken.count == 0) {
        *why = "it does not play a finish as its header says";
        return false;
    }
    return true;
}

}  // namespace

bool worldGhostDemoPath(uint64_t courseHash, char* out, size_t capacity) {
    char name[64];
    std::snprintf(name, sizeof name, "world/ghost-%016" PRIx64 ".tgdemo", courseHash);
    return xdgPath(XdgData, name, out, capacity) != 0;
}

bool chooseWorldGhost(const char* demoPath, std::string* why) {
    DemoHeader header{};
    ReplayScript script;
    std::string text;
    if (readFileText(demoPath, &text, DemoSizeLimit) != FileReadWhole) {
        *why = "the demo cannot be read";
        return false;
    }
    if (!parseDemoText(text, &header, &script, why) || !playForGhost(header, script, why)) return false;
    char demo[4096], ghost[4096];
    if (!worldGhostDemoPath(header.courseHash, demo, sizeof demo) || !ghostPathFileFor(demo, ghost, sizeof ghost)) {
        *why = "no folder to keep it in";
        return false;
    }
    GhostTaken.demoHash = demoContentHash(text.data(), text.size());
    const size_t size = encodeGhostPath(GhostTaken, GhostBytes, sizeof GhostBytes);
    const std::string folder = std::string(demo).substr(0, std::string(demo).rfind('/'));
    if (!makeFolders(folder.c_str()) || !writeFileSafely(ghost, GhostBytes, size) ||
        !writeFileSafely(demo, text.data(), text.size())) {
        *why = "it cannot be kept in " + folder;
        return false;
    }
    return true;
}

void dropWorldGhost(uint64_t courseHash) {
    char demo[4096], ghost[4096];
    if (!worldGhostDemoPath(courseHash, demo, sizeof demo) || !ghostPathFileFor(demo, ghost, sizeof ghost)) return;
    unlink(demo);
    unlink(ghost);
}

int worldGhostChosen(uint64_t courseHash) {
    char demo[4096];
    return worldGhostDemoPath(courseHash, demo, sizeof demo) && access(demo, R_OK) == 0;
}
