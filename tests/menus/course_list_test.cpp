// The courses a player can choose: the daily courses of the last seven days, the shipped
// ones, then the player's own folder, a broken own course listed with its problem and
// never taken, an own course named like a daily one refused, and a taken course the one
// the next load reads.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/game_state.h"
#include "coursegen/daily_course.h"
#include "menus/course_list.h"
#include "support/test_support.h"
#include "track/course_choice.h"
#include "track/track_lists.h"

namespace {

class CourseListTest : public testing::Test {
protected:
    void SetUp() override {
        home_ = makeTempDir("courses");
        const std::string own = home_ + "/tumblegrade/courses";
        std::system(("mkdir -p " + own).c_str());
        writeTextFile(own + "/zz-broken.tbk", "g1 0 0\nq9 9 9\n");
        writeTextFile(own + "/mine.tbk", "z1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\n");
        writeTextFile(own + "/Daily-mine.tbk", "z1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\n");
        setenv("XDG_DATA_HOME", home_.c_str(), 1);
        setenv("XDG_CACHE_HOME", (home_ + "/cache").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CACHE_HOME");
        chooseCourseFile(nullptr);
        setChosenCourseLabel("", 0);
        clearTrackLists();
    }
    std::string home_;
};

TEST_F(CourseListTest, DailyThenShippedThenOwnWithTheBrokenOneRefused) {
    ScopedDir data(TG_DATA_DIR);
    static CourseList list;
    testing::internal::CaptureStderr();
    gatherCourses(&list);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Daily-mine.tbk is not listed"), std::string::npos) << said;
    EXPECT_EQ(courseEntryNamed(&list, "Daily-mine"), -1);
    ASSERT_GE(list.count, DailyCoursesShown + 11);  // the shipped course, at least eight more, two own
    char name[DailyNameCapacity];
    for (int back = 0; back < DailyCoursesShown; ++back) {  // today first, then the days before
        dailyCourseName(todayUtc() - back, name);
        EXPECT_STREQ(list.entries[back].name, name);
        EXPECT_TRUE(list.entries[back].daily && list.entries[back].usable) << list.entries[back].problem;
    }
    EXPECT_STREQ(list.entries[DailyCoursesShown].path, "track.tbk");
    const int mine = courseEntryNamed(&list, "mine"), broken = courseEntryNamed(&list, "zz-broken");
    ASSERT_EQ(mine, list.count - 2);
    ASSERT_EQ(broken, list.count - 1);
    EXPECT_TRUE(list.entries[mine].usable);
    EXPECT_EQ(list.entries[mine].tiles, 5);
    EXPECT_FALSE(list.entries[broken].usable);
    EXPECT_NE(std::string(list.entries[broken].problem).find("line 2"), std::string::npos);

    EXPECT_FALSE(takeCourse(list.entries[broken]));
    EXPECT_STREQ(chosenCourseFile(), "track.tbk");
    ASSERT_TRUE(takeCourse(list.entries[mine]));
    EXPECT_STREQ(chosenCourseName(), "mine");
    EXPECT_EQ(GameState.segmentCount, 5);
    EXPECT_EQ(TrackMeshes.count(), 5);
}

TEST_F(CourseListTest, CourseAtStartByNameOrFileOrNotAtAll) {
    ScopedDir data(TG_DATA_DIR);
    char error[256];
    ASSERT_TRUE(chooseCourseAtStart("meadow-glide", "/", error, sizeof error)) << error;
    EXPECT_STREQ(chosenCourseFile(), "courses/meadow-glide.tbk");
    EXPECT_GT(chosenCoursePar(), 0);
    ASSERT_TRUE(chooseCourseAtStart("tumblegrade/courses/mine.tbk", home_.c_str(), error, sizeof error)) << error;
    EXPECT_EQ(std::string(chosenCourseFile()), home_ + "/tumblegrade/courses/mine.tbk");
    EXPECT_FALSE(chooseCourseAtStart("no-such-course", "/", error, sizeof error));
    EXPECT_FALSE(chooseCourseAtStart("zz-broken", "/", error, sizeof error));
    EXPECT_NE(std::string(error).find("cannot be ridden"), std::string::npos);

    ASSERT_TRUE(chooseCourseAtStart("daily", "/", error, sizeof error)) << error;  // today's, by its dated name
    char today[DailyNameCapacity];
    dailyCourseName(todayUtc(), today);
    EXPECT_STREQ(chosenCourseName(), today);
    ASSERT_TRUE(chooseCourseAtStart("daily-2021-03-04", "/", error, sizeof error)) << error;  // off the list
    EXPECT_STREQ(chosenCourseName(), "daily-2021-03-04");
    EXPECT_EQ(std::string(chosenCourseFile()), home_ + "/cache/tumblegrade/daily/daily-2021-03-04.tbk");
    EXPECT_FALSE(chooseCourseAtStart("daily-2021-02-29", "/", error, sizeof error));
    EXPECT_NE(std::string(error).find("no daily course"), std::string::npos) << error;
}

}  // namespace
