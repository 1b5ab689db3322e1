#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "helio/statusline.h"
#include "helio_testing.h"

using namespace helio_test;

class HelioWindow : public ::testing::Test {
protected:
    void TearDown() override { DestroyWindow(frame_); }
    HWND frame_ = frame();
};

TEST_F(HelioWindow, AutoTabMovesToTheNextTabStop) {
    HWND first = child(frame_, "EDIT", "", 10);
    child(frame_, "STATIC", "label", 100, 0);
    HWND second = child(frame_, "EDIT", "", 190);
    child(frame_, "EDIT", "", 280, 0);
    SetFocus(first);
    EXPECT_NE(hlAutoTab(first), 0);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_NE(hlAutoTab(second), 0);  // around to the first again
    EXPECT_EQ(GetFocus(), first);
    EXPECT_EQ(hlAutoTab(frame_), 0);  // no parent

    SetWindowLongA(second, GWL_STYLE, GetWindowLongA(second, GWL_STYLE) & ~WS_TABSTOP);
    EXPECT_EQ(hlAutoTab(first), 0);  // the only tab stop
    EXPECT_EQ(GetFocus(), first);
}

TEST_F(HelioWindow, DragCopiesTextOntoADropTarget) {
    HWND source = child(frame_, "HelioTestField", "dragged text", 10);
    HWND target = child(frame_, "HelioTestField", "", 150);
    HWND other = child(frame_, "HelioTestField", "untouched", 290);
    SetPropA(target, "@WANTDROP", reinterpret_cast<HANDLE>(5));
    auto over = [source](HWND w) {
        POINT p{5, 5};
        MapWindowPoints(w, source, &p, 1);
        return MAKELPARAM(p.x, p.y);
    };
    int cx = GetSystemMetrics(SM_CXDRAG);

    for (HWND dropOn : {other, target}) {
        EXPECT_EQ(hlDragDrop(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), 0);
        EXPECT_EQ(hlDragDrop(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5 + cx, 5)), 0);  // not far enough
        EXPECT_EQ(hlDragDrop(source, WM_MOUSEMOVE, 0, MAKELPARAM(40, 5)), 0);              // button not held
        EXPECT_EQ(GetPropA(source, "@DRAGSRC"), nullptr);
        EXPECT_NE(hlDragDrop(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6 + cx, 5)), 0);
        EXPECT_NE(GetPropA(source, "@DRAGSRC"), nullptr);
        EXPECT_EQ(GetCapture(), source);
        EXPECT_NE(hlDragDrop(source, WM_LBUTTONUP, 0, over(dropOn)), 0);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(GetPropA(source, "@DRAGSRC"), nullptr);
    }
    EXPECT_EQ(text_of(other), "untouched");
    EXPECT_EQ(text_of(target), "dragged text");

    // A release without a drag is the control's own business.
    EXPECT_EQ(hlDragDrop(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), 0);
    EXPECT_EQ(hlDragDrop(source, WM_LBUTTONUP, 0, over(target)), 0);
    EXPECT_EQ(hlDragDrop(target, 0x0D12, 0, 0), 0);  // no source window
}

namespace {

struct {
    int calls;
    WORD command;
    LONG data;
    std::string file;
} g_help;

// Stands in for winhlp32: WinHelpA hands its request to the window of class
// "MS_WINHELP" as WM_COPYDATA {size, command, data, reserved, offset of the
// file name, ...}.
LRESULT CALLBACK winhelp_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m != WM_COPYDATA) return DefWindowProcA(h, m, w, l);
    auto* p = static_cast<const BYTE*>(reinterpret_cast<const COPYDATASTRUCT*>(l)->lpData);
    ++g_help.calls;
    std::memcpy(&g_help.command, p + 2, sizeof(WORD));
    std::memcpy(&g_help.data, p + 4, sizeof(LONG));
    g_help.file = reinterpret_cast<const char*>(p + *reinterpret_cast<const WORD*>(p + 12));
    return 77;
}

} // namespace

