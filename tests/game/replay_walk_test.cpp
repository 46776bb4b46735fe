// Whole-game walks through the screens with the replay tool: the state log's screen,
// profile and shortage flag after every key, and snapshots of every screen's picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/game_state.h"
#include "display/display.h"
#include "game/screens.h"
#include "profile/rider_profile.h"
#include "race/damage_table.h"
#include "support/test_support.h"

namespace {

// A script of one key tap per iteration, with a snapshot of every iteration.
class Script {
public:
    explicit Script(bool snapEveryTap = true, int clock = 1000) : snap_(snapEveryTap) {
        text_ = "0 time " + std::to_string(clock) + "\n";
        if (snap_) text_ += "0 snap it0\n";
    }
    // Taps the key in the next iteration; answers that iteration.
    int tap(int scanCode) {
        ++iteration_;
        text_ += std::to_string(iteration_) + " tap " + std::to_string(scanCode) + "\n";
        if (snap_) text_ += std::to_string(iteration_) + " snap it" + std::to_string(iteration_) + "\n";
        return iteration_;
    }
    void taps(std::initializer_list<int> scanCodes) {
        for (int s : scanCodes) tap(s);
    }
    // A raw command at an iteration from now on (the counter moves on to it).
    void at(int iteration, const std::string& command) {
        iteration_ = std::max(iteration_, iteration);
        text_ += std::to_string(iteration) + " " + command + "\n";
    }
    int stop() {
        ++iteration_;
        text_ += std::to_string(iteration_) + " stop\n";
        return iteration_;
    }
    int iteration() const { return iteration_; }
    const std::string& text() const { return text_; }

private:
    bool snap_;
    std::string text_;
    int iteration_ = 0;
};

class ReplayWalk : public ::testing::Test {
protected:
    const std::string& state(const ReplayRun& run, int iteration) {
        static const std::string none;
        if (iteration < 0 || iteration >= int(run.states.size())) return none;
        return run.states[size_t(iteration)];
    }
};

// The picture file the data directory holds for a screen, given the damage table
// entry that picks the outcome pictures.
std::string pictureFile(int screen) {
    const char* file = screenPicture(screen);
    return file != nullptr ? std::string(TG_DATA_DIR) + "/" + file : std::string();
}

// Rows of the page that no text of any screen touches: there the snapshot must show
// the picture unchanged, with the picture's palette.
void expectPictureInSnapshot(const std::string& snapshot, const std::string& picture) {
    Bitmap* shot = loadBitmap(snapshot.c_str(), 1);
    Bitmap* pic = loadBitmap(picture.c_str(), 1);
    ASSERT_NE(shot, nullptr) << snapshot;
    ASSERT_NE(pic, nullptr) << picture;
    EXPECT_EQ(shot->width, 640);
    EXPECT_EQ(shot->height, 480);
    int compared = 0, differing = 0;
    for (int y : {60, 100, 200, 400, 470}) {
        if (y >= pic->height) continue;
        for (int x = 0; x < std::min(640, pic->width); ++x) {
            ++compared;
            if (shot->pixels[y * shot->bytesPerLine + x] != pic->pixels[y * pic->bytesPerLine + x])
                ++differing;
        }
    }
    EXPECT_GT(compared, 0) << picture;
    EXPECT_EQ(differing, 0) << picture << " in " << snapshot;
    ASSERT_NE(shot->palette, nullptr);
    ASSERT_NE(pic->palette, nullptr);
    int paletteDifferences = 0;
    for (int i = 0; i < 256; ++i)
        if (shot->palette[i].red != pic->palette[i].red ||
            shot->palette[i].green != pic->palette[i].green ||
            shot->palette[i].blue != pic->palette[i].blue)
            ++paletteDifferences;
    EXPECT_EQ(paletteDifferences, 0) << picture;
    unloadBitmap(shot);
    unloadBitmap(pic);
}

TEST_F(ReplayWalk, FirstFullShopWalkWithEveryMenuAndShopPicture) {
    Script s;
    s.tap(ScanEnter);         // main menu
    s.tap(ScanS);             // no name: name entry
    s.taps({37, 23, 50});     // K I M
    s.tap(ScanEnter);         // main menu
    s.tap(ScanS);             // the shop with 7000
    s.taps({ScanRight, ScanDown, ScanLeft, ScanRight}); // 4, 6, 5, 6
    s.tap(ScanEnter);         // frame 6: page 7
    s.taps({ScanDown, ScanRight, ScanUp, ScanLeft, ScanRight, ScanRight}); // 10 11 9 8 9 9
    s.tap(ScanEnter);         // fork 9: page 12
    s.taps({ScanDown, ScanRight, ScanUp}); // 14 15 13
    s.tap(ScanEnter);         // brakes 13: page 16
    s.taps({ScanDown, ScanDown, ScanUp, ScanUp}); // 17 18 17 16
    const int components = s.tap(ScanEnter); // components 16: page 19
    s.taps({ScanRight, ScanDown, ScanLeft, ScanUp}); // 20 22 21 19
    s.tap(ScanEnter);         // helmet: 21
    s.tap(ScanEnter);         // armour: 22
    s.tap(ScanEnter);         // trousers: 20
    const int done = s.tap(ScanEnter); // gloves: main menu
    const int race = s.tap(ScanS);
    s.stop();

    ReplayRun run = runReplay(s.text());
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_GE(int(run.states.size()), race + 1);

    const std::string& afterComponents = state(run, components);
    EXPECT_EQ(jsonInt(afterComponents, "screen"), 19);
    EXPECT_EQ(jsonInt(afterComponents, "profile.balance"), 1750);

    const std::string& end = state(run, done);
    EXPECT_EQ(jsonInt(end, "screen"), ScreenMainMenu);
    EXPECT_EQ(jsonString(end, "profile.name"), "KIM");
    EXPECT_EQ(jsonInt(end, "profile.balance"), 660);
    EXPECT_EQ(jsonInt(end, "profile.condition"), 115);
    EXPECT_EQ(jsonInt(end, "profile.health"), 270);
    EXPECT_EQ(jsonInt(end, "profile.frame"), 150);
    EXPECT_EQ(jsonInt(end, "profile.fork"), 130);
    EXPECT_EQ(jsonInt(end, "profile.brakes"), 60);
    EXPECT_EQ(jsonInt(end, "profile.componentLevel"), 1);
    EXPECT_NE(end.find("\"protectors\":[1,1,1,1]"), std::string::npos) << end;
    EXPECT_EQ(jsonInt(end, "notEnoughMoney"), 0);
    EXPECT_EQ(jsonInt(end, "racing"), 0);

    EXPECT_EQ(jsonInt(state(run, race), "racing"), 1);
    EXPECT_EQ(jsonInt(state(run, race), "screen"), ScreenMainMenu);

    // Every picture of the intro, the menus and the twenty shop pages was on screen.
    std::vector<int> seen;
    for (int it = 0; it < race; ++it) {
        const int screen = int(jsonInt(state(run, it), "screen"));
        if (std::find(seen.begin(), seen.end(), screen) != seen.end()) continue;
        seen.push_back(screen);
        SCOPED_TRACE("screen " + std::to_string(screen));
        expectPictureInSnapshot(run.outDir + "/it" + std::to_string(it) + ".bmp",
                                pictureFile(screen));
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(int(seen.size()), 23);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 22);
}

TEST_F(ReplayWalk, ShortageFlagInTheStateLog) {
    Script s;
    s.taps({ScanEnter, ScanS, 37, ScanEnter, ScanS}); // name "K", the shop
    s.tap(ScanRight);
    s.tap(ScanEnter); // frame 4
    s.tap(ScanEnter); // fork 7
    s.tap(ScanDown);
    s.tap(ScanEnter); // brakes 14: 2100 left
    const int failed = s.tap(ScanEnter); // components 16 at 2500
    const int cleared = s.tap(ScanDown);
    const int bought = s.tap(ScanEnter);
    s.stop();
    ReplayRun run = runReplay(s.text());
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(jsonInt(state(run, failed), "notEnoughMoney"), 1);
    EXPECT_EQ(jsonInt(state(run, failed), "screen"), 16);
    EXPECT_EQ(jsonInt(state(run, failed), "profile.balance"), 2100);
    EXPECT_EQ(jsonInt(state(run, cleared), "notEnoughMoney"), 0);
    EXPECT_EQ(jsonInt(state(run, bought), "screen"), 19);
    EXPECT_EQ(jsonInt(state(run, bought), "profile.balance"), 100);
    EXPECT_EQ(jsonInt(state(run, bought), "profile.componentLevel"), 2);
}

TEST_F(ReplayWalk, BonusNameAndUmlautsInTheStateLog) {
    Script s;
    s.taps({ScanEnter, ScanR}); // main, then a fresh name entry
    s.taps({34, 19, 30, 47, 18, 38, 50, 24, 49, 37, 31}); // GRAVELMONKS
    s.tap(ScanEnter);
    const int shop = s.tap(ScanC);
    const int again = s.tap(ScanC);
    s.tap(ScanR);
    s.taps({26, 39, 40}); // Ü Ö Ä
    const int typed = s.iteration();
    s.stop();
    ReplayRun run = runReplay(s.text());
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(jsonInt(state(run, shop), "screen"), ScreenFrames);
    EXPECT_EQ(jsonString(state(run, shop), "profile.name"), "GRAVELMONKS");
    EXPECT_EQ(jsonInt(state(run, shop), "profile.balance"), 14000);
    EXPECT_EQ(jsonInt(state(run, shop), "profile.health"), 200);
    EXPECT_EQ(jsonInt(state(run, shop), "profile.condition"), 100);
    EXPECT_EQ(jsonInt(state(run, again), "profile.balance"), 14000);
    std::string name = jsonString(state(run, typed), "profile.name");
    std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    EXPECT_EQ(name, "\\u00dc\\u00d6\\u00c4");
}

TEST_F(ReplayWalk, EscOnNameEntryEndsTheProgram) {
    Script s;
    s.taps({ScanEnter, ScanS});
    const int quit = s.tap(ScanEsc);
    s.tap(ScanEnter);
    s.stop();
    ReplayRun run = runReplay(s.text());
    EXPECT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(int(run.states.size()), quit + 1);
    EXPECT_EQ(jsonInt(run.states.back(), "screen"), ScreenNameEntry);
}

TEST_F(ReplayWalk, EscDuringARunEndsTheProgram) {
    Script s;
    s.taps({ScanEnter, ScanS, 37, ScanEnter, ScanS, ScanEnter}); // frame 3
    s.tap(ScanEnter); // fork 7: ready to ride, page 12
    s.tap(ScanEsc);   // back to the forks, the fork refunded
    s.tap(ScanEnter); // fork 7 again
    const int run0 = s.tap(ScanS);
    const int toggled = s.tap(ScanT);
    const int quit = s.tap(ScanEsc);
    s.stop();
    ReplayRun run = runReplay(s.text());
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(jsonInt(state(run, run0), "racing"), 1);
    EXPECT_EQ(jsonInt(state(run, run0), "screen"), ScreenBrakes);
    EXPECT_EQ(jsonInt(state(run, run0), "profile.balance"), 7000 - 1900 - 1450);
    EXPECT_EQ(jsonInt(state(run, toggled), "texturingEnabled"), 0);
    EXPECT_EQ(int(run.states.size()), quit + 1);
}

// The damage table and cursor of a state-log line, into this process, so that
// screenPicture picks what the game picked.
void takeDamageTableFrom(const std::string& line) {
    size_t at = line.find("\"damageTable\":[");
    ASSERT_NE(at, std::string::npos);
    const char* p = line.c_str() + at + 15;
    for (int i = 0; i < 12; ++i) {
        char* end = nullptr;
        DamageTable[i] = int32_t(std::strtol(p, &end, 10));
        p = end + 1;
    }
    GameState.damageCursor = int32_t(jsonInt(line, "damageCursor"));
}

// How a test run leaves the track: the clock that draws the damage table, how long
// the rider pushes, and when he starts to steer left (by then he has left the first
// tile, a banner gate that is never tested, for the straights behind it).
struct Ride {
    int time;
    int pushFor;
    int steerAfter;
};

Script rideOffTrackScript(const Ride& ride, std::initializer_list<int> shopKeys, int* start) {
    Script s(false, ride.time);
    s.taps({ScanEnter, ScanS, 37, ScanEnter, ScanS});
    s.taps(shopKeys);
    *start = s.tap(ScanS);
    s.at(*start + 1, "press 72");
    s.at(*start + 1 + ride.pushFor, "release 72");
    s.at(*start + ride.steerAfter, "press 75");
    return s;
}

int firstOutcome(const ReplayRun& run, int from) {
    for (int it = from; it < int(run.states.size()); ++it) {
        const long screen = jsonInt(run.states[size_t(it)], "screen");
        if (jsonInt(run.states[size_t(it)], "racing") == 0 &&
            (screen == ScreenInjury || screen == ScreenDefect || screen == ScreenCrash))
            return it;
    }
    return -1;
}

void expectRacePalette(const std::string& snapshot) {
    Bitmap* shot = loadBitmap(snapshot.c_str(), 1);
    const std::string raceFile = std::string(TG_DATA_DIR) + "/Textures/paltexture.bmp";
    Bitmap* race = loadBitmap(raceFile.c_str(), 1);
    ASSERT_NE(shot, nullptr);
    ASSERT_NE(race, nullptr);
    int differences = 0;
    for (int i = 0; i < 256; ++i)
        if (shot->palette[i].red != race->palette[i].red ||
            shot->palette[i].green != race->palette[i].green ||
            shot->palette[i].blue != race->palette[i].blue)
            ++differences;
    EXPECT_EQ(differences, 0);
    unloadBitmap(shot);
    unloadBitmap(race);
}

// Leaves the track with the outfit the shop keys buy; checks the outcome picture and
// what Enter does there; answers the outcome screen (-1 when no course is loaded or
// the run did not end as planned).
int rideOffTrackAndCheckOutcome(const Ride& ride, std::initializer_list<int> shopKeys,
                                bool* noCourse) {
    int start = 0;
    Script probe = rideOffTrackScript(ride, shopKeys, &start);
    probe.at(start + ride.steerAfter + 300, "stop");
    ReplayRun first = runReplay(probe.text());
    EXPECT_EQ(first.status, 0) << first.errors;
    EXPECT_EQ(jsonInt(first.states.at(size_t(start)), "racing"), 1);
    *noCourse = jsonInt(first.states.at(size_t(start)), "trackMeshes") == 0;
    if (*noCourse) return -1;
    const int ended = firstOutcome(first, start);
    if (ended < 0) {
        ADD_FAILURE() << "the run did not end off the track";
        return -1;
    }
    if (ended <= start + ride.steerAfter) {
        ADD_FAILURE() << "the run ended at " << ended << " before the rider steered off";
        return -1;
    }
    const int outcome = int(jsonInt(first.states[size_t(ended)], "screen"));

    Script s = rideOffTrackScript(ride, shopKeys, &start);
    s.at(ended, "snap outcome");
    s.at(ended + 1, "tap 28");
    s.at(ended + 1, "snap afterEnter");
    s.at(ended + 2, "tap 28");
    s.at(ended + 3, "stop");
    ReplayRun run = runReplay(s.text());
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(firstOutcome(run, start), ended) << "the replay is repeatable";
    const std::string& line = run.states.at(size_t(ended));
    takeDamageTableFrom(line);
    expectPictureInSnapshot(run.outDir + "/outcome.bmp", pictureFile(outcome));
    const std::string& after = run.states.at(size_t(ended + 1));
    if (outcome == ScreenCrash) {
        EXPECT_EQ(jsonInt(after, "racing"), 1) << "Enter resumes the run";
        EXPECT_EQ(jsonInt(after, "screen"), ScreenCrash);
        expectRacePalette(run.outDir + "/afterEnter.bmp");
    } else {
        EXPECT_EQ(jsonInt(after, "screen"), ScreenCredits);
        expectPictureInSnapshot(run.outDir + "/afterEnter.bmp", pictureFile(ScreenCredits));
        EXPECT_EQ(int(run.states.size()), ended + 3) << "Enter on the credits ends the program";
    }
    return outcome;
}

// Frame 6 and fork 10 add nothing to the bike: health 100, condition 0.
#define BARE_BIKE {ScanRight, ScanDown, ScanEnter, ScanDown, ScanEnter}
// The full outfit of the first shop walk: health 270, condition 115.
#define FULL_OUTFIT {ScanRight, ScanDown, ScanEnter, ScanRight, ScanRight, ScanEnter, \
                     ScanRight, ScanEnter, ScanEnter, ScanEnter, ScanEnter, ScanEnter, ScanEnter}

TEST_F(ReplayWalk, RunsEndOffTrackOnTheirOutcomeScreens) {
    bool noCourse = false;
    // Clock 1000 draws the damage table 4, 21, ...; off the track at speed 0.2 the
    // rider takes 0 and the bike 4.
    const Ride slow{1000, 20, 80};
    EXPECT_EQ(rideOffTrackAndCheckOutcome(slow, BARE_BIKE, &noCourse), ScreenDefect);
    if (noCourse) GTEST_SKIP() << "the game loaded no course: nothing to leave";
    EXPECT_EQ(rideOffTrackAndCheckOutcome(slow, FULL_OUTFIT, &noCourse), ScreenCrash);
    // Clock 1121 draws 99, 27, ...; at speed 1.1 or more the rider takes over 100.
    const Ride fast{1121, 110, 111};
    EXPECT_EQ(rideOffTrackAndCheckOutcome(fast, BARE_BIKE, &noCourse), ScreenInjury);
    resetGameState();
    for (int32_t& entry : DamageTable) entry = 0;
}

} // namespace
