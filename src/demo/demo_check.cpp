#include "demo/demo_check.h"

#include <cstdio>
#include <cstring>

#include "demo/demo_file.h"
#include "demo/demo_playback.h"
#include "demo/game_checkpoint.h"
#include "framework/framework.h"
#include "race/damage_table.h"
#include "track/course_choice.h"

namespace {

// The live game while a demo is checked.
struct LiveGame {
    GameCheckpoint state;
    int32_t fills;
    int32_t havePalette;
    PaletteEntry palette[256];
};

LiveGame Live;

void keepLiveGame() {
    saveCheckpoint(&Live.state);
    Live.fills = DamageTableFills;
    const DisplayContext* page = drawingPage();
    Live.havePalette = page != nullptr;
    if (page) std::memcpy(Live.palette, page->palette, sizeof Live.palette);
}

void restoreLiveGame() {
    restoreCheckpoint(Live.state);
    DamageTableFills = Live.fills;
    if (!Live.havePalette) return;
    setPalette(Live.palette, 256, 0);
    realizePalette(256, 0, 0);
}

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
    keepLiveGame();
    const DemoPlayed run = playDemoRun(header, script, script.lastIteration + 1);
    restoreLiveGame();
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
