// The intro, the main menu, the name entry and the credits.
#include <cstdio>

#include "generators.h"
#include "lang/translation.h"
#include "ui.h"

namespace {

bool writeIntro(const char* outDir) {
    Canvas* c = screenCanvas();
    resetCanvas(c, ScreenWidth, ScreenHeight, rgb(0, 0, 0));
    drawAlpineScene(c, 250, 7);
    drawRider(c, 360, 392, 1.25f, 0.12f, Accent, rgb(30, 40, 60), rgb(230, 230, 235));
    // The title with its orange underline.
    drawCentredOutlined(c, FaceBold, 64, 320, 118, White, rgb(10, 16, 30), 3.0f, "Tumblegrade");
    drawCentredOutlined(c, FaceBold, 44, 320, 172, Accent, rgb(10, 16, 30), 3.0f, "- DH -");
    drawCentredOutlined(c, FaceCondensed, 20, 320, 206, White, rgb(10, 16, 30), 2.0f,
                        tr("Downhill mountain-bike racing"));
    const char* keys[] = {"Enter", "Esc"};
    const char* labels[] = {N_("Press Enter to start"), N_("Quit")};
    drawFooter(c, keys, labels, 2);
    return writeScreen(outDir, "Images/Intro1_256.bmp", c, screenReserved());
}

bool writeMainMenu(const char* outDir) {
    Canvas* c = screenCanvas();
    resetCanvas(c, ScreenWidth, ScreenHeight, rgb(0, 0, 0));
    drawAlpineScene(c, 230, 21);
    drawHeader(c, N_("Main Menu"), "Tumblegrade - DH");
    drawDarkPanel(c, 60, 80, 580, 290, 0.78f);
    struct Line { const char* key; const char* text; const char* detail; };
    const Line lines[] = {
        {"S", N_("Next step"), N_("type a name, then shop, then ride")},
        {"C", N_("Shop"), N_("start shopping with a fresh 7000 $ budget")},
        {"R", N_("New rider"), N_("clear the name and type a new one")},
        {"Esc", N_("Quit"), N_("leave the game")},
    };
    // The details fit the panel: a long one is set smaller rather than run past its edge.
    const float detailX = 236.0f, detailRight = 568.0f;
    for (int i = 0; i < 4; ++i) {
        const float y = 90.0f + float(i) * 38.0f;
        const float end = drawKeyLine(c, 84, y, lines[i].key, lines[i].text, 19, White);
        if (end > detailX - 8.0f) reportOverflow(tr(lines[i].text), end - 84.0f, detailX - 8.0f - 84.0f);
        const char* detail = tr(lines[i].detail);
        int size = 15;
        while (size > 10 && detailX + textWidth(FaceRegular, size, detail) > detailRight) --size;
        requireRoom(FaceRegular, size, detail, detailRight - detailX);
        drawString(c, FaceRegular, size, detailX, y + 19, rgb(200, 214, 232), detail);
    }
    // The screens beside the race: courses, best times, options.
    struct More { const char* key; const char* text; float x; };
    const More more[] = {{"F2", N_("Courses"), 84}, {"F3", N_("Best times"), 250}, {"F4", N_("Options"), 436}};
    for (int i = 0; i < 3; ++i) {
        const float end = drawKeyLine(c, more[i].x, 248, more[i].key, more[i].text, 17, Accent);
        if (i < 2 && end > more[i + 1].x - 8.0f) reportOverflow(tr(more[i].text), end - more[i].x, more[i + 1].x - 8.0f - more[i].x);
    }
    // How to ride, so the first run is no surprise.
    drawDarkPanel(c, 60, 304, 580, 424, 0.78f);
    drawString(c, FaceCondensed, 18, 80, 328, Accent, tr("On the course"));
    struct Ride { const char* key; const char* text; float x; float y; };
    const Ride ride[] = {
        {"\xE2\x86\x91", N_("pedal"), 80, 338},  {"\xE2\x86\x90 \xE2\x86\x92", N_("steer"), 200, 338},
        {"Ctrl", N_("brake"), 340, 338},         {"Alt", N_("soft brake / sharp turn"), 80, 378},
        {"T", N_("textures"), 340, 378},         {"Esc", N_("quit"), 460, 378},
    };
    // Each line ends before the next one on its row, or before the panel's edge (the
    // first row before the note on the right).
    for (const Ride& r : ride) {
        float room = r.y < 360.0f ? 456.0f : 568.0f;
        for (const Ride& other : ride)
            if (other.y == r.y && other.x > r.x && other.x - 12.0f < room) room = other.x - 12.0f;
        const float end = drawKeyLine(c, r.x, r.y, r.key, r.text, 16, White);
        if (end > room) reportOverflow(tr(r.text), end - r.x, room - r.x);
    }
    drawString(c, FaceRegular, 13, 460, 360, rgb(200, 214, 232), tr("Stay on the trail!"));
    const char* keys[] = {"S", "C", "R", "F2", "Esc"};
    const char* labels[] = {N_("Next step"), N_("Shop"), N_("New name"), N_("Courses"), N_("Quit")};
    drawFooter(c, keys, labels, 5);
    return writeScreen(outDir, "Images/Main.bmp", c, screenReserved());
}

// A small German keyboard so the Z, Y and umlaut keys are where the player expects.
void drawKeyboardMap(Canvas* c, float x0, float y0) {
    const char* rows[3][11] = {
        {"Q", "W", "E", "R", "T", "Z", "U", "I", "O", "P", "\xC3\x9C"},
        {"A", "S", "D", "F", "G", "H", "J", "K", "L", "\xC3\x96", "\xC3\x84"},
        {"Y", "X", "C", "V", "B", "N", "M", nullptr, nullptr, nullptr, nullptr},
    };
    const float key = 36.0f;
    for (int r = 0; r < 3; ++r) {
        const float rowX = x0 + float(r) * 14.0f;
        for (int k = 0; k < 11 && rows[r][k]; ++k) {
            const float x = rowX + float(k) * (key + 4.0f), y = y0 + float(r) * (key + 4.0f);
            const char* label = rows[r][k];
            const bool special = (r == 0 && (k == 5 || k == 10)) || (r == 1 && k >= 9) || (r == 2 && k == 0);
            fillRoundRect(c, x + 1, y + 3, x + key + 1, y + key + 3, 5, rgb(0, 0, 0), 0.5f);
            fillRoundRect(c, x, y, x + key, y + key, 5, special ? rgb(200, 90, 0) : rgb(120, 124, 132));
            fillRoundRect(c, x + 2, y + 1, x + key - 2, y + key - 4, 4, special ? Accent : rgb(236, 238, 242));
            const float tw = textWidth(FaceCondensed, 18, label);
            drawString(c, FaceCondensed, 18, x + (key - tw) * 0.5f, y + 25, special ? White : Ink, label);
        }
    }
    const float sy = y0 + 3.0f * (key + 4.0f);
    const float sx = x0 + 42.0f + 2.0f * (key + 4.0f);
    fillRoundRect(c, sx + 1, sy + 3, sx + 241, sy + key + 3, 5, rgb(0, 0, 0), 0.5f);
    fillRoundRect(c, sx, sy, sx + 240, sy + key, 5, rgb(120, 124, 132));
    fillRoundRect(c, sx + 2, sy + 1, sx + 238, sy + key - 4, 4, rgb(236, 238, 242));
    drawCentred(c, FaceCondensed, 16, sx + 120, sy + 24, Ink, tr("Space"));
}

bool writeRegistration(const char* outDir) {
    Canvas* c = screenCanvas();
    resetCanvas(c, ScreenWidth, ScreenHeight, rgb(0, 0, 0));
    drawAlpineScene(c, 240, 33);
    // The dark band where the game writes "Your Name: ..." in white at (10, 10).
    fillRect(c, 0, 0, float(ScreenWidth), 44, Navy);
    fillRect(c, 0, 44, float(ScreenWidth), 47, Accent);
    drawDarkPanel(c, 30, 64, 610, 420, 0.82f);
    drawOutlined(c, FaceBold, 28, 54, 102, White, rgb(0, 0, 0), 2.0f, tr("Who is riding?"));
    const char* const notes[] = {N_("Type your rider name with the letter keys; it appears at the top."),
                                 N_("German key layout: the orange keys are where this game puts them.")};
    for (int i = 0; i < 2; ++i) {
        requireRoom(FaceRegular, 16, tr(notes[i]), 610.0f - 54.0f);
        drawString(c, FaceRegular, 16, 54, 130.0f + 22.0f * float(i), rgb(210, 222, 238), tr(notes[i]));
    }
    drawKeyboardMap(c, 62, 172);
    const float enterEnd = drawKeyLine(c, 54, 356, "Enter", N_("back to the menu, the name is kept"), 16, White);
    const float clearEnd = drawKeyLine(c, 54, 388, "R", N_("in the menu clears the name (there is no delete key)"), 16, White);
    if (enterEnd > 596.0f || clearEnd > 596.0f) reportOverflow("the name screen's key lines", enterEnd > clearEnd ? enterEnd : clearEnd, 596.0f);
    const char* keys[] = {"A-Z", N_("Space"), "Enter", "Esc"};
    const char* labels[] = {N_("Type"), N_("Blank"), N_("Menu"), N_("Quit")};
    drawFooter(c, keys, labels, 4);
    return writeScreen(outDir, "Images/Registration.bmp", c, screenReserved());
}

bool writeCredits(const char* outDir) {
    Canvas* c = screenCanvas();
    resetCanvas(c, ScreenWidth, ScreenHeight, rgb(0, 0, 0));
    drawAlpineScene(c, 300, 45);
    drawHeader(c, N_("Credits"), nullptr);
    drawDarkPanel(c, 70, 84, 570, 410, 0.8f);
    drawCentredOutlined(c, FaceBold, 44, 320, 140, White, rgb(0, 0, 0), 2.5f, "Tumblegrade - DH");
    drawCentred(c, FaceCondensed, 20, 320, 176, Accent, tr("made by the Tumblegrade developers"));
    drawCentred(c, FaceCondensed, 18, 320, 226, White, tr("Built with"));
    const char* libs[] = {N_("SDL2 - window, keyboard and screen"), N_("FreeType - the text of these pictures"),
                          N_("DejaVu fonts"), N_("GoogleTest - the tests")};
    for (int i = 0; i < 4; ++i) {
        requireRoom(FaceRegular, 16, tr(libs[i]), 470.0f);
        drawCentred(c, FaceRegular, 16, 320, 254.0f + float(i) * 24.0f, rgb(210, 222, 238), tr(libs[i]));
    }
    drawCentred(c, FaceRegular, 15, 320, 380, rgb(180, 196, 216), tr("Thanks for riding!"));
    const char* keys[] = {"Enter"};
    const char* labels[] = {N_("Quit")};
    drawFooter(c, keys, labels, 1);
    return writeScreen(outDir, "Credits/credits.bmp", c, screenReserved());
}

}  // namespace

bool writeMenuScreens(const char* outDir) {
    return writeIntro(outDir) && writeMainMenu(outDir) && writeRegistration(outDir) && writeCredits(outDir);
}
