// The table of open views, handle validation and the view accessors; view
// classes, opening, showing modeless and modal, and freeing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imports.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

HVIEW OpenView(DWORD style = WS_POPUP, HWND parent = nullptr, WNDPROC proc = nullptr) {
    return vwOpenView(Instance(), "life", style, parent, proc, 0);
}

HWND Popup(int x, int y, int cx, int cy) {
    return CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, x, y, cx, cy, nullptr, nullptr, Instance(), nullptr);
}

// The library's local allocations, the one numbered g_failAt refused.
int g_allocs = 0, g_failAt = 0;
HLOCAL WINAPI CountedLocalAlloc(UINT flags, SIZE_T bytes) {
    return ++g_allocs == g_failAt ? nullptr : LocalAlloc(flags, bytes);
}
struct FailingAlloc : ImportPatch {
    explicit FailingAlloc(int n) : ImportPatch("kernel32.dll", "LocalAlloc", reinterpret_cast<void*>(&CountedLocalAlloc)) {
        g_allocs = 0;
        g_failAt = n;
    }
};

// What the modal views saw: the owner enabled inside, the inner loop's result, their place.
HWND g_owner = nullptr;
bool g_nest = false, g_ownerEnabledInside = true;
LONG g_innerResult = 0;
RECT g_rect = {};

// Ends its modal view from a timer; with `nest` it first runs a nested one.
LRESULT CALLBACK EndOnTimer(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) {
        GetWindowRect(h, &g_rect);
        SetTimer(h, 1, 10, nullptr);
    }
    if (m != WM_TIMER || w != 1) return DefViewProc(h, m, w, l);
    KillTimer(h, 1);
    const bool nest = g_nest;
    if (nest) {
        g_nest = false;
        g_ownerEnabledInside = IsWindowEnabled(g_owner) != 0;
        g_innerResult = vwShowModalView(vwOpenView(Instance(), "inner", WS_POPUP, h, EndOnTimer, 0));
    }
    vwEndModalView(vwGetView(h), nest ? 1000 : 4242);
    return 0;
}

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

