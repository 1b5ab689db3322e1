// The text editor driven with real messages: files loaded and saved in a
// scratch directory, keystrokes and menu commands, the save prompt, fonts,
// and find and replace through their dialogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "imports.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

// Steps run by a thread timer, so they also run inside the modal loops of
// the editor's dialogs.  A step answers true when it is done.
using Step = std::function<bool()>;
std::vector<Step> g_steps;
std::size_t g_next = 0;
UINT_PTR g_timer = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_next < g_steps.size() && g_steps[g_next]()) ++g_next;
}

struct Script {
    explicit Script(std::vector<Step> steps) {
        g_steps = std::move(steps);
        g_next = 0;
        g_timer = SetTimer(nullptr, 0, 15, RunStep);
    }
    ~Script() { KillTimer(nullptr, g_timer); }
    bool finished() const { return g_next == g_steps.size(); }
};

// The first visible top-level window of this thread that `match` accepts.
using WindowTest = std::function<bool(HWND)>;
BOOL CALLBACK MatchWindow(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<std::pair<const WindowTest*, HWND>*>(lp);
    if (!IsWindowVisible(h) || !(*s->first)(h)) return TRUE;
    s->second = h;
    return FALSE;
}
HWND FindThreadWindow(const WindowTest& match) {
    std::pair<const WindowTest*, HWND> s{&match, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.second;
}
HWND FindDialog(const std::string& caption) {
    return FindThreadWindow([&](HWND h) { return TextOf(h) == caption; });
}
HWND FindDialogWith(int id) {
    return FindThreadWindow([=](HWND h) { return GetDlgItem(h, id) != nullptr; });
}

void Click(HWND dlg, int id) {
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

// Fills the find (and replace) dialog and presses a button.
Step Search(const char* caption, const char* find, const char* replacement, bool matchCase, int button) {
    return [=] {
        HWND d = FindDialog(caption);
        if (!d) return false;
        SetDlgItemTextA(d, 524, find);
        if (replacement) SetDlgItemTextA(d, 525, replacement);
        CheckDlgButton(d, 511, matchCase ? BST_CHECKED : BST_UNCHECKED);
        Click(d, button);
        return true;
    };
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
}

std::string Lower(std::string s) {
    CharLowerA(s.data());
    return s;
}

std::string MenuText(HMENU menu, UINT pos) {
    char buf[64] = {};
    GetMenuStringA(menu, pos, buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

struct Editor : ::testing::Test {
    void SetUp() override {
        // the editor keeps 44 characters of a path: a short scratch folder
        dir = "C:\\tsed" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir.c_str(), nullptr);
        RegisterTestClass("EditorOwner", DefWindowProcA);
        owner = CreateWindowA("EditorOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, Instance(), nullptr);
    }
    void TearDown() override {
        for (HWND h : opened)
            if (IsWindow(h)) DestroyWindow(h);
        DestroyWindow(owner);
        for (const auto& f : files) DeleteFileA(f.c_str());
        RemoveDirectoryA(dir.c_str());
    }
    std::string File(const std::string& name, const std::string& text) {
        std::string path = dir + "\\" + name;
        WriteFile(path, text);
        files.push_back(path);
        return path;
    }
    HWND Open(const std::string& path, WORD flags = 0) {
        auto h = reinterpret_cast<HWND>(vwEditFile(owner, path.empty() ? nullptr : path.c_str(), "*.txt", 10, 10, 200, 120, flags));
        opened.push_back(h);
        return h;
    }
    static HWND EditOf(HWND view) { return reinterpret_cast<HWND>(SendMessageA(view, VWM_EDITORWINDOW, 0, 0)); }
    static void Command(HWND view, WORD id) { SendMessageA(view, WM_COMMAND, id, 0); }
    static void Type(HWND edit, const std::string& s) {
        for (char c : s) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    static void Enter(HWND edit) {
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
        SendMessageA(edit, WM_CHAR, '\r', 1);
    }
    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD a = 0, b = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return {a, b};
    }
    std::string dir;
    HWND owner = nullptr;
    std::vector<HWND> opened;
    std::vector<std::string> files;
};

} // namespace

TEST_F(Editor, OpensAFileWithCaptionMenuAndIcon) {
    MessageBoxCapture boxes;
    const std::string path = File("Notes.TXT", "first\r\nsecond\r\nthird");
    HWND view = Open(path);
    ASSERT_TRUE(IsWindow(view));
    EXPECT_EQ(TextOf(view), "Edit File(" + Lower(path) + ")");
    HWND edit = EditOf(view);
    EXPECT_EQ(TextOf(edit), "first\r\nsecond\r\nthird");
    EXPECT_EQ(SendMessageA(view, EM_GETLINECOUNT, 0, 0), 3);  // passed on to the edit control
    EXPECT_NE(vwGetView(view)->hIcon, nullptr);
    HMENU file = GetSubMenu(GetMenu(view), 0);
    EXPECT_EQ(GetMenuItemCount(file), 7);
    EXPECT_EQ(MenuText(file, 2), "&Save");
    EXPECT_EQ(MenuText(GetMenu(view), 3), "&Options");
    EXPECT_TRUE(boxes.boxes().empty());
    Command(view, 105);  // unchanged: closes without asking
    EXPECT_FALSE(IsWindow(view));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(Editor, ReportsMissingParentAndMissingFile) {
    MessageBoxCapture boxes;
    EXPECT_EQ(vwEditFile(nullptr, nullptr, nullptr, 0, 0, 100, 100, 0), 0);
    const std::string missing = dir + "\\none.txt";
    HWND view = Open(missing);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Tessarine");
    EXPECT_EQ(boxes.boxes()[0].text, "No parent window for Editor");
    EXPECT_EQ(boxes.boxes()[1].caption, "Editor");
    EXPECT_EQ(boxes.boxes()[1].text, "Cannot open file: " + missing);
    EXPECT_TRUE(IsWindow(view));  // stays open, untitled
    EXPECT_EQ(TextOf(view), missing);

    // trailing blanks go, and at most 44 characters of a path are kept
    Open(missing + "   ");
    const std::string longer = dir + "\\" + std::string(60, 'm') + ".txt";
    Open(longer);
    ASSERT_EQ(boxes.boxes().size(), 4u);
    EXPECT_EQ(boxes.boxes()[2].text, "Cannot open file: " + missing);
    EXPECT_EQ(boxes.boxes()[3].text, "Cannot open file: " + longer.substr(0, 44));
}

TEST_F(Editor, ClosingWithChangesAsksAndHonoursTheAnswer) {
    MessageBoxCapture boxes;
    const std::string path = File("b.txt", "one");
    HWND view = Open(path);
    HWND edit = EditOf(view);
    Type(edit, "X");

    boxes.answer({IDCANCEL});
    SendMessageA(view, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(IsWindow(view));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Editor");
    EXPECT_EQ(boxes.boxes()[0].text, "Save current changes: " + Lower(path));

    boxes.answer({IDYES});  // Ctrl+E saves and leaves without asking
    Type(edit, "Y");
    SendMessageA(view, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(view));
    EXPECT_EQ(ReadFile(path), "XYone");

    HWND second = Open(path);
    Type(EditOf(second), "Z");
    boxes.answer({IDNO});
    Command(second, 105);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(ReadFile(path), "XYone");
    EXPECT_EQ(boxes.boxes().size(), 3u);
}

// ---- saving that never loses the file

namespace {

// The names in a folder, "." and ".." left out.
std::vector<std::string> FolderNames(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::strcmp(fd.cFileName, ".") && std::strcmp(fd.cFileName, "..")) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

// Ctrl+key as the edit control gets it.
void PressCtrl(HWND edit, char key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(edit, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

} // namespace

TEST_F(Editor, AReadOnlyFileIsNotReplacedAndTheEditorStaysOpen) {
    MessageBoxCapture boxes;
    const std::string path = File("ro.txt", "old bytes");
    HWND view = Open(path);
    HWND edit = EditOf(view);
    Type(edit, "new ");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Command(view, 106);  // Save&Exit
    PressCtrl(edit, 'E');
    boxes.answer({IDYES});  // the save prompt on closing
    SendMessageA(view, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(IsWindow(view));
    ASSERT_EQ(boxes.boxes().size(), 4u);
    for (std::size_t i : {0u, 1u, 3u}) {
        EXPECT_EQ(boxes.boxes()[i].text, "Cannot create file " + Lower(path));
        EXPECT_EQ(boxes.boxes()[i].caption, Lower(path));
    }
    EXPECT_EQ(boxes.boxes()[2].text, "Save current changes: " + Lower(path));
    EXPECT_EQ(ReadFile(path), "old bytes");
    EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"ro.txt"});

    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    Command(view, 106);  // the text was kept: now it is saved
    EXPECT_FALSE(IsWindow(view));
    EXPECT_EQ(ReadFile(path), "new old bytes");
    EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"ro.txt"});  // no temporary file left
}

TEST_F(Editor, SavingIntoAFolderThatIsGoneKeepsTheText) {
    MessageBoxCapture boxes;
    const std::string sub = dir + "\\gone";
    CreateDirectoryA(sub.c_str(), nullptr);
    const std::string path = sub + "\\g.txt";
    WriteFile(path, "was here");
    HWND view = Open(path);
    Type(EditOf(view), "more ");
    DeleteFileA(path.c_str());
    RemoveDirectoryA(sub.c_str());
    Command(view, 106);
    ASSERT_TRUE(IsWindow(view));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Cannot create file " + Lower(path));
    EXPECT_EQ(GetFileAttributesA(sub.c_str()), INVALID_FILE_ATTRIBUTES);
    boxes.answer({IDNO});  // still modified: leaving asks
    Command(view, 105);
    EXPECT_EQ(boxes.boxes().size(), 2u);
    EXPECT_FALSE(IsWindow(view));
}

// Writes that fail part of the way: a wrapper limits the size of any file
// the program writes (TS_FILE_SIZE_LIMIT bytes) and runs this case alone.
struct EditorSizeLimit : Editor {};

TEST_F(EditorSizeLimit, WritesFailingPastTheLimitLeaveTheFileAsItWas) {
    const char* limitText = std::getenv("TS_FILE_SIZE_LIMIT");
    if (!limitText) GTEST_SKIP() << "runs under tests/dialog/filelimit.sh";
    const std::size_t limit = std::strtoul(limitText, nullptr, 10);
    MessageBoxCapture boxes;
    std::string original;
    while (original.size() + 3000 < limit) original += "an original line of the file\r\n";
    const std::string path = File("limit.txt", original);
    HWND view = Open(path);
    HWND edit = EditOf(view);
    const std::string big(limit + 6000, 'n');
    SetWindowTextA(edit, big.c_str());
    Type(edit, "!");
    Command(view, 103);
    Command(view, 106);
    ASSERT_TRUE(IsWindow(view));
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].text, "Cannot write file to disk:" + Lower(path));
    EXPECT_EQ(boxes.boxes()[1].caption, Lower(path));
    EXPECT_TRUE(ReadFile(path) == original);
    EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"limit.txt"});

    SetWindowTextA(edit, "short");
    Type(edit, "!");
    Command(view, 106);
    EXPECT_FALSE(IsWindow(view));
    EXPECT_EQ(ReadFile(path), "!short");
}

