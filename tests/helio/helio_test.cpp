// helio32 through its ordinal exports: keywords, bitmaps, and on windows
// auto-tab, drag and drop, help, programs and DDE links.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "companion/helio.h"

namespace {

std::vector<BYTE> Resource(const char* name) {
    HRSRC r = FindResourceA(nullptr, name, RT_RCDATA);
    auto* p = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, r)));
    return std::vector<BYTE>(p, p + SizeofResource(nullptr, r));
}

HGLOBAL LoadFile(const std::vector<BYTE>& data) {
    std::ofstream("hl.bmp", std::ios::binary).write(reinterpret_cast<const char*>(data.data()), data.size());
    HGLOBAL dib = hlLoadDibFile("hl.bmp");
    DeleteFileA("hl.bmp");
    return dib;
}

// The pixels of a bitmap two rows high, from the top, then the colours of
// its palette; both are deleted.
std::vector<COLORREF> ColoursOf(HBITMAP bitmap, int width, const HPALETTE& pal) {
    std::vector<COLORREF> out;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int i = 0; i < 2 * width; ++i) out.push_back(GetPixel(dc, i % width, i / width));
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    PALETTEENTRY e[16];
    for (UINT i = 0, n = pal ? GetPaletteEntries(pal, 0, 16, e) : 0; i < n; ++i)
        out.push_back(RGB(e[i].peRed, e[i].peGreen, e[i].peBlue));
    if (pal) DeleteObject(pal);
    return out;
}

LRESULT CALLBACK FieldProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (LRESULT r = hlDragDrop(h, m, w, l)) return r;
    return DefWindowProcA(h, m, w, l);
}

HWND Frame(const char* className, WNDPROC proc = DefWindowProcA) {
    WNDCLASSA wc{0, proc, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, className};
    RegisterClassA(&wc);
    wc.lpfnWndProc = FieldProc, wc.lpszClassName = "HelioTestField";
    RegisterClassA(&wc);
    HWND h = CreateWindowA(className, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300, 0, 0, 0, nullptr);
    SetForegroundWindow(h);
    return h;
}

HWND Child(HWND parent, const char* className, const char* text, int x, DWORD style = WS_TABSTOP) {
    return CreateWindowA(className, text, WS_CHILD | WS_VISIBLE | style, x, 10, 80, 24, parent, 0, 0, nullptr);
}

std::string Text(HWND h) {
    char buf[256] = "";
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

// Stands in for winhlp32: WinHelpA hands "MS_WINHELP" its request as
// WM_COPYDATA {size, command, data, reserved, offset of the file name, ...}.
std::string g_help;
LRESULT CALLBACK WinHelpProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m != WM_COPYDATA) return DefWindowProcA(h, m, w, l);
    auto* p = static_cast<const char*>(reinterpret_cast<const COPYDATASTRUCT*>(l)->lpData);
    struct { WORD size, command; LONG data, reserved; WORD offset; } r;
    std::memcpy(&r, p, sizeof r);
    g_help += std::to_string(r.command) + " " + std::to_string(r.data) + " " + (p + r.offset) + ";";
    return 77;
}

// Global atoms outlive the process in a persistent wineserver: names of
// this process's own keep the atom check independent of other runs.
const std::string g_id = std::to_string(GetCurrentProcessId());
const std::string g_app = "HelioApp" + g_id, g_topic = "HelioTopic" + g_id, g_item = "HelioItem" + g_id;
const std::string g_names = g_app + "," + g_topic + "," + g_item + ")";
HWND g_server;

// Plays a view, which passes WM_DDE_INITIATE on to its fields.
LRESULT CALLBACK ViewProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DDE_INITIATE && g_server) return hlDdeMessage(g_server, m, w, l, ("@SERVER(" + g_names).c_str());
    return DefWindowProcA(h, m, w, l);
}

bool Has(HWND h, const char* property) { return GetPropA(h, property) != nullptr; }

// The window's text once the posted DDE messages are dispatched.
std::string Settled(HWND h) {
    MSG msg;
    for (int round = 0; round < 5; ++round, Sleep(5))
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return Text(h);
}

} // namespace

