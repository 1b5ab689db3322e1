// The table of open views, handle validation and the view accessors.
#include <gtest/gtest.h>

#include <vector>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

HVIEW OpenPopup(const char* caption = "v", DWORD style = WS_POPUP) {
    return vwOpenView(Instance(), caption, style, nullptr, nullptr, 0);
}

} // namespace

TEST(ViewTable, HoldsTwentyNineViewsAndClosesUpOnRemoval) {
    MessageBoxCapture boxes;
    std::vector<HVIEW> views;
    for (int i = 0; i < 29; ++i) {
        HVIEW v = OpenPopup();
        ASSERT_NE(v, nullptr) << i;
        views.push_back(v);
    }
    EXPECT_EQ(OpenPopup(), nullptr);  // no thirtieth view
    EXPECT_FALSE(vwIsView(nullptr));
    DestroyWindow(views[10]->hWnd);  // a middle view goes
    EXPECT_FALSE(vwIsView(views[10]));
    for (int i = 0; i < 29; ++i)
        if (i != 10) EXPECT_TRUE(vwIsView(views[i])) << i;
    HVIEW again = OpenPopup();
    EXPECT_NE(again, nullptr);  // the freed slot is usable again
    views[10] = again;
    for (HVIEW v : views) DestroyWindow(v->hWnd);
    for (HVIEW v : views) EXPECT_FALSE(vwIsView(v));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(ViewTable, RecordWithoutWindowIsAViewUntilFreed) {
    // a window that cannot be made frees its record
    HVIEW bad = vwOpenView(Instance(), "x", WS_CHILD, nullptr, nullptr, 0);
    EXPECT_EQ(bad, nullptr);
    HVIEW v = OpenPopup();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->self, v);
    EXPECT_EQ(v->kind, VWK_VIEW);
    EXPECT_STREQ(v->messageFile, "vwerror.txt");
    EXPECT_EQ(v->errorBkColor, 0xFFFFFFu);
    EXPECT_EQ(v->defViewProc, DefViewProc);
    EXPECT_EQ(reinterpret_cast<HVIEW>(GetWindowLongPtrA(v->hWnd, VWL_VIEW)), v);
    EXPECT_EQ(GetPropA(v->hWnd, "VWPARENT"), nullptr);
    DestroyWindow(v->hWnd);
    EXPECT_FALSE(vwIsView(v));
}

