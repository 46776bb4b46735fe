// Screen mapping, colour keys, the tile and object triangle procedures and whole race
// frames drawn from a window set up by hand.
#include <cmath>

#include "race/ride.h"
#include "render/pipeline.h"
#include "render/segment_window.h"
#include "render/textures.h"
#include "render_test_page.h"
#include "track/track_lists.h"

namespace {

// Palette entries of the test page.
constexpr int White = 1, PathGrey = 2, NearGrey = 3, Green = 4, Red = 5;

class PipelineTest : public RenderPageTest {
protected:
    void SetUp() override {
        RenderPageTest::SetUp();
        for (int i = 0; i < 256; ++i) setEntry(i, 40, 40, 40);
        setEntry(0, 0, 0, 0);
        setEntry(White, 255, 255, 255);
        setEntry(PathGrey, 218, 218, 218);
        setEntry(NearGrey, 218, 218, 217);
        setEntry(Green, 4, 156, 0);
        setEntry(Red, 223, 0, 0);
        initRenderMatrices();
        buildClipPlanes();
        clearTrackLists();
        resetSegmentWindow();
        GameState.racing = 1;
        GameState.screen = 1;
        CameraMatrix = IdentityMatrix;
        RiderPosition = Point3(0, 0, 0);
    }
    void TearDown() override {
        resetSegmentWindow();
        resetGameState();
        RenderPageTest::TearDown();
    }

