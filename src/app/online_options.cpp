#include "app/online_options.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

#include "demo/demo_course.h"
#include "demo/demo_file.h"
#include "files/file_read.h"
#include "menus/course_list.h"
#include "online/run_sender.h"
#include "online/world_board.h"
#include "settings/settings.h"
#include "track/course_choice.h"
#include "track/course_proof.h"

namespace {

const char* valueOf(int argc, char** argv, const char* option) {
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] && std::strcmp(argv[i], option) == 0) return argv[i + 1];
    return nullptr;
}

bool given(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        if (argv[i] && std::strcmp(argv[i], option) == 0) return true;
    return false;
}

std::string fromStart(const char* startFolder, const char* path) {
    return path[0] == '/' ? std::string(path) : std::string(startFolder) + "/" + path;
}

// An own course goes along when its proof holds; a shipped one the server knows.
void addOwnCourse(const DemoHeader& header, OutboxEntry* entry) {
    char path[PATH_MAX], full[PATH_MAX], own[PATH_MAX];
    if (!findCourseByHash(header.courseHash, path, sizeof path) || !realpath(path, full)) return;
    if (!ownCoursesFolder(own, sizeof own) || std::strncmp(full, own, std::strlen(own)) != 0) return;
    if (provedCoursePar(full) <= 0) return;
    entry->courseFile = full;
    entry->courseName = header.course[0] ? header.course : "own course";
}

int submitDemo(const std::string& server, const std::string& path, FILE* out) {
    DemoHeader header{};
    ReplayScript script;
    std::string error, text;
    if (readFileText(path.c_str(), &text, DemoSizeLimit) != FileReadWhole) error = "cannot be read as a demo";
    if (!error.empty() || !parseDemoText(text, &header, &script, &error)) {
        std::fprintf(stderr, "tumblegrade: %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    OutboxEntry entry{header.courseHash, {}, {}, text};
    addOwnCourse(header, &entry);
    RiderIdentity identity{};
    if (!loadOrMakeIdentity(&identity)) {
        std::fprintf(stderr, "tumblegrade: no rider's key can be read or made\n");
        return 1;
    }
    std::string reason;
    ServerAnswer answer{0, {}, {}, 0};
    const SendResult result = sendOutboxEntry(server, identity, entry, &reason, &answer);
    if (answer.status) {
        std::string body = answer.body;
        while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.pop_back();
        std::fprintf(out, "%d %s\n", answer.status, body.c_str());
    }
    if (result != SendDone) std::fprintf(stderr, "tumblegrade: %s: not taken: %s\n", path.c_str(), reason.c_str());
    return result == SendDone ? 0 : 1;
}

// A course name of the course screen, a course file, or a fingerprint in hex.
bool courseHashOf(const char* course, const char* startFolder, uint64_t* hash) {
    gatherCourses(&Courses);
    int ok = 0;
    const int entry = courseEntryNamed(&Courses, course);
    if (entry >= 0) *hash = courseContentHash(Courses.entries[entry].path, &ok);
    if (!ok) *hash = courseContentHash(fromStart(startFolder, course).c_str(), &ok);
    if (!ok && std::strlen(course) == 16 && std::strspn(course, "0123456789abcdef") == 16) {
        *hash = std::strtoull(course, nullptr, 16);
        ok = 1;
    }
    return ok;
}

int printWorldBoard(const std::string& server, const char* course, const char* startFolder, FILE* out) {
    uint64_t hash = 0;
    if (!courseHashOf(course, startFolder, &hash)) {
        std::fprintf(stderr, "tumblegrade: no course named %s, and no course file of that name\n", course);
        return 1;
    }
    const std::string path = "/api/v1/courses/" + courseHashText(hash) + "/board?limit=" + std::to_string(WorldTopCount);
    const ServerAnswer answer = serverGet(server, path, BoardAnswerLimit, RequestTimeLimitMs);
    static WorldBoard board;
    switch (boardStateOf(answer, &board)) {
    case BoardOffline: std::fprintf(stderr, "tumblegrade: %s cannot be reached: %s\n", server.c_str(), answer.error.c_str()); return 1;
    case BoardUnknownCourse: std::fprintf(out, "%s: the server does not know this course.\n", course); return 0;
    case BoardUnreadable: std::fprintf(stderr, "tumblegrade: %s: the board cannot be read\n", server.c_str()); return 1;
    default: break;
    }
    std::fprintf(out, "%s (%s) on %s\n", board.name[0] ? board.name : course, courseHashText(hash).c_str(), server.c_str());
    if (board.count == 0) std::fprintf(out, "No runs yet.\n");
    for (int i = 0; i < board.count; ++i) {
        const WorldRun& run = board.runs[i];
        std::fprintf(out, "%3d. %-24s %.8s  %9s  %.10s\n", run.rank, run.rider, run.key, run.time, run.date);
    }
    return 0;
}

}  // namespace

const char* serverOption(int argc, char** argv) { return valueOf(argc, argv, "--server"); }

int answerOnlineOption(int argc, char** argv, const char* startFolder, FILE* out) {
    const char* demo = valueOf(argc, argv, "--submit");
    const char* course = valueOf(argc, argv, "--world-best");
    if (!demo && !course) {
        if (!given(argc, argv, "--submit") && !given(argc, argv, "--world-best")) return -1;
        std::fprintf(stderr, "tumblegrade: --submit needs a demo file, --world-best a course\n");
        return 1;
    }
    const char* server = serverOption(argc, argv);
    if (!server) server = onlineServerNow();
    if (!server[0]) {
        std::fprintf(stderr, "tumblegrade: no board server: give --server URL, or set it on the options screen\n");
        return 1;
    }
    return demo ? submitDemo(server, fromStart(startFolder, demo), out) : printWorldBoard(server, course, startFolder, out);
}
