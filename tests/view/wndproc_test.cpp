// vwWndProc: attaching views during creation, chain and filter mode, and
// the command notifications it serves itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "imports.h"
#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

MessageLog g_log;
LRESULT g_answer = 0;        // what the filter procedure answers
bool g_callDefault = false;  // whether the chain procedure calls DefViewProc

LRESULT CALLBACK ChainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_log.add(h, m, w, l);
    return g_callDefault ? DefViewProc(h, m, w, l) : 0;
}

LRESULT CALLBACK FilterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_log.add(h, m, w, l);
    return g_answer;
}

} // namespace

TEST(WndProc, CreationAttachesTheViewBeforeTheProcedureSeesAnything) {
    g_log.clear();
    g_callDefault = true;
    ViewGuard v(vwCreateView(Instance(), "FileOpen", nullptr, ChainProc, 0));
    ASSERT_TRUE(v);
    EXPECT_FALSE(g_log.contains(WM_NCCREATE));  // never routed
    EXPECT_TRUE(g_log.contains(WM_CREATE));
    EXPECT_TRUE(g_log.contains(VWM_SETVIEWSTRING));
    for (const LoggedMessage& e : g_log.entries()) EXPECT_EQ(e.hWnd, v->hWnd);
    EXPECT_EQ(v->hWnd, reinterpret_cast<HWND>(GetWindowLongPtrA(v->hWnd, VWL_VIEW)) ? v->hWnd : nullptr);
}

