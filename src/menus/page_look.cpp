#include "menus/page_look.h"

#include <cstring>

#include "settings/settings.h"

void matchPageLook(PageLook* look, const PaletteEntry* palette) {
    if (look->matched && std::memcmp(look->palette, palette, sizeof look->palette) == 0) return;
    std::memcpy(look->palette, palette, sizeof look->palette);
    for (int c = 0; c < LookColourCount; ++c)
        look->colour[c] = uint8_t(nearestPaletteIndex(palette, LookColours[c].red, LookColours[c].green, LookColours[c].blue));
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = palette[i];
        look->underPanel[i] = uint8_t(nearestPaletteIndex(palette, underPanel(e.red, PanelTint.red),
                                                          underPanel(e.green, PanelTint.green),
                                                          underPanel(e.blue, PanelTint.blue)));
    }
    look->matched = 1;
}

SignalColours signalColours() {
    if (Setting.colourSafe) return SignalColours{LookGradeBlue, LookAccent};
    return SignalColours{LookGood, LookWarning};
}
