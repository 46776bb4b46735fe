#include "sound/sound_layer.h"

#include "framework/framework.h"
#include "settings/settings.h"
#include "sound/sound_events.h"
#include "sound/sound_files.h"
#include "sound/sound_output.h"

namespace {

struct SoundLayer {
    SoundObservation last;
    int started;   // `last` holds an observation
    int muted;
};

SoundLayer Layer;

}  // namespace

void startSound(int argc, char** argv) {
    Layer = SoundLayer{};
    if (soundSwitchedOff(argc, argv)) return;
    if (!openSoundOutput()) return;
    // As the player left it: on or off, and the volumes.
    Layer.muted = Setting.soundOn ? 0 : 1;
    setSoundMuted(Layer.muted);
    applySoundVolumes();
    setIterationObserver(soundFrame);
}

void setSoundOn(int on) {
    Layer.muted = on ? 0 : 1;
    setSoundMuted(Layer.muted);
}

void applySoundVolumes() {
    setSoundVolumes(float(Setting.masterVolume) / VolumeMax, float(Setting.rideVolume) / VolumeMax,
                    float(Setting.effectsVolume) / VolumeMax);
}

void soundFrame() {
    const SoundObservation now = observeGame();
    if (!Layer.started) {
        Layer.last = now;
        Layer.started = 1;
    }
    const SoundCues cues = deriveSoundCues(Layer.last, now);
    Layer.last = now;
    if (cues.toggleMute) {
        Layer.muted = !Layer.muted;
        setSoundMuted(Layer.muted);
        rememberSoundOn(!Layer.muted);
    }
    for (int id = 0; id < SoundCount; ++id)
        if (cues.oneShots & (1u << id)) playSound(id);
    setLoopLevels(cues.rideVolume, cues.ridePitch, cues.windVolume);
    // The framework shuts the display down right after the last iteration.
    if (exitRequested()) closeSoundOutput();
}
