// Edit fields and data exchange: the keystroke filters, auto-tab, field
// type and limits, bound variables of every kind, long texts, and the whole
// way from keystroke to variable in a modal view.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "beep.h"
#include "fieldtest.h"
#include "msgbox.h"

using namespace tstest;

namespace {
struct EditFields : FieldTest {
    void SetUp() override {
        FieldTest::SetUp();
        Add(101, "edit", WS_TABSTOP | ES_AUTOHSCROLL, 4, 4);
        Add(102, "edit", WS_TABSTOP | ES_AUTOHSCROLL, 4, 20);
        Dirs(101, "@NUM@LIMIT(5)@AUTOTAB");
    }
    void Focus(LONG id, const char* directives) {  // new directives, in force from the next focus
        Dirs(id, directives);
        SetFocus(W(id == 101 ? 102 : 101));
        SetFocus(W(id));
        SetWindowTextA(W(id), "");
    }
};
} // namespace

TEST_F(EditFields, FiltersRefuseWithABeepAndLetControlKeysPass) {
    BeepRecorder beeps;
    ASSERT_TRUE(beeps.installed());
    const struct { const char *dirs, *typed, *kept; int refused; } cases[] = {
        {"@NUM", "a-. 7\x08" "9", "9", 4},  // Backspace is never filtered
        {"@NUM@ALPHA", "a1 ", "", 3},
        {"@UP@Include(ABC)@EXCLUDE(C)", "abcdAB", "AB", 4},  // "@Include" is tested before "@UP" converts
        {"@ALPHA@UP", "q7 r\xE9", "QR", 3},                   // accented letters are no letters
        {"", "z9,", "z9,", 0},  // the field before was "@NUM"
    };
    for (const auto& c : cases) {
        beeps.reset();
        Focus(102, c.dirs);
        Type(W(102), c.typed);
        EXPECT_EQ(TextOf(W(102)), c.kept) << c.dirs;
        EXPECT_EQ(beeps.count(), c.refused) << c.dirs;
    }
    // "@EXCLUDE" is read at every key, the other filters at the next focus
    Focus(102, "");
    Dirs(102, "@NUM@EXCLUDE(z)");
    Type(W(102), "yz");
    EXPECT_EQ(TextOf(W(102)), "y");
}

TEST_F(EditFields, AutoTabByLengthAndByWidth) {
    Focus(101, "@AUTOTAB@LIMIT(3)");
    EXPECT_EQ(SendMessageA(W(101), EM_GETLIMITTEXT, 0, 0), 3);
    Type(W(101), "ab");
    EXPECT_EQ(GetFocus(), W(101));
    Type(W(101), "c");
    EXPECT_EQ(GetFocus(), W(102));
    SetFocus(W(101));
    Type(W(101), "d");  // full: any further character moves on again
    EXPECT_EQ(GetFocus(), W(102));
    EXPECT_EQ(TextOf(W(101)), "abc");

    // without "@LIMIT" the field is full when one more character would not fit
    HWND narrow = Add(103, "edit", WS_TABSTOP | ES_AUTOHSCROLL, 80, 4, 40, 12);
    Dirs(103, "@AUTOTAB");
    SetFocus(narrow);
    LONG typed = 0;
    for (; GetFocus() == narrow && typed < 40; ++typed) Type(narrow, "W");
    HDC dc = GetDC(narrow);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(narrow, WM_GETFONT, 0, 0)));
    SIZE w{};
    GetTextExtentPoint32A(dc, "W", 1, &w);
    ReleaseDC(narrow, dc);
    RECT rc;
    GetClientRect(narrow, &rc);
    EXPECT_GE((typed + 1) * w.cx, rc.right);  // it moved at the first W after which one more would not fit
    EXPECT_LT(typed * w.cx, rc.right);
}

