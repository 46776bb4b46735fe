#include "api.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <unordered_map>
#include <vector>

#include "board_store.h"
#include "board_text.h"
#include "demo/demo_file.h"
#include "metrics.h"
#include "coursegen/daily_course.h"
#include "rate_limit.h"
#include "replay_check.h"
#include "shipped_courses.h"
#include "signing.h"

using nlohmann::json;

namespace {

constexpr int DefaultBoardLimit = 10, MaxBoardLimit = 100;
constexpr long MaxOffset = 100000000;
constexpr size_t CourseNameBytes = 64;

BoardCheckers Checkers;

// The courses this process has read: a course's file never changes under its hash.
struct KnownCourses {
    std::mutex lock;
    std::unordered_map<uint64_t, std::shared_ptr<const CourseRow>> rows;
};

KnownCourses Known;

ApiResponse jsonAnswer(int status, const json& body, const char* route) {
    return ApiResponse{status, "application/json", body.dump(-1, ' ', false, json::error_handler_t::replace) + "\n",
                       route};
}

ApiResponse refusal(int status, const std::string& reason, const char* route) {
    return jsonAnswer(status, json{{"reason", reason}}, route);
}

ApiResponse databaseDown(const char* route) { return refusal(503, "the database does not answer", route); }

// StoreDone with the row, StoreMissing, or StoreDown.
int knownCourse(uint64_t hash, std::shared_ptr<const CourseRow>* row) {
    {
        std::lock_guard<std::mutex> hold(Known.lock);
        auto it = Known.rows.find(hash);
        if (it != Known.rows.end()) {
            *row = it->second;
            return StoreDone;
        }
    }
    auto fresh = std::make_shared<CourseRow>();
    const int answer = findCourseRow(hash, fresh.get());
    if (answer != StoreDone) return answer;
    std::lock_guard<std::mutex> hold(Known.lock);
    *row = Known.rows.emplace(hash, fresh).first->second;
    return StoreDone;
}

std::vector<std::string> segmentsOf(const std::string& path) {
    std::vector<std::string> parts;
    size_t from = 1;
    if (path.empty() || path[0] != '/') return parts;
    for (size_t end; from <= path.size(); from = end + 1) {
        end = path.find('/', from);
        if (end == std::string::npos) end = path.size();
        parts.push_back(path.substr(from, end - from));
    }
    return parts;
}

// The signing headers checked against the body: 0 when they match, else the status.
int signedBody(const ApiRequest& r, uint8_t key[RiderKeyBytes], std::string* why) {
    uint8_t signature[SignatureBytes];
    if (!decodeBase64(r.key, key, RiderKeyBytes)) {
        *why = "Tumblegrade-Key must be a 32-byte Ed25519 key in base64";
        return 400;
    }
    if (!decodeBase64(r.signature, signature, SignatureBytes)) {
        *why = "Tumblegrade-Signature must be a 64-byte Ed25519 signature in base64";
        return 400;
    }
    if (!signatureMatches(key, signature, r.body)) {
        *why = "the signature does not match the body under this key";
        return 401;
    }
    return 0;
}

json runJson(const BoardRun& run) {
    return json{{"id", run.id},
                {"course", courseHashText(run.course)},
                {"rider", run.rider},
                {"key", run.key},
                {"iterations", run.iterations},
                {"time", runTimeText(run.iterations)},
                {"rank", run.rank}};
}

int32_t rideCapOf(const CourseRow& course) {
    const int64_t cap = course.par > 0 ? int64_t(course.par) * 10 : RideStepCap;
    return int32_t(cap < RideStepCap ? cap : RideStepCap);
}

// A run on a daily course the board has not seen yet: the course is made from the date
// in the demo's course name, checked and ridden for its par as a course sent would be,
// and kept. StoreMissing with why when it is no daily course the board takes.
int learnDailyCourse(const DemoHeader& header, std::shared_ptr<const CourseRow>* row, std::string* why) {
    CourseRow fresh{};
    if (!dailyCourseRow(header.course, header.courseHash, todayUtc(), &fresh, why)) return StoreMissing;
    const CourseVerdict verdict = Checkers.checkCourse(fresh.file, fresh.hash);
    if (!verdict.finished) {
        *why = verdict.reason;
        return StoreMissing;
    }
    fresh.par = verdict.iterations;
    if (addCourseRow(fresh, 1) == StoreDown) return StoreDown;
    return knownCourse(fresh.hash, row);
}

ApiResponse postRun(const ApiRequest& r) {
    const char* route = "POST /api/v1/runs";
    if (r.body.size() > BodyCapacity) return refusal(413, "a demo is at most 256 KiB", route);
    uint8_t key[RiderKeyBytes];
    std::string why;
    if (const int status = signedBody(r, key, &why)) return refusal(status, why, route);
    if (!allowKey(r.key)) return refusal(429, "too many submissions from this key", route);
    DemoHeader header{};
    ReplayScript script;
    if (!parseDemoText(r.body, &header, &script, &why)) return refusal(400, "the body is not a demo: " + why, route);
    std::shared_ptr<const CourseRow> course;
    int found = knownCourse(header.courseHash, &course);
    std::string daily;
    if (found == StoreMissing) found = learnDailyCourse(header, &course, &daily);
    if (found == StoreDown) return databaseDown(route);
    if (found == StoreMissing && !daily.empty()) return refusal(422, daily, route);
    if (found == StoreMissing) return refusal(422, "the course " + courseHashText(header.courseHash) + " is unknown", route);
    if (header.outcome != DemoFinish) return refusal(422, "the run is not a finish", route);
    const auto start = std::chrono::steady_clock::now();
    const RideVerdict verdict = Checkers.verifyRide(header.courseHash, course->file, r.body, rideCapOf(*course));
    countVerification(verdict.finished, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!verdict.finished) return refusal(422, utf8FromLatin1(verdict.reason), route);
    const NewRun run{header.courseHash, r.key, utf8FromLatin1(verdict.rider), verdict.iterations, "", r.body,
                     verdict.digest};
    BoardRun added{};
    switch (addRun(run, &added)) {
    case StoreDone: return jsonAnswer(201, runJson(added), route);
    case StoreRepeated: return jsonAnswer(200, runJson(added), route);
    case StoreTaken: return refusal(409, "another key submitted this ride first", route);
    default: return databaseDown(route);
    }
}

ApiResponse getBoard(const ApiRequest& r, uint64_t hash) {
    const char* route = "GET /api/v1/courses/HASH/board";
    long limit = DefaultBoardLimit, offset = 0;
    auto limitText = r.query.find("limit"), offsetText = r.query.find("offset");
    if (limitText != r.query.end() && !parseBoundedInt(limitText->second, 1, MaxBoardLimit, &limit))
        return refusal(400, "limit runs from 1 to 100", route);
    if (offsetText != r.query.end() && !parseBoundedInt(offsetText->second, 0, MaxOffset, &offset))
        return refusal(400, "offset is a number from 0", route);
    std::shared_ptr<const CourseRow> course;
    const int found = knownCourse(hash, &course);
    if (found == StoreDown) return databaseDown(route);
    if (found == StoreMissing) return refusal(404, "no such course", route);
    std::vector<BoardRun> runs;
    if (readBoard(hash, int(limit), int(offset), &runs) != StoreDone) return databaseDown(route);
    json lines = json::array();
    for (const BoardRun& run : runs)
        lines.push_back(json{{"rank", run.rank},
                             {"id", run.id},
                             {"rider", run.rider},
                             {"key", run.key},
                             {"time", runTimeText(run.iterations)},
                             {"iterations", run.iterations},
                             {"date", isoDate(std::time_t(run.submitted))}});
    return jsonAnswer(200, json{{"course", courseHashText(hash)}, {"name", course->name}, {"runs", lines}}, route);
}

ApiResponse getCourseFile(uint64_t hash) {
    const char* route = "GET /api/v1/courses/HASH/file";
    std::shared_ptr<const CourseRow> course;
    const int found = knownCourse(hash, &course);
    if (found == StoreDown) return databaseDown(route);
    if (found == StoreMissing) return refusal(404, "no such course", route);
    return ApiResponse{200, "application/octet-stream", course->file, route};
}

ApiResponse getRunDemo(const std::string& idText) {
    const char* route = "GET /api/v1/runs/ID/demo";
    long id = 0;
    if (!parseBoundedInt(idText, 1, 999999999, &id)) return refusal(404, "no such run", route);
    std::string demo;
    const int found = readRunDemo(id, &demo);
    if (found == StoreDown) return databaseDown(route);
    if (found == StoreMissing) return refusal(404, "no such run", route);
    return ApiResponse{200, "text/plain; charset=ISO-8859-1", demo, route};
}

// A course name as it is shown: 1 to 64 bytes of UTF-8, no control characters.
bool courseNameFits(const std::string& name) {
    if (name.empty() || name.size() > CourseNameBytes) return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return false;
    try {
        (void)json(name).dump();  // throws on bytes that are not UTF-8
        return true;
    } catch (const json::type_error&) {
        return false;
    }
}

ApiResponse putCourse(const ApiRequest& r, uint64_t hash) {
    const char* route = "PUT /api/v1/courses/HASH";
    if (r.body.size() > BodyCapacity) return refusal(413, "a course file is at most 256 KiB", route);
    uint8_t key[RiderKeyBytes];
    std::string why;
    if (const int status = signedBody(r, key, &why)) return refusal(status, why, route);
    auto name = r.query.find("name");
    if (name == r.query.end() || !courseNameFits(name->second))
        return refusal(400, "name is 1 to 64 bytes of UTF-8 without control characters", route);
    if (!allowKey(r.key)) return refusal(429, "too many submissions from this key", route);
    CourseRow row{hash, sha256Text(r.body), name->second, r.body, 0};
    std::shared_ptr<const CourseRow> held;
    const int found = knownCourse(hash, &held);
    if (found == StoreDown) return databaseDown(route);
    if (found == StoreDone) {
        if (held->sha256 != row.sha256) return refusal(409, "another course file holds this hash", route);
        return jsonAnswer(200, json{{"course", courseHashText(hash)}, {"name", held->name}, {"par", held->par}}, route);
    }
    const CourseVerdict verdict = Checkers.checkCourse(r.body, hash);
    if (!verdict.finished) return refusal(422, verdict.reason, route);
    row.par = verdict.iterations;
    switch (addCourseRow(row, 0)) {
    case StoreDone: return jsonAnswer(201, json{{"course", courseHashText(hash)}, {"name", row.name}, {"par", row.par}}, route);
    case StoreTaken: return refusal(409, "another course file holds this hash", route);
    default: return databaseDown(route);
    }
}

ApiResponse route(const ApiRequest& r) {
    const std::vector<std::string> parts = segmentsOf(r.path);
    const bool get = r.method == "GET";
    if (parts.size() == 1 && parts[0] == "healthz" && get)
        return boardStoreAnswers() ? ApiResponse{200, "text/plain", "ok\n", "GET /healthz"}
                                   : ApiResponse{503, "text/plain", "the database does not answer\n", "GET /healthz"};
    if (parts.size() == 1 && parts[0] == "metrics" && get)
        return ApiResponse{200, "text/plain; version=0.0.4", metricsText(boardStoreSeconds()), "GET /metrics"};
    if (parts.size() < 3 || parts[0] != "api" || parts[1] != "v1") return refusal(404, "no such resource", "other");
    if (parts.size() == 3 && parts[2] == "runs" && r.method == "POST") return postRun(r);
    if (parts.size() == 5 && parts[2] == "runs" && parts[4] == "demo" && get) return getRunDemo(parts[3]);
    uint64_t hash = 0;
    if (parts.size() >= 4 && parts[2] == "courses" && !parseCourseHash(parts[3], &hash))
        return refusal(404, "a course is named by 16 lowercase hex digits", "other");
    if (parts.size() == 4 && parts[2] == "courses" && r.method == "PUT") return putCourse(r, hash);
    if (parts.size() == 5 && parts[2] == "courses" && parts[4] == "board" && get) return getBoard(r, hash);
    if (parts.size() == 5 && parts[2] == "courses" && parts[4] == "file" && get) return getCourseFile(hash);
    return refusal(404, "no such resource", "other");
}

}  // namespace

void setBoardCheckers(const BoardCheckers& checkers) { Checkers = checkers; }

ApiResponse handleApiRequest(const ApiRequest& request) {
    ApiResponse answer = allowAddress(request.address)
                             ? route(request)
                             : refusal(429, "too many requests from this address", "limited");
    countRequest(answer.route, answer.status);
    return answer;
}

void forgetKnownCourses() {
    std::lock_guard<std::mutex> hold(Known.lock);
    Known.rows.clear();
}
