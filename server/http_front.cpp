#include "http_front.h"

#include <httplib.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "api.h"

namespace {

constexpr int HandlerThreads = 64;  // keep-alive clients each hold one while connected

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void answer(const httplib::Request& in, httplib::Response& out, const std::vector<std::string>& proxies) {
    ApiRequest request;
    request.method = in.method;
    request.path = in.path;
    for (const auto& [name, value] : in.params) request.query.emplace(name, value);
    request.key = in.get_header_value("Tumblegrade-Key");
    request.signature = in.get_header_value("Tumblegrade-Signature");
    request.body = in.body;
    request.address = clientAddress(in.remote_addr, in.get_header_value("X-Forwarded-For"), proxies);
    const ApiResponse response = handleApiRequest(request);
    out.status = response.status;
    out.set_content(response.body, response.contentType.c_str());
}

}  // namespace

std::string clientAddress(const std::string& peer, const std::string& forwardedFor,
                          const std::vector<std::string>& trustedProxies) {
    if (forwardedFor.empty() || std::find(trustedProxies.begin(), trustedProxies.end(), peer) == trustedProxies.end())
        return peer;
    const size_t comma = forwardedFor.rfind(',');
    const std::string last = trimmed(comma == std::string::npos ? forwardedFor : forwardedFor.substr(comma + 1));
    return last.empty() ? peer : last;
}

bool serveHttp(const std::string& host, int port, const std::vector<std::string>& trustedProxies) {
    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(HandlerThreads); };
    server.set_payload_max_length(BodyCapacity);
    server.set_keep_alive_max_count(100000);  // a client keeps its connection
    server.set_tcp_nodelay(true);  // an answer leaves at once, not after the peer's delayed ack
    server.set_read_timeout(10, 0);
    server.set_write_timeout(10, 0);
    auto handler = [&trustedProxies](const httplib::Request& in, httplib::Response& out) {
        answer(in, out, trustedProxies);
    };
    server.Get(".*", handler);
    server.Post(".*", handler);
    server.Put(".*", handler);
    server.Delete(".*", handler);
    server.Patch(".*", handler);
    const int bound = port == 0 ? server.bind_to_any_port(host.c_str()) : server.bind_to_port(host.c_str(), port) ? port : -1;
    if (bound < 0) {
        std::fprintf(stderr, "tumblegrade-server: cannot listen on %s:%d\n", host.c_str(), port);
        return false;
    }
    // SIGTERM and SIGINT are blocked in every thread (main did so): this one waits for them.
    std::thread stopper([&server] {
        sigset_t ends;
        sigemptyset(&ends);
        sigaddset(&ends, SIGTERM);
        sigaddset(&ends, SIGINT);
        sigaddset(&ends, SIGUSR1);
        int signal = 0;
        sigwait(&ends, &signal);
        server.stop();
    });
    std::printf("listening on %s:%d\n", host.c_str(), bound);
    std::fflush(stdout);
    const bool served = server.listen_after_bind();
    pthread_kill(stopper.native_handle(), SIGUSR1);  // when listening ended by itself
    stopper.join();
    return served;
}
