// The inter-field procedure (focus order, the check before leaving a field,
// Enter, Escape, mnemonics, protected fields), and the loops of waiting and
// field animation, which end when their view goes.
#include <cstring>
#include <vector>

#include "beep.h"
#include "fieldtest.h"
#include "msglog.h"

using namespace tstest;

namespace {

MessageLog g_checks, g_commands;  // what reaches the view
LRESULT CALLBACK ViewSpy(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m != VWM_VALIDATE && m != WM_COMMAND) return DefViewProc(h, m, w, l);
    if (m == VWM_VALIDATE || HIWORD(w) == BN_CLICKED) (m == WM_COMMAND ? g_commands : g_checks).add(h, m, LOWORD(w), l);
    return 0;
}

// A control class that answers its check: "bad" is invalid.
MessageLog g_field;
LRESULT CALLBACK CheckProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_GETDLGCODE) return DLGC_WANTCHARS;
    if (m != VWM_VALIDATE && m != WM_SETCURSOR && (m < WM_LBUTTONDOWN || m > WM_MBUTTONDBLCLK))
        return DefWindowProcA(h, m, w, l);
    g_field.add(h, m, w, l);
    char buf[16] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return m == VWM_VALIDATE && std::strcmp(buf, "bad") == 0 ? -1 : 0;
}

struct InterField : FieldTest {
    void SetUp() override {
        RegisterTestClass("tscheck32", CheckProc);
        for (MessageLog* log : {&g_checks, &g_commands, &g_field}) log->clear();
        Open(ViewSpy);
        for (LONG id = 1; id <= 4; ++id) Add(id, "tscheck", WS_TABSTOP | (id == 2 ? WS_DISABLED : 0), 4, 14 * id);
    }
    HWND Button(LONG id, DWORD style, int y) { return Add(id, "button", style | WS_TABSTOP, 100, y, 40, 14); }
    std::vector<WPARAM> Commands() {
        std::vector<WPARAM> ids;
        for (const LoggedMessage& e : g_commands.entries()) ids.push_back(e.wParam);
        g_commands.clear();
        return ids;
    }
};

} // namespace

TEST_F(InterField, TabFollowsFieldNumbersPastProtectedAndDisabledFields) {
    vwProtectField(view.get(), 3);
    SetFocus(W(1));
    SendMessageA(W(1), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(4));
    EXPECT_EQ(view->currentField, 4);
    SendMessageA(W(4), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(1));  // wraps
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(W(1), WM_KEYDOWN, VK_TAB, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), W(4));  // backwards
    // the view is asked first, with the identifier of the field left; then the field
    ASSERT_EQ(g_checks.sequence().size(), 3u);
    EXPECT_EQ(g_checks.entries()[1].lParam, 4);
    EXPECT_EQ(g_field.sequence(), (std::vector<UINT>{VWM_VALIDATE, VWM_VALIDATE, VWM_VALIDATE}));
}

