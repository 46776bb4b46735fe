// The course, best-times and options screens in the headless window with the generated
// data: every key their footer names does what it says, and each draws the game's look
// (the backdrop's palette, the title, the key caps) within the page.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "menus/best_times_screen.h"
#include "menus/course_list.h"
#include "menus/course_screen.h"
#include "menus/look.h"
#include "menus/options_screen.h"
#include "menus/top_screens.h"
#include "records/records_store.h"
#include "settings/settings.h"
#include "support/headless_page.h"
#include "support/test_support.h"
#include "track/course_choice.h"
#include "track/track_lists.h"

namespace {

std::string Taken;     // the course screen's hook
std::string Played;    // the best-times screen's demo player
int VolumeChanges = 0;
int PracticeAsked = -1;

class TopScreensLook : public testing::Test {
protected:
    void SetUp() override {
        home_ = makeTempDir("own-screens");
        setenv("XDG_DATA_HOME", home_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
        setenv("XDG_CACHE_HOME", home_.c_str(), 1);
        data_ = std::make_unique<ScopedDir>(TG_DATA_DIR);
        ASSERT_TRUE(startHeadlessPage("own screens"));
        GameState.screen = ScreenMainMenu;
        Taken.clear();
        Played.clear();
        VolumeChanges = 0;
    }
    void TearDown() override {
        resetTopScreens();
        releaseLook();
        shutdownFramework();
        CurrentPage = nullptr;
        resetSettings();
        chooseCourseFile(nullptr);
        setChosenCourseLabel("", 0);
        clearTrackLists();
        resetGameState();
        data_.reset();
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_CACHE_HOME");
    }

    static void key(int scanCode) {
        InputEvent e;
        makeKeyEvent(scanCode, 0, 1, &e);
        topScreensKeyDown(&e);
        makeKeyEvent(scanCode, 0, 0, &e);
        topScreensKeyUp(&e);
    }
    static int count(int colour, int top, int bottom) {
        const DisplayContext* page = drawingPage();
        int n = 0;
        for (int i = top * page->width; i < (bottom + 1) * page->width; ++i) n += page->pixels[i] == colour;
        return n;
    }
    // The screen shown is drawn in the look: the backdrop's palette, white in the
    // title band, the caps' faces in the footer band.
    static void expectTheLook() {
        topScreensDrawFrame();
        ASSERT_TRUE(Look.backdrop);
        EXPECT_EQ(std::memcmp(drawingPage()->palette, Look.backdrop->palette, sizeof(PaletteEntry) * 256), 0);
        EXPECT_GT(count(Look.screen.colour[LookWhite], 8, 48), 100);
        EXPECT_GT(count(Look.screen.colour[LookCapFace], 440, 479), 500);
    }

    std::string home_;
    std::unique_ptr<ScopedDir> data_;
};

TEST_F(TopScreensLook, CourseScreenKeys) {
    const std::string own = home_ + "/tumblegrade/courses";
    std::system(("mkdir -p " + own).c_str());
    writeTextFile(own + "/mine.tbk", "z1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\n");
    writeTextFile(own + "/zz-broken.tbk", "g1 0 0\nq9 9 9\n");
    installCourseScreen();
    registerBestTimesScreen();
    setCourseTakenHook([](const char* name) { Taken = name; });
    key(ScanF2);
    ASSERT_EQ(currentTopScreen(), TopScreenCourses);
    expectTheLook();
    key(ScanF3);  // F3: the highlighted course's best times, Esc back to the courses
    EXPECT_EQ(currentTopScreen(), TopScreenBestTimes);
    key(ScanEsc);
    EXPECT_EQ(currentTopScreen(), TopScreenCourses);
    key(ScanEnd);  // the broken course: Enter takes nothing
    key(ScanEnter);
    EXPECT_EQ(currentTopScreen(), TopScreenCourses);
    EXPECT_EQ(Taken, "");
    expectTheLook();
    key(ScanUp);  // Up and Enter: "mine" ridden from now on
    key(ScanEnter);
    EXPECT_EQ(currentTopScreen(), TopScreenNone);
    EXPECT_EQ(Taken, "mine");
    key(ScanF2);  // Esc leaves the choice as it was
    key(ScanHome);
    key(ScanEsc);
    EXPECT_EQ(currentTopScreen(), TopScreenNone);
    EXPECT_STREQ(chosenCourseName(), "mine");
}

void keepRun(uint64_t course, const char* name, int steps, const char* demo) {
    RunRecord run{};
    run.courseHash = course;
    std::snprintf(run.courseName, sizeof run.courseName, "%s", name);
    std::snprintf(run.rider, sizeof run.rider, "R%d", steps);
    run.steps = steps;
    run.date = 1700000000;
    std::snprintf(run.demo, sizeof run.demo, "%s", demo);
    writeTextFile(demo, "demo");
    RecordTable table;
    ASSERT_TRUE(keepRun(run, &table));
}

TEST_F(TopScreensLook, BestTimesKeys) {
    const std::string a1 = home_ + "/a1.tgdemo", a2 = home_ + "/a2.tgdemo", b1 = home_ + "/b1.tgdemo";
    keepRun(11, "alpha", 3000, a1.c_str());
    keepRun(11, "alpha", 3600, a2.c_str());
    keepRun(22, "beta", 4000, b1.c_str());
    registerBestTimesScreen();
    setBestTimesDemoPlayer([](const char* path) {
        Played = path;
        return true;
    });
    showBestTimesFor(11, "alpha", 2900);
    ASSERT_EQ(currentTopScreen(), TopScreenBestTimes);
    expectTheLook();
    key(ScanDown);  // Up and Down choose the run, Enter watches its demo
    key(ScanEnter);
    EXPECT_EQ(Played, a2);
    key(ScanUp);
    key(ScanEnter);
    EXPECT_EQ(Played, a1);
    key(ScanRight);  // Left and Right go through the courses
    key(ScanEnter);
    EXPECT_EQ(Played, b1);
    key(ScanRight);  // round to the first course, on its fastest run
    key(ScanEnter);
    EXPECT_EQ(Played, a1);
    key(ScanEsc);
    EXPECT_EQ(currentTopScreen(), TopScreenNone);
    showBestTimesFor(33, "nowhere", 0);  // without runs Enter goes back
    expectTheLook();
    key(ScanEnter);
    EXPECT_EQ(currentTopScreen(), TopScreenNone);
    setBestTimesDemoPlayer(nullptr);
}

TEST_F(TopScreensLook, OptionsKeys) {
    OptionsHooks hooks{};
    hooks.volumes = [] { ++VolumeChanges; };
    hooks.practice = [](int on) { PracticeAsked = on; };
    installOptionsScreen(&hooks);
    key(ScanF4);
    ASSERT_EQ(currentTopScreen(), TopScreenOptions);
    expectTheLook();
    const int volume = Setting.masterVolume, sound = Setting.soundOn;
    for (int i = 0; i < 4; ++i) key(ScanDown);  // the volume: Left and Right change it
    key(ScanLeft);
    EXPECT_EQ(Setting.masterVolume, volume - 10);
    key(ScanRight);
    EXPECT_EQ(Setting.masterVolume, volume);
    EXPECT_EQ(VolumeChanges, 2);
    key(ScanUp);  // the sound: Enter switches it
    key(ScanEnter);
    EXPECT_EQ(Setting.soundOn, !sound);
    for (int i = 0; i < 7; ++i) key(ScanDown);  // the first control: Enter, then its new key
    key(ScanEnter);
    expectTheLook();
    key(ScanP);
    EXPECT_EQ(Setting.key[0], ScanP);
    key(ScanEnter);  // Esc while waiting for the key keeps the old one and stays
    key(ScanEsc);
    EXPECT_EQ(Setting.key[0], ScanP);
    EXPECT_EQ(currentTopScreen(), TopScreenOptions);
    key(ScanPageDown);
    expectTheLook();
    key(ScanEsc);
    EXPECT_EQ(currentTopScreen(), TopScreenNone);
    // Above the first line, the last: the language, the rider's key, the board server, the
    // defaults, then practice and the soft brake's toggle.
    key(ScanF4);
    for (int i = 0; i < 5; ++i) key(ScanUp);
    key(ScanEnter);
    EXPECT_EQ(PracticeAsked, 1);
    key(ScanUp);
    key(ScanEnter);
    EXPECT_EQ(Setting.toggled[ActionSoftBrake], 1);
    expectTheLook();
}

}  // namespace
