#include "demo_verify.h"

#include <cinttypes>

#include "demo/demo_course.h"
#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "files/file_read.h"
#include "files/safe_write.h"
#include "framework/framework.h"
#include "profile/rider_profile.h"
#include "race/ride_clock.h"
#include "track/course_choice.h"

namespace {

struct Verification {
    bool on;
    bool making;
    std::string demoPath;
    DemoHeader header;
    RunPhase phase;    // the run of --make-demo as it goes
    DemoPlayed made;   // ... and as it ended
    DemoPlayed played; // the run of --verify
};

Verification V;

}  // namespace

void startDemoVerification() { V.on = true; }
bool verifyingDemo() { return V.on; }

void startDemoMaking(const char* demoPath) {
    V.making = true;
    V.demoPath = demoPath;
    resetRunPhase(&V.phase);
}

bool makingDemo() { return V.making; }

int writeMadeDemo(const std::string& scriptText, const char* courseLabel) {
    if (!V.made.ended) {
        std::fprintf(stderr, "tumblegrade-replay: the script has no run that ends; no demo written\n");
        return 1;
    }
    DemoHeader h{};
    h.version = DemoFormatVersion;
    std::snprintf(h.game, sizeof h.game, "%s", TG_GAME_VERSION);
    std::snprintf(h.course, sizeof h.course, "%s", courseLabel);
    int ok = 0;
    h.courseHash = courseContentHash(chosenCourseFile(), &ok);
    std::snprintf(h.rider, sizeof h.rider, "%s", V.made.rider);
    h.outcome = V.made.outcome;
    h.iterations = V.made.iterations;
    h.start = V.made.startedAt;
    // The script's own lines, its comments dropped: the header says what the run was.
    std::string body;
    size_t at = 0;
    while (at < scriptText.size()) {
        size_t end = scriptText.find('\n', at);
        if (end == std::string::npos) end = scriptText.size();
        const std::string line = scriptText.substr(at, end - at);
        if (!line.empty() && line[0] != '#') body += line + "\n";
        at = end + 1;
    }
    const std::string text = demoHeaderText(h) + body;
    if (!writeFileSafely(V.demoPath.c_str(), text.data(), text.size(), SharedFileMode)) return 2;
    std::printf("%s %s (%d iterations)\n", V.demoPath.c_str(), demoOutcomeName(h.outcome), int(h.iterations));
    return 0;
}

bool readDemoForVerification(FILE* in, ReplayScript* script, std::string* error) {
    std::string text;
    if (readStreamText(in, &text, DemoSizeLimit) != FileReadWhole) {
        *error = "cannot read the demo, or too large for one";
        return false;
    }
    return parseDemoText(text, &V.header, script, error);
}

bool chooseDemoCourse(const char* demoName) {
    char path[CoursePathCapacity];
    if (findDemoCourse(V.header.course, V.header.courseHash, path, sizeof path) && chooseCourseFile(path)) return true;
    std::fprintf(stderr, "tumblegrade-replay: %s rides the course %s (%016" PRIx64 "), which is not here\n",
                 demoName, V.header.course[0] ? V.header.course : "(no name)", V.header.courseHash);
    return false;
}

void makingIteration(int iteration) {
    if (V.made.ended) return;
    advanceRunPhase(&V.phase, exitRequested());
    if (V.phase.started) V.made.startedAt = iteration;
    if (!V.phase.ended) return;
    V.made.ended = 1;
    V.made.outcome = V.phase.outcome;
    V.made.iterations = RideClock.iterations;
    std::snprintf(V.made.rider, sizeof V.made.rider, "%s", Rider.name());
}

void playDemoForVerification(const ReplayScript& script) {
    V.played = playDemoRun(V.header, script, script.lastIteration + 1);
}

int reportDemoVerification() {
    const DemoPlayed& w = V.played;
    const int hundredths = w.iterations * 100 / 60;
    std::printf("%s %d:%02d.%02d (%d iterations)\n", demoOutcomeName(w.outcome), hundredths / 6000,
                hundredths / 100 % 60, hundredths % 100, int(w.iterations));
    const bool same = demoPlayedAsHeader(w, V.header);
    if (!same)
        std::printf("differs from the demo's header: %s, %d iterations, rider %s\n", demoOutcomeName(V.header.outcome),
                    int(V.header.iterations), V.header.rider);
    return same ? 0 : 1;
}