TEST_F(Editor, NewLinesTakeTheIndentationOfTheLineBefore) {
    MessageBoxCapture boxes;
    HWND view = Open("");
    EXPECT_EQ(TextOf(view), "Edit File(Untitled)");
    HWND edit = EditOf(view);
    Type(edit, "    if");
    Enter(edit);
    Type(edit, "x");
    Enter(edit);
    Type(edit, "\t\ty");
    Enter(edit);
    Type(edit, "z");
    Enter(edit);
    // a line that starts with blanks passes on its blanks only
    EXPECT_EQ(TextOf(edit), "    if\r\n    x\r\n    \t\ty\r\n    z\r\n    ");
    SetWindowTextA(edit, "\t\tdeep");
    SendMessageA(edit, EM_SETSEL, 6, 6);
    Enter(edit);
    EXPECT_EQ(TextOf(edit), "\t\tdeep\r\n\t\t");
    SetWindowTextA(edit, "flat");
    SendMessageA(edit, EM_SETSEL, 4, 4);
    Enter(edit);
    EXPECT_EQ(TextOf(edit), "flat\r\n");
}

TEST_F(Editor, LongTextsAreTruncatedWhenSaved) {
    MessageBoxCapture boxes;
    const std::string path = File("big.txt", "");
    HWND view = Open(path);
    const std::string big(70000, 'q');
    SetWindowTextA(EditOf(view), big.c_str());
    Type(EditOf(view), "q");
    Command(view, 103);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "File too large.\n File will be truncated to 65000 bytes.");
    EXPECT_EQ(boxes.boxes()[0].caption, "Editor");
    EXPECT_EQ(ReadFile(path).size(), 65000u);
}

