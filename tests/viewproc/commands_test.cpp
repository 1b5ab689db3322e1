// The default view procedure: OK and Cancel, closing, keys and scrolling.
#include <gtest/gtest.h>

#include <dde.h>

#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

// Posts a script of actions into a modal loop, one per timer tick.
struct Step {
    enum What { Check, Click, Close, SetText } what;
    LONG id;
    const char* text;
};
const Step* g_script = nullptr;
int g_step = 0;

LRESULT CALLBACK ScriptedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) SetTimer(h, 7, 10, nullptr);
    if (m == WM_TIMER && w == 7) {
        const Step& s = g_script[g_step++];
        HVIEW v = vwGetView(h);
        HWND f = s.id ? vwGetFieldWindow(v, s.id) : nullptr;
        switch (s.what) {
        case Step::Check: SendMessageA(f, BM_SETCHECK, BST_CHECKED, 0); break;
        case Step::SetText: SetWindowTextA(f, s.text); break;
        case Step::Click: PostMessageA(h, WM_COMMAND, MAKEWPARAM(s.id, BN_CLICKED), reinterpret_cast<LPARAM>(f)); break;
        case Step::Close: PostMessageA(h, WM_CLOSE, 0, 0); break;
        }
        return 0;
    }
    return DefViewProc(h, m, w, l);
}

LRESULT CALLBACK CheckProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_GETDLGCODE) return DLGC_WANTCHARS;
    if (m == VWM_VALIDATE) {
        char buf[16] = {};
        GetWindowTextA(h, buf, sizeof buf);
        return lstrcmpA(buf, "bad") == 0 ? -1 : 0;
    }
    return DefWindowProcA(h, m, w, l);
}

HVIEW ModalForm(LONG* flag) {
    RegisterTestClass("tscheck32", CheckProc);
    HVIEW v = vwOpenView(Instance(), "form", WS_POPUP | WS_VISIBLE, nullptr, ScriptedProc, 0);
    MoveWindow(v->hWnd, 0, 0, 200, 120, FALSE);
    vwSetFieldEx(v, 3, "button", "flag", BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP, 0, 2, 2, 60, 10, flag, nullptr);
    vwSetFieldEx(v, 4, "tscheck", "ok", WS_VISIBLE | WS_TABSTOP, 0, 2, 14, 60, 10, nullptr, nullptr);
    vwSetFieldEx(v, IDOK, "button", "OK", BS_PUSHBUTTON | WS_VISIBLE, 0, 2, 30, 40, 14, nullptr, nullptr);
    vwSetFieldEx(v, IDCANCEL, "button", "Cancel", BS_PUSHBUTTON | WS_VISIBLE, 0, 50, 30, 40, 14, nullptr, nullptr);
    vwSetOKButton(v, IDOK);
    vwSetCancelButton(v, IDCANCEL);
    return v;
}

} // namespace

TEST(Commands, OkCopiesTheScreenAndEndsWithOne) {
    LONG flag = 0;
    static const Step script[] = {{Step::Check, 3, nullptr}, {Step::Click, IDOK, nullptr}};
    g_script = script;
    g_step = 0;
    EXPECT_EQ(vwShowModalView(ModalForm(&flag)), 1);
    EXPECT_EQ(flag, 1);
}

TEST(Commands, CancelAndCloseEndWithZeroAndCopyNothing) {
    LONG flag = 0;
    static const Step cancel[] = {{Step::Check, 3, nullptr}, {Step::Click, IDCANCEL, nullptr}};
    g_script = cancel;
    g_step = 0;
    EXPECT_EQ(vwShowModalView(ModalForm(&flag)), 0);
    EXPECT_EQ(flag, 0);
    static const Step close[] = {{Step::Check, 3, nullptr}, {Step::Close, 0, nullptr}};
    g_script = close;
    g_step = 0;
    EXPECT_EQ(vwShowModalView(ModalForm(&flag)), 0);
    EXPECT_EQ(flag, 0);
}

TEST(Commands, AnInvalidFieldKeepsTheViewOpen) {
    LONG flag = 0;
    static const Step script[] = {{Step::SetText, 4, "bad"}, {Step::Check, 3, nullptr}, {Step::Click, IDOK, nullptr},
                                  {Step::SetText, 4, "good"}, {Step::Click, IDOK, nullptr}};
    g_script = script;
    g_step = 0;
    EXPECT_EQ(vwShowModalView(ModalForm(&flag)), 1);
    EXPECT_EQ(g_step, 5);  // the first OK did not end it
    EXPECT_EQ(flag, 1);
}