TEST(HelioKeyword, ArgumentsAndEditsStayInTheirBuffers) {
    char out[256] = "stale";
    EXPECT_NE(hlGetKeyword("@NUM@LIMIT(5)@AUTOTAB", "@limit", out), 0);
    EXPECT_STREQ(out, "5");
    EXPECT_TRUE(!hlGetKeyword("@NUMBER(3)", "@NUM", out) && !out[0]);  // cleared
    EXPECT_TRUE(hlGetKeyword("@NUM", "@NUM", nullptr) && !hlGetKeyword(nullptr, "@NUM", out));
    std::memset(out, 'Z', sizeof out);  // of an argument of 5,000 characters, 127 in 128 bytes
    ASSERT_NE(hlGetKeyword(("@DSL(" + std::string(5000, 'a') + ")").c_str(), "@DSL", out), 0);
    EXPECT_EQ(std::strlen(out), 127u);
    EXPECT_EQ(out[128], 'Z');
    const std::string fits(252, 'x'), full(253, 'x');  // + "@3D": 255 and 256 characters
    std::strcpy(out, fits.c_str());
    EXPECT_TRUE(hlEditKeyword(out, "@3D") && hlEditKeyword(out, "@3d") && out == fits + "@3D");
    std::strcpy(out, full.c_str());
    EXPECT_TRUE(!hlEditKeyword(out, "@3D") && out == full);
}

TEST(HelioBitmap, FilesAndResourcesGiveBitmapsAndPalettesDamagedFilesNothing) {
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255), white = RGB(255, 255, 255);
    // tiny.bmp: 2x2, 4 bits, its colour table red, green, blue, white; rgb24.bmp: 3x2, 24 bits
    const std::vector<COLORREF> tiny{red, green, blue, white, red, green, blue, white};
    const std::vector<COLORREF> rgb24{red, green, RGB(1, 2, 3), blue, white, RGB(200, 100, 50)};
    for (auto [name, width, want] : {std::tuple{"TINY_FILE", 2, tiny}, std::tuple{"RGB24_FILE", 3, rgb24}}) {
        HGLOBAL dib = LoadFile(Resource(name));
        EXPECT_EQ(GlobalSize(dib), Resource(name).size() - 14);
        auto pal = reinterpret_cast<HPALETTE>(1);
        EXPECT_EQ(ColoursOf(hlDibToBitmap(dib, &pal), width, pal), want) << name;  // the palette read after the call
        GlobalFree(dib);
    }
    HPALETTE pal = nullptr;
    EXPECT_EQ(ColoursOf(hlLoadBitmapResource(GetModuleHandleA(nullptr), "HELIO_TINY", &pal), 2, pal), tiny);
    std::vector<BYTE> bitsPastEnd = Resource("RGB24_FILE");
    bitsPastEnd[10] += 4;
    EXPECT_FALSE(LoadFile(bitsPastEnd) || hlLoadDibFile("none.bmp"));
    HPALETTE pals[2] = {reinterpret_cast<HPALETTE>(1), reinterpret_cast<HPALETTE>(1)};
    EXPECT_FALSE(hlDibToBitmap(nullptr, &pals[0]) || hlLoadBitmapResource(nullptr, "HELIO_MISSING", &pals[1]));
    EXPECT_FALSE(pals[0] || pals[1]);
}

TEST(HelioWindow, AutoTabAndDragAndDrop) {
    HWND frame = Frame("HelioTestFrame");
    HWND first = Child(frame, "EDIT", "", 10), second = Child(frame, "EDIT", "", 190);
    Child(frame, "STATIC", "label", 100, 0);
    Child(frame, "EDIT", "", 280, 0);
    SetFocus(first);
    EXPECT_TRUE(hlAutoTab(first) && GetFocus() == second);
    EXPECT_TRUE(hlAutoTab(second) && GetFocus() == first && !hlAutoTab(frame));  // around; no parent

    HWND source = Child(frame, "HelioTestField", "dragged", 10, 0), target = Child(frame, "HelioTestField", "", 150, 0);
    HWND other = Child(frame, "HelioTestField", "", 290, 0);
    SetPropA(target, "@WANTDROP", reinterpret_cast<HANDLE>(5));
    const int cx = GetSystemMetrics(SM_CXDRAG);
    const LPARAM onTarget = MAKELPARAM(145, 5);
    SendMessageA(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));  // a release without a drag is
    EXPECT_EQ(hlDragDrop(source, WM_LBUTTONUP, 0, onTarget), 0);        // the control's own
    for (LPARAM at : {MAKELPARAM(285, 5), onTarget}) {  // on a field that takes no drop, then on the target
        SendMessageA(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5 + cx, 5));  // not far enough
        SendMessageA(source, WM_MOUSEMOVE, 0, MAKELPARAM(40, 5));               // button not held
        EXPECT_EQ(GetCapture(), nullptr);
        SendMessageA(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6 + cx, 5));
        EXPECT_TRUE(GetPropA(source, "@DRAGSRC") && GetCapture() == source);
        SendMessageA(source, WM_LBUTTONUP, 0, at);
        EXPECT_FALSE(GetPropA(source, "@DRAGSRC") || GetCapture());
        EXPECT_EQ(Text(target) + "|" + Text(other), at == onTarget ? "dragged|" : "|");
    }
    DestroyWindow(frame);
}

