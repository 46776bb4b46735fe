// Screenshots: the folder, unique names within one second, and a file that holds the
// page through its palette.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/screenshot.h"

namespace {

struct TempFolder {
    std::string path;
    TempFolder() {
        char pattern[] = "/tmp/tg-shots-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempFolder() { std::system(("rm -rf '" + path + "'").c_str()); }
};

bool readPng(const std::string& path, std::vector<uint8_t>* rgb, int* width, int* height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    rgb->resize(PNG_IMAGE_SIZE(image));
    *width = int(image.width);
    *height = int(image.height);
    return png_image_finish_read(&image, nullptr, rgb->data(), 0, nullptr) != 0;
}

}  // namespace

TEST(Screenshot, NamedByTheSecondAndNumberedWithinIt) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 9;
    when.tm_hour = 7;
    when.tm_min = 5;
    when.tm_sec = 3;
    char name[64];
    screenshotName(name, sizeof name, when, 1);
    EXPECT_STREQ(name, "tumblegrade-20261209-070503.png");
    screenshotName(name, sizeof name, when, 2);
    EXPECT_STREQ(name, "tumblegrade-20261209-070503-2.png");
}

TEST(Screenshot, TwoShotsInOneSecondAreTwoFilesHoldingThePage) {
    TempFolder temp;
    const std::string pictures = temp.path + "/My Pictures";
    setenv("XDG_PICTURES_DIR", pictures.c_str(), 1);
    char folder[4096];
    ASSERT_TRUE(screenshotFolder(folder, sizeof folder));
    EXPECT_EQ(std::string(folder), pictures + "/Tumblegrade");

    static uint8_t page[640 * 480];
    PaletteEntry palette[256] = {};
    for (int i = 0; i < 256; ++i) {
        palette[i].red = uint8_t(i);
        palette[i].green = uint8_t(255 - i);
        palette[i].blue = uint8_t(i * 7);
    }
    for (int i = 0; i < 640 * 480; ++i) page[i] = uint8_t((i * 31 + i / 640) & 0xFF);

    const std::time_t now = 1700000000;
    ASSERT_EQ(saveScreenshot(page, 640, 480, palette, now), 1);
    ASSERT_EQ(saveScreenshot(page, 640, 480, palette, now), 1);
    std::tm when{};
    localtime_r(&now, &when);
    char first[64], second[64];
    screenshotName(first, sizeof first, when, 1);
    screenshotName(second, sizeof second, when, 2);
    for (const char* name : {first, second}) {
        std::vector<uint8_t> rgb;
        int width = 0, height = 0;
        ASSERT_TRUE(readPng(std::string(folder) + "/" + name, &rgb, &width, &height)) << name;
        ASSERT_EQ(width, 640);
        ASSERT_EQ(height, 480);
        int differing = 0;
        for (int i = 0; i < 640 * 480; ++i) {
            const PaletteEntry& c = palette[page[i]];
            differing += rgb[i * 3] != c.red || rgb[i * 3 + 1] != c.green || rgb[i * 3 + 2] != c.blue;
        }
        EXPECT_EQ(differing, 0) << name;
    }
    unsetenv("XDG_PICTURES_DIR");
}

TEST(Screenshot, AFolderThatCannotBeMadeIsReportedNotFatal) {
    TempFolder temp;
    const std::string blocker = temp.path + "/file";
    std::FILE* f = std::fopen(blocker.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    setenv("XDG_PICTURES_DIR", blocker.c_str(), 1);  // a file where the folder should be
    static uint8_t page[640 * 480];
    PaletteEntry palette[256] = {};
    EXPECT_EQ(saveScreenshot(page, 640, 480, palette, 1700000000), 0);
    unsetenv("XDG_PICTURES_DIR");
}
