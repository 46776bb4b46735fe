// The rider's eye at a tile of the editor's course: the game's own race view, drawn with
// that tile and the two after it in the segment window from where a rider enters it, and
// kept at half size to be put beside the map. The live game's window and eye are left
// as they were.
#pragma once

#include <cstdint>

#include "base/math3d.h"
#include "display/display.h"
#include "editor/course_layout.h"

constexpr int RiderViewWidth = 320, RiderViewHeight = 240;

struct RiderView {
    uint8_t pixels[RiderViewWidth * RiderViewHeight];
};

// The eye where a rider enters the tile, looking along the heading the course arrives
// with: placed as the start pose is before the first tile.
Matrix4 eyeEnteringTile(const CourseModel& model, const CourseLayout& layout, int tile);
// Draws the view through the whole page (which the caller then draws over) into view.
void drawRiderView(const CourseModel& model, const CourseLayout& layout, int tile, DisplayContext* page,
                   RiderView* view);
// Puts the kept view from its row firstRow down (the rows above are sky) on the page with
// that row's left end at (left, top).
void putRiderView(const RiderView& view, DisplayContext* page, int left, int top, int firstRow);