TEST(HelioWindow, HelpAndProgramsNamedByDirectives) {
    HWND frame = Frame("HelioTestFrame"), winhelp = Frame("MS_WINHELP", WinHelpProc);
    for (const char* d : {"@NUM@HELP(app.hlp, 42)", "@HELP(other.hlp)", "@HELPER(x.hlp)", "@HELP()"})
        g_help += std::to_string(hlShowHelp(frame, d)) + " ";
    EXPECT_EQ(g_help, "1 42 app.hlp;77 3 0 other.hlp;77 0 0 ");  // HELP_CONTEXT, HELP_CONTENTS
    DestroyWindow(winhelp);
    DestroyWindow(frame);
    // cmd.exe writes its arguments into a file: the whole argument of
    // "@PROG", commas included, was its command line
    EXPECT_NE(hlRunProgram(nullptr, "@NUM@prog(cmd.exe /c echo a,b>prog.txt)"), 0);
    char text[8] = {};
    for (int tries = 0; tries < 100 && std::strcmp(text, "a,b\r\n"); ++tries, Sleep(50))
        std::ifstream("prog.txt", std::ios::binary).read(text, sizeof text - 1);
    EXPECT_STREQ(text, "a,b\r\n");
    DeleteFileA("prog.txt");
    for (const char* refused : {"@PROGRAM(cmd.exe /c echo)", "@PROG()", "@PROG(no-such-program-here.exe)"})
        EXPECT_EQ(hlRunProgram(nullptr, refused), 0) << refused;
}

TEST(HelioDde, HotLinkBetweenTwoFields) {
    HWND view = Frame("HelioTestDdeView", ViewProc);
    g_server = Child(view, "EDIT", "", 10);
    HWND client = Child(view, "EDIT", "", 150);
    std::string directives = "@NUM@CLIENT(" + g_names;
    CharLowerA(directives.data());  // names compare without regard to case
    ASSERT_NE(hlDdeConnect(client, directives.c_str()), 0);
    EXPECT_TRUE(Has(client, "CLIENT") && Has(g_server, "SERVER"));  // the broadcast reached the server
    Settled(client);
    EXPECT_NE(hlDdeAdvise(g_server, "42"), 0);
    EXPECT_EQ(Settled(client), "42");
    SetWindowTextA(client, "stale");
    EXPECT_TRUE(hlDdeRequest(client) && !hlDdeRequest(g_server));
    EXPECT_EQ(Settled(client), "42");
    EXPECT_TRUE(hlDdeTerminate(client) && !Has(client, "CLIENT") && !Has(client, "HLDDE"));
    Settled(client);
    EXPECT_NE(hlDdeAdvise(g_server, "43"), 0);
    EXPECT_EQ(Settled(client), "42");  // no longer linked
    EXPECT_TRUE(hlDdeTerminate(g_server) && !Has(g_server, "SERVER"));
    EXPECT_EQ(hlDdeAdvise(g_server, "44"), 0);
    g_server = nullptr;
    Settled(client);
    for (const std::string& name : {g_app, g_topic, g_item})  // every atom deleted again
        EXPECT_EQ(GlobalFindAtomA(name.c_str()), 0) << name;

    HWND combo = Child(view, "COMBOBOX", "", 10, CBS_DROPDOWN), edit = Child(view, "EDIT", "", 150);
    EXPECT_NE(hlDdeConnect(combo, "@SERVER(app,topic,item)"), 0);
    EXPECT_TRUE(Has(combo, "SERVER1") && !Has(combo, "SERVER"));
    EXPECT_FALSE(hlDdeConnect(edit, "@SERVER(app)") || Has(edit, "SERVER"));  // a topic is needed
    EXPECT_TRUE(hlDdeTerminate(combo) && !Has(combo, "SERVER1"));
    DestroyWindow(view);
}
