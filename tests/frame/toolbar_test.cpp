// Toolbars on the edges of a frame window: layout, attachment rules, the
// layout rectangle, commands to the frame and the view-string directives.
#include <gtest/gtest.h>

#include <vector>

#include "beep.h"
#include "testapp.h"

using namespace tstest;

namespace {

std::vector<WPARAM> g_frameCommands;
LRESULT CALLBACK FrameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND && l == 0) g_frameCommands.push_back(w);
    return DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK ToolButton(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

struct ToolBars : ::testing::Test {
    void SetUp() override {
        RegisterTestClass("tsFrame", FrameProc);
        RegisterTestClass("tsButton32", ToolButton);
        frame = CreateWindowA("tsFrame", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr, nullptr,
                              Instance(), nullptr);
    }
    void TearDown() override { DestroyWindow(frame); }
    RECT Placement(HVIEW tb) {
        RECT rc;
        GetWindowRect(tb->hWnd, &rc);
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    // the toolbar keeps its own height (top, bottom) or width (sides)
    void Resize(HVIEW tb, int cx, int cy) { SetWindowPos(tb->hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER); }
    HWND frame = nullptr;
};

void ExpectRect(const RECT& rc, int l, int t, int r, int b) {
    EXPECT_EQ(rc.left, l);
    EXPECT_EQ(rc.top, t);
    EXPECT_EQ(rc.right, r);
    EXPECT_EQ(rc.bottom, b);
}

} // namespace

TEST_F(ToolBars, EdgesShareTheClientAreaAndTheMdiClientGetsTheRest) {
    HVIEW top = vwSetViewToolBar(frame, "TOOLTOP", nullptr, VWTB_TOP);
    HVIEW bottom = vwSetViewToolBar(frame, "TOOLBOT", nullptr, VWTB_BOTTOM);
    HVIEW left = vwSetViewToolBar(frame, "TOOLSIDE", nullptr, VWTB_LEFT);
    ASSERT_TRUE(top && bottom && left);
    EXPECT_EQ(GetParent(top->hWnd), frame);
    EXPECT_EQ(static_cast<DWORD>(StyleOf(top->hWnd)) & 0xFFFF0000UL,
              static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER));
    EXPECT_FALSE(StyleOf(left->hWnd) & WS_BORDER);  // the border comes from the template only
    Resize(top, 400, 30);
    Resize(bottom, 400, 20);
    Resize(left, 50, 100);
    EXPECT_EQ(vwSizeToolBars(frame), 1);
    ExpectRect(Placement(top), 0, 0, 400, 30);
    ExpectRect(Placement(bottom), 0, 280, 400, 300);
    ExpectRect(Placement(left), 0, 30, 50, 280);

    HWND client = CreateWindowA("static", "", WS_CHILD, 0, 0, 1, 1, frame, nullptr, Instance(), nullptr);
    EXPECT_EQ(vwSizeMDIClient(frame, client, FALSE), 1);
    RECT rc;
    GetWindowRect(client, &rc);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rc), 2);
    ExpectRect(rc, 50, 30, 400, 280);

    // each toolbar takes itself off the layout rectangle on its own edge
    VWLAYOUT layout{0, {0, 0, 400, 300}};
    for (HVIEW tb : {top, bottom, left}) SendMessageA(tb->hWnd, VWM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    ExpectRect(layout.rect, 50, 30, 400, 280);
}

TEST_F(ToolBars, OneToolBarPerEdge) {
    HVIEW top = vwSetViewToolBar(frame, "TOOLTOP", nullptr, VWTB_TOP);
    ASSERT_TRUE(top);
    EXPECT_EQ(vwSetViewToolBar(frame, "TOOLSIDE", nullptr, VWTB_TOP | VWTB_LEFT), nullptr);
    EXPECT_EQ(vwGetViewToolBar(frame, VWTB_LEFT), nullptr);
    EXPECT_EQ(vwSetViewToolBar(frame, "NOSUCHBAR", nullptr, VWTB_RIGHT), nullptr);
    EXPECT_EQ(vwGetViewToolBar(frame, 0), nullptr);
    EXPECT_EQ(vwGetViewToolBar(frame, VWTB_BOTTOM | VWTB_TOP), top);

    // a view put over an existing toolbar: the old one is returned, alive
    HVIEW other = vwCreateView(Instance(), "TOOLSIDE", frame, nullptr, 0);
    ASSERT_TRUE(other);
    EXPECT_EQ(vwSetToolBarView(frame, other, VWTB_TOP), top);
    EXPECT_TRUE(IsWindow(top->hWnd));
    EXPECT_EQ(vwGetViewToolBar(frame, VWTB_TOP), other);

    HVIEW bottom = vwSetViewToolBar(frame, "TOOLBOT", nullptr, VWTB_BOTTOM);
    EXPECT_EQ(RemovePropA(frame, "TBTOP"), other);  // leave only the bottom one
    EXPECT_EQ(vwRemoveToolBar(frame, VWTB_TOP | VWTB_BOTTOM), 0);
    EXPECT_EQ(vwGetViewToolBar(frame, VWTB_BOTTOM), bottom);
    EXPECT_EQ(vwRemoveToolBar(frame, VWTB_BOTTOM), 1);
    EXPECT_EQ(GetPropA(frame, "TBBOTTOM"), nullptr);
    DestroyWindow(top->hWnd);
    DestroyWindow(other->hWnd);
}

TEST_F(ToolBars, MarkedButtonsCommandTheFrame) {
    HVIEW top = vwSetViewToolBar(frame, "TOOLTOP", nullptr, VWTB_TOP);
    ASSERT_TRUE(top);
    for (LONG id : {301, 302}) {
        HWND button = vwGetFieldWindow(top, id);
        ASSERT_TRUE(button);
        SendMessageA(top->hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    ASSERT_EQ(g_frameCommands.size(), 1u);  // only the button with style bit 0x1000
    EXPECT_EQ(g_frameCommands[0], 301u);
}

TEST_F(ToolBars, ViewStringsAttachToolBarsThatDoNotNest) {
    ViewGuard host(vwCreateView(Instance(), "HOST", nullptr, nullptr, 0));
    ASSERT_TRUE(host);
    HVIEW bottom = vwGetViewToolBar(host->hWnd, VWTB_BOTTOM);
    ASSERT_TRUE(bottom);
    EXPECT_EQ(GetParent(bottom->hWnd), host->hWnd);
    EXPECT_EQ(vwGetViewToolBar(bottom->hWnd, VWTB_TOP), nullptr);  // its own "@TB_TOP" is ignored
    EXPECT_EQ(vwGetViewToolBar(host->hWnd, VWTB_TOP), nullptr);

    // a view with a toolbar does not scroll: it beeps
    vwShowView(host.get());
    BeepRecorder beeps;
    SendMessageA(host->hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(GetScrollPos(host->hWnd, SB_VERT), 0);

    // the view lays out its toolbars when it is resized
    MoveWindow(host->hWnd, 0, 0, 300, 200, TRUE);
    RECT rc;
    GetWindowRect(bottom->hWnd, &rc);
    MapWindowPoints(nullptr, host->hWnd, reinterpret_cast<POINT*>(&rc), 2);
    RECT client;
    GetClientRect(host->hWnd, &client);
    EXPECT_EQ(rc.bottom, client.bottom);
    EXPECT_EQ(rc.right, client.right);
}
