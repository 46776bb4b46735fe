// The SDL2 back-end: one window (or desktop full screen) showing the 8-bit page through
// its palette, keyboard and gamepad messages in PC set-1 scan codes, screenshots,
// message boxes and pacing.
#include <SDL.h>

#include <cstdio>
#include <ctime>

#include "base/keyboard_layout.h"
#include "base/scan_codes.h"
#include "platform/end_signals.h"
#include "platform/gamepad.h"
#include "platform/page_convert.h"
#include "platform/platform.h"
#include "platform/screenshot.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_window.h"
#include "platform/window_scale.h"

namespace {

constexpr int PageWidth = 640;
constexpr int PageHeight = 480;
constexpr int FrameRate = 60;

struct SdlDisplay {
    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* texture;
    int vsync;              // the renderer waits for the retrace itself
    int fullScreen;
    int windowX, windowY;   // where the window stood before full screen
    int windowWidth, windowHeight;  // and its size
    int placeRecorded;
    Uint64 nextFrame;       // performance-counter time the next frame is due
};

SdlDisplay D;
int FullScreenFill;        // full screen fills the screen instead of whole multiples

// What the window program's entry asks of the window: its scale, full screen at once, and
// whom to tell when full screen goes on or off.
struct WindowWishes {
    int scale;             // 0: the largest whole multiple that fits
    int wantFullScreen;    // -1, or full screen (1) or the window (0) asked for by the next messages
    void (*fullScreenChanged)(int fullScreen);
};

WindowWishes Wishes = {0, -1, nullptr};

// The page as last shown, for screenshots: the framework draws the next frame into the
// same page only after the messages are taken, so a screenshot key sees the shown page.
// A new display (a mode switch may replace the page) forgets it until the next frame.
struct ShownPage {
    const uint8_t* pixels;
    const PaletteEntry* palette;
};

ShownPage Shown;

void report(const char* what) { std::fprintf(stderr, "tumblegrade: %s: %s\n", what, SDL_GetError()); }

// The first size: the largest whole multiple of the page that fits the usable area of
// the display the window opens on, frame included.
int firstWindowScale(int width, int height) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
    return chooseWindowScale(usable.w, usable.h, width, height);
}

void recordWindowPlace() {
    SDL_GetWindowPosition(D.window, &D.windowX, &D.windowY);
    SDL_GetWindowSize(D.window, &D.windowWidth, &D.windowHeight);
    D.placeRecorded = 1;
}

int createWindow(const char* title, int width, int height) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    const int scale = Wishes.scale > 0 ? Wishes.scale : firstWindowScale(width, height);
    D.window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width * scale,
                                height * scale, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!D.window) {
        report("cannot open the window");
        return 0;
    }
    // Vsync paces the game only where the display really runs at the game's 60 Hz.
    SDL_DisplayMode mode{};
    const int index = SDL_GetWindowDisplayIndex(D.window);
    const bool sixtyHertz = SDL_GetCurrentDisplayMode(index < 0 ? 0 : index, &mode) == 0 &&
                            mode.refresh_rate == FrameRate;
    Uint32 flags = SDL_RENDERER_ACCELERATED | (sixtyHertz ? SDL_RENDERER_PRESENTVSYNC : 0);
    D.renderer = SDL_CreateRenderer(D.window, -1, flags);
    if (!D.renderer) D.renderer = SDL_CreateRenderer(D.window, -1, SDL_RENDERER_SOFTWARE);
    if (!D.renderer) {
        report("cannot create the renderer");
        return 0;
    }
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(D.renderer, &info);
    D.vsync = (info.flags & SDL_RENDERER_PRESENTVSYNC) ? 1 : 0;
    SDL_RenderSetLogicalSize(D.renderer, PageWidth, PageHeight);
    D.texture = SDL_CreateTexture(D.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                  PageWidth, PageHeight);
    if (!D.texture) {
        report("cannot create the page texture");
        return 0;
    }
    recordWindowPlace();
    return 1;
}

