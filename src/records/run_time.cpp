#include "records/run_time.h"

#include <cstdio>

namespace {

// Whole hundredths of a second in `steps` ride steps, rounded down.
int64_t hundredthsOf(int64_t steps) { return steps * 100 / RideStepsPerSecond; }

}  // namespace

void formatRunTime(int32_t steps, char* out, int size) {
    const int64_t h = steps > 0 ? hundredthsOf(steps) : 0;
    std::snprintf(out, size_t(size), "%lld:%02lld.%02lld", (long long)(h / 6000), (long long)(h / 100 % 60),
                  (long long)(h % 100));
}

void formatSplitDelta(int32_t steps, char* out, int size) {
    const char sign = steps < 0 ? '-' : '+';
    const int64_t h = hundredthsOf(steps < 0 ? -int64_t(steps) : int64_t(steps));
    if (h < 6000)
        std::snprintf(out, size_t(size), "%c%lld.%02lld", sign, (long long)(h / 100), (long long)(h % 100));
    else
        std::snprintf(out, size_t(size), "%c%lld:%02lld.%02lld", sign, (long long)(h / 6000),
                      (long long)(h / 100 % 60), (long long)(h % 100));
}
