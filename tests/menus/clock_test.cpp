// The clock beside the game: splits at the gate lines of a short course, the finish, a
// fresh run from the state the last one began with, and a whole run through the replay
// tool kept with --records, drawn with --hud and listed by --best-times.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/best_times_option.h"
#include "base/game_state.h"
#include "game/screens.h"
#include "menus/fresh_run.h"
#include "menus/run_watch.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "race/ride_clock.h"
#include "render/camera.h"
#include "records/run_time.h"
#include "render/segment_window.h"
#include "support/test_support.h"
#include "track/course_index.h"
#include "track/course_choice.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

namespace {

// Eleven straight tiles; gates on tiles 1, 3 and 5, a tree alone on tile 4. The finish
// comes when the rider enters tile 6 (two tiles left in the lists).
const char ShortCourse[] =
    "g1 0 0\n"
    "g1 0 1 0t\n"
    "g1 0 0\n"
    "g1 0 2 1t 3b\n"
    "g1 0 1 2b\n"
    "g1 0 1 4t\n"
    "g1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\n";

class ClockTest : public testing::Test {
protected:
    void SetUp() override {
        resetGameState();
        resetRider();
        clearTrackLists();
        resetSegmentWindow();
        resetRiderPose();
        resetRideClock();
        resetRunWatch();
        course_ = makeTempDir("clock") + "/short.tbk";
        writeTextFile(course_, ShortCourse);
        ASSERT_TRUE(chooseCourseFile(course_.c_str()));
        loadTrack();
    }
    void TearDown() override {
        clearTrackLists();
        resetSegmentWindow();
        chooseCourseFile(nullptr);
        resetRunWatch();
        resetRider();
        resetGameState();
    }

    // Rides on one tile per iteration, ten clock steps each, until the finish: the
    // segment window and the finish test as the race view runs them, then the watcher.
    void rideToTheFinish() {
        watchRun();  // waiting at the start
        GameState.racing = 1;
        RideClock.started = 1;
        for (int step = 0; step < 50 && GameState.racing; ++step) {
            RideClock.iterations += 10;
            if (step > 0 && SegmentWindow.next.filled) {
                const SegmentMesh& next = SegmentWindow.next.mesh;
                RiderPosition.x = (next.points[0].x + next.endX) / 2;
                RiderPosition.z = (next.points[0].z + next.endZ) / 2;
            }
            advanceRaceFrame();
            watchRun();
        }
    }

    std::string course_;
};

}  // namespace

TEST_F(ClockTest, SplitsAtTheGateLinesAndTheFinish) {
    std::vector<int> gates;
    TrackObjects.forEach([&](const SegmentObjects& tile) { gates.push_back(tileHasGate(tile)); });
    EXPECT_EQ(gates, (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0}));

    rideToTheFinish();
    EXPECT_EQ(GameState.screen, ScreenFinish);
    ASSERT_TRUE(RunWatch.finished);
    EXPECT_EQ(RunWatch.finish.steps, 70);
    ASSERT_EQ(RunWatch.finish.splitCount, 3);
    EXPECT_EQ(RunWatch.finish.splits[0], 20);
    EXPECT_EQ(RunWatch.finish.splits[1], 40);
    EXPECT_EQ(RunWatch.finish.splits[2], 60);
    EXPECT_STREQ(RunWatch.finish.courseName, "short.tbk");
    int ok = 0;
    EXPECT_EQ(RunWatch.finish.courseHash, courseContentHash(course_.c_str(), &ok));
    EXPECT_TRUE(RunWatch.newPersonalBest);  // the rider's first
    EXPECT_FALSE(RunWatch.finishKept);      // not asked to keep it
    // Riding on at the finish (S starts the race where it stands) keeps nothing twice.
    startRace();
    rideToTheFinish();
    EXPECT_EQ(RunWatch.finish.steps, 70);
}

