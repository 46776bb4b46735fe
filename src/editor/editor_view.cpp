#include "editor/editor_view.h"

#include <cstring>

#include "editor/course_edits.h"
#include "render/camera.h"
#include "render/pipeline.h"
#include "render/rasteriser.h"
#include "render/segment_window.h"
#include "track/tile_catalogue.h"

namespace {

constexpr float EyeBeforeEdge = 2.4f;  // as at the course's start: 2.4 before the tile
constexpr float EyeHeight = 1.0f;

// The eye where a rider enters tile, looking along the heading the course arrives with.
Matrix4 eyeAt(const TilePlace& place, int heading) {
    float sideX, sideZ, aheadX, aheadZ, eyeX, eyeZ;
    placeInTile(heading, 0.0f, 0.0f, 1.0f, 0.0f, &sideX, &sideZ);
    placeInTile(heading, 0.0f, 0.0f, 0.0f, 1.0f, &aheadX, &aheadZ);
    placeInTile(heading, place.x, place.z, 5.0f, -EyeBeforeEdge, &eyeX, &eyeZ);
    const float eyeY = place.y - EyeHeight;
    Matrix4 eye = IdentityMatrix;
    eye(0, 0) = sideX;
    eye(0, 2) = aheadX;
    eye(2, 0) = sideZ;
    eye(2, 2) = aheadZ;
    eye(3, 0) = -(eyeX * sideX + eyeZ * sideZ);
    eye(3, 1) = -eyeY;
    eye(3, 2) = -(eyeX * aheadX + eyeZ * aheadZ);
    eye(3, 3) = 1.0f;
    return eye;
}

void fillSlot(const CourseModel& model, const CourseLayout& layout, int tile, WindowSlot* slot) {
    buildLaidTile(model, layout, tile, &slot->mesh, &slot->objects);
    slot->filled = tile >= 0 && tile < model.count ? 1 : 0;
}

}  // namespace

Matrix4 eyeEnteringTile(const CourseModel& model, const CourseLayout& layout, int tile) {
    return eyeAt(layout.places[tile], headingIntoTile(model, tile));
}

void drawRiderView(const CourseModel& model, const CourseLayout& layout, int tile, DisplayContext* page,
                   RiderView* view) {
    std::memset(view->pixels, 0, sizeof view->pixels);
    if (!page || page->width < 2 * RiderViewWidth || page->height < 2 * RiderViewHeight) return;
    if (tile < 0 || tile >= model.count || tile >= layout.count) return;
    static SegmentWindowSlots live;
    live = SegmentWindow;
    const Matrix4 liveEye = CameraMatrix;
    fillSlot(model, layout, tile, &SegmentWindow.current);
    fillSlot(model, layout, tile + 1, &SegmentWindow.next);
    fillSlot(model, layout, tile + 2, &SegmentWindow.third);
    CameraMatrix = eyeEnteringTile(model, layout, tile);
    resetZBuffer();
    drawRaceView();  // the window as filled here: drawing moves nothing
    SegmentWindow = live;
    CameraMatrix = liveEye;
    for (int y = 0; y < RiderViewHeight; ++y)
        for (int x = 0; x < RiderViewWidth; ++x)
            view->pixels[y * RiderViewWidth + x] = page->pixels[(2 * y) * page->width + 2 * x];
}

void putRiderView(const RiderView& view, DisplayContext* page, int left, int top, int firstRow) {
    const int rows = RiderViewHeight - firstRow;
    if (!page || firstRow < 0 || rows <= 0 || left < 0 || top < 0 || left + RiderViewWidth > page->width ||
        top + rows > page->height)
        return;
    for (int y = 0; y < rows; ++y)
        std::memcpy(page->pixels + (top + y) * page->width + left, view.pixels + (firstRow + y) * RiderViewWidth,
                    RiderViewWidth);
}
