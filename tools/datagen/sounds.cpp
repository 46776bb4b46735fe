// Every sound of the game, built from noise, oscillators, filters and envelopes:
// two loops for the ride, the run's events, the shop's answers and the credits tune.
#include "generators.h"
#include "sound/sound_files.h"
#include "synth.h"

namespace {

// ---- voices ---------------------------------------------------------------

// Every voice fades out over its last samples, so cutting it short never clicks.
constexpr int EndFade = 256;
int32_t withEndFade(int32_t gain, int t, int length) {
    return length - t < EndFade ? int32_t(int64_t(gain) * (length - t) / EndFade) : gain;
}

struct Tone {
    int64_t milliHertz;
    Wave wave;
    int32_t level;     // peak amplitude before the final scaling
    int attack;        // samples
    int halfLife;      // samples
    int cutoffHertz;   // low pass after the oscillator, 0 = none
};

void addTone(SoundBuffer* b, int start, int length, const Tone& tone) {
    Oscillator osc{};
    setFrequency(&osc, tone.milliHertz);
    OnePole filter{0, tone.cutoffHertz > 0 ? onePoleCoefficient(tone.cutoffHertz) : 65536};
    for (int t = 0; t < length && start + t < SynthMaxSamples; ++t) {
        const int32_t x = lowPass(&filter, nextWave(&osc, tone.wave));
        b->samples[start + t] +=
            applyGain(applyGain(x, tone.level), withEndFade(hitGain(t, tone.attack, tone.halfLife), t, length));
    }
}

// A tone whose pitch glides linearly from one frequency to another.
void addGlide(SoundBuffer* b, int start, int length, const Tone& tone, int64_t toMilliHertz) {
    Oscillator osc{};
    OnePole filter{0, tone.cutoffHertz > 0 ? onePoleCoefficient(tone.cutoffHertz) : 65536};
    for (int t = 0; t < length && start + t < SynthMaxSamples; ++t) {
        setFrequency(&osc, tone.milliHertz + (toMilliHertz - tone.milliHertz) * t / length);
        const int32_t x = lowPass(&filter, nextWave(&osc, tone.wave));
        b->samples[start + t] +=
            applyGain(applyGain(x, tone.level), withEndFade(hitGain(t, tone.attack, tone.halfLife), t, length));
    }
}

// A note held for its length with a short rise and a short release (no decay).
void addNote(SoundBuffer* b, int start, int length, int64_t milliHertz, Wave wave, int32_t level,
             int cutoffHertz) {
    Oscillator osc{};
    setFrequency(&osc, milliHertz);
    OnePole filter{0, onePoleCoefficient(cutoffHertz)};
    const int edge = 220;
    for (int t = 0; t < length && start + t < SynthMaxSamples; ++t) {
        int32_t gain = 65536;
        if (t < edge) gain = int32_t(int64_t(65536) * t / edge);
        if (length - t < edge) gain = int32_t(int64_t(65536) * (length - t) / edge);
        gain = applyGain(gain, 65536 - int32_t(int64_t(26000) * t / length));  // a little fall over the note
        const int32_t x = lowPass(&filter, nextWave(&osc, wave));
        b->samples[start + t] += applyGain(applyGain(x, level), gain);
    }
}

struct NoiseHit {
    int32_t level;
    int attack;
    int halfLife;
    int lowHertz;   // high pass, 0 = none
    int highHertz;  // low pass, 0 = none
};

void addNoiseHit(SoundBuffer* b, int start, int length, const NoiseHit& hit, NoiseSource* noise) {
    OnePole high{0, hit.lowHertz > 0 ? onePoleCoefficient(hit.lowHertz) : 0};
    OnePole low{0, hit.highHertz > 0 ? onePoleCoefficient(hit.highHertz) : 65536};
    for (int t = 0; t < length && start + t < SynthMaxSamples; ++t) {
        int32_t x = nextNoise(noise);
        if (hit.lowHertz > 0) x = highPass(&high, x);
        x = lowPass(&low, x);
        b->samples[start + t] +=
            applyGain(applyGain(x, hit.level), withEndFade(hitGain(t, hit.attack, hit.halfLife), t, length));
    }
}

// Stones under a tyre: short bright grains at random moments, about every `spacing`
// samples, between `from` and `to`, their strength times `envelope` of the position.
void addGravel(SoundBuffer* b, int from, int to, int spacing, int32_t level, int fadeHalfLife,
               NoiseSource* noise) {
    int t = from + noiseBelow(noise, spacing);
    while (t < to) {
        const int32_t strength = applyGain(level, 16384 + noiseBelow(noise, 49152));
        const int32_t fade = fadeHalfLife > 0 ? decayGain(t - from, fadeHalfLife) : 65536;
        const NoiseHit grain{applyGain(strength, fade), 2, 12 + noiseBelow(noise, 40),
                             900 + noiseBelow(noise, 1800), 5000};
        addNoiseHit(b, t, 260, grain, noise);
        t += 1 + noiseBelow(noise, spacing * 2);
    }
}

// A dull blow: a falling sine under a short low noise burst.
void addThud(SoundBuffer* b, int start, int32_t level, NoiseSource* noise) {
    addGlide(b, start, msToSamples(380), Tone{115000, WaveSine, level, 12, msToSamples(70), 0}, 42000);
    addNoiseHit(b, start, msToSamples(200), NoiseHit{applyGain(level, 52000), 4, msToSamples(18), 0, 900},
                noise);
}

// A struck bell: the note and an inharmonic partial.
void addBell(SoundBuffer* b, int start, int semitone, int32_t level, int halfLife) {
    const int64_t f = noteMilliHertz(semitone);
    addTone(b, start, halfLife * 8, Tone{f, WaveSine, level, 18, halfLife, 0});
    addTone(b, start, halfLife * 4, Tone{f * 276 / 100, WaveSine, level / 3, 10, halfLife / 2, 0});
}

// ---- loops ----------------------------------------------------------------

void makeRide(SoundBuffer* b) {
    const int length = SynthRate;  // one second
    const int fade = SynthRate / 10;
    clearSoundBuffer(b, length + fade);
    NoiseSource noise{0x5EED0001u};
    OnePole rumble1{0, onePoleCoefficient(140)}, rumble2{0, onePoleCoefficient(140)};
    BandFilter roll{};
    setBand(&roll, 650, 52000);
    for (int t = 0; t < length + fade; ++t) {
        const int32_t x = nextNoise(&noise);
        const int32_t low = lowPass(&rumble2, lowPass(&rumble1, x));
        b->samples[t] += low * 2 + applyGain(bandPass(&roll, x), 7000);
    }
    addGravel(b, 0, length + fade - 260, 70, 24000, 0, &noise);
    joinLoop(b, length, fade);
    normalisePeak(b);
}

void makeWind(SoundBuffer* b) {
    const int length = SynthRate * 2;
    const int fade = SynthRate / 5;
    clearSoundBuffer(b, length + fade);
    NoiseSource noise{0x5EED0002u};
    BandFilter low{}, high{};
    setBand(&low, 420, 30000);
    setBand(&high, 1300, 26000);
    for (int t = 0; t < length + fade; ++t) {
        const int32_t x = nextNoise(&noise);
        // Gusts: slow swells that repeat exactly once and three times per loop.
        const uint32_t slow = uint32_t(uint64_t(t % length) * 0x100000000ull / uint64_t(length));
        const int32_t swell = 40000 + applyGain(sineOf(slow), 18000) + applyGain(sineOf(slow * 3 + 0x40000000u), 7000);
        const int32_t gust = 30000 + applyGain(sineOf(slow * 2 + 0x20000000u), 24000);
        b->samples[t] += applyGain(applyGain(bandPass(&low, x), 9000), swell * 2) +
                         applyGain(applyGain(bandPass(&high, x), 5000), gust * 2);
    }
    joinLoop(b, length, fade);
    normalisePeak(b);
}

// ---- the run's events -------------------------------------------------------

void makeImpact(SoundBuffer* b) {
    clearSoundBuffer(b, msToSamples(450));
    NoiseSource noise{0x5EED0003u};
    addThud(b, 0, 26000, &noise);
    addGravel(b, msToSamples(10), msToSamples(320), 60, 12000, msToSamples(70), &noise);
    normalisePeak(b);
}

void makeCrash(SoundBuffer* b) {
    clearSoundBuffer(b, msToSamples(1600));
    NoiseSource noise{0x5EED0004u};
    addThud(b, 0, 30000, &noise);
    addThud(b, msToSamples(210), 22000, &noise);
    addThud(b, msToSamples(470), 14000, &noise);
    addNoiseHit(b, 0, msToSamples(1500), NoiseHit{9000, 200, msToSamples(260), 300, 2600}, &noise);
    addGravel(b, msToSamples(30), msToSamples(1300), 70, 13000, msToSamples(300), &noise);
    // The bike's metal on the ground.
    const int clank = msToSamples(205);
    addTone(b, clank, msToSamples(900), Tone{523000, WaveSine, 7000, 8, msToSamples(110), 0});
    addTone(b, clank, msToSamples(700), Tone{1371000, WaveSine, 5000, 8, msToSamples(70), 0});
    addTone(b, clank, msToSamples(500), Tone{2213000, WaveSine, 3500, 8, msToSamples(45), 0});
    normalisePeak(b);
}

void makeDefect(SoundBuffer* b) {
    clearSoundBuffer(b, msToSamples(1000));
    NoiseSource noise{0x5EED0005u};
    addNoiseHit(b, 0, 120, NoiseHit{30000, 1, 14, 2500, 0}, &noise);
    addTone(b, 0, msToSamples(500), Tone{2150000, WaveSine, 9000, 4, msToSamples(55), 0});
    addTone(b, 0, msToSamples(400), Tone{3320000, WaveSine, 6500, 4, msToSamples(40), 0});
    addTone(b, 0, msToSamples(300), Tone{4710000, WaveSine, 4000, 4, msToSamples(25), 0});
    // The broken part twangs and rattles away.
    addGlide(b, msToSamples(8), msToSamples(900), Tone{196000, WaveSaw, 12000, 30, msToSamples(220), 1400}, 174000);
    addGravel(b, msToSamples(150), msToSamples(900), 160, 14000, msToSamples(260), &noise);
    normalisePeak(b);
}

void makeInjury(SoundBuffer* b) {
    clearSoundBuffer(b, msToSamples(1500));
    NoiseSource noise{0x5EED0006u};
    addThud(b, 0, 24000, &noise);
    const int notes[3] = {-2, -5, -9};  // G4, E4, C4: falling
    const int step = msToSamples(300);
    for (int i = 0; i < 3; ++i) {
        const int length = i == 2 ? msToSamples(650) : step;
        addNote(b, msToSamples(160) + i * step, length, noteMilliHertz(notes[i]), WaveSquare, 6000, 1100);
        addNote(b, msToSamples(160) + i * step, length, noteMilliHertz(notes[i] - 12), WaveTriangle, 7000, 3000);
    }
    normalisePeak(b);
}

void makeFinish(SoundBuffer* b) {
    clearSoundBuffer(b, msToSamples(1900));
    NoiseSource noise{0x5EED0007u};
    const int notes[4] = {3, 7, 10, 15};  // C5 E5 G5 C6
    const int step = msToSamples(130);
    for (int i = 0; i < 4; ++i) {
        const int length = i == 3 ? msToSamples(1300) : step;
        addNote(b, i * step, length, noteMilliHertz(notes[i]), WaveSquare, 6500, 2600);
        addNote(b, i * step, length, noteMilliHertz(notes[i] - 12), WaveTriangle, 6500, 4000);
    }
    addNoiseHit(b, 3 * step, msToSamples(1200), NoiseHit{7000, 30, msToSamples(160), 3500, 0}, &noise);
    normalisePeak(b);
}

// The credits tune: sixteen beats at 120 per minute, in eighth notes.
constexpr int Rest = 99;
constexpr int Hold = 98;
const int TuneMelody[32] = {
    3, 7, 10, 7,  8, 12, 10, Hold,    // C E G E  F A G -
    7, 10, 15, 10, 12, 10, 7, Hold,   // E G C' G  A G E -
    5, 8, 12, 8,  10, 8, 5, 2,        // D F A F  G F D B
    3, 7, 10, 7,  3, Hold, Hold, Rest, // C E G E  C - - .
};
const int TuneBass[16] = {-21, -14, -21, -14, -24, -17, -24, -17, -28, -21, -26, -19, -21, -14, -21, Rest};

void makeCredits(SoundBuffer* b) {
    const int eighth = SynthRate / 4;
    clearSoundBuffer(b, eighth * 32 + msToSamples(300));
    NoiseSource noise{0x5EED0008u};
    for (int i = 0; i < 32; ++i) {
        const int note = TuneMelody[i];
        if (note == Rest || note == Hold) continue;
        int length = eighth;
        while (i + length / eighth < 32 && TuneMelody[i + length / eighth] == Hold) length += eighth;
        addNote(b, i * eighth, length - 200, noteMilliHertz(note), WaveSquare, 5200, 2400);
        if (i % 2 == 0) addNoiseHit(b, i * eighth, 900, NoiseHit{2600, 2, 160, 4500, 0}, &noise);
    }
    for (int i = 0; i < 16; ++i) {
        if (TuneBass[i] == Rest) continue;
        addNote(b, i * eighth * 2, eighth * 2 - 300, noteMilliHertz(TuneBass[i]), WaveTriangle, 9000, 5000);
    }
    normalisePeak(b);
}

// ---- the menus and the shop -------------------------------------------------

void makeClick(SoundBuffer* b) {
    clearSoundBuffer(b, msToSamples(40));
    NoiseSource noise{0x5EED0009u};
    addNoiseHit(b, 0, msToSamples(30), NoiseHit{14000, 2, 35, 2000, 0}, &noise);
    addTone(b, 0, msToSamples(40), Tone{1800000, WaveSine, 12000, 2, 110, 0});
    normalisePeak(b);
}

void makePurchase(SoundBuffer* b) {
    clearSoundBuffer(b, msToSamples(700));
    NoiseSource noise{0x5EED000Au};
    addNoiseHit(b, 0, msToSamples(40), NoiseHit{8000, 2, 60, 3000, 0}, &noise);
    addBell(b, 0, 19, 12000, msToSamples(90));                   // E6
    addBell(b, msToSamples(90), 26, 14000, msToSamples(140));    // B6
    normalisePeak(b);
}

void makeNoMoney(SoundBuffer* b) {
    clearSoundBuffer(b, msToSamples(520));
    addNote(b, 0, msToSamples(190), 156000, WaveSquare, 12000, 900);
    addNote(b, msToSamples(240), msToSamples(260), 117000, WaveSquare, 12000, 800);
    normalisePeak(b);
}

void makeRefund(SoundBuffer* b) {
    clearSoundBuffer(b, msToSamples(650));
    NoiseSource noise{0x5EED000Bu};
    addBell(b, 0, 26, 12000, msToSamples(80));                   // B6
    addBell(b, msToSamples(80), 19, 13000, msToSamples(130));    // E6
    addNoiseHit(b, msToSamples(80), msToSamples(40), NoiseHit{6000, 2, 60, 3000, 0}, &noise);
    normalisePeak(b);
}

using SoundMaker = void (*)(SoundBuffer*);
const SoundMaker SoundMakers[SoundCount] = {
    makeRide,   makeWind,    makeImpact, makeCrash,    makeDefect,  makeInjury,
    makeFinish, makeCredits, makeClick,  makePurchase, makeNoMoney, makeRefund,
};

}  // namespace

bool writeSounds(const char* outDir) {
    SoundBuffer* b = soundBuffer();
    for (int id = 0; id < SoundCount; ++id) {
        SoundMakers[id](b);
        if (!isLoopSound(id)) fadeOutEnd(b, EndFade);
        if (!writeWave(outDir, SoundFiles[id], b)) return false;
    }
    return true;
}
