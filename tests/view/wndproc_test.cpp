// vwWndProc: attaching views during creation, chain and filter mode, the
// command notifications it serves itself, and the tick of vwWait.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imports.h"
#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

MessageLog g_log;
LONG_PTR g_firstAttached = 0;
LRESULT g_answer = 0;  // what AppProc answers, unless it passes messages to DefViewProc
bool g_chain = true;
std::vector<std::string> g_events;

LRESULT CALLBACK AppProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (g_log.entries().empty()) g_firstAttached = GetWindowLongPtrA(h, 12);  // the view's address
    g_log.add(h, m, w, l);
    if (m == WM_COMMAND) g_events.push_back("command " + std::to_string(LOWORD(w)));
    if (m == WM_COMMAND || m == WM_SETFONT) return 0;
    return g_chain ? DefViewProc(h, m, w, l) : g_answer;
}

void Notify(HVIEW v, LONG id, WORD code) {
    SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(vwGetFieldWindow(v, id)));
}

// The test's stand-in for a table class records the variable that
// VWM_SCRTOAPP hands it; the field procedure of a list records its keys.
void* g_scrToApp = nullptr;
LRESULT CALLBACK TableProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_SCRTOAPP) g_scrToApp = reinterpret_cast<void*>(l);
    return DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK ListKeys(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_CHAR) g_events.push_back("char " + std::to_string(w));
    return vwGetDefFieldProc(vwGetView(h), GetWindowLongA(h, GWL_ID))(h, m, w, l);
}
// The companion's hlDdeAdvise and hlRunProgram record what they were told.
int WINAPI RecordAdvise(HWND, LPCSTR text) {
    g_events.push_back(std::string("advise ") + text);
    return 1;
}
int WINAPI RecordRun(HWND, LPCSTR directives) {
    g_events.push_back(std::string("run ") + directives);
    return 1;
}
LRESULT CALLBACK HelpWindow(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COPYDATA) g_events.push_back("help");
    return m == WM_COPYDATA ? 1 : DefWindowProcA(h, m, w, l);
}
int g_waitTicks = 0;
LRESULT CALLBACK CountWaitTicks(int code, WPARAM w, LPARAM l) {
    const MSG* msg = reinterpret_cast<const MSG*>(l);
    if (code == HC_ACTION && w == PM_REMOVE && msg->message == WM_TIMER && msg->wParam == 0x4B20) ++g_waitTicks;
    return CallNextHookEx(nullptr, code, w, l);
}

} // namespace

TEST(WndProc, TheViewIsAttachedBeforeItsProcedureSeesAnythingWhichLeavesTheDefaultToIt) {
    g_log.clear();
    ViewGuard v(vwCreateView(Instance(), "FileOpen", nullptr, AppProc, 0));
    ASSERT_TRUE(v);
    EXPECT_EQ(g_firstAttached, reinterpret_cast<LONG_PTR>(v.get()));
    EXPECT_FALSE(g_log.contains(WM_NCCREATE));  // never routed
    EXPECT_TRUE(g_log.contains(WM_CREATE) && g_log.contains(VWM_SETVIEWSTRING));
    // the procedure kept WM_SETFONT from DefViewProc, so the view has no font;
    // without a procedure everything reaches the default
    EXPECT_EQ(SendMessageA(v->hWnd, WM_GETFONT, 0, 0), 0);
    ViewGuard plain(vwCreateView(Instance(), "FileOpen", nullptr, nullptr, 0));
    EXPECT_NE(SendMessageA(plain->hWnd, WM_GETFONT, 0, 0), 0);
}

TEST(WndProc, FilterModeRunsTheDefaultUnlessTheLowWordOfTheAnswerSaysHandled) {
    g_chain = false;
    ViewGuard v(vwOpenView(Instance(), "filter", WS_POPUP, nullptr, AppProc, 1));
    MoveWindow(v->hWnd, 0, 0, 100, 60, FALSE);
    ShowWindow(v->hWnd, SW_SHOWNA);
    g_answer = 1;
    InvalidateRect(v->hWnd, nullptr, TRUE);
    SendMessageA(v->hWnd, WM_PAINT, 0, 0);
    EXPECT_TRUE(GetUpdateRect(v->hWnd, nullptr, FALSE));  // left unpainted
    g_answer = 0x10000;
    SendMessageA(v->hWnd, WM_PAINT, 0, 0);
    EXPECT_FALSE(GetUpdateRect(v->hWnd, nullptr, FALSE));
    g_answer = 0;
}

