#include "verify_worker.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/game_main.h"
#include "board_text.h"
#include "framework/framework.h"
#include "pilot/autopilot_session.h"
#include "platform/headless.h"
#include "race/ride_clock.h"
#include "replay_check.h"
#include "track/course_check.h"
#include "track/course_choice.h"

namespace {

constexpr size_t RequestCapacity = 512 * 1024;

// The game without a window, initialised in the data folder: it reads its pictures by
// relative names.
bool openGame(const char* dataDir) {
    if (chdir(dataDir) != 0) return false;
    CurrentPage = createFramework("tumblegrade-server");
    ModeRequest request{};
    request.width = 640;
    request.height = 480;
    request.bitsPerPixel = 8;
    if (!CurrentPage || !setMode(&request, 1, 2, 1)) return false;
    initGame();
    return true;
}

// The worker's course file: the course of the last request, rewritten when it changes.
struct WorkerCourse {
    char folder[64];
    char path[96];
    uint64_t hash;
    int written;
};

WorkerCourse Course;

bool useCourse(uint64_t hash, const std::string& bytes) {
    if (Course.written && Course.hash == hash) return true;
    FILE* file = std::fopen(Course.path, "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) return false;
    Course.hash = hash;
    Course.written = 1;
    return chooseCourseFile(Course.path) != 0;
}

// One request; false when the input has ended or is not the protocol.
bool serveOne() {
    std::string line;
    if (!readLine(0, &line, 256)) return false;
    char hashText[32];
    unsigned long courseBytes = 0, demoBytes = 0;
    long cap = 0;
    uint64_t hash = 0;
    if (std::sscanf(line.c_str(), "ride %16s %lu %lu %ld", hashText, &courseBytes, &demoBytes, &cap) != 4 ||
        !parseCourseHash(hashText, &hash) || courseBytes > RequestCapacity || demoBytes > RequestCapacity || cap < 1)
        return false;
    std::string courseText(courseBytes, '\0'), demoText(demoBytes, '\0');
    if (!readExactly(0, courseText.data(), courseBytes) || !readExactly(0, demoText.data(), demoBytes)) return false;
    const std::string answer = answerRideRequest(hash, courseText, demoText, cap);
    return writeExactly(1, answer.data(), answer.size());
}

void sessionEnd(int iteration) { autopilotSessionEnd(iteration); }

}  // namespace

namespace {

// All of size bytes read or written, through interruptions; false at the end of the
// input or on an error.
bool transferExactly(int fd, char* at, size_t size, bool writing) {
    while (size > 0) {
        const ssize_t n = writing ? write(fd, at, size) : read(fd, at, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += n;
        size -= size_t(n);
    }
    return true;
}

}  // namespace

bool readExactly(int fd, void* bytes, size_t size) { return transferExactly(fd, static_cast<char*>(bytes), size, false); }

bool writeExactly(int fd, const void* bytes, size_t size) {
    return transferExactly(fd, const_cast<char*>(static_cast<const char*>(bytes)), size, true);
}

bool readLine(int fd, std::string* line, size_t capacity) {
    line->clear();
    char c;
    while (line->size() < capacity) {
        if (!readExactly(fd, &c, 1)) return false;
        if (c == '\n') return true;
        *line += c;
    }
    return false;
}

std::string answerRideRequest(uint64_t hash, const std::string& courseFile, const std::string& demo, long cap) {
    if (!useCourse(hash, courseFile)) return "refused the worker cannot write its course file\n";
    RideCheck check;
    checkRide(demo, hash, int32_t(cap), &check);
    if (!check.finished) {
        std::string reason = check.reason;
        for (char& c : reason)
            if (c == '\n') c = ' ';
        return "refused " + reason + "\n";
    }
    const std::string rider(check.rider);
    return "finish " + std::to_string(check.iterations) + " " + hexOf(check.digest, Sha256Bytes) + " " +
           hexOf(reinterpret_cast<const uint8_t*>(rider.data()), rider.size()) + "\n";
}

bool openWorkerGame(const char* dataDir) {
    std::snprintf(Course.folder, sizeof Course.folder, "/tmp/tumblegrade-worker-XXXXXX");
    if (!mkdtemp(Course.folder)) return false;
    std::snprintf(Course.path, sizeof Course.path, "%s/course.tbk", Course.folder);
    return openGame(dataDir);
}

void closeWorkerGame() {
    unlink(Course.path);
    rmdir(Course.folder);
}

int runVerifyWorker(const char* dataDir) {
    int status = 0;
    if (openWorkerGame(dataDir)) {
        while (serveOne()) {
        }
    } else {
        std::fprintf(stderr, "tumblegrade-server: a worker cannot open the game in %s\n", dataDir);
        status = 2;
    }
    closeWorkerGame();
    return status;
}

int runCourseCheck(const char* coursePath, uint64_t hash, const char* dataDir) {
    int readable = 0;
    if (courseContentHash(coursePath, &readable) != hash || !readable) {
        std::printf("refused the course file's fingerprint is not %s\n", courseHashText(hash).c_str());
        return 1;
    }
    char problem[256];
    if (firstCourseProblem(coursePath, problem, sizeof problem)) {
        std::printf("refused the course checker finds a problem: %s\n", problem);
        return 1;
    }
    if (chdir(dataDir) != 0 || !chooseCourseFile(coursePath)) {
        std::printf("refused the course cannot be loaded\n");
        return 1;
    }
    headlessSetClock(AutopilotClock);
    startAutopilotSession(headlessQueueKey);
    headlessSetIterationHooks(autopilotSessionBegin, sessionEnd);
    char program[] = "tumblegrade-server";
    char* argv[] = {program, nullptr};
    gameMain(1, argv);
    const char* outcome = autopilotSessionOutcome();
    if (!outcome || std::strcmp(outcome, "finish") != 0) {
        std::printf("refused the autopilot does not finish the course (it ends in %s)\n", outcome ? outcome : "none");
        return 1;
    }
    std::printf("finish %d\n", int(RideClock.iterations));
    return 0;
}
