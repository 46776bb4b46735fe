// What the sound layer hears: sounds derived from short sequences of observed states,
// and from the real shop and menus driven by their keys.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "base/scan_codes.h"
#include "game/game_keys.h"
#include "game/shop.h"
#include "platform/headless.h"
#include "sound/sound_events.h"
#include "sound/sound_files.h"

namespace {

// How often each sound starts over a sequence of observations, one per iteration.
struct Heard {
    int count[SoundCount] = {};
    int mutes = 0;
    int only(int id) const {
        int others = 0;
        for (int i = 0; i < SoundCount; ++i)
            if (i != id) others += count[i];
        return others == 0 ? count[id] : -1;
    }
};

Heard hear(const std::vector<SoundObservation>& states) {
    Heard heard;
    for (size_t i = 1; i < states.size(); ++i) {
        const SoundCues cues = deriveSoundCues(states[i - 1], states[i]);
        for (int id = 0; id < SoundCount; ++id)
            if (cues.oneShots & (1u << id)) ++heard.count[id];
        heard.mutes += cues.toggleMute;
    }
    return heard;
}

SoundObservation riding(float speed) {
    SoundObservation o{};
    o.screen = ScreenMainMenu;
    o.racing = 1;
    o.balance = 500;
    o.nameLength = 3;
    o.speed = speed;
    return o;
}

SoundObservation onScreen(int32_t screen, int32_t balance = 500) {
    SoundObservation o{};
    o.screen = screen;
    o.balance = balance;
    o.nameLength = 3;
    return o;
}

}  // namespace

TEST(SoundEvents, AnInjuryAfterARunSoundsOnceThenTheCreditsPlay) {
    SoundObservation fence = onScreen(ScreenInjury);
    fence.offTrack = 1;
    const Heard run = hear({riding(0.3f), riding(0.31f), fence, fence, fence});
    EXPECT_EQ(run.count[SoundInjury], 1);
    EXPECT_EQ(run.count[SoundImpact], 1);
    EXPECT_EQ(run.count[SoundClick], 0);
    EXPECT_EQ(hear({fence, onScreen(ScreenCredits), onScreen(ScreenCredits)}).only(SoundCredits), 1);
}

TEST(SoundEvents, EveryCrashSoundsThoughTheCrashPictureStaysOnScreen) {
    // Riding on from the crash picture keeps the screen number; the run's end still counts.
    SoundObservation crashed = onScreen(ScreenCrash);
    crashed.offTrack = 1;
    SoundObservation again = riding(0.0f);
    again.screen = ScreenCrash;
    again.offTrack = 1;  // until the next ride step tests the track again
    SoundObservation back = again;
    back.offTrack = 0;
    back.speed = 0.2f;
    const Heard heard = hear({riding(0.2f), crashed, crashed, again, back, crashed});
    EXPECT_EQ(heard.count[SoundCrash], 2);
    EXPECT_EQ(heard.count[SoundImpact], 2);
    EXPECT_EQ(heard.count[SoundClick], 1);  // the key that rides on
    SoundObservation finished = onScreen(ScreenFinish);
    EXPECT_EQ(hear({riding(0.4f), finished, finished}).only(SoundFinish), 1);
}

TEST(SoundEvents, ShopPurchaseRefusalAndRefund) {
    // A purchase moves on to the next category: the purchase sound, no click.
    EXPECT_EQ(hear({onScreen(ScreenFrames, 7000), onScreen(ScreenForks, 5100)}).only(SoundPurchase), 1);
    // Refused: the flag goes up; Enter again on the same page is refused again.
    SoundObservation page = onScreen(ScreenForks + 4, 400);
    SoundObservation refused = page;
    refused.notEnoughMoney = 1;
    refused.enterPresses = 1;
    SoundObservation again = refused;
    again.enterPresses = 2;
    EXPECT_EQ(hear({page, refused, refused, again, again}).only(SoundNoMoney), 2);
    // Esc in the shop gives the category's money back.
    EXPECT_EQ(hear({onScreen(ScreenBrakes, 3650), onScreen(ScreenForks, 5100)}).only(SoundRefund), 1);
    // A fresh budget from the main menu is no refund, only the key's click.
    EXPECT_EQ(hear({onScreen(ScreenMainMenu, 0), onScreen(ScreenFrames, 7000)}).only(SoundClick), 1);
}

TEST(SoundEvents, MenusClickOnEveryMoveAndEveryLetterTyped) {
    SoundObservation typed = onScreen(ScreenNameEntry);
    typed.nameLength = 4;
    EXPECT_EQ(hear({onScreen(ScreenIntro), onScreen(ScreenMainMenu), onScreen(ScreenNameEntry), typed, typed})
                  .only(SoundClick),
              3);
    SoundObservation pressed = onScreen(ScreenMainMenu), pressedAgain = pressed, pressedTwice = pressed;
    pressed.mutePresses = 1;
    pressedAgain.mutePresses = 2;
    pressedTwice.mutePresses = 4;  // two taps between two iterations: off and on again
    const Heard heard = hear({onScreen(ScreenMainMenu), pressed, pressed, pressedAgain, pressedTwice});
    EXPECT_EQ(heard.mutes, 2);
    EXPECT_EQ(heard.only(SoundClick), 0);
}