TEST_F(HelioWindow, HelpNamesFileAndContext) {
    HWND winhelp = frame("MS_WINHELP", winhelp_proc);
    g_help = {};
    EXPECT_EQ(hlShowHelp(frame_, "@NUM@HELP(app.hlp, 42)"), 77);
    EXPECT_EQ(g_help.command, HELP_CONTEXT);
    EXPECT_EQ(g_help.data, 42);
    EXPECT_EQ(g_help.file, "app.hlp");
    EXPECT_EQ(hlShowHelp(frame_, "@HELP(other.hlp)"), 77);
    EXPECT_EQ(g_help.command, HELP_CONTENTS);
    EXPECT_EQ(g_help.file, "other.hlp");
    EXPECT_EQ(hlShowHelp(frame_, "@HELPER(x.hlp)"), 0);
    EXPECT_EQ(hlShowHelp(frame_, "@HELP()"), 0);
    EXPECT_EQ(g_help.calls, 2);
    DestroyWindow(winhelp);
}

namespace {

// The text of a file once it reads `expected` (a started program writes it
// a little later), or what it holds after five seconds.
std::string settled_text(const std::string& path, const std::string& expected) {
    std::string text;
    for (int tries = 0; tries < 100 && text != expected; ++tries, Sleep(50)) {
        std::stringstream written;
        written << std::ifstream(path, std::ios::binary).rdbuf();
        text = written.str();
    }
    return text;
}

} // namespace

TEST(HelioProgram, StartsTheProgramNamedWithItsCommandLine) {
    // cmd.exe writes its arguments into a file: the whole argument of
    // "@PROG", commas included, was its command line
    char dir[MAX_PATH], out[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "hl", 0, out);
    DeleteFileA(out);
    const std::string echo = std::string("cmd.exe /c echo a,b>") + out;
    EXPECT_NE(hlRunProgram(nullptr, ("@NUM@PROG(" + echo + ")").c_str()), 0);
    EXPECT_EQ(settled_text(out, "a,b\r\n"), "a,b\r\n");
    DeleteFileA(out);
    EXPECT_NE(hlRunProgram(nullptr, ("@prog(" + echo + ")").c_str()), 0);  // the keyword in any case
    EXPECT_EQ(settled_text(out, "a,b\r\n"), "a,b\r\n");
    DeleteFileA(out);

    EXPECT_EQ(hlRunProgram(nullptr, ("@PROGRAM(" + echo + ")").c_str()), 0);
    EXPECT_EQ(hlRunProgram(nullptr, "@PROG()"), 0);
    EXPECT_EQ(hlRunProgram(nullptr, "@PROG(no-such-program-here.exe)"), 0);
}

TEST(HelioStatusLine, KeepsBoundedTextAndFreesOnlyItsOwn) {
    auto text = [](HANDLE h) { return std::string(static_cast<const helio::StatusLine*>(h)->text); };
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HANDLE line = hlCreateStatusLine("Ready", 1024, inst, 0, 0, 0, 0, 8);
    HANDLE big = hlCreateStatusLine(std::string(2000, 'n').c_str(), 1024, nullptr, 0, 0, 0, 0, 0);
    HANDLE small = hlCreateStatusLine("Ready", 4, nullptr, 0, 0, 0, 0, 0);
    ASSERT_TRUE(line && big && small);
    EXPECT_EQ(text(line), "Ready");
    EXPECT_EQ(static_cast<const helio::StatusLine*>(line)->instance, inst);
    EXPECT_EQ(text(big).size(), 1023u);
    EXPECT_EQ(text(small), "Rea");
    EXPECT_EQ(hlCreateStatusLine("", 1024, inst, 0, 0, 0, 0, 0), nullptr);

    HLOCAL foreign = LocalAlloc(LMEM_FIXED, 64);
    EXPECT_EQ(hlDestroyStatusLine(foreign), 0);
    EXPECT_EQ(LocalSize(foreign), 64u);  // not freed
    LocalFree(foreign);
    for (HANDLE h : {line, big, small}) EXPECT_NE(hlDestroyStatusLine(h), 0);
    EXPECT_EQ(hlDestroyStatusLine(line), 0);  // already released
}
