// One race frame: transform, clip codes, reject/accept, clipping, projection, fill.
#include "render/pipeline.h"

#include <algorithm>

#include "display/display.h"
#include "render/camera.h"
#include "render/segment_window.h"
#include "render/textures.h"
#include "track/course_colours.h"

Matrix4 ViewMatrix;
Matrix4 LensMatrix;
Matrix4 ProjectionMatrix;

namespace {

constexpr float LensValues[16] = {
    1.732f, 0, 0, 0,
    0, 2.31f, 0, 0,
    0, 0, 1, 0,
    0, 0, 0, 1,
};
constexpr float ProjectionValues[16] = {
    1, 0, 0, 0,
    0, 1, 0, 0,
    0, 0, 0, 1,
    0, 0, 1, 0,
};

// The screen area a clipped polygon is held to.
constexpr int32_t ClampLeft = 2, ClampRight = 638, ClampTop = 1, ClampBottom = 478;

constexpr int32_t ObjectTextureBySlot[3] = {7, 6, NoTexture};  // current, next, third

constexpr int WindowSlotCount = 3;
constexpr int ObjectSlotCount = 6;
constexpr int MeshPolygonCapacity = 100;
constexpr int MeshPointCapacity = 50;
constexpr int ObjectPolygonCapacity = 50;
constexpr int ObjectPointCapacity = 40;

// The frame's view-space vertices: kept between frames only to spare the stack.
VertexWork MeshWork[WindowSlotCount];
VertexWork ObjectWork[WindowSlotCount][ObjectSlotCount];

// trunc toward zero; values no screen position can have (and NaN) are held far off
// the page, where the filler drops the polygon.
int32_t truncToInt(float v) {
    constexpr float Limit = 1.0e7f;
    if (v > -Limit && v < Limit) return int32_t(v);
    return v > 0 ? int32_t(Limit) : -int32_t(Limit);
}

bool sameColour(const MeshPolygon& p, const TileRgb& rgb) {
    return p.red == rgb.red && p.green == rgb.green && p.blue == rgb.blue;
}

// Object triangles of the colour the course draws with the window slot's texture.
bool takesSlotTexture(const MeshPolygon& p) {
    for (const CourseColourEntry& entry : CourseColours)
        if (entry.texture == WindowSlotTexture && sameColour(p, entry.rgb)) return true;
    return false;
}

void transformPoints(const Point3* points, int count, int capacity, VertexWork& work) {
    work.count = std::clamp(count, 0, std::min(capacity, VertexWorkSize));
    for (int i = 0; i < work.count; ++i) {
        work.view[i].assignNormalised(points[i] * ViewMatrix);
        work.code[i] = clipCodeOf(work.view[i]);
    }
}

bool cornersValid(const VertexWork& work, const MeshPolygon& p) {
    const auto valid = [&](int32_t i) { return i >= 0 && i < work.count; };
    return valid(p.vertexA) && valid(p.vertexB) && valid(p.vertexC);
}

void setTexture(ScreenPolygon& s, int32_t texture) {
    s.textured = texture != NoTexture;
    s.texture = texture != NoTexture ? texture : 0;
}

void fillTriangle(const VertexWork& work, const MeshPolygon& p, int32_t texture) {
    setColorRGB(p.red, p.green, p.blue);
    fillPolygon(directScreenPolygon(work.view[p.vertexA], work.view[p.vertexB],
                                    work.view[p.vertexC], texture));
}

WindowSlot* windowSlot(int s) {
    WindowSlot* slots[WindowSlotCount] = {&SegmentWindow.current, &SegmentWindow.next,
                                          &SegmentWindow.third};
    return slots[s];
}

void transformWindow() {
    for (int s = 0; s < WindowSlotCount; ++s) {
        const SegmentMesh& mesh = windowSlot(s)->mesh;
        transformPoints(mesh.points, mesh.pointCount, MeshPointCapacity, MeshWork[s]);
    }
    for (int k = 0; k < ObjectSlotCount; ++k) {
        for (int s = 0; s < WindowSlotCount; ++s) {
            const ObjectSlot& slot = windowSlot(s)->objects.slots[k];
            transformPoints(slot.points, slot.pointCount, ObjectPointCapacity, ObjectWork[s][k]);
        }
    }
}

void drawMeshes() {
    for (int s = 0; s < WindowSlotCount; ++s) {
        const SegmentMesh& mesh = windowSlot(s)->mesh;
        const int count = std::clamp(int(mesh.polygonCount), 0, MeshPolygonCapacity);
        for (int i = 0; i < count; ++i) drawMeshTriangle(MeshWork[s], mesh.polygons[i]);
    }
}

void drawObjects() {
    for (int s = 0; s < WindowSlotCount; ++s) {
        for (int k = 0; k < ObjectSlotCount; ++k) {
            const ObjectSlot& slot = windowSlot(s)->objects.slots[k];
            const int count = std::clamp(int(slot.polygonCount), 0, ObjectPolygonCapacity);
            for (int i = 0; i < count; ++i)
                drawObjectTriangle(ObjectWork[s][k], slot.polygons[i], ObjectTextureBySlot[s]);
        }
    }
}

}  // namespace