TEST_F(Editor, FontChoiceIsCheckedKeptInTheProfileAndUsedByTheNextEditor) {
    MessageBoxCapture boxes;
    HWND view = Open("");
    Command(view, 115);
    char value[32] = {};
    GetPrivateProfileStringA("Editor", "Font", "", value, sizeof value, "fwcore.ini");
    EXPECT_STREQ(value, "Fixed");
    HMENU menu = GetMenu(view);
    EXPECT_EQ(GetMenuState(menu, 115, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 114, MF_BYCOMMAND) & MF_CHECKED, 0u);
    HFONT made = reinterpret_cast<HFONT>(GetPropA(view, "HFONT"));
    Command(view, 116);  // the 8-point font is replaced and deleted
    EXPECT_EQ(GetObjectType(made), 0u);

    Command(view, 115);
    HWND next = Open("");
    auto font = reinterpret_cast<HFONT>(SendMessageA(EditOf(next), WM_GETFONT, 0, 0));
    EXPECT_STREQ(FontOf(font).lfFaceName, "Courier New");
    EXPECT_EQ(FontOf(font).lfHeight, PointsToHeight(8));
    DestroyWindow(next);
    EXPECT_EQ(GetObjectType(font), 0u);  // the editor's font goes with it

    Command(view, 114);
    GetPrivateProfileStringA("Editor", "Font", "", value, sizeof value, "fwcore.ini");
    EXPECT_STREQ(value, "System");
}

