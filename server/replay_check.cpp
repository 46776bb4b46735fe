#include "replay_check.h"

#include <sodium.h>

#include <cstdio>
#include <cstring>

#include "base/scan_codes.h"
#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "framework/framework.h"

namespace {

// The ride keys, one bit each in the digest's iteration bytes (server/API.md).
constexpr int DigestKeys[] = {ScanUp, ScanCtrl, ScanLeft, ScanRight, ScanAlt};

// After every iteration of the run: the ride keys the game holds go into the digest.
void digestRideKeys(void* context, int) {
    uint8_t held = 0;
    for (int k = 0; k < 5; ++k)
        if (isKeyDown(DigestKeys[k])) held |= uint8_t(1u << k);
    crypto_hash_sha256_update(static_cast<crypto_hash_sha256_state*>(context), &held, 1);
}

}  // namespace

void checkRide(const std::string& demoText, uint64_t courseHash, int32_t maxRideSteps, RideCheck* check) {
    *check = RideCheck{};
    DemoHeader header{};
    ReplayScript script;
    std::string error;
    if (!parseDemoText(demoText, &header, &script, &error)) {
        std::snprintf(check->reason, sizeof check->reason, "not a demo: %s", error.c_str());
        return;
    }
    crypto_hash_sha256_state digest;
    crypto_hash_sha256_init(&digest);
    uint8_t course[8];
    for (int i = 0; i < 8; ++i) course[i] = uint8_t(courseHash >> (56 - 8 * i));
    crypto_hash_sha256_update(&digest, course, sizeof course);
    // The run starts at the header's start at the earliest: no run longer than the cap
    // can end before this many iterations have played.
    const int64_t cap = int64_t(header.start) + maxRideSteps + 1;
    const DemoPlayed played = playDemoRun(header, script, int(cap < (1 << 30) ? cap : 1 << 30), digestRideKeys, &digest);
    std::snprintf(check->rider, sizeof check->rider, "%s", played.rider);
    check->iterations = played.iterations;
    if (!played.ended)
        std::snprintf(check->reason, sizeof check->reason, "the run does not end within %d ride steps",
                      int(maxRideSteps));
    else if (played.outcome != DemoFinish)
        std::snprintf(check->reason, sizeof check->reason, "the run is not a finish: it ends in %s",
                      demoOutcomeName(played.outcome));
    else if (played.iterations > maxRideSteps)
        std::snprintf(check->reason, sizeof check->reason, "the run takes %d ride steps, more than %d",
                      int(played.iterations), int(maxRideSteps));
    else if (!demoPlayedAsHeader(played, header))
        std::snprintf(check->reason, sizeof check->reason,
                      "it plays a finish in %d ride steps by %s, not as its header says", int(played.iterations),
                      played.rider);
    else
        check->finished = 1;
    crypto_hash_sha256_final(&digest, check->digest);
}
