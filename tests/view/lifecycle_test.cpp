// View classes, opening, showing modeless and modal, validating and freeing.
#include <gtest/gtest.h>

#include <vector>

#include "testapp.h"

using namespace tstest;

namespace {

HVIEW OpenView(DWORD style, HWND parent = nullptr, WNDPROC proc = nullptr) {
    return vwOpenView(Instance(), "life", style, parent, proc, 0);
}

HWND Popup(int x, int y, int cx, int cy) {
    return CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, x, y, cx, cy, nullptr, nullptr, Instance(), nullptr);
}

} // namespace

TEST(Lifecycle, ViewClassesAreRegisteredWhenTheLibraryLoads) {
    for (const char* name : {"tsView32", "tsModalView32"}) {
        WNDCLASSEXA wc = {sizeof wc};
        ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA("tscore32.dll"), name, &wc)) << name;
        EXPECT_EQ(wc.style, 0x4808u);
        EXPECT_EQ(wc.cbWndExtra, sizeof(void*) == 8 ? 40 : 28);
        EXPECT_EQ(wc.lpfnWndProc, vwWndProc);
        EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
}

TEST(Lifecycle, ViewsOpenHiddenAndShowAsAsked) {
    HWND parent = Popup(40, 30, 300, 200);
    ViewGuard hidden(OpenView(WS_POPUP, parent)), shown(OpenView(WS_CAPTION | WS_SYSMENU | WS_VISIBLE));
    EXPECT_EQ(ClassOf(hidden->hWnd), "tsView32");
    EXPECT_EQ(GetPropA(hidden->hWnd, "VWPARENT"), parent);
    RECT rc;
    GetWindowRect(hidden->hWnd, &rc);  // a pop-up starts on the parent's client area at its size
    EXPECT_EQ(std::vector<LONG>({rc.left, rc.top, rc.right, rc.bottom}), (std::vector<LONG>{40, 30, 340, 230}));
    // shown: the first field, WM_INITDIALOG, the variables; the window only when asked
    LONG flag = 1;
    vwSetFieldEx(hidden.get(), 5, "button", "x", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 2, 2, 40, 10, &flag, nullptr);
    EXPECT_EQ(vwShowView(hidden.get()), hidden->hWnd);
    EXPECT_FALSE(IsWindowVisible(hidden->hWnd));
    EXPECT_EQ(vwGetCurrField(hidden.get()), 5);
    EXPECT_EQ(SendMessageA(vwGetFieldWindow(hidden.get(), 5), BM_GETCHECK, 0, 0), 1);

    // a caption asks for the modal class, as a pop-up; with a modal frame the
    // system menu keeps Move and Close; the focus goes to the checked radio button
    EXPECT_EQ(ClassOf(shown->hWnd), "tsModalView32");
    EXPECT_TRUE(StyleOf(shown->hWnd) & WS_POPUP);
    vwSetViewExStyle(shown.get(), WS_EX_DLGMODALFRAME);
    for (LONG id = 1; id <= 3; ++id)
        vwSetFieldEx(shown.get(), id, "button", "r", BS_AUTORADIOBUTTON | WS_VISIBLE | (id == 1 ? WS_TABSTOP : 0), 0,
                     2, 12 * id, 40, 10, nullptr, nullptr);
    SendMessageA(vwGetFieldWindow(shown.get(), 3), BM_SETCHECK, BST_CHECKED, 0);
    vwShowView(shown.get());
    EXPECT_TRUE(IsWindowVisible(shown->hWnd));
    EXPECT_EQ(vwGetCurrField(shown.get()), 3);
    EXPECT_EQ(GetFocus(), vwGetFieldWindow(shown.get(), 3));
    HMENU menu = GetSystemMenu(shown->hWnd, FALSE);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(std::vector<UINT>({GetMenuItemID(menu, 0), GetMenuItemID(menu, 1)}), (std::vector<UINT>{SC_MOVE, SC_CLOSE}));
    hidden.reset();
    DestroyWindow(parent);
}

namespace {

// What the modal views of the next test saw: their place and style when
// shown, whether the owner was enabled inside, the inner loop's result.
struct {
    HWND owner;
    bool nest, ownerEnabledInside, popup;
    LONG innerResult;
    RECT rect;
} g_probe;

// Ends its modal view from a timer; with `nest` it first runs a nested one.
LRESULT CALLBACK EndOnTimer(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) {
        GetWindowRect(h, &g_probe.rect);
        g_probe.popup = (GetWindowLongA(h, GWL_STYLE) & WS_POPUP) != 0;
        SetTimer(h, 1, 10, nullptr);
    }
    if (m != WM_TIMER || w != 1) return DefViewProc(h, m, w, l);
    KillTimer(h, 1);
    const bool nest = g_probe.nest;
    if (nest) {
        g_probe.nest = false;
        g_probe.ownerEnabledInside = IsWindowEnabled(g_probe.owner) != 0;
        g_probe.innerResult = vwShowModalView(vwOpenView(Instance(), "inner", WS_POPUP, h, EndOnTimer, 0));
    }
    vwEndModalView(vwGetView(h), nest ? 1000 : 4242);
    return 0;
}

} // namespace

