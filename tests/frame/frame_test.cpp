// Frame windows: toolbars on their edges, and views as MDI children.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "beep.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

HWND g_client = nullptr;
std::vector<UINT> g_seen;  // commands reaching the frame, messages reaching a child's procedure
LRESULT CALLBACK FrameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND && l == 0) g_seen.push_back(LOWORD(w));
    return DefFrameViewProc(h, g_client, m, w, l);
}
DWORD g_createStyle = 0;
LRESULT CALLBACK ChildProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_CREATE) g_createStyle = static_cast<DWORD>(reinterpret_cast<CREATESTRUCTA*>(l)->style);
    if (m == WM_CREATE || m == WM_INITDIALOG) g_seen.push_back(m);
    return DefMDIChildViewProc(h, m, w, l);
}

// Left, top, right and bottom of a window in its parent's client area.
std::vector<LONG> Placed(HWND h) {
    RECT rc;
    GetWindowRect(h, &rc);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&rc), 2);
    return {rc.left, rc.top, rc.right, rc.bottom};
}

struct Frame : ::testing::Test {
    void SetUp() override {
        RegisterTestClass("tsFrame", FrameProc);
        RegisterTestClass("tsButton32", DefWindowProcA);
        frame = CreateWindowA("tsFrame", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr, nullptr,
                              Instance(), nullptr);
        CLIENTCREATESTRUCT ccs{nullptr, 1000};
        g_client = CreateWindowA("MDICLIENT", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | MDIS_ALLCHILDSTYLES, 0, 0,
                                 400, 300, frame, nullptr, Instance(), &ccs);  // children may be created hidden
    }
    void TearDown() override { DestroyWindow(frame); }
    HVIEW Bar(const char* name, int edge, int cx, int cy) {
        HVIEW tb = vwSetViewToolBar(frame, name, nullptr, edge);
        if (tb) SetWindowPos(tb->hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
        return tb;
    }
    HVIEW Child(const char* name, LPARAM block = 0, WNDPROC proc = nullptr) {
        return vwCreateMDIChildView(Instance(), name, g_client, proc, block);
    }
    HWND frame = nullptr;
};

} // namespace

