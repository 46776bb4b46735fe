// The framework on the headless back-end, for tests that draw pages or feed keys
// without the replay tool (the test programs of the subsystems, not the SDL ones).
#pragma once

// The back-end reset and the framework started on a 640 x 480 8-bit page with two
// pages, as the game asks for it; false when it cannot be.
bool startHeadlessPage(const char* title);
