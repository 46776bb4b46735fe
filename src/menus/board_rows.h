// The rows of a board of runs as the best-times screen draws them, the rider's own and
// the world's alike: rank, rider, time and date in their columns, the chosen row on the
// selection band.
#pragma once

#include "display/display.h"
#include "menus/look.h"

constexpr int BoardRowHeight = 23;
constexpr int BoardRowsLeft = 14, BoardRowsRight = 626;  // the band, inside the panel

// Look.text in a colour of the look, from x (or ending at right).
void boardText(DisplayContext* page, int x, int y, LookColour colour, const char* text);
void boardTextRightAligned(DisplayContext* page, int right, int y, LookColour colour, const char* text);
// The columns' names at y.
void drawBoardHeader(DisplayContext* page, int y);
// One row at y; `highlighted` rows (the chosen, the rider's own) are in the accent.
void drawBoardRow(DisplayContext* page, int y, bool chosen, bool highlighted, const char* rank, const char* rider,
                  const char* time, const char* date);
