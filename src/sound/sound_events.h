// What the sound layer hears in the game: once per main-loop iteration it takes an
// observation of the shared state and compares it with the one before. The rules of
// the game never call into sound; every sound follows from a difference seen here.
#pragma once

#include <cstdint>

// The parts of the game's state that sound listens to.
struct SoundObservation {
    int32_t screen;          // GameState.screen
    int32_t racing;          // GameState.racing
    int32_t offTrack;        // GameState.offTrack
    int32_t notEnoughMoney;  // GameState.notEnoughMoney
    int32_t balance;         // the rider's money
    int32_t nameLength;      // letters of the rider's name
    // Key-downs so far (keyDownCount): a change between two observations is a key that
    // went down in between, however short the tap.
    uint32_t enterPresses;   // Enter: a refused buy may repeat with the flag already set
    uint32_t mutePresses;    // F9: the mute key, one the game itself never reads
    float speed;             // GameState.speed
};

// What to play after one iteration.
struct SoundCues {
    uint32_t oneShots;   // one bit per SoundId (1u << id)
    int32_t toggleMute;  // the mute key went down, an odd number of times
    float rideVolume;    // 0..1; 0 whenever no run is in progress
    float ridePitch;     // playback rate of the ride loop, 1 = as recorded
    float windVolume;    // 0..1
};

// The state as the game holds it now (GameState, the rider, the key-down counts).
SoundObservation observeGame();

// The sounds that follow from going from `before` to `now`. Pure: no audio involved.
SoundCues deriveSoundCues(const SoundObservation& before, const SoundObservation& now);

// Loop levels of a run at the given speed (also part of deriveSoundCues).
float rideVolumeAt(float speed);
float ridePitchAt(float speed);
float windVolumeAt(float speed);

// -nosound among the words of the command line (any case).
int soundSwitchedOff(int argc, char** argv);
