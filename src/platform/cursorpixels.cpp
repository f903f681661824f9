#include "cursorpixels.h"

void fixCursorAlpha(std::uint32_t *pixels, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t pixel = pixels[i];
        if ((pixel & 0xFF000000u) == 0 && (pixel & 0x00FFFFFFu) != 0)
            pixels[i] = pixel | 0xFF000000u;
    }
}

int cursorPictureHeight(int bitmapHeight, bool hasColourBitmap)
{
    return hasColourBitmap ? bitmapHeight : bitmapHeight / 2;
}
