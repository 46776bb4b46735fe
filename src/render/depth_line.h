// The depth-tested line: Bresenham's steps from one end to the other, the depth
// interpolated along the longer axis, each pixel tested and drawn in the drawing colour.
#pragma once

void drawDepthLine(int x0, int y0, float z0, int x1, int y1, float z1);
