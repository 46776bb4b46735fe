// Screenshots: the page as shown, through its palette, written to a PNG file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <ctime>

#include "display/display.h"

// Writes the 8-bit page through its palette as an RGB PNG into an open file.
// 1 on success; else 0 with the reason in error.
int writePagePng(std::FILE* file, const uint8_t* pixels, int width, int height,
                 const PaletteEntry* palette, char* error, size_t errorSize);

// The folder screenshots go to: $XDG_PICTURES_DIR/Tumblegrade, else ~/Pictures/Tumblegrade.
// 0 when neither variable names a folder.
int screenshotFolder(char* path, size_t size);

// The file name for a screenshot taken at this local time: tumblegrade-YYYYMMDD-HHMMSS.png,
// with -2, -3 ... before the extension for the second, third ... of that second.
void screenshotName(char* name, size_t size, const std::tm& when, int number);

// Takes the screenshot: makes the folder, picks a name no file has yet, writes the PNG.
// The path goes to standard output, a failure to standard error; 1 on success.
int saveScreenshot(const uint8_t* pixels, int width, int height, const PaletteEntry* palette,
                   std::time_t now);
