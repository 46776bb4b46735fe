// The end of a run: injury, defect, crash and finish pictures, each with the key that
// goes on (Enter: credits, or for a crash: ride on).
#include <cmath>

#include "generators.h"
#include "item_pictures.h"
#include "lang/translation.h"
#include "ui.h"

namespace {

enum NextStep { GoCredits, RideOn };

void drawCaption(Canvas* c, const char* line1, const char* line2, NextStep next) {
    drawDarkPanel(c, 40, 340, 600, 424, 0.85f);
    line1 = tr(line1);
    line2 = tr(line2);
    // The words end before the key at the right of the panel.
    requireRoom(FaceBold, 20, line1, 362.0f);
    requireRoom(FaceRegular, 15, line2, 362.0f);
    drawString(c, FaceBold, 20, 60, 368, White, line1);
    drawString(c, FaceRegular, 15, 60, 392, rgb(200, 214, 232), line2);
    const float end = drawKeyLine(c, 430, 384, "Enter", next == GoCredits ? N_("credits") : N_("ride on"), 16, Accent);
    if (end > 594.0f) reportOverflow(tr(next == GoCredits ? "credits" : "ride on"), end - 430.0f, 164.0f);
}

bool finishScreen(const char* outDir, const char* name, const char* title, NextStep next) {
    if (next == GoCredits) {
        const char* keys[] = {"Enter", "Esc"};
        const char* labels[] = {N_("Credits"), N_("Quit")};
        drawFooter(screenCanvas(), keys, labels, 2);
    } else {
        const char* keys[] = {"Enter", "S", "Esc"};
        const char* labels[] = {N_("Ride on"), N_("Ride on"), N_("Quit")};
        drawFooter(screenCanvas(), keys, labels, 3);
    }
    (void)title;
    return writeScreen(outDir, name, screenCanvas(), screenReserved());
}

Canvas* beginScreen(const char* title, const char* note, int seed) {
    Canvas* c = screenCanvas();
    resetCanvas(c, ScreenWidth, ScreenHeight, rgb(0, 0, 0));
    drawAlpineScene(c, 250, seed);
    drawHeader(c, title, note);
    return c;
}

void drawCrack(Canvas* c, float x0, float y0, float x1, float y1, int seed) {
    Vec2 pts[16];
    for (int i = 0; i < 9; ++i) {
        const float t = float(i) / 8.0f;
        const float off = (i % 2 ? 1.0f : -1.0f) * (4.0f + 6.0f * hashNoise(i, 1, seed));
        const float dx = x1 - x0, dy = y1 - y0, len = std::sqrt(dx * dx + dy * dy);
        pts[i] = Vec2{x0 + dx * t - dy / len * off, y0 + dy * t + dx / len * off};
    }
    strokePolyline(c, pts, 9, 9.0f, rgb(255, 60, 20), false);
    strokePolyline(c, pts, 9, 4.0f, rgb(10, 10, 10), false);
}

void drawCard(Canvas* c, float x0, float y0, float x1, float y1) {
    fillRoundRect(c, x0 + 3, y0 + 4, x1 + 3, y1 + 4, 10, rgb(0, 0, 0), 0.4f);
    fillRoundRect(c, x0, y0, x1, y1, 10, rgb(200, 206, 214));
    gradientRect(c, int(x0) + 3, int(y0) + 3, int(x1) - 3, int(y1) - 3, rgb(238, 242, 246), rgb(196, 206, 218));
}

void redCross(Canvas* c, float cx, float cy, float s) {
    fillRect(c, cx - s, cy - s * 0.33f, cx + s, cy + s * 0.33f, rgb(220, 20, 30));
    fillRect(c, cx - s * 0.33f, cy - s, cx + s * 0.33f, cy + s, rgb(220, 20, 30));
}

bool writeInjury(const char* outDir) {
    Canvas* c = beginScreen(N_("Injured!"), N_("Run over"), 71);
    // The hospital on the meadow, with the ambulance cross.
    fillRect(c, 60, 120, 330, 300, rgb(236, 236, 230));
    fillRect(c, 60, 112, 330, 124, rgb(170, 60, 50));
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 5; ++k)
            if (!(r == 2 && k == 2)) fillRect(c, 76.0f + float(k) * 50, 170.0f + float(r) * 40, 106.0f + float(k) * 50, 196.0f + float(r) * 40, rgb(120, 170, 220));
    fillRect(c, 176, 250, 214, 300, rgb(90, 110, 140));
    fillCircle(c, 195, 146, 20, White);
    redCross(c, 195, 146, 15);
    // A bed with a bandaged rider.
    drawCard(c, 350, 110, 610, 320);
    fillRect(c, 372, 230, 590, 250, rgb(120, 124, 132));
    fillRect(c, 372, 190, 380, 290, rgb(120, 124, 132));
    fillRect(c, 582, 210, 590, 290, rgb(120, 124, 132));
    fillRoundRect(c, 380, 206, 582, 232, 6, rgb(250, 250, 250));
    fillRoundRect(c, 390, 196, 440, 214, 6, rgb(230, 230, 240));
    fillCircle(c, 420, 190, 18, rgb(230, 186, 150));
    fillRect(c, 404, 180, 436, 188, White);
    fillRoundRect(c, 440, 192, 578, 214, 8, rgb(90, 140, 200));
    fillRoundRect(c, 500, 168, 540, 206, 10, White);  // a cast on the leg
    redCross(c, 480, 142, 12);
    drawCaption(c, N_("Ouch - off to hospital."), N_("Your health could not take that crash."), GoCredits);
    return finishScreen(outDir, "Injury/krankenhaus.bmp", "", GoCredits);
}

