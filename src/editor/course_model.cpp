#include "editor/course_model.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "track/course_walk.h"
#include "track/track_line.h"

namespace {

int heldTo(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

bool isObjectLetter(char c) { return c == 't' || c == 'b' || c == 'w'; }

// A kind letter as the model keeps it: printable, else '?'.
char keptKind(char c) { return c > ' ' && c < 127 ? c : '?'; }

// One built line into a tile; true when the tile writes back as the line was.
bool readTile(const std::string& read, CourseTile* tile) {
    const char* line = read.c_str();
    *tile = CourseTile{keptKind(line[0]), 0, 0, {}};
    tile->variant = int8_t(heldTo(readTrackNumber(line, 1), 0, 9));
    tile->slope = int8_t(heldTo(readTrackNumber(line, 3), 0, 9));
    const int count = readTrackNumber(line, 5);
    for (int i = 0; i < count && i < TileSlotCount; ++i) {
        const int slot = readTrackNumber(line, 7 + 3 * i);
        const char letter = trackLineChar(line, 8 + 3 * i);
        if (slot >= 0 && slot < TileSlotCount && isObjectLetter(letter) && !tile->objects[slot])
            tile->objects[slot] = letter;
    }
    char written[CourseLineCapacity];
    const int length = writeCourseTile(*tile, written, sizeof written);
    const size_t plain = read.size() - (read.back() == '\n' ? 1 : 0);
    return plain == size_t(length) && read.compare(0, plain, written, size_t(length)) == 0;
}

}  // namespace

namespace {

// A comment line above the first tile goes to the notes, ending in a line feed; false
// when it does not fit.
bool keepNote(const std::string& line, CourseModel* model) {
    const int length = int(line.size());
    const bool fed = length > 0 && line[size_t(length - 1)] == '\n';
    if (model->notesSize + length + (fed ? 0 : 1) > CourseNotesCapacity) return false;
    std::memcpy(model->notes + model->notesSize, line.data(), size_t(length));
    model->notesSize += length;
    if (!fed) model->notes[model->notesSize++] = '\n';
    return true;
}

}  // namespace

int readCourseModel(const char* text, int size, CourseModel* model) {
    model->count = 0;
    model->notesSize = 0;
    if (!text || size <= 0) return 0;
    FILE* file = fmemopen(const_cast<char*>(text), size_t(size), "rb");
    if (!file) return 1;
    CourseWalk walk;
    std::string line;
    int changed = 0;
    while (readTrackLine(file, line)) {
        const char first = line[0];
        if (!courseLineBuilt(walk, line.c_str())) {
            if (first != '#' || model->count > 0 || !keepNote(line, model)) ++changed;
            continue;
        }
        if (model->count == CourseModelCapacity) {
            ++changed;
            continue;
        }
        if (!readTile(line, &model->tiles[model->count++])) ++changed;
    }
    std::fclose(file);
    return changed;
}

int writeCourseTile(const CourseTile& tile, char* line, int capacity) {
    int n = std::snprintf(line, size_t(capacity), "%c%d %d %d", tile.kind, tile.variant, tile.slope,
                          tileObjectCount(tile));
    for (int slot = 0; slot < TileSlotCount && n > 0 && n < capacity; ++slot)
        if (tile.objects[slot]) n += std::snprintf(line + n, size_t(capacity - n), " %d%c", slot, tile.objects[slot]);
    return n > 0 && n < capacity ? n : 0;
}

int writeCourseModel(const CourseModel& model, char* text, int capacity) {
    if (model.notesSize >= capacity) return 0;
    std::memcpy(text, model.notes, size_t(model.notesSize));
    int length = model.notesSize;
    for (int i = 0; i < model.count; ++i) {
        char line[CourseLineCapacity];
        const int n = writeCourseTile(model.tiles[i], line, sizeof line);
        if (n == 0 || length + n + 1 >= capacity) return 0;
        for (int k = 0; k < n; ++k) text[length++] = line[k];
        text[length++] = '\n';
    }
    if (length < capacity) text[length] = 0;
    return length;
}

int tileObjectCount(const CourseTile& tile) {
    int count = 0;
    for (char object : tile.objects) count += object != 0;
    return count;
}

bool courseModelBuildsEveryTile(const CourseModel& model) {
    CurveRuns runs;
    for (int i = 0; i < model.count; ++i)
        if (runs.skip(model.tiles[i].kind)) return false;
    return true;
}
