// Whole race frames through the replay tool: a run started from the main menu, its
// first frames snapshotted and compared with pixels worked out from the pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "display/display.h"
#include "support/test_support.h"

namespace {

// Intro, a name, the shop with a frame and a fork, then S: the run starts at iteration
// 8; the first race frame is snapshotted, T flips the textures, the second is too.
const char* const RaceScript =
    "0 time 1000\n"
    "1 tap 28\n2 tap 31\n3 tap 37\n4 tap 28\n5 tap 31\n6 tap 28\n7 tap 28\n"
    "8 tap 31\n8 snap textured\n"
    "9 tap 20\n9 snap flat\n"
    "10 stop\n";

std::string dataFile(const std::string& dir, const char* name) { return dir + "/" + name; }

// A copy of the generated data with a course of its own.
std::string dataWithCourse(const std::string& course) {
    const std::string dir = makeTempDir("course");
    const std::string copy = "cp -r '" + std::string(TG_DATA_DIR) + "/.' '" + dir + "'";
    if (std::system(copy.c_str()) != 0) return "";
    writeTextFile(dir + "/track.tbk", course);
    return dir;
}

class RaceReplay : public ::testing::Test {
protected:
    void SetUp() override {
        weg = loadBitmap(dataFile(TG_DATA_DIR, "Textures/weg3_16.bmp").c_str(), 1);
        race = loadBitmap(dataFile(TG_DATA_DIR, "Textures/paltexture.bmp").c_str(), 1);
        bar = loadBitmap(dataFile(TG_DATA_DIR, "Textures/lenkerTBGblackNew.bmp").c_str(), 1);
        ASSERT_NE(weg, nullptr);
        ASSERT_NE(race, nullptr);
        ASSERT_NE(bar, nullptr);
    }
    void TearDown() override {
        unloadBitmap(weg);
        unloadBitmap(race);
        unloadBitmap(bar);
    }
    // The path texture (number 0, rows 3 bytes longer than wide) at a screen position.
    int pathTexel(int x, int y) const {
        return weg->pixels[(y % weg->height) * (weg->width + 3) + x % weg->width];
    }
    int handlebarPixel(int x, int y) const {
        return bar->pixels[(y - 330) * bar->bytesPerLine + (x - 80)];
    }
    Bitmap* weg = nullptr;
    Bitmap* race = nullptr;
    Bitmap* bar = nullptr;
};

TEST_F(RaceReplay, StraightCourseFromTheStartPose) {
    // Eight flat straight tiles heading +z from (10, 0, 10); the eye at (15, -1, 7.6).
    std::string course;
    for (int i = 0; i < 8; ++i) course += "g1 0 0\n";
    const std::string dir = dataWithCourse(course);
    ASSERT_FALSE(dir.empty());
    ReplayRun run = runReplay(RaceScript, dir);
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_GE(run.states.size(), 10u);
    EXPECT_EQ(jsonInt(run.states[8], "racing"), 1);
    EXPECT_EQ(jsonInt(run.states[8], "trackMeshes"), 5);  // three taken by the first fill

    const std::string textured = run.outDir + "/textured.bmp";
    const std::string flat = run.outDir + "/flat.bmp";
    // Above and below the view volume (rows 80 to 398) the page keeps the clear colour.
    for (int x : {0, 100, 320, 639}) {
        EXPECT_EQ(snapshotPixel(textured, x, 40), 0) << x;
        EXPECT_EQ(snapshotPixel(textured, x, 79), 0) << x;
    }
    EXPECT_EQ(snapshotPixel(textured, 10, 420), 0);
    EXPECT_EQ(snapshotPixel(textured, 0, 300), 0);  // columns 0 and 1 are never drawn
    EXPECT_EQ(snapshotPixel(textured, 1, 300), 0);
    EXPECT_EQ(snapshotPixel(textured, 639, 300), 0);
    // Row 300 in the middle looks at the ground 9.1 units ahead, on the path of tile 1:
    // screen-tiled path texture, and with textures off its nearest race-palette grey.
    const int grey = nearestPaletteIndex(race->palette, 218, 218, 218);
    for (int x : {318, 320, 322}) {
        for (int y : {295, 300, 305}) {
            EXPECT_EQ(snapshotPixel(textured, x, y), pathTexel(x, y)) << x << "," << y;
            EXPECT_EQ(snapshotPixel(flat, x, y), grey) << x << "," << y;
        }
    }
    // The handlebar on top: its own pixels where they are not index 0.
    int compared = 0;
    for (int y = 330; y < 330 + bar->height && y < 480; y += 7) {
        for (int x = 80; x < 80 + bar->width && x < 640; x += 5) {
            const int p = handlebarPixel(x, y);
            if (p == 0) continue;
            ASSERT_EQ(snapshotPixel(textured, x, y), p) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 100);
}

TEST_F(RaceReplay, ShippedCourseFirstFrame) {
    ReplayRun run = runReplay(RaceScript);
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_GE(run.states.size(), 10u);
    const long segments = jsonInt(run.states[8], "segmentCount");
    EXPECT_GE(segments, 60);
    EXPECT_EQ(jsonInt(run.states[8], "trackMeshes"), segments - 3);
    EXPECT_EQ(jsonInt(run.states[8], "racing"), 1);
    const std::string textured = run.outDir + "/textured.bmp";
    const std::string flat = run.outDir + "/flat.bmp";
    EXPECT_EQ(snapshotPixel(textured, 320, 40), 0);
    // The first tiles show in front of the rider: much of the view is not sky.
    Bitmap* withTextures = loadBitmap(textured.c_str(), 1);
    Bitmap* withoutTextures = loadBitmap(flat.c_str(), 1);
    ASSERT_NE(withTextures, nullptr);
    ASSERT_NE(withoutTextures, nullptr);
    int drawn = 0, differ = 0;
    for (int y = 80; y <= 398; y += 4)
        for (int x = 2; x <= 638; x += 4) {
            const int a = withTextures->pixels[y * withTextures->bytesPerLine + x];
            const int b = withoutTextures->pixels[y * withoutTextures->bytesPerLine + x];
            drawn += a != 0;
            differ += a != b;
        }
    unloadBitmap(withTextures);
    unloadBitmap(withoutTextures);
    EXPECT_GT(drawn, 4000);
    EXPECT_GT(differ, 1000);  // the textures make a difference
}

}  // namespace
