// Loads the course description: every segment line becomes a tile and its objects,
// chained end to end from (10, 0, 10), and the course is listed in file order.
#include "track/track_loader.h"

#include <cstdio>
#include <string>

#include "base/game_state.h"
#include "display/display.h"
#include "framework/fatal_error.h"
#include "track/track_lists.h"

namespace {

// Reads the next line, its line feed included, whatever its length; a carriage return
// in front of the line feed is dropped. False at the end of the file.
bool readTrackLine(FILE* file, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    if (line.empty()) return false;
    size_t n = line.size();
    if (n >= 2 && line[n - 1] == '\n' && line[n - 2] == '\r') line.erase(n - 2, 1);
    return true;
}

// The pending lists hold the course last-first; moving them over reverses it.
void transferPending() {
    while (PendingMeshes.count() > 0) TrackMeshes.pushFront(PendingMeshes.popFront());
    while (PendingObjects.count() > 0) TrackObjects.pushFront(PendingObjects.popFront());
}

}  // namespace

bool CurveRuns::skip(char c) {
    if (c == 'g') {
        left = 0;
        right = 0;
    } else if (c == 'l') {
        ++left;
        right = 0;
    } else if (c == 'r') {
        ++right;
        left = 0;
    }
    if (right == 2) {
        right = 1;
        return true;
    }
    if (left == 2) {
        left = 1;
        return true;
    }
    return c == '#';
}

void loadTrackFile(const char* fileName) {
    GameState.segmentCount = 0;
    float cursorX = 10.0f, cursorY = 0.0f, cursorZ = 10.0f;
    CurveRuns runs;
    int tLineCount = 0;

    FILE* file = std::fopen(fileName, "rb");
    if (!file) {
        std::string message = std::string("Track file was not found: ") + fileName;
        fatalError(message.c_str());
    }

    std::string line;
    while (readTrackLine(file, line)) {
        const char* text = line.c_str();
        if (runs.skip(text[0])) continue;
        ++GameState.segmentCount;

        SegmentMesh mesh = buildSegmentMesh(text, cursorX, cursorY, cursorZ);
        if (readTrackNumber(text, 5) != 0 && trackLineChar(text, 8) == 't') ++tLineCount;
        SegmentObjects objects = buildSegmentObjects(text, cursorX, cursorY, cursorZ, tLineCount);

        PendingMeshes.pushFront(makeHandle(mesh));
        PendingObjects.pushFront(makeHandle(objects));

        cursorX = mesh.endX;
        cursorY = mesh.endY;
        cursorZ = mesh.endZ;
    }
    std::fclose(file);
    transferPending();
}

void loadTrack() { loadTrackFile("track.tbk"); }
