// The generator's sound bench: integer oscillators, a noise source, filters and
// envelopes that add into one sample buffer, and the WAV writer. Everything is
// integer arithmetic, so every build writes the same bytes.
#pragma once

#include <cstdint>

constexpr int SynthRate = 22050;               // samples per second of every file
constexpr int SynthMaxSamples = SynthRate * 10;
constexpr int32_t SynthPeak = 29000;           // just below -1 dBFS (29204)

inline int msToSamples(int ms) { return int(int64_t(ms) * SynthRate / 1000); }

// The buffer a sound is mixed into, in 16-bit units with headroom.
struct SoundBuffer {
    int length;
    int32_t samples[SynthMaxSamples];
};

SoundBuffer* soundBuffer();
void clearSoundBuffer(SoundBuffer* b, int length);

// ---- sources --------------------------------------------------------------
struct NoiseSource {
    uint32_t state;
};
// -32768..32767, xorshift.
int32_t nextNoise(NoiseSource* n);
// 0..range-1.
int32_t noiseBelow(NoiseSource* n, int32_t range);

enum Wave { WaveSine, WaveSquare, WaveSaw, WaveTriangle };

// A phase accumulator; frequencies are in milli-hertz.
struct Oscillator {
    uint32_t phase;
    uint32_t step;
};
void setFrequency(Oscillator* o, int64_t milliHertz);
// -32767..32767, then the phase moves on.
int32_t nextWave(Oscillator* o, Wave wave);
// Sine of a phase (full turn = 2^32), -32767..32767.
int32_t sineOf(uint32_t phase);

// Frequency of a note in milli-hertz: semitones from A4 (440 Hz).
int64_t noteMilliHertz(int semitonesFromA4);

// ---- filters --------------------------------------------------------------
// One pole: coefficient in 1/65536 (larger = brighter).
struct OnePole {
    int32_t y;
    int32_t k;
};
int32_t lowPass(OnePole* f, int32_t x);
int32_t highPass(OnePole* f, int32_t x);
// The coefficient for a cut-off frequency in hertz (below the Nyquist limit).
int32_t onePoleCoefficient(int hertz);

// A state-variable filter; band pass around its centre.
struct BandFilter {
    int32_t low, band;
    int32_t f;  // 2 sin(pi fc / rate) in 1/65536
    int32_t q;  // damping in 1/65536 (65536 = wide)
};
void setBand(BandFilter* f, int hertz, int32_t damping);
int32_t bandPass(BandFilter* f, int32_t x);

// ---- envelopes (gains in 1/65536) ------------------------------------------
// Halves every halfLife samples, smoothly between the halvings.
int32_t decayGain(int t, int halfLife);
// Rises linearly over attack samples, then decays with the half-life.
int32_t hitGain(int t, int attack, int halfLife);
inline int32_t applyGain(int32_t x, int32_t gain) { return int32_t((int64_t(x) * gain) >> 16); }

// ---- finishing ------------------------------------------------------------
// Mixes the end of the buffer (fade samples past length) into its start, so the
// last sample runs on into the first; the buffer must hold length + fade samples.
void joinLoop(SoundBuffer* b, int length, int fade);
// Fades the last samples of the buffer out, so a sound cut at its end never clicks.
void fadeOutEnd(SoundBuffer* b, int samples);
// Scales the buffer so its largest sample is SynthPeak.
void normalisePeak(SoundBuffer* b);
// Writes the buffer as a 16-bit PCM mono WAV file at outDir/name.
bool writeWave(const char* outDir, const char* name, const SoundBuffer* b);
