// The status line: where its control is found, the "@DSL" directive, one
// bottom-toolbar control for a frame, field help on mouse-over, menu help.
#include <gtest/gtest.h>

#include "testapp.h"

using namespace tstest;

namespace {

HWND Static(HWND parent, int id) {
    return CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 100, 12, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
}

struct StatusLine : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "status", WS_POPUP, nullptr, nullptr, 0));
        bar.reset(vwOpenView(Instance(), "bar", WS_POPUP, nullptr, nullptr, 0));
        line = Static(view->hWnd, 50);
        barLine = Static(bar->hWnd, 60);
        menu = LoadMenuA(Instance(), "MAINMENU");
    }
    void TearDown() override {
        for (const char* p : {"TBTOP", "TBBOTTOM"}) RemovePropA(view->hWnd, p);
        DestroyMenu(menu);
    }
    LRESULT Select(UINT item, UINT flags, HMENU m) {
        return SendMessageA(view->hWnd, WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(m));
    }
    ViewGuard view, bar;
    HWND line = nullptr, barLine = nullptr;
    HMENU menu = nullptr;
};

} // namespace

TEST_F(StatusLine, ControlsInTheViewOrItsToolbars) {
    EXPECT_EQ(vwSetViewDSL(view.get(), "None", 50, VWDSL_VIEW | VWDSL_NAMED), 1);
    EXPECT_EQ(view->dsl, 0u);
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    vwSetViewDSL(view.get(), "", 60, VWDSL_TOP | VWDSL_VIEW);  // no such toolbar: unchanged
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    SetPropA(view->hWnd, "TBTOP", bar.get());
    vwSetViewDSL(view.get(), "", 60, VWDSL_TOP);
    EXPECT_EQ(vwGetDSLWindow(view.get()), barLine);
    // one bottom control serves the frame (here a view) and its toolbars
    EXPECT_EQ(vwSetStatusLineId(view->hWnd, 60), 0);
    ViewGuard bottom(vwOpenView(Instance(), "bottom", WS_POPUP, nullptr, nullptr, 0));
    HWND status = Static(bottom->hWnd, 70);
    SetPropA(view->hWnd, "TBBOTTOM", bottom.get());
    EXPECT_EQ(vwSetStatusLineId(view->hWnd, 70), 1);
    EXPECT_EQ(vwGetDSLWindow(bottom.get()), status);
    EXPECT_EQ(vwGetDSLWindow(bar.get()), status);
    EXPECT_EQ(vwGetDSLWindow(view.get()), status);
    EXPECT_EQ(vwSetViewDSLText(view.get(), "shown"), 1);
    EXPECT_EQ(TextOf(status), "shown");
}

TEST_F(StatusLine, TheDirectiveMakesTheObjectOnce) {
    vwSetViewString(view.get(), "@3D@DSL(main,,50,RES)");  // empty parts are skipped
    const ULONG_PTR made = view->dsl;
    EXPECT_NE(made, 0u);
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    EXPECT_EQ(view->flags & VWF_DSLMASK, static_cast<DWORD>(VWDSL_VIEW | VWDSL_RESOURCE));
    vwSetViewString(view.get(), "@DSL(main,60,names,TOP)");
    EXPECT_EQ(view->dsl, made);
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    EXPECT_EQ(vwRemoveViewDSL(view.get()), 1);
    EXPECT_EQ(vwGetDSLWindow(view.get()), nullptr);
    EXPECT_EQ(vwRemoveViewDSL(view.get()), 0);  // nothing left to release
    SetPropA(view->hWnd, "TBBOTTOM", bar.get());
    vwSetViewString(view.get(), "@dsl(main,60,names,bottom)");
    EXPECT_EQ(vwGetDSLWindow(view.get()), barLine);
    EXPECT_TRUE(view->flags & VWDSL_NAMED);
}

TEST_F(StatusLine, FieldHelpOnMouseOverWhileBalloonsAreSuspended) {
    vwSetDSLWindow(view.get(), line);
    vwSetFieldEx(view.get(), 1, "edit", "", 0, 0, 0, 0, 40, 10, nullptr, nullptr);
    vwSetFieldEx(view.get(), 2, "edit", "", 0, 0, 0, 20, 40, 10, nullptr, nullptr);
    vwSetFieldString(view.get(), 1, "@DSL(Customer name)");
    HWND f1 = vwGetFieldWindow(view.get(), 1);
    SendMessageA(f1, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextOf(line), "");  // balloon help on, no "@BDSL": untouched
    vwSetViewStatus(view.get(), 0, VWST_NOBALLOONS);
    SendMessageA(f1, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextOf(line), "Customer name");
    SetWindowTextA(line, "kept");
    SendMessageA(f1, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));  // same field: not written again
    EXPECT_EQ(TextOf(line), "kept");
    SendMessageA(vwGetFieldWindow(view.get(), 2), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextOf(line), "");
}

TEST_F(StatusLine, MenuHelpForCommandsAndPopups) {
    SetMenu(view->hWnd, menu);
    vwSetDSLWindow(view.get(), line);
    Select(2105, MF_STRING, GetSubMenu(menu, 0));
    EXPECT_EQ(TextOf(line), "Opens a file");
    Select(2, MF_POPUP, menu);  // the third popup: 2000 + 400 + 3
    EXPECT_EQ(TextOf(line), "View commands");
    Select(0, MF_POPUP, GetSubMenu(menu, 2));  // nested popups count on: 2404
    EXPECT_EQ(TextOf(line), "Zoom commands");
    EXPECT_EQ(Select(0, MF_SYSMENU, GetSystemMenu(view->hWnd, FALSE)), 0);
    Select(0, MF_SEPARATOR, GetSubMenu(menu, 0));
    EXPECT_EQ(TextOf(line), "Zoom commands");
    Select(1, MF_POPUP, menu);  // 2402 does not exist
    EXPECT_EQ(TextOf(line), "");
    SetWindowTextA(line, "x");
    Select(0, 0xFFFF, nullptr);  // the menu closes
    EXPECT_EQ(TextOf(line), "");
    // commands above 22000 do not count: 3107 gives 3402
    HMENU high = LoadMenuA(Instance(), "HIGHMENU");
    SetMenu(view->hWnd, high);
    Select(1, MF_POPUP, high);
    EXPECT_EQ(TextOf(line), "Help commands");
    SetMenu(view->hWnd, nullptr);
    DestroyMenu(high);
    // a frame shows menu help in its bottom toolbar's line
    SetMenu(bar->hWnd, menu);
    SetPropA(bar->hWnd, "TBBOTTOM", view.get());
    vwProcessDSL(bar->hWnd, WM_MENUSELECT, MAKEWPARAM(2, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(TextOf(line), "View commands");
    RemovePropA(bar->hWnd, "TBBOTTOM");
    SetMenu(bar->hWnd, nullptr);
}
