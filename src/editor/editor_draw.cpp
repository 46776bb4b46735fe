#include "editor/editor_draw.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "editor/editor_state.h"
#include "framework/fatal_error.h"
#include "lang/translation.h"
#include "records/run_time.h"
#include "render/textures.h"

namespace {

const char EditorFont[] = "Cour20b.fnt";

constexpr MapBox MapArea = {4, 24, 313, 263};
constexpr int ViewLeft = 318, ViewTop = 24;
constexpr int TextLeft = 8, RowHeight = 21, FirstRow = 270;

struct EditorColours {
    int background, panel, text, dim, accent, warning, path, start, finish, cursor;
};

EditorColours Colours;

int nearest(int r, int g, int b) { return RacePalette ? nearestPaletteIndex(RacePalette, r, g, b) : 0; }

void pickColours() {
    Colours = EditorColours{nearest(10, 14, 26),   nearest(28, 36, 60),   nearest(255, 255, 255),
                            nearest(170, 186, 206), nearest(255, 170, 40), nearest(235, 60, 50),
                            nearest(222, 196, 150), nearest(60, 200, 80),  nearest(235, 60, 50),
                            nearest(255, 240, 60)};
}

void fillBox(DisplayContext* page, int left, int top, int right, int bottom, int colour) {
    for (int y = std::max(top, 0); y <= std::min(bottom, page->height - 1); ++y)
        for (int x = std::max(left, 0); x <= std::min(right, page->width - 1); ++x)
            page->pixels[y * page->width + x] = uint8_t(colour);
}

void frameBox(DisplayContext* page, int cx, int cy, int half, int colour) {
    fillBox(page, cx - half, cy - half, cx + half, cy - half + 1, colour);
    fillBox(page, cx - half, cy + half - 1, cx + half, cy + half, colour);
    fillBox(page, cx - half, cy - half, cx - half + 1, cy + half, colour);
    fillBox(page, cx + half - 1, cy - half, cx + half, cy + half, colour);
}

void text(int x, int row, int colour, const char* s) {
    DisplayContext* dc = currentContext();
    if (!dc) return;
    dc->color = colour;
    drawText(x, FirstRow + row * RowHeight, s);
}

const char* objectName(char letter) { return letter == 't' ? trPage("gate") : letter == 'b' ? trPage("tree") : trPage("sign"); }

void describeTile(const EditorScreen& e, char* line, int size) {
    const CourseTile& tile = e.edit.model.tiles[e.cursor];
    const char* label = "?";
    for (int i = 0; i < TilePaletteCount; ++i)
        if (TilePalette[i].kind == tile.kind && (TilePalette[i].second != 0) == (tile.variant > 4)) label = trPage(TilePalette[i].label);
    int n = std::snprintf(line, size_t(size), trPage("tile %d/%d %c %s, slope %d"), e.cursor + 1, e.edit.model.count, tile.kind,
                          label, tile.slope);
    for (int slot = 0; slot < TileSlotCount && n > 0 && n < size; ++slot)
        if (tile.objects[slot])
            n += std::snprintf(line + n, size_t(size - n), ", %s %s", objectName(tile.objects[slot]),
                               slot % 2 ? "R" : "L");
}

void drawMapAndCursor(DisplayContext* page, const EditorScreen& e) {
    fillBox(page, MapArea.left, MapArea.top, MapArea.right, MapArea.bottom, Colours.panel);
    drawCourseMap(e.map, page, MapArea, Colours.path, Colours.start, Colours.finish);
    if (e.map.triangles == 0) return;
    float x, z;
    int px, py;
    if (e.failedTile >= 0 && e.failedTile < e.layout.count) {
        tileMiddle(e.edit.model, e.layout, e.failedTile, &x, &z);
        courseMapPoint(e.map, MapArea, x, z, &px, &py);
        frameBox(page, px, py, 7, Colours.warning);
    }
    tileMiddle(e.edit.model, e.layout, e.cursor, &x, &z);
    courseMapPoint(e.map, MapArea, x, z, &px, &py);
    frameBox(page, px, py, 5, Colours.cursor);
}

void drawWords(const EditorScreen& e) {
    char line[160];
    describeTile(e, line, sizeof line);
    text(TextLeft, 0, Colours.text, line);
    std::snprintf(line, sizeof line, trPage("Left/Right: %s  (Enter sets it)"), trPage(TilePalette[e.choice].label));
    text(TextLeft, 1, Colours.accent, line);
    // The checker's word on two rows at most.
    constexpr int RowCharacters = 52;
    if (e.problem[0])
        std::snprintf(line, sizeof line, trPage("checker: %s"), e.problem);
    else
        std::snprintf(line, sizeof line, "%s", trPage("checker: no problem"));
    char first[RowCharacters + 1];
    std::snprintf(first, sizeof first, "%.52s", line);
    text(TextLeft, 2, e.problem[0] ? Colours.warning : Colours.dim, first);
    if (std::strlen(line) > size_t(RowCharacters))
        text(TextLeft, 3, Colours.warning, line + RowCharacters);
    char par[24] = "";
    if (e.provedPar > 0) formatRunTime(e.provedPar, par, sizeof par);
    if (e.provedPar > 0)
        std::snprintf(line, sizeof line, trPage("proved, par %s"), par);
    else
        std::snprintf(line, sizeof line, "%s", trPage("not proved: F8 lets the autopilot ride it"));
    text(TextLeft, 4, e.provedPar > 0 ? Colours.start : Colours.dim, line);
    if (e.naming)
        std::snprintf(line, sizeof line, trPage("name: %s_  (a-z 0-9 -, Enter, Esc)"), e.typed);
    else
        std::snprintf(line, sizeof line, "%.52s", e.message);
    text(TextLeft, 5, e.naming ? Colours.cursor : Colours.accent, line);
    text(TextLeft, 6, Colours.dim, trPage("Up Down PgUp PgDn move  Ins add  Del remove"));
    text(TextLeft, 7, Colours.dim, trPage("0-3 slope  T B W gate tree sign, Shift: right"));
    text(TextLeft, 8, Colours.dim, trPage("Ctrl+Z undo Ctrl+Y redo Ctrl+S save F5 ride"));
    text(TextLeft, 9, Colours.dim, trPage("Shift+F5 ride from here  F8 prove  Esc back"));
}

}  // namespace

void openEditorDrawing() {
    if (!Editor.font) Editor.font = requireFont(EditorFont);
    Editor.viewTile = -1;
}

void closeEditorDrawing() {
    if (Editor.font) unloadFont(Editor.font);
    Editor.font = nullptr;
}

void drawEditor(DisplayContext* page) {
    EditorScreen& e = Editor;
    if (!page || !e.font || e.edit.model.count == 0) return;
    applyRacePalette();
    pickColours();
    if (e.viewTile != e.cursor) {
        drawRiderView(e.edit.model, e.layout, e.cursor, page, &e.view);  // once per tile, not per frame
        e.viewTile = e.cursor;
    }
    fillBox(page, 0, 0, page->width - 1, page->height - 1, Colours.background);
    useFont(e.font);
    char title[96];
    std::snprintf(title, sizeof title, trPage("Course editor: %.24s%s"), e.name[0] ? e.name : trPage("(no name yet)"),
                  editorHasChanges() ? " *" : "");
    DisplayContext* dc = currentContext();
    if (dc) dc->color = Colours.accent;
    drawText(TextLeft, 1, title);
    drawMapAndCursor(page, e);
    putRiderView(e.view, page, ViewLeft, ViewTop);
    drawWords(e);
}
