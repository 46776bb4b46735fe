// Shop illustrations. Each item is laid out in a 300 x 300 box and scaled into the
// panel; style 0..4 varies colour and build within a category.
#include "item_pictures.h"

#include <cmath>

namespace {

struct Box {
    float ox, oy, k;
    float x(float v) const { return ox + v * k; }
    float y(float v) const { return oy + v * k; }
};

const Rgb Paint[5] = {{214, 40, 40}, {30, 110, 200}, {40, 150, 80}, {240, 190, 20}, {120, 60, 170}};
const Rgb Silver = {196, 200, 206};
const Rgb Steel = {120, 124, 132};
const Rgb Dark = {36, 38, 44};

// Detail colour of a style: signal orange or a bright yellow.
Rgb detailColour(int style) { return style % 2 ? rgb(255, 122, 0) : rgb(255, 220, 60); }

void tube(Canvas* c, const Box& b, float x0, float y0, float x1, float y1, float w, Rgb col) {
    drawTube(c, b.x(x0), b.y(y0), b.x(x1), b.y(y1), w * b.k, col);
    // A highlight along the tube makes it round.
    drawTube(c, b.x(x0), b.y(y0) - w * b.k * 0.18f, b.x(x1), b.y(y1) - w * b.k * 0.18f, w * b.k * 0.3f,
             mixRgb(col, rgb(255, 255, 255), 0.45f), 0.7f);
}

void disc(Canvas* c, const Box& b, float x, float y, float r, Rgb col) { fillCircle(c, b.x(x), b.y(y), r * b.k, col); }

void ring(Canvas* c, const Box& b, float x, float y, float ro, float ri, Rgb col) {
    fillRing(c, b.x(x), b.y(y), ro * b.k, ri * b.k, col);
}

void rect(Canvas* c, const Box& b, float x0, float y0, float x1, float y1, float r, Rgb col) {
    fillRoundRect(c, b.x(x0), b.y(y0), b.x(x1), b.y(y1), r * b.k, col);
}

void gear(Canvas* c, const Box& b, float cx, float cy, float r, int teeth, Rgb col) {
    Vec2 pts[MaxPathPoints];
    int n = 0;
    for (int i = 0; i < teeth && n + 4 <= 400; ++i) {
        const float a0 = float(i) * 6.2831853f / float(teeth);
        const float step = 6.2831853f / float(teeth);
        const float rr[4] = {r, r + 5.0f, r + 5.0f, r};
        const float aa[4] = {a0, a0 + step * 0.25f, a0 + step * 0.5f, a0 + step * 0.75f};
        for (int k = 0; k < 4; ++k) pts[n++] = Vec2{b.x(cx + rr[k] * std::cos(aa[k])), b.y(cy + rr[k] * std::sin(aa[k]))};
    }
    fillPolygon(c, pts, n, col);
}

void drawFrame(Canvas* c, const Box& b, int style) {
    const Rgb paint = Paint[style % 5];
    // Ghosted wheels show where the frame sits.
    ring(c, b, 62, 200, 58, 52, rgb(0, 0, 0));
    ring(c, b, 240, 200, 58, 52, rgb(0, 0, 0));
    const bool suspension = style < 2;
    tube(c, b, 130, 210, 120, 90, 11, paint);       // seat tube
    tube(c, b, 130, 210, 220, 84, 13, paint);       // down tube
    tube(c, b, 120, 96, 216, 80, 10, paint);        // top tube
    tube(c, b, 212, 70, 226, 112, 15, paint);       // head tube
    tube(c, b, 62, 200, 130, 210, 8, paint);        // chain stay
    tube(c, b, 62, 200, 118, 104, 7, paint);        // seat stay
    tube(c, b, 120, 90, 118, 58, 7, Silver);        // seat post
    rect(c, b, 96, 48, 146, 58, 4, Dark);           // saddle
    tube(c, b, 226, 112, 240, 200, 7, rgb(70, 70, 76));  // fork leg for scale
    if (suspension) {
        tube(c, b, 124, 120, 176, 150, 12, Dark);   // rear shock
        ring(c, b, 150, 135, 9, 5, detailColour(style));
    }
    disc(c, b, 130, 210, 10, Silver);               // bottom bracket
    disc(c, b, 62, 200, 6, Silver);                 // dropout
    for (int i = 0; i < 3; ++i) disc(c, b, 120.0f, 96.0f, 5.0f - float(i), i % 2 ? paint : Silver);
}

void drawFork(Canvas* c, const Box& b, int style) {
    const Rgb paint = Paint[(style + 1) % 5];
    const bool dual = style == 0 || style == 4;
    tube(c, b, 150, 10, 150, 80, 16, Dark);         // steerer
    // Stanchions and lowers, seen from the front.
    for (int side = 0; side < 2; ++side) {
        const float x = side == 0 ? 100.0f : 200.0f;
        tube(c, b, x, dual ? 30 : 80, x, 190, 18, Silver);
        rect(c, b, x - 15, 170, x + 15, 276, 12, paint);
        rect(c, b, x - 9, 176, x - 3, 268, 3, mixRgb(paint, rgb(255, 255, 255), 0.4f));
        disc(c, b, x, 278, 11, Dark);
    }
    rect(c, b, 80, 70, 220, 100, 12, paint);        // lower crown
    if (dual) rect(c, b, 84, 20, 216, 44, 10, paint);  // upper crown
    rect(c, b, 100, 168, 200, 182, 6, paint);       // brace
    disc(c, b, 110, 60, 6, detailColour(style));
}

void drawBrake(Canvas* c, const Box& b, int style) {
    const Rgb paint = Paint[(style + 2) % 5];
    ring(c, b, 140, 160, 110, 80, Silver);
    for (int i = 0; i < 12 + style * 2; ++i) {
        const float a = float(i) * 6.2831853f / float(12 + style * 2);
        disc(c, b, 140 + 95 * std::cos(a), 160 + 95 * std::sin(a), 5, rgb(60, 64, 70));
    }
    for (int i = 0; i < 5; ++i) {
        const float a = float(i) * 1.2566f + 0.3f;
        tube(c, b, 140 + 30 * std::cos(a), 160 + 30 * std::sin(a), 140 + 82 * std::cos(a + 0.35f),
             160 + 82 * std::sin(a + 0.35f), 12, Steel);
    }
    ring(c, b, 140, 160, 32, 16, Steel);
    disc(c, b, 140, 160, 16, Dark);
    // Calliper gripping the rotor at its top right, the hose running up to the lever.
    rect(c, b, 190, 50, 262, 110, 14, paint);
    rect(c, b, 200, 60, 252, 72, 4, mixRgb(paint, rgb(255, 255, 255), 0.4f));
    disc(c, b, 206, 96, 5, Silver);
    disc(c, b, 246, 96, 5, Silver);
    tube(c, b, 250, 56, 272, 20, 5, Dark);
    tube(c, b, 272, 20, 220, 8, 5, Dark);
    rect(c, b, 180, 0, 226, 18, 6, paint);
    tube(c, b, 182, 10, 112, 30, 8, Steel);         // lever blade
}

void drawDrive(Canvas* c, const Box& b, int style) {
    const Rgb metal = style == 0 ? rgb(70, 72, 80) : (style == 1 ? Silver : rgb(210, 180, 110));
    // Chain around cassette and chainring.
    const Vec2 chain[8] = {{b.x(70), b.y(92)}, {b.x(220), b.y(120)}, {b.x(252), b.y(150)}, {b.x(220), b.y(200)},
                           {b.x(160), b.y(214)}, {b.x(90), b.y(240)}, {b.x(52), b.y(214)}, {b.x(46), b.y(130)}};
    strokePolyline(c, chain, 8, 7 * b.k, Dark, true);
    gear(c, b, 220, 160, 46, 32, metal);
    ring(c, b, 220, 160, 34, 16, scaleRgb(metal, 0.8f));
    disc(c, b, 220, 160, 12, Dark);
    for (int i = 0; i < 5; ++i) gear(c, b, 78, 150, 52.0f - float(i) * 9.0f, 28 - i * 4, scaleRgb(metal, 1.0f - float(i) * 0.07f));
    disc(c, b, 78, 150, 10, Dark);
    // Rear derailleur: cage and two jockey wheels below the cassette.
    rect(c, b, 70, 196, 98, 270, 10, Paint[style % 5]);
    gear(c, b, 84, 206, 9, 11, Steel);
    gear(c, b, 84, 258, 9, 11, Steel);
    tube(c, b, 84, 196, 100, 170, 9, Paint[style % 5]);
    tube(c, b, 220, 160, 262, 222, 10, metal);      // crank arm
    rect(c, b, 248, 218, 290, 232, 4, Dark);        // pedal
}

void drawHelmet(Canvas* c, const Box& b) {
    const Rgb shell = Paint[0];
    fillEllipse(c, b.x(150), b.y(140), 118 * b.k, 100 * b.k, shell);
    fillEllipse(c, b.x(140), b.y(118), 80 * b.k, 46 * b.k, mixRgb(shell, rgb(255, 255, 255), 0.25f), 0.6f);
    rect(c, b, 150, 160, 270, 250, 30, shell);      // chin bar
    rect(c, b, 160, 132, 258, 182, 20, Dark);       // eye port
    rect(c, b, 40, 40, 270, 70, 12, rgb(30, 30, 34));  // visor
    for (int i = 0; i < 4; ++i) rect(c, b, 180 + float(i) * 18, 204, 190 + float(i) * 18, 236, 4, Dark);
    rect(c, b, 60, 200, 140, 226, 8, rgb(255, 255, 255));
}

void drawGloves(Canvas* c, const Box& b) {
    for (int g = 0; g < 2; ++g) {
        const float ox = g == 0 ? 10.0f : 150.0f;
        const Rgb col = g == 0 ? Paint[1] : scaleRgb(Paint[1], 0.8f);
        rect(c, b, ox + 20, 120, ox + 120, 230, 26, col);
        for (int f = 0; f < 4; ++f)
            tube(c, b, ox + 32 + float(f) * 24, 126, ox + 32 + float(f) * 24, 44 + float(f == 0 || f == 3) * 16, 20, col);
        tube(c, b, ox + 116, 180, ox + 140, 130, 20, col);
        rect(c, b, ox + 16, 226, ox + 124, 262, 8, Dark);
        for (int f = 0; f < 4; ++f) rect(c, b, ox + 24 + float(f) * 24, 104, ox + 40 + float(f) * 24, 118, 4, Dark);
    }
}

void drawArmour(Canvas* c, const Box& b) {
    const Rgb plate = rgb(50, 54, 62);
    rect(c, b, 60, 40, 240, 270, 40, rgb(30, 32, 36));
    for (int i = 0; i < 5; ++i) rect(c, b, 115, 50 + float(i) * 42, 185, 86 + float(i) * 42, 10, plate);
    rect(c, b, 66, 56, 132, 120, 24, Paint[2]);     // shoulders
    rect(c, b, 168, 56, 234, 120, 24, Paint[2]);
    rect(c, b, 70, 140, 112, 240, 16, plate);        // ribs
    rect(c, b, 188, 140, 230, 240, 16, plate);
    for (int i = 0; i < 5; ++i) rect(c, b, 130, 58 + float(i) * 42, 170, 64 + float(i) * 42, 3, rgb(140, 146, 156));
}

void drawTrousers(Canvas* c, const Box& b) {
    const Rgb cloth = rgb(46, 58, 80);
    const Vec2 legs[8] = {{b.x(70), b.y(20)}, {b.x(230), b.y(20)}, {b.x(250), b.y(280)}, {b.x(176), b.y(280)},
                          {b.x(152), b.y(110)}, {b.x(148), b.y(110)}, {b.x(124), b.y(280)}, {b.x(50), b.y(280)}};
    fillPolygon(c, legs, 8, cloth);
    rect(c, b, 66, 14, 234, 40, 6, Dark);
    rect(c, b, 62, 150, 118, 220, 16, Paint[3]);     // knee pads
    rect(c, b, 182, 150, 238, 220, 16, Paint[3]);
    rect(c, b, 76, 60, 110, 100, 6, rgb(70, 84, 110));
}

}  // namespace

void drawItemPicture(Canvas* c, ItemKind kind, int style, float x0, float y0, float x1, float y1) {
    const float size = std::fmin(x1 - x0, y1 - y0) - 20.0f;
    const Box b{(x0 + x1) * 0.5f - size * 0.5f, (y0 + y1) * 0.5f - size * 0.5f, size / 300.0f};
    switch (kind) {
    case ItemFrame: drawFrame(c, b, style); break;
    case ItemFork: drawFork(c, b, style); break;
    case ItemBrake: drawBrake(c, b, style); break;
    case ItemDrive: drawDrive(c, b, style); break;
    case ItemHelmet: drawHelmet(c, b); break;
    case ItemGloves: drawGloves(c, b); break;
    case ItemArmour: drawArmour(c, b); break;
    case ItemTrousers: drawTrousers(c, b); break;
    }
}

// Detail colour of a style: the accent for most, a bright contrast for the rest.
Rgb Accent(int style) { return style % 2 ? rgb(255, 122, 0) : rgb(255, 220, 60); }
