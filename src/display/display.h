// The display library: contexts, pictures, fonts, sprites, colours and error codes.
// Every drawing operation acts on the current DisplayContext (the drawing page the
// framework made current) unless it takes a context explicitly.
#pragma once

#include <cstdint>

// One palette entry as pictures carry it: blue, green, red, reserved.
struct PaletteEntry {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
};

struct Font;

// A picture in memory, made by loadBitmap.
struct Bitmap {
    int width;
    int height;
    int bitsPerPixel;      // 8 for every picture of the game
    int bytesPerLine;      // the padded row length of the file
    uint8_t* pixels;       // rows from top to bottom
    PaletteEntry* palette; // 256 entries, or null when loaded without palette
    void* pixelFormat;     // only for pictures deeper than 8 bits (never)
};

// An 8-bit surface: the drawing page or a window's display context.
struct DisplayContext {
    int width;
    int height;
    int bitsPerPixel;
    uint8_t* pixels;       // width * height bytes, row y starts at y * width
    PaletteEntry palette[256];
    int color;             // current drawing colour (palette index)
    int background;        // background colour (palette index 0)
    Font* font;            // current font
    int originX, originY;  // viewport origin
    int clipLeft, clipTop, clipRight, clipBottom; // inclusive clip rectangle
};

// Error codes of the display layer (lastError, errorMessage).
enum DisplayError {
    ErrNone = 0,
    ErrNotEnoughMemory = -10,
    ErrInvalidFontData = -12,
    ErrFontCorrupted = -13,
    ErrFontNotFound = -14,
    ErrInvalidDeviceContext = -17,
    ErrInvalidBitmap = -22,
    ErrBitmapNotFound = -23,
    ErrFontVersion = -26,
};

// ---- contexts -------------------------------------------------------------
DisplayContext* createMemoryContext(int width, int height);
void destroyContext(DisplayContext* dc);
void setCurrentContext(DisplayContext* dc);
DisplayContext* currentContext();
// Loads count palette entries from first on into the context.
void setContextPalette(DisplayContext* dc, const PaletteEntry* entries, int count, int first);

// ---- pictures -------------------------------------------------------------
Bitmap* loadBitmap(const char* fileName, int loadPalette);
// Reads a BMP from memory (the file reader's core; refuses malformed data).
Bitmap* decodeBitmap(const uint8_t* data, long size, int loadPalette);
void unloadBitmap(Bitmap* bitmap);
// Writes an uncompressed 8-bit BMP with a 256-entry colour table, bottom-up rows.
// Returns 1 on success.
int writeBitmap8(const char* fileName, const uint8_t* pixels, int width, int height,
                 int rowStride, const PaletteEntry* palette);
void putBitmap(DisplayContext* dc, int x, int y, const Bitmap* bitmap, int rasterOp);

// Pictures of another language: readSearchedFile looks in this folder of the data first
// ("de/Images/Main.bmp") and falls back to the name as given. Null or "" for none.
void searchLanguageFolderFirst(const char* folder);

// ---- fonts and text -------------------------------------------------------
Font* loadFont(const char* fileName);
Font* decodeFont(const uint8_t* data, long size);
void unloadFont(Font* font);
int useFont(Font* font);
void drawText(int x, int y, const char* text);
int fontCellHeight(const Font* font);
int fontCharWidth(const Font* font, unsigned char c);

// ---- colours and pixels ---------------------------------------------------
void setColorRGB(int red, int green, int blue);
int nearestPaletteIndex(const PaletteEntry* palette, int red, int green, int blue);
void clearPage();
void plotPixel(int x, int y);
int packColor(int red, int green, int blue);

// ---- sprites --------------------------------------------------------------
struct Sprite;
int createSpriteManager(DisplayContext* dc, int option);
Sprite* addSprite(Bitmap* bitmap, int transparentColor);
void drawSprite(Sprite* sprite, int x, int y);
void destroySpriteManager();

// ---- errors ---------------------------------------------------------------
int lastError();
void setLastError(int code);
const char* errorMessage(int code);

// ---- file search ----------------------------------------------------------
// Opens a file by the search rule: the name itself, then the library's root
// directory + dir + name, then $VRX_ROOT + dir + name. Both '/' and '\\' count as
// separators. Returns the bytes read (caller frees with delete[]) or null.
uint8_t* readSearchedFile(const char* fileName, const char* dir, long* size);
