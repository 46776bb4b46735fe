#include "editor/course_edits.h"

#include <cstring>

#include "lang/translation.h"
#include "track/tile_catalogue.h"

const TileChoice TilePalette[] = {
    {'g', 0, N_("straight")},   {'z', 0, N_("banner")},     {'j', 0, N_("jump")},      {'l', 0, N_("left")},
    {'r', 0, N_("right")},      {'i', 0, N_("sharp right")}, {'i', 1, N_("sharp left")}, {'s', 0, N_("bend")},
    {'s', 1, N_("bend back")},  {'e', 0, N_("edge out")},   {'a', 0, N_("edge in")},   {'e', 1, N_("edge out'")},
    {'a', 1, N_("edge in'")},
};
const int TilePaletteCount = int(sizeof TilePalette / sizeof TilePalette[0]);

namespace {

// The catalogue shape a tile's variant stands for, null for a tile the catalogue cannot lay.
const TileKind* laidKind(const CourseTile& tile) {
    const TileKind* kind = findTileKind(tile.kind);
    if (!kind || tile.variant < 1 || tile.variant > 8 || !tileShapeForVariant(*kind, tile.variant)) return nullptr;
    return kind;
}

int headingAfter(const CourseTile& tile, int heading) {
    const TileKind* kind = laidKind(tile);
    if (!kind) return heading;
    if (kind->singleFrame) return 1;
    return ((tileHeading(tile.variant) + headingTurnOf(tileWayForVariant(*kind, tile.variant))) % 4 + 4) % 4;
}

// The variant of the first (1-4) or second (5-8) shape laid out in heading.
int8_t variantFor(int heading, bool second) {
    const int first = heading == 0 ? 4 : heading;
    return int8_t(second ? first + 4 : first);
}

const char* refusal(const CourseModel& model) {
    if (model.count == 0) return "a course keeps one tile at least";
    if (!courseModelBuildsEveryTile(model)) return "two curves the same way need a straight between";
    return nullptr;
}

CourseSnapshot snapshotOf(const CourseModel& model, int cursor) {
    return CourseSnapshot{std::vector<CourseTile>(model.tiles, model.tiles + model.count), cursor};
}

void restore(CourseModel* model, const CourseSnapshot& s) {
    model->count = int(s.tiles.size());
    for (int i = 0; i < model->count; ++i) model->tiles[i] = s.tiles[size_t(i)];
}

// Heads the tiles from index on, and keeps the change when the course can still be
// written; else puts the model back as it was.
const char* finishEdit(CourseEdit* edit, CourseSnapshot before, int index) {
    headTilesFrom(&edit->model, index);
    if (const char* why = refusal(edit->model)) {
        restore(&edit->model, before);
        return why;
    }
    edit->undo.push_back(std::move(before));
    edit->redo.clear();
    edit->changedFrom = index < 0 ? 0 : index;
    return nullptr;
}

bool validTile(const CourseModel& model, int index) { return index >= 0 && index < model.count; }

CourseTile tileOf(int choice, int heading) {
    const TileChoice& c = TilePalette[choice];
    const TileKind* kind = findTileKind(c.kind);
    const int8_t variant = kind && kind->singleFrame ? 1 : variantFor(heading, c.second != 0);
    return CourseTile{c.kind, variant, 0, {}};
}

// Between undo and redo: the model goes to `to`, the present to `other`.
bool swapHistory(CourseEdit* edit, std::vector<CourseSnapshot>* from, std::vector<CourseSnapshot>* to, int* cursor) {
    if (from->empty()) return false;
    CourseSnapshot target = std::move(from->back());
    from->pop_back();
    to->push_back(snapshotOf(edit->model, target.cursor));
    int first = 0;
    while (first < edit->model.count && first < int(target.tiles.size()) &&
           std::memcmp(&edit->model.tiles[first], &target.tiles[size_t(first)], sizeof(CourseTile)) == 0)
        ++first;
    restore(&edit->model, target);
    edit->changedFrom = first;
    *cursor = target.cursor < edit->model.count ? target.cursor : edit->model.count - 1;
    return true;
}

}  // namespace

