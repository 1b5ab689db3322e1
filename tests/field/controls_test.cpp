// What the default procedures of buttons, statics, scroll bars, list boxes,
// combo boxes and other classes do with their directive strings, and the
// filter of a combo box's edit child.
#include <gtest/gtest.h>
#include <dde.h>

#include <cstring>
#include <string>

#include "beep.h"
#include "testapp.h"

using namespace tstest;

namespace {

LRESULT CALLBACK PlainControl(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

struct Controls : ::testing::Test {
    void SetUp() override {
        RegisterTestClass("PlainControl", PlainControl);
        view.reset(vwOpenView(Instance(), "controls", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 0, 0, 400, 200, FALSE);
        Add(1, "button", BS_PUSHBUTTON, 4);
        Add(2, "button", BS_GROUPBOX, 20);
        Add(3, "static", SS_LEFT, 36);
        Add(4, "scrollbar", SBS_HORZ, 52);
        Add(5, "listbox", LBS_NOTIFY, 68);
        Add(6, "combobox", CBS_DROPDOWN, 100);
        Add(7, "PlainControl", 0, 140);
        Add(8, "edit", ES_AUTOHSCROLL, 160);
        vwShowView(view.get());
    }
    void Add(LONG id, const char* cls, DWORD style, int y) {
        vwSetFieldEx(view.get(), id, cls, "", style | WS_VISIBLE | WS_TABSTOP, 0, 4, y, 80, 14, nullptr, nullptr);
    }
    HWND W(LONG id) { return vwGetFieldWindow(view.get(), id); }
    ViewGuard view;
};

} // namespace

TEST_F(Controls, ProtectionDisablesByClass) {
    for (LONG id = 1; id <= 7; ++id) vwSetFieldString(view.get(), id, "@PRT");
    for (LONG id = 1; id <= 7; ++id) EXPECT_TRUE(vwIsFieldProtected(view.get(), id)) << id;
    EXPECT_FALSE(IsWindowEnabled(W(1)));
    EXPECT_TRUE(IsWindowEnabled(W(2)));  // a group box is protected, not disabled
    EXPECT_TRUE(IsWindowEnabled(W(3)));  // statics are never disabled
    for (LONG id : {4, 5, 6, 7}) EXPECT_FALSE(IsWindowEnabled(W(id))) << id;
    // a later string without the keyword enables them again; the standard
    // classes read it case-sensitively, other classes do not
    for (LONG id : {4, 5, 6, 7}) vwSetFieldString(view.get(), id, "@prt");
    EXPECT_TRUE(IsWindowEnabled(W(4)));
    EXPECT_TRUE(IsWindowEnabled(W(5)));
    EXPECT_TRUE(IsWindowEnabled(W(6)));
    EXPECT_FALSE(IsWindowEnabled(W(7)));
}

namespace {
HANDLE g_dropAfterDestroy = reinterpret_cast<HANDLE>(-1);
LRESULT CALLBACK WatchDestroy(HWND h, UINT m, WPARAM w, LPARAM l) {
    LRESULT r = DefButtonProc(h, m, w, l);
    if (m == WM_DESTROY) g_dropAfterDestroy = GetPropA(h, "@WANTDROP");
    return r;
}
} // namespace

TEST_F(Controls, DropTargetsAndTheirRemoval) {
    for (LONG id = 1; id <= 7; ++id) vwSetFieldString(view.get(), id, "@DROPTARG");
    for (LONG id = 1; id <= 6; ++id) EXPECT_EQ(GetPropA(W(id), "@WANTDROP"), reinterpret_cast<HANDLE>(5)) << id;
    EXPECT_EQ(GetPropA(W(7), "@WANTDROP"), nullptr);
    vwSetFieldString(view.get(), 5, "@droptarg");  // case-sensitive: nothing new, nothing undone
    EXPECT_EQ(GetPropA(W(5), "@WANTDROP"), reinterpret_cast<HANDLE>(5));

    // a dropped text arrives through the drag messages
    SetWindowTextA(W(8), "dragged");
    SendMessageA(W(3), VWM_DRAG1, reinterpret_cast<WPARAM>(W(8)), 0);
    EXPECT_EQ(TextOf(W(3)), "dragged");

    vwSetFieldEx(view.get(), 9, "button", "b", BS_PUSHBUTTON | WS_VISIBLE, 0, 100, 4, 40, 14, nullptr, WatchDestroy);
    vwSetFieldString(view.get(), 9, "@DROPTARG");
    DestroyWindow(W(9));
    EXPECT_EQ(g_dropAfterDestroy, nullptr);  // removed before the class saw WM_DESTROY
}

namespace {
int g_helpCalls = 0;
LRESULT CALLBACK HelpWindow(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COPYDATA) ++g_helpCalls;
    return m == WM_COPYDATA ? 1 : DefWindowProcA(h, m, w, l);
}

int g_acks = 0;
LRESULT CALLBACK DdeClient(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DDE_ACK) {
        ++g_acks;
        GlobalDeleteAtom(LOWORD(l));
        GlobalDeleteAtom(HIWORD(l));
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}
} // namespace

TEST_F(Controls, HelpKeyAndDdeRoutingPerClass) {
    RegisterTestClass("MS_WINHELP", HelpWindow);
    HWND help = CreateWindowA("MS_WINHELP", "help", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr);
    const int expected[] = {1, 1, 0, 1, 1, 1, 0, 1};  // statics and other classes give no help
    for (LONG id = 1; id <= 8; ++id) {
        vwSetFieldString(view.get(), id, "@HELP(demo.hlp,3)");
        g_helpCalls = 0;
        // a combo box hears its keys through its edit child
        HWND target = id == 6 ? GetWindow(W(6), GW_CHILD) : W(id);
        SendMessageA(target, WM_KEYDOWN, VK_F1, 0);
        EXPECT_EQ(g_helpCalls, expected[id - 1]) << id;
    }
    DestroyWindow(help);

    // list boxes serve a DDE conversation; buttons do not take part
    RegisterTestClass("DdeClient", DdeClient);
    HWND client = CreateWindowA("DdeClient", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr);
    auto initiate = [&](HWND to) {
        ATOM app = GlobalAddAtomA("Shop"), topic = GlobalAddAtomA("Prices");
        SendMessageA(to, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client), MAKELPARAM(app, topic));
        GlobalDeleteAtom(app);
        GlobalDeleteAtom(topic);
    };
    vwSetFieldString(view.get(), 5, "@SERVER(Shop,Prices,Milk)");
    vwSetFieldString(view.get(), 1, "@SERVER(Shop,Prices,Milk)");
    g_acks = 0;
    initiate(W(1));
    EXPECT_EQ(g_acks, 0);
    initiate(W(5));
    EXPECT_EQ(g_acks, 1);
    DestroyWindow(W(5));  // ends the link before the window goes
    DestroyWindow(client);
}

TEST_F(Controls, ComboEditFiltersAndHandsOnNavigation) {
    HWND combo = W(6);
    HWND edit = GetWindow(combo, GW_CHILD);
    ASSERT_TRUE(edit);
    vwSetFieldString(view.get(), 6, "@NUM@EXCLUDE(5)");
    SetFocus(edit);
    BeepRecorder beeps;
    ASSERT_TRUE(beeps.installed());
    for (char c : std::string("a15\t2")) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ(TextOf(edit), "12");
    EXPECT_EQ(beeps.count(), 2);  // the letter and the excluded digit; Tab is silent

    vwSetFieldString(view.get(), 6, "@UP@Include(Q)");  // combo boxes know no "@Include"
    SetFocus(W(7));
    SetFocus(edit);
    SendMessageA(edit, WM_CHAR, 'q', 1);
    SendMessageA(edit, WM_CHAR, 'z', 1);
    EXPECT_EQ(TextOf(edit), "12QZ");

    SendMessageA(edit, WM_KEYDOWN, VK_TAB, 0);  // Tab reaches the combo box and moves on
    EXPECT_EQ(GetFocus(), W(7));

    vwProtectField(view.get(), 6);
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(GetFocus(), W(7));  // a protected combo box ignores clicks
}