TEST_F(Editor, ClassHeaderOfACppFileOpensInASecondEditor) {
    MessageBoxCapture boxes;
    const std::string cpp = File("main.cpp", "int main() {}");
    const std::string header = File("main.h", "// header");
    HWND view = Open(cpp);
    HMENU file = GetSubMenu(GetMenu(view), 0);
    EXPECT_EQ(MenuText(file, 2), "Open Class &Header...");
    EXPECT_EQ(MenuText(file, 3), "&Save");
    Command(view, 0x0880);
    HWND second = FindDialog("Edit File(" + Lower(header) + ")");
    ASSERT_NE(second, nullptr);
    opened.push_back(second);
    EXPECT_EQ(TextOf(EditOf(second)), "// header");

    // The parent's "INCLUDE" names another header, and is freed with the editor.
    const std::string other = File("other.h", "// other");
    HGLOBAL include = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, other.size() + 1);
    lstrcpyA(static_cast<char*>(GlobalLock(include)), other.c_str());
    GlobalUnlock(include);
    SetPropA(owner, "INCLUDE", include);
    Command(view, 0x0880);
    HWND third = FindDialog("Edit File(" + Lower(other) + ")");
    ASSERT_NE(third, nullptr);
    opened.push_back(third);
    DestroyWindow(view);
    EXPECT_EQ(GetPropA(owner, "INCLUDE"), nullptr);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(Editor, ModalEditorReturnsWhenItIsLeft) {
    MessageBoxCapture boxes;
    const std::string path = File("m.txt", "text");
    HWND seen = nullptr;
    Script script({[&] {
        seen = FindDialog("Edit File(" + Lower(path) + ")");
        if (!seen) return false;
        Type(EditOf(seen), "more ");
        SendMessageA(EditOf(seen), WM_KEYDOWN, 'E', 1);  // without Ctrl: an ordinary key
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        SendMessageA(EditOf(seen), WM_KEYDOWN, 'E', 1);  // Ctrl+E: save and exit
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        return true;
    }});
    EXPECT_EQ(Open(path, VWEDIT_MODAL), reinterpret_cast<HWND>(1));
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(ReadFile(path), "more text");
    EXPECT_TRUE(boxes.boxes().empty());
}

// ---- find and replace

struct EditorSearch : Editor {
    HWND Start(const char* text) {
        view = Open("");
        edit = EditOf(view);
        SetWindowTextA(edit, text);
        SendMessageA(edit, EM_SETSEL, 0, 0);
        return view;
    }
    HWND view = nullptr, edit = nullptr;
};

TEST_F(EditorSearch, FindHonoursMatchCaseAndFindNextContinuesBehindTheMatch) {
    MessageBoxCapture boxes;
    Start("xABCx abc");
    {
        Script s({Search("Find", "abc", nullptr, false, IDOK)});
        Command(view, 118);
    }
    EXPECT_EQ(Selection(edit), std::make_pair(1ul, 4ul));
    Command(view, 119);  // no dialog: the text is known
    EXPECT_EQ(Selection(edit), std::make_pair(6ul, 9ul));  // at the very end
    Command(view, 119);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Unable to locate text string");
    EXPECT_EQ(boxes.boxes()[0].caption, "Editor");

    SendMessageA(edit, EM_SETSEL, 0, 0);
    {
        Script s({Search("Find", "ABC", nullptr, true, IDOK)});
        Command(view, 118);
    }
    EXPECT_EQ(Selection(edit), std::make_pair(1ul, 4ul));
    Command(view, 119);
    EXPECT_EQ(boxes.boxes().size(), 2u);  // "abc" does not match case-sensitively

    bool enabledWithText = false, disabledEmpty = false;
    {
        Script s({[&] {
            HWND d = FindDialog("Find");
            if (!d) return false;
            enabledWithText = IsWindowEnabled(GetDlgItem(d, IDOK)) && TextOf(GetDlgItem(d, 524)) == "ABC" &&
                              IsDlgButtonChecked(d, 511);
            SetDlgItemTextA(d, 524, "");
            disabledEmpty = !IsWindowEnabled(GetDlgItem(d, IDOK));
            Click(d, IDCANCEL);
            return true;
        }});
        Command(view, 118);
    }
    EXPECT_TRUE(enabledWithText);
    EXPECT_TRUE(disabledEmpty);
    EXPECT_EQ(boxes.boxes().size(), 2u);  // cancelled: no search
}

