// Messages: error texts, errors reported and shown, the status line with
// field and menu help, balloons.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "msgbox.h"
#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

void WriteFile(const std::string& text) { std::ofstream("tsmsg1.txt", std::ios::binary) << text; }

std::string g_seen;  // "directives|text|caption|field id|field window;" of each record, "done;" for VWM_ERRORDONE
LRESULT g_answer;  // the application's answer to VWM_SHOWERROR; -1 leaves it to DefViewProc

// What a timer saw while a warning balloon was up.
struct { HWND view; BOOL enabled; HWND balloon; LONG bk; SHORT status; } g_warning;
void CALLBACK LookDuringWarning(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND b = FindWindowA(VW_CLASS_BALLOON, nullptr), v = g_warning.view;
    g_warning = {v, IsWindowEnabled(v), b, GetWindowLongA(b, VWBL_BKCOLOR), vwGetViewErrorStatus(vwGetView(v))};
}

LRESULT CALLBACK RecordingViewProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_SHOWERROR && l && g_answer >= 0) {
        auto* r = reinterpret_cast<VWERRORREC*>(l);
        g_seen += std::string(r->directives) + "|" + r->text + "|" + r->caption + "|" + std::to_string(r->fieldId) +
                  (r->hField == GetDlgItem(h, 9) ? "|field;" : "|?;");
        return g_answer;
    }
    if (m == VWM_ERRORDONE) g_seen += "done;";
    return DefViewProc(h, m, w, l);
}

// A view with field 9 and the error file of the current directory.
struct Messages : ::testing::Test {
    void SetUp() override {
        WriteFile("E100,Value must be positive\r\nE1,Too large, try again\r\nE2," + std::string(5000, 'l') + "\nE3,after");
        g_seen.clear(), g_answer = -1;
        view.reset(vwOpenView(Instance(), "messages", WS_POPUP | WS_VISIBLE, nullptr, RecordingViewProc, 0));
        vwSetFieldEx(view.get(), 9, "edit", "12", WS_TABSTOP | WS_VISIBLE, 0, 10, 20, 30, 12, nullptr, nullptr);
        vwSetViewMessageFile(view.get(), "tsmsg1.txt");
    }
    void TearDown() override { DeleteFileA("tsmsg1.txt"); }
    LRESULT Show(const char* directives, const char* message) {
        lstrcpyA(text, message);
        VWERRORREC rec = {nullptr, 9};
        rec.directives = directives, rec.text = text, rec.caption = "Check";
        return SendMessageA(view->hWnd, VWM_SHOWERROR, 9, reinterpret_cast<LPARAM>(&rec));
    }
    HWND Static(HWND parent, int id) {
        return CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 100, 12, parent, reinterpret_cast<HMENU>(INT_PTR{id}), 0, 0);
    }
    char text[300] = {};
    ViewGuard view;
};

} // namespace

TEST_F(Messages, FileAndResourceLookups) {
    LPSTR s = vwMessageLookup(view.get(), nullptr, "E1", 0);
    EXPECT_STREQ(s, "Too large, try again");
    EXPECT_EQ(std::string(vwMessageLookup(view.get(), "", "E2", 0)), std::string(252, 'l'));  // 255 of 5,003 read
    EXPECT_STREQ(vwMessageLookup(view.get(), nullptr, "E3", 0), "after");
    WriteFile("E1,changed\n");  // read afresh, into the same buffer
    EXPECT_EQ(vwMessageLookup(view.get(), "", "E1", 0), s);
    EXPECT_STREQ(s, "changed");
    EXPECT_EQ(vwMessageLookup(view.get(), "tsmsg1.txt", "e1", 0), nullptr);
    EXPECT_STREQ(vwMessageLookup(view.get(), nullptr, MAKEINTRESOURCEA(3001), VWML_RESOURCE), "Value must be positive");
    EXPECT_STREQ(vwMessageLookup(view.get(), "no.txt", "2105", VWML_RESOURCE), "Opens a file");
    EXPECT_EQ(vwMessageLookup(view.get(), nullptr, "3999", VWML_RESOURCE), nullptr);
    MessageBoxCapture boxes;
    EXPECT_EQ(vwMessageLookup(view.get(), "nofile.txt", "E1", 0), nullptr);
    EXPECT_EQ(boxes.transcript(), "System Error: Unable to open error file: nofile.txt");
}

