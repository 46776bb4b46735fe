// tumblegrade-loadgen: drives a running tumblegrade-server from C concurrent clients,
// each with a key of its own, first with submissions (every demo a distinct ride: the
// given demo with its first push later by a count no other submission uses), then with
// board reads. Prints, for each, the answers a second and the 50th and 99th percentile
// latency.
//   tumblegrade-loadgen [--server HOST:PORT] [--clients C] [--seconds S] [--demo FILE]
//                       [--first-shift N]
// The server should run without rate limits (--rate 0 --key-rate 0): the load comes
// from one address. The rides are the demo's first push later by N, N+1, ...: a second
// run on the same board gives a --first-shift past the last one's, or a fresh board.
#include <httplib.h>
#include <sodium.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ride_variants.h"
#include "signing.h"

namespace {

using Clock = std::chrono::steady_clock;

struct LoadOptions {
    std::string host = "127.0.0.1";
    int port = 8470;
    int clients = 32;
    double seconds = 10;
    std::string demoPath = TG_DEFAULT_DEMO;
};

struct PhaseResult {
    std::vector<double> latencies;  // seconds, of the answers counted
    long counted = 0;               // 201 for submissions, 200 for reads
    long other = 0;                 // any other answer
    int otherStatus = 0;            // the last of them (0: no answer)
};

struct LoadClient {
    uint8_t publicKey[crypto_sign_PUBLICKEYBYTES];
    uint8_t secretKey[crypto_sign_SECRETKEYBYTES];
    PhaseResult result;
};

std::atomic<int> NextShift{1};

std::string courseHashOf(const std::string& demo) {
    const size_t at = demo.find("# course-hash ");
    return at == std::string::npos ? "" : demo.substr(at + 14, 16);
}

void count(PhaseResult* result, int status, int counted, double seconds) {
    if (status == counted) {
        ++result->counted;
        result->latencies.push_back(seconds);
    } else {
        ++result->other;
        result->otherStatus = status;
    }
}

void submitFor(LoadClient* c, const LoadOptions& o, const std::string& demo, Clock::time_point end) {
    httplib::Client http(o.host, o.port);
    http.set_keep_alive(true);
    http.set_tcp_nodelay(true);
    http.set_read_timeout(60, 0);
    const std::string key = encodeBase64(c->publicKey, sizeof c->publicKey);
    while (Clock::now() < end) {
        const std::string body = withFirstPushLater(demo, NextShift++);
        uint8_t signature[crypto_sign_BYTES];
        crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(body.data()), body.size(),
                             c->secretKey);
        const httplib::Headers headers = {{"Tumblegrade-Key", key},
                                          {"Tumblegrade-Signature", encodeBase64(signature, sizeof signature)}};
        const auto start = Clock::now();
        const auto answer = http.Post("/api/v1/runs", headers, body, "text/plain");
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        count(&c->result, answer ? answer->status : 0, 201, seconds);
    }
}

void readFor(LoadClient* c, const LoadOptions& o, const std::string& path, Clock::time_point end) {
    httplib::Client http(o.host, o.port);
    http.set_keep_alive(true);
    http.set_tcp_nodelay(true);
    http.set_read_timeout(60, 0);
    while (Clock::now() < end) {
        const auto start = Clock::now();
        const auto answer = http.Get(path.c_str());
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        count(&c->result, answer ? answer->status : 0, 200, seconds);
    }
}

double percentile(std::vector<double>& values, double p) {
    if (values.empty()) return 0;
    const size_t at = std::min(values.size() - 1, size_t(p * double(values.size())));
    std::nth_element(values.begin(), values.begin() + long(at), values.end());
    return values[at];
}

// Runs one phase on every client and prints its line.
template <typename Work>
void runPhase(const char* name, std::vector<LoadClient>& clients, const LoadOptions& o, Work work) {
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(o.seconds));
    const auto start = Clock::now();
    std::vector<std::thread> threads;
    for (LoadClient& c : clients) {
        c.result = PhaseResult{};
        threads.emplace_back([&c, &o, end, work] { work(&c, o, end); });
    }
    for (std::thread& t : threads) t.join();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    PhaseResult all;
    for (LoadClient& c : clients) {
        all.counted += c.result.counted;
        all.other += c.result.other;
        if (c.result.other) all.otherStatus = c.result.otherStatus;
        all.latencies.insert(all.latencies.end(), c.result.latencies.begin(), c.result.latencies.end());
    }
    std::printf("%-12s %8.1f a second  p50 %7.2f ms  p99 %7.2f ms  (%ld in %.1f s", name,
                double(all.counted) / elapsed, 1000 * percentile(all.latencies, 0.5),
                1000 * percentile(all.latencies, 0.99), all.counted, elapsed);
    if (all.other) std::printf(", %ld other answers, the last %d", all.other, all.otherStatus);
    std::printf(")\n");
}

bool parseOptions(int argc, char** argv, LoadOptions* o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i], value = argv[i + 1];
        if (arg == "--server" && value.rfind(':') != std::string::npos) {
            o->host = value.substr(0, value.rfind(':'));
            o->port = std::atoi(value.c_str() + value.rfind(':') + 1);
        } else if (arg == "--clients") {
            o->clients = std::atoi(value.c_str());
        } else if (arg == "--seconds") {
            o->seconds = std::atof(value.c_str());
        } else if (arg == "--first-shift") {
            NextShift = std::atoi(value.c_str());
        } else if (arg == "--demo") {
            o->demoPath = value;
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && o->clients > 0 && o->clients <= 1024 && o->seconds > 0 && o->port > 0;
}

}  // namespace

int main(int argc, char** argv) {
    LoadOptions options;
    if (!parseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: tumblegrade-loadgen [--server HOST:PORT] [--clients C] [--seconds S] [--demo FILE] [--first-shift N]\n");
        return 2;
    }
    if (!startSigning()) return 1;
    std::ifstream in(options.demoPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string demo = text.str();
    if (courseHashOf(demo).empty()) {
        std::fprintf(stderr, "tumblegrade-loadgen: %s is not a demo\n", options.demoPath.c_str());
        return 2;
    }
    std::vector<LoadClient> clients(size_t(options.clients));
    for (LoadClient& c : clients) crypto_sign_keypair(c.publicKey, c.secretKey);
    std::printf("%d clients, %.0f s a phase, server %s:%d\n", options.clients, options.seconds, options.host.c_str(),
                options.port);
    runPhase("submissions", clients, options, [&demo](LoadClient* c, const LoadOptions& o, Clock::time_point end) {
        submitFor(c, o, demo, end);
    });
    const std::string board = "/api/v1/courses/" + courseHashOf(demo) + "/board?limit=10";
    runPhase("board reads", clients, options, [&board](LoadClient* c, const LoadOptions& o, Clock::time_point end) {
        readFor(c, o, board, end);
    });
    return 0;
}
