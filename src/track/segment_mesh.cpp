// Builds a tile from its track line: the kind's shape placed through the frame of the
// variant, every coordinate the start position plus one table constant (the height
// with its multiple of the slope).
#include "track/segment_mesh.h"

#include "track/tile_catalogue.h"
#include "track/track_line.h"

SegmentMesh::SegmentMesh()
    : polygons{}, slope(0), kind(0), variant(0), pointCount(0), polygonCount(0),
      endX(0.0f), endY(0.0f), endZ(0.0f), refCount(0) {
    // Unused points hold the origin, so that copies of a tile never carry unset values.
    for (Point3& point : points) point.set(0.0f, 0.0f, 0.0f, 1.0f);
}

bool isCatalogueKind(char kind) { return findTileKind(kind) != nullptr; }

namespace {

// The local u of a table point, mirrored across the tile when asked (u -> 10 - u).
float localU(const TilePoint& point, bool mirrored) {
    return static_cast<float>(mirrored ? 10.0 - point.u : point.u);
}

// The local height: vSlope * H + v, in float.
float localV(const TilePoint& point, float slopeH) {
    return static_cast<float>(point.vSlope) * slopeH + static_cast<float>(point.v);
}

Point3 placeTilePoint(const TilePoint& point, bool mirrored, int heading, float slopeH,
                      float x, float y, float z) {
    float worldX, worldZ;
    placeInTile(heading, x, z, localU(point, mirrored), static_cast<float>(point.w), &worldX,
                &worldZ);
    Point3 placed;
    placed.set(worldX, y + localV(point, slopeH), worldZ, 1.0f);
    return placed;
}

void fillShape(SegmentMesh& mesh, const TileShape& shape, int heading, float x, float y, float z) {
    float slopeH = static_cast<float>(mesh.slope);
    int pointBase = 0, triangleBase = 0;
    for (int p = 0; p < shape.partCount; ++p) {
        const TilePart& part = *shape.parts[p].part;
        bool mirrored = shape.parts[p].mirrored;
        for (int i = 0; i < part.pointCount; ++i)
            mesh.points[pointBase + i] =
                placeTilePoint(part.points[i], mirrored, heading, slopeH, x, y, z);
        for (int i = 0; i < part.triangleCount; ++i) {
            const TileTriangle& triangle = part.triangles[i];
            const TileRgb& rgb = courseRgb(triangle.colour);
            mesh.polygons[triangleBase + i] = {pointBase + triangle.a, pointBase + triangle.b,
                                               pointBase + triangle.c, rgb.red, rgb.green,
                                               rgb.blue};
        }
        pointBase += part.pointCount;
        triangleBase += part.triangleCount;
    }
    mesh.pointCount = pointBase;
    mesh.polygonCount = triangleBase;

    Point3 end = placeTilePoint(shape.end, false, heading, slopeH, x, y, z);
    mesh.endX = end.x;
    mesh.endY = end.y;
    mesh.endZ = end.z;
}

}  // namespace

SegmentMesh buildSegmentMesh(const char* line, float x, float y, float z) {
    SegmentMesh mesh;
    mesh.kind = trackLineChar(line, 0);
    mesh.variant = readTrackNumber(line, 1);
    mesh.slope = readTrackNumber(line, 3);
    // Whatever cannot be built stays an empty tile that ends where it starts.
    mesh.endX = x;
    mesh.endY = y;
    mesh.endZ = z;

    const TileKind* kind = findTileKind(mesh.kind);
    if (!kind) return mesh;
    const TileShape* shape = tileShapeForVariant(*kind, mesh.variant);
    if (!shape) return mesh;
    int heading = kind->singleFrame ? 1 : tileHeading(mesh.variant);
    fillShape(mesh, *shape, heading, x, y, z);
    return mesh;
}
