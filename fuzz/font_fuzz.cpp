// The font reader on any bytes, read from a file the way the game loads its font; every
// font it accepts then draws a text holding every byte value from 1 to 255 partly off
// each edge of a page, and is asked every width.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "display/display.h"
#include "input_file.h"

namespace {

InputFile Input;  // the reader's file, each input written over the last

constexpr int PageWidth = 640;
constexpr int PageHeight = 480;

struct AllBytes {
    char text[256];
    AllBytes() {
        for (int i = 1; i < 256; ++i) text[i - 1] = char(i);
        text[255] = '\0';
    }
};

DisplayContext* openPage() {
    DisplayContext* page = createMemoryContext(PageWidth, PageHeight);
    setCurrentContext(page);
    return page;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static DisplayContext* page = openPage();
    static const AllBytes all;
    Font* font = loadFont(writeInputFile(Input, data, size));
    if (!font) return 0;
    setCurrentContext(page);
    if (useFont(font)) {
        const int h = fontCellHeight(font);
        // Every width asked; the first glyph's decides where the text starts half off.
        int widest = 0;
        for (int c = 0; c < 256; ++c) {
            const int w = fontCharWidth(font, uint8_t(c));
            widest = w > widest ? w : widest;
        }
        const int first = fontCharWidth(font, 1);
        if (widest > 64 || h > 128) __builtin_trap();  // the reader's own limits
        page->color = 15;
        drawText(-first / 2, PageHeight / 3, all.text);
        drawText(PageWidth - first / 2, PageHeight / 3, all.text);
        drawText(0, -h / 2, all.text);
        drawText(0, PageHeight - h / 2, all.text);
        drawText(-PageWidth, 1 - h, all.text);
    }
    unloadFont(font);
    return 0;
}
