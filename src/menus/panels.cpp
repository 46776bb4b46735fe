#include "menus/panels.h"
#include "lang/translation.h"

#include <cstring>

namespace {

constexpr int HintGap = 7;     // between a cap and its meaning
constexpr int FooterGap = 22;  // between two keys of the footer, less when they are many
constexpr int FooterMinGap = 10;

int clampTo(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

// Rows near a corner start and end a little inside: rounded corners of two pixels.
int cornerInset(int row, int top, int bottom) {
    const int fromEdge = row - top < bottom - row ? row - top : bottom - row;
    return fromEdge == 0 ? 2 : fromEdge == 1 ? 1 : 0;
}

// Calls paint(pixel) for every page pixel of the rounded box that lies on the page.
template <typename Paint>
void forRoundedBox(DisplayContext* page, int left, int top, int right, int bottom, Paint paint) {
    for (int y = clampTo(top, 0, page->height); y <= bottom && y < page->height; ++y) {
        const int inset = cornerInset(y, top, bottom);
        const int from = clampTo(left + inset, 0, page->width), to = clampTo(right - inset, -1, page->width - 1);
        uint8_t* row = page->pixels + y * page->width;
        for (int x = from; x <= to; ++x) paint(row[x]);
    }
}

// Draws with the page as the current context and its font, then leaves both as they were.
template <typename Draw>
void withFont(DisplayContext* page, const Font* font, Draw draw) {
    DisplayContext* previous = currentContext();
    setCurrentContext(page);
    Font* pageFont = page->font;
    useFont(const_cast<Font*>(font));
    draw();
    page->font = pageFont;
    setCurrentContext(previous);
}

}  // namespace

void fillBox(DisplayContext* page, int colour, int left, int top, int right, int bottom) {
    if (!page) return;
    for (int y = clampTo(top, 0, page->height); y <= bottom && y < page->height; ++y)
        for (int x = clampTo(left, 0, page->width); x <= right && x < page->width; ++x)
            page->pixels[y * page->width + x] = uint8_t(colour);
}

void drawPanel(DisplayContext* page, const PageLook& look, int left, int top, int right, int bottom) {
    if (!page) return;
    forRoundedBox(page, left + 1, top + 1, right - 1, bottom - 1, [&look](uint8_t& p) { p = look.underPanel[p]; });
    // The rim: the rows above and below the inside, and the pixels beside it on the others.
    const uint8_t rim = look.colour[LookPanelEdge];
    forRoundedBox(page, left, top, right, top, [rim](uint8_t& p) { p = rim; });
    forRoundedBox(page, left, bottom, right, bottom, [rim](uint8_t& p) { p = rim; });
    for (int y = clampTo(top + 1, 0, page->height); y < bottom && y < page->height; ++y) {
        const int outer = cornerInset(y, top, bottom), inner = cornerInset(y, top + 1, bottom - 1);
        for (int x = left + outer; x <= left + inner; ++x)
            if (x >= 0 && x < page->width) page->pixels[y * page->width + x] = rim;
        for (int x = right - inner; x <= right - outer; ++x)
            if (x >= 0 && x < page->width) page->pixels[y * page->width + x] = rim;
    }
}

int textWidthOf(const Font* font, const char* text) {
    int width = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); font && p && *p; ++p)
        width += fontCharWidth(font, *p);
    return width;
}

void drawLookText(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, int colour,
                  const char* text) {
    if (!page || !font || !text) return;
    withFont(page, font, [&] {
        page->color = look.colour[LookInk];
        drawText(x + 1, y + 1, text);
        page->color = colour;
        drawText(x, y, text);
    });
}

int drawWrappedText(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, int width,
                    int lineHeight, int maxLines, int colour, const char* text) {
    char line[160];
    int lines = 0;
    for (const char* p = text; font && p && *p && lines < maxLines; ++lines) {
        int length = 0, fits = 0;  // fits: the longest start of p ending at a word's end
        while (p[length] && length + 1 < int(sizeof line)) {
            std::memcpy(line, p, size_t(length + 1));
            line[length + 1] = 0;
            if (textWidthOf(font, line) > width) break;
            ++length;
            if (p[length] == ' ' || p[length] == 0) fits = length;
        }
        if (fits == 0) fits = length > 0 ? length : 1;  // a word wider than the line is cut
        std::memcpy(line, p, size_t(fits));
        line[fits] = 0;
        drawLookText(page, look, font, x, y + lines * lineHeight, colour, line);
        p += fits;
        while (*p == ' ') ++p;
    }
    return lines;
}

void drawOutlinedText(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, const char* text) {
    if (!page || !font || !text) return;
    withFont(page, font, [&] {
        page->color = look.colour[LookInk];
        for (int dy = -1; dy <= 2; ++dy)
            for (int dx = -1; dx <= 2; ++dx) drawText(x + dx, y + dy, text);
        page->color = look.colour[LookWhite];
        drawText(x, y, text);
    });
}

int keyCapHeight(const Font* font) { return fontCellHeight(font) + 5; }

int drawKeyCap(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, const char* key) {
    if (!page || !font) return 0;
    const int height = keyCapHeight(font), textWidth = textWidthOf(font, key);
    const int width = textWidth + 12 > height ? textWidth + 12 : height;
    const uint8_t shadow = look.colour[LookInk], edge = look.colour[LookCapEdge], face = look.colour[LookCapFace];
    forRoundedBox(page, x + 1, y + 2, x + width, y + height + 1, [shadow](uint8_t& p) { p = shadow; });
    forRoundedBox(page, x, y, x + width - 1, y + height - 1, [edge](uint8_t& p) { p = edge; });
    forRoundedBox(page, x + 1, y, x + width - 2, y + height - 3, [face](uint8_t& p) { p = face; });
    withFont(page, font, [&] {
        page->color = look.colour[LookInk];
        drawText(x + (width - textWidth) / 2, y + 1, key);
    });
    return width;
}

int keyHintWidth(const Font* font, const KeyHint& hint) {
    const int capText = textWidthOf(font, trPage(hint.key)) + 12, height = keyCapHeight(font);
    return (capText > height ? capText : height) + HintGap + textWidthOf(font, trPage(hint.label));
}

int drawKeyHint(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, const KeyHint& hint) {
    // The hints are tables of the screens: their key names and meanings are translated here.
    const int labelX = x + drawKeyCap(page, look, font, x, y, trPage(hint.key)) + HintGap;
    drawLookText(page, look, font, labelX, y + 2, look.colour[LookWhite], trPage(hint.label));
    return labelX + textWidthOf(font, trPage(hint.label));
}

void drawKeyRow(DisplayContext* page, const PageLook& look, const Font* font, const KeyHint* hints, int count,
                int left, int right, int y) {
    if (!page || !font) return;
    int widths = 0;
    for (int i = 0; i < count; ++i) widths += keyHintWidth(font, hints[i]);
    const int gap = count < 2 ? 0 : clampTo((right - left - 16 - widths) / (count - 1), FooterMinGap, FooterGap);
    int x = left + (right - left - widths - gap * (count - 1)) / 2;
    for (int i = 0; i < count; ++i) x = drawKeyHint(page, look, font, x, y, hints[i]) + gap;
}

void drawFooterKeys(DisplayContext* page, const PageLook& look, const Font* font, const KeyHint* hints, int count) {
    if (!page || !font) return;
    const int y = FooterBandTop + (page->height - FooterBandTop - keyCapHeight(font)) / 2;
    drawKeyRow(page, look, font, hints, count, 0, page->width, y);
}
