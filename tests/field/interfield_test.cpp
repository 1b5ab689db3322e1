// The inter-field procedure: focus order, the check before leaving a field,
// Enter, Escape, mnemonics, protected fields and scrolling into view.
#include <gtest/gtest.h>

#include "msglog.h"
#include "testapp.h"
#include "typing.h"

using namespace tstest;

namespace {

MessageLog g_view;
LRESULT CALLBACK ViewSpy(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_VALIDATE || m == WM_COMMAND) {
        g_view.add(h, m, w, l);
        return 0;
    }
    return DefViewProc(h, m, w, l);
}

MessageLog g_fields;
MessageLog g_mouse;  // cursor and button messages that reach the class
LRESULT CALLBACK CheckProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_GETDLGCODE) return DLGC_WANTCHARS;
    if (m == WM_SETCURSOR || (m >= WM_LBUTTONUP && m <= WM_MBUTTONDBLCLK)) g_mouse.add(h, m, w, l);
    if (m == VWM_VALIDATE) {
        g_fields.add(h, m, w, l);
        char buf[16] = {};
        GetWindowTextA(h, buf, sizeof buf);
        return lstrcmpA(buf, "bad") == 0 ? -1 : 0;
    }
    return DefWindowProcA(h, m, w, l);
}

struct InterField : ::testing::Test {
    void SetUp() override {
        RegisterTestClass("tscheck32", CheckProc);
        g_view.clear();
        g_fields.clear();
        g_mouse.clear();
        view.reset(vwOpenView(Instance(), "inter", WS_POPUP | WS_VISIBLE, nullptr, ViewSpy, 0));
        MoveWindow(view->hWnd, 0, 0, 300, 200, FALSE);
        Add(1, "tscheck", WS_TABSTOP);
        Add(2, "tscheck", WS_TABSTOP | WS_DISABLED);
        Add(3, "tscheck", WS_TABSTOP);
        Add(4, "tscheck", WS_TABSTOP);
        vwShowView(view.get());
    }
    void Add(LONG id, const char* cls, DWORD style) {
        vwSetFieldEx(view.get(), id, cls, "ok", style | WS_VISIBLE, 0, 4, 14 * id, 60, 12, nullptr, nullptr);
    }
    HWND W(LONG id) { return vwGetFieldWindow(view.get(), id); }
    ViewGuard view;
};

} // namespace

TEST_F(InterField, TabFollowsFieldNumbersSkippingProtectedAndDisabled) {
    vwProtectField(view.get(), 3);
    SetFocus(W(1));
    SendMessageA(W(1), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(4));
    EXPECT_EQ(view->currentField, 4);
    SendMessageA(W(4), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(1));  // wraps
    // the view is asked before the field, with the identifier of the field left
    ASSERT_FALSE(g_view.entries().empty());
    EXPECT_EQ(g_view.entries()[0].msg, static_cast<UINT>(VWM_VALIDATE));
    EXPECT_EQ(g_view.entries()[0].lParam, 1);
}