TEST(Commands, ModelessViewsAreDestroyedAndModalOnesDoNotMinimise) {
    LONG flag = 0;
    HVIEW v = ModalForm(&flag);
    vwSetViewProc(v, nullptr);
    HWND h = v->hWnd;
    SetWindowTextA(vwGetFieldWindow(v, 4), "bad");  // Cancel never validates
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(vwGetFieldWindow(v, IDCANCEL)));
    EXPECT_FALSE(IsWindow(h));

    HVIEW m = vwOpenView(Instance(), "m", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, nullptr,
                         nullptr, 0);
    m->kind = VWK_MODAL;
    ShowWindow(m->hWnd, SW_SHOW);
    EXPECT_EQ(SendMessageA(m->hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0), 0);
    EXPECT_FALSE(IsIconic(m->hWnd));
    EXPECT_EQ(SendMessageA(m->hWnd, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(m->showState, VWS_ENDMODAL);
    EXPECT_TRUE(IsWindow(m->hWnd));
    DestroyWindow(m->hWnd);
}

namespace {

MessageLog g_special;
LRESULT CALLBACK SpecialKey(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_special.add(h, m, w, l);
    return w == VK_F5;
}

void SetControl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

LONG VPos(HVIEW v) { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(GetPropA(v->hWnd, "VPOS"))); }

} // namespace

