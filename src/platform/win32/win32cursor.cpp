#include "win32cursor.h"

#include "cursorpixels.h"

#include <cstring>
#include <windows.h>

namespace {

// Owners of the GDI objects, so that every early return releases what was made.
struct IconBitmaps
{
    ICONINFO info{};
    ~IconBitmaps()
    {
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
    }
};

struct ScreenDc
{
    HDC dc = GetDC(nullptr);
    ~ScreenDc()
    {
        if (dc)
            ReleaseDC(nullptr, dc);
    }
};

struct MemoryDc
{
    HDC dc;
    explicit MemoryDc(HDC screen) : dc(CreateCompatibleDC(screen)) {}
    ~MemoryDc()
    {
        if (dc)
            DeleteDC(dc);
    }
};

struct DibSection
{
    HBITMAP bitmap = nullptr;
    void *bits = nullptr;
    DibSection(HDC screen, int width, int height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    ~DibSection()
    {
        if (bitmap)
            DeleteObject(bitmap);
    }
};

} // namespace

bool win32CaptureCursor(Win32CursorPicture &picture)
{
    CURSORINFO cursor{};
    cursor.cbSize = sizeof(cursor);
    if (!GetCursorInfo(&cursor) || !(cursor.flags & CURSOR_SHOWING) || !cursor.hCursor)
        return false;

    IconBitmaps icon;
    if (!GetIconInfo(cursor.hCursor, &icon.info))
        return false;

    const bool hasColour = icon.info.hbmColor != nullptr;
    BITMAP bitmap{};
    if (!GetObjectW(hasColour ? icon.info.hbmColor : icon.info.hbmMask, sizeof(bitmap), &bitmap))
        return false;
    const int width = bitmap.bmWidth;
    const int height = cursorPictureHeight(bitmap.bmHeight, hasColour);
    if (width < 1 || height < 1)
        return false;

    ScreenDc screen;
    if (!screen.dc)
        return false;
    MemoryDc memory(screen.dc);
    if (!memory.dc)
        return false;
    DibSection dib(screen.dc, width, height);
    if (!dib.bitmap || !dib.bits)
        return false;

    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::memset(dib.bits, 0, count * 4);
    HGDIOBJ previous = SelectObject(memory.dc, dib.bitmap);
    DrawIconEx(memory.dc, 0, 0, cursor.hCursor, width, height, 0, nullptr, DI_NORMAL);
    SelectObject(memory.dc, previous);

    picture.width = width;
    picture.height = height;
    picture.hotSpotX = static_cast<int>(icon.info.xHotspot);
    picture.hotSpotY = static_cast<int>(icon.info.yHotspot);
    picture.pixels.resize(count);
    std::memcpy(picture.pixels.data(), dib.bits, count * 4);
    fixCursorAlpha(picture.pixels.data(), count);
    return true;
}