TEST_F(EditorSearch, ReplaceAllContinuesBehindEachReplacement) {
    MessageBoxCapture boxes;
    Start("aaa");
    Script s({Search("Replace", "a", "aa", false, 520)});
    Command(view, 120);
    EXPECT_EQ(TextOf(edit), "aaaaaa");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Replace All completed");
}

namespace {

std::string FullText(HWND h) {
    std::string s(static_cast<std::size_t>(GetWindowTextLengthA(h)) + 1, '\0');
    s.resize(static_cast<std::size_t>(GetWindowTextA(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

// What reaches the edit control while its text is replaced: how often the
// text is set, whether the wait cursor is up, and whether anything of the
// editor is still waiting to be painted when a replacement starts.
struct EditWatch {
    int textChanges = 0;
    bool waitCursor = true, painted = true;
    HWND view = nullptr;
    WNDPROC previous = nullptr;
};
EditWatch g_watch;

LRESULT CALLBACK WatchEdit(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == EM_REPLACESEL || msg == WM_SETTEXT) {
        ++g_watch.textChanges;
        g_watch.waitCursor = g_watch.waitCursor && GetCursor() == LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    }
    if (msg == EM_SETSEL)  // a replacement starts
        g_watch.painted = g_watch.painted && !GetUpdateRect(g_watch.view, nullptr, FALSE) && !GetUpdateRect(h, nullptr, FALSE);
    return CallWindowProcA(g_watch.previous, h, msg, wParam, lParam);
}

} // namespace

TEST_F(EditorSearch, ReplaceAllSetsTheTextOnceAndEndsOnTheLastMatch) {
    MessageBoxCapture boxes;
    std::string text, want;
    for (int i = 0; i < 300; ++i) {
        const bool hit = i % 7 == 3 && i < 200;
        text += "line " + std::to_string(i) + (hit ? " Tick tock TICK" : "") + "\r\n";
        want += "line " + std::to_string(i) + (hit ? " tick-tick tock tick-tick" : "") + "\r\n";
    }
    Start(text.c_str());
    g_watch = {};
    g_watch.view = view;
    g_watch.previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchEdit)));
    {
        Script s({Search("Replace", "tick", "tick-tick", false, 520)});
        Command(view, 120);
    }
    ASSERT_TRUE(FullText(edit) == want);
    EXPECT_EQ(g_watch.textChanges, 1);  // not once per match
    EXPECT_TRUE(g_watch.waitCursor);
    EXPECT_TRUE(g_watch.painted);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Replace All completed");

    // the caret behind the last replacement, its line the second visible one
    const DWORD caret = static_cast<DWORD>(want.rfind("tick-tick") + 9);
    EXPECT_EQ(Selection(edit), std::make_pair(caret, caret));
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 198);

    boxes.answer({IDCANCEL});  // changed: closing asks
    Command(view, 105);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].text, "Save current changes: (Untitled)");
    Command(view, 108);  // one Undo takes the whole run back
    EXPECT_TRUE(FullText(edit) == text);
}

TEST_F(EditorSearch, FiveThousandCharacterLinesAndSearchTextsAreReadInBounds) {
    MessageBoxCapture boxes;
    const std::string line = std::string(300, ' ') + std::string(4700, 'w');
    Start(line.c_str());
    SendMessageA(edit, EM_SETSEL, line.size(), line.size());
    Enter(edit);  // the indentation is measured on the first 255 characters
    EXPECT_TRUE(FullText(edit) == line + "\r\n" + std::string(255, ' '));

    // of 5,000-character search texts, 98 characters are kept
    const std::string find(5000, 'f'), replacement(5000, 'r');
    SetWindowTextA(edit, ("x" + std::string(98, 'F') + "x").c_str());
    SendMessageA(edit, EM_SETSEL, 0, 0);
    boxes.answer({IDNO});
    Script s({Search("Replace", find.c_str(), replacement.c_str(), false, 529)});
    Command(view, 120);
    EXPECT_EQ(Selection(edit), std::make_pair(1ul, 99ul));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Replace: " + std::string(98, 'f') + " with: " + std::string(98, 'r'));
}

