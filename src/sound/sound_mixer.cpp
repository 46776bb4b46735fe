// The audio device through SDL2_mixer: one-shots on the mixer's channels, the two
// loops mixed by our own hook so the ride's pitch can follow the speed. Everything is
// mixed a quarter as loud as it is heard, so that no sum of loops and one-shots reaches
// full scale on the way; the limiter after the mix brings it up again and turns down
// only the moments that would pass its ceiling, so the output never clips.
#include <SDL.h>
#include <SDL_mixer.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>

#include "display/display.h"
#include "sound/sound_files.h"
#include "sound/sound_output.h"

namespace {

constexpr int DeviceRate = 44100;
constexpr int DeviceChannels = 2;
constexpr int DeviceChunk = 1024;          // frames per mix: about 23 ms
constexpr int OneShotChannels = 8;
constexpr int OneShotVolume = 100;         // of MIX_MAX_VOLUME
constexpr float RideLevel = 0.55f;         // loops at full volume, of full scale
constexpr float WindLevel = 0.45f;
constexpr int LevelScale = 1 << 16;        // levels cross threads as integers in 1/65536
constexpr int GlideFrames = 1024;          // frames a loop takes to reach a new level
constexpr Uint32 StaleLevelsMs = 250;      // loops fall silent when the game stops setting them
constexpr int Headroom = 4;                // the mix runs this many times below what is heard
constexpr float LimiterCeiling = 29205.0f; // -1 dB of full scale: the loudest sample heard
constexpr float LimiterRecovery = 1.0f / (0.08f * float(DeviceRate));  // back to full gain in ~80 ms

// A loop as the audio thread plays it: where it is and how loud it is now.
struct LoopVoice {
    Mix_Chunk* chunk;
    int frames;                  // frames in the chunk
    int64_t position;            // in frames, 16.16 fixed point
    int32_t volume;              // now, 1/65536
    std::atomic<int32_t> targetVolume;
    std::atomic<int32_t> rate;   // playback rate, 16.16
};

struct Output {
    int open;
    int channels;
    Mix_Chunk* chunks[SoundCount];
    LoopVoice ride, wind;
    std::atomic<int> muted;
    std::atomic<int32_t> loopVolume;  // the player's ride volume times master, 1/65536
    float limiterGain;                // audio thread only
    std::atomic<Uint32> levelsSetAt;  // SDL ticks of the last setLoopLevels
};

Output Out;

Mix_Chunk* loadSound(const char* file) {
    long size = 0;
    uint8_t* bytes = readSearchedFile(file, "", &size);
    if (bytes == nullptr) return nullptr;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, int(size));
    Mix_Chunk* chunk = stream != nullptr ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    delete[] bytes;
    return chunk;
}

// Adds one loop into a buffer of signed 16-bit frames, gliding toward its level.
void mixLoop(LoopVoice* v, int32_t* mix, int frames, int channels, float level) {
    if (v->chunk == nullptr || v->frames < 2) return;
    const int16_t* source = reinterpret_cast<const int16_t*>(v->chunk->abuf);
    const int32_t target = int32_t(float(v->targetVolume.load(std::memory_order_relaxed)) * level);
    const int64_t rate = v->rate.load(std::memory_order_relaxed);
    const int64_t length = int64_t(v->frames) << 16;
    const int32_t step = LevelScale / GlideFrames + 1;
    for (int i = 0; i < frames; ++i) {
        if (v->volume < target) v->volume = v->volume + step > target ? target : v->volume + step;
        if (v->volume > target) v->volume = v->volume - step < target ? target : v->volume - step;
        if (v->volume == 0) continue;
        const int index = int(v->position >> 16);
        const int32_t fraction = int32_t(v->position & 0xFFFF);
        const int32_t a = source[index * channels];
        const int32_t b = source[((index + 1) % v->frames) * channels];
        const int32_t sample = a + int32_t((int64_t(b - a) * fraction) >> 16);
        const int32_t out = int32_t((int64_t(sample) * v->volume) >> 16);
        for (int c = 0; c < channels; ++c) mix[i * channels + c] += out;
        v->position += rate;
        if (v->position >= length) v->position -= length;
    }
}

// The mixer's music hook: runs on the audio thread before the channels are added.
void mixLoops(void*, Uint8* stream, int bytes) {
    static int32_t mix[DeviceChunk * 8 * 2];
    int16_t* out = reinterpret_cast<int16_t*>(stream);
    const int channels = Out.channels;
    int frames = bytes / int(sizeof(int16_t)) / channels;
    while (frames > 0) {
        const int part = frames < DeviceChunk * 2 ? frames : DeviceChunk * 2;
        for (int i = 0; i < part * channels; ++i) mix[i] = 0;
        // A run waiting for the window's focus sets no levels: its loops glide out.
        const bool stale = SDL_GetTicks() - Out.levelsSetAt.load(std::memory_order_relaxed) > StaleLevelsMs;
        const float quiet = Out.muted.load(std::memory_order_relaxed) || stale ? 0.0f : 1.0f;
        const float volume = float(Out.loopVolume.load(std::memory_order_relaxed)) / float(LevelScale) / Headroom;
        mixLoop(&Out.ride, mix, part, channels, RideLevel * quiet * volume);
        mixLoop(&Out.wind, mix, part, channels, WindLevel * quiet * volume);
        for (int i = 0; i < part * channels; ++i)
            out[i] = int16_t(mix[i] > 32767 ? 32767 : (mix[i] < -32768 ? -32768 : mix[i]));
        out += part * channels;
        frames -= part;
    }
}

