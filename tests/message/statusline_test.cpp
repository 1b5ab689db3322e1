// The dynamic status line: where its control is found, the "@DSL" view
// directive, toolbars sharing one status control, field help on mouse-over
// and menu help.
#include <gtest/gtest.h>

#include "testapp.h"

using namespace tstest;

namespace {

HWND Static(HWND parent, int id) {
    return CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 12, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
}

struct StatusLine : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "status", WS_POPUP, nullptr, nullptr, 0));
        line = Static(view->hWnd, 50);
        bar.reset(vwOpenView(Instance(), "bar", WS_POPUP, nullptr, nullptr, 0));
        barLine = Static(bar->hWnd, 60);
    }
    void TearDown() override {
        for (const char* p : {"TBTOP", "TBBOTTOM", "TBLEFT", "TBRIGHT"}) RemovePropA(view->hWnd, p);
    }
    ViewGuard view, bar;
    HWND line = nullptr, barLine = nullptr;
};

} // namespace

TEST_F(StatusLine, PlacementFlagsFindTheControl) {
    EXPECT_EQ(vwSetViewDSL(view.get(), "None", 50, VWDSL_VIEW | VWDSL_NAMED), 1);
    EXPECT_EQ(view->dsl, 0u);
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    EXPECT_EQ(view->flags & VWF_DSLMASK, static_cast<DWORD>(VWDSL_VIEW | VWDSL_NAMED));
    // a missing toolbar leaves the window as it was; a present one is used
    vwSetViewDSL(view.get(), "", 60, VWDSL_TOP | VWDSL_VIEW);
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    SetPropA(view->hWnd, "TBTOP", bar.get());
    vwSetViewDSL(view.get(), "none", 60, VWDSL_TOP | VWDSL_VIEW);
    EXPECT_EQ(vwGetDSLWindow(view.get()), barLine);
    // an ID that names no control gives no status window
    vwSetViewDSL(view.get(), nullptr, 99, VWDSL_VIEW);
    EXPECT_EQ(vwGetDSLWindow(view.get()), nullptr);
    EXPECT_EQ(vwSetViewDSLText(view.get(), "dropped"), 0);
    vwSetDSLWindow(view.get(), line);
    EXPECT_EQ(vwSetViewDSLText(view.get(), "shown"), 1);
    EXPECT_EQ(TextOf(line), "shown");
}

TEST_F(StatusLine, ANamedObjectLivesUntilRemovedOrReplaced) {
    vwSetViewDSL(view.get(), "main", 50, VWDSL_VIEW | VWDSL_RESOURCE);
    const ULONG_PTR first = view->dsl;
    EXPECT_NE(first, 0u);
    vwSetViewDSL(view.get(), "other", 50, VWDSL_VIEW | VWDSL_NAMED);
    EXPECT_NE(view->dsl, 0u);
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    EXPECT_EQ(vwRemoveViewDSL(view.get()), 1);
    EXPECT_EQ(view->dsl, 0u);
    EXPECT_EQ(vwGetDSLWindow(view.get()), nullptr);
    vwSetDSLWindow(view.get(), line);
    EXPECT_EQ(vwRemoveViewDSL(view.get()), 0);  // nothing to release, window cleared all the same
    EXPECT_EQ(vwGetDSLWindow(view.get()), nullptr);
}

TEST_F(StatusLine, TheDirectiveMakesTheLineOnce) {
    vwSetViewString(view.get(), "@3D@DSL(main,,50,RES)");  // empty parts are skipped
    EXPECT_NE(view->dsl, 0u);
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    EXPECT_EQ(view->flags & VWF_DSLMASK, static_cast<DWORD>(VWDSL_VIEW | VWDSL_RESOURCE));
    const ULONG_PTR made = view->dsl;
    vwSetViewString(view.get(), "@DSL(main,60,names,TOP)");
    EXPECT_EQ(view->dsl, made);
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    vwRemoveViewDSL(view.get());
    SetPropA(view->hWnd, "TBBOTTOM", bar.get());
    vwSetViewString(view.get(), "@dsl(main,60,names,bottom)");
    EXPECT_EQ(vwGetDSLWindow(view.get()), barLine);
    EXPECT_EQ(view->flags & (VWDSL_NAMED | VWDSL_BOTTOM), static_cast<DWORD>(VWDSL_NAMED | VWDSL_BOTTOM));
}

TEST_F(StatusLine, OneBottomControlServesTheFrameAndItsToolbars) {
    EXPECT_EQ(vwSetStatusLineId(view->hWnd, 60), 0);  // no bottom toolbar
    ViewGuard top(vwOpenView(Instance(), "top", WS_POPUP, nullptr, nullptr, 0));
    SetPropA(view->hWnd, "TBBOTTOM", bar.get());
    SetPropA(view->hWnd, "TBTOP", top.get());
    EXPECT_EQ(vwSetStatusLineId(view->hWnd, 60), 1);
    EXPECT_EQ(vwGetDSLWindow(bar.get()), barLine);
    EXPECT_EQ(vwGetDSLWindow(top.get()), barLine);
    EXPECT_EQ(vwGetDSLWindow(view.get()), barLine);  // the frame is a view itself
}

