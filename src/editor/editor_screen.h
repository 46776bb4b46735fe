// The course editor, a top screen: the course map with the cursor tile, the
// rider's view at the cursor tile, the tile's kind and objects and the checker's first
// problem, every editing key on screen. Opened from the course screen (E edits the
// highlighted course, a shipped one as a copy; N starts a new course) or by
// `tumblegrade --edit NAME|FILE`.
#pragma once

#include "editor/editor_state.h"

// Registers the screen and the course screen's E and N.
void installCourseEditor();
// Opens the editor on a course file, or on a new course when path is null. own: the file
// is the player's own course `name` (saved back there); else it is edited as a copy.
void openCourseEditor(const char* path, const char* name, int own);
// `tumblegrade --edit NAME|FILE`: a course name, a file (relative to startFolder) or the
// name of a new own course; the editor opens on the first main-loop iteration. 0 with the
// reason in error when it cannot.
int editCourseAtStart(const char* nameOrPath, const char* startFolder, char* error, int errorSize);
