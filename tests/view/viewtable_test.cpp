// The table of open views, handle validation and the view accessors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imports.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

HVIEW OpenPopup() { return vwOpenView(Instance(), "v", WS_POPUP, nullptr, nullptr, 0); }

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

} // namespace

TEST(ViewTable, TwentyNineViewsAtMostAndNoneLeftBehindByFailures) {
    MessageBoxCapture boxes;
    // a view is a record and its field table; when either cannot be had, or
    // its window cannot be made, there is no view and no slot is taken
    DestroyWindow(OpenPopup()->hWnd);  // the first view gathers the library's metrics
    for (int failing : {1, 2}) {
        FailingAlloc fail(failing);
        ASSERT_TRUE(fail.installed());
        EXPECT_EQ(OpenPopup(), nullptr) << failing;
        EXPECT_EQ(g_allocs, failing);
    }
    EXPECT_EQ(vwOpenView(Instance(), "x", WS_CHILD, nullptr, nullptr, 0), nullptr);  // a child needs a parent
    std::vector<HVIEW> views;
    for (int i = 0; i < 29; ++i) {
        views.push_back(OpenPopup());
        ASSERT_NE(views.back(), nullptr) << i;
    }
    EXPECT_EQ(OpenPopup(), nullptr);  // no thirtieth view
    EXPECT_FALSE(vwIsView(nullptr));
    DestroyWindow(views[10]->hWnd);  // a middle view goes
    EXPECT_FALSE(vwIsView(views[10]));
    for (int i = 0; i < 29; ++i)
        if (i != 10) EXPECT_TRUE(vwIsView(views[i])) << i;
    views[10] = OpenPopup();  // its slot is free again
    ASSERT_NE(views[10], nullptr);
    for (HVIEW v : views) DestroyWindow(v->hWnd);
    for (HVIEW v : views) EXPECT_FALSE(vwIsView(v));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(ViewTable, InvalidHandlesAreReportedSixTimesAtMostAndFieldsFindTheirView) {
    MessageBoxCapture boxes;
    int fake = 0;
    HVIEW bogus = reinterpret_cast<HVIEW>(&fake);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(vwGetViewWindow(bogus), nullptr);
    EXPECT_EQ(vwSetViewFont(bogus, "Arial", 8, 0, FALSE), 0);
    EXPECT_EQ(vwSetViewString(bogus, "@3D"), 0);
    EXPECT_EQ(vwShowView(bogus), nullptr);
    EXPECT_EQ(vwShowModalView(bogus), -1);
    ASSERT_EQ(boxes.boxes().size(), 6u);
    EXPECT_EQ(boxes.boxes()[5].caption, "Tessarine Screen Manager");
    EXPECT_EQ(boxes.boxes()[5].text, "Application error detected.\nInvalid view handle");

    ViewGuard a(OpenPopup()), b(OpenPopup());
    ASSERT_EQ(vwSetFieldEx(a.get(), 7, "edit", "", WS_TABSTOP, 0, 1, 1, 40, 10, nullptr, nullptr), 1);
    // b is the current view now; the field finds a through its parent
    EXPECT_EQ(vwGetView(vwGetFieldWindow(a.get(), 7)), a.get());
    EXPECT_EQ(vwGetView(a->hWnd), a.get());
}

TEST(ViewAccessors, StringsAndNamesLongAndUnstorable) {
    ViewGuard v(OpenPopup());
    char buf[64] = "junk";
    EXPECT_EQ(vwSetViewString(v.get(), "@SELCOLORS@OUT"), 14);
    EXPECT_EQ(vwGetViewString(v.get(), buf, 5), 4);  // cut to fit
    EXPECT_STREQ(buf, "@SEL");
    EXPECT_EQ(vwSetViewString(v.get(), ""), 0);
    EXPECT_EQ(vwGetViewString(v.get(), buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    std::string text(5000, ' '), back(6000, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
    EXPECT_EQ(vwSetViewString(v.get(), text.c_str()), 5000);
    EXPECT_EQ(vwGetViewString(v.get(), back.data(), 6000), 5000);
    EXPECT_EQ(back.c_str(), text);
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

TEST(ViewAccessors, BrushesButtonsApplicationWordAndTheFirstField) {
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
    vwSetViewString(v.get(), "");
    EXPECT_EQ(vwGetViewSelBackBrush(v.get()), app);
    v.reset(OpenPopup());
    EXPECT_NE(GetObjectType(app), 0u);  // the application's brush is never the view's to delete
    DeleteObject(app);

    vwSetViewThisPtr(v.get(), 0x12345678);
    EXPECT_EQ(vwGetViewThisPtr(v.get()), 0x12345678);
    EXPECT_EQ(vwGetView(v->hWnd), v.get());  // the view's own word is untouched
    EXPECT_EQ(vwSetOKButton(v.get(), 11), 0u);
    EXPECT_EQ(vwSetOKButton(v.get(), 12), 11u);
    vwSetCancelButton(v.get(), 0x12345);
    EXPECT_EQ(vwGetCancelButton(v.get()), 0x2345);  // a 16-bit value
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
    SendMessageA(v->hWnd, VWM_SHOWERROR, 4, 0);  // an error is pending
    EXPECT_EQ(vwGotoFirstField(v.get()), 0xFF);  // widened without sign
}
