// The daily courses' pars: in the game without the window (a child process), the
// autopilot rides an unproved daily course and keeps its par beside the file, which the
// course list then shows; a proved course is not ridden again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/daily_pars.h"
#include "framework/framework.h"
#include "menus/course_list.h"
#include "platform/headless.h"
#include "support/game_in_child.h"
#include "support/test_support.h"

namespace {

int Failed = 10;  // the check has not run

void proveAtStart(int iteration) {
    if (iteration != 1) return;
    static CourseList list;
    Failed = 0;
    gatherCourses(&list);
    list.count = 1;  // today's daily course only
    if (!list.entries[0].daily || list.entries[0].par != 0) Failed = 11;
    if (proveDailyCourses(list) != 1) Failed = Failed ? Failed : 12;
    gatherCourses(&list);
    if (list.entries[0].par <= 0) Failed = Failed ? Failed : 13;
    list.count = 1;
    if (proveDailyCourses(list) != 0) Failed = Failed ? Failed : 14;
    requestExit();
}

}  // namespace

TEST(DailyPars, TheAutopilotsParIsKeptBesideTheCourseAndListed) {
    static std::string cache;
    cache = makeTempDir("daily-pars");
    EXPECT_EQ(runGameInChild(
                  [] {
                      setenv("XDG_CACHE_HOME", cache.c_str(), 1);
                      setenv("XDG_DATA_HOME", cache.c_str(), 1);
                      headlessSetClock(1000);
                      headlessSetIterationHooks(proveAtStart, nullptr);
                  },
                  [](int status) { return Failed ? Failed : status; }),
              0);
}
