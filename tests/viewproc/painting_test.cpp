// Backgrounds and frames of views, checked by their pixels, field colours,
// and the release of what views own.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

// Views side by side: GetPixel reads what the screen shows.
HVIEW Painted(const char* directives, WNDPROC proc = nullptr) {
    static int placed = 0;
    HVIEW v = vwOpenView(Instance(), "paint", WS_POPUP, nullptr, proc, 0);
    MoveWindow(v->hWnd, placed % 7 * 140, placed / 7 * 100, 120, 80, FALSE);
    ++placed;
    vwSetViewString(v, directives);
    ShowWindow(v->hWnd, SW_SHOWNA);
    UpdateWindow(v->hWnd);
    return v;
}

std::set<COLORREF> Colours(HWND h) {
    std::set<COLORREF> seen;
    for (int y = 10; y < 18; ++y)
        for (int x = 10; x < 18; ++x) seen.insert(PixelAt(h, x, y));
    return seen;
}

} // namespace

TEST(Painting, BackgroundStylesExcludeEachOtherAndFramesGoWithThem) {
    const std::set<COLORREF> checker = {RGB(192, 192, 192), RGB(224, 224, 224)}, gray = {GetSysColor(COLOR_3DLIGHT)};
    ViewGuard p1(Painted("@3D2")), both(Painted("@3D2@3D")), g(Painted("@3D3")), steel(Painted("@3D"));
    EXPECT_EQ(Colours(p1->hWnd), checker);  // the first pattern, a checker of two greys
    EXPECT_EQ(Colours(both->hWnd), checker);
    EXPECT_EQ(Colours(g->hWnd), gray);
    EXPECT_GT(Colours(steel->hWnd).size(), 1u);
    EXPECT_NE(Colours(steel->hWnd), checker);
    // "@LIGHT" wins over "@OUT": one pixel, white and shadow
    ViewGuard light(Painted("@3D3@LIGHT@OUT")), out(Painted("@3D3@OUT"));
    EXPECT_EQ(PixelAt(light->hWnd, 0, 5), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(light->hWnd, 119, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelAt(light->hWnd, 1, 5), GetSysColor(COLOR_3DLIGHT));
    // "@OUT" is white and shadow only where the device reports more than two
    // colours; a true-colour screen reports -1 and gets two black rings
    for (int x : {0, 1, 118, 119}) EXPECT_EQ(PixelAt(out->hWnd, x, 5), RGB(0, 0, 0)) << x;
    EXPECT_EQ(PixelAt(out->hWnd, 5, 2), GetSysColor(COLOR_3DLIGHT));
}

TEST(Painting, FieldsTakeTheirColoursAndTheFocusedOneItsSelectionColoursUnderSelColors) {
    ViewGuard v(Painted(""));
    vwSetFieldEx(v.get(), 5, "edit", "x", WS_VISIBLE, 0, 0, 0, 40, 10, nullptr, nullptr);
    vwSetFieldColors(v.get(), 5, RGB(1, 2, 3), RGB(200, 10, 10), RGB(4, 5, 6), RGB(10, 200, 10));
    HWND e = vwGetFieldWindow(v.get(), 5);
    SetFocus(e);
    HDC dc = GetDC(e);
    auto ask = [&](UINT msg) {
        SetTextColor(dc, 0);
        SetBkColor(dc, 0);
        const LRESULT brush = SendMessageA(v->hWnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(e));
        return std::vector<LONG_PTR>{brush, static_cast<LONG_PTR>(GetTextColor(dc)), static_cast<LONG_PTR>(GetBkColor(dc))};
    };
    const auto plain = std::vector<LONG_PTR>{reinterpret_cast<LONG_PTR>(vwGetFieldBackBrush(v.get(), 5)), RGB(1, 2, 3),
                                             RGB(200, 10, 10)};
    EXPECT_EQ(ask(WM_CTLCOLOREDIT), plain);
    EXPECT_EQ(ask(VWM_CTLCOLOR), plain);
    vwSetViewString(v.get(), "@SELCOLORS");
    EXPECT_EQ(ask(WM_CTLCOLOREDIT), (std::vector<LONG_PTR>{reinterpret_cast<LONG_PTR>(vwGetFieldSelBackBrush(v.get(), 5)),
                                                            RGB(4, 5, 6), RGB(10, 200, 10)}));
    ReleaseDC(e, dc);
}

TEST(Painting, SharedBrushesLiveUntilWepZeroAndAViewReleasesItsOwnFonts) {
    ViewGuard v(vwCreateView(Instance(), "Full41", nullptr, nullptr, 0)), plain(Painted("@CTL3D"));
    HDC dc = GetDC(plain->hWnd);
    HBRUSH gray = reinterpret_cast<HBRUSH>(SendMessageA(plain->hWnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(plain->hWnd, dc);
    LOGBRUSH lb = {};
    ASSERT_TRUE(GetObjectA(gray, sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_3DLIGHT));  // a solid brush on Windows 4 and later
    // the view font, the field's and the text field's fonts the record made
    const HGDIOBJ fonts[] = {reinterpret_cast<HGDIOBJ>(SendMessageA(v->hWnd, WM_GETFONT, 0, 0)),
                             reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(v->hWnd, 102, WM_GETFONT, 0, 0)),
                             vwGetTextFieldFont(v.get(), 1)};
    v.reset();
    for (HGDIOBJ f : fonts) EXPECT_EQ(GetObjectType(f), 0u);
    EXPECT_EQ(WEP(1), 1);
    EXPECT_EQ(GetObjectType(gray), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(WEP(0), 1);
    EXPECT_EQ(GetObjectType(gray), 0u);
}

namespace {

// Writes a solid 8 x 8 bitmap file and returns its path without ".bmp".
std::string WriteBitmapFile(const char* stem, BYTE r, BYTE g, BYTE b) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    const std::string path = std::string(tmp) + stem;
    BYTE file[54 + 8 * 24] = {'B', 'M'};
    file[2] = sizeof file;
    file[10] = 54;
    const BITMAPINFOHEADER bi = {sizeof bi, 8, 8, 1, 24, BI_RGB, 8 * 24, 0, 0, 0, 0};
    std::memcpy(file + 14, &bi, sizeof bi);
    for (int i = 54; i < static_cast<int>(sizeof file); i += 3) file[i] = b, file[i + 1] = g, file[i + 2] = r;
    FILE* f = std::fopen((path + ".bmp").c_str(), "wb");
    std::fwrite(file, 1, sizeof file, f);
    std::fclose(f);
    return path;
}

std::string g_rename;
LRESULT CALLBACK RenameBitmap(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_FINDBITMAP && !g_rename.empty()) return lstrcpynA(reinterpret_cast<char*>(l), g_rename.c_str(), 240), 0;
    return DefViewProc(h, m, w, l);
}

} // namespace

TEST(Painting, BitmapBackgroundsFromResourcesAndFilesMayBeRenamedOrAreReported) {
    ViewGuard picture(Painted("@BITMAP(red16)")), stretched(Painted("@BITMAP(red16)@STRETCH"));
    ViewGuard brush(Painted("@BITBRUSH(red16)@STRETCH"));  // a brush tiles
    EXPECT_EQ(PixelAt(picture->hWnd, 3, 3), RGB(255, 0, 0));
    EXPECT_NE(PixelAt(picture->hWnd, 40, 40), RGB(255, 0, 0));  // outside the picture
    EXPECT_EQ(PixelAt(stretched->hWnd, 100, 60), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(brush->hWnd, 100, 60), RGB(255, 0, 0));
    const std::string blue = WriteBitmapFile("tsblue", 0, 0, 255), green = WriteBitmapFile("tsgreen", 0, 255, 0);
    ViewGuard file(Painted(("@BITMAP(" + blue + ")").c_str()));  // ".bmp" is added
    EXPECT_EQ(PixelAt(file->hWnd, 3, 3), RGB(0, 0, 255));
    HBITMAP shown = static_cast<HBITMAP>(GetPropA(file->hWnd, "BITMAP"));
    file.reset();
    EXPECT_EQ(GetObjectType(shown), 0u);  // deleted with the window

    g_rename = green + ".bmp";
    ViewGuard v(Painted("@BITMAP(nothere)", RenameBitmap));
    EXPECT_EQ(PixelAt(v->hWnd, 3, 3), RGB(0, 255, 0));
    MessageBoxCapture boxes;
    g_rename.clear();
    vwSetViewString(v.get(), "@BITMAP(nothere)");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Tessarine");
    EXPECT_EQ(boxes.boxes()[0].text,
              "Unable to load background bitmap from resources.\nBitmap:nothere\nCheck for bitmap file or bitmap resource.");
    UpdateWindow(v->hWnd);
    EXPECT_EQ(PixelAt(v->hWnd, 3, 3), RGB(0, 255, 0));  // the view keeps its background
    for (const std::string& f : {blue, green}) DeleteFileA((f + ".bmp").c_str());
}
