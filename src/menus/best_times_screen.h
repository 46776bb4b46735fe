// The best-times screen (a screen of our own): per course the ten best runs with rider,
// time and date, and the par. Left and Right move between the courses that have runs;
// Esc, Enter or Backspace go back.
#pragma once

#include <cstdint>

// Opens the screen on this course (the course screen's F3). A course without runs
// shows an empty table.
void showBestTimesFor(uint64_t courseHash, const char* courseName, int par);
// Opens it on the chosen course (the main menu's F3).
void showBestTimes();
// Registers the screen (menus/own_screens.h).
void registerBestTimesScreen();
