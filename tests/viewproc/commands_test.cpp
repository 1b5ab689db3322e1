// The default view procedure: OK and Cancel, closing, keys and scrolling, DDE.
#include <gtest/gtest.h>

#include <dde.h>

#include <vector>

#include "beep.h"
#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

// A form of a check box bound to a variable, a field that is invalid while
// it reads "bad", OK and Cancel.  Its procedure plays a script, one step a
// timer tick: 'c' checks, 't' sets a text, 'k' clicks, 'x' closes, 'm' minimises.
struct Step {
    char what;
    LONG id;
    const char* text;
};
std::vector<Step> g_script;
std::size_t g_step = 0;
bool g_iconic = false;

LRESULT CALLBACK ScriptedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) SetTimer(h, 7, 10, nullptr);
    if (m != WM_TIMER || w != 7 || g_step == g_script.size()) return DefViewProc(h, m, w, l);
    const Step s = g_script[g_step++];
    HWND f = vwGetFieldWindow(vwGetView(h), s.id);
    if (s.what == 'c') SendMessageA(f, BM_SETCHECK, BST_CHECKED, 0);
    if (s.what == 't') SetWindowTextA(f, s.text);
    if (s.what == 'k') PostMessageA(h, WM_COMMAND, MAKEWPARAM(s.id, BN_CLICKED), reinterpret_cast<LPARAM>(f));
    if (s.what == 'x') PostMessageA(h, WM_CLOSE, 0, 0);
    if (s.what == 'm') SendMessageA(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (s.what == 'm') g_iconic = IsIconic(h);
    return 0;
}

LRESULT CALLBACK CheckProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_GETDLGCODE) return DLGC_WANTCHARS;
    return m == VWM_VALIDATE ? (TextOf(h) == "bad" ? -1 : 0) : DefWindowProcA(h, m, w, l);
}

HVIEW Form(LONG* flag, WNDPROC proc = ScriptedProc) {
    RegisterTestClass("tscheck32", CheckProc);
    HVIEW v = vwOpenView(Instance(), "form", WS_POPUP | WS_CAPTION | WS_MINIMIZEBOX | WS_VISIBLE, nullptr, proc, 0);
    vwSetFieldEx(v, 3, "button", "flag", BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP, 0, 2, 2, 60, 10, flag, nullptr);
    vwSetFieldEx(v, 4, "tscheck", "ok", WS_VISIBLE | WS_TABSTOP, 0, 2, 14, 60, 10, nullptr, nullptr);
    for (LONG id : {IDOK, IDCANCEL}) vwSetFieldEx(v, id, "button", "", BS_PUSHBUTTON, 0, 2, 30, 40, 14, nullptr, nullptr);
    vwSetOKButton(v, IDOK);
    vwSetCancelButton(v, IDCANCEL);
    return v;
}

LONG RunForm(std::vector<Step> script, LONG* flag) {
    g_script = std::move(script);
    g_step = 0;
    return vwShowModalView(Form(flag));
}

} // namespace

TEST(Commands, OkStoresTheFieldsAndEndsWithOneOnceTheyAreValidCancelAndCloseStoreNothing) {
    LONG flag = 0;
    EXPECT_EQ(RunForm({{'c', 3}, {'t', 4, "bad"}, {'k', IDOK}, {'t', 4, "good"}, {'k', IDOK}}, &flag), 1);
    EXPECT_EQ(g_step, 5u);  // the first OK did not end it
    EXPECT_EQ(flag, 1);
    flag = 0;
    EXPECT_EQ(RunForm({{'c', 3}, {'t', 4, "bad"}, {'k', IDCANCEL}}, &flag), 0);  // Cancel does not validate
    EXPECT_EQ(RunForm({{'c', 3}, {'m', 0}, {'x', 0}}, &flag), 0);
    EXPECT_FALSE(g_iconic);  // a modal view does not minimise
    EXPECT_EQ(flag, 0);
    // a modeless view is destroyed by Cancel
    HVIEW v = Form(&flag, nullptr);
    HWND h = v->hWnd;
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(vwGetFieldWindow(v, IDCANCEL)));
    EXPECT_FALSE(IsWindow(h));
}

namespace {
std::vector<WPARAM> g_special;
LRESULT CALLBACK SpecialKey(HWND, UINT m, WPARAM w, LPARAM) {
    if (m == WM_KEYDOWN) g_special.push_back(w);
    return w == VK_F5;
}
LONG VPos(HVIEW v) { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(GetPropA(v->hWnd, "VPOS"))); }
} // namespace

