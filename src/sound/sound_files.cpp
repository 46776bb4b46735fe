#include "sound/sound_files.h"

const char* const SoundFiles[SoundCount] = {
    "Sounds/ride.wav",     "Sounds/wind.wav",    "Sounds/impact.wav",   "Sounds/crash.wav",
    "Sounds/defect.wav",   "Sounds/injury.wav",  "Sounds/finish.wav",   "Sounds/credits.wav",
    "Sounds/click.wav",    "Sounds/purchase.wav", "Sounds/nomoney.wav", "Sounds/refund.wav",
};