TEST_F(EditorSearch, ReplaceAsksForEachMatch) {
    MessageBoxCapture boxes;
    Start("one Two two");
    boxes.answer({IDNO});
    {
        Script s({Search("Replace", "two", "2", true, 529)});
        Command(view, 120);
    }
    EXPECT_EQ(TextOf(edit), "one Two two");
    EXPECT_EQ(Selection(edit), std::make_pair(8ul, 11ul));  // match case skipped "Two"
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Replace: two with: 2");
    EXPECT_EQ(boxes.boxes()[0].caption, "Replace text");

    SendMessageA(edit, EM_SETSEL, 0, 0);
    boxes.answer({IDYES});
    {
        Script s({Search("Replace", "two", "2", false, 529)});
        Command(view, 120);
    }
    EXPECT_EQ(TextOf(edit), "one 2 two");

    bool replaceDisabled = false;
    {
        Script s({[&] {
            HWND d = FindDialog("Replace");
            if (!d) return false;
            SetDlgItemTextA(d, 525, "");
            replaceDisabled = !IsWindowEnabled(GetDlgItem(d, 529)) && !IsWindowEnabled(GetDlgItem(d, 520));
            Click(d, IDCANCEL);
            return true;
        }});
        Command(view, 120);
    }
    EXPECT_TRUE(replaceDisabled);
    EXPECT_EQ(TextOf(edit), "one 2 two");
}

// ---- colours, untitled saving, the edit menu and the status band

namespace {

// The system colour dialog: the colour typed into its red, green and blue
// boxes, then OK.
Step PickColor(int r, int g, int b) {
    return [=] {
        HWND d = FindDialogWith(706);
        if (!d) return false;
        SetDlgItemInt(d, 706, r, FALSE);
        SetDlgItemInt(d, 707, g, FALSE);
        SetDlgItemInt(d, 708, b, FALSE);
        PostMessageA(d, WM_COMMAND, IDOK, 0);
        return true;
    };
}

int ProfileInt(const char* key) { return GetPrivateProfileIntA("Editor", key, -1, "fwcore.ini"); }

} // namespace

TEST_F(Editor, ColoursAreSplitIntoHalvesInTheProfile) {
    MessageBoxCapture boxes;
    HWND view = Open("");
    {
        Script s({PickColor(255, 0, 128)});
        Command(view, 123);
        EXPECT_TRUE(s.finished());
    }
    EXPECT_EQ(ProfileInt("ForeColor1"), 255);
    EXPECT_EQ(ProfileInt("ForeColor2"), 128);
    EXPECT_EQ(vwGetView(view)->textColor, RGB(255, 0, 128));
    EXPECT_EQ(vwGetView(view)->selTextColor, RGB(255, 0, 128));

    HBRUSH before = vwGetViewBackBrush(vwGetView(view));
    {
        Script s({PickColor(1, 2, 3)});
        Command(view, 124);
    }
    EXPECT_EQ(ProfileInt("BackColor1"), 0x0201);
    EXPECT_EQ(ProfileInt("BackColor2"), 3);
    EXPECT_EQ(GetObjectType(before), 0u);  // the old background brush is deleted
    LOGBRUSH lb = {};
    GetObjectA(vwGetViewBackBrush(vwGetView(view)), sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    EXPECT_TRUE(boxes.boxes().empty());  // custom colours unchanged: no question

    // back to the system colours for the next editors
    WritePrivateProfileStringA("Editor", nullptr, nullptr, "fwcore.ini");
}

TEST_F(Editor, NewClearsTheTextAndTheEditMenuFollowsTheSelection) {
    MessageBoxCapture boxes;
    const std::string path = File("n.txt", "keep");
    HWND view = Open(path);
    HWND edit = EditOf(view);
    HMENU editMenu = GetSubMenu(GetMenu(view), 1);
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SendMessageA(view, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(editMenu), 1);
    EXPECT_TRUE(GetMenuState(editMenu, 109, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(editMenu, 112, MF_BYCOMMAND) & MF_GRAYED);
    Command(view, 113);
    SendMessageA(view, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(editMenu), 1);
    EXPECT_FALSE(GetMenuState(editMenu, 110, MF_BYCOMMAND) & MF_GRAYED);
    Command(view, 112);  // Clear: the selected text goes
    EXPECT_EQ(TextOf(edit), "");
    Command(view, 108);  // Undo brings it back
    EXPECT_EQ(TextOf(edit), "keep");

    Type(edit, "!");
    boxes.answer({IDNO});
    Command(view, 101);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(TextOf(view), "(Untitled)");
    EXPECT_EQ(TextOf(edit), "");
    EXPECT_EQ(ReadFile(path), "keep");
    Command(view, 105);  // the new text is unchanged: no question
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_FALSE(IsWindow(view));
}

TEST_F(Editor, StatusBandFollowsTheCaretLine) {
    MessageBoxCapture boxes;
    HWND view = Open("");
    HWND edit = EditOf(view);
    RECT rc;
    GetClientRect(view, &rc);
    const int top = rc.bottom - 15;
    auto strip = [&] {
        UpdateWindow(view);
        UpdateWindow(edit);
        std::vector<COLORREF> px;
        HDC dc = GetDC(view);
        for (int y = top; y < top + 12; ++y)
            for (int x = 10; x < 110; ++x) px.push_back(GetPixel(dc, x, y));
        ReleaseDC(view, dc);
        return px;
    };
    const auto empty = strip();  // "Line:1 of 1"
    int grey = 0, dark = 0;
    for (COLORREF c : empty) {
        grey += c == RGB(192, 192, 192);
        dark += GetRValue(c) < 100;
    }
    EXPECT_GT(grey, 0);
    EXPECT_GT(dark, 0);
    Type(edit, "a");
    Enter(edit);
    Enter(edit);  // Enter refreshes the band: the caret line moves on
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 1);
    const auto third = strip();
    EXPECT_NE(empty, third);
    SendMessageA(edit, WM_KEYDOWN, VK_PRIOR, 1);  // back to line 1, still 3 lines
    const auto first = strip();
    EXPECT_NE(first, third);
    EXPECT_NE(first, empty);
}

TEST_F(EditorSearch, AMatchFarDownBecomesTheSecondVisibleLine) {
    MessageBoxCapture boxes;
    std::string text;
    for (int i = 0; i < 60; ++i) text += "line " + std::to_string(i) + (i == 40 ? " target" : "") + "\r\n";
    Start(text.c_str());
    Script s({Search("Find", "TARGET", nullptr, false, IDOK)});
    Command(view, 118);
    const auto [from, to] = Selection(edit);
    EXPECT_EQ(to - from, 6u);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, from, 0), 40);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 39);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(Editor, HiddenEditorIsCreatedButNotShown) {
    MessageBoxCapture boxes;
    const std::string path = File("h.txt", "quiet");
    HWND view = Open(path, VWEDIT_HIDDEN);
    ASSERT_TRUE(IsWindow(view));
    EXPECT_FALSE(IsWindowVisible(view));
    EXPECT_EQ(TextOf(EditOf(view)), "quiet");
}

