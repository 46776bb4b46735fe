// Loads the course description: every segment line becomes a tile and its objects,
// chained end to end from (10, 0, 10), and the course is listed in file order.
#include "track/track_loader.h"

#include <cstdio>
#include <string>

#include "base/game_state.h"
#include "framework/fatal_error.h"
#include "track/course_choice.h"
#include "track/course_walk.h"
#include "track/track_lists.h"

namespace {

// The pending lists hold the course last-first; moving them over reverses it.
void transferPending() {
    while (PendingMeshes.count() > 0) TrackMeshes.pushFront(PendingMeshes.popFront());
    while (PendingObjects.count() > 0) TrackObjects.pushFront(PendingObjects.popFront());
}

// Every line of the open course, built and listed.
void loadTrackFrom(FILE* file) {
    CourseWalk walk;
    std::string line;
    SegmentMesh mesh;
    SegmentObjects objects;
    while (readTrackLine(file, line)) {
        const char* text = line.c_str();
        if (!courseLineBuilt(walk, text)) continue;
        ++GameState.segmentCount;
        buildCourseLine(walk, text, &mesh, &objects);
        PendingMeshes.pushFront(makeHandle(mesh));
        PendingObjects.pushFront(makeHandle(objects));
    }
    transferPending();
}

}  // namespace

void loadTrackFile(const char* fileName) {
    GameState.segmentCount = 0;
    FILE* file = std::fopen(fileName, "rb");
    if (!file) {
        std::string message = std::string("Track file was not found: ") + fileName;
        fatalError(message.c_str());
    }
    loadTrackFrom(file);
    std::fclose(file);
}

void loadTrackText(const char* text, int size) {
    GameState.segmentCount = 0;
    if (!text || size <= 0) return;
    FILE* file = fmemopen(const_cast<char*>(text), size_t(size), "rb");
    if (!file) fatalError("The course in memory cannot be read");
    loadTrackFrom(file);
    std::fclose(file);
}

void loadTrack() {
    int size = 0;
    const char* text = chosenCourseText(&size);
    if (text)
        loadTrackText(text, size);
    else
        loadTrackFile(chosenCourseFile());
}
