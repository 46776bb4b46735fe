// Whole rides on the shipped course through the replay tool. The key presses of each
// ride are worked out first by riding the same course here, in this process, with the
// game's own ride step and segment window; the replay must then reproduce that ride
// value for value and reach the screens a player would see.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "race/off_track.h"
#include "track/tile_frame.h"
#include "ride_fixture.h"
#include "pilot/autopilot.h"
#include "support/test_support.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

using namespace ride_test;

namespace {

// Intro -> main menu -> name entry ("G") -> main menu -> shop -> frame -> fork -> S:
// the run starts in iteration RunStart (its first ride step runs in that iteration).
const char* const StartRunScript =
    "0 time 1000\n"
    "0 tap 28\n"   // intro: Enter
    "1 tap 31\n"   // main menu: S opens the name entry
    "2 tap 34\n"   // G
    "3 tap 28\n"   // back to the main menu
    "4 tap 31\n"   // S: the shop with 7000 dollars
    "5 tap 28\n"   // buy the first frame
    "6 tap 28\n"   // buy the first fork
    "7 tap 31\n";  // S on the brakes page: the bike has a fork, the run starts
const int RunStart = 7;

struct RiderSample {
    float x, y, z, speed;
};

// The ride worked out in this process: the script lines of its key changes (iterations
// counted from RunStart) and the rider after every iteration.
struct PlannedRide {
    std::string script;
    std::vector<RiderSample> samples;
    int endIteration = -1;  // iteration (from RunStart) in which racing ended
    bool offTrackEvent = false;
    Point3 tileStart;       // start corner of the tile of an off-track event
    int tileVariant = 0;
};

class KeyPlan {
public:
    explicit KeyPlan(PlannedRide* ride) : ride_(ride) {}
    void hold(int scan, bool down, int iteration) {
        if (bool(isKeyDown(scan)) == down) return;
        if (down)
            pressKey(scan);
        else
            releaseKey(scan);
        char line[64];
        std::snprintf(line, sizeof line, "%d %s %d\n", RunStart + iteration,
                      down ? "press" : "release", scan);
        ride_->script += line;
    }

private:
    PlannedRide* ride_;
};

using Controls = RideControls;
using Pilot = Controls (*)(int iteration);

// The autopilot around the whole course.
Controls followTheCourse(int) { return autopilotRide(); }

// Rides the shipped course from the start pose with the given pilot until the run ends
// or maxIterations have passed.
PlannedRide planRide(Pilot pilot, int maxIterations, const char* course = nullptr) {
    PlannedRide ride;
    releaseRideKeys();
    resetGameState();
    resetRiderPose();
    resetRider();
    resetSegmentWindow();
    clearTrackLists();
    loadTrackFile(course ? course : (std::string(TG_DATA_DIR) + "/track.tbk").c_str());
    GameState.racing = 1;
    KeyPlan keys(&ride);
    for (int i = 0; i < maxIterations && GameState.racing; ++i) {
        const Controls c = pilot(i);
        keys.hold(Up, c.up, i);
        keys.hold(Ctrl, c.ctrl, i);
        keys.hold(Left, c.left, i);
        keys.hold(Right, c.right, i);
        keys.hold(Alt, c.alt, i);
        const SegmentMesh& tile = SegmentWindow.current.mesh;
        const Point3 start = tileStartCorner(tile);
        const int variant = tile.variant;
        gameLogic();
        if (GameState.offTrack) {
            ride.offTrackEvent = true;
            ride.tileStart = start;
            ride.tileVariant = variant;
            GameState.racing = 0;  // the next frame's outcome check ends the run
        } else {
            advanceRaceFrame();
        }
        ride.samples.push_back({RiderPosition.x, RiderPosition.y, RiderPosition.z, GameState.speed});
        if (!GameState.racing) ride.endIteration = i;
    }
    for (int scan : {Up, Ctrl, Left, Right, Alt}) keys.hold(scan, false, int(ride.samples.size()));
    return ride;
}

// The rider's position from one state-log line.
bool riderOf(const std::string& line, float* x, float* y, float* z) {
    const size_t at = line.find("\"rider\":[");
    return at != std::string::npos && std::sscanf(line.c_str() + at + 9, "%f,%f,%f", x, y, z) == 3;
}

void expectReplayFollowsPlan(const ReplayRun& run, const PlannedRide& plan) {
    ASSERT_GE(run.states.size(), size_t(RunStart) + plan.samples.size());
    int mismatches = 0;
    for (size_t i = 0; i < plan.samples.size() && mismatches < 5; ++i) {
        const std::string& line = run.states[RunStart + i];
        float x, y, z;
        ASSERT_TRUE(riderOf(line, &x, &y, &z)) << line;
        const RiderSample& s = plan.samples[i];
        const float speed = float(jsonNumber(line, "speed"));
        if (x != s.x || y != s.y || z != s.z || speed != s.speed) {
            ++mismatches;
            ADD_FAILURE() << "iteration " << RunStart + i << ": replay (" << x << ", " << y << ", "
                          << z << ") at " << speed << ", planned (" << s.x << ", " << s.y << ", "
                          << s.z << ") at " << s.speed;
        }
    }
}

// Pilots. The straight start: push to 0.15 and hold it.
Controls straightAhead(int) {
    return {GameState.speed < 0.15f, GameState.speed > 0.17f, false, false, false};
}

// Into the fence: ride on to the first tile with walls, then steer right until the
// rider leaves it.
Controls intoTheFence(int) {
    const WindowSlot& slot = SegmentWindow.current;
    const bool walled = slot.filled &&
        testTrackPosition(slot.mesh, RiderPosition.x, RiderPosition.z) != NotTested;
    if (!walled || GameState.speed < 0.12f) return {true, false, false, false, false};
    return {false, false, false, false, true};
}

bool courseAvailable() {
    std::FILE* f = std::fopen((std::string(TG_DATA_DIR) + "/track.tbk").c_str(), "r");
    if (!f) return false;
    const bool hasLines = std::fgetc(f) != EOF;
    std::fclose(f);
    return hasLines;
}

class ReplayRide : public RideTest {
protected:
    void SetUp() override {
        RideTest::SetUp();
        if (!courseAvailable()) GTEST_SKIP() << "no course in " << TG_DATA_DIR;
    }
    void TearDown() override {
        RideTest::TearDown();
        clearTrackLists();
        resetSegmentWindow();
    }
};

TEST_F(ReplayRide, StraightStartOfTheCourse) {
    // The course runs straight along +z from its start for a few tiles.
    clearTrackLists();
    loadTrackFile((std::string(TG_DATA_DIR) + "/track.tbk").c_str());
    int straightTiles = 0;
    bool straightSoFar = true;
    float straightEnd = 0;
    TrackMeshes.forEach([&](const SegmentMesh& tile) {
        const char k = tile.kind;
        const bool alongZ = k == 'z' || travelHeading(tile) == 1;
        const bool straight = k == 'g' || k == 'a' || k == 'e' || k == 'j' || k == 'z' ||
                              (k == 's' && tile.variant == 1);
        straightSoFar = straightSoFar && straight && alongZ;
        if (!straightSoFar) return;
        ++straightTiles;
        straightEnd = tile.endZ;
    });
    ASSERT_GE(straightTiles, 3) << "the course should start with a straight";

    // Find how long the ride stays 4 units short of the straight's end, then plan it.
    const PlannedRide probe = planRide(straightAhead, 4000);
    size_t kept = 0;
    while (kept < probe.samples.size() && probe.samples[kept].z < straightEnd - 4) ++kept;
    ASSERT_GT(kept, 40u);
    const PlannedRide plan = planRide(straightAhead, int(kept));
    ASSERT_FALSE(plan.offTrackEvent);
    const std::string script = std::string(StartRunScript) + plan.script +
                               std::to_string(RunStart + kept - 1) + " stop\n";
    const ReplayRun run = runReplay(script);
    ASSERT_EQ(run.status, 0) << run.errors;
    expectReplayFollowsPlan(run, plan);
    const std::string& first = run.states[RunStart];
    const std::string& last = run.states.back();
    EXPECT_EQ(jsonInt(first, "racing"), 1);
    EXPECT_EQ(jsonInt(last, "racing"), 1);
    EXPECT_EQ(jsonInt(last, "offTrack"), 0);
    EXPECT_EQ(jsonInt(last, "profile.health"), 100);
    EXPECT_LT(jsonInt(last, "trackMeshes"), jsonInt(first, "trackMeshes"));  // the window moved on
    float x, y, z;
    ASSERT_TRUE(riderOf(last, &x, &y, &z));
    EXPECT_NEAR(x, 15.0f, 1e-3);  // straight ahead: no sideways drift beyond rounding
    EXPECT_GT(z, 30.0f);
    EXPECT_NEAR(jsonNumber(run.states[RunStart + 5], "speed"), 0.06, 0.01);
}

TEST_F(ReplayRide, IntoTheFenceIsACrashAndEnterRidesOn) {
    const PlannedRide plan = planRide(intoTheFence, 2000);
    ASSERT_TRUE(plan.offTrackEvent) << "the rider never left the track";
    const int event = RunStart + plan.endIteration;
    std::string script = std::string(StartRunScript) + plan.script;
    script += std::to_string(event + 3) + " tap 28\n";  // Enter on the crash screen
    script += std::to_string(event + 4) + " stop\n";
    const ReplayRun run = runReplay(script);
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.states.size(), size_t(event + 5));
    expectReplayFollowsPlan(run, plan);

