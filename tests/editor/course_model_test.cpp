// The editor's course: reading and writing the file's text, the edits with their undo and
// redo, and the limits every edit keeps.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "base/game_state.h"
#include "editor/course_edits.h"
#include "editor/course_model.h"
#include "track/course_check.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string textOf(const CourseModel& model) {
    static char text[CourseTextCapacity];
    const int n = writeCourseModel(model, text, sizeof text);
    return std::string(text, size_t(n));
}

bool sameModel(const CourseModel& a, const CourseModel& b) {
    return a.count == b.count && std::memcmp(a.tiles, b.tiles, sizeof(CourseTile) * size_t(a.count)) == 0;
}

int choiceOf(char kind, int second) {
    for (int i = 0; i < TilePaletteCount; ++i)
        if (TilePalette[i].kind == kind && TilePalette[i].second == second) return i;
    return -1;
}

// A fresh edit of the course text.
CourseEdit& editOf(const std::string& text) {
    static CourseEdit edit;
    readCourseModel(text.data(), int(text.size()), &edit.model);
    startCourseEdit(&edit);
    return edit;
}

// Tiles the loader builds from the text.
int loadedTiles(const std::string& text) {
    clearTrackLists();
    loadTrackText(text.data(), int(text.size()));
    const int tiles = GameState.segmentCount;
    clearTrackLists();
    return tiles;
}

}  // namespace

TEST(CourseModel, ShippedCoursesWriteBackAsTheyWereAndReadTheSame) {
    static CourseModel model, again;
    for (const char* name : {"track.tbk", "courses/devils-spine.tbk", "courses/gate-sprint.tbk"}) {
        const std::string text = fileText(std::string(TG_SOURCE_DIR "/data/") + name);
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_EQ(readCourseModel(text.data(), int(text.size()), &model), 0) << name;
        const std::string written = textOf(model);
        EXPECT_EQ(written, text) << name;  // the notes above the first tile too
        readCourseModel(written.data(), int(written.size()), &again);
        EXPECT_TRUE(sameModel(model, again)) << name;
    }
    // A comment between tiles is left out, and the reading says so.
    const std::string between = "#notes\nz1 0 0\n# here\ng1 0 0\n";
    EXPECT_EQ(readCourseModel(between.data(), int(between.size()), &model), 1);
    EXPECT_EQ(textOf(model), "#notes\nz1 0 0\ng1 0 0\n");
}

TEST(CourseModel, HostileTextReadsIntoAModelThatWritesAndReadsBack) {
    const std::string hostile = std::string("l1 0 0\nl1 0 0\n\x01\xff 99 -5 9 9q 1t 1t 77w\n", 38) +
                                std::string("\n\0\0g\n", 5) + "r-3 x 3 0t 5b 2w\ng1 0 1 3w";
    static CourseModel model, again;
    EXPECT_GT(readCourseModel(hostile.data(), int(hostile.size()), &model), 0);
    EXPECT_EQ(model.count, 6);  // the second 'l' line is skipped by the loader, so left out
    EXPECT_EQ(model.tiles[1].kind, '?');
    EXPECT_EQ(model.tiles[1].variant, 0);  // no digit in its column
    EXPECT_EQ(model.tiles[1].slope, 9);    // 99 held to its one column
    const std::string written = textOf(model);
    EXPECT_EQ(readCourseModel(written.data(), int(written.size()), &again), 0);
    EXPECT_TRUE(sameModel(model, again));
    EXPECT_EQ(loadedTiles(written), model.count);
}

