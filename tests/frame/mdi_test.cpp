// MDI child views: made through the MDI client, built from their
// definition while the child is created, shown as asked, ended by Cancel.
#include <gtest/gtest.h>

#include <vector>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

struct Seen {
    UINT msg;
    DWORD createStyle;
};
std::vector<Seen> g_seen;

LRESULT CALLBACK ChildProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_CREATE) g_seen.push_back({m, static_cast<DWORD>(reinterpret_cast<CREATESTRUCTA*>(l)->style)});
    if (m == WM_INITDIALOG) g_seen.push_back({m, 0});
    return DefMDIChildViewProc(h, m, w, l);
}

LRESULT CALLBACK MdiFrameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    HWND client = GetWindow(h, GW_CHILD);
    return DefFrameViewProc(h, client, m, w, l);
}

struct Mdi : ::testing::Test {
    void SetUp() override {
        RegisterTestClass("tsMdiFrame", MdiFrameProc);
        frame = CreateWindowA("tsMdiFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr,
                              Instance(), nullptr);
        CLIENTCREATESTRUCT ccs{nullptr, 1000};
        // children may be created hidden
        client = CreateWindowA("MDICLIENT", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | MDIS_ALLCHILDSTYLES, 0, 0, 480,
                               340, frame,
                               nullptr, Instance(), &ccs);
        g_seen.clear();
    }
    void TearDown() override { DestroyWindow(frame); }
    HWND frame = nullptr, client = nullptr;
};

} // namespace

TEST_F(Mdi, ChildrenAreBuiltFromTheirDefinitionDuringCreation) {
    HVIEW view = vwCreateMDIChildView(Instance(), "CHILD", client, ChildProc, 0);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->kind, VWK_MDICHILD);
    EXPECT_EQ(GetParent(view->hWnd), client);
    EXPECT_EQ(vwShowMDIChildView(0), view->hWnd);
    ASSERT_EQ(g_seen.size(), 2u);  // the procedure saw the creation, then the fields were ready
    EXPECT_EQ(g_seen[0].msg, static_cast<UINT>(WM_CREATE));
    EXPECT_EQ(g_seen[1].msg, static_cast<UINT>(WM_INITDIALOG));
    HWND edit = vwGetFieldWindow(view, 101);
    ASSERT_TRUE(edit);
    EXPECT_EQ(GetParent(edit), view->hWnd);
    EXPECT_TRUE(IsWindowVisible(view->hWnd));  // the template has WS_VISIBLE
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetPropA(view->hWnd, "MCX"), nullptr);  // the template geometry was applied
    RECT rc;
    GetClientRect(view->hWnd, &rc);
    LONG size[4] = {0, 0, 120, 60};
    vwMapDialogToScreen(view->hWnd, size);
    EXPECT_EQ(rc.right, size[2]);
    EXPECT_EQ(rc.bottom, size[3]);
    EXPECT_EQ(SendMessageA(view->hWnd, WM_GETFONT, 0, 0), GetWindowLongPtrA(view->hWnd, VWL_FONT));

    // Cancel ends the child and frees its view
    SendMessageA(view->hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(vwGetFieldWindow(view, IDCANCEL)));
    EXPECT_FALSE(vwIsView(view));
    EXPECT_EQ(GetWindow(client, GW_CHILD), nullptr);
}

TEST_F(Mdi, VisibilityAndMaximisingFollowTheRequest) {
    HVIEW hidden = vwCreateMDIChildView(Instance(), "HIDDEN", client, nullptr, 0);
    ASSERT_TRUE(hidden);
    EXPECT_FALSE(IsWindowVisible(hidden->hWnd));

    MDICREATESTRUCTA block{};
    block.szTitle = "Big";
    block.x = block.y = 0;
    block.cx = 200;
    block.cy = 150;
    block.style = WS_MAXIMIZE | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;
    HVIEW big = vwCreateMDIChildView(Instance(), "CHILD", client, ChildProc, reinterpret_cast<LPARAM>(&block));
    ASSERT_TRUE(big);
    ASSERT_FALSE(g_seen.empty());
    EXPECT_FALSE(g_seen[0].createStyle & WS_MAXIMIZE);  // never through the creation style
    EXPECT_TRUE(IsZoomed(big->hWnd));
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)), big->hWnd);
    EXPECT_EQ(vwIsViewActive(big), 1);
    SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(big->hWnd), 0);
    SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hidden->hWnd), 0);
}

TEST_F(Mdi, BadClientsAndDefinitionsThatCannotBeBuilt) {
    MessageBoxCapture boxes;
    EXPECT_EQ(vwOpenMDIChildView(Instance(), "x", 0, nullptr, nullptr, 0), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Invalid Client Window for MDI Child Create");
    EXPECT_EQ(boxes.boxes()[0].caption, "Error");

    boxes.clear();
    HVIEW view = vwCreateMDIChildView(Instance(), "NOSUCHVIEW", client, nullptr, 0);
    EXPECT_EQ(vwShowMDIChildView(0), reinterpret_cast<HWND>(-1));
    if (view && vwIsView(view)) SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(view->hWnd), 0);
    // a later creation works again
    HVIEW next = vwCreateMDIChildView(Instance(), "CHILD", client, nullptr, 0);
    ASSERT_TRUE(next);
    EXPECT_EQ(vwShowMDIChildView(0), next->hWnd);
}

TEST_F(Mdi, ACreateBlockPlacesTheChildWhereItAsks) {
    MDICREATESTRUCTA block{};
    block.szTitle = "Placed";
    block.x = 5;
    block.y = 7;
    block.cx = 300;
    block.cy = 200;
    block.style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    HVIEW view = vwCreateMDIChildView(Instance(), "CHILD", client, nullptr, reinterpret_cast<LPARAM>(&block));
    ASSERT_TRUE(view);
    RECT rc;
    GetWindowRect(view->hWnd, &rc);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 5);
    EXPECT_EQ(rc.top, 7);
    EXPECT_EQ(rc.right - rc.left, 300);
    EXPECT_EQ(rc.bottom - rc.top, 200);
    for (const char* p : {"MX", "MY", "MCX", "MCY"}) EXPECT_EQ(GetPropA(view->hWnd, p), nullptr) << p;
}

TEST_F(Mdi, AScrolledChildThatGrowsToFitReturnsToTheTop) {
    HVIEW view = vwCreateMDIChildView(Instance(), "CHILD", client, nullptr, 0);
    ASSERT_TRUE(view);
    MoveWindow(view->hWnd, 0, 0, 200, 120, TRUE);
    vwSetViewString(view, "@VSCROLL(300,10)");
    HWND edit = vwGetFieldWindow(view, 101);
    RECT before;
    GetWindowRect(edit, &before);
    SendMessageA(view->hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_NE(GetPropA(view->hWnd, "VPOS"), nullptr);
    MoveWindow(view->hWnd, 0, 0, 200, 700, TRUE);
    EXPECT_EQ(GetPropA(view->hWnd, "VPOS"), nullptr);
    RECT after;
    GetWindowRect(edit, &after);
    EXPECT_EQ(after.top, before.top);  // the fields came back with it
    EXPECT_FALSE(GetWindowLongA(view->hWnd, GWL_STYLE) & WS_VSCROLL);
}
