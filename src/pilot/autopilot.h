// The autopilot: a rider that plays the game the way a player can, one decision per
// main-loop iteration from the state the previous iteration left. On the menus it taps
// one key (the intro, the name entry with a fixed name, a fixed set from the shop, the
// start); during a run it holds or releases the ride keys, reading the course ahead in
// the segment window and the eye's pose.
#pragma once

// The ride keys to hold in the next iteration.
struct RideControls {
    bool up, alt, ctrl, left, right;
};

// The rider name the autopilot types.
extern const char AutopilotRiderName[];

// During a run: which ride keys to hold.
RideControls autopilotRide();

// Outside a run: the scan code to tap on the screen shown (0: nothing to do, the
// autopilot has reached a screen where it stops).
int autopilotMenuKey();

// The name of an outcome screen ("finish", "crash", "injury", "defect"), or null.
const char* outcomeScreenName(int screen);
