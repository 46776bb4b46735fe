// The depth buffer's rows: the frame count that resets them, single depths read and set.
#include "render/depth_rows.h"

float ZBuffer[ScreenWidth * ScreenHeight];
DepthRow DepthRows[ScreenHeight];
uint32_t DepthFrame = 1;

void resetZBuffer() {
    if (++DepthFrame != 0) return;
    // The frame number came round: no row's depths are this frame's.
    for (DepthRow& row : DepthRows) row = DepthRow{};
    DepthFrame = 1;
}

float depthAt(int x, int y) {
    const DepthRow& row = DepthRows[y];
    if (row.frame != DepthFrame || x < row.first || x > row.last) return ZBufferFar;
    return ZBuffer[y * ScreenWidth + x];
}

void setDepthAt(int x, int y, float z) {
    claimColumns(y, x, x);
    ZBuffer[y * ScreenWidth + x] = z;
}