TEST_F(InterField, AnInvalidFieldKeepsTheFocusButCancelIsNotChecked) {
    BeepRecorder beeps;
    SetFocus(W(4));
    vwSetFocusNextField(view.get());  // wraps
    EXPECT_EQ(GetFocus(), W(1));
    Button(60, BS_PUSHBUTTON, 4);
    vwSetCancelButton(view.get(), 60);
    SetWindowTextA(W(1), "bad");
    g_field.clear();
    SendMessageA(W(1), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(1));
    EXPECT_EQ(beeps.count(), 1);  // a refusal nobody reported is heard
    EXPECT_EQ(SendMessageA(W(3), WM_LBUTTONDOWN, MK_LBUTTON, 0), 0);  // a click elsewhere is consumed
    EXPECT_EQ(g_field.sequence(), (std::vector<UINT>{VWM_VALIDATE, VWM_VALIDATE}));  // one check an attempt
    EXPECT_EQ(vwSetFocusNextField(view.get()), 0);
    EXPECT_EQ(vwSetFieldFocus(view.get(), 4), 0);
    EXPECT_EQ(vwEditField(view.get(), 1), -1);
    EXPECT_EQ(GetFocus(), W(1));
    g_field.clear();
    SendMessageA(W(60), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(W(60), WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(g_field.entries().empty());
    EXPECT_EQ(Commands(), std::vector<WPARAM>{60});
    SetWindowTextA(W(1), "ok");  // nothing left that takes the focus
    for (LONG id : {1L, 3L, 4L}) vwProtectField(view.get(), id);
    EXPECT_EQ(vwSetFocusNextField(view.get()), 0);
}

TEST_F(InterField, EnterPressesOkOrTheFocusedButtonAndEscapeCancel) {
    BeepRecorder beeps;
    Button(61, BS_DEFPUSHBUTTON, 4);
    Button(30, BS_PUSHBUTTON, 24);
    Add(31, "edit", ES_MULTILINE | ES_WANTRETURN, 160, 4, 60, 30);
    vwSetOKButton(view.get(), 61);
    SetFocus(W(1));
    SendMessageA(W(1), WM_CHAR, VK_RETURN, 0);
    SendMessageA(W(1), WM_CHAR, VK_ESCAPE, 0);   // no Cancel button: nothing
    SendMessageA(W(30), WM_CHAR, VK_RETURN, 0);  // a push button presses itself
    SetFocus(W(31));
    Type(W(31), "a\rb");  // a multi-line edit that wants Enter gets its line
    EXPECT_EQ(TextOf(W(31)), "a\r\nb");
    vwSetCancelButton(view.get(), 77);
    SendMessageA(W(1), WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{61, 30, 77}));
    EXPECT_EQ(beeps.count(), 0);
    EnableWindow(W(61), FALSE);  // a disabled OK beeps, and the view stays
    SendMessageA(W(1), WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_TRUE(IsWindowVisible(view->hWnd));
    vwSetViewString(view.get(), "@ENTERKEY");  // Enter moves on like Tab
    SetFocus(W(1));
    SendMessageA(W(1), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(GetFocus(), W(3));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(InterField, MnemonicsAndProtectedFields) {
    vwSetTextField(view.get(), 100, 4, "&Total:", nullptr);
    vwSetTextFieldLink(view.get(), 1, 4);
    Button(50, BS_PUSHBUTTON, 60);
    Dirs(50, "@TXT(&Print)");
    SetFocus(W(1));
    EXPECT_EQ(SendMessageA(W(1), WM_SYSCHAR, 't', 0), 0);
    EXPECT_EQ(GetFocus(), W(4));
    SendMessageA(W(4), WM_SYSCHAR, 'P', 0);  // clicks the button: down, a wait, up
    PumpMessages();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{50});

    const UINT mouse[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN};
    Dirs(3, "@PRT");
    g_field.clear();
    SetCursor(nullptr);
    EXPECT_EQ(SendMessageA(W(3), WM_SETCURSOR, reinterpret_cast<WPARAM>(W(3)), HTCLIENT), 0);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));  // the arrow
    for (UINT m : mouse) EXPECT_EQ(SendMessageA(W(3), m, 0, MAKELPARAM(5, 5)), 0);
    EXPECT_EQ(GetFocus(), W(50));  // still on the button the mnemonic clicked
    EXPECT_TRUE(g_field.entries().empty());
    SendMessageA(W(1), WM_SETCURSOR, reinterpret_cast<WPARAM>(W(1)), HTCLIENT);  // an unprotected field gets them all
    for (UINT m : mouse) SendMessageA(W(1), m, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(g_field.sequence(), (std::vector<UINT>{WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                                                     WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN}));
}

namespace {

// The wait ticks the view windows receive, as the message loop takes them.
int g_ticks = 0;
LRESULT CALLBACK CountTicks(int code, WPARAM w, LPARAM l) {
    const MSG* m = reinterpret_cast<const MSG*>(l);
    if (code == HC_ACTION && w == PM_REMOVE && m->message == WM_TIMER && m->wParam == 0x4B20) ++g_ticks;
    return CallNextHookEx(nullptr, code, w, l);
}

HVIEW g_view = nullptr;
DWORD g_innerTook = 0;
void CALLBACK WaitInside(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const DWORD start = GetTickCount();
    if (vwWait(g_view, 300) == 0) g_innerTook = GetTickCount() - start;
}
bool g_freeOnly = false;  // a view freed without its window
void CALLBACK EndView(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_freeOnly) vwFreeView(g_view);
    else DestroyWindow(g_view->hWnd);
}
using Loops = FieldTest;

} // namespace

TEST_F(Loops, AWaitLastsWholeTicksOfAHundredMilliseconds) {
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountTicks, nullptr, GetCurrentThreadId());
    const struct { LONG ms; int ticks; } cases[] = {{0, 1}, {50, 1}, {100, 1}, {250, 3}, {300, 3}};
    for (const auto& c : cases) {
        g_ticks = 0;
        const DWORD start = GetTickCount();
        EXPECT_EQ(vwWait(view.get(), c.ms), 0);
        EXPECT_EQ(g_ticks, c.ticks) << c.ms;
        EXPECT_GE(GetTickCount() - start, 100u * c.ticks - 10) << c.ms;  // no tick comes early
    }
    // a wait asked for while one runs returns at once; the running one keeps its length
    g_view = view.get();
    g_innerTook = 9999;
    SetTimer(nullptr, 0, 150, WaitInside);
    g_ticks = 0;
    const DWORD start = GetTickCount();
    vwWait(view.get(), 1000);
    EXPECT_GE(GetTickCount() - start, 990u);
    UnhookWindowsHookEx(hook);
    EXPECT_LT(g_innerTook, 50u);
    EXPECT_EQ(g_ticks, 10);
}

TEST_F(Loops, WaitsAndAnimationsEndSoonWhenTheirViewGoes) {
    for (int c = 0; c < 3; ++c) {  // a wait, an animation, and a wait on a view freed without its window
        g_view = vwOpenView(Instance(), "gone", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0);
        HWND window = g_view->hWnd;
        vwSetFieldEx(g_view, 5, "static", "moving", WS_VISIBLE, 0, 4, 10, 40, 10, nullptr, nullptr);
        g_freeOnly = c == 2;
        SetTimer(nullptr, 0, 150, EndView);
        const DWORD start = GetTickCount();
        EXPECT_EQ(c == 1 ? vwAnimateField(g_view, 5, 200, 10, 10000, 100, 0) : vwWait(g_view, 10000), 0);
        EXPECT_LT(GetTickCount() - start, 1500u) << c;
        EXPECT_FALSE(vwIsView(g_view));
        if (IsWindow(window)) DestroyWindow(window);
    }
    const DWORD start = GetTickCount();
    vwWait(view.get(), 200);
    EXPECT_GE(GetTickCount() - start, 190u);  // a later wait runs as usual
}