TEST_F(Frame, ToolBarsShareTheEdgesOneEachAndTheMdiClientGetsTheRest) {
    HVIEW top = Bar("TOOLTOP", VWTB_TOP, 400, 30), bottom = Bar("TOOLBOT", VWTB_BOTTOM, 400, 20);
    HVIEW left = Bar("TOOLSIDE", VWTB_LEFT, 50, 100);
    ASSERT_TRUE(top && bottom && left);
    EXPECT_EQ(StyleOf(top->hWnd) & WS_BORDER, WS_BORDER);  // the border comes from the template only
    EXPECT_FALSE(StyleOf(left->hWnd) & WS_BORDER);
    EXPECT_EQ(vwSizeToolBars(frame), 1);
    EXPECT_EQ(Placed(top->hWnd), (std::vector<LONG>{0, 0, 400, 30}));
    EXPECT_EQ(Placed(bottom->hWnd), (std::vector<LONG>{0, 280, 400, 300}));
    EXPECT_EQ(Placed(left->hWnd), (std::vector<LONG>{0, 30, 50, 280}));
    EXPECT_EQ(vwSizeMDIClient(frame, g_client, FALSE), 1);
    EXPECT_EQ(Placed(g_client), (std::vector<LONG>{50, 30, 400, 280}));
    for (LONG id : {301, 302})  // only the button with style bit 0x1000 commands the frame
        SendMessageA(top->hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(vwGetFieldWindow(top, id)));
    EXPECT_EQ(g_seen, std::vector<UINT>{301});
    EXPECT_EQ(vwSetViewToolBar(frame, "TOOLSIDE", nullptr, VWTB_RIGHT | VWTB_LEFT), nullptr);  // taken
    EXPECT_EQ(vwSetViewToolBar(frame, "NOSUCHBAR", nullptr, VWTB_RIGHT), nullptr);
    HVIEW other = vwCreateView(Instance(), "TOOLSIDE", frame, nullptr, 0);
    EXPECT_EQ(vwSetToolBarView(frame, other, VWTB_TOP), top);  // the old one is returned, alive
    EXPECT_TRUE(IsWindow(top->hWnd));
    EXPECT_EQ(vwRemoveToolBar(frame, VWTB_TOP | VWTB_RIGHT), 0);  // the top one goes, then none is right
    EXPECT_EQ(vwGetViewToolBar(frame, VWTB_TOP), nullptr);
    // a view on two edges goes with the first removal: the other edge is free
    // again, and what the frame remembers of it is never read
    HVIEW twice = vwCreateView(Instance(), "TOOLSIDE", frame, nullptr, 0);
    vwSetToolBarView(frame, twice, VWTB_TOP | VWTB_RIGHT);
    EXPECT_EQ(vwRemoveToolBar(frame, VWTB_TOP), 1);
    EXPECT_EQ(vwGetViewToolBar(frame, VWTB_RIGHT), nullptr);
    EXPECT_EQ(vwSizeToolBars(frame), 1);
    EXPECT_NE(vwSetViewToolBar(frame, "TOOLSIDE", nullptr, VWTB_RIGHT), nullptr);

    // a view string attaches toolbars, whose own directives are not applied;
    // a view with toolbars beeps instead of scrolling, and lays them out
    ViewGuard host(vwOpenView(Instance(), "host", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
    vwSetViewString(host.get(), "@TB_BOTTOM(TOOLBOT)@VSCROLL(400,10)");
    HVIEW hosted = vwGetViewToolBar(host->hWnd, VWTB_BOTTOM);
    ASSERT_TRUE(hosted);
    EXPECT_EQ(GetParent(hosted->hWnd), host->hWnd);
    EXPECT_EQ(vwGetViewToolBar(hosted->hWnd, VWTB_TOP), nullptr);
    vwShowView(host.get());
    BeepRecorder beeps;
    SendMessageA(host->hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(GetScrollPos(host->hWnd, SB_VERT), 0);
    MoveWindow(host->hWnd, 0, 0, 300, 200, TRUE);
    RECT client;
    GetClientRect(host->hWnd, &client);
    EXPECT_EQ(Placed(hosted->hWnd)[3], client.bottom);
}

TEST_F(Frame, MdiChildrenAreBuiltDuringCreationPlacedAndShownAsAskedAndEndedByCancel) {
    HVIEW view = Child("CHILD", 0, ChildProc);
    ASSERT_TRUE(view);
    EXPECT_EQ(vwShowMDIChildView(0), view->hWnd);
    EXPECT_EQ(g_seen, (std::vector<UINT>{WM_CREATE, WM_INITDIALOG}));  // the fields were ready by then
    EXPECT_TRUE(IsWindowVisible(view->hWnd));                          // the template has WS_VISIBLE
    EXPECT_EQ(GetFocus(), vwGetFieldWindow(view, 101));
    RECT rc;  // the template's size, 120 x 60 in units of the view font (7 x 13 pixels)
    GetClientRect(view->hWnd, &rc);
    EXPECT_EQ(std::vector<LONG>({rc.right, rc.bottom}), (std::vector<LONG>{210, 97}));
    SendMessageA(view->hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(vwGetFieldWindow(view, IDCANCEL)));
    EXPECT_FALSE(vwIsView(view));
    EXPECT_EQ(GetWindow(g_client, GW_CHILD), nullptr);

    EXPECT_FALSE(IsWindowVisible(Child("TOOLSIDE")->hWnd));  // a template without WS_VISIBLE
    MDICREATESTRUCTA block{nullptr, "Placed", nullptr, 5, 7, 300, 200,
                           WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX, 0};
    HVIEW placed = Child("CHILD", reinterpret_cast<LPARAM>(&block));
    ASSERT_TRUE(placed);
    EXPECT_EQ(Placed(placed->hWnd), (std::vector<LONG>{5, 7, 305, 207}));
    block.style |= WS_MAXIMIZE;  // maximised through WM_MDIMAXIMIZE, never through the creation style
    HVIEW big = Child("CHILD", reinterpret_cast<LPARAM>(&block), ChildProc);
    ASSERT_TRUE(big);
    EXPECT_FALSE(g_createStyle & WS_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(big->hWnd));
    EXPECT_EQ(vwIsViewActive(big), 1);
}

TEST_F(Frame, MdiClientsThatAreNoWindowsAndDefinitionsThatCannotBeBuilt) {
    MessageBoxCapture boxes;
    HWND gone = CreateWindowA("MDICLIENT", "", WS_CHILD, 0, 0, 10, 10, frame, nullptr, Instance(), nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(vwOpenMDIChildView(Instance(), "x", 0, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(vwCreateMDIChildView(Instance(), "CHILD", gone, nullptr, 0), nullptr);
    std::vector<std::string> shown;
    for (const CapturedBox& box : boxes.boxes()) shown.push_back(box.caption + "|" + box.text);
    EXPECT_EQ(shown, std::vector<std::string>(2, "Error|Invalid Client Window for MDI Child Create"));
    Child("NOSUCHVIEW");
    EXPECT_EQ(vwShowMDIChildView(0), reinterpret_cast<HWND>(-1));
    HVIEW next = Child("CHILD");  // a later creation works again
    ASSERT_TRUE(next);
    EXPECT_EQ(vwShowMDIChildView(0), next->hWnd);
}
