// The generated sounds: 16-bit mono WAV files of a sensible length, never clipping,
// and loops whose end runs on into their start without a click.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "sound/sound_files.h"
#include "support/test_support.h"

namespace {

struct Wave {
    int rate = 0;
    std::vector<int> samples;
};

unsigned little(const std::vector<unsigned char>& b, size_t at, int bytes) {
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + size_t(i)];
    return v;
}

// Reads the canonical 44-byte header the generator writes; fails the test otherwise.
Wave readWave(const std::string& name) {
    Wave wave;
    const std::vector<unsigned char> b = readBinaryFile(std::string(TG_DATA_DIR) + "/" + name);
    EXPECT_GE(b.size(), 44u) << name;
    if (b.size() < 44) return wave;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << name;
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ") << name;
    EXPECT_EQ(little(b, 20, 2), 1u) << name << ": PCM";
    EXPECT_EQ(little(b, 22, 2), 1u) << name << ": mono";
    EXPECT_EQ(little(b, 34, 2), 16u) << name << ": 16 bits";
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data") << name;
    EXPECT_EQ(little(b, 40, 4), b.size() - 44) << name << ": data size";
    wave.rate = int(little(b, 24, 4));
    for (size_t at = 44; at + 1 < b.size(); at += 2) wave.samples.push_back(int(int16_t(little(b, at, 2))));
    return wave;
}

// Shortest and longest length of each sound, in milliseconds.
const int LengthLimits[SoundCount][2] = {
    {500, 4000},   // ride loop
    {1000, 6000},  // wind loop
    {150, 1000},   // impact
    {500, 3000},   // crash
    {300, 2000},   // defect
    {500, 3000},   // injury
    {800, 4000},   // finish
    {4000, 15000}, // credits tune
    {10, 120},     // menu click
    {200, 1200},   // purchase
    {200, 1200},   // not enough money
    {200, 1200},   // refund
};

constexpr int MinusOneDecibel = 29204;  // 32768 * 10^(-1/20)

}  // namespace

TEST(GeneratedSounds, EverySoundHasItsLengthAndPeaksBelowMinusOneDecibel) {
    for (int id = 0; id < SoundCount; ++id) {
        const Wave wave = readWave(SoundFiles[id]);
        ASSERT_GT(wave.rate, 0) << SoundFiles[id];
        const long ms = long(wave.samples.size()) * 1000 / wave.rate;
        EXPECT_GE(ms, LengthLimits[id][0]) << SoundFiles[id];
        EXPECT_LE(ms, LengthLimits[id][1]) << SoundFiles[id];
        int peak = 0;
        for (int s : wave.samples) peak = std::max(peak, std::abs(s));
        EXPECT_LE(peak, MinusOneDecibel) << SoundFiles[id];
        EXPECT_GT(peak, MinusOneDecibel / 2) << SoundFiles[id] << " is hardly audible";
    }
}

TEST(GeneratedSounds, LoopsJoinWithoutAClick) {
    // The step from the last sample back to the first is no larger than a usual step
    // inside the loop (at most twice the mean step, and far below the largest).
    for (int id : {SoundRide, SoundWind}) {
        const Wave wave = readWave(SoundFiles[id]);
        ASSERT_GT(wave.samples.size(), 1000u) << SoundFiles[id];
        long total = 0;
        int largest = 0;
        for (size_t i = 1; i < wave.samples.size(); ++i) {
            const int step = std::abs(wave.samples[i] - wave.samples[i - 1]);
            total += step;
            largest = std::max(largest, step);
        }
        const long mean = total / long(wave.samples.size() - 1);
        const int join = std::abs(wave.samples.front() - wave.samples.back());
        EXPECT_LE(join, 2 * mean + 1) << SoundFiles[id] << ": largest step inside " << largest;
    }
}
