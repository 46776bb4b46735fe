#include "board_client.h"

#include <httplib.h>
#include <signal.h>
#include <sodium.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <pqxx/pqxx>
#include <sstream>
#include <thread>

bool startServer(const std::string& database, const std::vector<std::string>& options, ServerProcess* server) {
    int out[2];
    if (pipe(out) != 0) return false;
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // the server ends with the test that started it
        dup2(out[1], 1);
        close(out[0]);
        setenv("LSAN_OPTIONS", "suppressions=" TG_SOURCE_DIR "/tests/server/lsan_suppressions.txt", 1);
        std::vector<std::string> args = {TG_SERVER_EXE, "--listen", "127.0.0.1:0", "--database", database,
                                         "--data",      TG_DATA_DIR, "--workers", "2"};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(TG_SERVER_EXE, argv.data());
        _exit(127);
    }
    close(out[1]);
    server->pid = pid;
    std::string line;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    const size_t colon = line.rfind(':');
    if (line.rfind("listening on ", 0) != 0 || colon == std::string::npos) return false;
    server->port = std::atoi(line.c_str() + colon + 1);
    return server->port > 0;
}

int stopServer(ServerProcess* server, int signal) {
    if (server->pid <= 0) return -1;
    kill(server->pid, signal);
    int status = 0;
    waitpid(server->pid, &status, 0);
    server->pid = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

Rider newRider() {
    Rider rider;
    if (sodium_init() < 0) std::abort();
    crypto_sign_keypair(rider.publicKey, rider.secretKey);
    return rider;
}

namespace {

std::string base64(const uint8_t* bytes, size_t size) {
    std::string text(sodium_base64_encoded_len(size, sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(text.data(), text.size(), bytes, size, sodium_base64_VARIANT_ORIGINAL);
    text.pop_back();
    return text;
}

std::string signatureText(const std::string& body, const Rider& signer) {
    uint8_t signature[crypto_sign_BYTES];
    crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(body.data()), body.size(),
                         signer.secretKey);
    return base64(signature, sizeof signature);
}

Answer answerOf(const httplib::Result& result) {
    if (!result) return Answer{0, ""};
    return Answer{result->status, result->body};
}

httplib::Client clientOf(const ServerProcess& server) {
    httplib::Client client("127.0.0.1", server.port);
    client.set_read_timeout(280, 0);  // a course check rides the course: slow under the sanitizers
    return client;
}

}  // namespace

std::string keyText(const Rider& rider) { return base64(rider.publicKey, sizeof rider.publicKey); }

nlohmann::json Answer::json() const { return nlohmann::json::parse(body, nullptr, false); }

Answer submitSignedBy(const ServerProcess& server, const std::string& body, const Rider& keyOwner,
                      const Rider& signer) {
    httplib::Client client = clientOf(server);
    const httplib::Headers headers = {{"Tumblegrade-Key", keyText(keyOwner)},
                                      {"Tumblegrade-Signature", signatureText(body, signer)}};
    return answerOf(client.Post("/api/v1/runs", headers, body, "text/plain"));
}

Answer submitRun(const ServerProcess& server, const std::string& body, const Rider& signer) {
    return submitSignedBy(server, body, signer, signer);
}

Answer putCourse(const ServerProcess& server, const std::string& hash, const std::string& name,
                 const std::string& file, const Rider& rider) {
    httplib::Client client = clientOf(server);
    const httplib::Headers headers = {{"Tumblegrade-Key", keyText(rider)},
                                      {"Tumblegrade-Signature", signatureText(file, rider)}};
    return answerOf(client.Put(("/api/v1/courses/" + hash + "?name=" + name).c_str(), headers, file,
                               "application/octet-stream"));
}

Answer getPath(const ServerProcess& server, const std::string& path) {
    httplib::Client client = clientOf(server);
    return answerOf(client.Get(path.c_str()));
}

Answer getPathFrom(const ServerProcess& server, const std::string& path, const std::string& forwardedFor) {
    httplib::Client client = clientOf(server);
    return answerOf(client.Get(path.c_str(), httplib::Headers{{"X-Forwarded-For", forwardedFor}}));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string shippedDemo(const std::string& name) { return readFile(std::string(TG_SOURCE_DIR) + "/data/demos/" + name + ".tgdemo"); }

std::string withHeader(const std::string& demo, const std::string& field, const std::string& value) {
    const std::string tag = "# " + field + " ";
    const size_t at = demo.find("\n" + tag);
    if (at == std::string::npos) return demo;
    const size_t end = demo.find('\n', at + 1);
    return demo.substr(0, at + 1) + tag + value + demo.substr(end);
}

std::string courseHashOf(const std::string& demo) {
    const std::string tag = "# course-hash ";
    const size_t at = demo.find(tag);
    return at == std::string::npos ? "" : demo.substr(at + tag.size(), 16);
}

std::string courseHashOfFile(const std::string& file) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : file) hash = (hash ^ c) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string postgresUrl() {
    const char* url = std::getenv("TG_TEST_POSTGRES_URL");
    return url ? url : "";
}

std::string freshPostgresDatabase() {
    static int made = 0;
    const std::string base = postgresUrl();
    const std::string name = "tg_test_" + std::to_string(getpid()) + "_" + std::to_string(++made);
    pqxx::connection admin(base);
    pqxx::nontransaction work(admin);
    work.exec("DROP DATABASE IF EXISTS " + name);
    work.exec("CREATE DATABASE " + name);
    const size_t slash = base.rfind('/');
    const size_t query = base.find('?', slash);
    return base.substr(0, slash + 1) + name + (query == std::string::npos ? "" : base.substr(query));
}
