#include "online/server_requests.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace {

constexpr int ConnectSeconds = 2;
constexpr int ReadSeconds = 3;

using Clock = std::chrono::steady_clock;

// "http://host:port/prefix" into the client's "http://host:port" and the path before
// every request's.
void splitServer(const std::string& server, std::string* origin, std::string* prefix) {
    const size_t scheme = server.find("://");
    const size_t pathAt = server.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    *origin = pathAt == std::string::npos ? server : server.substr(0, pathAt);
    *prefix = pathAt == std::string::npos ? std::string() : server.substr(pathAt);
    while (!prefix->empty() && prefix->back() == '/') prefix->pop_back();
}

void limitTimes(httplib::Client* client) {
    client->set_connection_timeout(ConnectSeconds, 0);
    client->set_read_timeout(ReadSeconds, 0);
    client->set_write_timeout(ReadSeconds, 0);
    client->set_keep_alive(false);
}

std::string failureText(httplib::Error error) { return httplib::to_string(error); }

// A server that was there: the connection was made, whatever happened after.
int reachedDespite(httplib::Error error) {
    return error != httplib::Error::Connection && error != httplib::Error::ConnectionTimeout &&
           error != httplib::Error::BindIPAddress && error != httplib::Error::Unknown;
}

// A client of the server with its time limits, handed to `request` with the path prefix;
// an answer that says why when the URL is no server this client can reach.
template <typename Request>
ServerAnswer requestTo(const std::string& server, Request request) {
    std::string origin, prefix;
    splitServer(server, &origin, &prefix);
    httplib::Client client(origin);
    ServerAnswer answer{0, {}, {}, 0};
    if (!client.is_valid()) {
        answer.error = "not a server this game can reach: " + server;
        return answer;
    }
    limitTimes(&client);
    request(client, prefix, &answer);
    return answer;
}

}  // namespace

ServerAnswer serverGet(const std::string& server, const std::string& path, size_t bodyLimit, int timeLimitMs,
                       const std::atomic<int>* stop) {
    return requestTo(server, [&](httplib::Client& client, const std::string& prefix, ServerAnswer* answer) {
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeLimitMs);
        bool tooLarge = false, tooSlow = false;
        auto receive = [&](const char* data, size_t length) {
            if (answer->body.size() + length > bodyLimit) return !(tooLarge = true);
            if (Clock::now() > deadline || (stop && *stop)) return !(tooSlow = true);
            answer->body.append(data, length);
            return true;
        };
        auto progress = [&](uint64_t, uint64_t) {
            return !(Clock::now() > deadline || (stop && *stop)) || !(tooSlow = true);
        };
        const httplib::Result result = client.Get(prefix + path, httplib::Headers{}, receive, progress);
        if (tooLarge || tooSlow || !result) {
            answer->body.clear();
            answer->error = tooLarge  ? "the answer is too large"
                            : tooSlow ? "the answer is too slow"
                                      : failureText(result.error());
            answer->reached = tooLarge || tooSlow || reachedDespite(result.error());
            return;
        }
        answer->status = result->status;
        answer->reached = 1;
    });
}

ServerAnswer serverSend(const std::string& server, const char* method, const std::string& path,
                        const std::string& body, const RiderIdentity& identity, const std::atomic<int>* stop) {
    return requestTo(server, [&](httplib::Client& client, const std::string& prefix, ServerAnswer* answer) {
        const httplib::Headers headers = {{"Tumblegrade-Key", publicKeyText(identity)},
                                          {"Tumblegrade-Signature", signatureText(identity, body)}};
        if (stop && *stop) {
            answer->error = "stopped";
            return;
        }
        const bool put = std::string(method) == "PUT";
        const httplib::Result result = put ? client.Put(prefix + path, headers, body, "application/octet-stream")
                                           : client.Post(prefix + path, headers, body, "application/octet-stream");
        if (!result) {
            answer->error = failureText(result.error());
            answer->reached = reachedDespite(result.error());
            return;
        }
        answer->status = result->status;
        answer->reached = 1;
        answer->body = result->body.substr(0, BoardAnswerLimit);
    });
}

std::string answerReason(const ServerAnswer& answer) {
    if (answer.status == 0) return answer.error;
    const nlohmann::json json = nlohmann::json::parse(answer.body, nullptr, false);
    if (json.is_object() && json.contains("reason") && json["reason"].is_string())
        return json["reason"].get<std::string>();
    const std::string first = answer.body.substr(0, answer.body.find('\n'));
    return first.substr(0, 200);
}

std::string courseHashText(uint64_t hash) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string urlQueryValue(const std::string& text) {
    static const char Digits[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += char(c);
        } else {
            out += '%';
            out += Digits[c >> 4];
            out += Digits[c & 15];
        }
    }
    return out;
}
