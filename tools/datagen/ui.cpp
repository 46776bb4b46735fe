// Scenery, bands, key caps and the rider: the pieces every screen is built from.
#include "ui.h"

#include "lang/translation.h"

#include <cmath>

const Rgb Accent = {255, 122, 0};
const Rgb White = {255, 255, 255};
const Rgb Ink = {24, 26, 30};
const Rgb Navy = {16, 26, 46};
const Rgb PanelLight = {246, 244, 236};
const Rgb PanelEdge = {150, 140, 120};

const ReservedColours* screenReserved() {
    static const ReservedColours reserved = {6, {White, Accent, PanelLight, Navy, Ink, PanelEdge}};
    return &reserved;
}

void drawSky(Canvas* c, int y0, int y1) {
    const int mid = y0 + (y1 - y0) * 2 / 3;
    gradientRect(c, 0, y0, c->width, mid, rgb(28, 62, 132), rgb(96, 150, 206));
    gradientRect(c, 0, mid, c->width, y1, rgb(96, 150, 206), rgb(214, 228, 236));
}

namespace {

void ridge(Canvas* c, int baseY, float height, float period, Rgb colour, int seed, bool snow) {
    Vec2 pts[700];
    int n = 0;
    const int w = c->width;
    float tops[700];
    for (int x = 0; x <= w; x += 2) {
        const float fx = float(x);
        float h = valueNoise(fx, 0.0f, period, seed) * 0.65f + valueNoise(fx, 7.0f, period * 0.35f, seed + 1) * 0.25f +
                  valueNoise(fx, 3.0f, period * 0.1f, seed + 2) * 0.1f;
        const float y = float(baseY) - h * height;
        tops[n] = y;
        pts[n++] = Vec2{fx, y};
    }
    const int ridgeCount = n;
    pts[n++] = Vec2{float(w), float(c->height)};
    pts[n++] = Vec2{0.0f, float(c->height)};
    fillPolygon(c, pts, n, colour);
    if (!snow) return;
    // Snow on the peaks: everything above a line a little below the highest points.
    float highest = tops[0];
    for (int i = 1; i < ridgeCount; ++i) highest = std::fmin(highest, tops[i]);
    const float snowLine = highest + height * 0.22f;
    for (int i = 0; i < ridgeCount; ++i) {
        const float x = pts[i].x;
        const float line = snowLine + (valueNoise(x, 11.0f, 9.0f, seed + 5) - 0.5f) * 8.0f;
        for (int y = int(tops[i]); y < int(line); ++y) {
            blendPixel(c, int(x), y, rgb(240, 244, 250), 0.9f);
            blendPixel(c, int(x) + 1, y, rgb(240, 244, 250), 0.9f);
        }
    }
}

}  // namespace

void drawMountains(Canvas* c, int baseY, int seed) {
    ridge(c, baseY, 150.0f, 160.0f, rgb(150, 170, 196), seed, true);
    ridge(c, baseY + 14, 105.0f, 120.0f, rgb(104, 126, 158), seed + 10, false);
    ridge(c, baseY + 28, 70.0f, 90.0f, rgb(70, 90, 120), seed + 20, false);
}

void drawPine(Canvas* c, float x, float baseY, float height, Rgb colour) {
    const float w = height * 0.36f;
    drawBar(c, x, baseY, x, baseY - height * 0.2f, height * 0.06f, scaleRgb(colour, 0.7f));
    for (int tier = 0; tier < 3; ++tier) {
        const float bottom = baseY - height * (0.12f + 0.26f * float(tier));
        const float top = bottom - height * 0.5f;
        const float half = w * (1.0f - 0.25f * float(tier));
        const Vec2 pts[3] = {{x - half, bottom}, {x + half, bottom}, {x, top}};
        fillPolygon(c, pts, 3, colour);
    }
}

void drawForestLine(Canvas* c, int baseY, float height, Rgb colour, int seed) {
    fillRect(c, 0, float(baseY) - height * 0.15f, float(c->width), float(baseY) + 2.0f, colour);
    for (int i = 0; i < 64; ++i) {
        const float x = float(i) * 10.5f + hashNoise(i, 1, seed) * 8.0f;
        const float h = height * (0.6f + 0.5f * hashNoise(i, 2, seed));
        drawPine(c, x, float(baseY), h, colour);
    }
}

