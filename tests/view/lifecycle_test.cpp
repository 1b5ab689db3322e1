// View classes, opening, showing modeless and modal, validating and freeing.
#include <gtest/gtest.h>

#include <vector>

#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

HVIEW OpenView(DWORD style, HWND parent = nullptr, WNDPROC proc = nullptr, LPARAM extra = 0) {
    return vwOpenView(Instance(), "life", style, parent, proc, extra);
}

// A field class that validates itself: text "bad" is invalid.  It counts
// the checks it answered.
int g_validations = 0;
LRESULT CALLBACK ValidatingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_GETDLGCODE) return DLGC_WANTCHARS;
    if (m == VWM_VALIDATE) {
        ++g_validations;
        char buf[16] = {};
        GetWindowTextA(h, buf, sizeof buf);
        return lstrcmpA(buf, "bad") == 0 ? -1 : 0;
    }
    return DefWindowProcA(h, m, w, l);
}

void RegisterValidatingClass() { RegisterTestClass("tscheck32", ValidatingProc); }

} // namespace

TEST(Lifecycle, ViewClassesAreRegisteredWhenTheLibraryLoads) {
    for (const char* name : {"tsView32", "tsModalView32"}) {
        WNDCLASSEXA wc = {sizeof wc};
        ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA("tscore32.dll"), name, &wc)) << name;
        EXPECT_EQ(wc.style, 0x4808u);
        EXPECT_EQ(wc.cbWndExtra, VW_WNDEXTRA);
        EXPECT_EQ(wc.lpfnWndProc, vwWndProc);
        EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    EXPECT_EQ(WEP(1), 1);
}

TEST(Lifecycle, OpenViewIsHiddenAndChoosesItsClass) {
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 40, 30, 300, 200, nullptr, nullptr, Instance(),
                                nullptr);
    ViewGuard shown(OpenView(WS_POPUP | WS_VISIBLE, parent));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->showState, VWS_SHOWN);
    EXPECT_FALSE(IsWindowVisible(shown->hWnd));
    EXPECT_EQ(ClassOf(shown->hWnd), "tsView32");
    EXPECT_EQ(GetPropA(shown->hWnd, "VWPARENT"), parent);
    // a pop-up starts on the parent's client area at its size
    EXPECT_EQ(vwGetViewXPos(shown.get()), 40);
    EXPECT_EQ(vwGetViewWidth(shown.get()), 300);
    ViewGuard caption(OpenView(WS_CAPTION));
    EXPECT_EQ(ClassOf(caption->hWnd), "tsModalView32");
    EXPECT_TRUE(StyleOf(caption->hWnd) & WS_POPUP);  // neither pop-up nor child: a pop-up
    EXPECT_EQ(caption->showState, VWS_HIDDEN);
    ViewGuard child(OpenView(WS_CHILD, parent));
    RECT rc;
    GetWindowRect(child->hWnd, &rc);
    EXPECT_EQ(rc.left, 40);  // a child starts at the client origin
    shown.reset();
    child.reset();
    DestroyWindow(parent);
}

TEST(Lifecycle, ShowViewPreparesAndShowsOnlyWhatAskedToBeVisible) {
    LONG flag = 1;
    ViewGuard hidden(OpenView(WS_POPUP));
    vwSetFieldEx(hidden.get(), 5, "button", "x", BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE, 0, 2, 2, 40, 10, &flag,
                 nullptr);
    EXPECT_EQ(vwShowView(hidden.get()), hidden->hWnd);
    EXPECT_FALSE(IsWindowVisible(hidden->hWnd));
    EXPECT_EQ(hidden->currentField, 1);
    EXPECT_EQ(SendMessageA(vwGetFieldWindow(hidden.get(), 5), BM_GETCHECK, 0, 0), 1);  // the variable reached it

    ViewGuard visible(OpenView(WS_POPUP | WS_VISIBLE));
    vwSetFieldEx(visible.get(), 6, "edit", "", WS_TABSTOP | WS_VISIBLE | WS_BORDER, 0, 2, 2, 40, 10, nullptr, nullptr);
    vwShowView(visible.get());
    EXPECT_TRUE(IsWindowVisible(visible->hWnd));
    EXPECT_EQ(GetFocus(), vwGetFieldWindow(visible.get(), 6));
    EXPECT_EQ(vwHideView(visible.get()), TRUE);
    EXPECT_FALSE(IsWindowVisible(visible->hWnd));
    vwUnhideView(visible.get());
    EXPECT_TRUE(IsWindowVisible(visible->hWnd));
}

namespace {
LRESULT CALLBACK DestroyOnInit(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) {
        DestroyWindow(h);
        return 0;
    }
    return DefViewProc(h, m, w, l);
}
} // namespace

