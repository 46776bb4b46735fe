#include "synth.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

SoundBuffer* soundBuffer() {
    static SoundBuffer buffer;
    return &buffer;
}

void clearSoundBuffer(SoundBuffer* b, int length) {
    if (length > SynthMaxSamples) length = SynthMaxSamples;
    for (int i = 0; i < SynthMaxSamples; ++i) b->samples[i] = 0;
    b->length = length;
}

// ---- sources --------------------------------------------------------------

int32_t nextNoise(NoiseSource* n) {
    uint32_t x = n->state ? n->state : 0x9E3779B9u;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    n->state = x;
    return int32_t(x >> 16) - 32768;
}

int32_t noiseBelow(NoiseSource* n, int32_t range) {
    return range > 0 ? (nextNoise(n) + 32768) % range : 0;
}

// sin(pi/2 x) for x in 0..65536 by a fifth-order odd polynomial whose value at 1 is 1.
static int32_t quarterSine(int64_t x) {
    const int64_t a = 102944;  // pi/2
    const int64_t b = 42334;   // (pi/2)^3 / 6
    const int64_t c = 4928;    // 1 - a + b
    const int64_t x2 = (x * x) >> 16;
    const int64_t inner = b - ((x2 * c) >> 16);
    const int64_t value = (x * (a - ((x2 * inner) >> 16))) >> 16;
    return int32_t((value * 32767) >> 16);
}

int32_t sineOf(uint32_t phase) {
    const uint32_t quadrant = phase >> 30;
    const int64_t within = (phase & 0x3FFFFFFFu) >> 14;  // 0..65535
    switch (quadrant) {
    case 0: return quarterSine(within);
    case 1: return quarterSine(65536 - within);
    case 2: return -quarterSine(within);
    default: return -quarterSine(65536 - within);
    }
}

void setFrequency(Oscillator* o, int64_t milliHertz) {
    o->step = uint32_t((milliHertz << 32) / (int64_t(SynthRate) * 1000));
}

int32_t nextWave(Oscillator* o, Wave wave) {
    const uint32_t p = o->phase;
    o->phase += o->step;
    switch (wave) {
    case WaveSquare: return p < 0x80000000u ? 32767 : -32767;
    case WaveSaw: return int32_t(p >> 16) - 32768;
    case WaveTriangle: {
        const int32_t ramp = int32_t(p >> 15);  // 0..131071
        return ramp < 65536 ? ramp - 32768 : 98303 - ramp;
    }
    default: return sineOf(p);
    }
}

// The twelve semitone ratios of an octave in 1/65536.
static const int64_t SemitoneRatios[12] = {65536, 69433, 73562, 77936, 82570, 87480,
                                           92682, 98193, 104032, 110218, 116772, 123715};

int64_t noteMilliHertz(int semitonesFromA4) {
    int octave = 0;
    int step = semitonesFromA4;
    while (step < 0) {
        step += 12;
        --octave;
    }
    octave += step / 12;
    step %= 12;
    int64_t f = (440000 * SemitoneRatios[step]) >> 16;
    for (; octave > 0; --octave) f *= 2;
    for (; octave < 0; ++octave) f /= 2;
    return f;
}

// ---- filters --------------------------------------------------------------

int32_t lowPass(OnePole* f, int32_t x) {
    f->y += int32_t((int64_t(x - f->y) * f->k) >> 16);
    return f->y;
}

int32_t highPass(OnePole* f, int32_t x) { return x - lowPass(f, x); }

int32_t onePoleCoefficient(int hertz) {
    const int64_t w = int64_t(411775) * hertz / SynthRate;  // 2 pi fc / rate in 1/65536
    return int32_t(w * 65536 / (65536 + w));
}

void setBand(BandFilter* f, int hertz, int32_t damping) {
    const uint32_t halfTurn = uint32_t((int64_t(hertz) << 31) / SynthRate);
    f->f = 2 * int32_t((int64_t(sineOf(halfTurn)) * 65536) / 32767);
    f->q = damping;
    f->low = 0;
    f->band = 0;
}

