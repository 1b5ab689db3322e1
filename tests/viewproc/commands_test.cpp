// The default view procedure: OK and Cancel, closing, keys and scrolling,
// field errors, focus and clicks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

// A form of a check box bound to a variable, a field that is invalid while
// it reads "bad", OK and Cancel.  Its procedure plays a script, one step a
// timer tick: 'c' checks, 't' sets a text, 'k' clicks, 'x' closes.
struct Step {
    char what;
    LONG id;
    const char* text;
};
std::vector<Step> g_script;
std::size_t g_step = 0;

LRESULT CALLBACK ScriptedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_INITDIALOG) SetTimer(h, 7, 10, nullptr);
    if (m != WM_TIMER || w != 7 || g_step == g_script.size()) return DefViewProc(h, m, w, l);
    const Step s = g_script[g_step++];
    HWND f = vwGetFieldWindow(vwGetView(h), s.id);
    if (s.what == 'c') SendMessageA(f, BM_SETCHECK, BST_CHECKED, 0);
    if (s.what == 't') SetWindowTextA(f, s.text);
    if (s.what == 'k') PostMessageA(h, WM_COMMAND, MAKEWPARAM(s.id, BN_CLICKED), reinterpret_cast<LPARAM>(f));
    if (s.what == 'x') PostMessageA(h, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT CALLBACK CheckProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_GETDLGCODE) return DLGC_WANTCHARS;
    return m == VWM_VALIDATE ? (TextOf(h) == "bad" ? -1 : 0) : DefWindowProcA(h, m, w, l);
}

HVIEW Form(LONG* flag, WNDPROC proc = ScriptedProc) {
    RegisterTestClass("tscheck32", CheckProc);
    HVIEW v = vwOpenView(Instance(), "form", WS_POPUP | WS_VISIBLE, nullptr, proc, 0);
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

std::vector<WPARAM> g_special;
LRESULT CALLBACK SpecialKey(HWND, UINT, WPARAM w, LPARAM) {
    g_special.push_back(w);
    return w == VK_F5;
}

LONG VPos(HVIEW v) { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(GetPropA(v->hWnd, "VPOS"))); }

} // namespace

TEST(Commands, OkStoresTheFieldsAndEndsWithOneOnceTheyAreValidCancelAndCloseStoreNothing) {
    LONG flag = 0;
    EXPECT_EQ(RunForm({{'c', 3}, {'t', 4, "bad"}, {'k', IDOK}, {'t', 4, "good"}, {'k', IDOK}}, &flag), 1);
    EXPECT_EQ(g_step, 5u);  // the first OK did not end it
    EXPECT_EQ(flag, 1);
    flag = 0;
    EXPECT_EQ(RunForm({{'c', 3}, {'t', 4, "bad"}, {'k', IDCANCEL}}, &flag), 0);  // Cancel does not validate
    EXPECT_EQ(RunForm({{'c', 3}, {'x', 0}}, &flag), 0);
    EXPECT_EQ(flag, 0);
    HVIEW v = Form(&flag, nullptr);  // a modeless view is destroyed by Cancel
    HWND h = v->hWnd;
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(vwGetFieldWindow(v, IDCANCEL)));
    EXPECT_FALSE(IsWindow(h));
}

TEST(Keys, ControlAndTheNavigationKeysScrollTheViewAndItsTextFields) {
    // 400 vertical units are 800 pixels of the base units (8 x 16) in a
    // client area of 100: the range is 700, a line 10 horizontal units, 20 pixels
    ViewGuard v(vwOpenView(Instance(), "scroll", WS_POPUP | WS_VSCROLL, nullptr, nullptr, 0));
    MoveWindow(v->hWnd, 0, 0, 200, 100, FALSE);
    vwSetTextField(v.get(), 4, 40, "label", nullptr);
    const LONG labelY = vwGetTextFieldYPos(v.get(), 1);
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
    key(VK_END);
    key(VK_DOWN);  // clamped
    EXPECT_EQ(VPos(v.get()), 700);
    EXPECT_EQ(key('A'), 0);  // swallowed
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(g_special, (std::vector<WPARAM>{VK_F5, VK_DOWN, VK_END, VK_DOWN, 'A'}));
    MoveWindow(v->hWnd, 0, 0, 200, 900, TRUE);  // now everything fits: back to the top
    EXPECT_EQ(vwGetTextFieldYPos(v.get(), 1), labelY);
    EXPECT_FALSE(StyleOf(v->hWnd) & WS_VSCROLL);
}

