// Checks a course line by line: line length, kind and variant, the heading each tile is
// entered with, the path across the edge between two tiles, tiles on the same ground
// square, and the object slots.
#include "track/course_check.h"

#include <cmath>
#include <cstring>
#include <string>

#include "track/course_colours.h"
#include "track/course_walk.h"
#include "track/segment_mesh.h"
#include "track/segment_objects.h"
#include "track/tile_catalogue.h"

namespace {

constexpr int FormatLineLength = 31;  // the longest line of the format, line feed included
constexpr int MaxCells = 4096;
constexpr float EdgeTolerance = 0.01f;

// The path's extent on one tile edge: the edge is the line through origin across the
// heading dir; the extent is measured along side from origin.
struct EdgeSpan {
    bool found;
    float from, to;
};

const int HeadingDir[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};  // (dx, dz) of headings 0 +x, 1 +z, 2 -x, 3 -z
const int HeadingSide[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};

EdgeSpan pathOnEdge(const SegmentMesh& mesh, float ox, float oz, int heading) {
    EdgeSpan span{false, 0.0f, 0.0f};
    const float fx = float(HeadingDir[heading][0]), fz = float(HeadingDir[heading][1]);
    const float sx = float(HeadingSide[heading][0]), sz = float(HeadingSide[heading][1]);
    for (int t = 0; t < mesh.polygonCount && t < 100; ++t) {
        const MeshPolygon& p = mesh.polygons[t];
        const TileRgb& path = courseRgb(PathColour);
        if (p.red != path.red || p.green != path.green || p.blue != path.blue) continue;
        const int corners[3] = {p.vertexA, p.vertexB, p.vertexC};
        for (int k = 0; k < 3; ++k) {
            if (corners[k] < 0 || corners[k] >= mesh.pointCount) continue;
            const Point3& q = mesh.points[corners[k]];
            const float along = (q.x - ox) * fx + (q.z - oz) * fz;
            if (std::fabs(along) > EdgeTolerance) continue;
            const float across = (q.x - ox) * sx + (q.z - oz) * sz;
            if (!span.found) span = EdgeSpan{true, across, across};
            span.from = std::fmin(span.from, across);
            span.to = std::fmax(span.to, across);
        }
    }
    return span;
}

struct Cell {
    int x, z;
    int line;
};

// The ground square a tile covers, by the smallest x and z of its points.
bool tileCell(const SegmentMesh& mesh, int* cx, int* cz) {
    if (mesh.pointCount <= 0) return false;
    float minX = mesh.points[0].x, minZ = mesh.points[0].z;
    for (int i = 1; i < mesh.pointCount && i < 50; ++i) {
        minX = std::fmin(minX, mesh.points[i].x);
        minZ = std::fmin(minZ, mesh.points[i].z);
    }
    *cx = int(std::lround(minX / 10.0f));
    *cz = int(std::lround(minZ / 10.0f));
    return true;
}

struct Checker {
    const char* name;
    FILE* out;            // every finding, or null
    char* first;          // the first problem's text, or null
    int firstSize;
    CourseReport report{0, 0, 0};

