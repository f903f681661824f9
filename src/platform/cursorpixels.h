#pragma once

// Free of Qt on purpose: the Win32 cursor code uses these too and is compiled without Qt.

#include <cstddef>
#include <cstdint>

// Cursors drawn without an alpha channel leave alpha 0 on visible pixels; those become opaque.
// Black with alpha 0 is the untouched background and stays transparent. Pixels are 0xAARRGGBB.
void fixCursorAlpha(std::uint32_t *pixels, std::size_t count);

// A monochrome cursor has no colour bitmap; its mask bitmap stacks the AND and XOR masks, so the
// picture is half as high as the bitmap.
int cursorPictureHeight(int bitmapHeight, bool hasColourBitmap);
