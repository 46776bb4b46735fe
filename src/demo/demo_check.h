// A finished run's demo checked before its time is kept: the demo is played in the live
// game from the game's start, without pictures, and the run it plays must end as its
// header says (outcome, ride iterations, rider). The game is then put back exactly as it
// was: its whole state (game_checkpoint.h), the count of damage-table fills and the
// palette set and shown. Meant for runs that end on a screen (finish, injury, defect): a
// run left by closing the game ends outside the game's state.
#pragma once

#include <string>

// True when the demo plays its run as its header says; else false with the reason in
// why (one line without a full stop). The demo must ride the chosen course.
bool demoPlaysAsItSays(const std::string& text, std::string* why);
