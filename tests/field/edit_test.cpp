// Edit fields: the keystroke filter, auto-tab, data exchange and validation
// through the companion library, end to end in a modal view.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "beep.h"
#include "msgbox.h"
#include "imports.h"
#include "testapp.h"
#include "typing.h"

using namespace tstest;

namespace {

// Reads of window longs that tscore32.dll makes.
int g_windowLongs = 0;
LONG WINAPI CountingGetWindowLongA(HWND h, int index) {
    ++g_windowLongs;
    return GetWindowLongA(h, index);
}
#ifdef _WIN64
LONG_PTR WINAPI CountingGetWindowLongPtrA(HWND h, int index) {
    ++g_windowLongs;
    return GetWindowLongPtrA(h, index);
}
#endif

struct EditFields : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "edits", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 0, 0, 300, 120, FALSE);
        vwSetFieldEx(view.get(), 101, "edit", "", WS_TABSTOP | WS_VISIBLE | ES_AUTOHSCROLL, 0, 4, 4, 60, 12, number,
                     nullptr);
        vwSetFieldEx(view.get(), 102, "edit", "", WS_TABSTOP | WS_VISIBLE | ES_AUTOHSCROLL, 0, 4, 20, 60, 12, name,
                     nullptr);
        vwSetFieldString(view.get(), 101, "@NUM@LIMIT(5)@AUTOTAB");
        vwShowView(view.get());
    }
    void Type(HWND h, const char* s) {
        for (; *s; ++s) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(*s), 1);
    }
    HWND W(LONG id) { return vwGetFieldWindow(view.get(), id); }
    char number[80] = "";
    char name[80] = "";
    ViewGuard view;
};

} // namespace

TEST_F(EditFields, NumbersOnlyAndAutoTabWhenFull) {
    SetFocus(W(101));
    Type(W(101), "a1b2");
    EXPECT_EQ(TextOf(W(101)), "12");
    EXPECT_EQ(SendMessageA(W(101), EM_GETLIMITTEXT, 0, 0), 5);
    Type(W(101), "345");
    EXPECT_EQ(TextOf(W(101)), "12345");
    EXPECT_EQ(GetFocus(), W(102));  // moved on as soon as the field was full
    Type(W(102), "x\ty\r");  // Tab and Enter never reach a single-line edit
    EXPECT_EQ(TextOf(W(102)), "xy");
    vwUpdateApp(view.get());
    EXPECT_STREQ(number, "12345");
    EXPECT_STREQ(name, "xy");
}

TEST_F(EditFields, FiltersInOrder) {
    vwSetFieldString(view.get(), 102, "@UP@Include(ABC)@EXCLUDE(C)");
    SetFocus(W(102));
    Type(W(102), "abcdAB");
    // "@Include" is tested before "@UP" converts: lower case never passes
    EXPECT_EQ(TextOf(W(102)), "AB");
    vwSetFieldString(view.get(), 102, "@ALPHA@UP");
    SetFocus(W(101));
    SetFocus(W(102));  // the flags follow the new string at the next focus
    SetWindowTextA(W(102), "");
    Type(W(102), "q7 r\x08");
    EXPECT_EQ(TextOf(W(102)), "Q");  // backspace passed
    vwSetFieldString(view.get(), 102, "");
    SetFocus(W(101));
    SetFocus(W(102));
    Type(W(102), "z9");
    EXPECT_EQ(TextOf(W(102)), "Qz9");
}

TEST_F(EditFields, ExchangeLimitsTypeAndValidation) {
    std::strcpy(number, "777");
    vwUpdateScreen(view.get());
    EXPECT_EQ(TextOf(W(101)), "777");
    SetWindowTextA(W(102), std::string(100, 'w').c_str());
    vwUpdateApp(view.get());
    EXPECT_EQ(std::strlen(name), 79u);  // no "@LIMIT": 79 characters
    LONG limit = -1;
    EXPECT_EQ(SendMessageA(W(101), VWM_GETFIELDTYPE, 0, reinterpret_cast<LPARAM>(&limit)), 4);
    EXPECT_EQ(limit, 5);
    EXPECT_EQ(SendMessageA(W(102), VWM_GETFIELDTYPE, 0, reinterpret_cast<LPARAM>(&limit)), 4);
    EXPECT_EQ(limit, 80);
    EXPECT_EQ(SendMessageA(W(101), VWM_GETFIELDTYPE, 0, 0), 4);
    SetWindowTextA(W(101), "12a");
    EXPECT_EQ(SendMessageA(W(101), VWM_VALIDATE, 0, 0), -1);
    SetFocus(W(101));
    SendMessageA(W(101), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(101));  // the invalid number keeps the focus
    SetWindowTextA(W(101), "12");
    SendMessageA(W(101), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(102));
    // multi-line edits want arrows and characters
    vwSetFieldEx(view.get(), 103, "edit", "", ES_MULTILINE | WS_VISIBLE, 0, 100, 4, 60, 30, nullptr, nullptr);
    EXPECT_EQ(SendMessageA(W(103), WM_GETDLGCODE, 0, 0), 0x8089);
}

