// The course editor, a screen of our own: the course map with the cursor tile, the
// rider's view at the cursor tile, the tile's kind and objects and the checker's first
// problem, every editing key on screen. Opened from the course screen (E edits the
// highlighted course, a shipped one as a copy; N starts a new course) or by
// `tumblegrade --edit NAME|FILE`.
#pragma once

#include "editor/course_edits.h"
#include "editor/course_layout.h"
#include "editor/course_save.h"
#include "editor/editor_view.h"
#include "menus/course_map.h"

struct Font;

struct EditorScreen {
    CourseEdit edit;
    CourseLayout layout;
    CourseMap map;
    RiderView view;
    char text[CourseTextCapacity];   // the course as written: checker, map and rides read it
    int textSize;
    char savedText[CourseTextCapacity];  // as last saved or opened: changes are the difference
    int savedSize;
    int cursor;
    int choice;                  // the palette's entry
    int viewTile;                // the tile the view was drawn at, -1 to draw it again
    char name[OwnCourseNameCapacity];  // "" until the course has one of its own
    char problem[128];           // the checker's first problem, "" when none
    char message[128];           // what the latest key did or why it did nothing
    int leaving;                 // Esc once with unsaved changes: the next Esc leaves
    int naming;                  // the name field is open
    char typed[OwnCourseNameCapacity];
    int provedPar;               // the autopilot's par of the course as it is, 0 when unproved
    int failedTile;              // where the autopilot's ride ended short, -1 for none
    Font* font;
};

extern EditorScreen Editor;

// Registers the screen and the course screen's E and N.
void installCourseEditor();
// Opens the editor on a course file, or on a new course when path is null. own: the file
// is the player's own course `name` (saved back there); else it is edited as a copy.
void openCourseEditor(const char* path, const char* name, int own);
// `tumblegrade --edit NAME|FILE`: a course name, a file (relative to startFolder) or the
// name of a new own course; the editor opens on the first main-loop iteration. 0 with the
// reason in error when it cannot.
int editCourseAtStart(const char* nameOrPath, const char* startFolder, char* error, int errorSize);
// Whether the course has changes not saved.
int editorHasChanges();
