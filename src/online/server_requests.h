// The board server's requests as the game makes them (server/API.md), each blocking with
// short time limits: call them from a thread of their own or the command line, never
// from the main loop. A server is a URL, http://host[:port][/path].
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "online/identity.h"

constexpr size_t BoardAnswerLimit = 256 * 1024;
constexpr size_t DemoAnswerLimit = 4 * 1024 * 1024;
constexpr int RequestTimeLimitMs = 8000;

struct ServerAnswer {
    int status;         // the HTTP status; 0 when the server did not answer
    std::string body;
    std::string error;  // why there is no answer, or the body was cut ("" otherwise)
    int reached;        // a connection was made (a server is there, whatever it said)
};

// A GET whose answer is read up to `bodyLimit` bytes and `timeLimitMs` in all; a larger
// or slower answer is dropped (status 0, error says why). `stop` set ends it early.
ServerAnswer serverGet(const std::string& server, const std::string& path, size_t bodyLimit, int timeLimitMs,
                       const std::atomic<int>* stop = nullptr);
// A signed POST or PUT of `body` (the rider's key and the signature of the body).
ServerAnswer serverSend(const std::string& server, const char* method, const std::string& path,
                        const std::string& body, const RiderIdentity& identity, const std::atomic<int>* stop = nullptr);

// The reason of a refusal ({"reason": ...}), or the body's first line.
std::string answerReason(const ServerAnswer& answer);
// A course's fingerprint as the API writes it: 16 lowercase hex digits.
std::string courseHashText(uint64_t hash);
// A name as a URL query value.
std::string urlQueryValue(const std::string& text);
