// The course screen (F2 on the main menu): every course with its name, grade, length and
// par, a map of the highlighted one from above; Enter rides it from now on, Esc leaves
// the choice as it was.
#pragma once

// Registers the screen and its key on the main menu.
void installCourseScreen();
// Called after the player took a course on the screen (the settings remember it).
void setCourseTakenHook(void (*taken)(const char* name));
