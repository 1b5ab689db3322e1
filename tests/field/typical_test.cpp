// From keystroke to variable: a numeric, limited, auto-tabbing field in a
// modal view, typed into, found invalid, reported from the error file and
// finally accepted with OK.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "beep.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

char g_number[80] = "";
struct Observed {
    int beepsAfterLetter = -1;
    std::string textAfterLetter;
    bool movedOnWhenFull = false;
    bool keptWhenInvalid = false;
    int reports = 0;
} g_seen;
BeepRecorder* g_beeps = nullptr;

void Type(HWND h, const char* s) {
    for (; *s; ++s) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(*s), 1);
}

void Play(HWND hWnd) {
    HVIEW view = vwGetView(hWnd);
    HWND number = vwGetFieldWindow(view, 101), next = vwGetFieldWindow(view, 102);
    SetFocus(number);
    Type(number, "x");  // not a digit
    g_seen.beepsAfterLetter = g_beeps->count();
    g_seen.textAfterLetter = TextOf(number);
    Type(number, "12345");
    g_seen.movedOnWhenFull = GetFocus() == next;

    SetFocus(number);
    SetWindowTextA(number, "12a45");
    SendMessageA(number, WM_KEYDOWN, VK_TAB, 0);  // the check before leaving
    g_seen.keptWhenInvalid = GetFocus() == number;

    SetWindowTextA(number, "54321");
    HWND ok = vwGetFieldWindow(view, IDOK);
    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

LRESULT CALLBACK ScenarioProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetTimer(hWnd, 1, 10, nullptr);
        break;
    case WM_TIMER:
        if (wParam == 1) {
            KillTimer(hWnd, 1);
            Play(hWnd);
            return 0;
        }
        break;
    case VWM_VALIDATE: {
        // the application reports an invalid number; the field keeps the focus
        HVIEW view = vwGetView(hWnd);
        HWND field = vwGetFieldWindow(view, static_cast<LONG>(lParam));
        if (lParam == 101 && SendMessageA(field, VWM_VALIDATE, wParam, 0) == -1) {
            ++g_seen.reports;
            vwSetViewError(view, 101, 0, 0, "E100", VWSVE_KEY | VWSVE_MBOX);
        }
        return 0;
    }
    default:
        break;
    }
    return DefViewProc(hWnd, msg, wParam, lParam);
}

} // namespace

TEST(TypicalRequest, FromKeystrokeToVariable) {
    FILE* f = std::fopen("vwerror.txt", "wb");
    std::fputs("E099,Something else\r\nE100,Digits only, please\r\n", f);
    std::fclose(f);
    BeepRecorder beeps;
    g_beeps = &beeps;
    MessageBoxCapture boxes;

    HVIEW v = vwOpenView(Instance(), "typical", WS_POPUP | WS_VISIBLE, nullptr, ScenarioProc, 0);
    MoveWindow(v->hWnd, 0, 0, 240, 90, FALSE);
    vwSetFieldEx(v, 101, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 4, 4, 60, 12, g_number, nullptr);
    vwSetFieldEx(v, 102, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 4, 20, 60, 12, nullptr, nullptr);
    vwSetFieldEx(v, IDOK, "button", "OK", BS_DEFPUSHBUTTON | WS_VISIBLE, 0, 80, 4, 40, 14, nullptr, nullptr);
    vwSetOKButton(v, IDOK);
    vwSetFieldString(v, 101, "@NUM@LIMIT(5)@AUTOTAB");
    EXPECT_EQ(vwShowModalView(v), 1);

    EXPECT_EQ(g_seen.beepsAfterLetter, 1);
    EXPECT_EQ(g_seen.textAfterLetter, "");
    EXPECT_TRUE(g_seen.movedOnWhenFull);
    EXPECT_TRUE(g_seen.keptWhenInvalid);
    ASSERT_EQ(boxes.boxes().size(), 1u);  // the OK check found nothing more to report
    EXPECT_EQ(boxes.boxes()[0].text, "Digits only, please");
    EXPECT_EQ(boxes.boxes()[0].caption, "Error");
    EXPECT_STREQ(g_number, "54321");
    DeleteFileA("vwerror.txt");
}
