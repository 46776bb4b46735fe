// How large the 640 x 480 page is shown: the window's first size, and when the picture
// goes up in whole multiples (every page pixel an equal square) or is fitted instead.
#pragma once

// Room kept free around the client area for the window manager's frame and title bar.
constexpr int FrameAllowanceWidth = 16;
constexpr int FrameAllowanceHeight = 48;

// The largest whole multiple of the page (at least 1) whose window, frame included,
// fits an area of this size: the window's first scale on a display's usable area.
int chooseWindowScale(int usableWidth, int usableHeight, int pageWidth, int pageHeight);

// 1 when an output of this size (in pixels) shows the page at a whole multiple, 1x or
// more; 0 when it is smaller than the page and the picture is fitted with its aspect kept.
int wholeMultipleFits(int outputWidth, int outputHeight, int pageWidth, int pageHeight);

struct SDL_Renderer;

// Sets the renderer to show the page at whole multiples centred on black where its
// output allows and wholeMultiples is 1, else fitted with the aspect ratio kept.
// Cheap when nothing changed since the last call.
void scalePageToOutput(SDL_Renderer* renderer, int pageWidth, int pageHeight, int wholeMultiples);
