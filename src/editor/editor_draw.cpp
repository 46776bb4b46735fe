#include "editor/editor_draw.h"

#include <cstdio>
#include <cstring>

#include "editor/editor_state.h"
#include "menus/look.h"
#include "menus/panels.h"
#include "lang/translation.h"
#include "records/run_time.h"
#include "render/textures.h"

namespace {

// The map and the rider's view side by side under the header band, the words below
// them, the keys in two rows of a panel and in the footer band.
constexpr int MapLeft = 12, MapRight = 302, TopsY = 58;
constexpr int ViewLeft = 310, ViewSkyRows = 32;  // the view's top rows are sky: left out
constexpr int TopsBottom = TopsY + RiderViewHeight - ViewSkyRows - 1;
constexpr MapBox MapArea = {MapLeft + 8, TopsY + 8, MapRight - 8, TopsBottom - 8};
constexpr int WordsTop = TopsBottom + 5, WordsBottom = WordsTop + 84, WordsX = 22, RowHeight = 19;
constexpr int KeysTop = WordsBottom + 5, KeysBottom = FooterBandTop - 4;

const KeyHint MoveKeys[] = {{KeyArrowUp KeyArrowDown, N_("Tile")}, {N_("PgUp/Dn"), N_("10 tiles")},
                            {KeyArrowLeft KeyArrowRight, N_("Kind")}, {"Enter", N_("Set kind")}};
const KeyHint ObjectKeys[] = {{"0-3", N_("Slope")}, {"T", N_("Gate")}, {"B", N_("Tree")}, {"W", N_("Sign")},
                              {"Shift", N_("On the right")}};
const KeyHint HistoryKeys[] = {{"Ins", N_("Add")}, {"Del", N_("Remove")}, {"Ctrl+Z", N_("Undo")}, {"Ctrl+Y", N_("Redo")},
                               {"Ctrl+S", N_("Save")}};
const KeyHint CourseKeys[] = {{"F5", N_("Ride")}, {"Shift+F5", N_("From here")}, {"F8", N_("Prove")}, {"Esc", N_("Back")}};

const char* objectName(char letter) { return letter == 't' ? trPage("gate") : letter == 'b' ? trPage("tree") : trPage("sign"); }

void describeTile(const EditorScreen& e, char* line, int size) {
    const CourseTile& tile = e.edit.model.tiles[e.cursor];
    const char* label = "?";
    for (int i = 0; i < TilePaletteCount; ++i)
        if (TilePalette[i].kind == tile.kind && (TilePalette[i].second != 0) == (tile.variant > 4)) label = trPage(TilePalette[i].label);
    int n = std::snprintf(line, size_t(size), trPage("Tile %d of %d: %s (%c), slope %d"), e.cursor + 1, e.edit.model.count,
                          label, tile.kind, tile.slope);
    for (int slot = 0; slot < TileSlotCount && n > 0 && n < size; ++slot)
        if (tile.objects[slot])
            n += std::snprintf(line + n, size_t(size - n), ", %s %s", objectName(tile.objects[slot]),
                               slot % 2 ? trPage("right") : trPage("left"));
}

// The backdrop in the race palette: each of its colours matched once per opening.
void putBackdrop(DisplayContext* page, EditorScreen& e) {
    const Bitmap* backdrop = Look.backdrop;
    if (!backdrop || !backdrop->palette || !RacePalette || backdrop->width != page->width ||
        backdrop->height != page->height) {
        std::memset(page->pixels, lookOverPage(page)->colour[LookInk], size_t(page->width * page->height));
        return;
    }
    if (!e.backdropMatched) {
        for (int i = 0; i < 256; ++i) {
            const PaletteEntry& c = backdrop->palette[i];
            e.backdropColours[i] = uint8_t(nearestPaletteIndex(RacePalette, c.red, c.green, c.blue));
        }
        e.backdropMatched = 1;
    }
    for (int y = 0; y < page->height; ++y) {
        const uint8_t* from = backdrop->pixels + y * backdrop->bytesPerLine;
        uint8_t* to = page->pixels + y * page->width;
        for (int x = 0; x < page->width; ++x) to[x] = e.backdropColours[from[x]];
    }
}

void frameBox(DisplayContext* page, int cx, int cy, int half, int colour) {
    fillBox(page, colour, cx - half, cy - half, cx + half, cy - half + 1);
    fillBox(page, colour, cx - half, cy + half - 1, cx + half, cy + half);
    fillBox(page, colour, cx - half, cy - half, cx - half + 1, cy + half);
    fillBox(page, colour, cx + half - 1, cy - half, cx + half, cy + half);
}

void markTile(DisplayContext* page, const EditorScreen& e, int tile, int half, int colour) {
    float x, z;
    int px, py;
    tileMiddle(e.edit.model, e.layout, tile, &x, &z);
    courseMapPoint(e.map, MapArea, x, z, &px, &py);
    frameBox(page, px, py, half, colour);
}

void drawMapAndView(DisplayContext* page, const PageLook& look, const EditorScreen& e) {
    drawPanel(page, look, MapLeft, TopsY, MapRight, TopsBottom);
    // Start and finish, and where the proof failed, in the pair the player chose; the
    // cursor in a colour of neither.
    const SignalColours signal = signalColours();
    drawCourseMap(e.map, page, MapArea, look.colour[LookPath], look.colour[signal.good], look.colour[signal.bad]);
    if (e.map.triangles > 0) {
        if (e.failedTile >= 0 && e.failedTile < e.layout.count) markTile(page, e, e.failedTile, 7, look.colour[signal.bad]);
        markTile(page, e, e.cursor, 5, look.colour[signal.bad == LookAccent ? LookWhite : LookAccent]);
    }
    drawPanel(page, look, ViewLeft - 1, TopsY - 1, ViewLeft + RiderViewWidth, TopsBottom + 1);
    putRiderView(e.view, page, ViewLeft, TopsY, ViewSkyRows);
}

void text(DisplayContext* page, const PageLook& look, int x, int row, LookColour colour, const char* s) {
    drawLookText(page, look, Look.text, x, WordsTop + 5 + row * RowHeight, look.colour[colour], s);
}

void drawWords(DisplayContext* page, const PageLook& look, const EditorScreen& e) {
    drawPanel(page, look, MapLeft, WordsTop, page->width - 1 - MapLeft, WordsBottom);
    char line[160];
    describeTile(e, line, sizeof line);
    text(page, look, WordsX, 0, LookWhite, line);
    std::snprintf(line, sizeof line, trPage("Kind to set: %s"), trPage(TilePalette[e.choice].label));
    text(page, look, WordsX, 1, LookAccent, line);
    if (e.problem[0])
        std::snprintf(line, sizeof line, trPage("Checker: %s"), e.problem);
    else
        std::snprintf(line, sizeof line, "%s", trPage("Checker: no problem"));
    text(page, look, WordsX, 2, e.problem[0] ? signalColours().bad : LookDim, line);
    if (e.naming)
        std::snprintf(line, sizeof line, trPage("Name: %s_   (a-z 0-9 -, Enter saves, Esc)"), e.typed);
    else
        std::snprintf(line, sizeof line, "%s", e.message);
    text(page, look, WordsX, 3, e.naming ? LookWhite : LookAccent, line);
}

void drawKeys(DisplayContext* page, const PageLook& look) {
    drawPanel(page, look, MapLeft, KeysTop, page->width - 1 - MapLeft, KeysBottom);
    const int cap = keyCapHeight(Look.text), gap = (KeysBottom - KeysTop - 3 * cap) / 4;
    const int right = page->width - MapLeft;
    drawKeyRow(page, look, Look.text, MoveKeys, int(std::size(MoveKeys)), MapLeft, right, KeysTop + gap);
    drawKeyRow(page, look, Look.text, ObjectKeys, int(std::size(ObjectKeys)), MapLeft, right,
               KeysTop + 2 * gap + cap);
    drawKeyRow(page, look, Look.text, HistoryKeys, int(std::size(HistoryKeys)), MapLeft, right,
               KeysTop + 3 * gap + 2 * cap);
    drawFooterKeys(page, look, Look.text, CourseKeys, int(std::size(CourseKeys)));
}

void drawTitle(DisplayContext* page, const PageLook& look, const EditorScreen& e) {
    drawOutlinedText(page, look, Look.title, 24, 12, trPage("Course editor"));
    char name[96];
    std::snprintf(name, sizeof name, "%.32s%s", e.name[0] ? e.name : trPage("no name yet"), editorHasChanges() ? " *" : "");
    drawLookText(page, look, Look.text, page->width - 20 - textWidthOf(Look.text, name), 8,
                 look.colour[e.name[0] ? LookWhite : LookDim], name);
    char proof[48];
    std::snprintf(proof, sizeof proof, "%s", trPage("Not proved yet"));
    if (e.provedPar > 0) {
        char par[24];
        formatRunTime(e.provedPar, par, sizeof par);
        std::snprintf(proof, sizeof proof, trPage("Proved, par %s"), par);
    }
    drawLookText(page, look, Look.text, page->width - 20 - textWidthOf(Look.text, proof), 29,
                 look.colour[e.provedPar > 0 ? signalColours().good : LookDim], proof);
}

}  // namespace

void openEditorDrawing() {
    loadLook();
    Editor.viewTile = -1;
    Editor.backdropMatched = 0;
}

void closeEditorDrawing() { Editor.backdropMatched = 0; }

void drawEditor(DisplayContext* page) {
    EditorScreen& e = Editor;
    if (!page || e.edit.model.count == 0 || !loadLook() || !Look.title) return;
    applyRacePalette();
    if (e.viewTile != e.cursor) {
        drawRiderView(e.edit.model, e.layout, e.cursor, page, &e.view);  // once per tile, not per frame
        e.viewTile = e.cursor;
    }
    const PageLook* look = lookOverPage(page);
    if (!look) return;
    putBackdrop(page, e);
    drawTitle(page, *look, e);
    drawMapAndView(page, *look, e);
    drawWords(page, *look, e);
    drawKeys(page, *look);
}
