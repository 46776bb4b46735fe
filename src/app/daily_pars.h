// The pars of the daily courses: when the course screen lists a daily course the
// autopilot has not ridden yet, a child process of the window program rides each such
// course (the editor's proof ride, the session of `tumblegrade-replay --autopilot`) and
// keeps its par as a proof beside the course file (track/course_proof). The game never
// waits for it: the screen shows the par the next time it lists the course.
#pragma once

struct CourseList;

// The course screen's list hook (menus/course_screen): starts the child unless one runs.
void proveDailyCoursesAside(const CourseList& list);
// In the child, or in a test: rides every unproved daily course of the list and keeps
// the proofs; the number kept.
int proveDailyCourses(const CourseList& list);
