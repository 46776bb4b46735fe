#include "race/course_start.h"

#include "base/game_state.h"
#include "race/ride.h"
#include "race/ride_clock.h"
#include "render/segment_window.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

void returnToCourseStart() {
    clearTrackLists();
    resetSegmentWindow();
    resetRiderPose();
    GameState.speed = 0.0f;
    GameState.acceleration = 0.0f;
    GameState.pitchState = 0;
    GameState.offTrack = 0;
    GameState.crashFlag = 0;
    GameState.injuryFlag = 0;
    GameState.defectFlag = 0;
    resetRideClock();
    loadTrack();
}
