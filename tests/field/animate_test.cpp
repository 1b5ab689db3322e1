// vwAnimateField: a field slides to its target in equal steps.
#include <gtest/gtest.h>

#include <vector>

#include "testapp.h"

using namespace tstest;

namespace {

std::vector<POINT> g_moves;
LRESULT CALLBACK RecordMoves(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_MOVE) g_moves.push_back({static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))});
    return DefStaticProc(h, m, w, l);
}

} // namespace

TEST(Animation, TenEqualStepsEndingOnTheTarget) {
    ViewGuard view(vwOpenView(Instance(), "anim", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
    MoveWindow(view->hWnd, 0, 0, 400, 200, FALSE);
    vwSetFieldEx(view.get(), 5, "static", "moving", WS_VISIBLE, 0, 4, 10, 40, 10, nullptr, RecordMoves);
    vwSetFieldEx(view.get(), 6, "static", "other", WS_VISIBLE | WS_CLIPSIBLINGS, 0, 4, 30, 40, 10, nullptr, nullptr);
    vwShowView(view.get());
    RECT rc;
    GetWindowRect(vwGetFieldWindow(view.get(), 5), &rc);
    MapWindowPoints(nullptr, view->hWnd, reinterpret_cast<POINT*>(&rc), 2);
    // a target in dialog units well to the right, and a vertical distance
    // smaller than the number of steps
    LONG target[4] = {104, 10, 0, 0};
    vwMapDialogToScreen(view->hWnd, target);
    LONG nearby[4] = {0, 11, 0, 0};
    vwMapDialogToScreen(view->hWnd, nearby);
    ASSERT_LT(nearby[1] - rc.top, 10);
    g_moves.clear();
    EXPECT_EQ(vwAnimateField(view.get(), 5, 104, 11, 1000, 100, 0), 0);

    const LONG step = (target[0] - rc.left) / 10;
    ASSERT_GE(g_moves.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(g_moves[i].x, rc.left + step * static_cast<LONG>(i + 1)) << i;
        EXPECT_EQ(g_moves[i].y, rc.top) << i;
    }
    EXPECT_EQ(g_moves.back().x, target[0]);  // exactly on the target, whatever the rounding
    EXPECT_EQ(g_moves.back().y, rc.top);
    EXPECT_FALSE(GetWindowLongA(vwGetFieldWindow(view.get(), 6), GWL_STYLE) & WS_CLIPSIBLINGS);
}

namespace {

// What ends the view while a loop runs, from a thread timer; a WM_QUIT
// three seconds later ends a loop that would otherwise never return.
HVIEW g_ending = nullptr;
bool g_freeOnly = false;
void CALLBACK EndView(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_freeOnly) vwFreeView(g_ending);
    else DestroyWindow(g_ending->hWnd);
}
void CALLBACK Rescue(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(0);
}

} // namespace

TEST(Animation, WaitsAndAnimationsEndSoonWhenTheirViewGoes) {
    enum Loop { Wait, Animate };
    const struct {
        Loop loop;
        bool freeOnly;
    } cases[] = {{Wait, false}, {Animate, false}, {Wait, true}};
    for (const auto& c : cases) {
        HVIEW view = vwOpenView(Instance(), "gone", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0);
        ASSERT_TRUE(view);
        HWND window = view->hWnd;
        vwSetFieldEx(view, 5, "static", "moving", WS_VISIBLE, 0, 4, 10, 40, 10, nullptr, nullptr);
        vwShowView(view);
        g_ending = view;
        g_freeOnly = c.freeOnly;
        SetTimer(nullptr, 0, 150, EndView);
        const UINT_PTR rescue = SetTimer(nullptr, 0, 3000, Rescue);
        const DWORD start = GetTickCount();
        if (c.loop == Wait) EXPECT_EQ(vwWait(view, 10000), 0);
        else EXPECT_EQ(vwAnimateField(view, 5, 200, 10, 10000, 100, 0), 0);
        const DWORD took = GetTickCount() - start;
        KillTimer(nullptr, rescue);
        EXPECT_LT(took, 1500u) << c.loop << c.freeOnly;
        EXPECT_FALSE(vwIsView(view));
        if (IsWindow(window)) DestroyWindow(window);
    }
    // a later wait runs as usual
    ViewGuard view(vwOpenView(Instance(), "after", WS_POPUP, nullptr, nullptr, 0));
    const DWORD start = GetTickCount();
    vwWait(view.get(), 200);
    EXPECT_GE(GetTickCount() - start, 200u);
}