TEST_F(ClockTest, RideAgainStartsFromTheStateTheLastRunBeganWith) {
    EXPECT_FALSE(startFreshRun());  // no run has begun
    Rider.reset(7000);
    Rider.appendToName("ANNA");
    Rider.setFork(3);
    Rider.addCondition(20);
    for (int i = 0; i < 12; ++i) DamageTable[i] = i * 7;
    GameState.damageCursor = 4;
    const RiderProfile before = Rider;
    int32_t table[12];
    std::memcpy(table, DamageTable, sizeof table);
    rideToTheFinish();
    const RunRecord first = RunWatch.finish;

    // What a run changes: damage, the table's cursor, speed, pitch, the eye, the lists.
    Rider.takeHealthDamage(25);
    Rider.takeBikeDamage(10);
    Rider.spend(100);
    GameState.damageCursor = 8;
    DamageTable[3] = 1;
    GameState.speed = 0.4f;
    GameState.pitchState = 2;
    ASSERT_TRUE(startFreshRun());

    EXPECT_EQ(GameState.racing, 1);
    EXPECT_EQ(GameState.speed, 0.0f);
    EXPECT_EQ(GameState.pitchState, 0);
    EXPECT_EQ(RideClock.iterations, 0);
    EXPECT_EQ(RideClock.started, 0);
    EXPECT_EQ(windowFillPending, 1);
    EXPECT_EQ(TrackMeshes.count(), 11);
    EXPECT_EQ(RiderPosition.z, 7.6f);
    EXPECT_EQ(CameraMatrix(3, 2), -7.6f);
    EXPECT_EQ(Rider.health(), before.health());
    EXPECT_EQ(Rider.condition(), before.condition());
    EXPECT_EQ(Rider.balance(), before.balance());
    EXPECT_EQ(Rider.fork(), 3);
    EXPECT_STREQ(Rider.name(), "ANNA");
    EXPECT_EQ(GameState.damageCursor, 4);
    EXPECT_EQ(std::memcmp(DamageTable, table, sizeof table), 0);

    // The same ride gives the same run.
    GameState.racing = 0;  // rideToTheFinish starts the race itself
    resetRiderPose();
    rideToTheFinish();
    ASSERT_TRUE(RunWatch.finished);
    EXPECT_EQ(RunWatch.finish.steps, first.steps);
    EXPECT_EQ(RunWatch.finish.splitCount, first.splitCount);
}

TEST(ClockReplay, AFinishedRunIsKeptDrawnAndListed) {
    const std::string home = makeTempDir("clock-home");
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    std::ifstream demo(TG_SOURCE_DIR "/bench/demo_ride.txt");
    std::stringstream text;
    text << demo.rdbuf();
    // The demo ride ends with the finish picture in iteration 4277.
    std::string script = text.str();
    script = script.substr(0, script.rfind("4278 stop")) + "4278 snap finish\n4278 stop\n";
    script.insert(script.find("\n603 ") + 1, "603 snap ride\n");

    const ReplayRun plain = runReplay(script);
    const ReplayRun clocked = runReplay(script, "", "--records --hud");
    ASSERT_EQ(plain.status, 0) << plain.errors;
    ASSERT_EQ(clocked.status, 0) << clocked.errors;
    EXPECT_EQ(clocked.states, plain.states);  // the state log knows nothing of the clock
    for (const char* snap : {"ride", "finish"}) {
        const std::vector<unsigned char> a = readBinaryFile(plain.outDir + "/" + snap + ".bmp");
        const std::vector<unsigned char> b = readBinaryFile(clocked.outDir + "/" + snap + ".bmp");
        ASSERT_EQ(a.size(), b.size());
        EXPECT_NE(a, b) << snap << ": nothing drawn over the page";
    }

    const std::vector<std::string> lines = readLines(home + "/tumblegrade/records.txt");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "tumblegrade-records 1");
    // Kept under the course index's name (and its par) for the shipped course.
    EXPECT_EQ(lines[1].rfind("run\tae1a4ef22e757738\tclassic\tG\t4271\t", 0), 0u) << lines[1];
    static CourseIndex index;
    char error[160];
    ASSERT_TRUE(readCourseIndex(TG_DATA_DIR "/courses.idx", &index, error, sizeof error)) << error;
    const int par = index.entries[0].par;  // the autopilot's, written by the build
    char parField[40];
    std::snprintf(parField, sizeof parField, "\t%d\t268,342,", par);
    EXPECT_NE(lines[1].find(parField), std::string::npos) << lines[1];
    char parText[24];
    formatRunTime(par, parText, sizeof parText);

    char* printed = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&printed, &size);
    char program[] = "tumblegrade", option[] = "--best-times";
    char* argv[] = {program, option, nullptr};
    EXPECT_EQ(answerBestTimesOption(2, argv, out), 0);
    std::fclose(out);
    char heading[160];
    std::snprintf(heading, sizeof heading, "classic  (par %s, course ae1a4ef22e757738)\n  1  G%29s  ", parText,
                  "1:11.18");
    EXPECT_EQ(std::string(printed).rfind(heading, 0), 0u) << printed;
    std::free(printed);
    unsetenv("XDG_DATA_HOME");
}