TEST(WndProc, ListNotificationsStoreVariablesAdviseLinksAndDoubleClicksPressEnter) {
    RegisterTestClass("tsTable32", TableProc);
    ViewGuard v(vwOpenView(Instance(), "lists", WS_POPUP, nullptr, AppProc, 0));
    int table = 0;
    vwSetFieldEx(v.get(), 20, "tsTable32", "", 0, 0, 0, 0, 40, 40, &table, nullptr);
    vwSetFieldEx(v.get(), 21, "listbox", "", LBS_NOTIFY, 0, 50, 0, 40, 40, nullptr, ListKeys);
    Notify(v.get(), 20, LBN_SETFOCUS);
    EXPECT_EQ(g_scrToApp, &table);  // a list stores on every notification
    // "@DBLCLK": the list hears Enter, the view procedures nothing
    vwSetFieldString(v.get(), 21, "@DBLCLK");
    g_events.clear();
    Notify(v.get(), 21, LBN_DBLCLK);
    vwSetFieldString(v.get(), 21, "");
    Notify(v.get(), 21, LBN_DBLCLK);
    EXPECT_EQ(g_events, (std::vector<std::string>{"char 13", "command 21"}));
    // a "SERVER" list advises the selected item, however long
    ImportPatch advise("helio32.dll", 126, reinterpret_cast<void*>(&RecordAdvise));
    std::string item(5000, ' ');
    for (std::size_t i = 0; i < item.size(); ++i) item[i] = static_cast<char>('a' + i % 26);
    HWND list = vwGetFieldWindow(v.get(), 21);
    SetPropA(list, "SERVER", reinterpret_cast<HANDLE>(1));
    SendMessageA(list, LB_SETCURSEL, SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())), 0);
    g_events.clear();
    Notify(v.get(), 21, LBN_SELCHANGE);
    ASSERT_EQ(g_events.size(), 2u);  // the advice, then the command
    EXPECT_TRUE(g_events[0] == "advise " + item) << g_events[0].size();
}

TEST(WndProc, ButtonsStartProgramsAroundTheViewProcedureAndButton998ShowsHelp) {
    ImportPatch run("helio32.dll", 157, reinterpret_cast<void*>(&RecordRun));
    ASSERT_TRUE(run.installed());
    RegisterTestClass("MS_WINHELP", HelpWindow);
    HWND help = CreateWindowA("MS_WINHELP", "help", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr);
    const std::string started = "run @PROG(notepad.exe readme.txt)";
    for (LPARAM filter : {0, 1}) {
        g_chain = !filter;
        ViewGuard v(vwOpenView(Instance(), "buttons", WS_POPUP, nullptr, AppProc, filter));
        LONG var = 0;
        vwSetFieldEx(v.get(), 30, "button", "Run", BS_PUSHBUTTON, 0, 0, 0, 40, 14, &var, nullptr);
        vwSetFieldString(v.get(), 30, "@PROG(notepad.exe readme.txt)");
        for (LONG id : {997, 998}) {
            vwSetFieldEx(v.get(), id, "button", "Help", BS_PUSHBUTTON, 0, 0, 20, 40, 14, nullptr, nullptr);
            vwSetFieldString(v.get(), id, "@HELP(demo.hlp,12)");
        }
        g_events.clear();
        for (LONG id : {30, 997, 998}) Notify(v.get(), id, BN_CLICKED);
        std::vector<std::string> expected = {"command 30", started, "command 997", "help", "command 998"};
        if (!filter) std::swap(expected[0], expected[1]);  // chain mode: the program first
        EXPECT_EQ(g_events, expected) << filter;
        EXPECT_EQ(var, 30);  // a bound push button stores the command's wParam
    }
    DestroyWindow(help);
}

TEST(WndProc, WaitsLastWholeTicksOfAHundredMilliseconds) {
    ViewGuard v(vwOpenView(Instance(), "wait", WS_POPUP, nullptr, nullptr, 0));
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountWaitTicks, nullptr, GetCurrentThreadId());
    for (const auto& [duration, ticks] : {std::pair{250, 3}, std::pair{0, 1}, std::pair{100, 1}, std::pair{101, 2}}) {
        g_waitTicks = 0;
        const DWORD start = GetTickCount();
        EXPECT_EQ(vwWait(v.get(), duration), 0);
        EXPECT_EQ(g_waitTicks, ticks) << duration;
        EXPECT_GE(GetTickCount() - start + 20, 100u * ticks) << duration;  // timers may fire a little early
    }
    UnhookWindowsHookEx(hook);
}
