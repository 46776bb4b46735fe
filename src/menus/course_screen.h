// The course screen (F2 on the main menu): every course with its name, grade, length and
// par, a map of the highlighted one from above; Enter rides it from now on, Esc leaves
// the choice as it was. Own courses the autopilot has not proved are marked.
#pragma once

// Registers the screen and its key on the main menu.
void installCourseScreen();
// Called after the player took a course on the screen (the settings remember it).
void setCourseTakenHook(void (*taken)(const char* name));
// The course editor (above this screen): E opens it on the highlighted course's file
// (own: the player's own course, saved back there; else edited as a copy), N on a new
// course (path null).
void setCourseEditHook(void (*edit)(const char* path, const char* name, int own));
