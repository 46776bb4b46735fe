// The headless back-end: a display that only counts what it shows, messages that come
// from a queue the caller fills, and a clock that can be set. It never waits.
#include "platform/headless.h"

#include <cstdio>
#include <ctime>

#include "base/keyboard_layout.h"
#include "base/scan_codes.h"
#include "platform/page_convert.h"

namespace {

constexpr int PendingCapacity = 1024;
constexpr int ConvertWidth = 640;
constexpr int ConvertHeight = 480;

struct Headless {
    PlatformMessage pending[PendingCapacity];
    int pendingHead, pendingCount;
    int confirmAnswer;
    int confirmCount;
    int64_t clock;
    void (*begin)(int);
    void (*end)(int);
    int iteration;
    int displayOpen;
    int fullScreen;
    int presentCount;
    unsigned ticks;
    uint32_t* converted;  // where presented pages are converted to, or null
    int keyDown[256];
    char lastError[512];
};

Headless initialState() {
    Headless h{};
    h.clock = -1;
    h.iteration = -1;
    return h;
}

Headless H = initialState();

}  // namespace

void headlessQueueMessage(const PlatformMessage& message) {
    if (H.pendingCount == PendingCapacity) return;
    H.pending[(H.pendingHead + H.pendingCount) % PendingCapacity] = message;
    ++H.pendingCount;
}

void headlessQueueKey(int scanCode, int down) {
    PlatformMessage m{};
    const int scan = scanCode & 0xFF;
    const bool alt = H.keyDown[ScanAlt] != 0 || scan == ScanAlt;
    m.type = down ? (alt ? MsgSysKeyDown : MsgKeyDown) : (alt ? MsgSysKeyUp : MsgKeyUp);
    m.scanCode = scan;
    m.character = down ? germanCharacterOf(scan) : 0;
    m.wasDown = down ? H.keyDown[scan] : 1;
    m.altContext = alt ? 1 : 0;
    m.shift = H.keyDown[ScanLeftShift] || H.keyDown[ScanRightShift];
    m.ctrl = H.keyDown[ScanCtrl];
    m.time = H.ticks;
    H.keyDown[scan] = down ? 1 : 0;
    headlessQueueMessage(m);
}

void headlessQueueClose(int yes) {
    PlatformMessage m{};
    m.type = MsgClose;
    m.code = yes ? 1 : 0;
    m.time = H.ticks;
    headlessQueueMessage(m);
}
void headlessSetClock(int64_t seconds) { H.clock = seconds; }

void headlessSetIterationHooks(void (*begin)(int), void (*end)(int)) {
    H.begin = begin;
    H.end = end;
}

int headlessIteration() { return H.iteration; }
int headlessDisplayOpen() { return H.displayOpen; }
int headlessFullScreen() { return H.fullScreen; }
int headlessPresentCount() { return H.presentCount; }
int headlessConfirmCount() { return H.confirmCount; }
const char* headlessLastErrorText() { return H.lastError; }

void headlessReset() {
    H = initialState();
}

int platformInit() { return 1; }

void platformShutdown() {}

int platformOpenDisplay(const char* /*title*/, int width, int height, int fullScreen) {
    if (width <= 0 || height <= 0) return 0;
    H.displayOpen = 1;
    H.fullScreen = fullScreen;
    return 1;
}

void platformCloseDisplay() { H.displayOpen = 0; }

void headlessConvertInto(uint32_t* target) { H.converted = target; }

void platformPresent(const uint8_t* pixels, int width, int height, const PaletteEntry* palette,
                     int /*waitRetrace*/) {
    ++H.presentCount;
    if (H.converted && width == ConvertWidth && height == ConvertHeight)
        convertPage(pixels, width, height, palette, H.converted, width * 4);
}

int platformPollMessage(PlatformMessage* message) {
    if (H.pendingCount == 0) return 0;
    *message = H.pending[H.pendingHead];
    if (message->type == MsgClose) H.confirmAnswer = message->code;
    H.pendingHead = (H.pendingHead + 1) % PendingCapacity;
    --H.pendingCount;
    return 1;
}

int platformConfirm(const char* /*text*/, const char* /*caption*/) {
    ++H.confirmCount;
    return H.confirmAnswer;
}

void platformShowError(const char* text, const char* /*caption*/) {
    std::snprintf(H.lastError, sizeof H.lastError, "%s", text);
}

int64_t platformTimeSeconds() { return H.clock >= 0 ? H.clock : int64_t(std::time(nullptr)); }

unsigned platformTicks() { return H.ticks; }

void platformSleep(int /*milliseconds*/) {}

void platformBeginIteration() {
    ++H.iteration;
    H.ticks += 16;
    if (H.begin) H.begin(H.iteration);
}

void platformEndIteration() {
    if (H.end) H.end(H.iteration);
}

int platformKeyLabel(int scanCode) {
    const int c = germanCharacterOf(scanCode);
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ? c : 0;
}