void startCourseEdit(CourseEdit* edit) {
    edit->undo.clear();
    edit->redo.clear();
    edit->changedFrom = 0;
}

int headingIntoTile(const CourseModel& model, int index) {
    int heading = 1;  // the course starts along +z
    for (int i = 0; i < index && i < model.count; ++i) heading = headingAfter(model.tiles[i], heading);
    return heading;
}

void headTilesFrom(CourseModel* model, int from) {
    if (from < 0) from = 0;
    int heading = headingIntoTile(*model, from);
    for (int i = from; i < model->count; ++i) {
        CourseTile& tile = model->tiles[i];
        const TileKind* kind = laidKind(tile);
        if (kind && !kind->singleFrame) tile.variant = variantFor(heading, tile.variant > 4);
        heading = headingAfter(tile, heading);
    }
}

const char* setTileKind(CourseEdit* edit, int index, int choice) {
    if (!validTile(edit->model, index) || choice < 0 || choice >= TilePaletteCount) return "no such tile";
    CourseSnapshot before = snapshotOf(edit->model, index);
    CourseTile& tile = edit->model.tiles[index];
    const CourseTile fresh = tileOf(choice, headingIntoTile(edit->model, index));
    tile.kind = fresh.kind;
    tile.variant = fresh.variant;
    return finishEdit(edit, std::move(before), index);
}

const char* insertTileAfter(CourseEdit* edit, int index, int choice) {
    CourseModel& m = edit->model;
    if (m.count == CourseModelCapacity) return "the course is as long as a course can be";
    if (choice < 0 || choice >= TilePaletteCount || index < -1 || index >= m.count) return "no such tile";
    CourseSnapshot before = snapshotOf(m, index);
    const int at = index + 1;
    for (int i = m.count; i > at; --i) m.tiles[i] = m.tiles[i - 1];
    ++m.count;
    m.tiles[at] = tileOf(choice, headingIntoTile(m, at));
    return finishEdit(edit, std::move(before), at);
}

const char* deleteTile(CourseEdit* edit, int index) {
    CourseModel& m = edit->model;
    if (!validTile(m, index)) return "no such tile";
    CourseSnapshot before = snapshotOf(m, index);
    for (int i = index; i + 1 < m.count; ++i) m.tiles[i] = m.tiles[i + 1];
    --m.count;
    return finishEdit(edit, std::move(before), index);
}

const char* setTileSlope(CourseEdit* edit, int index, int slope) {
    if (!validTile(edit->model, index)) return "no such tile";
    if (slope < 0 || slope > 3) return "the slope goes from 0 to 3";
    CourseSnapshot before = snapshotOf(edit->model, index);
    edit->model.tiles[index].slope = int8_t(slope);
    return finishEdit(edit, std::move(before), index);
}

const char* toggleTileObject(CourseEdit* edit, int index, int slot, char letter) {
    if (!validTile(edit->model, index) || slot < 0 || slot >= TileSlotCount) return "no such tile";
    CourseTile& tile = edit->model.tiles[index];
    const bool placing = tile.objects[slot] != letter;
    if (placing && (tile.variant < 1 || tile.variant > 4))
        return "objects stand only on tiles of a kind's first shape";
    CourseSnapshot before = snapshotOf(edit->model, index);
    tile.objects[slot] = placing ? letter : 0;
    return finishEdit(edit, std::move(before), index);
}

bool undoCourseEdit(CourseEdit* edit, int* cursor) { return swapHistory(edit, &edit->undo, &edit->redo, cursor); }

bool redoCourseEdit(CourseEdit* edit, int* cursor) { return swapHistory(edit, &edit->redo, &edit->undo, cursor); }
