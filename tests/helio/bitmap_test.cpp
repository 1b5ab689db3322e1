#include <gtest/gtest.h>

#include <vector>

#include "companion/helio.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes file_resource(const char* name) {
    HRSRC r = FindResourceA(nullptr, name, RT_RCDATA);
    auto* p = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, r)));
    return Bytes(p, p + SizeofResource(nullptr, r));
}

// hlLoadDibFile on a temporary file holding `data`.
HGLOBAL load_file(const Bytes& data) {
    char dir[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "hl", 0, path);
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &n, nullptr);
    CloseHandle(f);
    HGLOBAL dib = hlLoadDibFile(path);
    DeleteFileA(path);
    return dib;
}

// The bitmap's pixels, row by row from the top.
std::vector<COLORREF> pixels_of(HBITMAP bitmap, int w, int h) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<COLORREF> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return out;
}

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

} // namespace

TEST(HelioBitmap, FilesGiveBitmapsAndPalettes) {
    struct {
        const char* file;
        int width;
        std::vector<COLORREF> pixels;
        UINT paletteSize;
    } cases[] = {
        {"RGB24_FILE", 3, {kRed, kGreen, RGB(1, 2, 3), kBlue, kWhite, RGB(200, 100, 50)}, 0},
        {"TINY_FILE", 2, {kRed, kGreen, kBlue, kWhite}, 4},
    };
    for (const auto& c : cases) {
        Bytes bytes = file_resource(c.file);
        HGLOBAL dib = load_file(bytes);
        ASSERT_NE(dib, nullptr) << c.file;
        EXPECT_EQ(GlobalSize(dib), bytes.size() - 14);
        auto pal = reinterpret_cast<HPALETTE>(1);
        HBITMAP bitmap = hlDibToBitmap(dib, &pal);
        ASSERT_NE(bitmap, nullptr) << c.file;
        EXPECT_EQ(pixels_of(bitmap, c.width, 2), c.pixels) << c.file;
        EXPECT_EQ(pal ? GetPaletteEntries(pal, 0, 0, nullptr) : 0u, c.paletteSize) << c.file;
        DeleteObject(bitmap);
        if (pal) DeleteObject(pal);
        GlobalFree(dib);
    }
}

TEST(HelioBitmap, DamagedFilesGiveNothing) {
    Bytes good = file_resource("RGB24_FILE");
    Bytes truncated(good.begin(), good.end() - 1), badMagic = good, bitsPastEnd = good;
    badMagic[0] = 'X';
    bitsPastEnd[10] += 4;
    for (const Bytes& file : {truncated, badMagic, bitsPastEnd}) EXPECT_EQ(load_file(file), nullptr);
    EXPECT_EQ(hlLoadDibFile("C:\\no\\such\\file.bmp"), nullptr);
    HPALETTE pal = reinterpret_cast<HPALETTE>(1);
    EXPECT_EQ(hlDibToBitmap(nullptr, &pal), nullptr);
    EXPECT_EQ(pal, nullptr);
}

TEST(HelioBitmap, ResourceOfTheModule) {
    HPALETTE pal = nullptr;
    HBITMAP bitmap = hlLoadBitmapResource(GetModuleHandleA(nullptr), "HELIO_TINY", &pal);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_NE(pal, nullptr);
    EXPECT_EQ(pixels_of(bitmap, 2, 2), (std::vector<COLORREF>{kRed, kGreen, kBlue, kWhite}));
    DeleteObject(bitmap);
    DeleteObject(pal);
    pal = reinterpret_cast<HPALETTE>(1);
    EXPECT_EQ(hlLoadBitmapResource(GetModuleHandleA(nullptr), "HELIO_MISSING", &pal), nullptr);
    EXPECT_EQ(pal, nullptr);
}
