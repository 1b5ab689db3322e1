// Picture buttons, their pressed look and status text; statics and scroll
// bars.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "testapp.h"

using namespace tstest;

namespace {

// A solid 24-bit picture file.
void WriteBmp(const char* path, int w, int h, COLORREF c) {
    const int row = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + row * h;
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::vector<BYTE> pixels(static_cast<std::size_t>(row * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            BYTE* p = &pixels[static_cast<std::size_t>(y * row + x * 3)];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    FILE* f = std::fopen(path, "wb");
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::fwrite(pixels.data(), pixels.size(), 1, f);
    std::fclose(f);
}

struct Buttons : ::testing::Test {
    void SetUp() override {
        WriteBmp("redpic.bmp", 8, 8, RGB(255, 0, 0));
        WriteBmp("bluepic.bmp", 8, 8, RGB(0, 0, 255));
        CreateDirectoryA("art.d", nullptr);
        WriteBmp("art.d\\logo", 8, 8, RGB(0, 255, 0));
        view.reset(vwOpenView(Instance(), "buttons", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 0, 0, 300, 200, FALSE);
        vwSetFieldEx(view.get(), 1, "button", "", BS_PUSHBUTTON | WS_VISIBLE, 0, 4, 4, 60, 40, nullptr, nullptr);
        vwShowView(view.get());
        button = vwGetFieldWindow(view.get(), 1);
    }
    void TearDown() override {
        view.reset();
        DeleteFileA("redpic.bmp");
        DeleteFileA("bluepic.bmp");
        DeleteFileA("art.d\\logo");
        RemoveDirectoryA("art.d");
    }
    COLORREF At(int x, int y) { return PixelAt(button, x, y); }
    void Blank() {
        HDC dc = GetDC(button);
        RECT rc;
        GetClientRect(button, &rc);
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(button, dc);
    }
    int PictureLeft() { return (vwGetFieldWidth(view.get(), 1) - 8) / 2; }
    ViewGuard view;
    HWND button = nullptr;
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
};

} // namespace

TEST_F(Buttons, IconsFromStockNamesAndPicturesFromFiles) {
    HICON question = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_QUESTION));
    vwSetFieldString(view.get(), 1, "@ICON(QUESTION)");
    EXPECT_EQ(GetPropA(button, "ICON"), question);
    vwSetFieldString(view.get(), 1, "@ICON(question)");
    EXPECT_EQ(GetPropA(button, "ICON"), question);
    vwSetFieldString(view.get(), 1, "@ICON(nothing.ico)");  // at worst the application icon
    EXPECT_EQ(GetPropA(button, "ICON"), LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));

    vwSetFieldString(view.get(), 1, "@BITMAP(redpic)");  // ".bmp" added
    EXPECT_EQ(GetPropA(button, "ICON"), nullptr);
    HANDLE first = GetPropA(button, "BITMAP");
    ASSERT_NE(first, nullptr);
    UpdateWindow(button);
    EXPECT_EQ(At(PictureLeft() + 3, 7), red);
    vwSetFieldString(view.get(), 1, "@BITMAP(art.d\\logo)");  // a name with a '.' is taken as it is
    EXPECT_EQ(GetObjectType(first), 0u);                    // the old picture was deleted
    ASSERT_NE(GetPropA(button, "BITMAP"), nullptr);
    UpdateWindow(button);
    EXPECT_EQ(At(PictureLeft() + 3, 7), RGB(0, 255, 0));
    vwSetFieldString(view.get(), 1, "@BITMAP(missing)");  // nothing found: an ordinary button
    EXPECT_EQ(GetPropA(button, "BITMAP"), nullptr);
}

TEST_F(Buttons, DisabledPictureAndProtection) {
    vwSetFieldString(view.get(), 1, "@BITMAP(redpic)@DISABLE(bluepic)");
    UpdateWindow(button);
    EXPECT_EQ(At(PictureLeft() + 3, 7), red);
    EnableWindow(button, FALSE);
    UpdateWindow(button);
    EXPECT_EQ(At(PictureLeft() + 3, 7), blue);
    EXPECT_TRUE(vwIsFieldProtected(view.get(), 1));
    EnableWindow(button, TRUE);
    UpdateWindow(button);
    EXPECT_EQ(At(PictureLeft() + 3, 7), red);
    EXPECT_FALSE(vwIsFieldProtected(view.get(), 1));
}