TEST(SoundEvents, RideAndWindFollowTheSpeedOnlyDuringARun) {
    const SoundCues still = deriveSoundCues(riding(0.0f), riding(0.0f));
    EXPECT_EQ(still.rideVolume, 0.0f);
    EXPECT_EQ(still.windVolume, 0.0f);
    float lastRide = 0, lastPitch = 0, lastWind = 0;
    for (float speed : {0.05f, 0.2f, 0.4f, 0.8f}) {
        const SoundCues cues = deriveSoundCues(riding(speed), riding(speed));
        EXPECT_GT(cues.rideVolume, lastRide) << speed;
        EXPECT_GT(cues.ridePitch, lastPitch) << speed;
        EXPECT_GE(cues.windVolume, lastWind) << speed;
        lastRide = cues.rideVolume, lastPitch = cues.ridePitch, lastWind = cues.windVolume;
    }
    EXPECT_GT(lastWind, 0.5f);
    const SoundCues fast = deriveSoundCues(riding(9.0f), riding(9.0f));
    EXPECT_EQ(fast.rideVolume, 1.0f);
    EXPECT_EQ(fast.windVolume, 1.0f);
    SoundObservation stopped = riding(0.8f);
    stopped.racing = 0;
    const SoundCues after = deriveSoundCues(stopped, stopped);
    EXPECT_EQ(after.rideVolume, 0.0f);
    EXPECT_EQ(after.windVolume, 0.0f);
}

// The real shop driven by its keys, observed the way the sound layer does.
TEST(SoundEvents, TheShopHeardThroughItsKeys) {
    resetMetaGame();
    Rider.appendToName("Kim");
    GameState.screen = ScreenMainMenu;
    std::vector<SoundObservation> states{observeGame()};
    auto key = [&](int scanCode) {
        pressKey(scanCode);
        states.push_back(observeGame());
    };
    key(ScanS);      // the shop: 7000 $
    key(ScanEnter);  // the first frame
    const Heard entered = hear(states);
    EXPECT_EQ(entered.count[SoundClick], 1);
    EXPECT_EQ(entered.count[SoundPurchase], 1);
    states = {observeGame()};
    key(ScanEsc);    // back to the frames, the frame's money refunded
    key(ScanRight);  // the next frame ...
    key(ScanEnter);  // ... is bought
    const Heard shopped = hear(states);
    EXPECT_EQ(shopped.count[SoundRefund], 1);
    EXPECT_EQ(shopped.count[SoundClick], 1);
    EXPECT_EQ(shopped.count[SoundPurchase], 1);
    ASSERT_EQ(GameState.screen, ScreenForks);
    Rider.spend(Rider.balance() - 10);
    states = {observeGame()};
    key(ScanEnter);  // too dear now
    EXPECT_EQ(GameState.notEnoughMoney, 1);
    EXPECT_EQ(hear(states).only(SoundNoMoney), 1);
    resetMetaGame();
}

// Keys from the keyboard through the framework, one observation per main-loop iteration:
// a tap that goes down and up between two iterations is heard like a key held through one.
TEST(SoundEvents, ATapBetweenTwoIterationsIsHeard) {
    resetMetaGame();
    Rider.appendToName("Kim");
    GameState.screen = ScreenMainMenu;
    headlessReset();
    ASSERT_NE(createFramework("Tumblegrade - DH"), nullptr);
    setKeyDownCallback(onKeyDown);
    auto iteration = [](std::initializer_list<std::pair<int, int>> keys) {
        for (const auto& [scanCode, down] : keys) headlessQueueKey(scanCode, down);
        dispatchEvents();
        return observeGame();
    };
    auto mutes = [](const SoundObservation& before, const SoundObservation& now) {
        return deriveSoundCues(before, now).toggleMute;
    };
    const SoundObservation start = observeGame();
    const SoundObservation tapped = iteration({{ScanF9, 1}, {ScanF9, 0}});
    EXPECT_EQ(mutes(start, tapped), 1);
    const SoundObservation held = iteration({{ScanF9, 1}});
    const SoundObservation repeated = iteration({{ScanF9, 1}});
    const SoundObservation letGo = iteration({{ScanF9, 0}});
    EXPECT_EQ(mutes(tapped, held) + mutes(held, repeated) + mutes(repeated, letGo), 1);
    EXPECT_EQ(mutes(letGo, iteration({{ScanF9, 1}, {ScanF9, 0}, {ScanF9, 1}, {ScanF9, 0}})), 0);

    // A refused buy, then Enter tapped again between two iterations: refused again.
    iteration({{ScanS, 1}, {ScanS, 0}});
    ASSERT_TRUE(isShopPage(GameState.screen));
    Rider.spend(Rider.balance() - 10);
    std::vector<SoundObservation> states{observeGame()};
    states.push_back(iteration({{ScanEnter, 1}, {ScanEnter, 0}}));
    states.push_back(iteration({{ScanEnter, 1}, {ScanEnter, 0}}));
    EXPECT_EQ(GameState.notEnoughMoney, 1);
    EXPECT_EQ(hear(states).only(SoundNoMoney), 2);
    shutdownFramework();
    resetMetaGame();
}

TEST(SoundEvents, NoSoundOnTheCommandLineInAnyCase) {
    char program[] = "tumblegrade", other[] = "-novga", off[] = "-NoSound";
    char* withOff[] = {program, other, off, nullptr};
    char* without[] = {program, other, nullptr};
    char* onlyProgram[] = {off, nullptr};  // entry 0 is the program, never an option
    EXPECT_EQ(soundSwitchedOff(3, withOff), 1);
    EXPECT_EQ(soundSwitchedOff(2, without), 0);
    EXPECT_EQ(soundSwitchedOff(1, onlyProgram), 0);
}
