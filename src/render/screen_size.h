// The drawing page's size in pixels, the bounds every stage of the rasteriser works in.
#pragma once

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;
