// Screenshots through libpng's simplified writer: the page is expanded to RGB rows
// through its palette, the file is created exclusively so no earlier shot is replaced.
#include "platform/screenshot.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/folders.h"

namespace {

constexpr int MaxPageWidth = 640;
constexpr int MaxPageHeight = 480;
constexpr int MaxNumber = 999;  // screenshots within one second

uint8_t RgbPage[MaxPageWidth * MaxPageHeight * 3];

}  // namespace

int writePagePng(std::FILE* file, const uint8_t* pixels, int width, int height,
                 const PaletteEntry* palette, char* error, size_t errorSize) {
    if (!file || !pixels || !palette || width <= 0 || height <= 0 || width > MaxPageWidth ||
        height > MaxPageHeight) {
        std::snprintf(error, errorSize, "no page to write");
        return 0;
    }
    for (int i = 0; i < width * height; ++i) {
        const PaletteEntry& c = palette[pixels[i]];
        RgbPage[i * 3 + 0] = c.red;
        RgbPage[i * 3 + 1] = c.green;
        RgbPage[i * 3 + 2] = c.blue;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGB;
    const int ok = png_image_write_to_stdio(&image, file, 0, RgbPage, width * 3, nullptr);
    if (!ok) std::snprintf(error, errorSize, "%s", image.message);
    png_image_free(&image);
    return ok ? 1 : 0;
}

int screenshotFolder(char* path, size_t size) { return xdgPath(XdgPictures, "", path, size); }

void screenshotName(char* name, size_t size, const std::tm& when, int number) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &when);
    if (number <= 1)
        std::snprintf(name, size, "tumblegrade-%s.png", stamp);
    else
        std::snprintf(name, size, "tumblegrade-%s-%d.png", stamp, number);
}

int saveScreenshot(const uint8_t* pixels, int width, int height, const PaletteEntry* palette,
                   std::time_t now) {
    char folder[4096];
    if (!screenshotFolder(folder, sizeof folder)) {
        std::fprintf(stderr, "tumblegrade: screenshot not saved: no picture folder (set HOME or XDG_PICTURES_DIR)\n");
        return 0;
    }
    if (!makeFolders(folder)) {
        std::fprintf(stderr, "tumblegrade: screenshot not saved: cannot make %s: %s\n", folder,
                     std::strerror(errno));
        return 0;
    }
    std::tm when{};
    localtime_r(&now, &when);
    char path[4096 + 64];
    std::FILE* file = nullptr;
    for (int number = 1; number <= MaxNumber && !file; ++number) {
        char name[64];
        screenshotName(name, sizeof name, when, number);
        std::snprintf(path, sizeof path, "%s/%s", folder, name);
        file = std::fopen(path, "wbx");  // x: never over an existing file
        if (!file && errno != EEXIST) break;
    }
    if (!file) {
        std::fprintf(stderr, "tumblegrade: screenshot not saved: cannot create a file in %s: %s\n",
                     folder, std::strerror(errno));
        return 0;
    }
    char error[256] = "";
    int ok = writePagePng(file, pixels, width, height, palette, error, sizeof error);
    if (std::fclose(file) != 0 && ok) {
        std::snprintf(error, sizeof error, "%s", std::strerror(errno));
        ok = 0;
    }
    if (!ok) {
        std::remove(path);
        std::fprintf(stderr, "tumblegrade: screenshot not saved: %s: %s\n", path, error);
        return 0;
    }
    std::printf("%s\n", path);
    std::fflush(stdout);
    return 1;
}