bool writeNose(const char* outDir) {
    Canvas* c = beginScreen(N_("Injured!"), N_("Broken nose"), 73);
    drawCard(c, 170, 80, 470, 330);
    // A face in profile with a bandaged nose.
    fillCircle(c, 300, 210, 90, rgb(230, 186, 150));
    fillEllipse(c, 290, 150, 96, 50, rgb(90, 60, 30));
    fillCircle(c, 396, 214, 22, rgb(230, 186, 150));
    fillRoundRect(c, 372, 196, 426, 232, 8, White);
    drawBar(c, 374, 198, 424, 230, 6, rgb(220, 220, 220));
    drawBar(c, 374, 230, 424, 198, 6, rgb(220, 220, 220));
    fillCircle(c, 346, 186, 8, rgb(30, 30, 30));
    fillRect(c, 330, 168, 364, 174, rgb(60, 40, 20));
    fillEllipse(c, 348, 262, 24, 8, rgb(170, 80, 70));
    fillCircle(c, 244, 220, 20, rgb(214, 166, 130));
    fillCircle(c, 380, 282, 10, rgb(120, 170, 230));  // a tear
    drawCaption(c, N_("A broken nose!"), N_("The doctor says: no more riding today."), GoCredits);
    return finishScreen(outDir, "Injury/nose.bmp", "", GoCredits);
}

bool writeDefect(const char* outDir, int which) {
    static const char* const Names[4] = {"Defekt/defekt1.bmp", "Defekt/defekt2.bmp", "Defekt/defekt3.bmp",
                                         "Defekt/defekt4.bmp"};
    static const char* const Lines[4][2] = {
        {N_("The frame cracked!"), N_("Your bike's condition could not take the knock.")},
        {N_("The fork is bent!"), N_("Your bike's condition could not take the knock.")},
        {N_("The brakes failed!"), N_("Your bike's condition could not take the knock.")},
        {N_("The chain snapped!"), N_("Your bike's condition could not take the knock.")},
    };
    Canvas* c = beginScreen(N_("Bike broken!"), N_("Defect"), 80 + which);
    drawCard(c, 150, 76, 490, 330);
    if (which == 0) {
        drawItemPicture(c, ItemFrame, 0, 170, 90, 470, 320);
        drawCrack(c, 300, 170, 340, 230, 3);
    } else if (which == 1) {
        // A fork with one leg bent sideways.
        drawTube(c, 320, 96, 320, 150, 14, rgb(36, 38, 44));
        fillRoundRect(c, 262, 140, 378, 166, 10, rgb(30, 110, 200));
        drawTube(c, 282, 160, 282, 300, 16, rgb(196, 200, 206));
        const Vec2 bent[4] = {{358, 160}, {362, 220}, {400, 262}, {430, 300}};
        strokePolyline(c, bent, 4, 16, rgb(196, 200, 206), false);
        fillCircle(c, 282, 304, 10, rgb(36, 38, 44));
        fillCircle(c, 430, 304, 10, rgb(36, 38, 44));
        drawCrack(c, 350, 200, 380, 240, 5);
    } else if (which == 2) {
        drawItemPicture(c, ItemBrake, 0, 170, 90, 470, 320);
        // Smoke and a torn hose.
        for (int i = 0; i < 6; ++i)
            fillCircle(c, 380.0f + float(i) * 12, 130.0f - float(i) * 8, 10.0f + float(i) * 3, rgb(120, 120, 120), 0.35f);
        drawCrack(c, 390, 110, 440, 96, 7);
    } else {
        // A chain lying broken, its ends apart.
        const Vec2 left[5] = {{180, 260}, {220, 220}, {260, 210}, {300, 226}, {318, 252}};
        const Vec2 right[5] = {{350, 236}, {372, 206}, {410, 196}, {450, 214}, {470, 256}};
        strokePolyline(c, left, 5, 12, rgb(36, 38, 44), false);
        strokePolyline(c, right, 5, 12, rgb(36, 38, 44), false);
        for (int i = 0; i < 5; ++i) {
            fillCircle(c, left[i].x, left[i].y, 4, rgb(196, 200, 206));
            fillCircle(c, right[i].x, right[i].y, 4, rgb(196, 200, 206));
        }
        drawCrack(c, 322, 230, 346, 250, 9);
        drawItemPicture(c, ItemDrive, 1, 330, 90, 470, 200);
    }
    drawCaption(c, Lines[which][0], Lines[which][1], GoCredits);
    return finishScreen(outDir, Names[which], "", GoCredits);
}