bool isScreenshotKey(SDL_Scancode key) { return key == SDL_SCANCODE_F12 || key == SDL_SCANCODE_PRINTSCREEN; }

void paceFrame() {
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 period = frequency / FrameRate;
    Uint64 now = SDL_GetPerformanceCounter();
    if (D.nextFrame == 0 || now > D.nextFrame + period * 4) D.nextFrame = now;  // resync after a stall
    D.nextFrame += period;
    while ((now = SDL_GetPerformanceCounter()) < D.nextFrame) {
        const Uint64 left = D.nextFrame - now;
        const Uint64 ms = left * 1000 / frequency;
        if (ms > 2) SDL_Delay(Uint32(ms - 1));
    }
}

}  // namespace

int platformInit() {
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // the game ends on them itself
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        report("cannot start the display");
        return 0;
    }
    catchEndSignals();
    // No gamepad support is no reason not to play.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0)
        gamepadStart();
    else
        report("no gamepad support");
    return 1;
}

void platformShutdown() {
    gamepadStop();
    platformCloseDisplay();
    SDL_Quit();
}

void sdlSetFullScreenFill(int fill) { FullScreenFill = fill ? 1 : 0; }

void sdlSetWindowScale(int scale) {
    Wishes.scale = scale > 0 ? scale : 0;
    if (!D.window || D.fullScreen) return;
    const int s = Wishes.scale > 0 ? Wishes.scale : firstWindowScale(PageWidth, PageHeight);
    SDL_SetWindowSize(D.window, PageWidth * s, PageHeight * s);
    recordWindowPlace();
}

void sdlSetStartFullScreen(int on) { Wishes.wantFullScreen = on ? 1 : -1; }

void sdlRequestFullScreen(int on) { Wishes.wantFullScreen = on ? 1 : 0; }

void sdlSetFullScreenWatcher(void (*changed)(int fullScreen)) { Wishes.fullScreenChanged = changed; }

int sdlFullScreen() { return D.fullScreen; }

void sdlSetGamepadEscapeRule(int (*bActsAsEsc)()) { gamepadSetEscapeRule(bActsAsEsc); }

void sdlSetGamepadMainMenuRule(int (*onMainMenu)()) { gamepadSetMainMenuRule(onMainMenu); }

int platformOpenDisplay(const char* title, int width, int height, int fullScreen) {
    Shown = ShownPage{};
    if (!D.window && !createWindow(title, width, height)) return 0;
    if (fullScreen) {
        if (!D.fullScreen) recordWindowPlace();
        if (SDL_SetWindowFullscreen(D.window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
            report("cannot switch to full screen");
            return 0;
        }
    } else if (D.fullScreen) {
        // Back from full screen: the window's size and place as they were.
        SDL_SetWindowFullscreen(D.window, 0);
        SDL_RestoreWindow(D.window);
        if (D.placeRecorded) {
            SDL_SetWindowSize(D.window, D.windowWidth, D.windowHeight);
            SDL_SetWindowPosition(D.window, D.windowX, D.windowY);
        }
    }
    const int changed = D.fullScreen != fullScreen;
    D.fullScreen = fullScreen;
    if (changed && Wishes.fullScreenChanged) Wishes.fullScreenChanged(fullScreen);
    SDL_ShowWindow(D.window);
    SDL_RaiseWindow(D.window);
    return 1;
}

void platformCloseDisplay() {
    Shown = ShownPage{};
    if (D.texture) SDL_DestroyTexture(D.texture);
    if (D.renderer) SDL_DestroyRenderer(D.renderer);
    if (D.window) SDL_DestroyWindow(D.window);
    D = SdlDisplay{};
}

void platformPresent(const uint8_t* pixels, int width, int height, const PaletteEntry* palette,
                     int waitRetrace) {
    if (!D.texture || !pixels || width != PageWidth || height != PageHeight) return;
    Shown = ShownPage{pixels, palette};
    void* target = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(D.texture, nullptr, &target, &pitch) == 0) {
        convertPage(pixels, width, height, palette, static_cast<uint32_t*>(target), pitch);
        SDL_UnlockTexture(D.texture);
    }
    scalePageToOutput(D.renderer, PageWidth, PageHeight, D.fullScreen ? !FullScreenFill : 1);
    SDL_SetRenderDrawColor(D.renderer, 0, 0, 0, 255);
    SDL_RenderClear(D.renderer);
    SDL_RenderCopy(D.renderer, D.texture, nullptr, nullptr);
    SDL_RenderPresent(D.renderer);
    if (waitRetrace && !D.vsync) paceFrame();
}