TEST(CourseEdits, InsertDeleteChangeUndoAndRedo) {
    const std::string start = "z1 0 0\ng1 0 0\ng1 0 0\n";
    CourseEdit& edit = editOf(start);
    EXPECT_EQ(insertTileAfter(&edit, 1, choiceOf('r', 0)), nullptr);
    // A right curve turns +z into +x: the tile after it is laid out heading +x (variant 4).
    EXPECT_EQ(textOf(edit.model), "z1 0 0\ng1 0 0\nr1 0 0\ng4 0 0\n");
    const std::string afterInsert = textOf(edit.model);
    EXPECT_EQ(setTileSlope(&edit, 3, 2), nullptr);
    EXPECT_EQ(toggleTileObject(&edit, 3, 0, 't'), nullptr);
    EXPECT_EQ(setTileKind(&edit, 2, choiceOf('l', 0)), nullptr);
    EXPECT_EQ(textOf(edit.model), "z1 0 0\ng1 0 0\nl1 0 0\ng2 2 1 0t\n");
    EXPECT_EQ(deleteTile(&edit, 2), nullptr);
    EXPECT_EQ(textOf(edit.model), "z1 0 0\ng1 0 0\ng1 2 1 0t\n");
    int cursor = -1;
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(undoCourseEdit(&edit, &cursor));
    EXPECT_EQ(textOf(edit.model), afterInsert);
    EXPECT_EQ(cursor, 3);
    ASSERT_TRUE(undoCourseEdit(&edit, &cursor));
    EXPECT_EQ(textOf(edit.model), start);
    EXPECT_FALSE(undoCourseEdit(&edit, &cursor));
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(redoCourseEdit(&edit, &cursor));
    EXPECT_EQ(textOf(edit.model), "z1 0 0\ng1 0 0\ng1 2 1 0t\n");
    EXPECT_FALSE(redoCourseEdit(&edit, &cursor));
    // A new change after an undo drops what could be redone.
    ASSERT_TRUE(undoCourseEdit(&edit, &cursor));
    EXPECT_EQ(toggleTileObject(&edit, 0, 2, 'b'), nullptr);
    EXPECT_FALSE(redoCourseEdit(&edit, &cursor));
}

TEST(CourseEdits, RefusedEditsChangeNothing) {
    CourseEdit& edit = editOf("l1 0 0\ng2 0 0\n");
    // A second left curve with no straight between would be skipped by the loader.
    EXPECT_NE(setTileKind(&edit, 1, choiceOf('l', 0)), nullptr);
    EXPECT_EQ(deleteTile(&edit, 0), nullptr);
    EXPECT_NE(deleteTile(&edit, 0), nullptr);  // nor may the course end up empty
    EXPECT_NE(setTileSlope(&edit, 0, 4), nullptr);
    EXPECT_EQ(textOf(edit.model), "g1 0 0\n");
    while (edit.model.count < CourseModelCapacity) ASSERT_EQ(insertTileAfter(&edit, 0, choiceOf('g', 0)), nullptr);
    EXPECT_NE(insertTileAfter(&edit, 0, choiceOf('g', 0)), nullptr);
    EXPECT_EQ(edit.model.count, CourseModelCapacity);
    EXPECT_EQ(loadedTiles(textOf(edit.model)), CourseModelCapacity);
}

// Random edits: after each one the model writes, reads back the same, the loader builds
// every tile, and the checker passes a course of catalogue tiles that never overlaps.
TEST(CourseEdits, EveryEditKeepsTheCourseWritableAndTheCheckerAgreesWithTheLoader) {
    static CourseModel again;
    CourseEdit& edit = editOf("g1 0 0\n");
    std::mt19937 random(7);
    char problem[128];
    int checked = 0;
    for (int step = 0; step < 400; ++step) {
        const int at = int(random() % unsigned(edit.model.count));
        const int choice = int(random() % unsigned(TilePaletteCount));
        int cursor = 0;
        switch (random() % 7) {
        case 0: case 1: insertTileAfter(&edit, at, choice); break;
        case 2: setTileKind(&edit, at, choice); break;
        case 3: deleteTile(&edit, at); break;
        case 4: setTileSlope(&edit, at, int(random() % 4)); break;
        case 5: toggleTileObject(&edit, at, int(random() % 6), "tbw"[random() % 3]); break;
        default: undoCourseEdit(&edit, &cursor); break;
        }
        const std::string text = textOf(edit.model);
        ASSERT_EQ(readCourseModel(text.data(), int(text.size()), &again), 0) << text;
        ASSERT_TRUE(sameModel(edit.model, again));
        ASSERT_EQ(loadedTiles(text), edit.model.count) << text;
        const int failed = firstCourseTextProblem(text.data(), int(text.size()), problem, sizeof problem);
        // Headings are kept by every edit: what the checker finds is only ever the path
        // leaving the tiles (an edge shift not taken back, a turn into the course itself).
        if (failed) {
            EXPECT_EQ(std::strstr(problem, "heading"), nullptr) << problem << "\n" << text;
        } else {
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}
