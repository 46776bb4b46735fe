// The course as the editor holds it: a list of tiles, each one line of the course file
// (kind, variant, slope and the objects in their slots), read from and written to the
// file's text. Every tile of the model is built by the loader: a line the loader would
// skip (a second curve of a run) is never in it.
#pragma once

#include <cstdint>

// Limits of what the editor makes: every tile's line fits the format's 31 columns, the
// checker's ground squares and the course map hold the whole course.
constexpr int CourseModelCapacity = 1000;
constexpr int TileSlotCount = 6;
constexpr int CourseLineCapacity = 32;  // the longest line written, line feed and 0 included
constexpr int CourseNotesCapacity = 2048;  // the comment lines above the first tile
constexpr int CourseTextCapacity = CourseNotesCapacity + CourseModelCapacity * CourseLineCapacity;

struct CourseTile {
    char kind;                     // the catalogue's letter, '?' for one it does not know
    int8_t variant;                // 0 to 9: one column of the line
    int8_t slope;                  // 0 to 9
    char objects[TileSlotCount];   // 't' gate, 'b' tree, 'w' sign board, 0 empty; by slot
};

struct CourseModel {
    CourseTile tiles[CourseModelCapacity];
    int count;
    char notes[CourseNotesCapacity];  // the comment lines above the first tile, as read
    int notesSize;
};

// Reads course text by the loader's rules: skipped curve lines are left out, numbers out
// of a column are held to it, unknown object letters and slots dropped. The comment lines
// above the first tile are kept as they are (a course's notes, and the same fingerprint
// when it is saved unchanged); comments between tiles, lines past the capacity and notes
// past theirs are left out. Returns the number of lines that changed or were left out
// while reading (0: the model writes the text back as it was).
int readCourseModel(const char* text, int size, CourseModel* model);
// The model as course text: its notes, then one line a tile; returns its length (0 when
// it does not fit).
int writeCourseModel(const CourseModel& model, char* text, int capacity);
// One tile's line without its line feed; returns its length.
int writeCourseTile(const CourseTile& tile, char* line, int capacity);

// The objects a tile holds.
int tileObjectCount(const CourseTile& tile);
// True when the loader builds every tile of the model (no curve line is skipped).
bool courseModelBuildsEveryTile(const CourseModel& model);