int platformPollMessage(PlatformMessage* m) {
    static int endReported = 0;
    if (endSignalCaught() && !endReported) {
        endReported = 1;
        *m = PlatformMessage{};
        m->type = MsgEndSignal;
        return 1;
    }
    if (Wishes.wantFullScreen >= 0 && D.window) {
        // Full screen from the start, or asked for: the same switch as Alt+Enter.
        const int differs = Wishes.wantFullScreen != D.fullScreen;
        Wishes.wantFullScreen = -1;
        if (differs) {
            *m = PlatformMessage{};
            m->type = MsgModeCommand;
            m->code = 1;
            return 1;
        }
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        *m = PlatformMessage{};
        m->time = e.common.timestamp;
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (isScreenshotKey(e.key.keysym.scancode)) {
                // The game never sees these keys: a screenshot changes nothing in it.
                if (e.type == SDL_KEYDOWN && !e.key.repeat && Shown.pixels)
                    saveScreenshot(Shown.pixels, PageWidth, PageHeight, Shown.palette, std::time(nullptr));
                continue;
            }
            // The modifiers as they were at this key; the player's keys translated.
            if (!sdlKeyMessage(m, e.key.keysym.scancode, e.type == SDL_KEYDOWN, e.key.repeat, e.key.keysym.mod,
                               e.common.timestamp))
                continue;
            return 1;
        }
        case SDL_QUIT:
            m->type = MsgDestroy;
            return 1;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
            case SDL_WINDOWEVENT_CLOSE: m->type = MsgClose; return 1;
            case SDL_WINDOWEVENT_MAXIMIZED:
                SDL_RestoreWindow(D.window);
                m->type = MsgMaximise;
                return 1;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                gamepadSetFocus(1);
                m->type = MsgActivate;
                m->code = 1;
                return 1;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                gamepadSetFocus(0);
                m->type = MsgActivate;
                m->code = 0;
                return 1;
            default: continue;
            }
        case SDL_MOUSEMOTION:
            m->type = MsgMouseMove;
            m->x = e.motion.x;
            m->y = e.motion.y;
            return 1;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) continue;
            m->type = e.type == SDL_MOUSEBUTTONDOWN ? MsgMouseDown : MsgMouseUp;
            m->code = e.button.button == SDL_BUTTON_LEFT ? 1 : 4;
            m->extra = e.button.clicks >= 2 ? 1 : 0;
            m->x = e.button.x;
            m->y = e.button.y;
            return 1;
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_CONTROLLERBUTTONDOWN:
            gamepadHandleEvent(e);
            continue;
        default:
            continue;
        }
    }
    // The window's own messages first, then what changed on the gamepad.
    return gamepadNextMessage(m, unsigned(SDL_GetModState()));
}

int platformConfirm(const char* text, const char* caption) {
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
    };
    SDL_MessageBoxData box{};
    box.flags = SDL_MESSAGEBOX_INFORMATION;
    box.window = D.window;
    box.title = caption;
    box.message = text;
    box.numbuttons = 2;
    box.buttons = buttons;
    int answer = 0;
    if (SDL_ShowMessageBox(&box, &answer) != 0) return 0;
    return answer == 1;
}

void platformShowError(const char* text, const char* caption) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, nullptr);
}

int64_t platformTimeSeconds() { return int64_t(std::time(nullptr)); }

unsigned platformTicks() { return SDL_GetTicks(); }

void platformSleep(int milliseconds) { SDL_Delay(Uint32(milliseconds)); }

void platformBeginIteration() {}

void platformEndIteration() {}