TEST_F(Messages, SetViewErrorSendsARecordOrFallsBackToABox) {
    MessageBoxCapture boxes;
    g_answer = VWSE_HANDLED;
    EXPECT_EQ(vwSetViewError(view.get(), 9, 7, 7, "Plain", VWSVE_MBOX | VWSVE_BEEP), 0);
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "E1", VWSVE_KEY), 0);
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "E7", VWSVE_KEY), 0);
    g_answer = VWSE_HANDLED | VWSE_WARNING;
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "x", 0), 1);
    g_answer = 0;  // not handled: the message itself, never looked up, in a box; then the view hears it is over
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "E1", VWSVE_KEY), 0);
    vwSetViewEditingOff(view.get());  // a closing view reports nothing
    EXPECT_EQ(vwSetViewError(view.get(), 9, 0, 0, "x", VWSVE_MBOX), 0);
    EXPECT_EQ(g_seen, "@MBOX@BEEP|Plain|Error|9|field;|Too large, try again|Error|9|field;|Error detected|Error|9|field;"
                      "|x|Error|9|field;|Too large, try again|Error|9|field;done;");
    EXPECT_EQ(boxes.transcript(), "Error: E1");
}

TEST_F(Messages, ShownInABoxOrABalloonBelowTheFieldUntilTheNextKeyAWarningForASecond) {
    MessageBoxCapture boxes;
    for (const char* key : {"E100", "E9", "E2"}) EXPECT_EQ(Show("@MBOX@LOOKUP", key), VWSE_HANDLED);
    EXPECT_EQ(std::string(text), std::string(252, 'l'));
    EXPECT_EQ(boxes.transcript(), "Check: Value must be positive | Check: E9 | Check: " + std::string(252, 'l'));
    vwShowView(view.get());
    EXPECT_EQ(Show("", "Amount too large"), VWSE_HANDLED);
    HWND b = FindWindowA(VW_CLASS_BALLOON, nullptr);
    RECT field, rc;
    GetWindowRect(vwGetFieldWindow(view.get(), 9), &field), GetWindowRect(b, &rc);
    EXPECT_EQ(std::make_pair(rc.left, rc.top), std::make_pair(field.left, field.bottom + 2));
    EXPECT_EQ(GetWindowLongA(b, VWBL_BKCOLOR), RGB(255, 255, 255));  // the view's error colours
    Show("", "Second");
    EXPECT_TRUE(FindWindowA(VW_CLASS_BALLOON, nullptr) == b && TextOf(b) == "Amount too large");  // not replaced
    SendMessageA(view->hWnd, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(IsWindow(b));

    g_warning = {view->hWnd, TRUE};
    SetTimer(nullptr, 0, 300, LookDuringWarning);
    const DWORD start = GetTickCount();
    EXPECT_EQ(Show("@WARN", "Check the amount"), VWSE_HANDLED | VWSE_WARNING);
    EXPECT_GE(GetTickCount() - start, 980u);
    EXPECT_FALSE(g_warning.enabled);
    EXPECT_EQ(g_warning.bk, LONG{RGB(255, 255, 0)});  // black on yellow
    EXPECT_EQ(g_warning.status, -1);                  // pending while it is up
    EXPECT_FALSE(IsWindow(g_warning.balloon) || !IsWindowEnabled(view->hWnd));
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);
}

TEST_F(Messages, StatusLineInTheViewOrItsToolbarsMadeOnceByTheDirective) {
    ViewGuard bar(vwOpenView(Instance(), "bar", WS_POPUP, nullptr, nullptr, 0));
    HWND line = Static(view->hWnd, 50), barLine = Static(bar->hWnd, 60);
    EXPECT_EQ(vwSetViewDSL(view.get(), "None", 50, VWDSL_VIEW | VWDSL_NAMED), 1);
    vwSetViewDSL(view.get(), "", 60, VWDSL_TOP | VWDSL_VIEW);  // no such toolbar: unchanged
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    SetPropA(view->hWnd, "TBTOP", bar.get());
    vwSetViewDSL(view.get(), "", 60, VWDSL_TOP);
    EXPECT_EQ(vwGetDSLWindow(view.get()), barLine);
    EXPECT_EQ(vwRemoveViewDSL(view.get()), 0);  // "None" made no status-line object
    EXPECT_EQ(vwGetDSLWindow(view.get()), nullptr);
    vwSetViewString(view.get(), "@3D@DSL(main,,50,RES)");  // empty parts are skipped
    vwSetViewString(view.get(), "@DSL(main,60,names,TOP)");  // made once
    EXPECT_EQ(vwGetDSLWindow(view.get()), line);
    EXPECT_EQ((std::vector<int>{vwRemoveViewDSL(view.get()), vwRemoveViewDSL(view.get())}), (std::vector<int>{1, 0}));  // once
    RemovePropA(view->hWnd, "TBTOP");
    SetPropA(view->hWnd, "TBBOTTOM", bar.get());  // one bottom control serves the frame and its toolbars
    EXPECT_TRUE(!vwSetStatusLineId(bar->hWnd, 60) && vwSetStatusLineId(view->hWnd, 60));  // bar has none
    EXPECT_TRUE(vwGetDSLWindow(view.get()) == barLine && vwGetDSLWindow(bar.get()) == barLine);
    RemovePropA(view->hWnd, "TBBOTTOM");
}

