#include "demo_verify.h"

#include <cinttypes>

#include "demo/demo_course.h"
#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "demo/demo_run_watch.h"
#include "framework/framework.h"
#include "profile/rider_profile.h"
#include "track/course_choice.h"

namespace {

struct Verification {
    bool on;
    bool making;
    std::string demoPath;
    DemoHeader header;
    DemoRunWatch watch;  // the run of --make-demo
    char rider[48];      // the rider's name as that run ended
    DemoPlayed played;   // the run of --verify
};

Verification V;

}  // namespace

void startDemoVerification() { V.on = true; }
bool verifyingDemo() { return V.on; }

void startDemoMaking(const char* demoPath) {
    V.making = true;
    V.demoPath = demoPath;
    beginDemoRunWatch(&V.watch, 0);
}

bool makingDemo() { return V.making; }

int writeMadeDemo(const std::string& scriptText, const char* courseLabel) {
    if (!V.watch.ended) {
        std::fprintf(stderr, "tumblegrade-replay: the script has no run that ends; no demo written\n");
        return 1;
    }
    DemoHeader h{};
    h.version = DemoFormatVersion;
    std::snprintf(h.game, sizeof h.game, "%s", TG_GAME_VERSION);
    std::snprintf(h.course, sizeof h.course, "%s", courseLabel);
    int ok = 0;
    h.courseHash = courseContentHash(chosenCourseFile(), &ok);
    std::snprintf(h.rider, sizeof h.rider, "%s", V.rider);
    h.outcome = V.watch.outcome;
    h.iterations = V.watch.iterations;
    h.start = V.watch.startedAt;
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
    FILE* out = std::fopen(V.demoPath.c_str(), "wb");
    const bool written = out && std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (out && std::fclose(out) != 0) return 2;
    if (!written) return 2;
    std::printf("%s %s (%d iterations)\n", V.demoPath.c_str(), demoOutcomeName(h.outcome), int(h.iterations));
    return 0;
}

bool readDemoForVerification(FILE* in, ReplayScript* script, std::string* error) {
    std::string text;
    char buffer[8192];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, n);
    if (std::ferror(in)) {
        *error = "cannot read the demo";
        return false;
    }
    return parseDemoText(text, &V.header, script, error);
}

bool chooseDemoCourse(const char* demoName) {
    char path[CoursePathCapacity];
    if (findCourseByHash(V.header.courseHash, path, sizeof path) && chooseCourseFile(path)) return true;
    std::fprintf(stderr, "tumblegrade-replay: %s rides the course %s (%016" PRIx64 "), which is not here\n",
                 demoName, V.header.course[0] ? V.header.course : "(no name)", V.header.courseHash);
    return false;
}

void makingIteration(int iteration) {
    if (V.watch.ended || !watchDemoRun(&V.watch, iteration, exitRequested())) return;
    std::snprintf(V.rider, sizeof V.rider, "%s", Rider.name());
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