void drawFence(Canvas* c, float x0, float x1, float y) {
    for (float x = x0; x <= x1; x += 60) fillRect(c, x - 4, y - 60, x + 4, y, rgb(181, 112, 69));
    fillRect(c, x0 - 4, y - 54, x1 + 4, y - 48, rgb(223, 0, 0));
}

bool writeCrash(const char* outDir, int which) {
    static const char* const Names[3] = {"Crash/crash1.bmp", "Crash/crash2.bmp", "Crash/crash3.bmp"};
    static const char* const Lines[3][2] = {
        {N_("Over the bars!"), N_("You and the bike took it. Get back on!")},
        {N_("Into the fence!"), N_("You and the bike took it. Get back on!")},
        {N_("Into the water ditch!"), N_("Wet, but you and the bike took it. Get back on!")},
    };
    Canvas* c = beginScreen(N_("Crash!"), N_("Keep riding"), 90 + which);
    if (which == 0) {
        drawRider(c, 250, 300, 1.1f, 0.5f, Accent, rgb(30, 40, 60), rgb(230, 230, 235));
        drawRider(c, 420, 200, 1.0f, -2.2f, rgb(0, 0, 0), rgb(30, 40, 60), rgb(230, 230, 235));
        for (int i = 0; i < 5; ++i) drawTube(c, 330.0f + float(i) * 10, 280, 360.0f + float(i) * 14, 230, 3, White, 0.7f);
    } else if (which == 1) {
        drawFence(c, 200, 560, 320);
        drawRider(c, 330, 318, 1.1f, -0.35f, Accent, rgb(30, 40, 60), rgb(230, 230, 235));
        fillCircle(c, 400, 230, 26, rgb(255, 240, 90), 0.8f);
    } else {
        fillRect(c, 120, 270, 600, 334, rgb(85, 85, 255));
        for (int i = 0; i < 40; ++i)
            fillEllipse(c, 130.0f + float(i) * 12, 272, 10, 3, rgb(200, 210, 255), 0.6f);
        drawRider(c, 340, 318, 1.1f, 0.9f, Accent, rgb(30, 40, 60), rgb(230, 230, 235));
        fillRect(c, 120, 300, 600, 334, rgb(60, 60, 220), 0.7f);
        for (int i = 0; i < 9; ++i)
            fillCircle(c, 300.0f + float(i) * 14, 250.0f - float(i % 3) * 16, 6, rgb(210, 220, 255));
    }
    drawCaption(c, Lines[which][0], Lines[which][1], RideOn);
    return finishScreen(outDir, Names[which], "", RideOn);
}

void drawFinishBanner(Canvas* c, float x0, float x1, float top) {
    fillRect(c, x0 - 6, top, x0 + 6, 330, rgb(128, 80, 47));
    fillRect(c, x1 - 6, top, x1 + 6, 330, rgb(128, 80, 47));
    fillRect(c, x0, top + 4, x1, top + 54, rgb(0, 160, 149));
    for (int i = 0; i < int((x1 - x0) / 16); ++i)
        fillRect(c, x0 + float(i) * 16, top + 54, x0 + float(i) * 16 + 8, top + 62, (i % 2) ? White : rgb(0, 0, 0));
    drawCentredOutlined(c, FaceBold, 34, (x0 + x1) * 0.5f, top + 44, White, rgb(0, 0, 0), 2.0f, tr("FINISH"));
}

