// The board server's request handling on any bytes, without the network: the bytes are
// a request as the HTTP front hands it over,
//   METHOD PATH[?QUERY]\n
//   Name: value\n ... (Tumblegrade-Key, Tumblegrade-Signature, X-Forwarded-For)
//   \n
//   BODY
// answered by handleApiRequest on a SQLite board in a temporary folder. The signature
// "sign" stands for the body signed by the target's own key, so demos reach the replay,
// which the game in this process plays (the worker's code). An uploaded course gets the
// fingerprint and the course checker, not the autopilot's ride (a process of its own).
#include <sodium.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "api.h"
#include "board_store.h"
#include "http_front.h"
#include "rate_limit.h"
#include "shipped_courses.h"
#include "signing.h"
#include "track/course_check.h"
#include "verify_worker.h"

namespace {

constexpr size_t HeaderCapacity = 4096;

struct FuzzBoard {
    uint8_t publicKey[crypto_sign_PUBLICKEYBYTES];
    uint8_t secretKey[crypto_sign_SECRETKEYBYTES];
    char folder[64];
};

FuzzBoard Board;

RideVerdict verifyHere(uint64_t hash, const std::string& course, const std::string& demo, int32_t cap) {
    std::string line = answerRideRequest(hash, course, demo, cap);
    line.pop_back();  // the worker's answer without its line end, as the pool reads it
    return rideVerdictOf(line);
}

CourseVerdict checkWithoutRiding(const std::string& file, uint64_t) {
    const std::string path = std::string(Board.folder) + "/course.tbk";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) std::exit(2);
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    char problem[256];
    CourseVerdict v{};
    v.reason = firstCourseProblem(path.c_str(), problem, sizeof problem) ? problem : "not ridden in the fuzz target";
    return v;
}

// At the end of the run: the board and the worker's course file go with the process.
void removeBoard() {
    closeBoardStore();
    closeWorkerGame();
    for (const char* file : {"/board.sqlite", "/board.sqlite-wal", "/board.sqlite-shm", "/course.tbk"})
        unlink((std::string(Board.folder) + file).c_str());
    rmdir(Board.folder);
}

void openBoard() {
    if (!startSigning()) std::exit(2);
    crypto_sign_seed_keypair(Board.publicKey, Board.secretKey, reinterpret_cast<const unsigned char*>("tumblegrade fuzz target seed 32b"));
    std::snprintf(Board.folder, sizeof Board.folder, "/tmp/tumblegrade-fuzz-XXXXXX");
    if (!mkdtemp(Board.folder)) std::exit(2);
    std::string why;
    if (!openBoardStore(std::string("sqlite:") + Board.folder + "/board.sqlite", 2, &why) ||
        !addShippedCourses(TG_DATA_DIR, &why) || !openWorkerGame(TG_DATA_DIR))
        std::exit(2);
    setBoardCheckers(BoardCheckers{verifyHere, checkWithoutRiding});
    setRateLimits(0, 0);
    std::atexit(removeBoard);
}

std::string lineAt(const std::string& text, size_t* at) {
    const size_t end = text.find('\n', *at);
    const std::string line = text.substr(*at, end == std::string::npos ? std::string::npos : end - *at);
    *at = end == std::string::npos ? text.size() : end + 1;
    return line;
}

void readQuery(const std::string& query, ApiRequest* r) {
    size_t from = 0;
    while (from <= query.size()) {
        size_t end = query.find('&', from);
        if (end == std::string::npos) end = query.size();
        const std::string pair = query.substr(from, end - from);
        const size_t equals = pair.find('=');
        r->query[pair.substr(0, equals)] = equals == std::string::npos ? "" : pair.substr(equals + 1);
        from = end + 1;
    }
}

ApiRequest requestOf(const std::string& bytes) {
    ApiRequest r;
    size_t at = 0;
    const std::string first = lineAt(bytes, &at);
    const size_t space = first.find(' ');
    r.method = first.substr(0, space);
    const std::string target = space == std::string::npos ? "" : first.substr(space + 1);
    const size_t question = target.find('?');
    r.path = target.substr(0, question);
    if (question != std::string::npos) readQuery(target.substr(question + 1), &r);
    std::string forwarded;
    for (std::string line; at < bytes.size() && at < HeaderCapacity && !(line = lineAt(bytes, &at)).empty();) {
        const size_t colon = line.find(": ");
        const std::string name = line.substr(0, colon), value = colon == std::string::npos ? "" : line.substr(colon + 2);
        if (name == "Tumblegrade-Key") r.key = value;
        if (name == "Tumblegrade-Signature") r.signature = value;
        if (name == "X-Forwarded-For") forwarded = value;
    }
    r.body = bytes.substr(at);
    r.address = clientAddress("127.0.0.1", forwarded, {"127.0.0.1"});
    if (r.key == "mine") r.key = encodeBase64(Board.publicKey, sizeof Board.publicKey);
    if (r.signature == "sign") {
        uint8_t signature[crypto_sign_BYTES];
        crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(r.body.data()), r.body.size(),
                             Board.secretKey);
        r.signature = encodeBase64(signature, sizeof signature);
    }
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool open = false;
    if (!open) {
        openBoard();
        open = true;
    }
    const ApiResponse answer = handleApiRequest(requestOf(std::string(reinterpret_cast<const char*>(data), size)));
    if (answer.status < 200 || answer.status > 599 || !answer.route) __builtin_trap();
    // Every answer but a file or demo is JSON or text the API defines.
    if (answer.contentType == "application/json" && (answer.body.empty() || answer.body[0] != '{')) __builtin_trap();
    return 0;
}