TEST(Lifecycle, ModalLoopsNestAndEndWithTheirOwnValues) {
    HWND owner = Popup(0, 0, 50, 50);
    g_probe = {owner, true, true, false, 0, {}};
    HVIEW v = vwOpenView(Instance(), "modal", WS_POPUP | WS_VISIBLE, owner, EndOnTimer, 0);
    EXPECT_EQ(vwShowModalView(v), 1000);
    EXPECT_EQ(g_probe.innerResult, 4242);  // the inner loop ended first, with its own value
    EXPECT_FALSE(g_probe.ownerEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(vwIsView(v));  // the window went, and the record with it
    // kept 2 pixels inside the screen
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    v = OpenView(WS_POPUP, nullptr, EndOnTimer);
    SetWindowPos(v->hWnd, nullptr, sw - 50, 10, 120, 80, SWP_NOZORDER);
    EXPECT_EQ(vwShowModalView(v), 4242);
    EXPECT_EQ(std::vector<LONG>({g_probe.rect.left, g_probe.rect.right}), (std::vector<LONG>{sw - 122, sw - 2}));
    // a child runs as a pop-up
    EXPECT_EQ(vwShowModalView(OpenView(WS_CHILD, owner, EndOnTimer)), 4242);
    EXPECT_TRUE(g_probe.popup);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

namespace {

LRESULT CALLBACK QuitOnInit(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) PostQuitMessage(7);
    return DefViewProc(h, m, w, l);
}
LRESULT CALLBACK DestroyOnInit(HWND h, UINT m, WPARAM w, LPARAM l) {
    return m == WM_INITDIALOG ? DestroyWindow(h) : DefViewProc(h, m, w, l);
}
LRESULT CALLBACK DestroyOnTimer(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) SetTimer(h, 1, 10, nullptr);
    return m == WM_TIMER && w == 1 ? DestroyWindow(h) : DefViewProc(h, m, w, l);
}
void CALLBACK Rescue(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(0);
}

} // namespace

TEST(Lifecycle, ViewsThatQuitOrGoAwayWhileShownEndAtOnce) {
    HVIEW v = OpenView(WS_POPUP | WS_VISIBLE, nullptr, DestroyOnInit);
    EXPECT_EQ(vwShowView(v), reinterpret_cast<HWND>(-1));
    EXPECT_FALSE(vwIsView(v));  // freed with its window
    // WM_QUIT ends a modal loop and is consumed
    EXPECT_EQ(vwShowModalView(OpenView(WS_POPUP | WS_VISIBLE, nullptr, QuitOnInit)), 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    // a modal view destroyed while it is shown, or under its running loop,
    // gives -1 at once (a WM_QUIT three seconds later ends a loop left
    // waiting) and its owner is enabled again
    HWND owner = Popup(0, 0, 50, 50);
    for (WNDPROC proc : {DestroyOnInit, DestroyOnTimer}) {
        const UINT_PTR rescue = SetTimer(nullptr, 0, 3000, Rescue);
        const DWORD start = GetTickCount();
        v = OpenView(WS_POPUP | WS_VISIBLE, owner, proc);
        EXPECT_EQ(vwShowModalView(v), -1);
        EXPECT_LT(GetTickCount() - start, 1500u);
        KillTimer(nullptr, rescue);
        EXPECT_FALSE(vwIsView(v));
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
    DestroyWindow(owner);
}

TEST(Lifecycle, DestroyingTheWindowReleasesWhatTheViewOwnsAndFreeingOnlyForgetsTheWindow) {
    HVIEW v = vwCreateView(Instance(), "Full41", nullptr, nullptr, 0);
    ASSERT_TRUE(v);
    // the record's background brush, the "@SELCOLORS" brush, a field's brush, the view font
    const HGDIOBJ owned[] = {vwGetViewBackBrush(v), vwGetViewSelBackBrush(v), vwGetFieldBackBrush(v, 102),
                             reinterpret_cast<HGDIOBJ>(SendMessageA(v->hWnd, WM_GETFONT, 0, 0))};
    DestroyWindow(v->hWnd);
    EXPECT_FALSE(vwIsView(v));
    for (HGDIOBJ o : owned) EXPECT_EQ(GetObjectType(o), 0u);

    // a record freed before its window: the window and its fields go on as plain ones
    HVIEW old = OpenView(WS_POPUP | WS_THICKFRAME | WS_VISIBLE);
    vwSetFieldEx(old, 7, "edit", "", WS_VISIBLE, 0, 2, 2, 60, 12, nullptr, nullptr);
    HWND oldWindow = old->hWnd, oldEdit = vwGetFieldWindow(old, 7);
    vwFreeView(old);
    EXPECT_FALSE(vwIsView(old));
    ViewGuard next(OpenView(WS_POPUP | WS_VISIBLE));  // perhaps where the old record was
    const HWND nextWindow = next->hWnd;
    MoveWindow(oldWindow, 10, 10, 120, 80, TRUE);  // a sizing frame is asked for its limits
    UpdateWindow(oldWindow);
    SendMessageA(oldEdit, WM_CHAR, 'x', 1);
    EXPECT_EQ(TextOf(oldEdit), "x");
    DestroyWindow(oldWindow);
    EXPECT_EQ(vwGetView(nextWindow), next.get());
    EXPECT_EQ(next->hWnd, nextWindow);
}