TEST_F(Messages, StatusLineShowsFieldHelpOnMouseOverAndMenuHelp) {
    HWND line = Static(view->hWnd, 50);
    vwSetDSLWindow(view.get(), line);
    vwSetFieldEx(view.get(), 1, "edit", "", 0, 0, 0, 40, 40, 10, nullptr, nullptr);
    vwSetFieldString(view.get(), 1, "@DSL(Customer name)");
    std::string seen;  // the line after each step
    auto move = [&](LONG id, int x) {
        SendMessageA(vwGetFieldWindow(view.get(), id), WM_MOUSEMOVE, 0, MAKELPARAM(x, 2)), seen += TextOf(line) + "|";
    };
    vwSetViewStatus(view.get(), 0, VWST_NOBALLOONS);  // or a field with "@BDSL"
    move(1, 2);
    SetWindowTextA(line, "kept");
    move(1, 3);  // the same field: not written again
    move(9, 2);
    auto select = [&](UINT item, UINT flags, HMENU m) {
        SendMessageA(view->hWnd, WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(m));
        seen += TextOf(line) + "|";
    };
    HMENU menu = LoadMenuA(Instance(), "MAINMENU");
    SetMenu(view->hWnd, menu);
    select(2105, MF_STRING, GetSubMenu(menu, 0));  // a command: its own string
    select(2, MF_POPUP, menu);                     // the third popup: 2000 + 400 + 3 (22500 does not count)
    select(0, MF_POPUP, GetSubMenu(menu, 2));      // nested popups count on: 2404
    select(0, MF_SYSMENU, GetSystemMenu(view->hWnd, FALSE));
    select(0, MF_SEPARATOR, GetSubMenu(menu, 0));
    select(1, MF_POPUP, menu);  // 2402 does not exist
    SetWindowTextA(line, "x");
    select(0, 0xFFFF, nullptr);  // the menu closes
    EXPECT_EQ(seen, "Customer name|kept||Opens a file|View commands|Zoom commands|Zoom commands|Zoom commands|||");
    SetMenu(view->hWnd, nullptr), DestroyMenu(menu);
}

TEST(Balloons, PlacedFittedShiftedPaintedAndClosed) {
    HWND owner = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, 0, 0, 0, nullptr);
    const UINT style = VWB_PIXELS | VWB_SQUARE | VWB_COLORS | VWB_SINGLELINE;
    HWND b = vwBalloonMsg(owner, "Customer name", 10, 20, 0, 0, nullptr, RGB(1, 2, 3), RGB(0, 0, 255), style);
    HDC dc = GetDC(nullptr);  // the text's size in the balloons' default font
    HGDIOBJ old = SelectObject(dc, vwCreateFont("Helv", 8, 0));
    RECT t = {}, rc;
    DrawTextA(dc, "Customer name", -1, &t, DT_CALCRECT | DT_SINGLELINE);
    DeleteObject(SelectObject(dc, old));
    ReleaseDC(nullptr, dc);
    GetWindowRect(b, &rc);  // offsets from the owner's corner; 4-pixel margins, one in the measure
    EXPECT_EQ(std::vector<LONG>({rc.left, rc.top, rc.right, rc.bottom}),
              std::vector<LONG>({110, 120, 110 + 4 * 4 + t.right, 120 + 3 * 4 + t.bottom}));
    PumpMessages();  // the body outlined in black, the shadow 4 pixels right and down
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    EXPECT_EQ(std::vector<COLORREF>({PixelAt(b, 0, 0), PixelAt(b, 2, 2), PixelAt(b, w - 2, h - 2)}),
              std::vector<COLORREF>({RGB(0, 0, 0), RGB(0, 0, 255), RGB(128, 128, 128)}));
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(IsWindow(b));  // closed by a click only when it says so
    SetWindowLongA(b, VWBL_STYLE, style | VWB_CLICKCLOSE);
    SendMessageA(b, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_FALSE(IsWindow(b));
    DestroyWindow(owner);
    // beyond the right and bottom screen edges: moved to end exactly there
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    b = vwBalloonMsg(nullptr, "edge", cx - 20, cy - 5, 100, 30, nullptr, 0, 0, VWB_PIXELS | VWB_SCREEN);
    GetWindowRect(b, &rc);
    EXPECT_EQ(std::make_pair(rc.right, rc.bottom), std::make_pair(LONG{cx}, LONG{cy}));
    DestroyWindow(b);
}

