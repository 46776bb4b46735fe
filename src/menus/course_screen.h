// The course screen (F2 on the main menu): every course with its name, grade, length and
// par, a map of the highlighted one from above, the daily courses of the last seven days
// first (today's on the first line); Enter rides it from now on, Esc leaves
// the choice as it was. Own courses the autopilot has not proved are marked.
#pragma once

struct CourseList;

// Registers the screen and its key on the main menu.
void installCourseScreen();
// Called after the player took a course on the screen (the settings remember it).
void setCourseTakenHook(void (*taken)(const char* name));
// The course editor (above this screen): E opens it on the highlighted course's file
// (own: the player's own course, saved back there; else edited as a copy), N on a new
// course (path null).
void setCourseEditHook(void (*edit)(const char* path, const char* name, int own));
// Called each time the screen has read the list of courses (the window program works out
// the daily courses' pars aside).
void setCourseListHook(void (*gathered)(const CourseList& list));
