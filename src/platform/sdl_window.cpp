// The SDL2 back-end: one window (or desktop full screen) showing the 8-bit page through
// its palette, keyboard and gamepad messages in PC set-1 scan codes, screenshots,
// message boxes and pacing.
//
// The page goes to the screen one of two ways. Where the renderer runs on a graphics
// processor, as a texture the renderer scales. Where it is itself software (SDL's
// software renderer, or OpenGL drawn by the processor), straight into the window's own
// surface, converted and scaled in one pass: only the rows that changed, and nothing at
// all when the page, its palette and the window are as they were at the last frame.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/keyboard_layout.h"
#include "base/scan_codes.h"
#include "platform/end_signals.h"
#include "platform/gamepad.h"
#include "platform/page_convert.h"
#include "platform/page_scale.h"
#include "platform/platform.h"
#include "platform/screenshot.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_window.h"
#include "platform/window_scale.h"

namespace {

constexpr int PageWidth = 640;
constexpr int PageHeight = 480;
constexpr int FrameRate = 60;
constexpr int PracticeFrameRate = 30;

struct SdlDisplay {
    SDL_Window* window;
    SDL_Renderer* renderer;  // null when the page goes to the window's surface
    SDL_Texture* texture;
    int onSurface;           // presented through the window's surface
    int vsync;              // the renderer waits for the retrace itself
    int repaint;            // the window needs the page again: exposed, resized, switched
    int fullScreen;
    int windowX, windowY;   // where the window stood before full screen
    int windowWidth, windowHeight;  // and its size
    int placeRecorded;
    Uint64 nextFrame;       // performance-counter time the next frame is due
};

SdlDisplay D;
int FullScreenFill;        // full screen fills the screen instead of whole multiples

// What the window shows now, to tell whether a frame brings anything new.
struct ShownState {
    uint8_t pixels[PageWidth * PageHeight];
    PaletteEntry palette[256];
    uint32_t colours[256];   // the palette in the surface's pixel format
    const SDL_Surface* surface;
    int surfaceWidth, surfaceHeight;
    int outputWidth, outputHeight;  // the renderer's output
    PagePlacement placement;
    int valid;
};

ShownState Now;

// Frames and presentations of the last second, on standard error each second when
// TUMBLEGRADE_FRAME_STATS is set (scripts/cpu-share reads them).
struct FrameStats {
    int enabled;
    Uint32 since;
    int frames, presented;
};

FrameStats Stats;

// What the window program's entry asks of the window: its scale, full screen at once, and
// whom to tell when full screen goes on or off.
struct WindowWishes {
    int scale;             // 0: the largest whole multiple that fits
    int wantFullScreen;    // -1, or full screen (1) or the window (0) asked for by the next messages
    void (*fullScreenChanged)(int fullScreen);
    int practiceSpeed;     // paced to PracticeFrameRate, whatever the retrace does
};

WindowWishes Wishes = {0, -1, nullptr, 0};

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

// The page as a texture the renderer scales.
int openRenderer(Uint32 flags) {
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
    return 1;
}

void closeRenderer() {
    if (D.texture) SDL_DestroyTexture(D.texture);
    if (D.renderer) SDL_DestroyRenderer(D.renderer);
    D.texture = nullptr;
    D.renderer = nullptr;
    D.vsync = 0;
}

// Names of OpenGL drivers that draw with the processor.
constexpr const char* SoftwareGlDrivers[] = {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"};

// 1 when the renderer draws with the processor: SDL's own software renderer, or an
// OpenGL one whose driver is itself software.
int rendererIsSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0) return 0;
    if (info.flags & SDL_RENDERER_SOFTWARE) return 1;
    if (!info.name || std::strncmp(info.name, "opengl", 6) != 0 || !SDL_GL_GetCurrentContext()) return 0;
    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned GlRenderer = 0x1F01;
    const char* name = getString ? reinterpret_cast<const char*>(getString(GlRenderer)) : nullptr;
    if (!name) return 0;
    for (const char* driver : SoftwareGlDrivers)
        if (std::strstr(name, driver)) return 1;
    return 0;
}

// The window's own surface in place of the renderer, where it has 32-bit pixels. The
// surface must be the window system's (shared memory under X11), not one SDL would
// itself show through a renderer.
int openSurface() {
    closeRenderer();
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const SDL_Surface* surface = SDL_GetWindowSurface(D.window);
    if (!surface || surface->format->BytesPerPixel != 4) return 0;
    D.onSurface = 1;
    return 1;
}

// TUMBLEGRADE_PRESENT=texture or =surface chooses the way instead of the renderer's kind.
int wantSurface(SDL_Renderer* renderer) {
    const char* chosen = std::getenv("TUMBLEGRADE_PRESENT");
    if (chosen && std::strcmp(chosen, "texture") == 0) return 0;
    if (chosen && std::strcmp(chosen, "surface") == 0) return 1;
    return rendererIsSoftware(renderer);
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
    const Uint32 flags = SDL_RENDERER_ACCELERATED | (sixtyHertz ? SDL_RENDERER_PRESENTVSYNC : 0);
    if (!openRenderer(flags)) return 0;
    if (wantSurface(D.renderer) && !openSurface() && !openRenderer(flags)) return 0;
    recordWindowPlace();
    return 1;
}

