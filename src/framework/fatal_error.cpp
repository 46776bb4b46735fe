// The one way the game ends abnormally: fatalError, and the loads the game cannot do
// without.
#include <cstdio>
#include <cstdlib>

#include "framework/fatal_error.h"
#include "platform/platform.h"

void fatalError(const char* text) {
    // The display goes first, so the message box is not hidden behind a full-screen page.
    platformCloseDisplay();
    std::fprintf(stderr, "VRX Fatal Error! %s\n", text);
    std::fflush(stderr);
    platformShowError(text, "VRX Fatal Error!");
    platformShutdown();
    std::exit(1);
}

namespace {

[[noreturn]] void fatalLoadError(const char* fileName) {
    char text[512];
    std::snprintf(text, sizeof text, "%s: %s", errorMessage(lastError()), fileName);
    fatalError(text);
}

}  // namespace

Bitmap* requireBitmap(const char* fileName) {
    Bitmap* bitmap = loadBitmap(fileName, 1);
    if (!bitmap) fatalLoadError(fileName);
    return bitmap;
}

Font* requireFont(const char* fileName) {
    Font* font = loadFont(fileName);
    if (!font) fatalLoadError(fileName);
    return font;
}