namespace {

// Dispatches messages for `ms` milliseconds or until a balloon is up; the time it took.
DWORD Pump(DWORD ms, bool untilBalloon = false) {
    const DWORD start = GetTickCount();
    for (MSG m; GetTickCount() - start < ms && !(untilBalloon && FindWindowA(VW_CLASS_BALLOON, nullptr));) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
    return GetTickCount() - start;
}

} // namespace

// The real cursor goes where the mouse is said to be: the balloon timer asks what is under it.
TEST(Hover, TheFirstBalloonWaitsASecondThenFollowsTheMouseAtOnce) {
    ViewGuard view(vwOpenView(Instance(), "hover", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
    MoveWindow(view->hWnd, 0, 0, 400, 300, FALSE);
    const char* directives[] = {"@DSL(Help for the customer id)@BDSL",  // 24 characters, then 25
                                "@DSL(Help for the customer ids)@BDSL", "@DSL(No balloon here)"};
    for (LONG id = 1; id <= 3; ++id) {
        vwSetFieldEx(view.get(), id, "edit", "", WS_VISIBLE, 0, 10, 40 * id, 120, 20, nullptr, nullptr);
        vwSetFieldString(view.get(), id, directives[id - 1]);
    }
    vwShowView(view.get());
    SetForegroundWindow(view->hWnd);
    auto W = [&](LONG id) { return vwGetFieldWindow(view.get(), id); };
    auto move = [&](LONG id, bool cursorToo) {  // the mouse rests inside the field
        RECT rc;
        GetWindowRect(W(id), &rc);
        SetCursorPos(cursorToo ? rc.left + 5 : 300, cursorToo ? rc.top + 5 : 280);
        Pump(50);
        SendMessageA(W(id), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    };
    move(1, false);  // the cursor is elsewhere: no balloon
    Pump(1500);
    move(1, true);
    EXPECT_GE(Pump(5000, true), 900u);
    HWND first = FindWindowA(VW_CLASS_BALLOON, nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(TextOf(first), "Help for the customer id");
    EXPECT_EQ(GetCapture(), W(1));
    RECT field, one, two;
    GetWindowRect(W(1), &field), GetWindowRect(first, &one);
    EXPECT_EQ(std::make_pair(one.left, one.top), std::make_pair(field.left, field.bottom + 6));
    EXPECT_EQ(GetWindowLongA(first, VWBL_STYLE), VWB_PIXELS | VWB_COLORS | VWB_SQUARE | VWB_CLICKCLOSE | VWB_SINGLELINE);
    EXPECT_EQ(GetWindowLongA(first, VWBL_BKCOLOR), 0x80FFFF);
    SendMessageA(W(1), WM_MOUSEMOVE, 0, MAKELPARAM(5, 0xFFF0));  // the captured mouse leaves
    EXPECT_FALSE(IsWindow(first) || GetCapture());
    move(2, true);  // no waiting; 25 characters wrap in 100 pixels
    HWND second = FindWindowA(VW_CLASS_BALLOON, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetCapture(), W(2));
    GetWindowRect(second, &two);
    EXPECT_LE(two.right - two.left, 104);
    EXPECT_GT(two.bottom - two.top, one.bottom - one.top);
    SendMessageA(W(2), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));  // a click: gone
    EXPECT_FALSE(IsWindow(second));
    SendMessageA(W(2), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // the edit's own capture ends
    move(3, true);  // no "@BDSL": all over
    Pump(1500);
    EXPECT_FALSE(FindWindowA(VW_CLASS_BALLOON, nullptr) || GetCapture());
}