    void problem(int line, const char* text) {
        if (out) std::fprintf(out, "%s:%d: %s\n", name, line, text);
        if (first && report.problems == 0) std::snprintf(first, size_t(firstSize), "line %d: %s", line, text);
        ++report.problems;
    }
    void warning(int line, const char* text) {
        if (out) std::fprintf(out, "%s:%d: warning: %s\n", name, line, text);
        ++report.warnings;
    }
};

void checkObjects(Checker& ck, int lineNo, const char* line, int variant) {
    const int count = readTrackNumber(line, 5);
    char text[160];
    if (count < 0) {
        std::snprintf(text, sizeof text, "negative object count %d", count);
        ck.problem(lineNo, text);
        return;
    }
    const int length = int(std::strcspn(line, "\n"));
    for (int i = 0; i < count; ++i) {
        const int slotColumn = 7 + 3 * i, letterColumn = 8 + 3 * i;
        if (letterColumn >= length) {
            std::snprintf(text, sizeof text, "object count %d, but the line holds only %d objects", count, i);
            ck.problem(lineNo, text);
            return;
        }
        const int slot = readTrackNumber(line, slotColumn);
        const char letter = trackLineChar(line, letterColumn);
        if (slot < 0 || slot > 5) {
            std::snprintf(text, sizeof text, "object %d: slot %d outside 0 to 5", i, slot);
            ck.problem(lineNo, text);
        }
        if (letter != 't' && letter != 'b' && letter != 'w') {
            std::snprintf(text, sizeof text, "object %d: letter '%c' is no object (t, b or w)", i, letter);
            ck.warning(lineNo, text);
        } else if (letter == 'b' && variant != 1) {
            ck.warning(lineNo, "a tree stands only on variant 1 tiles");
        } else if (variant < 1 || variant > 4) {
            ck.warning(lineNo, "objects stand only on variants 1 to 4");
        }
    }
}

CourseReport checkCourseInto(FILE* file, const char* name, FILE* out, char* first, int firstSize) {
    Checker ck{name, out, firstSize > 0 ? first : nullptr, firstSize};
    static Cell cells[MaxCells];
    int cellCount = 0;
    CourseWalk walk;
    int heading = 1;             // the course starts along +z
    bool havePrevious = false;
    static SegmentMesh previous;
    static SegmentMesh mesh;
    static SegmentObjects objects;
    std::string read;
    char text[200];
    int lineNo = 0;

    while (readTrackLine(file, read)) {
        ++lineNo;
        const char* line = read.c_str();
        const int length = int(read.size());
        if (length > FormatLineLength) {
            std::snprintf(text, sizeof text,
                          "line of %d characters: the format keeps lines to %d, line feed included",
                          length, FormatLineLength);
            ck.warning(lineNo, text);
        }
        const char kind = line[0];
        if (!courseLineBuilt(walk, line)) {
            if (kind != '#') {
                std::snprintf(text, sizeof text, "'%c' line skipped: it follows another '%c' line with no %s between",
                              kind, kind, kind == 'l' ? "'g' or 'r'" : "'g' or 'l'");
                ck.warning(lineNo, text);
            }
            continue;
        }
        ++ck.report.builtSegments;
        const int variant = readTrackNumber(line, 1);
        const int slope = readTrackNumber(line, 3);
        const TileKind* tile = findTileKind(kind);
        if (!tile) {
            std::snprintf(text, sizeof text, "unknown kind '%c'", kind == '\n' ? ' ' : kind);
            ck.problem(lineNo, text);
        } else if (!tileShapeForVariant(*tile, variant) || variant < 1 || variant > 8) {
            std::snprintf(text, sizeof text, "kind '%c' has no variant %d", kind, variant);
            ck.problem(lineNo, text);
        }
        if (slope < 0 || slope > 3) {
            std::snprintf(text, sizeof text, "slope %d outside 0 to 3", slope);
            ck.warning(lineNo, text);
        }
        const float startX = walk.cursorX, startZ = walk.cursorZ;
        buildCourseLine(walk, line, &mesh, &objects);
        checkObjects(ck, lineNo, line, variant);

        const bool valid = tile && variant >= 1 && variant <= 8 && tileShapeForVariant(*tile, variant);
        if (valid) {
            const int entered = tileHeading(variant);
            if (tile->singleFrame && heading != 1) {
                std::snprintf(text, sizeof text, "banner gate 'z' is always laid out along +z, but the course heads %s",
                              heading == 0 ? "+x" : (heading == 2 ? "-x" : "-z"));
                ck.problem(lineNo, text);
            } else if (entered != heading) {
                std::snprintf(text, sizeof text, "inconsistent heading: variant %d heads %d, the course arrives heading %d",
                              variant, entered, heading);
                ck.problem(lineNo, text);
            }
            // The path must meet the previous tile's path on the shared edge.
            if (havePrevious) {
                const EdgeSpan in = pathOnEdge(mesh, startX, startZ, heading);
                const EdgeSpan outSpan = pathOnEdge(previous, startX, startZ, heading);
                if (!in.found || !outSpan.found) {
                    std::snprintf(text, sizeof text, "path discontinuity at the edge: %s",
                                  !outSpan.found ? "the previous tile's path does not reach this edge"
                                                 : "this tile's path does not start on this edge");
                    ck.problem(lineNo, text);
                } else if (std::fabs(in.from - outSpan.from) > EdgeTolerance ||
                           std::fabs(in.to - outSpan.to) > EdgeTolerance) {
                    std::snprintf(text, sizeof text,
                                  "path discontinuity at the edge: the previous tile leaves at %.2f to %.2f, "
                                  "this one starts at %.2f to %.2f",
                                  outSpan.from, outSpan.to, in.from, in.to);
                    ck.problem(lineNo, text);
                }
            }
            int cx, cz;
            if (tileCell(mesh, &cx, &cz)) {
                for (int i = 0; i < cellCount; ++i)
                    if (cells[i].x == cx && cells[i].z == cz) {
                        std::snprintf(text, sizeof text, "tile overlaps the tile of line %d", cells[i].line);
                        ck.problem(lineNo, text);
                        break;
                    }
                if (cellCount < MaxCells) cells[cellCount++] = Cell{cx, cz, lineNo};
            }
            // Go on from the heading the tile is really laid out in, so one wrong line
            // does not make every following line wrong too.
            heading = tile->singleFrame
                          ? 1
                          : ((entered + headingTurnOf(tileWayForVariant(*tile, variant))) % 4 + 4) % 4;
            previous = mesh;
            havePrevious = true;
        } else {
            havePrevious = false;
        }
    }
    if (out)
        std::fprintf(out, "%s: %d built segments, %d problems, %d warnings\n", name, ck.report.builtSegments,
                     ck.report.problems, ck.report.warnings);
    return ck.report;
}

}  // namespace

CourseReport checkCourse(FILE* file, const char* name, FILE* out) { return checkCourseInto(file, name, out, nullptr, 0); }

namespace {

// The first problem of the open course (closed here), as firstCourseProblem says it.
int firstProblemOf(FILE* file, const char* name, char* text, int textSize) {
    const CourseReport report = checkCourseInto(file, name, nullptr, text, textSize);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        if (text && textSize > 0) std::snprintf(text, size_t(textSize), "cannot be read");
        return 1;
    }
    if (report.builtSegments == 0 && report.problems == 0) {
        if (text && textSize > 0) std::snprintf(text, size_t(textSize), "no tiles");
        return 1;
    }
    return report.problems > 0 ? 1 : 0;
}

}  // namespace

int firstCourseProblem(const char* path, char* text, int textSize) {
    if (text && textSize > 0) text[0] = 0;
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        if (text && textSize > 0) std::snprintf(text, size_t(textSize), "cannot be opened");
        return 1;
    }
    return firstProblemOf(file, path, text, textSize);
}

int firstCourseTextProblem(const char* course, int size, char* text, int textSize) {
    if (text && textSize > 0) text[0] = 0;
    FILE* file = size > 0 ? fmemopen(const_cast<char*>(course), size_t(size), "rb") : nullptr;
    if (!file) {
        if (text && textSize > 0) std::snprintf(text, size_t(textSize), "no tiles");
        return 1;
    }
    return firstProblemOf(file, "course", text, textSize);
}