TEST(Keys, ControlAndTheNavigationKeysScrollEverythingUntilTheViewFits) {
    // 400 vertical units are 800 pixels of the base units (8 x 16) in a
    // client area of 100: the range is 700, a line 10 horizontal units, 20 pixels
    ViewGuard v(vwOpenView(Instance(), "scroll", WS_POPUP | WS_VSCROLL | WS_VISIBLE, nullptr, nullptr, 0));
    MoveWindow(v->hWnd, 0, 0, 200, 100, FALSE);
    vwSetTextField(v.get(), 4, 40, "label", nullptr);
    vwSetTextField(v.get(), 4, 0xFFFF, "centred", nullptr);
    vwSetFieldEx(v.get(), 9, "edit", "", WS_VISIBLE, 0, 4, 60, 40, 12, nullptr, nullptr);
    const LONG labelY = vwGetTextFieldYPos(v.get(), 1);
    RECT before, after;
    GetWindowRect(vwGetFieldWindow(v.get(), 9), &before);
    vwSetViewString(v.get(), "@VSCROLL(400,10)");
    vwSetSpecialKey(v.get(), SpecialKey);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    auto key = [&](WPARAM k) { return SendMessageA(v->hWnd, WM_KEYDOWN, k, 0); };
    EXPECT_EQ(key(VK_F5), 0);  // taken by the special-key procedure
    EXPECT_EQ(key(VK_DOWN), 0);
    EXPECT_EQ(VPos(v.get()), 20);
    EXPECT_EQ(vwGetTextFieldYPos(v.get(), 1), labelY - 20);  // text fields move along
    EXPECT_EQ(vwGetTextFieldYPos(v.get(), 2), -1 - 20);     // centred ones too
    key(VK_END);
    key(VK_DOWN);  // clamped
    EXPECT_EQ(VPos(v.get()), 700);
    EXPECT_EQ(key('A'), 0);  // swallowed
    key(VK_HOME);
    EXPECT_EQ(VPos(v.get()), 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(g_special, (std::vector<WPARAM>{VK_F5, VK_DOWN, VK_END, VK_DOWN, 'A', VK_HOME}));

    SendMessageA(v->hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    MoveWindow(v->hWnd, 0, 0, 200, 800, TRUE);  // now everything fits
    EXPECT_EQ(VPos(v.get()), 0);
    EXPECT_EQ(vwGetTextFieldYPos(v.get(), 1), labelY);
    GetWindowRect(vwGetFieldWindow(v.get(), 9), &after);
    EXPECT_EQ(after.top, before.top);
    EXPECT_FALSE(StyleOf(v->hWnd) & WS_VSCROLL);
}

namespace {
MessageLog g_dde;
LRESULT CALLBACK DdeClient(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DDE_ACK) g_dde.add(h, m, w, l);
    return DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK DdeField(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DDE_INITIATE) g_dde.add(h, m, w, l);
    return vwGetDefFieldProc(vwGetView(h), GetWindowLongA(h, GWL_ID))(h, m, w, l);
}
} // namespace

TEST(Dde, InitiateReachesTheFieldsThatNameItAndAViewAnswersServerName) {
    RegisterTestClass("DdeClient", DdeClient);
    HWND client = CreateWindowA("DdeClient", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr);
    ViewGuard v(vwOpenView(Instance(), "dde", WS_POPUP, nullptr, nullptr, 0));
    vwSetFieldEx(v.get(), 61, "edit", "", 0, 0, 0, 0, 40, 10, nullptr, DdeField);
    vwSetFieldEx(v.get(), 62, "edit", "", 0, 0, 0, 12, 40, 10, nullptr, DdeField);
    vwSetFieldString(v.get(), 61, "@SERVER(Sales,Totals,Q1)");
    vwSetFieldString(v.get(), 62, "@server(Sales,Totals,Q1)");  // the search is case-sensitive
    for (const auto& [app, topic] :
         {std::pair{"sales", "TOTALS"}, std::pair{"Sales", "Other"}, std::pair{"Server", "Name"}}) {
        ATOM a = GlobalAddAtomA(app), t = GlobalAddAtomA(topic);
        EXPECT_EQ(SendMessageA(v->hWnd, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client), MAKELPARAM(a, t)), 0);
        GlobalDeleteAtom(a);
        GlobalDeleteAtom(t);
    }
    // field 61 heard the first and, a server now, answered; the view answered the last
    ASSERT_EQ(g_dde.sequence(), (std::vector<UINT>{WM_DDE_INITIATE, WM_DDE_ACK, WM_DDE_ACK}));
    EXPECT_EQ(g_dde.entries()[0].hWnd, vwGetFieldWindow(v.get(), 61));
    EXPECT_EQ(g_dde.entries()[2].wParam, reinterpret_cast<WPARAM>(v->hWnd));
    v.reset();
    DestroyWindow(client);
}

TEST(SysColors, ViewsWithoutBrushFollowTheWindowColour) {
    ViewGuard v(vwOpenView(Instance(), "colours", WS_POPUP, nullptr, nullptr, 0));
    COLORREF c[4];
    for (HBRUSH brush : {static_cast<HBRUSH>(nullptr), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}) {
        vwSetViewBackBrush(v.get(), brush);
        vwSetViewBkColor(v.get(), RGB(1, 2, 3));
        SendMessageA(v->hWnd, WM_SYSCOLORCHANGE, 0, 0);
        vwGetViewDefColors(v.get(), &c[0], &c[1], &c[2], &c[3]);
        EXPECT_EQ(c[1], brush ? RGB(1, 2, 3) : GetSysColor(COLOR_WINDOW));
    }
}
