// The depth buffer, row by row. Smaller is nearer; drawFrame resets it to 100.0 each
// frame. The reset writes nothing: each row remembers the frame its stored depths belong
// to and the columns they cover, and reads 100.0 everywhere else. The spans store the
// depth of a column new to the frame along with its test, so each depth is written once
// a frame. Read and write single depths through depthAt/setDepthAt.
#pragma once

#include <algorithm>
#include <cstdint>

#include "render/screen_size.h"

constexpr float ZBufferFar = 100.0f;
extern float ZBuffer[ScreenWidth * ScreenHeight];
struct DepthRow {
    uint32_t frame;        // the frame whose depths the row holds
    int16_t first, last;   // the columns holding them
};
extern DepthRow DepthRows[ScreenHeight];
extern uint32_t DepthFrame;

float depthAt(int x, int y);
void setDepthAt(int x, int y, float z);
// Every depth to 100.0 (drawFrame, every frame): a new frame number.
void resetZBuffer();

// How the columns first..last of a row stand this frame: [first, leftEnd] and
// [rightStart, last] read 100.0 (no depth stored yet), the columns between hold depths.
struct SpanParts {
    int leftEnd, rightStart;
};

// Claims columns first..last of row j (first <= last) for this frame: the row's stored
// columns grow to cover them, and any columns between the old and the new are set far.
// Every span calls it: it stays inline.
inline SpanParts claimColumns(int j, int first, int last) {
    DepthRow& row = DepthRows[j];
    if (row.frame != DepthFrame) {
        row = DepthRow{DepthFrame, int16_t(first), int16_t(last)};
        return {last, last + 1};
    }
    float* depthRow = &ZBuffer[j * ScreenWidth];
    SpanParts parts{first - 1, last + 1};
    if (first < row.first) {
        parts.leftEnd = std::min(last, row.first - 1);
        if (last < row.first - 1) std::fill(depthRow + last + 1, depthRow + row.first, ZBufferFar);
        row.first = int16_t(first);
    }
    if (last > row.last) {
        parts.rightStart = std::max(first, row.last + 1);
        if (first > row.last + 1) std::fill(depthRow + row.last + 1, depthRow + first, ZBufferFar);
        row.last = int16_t(last);
    }
    return parts;
}
