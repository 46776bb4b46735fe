#include "rate_limit.h"

#include <chrono>
#include <mutex>
#include <unordered_map>

namespace {

constexpr size_t BucketCapacity = 100000;  // beyond this, full buckets are forgotten

struct Bucket {
    double tokens;
    double at;  // seconds of the steady clock when tokens were counted
};

struct Limiter {
    std::mutex lock;
    double rate;
    std::unordered_map<std::string, Bucket> buckets;
};

Limiter AddressLimits{{}, 100, {}}, KeyLimits{{}, 5, {}};

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void forgetFullBuckets(Limiter& limiter, double time) {
    for (auto it = limiter.buckets.begin(); it != limiter.buckets.end();)
        it = (time - it->second.at) * limiter.rate >= 2 * limiter.rate ? limiter.buckets.erase(it) : std::next(it);
}

int allow(Limiter& limiter, const std::string& who) {
    std::lock_guard<std::mutex> hold(limiter.lock);
    if (limiter.rate <= 0) return 1;
    const double time = now(), burst = 2 * limiter.rate;
    if (limiter.buckets.size() >= BucketCapacity) forgetFullBuckets(limiter, time);
    auto [it, fresh] = limiter.buckets.try_emplace(who, Bucket{burst, time});
    Bucket& b = it->second;
    if (!fresh) {
        b.tokens = std::min(burst, b.tokens + (time - b.at) * limiter.rate);
        b.at = time;
    }
    if (b.tokens < 1) return 0;
    b.tokens -= 1;
    return 1;
}

}  // namespace

void setRateLimits(double perAddress, double perKey) {
    AddressLimits.rate = perAddress;
    KeyLimits.rate = perKey;
}

int allowAddress(const std::string& address) { return allow(AddressLimits, address); }

int allowKey(const std::string& key) { return allow(KeyLimits, key); }

void resetRateLimits() {
    for (Limiter* limiter : {&AddressLimits, &KeyLimits}) {
        std::lock_guard<std::mutex> hold(limiter->lock);
        limiter->buckets.clear();
    }
}