TEST(Lifecycle, WindowDestroyedWhileShownGivesMinusOne) {
    HVIEW v = OpenView(WS_POPUP | WS_VISIBLE, nullptr, DestroyOnInit);
    ASSERT_TRUE(v);
    EXPECT_EQ(vwShowView(v), reinterpret_cast<HWND>(-1));
    EXPECT_FALSE(vwIsView(v));  // freed with its window
}

namespace {
bool g_lateMessage = false;
void CALLBACK LateMessage(HWND, UINT, UINT_PTR id, DWORD) {
    g_lateMessage = true;
    KillTimer(nullptr, id);
}
} // namespace

TEST(Lifecycle, ModalViewGoneDuringInitReturnsMinusOneAtOnce) {
    // nothing is posted to the thread: only this timer, much later, would
    // wake a loop that waits for a message
    g_lateMessage = false;
    const UINT_PTR late = SetTimer(nullptr, 0, 2000, LateMessage);
    HVIEW v = OpenView(WS_POPUP | WS_VISIBLE, nullptr, DestroyOnInit);
    ASSERT_TRUE(v);
    EXPECT_EQ(vwShowModalView(v), -1);
    KillTimer(nullptr, late);
    EXPECT_FALSE(g_lateMessage);
}

TEST(Lifecycle, FocusLandsOnTheCheckedMemberOfARadioGroup) {
    ViewGuard v(OpenView(WS_POPUP | WS_VISIBLE));
    for (LONG id = 1; id <= 3; ++id)
        vwSetFieldEx(v.get(), id, "button", "r", BS_AUTORADIOBUTTON | WS_VISIBLE | (id == 1 ? WS_TABSTOP | WS_GROUP : 0),
                     0, 2, 12 * id, 40, 10, nullptr, nullptr);
    SendMessageA(vwGetFieldWindow(v.get(), 3), BM_SETCHECK, BST_CHECKED, 0);
    vwShowView(v.get());
    EXPECT_EQ(v->currentField, 3);
    EXPECT_EQ(GetFocus(), vwGetFieldWindow(v.get(), 3));
}

TEST(Lifecycle, ModalFramesKeepOnlyMoveAndClose) {
    ViewGuard v(OpenView(WS_POPUP | WS_CAPTION | WS_SYSMENU));
    vwSetViewExStyle(v.get(), WS_EX_DLGMODALFRAME);
    vwShowView(v.get());
    HMENU menu = GetSystemMenu(v->hWnd, FALSE);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(SC_MOVE));
    EXPECT_EQ(GetMenuItemID(menu, 1), static_cast<UINT>(SC_CLOSE));
}

namespace {

struct ModalProbe {
    HWND owner = nullptr;
    bool ownerEnabledInside = true;
    LONG innerResult = 0;
    bool nest = false;
    RECT rect = {};
    bool popup = false;
};
ModalProbe g_probe;

// Ends its modal view from a timer; the outer view first runs a nested one.
LRESULT CALLBACK EndOnTimer(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) {
        GetWindowRect(h, &g_probe.rect);
        g_probe.popup = (GetWindowLongA(h, GWL_STYLE) & WS_POPUP) != 0;
        SetTimer(h, 1, 10, nullptr);
    }
    if (m == WM_TIMER && w == 1) {
        KillTimer(h, 1);
        if (g_probe.nest) {
            g_probe.nest = false;
            g_probe.ownerEnabledInside = IsWindowEnabled(g_probe.owner) != 0;
            HVIEW inner = vwOpenView(Instance(), "inner", WS_POPUP, h, EndOnTimer, 0);
            g_probe.innerResult = vwShowModalView(inner);
            vwEndModalView(vwGetView(h), 1000);
        } else {
            vwEndModalView(vwGetView(h), 4242);
        }
        return 0;
    }
    return DefViewProc(h, m, w, l);
}

} // namespace

TEST(Lifecycle, ModalLoopEndsWithExactlyTheGivenValue) {
    HWND owner = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, Instance(), nullptr);
    g_probe = {};
    g_probe.owner = owner;
    g_probe.nest = true;
    HVIEW v = vwOpenView(Instance(), "modal", WS_POPUP | WS_VISIBLE, owner, EndOnTimer, 0);
    ASSERT_TRUE(v);
    EXPECT_EQ(vwShowModalView(v), 1000);
    EXPECT_EQ(g_probe.innerResult, 4242);  // the inner loop ended first, with its own value
    EXPECT_FALSE(g_probe.ownerEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(vwIsView(v));  // the window went, and the record with it
    DestroyWindow(owner);
}