TEST(ViewTable, InvalidHandleBoxAtMostSixTimes) {
    MessageBoxCapture boxes;
    int fake = 0;
    HVIEW bogus = reinterpret_cast<HVIEW>(&fake);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(vwGetViewWindow(bogus), nullptr);
    EXPECT_EQ(vwSetViewString(bogus, "@3D"), 0);
    EXPECT_EQ(vwShowView(bogus), nullptr);
    EXPECT_EQ(vwShowModalView(bogus), -1);
    ASSERT_EQ(boxes.boxes().size(), 6u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Tessarine Screen Manager");
    EXPECT_EQ(boxes.boxes()[0].text, "Application error detected.\nInvalid view handle");
}

TEST(ViewTable, GetViewFindsTheOwnerOfFieldsOfAnyView) {
    HVIEW a = OpenPopup(), b = OpenPopup();
    ASSERT_TRUE(a && b);
    int n = vwSetFieldEx(a, 7, "edit", "", WS_TABSTOP, 0, 1, 1, 40, 10, nullptr, nullptr);
    ASSERT_EQ(n, 1);
    // b is the current view now; the field still finds a through its parent
    EXPECT_EQ(vwGetView(vwGetFieldWindow(a, 7)), a);
    EXPECT_EQ(vwGetView(a->hWnd), a);
    EXPECT_EQ(vwGetView(b->hWnd), b);
    DestroyWindow(a->hWnd);
    DestroyWindow(b->hWnd);
}

TEST(ViewAccessors, ViewStringNameAndColours) {
    ViewGuard v(OpenPopup());
    char buf[64] = "junk";
    EXPECT_EQ(vwSetViewString(v.get(), "@SELCOLORS@OUT"), 14);
    EXPECT_EQ(vwGetViewString(v.get(), buf, sizeof buf), 14);
    EXPECT_STREQ(buf, "@SELCOLORS@OUT");
    EXPECT_EQ(vwGetViewString(v.get(), buf, 5), 4);  // cut to fit
    EXPECT_STREQ(buf, "@SEL");
    EXPECT_TRUE(v->flags & VWF_OUT);  // applied at once through the window
    EXPECT_EQ(vwSetViewString(v.get(), ""), 0);
    EXPECT_EQ(vwGetViewString(v.get(), buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_FALSE(v->flags & VWF_OUT);

    vwSetViewName(v.get(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
    char name[32];
    EXPECT_EQ(vwGetViewResourceName(v.get(), name), 25);

    // the selection brush is reported only under "@SELCOLORS"
    HBRUSH back = CreateSolidBrush(RGB(1, 2, 3));
    vwSetViewBackBrush(v.get(), back);
    EXPECT_EQ(vwGetViewSelBackBrush(v.get()), back);
    vwSetViewString(v.get(), "@SELCOLORS");
    EXPECT_EQ(vwGetViewSelBackBrush(v.get()), v->hSelBrush);
    HBRUSH oldSel = v->hSelBrush;
    COLORREF prev = v->selBkColor;
    EXPECT_EQ(vwSetViewSelBkColor(v.get(), RGB(9, 8, 7)), prev);
    EXPECT_NE(v->hSelBrush, oldSel);
    EXPECT_EQ(GetObjectType(oldSel), 0u);  // the replaced brush is gone
    LOGBRUSH lb = {};
    GetObjectA(v->hSelBrush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(9, 8, 7));
    EXPECT_EQ(vwSetViewTextColor(v.get(), RGB(1, 1, 1)), GetSysColor(COLOR_WINDOWTEXT));
    // the application's brush is never the view's to delete
    v.reset();
    EXPECT_NE(GetObjectType(back), 0u);
    DeleteObject(back);
}

TEST(ViewAccessors, OwnedBackBrushIsDeletedWhenReplaced) {
    ViewGuard v(OpenPopup());
    HBRUSH mine = CreateSolidBrush(RGB(4, 5, 6));
    vwSetViewBackBrush(v.get(), mine);
    v->ownsBackBrush = 1;
    HBRUSH app = CreateSolidBrush(RGB(7, 7, 7));
    vwSetViewBackBrush(v.get(), app);
    EXPECT_EQ(GetObjectType(mine), 0u);
    EXPECT_EQ(v->ownsBackBrush, 0);
    v.reset();
    EXPECT_NE(GetObjectType(app), 0u);
    DeleteObject(app);
}

TEST(ViewAccessors, GeometryStyleAndApplicationValues) {
    ViewGuard v(OpenPopup("geo", WS_POPUP | WS_BORDER));
    MoveWindow(v->hWnd, 10, 20, 200, 100, FALSE);
    vwSetViewXPos(v.get(), 30, FALSE);
    EXPECT_EQ(vwGetViewXPos(v.get()), 30);
    EXPECT_EQ(vwGetViewYPos(v.get()), 20);
    vwSetViewHeight(v.get(), 150, FALSE);
    EXPECT_EQ(vwGetViewHeight(v.get()), 150);
    EXPECT_EQ(vwGetViewWidth(v.get()), 200);
    vwSetViewStyle(v.get(), WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(v->showState, VWS_SHOWN);
    vwSetViewThisPtr(v.get(), 0x12345678);
    EXPECT_EQ(vwGetViewThisPtr(v.get()), 0x12345678);
    EXPECT_EQ(GetWindowLongPtrA(v->hWnd, VWL_VIEW), reinterpret_cast<LONG_PTR>(v.get()));  // untouched
    vwSetViewDataHandle(v.get(), 5);
    vwSetViewLongDataHandle(v.get(), 6);
    EXPECT_EQ(vwGetViewDataHandle(v.get()), 5u);
    EXPECT_EQ(vwGetViewLongDataHandle(v.get()), 6u);
    EXPECT_EQ(vwSetOKButton(v.get(), 11), 0u);
    EXPECT_EQ(vwSetOKButton(v.get(), 12), 11u);
    vwSetCancelButton(v.get(), 0x12345);
    EXPECT_EQ(vwGetCancelButton(v.get()), 0x2345);  // a 16-bit value
}

TEST(ViewAccessors, GotoFirstFieldSkipsProtectedAndDisabled) {
    ViewGuard v(OpenPopup());
    vwSetFieldEx(v.get(), 1, "edit", "", WS_TABSTOP, 0, 0, 0, 40, 10, nullptr, nullptr);
    vwSetFieldEx(v.get(), 2, "edit", "", WS_TABSTOP | WS_DISABLED, 0, 0, 12, 40, 10, nullptr, nullptr);
    vwSetFieldEx(v.get(), 3, "edit", "", 0, 0, 0, 24, 40, 10, nullptr, nullptr);
    vwSetFieldEx(v.get(), 4, "edit", "", WS_TABSTOP, 0, 0, 36, 40, 10, nullptr, nullptr);
    vwProtectField(v.get(), 1);
    EXPECT_EQ(vwGotoFirstField(v.get()), 0);
    EXPECT_EQ(v->currentField, 4);
    EXPECT_EQ(vwGetCurrField(v.get()), 4);
    vwProtectField(v.get(), 4);
    vwGotoFirstField(v.get());
    EXPECT_EQ(v->currentField, 0);
    EXPECT_EQ(vwGetCurrField(v.get()), 0);
    v->errorStatus = -1;
    vwUnprotectField(v.get(), 4);
    EXPECT_EQ(vwGotoFirstField(v.get()), 0xFF);  // widened without sign
}
