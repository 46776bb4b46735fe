// What both course targets share: the race set up once per process, each input written
// into an in-memory course file, a race frame, and the step into the window's next tile.
#pragma once

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

#include "input_file.h"

namespace {

DisplayContext* Page = nullptr;
Bitmap* Textures[TextureCount];
InputFile Course;  // "track.tbk" for the loader, each input written over the last

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

// A new input: the race opened the first time, reset, and the input written as the
// course; returns the course file's path.
const char* startCourseRun(const uint8_t* data, size_t size) {
    if (!Page) openRace();
    resetRace();
    return writeInputFile(Course, data, size);
}

void raceFrame() {
    advanceRaceFrame();
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

// A smaller quarantine than AddressSanitizer's 256 MB: every tile allocates about 15 kB,
// and cycling through the large one faulted fresh pages in on every run. A run's own
// frees still wait in it long enough to catch a use after free.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
