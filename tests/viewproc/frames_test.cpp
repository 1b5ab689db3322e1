// 3-D frames around fields, checked on the view's pixels.
#include <gtest/gtest.h>

#include "testapp.h"

using namespace tstest;

namespace {

struct Frames : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "frames", WS_POPUP, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 10, 10, 400, 240, FALSE);
        vwSetViewBackBrush(view.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ShowWindow(view->hWnd, SW_SHOWNA);
    }
    RECT Field(LONG id, const char* cls, const char* directives, int y, int x = 20) {
        vwSetFieldEx(view.get(), id, cls, "txt", WS_VISIBLE, 0, x, y, 60, 12, nullptr, nullptr);
        vwSetFieldString(view.get(), id, directives);
        RedrawWindow(view->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT rc;
        GetWindowRect(vwGetFieldWindow(view.get(), id), &rc);
        MapWindowPoints(nullptr, view->hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    void Hide(LONG id) {
        ShowWindow(vwGetFieldWindow(view.get(), id), SW_HIDE);  // the frame goes with the control
        UpdateWindow(view->hWnd);
    }
    COLORREF At(int x, int y) { return PixelAt(view->hWnd, x, y); }
    ViewGuard view;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), white = RGB(255, 255, 255);
};

} // namespace

TEST_F(Frames, SunkenEtchedRaisedAndShadowedFramesGoWithTheirControls) {
    const RECT s = Field(1, "static", "@3d", 10);  // any case: sunken, two pixels of shadow, white below right
    EXPECT_EQ(At(s.left - 2, s.top + 3), shadow);
    EXPECT_EQ(At(s.left - 1, s.top + 3), shadow);
    EXPECT_EQ(At(s.right + 1, s.top + 3), white);
    const RECT t = Field(2, "static", "@3D4", 40);  // etched: outer shadow, inner white
    EXPECT_EQ(At(t.left - 2, t.top + 3), shadow);
    EXPECT_EQ(At(t.left - 1, t.top + 3), white);
    EXPECT_EQ(At(t.right, t.top + 3), shadow);
    EXPECT_EQ(At(t.right + 1, t.top + 3), white);
    const RECT r = Field(3, "edit", "@3D3", 70);  // raised: left white, right shadow
    EXPECT_EQ(At(r.left - 2, r.top + 3), white);
    EXPECT_EQ(At(r.right + 1, r.top + 3), shadow);
    // shadowed ("@3D2" comes first in the search): four pixels to the right and below
    const RECT d = Field(4, "static", "@3D4@3D2x", 10, 100);
    for (int dx : {1, 2, 3}) EXPECT_EQ(At(d.right + dx, d.top + 8), shadow) << dx;
    for (int dy : {1, 2, 3}) EXPECT_EQ(At(d.left + 8, d.bottom + dy), shadow) << dy;
    Hide(1);
    Hide(4);
    EXPECT_EQ(At(s.left - 2, s.top + 3), white);
    for (int dx : {1, 2, 3}) EXPECT_EQ(At(d.right + dx, d.top + 8), white) << dx;
    for (int dy : {1, 2, 3}) EXPECT_EQ(At(d.left + 8, d.bottom + dy), white) << dy;
}

TEST_F(Frames, ClientEdgeAndTheEditThatIgnoresIt) {
    const RECT c = Field(6, "static", "@3D5", 10);  // style 16: the system's sunken edge, two pixels out
    const int y = c.top + 3;
    EXPECT_EQ(At(c.left - 2, y), shadow);
    EXPECT_EQ(At(c.left - 1, y), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(c.right, y), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(At(c.right + 1, y), GetSysColor(COLOR_BTNHIGHLIGHT));
    // an edit with "@3D5" looks exactly like one without any "@3D"
    const RECT a = Field(7, "edit", "@3D5", 40), b = Field(8, "edit", "", 70);
    for (int dx = -3; dx <= 3; ++dx) {
        EXPECT_EQ(At(a.left + dx, a.top + 4), At(b.left + dx, b.top + 4)) << dx;
        EXPECT_EQ(At(a.right - 1 + dx, a.top + 4), At(b.right - 1 + dx, b.top + 4)) << dx;
    }
    EXPECT_NE(At(b.left - 1, b.top + 4), white);  // and that look has an edge
}