bool isScreenshotKey(SDL_Scancode key) { return key == SDL_SCANCODE_F12 || key == SDL_SCANCODE_PRINTSCREEN; }

void paceFrame() {
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 period = frequency / (Wishes.practiceSpeed ? PracticeFrameRate : FrameRate);
    Uint64 now = SDL_GetPerformanceCounter();
    if (D.nextFrame == 0 || now > D.nextFrame + period * 4) D.nextFrame = now;  // resync after a stall
    D.nextFrame += period;
    // Asleep until the frame is due, not spinning: a wake-up a little late shifts this
    // frame, never the ones after it.
    while ((now = SDL_GetPerformanceCounter()) < D.nextFrame) {
        const Uint64 left = (D.nextFrame - now) * 1000000000u / frequency;
        const timespec wait{time_t(left / 1000000000u), long(left % 1000000000u)};
        nanosleep(&wait, nullptr);
    }
}

void countFrame(int presented) {
    if (!Stats.enabled) return;
    ++Stats.frames;
    Stats.presented += presented;
    const Uint32 now = SDL_GetTicks();
    if (Stats.since == 0) Stats.since = now;
    if (now - Stats.since < 1000) return;
    std::fprintf(stderr, "tumblegrade: %d frames, %d presented in %u ms (%s)\n", Stats.frames, Stats.presented,
                 unsigned(now - Stats.since), D.onSurface ? "window surface" : "renderer texture");
    Stats = FrameStats{1, now, 0, 0};
}

// The band of rows in which the page differs from the one shown, or first > last when
// it is the same; the shown copy takes the new rows.
struct RowBand {
    int first, last;
};

RowBand takeChangedRows(const uint8_t* pixels) {
    constexpr size_t Row = PageWidth;
    RowBand band{0, PageHeight - 1};
    while (band.first < PageHeight && std::memcmp(pixels + band.first * Row, Now.pixels + band.first * Row, Row) == 0)
        ++band.first;
    if (band.first == PageHeight) return RowBand{0, -1};
    while (std::memcmp(pixels + band.last * Row, Now.pixels + band.last * Row, Row) == 0) --band.last;
    std::memcpy(Now.pixels + band.first * Row, pixels + band.first * Row, Row * size_t(band.last - band.first + 1));
    return band;
}

// 1 when the palette differs from the shown one, which then takes it.
int takePalette(const PaletteEntry* palette) {
    if (std::memcmp(palette, Now.palette, sizeof Now.palette) == 0) return 0;
    std::memcpy(Now.palette, palette, sizeof Now.palette);
    return 1;
}

int wholeMultiplesWanted() { return D.fullScreen ? !FullScreenFill : 1; }

// The page through the renderer: converted into the texture only when it changed, shown
// again when the window asks for it. 1 when something was presented.
int presentTexture(const uint8_t* pixels, const PaletteEntry* palette) {
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(D.renderer, &width, &height);
    const bool resized = width != Now.outputWidth || height != Now.outputHeight;
    const RowBand band = takeChangedRows(pixels);
    const int newPalette = takePalette(palette);
    if (Now.valid && !D.repaint && !resized && band.first > band.last && !newPalette) return 0;
    void* target = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(D.texture, nullptr, &target, &pitch) == 0) {
        convertPage(pixels, PageWidth, PageHeight, palette, static_cast<uint32_t*>(target), pitch);
        SDL_UnlockTexture(D.texture);
    }
    scalePageToOutput(D.renderer, PageWidth, PageHeight, wholeMultiplesWanted());
    SDL_SetRenderDrawColor(D.renderer, 0, 0, 0, 255);
    SDL_RenderClear(D.renderer);
    SDL_RenderCopy(D.renderer, D.texture, nullptr, nullptr);
    SDL_RenderPresent(D.renderer);
    Now.outputWidth = width;
    Now.outputHeight = height;
    Now.valid = 1;
    D.repaint = 0;
    return 1;
}

// Black around the page on the surface.
void fillBorders(SDL_Surface* surface, const PagePlacement& p) {
    const SDL_Rect around[] = {
        {0, 0, surface->w, p.y},
        {0, p.y + p.height, surface->w, surface->h - p.y - p.height},
        {0, p.y, p.x, p.height},
        {p.x + p.width, p.y, surface->w - p.x - p.width, p.height},
    };
    for (const SDL_Rect& r : around)
        if (r.w > 0 && r.h > 0) SDL_FillRect(surface, &r, SDL_MapRGB(surface->format, 0, 0, 0));
}

