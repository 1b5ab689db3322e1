// Bitmaps from .bmp files and from bitmap resources.  The DIB's layout is
// checked (core/dib) before GDI sees any of it.
#include <span>

#include "companion/helio.h"
#include "core/dib.hpp"
#include "helio/internal.h"

namespace {

// Larger files are refused before they are read: the largest accepted
// bitmap is 2^26 pixels of 32 bits.
constexpr LONGLONG kMaxFileSize = (LONGLONG{1} << 28) + 4096;

using Bytes = std::span<const std::uint8_t>;

// A palette with the DIB's colour table, for DIBs of 8 bits or fewer.
HPALETTE palette_from_table(Bytes dib, const ts::core::DibLayout& layout) {
    if (layout.bitCount > 8 || layout.colourCount == 0) return nullptr;
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[256];
    } pal{};
    pal.version = 0x300;
    pal.count = static_cast<WORD>(layout.colourCount);
    for (std::uint32_t i = 0; i < layout.colourCount; ++i) {
        const std::uint8_t* bgr = dib.data() + layout.tableOffset + i * layout.colourEntrySize;
        pal.entries[i] = PALETTEENTRY{bgr[2], bgr[1], bgr[0], 0};
    }
    return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&pal));
}

HBITMAP bitmap_from_dib(Bytes dib, HPALETTE* palette) {
    auto layout = ts::core::dib_layout(dib);
    if (!layout) return nullptr;
    HPALETTE pal = palette_from_table(dib, *layout);
    HDC screen = GetDC(nullptr);
    if (!screen) {
        if (pal) DeleteObject(pal);
        return nullptr;
    }
    HPALETTE previous = pal ? SelectPalette(screen, pal, FALSE) : nullptr;
    if (pal) RealizePalette(screen);
    auto header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
    HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, dib.data() + layout->bitsOffset,
                                    reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
    if (pal) SelectPalette(screen, previous, FALSE);
    ReleaseDC(nullptr, screen);
    if (!bitmap || !palette) {
        if (pal) DeleteObject(pal);
        pal = nullptr;
    }
    if (palette) *palette = pal;
    return bitmap;
}

// The whole file in process-heap memory, or null.
std::uint8_t* read_file(LPCSTR fileName, std::size_t* size) {
    HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    std::uint8_t* data = nullptr;
    LARGE_INTEGER length;
    if (GetFileSizeEx(file, &length) && length.QuadPart > 0 && length.QuadPart <= kMaxFileSize) {
        data = static_cast<std::uint8_t*>(HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(length.QuadPart)));
        DWORD read = 0;
        if (data && !(ReadFile(file, data, static_cast<DWORD>(length.QuadPart), &read, nullptr) &&
                      read == length.QuadPart)) {
            HeapFree(GetProcessHeap(), 0, data);
            data = nullptr;
        }
        *size = static_cast<std::size_t>(length.QuadPart);
    }
    CloseHandle(file);
    return data;
}

} // namespace

HGLOBAL WINAPI hlLoadDibFile(LPCSTR fileName) {
    if (!fileName || !*fileName) return nullptr;
    std::size_t size = 0;
    std::uint8_t* data = read_file(fileName, &size);
    if (!data) return nullptr;
    auto packed = ts::core::packed_dib_from_bmp(Bytes(data, size));
    HeapFree(GetProcessHeap(), 0, data);
    if (!packed) return nullptr;

    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, packed->size());
    if (!memory) return nullptr;
    void* p = GlobalLock(memory);
    if (!p) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(p, packed->data(), packed->size());
    GlobalUnlock(memory);
    return memory;
}

HBITMAP WINAPI hlDibToBitmap(HGLOBAL dib, HPALETTE* palette) {
    if (palette) *palette = nullptr;
    if (!dib) return nullptr;
    SIZE_T size = GlobalSize(dib);
    auto* p = static_cast<const std::uint8_t*>(GlobalLock(dib));
    if (!p) return nullptr;
    HBITMAP bitmap = bitmap_from_dib(Bytes(p, size), palette);
    GlobalUnlock(dib);
    return bitmap;
}

HBITMAP WINAPI hlLoadBitmapResource(HINSTANCE hInst, LPCSTR name, HPALETTE* palette) {
    if (palette) *palette = nullptr;
    if (!name) return nullptr;
    HRSRC resource = FindResourceA(hInst, name, RT_BITMAP);
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(hInst, resource);
    auto* p = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!p) return nullptr;
    return bitmap_from_dib(Bytes(p, SizeofResource(hInst, resource)), palette);
}