    const std::string& atEvent = run.states[event];
    EXPECT_EQ(jsonInt(atEvent, "racing"), 0);
    EXPECT_EQ(jsonInt(atEvent, "screen"), 25);
    EXPECT_EQ(jsonInt(atEvent, "crashFlag"), 0);  // turned into the screen in the same frame
    EXPECT_EQ(jsonInt(atEvent, "offTrack"), 1);
    EXPECT_EQ(jsonNumber(atEvent, "speed"), 0.0);
    EXPECT_EQ(jsonInt(atEvent, "damageCursor"), 2);
    EXPECT_EQ(jsonInt(run.states[event + 2], "screen"), 25);

    // Enter resumes the run from rest in the middle of the tile.
    const std::string& resumed = run.states[event + 3];
    EXPECT_EQ(jsonInt(resumed, "racing"), 1);
    EXPECT_EQ(jsonInt(resumed, "offTrack"), 0);
    float x, y, z;
    ASSERT_TRUE(riderOf(resumed, &x, &y, &z));
    float midX, midZ;
    tileOffset(plan.tileVariant, 5.0f, 5.0f, &midX, &midZ);
    EXPECT_NEAR(x, plan.tileStart.x + midX, 0.05);
    EXPECT_NEAR(z, plan.tileStart.z + midZ, 0.05);
    EXPECT_LT(jsonNumber(resumed, "speed"), 0.003);
    EXPECT_EQ(jsonInt(run.states[event + 4], "racing"), 1);
}

