// The whole game through the replay tool: snapshots, the state log, exit statuses,
// the clock, closing and the window/full-screen switch.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_main.h"
#include "base/random.h"
#include "display/display.h"
#include "support/test_support.h"

namespace {

const std::vector<std::string> StateKeys = {
    "it", "screen", "racing", "speed", "pitchState", "offTrack", "injuryFlag", "defectFlag",
    "crashFlag", "damageCursor", "notEnoughMoney", "segmentCount", "texturingEnabled",
    "damageTable", "rider", "camera", "trackMeshes", "trackObjects", "current", "kind",
    "variant", "slope", "profile", "name", "health", "condition", "balance", "fork", "frame",
    "brakes", "componentLevel", "protectors"};

std::vector<std::string> keysOf(const std::string& line) {
    std::vector<std::string> keys;
    for (size_t at = 0; (at = line.find("\":", at)) != std::string::npos; ++at) {
        const size_t start = line.rfind('"', at - 1);
        keys.push_back(line.substr(start + 1, at - start - 1));
    }
    return keys;
}

}  // namespace

TEST(ReplayGame, SnapshotIsTheDrawingPageWithItsPalette) {
    const ReplayRun run = runReplay("0 time 1000\n2 snap intro\n3 stop\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.states.size(), 4u);
    const std::vector<unsigned char> snap = readBinaryFile(run.outDir + "/intro.bmp");
    ASSERT_EQ(snap.size(), 14u + 40 + 1024 + 640 * 480);
    Bitmap* page = decodeBitmap(snap.data(), long(snap.size()), 1);
    Bitmap* intro = loadBitmap((std::string(TG_DATA_DIR) + "/Images/Intro1_256.bmp").c_str(), 1);
    ASSERT_NE(page, nullptr);
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(page->width, 640);
    EXPECT_EQ(page->height, 480);
    int differing = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            differing += page->pixels[y * 640 + x] != intro->pixels[y * intro->bytesPerLine + x];
    EXPECT_EQ(differing, 0);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(page->palette[i].red, intro->palette[i].red);
        EXPECT_EQ(page->palette[i].blue, intro->palette[i].blue);
    }
    unloadBitmap(page);
    unloadBitmap(intro);
}