TEST_F(EditFields, TypeLimitsAndWhatMultiLineFieldsWant) {
    LONG limits[2] = {-1, -1};
    EXPECT_EQ(SendMessageA(W(101), VWM_GETFIELDTYPE, 0, reinterpret_cast<LPARAM>(&limits[0])), 4);
    EXPECT_EQ(SendMessageA(W(102), VWM_GETFIELDTYPE, 0, reinterpret_cast<LPARAM>(&limits[1])), 4);
    EXPECT_EQ(std::pair(limits[0], limits[1]), std::pair(5L, 80L));  // "@LIMIT", or 80 without
    Dirs(102, "@UP");  // converts typing; it does not refuse what is there
    SetWindowTextA(W(102), "smith");
    EXPECT_EQ(SendMessageA(W(102), VWM_VALIDATE, 0, 0), 0);
    // multi-line edits want arrows and characters, and get Tab never
    HWND memo = Add(103, "edit", ES_MULTILINE | ES_WANTRETURN | WS_TABSTOP, 100, 4, 60, 30);
    EXPECT_EQ(SendMessageA(memo, WM_GETDLGCODE, 0, 0), 0x8089);
    SetFocus(memo);
    Type(memo, "a\tb\rc");
    EXPECT_EQ(TextOf(memo), "ab\r\nc");
}

namespace {
// A typed control class stand-in: it keeps the address it is handed.
void* g_address = nullptr;
LRESULT CALLBACK TypedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_APPTOSCR || m == VWM_SCRTOAPP) g_address = reinterpret_cast<void*>(l);
    return DefWindowProcA(h, m, w, l);
}
using Exchange = FieldTest;
} // namespace

TEST_F(Exchange, ButtonsConvertTheirVariablesOtherControlsTakeTheAddress) {
    LONG group = 0, alone = 0, state = 0;
    const struct { LONG id; DWORD style; LONG* var; } buttons[] = {{11, BS_AUTORADIOBUTTON | WS_GROUP, &group},
        {12, BS_AUTORADIOBUTTON, &group}, {13, BS_AUTORADIOBUTTON, &group}, {21, BS_AUTORADIOBUTTON | WS_GROUP, &alone},
        {31, BS_AUTO3STATE | WS_GROUP, &state}};
    for (const auto& b : buttons) Add(b.id, "button", b.style, 0, 10 * (b.id % 20), 40, 10, b.var);
    auto checks = [&] {  // the check states of the five buttons
        std::string states;
        for (const auto& b : buttons) states += std::to_string(IsDlgButtonChecked(view->hWnd, b.id));
        return states;
    };
    CheckDlgButton(view->hWnd, 12, BST_CHECKED);
    CheckDlgButton(view->hWnd, 21, BST_CHECKED);
    CheckDlgButton(view->hWnd, 31, BST_INDETERMINATE);
    vwDoScrToApp(view.get(), 21);
    vwDoScrToApp(view.get(), 12);
    EXPECT_EQ(alone, 1);   // alone on its variable: 1
    EXPECT_EQ(group, 12);  // a neighbour shares the variable: the identifier
    group = 0;
    vwUpdateApp(view.get());
    EXPECT_EQ(std::to_string(group) + " " + std::to_string(alone) + " " + std::to_string(state), "12 21 2");
    group = 13;
    alone = state = 0;
    vwDoAppToScr(view.get(), 21);  // never unchecks
    EXPECT_EQ(checks(), "01012");
    vwUpdateScreen(view.get());
    EXPECT_EQ(checks(), "00100");
    alone = 1;
    state = 5;
    vwDoAppToScr(view.get(), 21);
    vwDoAppToScr(view.get(), 31);
    EXPECT_EQ(checks(), "00111");
    CheckDlgButton(view->hWnd, 21, BST_UNCHECKED);  // an automatic radio unchecked clears a 1
    EXPECT_EQ(alone, 0);

    RegisterTestClass("tsstring32", TypedProc);
    char text[80] = "x";
    Add(41, "tsstring", 0, 0, 60, 40, 10, text);
    Add(42, "tsstring", 0, 0, 72, 40, 10);
    vwUpdateApp(view.get());
    EXPECT_EQ(g_address, text);
    vwDoAppToScr(view.get(), 42);  // a single field gets its null address too
    EXPECT_EQ(g_address, nullptr);
}

