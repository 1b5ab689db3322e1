// Backgrounds and frames of views, checked by their pixels, and the
// release of what views own.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

HVIEW Painted(const char* directives) {
    HVIEW v = vwOpenView(Instance(), "paint", WS_POPUP, nullptr, nullptr, 0);
    MoveWindow(v->hWnd, 20, 20, 120, 80, FALSE);
    vwSetViewString(v, directives);
    ShowWindow(v->hWnd, SW_SHOWNA);
    UpdateWindow(v->hWnd);
    return v;
}

std::set<COLORREF> Colours(HWND h, int x0, int y0, int n) {
    std::set<COLORREF> seen;
    HDC dc = GetDC(h);
    for (int y = y0; y < y0 + n; ++y)
        for (int x = x0; x < x0 + n; ++x) seen.insert(GetPixel(dc, x, y));
    ReleaseDC(h, dc);
    return seen;
}

} // namespace

TEST(Painting, BackgroundStylesUseTheSharedPatterns) {
    ViewGuard p1(Painted("@3D2"));
    // the first pattern is a checker of two greys
    EXPECT_EQ(Colours(p1->hWnd, 10, 10, 8), (std::set<COLORREF>{RGB(192, 192, 192), RGB(224, 224, 224)}));
    ViewGuard gray(Painted("@3D3"));
    EXPECT_EQ(Colours(gray->hWnd, 10, 10, 8), (std::set<COLORREF>{GetSysColor(COLOR_3DLIGHT)}));
    ViewGuard steel(Painted("@3D"));
    EXPECT_GT(Colours(steel->hWnd, 10, 10, 8).size(), 1u);
    ViewGuard both(Painted("@3D2@3D"));  // "@3D2" wins, the styles exclude each other
    EXPECT_EQ(both->flags & (VWF_3D | VWF_3D2), VWF_3D2);
}