// After the channels are added: the mix brought up to its real loudness, with the gain
// falling at once wherever a frame would pass the ceiling and recovering slowly.
void limitMix(void*, Uint8* stream, int bytes) {
    int16_t* samples = reinterpret_cast<int16_t*>(stream);
    const int channels = Out.channels;
    const int frames = bytes / int(sizeof(int16_t)) / channels;
    float gain = Out.limiterGain;
    for (int i = 0; i < frames; ++i) {
        int16_t* frame = samples + i * channels;
        float peak = 0.0f;
        for (int c = 0; c < channels; ++c) peak = std::fmax(peak, std::fabs(float(frame[c]) * Headroom));
        gain += (1.0f - gain) * LimiterRecovery;
        if (peak * gain > LimiterCeiling) gain = LimiterCeiling / peak;
        for (int c = 0; c < channels; ++c) frame[c] = int16_t(std::lrint(float(frame[c]) * Headroom * gain));
    }
    Out.limiterGain = gain;
}

void prepareLoop(LoopVoice* v, Mix_Chunk* chunk) {
    v->chunk = chunk;
    v->frames = chunk != nullptr ? int(chunk->alen / (sizeof(int16_t) * unsigned(Out.channels))) : 0;
    v->position = 0;
    v->volume = 0;
    v->targetVolume.store(0);
    v->rate.store(1 << 16);
}

void loadAllSounds() {
    int missing = 0;
    const char* first = nullptr;
    for (int id = 0; id < SoundCount; ++id) {
        Out.chunks[id] = loadSound(SoundFiles[id]);
        if (Out.chunks[id] == nullptr && missing++ == 0) first = SoundFiles[id];
    }
    if (missing > 0)
        std::fprintf(stderr, "tumblegrade: %d sound file%s missing or unreadable, first %s\n", missing,
                     missing == 1 ? "" : "s", first);
}

// Sound libraries below SDL (ALSA above all) write their own complaints to standard
// error when there is no device; while the device is looked for, they go nowhere.
int silenceStandardError() {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int nowhere = open("/dev/null", O_WRONLY);
    if (saved >= 0 && nowhere >= 0) dup2(nowhere, STDERR_FILENO);
    if (nowhere >= 0) close(nowhere);
    return saved;
}

void restoreStandardError(int saved) {
    if (saved < 0) return;
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
}

// The audio subsystem and the mixer's device; 0 with the reason in SDL's error.
int openDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    if (Mix_OpenAudioDevice(DeviceRate, AUDIO_S16SYS, DeviceChannels, DeviceChunk, nullptr,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    return 1;
}

}  // namespace

int openSoundOutput() {
    if (Out.open) return 1;
    const int savedError = silenceStandardError();
    const int opened = openDevice();
    restoreStandardError(savedError);
    if (!opened) {
        std::fprintf(stderr, "tumblegrade: no sound: %s\n", SDL_GetError());
        return 0;
    }
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&rate, &format, &channels) || format != AUDIO_S16SYS || channels < 1 || channels > 8) {
        std::fprintf(stderr, "tumblegrade: no sound: the device offers no 16-bit format\n");
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Out.channels = channels;
    Out.muted.store(0);
    Out.loopVolume.store(LevelScale);
    Out.limiterGain = 1.0f;
    Mix_AllocateChannels(OneShotChannels);
    Mix_Volume(-1, OneShotVolume / Headroom);
    loadAllSounds();
    prepareLoop(&Out.ride, Out.chunks[SoundRide]);
    prepareLoop(&Out.wind, Out.chunks[SoundWind]);
    Mix_HookMusic(mixLoops, nullptr);
    Mix_SetPostMix(limitMix, nullptr);
    Out.open = 1;
    return 1;
}

void closeSoundOutput() {
    if (!Out.open) return;
    Mix_HookMusic(nullptr, nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    for (Mix_Chunk*& chunk : Out.chunks) {
        if (chunk != nullptr) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    Out.ride.chunk = nullptr;
    Out.wind.chunk = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    Out.open = 0;
}

int soundOutputOpen() { return Out.open; }

void playSound(int id) {
    if (!Out.open || id < 0 || id >= SoundCount || isLoopSound(id) || Out.chunks[id] == nullptr) return;
    if (Out.muted.load(std::memory_order_relaxed)) return;
    Mix_PlayChannel(-1, Out.chunks[id], 0);
}

void setLoopLevels(float rideVolume, float ridePitch, float windVolume) {
    if (!Out.open) return;
    Out.ride.targetVolume.store(int32_t(rideVolume * float(LevelScale)), std::memory_order_relaxed);
    Out.ride.rate.store(int32_t(ridePitch * float(LevelScale)), std::memory_order_relaxed);
    Out.wind.targetVolume.store(int32_t(windVolume * float(LevelScale)), std::memory_order_relaxed);
    Out.levelsSetAt.store(SDL_GetTicks(), std::memory_order_relaxed);
}

void setSoundMuted(int muted) {
    if (!Out.open) return;
    Out.muted.store(muted ? 1 : 0, std::memory_order_relaxed);
    if (muted) Mix_HaltChannel(-1);
}

void setSoundVolumes(float master, float ride, float effects) {
    if (!Out.open) return;
    Out.loopVolume.store(int32_t(master * ride * float(LevelScale)), std::memory_order_relaxed);
    Mix_Volume(-1, int(std::lrint(float(OneShotVolume) * master * effects / Headroom)));
}
