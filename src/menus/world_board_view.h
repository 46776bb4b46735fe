// The world's runs on the best-times screen (Tab): the course's top ten from the board
// server, the rider's own rank and best, and when it was fetched. The board and a demo
// are fetched on threads of their own; the view polls them as it draws, so the main loop
// never waits. Enter on a line downloads its demo and plays it with the watching keys;
// F7 makes it the ghost of the course's next rides.
#pragma once

#include <cstdint>
#include <string>

#include "display/display.h"

// Shown for this course: starts the board's fetch when a server is set.
void openWorldBoard(uint64_t courseHash);
// Ends what is being fetched (the screen closes, the game ends).
void closeWorldBoard();
// Up, Down, Enter, F7 while the world's runs are shown.
void worldBoardKey(int scanCode, unsigned modifiers);
// The table between the panel's top and bottom, and the state line at (right, y).
void drawWorldBoard(DisplayContext* page, int tableTop, int tableBottom, int stateRight, int stateY);
// What F7 on a world line does with its downloaded demo (the demos' world ghost; `why`
// says what went wrong), and F7 on the rider's own runs (back to the own best). Null: no
// ghosts here.
void setWorldGhostHooks(bool (*choose)(const char* demoPath, std::string* why), void (*drop)(uint64_t courseHash));
// F7 on the rider's own runs of a course: the own best is its ghost again.
void dropWorldGhostOf(uint64_t courseHash);
// What Enter does with it (the best-times screen's demo player).
void setWorldDemoPlayer(bool (*play)(const char* demoPath));
// What the view shows now (online/world_board.h's BoardState), the runs it lists and the
// rider's own line on the board (-1 when not on it).
int worldBoardState();
int worldBoardRuns();
int worldBoardOwnLine();
// The note under the course's name ("" when none).
const char* worldBoardNote();
