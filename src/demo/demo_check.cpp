#include "demo/demo_check.h"

#include <cstdio>

#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "demo/live_game.h"
#include "track/course_choice.h"

namespace {

LiveGame LiveGameAside;  // the live game while a demo is checked

}  // namespace

bool demoPlaysAsItSays(const std::string& text, std::string* why) {
    DemoHeader header{};
    ReplayScript script;
    if (!parseDemoText(text, &header, &script, why)) return false;
    int ok = 0;
    if (courseContentHash(chosenCourseFile(), &ok) != header.courseHash || !ok) {
        *why = "the chosen course's file cannot be read or is not the course it rides";
        return false;
    }
    keepLiveGame(&LiveGameAside);
    const DemoPlayed run = playDemoRun(header, script, script.lastIteration + 1);
    restoreLiveGame(LiveGameAside);
    if (demoPlayedAsHeader(run, header)) return true;
    char line[256];
    if (run.ended)
        std::snprintf(line, sizeof line, "it plays a run to %s in %d iterations by %s, not to %s in %d by %s",
                      demoOutcomeName(run.outcome), int(run.iterations), run.rider, demoOutcomeName(header.outcome),
                      int(header.iterations), header.rider);
    else
        std::snprintf(line, sizeof line, "it plays no run to its end");
    *why = line;
    return false;
}