TEST_F(EditFields, RejectionsBeepWhileControlKeysPass) {
    BeepRecorder beeps;
    ASSERT_TRUE(beeps.installed());
    SetFocus(W(101));
    Type(W(101), "a-. 7\r");
    EXPECT_EQ(TextOf(W(101)), "7");
    EXPECT_EQ(beeps.count(), 4);  // Enter is swallowed silently
    // the clipboard keys are never filtered
    ASSERT_TRUE(OpenClipboard(view->hWnd));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 3);
    std::memcpy(GlobalLock(mem), "x9", 3);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
    Type(W(101), "\x16\x08");  // Ctrl+V, then Backspace
    EXPECT_EQ(TextOf(W(101)), "7x");
    EXPECT_EQ(beeps.count(), 4);
    // "@NUM" with "@ALPHA": no printable key passes
    vwSetFieldString(view.get(), 102, "@NUM@ALPHA");
    SetFocus(W(102));
    Type(W(102), "a1 ");
    EXPECT_EQ(TextOf(W(102)), "");
    EXPECT_EQ(beeps.count(), 7);
}

namespace {
// A field procedure that reports its own refusals, as applications do.
LRESULT CALLBACK ReportingFieldProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    const LRESULT r = DefEditProc(h, m, w, l);
    if (m == VWM_VALIDATE && r == -1) vwSetViewError(vwGetView(GetParent(h)), 101, 0, 0, "Digits only", VWSVE_MBOX);
    return r;
}
} // namespace

TEST_F(EditFields, RefusalsAreHeardUnlessTheApplicationReportsThem) {
    BeepRecorder beeps;
    ASSERT_TRUE(beeps.installed());
    vwSetFieldEx(view.get(), IDOK, "button", "OK", BS_DEFPUSHBUTTON | WS_VISIBLE, 0, 80, 4, 40, 14, nullptr, nullptr);
    vwSetOKButton(view.get(), IDOK);
    SetFocus(W(101));
    SetWindowTextA(W(101), "12a");
    SendMessageA(W(101), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(101));
    EXPECT_EQ(beeps.count(), 1);
    SendMessageA(W(101), WM_CHAR, VK_RETURN, 0);  // OK is refused as well: the view stays
    EXPECT_TRUE(IsWindow(view->hWnd));
    EXPECT_EQ(beeps.count(), 2);
    // a refusal the application reports is not announced twice
    MessageBoxCapture boxes;
    vwSetFieldProc(view.get(), 101, ReportingFieldProc);
    SendMessageA(W(101), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(101));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Digits only");
    EXPECT_EQ(beeps.count(), 2);
}

TEST_F(EditFields, ARefusedKeyReadsNothingButTheViewFromTheWindows) {
    SetFocus(W(101));
    ImportPatch longs{"user32.dll", "GetWindowLongA", reinterpret_cast<void*>(&CountingGetWindowLongA)};
    ASSERT_TRUE(longs.installed());
#ifdef _WIN64
    ImportPatch ptrs{"user32.dll", "GetWindowLongPtrA", reinterpret_cast<void*>(&CountingGetWindowLongPtrA)};
    ASSERT_TRUE(ptrs.installed());
#endif
    g_windowLongs = 0;
    Type(W(101), "abc");
    // the field's number, identifier and style are the library's own to know;
    // only the view pointer comes from the parent window, once a key
    EXPECT_EQ(g_windowLongs, 3);
    EXPECT_EQ(TextOf(W(101)), "");
}

