// Error codes of the display layer and their messages.

#include "display/display.h"

namespace {

int LastErrorCode = 0;

const char* const ErrorMessages[32] = {
    "No error",
    "Graphics driver has not been installed",
    "Graphics hardware not detected",
    "Couldn't find graphics driver",
    "Graphics driver file corrupted",
    "Not enough memory to load graphics driver",
    "Invalid mode for selected driver",
    "Invalid driver number",
    "General graphics error",
    "Invalid graphics driver name",
    "Not enough memory to perform operation",
    "Selected graphics mode not supported",
    "Invalid font data",
    "Font file corrupted",
    "Couldn't find font file",
    "Incorrect version for driver file",
    "Invalid device type for operation",
    "Invalid device context",
    "Invalid cursor file",
    "Cursor file was not found",
    "Invalid icon file",
    "Icon file was not found",
    "Invalid bitmap file",
    "Bitmap file was not found",
    "Invalid error number",
    "Zbuffer allocation is too large",
    "Only Windows 2.x font files supported",
    "VRX_endRegion() was not called",
    "Double buffering is not available",
    "OffscreenDC's require hardware bitBlt support",
    "No available Offscreen display memory",
    "Invalid pixel format for memory DC",
};

}  // namespace

int lastError() {
    const int code = LastErrorCode;
    LastErrorCode = 0;
    return code;
}

void setLastError(int code) { LastErrorCode = code; }

const char* errorMessage(int code) {
    if (code > 0 || code < -31) return "NONE";
    return ErrorMessages[-code];
}
