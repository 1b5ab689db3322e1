// 3-D frames around fields, checked on the view's pixels.
#include <gtest/gtest.h>

#include "testapp.h"

using namespace tstest;

namespace {

struct Frames : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "frames", WS_POPUP, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 10, 10, 260, 160, FALSE);
        vwSetViewBackBrush(view.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ShowWindow(view->hWnd, SW_SHOWNA);
    }
    RECT Field(LONG id, const char* cls, const char* directives, int y) {
        vwSetFieldEx(view.get(), id, cls, "txt", WS_VISIBLE, 0, 20, y, 60, 12, nullptr, nullptr);
        vwSetFieldString(view.get(), id, directives);
        RedrawWindow(view->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT rc;
        GetWindowRect(vwGetFieldWindow(view.get(), id), &rc);
        MapWindowPoints(nullptr, view->hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    COLORREF At(int x, int y) { return PixelAt(view->hWnd, x, y); }
    ViewGuard view;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF white = RGB(255, 255, 255);
};

} // namespace

TEST_F(Frames, SunkenEtchedAndShadowedAroundOtherControls) {
    RECT s = Field(1, "static", "@3d", 10);  // any case
    const int y = s.top + 3;
    EXPECT_EQ(At(s.left - 2, y), shadow);
    EXPECT_EQ(At(s.left - 1, y), shadow);
    EXPECT_EQ(At(s.right + 1, y), white);
    RECT e = Field(2, "static", "@3D4@3D2x", 40);  // "@3D2" comes first in the search
    EXPECT_EQ(At(e.right + 2, e.top + 8), shadow);  // the shadow to the right
    RECT t = Field(3, "static", "@3D4", 70);
    EXPECT_EQ(At(t.left - 2, t.top + 3), shadow);  // etched: outer shadow, inner white
    EXPECT_EQ(At(t.left - 1, t.top + 3), white);
    EXPECT_EQ(At(t.right, t.top + 3), shadow);
    EXPECT_EQ(At(t.right + 1, t.top + 3), white);
}

TEST_F(Frames, EditsAndTheErasingOfHiddenFrames) {
    RECT r = Field(4, "edit", "@3D3", 10);  // raised: left white, right shadow
    EXPECT_EQ(At(r.left - 2, r.top + 3), white);
    EXPECT_EQ(At(r.right + 1, r.top + 3), shadow);
    RECT s = Field(5, "edit", "@3D", 40);
    EXPECT_EQ(At(s.left - 2, s.top + 3), shadow);
    ShowWindow(vwGetFieldWindow(view.get(), 5), SW_HIDE);  // the frame goes with the control
    UpdateWindow(view->hWnd);
    EXPECT_EQ(At(s.left - 2, s.top + 3), white);
}

TEST_F(Frames, ClientEdgeAndTheEditThatIgnoresIt) {
    RECT c = Field(6, "static", "@3D5", 10);  // style 16: the system's sunken edge, two pixels out
    const int y = c.top + 3;
    EXPECT_EQ(At(c.left - 2, y), shadow);
    EXPECT_EQ(At(c.left - 1, y), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(c.right, y), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(At(c.right + 1, y), GetSysColor(COLOR_BTNHIGHLIGHT));
    // an edit with "@3D5" looks exactly like one without any "@3D"
    RECT a = Field(7, "edit", "@3D5", 40);
    RECT b = Field(8, "edit", "", 70);
    for (int dx = -3; dx <= 3; ++dx) {
        EXPECT_EQ(At(a.left + dx, a.top + 4), At(b.left + dx, b.top + 4)) << dx;
        EXPECT_EQ(At(a.right - 1 + dx, a.top + 4), At(b.right - 1 + dx, b.top + 4)) << dx;
    }
    EXPECT_NE(At(b.left - 1, b.top + 4), RGB(255, 255, 255));  // and that look has an edge
}