// The system open and save dialogs stand in for the user: what the editor
// asked for is recorded and the next chosen path is answered (none: Cancel).
struct FileChoice {
    DWORD size = 0, flags = 0, maxFile = 0;
    std::string filter, title, defExt;
    int calls = 0;
};
FileChoice g_choice;
std::string g_chosen;

BOOL WINAPI FakeFileDialog(OPENFILENAMEA* ofn) {
    ++g_choice.calls;
    g_choice.size = ofn->lStructSize;
    g_choice.flags = ofn->Flags;
    g_choice.maxFile = ofn->nMaxFile;
    g_choice.filter.clear();
    for (const char* p = ofn->lpstrFilter; p && *p; p += std::strlen(p) + 1) g_choice.filter += std::string(p) + "|";
    g_choice.title = ofn->lpstrTitle ? ofn->lpstrTitle : "";
    g_choice.defExt = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
    if (g_chosen.empty()) return FALSE;
    lstrcpynA(ofn->lpstrFile, g_chosen.c_str(), static_cast<int>(ofn->nMaxFile));
    return TRUE;
}

struct EditorFiles : Editor {
    ImportPatch open{"comdlg32.dll", "GetOpenFileNameA", reinterpret_cast<void*>(&FakeFileDialog)};
    ImportPatch save{"comdlg32.dll", "GetSaveFileNameA", reinterpret_cast<void*>(&FakeFileDialog)};
    void SetUp() override {
        Editor::SetUp();
        g_choice = {};
        g_chosen.clear();
        ASSERT_TRUE(open.installed());
        ASSERT_TRUE(save.installed());
    }
};

TEST_F(EditorFiles, UntitledTextIsSavedUnderTheNameChosenInTheSaveDialog) {
    MessageBoxCapture boxes;
    HWND view = Open("");
    Type(EditOf(view), "draft");
    boxes.answer({IDYES});  // cancelled save dialog: the prompt counts as Cancel
    Command(view, 105);
    EXPECT_TRUE(IsWindow(view));
    EXPECT_EQ(g_choice.calls, 1);
    EXPECT_EQ(g_choice.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    EXPECT_EQ(g_choice.size, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
    EXPECT_EQ(g_choice.maxFile, 256u);
    EXPECT_EQ(g_choice.filter, "Display Files|*.txt|");
    EXPECT_EQ(g_choice.defExt, "txt");

    g_chosen = dir + "\\draft.txt";
    files.push_back(g_chosen);
    boxes.answer({IDYES});
    Command(view, 105);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].text, "Save current changes: (Untitled)");
    EXPECT_FALSE(IsWindow(view));
    EXPECT_EQ(ReadFile(g_chosen), "draft");
}

