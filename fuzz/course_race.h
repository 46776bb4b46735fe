// What both course targets share: the race set up once per process, each input written
// into an in-memory course file, a race frame, and the step into the window's next tile.
#pragma once

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
        std::fprintf(stderr, "fuzz: cannot enter %s\n", TG_DATA_DIR);
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

// Everything a run leaves behind, back to the start of a new one, but the segment window
// (each target empties it when it needs to).
void resetRace() {
    clearTrackLists();
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