TEST(Lifecycle, ModalViewIsKeptTwoPixelsInsideTheScreen) {
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    HVIEW v = OpenView(WS_POPUP, nullptr, EndOnTimer);
    ASSERT_TRUE(v);
    SetWindowPos(v->hWnd, nullptr, sw - 50, 10, 120, 80, SWP_NOZORDER);
    g_probe = {};
    EXPECT_EQ(vwShowModalView(v), 4242);
    EXPECT_EQ(g_probe.rect.right, sw - 2);
    EXPECT_EQ(g_probe.rect.left, sw - 122);

    HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, Instance(),
                                nullptr);
    HVIEW child = OpenView(WS_CHILD, parent, EndOnTimer);
    ASSERT_TRUE(child);
    g_probe = {};
    EXPECT_EQ(vwShowModalView(child), 4242);
    EXPECT_TRUE(g_probe.popup);  // a child runs modal as a pop-up
    EXPECT_TRUE(IsWindowEnabled(parent));
    DestroyWindow(parent);
}

TEST(Lifecycle, QuitEndsTheModalLoopAndIsConsumed) {
    struct Q {
        static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
            if (m == WM_INITDIALOG) PostQuitMessage(7);
            return DefViewProc(h, m, w, l);
        }
    };
    HVIEW v = OpenView(WS_POPUP | WS_VISIBLE, nullptr, Q::Proc);
    v->modalResult = 55;
    EXPECT_EQ(vwShowModalView(v), 55);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(Lifecycle, EditViewStopsAtTheFirstInvalidField) {
    RegisterValidatingClass();
    ViewGuard v(OpenView(WS_POPUP));
    vwSetFieldEx(v.get(), 1, "tscheck", "ok", WS_TABSTOP, 0, 0, 0, 40, 10, nullptr, nullptr);
    vwSetFieldEx(v.get(), 2, "tscheck", "bad", WS_TABSTOP, 0, 0, 12, 40, 10, nullptr, nullptr);
    vwSetFieldEx(v.get(), 3, "tscheck", "bad", WS_TABSTOP, 0, 0, 24, 40, 10, nullptr, nullptr);
    vwSetFieldEx(v.get(), 4, "static", "not checked", 0, 0, 0, 36, 40, 10, nullptr, nullptr);
    g_validations = 0;
    v->errorStatus = -1;
    EXPECT_EQ(vwEditView(v.get()), 1);
    EXPECT_EQ(g_validations, 2);
    EXPECT_EQ(v->errorStatus, 0);
    SetWindowTextA(vwGetFieldWindow(v.get(), 2), "fine");
    SetWindowTextA(vwGetFieldWindow(v.get(), 3), "fine");
    EXPECT_EQ(vwEditView(v.get()), 0);
}

TEST(Lifecycle, DestroyingTheWindowReleasesWhatTheViewOwns) {
    HVIEW v = vwCreateView(Instance(), "Colors41", nullptr, nullptr, 0);
    ASSERT_TRUE(v);
    vwSetFieldColors(v, 102, 1, 2, 3, 4);
    HBRUSH owned = v->hBackBrush, sel = v->hSelBrush;
    HBRUSH fieldBack = v->fields[1]->colors->hBackBrush;
    HFONT viewFont = v->hFont;
    DestroyWindow(v->hWnd);
    EXPECT_FALSE(vwIsView(v));
    EXPECT_EQ(GetObjectType(owned), 0u);
    EXPECT_EQ(GetObjectType(sel), 0u);
    EXPECT_EQ(GetObjectType(fieldBack), 0u);
    EXPECT_EQ(GetObjectType(viewFont), 0u);
}

TEST(Lifecycle, FreeingAViewWhoseWindowLivesLeavesAPlainWindow) {
    HVIEW old = OpenView(WS_POPUP | WS_THICKFRAME | WS_VISIBLE);
    ASSERT_TRUE(old);
    vwSetFieldEx(old, 7, "edit", "", WS_VISIBLE, 0, 2, 2, 60, 12, nullptr, nullptr);
    HWND oldWindow = old->hWnd, oldEdit = vwGetFieldWindow(old, 7);
    vwFreeView(old);
    EXPECT_FALSE(vwIsView(old));

    // the next view may live where the old record was
    ViewGuard next(OpenView(WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(next);
    const HWND nextWindow = next->hWnd;
    MoveWindow(oldWindow, 10, 10, 120, 80, TRUE);  // a sizing frame is asked for its limits
    UpdateWindow(oldWindow);
    SendMessageA(oldEdit, WM_CHAR, 'x', 1);  // the edit is a plain edit now
    EXPECT_EQ(TextOf(oldEdit), "x");
    DestroyWindow(oldWindow);
    EXPECT_TRUE(vwIsView(next.get()));
    EXPECT_EQ(next->hWnd, nextWindow);
    EXPECT_EQ(vwGetView(nextWindow), next.get());
}
