#include "demo_verify.h"

#include <cinttypes>
#include <cstring>

#include "demo/demo_course.h"
#include "demo/demo_file.h"
#include "demo/demo_run_watch.h"
#include "profile/rider_profile.h"
#include "track/course_choice.h"

namespace {

struct Verification {
    bool on;
    DemoHeader header;
    DemoRunWatch watch;
    char rider[48];  // the rider's name as the run ended
};

Verification V;

}  // namespace

void startDemoVerification() { V.on = true; }
bool verifyingDemo() { return V.on; }

bool readDemoForVerification(FILE* in, ReplayScript* script, std::string* error) {
    std::string text;
    char buffer[8192];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, n);
    if (std::ferror(in)) {
        *error = "cannot read the demo";
        return false;
    }
    if (!parseDemoText(text, &V.header, script, error)) return false;
    beginDemoRunWatch(&V.watch, V.header.start);
    return true;
}

bool chooseDemoCourse(const char* demoName) {
    char path[CoursePathCapacity];
    if (findCourseByHash(V.header.courseHash, path, sizeof path) && chooseCourseFile(path)) return true;
    std::fprintf(stderr, "tumblegrade-replay: %s rides the course %s (%016" PRIx64 "), which is not here\n",
                 demoName, V.header.course[0] ? V.header.course : "(no name)", V.header.courseHash);
    return false;
}

bool verifyIteration(int iteration) {
    if (V.watch.ended) return true;
    if (!watchDemoRun(&V.watch, iteration)) return false;
    std::snprintf(V.rider, sizeof V.rider, "%s", Rider.name());
    return true;
}

int reportDemoVerification() {
    const DemoRunWatch& w = V.watch;
    const int hundredths = w.iterations * 100 / 60;
    std::printf("%s %d:%02d.%02d (%d iterations)\n", demoOutcomeName(w.outcome), hundredths / 6000,
                hundredths / 100 % 60, hundredths % 100, int(w.iterations));
    const bool same = w.ended && w.outcome == V.header.outcome && w.iterations == V.header.iterations &&
                      std::strcmp(V.rider, V.header.rider) == 0;
    if (!same)
        std::printf("differs from the demo's header: %s, %d iterations, rider %s\n", demoOutcomeName(V.header.outcome),
                    int(V.header.iterations), V.header.rider);
    return same ? 0 : 1;
}
