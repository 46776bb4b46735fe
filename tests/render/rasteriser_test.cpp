// The polygon filler, the edge table, the depth test, textures and the depth line.
#include <array>

#include "render_test_page.h"

namespace {

constexpr uint8_t FlatColor = 7;

class RasterTest : public RenderPageTest {
protected:
    void SetUp() override {
        RenderPageTest::SetUp();
        page->color = FlatColor;
    }
    static bool edgeTableEmpty() {
        for (const EdgeRow& r : EdgeTable)
            if (r.leftX != -100 || r.rightX != -100 || r.leftZ != 100.0f || r.rightZ != 100.0f)
                return false;
        return true;
    }
};

ScreenPolygon polygon(std::initializer_list<std::array<int, 2>> xy, float z = 10.0f) {
    ScreenPolygon p{};
    for (const auto& v : xy) {
        p.x[p.count] = v[0];
        p.y[p.count] = v[1];
        p.z[p.count] = z;
        ++p.count;
    }
    return p;
}

TEST_F(RasterTest, HorizontalFirstEdgeLeavesOnlyItsLeftEndOnTopRow) {
    fillPolygon(polygon({{10, 100}, {20, 100}, {15, 110}}));
    EXPECT_EQ(rowPixels(99), 0);
    EXPECT_EQ(rowPixels(100), 1);
    EXPECT_EQ(pixel(10, 100), FlatColor);
    for (int y = 101; y <= 109; ++y) EXPECT_GT(rowPixels(y), 0) << "row " << y;
    // Row 105: left edge 10 + trunc(2.5), right edge 20 + trunc(-2.5).
    EXPECT_EQ(rowExtent(105), std::make_pair(12, 18));
    EXPECT_EQ(rowPixels(110), 0);
    EXPECT_TRUE(edgeTableEmpty());
}

TEST_F(RasterTest, HorizontalBottomEdgeIsFilledWhole) {
    fillPolygon(polygon({{10, 100}, {15, 90}, {20, 100}}));
    EXPECT_EQ(rowPixels(89), 0);
    EXPECT_EQ(rowPixels(90), 1);
    EXPECT_EQ(pixel(15, 90), FlatColor);
    EXPECT_EQ(rowExtent(100), std::make_pair(10, 20));
    EXPECT_EQ(rowPixels(101), 0);
    EXPECT_TRUE(edgeTableEmpty());
}

TEST_F(RasterTest, PolygonOnOneRowFillsTheLastHorizontalEdge) {
    // Edges (10..30), (20..30), then (10..20): the last one stays in the row.
    fillPolygon(polygon({{10, 50}, {30, 50}, {20, 50}}));
    EXPECT_EQ(rowExtent(50), std::make_pair(10, 20));
    EXPECT_TRUE(edgeTableEmpty());
}

TEST_F(RasterTest, SinglePixelSpanIsDrawnAtItsLeftDepth) {
    ScreenPolygon p = polygon({{10, 100}, {20, 100}, {15, 110}});
    p.z[0] = 7.25f;
    p.z[1] = 9.0f;
    p.z[2] = 12.0f;
    fillPolygon(p);
    EXPECT_EQ(depth(10, 100), 7.25f);
}

TEST_F(RasterTest, DepthIsInterpolatedAlongTheSpan) {
    // Rectangle rows 10..19, columns 0..10; depth 10 on the left, 20 on the right.
    ScreenPolygon p = polygon({{0, 10}, {10, 10}, {10, 20}, {0, 20}});
    p.z[0] = p.z[3] = 10.0f;
    p.z[1] = p.z[2] = 20.0f;
    fillPolygon(p);
    EXPECT_FLOAT_EQ(depth(0, 15), 10.0f);
    EXPECT_FLOAT_EQ(depth(5, 15), 15.0f);
    EXPECT_FLOAT_EQ(depth(10, 15), 20.0f);
    EXPECT_EQ(pixel(10, 20), FlatColor);  // the bottom edge is horizontal: drawn
    EXPECT_EQ(rowPixels(21), 0);
}

TEST_F(RasterTest, EqualDepthKeepsTheFirstPolygon) {
    fillPolygon(polygon({{10, 10}, {40, 10}, {25, 40}}, 5.0f));
    page->color = 9;
    fillPolygon(polygon({{10, 10}, {40, 10}, {25, 40}}, 5.0f));
    EXPECT_EQ(pixel(25, 20), FlatColor);
    page->color = 11;
    fillPolygon(polygon({{10, 10}, {40, 10}, {25, 40}}, 4.99f));
    EXPECT_EQ(pixel(25, 20), 11);
}

TEST_F(RasterTest, NothingAtDepthHundredOrBeyond) {
    fillPolygon(polygon({{10, 10}, {40, 10}, {25, 40}}, 100.0f));
    fillPolygon(polygon({{100, 10}, {140, 10}, {125, 40}}, 150.0f));
    EXPECT_EQ(rowPixels(20), 0);
    fillPolygon(polygon({{10, 10}, {40, 10}, {25, 40}}, 99.9f));
    EXPECT_EQ(pixel(25, 20), FlatColor);
    EXPECT_FLOAT_EQ(depth(25, 20), 99.9f);
}

TEST_F(RasterTest, TextureZeroIsTiledByScreenColumn) {
    TestTexture t(5, 3);  // width % 4 == 1: pad 3
    GameState.textures[0] = &t.bitmap;
    ScreenPolygon p = polygon({{13, 20}, {40, 20}, {40, 30}, {13, 30}});
    p.textured = 1;
    p.texture = 0;
    fillPolygon(p);
    // Row 20 keeps only its left end (the closing edge's crossing); rows 21..30 are whole.
    EXPECT_EQ(rowPixels(20), 1);
    for (int y = 21; y <= 30; ++y)
        for (int x = 13; x <= 40; ++x)
            ASSERT_EQ(pixel(x, y), t.texel(x % 5, y % 3)) << x << "," << y;
}

TEST_F(RasterTest, TextureThreeCountsColumnsFromTheSpanStart) {
    TestTexture t(6, 4);  // width % 4 == 2: pad 2
    GameState.textures[3] = &t.bitmap;
    // A triangle: every row's span starts at a different column.
    ScreenPolygon p = polygon({{50, 10}, {90, 40}, {20, 40}});
    p.textured = 1;
    p.texture = 3;
    fillPolygon(p);
    for (int y = 11; y < 40; ++y) {
        const auto [first, last] = rowExtent(y);
        ASSERT_GE(first, 0);
        for (int x = first; x <= last; ++x)
            ASSERT_EQ(pixel(x, y), t.texel((x - first) % 6, y % 4)) << x << "," << y;
    }
}

TEST_F(RasterTest, FlatFillWhenTexturingOffOrTextureNumberOutOfRange) {
    TestTexture t(5, 3);
    GameState.textures[0] = &t.bitmap;
    ScreenPolygon p = polygon({{10, 10}, {40, 10}, {40, 20}, {10, 20}});
    p.textured = 1;
    p.texture = 0;
    texturingEnabled = 0;
    fillPolygon(p);
    EXPECT_EQ(pixel(12, 15), FlatColor);

    texturingEnabled = 1;
    p = polygon({{100, 10}, {140, 10}, {140, 20}, {100, 20}});
    p.textured = 1;
    p.texture = 9;
    fillPolygon(p);
    EXPECT_EQ(pixel(120, 15), FlatColor);
    p.texture = -1;
    p.y[0] = p.y[1] = 30;
    p.y[2] = p.y[3] = 40;
    fillPolygon(p);
    EXPECT_EQ(pixel(120, 35), FlatColor);
    EXPECT_TRUE(edgeTableEmpty());
}

TEST_F(RasterTest, TextureWithRowsShorterThanAssumedIsFilledFlat) {
    TestTexture t(4, 3);  // width % 4 == 0, but texture 0 assumes 3 bytes of padding
    GameState.textures[0] = &t.bitmap;
    ScreenPolygon p = polygon({{10, 10}, {40, 10}, {40, 20}, {10, 20}});
    p.textured = 1;
    p.texture = 0;
    fillPolygon(p);
    EXPECT_EQ(pixel(12, 15), FlatColor);
}

TEST_F(RasterTest, EdgeTableEmptyAfterDegenerateAndOffPagePolygons) {
    fillPolygon(polygon({{10, 10}, {10, 10}, {10, 10}}));
    EXPECT_TRUE(edgeTableEmpty());
    fillPolygon(polygon({{10, -20}, {30, 500}, {-40, 300}}));
    EXPECT_TRUE(edgeTableEmpty());
    EXPECT_GT(rowPixels(0), 0);
    EXPECT_GT(rowPixels(479), 0);
    ScreenPolygon p = polygon({{10, 10}, {40, 10}, {25, 40}});
    p.count = 0;
    fillPolygon(p);
    p.count = 99;  // more vertices than a polygon holds: only ten are read
    fillPolygon(p);
    EXPECT_TRUE(edgeTableEmpty());
}

TEST_F(RasterTest, DepthLineIsTheSameInBothDirections) {
    drawDepthLine(0, 0, 5.0f, 3, 1, 5.0f);
    const int expected[4][2] = {{0, 0}, {1, 0}, {2, 1}, {3, 1}};
    int drawn = 0;
    for (int y = 0; y < 3; ++y) drawn += rowPixels(y);
    EXPECT_EQ(drawn, 4);
    for (const auto& e : expected) EXPECT_EQ(pixel(e[0], e[1]), FlatColor);

    std::memset(page->pixels, 0, ScreenWidth * ScreenHeight);
    resetZBuffer();
    drawDepthLine(3, 1, 5.0f, 0, 0, 5.0f);
    drawn = 0;
    for (int y = 0; y < 3; ++y) drawn += rowPixels(y);
    EXPECT_EQ(drawn, 4);
    for (const auto& e : expected) EXPECT_EQ(pixel(e[0], e[1]), FlatColor);
}

TEST_F(RasterTest, DepthLineSteepAndDepthTested) {
    drawDepthLine(5, 10, 10.0f, 4, 14, 14.0f);
    EXPECT_EQ(pixel(5, 10), FlatColor);
    EXPECT_EQ(pixel(4, 14), FlatColor);
    EXPECT_FLOAT_EQ(depth(4, 14), 14.0f);
    int drawn = 0;
    for (int y = 10; y <= 14; ++y) drawn += rowPixels(y);
    EXPECT_EQ(drawn, 5);
    // A line behind what is drawn leaves it.
    page->color = 3;
    drawDepthLine(5, 10, 20.0f, 5, 10, 20.0f);
    EXPECT_EQ(pixel(5, 10), FlatColor);
}

TEST(ZBufferTest, ResetSetsEveryDepthToHundred) {
    resetZBuffer();
    setDepthAt(0, 0, 1.0f);
    setDepthAt(639, 479, 2.0f);
    setDepthAt(600, 479, 3.0f);  // the columns between are far, not what memory held
    EXPECT_EQ(depthAt(620, 479), 100.0f);
    EXPECT_EQ(depthAt(600, 479), 3.0f);
    resetZBuffer();
    for (int y = 0; y < ScreenHeight; ++y)
        for (int x = 0; x < ScreenWidth; ++x) ASSERT_EQ(depthAt(x, y), 100.0f);
}

// Spans that reach into a row's stored columns from either side, or leave a gap, test
// against what was drawn there this frame and against 100.0 elsewhere.
TEST_F(RasterTest, DepthOfEarlierFramesIsNeverSeen) {
    ScreenPolygon far = {{100, 300, 300, 100}, {10, 10, 20, 20}, {50, 50, 50, 50}, 4, 0, 0};
    fillPolygon(far);
    resetZBuffer();
    page->color = 2;
    ScreenPolygon near = {{150, 200, 200, 150}, {10, 10, 20, 20}, {5, 5, 5, 5}, 4, 0, 0};
    fillPolygon(near);
    page->color = 3;
    ScreenPolygon behind = {{120, 260, 260, 120}, {10, 10, 20, 20}, {60, 60, 60, 60}, 4, 0, 0};
    fillPolygon(behind);
    ScreenPolygon gap = {{400, 450, 450, 400}, {10, 10, 20, 20}, {99, 99, 99, 99}, 4, 0, 0};
    fillPolygon(gap);
    EXPECT_EQ(pixel(130, 15), 3);  // 60 is nearer than 100, whatever the last frame left
    EXPECT_EQ(pixel(170, 15), 2);  // 60 is behind 5
    EXPECT_EQ(pixel(255, 15), 3);
    EXPECT_EQ(pixel(420, 15), 3);
    EXPECT_EQ(depthAt(350, 15), 100.0f);
    EXPECT_EQ(depthAt(300, 15), 100.0f);
    EXPECT_FLOAT_EQ(depthAt(130, 15), 60.0f);
    EXPECT_FLOAT_EQ(depthAt(170, 15), 5.0f);
}

}  // namespace
