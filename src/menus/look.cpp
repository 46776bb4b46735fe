#include "menus/look.h"

#include "framework/framework.h"
#include "lang/translation.h"
#include "menus/panels.h"

LookData Look = {};

namespace {

const char BackdropFile[] = "Images/Backdrop.bmp";
const char TextFontFile[] = "Sans17b.fnt";
const char TitleFontFile[] = "Title30b.fnt";
constexpr int TitleX = 24, TitleY = 12;

}  // namespace

bool loadLook() {
    if (!Look.loadTried) {
        Look.loadTried = 1;
        Look.backdrop = loadBitmap(BackdropFile, 1);
        Look.text = loadFont(TextFontFile);
        Look.title = loadFont(TitleFontFile);
        if (Look.backdrop && Look.backdrop->palette) matchPageLook(&Look.screen, Look.backdrop->palette);
    }
    return Look.text != nullptr;
}

bool beginLookScreen(DisplayContext* page, const char* title) {
    if (!page || !loadLook() || !Look.title || !Look.backdrop || !Look.backdrop->palette) return false;
    setPalette(Look.backdrop->palette, 256, 0);
    realizePalette(256, 0, 1);
    putBitmap(page, 0, 0, Look.backdrop, 0);
    drawOutlinedText(page, Look.screen, Look.title, TitleX, TitleY, trPage(title));
    return true;
}

const PageLook* lookOverPage(DisplayContext* page) {
    if (!page || !loadLook()) return nullptr;
    matchPageLook(&Look.over, page->palette);
    return &Look.over;
}

void releaseLook() {
    if (Look.backdrop) unloadBitmap(Look.backdrop);
    if (Look.text) unloadFont(Look.text);
    if (Look.title) unloadFont(Look.title);
    Look = LookData{};
}