    // The view-space work of a single triangle, as drawRaceView would leave it.
    static VertexWork workOf(const Point3& a, const Point3& b, const Point3& c) {
        VertexWork w;
        const Point3* p[3] = {&a, &b, &c};
        for (int i = 0; i < 3; ++i) {
            w.view[i] = *p[i];
            w.code[i] = clipCodeOf(*p[i]);
        }
        w.count = 3;
        return w;
    }
};

MeshPolygon triangle(int r, int g, int b) { return MeshPolygon{0, 1, 2, r, g, b}; }

// Adds a triangle of colour (r, g, b) to a tile.
void addTriangle(SegmentMesh& m, const Point3& a, const Point3& b, const Point3& c, int r,
                 int g, int bl) {
    const int base = m.pointCount;
    m.points[base] = a;
    m.points[base + 1] = b;
    m.points[base + 2] = c;
    m.pointCount += 3;
    m.polygons[m.polygonCount++] = MeshPolygon{base, base + 1, base + 2, r, g, bl};
}

void addObjectTriangle(ObjectSlot& s, const Point3& a, const Point3& b, const Point3& c, int r,
                       int g, int bl) {
    const int base = s.pointCount;
    s.points[base] = a;
    s.points[base + 1] = b;
    s.points[base + 2] = c;
    s.pointCount += 3;
    s.polygons[s.polygonCount++] = MeshPolygon{base, base + 1, base + 2, r, g, bl};
}

TEST_F(PipelineTest, ScreenMappingTruncatesTowardZero) {
    EXPECT_EQ(mapToScreen(Point3(0, 0, 10)).x, 320);
    EXPECT_EQ(mapToScreen(Point3(0, 0, 10)).y, 239);  // trunc(238.5) + 1
    EXPECT_EQ(mapToScreen(Point3(10, 0, 10)).x, 638);
    EXPECT_EQ(mapToScreen(Point3(-10, 0, 10)).x, 2);
    const float edge = 10.0f * ClipSlope;
    EXPECT_EQ(mapToScreen(Point3(0, edge, 10)).y, 398);
    EXPECT_EQ(mapToScreen(Point3(0, -edge, 10)).y, 80);
    EXPECT_EQ(mapToScreen(Point3(1, 2, 7.5f)).z, 7.5f);
    // -0.5 before the truncation becomes 0, not -1.
    EXPECT_EQ(mapToScreen(Point3(-1.0016f, 0, 1)).x, 2);
    // 477 / 2 is 238.5: 0.5 * 238.5 + 238.5 = 357.75.
    EXPECT_EQ(mapToScreen(Point3(0, 5, 10)).y, 358);
}

TEST_F(PipelineTest, ClampOnlyOnTheClippedPath) {
    const Point3 a(1.004f, 1.01f, 1), b(-1.01f, -1.01f, 1), c(0, 0, 1);
    const ScreenPolygon direct = directScreenPolygon(a, b, c, NoTexture);
    EXPECT_EQ(direct.x[0], 639);
    EXPECT_EQ(direct.y[0], 480);
    EXPECT_EQ(direct.x[1], -1);
    EXPECT_EQ(direct.count, 3);
    EXPECT_EQ(direct.textured, 0);

    ClipPolygon clipped;
    clipped.count = 3;
    clipped.vertex[0] = a;
    clipped.vertex[1] = b;
    clipped.vertex[2] = c;
    const ScreenPolygon held = clippedScreenPolygon(clipped, 3);
    EXPECT_EQ(held.x[0], 638);
    EXPECT_EQ(held.y[0], 478);
    EXPECT_EQ(held.x[1], 2);
    EXPECT_EQ(held.y[1], 1);
    EXPECT_EQ(held.x[2], 320);
    EXPECT_EQ(held.z[0], 1.0f);
    EXPECT_EQ(held.textured, 1);
    EXPECT_EQ(held.texture, 3);
}

TEST_F(PipelineTest, ColourKeysChooseTextures) {
    EXPECT_EQ(meshTextureOf(triangle(218, 218, 218)), 0);
    EXPECT_EQ(meshTextureOf(triangle(140, 73, 22)), 2);
    EXPECT_EQ(meshTextureOf(triangle(181, 112, 69)), 3);
    EXPECT_EQ(meshTextureOf(triangle(85, 85, 255)), 4);
    EXPECT_EQ(meshTextureOf(triangle(4, 156, 0)), 5);
    EXPECT_EQ(meshTextureOf(triangle(218, 218, 217)), NoTexture);
    EXPECT_EQ(meshTextureOf(triangle(223, 0, 0)), NoTexture);
    EXPECT_EQ(meshTextureOf(triangle(255, 255, 255)), NoTexture);
}

TEST_F(PipelineTest, KeyedTileTriangleIsTexturedOtherColoursFlat) {
    TestTexture path(5, 3, 100);
    GameState.textures[0] = &path.bitmap;
    const VertexWork w = workOf(Point3(-2, -1, 10), Point3(2, -1, 10), Point3(0, 1, 10));
    drawMeshTriangle(w, triangle(218, 218, 218));
    EXPECT_EQ(pixel(320, 239), path.atScreen(320, 239));
    EXPECT_EQ(pixel(300, 230), path.atScreen(300, 230));

    resetZBuffer();
    drawMeshTriangle(w, triangle(218, 218, 217));
    EXPECT_EQ(pixel(320, 239), NearGrey);

    resetZBuffer();
    texturingEnabled = 0;
    drawMeshTriangle(w, triangle(218, 218, 218));
    EXPECT_EQ(pixel(320, 239), PathGrey);
}

TEST_F(PipelineTest, TileTriangleWhollyOutsideOnePlaneIsSkipped) {
    const VertexWork left = workOf(Point3(-20, 0, 10), Point3(-30, 1, 10), Point3(-25, 2, 12));
    drawMeshTriangle(left, triangle(223, 0, 0));
    const VertexWork far = workOf(Point3(0, 0, 31), Point3(1, 0, 40), Point3(0, 1, 35));
    drawMeshTriangle(far, triangle(223, 0, 0));
    EXPECT_EQ(pagePixels(), 0);
}

TEST_F(PipelineTest, TileTriangleCrossingTheNearPlaneIsClippedAndDrawn) {
    const VertexWork w = workOf(Point3(0, 1, 1.9f), Point3(4, 1, 10), Point3(-4, 1, 10));
    drawMeshTriangle(w, triangle(223, 0, 0));
    EXPECT_GT(pagePixels(), 0);
    // Drawn pixels lie at depth 2 or beyond.
    float nearest = 100.0f;
    for (int y = 0; y < ScreenHeight; ++y)
        for (int x = 0; x < ScreenWidth; ++x) nearest = std::min(nearest, depthAt(x, y));
    EXPECT_GE(nearest, 2.0f - 1e-4f);
    EXPECT_LT(nearest, 2.5f);
}

TEST_F(PipelineTest, ObjectTriangleIsNeverClipped) {
    const VertexWork behind = workOf(Point3(0, 1, 1.9f), Point3(4, 1, 10), Point3(-4, 1, 10));
    drawObjectTriangle(behind, triangle(223, 0, 0), NoTexture);
    const VertexWork across = workOf(Point3(-12, 0, 10), Point3(2, 0, 10), Point3(0, 1, 10));
    drawObjectTriangle(across, triangle(223, 0, 0), NoTexture);
    EXPECT_EQ(pagePixels(), 0);
    const VertexWork inside = workOf(Point3(-2, 0, 10), Point3(2, 0, 10), Point3(0, 1, 10));
    drawObjectTriangle(inside, triangle(223, 0, 0), NoTexture);
    EXPECT_GT(pagePixels(), 0);
}

TEST_F(PipelineTest, RaceFrameDrawsTilesObjectsAndTheHandlebar) {
    TestTexture sign6(7, 5, 100), sign7(6, 3, 160);
    GameState.textures[6] = &sign6.bitmap;  // width % 4 == 3: pad 1
    GameState.textures[7] = &sign7.bitmap;  // width % 4 == 2: pad 2
    windowFillPending = 0;
    WindowSlot& current = SegmentWindow.current;
    // The ground: a wide red triangle at depth 12 in the middle of the screen.
    addTriangle(current.mesh, Point3(-4, -2, 12), Point3(4, -2, 12), Point3(0, 3, 12), 223, 0, 0);
    // White object triangles in front of it: left in current, middle in next, right in third.
    const float centres[3] = {-3, 0, 3};
    WindowSlot* slots[3] = {&SegmentWindow.current, &SegmentWindow.next, &SegmentWindow.third};
    for (int s = 0; s < 3; ++s) {
        const float cx = centres[s];
        addObjectTriangle(slots[s]->objects.slots[2], Point3(cx - 0.5f, -0.5f, 10),
                          Point3(cx + 0.5f, -0.5f, 10), Point3(cx, 0.5f, 10), 255, 255, 255);
    }
    // The handlebar: index 0 everywhere but a 2 x 2 block at its top-left corner.
    std::vector<uint8_t> bar(8 * 4, 0);
    bar[0] = bar[1] = bar[8] = bar[9] = Green;
    Bitmap handlebar{8, 4, 8, 8, bar.data(), nullptr, nullptr};
    createSpriteManager(page, 0);
    handlebarSprite = addSprite(&handlebar, packColor(0, 0, 0));
    std::memset(page->pixels, 77, ScreenWidth * ScreenHeight);  // cleared by the frame

    drawRaceView();

    EXPECT_EQ(pixel(0, 0), 0);
    // current's objects take texture 7, next's texture 6, third's stay flat white.
    EXPECT_EQ(pixel(154, 239), sign7.atScreen(154, 239));
    EXPECT_EQ(pixel(320, 239), sign6.atScreen(320, 239));
    EXPECT_EQ(pixel(485, 239), White);
    // The ground shows between them.
    EXPECT_EQ(pixel(240, 239), Red);
    // Handlebar at (80, 330): its index-0 pixels leave the page as it is.
    EXPECT_EQ(pixel(80, 330), Green);
    EXPECT_EQ(pixel(81, 331), Green);
    EXPECT_EQ(pixel(82, 330), 0);
    // The view matrix is the identity again after the frame.
    for (int i = 0; i < 16; ++i) EXPECT_EQ(ViewMatrix.m[i], IdentityMatrix.m[i]) << i;
    destroySpriteManager();
    handlebarSprite = nullptr;
}

TEST_F(PipelineTest, EqualDepthKeepsCurrentBeforeNextAndMeshesBeforeObjects) {
    windowFillPending = 0;
    const Point3 a(-2, -1, 10), b(2, -1, 10), c(0, 1, 10);
    addTriangle(SegmentWindow.current.mesh, a, b, c, 223, 0, 0);
    addTriangle(SegmentWindow.next.mesh, a, b, c, 4, 156, 0);
    addObjectTriangle(SegmentWindow.current.objects.slots[0], a, b, c, 255, 255, 255);
    texturingEnabled = 0;
    drawRaceView();
    EXPECT_EQ(pixel(320, 239), Red);
}

TEST_F(PipelineTest, CameraMovesTheView) {
    windowFillPending = 0;
    addTriangle(SegmentWindow.current.mesh, Point3(-2, -1, 10), Point3(2, -1, 10),
                Point3(0, 1, 10), 223, 0, 0);
    drawRaceView();
    EXPECT_EQ(pixel(320, 239), Red);
    // The eye 20 units further on: the triangle is behind it now.
    CameraMatrix(3, 2) = -20.0f;
    resetZBuffer();
    drawRaceView();
    EXPECT_EQ(pixel(320, 239), 0);
    EXPECT_EQ(pagePixels(), 0);
}

}  // namespace