TEST(ViewTable, TwentyNineViewsAtMostAndNoneLeftBehindByFailures) {
    MessageBoxCapture boxes;
    // a view is a record and its field table; when either cannot be had, or
    // its window cannot be made, there is no view and no slot is taken
    DestroyWindow(OpenView()->hWnd);  // the first view gathers the library's metrics
    for (int failing : {1, 2}) {
        FailingAlloc fail(failing);
        ASSERT_TRUE(fail.installed());
        EXPECT_EQ(OpenView(), nullptr) << failing;
        EXPECT_EQ(g_allocs, failing);
    }
    EXPECT_EQ(vwOpenView(Instance(), "x", WS_CHILD, nullptr, nullptr, 0), nullptr);  // a child needs a parent
    std::vector<HVIEW> views;
    for (int i = 0; i < 29; ++i) {
        views.push_back(OpenView());
        ASSERT_NE(views.back(), nullptr) << i;
    }
    EXPECT_EQ(OpenView(), nullptr);  // no thirtieth view
    DestroyWindow(views[10]->hWnd);  // a middle view goes
    EXPECT_FALSE(vwIsView(views[10]));
    for (int i = 0; i < 29; ++i)
        if (i != 10) EXPECT_TRUE(vwIsView(views[i])) << i;
    views[10] = OpenView();  // its slot is free again
    ASSERT_NE(views[10], nullptr);
    for (HVIEW v : views) DestroyWindow(v->hWnd);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(ViewTable, InvalidHandlesAreReportedSixTimesAtMost) {
    MessageBoxCapture boxes;
    int fake = 0;
    HVIEW bogus = reinterpret_cast<HVIEW>(&fake);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(vwGetViewWindow(bogus), nullptr);
    EXPECT_EQ(vwSetViewFont(bogus, "Arial", 8, 0, FALSE), 0);
    EXPECT_EQ(vwShowModalView(bogus), -1);
    ASSERT_EQ(boxes.boxes().size(), 6u);
    EXPECT_EQ(boxes.boxes()[5].caption, "Tessarine Screen Manager");
    EXPECT_EQ(boxes.boxes()[5].text, "Application error detected.\nInvalid view handle");
}

TEST(ViewAccessors, StringsAndNamesLongAndUnstorable) {
    ViewGuard v(OpenView());
    char buf[64] = "junk";
    std::string text(5000, ' '), back(6000, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
    EXPECT_EQ(vwSetViewString(v.get(), text.c_str()), 5000);
    EXPECT_EQ(vwGetViewString(v.get(), back.data(), 6000), 5000);
    EXPECT_EQ(back.c_str(), text);
    EXPECT_EQ(vwGetViewString(v.get(), buf, 5), 4);  // cut to fit
    EXPECT_STREQ(buf, "abcd");
    {
        FailingAlloc fail(1);  // a string that cannot be stored leaves the view without one
        EXPECT_EQ(vwSetViewString(v.get(), "@3D"), 0);
    }
    EXPECT_EQ(vwGetViewString(v.get(), buf, sizeof buf), 0);
    vwSetViewName(v.get(), text.c_str());
    char name[32] = {};
    EXPECT_EQ(vwGetViewResourceName(v.get(), name), 25);
    EXPECT_EQ(std::string(name), text.substr(0, 25));
}

TEST(ViewAccessors, BrushesAndTheFirstField) {
    ViewGuard v(vwCreateView(Instance(), "Full41", nullptr, nullptr, 0));
    // the selection brush is reported only under "@SELCOLORS", and is
    // replaced with the colour; the brush a record made goes when replaced
    HBRUSH own = vwGetViewBackBrush(v.get()), sel = vwGetViewSelBackBrush(v.get());
    EXPECT_NE(sel, own);
    EXPECT_EQ(vwSetViewSelBkColor(v.get(), RGB(9, 8, 7)), 0xABCDEFu);
    EXPECT_EQ(GetObjectType(sel), 0u);
    LOGBRUSH lb = {};
    GetObjectA(vwGetViewSelBackBrush(v.get()), sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(9, 8, 7));
    HBRUSH app = CreateSolidBrush(RGB(1, 2, 3));
    vwSetViewBackBrush(v.get(), app);
    EXPECT_EQ(GetObjectType(own), 0u);
    // destroying the window releases what the view owns, and only that
    const HGDIOBJ owned[] = {vwGetViewSelBackBrush(v.get()), vwGetFieldBackBrush(v.get(), 102),
                             reinterpret_cast<HGDIOBJ>(SendMessageA(v->hWnd, WM_GETFONT, 0, 0))};
    vwSetViewString(v.get(), "");
    EXPECT_EQ(vwGetViewSelBackBrush(v.get()), app);
    v.reset(OpenView());
    for (HGDIOBJ o : owned) EXPECT_EQ(GetObjectType(o), 0u);
    EXPECT_NE(GetObjectType(app), 0u);
    DeleteObject(app);

    // the first field is the first enabled, unprotected tab stop
    const DWORD styles[] = {WS_TABSTOP, WS_TABSTOP | WS_DISABLED, 0, WS_TABSTOP};
    for (LONG id = 1; id <= 4; ++id)
        vwSetFieldEx(v.get(), id, "edit", "", styles[id - 1], 0, 0, 12 * id, 40, 10, nullptr, nullptr);
    vwProtectField(v.get(), 1);
    EXPECT_EQ(vwGotoFirstField(v.get()), 0);
    EXPECT_EQ(vwGetCurrField(v.get()), 4);
    vwProtectField(v.get(), 4);
    vwGotoFirstField(v.get());
    EXPECT_EQ(vwGetCurrField(v.get()), 0);
}

TEST(Lifecycle, ViewClassesAreRegisteredWhenTheLibraryLoads) {
    for (const char* name : {"tsView32", "tsModalView32"}) {
        WNDCLASSEXA wc = {sizeof wc};
        ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA("tscore32.dll"), name, &wc)) << name;
        EXPECT_EQ(wc.style, 0x4808u);
        EXPECT_EQ(wc.cbWndExtra, sizeof(void*) == 8 ? 40 : 28);
        EXPECT_EQ(wc.lpfnWndProc, vwWndProc);
        EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
}

TEST(Lifecycle, ViewsOpenHiddenAndShowAsAsked) {
    HWND parent = Popup(40, 30, 300, 200);
    ViewGuard hidden(OpenView(WS_POPUP, parent)), shown(OpenView(WS_CAPTION | WS_SYSMENU | WS_VISIBLE));
    EXPECT_EQ(ClassOf(hidden->hWnd), "tsView32");
    RECT rc;
    GetWindowRect(hidden->hWnd, &rc);  // a pop-up starts on the parent's client area at its size
    EXPECT_EQ(std::vector<LONG>({rc.left, rc.top, rc.right, rc.bottom}), (std::vector<LONG>{40, 30, 340, 230}));
    EXPECT_EQ(vwShowView(hidden.get()), hidden->hWnd);  // prepared, and shown only when asked
    EXPECT_FALSE(IsWindowVisible(hidden->hWnd));

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

TEST(Lifecycle, ModalLoopsNestAndEndWithTheirOwnValues) {
    HWND owner = Popup(0, 0, 50, 50);
    g_owner = owner;
    g_nest = true;
    HVIEW v = vwOpenView(Instance(), "modal", WS_POPUP | WS_VISIBLE, owner, EndOnTimer, 0);
    EXPECT_EQ(vwShowModalView(v), 1000);
    EXPECT_EQ(g_innerResult, 4242);  // the inner loop ended first, with its own value
    EXPECT_FALSE(g_ownerEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(vwIsView(v));  // the window went, and the record with it
    // kept 2 pixels inside the screen
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    v = OpenView(WS_POPUP, nullptr, EndOnTimer);
    SetWindowPos(v->hWnd, nullptr, sw - 50, 10, 120, 80, SWP_NOZORDER);
    EXPECT_EQ(vwShowModalView(v), 4242);
    EXPECT_EQ(std::vector<LONG>({g_rect.left, g_rect.right}), (std::vector<LONG>{sw - 122, sw - 2}));
    // a child runs too, and its parent is enabled again
    EXPECT_EQ(vwShowModalView(OpenView(WS_CHILD, owner, EndOnTimer)), 4242);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

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

TEST(Lifecycle, AViewFreedBeforeItsWindowLeavesAPlainWindow) {
    HVIEW old = OpenView(WS_POPUP | WS_THICKFRAME | WS_VISIBLE);
    vwSetFieldEx(old, 7, "edit", "", WS_VISIBLE, 0, 2, 2, 60, 12, nullptr, nullptr);
    HWND oldWindow = old->hWnd, oldEdit = vwGetFieldWindow(old, 7);
    vwFreeView(old);
    ViewGuard next(OpenView(WS_POPUP | WS_VISIBLE));  // perhaps where the old record was
    const HWND nextWindow = next->hWnd;
    MoveWindow(oldWindow, 10, 10, 120, 80, TRUE);  // a sizing frame is asked for its limits
    SendMessageA(oldEdit, WM_CHAR, 'x', 1);
    EXPECT_EQ(TextOf(oldEdit), "x");
    DestroyWindow(oldWindow);
    EXPECT_EQ(next->hWnd, nextWindow);
}