TEST_F(ReplayRide, FullRunToTheFinishAndThroughTheCredits) {
    const PlannedRide plan = planRide(followTheCourse, 40000);
    ASSERT_FALSE(plan.offTrackEvent) << "the pilot left the track at iteration "
                                     << plan.samples.size() << " near (" << plan.samples.back().x
                                     << ", " << plan.samples.back().z << ")";
    ASSERT_GE(plan.endIteration, 0) << "the pilot did not reach the finish";
    const int finish = RunStart + plan.endIteration;
    std::string script = std::string(StartRunScript) + plan.script;
    script += std::to_string(finish + 1) + " snap finish\n";
    script += std::to_string(finish + 2) + " tap 28\n";  // finish picture: Enter
    script += std::to_string(finish + 4) + " tap 28\n";  // credits: Enter ends the game
    script += std::to_string(finish + 20) + " stop\n";
    const ReplayRun run = runReplay(script);
    ASSERT_EQ(run.status, 0) << run.errors;
    expectReplayFollowsPlan(run, plan);
    ASSERT_EQ(run.states.size(), size_t(finish + 5));  // the game ended after the credits
    const std::string& atFinish = run.states[finish];
    EXPECT_EQ(jsonInt(atFinish, "screen"), 27);
    EXPECT_EQ(jsonInt(atFinish, "racing"), 0);
    EXPECT_EQ(jsonInt(atFinish, "trackMeshes"), 2);
    EXPECT_EQ(jsonInt(atFinish, "profile.health"), 100);
    EXPECT_EQ(jsonInt(run.states[finish - 1], "racing"), 1);
    EXPECT_EQ(jsonInt(run.states[finish + 2], "screen"), 26);
    EXPECT_EQ(jsonInt(run.states[finish + 4], "screen"), 26);

    // The finish picture is chosen by the damage factor at the cursor.
    const std::string& shown = run.states[finish + 1];
    const size_t table = shown.find("\"damageTable\":[") + 15;
    int factors[12];
    ASSERT_EQ(std::sscanf(shown.c_str() + table, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", &factors[0],
                          &factors[1], &factors[2], &factors[3], &factors[4], &factors[5], &factors[6],
                          &factors[7], &factors[8], &factors[9], &factors[10], &factors[11]),
              12);
    const char* const finishPictures[4] = {"ziel1", "ziel2", "ziel3", "ziel56"};
    const std::string picture = std::string(TG_DATA_DIR) + "/Ziel/" +
                                finishPictures[factors[jsonInt(shown, "damageCursor")] % 4] + ".bmp";
    EXPECT_EQ(pixelsDifferingFrom(run.outDir + "/finish.bmp", picture), 0) << picture;
}

}  // namespace
