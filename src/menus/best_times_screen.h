// The best-times screen (a screen of our own): per course the ten best runs with rider,
// time and date, and the par. Left and Right move between the courses that have runs;
// Up and Down choose a run, Enter plays its demo (the watching comes back here when it
// ends); a run without its demo file says so in one line. Esc and Backspace go back, as
// does Enter on a course without runs. Tab shows the world's runs of the same course
// (world_board_view.h) and back; F7 on the rider's own makes the own best the ghost again.
#pragma once

#include <cstdint>

// Opens the screen on this course (the course screen's F3). A course without runs
// shows an empty table.
void showBestTimesFor(uint64_t courseHash, const char* courseName, int par);
// Opens it on the chosen course (the main menu's F3).
void showBestTimes();
// Registers the screen (menus/top_screens.h).
void registerBestTimesScreen();
// What plays a demo file for Enter (the window program's demo watching): true when it
// plays. Null (no demos here) makes Enter say so.
void setBestTimesDemoPlayer(bool (*play)(const char* path));