TEST_F(EditorFiles, SaveAsRenamesAndOpenLoadsTheChosenFile) {
    MessageBoxCapture boxes;
    const std::string first = File("first.txt", "1");
    const std::string second = File("second.txt", "two");
    HWND view = Open(first);
    g_chosen = dir + "\\copy.txt";
    files.push_back(g_chosen);
    Command(view, 104);
    EXPECT_EQ(TextOf(view), g_chosen);  // the bare path
    EXPECT_EQ(ReadFile(g_chosen), "1");

    Type(EditOf(view), "x");
    g_chosen = second;
    boxes.answer({IDNO});  // the change is dropped
    Command(view, 102);
    EXPECT_EQ(g_choice.title, "Open File");
    EXPECT_EQ(g_choice.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    EXPECT_EQ(TextOf(EditOf(view)), "two");
    EXPECT_EQ(TextOf(view), "Edit File(" + second + ")");
    EXPECT_EQ(ReadFile(dir + "\\copy.txt"), "1");
    Command(view, 105);  // just loaded: closes without a question
    EXPECT_FALSE(IsWindow(view));
    EXPECT_EQ(boxes.boxes().size(), 1u);
}

namespace {

// The colour dialog as the editor sees it: the colour it is given comes
// back; each call may add one custom colour.
struct ColorChoice {
    DWORD size = 0, flags = 0;
    COLORREF initial = 0, custom = 0;  // custom: put into the next free slot
    int calls = 0;
};
ColorChoice g_color;

BOOL WINAPI FakeColorDialog(CHOOSECOLORA* cc) {
    ++g_color.calls;
    g_color.size = cc->lStructSize;
    g_color.flags = cc->Flags;
    g_color.initial = cc->rgbResult;
    if (g_color.custom) {
        for (int i = 0; i < 16; ++i)
            if (cc->lpCustColors[i] == RGB(255, 255, 255)) {
                cc->lpCustColors[i] = g_color.custom;
                break;
            }
    }
    return TRUE;
}

std::string CustomColorsEntry() {
    char text[256] = {};
    GetPrivateProfileStringA("Formwright+", "Custom Colors", "", text, sizeof text, "fwcore.ini");
    return text;
}

} // namespace

TEST_F(Editor, ChangedCustomColoursAreSavedOnlyWhenTheUserSaysSo) {
    ImportPatch choose{"comdlg32.dll", "ChooseColorA", reinterpret_cast<void*>(&FakeColorDialog)};
    ASSERT_TRUE(choose.installed());
    WritePrivateProfileStringA("Formwright+", nullptr, nullptr, "fwcore.ini");
    MessageBoxCapture boxes;
    HWND view = Open("");
    g_color = {};

    Command(view, 123);  // no custom colour changed: no question
    EXPECT_EQ(g_color.calls, 1);
    EXPECT_EQ(g_color.size, sizeof(CHOOSECOLORA));
    EXPECT_TRUE(g_color.flags & CC_RGBINIT);
    EXPECT_TRUE(boxes.boxes().empty());

    g_color.custom = RGB(0x12, 0x34, 0x56);
    boxes.answer({IDNO});
    Command(view, 123);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Do you want to save custom colors?");
    EXPECT_EQ(boxes.boxes()[0].caption, "");
    EXPECT_EQ(CustomColorsEntry(), "");

    g_color.custom = RGB(1, 2, 3);
    boxes.answer({IDYES});
    Command(view, 124);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    // the colour refused a moment ago stays in use: both are written
    const std::string entry = CustomColorsEntry();
    EXPECT_EQ(entry.rfind("563412,30201,", 0), 0u) << entry;
    EXPECT_EQ(std::count(entry.begin(), entry.end(), ','), 16);

    WritePrivateProfileStringA("Formwright+", nullptr, nullptr, "fwcore.ini");
    WritePrivateProfileStringA("Editor", nullptr, nullptr, "fwcore.ini");
}

TEST_F(Editor, OutOfSpaceInTheEditIsReported) {
    MessageBoxCapture boxes;
    HWND view = Open("");
    HWND edit = EditOf(view);
    SendMessageA(view, WM_COMMAND, MAKEWPARAM(1, EN_ERRSPACE), reinterpret_cast<LPARAM>(edit));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Editor out of memory");
    EXPECT_EQ(boxes.boxes()[0].caption, "Editor");
    EXPECT_TRUE(IsWindow(view));
}
