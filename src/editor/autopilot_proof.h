// F8: the autopilot rides the editor's course in the live game, without pictures, the
// whole session it rides in `tumblegrade-replay --autopilot` (the game from its start
// with the same clock, the intro, the name, the shop, the run), so its ride steps are the
// par that tool gives. The live game is then put back exactly as it was.
#pragma once

struct AutopilotRide {
    int finished;         // the run reached the finish
    int par;              // its ride steps
    int tile;             // the tile the rider was on when the run ended
    const char* outcome;  // "finish", "crash", "injury", "defect" or "none"
};

AutopilotRide rideAutopilotOn(const char* text, int size);