TEST(ReplayGame, StateLogHasEveryKeyInOrderAndTheClockSeedsTheDamageTable) {
    const ReplayRun run = runReplay("0 time 1234567\n1 stop\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.states.size(), 2u);
    EXPECT_EQ(keysOf(run.states[0]), StateKeys);
    EXPECT_EQ(jsonInt(run.states[1], "it"), 1);
    EXPECT_EQ(jsonInt(run.states[0], "screen"), 0);
    EXPECT_EQ(jsonInt(run.states[0], "profile.health"), 100);
    EXPECT_EQ(jsonString(run.states[0], "current.kind"), "");
    seedRandom(1234567);
    std::string table = "\"damageTable\":[";
    for (int i = 0; i < 12; ++i) {
        if (i) table += ',';
        table += std::to_string(nextRandom() % 100);
    }
    EXPECT_NE(run.states[0].find(table + "]"), std::string::npos) << run.states[0];
    EXPECT_NE(run.states[0].find("\"rider\":[15,-1,7.5999999]"), std::string::npos) << run.states[0];
}

TEST(ReplayGame, ScriptRunningOutEndsWithStatusZeroAfterItsLastIteration) {
    const ReplayRun run = runReplay("4 tap 200\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.states.size(), 5u);
}

TEST(ReplayGame, BadScriptIsRefusedBeforeTheGameStarts) {
    const ReplayRun run = runReplay("0 tap 28\n1 fly\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("line 2"), std::string::npos) << run.errors;
    EXPECT_TRUE(run.states.empty());
}

TEST(ReplayGame, CloseAnsweredNoGoesOnAndYesEndsTheProgram) {
    const ReplayRun run = runReplay("1 close no\n3 close yes\n9 stop\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.states.size(), 4u);  // iteration 3 is the last one
}

TEST(ReplayGame, MissingDataEndsThroughTheFatalErrorNamingTheFile) {
    const std::string empty = makeTempDir("nodata");
    const ReplayRun run = runReplay("3 stop\n", empty);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("Bitmap file was not found: Images/Initpal.bmp"), std::string::npos)
        << run.errors;
}

TEST(ReplayGame, ModeSwitchKeepsTheScreenAndDrawsNewDamageFactors) {
    const ReplayRun run = runReplay("0 time 100\n1 tap 28\n2 time 200\n3 mode\n4 mode\n5 stop\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.states.size(), 6u);
    EXPECT_EQ(jsonInt(run.states[5], "screen"), 1);
    EXPECT_EQ(jsonInt(run.states[5], "trackMeshes"), jsonInt(run.states[0], "trackMeshes"));
    seedRandom(200);
    const int first = nextRandom() % 100;
    EXPECT_NE(run.states[3].find("\"damageTable\":[" + std::to_string(first) + ","), std::string::npos);
}

TEST(ReplayGame, ModeSwitchDuringARunChangesNothingInTheRide) {
    const ReplayRun run = runReplay(
        "0 time 1000\n1 tap 28\n2 tap 31\n3 tap 34\n4 tap 28\n5 tap 31\n6 tap 28\n7 tap 28\n"
        "8 tap 31\n9 press 72\n20 mode\n21 snap after\n22 mode\n23 stop\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.states.size(), 24u);
    const std::string& before = run.states[19];
    for (int it : {20, 21, 23}) {
        const std::string& after = run.states[it];
        EXPECT_EQ(jsonInt(after, "racing"), 1) << it;
        EXPECT_EQ(jsonInt(after, "screen"), jsonInt(before, "screen")) << it;
        EXPECT_EQ(jsonInt(after, "trackMeshes"), jsonInt(before, "trackMeshes")) << it;
        EXPECT_EQ(jsonInt(after, "profile.health"), 100) << it;
        EXPECT_EQ(jsonInt(after, "offTrack"), 0) << it;
    }
    // The ride goes on from where it was instead of starting the course again.
    const size_t at = before.find("\"rider\":[");
    float x0, y0, z0, x1, y1, z1;
    ASSERT_EQ(std::sscanf(before.c_str() + at + 9, "%f,%f,%f", &x0, &y0, &z0), 3);
    ASSERT_EQ(std::sscanf(run.states[20].c_str() + at + 9, "%f,%f,%f", &x1, &y1, &z1), 3);
    EXPECT_GT(z1, z0);
    EXPECT_GT(z0, 7.6f);
    EXPECT_GT(jsonNumber(run.states[20], "speed"), jsonNumber(before, "speed"));
    // The race is still shown in the race palette.
    Bitmap* snap = loadBitmap((run.outDir + "/after.bmp").c_str(), 1);
    Bitmap* race = loadBitmap((std::string(TG_DATA_DIR) + "/Textures/paltexture.bmp").c_str(), 1);
    ASSERT_NE(snap, nullptr);
    ASSERT_NE(race, nullptr);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(snap->palette[i].red, race->palette[i].red) << i;
        EXPECT_EQ(snap->palette[i].green, race->palette[i].green) << i;
    }
    unloadBitmap(snap);
    unloadBitmap(race);
}

namespace {

// What the replay tool printed and its exit status.
struct ToolRun {
    int status;
    std::string output;
};

// Runs the replay tool in dir with the arguments.
ToolRun runTool(const std::string& dir, const std::string& arguments) {
    const std::string command = std::string("cd '") + dir + "' && '" + TG_REPLAY_EXE + "' " +
                                arguments + " >out.txt 2>&1";
    const int raw = std::system(command.c_str());
    const std::vector<std::string> lines = readLines(dir + "/out.txt");
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, {}};
    for (const std::string& line : lines) run.output += line + "\n";
    return run;
}

}  // namespace

TEST(ReplayGame, TimedemoCountsEveryFrameButTheFirstAndWritesNothing) {
    const std::string dir = makeTempDir("timedemo-script");
    writeTextFile(dir + "/walk.txt", "0 time 1000\n2 tap 28\n3 snap menu\n12 stop\n");
    // The timedemo runs in dir: a snapshot would land there.
    const std::string data = std::string(" --data '") + TG_DATA_DIR + "'";
    const ToolRun run = runTool(dir, "--timedemo '" + dir + "/walk.txt'" + data);
    EXPECT_EQ(run.status, 0) << run.output;
    int frames = -1;
    double seconds = -1, fps = -1;
    ASSERT_EQ(std::sscanf(run.output.c_str(), "%d frames, %lf seconds, %lf fps", &frames, &seconds, &fps), 3)
        << run.output;
    EXPECT_EQ(frames, 12);  // iterations 1 to 12
    EXPECT_GT(seconds, 0.0);
    EXPECT_GT(fps, 0.0);
    EXPECT_TRUE(readBinaryFile(dir + "/menu.bmp").empty());  // snapshots are skipped
    // A timedemo has nothing to write: asking for a state log or snapshots is refused.
    EXPECT_EQ(runTool(dir, "--timedemo '" + dir + "/walk.txt' --state s.jsonl" + data).status, 2);
    EXPECT_EQ(runTool(dir, "--timedemo '" + dir + "/walk.txt' --out o" + data).status, 2);
}

TEST(ReplayGame, DemoRideReachesTheFinishWithoutLeavingTheTrack) {
    const std::vector<std::string> lines = readLines(std::string(TG_SOURCE_DIR) + "/bench/demo_ride.txt");
    std::string script;
    for (const std::string& line : lines) script += line + "\n";
    const ReplayRun run = runReplay(script);
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_GE(run.states.size(), 10u);
    const std::string& last = run.states.back();
    EXPECT_EQ(jsonInt(last, "screen"), 27);  // the finish picture
    EXPECT_EQ(jsonInt(last, "racing"), 0);
    EXPECT_EQ(jsonInt(last, "damageCursor"), 0);  // no crash on the way
    EXPECT_EQ(jsonInt(last, "profile.health"), 100);
    EXPECT_EQ(jsonInt(run.states[run.states.size() - 3], "racing"), 1);  // it ended at the finish
}