// The page straight into the window's surface: the rows that changed, or everything when
// the palette, the window or the placement did. 1 when something was presented.
int presentSurface(const uint8_t* pixels, const PaletteEntry* palette) {
    SDL_Surface* surface = SDL_GetWindowSurface(D.window);
    if (!surface) {
        D.repaint = 1;
        return 0;
    }
    const PagePlacement place = placePage(surface->w, surface->h, PageWidth, PageHeight, wholeMultiplesWanted());
    const bool moved = surface != Now.surface || surface->w != Now.surfaceWidth ||
                       surface->h != Now.surfaceHeight || std::memcmp(&place, &Now.placement, sizeof place) != 0;
    RowBand band = takeChangedRows(pixels);
    const bool whole = !Now.valid || D.repaint || moved || place.scale == 0;
    if (takePalette(palette) || moved) {
        for (int i = 0; i < 256; ++i)
            Now.colours[i] = SDL_MapRGB(surface->format, palette[i].red, palette[i].green, palette[i].blue);
        band = RowBand{0, PageHeight - 1};
    }
    if (whole) band = RowBand{0, PageHeight - 1};
    if (band.first > band.last) return 0;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        D.repaint = 1;
        return 0;
    }
    if (whole) fillBorders(surface, place);
    uint32_t* origin = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                   long(place.y) * surface->pitch) + place.x;
    if (place.scale > 0)
        scalePageRows(Now.pixels, PageWidth, band.first, band.last - band.first + 1, Now.colours, place.scale,
                      origin, surface->pitch);
    else
        fitPage(Now.pixels, PageWidth, PageHeight, Now.colours, origin, surface->pitch, place.width, place.height);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (whole) {
        SDL_UpdateWindowSurface(D.window);
    } else {
        const SDL_Rect rows{place.x, place.y + band.first * place.scale, place.width,
                            (band.last - band.first + 1) * place.scale};
        SDL_UpdateWindowSurfaceRects(D.window, &rows, 1);
    }
    Now.surface = surface;
    Now.surfaceWidth = surface->w;
    Now.surfaceHeight = surface->h;
    Now.placement = place;
    Now.valid = 1;
    D.repaint = 0;
    return 1;
}

// The window's own messages that ask for the page again.
bool asksForRepaint(Uint8 event) {
    switch (event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_DISPLAY_CHANGED: return true;
    default: return false;
    }
}

[[noreturn]] void noDisplay() {
    std::fputs("tumblegrade: no display found (SDL_VIDEODRIVER names a video driver to use)\n", stderr);
    SDL_Quit();
    std::exit(1);
}

}  // namespace

int platformInit() {
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // the game ends on them itself
    const char* chosenDriver = std::getenv("SDL_VIDEODRIVER");
    const bool driverChosen = chosenDriver && *chosenDriver;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (!driverChosen) noDisplay();
        report("cannot start the display");
        return 0;
    }
    // Where there is no display, SDL falls back on drivers that show nothing; a game
    // nobody sees would run for ever. Only a player who names the driver gets them.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driverChosen && driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        noDisplay();
    Stats = FrameStats{};
    const char* stats = std::getenv("TUMBLEGRADE_FRAME_STATS");
    Stats.enabled = stats && *stats && std::strcmp(stats, "0") != 0;
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

void sdlSetFullScreenFill(int fill) {
    FullScreenFill = fill ? 1 : 0;
    D.repaint = 1;  // the options screen may change it while full screen shows
}

void sdlSetWindowScale(int scale) {
    Wishes.scale = scale > 0 ? scale : 0;
    if (!D.window || D.fullScreen) return;
    const int s = Wishes.scale > 0 ? Wishes.scale : firstWindowScale(PageWidth, PageHeight);
    SDL_SetWindowSize(D.window, PageWidth * s, PageHeight * s);
    recordWindowPlace();
    D.repaint = 1;
}

void sdlSetPracticeSpeed(int on) {
    Wishes.practiceSpeed = on ? 1 : 0;
    D.nextFrame = 0;
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
    D.repaint = 1;
    if (changed && Wishes.fullScreenChanged) Wishes.fullScreenChanged(fullScreen);
    SDL_ShowWindow(D.window);
    SDL_RaiseWindow(D.window);
    return 1;
}

void platformCloseDisplay() {
    Shown = ShownPage{};
    closeRenderer();
    if (D.window) SDL_DestroyWindow(D.window);
    D = SdlDisplay{};
    Now.valid = 0;
    Now.surface = nullptr;
}

void platformPresent(const uint8_t* pixels, int width, int height, const PaletteEntry* palette,
                     int waitRetrace) {
    if (!D.window || !pixels || !palette || width != PageWidth || height != PageHeight) return;
    Shown = ShownPage{pixels, palette};
    const int presented = D.onSurface ? presentSurface(pixels, palette) : presentTexture(pixels, palette);
    countFrame(presented);
    if (!waitRetrace) return;
    // A renderer that waited for the retrace has paced this frame; the next frame that
    // presents nothing waits one period from here.
    if (presented && D.vsync && !Wishes.practiceSpeed)
        D.nextFrame = SDL_GetPerformanceCounter();
    else
        paceFrame();
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
    // A key held by a tap is let go as the ride ends, before anything else is heard.
    if (sdlLatchedKeyRelease(m, unsigned(SDL_GetModState()), SDL_GetTicks())) return 1;
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
                D.repaint = 1;
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
            default:
                if (asksForRepaint(e.window.event)) D.repaint = 1;
                continue;
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
