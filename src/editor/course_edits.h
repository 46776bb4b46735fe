// Changing the editor's course: the palette of tile kinds, every edit with the headings
// of the following tiles laid out again, and undo and redo of every change. An edit that
// would leave the course unwritable (over the capacity, no tile left, a curve line the
// loader would skip) is refused and changes nothing.
#pragma once

#include <vector>

#include "editor/course_model.h"

// One entry of the palette: a kind of the catalogue with one of its shapes.
struct TileChoice {
    char kind;
    int second;         // the kind's second shape (variants 5 to 8)
    const char* label;
};
extern const TileChoice TilePalette[];
extern const int TilePaletteCount;

struct CourseSnapshot {
    std::vector<CourseTile> tiles;
    int cursor;
};

struct CourseEdit {
    CourseModel model;
    std::vector<CourseSnapshot> undo, redo;
    int changedFrom;   // the first tile the latest change (or undo, redo) touched
};

// A new edit of the model read from text: no history, changedFrom 0.
void startCourseEdit(CourseEdit* edit);

// The heading the course arrives at tile index with (0 +x, 1 +z, 2 -x, 3 -z), by the
// checker's rule: each tile leads on from the heading it is laid out in.
int headingIntoTile(const CourseModel& model, int index);
// Gives every tile from `from` on the variant of its shape that its arriving heading asks for.
void headTilesFrom(CourseModel* model, int from);

// The edits: null when done, else why the course stays as it was.
const char* setTileKind(CourseEdit* edit, int index, int choice);
const char* insertTileAfter(CourseEdit* edit, int index, int choice);
const char* deleteTile(CourseEdit* edit, int index);
const char* setTileSlope(CourseEdit* edit, int index, int slope);
// Places letter in slot, or takes it away when the slot holds it already.
const char* toggleTileObject(CourseEdit* edit, int index, int slot, char letter);

// Back one change, or forward again; false when there is none. *cursor is set to
// the tile that change touched.
bool undoCourseEdit(CourseEdit* edit, int* cursor);
bool redoCourseEdit(CourseEdit* edit, int* cursor);
