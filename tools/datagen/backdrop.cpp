// "Images/Backdrop.bmp": the alpine morning under the screens of our own (courses, best
// times, options), with the header and footer bands empty: the game writes the title,
// draws the panels and the key caps. Its palette holds every colour of the look and the
// scene's colours as seen through a dark panel, so both come out exact.
#include "generators.h"
#include "menus/look_colours.h"
#include "ui.h"

namespace {

Rgb fromLook(LookRgb c) { return rgb(c.red, c.green, c.blue); }

Rgb throughPanel(Rgb c) {
    const auto mix = [](float below, uint8_t tint) {
        return float(underPanel(uint8_t(below), tint));
    };
    return rgb(mix(c.r, PanelTint.red), mix(c.g, PanelTint.green), mix(c.b, PanelTint.blue));
}

void addReserved(ReservedColours* reserved, Rgb colour) {
    for (int i = 0; i < reserved->count; ++i) {
        const Rgb& r = reserved->colours[i];
        if (r.r == colour.r && r.g == colour.g && r.b == colour.b) return;
    }
    if (reserved->count < MaxReserved) reserved->colours[reserved->count++] = colour;
}

// The look's colours, then the scene's main colours under a panel.
ReservedColours backdropReserved() {
    ReservedColours reserved = *screenReserved();
    for (const LookRgb& c : LookColours) addReserved(&reserved, fromLook(c));
    const Rgb scene[] = {rgb(28, 62, 132),  rgb(96, 150, 206), rgb(214, 228, 236), rgb(150, 170, 196),
                         rgb(104, 126, 158), rgb(70, 90, 120),  rgb(240, 244, 250), rgb(22, 58, 40),
                         rgb(84, 140, 60),  rgb(46, 104, 34),  rgb(150, 116, 80)};
    for (const Rgb& c : scene) addReserved(&reserved, throughPanel(c));
    addReserved(&reserved, fromLook(PanelTint));
    return reserved;
}

}  // namespace

bool writeBackdrop(const char* outDir) {
    Canvas* c = screenCanvas();
    resetCanvas(c, ScreenWidth, ScreenHeight, rgb(0, 0, 0));
    drawAlpineScene(c, 236, 58);
    drawRider(c, 520, 404, 0.8f, 0.1f, Accent, rgb(30, 40, 60), rgb(230, 230, 235));
    drawHeaderBand(c);
    drawFooterBand(c);
    const ReservedColours reserved = backdropReserved();
    return writeScreen(outDir, "Images/Backdrop.bmp", c, &reserved);
}