void initRenderMatrices() {
    ViewMatrix = IdentityMatrix;
    LensMatrix = Matrix4(LensValues);
    ProjectionMatrix = Matrix4(ProjectionValues);
}

ScreenPoint mapToScreen(const Point3& p) {
    Point3 q;
    q.assignNormalised(p * ProjectionMatrix);
    ScreenPoint s;
    s.x = truncToInt(q.x * 636.0f / 2.0f + 636.0f / 2.0f) + 2;
    s.y = truncToInt(q.y * 477.0f / 2.0f + 477.0f / 2.0f) + 1;
    s.z = p.z;
    return s;
}

int32_t meshTextureOf(const MeshPolygon& polygon) {
    for (const CourseColourEntry& entry : CourseColours)
        if (entry.texture >= 0 && sameColour(polygon, entry.rgb)) return entry.texture;
    return NoTexture;
}

ScreenPolygon directScreenPolygon(const Point3& a, const Point3& b, const Point3& c,
                                  int32_t texture) {
    ScreenPolygon s{};
    const Point3* corners[3] = {&a, &b, &c};
    for (int i = 0; i < 3; ++i) {
        const ScreenPoint p = mapToScreen(*corners[i]);
        s.x[i] = p.x;
        s.y[i] = p.y;
        s.z[i] = p.z;
    }
    s.count = 3;
    setTexture(s, texture);
    return s;
}

ScreenPolygon clippedScreenPolygon(const ClipPolygon& polygon, int32_t texture) {
    ScreenPolygon s{};
    s.count = std::min(int(polygon.count), ScreenPolygonMaxVertices);
    for (int i = 0; i < s.count; ++i) {
        const ScreenPoint p = mapToScreen(polygon.vertex[i]);
        s.x[i] = std::clamp(p.x, ClampLeft, ClampRight);
        s.y[i] = std::clamp(p.y, ClampTop, ClampBottom);
        s.z[i] = p.z;
    }
    setTexture(s, texture);
    return s;
}

void drawMeshTriangle(const VertexWork& work, const MeshPolygon& polygon) {
    if (!cornersValid(work, polygon)) return;
    const int32_t ca = work.code[polygon.vertexA];
    const int32_t cb = work.code[polygon.vertexB];
    const int32_t cc = work.code[polygon.vertexC];
    if ((ca & cb & cc) != 0) return;  // wholly outside one plane
    const int32_t texture = meshTextureOf(polygon);
    if ((ca | cb | cc) == 0) {
        fillTriangle(work, polygon, texture);
        return;
    }
    ClipPolygon clipped;
    if (!clipTriangle(work.view[polygon.vertexA], ca, work.view[polygon.vertexB], cb,
                      work.view[polygon.vertexC], cc, &clipped))
        return;
    setColorRGB(polygon.red, polygon.green, polygon.blue);
    fillPolygon(clippedScreenPolygon(clipped, texture));
}

void drawObjectTriangle(const VertexWork& work, const MeshPolygon& polygon,
                        int32_t objectTexture) {
    if (!cornersValid(work, polygon)) return;
    const int32_t codes =
        work.code[polygon.vertexA] | work.code[polygon.vertexB] | work.code[polygon.vertexC];
    if (codes != 0) return;
    fillTriangle(work, polygon, takesSlotTexture(polygon) ? objectTexture : NoTexture);
}

void drawRaceView() {
    clearPage();
    ViewMatrix = ViewMatrix * CameraMatrix;
    ViewMatrix = ViewMatrix * LensMatrix;
    transformWindow();
    drawMeshes();
    drawObjects();
    ViewMatrix = IdentityMatrix;
    if (handlebarSprite) drawSprite(handlebarSprite, HandlebarX, HandlebarY);
}