TEST(WndProc, ChainModeLeavesTheDefaultToTheApplication) {
    g_log.clear();
    g_callDefault = false;
    ViewGuard v(vwOpenView(Instance(), "chain", WS_POPUP, nullptr, ChainProc, 0));
    HFONT font = CreateFontA(-20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    g_log.clear();
    SendMessageA(v->hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    EXPECT_EQ(g_log.sequence(), std::vector<UINT>{WM_SETFONT});
    EXPECT_EQ(GetWindowWord(v->hWnd, VWW_CHARHEIGHT), 0);  // DefViewProc never ran
    g_callDefault = true;
    SendMessageA(v->hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    EXPECT_GT(GetWindowWord(v->hWnd, VWW_CHARHEIGHT), 0);
    v.reset();
    DeleteObject(font);
}

TEST(WndProc, FilterModeDecidesOnTheLowWord) {
    g_log.clear();
    ViewGuard v(vwOpenView(Instance(), "filter", WS_POPUP | WS_VISIBLE, nullptr, FilterProc, 1));
    ASSERT_TRUE(v->flags & VWF_FILTERMODE);
    MoveWindow(v->hWnd, 0, 0, 100, 60, FALSE);
    ShowWindow(v->hWnd, SW_SHOW);
    // an answer whose low word is non-zero stops the default: WM_PAINT stays unpainted
    g_answer = 1;
    InvalidateRect(v->hWnd, nullptr, TRUE);
    SendMessageA(v->hWnd, WM_PAINT, 0, 0);
    EXPECT_TRUE(GetUpdateRect(v->hWnd, nullptr, FALSE));
    g_answer = 0x10000;  // only the high word: the default runs
    SendMessageA(v->hWnd, WM_PAINT, 0, 0);
    EXPECT_FALSE(GetUpdateRect(v->hWnd, nullptr, FALSE));
    EXPECT_TRUE(g_log.contains(WM_PAINT));
    // with no application procedure at all the default sees everything
    ViewGuard plain(vwOpenView(Instance(), "plain", WS_POPUP, nullptr, nullptr, 1));
    HFONT font = CreateFontA(-20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SendMessageA(plain->hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    EXPECT_GT(GetWindowWord(plain->hWnd, VWW_CHARHEIGHT), 0);
    plain.reset();
    DeleteObject(font);
}

namespace {

// The test's stand-in for a table class: it records the variable address
// that VWM_SCRTOAPP hands it.
void* g_scrToApp = nullptr;
LRESULT CALLBACK TableProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_SCRTOAPP) g_scrToApp = reinterpret_cast<void*>(l);
    return DefWindowProcA(h, m, w, l);
}

MessageLog g_fieldLog;
LRESULT CALLBACK FieldSpy(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_fieldLog.add(h, m, w, l);
    return vwGetDefFieldProc(vwGetView(h), GetWindowLongA(h, GWL_ID))(h, m, w, l);
}

} // namespace

TEST(WndProc, ListNotificationsStoreTheVariableAndTurnDoubleClicksIntoEnter) {
    RegisterTestClass("tsTable32", TableProc);
    g_log.clear();
    g_callDefault = true;
    ViewGuard v(vwOpenView(Instance(), "lists", WS_POPUP, nullptr, ChainProc, 0));
    int table = 0;
    vwSetFieldEx(v.get(), 20, "tsTable32", "", 0, 0, 0, 0, 40, 40, &table, nullptr);
    vwSetFieldEx(v.get(), 21, "listbox", "", LBS_NOTIFY, 0, 50, 0, 40, 40, nullptr, FieldSpy);
    HWND t = vwGetFieldWindow(v.get(), 20), list = vwGetFieldWindow(v.get(), 21);
    SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(20, LBN_SETFOCUS), reinterpret_cast<LPARAM>(t));
    EXPECT_EQ(g_scrToApp, &table);  // every notification

    vwSetFieldString(v.get(), 21, "@DBLCLK");
    g_log.clear();
    g_fieldLog.clear();
    SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(21, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    EXPECT_FALSE(g_log.contains(WM_COMMAND));  // the view procedures never see it
    ASSERT_TRUE(g_fieldLog.contains(WM_CHAR));
    for (const LoggedMessage& e : g_fieldLog.entries())
        if (e.msg == WM_CHAR) EXPECT_EQ(e.wParam, static_cast<WPARAM>(VK_RETURN));
    vwSetFieldString(v.get(), 21, "");
    g_log.clear();
    SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(21, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(g_log.contains(WM_COMMAND));
}

TEST(WndProc, ComboSelectionStoresTheVariable) {
    RegisterTestClass("tscbtable32", TableProc);
    ViewGuard v(vwOpenView(Instance(), "combos", WS_POPUP, nullptr, nullptr, 0));
    int var = 0;
    vwSetFieldEx(v.get(), 22, "tscbtable", "", 0, 0, 0, 0, 40, 40, &var, nullptr);
    HWND c = vwGetFieldWindow(v.get(), 22);
    g_scrToApp = nullptr;
    SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(22, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(c));
    EXPECT_EQ(g_scrToApp, nullptr);  // only a new selection is stored
    SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(22, CBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
    EXPECT_EQ(g_scrToApp, &var);
}

TEST(WndProc, DirectoryListsAreEnteredOnDoubleClick) {
    char tmp[MAX_PATH], root[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::snprintf(root, sizeof root, "%stsdirlst%lu", tmp, GetCurrentProcessId());
    std::string sub = std::string(root) + "\\sub";
    CreateDirectoryA(root, nullptr);
    CreateDirectoryA(sub.c_str(), nullptr);
    for (const char* f : {"\\sub\\a.txt", "\\sub\\b.dat", "\\top.txt"}) {
        HANDLE h = CreateFileA((root + std::string(f)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
    }
    ViewGuard v(vwOpenView(Instance(), "dirs", WS_POPUP, nullptr, nullptr, 0));
    vwSetFieldEx(v.get(), 104, "listbox", "", LBS_NOTIFY | LBS_SORT, 0, 0, 0, 80, 60, nullptr, nullptr);
    vwSetFieldEx(v.get(), 105, "static", "", 0, 0, 0, 70, 200, 10, nullptr, nullptr);
    vwSetFieldString(v.get(), 104, "@DIRLST(*.txt,105,0010)");
    char spec[MAX_PATH];
    std::snprintf(spec, sizeof spec, "%s\\*.txt", root);
    ASSERT_TRUE(DlgDirListA(v->hWnd, spec, 104, 105, DDL_DIRECTORY));
    HWND list = vwGetFieldWindow(v.get(), 104);
    LRESULT item = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("[sub]"));
    ASSERT_NE(item, LB_ERR);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(104, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    EXPECT_NE(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("a.txt")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("b.dat")), LB_ERR);
    EXPECT_NE(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("[..]")), LB_ERR);
    std::string shown = TextOf(vwGetFieldWindow(v.get(), 105));
    EXPECT_NE(shown.find("sub"), std::string::npos) << shown;
    v.reset();
    for (const char* f : {"\\sub\\a.txt", "\\sub\\b.dat", "\\top.txt"}) DeleteFileA((root + std::string(f)).c_str());
    SetCurrentDirectoryA(tmp);
    RemoveDirectoryA(sub.c_str());
    RemoveDirectoryA(root);
}

namespace {

// What happened when a button with "@PROG" was clicked, in order: the
// program started (seen through the library's import of the companion's
// hlRunProgram, which starts nothing here) and the command reaching the
// view procedure.
std::vector<std::string> g_events;
HWND g_runWindow = nullptr;

int WINAPI RecordRun(HWND window, LPCSTR directives) {
    g_runWindow = window;
    g_events.push_back(std::string("run ") + directives);
    return 1;
}

LRESULT CALLBACK CommandSeesRuns(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND && LOWORD(w) == 30) g_events.push_back("command");
    return m == WM_COMMAND ? 0 : DefViewProc(h, m, w, l);
}

} // namespace

TEST(WndProc, ProgramsStartBeforeTheProcedureInChainModeAndAfterInFilterMode) {
    ImportPatch run("helio32.dll", 157, reinterpret_cast<void*>(&RecordRun));
    ASSERT_TRUE(run.installed());
    const std::string started = "run @PROG(notepad.exe readme.txt)";
    for (LPARAM mode : {0, 1}) {
        g_events.clear();
        ViewGuard v(vwOpenView(Instance(), "prog", WS_POPUP, nullptr, CommandSeesRuns, mode));
        LONG var = 0;
        vwSetFieldEx(v.get(), 30, "button", "Run", BS_PUSHBUTTON, 0, 0, 0, 40, 14, &var, nullptr);
        vwSetFieldString(v.get(), 30, "@PROG(notepad.exe readme.txt)");
        HWND b = vwGetFieldWindow(v.get(), 30);
        SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(30, BN_CLICKED), reinterpret_cast<LPARAM>(b));
        if (mode == 0) EXPECT_EQ(g_events, (std::vector<std::string>{started, "command"}));
        else EXPECT_EQ(g_events, (std::vector<std::string>{"command", started}));
        EXPECT_EQ(g_runWindow, v->hWnd);
        EXPECT_EQ(var, 30);  // a bound push button stores the command's wParam
    }
}

namespace {
int g_helpCalls = 0;
LRESULT CALLBACK HelpWindow(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COPYDATA) {
        ++g_helpCalls;
        return 1;
    }
    return DefWindowProcA(h, m, w, l);
}
} // namespace

TEST(WndProc, HelpButtonNineNineEightShowsHelp) {
    RegisterTestClass("MS_WINHELP", HelpWindow);
    HWND help = CreateWindowA("MS_WINHELP", "help", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr);
    ViewGuard v(vwOpenView(Instance(), "help", WS_POPUP, nullptr, nullptr, 0));
    vwSetFieldEx(v.get(), 998, "button", "Help", BS_PUSHBUTTON, 0, 0, 0, 40, 14, nullptr, nullptr);
    vwSetFieldEx(v.get(), 997, "button", "Other", BS_PUSHBUTTON, 0, 0, 20, 40, 14, nullptr, nullptr);
    vwSetFieldString(v.get(), 998, "@HELP(demo.hlp,12)");
    vwSetFieldString(v.get(), 997, "@HELP(demo.hlp,12)");
    SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(997, BN_CLICKED),
                 reinterpret_cast<LPARAM>(vwGetFieldWindow(v.get(), 997)));
    EXPECT_EQ(g_helpCalls, 0);
    SendMessageA(v->hWnd, WM_COMMAND, MAKEWPARAM(998, BN_CLICKED),
                 reinterpret_cast<LPARAM>(vwGetFieldWindow(v.get(), 998)));
    EXPECT_EQ(g_helpCalls, 1);
    v.reset();
    DestroyWindow(help);
}

namespace {
HVIEW g_waitView = nullptr;
DWORD g_innerWait = 99999;
void CALLBACK NestedWait(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    DWORD t = GetTickCount();
    vwWait(g_waitView, 5000);  // refused at once while a wait runs
    g_innerWait = GetTickCount() - t;
}
} // namespace

TEST(WndProc, WaitTicksInHundredsAndRefusesToNest) {
    ViewGuard v(vwOpenView(Instance(), "wait", WS_POPUP, nullptr, nullptr, 0));
    DWORD start = GetTickCount();
    EXPECT_EQ(vwWait(v.get(), 250), 0);
    EXPECT_GE(GetTickCount() - start, 250u);  // three ticks of 100 ms
    g_waitView = v.get();
    SetTimer(nullptr, 0, 10, NestedWait);
    vwWait(v.get(), 300);
    EXPECT_LT(g_innerWait, 1000u);
}

TEST(WndProc, ServerListsAdviseItemsFarLongerThanAnyScratchBuffer) {
    // One view serves a list box and a combo box; a second one shows what
    // their links advise.  Global atoms outlive the process in a persistent
    // wineserver: the names are this process's own.
    const std::string app = "LongItems" + std::to_string(GetCurrentProcessId());
    ViewGuard server(vwOpenView(Instance(), "server", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
    vwSetFieldEx(server.get(), 23, "listbox", "", LBS_NOTIFY | WS_VISIBLE, 0, 0, 0, 80, 40, nullptr, nullptr);
    vwSetFieldEx(server.get(), 24, "combobox", "", CBS_DROPDOWNLIST | WS_VISIBLE, 0, 90, 0, 80, 60, nullptr, nullptr);
    vwSetFieldString(server.get(), 23, ("@SERVER(" + app + ",List,Item)").c_str());
    vwSetFieldString(server.get(), 24, ("@SERVER(" + app + ",Combo,Item)").c_str());
    // a companion may mark combo boxes "SERVER" as it marks lists
    SetPropA(vwGetFieldWindow(server.get(), 24), "SERVER", reinterpret_cast<HANDLE>(1));
    ViewGuard client(vwOpenView(Instance(), "client", WS_POPUP, nullptr, nullptr, 0));
    vwSetFieldEx(client.get(), 31, "edit", "", ES_AUTOHSCROLL, 0, 0, 0, 80, 12, nullptr, nullptr);
    vwSetFieldEx(client.get(), 32, "edit", "", ES_AUTOHSCROLL, 0, 0, 20, 80, 12, nullptr, nullptr);
    vwSetFieldString(client.get(), 31, ("@CLIENT(" + app + ",List,Item)").c_str());
    vwSetFieldString(client.get(), 32, ("@CLIENT(" + app + ",Combo,Item)").c_str());
    PumpMessages();

    std::string item(5000, ' ');
    for (std::size_t i = 0; i < item.size(); ++i) item[i] = static_cast<char>('a' + i % 26);
    struct {
        LONG server, client;
        UINT add;
    } const links[] = {{23, 31, LB_ADDSTRING}, {24, 32, CB_ADDSTRING}};
    for (const auto& l : links) {
        HWND box = vwGetFieldWindow(server.get(), l.server);
        SendMessageA(box, l.add, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SetFocus(box);
        SendMessageA(box, WM_KEYDOWN, VK_DOWN, 0);  // the user selects the item
        PumpMessages();
        const std::string shown = TextOf(vwGetFieldWindow(client.get(), l.client));
        EXPECT_GT(shown.size(), 255u) << l.server;
        EXPECT_EQ(item.compare(0, shown.size(), shown), 0) << l.server;
    }
}
