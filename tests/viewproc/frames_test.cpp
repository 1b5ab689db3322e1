// 3-D frames around fields, checked on the view's pixels.
#include <gtest/gtest.h>

#include <vector>

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
    RECT Field(LONG id, const char* cls, const char* directives, int x, int y) {
        vwSetFieldEx(view.get(), id, cls, "txt", WS_VISIBLE, 0, x, y, 60, 12, nullptr, nullptr);
        vwSetFieldString(view.get(), id, directives);
        RedrawWindow(view->hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT rc;
        GetWindowRect(vwGetFieldWindow(view.get(), id), &rc);
        MapWindowPoints(nullptr, view->hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    COLORREF At(int x, int y) { return PixelAt(view->hWnd, x, y); }
    ViewGuard view;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), white = RGB(255, 255, 255);
};

} // namespace

TEST_F(Frames, SunkenEtchedRaisedShadowedAndEdgedFramesGoWithTheirControls) {
    const RECT s = Field(1, "static", "@3d", 20, 10);  // any case: sunken, two pixels of shadow
    EXPECT_EQ(std::vector<COLORREF>({At(s.left - 2, s.top + 3), At(s.left - 1, s.top + 3), At(s.right + 1, s.top + 3)}),
              (std::vector<COLORREF>{shadow, shadow, white}));
    const RECT t = Field(2, "static", "@3D4", 20, 40);  // etched: outer shadow, inner white
    EXPECT_EQ(std::vector<COLORREF>({At(t.left - 2, t.top + 3), At(t.left - 1, t.top + 3), At(t.right, t.top + 3),
                                     At(t.right + 1, t.top + 3)}),
              (std::vector<COLORREF>{shadow, white, shadow, white}));
    const RECT r = Field(3, "edit", "@3D3", 20, 70);  // raised: left white, right shadow
    EXPECT_EQ(std::vector<COLORREF>({At(r.left - 2, r.top + 3), At(r.right + 1, r.top + 3)}),
              (std::vector<COLORREF>{white, shadow}));
    // shadowed ("@3D2" comes first in the search): pixels 1 to 3 right and below
    const RECT d = Field(4, "static", "@3D4@3D2x", 100, 10);
    auto shade = [&] {
        return std::vector<COLORREF>({At(d.right + 1, d.top + 8), At(d.right + 3, d.top + 8), At(d.left + 8, d.bottom + 3)});
    };
    EXPECT_EQ(shade(), std::vector<COLORREF>(3, shadow));
    for (LONG id : {1, 4}) ShowWindow(vwGetFieldWindow(view.get(), id), SW_HIDE);  // the frames go with them
    UpdateWindow(view->hWnd);
    EXPECT_EQ(At(s.left - 2, s.top + 3), white);
    EXPECT_EQ(shade(), std::vector<COLORREF>(3, white));
    // "@3D5": the system's sunken edge, two pixels out, but an edit looks as without any "@3D"
    const RECT c = Field(6, "static", "@3D5", 100, 40);
    EXPECT_EQ(std::vector<COLORREF>({At(c.left - 2, c.top + 3), At(c.left - 1, c.top + 3), At(c.right, c.top + 3),
                                     At(c.right + 1, c.top + 3)}),
              (std::vector<COLORREF>{shadow, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT),
                                     GetSysColor(COLOR_BTNHIGHLIGHT)}));
    const RECT a = Field(7, "edit", "@3D5", 100, 70), b = Field(8, "edit", "", 100, 100);
    for (int dx = -3; dx <= 3; ++dx) {
        EXPECT_EQ(At(a.left + dx, a.top + 4), At(b.left + dx, b.top + 4)) << dx;
        EXPECT_EQ(At(a.right - 1 + dx, a.top + 4), At(b.right - 1 + dx, b.top + 4)) << dx;
    }
    EXPECT_NE(At(b.left - 1, b.top + 4), white);  // and that look has an edge
}
