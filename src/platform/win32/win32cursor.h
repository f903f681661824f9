#pragma once

// The current cursor picture read through GDI, with plain types, free of Qt.

#include <cstdint>
#include <vector>

struct Win32CursorPicture
{
    int width = 0;
    int height = 0;
    int hotSpotX = 0;
    int hotSpotY = 0;
    std::vector<std::uint32_t> pixels; // top-down rows of 0xAARRGGBB, alpha already fixed up
};

// False when the cursor is hidden or any step fails; the caller then uses its own picture.
bool win32CaptureCursor(Win32CursorPicture &picture);
