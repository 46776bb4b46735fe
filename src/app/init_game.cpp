// Game initialisation: matrices, palettes, damage factors, textures, the handlebar and
// the course. It runs once before the main loop and again after every window/full-screen
// switch; the second time it only renews what belongs to the display, so a switch in the
// middle of a run changes nothing in the game.
#include "app/init_game.h"

#include "base/game_state.h"
#include "platform/platform.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "render/pipeline.h"
#include "render/rasteriser.h"
#include "render/textures.h"
#include "track/track_loader.h"

int InitGameRuns = 0;

void initGame() {
    const bool repeated = InitGameRuns > 0;
    ++InitGameRuns;
    initRenderMatrices();
    if (repeated) {
        releaseRacePictures();
    } else {
        resetRiderPose();
    }
    loadStartPalette();
    fillDamageTable(uint32_t(platformTimeSeconds()));
    loadRacePalette();
    buildClipPlanes();
    loadTextures();
    loadHandlebar();
    clearEdgeTable();
    if (!repeated) {
        loadTrack();
    } else if (GameState.racing) {
        applyRacePalette();  // the race goes on in its own colours
    }
}