void drawTrophy(Canvas* c, float cx, float y) {
    fillEllipse(c, cx, y, 22, 8, rgb(250, 200, 40));
    const Vec2 cup[4] = {{cx - 22, y}, {cx + 22, y}, {cx + 8, y + 34}, {cx - 8, y + 34}};
    fillPolygon(c, cup, 4, rgb(240, 180, 30));
    fillRing(c, cx - 22, y + 12, 10, 6, rgb(240, 180, 30));
    fillRing(c, cx + 22, y + 12, 10, 6, rgb(240, 180, 30));
    fillRect(c, cx - 4, y + 34, cx + 4, y + 46, rgb(200, 150, 20));
    fillRect(c, cx - 16, y + 46, cx + 16, y + 54, rgb(120, 80, 30));
}

bool writeFinish(const char* outDir, int which) {
    static const char* const Names[4] = {"Ziel/ziel1.bmp", "Ziel/ziel2.bmp", "Ziel/ziel3.bmp", "Ziel/ziel56.bmp"};
    Canvas* c = beginScreen(N_("Finish!"), N_("You made it down"), 100 + which);
    if (which == 0) {
        // The podium.
        const float xs[3] = {320, 200, 440}, hs[3] = {120, 86, 64};
        const char* places[3] = {"1", "2", "3"};
        for (int i = 0; i < 3; ++i) {
            fillRect(c, xs[i] - 60, 330 - hs[i], xs[i] + 60, 330, i == 0 ? rgb(250, 200, 40) : (i == 1 ? rgb(200, 204, 210) : rgb(200, 130, 70)));
            drawCentredOutlined(c, FaceBold, 40, xs[i], 330 - hs[i] + 48, White, rgb(0, 0, 0), 2.0f, places[i]);
        }
        drawTrophy(c, 320, 130);
        drawRider(c, 200, 244, 0.7f, 0.0f, rgb(40, 120, 200), rgb(60, 60, 60), rgb(200, 200, 200));
        drawRider(c, 440, 266, 0.7f, 0.0f, rgb(40, 160, 80), rgb(60, 60, 60), rgb(200, 200, 200));
        drawCaption(c, N_("On the podium!"), N_("What a run down the mountain."), GoCredits);
    } else if (which == 1) {
        drawFinishBanner(c, 150, 490, 120);
        drawRider(c, 320, 330, 1.2f, 0.0f, Accent, rgb(30, 40, 60), rgb(230, 230, 235));
        drawCaption(c, N_("Through the finish banner!"), N_("The whole course, from the top to the valley."), GoCredits);
    } else if (which == 2) {
        // Tired but happy: the rider standing by the bike, arms up.
        drawRider(c, 240, 330, 1.1f, 0.0f, Accent, rgb(30, 40, 60), rgb(230, 230, 235));
        drawTube(c, 420, 330, 430, 250, 16, rgb(30, 40, 60));
        drawTube(c, 444, 330, 436, 250, 16, rgb(30, 40, 60));
        fillRoundRect(c, 410, 170, 456, 256, 14, rgb(255, 122, 0));
        drawTube(c, 414, 182, 384, 120, 10, rgb(255, 122, 0));
        drawTube(c, 452, 182, 482, 120, 10, rgb(255, 122, 0));
        fillCircle(c, 433, 146, 22, rgb(230, 186, 150));
        drawTube(c, 422, 154, 444, 154, 4, rgb(120, 40, 30));
        fillCircle(c, 426, 140, 3, rgb(20, 20, 20));
        fillCircle(c, 440, 140, 3, rgb(20, 20, 20));
        for (int i = 0; i < 3; ++i) fillEllipse(c, 466.0f + float(i) * 8, 136.0f + float(i) * 10, 3, 5, rgb(140, 200, 255));
        drawCaption(c, N_("Tired but happy!"), N_("Legs like jelly - and a big grin."), GoCredits);
    } else {
        drawFinishBanner(c, 60, 300, 110);
        drawTrophy(c, 470, 150);
        for (int i = 0; i < 12; ++i) {
            const float x = 340.0f + float(i % 6) * 48, y = 260.0f + float(i / 6) * 34;
            fillCircle(c, x, y, 12, rgb(230, 186, 150));
            fillRoundRect(c, x - 16, y + 10, x + 16, y + 40, 8, i % 2 ? rgb(40, 120, 200) : rgb(200, 60, 60));
        }
        drawCaption(c, N_("The crowd cheers!"), N_("You finished the course in one piece."), GoCredits);
    }
    return finishScreen(outDir, Names[which], "", GoCredits);
}

}  // namespace

bool writeOutcomeScreens(const char* outDir) {
    bool ok = writeInjury(outDir) && writeNose(outDir);
    for (int i = 0; ok && i < 4; ++i) ok = writeDefect(outDir, i);
    for (int i = 0; ok && i < 3; ++i) ok = writeCrash(outDir, i);
    for (int i = 0; ok && i < 4; ++i) ok = writeFinish(outDir, i);
    return ok;
}