TEST_F(EditFields, AutoTabByLengthAndByWidth) {
    vwSetFieldString(view.get(), 101, "@AUTOTAB@LIMIT(3)");
    SetFocus(W(102));
    SetFocus(W(101));  // the filter follows the new string from this focus on
    SetWindowTextA(W(101), "");
    Type(W(101), "ab");
    EXPECT_EQ(GetFocus(), W(101));
    Type(W(101), "c");
    EXPECT_EQ(GetFocus(), W(102));
    SetFocus(W(101));
    Type(W(101), "d");  // full: any further character moves on again
    EXPECT_EQ(GetFocus(), W(102));
    EXPECT_EQ(TextOf(W(101)), "abc");

    // without "@LIMIT" the field is full when one more character would not fit
    vwSetFieldEx(view.get(), 103, "edit", "", WS_TABSTOP | WS_VISIBLE | ES_AUTOHSCROLL, 0, 80, 4, 40, 12, nullptr,
                 nullptr);
    vwSetFieldString(view.get(), 103, "@AUTOTAB");
    SetFocus(W(103));
    int typed = 0;
    while (GetFocus() == W(103) && typed < 40) {
        Type(W(103), "W");
        ++typed;
    }
    ASSERT_NE(GetFocus(), W(103));
    HDC dc = GetDC(W(103));
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(W(103), WM_GETFONT, 0, 0)));
    SIZE one{}, text{};
    GetTextExtentPoint32A(dc, "W", 1, &one);
    const std::string t = TextOf(W(103));
    GetTextExtentPoint32A(dc, t.c_str(), static_cast<int>(t.size()), &text);
    SelectObject(dc, old);
    ReleaseDC(W(103), dc);
    RECT rc;
    GetClientRect(W(103), &rc);
    EXPECT_GE(text.cx + one.cx, rc.right);
    EXPECT_LT(text.cx, rc.right);  // it moved at the first character that filled the field
}

namespace {
char g_typed[80] = "";

// Presses Enter in field 101 once; a view that is still open afterwards
// (its OK refused) is ended with -1.
LRESULT CALLBACK PressEnterOnce(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetTimer(hWnd, 1, 10, nullptr);
    if (msg == WM_TIMER && wParam == 1) {
        KillTimer(hWnd, 1);
        HVIEW view = vwGetView(hWnd);
        HWND field = vwGetFieldWindow(view, 101);
        SetFocus(field);
        SendMessageA(field, WM_CHAR, VK_RETURN, 1);
        if (view->showState != VWS_ENDMODAL) vwEndModalView(view, -1);
        return 0;
    }
    return DefViewProc(hWnd, msg, wParam, lParam);
}
} // namespace

TEST(EditScenario, UpperCaseFieldTakesLowerCaseFromItsVariable) {
    std::strcpy(g_typed, "smith");
    HVIEW v = vwOpenView(Instance(), "upper", WS_POPUP | WS_VISIBLE, nullptr, PressEnterOnce, 0);
    vwSetFieldEx(v, 101, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 4, 4, 60, 12, g_typed, nullptr);
    vwSetFieldEx(v, IDOK, "button", "OK", BS_DEFPUSHBUTTON | WS_VISIBLE, 0, 80, 4, 40, 14, nullptr, nullptr);
    vwSetOKButton(v, IDOK);
    vwSetFieldString(v, 101, "@UP");
    EXPECT_EQ(vwShowModalView(v), 1);  // "@UP" converts typing; it does not refuse the value
    EXPECT_STREQ(g_typed, "smith");
}

TEST(EditScenario, TypedValuesReachTheVariableOnOk) {
    std::strcpy(g_typed, "old");
    SetTypingScript({101, "4x2", VK_RETURN});  // Enter: the OK command
    HVIEW v = vwOpenView(Instance(), "scenario", WS_POPUP | WS_VISIBLE, nullptr, TypingViewProc, 0);
    MoveWindow(v->hWnd, 0, 0, 200, 80, FALSE);
    vwSetFieldEx(v, 101, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 4, 4, 60, 12, g_typed, nullptr);
    vwSetFieldEx(v, IDOK, "button", "OK", BS_DEFPUSHBUTTON | WS_VISIBLE, 0, 80, 4, 40, 14, nullptr, nullptr);
    vwSetOKButton(v, IDOK);
    vwSetFieldString(v, 101, "@NUM");
    EXPECT_EQ(vwShowModalView(v), 1);
    EXPECT_STREQ(g_typed, "42");
}
