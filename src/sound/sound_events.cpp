#include "sound/sound_events.h"

#include <cstring>
#include <strings.h>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "game/shop.h"
#include "profile/rider_profile.h"
#include "sound/sound_files.h"

namespace {

constexpr int NoSound = -1;

// The sound of arriving on a screen; the menus answer with the key click.
const int8_t ScreenSounds[ScreenCount] = {
    SoundClick, SoundClick, SoundClick,                                    // intro, main menu, name entry
    SoundClick, SoundClick, SoundClick, SoundClick, SoundClick,            // shop pages 3-7
    SoundClick, SoundClick, SoundClick, SoundClick, SoundClick,            // 8-12
    SoundClick, SoundClick, SoundClick, SoundClick, SoundClick,            // 13-17
    SoundClick, SoundClick, SoundClick, SoundClick, SoundClick,            // 18-22
    SoundInjury, SoundDefect, SoundCrash, SoundCredits, SoundFinish,
};

// Speeds at which the loops reach their full level (distance per step).
constexpr float RideFullSpeed = 0.45f;
constexpr float WindStartSpeed = 0.08f;
constexpr float WindFullSpeed = 0.9f;
constexpr float RideSlowPitch = 0.7f;
constexpr float RideFastPitch = 1.5f;
constexpr float RidePitchSpeed = 0.8f;

float clampUnit(float x) { return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x); }

uint32_t bit(int id) { return id >= 0 ? 1u << id : 0u; }

int screenSound(int32_t screen) {
    return screen >= 0 && screen < ScreenCount ? ScreenSounds[screen] : NoSound;
}

// A buy or a step back in the shop: the balance moved while a shop page was shown.
uint32_t shopSounds(const SoundObservation& before, const SoundObservation& now) {
    if (now.racing || !isShopPage(before.screen)) return 0;
    if (now.balance < before.balance) return bit(SoundPurchase);
    if (now.balance > before.balance) return bit(SoundRefund);
    const bool refused = now.notEnoughMoney == 1 && before.notEnoughMoney != 1;
    const bool refusedAgain = now.notEnoughMoney == 1 && before.notEnoughMoney == 1 &&
                              now.enterPresses != before.enterPresses && now.screen == before.screen;
    return refused || refusedAgain ? bit(SoundNoMoney) : 0;
}

}  // namespace

float rideVolumeAt(float speed) { return clampUnit(speed / RideFullSpeed); }

float ridePitchAt(float speed) {
    return RideSlowPitch + (RideFastPitch - RideSlowPitch) * clampUnit(speed / RidePitchSpeed);
}

float windVolumeAt(float speed) {
    const float x = clampUnit((speed - WindStartSpeed) / (WindFullSpeed - WindStartSpeed));
    return x * x;
}

SoundCues deriveSoundCues(const SoundObservation& before, const SoundObservation& now) {
    SoundCues cues{};
    const bool runEnded = before.racing && !now.racing;
    if (before.racing && now.offTrack && !before.offTrack) cues.oneShots |= bit(SoundImpact);
    cues.oneShots |= shopSounds(before, now);
    if (!now.racing && (runEnded || now.screen != before.screen)) {
        // A purchase or refund that moves on to the next page says so instead of clicking.
        const int sound = screenSound(now.screen);
        if (!(sound == SoundClick && cues.oneShots != 0)) cues.oneShots |= bit(sound);
    }
    if (now.racing && !before.racing) cues.oneShots |= bit(SoundClick);
    if (!now.racing && now.screen == before.screen && now.nameLength != before.nameLength)
        cues.oneShots |= bit(SoundClick);
    cues.toggleMute = int32_t((now.mutePresses - before.mutePresses) & 1u);
    if (now.racing) {
        cues.rideVolume = rideVolumeAt(now.speed);
        cues.windVolume = windVolumeAt(now.speed);
    }
    cues.ridePitch = ridePitchAt(now.speed);
    return cues;
}

SoundObservation observeGame() {
    SoundObservation o{};
    o.screen = GameState.screen;
    o.racing = GameState.racing;
    o.offTrack = GameState.offTrack;
    o.notEnoughMoney = GameState.notEnoughMoney;
    o.balance = Rider.balance();
    o.nameLength = int32_t(std::strlen(Rider.name()));
    o.enterPresses = keyDownCount(ScanEnter);
    o.mutePresses = keyDownCount(ScanF9);
    o.speed = GameState.speed;
    return o;
}

int soundSwitchedOff(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (argv[i] != nullptr && strcasecmp(argv[i], "-nosound") == 0) return 1;
    return 0;
}