TEST(Painting, OutAndLightFrames) {
    // frames go with a background brush; "@LIGHT" wins over "@OUT": one pixel
    ViewGuard light(Painted("@3D3@LIGHT@OUT"));
    RECT rc;
    GetClientRect(light->hWnd, &rc);
    EXPECT_EQ(PixelAt(light->hWnd, 0, 5), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(light->hWnd, rc.right - 1, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_NE(PixelAt(light->hWnd, 1, 5), RGB(255, 255, 255));
    // "@OUT" is white and shadow only where the device reports more than two
    // colours; a true-colour screen reports -1 and gets two black rings
    ViewGuard out(Painted("@3D3@OUT"));
    HDC dc = GetDC(out->hWnd);
    ASSERT_EQ(GetDeviceCaps(dc, NUMCOLORS), -1);  // the test screen is true-colour
    ReleaseDC(out->hWnd, dc);
    for (int x : {0, 1, static_cast<int>(rc.right) - 2, static_cast<int>(rc.right) - 1})
        EXPECT_EQ(PixelAt(out->hWnd, x, 5), RGB(0, 0, 0)) << x;
    EXPECT_EQ(PixelAt(out->hWnd, 5, 1), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(out->hWnd, 5, 2), GetSysColor(COLOR_3DLIGHT));  // inside both rings: the background
}

TEST(Painting, FieldsTakeTheirColoursFromTheView) {
    ViewGuard v(Painted(""));
    vwSetFieldEx(v.get(), 5, "edit", "x", WS_VISIBLE, 0, 0, 0, 40, 10, nullptr, nullptr);
    vwSetFieldEx(v.get(), 6, "edit", "y", WS_VISIBLE, 0, 0, 14, 40, 10, nullptr, nullptr);
    vwSetFieldColors(v.get(), 5, RGB(1, 2, 3), RGB(200, 10, 10), RGB(4, 5, 6), RGB(10, 200, 10));
    HWND e = vwGetFieldWindow(v.get(), 5);
    HDC dc = GetDC(e);
    HBRUSH b = reinterpret_cast<HBRUSH>(SendMessageA(v->hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(e)));
    EXPECT_EQ(b, vwGetFieldBackBrush(v.get(), 5));
    EXPECT_EQ(GetBkColor(dc), RGB(200, 10, 10));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    SetBkColor(dc, 0);
    EXPECT_EQ(SendMessageA(v->hWnd, VWM_CTLCOLOR, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(e)),
              reinterpret_cast<LRESULT>(b));  // the private message answers the same way
    EXPECT_EQ(GetBkColor(dc), RGB(200, 10, 10));
    // the focused field uses the selection colours only under "@SELCOLORS"
    SetFocus(e);
    SendMessageA(v->hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(e));
    EXPECT_EQ(GetBkColor(dc), RGB(200, 10, 10));
    vwSetViewString(v.get(), "@SELCOLORS");
    b = reinterpret_cast<HBRUSH>(SendMessageA(v->hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(e)));
    EXPECT_EQ(GetBkColor(dc), RGB(10, 200, 10));
    EXPECT_EQ(b, v->fields[1]->colors->hSelBackBrush);
    ReleaseDC(e, dc);
}

TEST(Painting, SharedBrushesLiveUntilWepZero) {
    ViewGuard v(Painted("@CTL3D"));
    HDC dc = GetDC(v->hWnd);
    HBRUSH gray = reinterpret_cast<HBRUSH>(SendMessageA(v->hWnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(v->hWnd, dc);
    LOGBRUSH lb = {};
    ASSERT_TRUE(GetObjectA(gray, sizeof lb, &lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_3DLIGHT));  // Windows 4 and later
    EXPECT_EQ(WEP(1), 1);
    EXPECT_EQ(GetObjectType(gray), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(WEP(0), 1);
    EXPECT_EQ(GetObjectType(gray), 0u);
}

TEST(Painting, AThousandViewsLeaveNoObjectsBehind) {
    for (int i = 0; i < 1000; ++i) {
        HVIEW v = vwCreateView(Instance(), i % 2 ? "Fonts42" : "Colors41", nullptr, nullptr, 0);
        ASSERT_TRUE(v);
        vwShowViewWindow(v, SW_SHOWNA);
        HGDIOBJ objects[] = {v->hFont, v->hSelBrush, v->hBackBrush, v->fields[1]->hFont,
                             v->fields[1]->colors ? v->fields[1]->colors->hBackBrush : nullptr,
                             v->textFields[1]->hFont};
        DestroyWindow(v->hWnd);
        ASSERT_FALSE(vwIsView(v));
        for (HGDIOBJ o : objects)
            if (o) ASSERT_EQ(GetObjectType(o), 0u) << i;
    }
}

namespace {

// Writes a solid 8 x 8 bitmap file and returns its path without ".bmp".
std::string WriteBitmapFile(const char* stem, BYTE r, BYTE g, BYTE b) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string path = std::string(tmp) + stem;
    BYTE file[54 + 8 * 24] = {'B', 'M'};
    *reinterpret_cast<DWORD*>(file + 2) = sizeof file;
    *reinterpret_cast<DWORD*>(file + 10) = 54;
    BITMAPINFOHEADER bi = {sizeof bi, 8, 8, 1, 24, BI_RGB, 8 * 24, 0, 0, 0, 0};
    std::memcpy(file + 14, &bi, sizeof bi);
    for (int i = 0; i < 64; ++i) {
        file[54 + 3 * i] = b;
        file[55 + 3 * i] = g;
        file[56 + 3 * i] = r;
    }
    HANDLE h = CreateFileA((path + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, file, sizeof file, &written, nullptr);
    CloseHandle(h);
    return path;
}

std::string g_rename;
LRESULT CALLBACK RenameBitmap(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_FINDBITMAP && !g_rename.empty()) {
        lstrcpynA(reinterpret_cast<char*>(l), g_rename.c_str(), 240);
        return 0;
    }
    return DefViewProc(h, m, w, l);
}

} // namespace

TEST(Painting, BitmapBackgroundsFromResourcesAndFiles) {
    ViewGuard picture(Painted("@BITMAP(red16)"));
    EXPECT_EQ(PixelAt(picture->hWnd, 3, 3), RGB(255, 0, 0));
    EXPECT_NE(PixelAt(picture->hWnd, 40, 40), RGB(255, 0, 0));  // outside the picture
    EXPECT_EQ(GetPropA(picture->hWnd, "STR"), nullptr);
    ViewGuard stretched(Painted("@BITMAP(red16)@STRETCH"));
    EXPECT_EQ(PixelAt(stretched->hWnd, 100, 60), RGB(255, 0, 0));
    EXPECT_EQ(GetPropA(stretched->hWnd, "STR"), reinterpret_cast<HANDLE>(2));
    ViewGuard brush(Painted("@BITBRUSH(red16)@STRETCH"));  // a brush tiles; no "STR"
    EXPECT_TRUE(brush->flags & VWF_BITBRUSH);
    EXPECT_EQ(PixelAt(brush->hWnd, 100, 60), RGB(255, 0, 0));
    EXPECT_EQ(GetPropA(brush->hWnd, "STR"), nullptr);
    EXPECT_NE(GetPropA(brush->hWnd, "BITBRUSH"), nullptr);

    std::string blue = WriteBitmapFile("tsblue", 0, 0, 255);
    ViewGuard file(Painted(("@BITMAP(" + blue + ")").c_str()));  // ".bmp" is added
    EXPECT_EQ(PixelAt(file->hWnd, 3, 3), RGB(0, 0, 255));
    HBITMAP shown = static_cast<HBITMAP>(GetPropA(file->hWnd, "BITMAP"));
    file.reset();
    EXPECT_EQ(GetObjectType(shown), 0u);  // deleted with the window
    DeleteFileA((blue + ".bmp").c_str());
}

TEST(Painting, MissingBitmapsMayBeRenamedOrAreReported) {
    std::string green = WriteBitmapFile("tsgreen", 0, 255, 0);
    g_rename = green + ".bmp";
    ViewGuard v(vwOpenView(Instance(), "find", WS_POPUP, nullptr, RenameBitmap, 0));
    MoveWindow(v->hWnd, 20, 20, 120, 80, FALSE);
    ShowWindow(v->hWnd, SW_SHOWNA);
    vwSetViewString(v.get(), "@BITMAP(nothere)");
    UpdateWindow(v->hWnd);
    EXPECT_EQ(PixelAt(v->hWnd, 3, 3), RGB(0, 255, 0));
    MessageBoxCapture boxes;
    g_rename.clear();
    vwSetViewString(v.get(), "@BITMAP(nothere)");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Tessarine");
    EXPECT_EQ(boxes.boxes()[0].text,
              "Unable to load background bitmap from resources.\nBitmap:nothere\nCheck for bitmap file or bitmap resource.");
    EXPECT_NE(GetPropA(v->hWnd, "BITMAP"), nullptr);  // the view keeps its previous background
    DeleteFileA((green + ".bmp").c_str());
}
