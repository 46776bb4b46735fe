#include "demo/ghost_view.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "base/game_state.h"
#include "demo/demo_file.h"
#include "demo/demo_store.h"
#include "demo/ghost_path.h"
#include "demo/world_ghost.h"
#include "files/file_read.h"
#include "race/ride_clock.h"
#include "render/camera.h"
#include "render/pipeline.h"
#include "render/rasteriser.h"

namespace {

constexpr float GhostHeight = 1.8f;  // from the ground up, in course units
constexpr float GhostWidth = 0.6f;
constexpr float EyeHeight = 1.0f;    // the eye above the ground, as the ride keeps it
constexpr float NearestDepth = 0.5f;

struct Ghost {
    int shown = 1;
    GhostPath path;
};

Ghost RunGhost;

// The depth-tested dither: every other pixel, the ones in front of the course.
void fillDithered(DisplayContext* page, int left, int top, int right, int bottom, float depth, int colour) {
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right >= ScreenWidth) right = ScreenWidth - 1;
    if (bottom >= ScreenHeight) bottom = ScreenHeight - 1;
    if (page->width != ScreenWidth || page->height != ScreenHeight) return;
    for (int y = top; y <= bottom; ++y)
        for (int x = left + ((left + y) & 1); x <= right; x += 2)
            if (depth < depthAt(x, y)) page->pixels[y * ScreenWidth + x] = uint8_t(colour);
}

}  // namespace

void toggleGhost() { RunGhost.shown = !RunGhost.shown; }
void setGhostShown(int shown) { RunGhost.shown = shown ? 1 : 0; }
int ghostShown() { return RunGhost.shown; }
int ghostLoaded() { return RunGhost.path.count > 0; }
void dropGhost() { RunGhost.path.count = 0; }

void loadGhostForRun(uint64_t courseHash, const char* rider) {
    dropGhost();
    char demo[DemoPathCapacity], ghost[DemoPathCapacity];
    std::string text;
    // A world run chosen on the best-times screen (F7) stands in for the own best.
    if (!(worldGhostChosen(courseHash) && worldGhostDemoPath(courseHash, demo, sizeof demo)) &&
        !bestDemoPath(courseHash, rider, demo, sizeof demo))
        return;
    if (readFileText(demo, &text, DemoSizeLimit) != FileReadWhole) return;
    if (!ghostPathFileFor(demo, ghost, sizeof ghost)) return;
    std::string error;
    if (!readGhostFile(ghost, demoContentHash(text.data(), text.size()), &RunGhost.path, &error) &&
        error != "no ghost file")
        std::fprintf(stderr, "tumblegrade: the ghost %s is not used: %s\n", ghost, error.c_str());
}

bool loadGhostFile(const char* path) {
    static uint8_t bytes[GhostFileCapacity + 1];
    dropGhost();
    size_t size = 0;
    if (readFileInto(path, bytes, sizeof bytes, &size) == FileMissing) return false;
    std::string error;
    if (decodeGhostPath(bytes, size, &RunGhost.path, &error)) return true;
    std::fprintf(stderr, "%s: %s\n", path, error.c_str());
    return false;
}

void drawGhost(DisplayContext* page) {
    if (!page || !RunGhost.shown || RunGhost.path.count <= 0 || !GameState.racing) return;
    int index = RideClock.iterations - 1;
    if (index < 0) index = 0;
    if (index >= RunGhost.path.count) index = RunGhost.path.count - 1;
    const GhostPoint& p = RunGhost.path.points[index];
    // The figure stands on the ground below the ghost's eye (y grows downwards).
    const Matrix4 view = CameraMatrix * LensMatrix;
    Point3 foot, head;
    foot.assignNormalised(Point3(p.x, p.y + EyeHeight, p.z) * view);
    head.assignNormalised(Point3(p.x, p.y + EyeHeight - GhostHeight, p.z) * view);
    if (foot.z < NearestDepth || head.z < NearestDepth) return;
    const ScreenPoint f = mapToScreen(foot), h = mapToScreen(head);
    // The half width on the page, from the lens's horizontal scale at the figure's depth.
    const float halfWidth = 0.5f * GhostWidth * LensMatrix(0, 0) / foot.z * 636.0f / 2.0f;
    if (!(halfWidth > 0.5f && halfWidth < 2000.0f)) return;
    const int colour = nearestPaletteIndex(page->palette, 40, 255, 255);
    const int half = int(halfWidth);
    const int top = h.y < f.y ? h.y : f.y, bottom = h.y < f.y ? f.y : h.y;
    const int headBottom = top + (bottom - top) / 5;
    fillDithered(page, f.x - half / 2, top, f.x + half / 2, headBottom, foot.z, colour);       // head
    fillDithered(page, f.x - half, headBottom + 1, f.x + half, bottom, foot.z, colour);        // body and bike
}
