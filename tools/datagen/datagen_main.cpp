// tumblegrade-datagen OUTDIR [FONTDIR]: writes every picture, texture, palette, the
// font and the sounds of the game into OUTDIR. The output depends on nothing but the
// program and the fonts, so it is the same byte for byte on every run.
// tumblegrade-datagen --icons ICONDIR APPID: writes the application icon in every size.
#include <cstdio>

#include <cstring>

#include "generators.h"
#include "icons.h"
#include "text.h"

Canvas* screenCanvas() {
    static Canvas canvas;
    return &canvas;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--icons") == 0) return writeIcons(argv[2], argv[3]) ? 0 : 1;
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: tumblegrade-datagen OUTDIR [FONTDIR]\n"
                             "       tumblegrade-datagen --icons ICONDIR APPID\n");
        return 2;
    }
    const char* outDir = argv[1];
    const char* fontDir = argc > 2 ? argv[2] : "/usr/share/fonts/truetype/dejavu";
    if (!openFaces(fontDir)) return 1;
    const bool ok = writeMenuScreens(outDir) && writeShopPages(outDir) && writeOutcomeScreens(outDir) &&
                    writeRaceData(outDir) && writeGameFont(outDir) && writeBackdrop(outDir) && writeSounds(outDir);
    closeFaces();
    if (!ok) return 1;
    return 0;
}