int32_t bandPass(BandFilter* f, int32_t x) {
    f->low += int32_t((int64_t(f->f) * f->band) >> 16);
    const int32_t high = x - f->low - int32_t((int64_t(f->q) * f->band) >> 16);
    f->band += int32_t((int64_t(f->f) * high) >> 16);
    return f->band;
}

// ---- envelopes ------------------------------------------------------------

int32_t decayGain(int t, int halfLife) {
    if (t < 0 || halfLife <= 0) return 0;
    const int halvings = t / halfLife;
    if (halvings >= 16) return 0;
    const int32_t gain = 65536 >> halvings;
    const int32_t next = gain >> 1;
    return gain - int32_t(int64_t(gain - next) * (t % halfLife) / halfLife);
}

int32_t hitGain(int t, int attack, int halfLife) {
    if (t < 0) return 0;
    if (t < attack) return int32_t(int64_t(65536) * t / attack);
    return decayGain(t - attack, halfLife);
}

// ---- finishing ------------------------------------------------------------

void joinLoop(SoundBuffer* b, int length, int fade) {
    if (fade <= 0 || length + fade > SynthMaxSamples) return;
    for (int i = 0; i < fade; ++i)
        b->samples[i] = int32_t((int64_t(b->samples[i]) * i + int64_t(b->samples[length + i]) * (fade - i)) / fade);
    b->length = length;
}

void fadeOutEnd(SoundBuffer* b, int samples) {
    if (samples > b->length) samples = b->length;
    for (int i = 0; i < samples; ++i) {
        int32_t& s = b->samples[b->length - 1 - i];
        s = int32_t(int64_t(s) * i / samples);
    }
}

void normalisePeak(SoundBuffer* b) {
    int32_t peak = 1;
    for (int i = 0; i < b->length; ++i) {
        const int32_t v = b->samples[i] < 0 ? -b->samples[i] : b->samples[i];
        if (v > peak) peak = v;
    }
    for (int i = 0; i < b->length; ++i) b->samples[i] = int32_t(int64_t(b->samples[i]) * SynthPeak / peak);
}

static void putLittle(unsigned char* at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = (unsigned char)(value >> (8 * i));
}

bool writeWave(const char* outDir, const char* name, const SoundBuffer* b) {
    const std::filesystem::path path = std::filesystem::path(outDir) / name;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    const uint32_t dataBytes = uint32_t(b->length) * 2;
    unsigned char header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    putLittle(header + 4, 36 + dataBytes, 4);
    putLittle(header + 16, 16, 4);             // format chunk size
    putLittle(header + 20, 1, 2);              // PCM
    putLittle(header + 22, 1, 2);              // mono
    putLittle(header + 24, SynthRate, 4);
    putLittle(header + 28, SynthRate * 2, 4);  // bytes per second
    putLittle(header + 32, 2, 2);              // bytes per frame
    putLittle(header + 34, 16, 2);             // bits per sample
    header[36] = 'd', header[37] = 'a', header[38] = 't', header[39] = 'a';
    putLittle(header + 40, dataBytes, 4);
    FILE* file = std::fopen(path.string().c_str(), "wb");
    bool ok = file != nullptr && std::fwrite(header, 1, sizeof header, file) == sizeof header;
    for (int i = 0; ok && i < b->length; ++i) {
        int32_t v = b->samples[i];
        if (v > 32767) v = 32767;
        if (v < -32768) v = -32768;
        unsigned char bytes[2];
        putLittle(bytes, uint32_t(v) & 0xFFFFu, 2);
        ok = std::fwrite(bytes, 1, 2, file) == 2;
    }
    if (file != nullptr && std::fclose(file) != 0) ok = false;
    if (!ok) std::fprintf(stderr, "datagen: cannot write %s\n", path.string().c_str());
    return ok;
}
