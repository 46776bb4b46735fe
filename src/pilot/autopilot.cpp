#include "pilot/autopilot.h"

#include <cmath>
#include <cstring>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "game/screens.h"
#include "profile/rider_profile.h"
#include "render/camera.h"
#include "render/segment_window.h"
#include "track/tile_catalogue.h"
#include "track/tile_frame.h"

const char AutopilotRiderName[] = "PILOT";

namespace {

// The letters of the rider name by scan code (the name entry's German layout).
int letterKey(char letter) {
    static const struct {
        char letter;
        int scanCode;
    } Keys[] = {{'P', ScanP}, {'I', ScanI}, {'L', ScanL}, {'O', ScanO}, {'T', ScanT}};
    for (const auto& k : Keys)
        if (k.letter == letter) return k.scanCode;
    return 0;
}

// The shop: the first frame, fork and brakes (Enter on the page each category opens
// with), the third component set (two pages down), then every protector the money
// covers, which the shop offers one after another: 1900 + 1450 + 500 + 1500 spent on
// the bike and 1090 on the protectors, 6440 of the 7000.
int shopKey(int screen) {
    if (screen == ScreenComponents || screen == ScreenComponents + 1) return ScanDown;
    return ScanEnter;
}

}  // namespace

int autopilotMenuKey() {
    const int screen = GameState.screen;
    if (screen == ScreenIntro) return ScanEnter;
    if (screen == ScreenMainMenu) return ScanS;  // name entry, then the shop, then the run
    if (screen == ScreenNameEntry) {
        const size_t typed = std::strlen(Rider.name());
        return typed < std::strlen(AutopilotRiderName) ? letterKey(AutopilotRiderName[typed]) : ScanEnter;
    }
    if (screen >= ScreenFrames && screen < ScreenInjury) return shopKey(screen);
    return 0;
}

const char* outcomeScreenName(int screen) {
    switch (screen) {
    case ScreenFinish: return "finish";
    case ScreenCrash: return "crash";
    case ScreenInjury: return "injury";
    case ScreenDefect: return "defect";
    default: return nullptr;
    }
}

namespace {

// Speeds: through the turns one the 2-degree steering can follow; on a straight that
// goes on through the whole window, faster, braking hard on leaving it.
constexpr float TurnSpeedLow = 0.11f, TurnSpeedHigh = 0.14f;
constexpr float StraightSpeed = 0.3f;
constexpr float HardBrakeAbove = 0.2f;

// A laid-out straight tile travelled in the heading.
bool straightIn(const WindowSlot& slot, int heading) {
    if (!slot.filled) return false;
    const TileKind* kind = findTileKind(slot.mesh.kind);
    if (!kind || !isStraightKind(*kind) || !tileHasLayout(slot.mesh)) return false;
    return (kind->singleFrame ? 1 : tileHeading(slot.mesh.variant)) == heading;
}

// Whether the window ahead is one straight line: the rider's tile, the next and the one
// after it all straight in the same heading.
bool straightAhead() {
    const WindowSlot& current = SegmentWindow.current;
    if (!current.filled || !tileHasLayout(current.mesh)) return false;
    const int heading = current.mesh.kind == 'z' ? 1 : tileHeading(current.mesh.variant);
    return straightIn(current, heading) && straightIn(SegmentWindow.next, heading) &&
           straightIn(SegmentWindow.third, heading);
}

}  // namespace

// Around the course: aim 3 units into the next tile, at the middle of its entry edge;
// fast while the window ahead is straight, at turning speed otherwise.
RideControls autopilotRide() {
    const float speed = GameState.speed;
    RideControls c{false, false, false, false, false};
    if (straightAhead()) {
        c.up = speed < StraightSpeed;
    } else {
        c.up = speed < TurnSpeedLow;
        c.ctrl = speed > HardBrakeAbove;
        c.alt = speed > TurnSpeedHigh && !c.ctrl;
    }
    if (!SegmentWindow.next.filled) return c;
    const SegmentMesh& next = SegmentWindow.next.mesh;
    const Point3& start = tileStartCorner(next);
    const int frame = next.kind == 'z' ? 1 : next.variant;  // the gate is laid out along +z
    float sideX, sideZ, aheadX, aheadZ;
    placeInTile(tileHeading(frame), 0.0f, 0.0f, 1.0f, 0.0f, &sideX, &sideZ);
    placeInTile(tileHeading(frame), 0.0f, 0.0f, 0.0f, 1.0f, &aheadX, &aheadZ);
    const float aimX = start.x + 5 * sideX + 3 * aheadX;
    const float aimZ = start.z + 5 * sideZ + 3 * aheadZ;
    const double dx = aimX - RiderPosition.x, dz = aimZ - RiderPosition.z;
    const double fx = CameraMatrix(0, 2), fz = CameraMatrix(2, 2);
    const double norm = std::sqrt((dx * dx + dz * dz) * (fx * fx + fz * fz));
    const double sine = (fx * dz - fz * dx) / norm;  // > 0: the aim lies to the left
    const double cosine = (fx * dx + fz * dz) / norm;
    const double tolerance = std::sin(1.5 * 3.14159265358979 / 180);
    c.left = sine > tolerance || (cosine < 0 && sine >= 0);
    c.right = sine < -tolerance || (cosine < 0 && sine < 0);
    return c;
}