void drawMeadowAndTrail(Canvas* c, int y0, int seed) {
    gradientRect(c, 0, y0, c->width, c->height, rgb(84, 140, 60), rgb(46, 104, 34));
    for (int y = y0; y < c->height; ++y)
        for (int x = 0; x < c->width; ++x) {
            const float n = valueNoise(float(x), float(y) * 2.0f, 14.0f, seed) - 0.5f;
            blendPixel(c, x, y, n > 0 ? rgb(120, 170, 70) : rgb(30, 80, 26), std::fabs(n) * 0.5f);
        }
    // The trail: narrow at the horizon, wide at the bottom, swinging left and right.
    Vec2 left[64], right[64];
    const int steps = 40;
    const float span = float(c->height - y0);
    for (int i = 0; i < steps; ++i) {
        const float t = float(i) / float(steps - 1);
        const float y = float(y0) + t * t * span;
        const float centre = float(c->width) * 0.5f + std::sin(t * 5.0f + 0.6f) * 90.0f * t;
        const float half = 6.0f + t * 110.0f;
        left[i] = Vec2{centre - half, y};
        right[i] = Vec2{centre + half, y};
    }
    Vec2 pts[128];
    int n = 0;
    for (int i = 0; i < steps; ++i) pts[n++] = left[i];
    for (int i = steps - 1; i >= 0; --i) pts[n++] = right[i];
    fillPolygon(c, pts, n, rgb(150, 116, 80));
    // Tyre ruts and stones.
    for (int i = 0; i < 300; ++i) {
        const float t = hashNoise(i, 3, seed);
        const int k = int(t * float(steps - 1));
        const float along = hashNoise(i, 4, seed);
        const float x = left[k].x + (right[k].x - left[k].x) * along;
        const float r = 0.5f + t * 2.5f;
        fillEllipse(c, x, left[k].y, r * 1.6f, r, hashNoise(i, 5, seed) > 0.5f ? rgb(186, 160, 124) : rgb(112, 84, 58));
    }
}

void drawAlpineScene(Canvas* c, int horizonY, int seed) {
    drawSky(c, 0, horizonY);
    drawMountains(c, horizonY, seed);
    drawForestLine(c, horizonY + 34, 34.0f, rgb(22, 58, 40), seed + 3);
    drawMeadowAndTrail(c, horizonY + 34, seed + 4);
}

namespace {

struct Pose {
    float ox, oy, scale, cs, sn;
    Vec2 at(float x, float y) const {
        // Local x forward, y up; the figure is turned by the angle about the origin.
        const float lx = x * scale, ly = -y * scale;
        return Vec2{ox + lx * cs - ly * sn, oy + lx * sn + ly * cs};
    }
};

void tube(Canvas* c, const Pose& p, float x0, float y0, float x1, float y1, float w, Rgb col) {
    const Vec2 a = p.at(x0, y0), b = p.at(x1, y1);
    drawTube(c, a.x, a.y, b.x, b.y, w * p.scale, col);
}

}  // namespace

void drawRider(Canvas* c, float x, float y, float scale, float angle, Rgb bike, Rgb body, Rgb helmet) {
    const Pose p{x, y, scale, std::cos(angle), std::sin(angle)};
    // Wheels.
    for (int i = 0; i < 2; ++i) {
        const Vec2 hub = p.at(i == 0 ? -38.0f : 38.0f, 22.0f);
        fillRing(c, hub.x, hub.y, 22.0f * scale, 17.0f * scale, rgb(20, 20, 22));
        fillRing(c, hub.x, hub.y, 17.5f * scale, 16.0f * scale, rgb(120, 120, 126));
        for (int s = 0; s < 8; ++s) {
            const float a = float(s) * 0.785398f;
            const Vec2 rim = p.at((i == 0 ? -38.0f : 38.0f) + 16.5f * std::cos(a), 22.0f + 16.5f * std::sin(a));
            drawTube(c, hub.x, hub.y, rim.x, rim.y, 0.8f * scale, rgb(150, 150, 156));
        }
        fillCircle(c, hub.x, hub.y, 2.5f * scale, rgb(60, 60, 64));
    }
    // Frame: rear axle, bottom bracket, seat, head tube, fork to the front axle.
    tube(c, p, -38, 22, -4, 18, 3.2f, bike);
    tube(c, p, -4, 18, -12, 52, 3.6f, bike);
    tube(c, p, -38, 22, -12, 48, 3.0f, bike);
    tube(c, p, -4, 18, 26, 50, 4.2f, bike);
    tube(c, p, -12, 48, 25, 53, 3.8f, bike);
    tube(c, p, 26, 54, 38, 22, 3.4f, rgb(40, 40, 44));
    tube(c, p, 24, 58, 28, 64, 3.0f, rgb(40, 40, 44));
    tube(c, p, 20, 66, 36, 64, 3.0f, rgb(30, 30, 30));  // bar
    tube(c, p, -18, 56, -6, 56, 3.0f, rgb(30, 30, 30));  // saddle
    // Rider: legs to the pedals, torso leaning over the bar, arms, head.
    tube(c, p, -10, 62, 8, 42, 7.0f, body);
    tube(c, p, 8, 42, 0, 16, 6.0f, body);
    tube(c, p, -10, 62, 14, 38, 7.0f, scaleRgb(body, 0.8f));
    tube(c, p, 14, 38, 8, 20, 6.0f, scaleRgb(body, 0.8f));
    tube(c, p, -10, 62, 14, 86, 11.0f, body);
    tube(c, p, 14, 84, 32, 66, 5.0f, body);
    const Vec2 head = p.at(22, 96);
    fillCircle(c, head.x, head.y, 8.5f * scale, rgb(230, 186, 150));
    fillEllipse(c, head.x - 1.0f * scale, head.y - 2.5f * scale, 10.0f * scale, 8.0f * scale, helmet);
    tube(c, p, 28, 94, 34, 92, 3.0f, helmet);
}

