#include "editor/course_layout.h"

#include "track/course_walk.h"
#include "track/tile_catalogue.h"

namespace {

CourseWalk walkAt(const TilePlace& place) {
    CourseWalk walk;
    walk.cursorX = place.x;
    walk.cursorY = place.y;
    walk.cursorZ = place.z;
    walk.tLineCount = place.gateLines;
    return walk;
}

}  // namespace

void layOutCourse(const CourseModel& model, int from, CourseLayout* layout) {
    if (from <= 0 || from > layout->count) {
        from = 0;
        layout->places[0] = TilePlace{10.0f, 0.0f, 10.0f, 0};  // the loader's first cursor
    }
    static SegmentMesh mesh;
    static SegmentObjects objects;
    for (int i = from; i < model.count; ++i) {
        CourseWalk walk = walkAt(layout->places[i]);
        char line[CourseLineCapacity];
        writeCourseTile(model.tiles[i], line, sizeof line);
        buildCourseLine(walk, line, &mesh, &objects);
        layout->places[i + 1] = TilePlace{walk.cursorX, walk.cursorY, walk.cursorZ, walk.tLineCount};
    }
    layout->count = model.count;
}

void buildLaidTile(const CourseModel& model, const CourseLayout& layout, int index, SegmentMesh* mesh,
                   SegmentObjects* objects) {
    *mesh = SegmentMesh();
    *objects = SegmentObjects();
    if (index < 0 || index >= model.count || index >= layout.count) return;
    CourseWalk walk = walkAt(layout.places[index]);
    char line[CourseLineCapacity];
    writeCourseTile(model.tiles[index], line, sizeof line);
    buildCourseLine(walk, line, mesh, objects);
}

void tileMiddle(const CourseModel& model, const CourseLayout& layout, int index, float* x, float* z) {
    const TilePlace& p = layout.places[index];
    const TileKind* kind = findTileKind(model.tiles[index].kind);
    const int heading = kind && kind->singleFrame ? 1 : tileHeading(model.tiles[index].variant);
    placeInTile(heading, p.x, p.z, 5.0f, 5.0f, x, z);
}