TEST_F(Exchange, LongTextsAreCutToTheirBuffersAndStillChecked) {
    const std::string digits(5000, '7');
    char plain[90], limited[320];
    std::memset(plain, '#', sizeof plain);
    std::memset(limited, '#', sizeof limited);
    Add(51, "edit", ES_AUTOHSCROLL | WS_TABSTOP, 0, 0, 60, 12, plain);
    Add(52, "edit", ES_AUTOHSCROLL | WS_TABSTOP, 0, 14, 60, 12, limited);
    Dirs(51, "@NUM@AUTOTAB");
    Dirs(52, "@NUM@LIMIT(300)");
    SetWindowTextA(W(51), digits.c_str());
    SetWindowTextA(W(52), digits.c_str());
    vwUpdateApp(view.get());
    EXPECT_EQ(std::string(plain) + plain[80], digits.substr(0, 79) + "#");  // no "@LIMIT": 79 characters
    EXPECT_EQ(std::string(limited) + limited[301], digits.substr(0, 300) + "#");
    EXPECT_EQ(SendMessageA(W(51), VWM_VALIDATE, 0, 0), 0);
    SetWindowTextA(W(52), (std::string(100, '1') + "x" + digits).c_str());
    EXPECT_EQ(SendMessageA(W(52), VWM_VALIDATE, 0, 0), -1);
    SetFocus(W(51));  // a full field moves the focus on at the next character
    SendMessageA(W(51), EM_SETSEL, 5000, 5000);
    Type(W(51), "7");
    EXPECT_EQ(GetFocus(), W(52));
}

namespace {

int g_reports = 0;
std::function<void(HWND)> g_script;  // played once the modal loop runs
LRESULT CALLBACK ScenarioProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) PostMessageA(hWnd, WM_APP, 0, 0);
    if (msg == WM_APP) g_script(hWnd);
    if (msg != VWM_VALIDATE || lParam != 101) return DefViewProc(hWnd, msg, wParam, lParam);
    // the application reports an invalid number; the field keeps the focus
    HVIEW view = vwGetView(hWnd);
    if (SendMessageA(vwGetFieldWindow(view, 101), VWM_VALIDATE, wParam, 0) == -1) {
        ++g_reports;
        vwSetViewError(view, 101, 0, 0, "E100", VWSVE_KEY | VWSVE_MBOX);
    }
    return 0;
}

} // namespace

TEST(TypicalRequest, FromKeystrokeToVariable) {
    FILE* f = std::fopen("vwerror.txt", "wb");
    std::fputs("E099,Something else\r\nE100,Digits only, please\r\n", f);
    std::fclose(f);
    BeepRecorder beeps;
    MessageBoxCapture boxes;
    char number[80] = "kept";
    g_script = [&](HWND hWnd) {
        HWND field = vwGetFieldWindow(vwGetView(hWnd), 101), ok = vwGetFieldWindow(vwGetView(hWnd), IDOK);
        SetFocus(field);
        Type(field, "x");  // not a digit
        EXPECT_EQ(beeps.count(), 1);
        EXPECT_EQ(TextOf(field), "kept");
        SetWindowTextA(field, "");
        Type(field, "12345");
        EXPECT_NE(GetFocus(), field);  // moved on when full
        SetFocus(field);
        SetWindowTextA(field, "12a45");
        SendMessageA(field, WM_KEYDOWN, VK_TAB, 0);  // the check before leaving
        EXPECT_EQ(GetFocus(), field);
        EXPECT_EQ(beeps.count(), 1);  // reported, so not heard
        SetWindowTextA(field, "54321");
        SendMessageA(ok, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(ok, WM_LBUTTONUP, 0, 0);
    };
    HVIEW v = vwOpenView(Instance(), "typical", WS_POPUP | WS_VISIBLE, nullptr, ScenarioProc, 0);
    vwSetFieldEx(v, 101, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 4, 4, 60, 12, number, nullptr);
    vwSetFieldEx(v, 102, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 4, 20, 60, 12, nullptr, nullptr);
    vwSetFieldEx(v, IDOK, "button", "OK", BS_DEFPUSHBUTTON | WS_VISIBLE | WS_DLGFRAME, 0, 80, 4, 40, 14, nullptr, nullptr);
    vwSetFieldString(v, 101, "@NUM@LIMIT(5)@AUTOTAB");
    EXPECT_EQ(vwShowModalView(v), 1);
    EXPECT_EQ(g_reports, 1);  // the OK check found nothing more to report
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption + ": " + boxes.boxes()[0].text, "Error: Digits only, please");
    EXPECT_STREQ(number, "54321");
    DeleteFileA("vwerror.txt");
}
