#include "menus/course_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "track/course_colours.h"
#include "track/course_walk.h"

namespace {

bool isPath(const MeshPolygon& p) {
    const TileRgb& path = courseRgb(PathColour);
    return p.red == path.red && p.green == path.green && p.blue == path.blue;
}

bool validCorner(const SegmentMesh& mesh, int corner) { return corner >= 0 && corner < mesh.pointCount; }

void addTilePath(const SegmentMesh& mesh, CourseMap* map) {
    for (int t = 0; t < mesh.polygonCount && t < 100; ++t) {
        const MeshPolygon& p = mesh.polygons[t];
        if (!isPath(p) || map->triangles == MapTriangleCapacity) continue;
        const int corners[3] = {p.vertexA, p.vertexB, p.vertexC};
        if (!validCorner(mesh, corners[0]) || !validCorner(mesh, corners[1]) || !validCorner(mesh, corners[2]))
            continue;
        for (int k = 0; k < 3; ++k) {
            const Point3& q = mesh.points[corners[k]];
            map->x[map->triangles][k] = q.x;
            map->z[map->triangles][k] = q.z;
            map->minX = std::min(map->minX, q.x);
            map->maxX = std::max(map->maxX, q.x);
            map->minZ = std::min(map->minZ, q.z);
            map->maxZ = std::max(map->maxZ, q.z);
        }
        ++map->triangles;
    }
}

// The middle of the path triangles from..to-1 (one tile's).
void centreOf(const CourseMap& map, int from, int to, float* x, float* z) {
    float sx = 0.0f, sz = 0.0f;
    for (int t = from; t < to; ++t)
        for (int k = 0; k < 3; ++k) {
            sx += map.x[t][k];
            sz += map.z[t][k];
        }
    const int corners = (to - from) * 3;
    *x = corners > 0 ? sx / float(corners) : 0.0f;
    *z = corners > 0 ? sz / float(corners) : 0.0f;
}

// Scan-fills one triangle in page coordinates, clipped to the box.
void fillTriangle(DisplayContext* page, const MapBox& box, const float px[3], const float py[3], int colour) {
    const float top = std::max(float(box.top), std::min({py[0], py[1], py[2]}));
    const float bottom = std::min(float(box.bottom), std::max({py[0], py[1], py[2]}));
    for (int y = int(std::ceil(top)); y <= int(std::floor(bottom)); ++y) {
        float left = 1e9f, right = -1e9f;
        for (int e = 0; e < 3; ++e) {
            const int f = (e + 1) % 3;
            const float y0 = py[e], y1 = py[f];
            if ((y < y0 && y < y1) || (y > y0 && y > y1)) continue;
            const float x = y0 == y1 ? px[e] : px[e] + (px[f] - px[e]) * (float(y) - y0) / (y1 - y0);
            left = std::min(left, y0 == y1 ? std::min(px[e], px[f]) : x);
            right = std::max(right, y0 == y1 ? std::max(px[e], px[f]) : x);
        }
        const int from = std::max(box.left, int(std::floor(left)));
        const int to = std::min(box.right, int(std::ceil(right)));
        for (int x = from; x <= to; ++x) page->pixels[y * page->width + x] = uint8_t(colour);
    }
}

void fillDot(DisplayContext* page, const MapBox& box, int cx, int cy, int colour) {
    for (int y = cy - 3; y <= cy + 3; ++y)
        for (int x = cx - 3; x <= cx + 3; ++x)
            if (x >= box.left && x <= box.right && y >= box.top && y <= box.bottom)
                page->pixels[y * page->width + x] = uint8_t(colour);
}

}  // namespace

namespace {

int buildMapFrom(FILE* file, CourseMap* map) {
    CourseWalk walk;
    static SegmentMesh mesh;
    static SegmentObjects objects;
    std::string line;
    int lastTileFrom = 0;
    while (readTrackLine(file, line)) {
        if (!courseLineBuilt(walk, line.c_str())) continue;
        buildCourseLine(walk, line.c_str(), &mesh, &objects);
        lastTileFrom = map->triangles;
        addTilePath(mesh, map);
        if (map->tiles == 0) centreOf(*map, 0, map->triangles, &map->startX, &map->startZ);
        ++map->tiles;
    }
    centreOf(*map, lastTileFrom, map->triangles, &map->finishX, &map->finishZ);
    std::fclose(file);
    return map->triangles > 0;
}

struct MapScale {
    float scaleX, scaleZ, offX, offY;
};

// Centred in the box, seen from above: the course starts heading down the box (+z), and
// +x lies on a rider's right, so x grows to the left and every turn bends on the map the
// way the rider turns.
MapScale mapScaleOf(const CourseMap& map, const MapBox& box) {
    const float spanX = std::max(map.maxX - map.minX, 1.0f), spanZ = std::max(map.maxZ - map.minZ, 1.0f);
    const float scale = std::min(float(box.right - box.left - 8) / spanX, float(box.bottom - box.top - 8) / spanZ);
    return MapScale{-scale, scale, float(box.left + box.right) * 0.5f + (map.minX + map.maxX) * 0.5f * scale,
                    float(box.top + box.bottom) * 0.5f - (map.minZ + map.maxZ) * 0.5f * scale};
}

void clearMap(CourseMap* map) {
    map->triangles = 0;
    map->tiles = 0;
    map->minX = map->minZ = 1e30f;
    map->maxX = map->maxZ = -1e30f;
}

}  // namespace

int buildCourseMap(const char* path, CourseMap* map) {
    clearMap(map);
    FILE* file = std::fopen(path, "rb");
    return file ? buildMapFrom(file, map) : 0;
}

int buildCourseMapText(const char* text, int size, CourseMap* map) {
    clearMap(map);
    FILE* file = text && size > 0 ? fmemopen(const_cast<char*>(text), size_t(size), "rb") : nullptr;
    return file ? buildMapFrom(file, map) : 0;
}

void courseMapPoint(const CourseMap& map, const MapBox& box, float x, float z, int* px, int* py) {
    const MapScale s = mapScaleOf(map, box);
    *px = int(s.offX + x * s.scaleX);
    *py = int(s.offY + z * s.scaleZ);
}

void drawCourseMap(const CourseMap& map, DisplayContext* page, const MapBox& box, int path, int start, int finish) {
    if (!page || map.triangles == 0 || box.left < 0 || box.top < 0 || box.right >= page->width ||
        box.bottom >= page->height)
        return;
    const MapScale s = mapScaleOf(map, box);
    for (int t = 0; t < map.triangles; ++t) {
        float px[3], py[3];
        for (int k = 0; k < 3; ++k) {
            px[k] = s.offX + map.x[t][k] * s.scaleX;
            py[k] = s.offY + map.z[t][k] * s.scaleZ;
        }
        fillTriangle(page, box, px, py, path);
    }
    int x, y;
    courseMapPoint(map, box, map.startX, map.startZ, &x, &y);
    fillDot(page, box, x, y, start);
    courseMapPoint(map, box, map.finishX, map.finishZ, &x, &y);
    fillDot(page, box, x, y, finish);
}
