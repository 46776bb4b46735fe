// The open editor: its course with the history, where every tile lies, the map and the
// rider's view drawn from it, the cursor, the palette's choice, the name and what the
// editor says. The screen's keys change it (editor_screen), its drawing reads it
// (editor_draw).
#pragma once

#include <cstdint>

#include "editor/course_edits.h"
#include "editor/course_layout.h"
#include "editor/course_save.h"
#include "editor/editor_view.h"
#include "menus/course_map.h"

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
    uint8_t backdropColours[256];  // the look's backdrop in the race palette
    int backdropMatched;
};

extern EditorScreen Editor;

// Whether the course has changes not saved.
int editorHasChanges();
