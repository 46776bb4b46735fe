// Windows BMP pictures: the reader behind loadBitmap and the 8-bit writer used for
// the replay's snapshots and by the data generator. The reader takes the file as
// untrusted input: every size and offset is checked against the bytes really there.
#include <cstdio>
#include <cstring>
#include <new>

#include "display/display.h"

namespace {

uint32_t readU16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
int32_t readS32(const uint8_t* p) { return int32_t(readU32(p)); }

void putU16(uint8_t* p, uint32_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
void putU32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}

constexpr long FileHeaderSize = 14;
constexpr int MaxDimension = 16384;

Bitmap* refuse() {
    setLastError(ErrInvalidBitmap);
    return nullptr;
}

}  // namespace

Bitmap* decodeBitmap(const uint8_t* data, long size, int loadPalette) {
    if (!data || size < FileHeaderSize + 12) return refuse();
    if (data[0] != 'B' || data[1] != 'M') return refuse();
    const uint32_t pixelOffset = readU32(data + 10);
    const uint8_t* info = data + FileHeaderSize;
    const uint32_t infoSize = readU32(info);
    // Only the Windows headers (40 bytes and the later, longer versions) are read.
    if (infoSize < 40 || infoSize > 1024 || FileHeaderSize + long(infoSize) > size) return refuse();
    const int32_t width = readS32(info + 4);
    const int32_t rawHeight = readS32(info + 8);
    const uint32_t planes = readU16(info + 12);
    const uint32_t bitsPerPixel = readU16(info + 14);
    const uint32_t compression = readU32(info + 16);
    const uint32_t colorsUsed = readU32(info + 32);
    if (planes != 1 || bitsPerPixel != 8 || compression != 0) return refuse();
    if (width <= 0 || width > MaxDimension) return refuse();
    if (rawHeight == 0 || rawHeight < -MaxDimension || rawHeight > MaxDimension) return refuse();
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    const uint32_t colorCount = colorsUsed == 0 ? 256 : colorsUsed;
    if (colorCount > 256) return refuse();
    const long paletteStart = FileHeaderSize + long(infoSize);
    if (paletteStart + long(colorCount) * 4 > size) return refuse();
    const int bytesPerLine = (width + 3) & ~3;
    const long pixelBytes = long(bytesPerLine) * height;
    if (pixelOffset < uint32_t(paletteStart) || long(pixelOffset) > size ||
        size - long(pixelOffset) < pixelBytes)
        return refuse();

    Bitmap* bitmap = new (std::nothrow) Bitmap{};
    uint8_t* pixels = new (std::nothrow) uint8_t[pixelBytes];
    PaletteEntry* palette = loadPalette ? new (std::nothrow) PaletteEntry[256] : nullptr;
    if (!bitmap || !pixels || (loadPalette && !palette)) {
        delete bitmap;
        delete[] pixels;
        delete[] palette;
        setLastError(ErrNotEnoughMemory);
        return nullptr;
    }
    bitmap->width = width;
    bitmap->height = height;
    bitmap->bitsPerPixel = 8;
    bitmap->bytesPerLine = bytesPerLine;
    bitmap->pixels = pixels;
    bitmap->palette = palette;
    bitmap->pixelFormat = nullptr;
    // Rows go to memory from the top row down, whatever order the file keeps them in.
    for (int row = 0; row < height; ++row) {
        const int fileRow = topDown ? row : height - 1 - row;
        std::memcpy(pixels + long(row) * bytesPerLine, data + pixelOffset + long(fileRow) * bytesPerLine,
                    bytesPerLine);
    }
    if (palette) {
        std::memset(palette, 0, sizeof(PaletteEntry) * 256);
        std::memcpy(palette, data + paletteStart, size_t(colorCount) * 4);
    }
    return bitmap;
}

Bitmap* loadBitmap(const char* fileName, int loadPalette) {
    long size = 0;
    uint8_t* data = readSearchedFile(fileName, "BITMAPS/", &size);
    if (!data) {
        setLastError(ErrBitmapNotFound);
        return nullptr;
    }
    Bitmap* bitmap = decodeBitmap(data, size, loadPalette);
    delete[] data;
    return bitmap;
}

void unloadBitmap(Bitmap* bitmap) {
    if (!bitmap) return;
    delete[] bitmap->pixels;
    delete[] bitmap->palette;
    delete bitmap;
}

int writeBitmap8(const char* fileName, const uint8_t* pixels, int width, int height, int rowStride,
                 const PaletteEntry* palette) {
    if (!fileName || !pixels || width <= 0 || width > MaxDimension || height <= 0 || rowStride < width)
        return 0;
    const int bytesPerLine = (width + 3) & ~3;
    const uint32_t pixelOffset = FileHeaderSize + 40 + 256 * 4;
    const uint32_t fileSize = pixelOffset + uint32_t(bytesPerLine) * uint32_t(height);
    uint8_t header[FileHeaderSize + 40 + 256 * 4] = {};
    header[0] = 'B';
    header[1] = 'M';
    putU32(header + 2, fileSize);
    putU32(header + 10, pixelOffset);
    uint8_t* info = header + FileHeaderSize;
    putU32(info, 40);
    putU32(info + 4, uint32_t(width));
    putU32(info + 8, uint32_t(height));
    putU16(info + 12, 1);
    putU16(info + 14, 8);
    putU32(info + 20, uint32_t(bytesPerLine) * uint32_t(height));
    putU32(info + 24, 2835);  // 72 dots per inch
    putU32(info + 28, 2835);
    putU32(info + 32, 256);
    putU32(info + 36, 0);
    for (int i = 0; i < 256; ++i) {
        uint8_t* e = info + 40 + i * 4;
        if (palette) {
            e[0] = palette[i].blue;
            e[1] = palette[i].green;
            e[2] = palette[i].red;
        }
        e[3] = 0;
    }
    FILE* f = std::fopen(fileName, "wb");
    if (!f) return 0;
    bool ok = std::fwrite(header, 1, sizeof header, f) == sizeof header;
    uint8_t row[MaxDimension + 4] = {};
    for (int y = height - 1; ok && y >= 0; --y) {
        std::memcpy(row, pixels + long(y) * rowStride, width);
        ok = std::fwrite(row, 1, bytesPerLine, f) == size_t(bytesPerLine);
    }
    ok = (std::fclose(f) == 0) && ok;
    return ok ? 1 : 0;
}