void drawHeaderBand(Canvas* c) {
    gradientRect(c, 0, 0, c->width, HeaderHeight, rgb(20, 32, 58), rgb(10, 16, 30));
    fillRect(c, 0, float(HeaderHeight), float(c->width), float(HeaderHeight + 3), Accent);
}

void drawFooterBand(Canvas* c) {
    fillRect(c, 0, float(FooterTop - 3), float(c->width), float(FooterTop), Accent);
    gradientRect(c, 0, FooterTop, c->width, c->height, rgb(20, 32, 58), rgb(10, 16, 30));
}

void drawHeader(Canvas* c, const char* title, const char* note) {
    drawHeaderBand(c);
    title = tr(title);
    drawOutlined(c, FaceBold, 30, 18, 40, White, rgb(0, 0, 0), 2.0f, title);
    if (note) {
        note = tr(note);
        const float w = textWidth(FaceCondensed, 18, note);
        requireRoom(FaceCondensed, 18, note, float(c->width) - 54.0f - textWidth(FaceBold, 30, title));
        drawString(c, FaceCondensed, 18, float(c->width) - 18.0f - w, 36, rgb(255, 196, 140), note);
    }
}

float drawKeyCap(Canvas* c, float x, float y, const char* key, int size) {
    key = tr(key);
    const float tw = textWidth(FaceCondensed, size, key);
    const float w = std::fmax(tw + 14.0f, float(size) + 12.0f);
    const float h = float(size) + 12.0f;
    fillRoundRect(c, x + 1, y + 3, x + w + 1, y + h + 3, 5, rgb(0, 0, 0), 0.5f);
    fillRoundRect(c, x, y, x + w, y + h, 5, rgb(120, 124, 132));
    fillRoundRect(c, x + 2, y + 1, x + w - 2, y + h - 4, 4, rgb(236, 238, 242));
    drawString(c, FaceCondensed, size, x + (w - tw) * 0.5f, y + float(size) + 2.0f, Ink, key);
    return w;
}

float drawKeyLine(Canvas* c, float x, float y, const char* key, const char* text, int size, Rgb textColour) {
    const float w = drawKeyCap(c, x, y, key, size);
    const float tx = x + w + 8.0f;
    text = tr(text);
    drawString(c, FaceCondensed, size, tx, y + float(size) + 2.0f, textColour, text);
    return tx + textWidth(FaceCondensed, size, text);
}

void drawFooter(Canvas* c, const char* const* keys, const char* const* labels, int count) {
    drawFooterBand(c);
    float total = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float cap = std::fmax(textWidth(FaceCondensed, 16, tr(keys[i])) + 14.0f, 28.0f);
        total += cap + 8.0f + textWidth(FaceCondensed, 16, tr(labels[i])) + (i + 1 < count ? 26.0f : 0.0f);
    }
    if (total > float(c->width) - 16.0f) reportOverflow("the footer's keys", total, float(c->width) - 16.0f);
    float x = (float(c->width) - total) * 0.5f;
    for (int i = 0; i < count; ++i)
        x = drawKeyLine(c, x, float(FooterTop) + 8.0f, keys[i], labels[i], 16, White) + 26.0f;
}

void drawLightPanel(Canvas* c, float x0, float y0, float x1, float y1) {
    fillRoundRect(c, x0 + 2, y0 + 3, x1 + 2, y1 + 3, 5, rgb(0, 0, 0), 0.35f);
    fillRoundRect(c, x0, y0, x1, y1, 5, PanelEdge);
    fillRoundRect(c, x0 + 2, y0 + 2, x1 - 2, y1 - 2, 4, PanelLight);
}

void drawDarkPanel(Canvas* c, float x0, float y0, float x1, float y1, float alpha) {
    fillRoundRect(c, x0, y0, x1, y1, 8, rgb(8, 14, 28), alpha);
    strokeRoundRect(c, x0, y0, x1, y1, 8, 2, rgb(255, 255, 255), 0.25f);
}
