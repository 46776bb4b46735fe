// The twenty shop pages: one template, a table of the catalogue's items, and per
// category the places where the game writes its balance line (each gets a light panel).
#include <cstdio>

#include "generators.h"
#include "item_pictures.h"
#include "lang/translation.h"
#include "ui.h"

namespace {

struct Rect {
    float x0, y0, x1, y1;
};

struct ShopCategory {
    const char* title;
    const char* adds;        // what the bonus goes to
    const char* hint;        // one line about the category
    const char* escLabel;
    Rect picture;            // illustration panel
    Rect stats;              // stats box
    int panelCount;
    Rect panels[2];          // light panels under the balance line positions
    bool titleRight;         // header title at the right end (the top-left holds a panel)
};

// Each balance panel holds 26 characters of the 12 x 20 font from the text position on.
const ShopCategory Categories[5] = {
    {N_("FRAMES"), N_("Condition"), N_("The frame carries everything: a stiffer one takes more knocks."), N_("Menu"),
     {20, 72, 402, 426}, {414, 72, 620, 426}, 1, {{-10, -10, 338, 30}}, true},
    {N_("FORKS"), N_("Condition"), N_("Suspension up front keeps the wheel on the trail."), N_("Back"),
     {20, 72, 382, 426}, {394, 72, 620, 276}, 2, {{-10, -10, 328, 28}, {462, 284, 632, 338}}, true},
    {N_("BRAKES"), N_("Condition"), N_("Good brakes save the bike in every corner."), N_("Back"),
     {20, 72, 216, 426}, {228, 72, 620, 222}, 1, {{229, 229, 563, 261}}, false},
    {N_("DRIVE-TRAIN"), N_("Condition"), N_("Gears, chain and shifter: the heart of the bike."), N_("Back"),
     {20, 186, 400, 426}, {412, 72, 620, 426}, 1, {{26, 144, 360, 176}}, false},
    {N_("PROTECTORS"), N_("Health"), N_("Each piece of armour adds to your health."), N_("Back"),
     {20, 72, 402, 426}, {414, 72, 620, 426}, 1, {{-10, -10, 332, 28}}, true},
};

struct ShopItem {
    int screen;
    const char* file;
    int category;   // 0..4 into Categories
    ItemKind kind;
    int style;
    const char* name;
    const char* kindLine;
    int price;
    int bonus;      // 0: none
    int left, right, up, down;  // neighbour pages in the category's grid, 0 = none
};

const ShopItem Items[20] = {
    {3, "Images/Frame_SA.bmp", 0, ItemFrame, 0, "Granite DH", N_("full-suspension frame"), 1900, 30, 0, 4, 0, 5},
    {4, "Images/Frame_M1.bmp", 0, ItemFrame, 1, "Avalanche Pro", N_("full-suspension frame"), 2750, 50, 3, 0, 0, 6},
    {5, "Images/Frame_Turner.bmp", 0, ItemFrame, 2, "Pinewood Trail", N_("hardtail frame"), 1700, 10, 0, 6, 3, 0},
    {6, "Images/Frame_K2.bmp", 0, ItemFrame, 3, "Foothill Basic", N_("hardtail frame"), 1500, 0, 5, 0, 4, 0},
    {7, "Images/Forks256_MonsterT.bmp", 1, ItemFork, 0, "Summit 180", N_("dual-crown fork"), 1450, 25, 0, 8, 0, 10},
    {8, "Images/Forks256_Xvert.bmp", 1, ItemFork, 1, "Vertex 160", N_("single-crown fork"), 1200, 18, 7, 9, 0, 0},
    {9, "Images/Forks256_MrT.bmp", 1, ItemFork, 2, "Timber 130", N_("single-crown fork"), 900, 5, 8, 0, 0, 11},
    {10, "Images/Forks256_Hi5.bmp", 1, ItemFork, 3, "Meadow 127", N_("single-crown fork"), 700, 0, 0, 11, 7, 0},
    {11, "Images/Forks256_XXL.bmp", 1, ItemFork, 4, "Boulder 150", N_("dual-crown fork"), 1000, 10, 10, 0, 9, 0},
    {12, "Images/Brakes256_Hayes.bmp", 2, ItemBrake, 0, "Anchor Four", N_("hydraulic disc brakes"), 500, 20, 0, 13, 0, 14},
    {13, "Images/Brakes256_ProStop.bmp", 2, ItemBrake, 1, "Grip Two", N_("hydraulic disc brakes"), 350, 10, 12, 0, 0, 15},
    {14, "Images/Brakes256_GustavM.bmp", 2, ItemBrake, 2, "Stopper Max", N_("big-rotor disc brakes"), 700, 30, 0, 15, 12, 0},
    {15, "Images/Brakes256_XTR.bmp", 2, ItemBrake, 3, "Light Stop", N_("cable disc brakes"), 150, 0, 14, 0, 13, 0},
    {16, "Images/Components256_XTR.bmp", 3, ItemDrive, 0, "Ridge Race", N_("top drive-train group"), 2500, 100, 0, 0, 0, 17},
    {17, "Images/Components256_XT.bmp", 3, ItemDrive, 1, "Ridge Sport", N_("mid drive-train group"), 2000, 60, 0, 0, 16, 18},
    {18, "Images/Components256_LX.bmp", 3, ItemDrive, 2, "Ridge Trail", N_("basic drive-train group"), 1500, 25, 0, 0, 17, 0},
    {19, "Images/Protector_Helm.bmp", 4, ItemHelmet, 0, N_("Full-face Helmet"), N_("head protection"), 400, 50, 0, 20, 0, 21},
    {20, "Images/Protector_Gloves.bmp", 4, ItemGloves, 0, N_("Grip Gloves"), N_("hand protection"), 40, 15, 19, 0, 0, 22},
    {21, "Images/Protector_Turtle.bmp", 4, ItemArmour, 0, N_("Body Armour"), N_("back and chest plates"), 450, 75, 0, 22, 19, 0},
    {22, "Images/Protector_Hose.bmp", 4, ItemTrousers, 0, N_("Padded Trousers"), N_("knee and hip pads"), 200, 30, 21, 0, 20, 0},
};

// An orange arrow at the middle of a panel edge: dx, dy point out of the panel.
void drawNavArrow(Canvas* c, float cx, float cy, float dx, float dy) {
    const float s = 14.0f;
    const Vec2 tip{cx + dx * s, cy + dy * s};
    const Vec2 a{cx - dy * s - dx * 4.0f, cy + dx * s - dy * 4.0f};
    const Vec2 b{cx + dy * s - dx * 4.0f, cy - dx * s - dy * 4.0f};
    const Vec2 outline[3] = {{tip.x + dx * 3, tip.y + dy * 3}, {a.x - dy * 3 - dx * 2, a.y + dx * 3 - dy * 2},
                             {b.x + dy * 3 - dx * 2, b.y - dx * 3 - dy * 2}};
    fillPolygon(c, outline, 3, rgb(10, 16, 30));
    const Vec2 pts[3] = {tip, a, b};
    fillPolygon(c, pts, 3, Accent);
}

void drawPictureCard(Canvas* c, const ShopItem& item, const Rect& r) {
    fillRoundRect(c, r.x0 + 3, r.y0 + 4, r.x1 + 3, r.y1 + 4, 10, rgb(0, 0, 0), 0.4f);
    fillRoundRect(c, r.x0, r.y0, r.x1, r.y1, 10, rgb(200, 206, 214));
    gradientRect(c, int(r.x0) + 3, int(r.y0) + 3, int(r.x1) - 3, int(r.y1) - 3, rgb(238, 242, 246), rgb(196, 206, 218));
    // A floor shadow under the item.
    fillEllipse(c, (r.x0 + r.x1) * 0.5f, r.y1 - 24.0f, (r.x1 - r.x0) * 0.36f, 8.0f, rgb(0, 0, 0), 0.18f);
    drawItemPicture(c, item.kind, item.style, r.x0 + 12, r.y0 + 12, r.x1 - 12, r.y1 - 20);
    const float mx = (r.x0 + r.x1) * 0.5f, my = (r.y0 + r.y1) * 0.5f;
    if (item.left) drawNavArrow(c, r.x0 + 10, my, -1, 0);
    if (item.right) drawNavArrow(c, r.x1 - 10, my, 1, 0);
    if (item.up) drawNavArrow(c, mx, r.y0 + 10, 0, -1);
    if (item.down) drawNavArrow(c, mx, r.y1 - 10, 0, 1);
}

void drawStats(Canvas* c, const ShopItem& item, const ShopCategory& cat, const Rect& r, int place, int places) {
    drawDarkPanel(c, r.x0, r.y0, r.x1, r.y1, 0.86f);
    const float x = r.x0 + 14.0f, room = r.x1 - 8.0f - x;
    const bool compact = r.y1 - r.y0 < 260.0f;
    float y = r.y0 + 30.0f;
    char line[96];
    std::snprintf(line, sizeof line, tr("Item %d of %d"), place, places);
    drawString(c, FaceCondensed, 14, x, y - 6, rgb(170, 186, 210), line);
    y += 22.0f;
    // A long name may reach past the box, not past the picture.
    requireRoom(FaceBold, 22, tr(item.name), float(c->width) - 4.0f - x);
    drawOutlined(c, FaceBold, 22, x, y, White, rgb(0, 0, 0), 1.5f, tr(item.name));
    y += 22.0f;
    requireRoom(FaceRegular, 14, tr(item.kindLine), room);
    drawString(c, FaceRegular, 14, x, y, rgb(200, 214, 232), tr(item.kindLine));
    y += compact ? 30.0f : 44.0f;
    std::snprintf(line, sizeof line, "%d $", item.price);
    if (compact) {
        drawString(c, FaceCondensed, 16, x, y, rgb(170, 186, 210), tr("Price"));
        drawOutlined(c, FaceBold, 24, x + 56, y + 2, Accent, rgb(0, 0, 0), 1.5f, line);
        if (item.bonus) std::snprintf(line, sizeof line, "%s +%d", tr(cat.adds), item.bonus);
        else std::snprintf(line, sizeof line, "%s", tr("No bonus"));
        requireRoom(FaceCondensed, 20, line, room);
        drawString(c, FaceCondensed, 20, x, y + 32, item.bonus ? rgb(120, 230, 120) : rgb(190, 190, 190), line);
        return;
    }
    drawString(c, FaceCondensed, 16, x, y, rgb(170, 186, 210), tr("Price"));
    y += 34.0f;
    drawOutlined(c, FaceBold, 32, x, y, Accent, rgb(0, 0, 0), 1.5f, line);
    y += 40.0f;
    drawString(c, FaceCondensed, 16, x, y, rgb(170, 186, 210), tr("Adds"));
    y += 28.0f;
    if (item.bonus) std::snprintf(line, sizeof line, "%s +%d", tr(cat.adds), item.bonus);
    else std::snprintf(line, sizeof line, "%s", tr("No bonus"));
    requireRoom(FaceBold, 20, line, room);
    drawString(c, FaceBold, 20, x, y, item.bonus ? rgb(120, 230, 120) : rgb(190, 190, 190), line);
    y += 36.0f;
    if (y + 60.0f < r.y1) {
        const float buyEnd = drawKeyLine(c, x, y, "Enter", N_("buy it"), 15, White);
        const float escEnd = drawKeyLine(c, x, y + 34.0f, "Esc", cat.escLabel, 15, White);
        if (buyEnd > x + room || escEnd > x + room) reportOverflow("the stats box's keys", buyEnd > escEnd ? buyEnd - x : escEnd - x, room);
    }
}

bool writePage(const char* outDir, const ShopItem& item) {
    const ShopCategory& cat = Categories[item.category];
    int place = 0, places = 0;
    for (const ShopItem& other : Items) {
        if (other.category != item.category) continue;
        ++places;
        if (other.screen <= item.screen) ++place;
    }
    Canvas* c = screenCanvas();
    resetCanvas(c, ScreenWidth, ScreenHeight, rgb(0, 0, 0));
    drawAlpineScene(c, 250, 60 + item.category);
    // Header: the category and the page's place in it.
    gradientRect(c, 0, 0, c->width, HeaderHeight, rgb(20, 32, 58), rgb(10, 16, 30));
    fillRect(c, 0, float(HeaderHeight), float(c->width), float(HeaderHeight + 3), Accent);
    char title[64];
    std::snprintf(title, sizeof title, "%s %d/%d", tr(cat.title), place, places);
    const float tw = textWidth(FaceBold, 28, title);
    drawOutlined(c, FaceBold, 28, cat.titleRight ? 622.0f - tw : 18.0f, 40, White, rgb(0, 0, 0), 2.0f, title);
    if (!cat.titleRight) {
        requireRoom(FaceRegular, 13, tr(cat.hint), 622.0f - 30.0f - tw);
        drawString(c, FaceRegular, 13, 30.0f + tw, 38, rgb(200, 214, 232), tr(cat.hint));
    }

    drawPictureCard(c, item, cat.picture);
    drawStats(c, item, cat, cat.stats, place, places);
    if (item.category == 2) {
        // Brakes: a key box under the balance line in the middle of the page.
        drawDarkPanel(c, 228, 272, 620, 426, 0.86f);
        requireRoom(FaceRegular, 14, tr(cat.hint), 604.0f - 244.0f);
        drawString(c, FaceRegular, 14, 244, 298, rgb(200, 214, 232), tr(cat.hint));
        const char* const lines[3][2] = {{"Enter", N_("buy and go on to the drive-train")},
                                         {"Esc", N_("back to the forks (refunds the fork)")},
                                         {"\xE2\x86\x90\xE2\x86\x92\xE2\x86\x91\xE2\x86\x93", N_("other brakes")}};
        for (int i = 0; i < 3; ++i) {
            const float end = drawKeyLine(c, 244, 312.0f + 34.0f * float(i), lines[i][0], lines[i][1], 15, White);
            if (end > 604.0f) reportOverflow(tr(lines[i][1]), end - 244.0f, 604.0f - 244.0f);
        }
    }
    if (item.category == 3) {
        drawDarkPanel(c, 20, 72, 400, 134, 0.86f);
        const char* const lines[2] = {tr(cat.hint), tr("Esc goes back to the brakes and refunds them.")};
        for (int i = 0; i < 2; ++i) {
            requireRoom(FaceRegular, 14, lines[i], 392.0f - 34.0f);
            drawString(c, FaceRegular, 14, 34, 96.0f + 24.0f * float(i), rgb(200, 214, 232), lines[i]);
        }
    }
    for (int i = 0; i < cat.panelCount; ++i) {
        const Rect& p = cat.panels[i];
        drawLightPanel(c, p.x0, p.y0, p.x1, p.y1);
    }
    const char* keys[] = {"\xE2\x86\x90\xE2\x86\x92\xE2\x86\x91\xE2\x86\x93", "Enter", "Esc"};
    const char* labels[] = {N_("Browse"), N_("Buy"), item.category == 0 ? N_("Back to menu") : N_("Back & refund")};
    drawFooter(c, keys, labels, 3);
    return writeScreen(outDir, item.file, c, screenReserved());
}

}  // namespace

bool writeShopPages(const char* outDir) {
    for (const ShopItem& item : Items)
        if (!writePage(outDir, item)) return false;
    return true;
}