TEST_F(InterField, AnInvalidFieldKeepsTheFocusWithoutASecondCheck) {
    SetFocus(W(1));
    SetWindowTextA(W(1), "bad");
    g_fields.clear();
    SendMessageA(W(1), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(1));
    EXPECT_EQ(g_fields.entries().size(), 1u);  // one check for one attempt to leave
    // a click elsewhere is consumed
    EXPECT_EQ(SendMessageA(W(3), WM_LBUTTONDOWN, MK_LBUTTON, 0), 0);
    EXPECT_EQ(GetFocus(), W(1));
    EXPECT_EQ(g_fields.entries().size(), 2u);
    // a click on the Cancel button is not checked
    vwSetFieldEx(view.get(), IDCANCEL, "button", "Cancel", BS_PUSHBUTTON | WS_VISIBLE, 0, 100, 4, 40, 14, nullptr, nullptr);
    vwSetCancelButton(view.get(), IDCANCEL);
    SendMessageA(W(IDCANCEL), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(W(IDCANCEL), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(g_fields.entries().size(), 2u);
    EXPECT_EQ(vwSetFocusNextField(view.get()), 0);  // refused while invalid
}

TEST_F(InterField, FocusOperationsWrapAndFailWhenNothingTakesTheFocus) {
    view->currentField = 4;
    vwSetFocusNextField(view.get());
    EXPECT_EQ(view->currentField, 1);
    vwSetFocusPrevField(view.get());
    EXPECT_EQ(view->currentField, 4);
    EXPECT_EQ(GetFocus(), W(4));
    vwSetFieldFocus(view.get(), 3);
    EXPECT_EQ(GetFocus(), W(3));
    for (LONG id : {1L, 3L, 4L}) vwProtectField(view.get(), id);
    EXPECT_EQ(vwSetFocusNextField(view.get()), 0);
    EXPECT_EQ(vwEditField(view.get(), 3), 0);
    SetWindowTextA(W(3), "bad");
    EXPECT_EQ(vwEditField(view.get(), 3), -1);
}

TEST_F(InterField, EnterAndEscape) {
    vwSetFieldEx(view.get(), IDOK, "button", "OK", BS_PUSHBUTTON | WS_VISIBLE, 0, 100, 4, 40, 14, nullptr, nullptr);
    vwSetOKButton(view.get(), IDOK);
    SetFocus(W(1));
    SendMessageA(W(1), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(g_view.sequence({WM_COMMAND}), std::vector<UINT>{WM_COMMAND});
    EXPECT_EQ(LOWORD(g_view.entries().back().wParam), IDOK);
    g_view.clear();
    SendMessageA(W(1), WM_CHAR, VK_ESCAPE, 0);  // no Cancel button: nothing
    EXPECT_TRUE(g_view.sequence({WM_COMMAND}).empty());
    vwSetCancelButton(view.get(), 77);
    SendMessageA(W(1), WM_CHAR, VK_ESCAPE, 0);
    ASSERT_EQ(g_view.sequence({WM_COMMAND}).size(), 1u);
    EXPECT_EQ(LOWORD(g_view.entries().back().wParam), 77);
    // "@ENTERKEY": Enter moves on like Tab
    vwSetViewString(view.get(), "@ENTERKEY");
    g_view.clear();
    SendMessageA(W(1), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(GetFocus(), W(3));
    EXPECT_TRUE(g_view.sequence({WM_COMMAND}).empty());
}

TEST_F(InterField, MnemonicsAndProtectedClicks) {
    vwSetTextField(view.get(), 100, 4, "&Total:", nullptr);
    vwSetTextFieldLink(view.get(), 1, 4);
    SetFocus(W(1));
    EXPECT_EQ(SendMessageA(W(1), WM_SYSCHAR, 't', 0), 0);
    EXPECT_EQ(GetFocus(), W(4));
    vwProtectField(view.get(), 3);
    EXPECT_EQ(SendMessageA(W(3), WM_LBUTTONDOWN, MK_LBUTTON, 0), 0);
    EXPECT_EQ(GetFocus(), W(4));
    // "@PRT" in a directive string protects
    vwSetFieldString(view.get(), 1, "@PRT");
    EXPECT_EQ(vwIsFieldProtected(view.get(), 1), 1);
}

TEST_F(InterField, ProtectedFieldsShowTheArrowAndKeepTheirButtons) {
    const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    const UINT buttons[] = {WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN};
    vwProtectField(view.get(), 3);
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    EXPECT_EQ(SendMessageA(W(3), WM_SETCURSOR, reinterpret_cast<WPARAM>(W(3)), hit), 0);
    EXPECT_EQ(GetCursor(), arrow);
    for (UINT m : buttons) EXPECT_EQ(SendMessageA(W(3), m, 0, MAKELPARAM(5, 5)), 0);
    EXPECT_TRUE(g_mouse.entries().empty());

    // an unprotected field gets them all
    SendMessageA(W(4), WM_SETCURSOR, reinterpret_cast<WPARAM>(W(4)), hit);
    for (UINT m : buttons) SendMessageA(W(4), m, 0, MAKELPARAM(5, 5));
    std::vector<UINT> expected = {WM_SETCURSOR};
    expected.insert(expected.end(), std::begin(buttons), std::end(buttons));
    EXPECT_EQ(g_mouse.sequence(), expected);
}

TEST_F(InterField, FocusScrollsAFieldIntoView) {
    Add(9, "tscheck", WS_TABSTOP);
    vwSetViewString(view.get(), "@VSCROLL(300,10)");
    RECT client;
    GetClientRect(view->hWnd, &client);
    MoveWindow(W(9), 4, client.bottom + 30, 60, 12, FALSE);
    SetFocus(W(9));
    EXPECT_EQ(vwGetFieldYPos(view.get(), 9) + vwGetFieldHeight(view.get(), 9), client.bottom - 2);
    EXPECT_EQ(view->currentField, 5);
}

TEST_F(InterField, UncheckingAnAutomaticRadioClearsItsVariable) {
    LONG var = 1;
    vwSetFieldEx(view.get(), 20, "button", "r", BS_AUTORADIOBUTTON | WS_VISIBLE, 0, 100, 40, 40, 10, &var, nullptr);
    SendMessageA(W(20), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(W(20), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(var, 0);
}

TEST_F(InterField, ShiftTabEnterOnPushButtonsAndArrowsInRadioGroups) {
    SetFocus(W(4));
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(W(4), WM_KEYDOWN, VK_TAB, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), W(3));  // backwards
    vwSetFieldEx(view.get(), IDOK, "button", "OK", BS_PUSHBUTTON | WS_VISIBLE, 0, 100, 4, 40, 14, nullptr, nullptr);
    vwSetOKButton(view.get(), IDOK);
    vwSetFieldEx(view.get(), 30, "button", "Print", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 0, 100, 24, 40, 14, nullptr,
                 nullptr);
    g_view.clear();
    SetFocus(W(30));
    SendMessageA(W(30), WM_CHAR, VK_RETURN, 0);  // a push button presses itself
    ASSERT_EQ(g_view.sequence({WM_COMMAND}).size(), 1u);
    EXPECT_EQ(LOWORD(g_view.entries().back().wParam), 30);
    // arrows move within a radio group
    for (LONG id = 40; id <= 42; ++id)
        vwSetFieldEx(view.get(), id, "button", "r", BS_AUTORADIOBUTTON | WS_VISIBLE | (id == 40 ? WS_GROUP | WS_TABSTOP : 0),
                     0, 160, 14 * (id - 39), 40, 10, nullptr, nullptr);
    vwSetFieldEx(view.get(), 43, "edit", "", WS_VISIBLE | WS_GROUP | WS_TABSTOP, 0, 160, 60, 40, 10, nullptr, nullptr);
    SetFocus(W(40));
    SendMessageA(W(40), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(GetFocus(), W(41)) << "focus on " << GetWindowLongA(GetFocus(), GWL_ID);
}

namespace {
char g_cancelled[80] = "";
} // namespace

TEST(InterFieldScenario, CancelLeavesTheVariablesAlone) {
    lstrcpyA(g_cancelled, "kept");
    SetTypingScript({101, "typed", VK_ESCAPE});  // Escape: the Cancel command
    HVIEW v = vwOpenView(Instance(), "cancel", WS_POPUP | WS_VISIBLE, nullptr, TypingViewProc, 0);
    MoveWindow(v->hWnd, 0, 0, 200, 80, FALSE);
    vwSetFieldEx(v, 101, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 4, 4, 60, 12, g_cancelled, nullptr);
    vwSetFieldEx(v, IDCANCEL, "button", "Cancel", BS_PUSHBUTTON | WS_VISIBLE, 0, 80, 4, 40, 14, nullptr, nullptr);
    vwSetCancelButton(v, IDCANCEL);
    EXPECT_EQ(vwShowModalView(v), 0);
    EXPECT_STREQ(g_cancelled, "kept");
}
