// tumblegrade-datagen OUTDIR [FONTDIR]: writes every picture, texture, palette, the
// font and the sounds of the game into OUTDIR. The output depends on nothing but the
// program and the fonts, so it is the same byte for byte on every run.
// tumblegrade-datagen OUTDIR FONTDIR --language LANG LOCALEDIR: the pictures with words on
// them in the language LANG (from its catalogue in LOCALEDIR) into OUTDIR/LANG.
// A word too wide for its place on a picture fails the generator, in every language.
// tumblegrade-datagen --icons ICONDIR APPID: writes the application icon in every size.
#include <cstdio>
#include <filesystem>
#include <string>

#include <cstring>

#include "generators.h"
#include "icons.h"
#include "lang/translation.h"
#include "text.h"

Canvas* screenCanvas() {
    static Canvas canvas;
    return &canvas;
}

namespace {

// The pictures with words on them, in one language, into outDir/<language>.
int writeLanguage(const char* outDir, const char* language, const char* localeDir) {
    const int chosen = languageFromSetting(language);
    if (chosen <= LanguageEnglish) {
        std::fprintf(stderr, "datagen: no pictures for the language \"%s\"\n", language);
        return 2;
    }
    const std::string catalogue = std::string(localeDir) + "/" + language + "/LC_MESSAGES/tumblegrade.mo";
    useLocaleFolder(localeDir);
    setLanguage(chosen);
    if (!std::filesystem::exists(catalogue)) {
        std::fprintf(stderr, "datagen: no catalogue for \"%s\" in %s\n", language, localeDir);
        return 1;
    }
    char dir[1024];
    std::snprintf(dir, sizeof dir, "%s/%s", outDir, language);
    const bool ok = writeMenuScreens(dir) && writeShopPages(dir) && writeOutcomeScreens(dir);
    closeFaces();
    if (textOverflowCount() > 0)
        std::fprintf(stderr, "datagen: %d texts of \"%s\" do not fit their places on the pictures\n",
                     textOverflowCount(), language);
    return ok && textOverflowCount() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--icons") == 0) return writeIcons(argv[2], argv[3]) ? 0 : 1;
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: tumblegrade-datagen OUTDIR [FONTDIR]\n"
                             "       tumblegrade-datagen OUTDIR FONTDIR --language LANG LOCALEDIR\n"
                             "       tumblegrade-datagen --icons ICONDIR APPID\n");
        return 2;
    }
    const char* outDir = argv[1];
    const char* fontDir = argc > 2 ? argv[2] : "/usr/share/fonts/truetype/dejavu";
    if (!openFaces(fontDir)) return 1;
    if (argc == 6 && std::strcmp(argv[3], "--language") == 0) return writeLanguage(outDir, argv[4], argv[5]);
    const bool ok = writeMenuScreens(outDir) && writeShopPages(outDir) && writeOutcomeScreens(outDir) &&
                    writeRaceData(outDir) && writeGameFont(outDir) && writeBackdrop(outDir) && writeSounds(outDir);
    closeFaces();
    if (!ok || textOverflowCount() > 0) return 1;
    return 0;
}
