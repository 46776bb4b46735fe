// The parts of the data directory, each written by its own file of the generator.
#pragma once

#include "canvas.h"

// The one full-screen canvas the screen writers draw into.
Canvas* screenCanvas();

bool writeMenuScreens(const char* outDir);     // intro, main menu, name entry, credits
bool writeShopPages(const char* outDir);       // the twenty shop pictures
bool writeOutcomeScreens(const char* outDir);  // injury, defect, crash and finish pictures
bool writeRaceData(const char* outDir);        // start and race palettes, textures, handlebar
bool writeGameFont(const char* outDir);        // Cour20b.fnt, Sans17b.fnt, Title30b.fnt
bool writeBackdrop(const char* outDir);        // the landscape under the screens of our own
bool writeSounds(const char* outDir);          // every sound under Sounds/
