#include "replay_check.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/scan_codes.h"
#include "demo/demo_file.h"
#include "demo/demo_run_watch.h"
#include "demo/demo_watch.h"
#include "profile/rider_profile.h"

namespace {

// The ride keys, one bit each in the digest's step bytes (server/API.md).
constexpr int DigestKeys[] = {ScanUp, ScanCtrl, ScanLeft, ScanRight, ScanAlt};

uint8_t keyBit(int scanCode) {
    for (int k = 0; k < 5; ++k)
        if (DigestKeys[k] == scanCode) return uint8_t(1u << k);
    return 0;
}

// The ride keys held in every iteration from first to last, both included, as the
// replay fed them: a press holds a key, a release or a tap lets it go.
std::vector<uint8_t> rideKeysHeld(const ReplayScript& script, int first, int last) {
    std::vector<uint8_t> steps;
    uint8_t held = 0;
    size_t next = 0;
    for (int iteration = 0; iteration <= last; ++iteration) {
        for (; next < script.commands.size() && script.commands[next].iteration == iteration; ++next) {
            const ReplayCommand& c = script.commands[next];
            const uint8_t bit = keyBit(int(c.value));
            if (c.type == ReplayPress) held |= bit;
            if (c.type == ReplayRelease || c.type == ReplayTap) held &= uint8_t(~bit);
        }
        if (iteration >= first) steps.push_back(held);
    }
    return steps;
}

void rideDigest(uint64_t courseHash, const std::vector<uint8_t>& steps, uint8_t out[Sha256Bytes]) {
    std::vector<uint8_t> bytes(8 + steps.size());
    for (int i = 0; i < 8; ++i) bytes[size_t(i)] = uint8_t(courseHash >> (56 - 8 * i));
    if (!steps.empty()) std::memcpy(bytes.data() + 8, steps.data(), steps.size());
    sha256(bytes.data(), bytes.size(), out);
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
    const int64_t cap = int64_t(header.start) + maxRideSteps + 1;
    const int maxIterations = int(cap < script.lastIteration + 1 ? cap : script.lastIteration + 1);
    DemoRunWatch run;
    beginDemoRunWatch(&run, header.start);
    const int played = playDemoWithoutPictures(script, maxIterations, &run);
    std::snprintf(check->rider, sizeof check->rider, "%s", Rider.name());
    check->iterations = run.iterations;
    if (!run.ended) {
        std::snprintf(check->reason, sizeof check->reason, "the run does not end within %d ride steps",
                      int(maxRideSteps));
        return;
    }
    if (run.outcome != DemoFinish) {
        std::snprintf(check->reason, sizeof check->reason, "the run is not a finish: it ends in %s",
                      demoOutcomeName(run.outcome));
        return;
    }
    if (run.iterations > maxRideSteps) {
        std::snprintf(check->reason, sizeof check->reason, "the run takes %d ride steps, more than %d",
                      int(run.iterations), int(maxRideSteps));
        return;
    }
    if (!demoRunAsHeader(run, check->rider, header)) {
        std::snprintf(check->reason, sizeof check->reason,
                      "it plays a finish in %d ride steps by %s, not as its header says", int(run.iterations),
                      check->rider);
        return;
    }
    rideDigest(courseHash, rideKeysHeld(script, run.startedAt, played - 1), check->digest);
    check->finished = 1;
}
