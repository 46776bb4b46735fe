#include "demo/game_checkpoint.h"

#include <cstring>
#include <initializer_list>

#include "base/random.h"
#include "files/content_hash.h"
#include "framework/framework.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "render/camera.h"
#include "render/rasteriser.h"
#include "render/textures.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

namespace {

// The lists hold what is left of the course: read it again and drop what was taken.
void restoreLists(const char* course, int meshesLeft, int objectsLeft) {
    if (std::strcmp(chosenCourseFile(), course) == 0 && TrackMeshes.count() == meshesLeft &&
        TrackObjects.count() == objectsLeft)
        return;
    chooseCourseFile(course);
    clearTrackLists();
    const int32_t segmentCount = GameState.segmentCount;
    loadTrack();
    GameState.segmentCount = segmentCount;
    while (TrackMeshes.count() > meshesLeft) TrackMeshes.popFront();
    while (TrackObjects.count() > objectsLeft) TrackObjects.popFront();
}

}  // namespace

void saveCheckpoint(GameCheckpoint* c) {
    c->game = GameState;
    c->rider = Rider;
    c->camera = CameraMatrix;
    c->inverse = CameraInverse;
    c->steer = SteerStep;
    c->pitch = PitchStep;
    c->position = RiderPosition;
    c->window = SegmentWindow;
    c->fillPending = windowFillPending;
    c->meshesLeft = TrackMeshes.count();
    c->objectsLeft = TrackObjects.count();
    copyKeyStates(c->keys);
    std::memcpy(c->damageTable, DamageTable, sizeof DamageTable);
    c->damageSeed = DamageTableSeed;
    c->random = randomState();
    c->clock = RideClock;
    c->texturing = texturingEnabled;
    std::memcpy(c->course, chosenCourseFile(), CoursePathCapacity);
}

void restoreCheckpoint(const GameCheckpoint& c) {
    Bitmap* textures[10];
    std::memcpy(textures, GameState.textures, sizeof textures);  // loaded pictures stay
    restoreLists(c.course, c.meshesLeft, c.objectsLeft);
    GameState = c.game;
    std::memcpy(GameState.textures, textures, sizeof textures);
    Rider = c.rider;
    CameraMatrix = c.camera;
    CameraInverse = c.inverse;
    SteerStep = c.steer;
    PitchStep = c.pitch;
    RiderPosition = c.position;
    SegmentWindow = c.window;
    windowFillPending = c.fillPending;
    restoreKeyStates(c.keys);
    std::memcpy(DamageTable, c.damageTable, sizeof DamageTable);
    DamageTableSeed = c.damageSeed;
    setRandomState(c.random);
    RideClock = c.clock;
    texturingEnabled = c.texturing;
    if (GameState.racing) applyRacePalette();
}

void resetGameToStart(uint32_t seed) {
    Bitmap* textures[10];
    std::memcpy(textures, GameState.textures, sizeof textures);
    resetGameState();
    std::memcpy(GameState.textures, textures, sizeof textures);
    resetRider();
    clearTrackLists();
    resetSegmentWindow();
    resetRiderPose();
    GameState.speed = 0.0f;
    loadTrack();
    fillDamageTable(seed);
    resetRideClock();
    texturingEnabled = 1;
    const uint16_t none[256] = {};
    restoreKeyStates(none);
    applyStartPalette();
}

uint64_t gameStateFingerprint() {
    static GameCheckpoint c;
    saveCheckpoint(&c);
    uint64_t h = ContentHashStart;
    // The game's record from the screen on: whole numbers and floats, no padding between.
    h = hashBytes(h, &c.game.screen, size_t(reinterpret_cast<const char*>(&c.game.damageCursor + 1) -
                                            reinterpret_cast<const char*>(&c.game.screen)));
    const int32_t rider[11] = {c.rider.health(), c.rider.condition(), c.rider.balance(), c.rider.fork(),
                               c.rider.frame(), c.rider.brakes(), c.rider.componentLevel(),
                               c.rider.hasProtector(0), c.rider.hasProtector(1), c.rider.hasProtector(2),
                               c.rider.hasProtector(3)};
    h = hashBytes(h, rider, sizeof rider);
    h = hashBytes(h, c.rider.name(), std::strlen(c.rider.name()));
    for (const Matrix4* m : {&c.camera, &c.inverse, &c.steer, &c.pitch}) h = hashBytes(h, m->m, sizeof m->m);
    for (int i = 0; i < 4; ++i) {
        const float v = c.position[i];
        h = hashBytes(h, &v, sizeof v);
    }
    for (const WindowSlot* s : {&c.window.current, &c.window.next, &c.window.third}) {
        h = hashBytes(h, &s->filled, sizeof s->filled);
        for (int i = 0; i < 4; ++i) {
            const float v = s->mesh.points[0][i];
            h = hashBytes(h, &v, sizeof v);
        }
    }
    const int32_t counts[3] = {c.fillPending, c.meshesLeft, c.objectsLeft};
    h = hashBytes(h, counts, sizeof counts);
    h = hashBytes(h, c.keys, sizeof c.keys);
    h = hashBytes(h, c.damageTable, sizeof c.damageTable);
    h = hashBytes(h, &c.random, sizeof c.random);
    h = hashBytes(h, &c.clock, sizeof c.clock);
    return hashBytes(h, &c.texturing, sizeof c.texturing);
}