TEST_F(Buttons, PressedLookFollowsTheHeldMouse) {
    vwSetFieldString(view.get(), 1, "@BITMAP(redpic)");
    UpdateWindow(button);
    const int x0 = PictureLeft();
    auto pressedShown = [&] { return At(x0 + 9, 13) == red && At(x0, 4) != red; };
    auto normalShown = [&] { return At(x0, 4) == red && At(x0 + 9, 13) != red; };
    Blank();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(pressedShown());
    Blank();
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 10));  // dragged out
    EXPECT_TRUE(normalShown());
    Blank();
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));  // and back in
    EXPECT_TRUE(pressedShown());
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

TEST_F(Buttons, CaptionMnemonicIsUnderlined) {
    // the same caption with and without '&': only the first underlines S
    auto blackInRow = [&](const char* dirs) {
        vwSetFieldString(view.get(), 1, dirs);
        RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT rc;
        GetClientRect(button, &rc);
        int n = 0;
        for (int x = 0; x < rc.right; ++x) n += At(x, rc.bottom - 6) == RGB(0, 0, 0);
        return n;
    };
    const int plain = blackInRow("@BITMAP(redpic)@TXT(Save)");
    const int marked = blackInRow("@BITMAP(redpic)@TXT(&Save)");
    EXPECT_GT(marked, plain + 2);
}

TEST_F(Buttons, StatusTextOncePerButton) {
    HWND status = CreateWindowA("static", "", WS_CHILD, 0, 180, 200, 12, view->hWnd, nullptr, Instance(), nullptr);
    view->hDSLWindow = status;
    vwSetFieldString(view.get(), 1, "@DSL(Saves the file)");
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(TextOf(status), "Saves the file");
    SetWindowTextA(status, "other");
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    EXPECT_EQ(TextOf(status), "other");  // not written again while on the same button
    vwSetFieldEx(view.get(), 2, "button", "", BS_PUSHBUTTON | WS_VISIBLE, 0, 80, 4, 40, 14, nullptr, nullptr);
    SendMessageA(vwGetFieldWindow(view.get(), 2), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(TextOf(status), "");  // a button without "@DSL" clears it
    view->hDSLWindow = nullptr;
}

namespace {
int g_staticClicks = 0;
LRESULT CALLBACK CountClicks(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND && HIWORD(w) == STN_CLICKED) ++g_staticClicks;
    return DefViewProc(h, m, w, l);
}
} // namespace

TEST(StaticsAndScrollBars, ClicksGoToDragAndDropOnly) {
    ViewGuard v(vwOpenView(Instance(), "statics", WS_POPUP | WS_VISIBLE, nullptr, CountClicks, 0));
    vwSetFieldEx(v.get(), 1, "static", "s", SS_NOTIFY | WS_VISIBLE, 0, 4, 4, 40, 10, nullptr, nullptr);
    vwSetFieldEx(v.get(), 2, "scrollbar", "", SBS_HORZ | WS_VISIBLE, 0, 4, 20, 60, 10, nullptr, nullptr);
    HWND s = vwGetFieldWindow(v.get(), 1), sb = vwGetFieldWindow(v.get(), 2);
    // a notifying static would report the click to the view: it never sees it
    SendMessageA(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(s, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(g_staticClicks, 0);
    CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(s, GCLP_WNDPROC)), s, WM_LBUTTONDOWN, MK_LBUTTON,
                    MAKELPARAM(2, 2));
    EXPECT_EQ(g_staticClicks, 1);  // which the class itself would have reported
    char buf[8] = "x";
    EXPECT_EQ(SendMessageA(sb, VWM_GETFIELDSTRING, sizeof buf, reinterpret_cast<LPARAM>(buf)), 0);
    EXPECT_STREQ(buf, "");
    vwSetFieldString(v.get(), 2, "@PRT");
    EXPECT_FALSE(IsWindowEnabled(sb));
    vwSetFieldString(v.get(), 2, "");
    EXPECT_TRUE(IsWindowEnabled(sb));
}