TEST_F(StatusLine, FieldHelpOnMouseOverWhileBalloonsAreSuspended) {
    vwSetDSLWindow(view.get(), line);
    vwSetFieldEx(view.get(), 1, "edit", "", 0, 0, 0, 0, 40, 10, nullptr, nullptr);
    vwSetFieldEx(view.get(), 2, "edit", "", 0, 0, 0, 20, 40, 10, nullptr, nullptr);
    vwSetFieldString(view.get(), 1, "@DSL(Customer name)");
    HWND f1 = vwGetFieldWindow(view.get(), 1), f2 = vwGetFieldWindow(view.get(), 2);
    // balloon help on: a field without "@BDSL" does not touch the line
    SendMessageA(f1, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextOf(line), "");
    vwSetViewStatus(view.get(), 0, VWST_NOBALLOONS);
    SendMessageA(f1, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextOf(line), "Customer name");
    SetWindowTextA(line, "kept");
    SendMessageA(f1, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));  // same field: not written again
    EXPECT_EQ(TextOf(line), "kept");
    SendMessageA(f2, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextOf(line), "");
}

namespace {

struct MenuHelp : StatusLine {
    void SetUp() override {
        StatusLine::SetUp();
        menu = LoadMenuA(Instance(), "MAINMENU");
        SetMenu(view->hWnd, menu);
        vwSetDSLWindow(view.get(), line);
    }
    LRESULT Select(UINT item, UINT flags, HMENU m) {
        return SendMessageA(view->hWnd, WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(m));
    }
    HMENU menu = nullptr;
};

} // namespace

TEST_F(MenuHelp, CommandsAndPopupsNumberedFromTheFirstCommand) {
    Select(2105, MF_STRING, GetSubMenu(menu, 0));
    EXPECT_EQ(TextOf(line), "Opens a file");
    Select(2, MF_POPUP, menu);  // third popup: 2000 + 400 + 3
    EXPECT_EQ(TextOf(line), "View commands");
    Select(0, MF_POPUP, GetSubMenu(menu, 2));  // nested popup counts on: 2404
    EXPECT_EQ(TextOf(line), "Zoom commands");
    Select(1, MF_POPUP, menu);  // 2402 does not exist
    EXPECT_EQ(TextOf(line), "");
    SetWindowTextA(line, "before");
    EXPECT_EQ(Select(0, MF_SYSMENU, GetSystemMenu(view->hWnd, FALSE)), 0);
    Select(0, MF_SEPARATOR, GetSubMenu(menu, 0));
    EXPECT_EQ(TextOf(line), "before");
    Select(0, 0xFFFF, nullptr);  // the menu closes
    EXPECT_EQ(TextOf(line), "");
    vwSetDSLWindow(view.get(), nullptr);
    EXPECT_EQ(Select(2105, MF_STRING, GetSubMenu(menu, 0)), 0);
}

TEST_F(MenuHelp, PopupLevelsAndCommandsAboveTheLimit) {
    int counter = 0;
    EXPECT_EQ(GetPopupLevel(menu, GetSubMenu(GetSubMenu(menu, 2), 0), &counter), 4);
    counter = 0;
    EXPECT_EQ(GetPopupLevel(menu, GetSubMenu(menu, 1), &counter), 2);
    counter = 0;
    EXPECT_EQ(GetPopupLevel(menu, reinterpret_cast<HMENU>(1), &counter), 0);
    EXPECT_EQ(GetPopupLevel(nullptr, menu, &counter), 0);
    HMENU high = LoadMenuA(Instance(), "HIGHMENU");
    SetMenu(view->hWnd, high);
    Select(1, MF_POPUP, high);  // first command 3107, not 22500: 3402
    EXPECT_EQ(TextOf(line), "Help commands");
    SetMenu(view->hWnd, menu);
    DestroyMenu(high);
}

TEST_F(MenuHelp, FramesUseTheirBottomToolbar) {
    RegisterTestClass("tsframe", DefWindowProcA);
    HWND frame = CreateWindowA("tsframe", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, Instance(), nullptr);
    SetMenu(frame, menu);
    const WPARAM open = MAKEWPARAM(2105, MF_STRING);
    vwProcessDSL(frame, WM_MENUSELECT, open, reinterpret_cast<LPARAM>(GetSubMenu(menu, 0)));  // no toolbar: nothing
    SetPropA(frame, "TBBOTTOM", bar.get());
    vwSetDSLWindow(bar.get(), barLine);
    vwProcessDSL(frame, WM_COMMAND, open, reinterpret_cast<LPARAM>(GetSubMenu(menu, 0)));
    EXPECT_EQ(TextOf(barLine), "");
    vwProcessDSL(frame, WM_MENUSELECT, open, reinterpret_cast<LPARAM>(GetSubMenu(menu, 0)));
    EXPECT_EQ(TextOf(barLine), "Opens a file");
    vwProcessDSL(frame, WM_MENUSELECT, MAKEWPARAM(2, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(TextOf(barLine), "View commands");
    SetMenu(frame, nullptr);
    RemovePropA(frame, "TBBOTTOM");
    DestroyWindow(frame);
}
