// The game's sounds and the files they are read from. The data generator writes
// every one of them; a player may put their own WAV file in its place.
#pragma once

enum SoundId {
    SoundRide,      // loop: tyres on gravel
    SoundWind,      // loop
    SoundImpact,    // off the track
    SoundCrash,
    SoundDefect,    // something on the bike snaps
    SoundInjury,
    SoundFinish,
    SoundCredits,   // a short tune
    SoundClick,     // a menu key
    SoundPurchase,
    SoundNoMoney,
    SoundRefund,
    SoundCount,
};

extern const char* const SoundFiles[SoundCount];

// The loops play all the time of a run; the others once per event.
inline bool isLoopSound(int id) { return id == SoundRide || id == SoundWind; }
