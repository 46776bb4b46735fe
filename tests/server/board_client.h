// The board server as the tests see it: a tumblegrade-server process on 127.0.0.1 with
// a port of its own, riders with Ed25519 keys, signed requests, and the shipped demos
// made into distinct rides.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "ride_variants.h"

struct ServerProcess {
    pid_t pid = 0;
    int port = 0;
};

// Starts the server on the database with extra options; false when it does not say
// where it listens within 30 seconds.
bool startServer(const std::string& database, const std::vector<std::string>& options, ServerProcess* server);
// Sends the signal and waits for the exit; the exit status (128 + signal when killed).
int stopServer(ServerProcess* server, int signal);

struct Rider {
    uint8_t publicKey[32];
    uint8_t secretKey[64];
};

Rider newRider();
std::string keyText(const Rider& rider);

struct Answer {
    int status;  // 0 when the server did not answer
    std::string body;
    nlohmann::json json() const;
};

// body signed by signer and sent under the key of keyOwner (the same rider unless a
// test wants the signature not to match).
Answer submitRun(const ServerProcess& server, const std::string& body, const Rider& signer);
Answer submitSignedBy(const ServerProcess& server, const std::string& body, const Rider& keyOwner,
                      const Rider& signer);
Answer putCourse(const ServerProcess& server, const std::string& hash, const std::string& name,
                 const std::string& file, const Rider& rider);
Answer getPath(const ServerProcess& server, const std::string& path);
// The same through a proxy that says the request comes from forwardedFor.
Answer getPathFrom(const ServerProcess& server, const std::string& path, const std::string& forwardedFor);

// A shipped demo's text (data/demos/NAME.tgdemo).
std::string shippedDemo(const std::string& name);
// The demo with its header line "# FIELD ..." given another value.
std::string withHeader(const std::string& demo, const std::string& field, const std::string& value);
std::string courseHashOf(const std::string& demo);
// A course file's fingerprint as the game takes it (FNV-1a, 64 bits), in hex.
std::string courseHashOfFile(const std::string& file);
std::string readFile(const std::string& path);

// A PostgreSQL server for the tests: TG_TEST_POSTGRES_URL names it ("" when there is
// none). freshPostgresDatabase makes an empty database there and gives its URL.
std::string postgresUrl();
std::string freshPostgresDatabase();
