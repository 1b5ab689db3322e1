// Background bitmaps of views: "@BITMAP(name)" draws a picture (stretched
// with "@STRETCH"), "@BITBRUSH(name)" tiles it as a pattern brush.  A name
// is looked for as a bitmap resource of the view's module first, then as a
// .bmp file; the application may rename a file that is not found.
#include "viewproc/handlers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "companion/helio.h"
#include "core/text.hpp"

namespace ts {
namespace {

void ReplaceProperty(HWND hWnd, const char* name, HGDIOBJ object) {
    if (HANDLE old = RemovePropA(hWnd, name)) DeleteObject(old);
    if (object) SetPropA(hWnd, name, object);
}

HBITMAP LoadFromFile(const char* path, HPALETTE* palette) {
    HGLOBAL dib = hlLoadDibFile(path);
    if (!dib) return nullptr;
    HBITMAP bmp = hlDibToBitmap(dib, palette);
    GlobalFree(dib);
    return bmp;
}

} // namespace

// The bitmap name of the view string: "@BITBRUSH" (flag 0x2000) or
// "@BITMAP"; false when there is none.
bool BackgroundBitmapName(VWVIEW* view, const char* viewString, char* name, std::size_t size) {
    char arg[HL_KEYWORD_BUFFER] = {};
    if (hlGetKeyword(viewString, "@BITBRUSH", arg) && arg[0]) {
        view->flags |= VWF_BITBRUSH;
    } else {
        view->flags &= ~VWF_BITBRUSH;
        if (!hlGetKeyword(viewString, "@BITMAP", arg)) arg[0] = '\0';
    }
    core::copy_bounded(name, size, arg);
    return name[0] != '\0';
}

HBITMAP LoadNamedBitmap(HINSTANCE inst, const char* name, HPALETTE* palette, char* file, std::size_t fileSize) {
    char base[_MAX_FNAME] = {}, ext[_MAX_EXT] = {};
    _splitpath(name, nullptr, nullptr, base, ext);
    if (HBITMAP bmp = hlLoadBitmapResource(inst, base, palette)) return bmp;
    core::copy_bounded(file, fileSize, name);
    if (!std::strchr(file, '.') && std::strlen(file) + 4 < fileSize) std::strcat(file, ".bmp");
    return LoadFromFile(file, palette);
}

void LoadBackgroundBitmap(VWVIEW* view, HWND hWnd, const char* name, const char* viewString) {
    HPALETTE palette = nullptr;
    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hWnd, GWLP_HINSTANCE));
    char file[240] = {};
    HBITMAP bmp = LoadNamedBitmap(inst, name, &palette, file, sizeof file);
    if (!bmp && file[0]) {
        // the application may rename the file once
        SendMessageA(hWnd, VWM_FINDBITMAP, 0, reinterpret_cast<LPARAM>(file));
        file[sizeof file - 1] = '\0';
        bmp = LoadFromFile(file, &palette);
    }
    if (!bmp) {
        char text[400];
        char base[_MAX_FNAME] = {}, ext[_MAX_EXT] = {};
        _splitpath(name, nullptr, nullptr, base, ext);
        std::snprintf(text, sizeof text,
                      "Unable to load background bitmap from resources.\nBitmap:%s\nCheck for bitmap file or bitmap resource.",
                      base);
        LibraryMessageBox(GetFocus(), text, "Tessarine", MB_OK);
        return;
    }
    ReplaceProperty(hWnd, "PALETTE", palette);
    if (view->flags & VWF_BITBRUSH) {
        HBRUSH brush = CreatePatternBrush(bmp);
        DeleteObject(bmp);
        ReplaceProperty(hWnd, "BITBRUSH", brush);
    } else {
        ReplaceProperty(hWnd, "BITMAP", bmp);
        if (core::contains_nocase(viewString, "@STRETCH")) SetPropA(hWnd, "STR", reinterpret_cast<HANDLE>(2));
    }
    InvalidateRect(hWnd, nullptr, TRUE);
}

// Draws the "BITMAP" picture: stretched over the client area, or unscaled at
// the scroll position with the uncovered rest erased first.
LRESULT DrawBackgroundBitmap(VWVIEW* view, HWND hWnd, HDC dc, HBITMAP bmp) {
    RECT client;
    GetClientRect(hWnd, &client);
    BITMAP bm = {};
    GetObjectA(bmp, sizeof bm, &bm);
    const int hpos = static_cast<int>(reinterpret_cast<LONG_PTR>(GetPropA(hWnd, "HPOS")));
    const int vpos = static_cast<int>(reinterpret_cast<LONG_PTR>(GetPropA(hWnd, "VPOS")));
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    HPALETTE palette = static_cast<HPALETTE>(GetPropA(hWnd, "PALETTE"));
    HPALETTE oldPal = nullptr;
    if (palette) {
        oldPal = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    if (GetPropA(hWnd, "STR")) {
        StretchBlt(dc, LOWORD(hpos), LOWORD(vpos), client.right, client.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight,
                   SRCCOPY);
    } else {
        if (hpos || vpos || client.right > bm.bmWidth || client.bottom > bm.bmHeight) {
            ExcludeClipRect(dc, -hpos, -vpos, bm.bmWidth - hpos, bm.bmHeight - vpos);
            HBRUSH brush = view->hBackBrush ? view->hBackBrush : reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            FillRect(dc, &client, brush);
            SelectClipRgn(dc, nullptr);
        }
        BitBlt(dc, -hpos, -vpos, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    }
    if (palette) SelectPalette(dc, oldPal, FALSE);
    SelectObject(mem, oldBmp);
    DeleteDC(mem);
    return 0;
}

} // namespace ts