TEST(Shown, ErrorsAreShownAndAcknowledgedAndTheFocusReturnsToTheCurrentFieldUnlessItIsProtected) {
    ViewGuard view(vwOpenView(Instance(), "shown", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
    MoveWindow(view->hWnd, 0, 0, 300, 160, FALSE);
    for (LONG id : {101, 102})
        vwSetFieldEx(view.get(), id, "edit", "second", WS_VISIBLE | WS_TABSTOP, 0, 4, id * 16 - 1612, 60, 12, nullptr,
                     nullptr);
    vwShowView(view.get());
    HWND other = CreateWindowA("edit", "", WS_POPUP | WS_VISIBLE, 400, 0, 50, 20, nullptr, nullptr, Instance(), nullptr);
    HWND first = vwGetFieldWindow(view.get(), 101), second = vwGetFieldWindow(view.get(), 102);
    char text[] = "Amount must be positive";
    auto showError = [&](const char* directives, LONG_PTR kind = 0, LONG_PTR code = 0) {
        VWERRORREC rec = {first, 101, kind, code, directives, text, "Error"};
        return SendMessageA(view->hWnd, VWM_SHOWERROR, 101, reinterpret_cast<LPARAM>(&rec));
    };
    MessageBoxCapture boxes;
    EXPECT_EQ(showError("@MBOX@WARN"), VWSE_HANDLED | VWSE_WARNING);
    EXPECT_EQ(showError("@MBOX"), VWSE_HANDLED);
    std::vector<std::string> shown;
    for (const CapturedBox& box : boxes.boxes()) shown.push_back(box.caption + "|" + box.text);
    EXPECT_EQ(shown, std::vector<std::string>(2, "Error|Amount must be positive"));
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);  // done once shown
    HWND status = CreateWindowA("STATIC", "", WS_CHILD, 0, 140, 100, 10, view->hWnd, nullptr, Instance(), nullptr);
    vwSetDSLWindow(view.get(), status);
    EXPECT_EQ(showError("@STAT"), VWSE_HANDLED);
    EXPECT_EQ(TextOf(status), "Amount must be positive");
    // pending until acknowledged; kind 4 with code 600 is only acknowledged
    EXPECT_EQ(SendMessageA(view->hWnd, VWM_SHOWERROR, 101, 0), 1);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), -1);
    EXPECT_EQ(SendMessageA(view->hWnd, VWM_ERRORDONE, 101, 0), 0);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);
    EXPECT_EQ(showError("@MBOX", 4, 600), 0);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), -1);
    EXPECT_EQ(boxes.boxes().size(), 2u);

    SetFocus(second);
    SendMessageA(second, EM_SETSEL, 0, 0);
    SetFocus(other);
    SendMessageA(view->hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(vwIsViewActive(view.get()), 1);
    EXPECT_EQ(GetFocus(), second);
    SetFocus(other);
    SendMessageA(view->hWnd, WM_SETFOCUS, 0, 0);  // with the whole text selected
    EXPECT_EQ(GetFocus(), second);
    DWORD from = 1, to = 0;
    SendMessageA(second, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(std::vector<DWORD>({from, to}), (std::vector<DWORD>{0, 6}));
    vwProtectField(view.get(), 102);
    SetFocus(other);
    SendMessageA(view->hWnd, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), other);
    vwUnprotectField(view.get(), 102);
    SendMessageA(view->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));  // a click on the view itself
    EXPECT_EQ(GetFocus(), second);
    DestroyWindow(other);
}
