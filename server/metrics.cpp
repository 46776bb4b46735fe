#include "metrics.h"

#include <cstdio>
#include <map>
#include <mutex>
#include <utility>

namespace {

struct Metrics {
    std::mutex lock;
    std::map<std::pair<std::string, int>, unsigned long long> requests;
    unsigned long long verified, refused;
    double verifySeconds;
};

Metrics Counts;

}  // namespace

void countRequest(const char* route, int status) {
    std::lock_guard<std::mutex> hold(Counts.lock);
    ++Counts.requests[{route, status}];
}

void countVerification(int finished, double seconds) {
    std::lock_guard<std::mutex> hold(Counts.lock);
    ++(finished ? Counts.verified : Counts.refused);
    Counts.verifySeconds += seconds;
}

std::string metricsText(double databaseSeconds) {
    std::lock_guard<std::mutex> hold(Counts.lock);
    std::string text = "# HELP tumblegrade_requests_total HTTP requests by route and status.\n"
                       "# TYPE tumblegrade_requests_total counter\n";
    char line[1024];
    for (const auto& [labels, count] : Counts.requests) {
        std::snprintf(line, sizeof line, "tumblegrade_requests_total{route=\"%s\",status=\"%d\"} %llu\n",
                      labels.first.c_str(), labels.second, count);
        text += line;
    }
    std::snprintf(line, sizeof line,
                  "# HELP tumblegrade_runs_verified_total Demos whose replay is a finish as their header says.\n"
                  "# TYPE tumblegrade_runs_verified_total counter\ntumblegrade_runs_verified_total %llu\n"
                  "# HELP tumblegrade_runs_refused_total Demos whose replay was refused.\n"
                  "# TYPE tumblegrade_runs_refused_total counter\ntumblegrade_runs_refused_total %llu\n",
                  Counts.verified, Counts.refused);
    text += line;
    std::snprintf(line, sizeof line,
                  "# HELP tumblegrade_verification_seconds_total Seconds spent replaying demos.\n"
                  "# TYPE tumblegrade_verification_seconds_total counter\ntumblegrade_verification_seconds_total %.6f\n"
                  "# HELP tumblegrade_database_seconds_total Seconds spent in the database.\n"
                  "# TYPE tumblegrade_database_seconds_total counter\ntumblegrade_database_seconds_total %.6f\n",
                  Counts.verifySeconds, databaseSeconds);
    text += line;
    return text;
}
