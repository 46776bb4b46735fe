// The course editor's reader on any bytes: the model it reads writes text that reads back
// as the same model with nothing changed, and the loader builds exactly its tiles.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/game_state.h"
#include "editor/course_model.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CourseModel model, again;
    static char text[CourseTextCapacity];
    if (size > 1 << 16) return 0;
    readCourseModel(reinterpret_cast<const char*>(data), int(size), &model);
    if (model.count < 0 || model.count > CourseModelCapacity) __builtin_trap();
    const int length = writeCourseModel(model, text, sizeof text);
    if (model.count > 0 && length == 0) __builtin_trap();  // every model read can be written
    if (readCourseModel(text, length, &again) != 0 || again.count != model.count ||
        std::memcmp(again.tiles, model.tiles, sizeof(CourseTile) * size_t(model.count)) != 0)
        __builtin_trap();
    clearTrackLists();
    loadTrackText(text, length);
    if (GameState.segmentCount != model.count) __builtin_trap();
    clearTrackLists();
    return 0;
}
