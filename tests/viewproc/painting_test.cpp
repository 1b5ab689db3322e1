// Backgrounds and frames of views, checked by their pixels, field colours,
// the fonts a view releases.
#include <gtest/gtest.h>

#include <cstdio>
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
// A solid green 8 x 8 picture in the temporary folder; its path without ".bmp".
std::string GreenBitmapFile() {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    BYTE file[54 + 8 * 24] = {'B', 'M', sizeof file, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // then the picture's header
                              40, 0, 0, 0, 8, 0, 0, 0, 8, 0, 0, 0, 1, 0, 24};         // and blue, green, red
    for (int i = 55; i < static_cast<int>(sizeof file); i += 3) file[i] = 255;
    FILE* f = std::fopen((std::string(tmp) + "tsgreen.bmp").c_str(), "wb");
    std::fwrite(file, 1, sizeof file, f);
    std::fclose(f);
    return std::string(tmp) + "tsgreen";
}
// What a colour request answers: the brush, the text and background colours.
std::vector<LONG_PTR> Answer(HBRUSH b, COLORREF text, COLORREF bk) { return {LONG_PTR(b), LONG_PTR(text), LONG_PTR(bk)}; }
std::string g_rename;
LRESULT CALLBACK RenameBitmap(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_FINDBITMAP && !g_rename.empty()) return lstrcpynA(reinterpret_cast<char*>(l), g_rename.c_str(), 240), 0;
    return DefViewProc(h, m, w, l);
}

} // namespace

TEST(Painting, BackgroundStylesExcludeEachOtherAndFramesGoWithThem) {
    const std::set<COLORREF> checker = {RGB(192, 192, 192), RGB(224, 224, 224)}, gray = {GetSysColor(COLOR_3DLIGHT)};
    ViewGuard p1(Painted("@3D2")), both(Painted("@3D2@3D")), g(Painted("@3D3")), steel(Painted("@3D"));
    EXPECT_EQ(Colours(p1->hWnd), checker);  // the first pattern, a checker of two greys
    EXPECT_EQ(Colours(both->hWnd), checker);
    EXPECT_EQ(Colours(g->hWnd), gray);
    EXPECT_GT(Colours(steel->hWnd).size(), 1u);
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

TEST(Painting, FieldsTakeTheirColoursTheFocusedOneItsSelectionColoursUnderSelColors) {
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
        return Answer(reinterpret_cast<HBRUSH>(brush), GetTextColor(dc), GetBkColor(dc));
    };
    EXPECT_EQ(ask(WM_CTLCOLOREDIT), Answer(vwGetFieldBackBrush(v.get(), 5), RGB(1, 2, 3), RGB(200, 10, 10)));
    EXPECT_EQ(ask(VWM_CTLCOLOR), ask(WM_CTLCOLOREDIT));
    vwSetViewString(v.get(), "@SELCOLORS");
    EXPECT_EQ(ask(WM_CTLCOLOREDIT), Answer(vwGetFieldSelBackBrush(v.get(), 5), RGB(4, 5, 6), RGB(10, 200, 10)));
    ReleaseDC(e, dc);
    // a view releases the fonts it made: its own, and the field's and text field's of a record
    v.reset(vwCreateView(Instance(), "Full41", nullptr, nullptr, 0));
    const HGDIOBJ fonts[] = {reinterpret_cast<HGDIOBJ>(SendMessageA(v->hWnd, WM_GETFONT, 0, 0)),
                             reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(v->hWnd, 102, WM_GETFONT, 0, 0)),
                             vwGetTextFieldFont(v.get(), 1)};
    v.reset();
    for (HGDIOBJ f : fonts) EXPECT_EQ(GetObjectType(f), 0u);
}

TEST(Painting, BitmapBackgroundsFromResourcesAndFilesMayBeRenamedOrAreReported) {
    ViewGuard picture(Painted("@BITMAP(red16)")), stretched(Painted("@BITMAP(red16)@STRETCH"));
    ViewGuard brush(Painted("@BITBRUSH(red16)@STRETCH"));  // a brush tiles
    EXPECT_EQ(std::vector<COLORREF>({PixelAt(picture->hWnd, 3, 3), PixelAt(stretched->hWnd, 100, 60),
                                     PixelAt(brush->hWnd, 100, 60)}), std::vector<COLORREF>(3, RGB(255, 0, 0)));
    EXPECT_NE(PixelAt(picture->hWnd, 40, 40), RGB(255, 0, 0));  // outside the picture
    const std::string green = GreenBitmapFile();
    ViewGuard file(Painted(("@BITMAP(" + green + ")").c_str()));  // ".bmp" is added
    EXPECT_EQ(PixelAt(file->hWnd, 3, 3), RGB(0, 255, 0));
    HBITMAP shown = static_cast<HBITMAP>(GetPropA(file->hWnd, "BITMAP"));
    file.reset();
    EXPECT_EQ(GetObjectType(shown), 0u);  // deleted with the window
    g_rename = green + ".bmp";  // a name the procedure renames, or a missing one reported
    ViewGuard v(Painted("@BITMAP(nothere)", RenameBitmap));
    EXPECT_EQ(PixelAt(v->hWnd, 3, 3), RGB(0, 255, 0));
    MessageBoxCapture boxes;
    g_rename.clear();
    vwSetViewString(v.get(), "@BITMAP(nothere)");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption + "|" + boxes.boxes()[0].text, "Tessarine|Unable to load background bitmap from "
              "resources.\nBitmap:nothere\nCheck for bitmap file or bitmap resource.");
    UpdateWindow(v->hWnd);
    EXPECT_EQ(PixelAt(v->hWnd, 3, 3), RGB(0, 255, 0));  // the view keeps its background
    DeleteFileA((green + ".bmp").c_str());
}