TEST(Keys, SpecialKeysAndControlNavigationScroll) {
    ViewGuard v(vwOpenView(Instance(), "scroll", WS_POPUP | WS_VSCROLL, nullptr, nullptr, 0));
    MoveWindow(v->hWnd, 0, 0, 200, 100, FALSE);
    vwSetTextField(v.get(), 4, 40, "label", nullptr);
    const LONG labelY = vwGetTextFieldYPos(v.get(), 1);
    vwSetViewString(v.get(), "@VSCROLL(400,10)");
    RECT client;
    GetClientRect(v->hWnd, &client);
    LONG r[4] = {10, 400, 0, 0};
    vwMapDialogToScreen(v->hWnd, r);
    const LONG range = r[1] - client.bottom, inc = r[0];
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(GetPropA(v->hWnd, "VRNG")), range);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(GetPropA(v->hWnd, "VINC")), inc);

    vwSetSpecialKey(v.get(), SpecialKey);
    SetControl(true);
    EXPECT_EQ(SendMessageA(v->hWnd, WM_KEYDOWN, VK_F5, 0), 0);  // taken by the special-key procedure
    EXPECT_EQ(SendMessageA(v->hWnd, WM_KEYDOWN, VK_DOWN, 0), 0);
    EXPECT_EQ(VPos(v.get()), inc);
    EXPECT_EQ(vwGetTextFieldYPos(v.get(), 1), labelY - inc);  // text fields move along
    SendMessageA(v->hWnd, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(VPos(v.get()), range);
    SendMessageA(v->hWnd, WM_KEYDOWN, VK_DOWN, 0);  // clamped: nothing moves
    EXPECT_EQ(VPos(v.get()), range);
    EXPECT_EQ(SendMessageA(v->hWnd, WM_KEYDOWN, 'A', 0), 0);  // swallowed
    SendMessageA(v->hWnd, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(VPos(v.get()), 0);
    SetControl(false);
    EXPECT_EQ(g_special.sequence(), (std::vector<UINT>(g_special.entries().size(), WM_KEYDOWN)));

    // a framed view beeps instead of scrolling
    vwSetViewString(v.get(), "@VSCROLL(400,10)@OUT");
    SendMessageA(v->hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(VPos(v.get()), 0);
}

TEST(Scroll, EveryTextFieldMovesAndAViewThatGrowsToFitReturnsToTheTop) {
    ViewGuard v(vwOpenView(Instance(), "grow", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
    MoveWindow(v->hWnd, 0, 0, 200, 100, FALSE);
    vwSetTextField(v.get(), 4, 40, "label", nullptr);
    vwSetTextField(v.get(), 4, 0xFFFF, "centred", nullptr);
    vwSetFieldEx(v.get(), 9, "edit", "", WS_VISIBLE, 0, 4, 60, 40, 12, nullptr, nullptr);
    HWND edit = vwGetFieldWindow(v.get(), 9);
    const LONG labelY = vwGetTextFieldYPos(v.get(), 1);
    RECT before;
    GetWindowRect(edit, &before);
    vwSetViewString(v.get(), "@VSCROLL(400,10)");
    SendMessageA(v->hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    const LONG inc = VPos(v.get());
    ASSERT_GT(inc, 0);
    EXPECT_EQ(vwGetTextFieldYPos(v.get(), 1), labelY - inc);
    EXPECT_EQ(vwGetTextFieldYPos(v.get(), 2), -1 - inc);  // centred ones too

    MoveWindow(v->hWnd, 0, 0, 200, 800, TRUE);  // now everything fits
    EXPECT_EQ(VPos(v.get()), 0);
    EXPECT_EQ(vwGetTextFieldYPos(v.get(), 1), labelY);
    EXPECT_EQ(vwGetTextFieldYPos(v.get(), 2), -1);
    RECT after;
    GetWindowRect(edit, &after);
    EXPECT_EQ(after.top, before.top);
    EXPECT_FALSE(GetWindowLongA(v->hWnd, GWL_STYLE) & WS_VSCROLL);
}

namespace {
MessageLog g_dde;
LRESULT CALLBACK DdeLogger(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DDE_INITIATE || m == WM_DDE_ACK) g_dde.add(h, m, w, l);
    return DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK FieldDdeLogger(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DDE_INITIATE) g_dde.add(h, m, w, l);
    return vwGetDefFieldProc(vwGetView(h), GetWindowLongA(h, GWL_ID))(h, m, w, l);
}
} // namespace

TEST(Dde, InitiateReachesTheFieldsThatNameIt) {
    RegisterTestClass("DdeClient", DdeLogger);
    HWND client = CreateWindowA("DdeClient", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr);
    ViewGuard v(vwOpenView(Instance(), "dde", WS_POPUP, nullptr, nullptr, 0));
    vwSetFieldEx(v.get(), 61, "edit", "", 0, 0, 0, 0, 40, 10, nullptr, FieldDdeLogger);
    vwSetFieldEx(v.get(), 62, "edit", "", 0, 0, 0, 12, 40, 10, nullptr, FieldDdeLogger);
    vwSetFieldString(v.get(), 61, "@SERVER(Sales,Totals,Q1)");
    vwSetFieldString(v.get(), 62, "@server(Sales,Totals,Q1)");  // the search is case-sensitive
    auto initiate = [&](const char* app, const char* topic) {
        ATOM a = GlobalAddAtomA(app), t = GlobalAddAtomA(topic);
        EXPECT_EQ(SendMessageA(v->hWnd, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client), MAKELPARAM(a, t)), 0);
        GlobalDeleteAtom(a);
        GlobalDeleteAtom(t);
    };
    initiate("sales", "TOTALS");
    ASSERT_EQ(g_dde.sequence({WM_DDE_INITIATE}).size(), 1u);
    EXPECT_EQ(g_dde.entries()[0].hWnd, vwGetFieldWindow(v.get(), 61));
    // the edit field, a server now, answers the client itself
    EXPECT_EQ(g_dde.sequence({WM_DDE_ACK}).size(), 1u);
    g_dde.clear();
    initiate("Sales", "Other");
    EXPECT_TRUE(g_dde.entries().empty());
    initiate("Server", "Name");  // the view itself answers
    ASSERT_EQ(g_dde.sequence(), std::vector<UINT>{WM_DDE_ACK});
    EXPECT_EQ(g_dde.entries()[0].wParam, reinterpret_cast<WPARAM>(v->hWnd));
    v.reset();
    DestroyWindow(client);
}

TEST(SysColors, ViewsWithoutBrushFollowTheWindowColour) {
    ViewGuard v(vwOpenView(Instance(), "colours", WS_POPUP, nullptr, nullptr, 0));
    v->bkColor = RGB(1, 2, 3);
    SendMessageA(v->hWnd, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(v->bkColor, GetSysColor(COLOR_WINDOW));
    HBRUSH own = CreateSolidBrush(RGB(9, 9, 9));
    vwSetViewBackBrush(v.get(), own);
    v->bkColor = RGB(1, 2, 3);
    SendMessageA(v->hWnd, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(v->bkColor, RGB(1, 2, 3));
    v.reset();
    DeleteObject(own);
}
