// The file dialogs and the text editor driven with real input in a scratch
// folder, and what they do when saving, memory or a dialog fails.  The
// system's open, save and colour dialogs are stood in for.
#include <gtest/gtest.h>

#include <commdlg.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "beep.h"
#include "imports.h"
#include "msgbox.h"
#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

// Steps run by a thread timer, so they also run inside the modal loops of
// the editor's dialogs.  A step answers true when it is done.
using Step = std::function<bool()>;
std::vector<Step> g_steps;
std::size_t g_next = 0;
void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_next < g_steps.size() && g_steps[g_next]()) ++g_next;
}

HWND FindDialog(const std::string& caption) { return FindWindowA(nullptr, caption.c_str()); }

void Click(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id))); }

// Fills the find (and replace) dialog and presses a button; or, with no
// button, destroys the dialog.
Step Search(const char* caption, const std::string& find, const std::string& replacement, bool matchCase, int button) {
    return [=] {
        HWND d = FindDialog(caption);
        if (!d) return false;
        SetDlgItemTextA(d, 524, find.c_str());
        SetDlgItemTextA(d, 525, replacement.c_str());
        CheckDlgButton(d, 511, matchCase ? BST_CHECKED : BST_UNCHECKED);
        button ? Click(d, button) : static_cast<void>(DestroyWindow(d));
        return true;
    };
}

std::string ReadFile(const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

std::string Text(HWND h) {
    std::string s(static_cast<std::size_t>(GetWindowTextLengthA(h)) + 1, '\0');
    s.resize(static_cast<std::size_t>(GetWindowTextA(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

std::vector<std::string> FolderNames(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*.*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd) || !FindClose(h))  // closed at the end
        if (fd.cFileName[0] != '.') names.push_back(fd.cFileName);
    return names;
}

// Global memory runs out for blocks of `g_memoryLimit` bytes or more.
SIZE_T g_memoryLimit;
HGLOBAL WINAPI ScarceGlobalAlloc(UINT flags, SIZE_T n) { return n >= g_memoryLimit ? nullptr : GlobalAlloc(flags, n); }

// The system dialogs: what the editor asked for is recorded, the next path
// or colour is answered (no path: Cancel).
std::string g_asked, g_chosen;
COLORREF g_color;

BOOL WINAPI FakeFileDialog(OPENFILENAMEA* ofn) {
    const char* filter = ofn->lpstrFilter;
    g_asked += std::to_string(ofn->lStructSize) + " " + std::to_string(ofn->Flags) + " " + std::to_string(ofn->nMaxFile) + " " +
               filter + "|" + (filter + std::strlen(filter) + 1) + " " + (ofn->lpstrTitle ? ofn->lpstrTitle : "-") + ";";
    lstrcpynA(ofn->lpstrFile, g_chosen.c_str(), static_cast<int>(ofn->nMaxFile));
    return !g_chosen.empty();
}

BOOL WINAPI FakeColorDialog(CHOOSECOLORA* cc) {
    g_asked += std::to_string(cc->lStructSize) + " " + std::to_string(cc->Flags) + ";";
    cc->rgbResult = g_color;
    return TRUE;
}

// A scratch folder with a short name (the editor keeps 44 characters of a
// path), an owner window, the message boxes captured.
struct Editor : ::testing::Test {
    void SetUp() override {
        CreateDirectoryA(dir.c_str(), nullptr);
        g_asked.clear(), g_chosen.clear(), g_memoryLimit = ~SIZE_T{0};
        ASSERT_TRUE(open.installed() && save.installed() && color.installed() && memory.installed());
    }
    void TearDown() override {
        DestroyWindow(owner);  // and the editors it owns
        SetCurrentDirectoryA("c:\\");
        for (const std::string& folder : {dir + "\\docs", dir}) {
            for (const std::string& name : FolderNames(folder)) {
                SetFileAttributesA((folder + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((folder + "\\" + name).c_str());
            }
            RemoveDirectoryA(folder.c_str());
        }
        WritePrivateProfileStringA("Editor", nullptr, nullptr, "fwcore.ini");
    }
    std::string File(const std::string& name, const std::string& text) {
        std::ofstream(dir + "\\" + name, std::ios::binary) << text;
        return dir + "\\" + name;
    }
    HWND Open(const std::string& path, WORD flags = 0) {
        return reinterpret_cast<HWND>(vwEditFile(owner, path.empty() ? nullptr : path.c_str(), "*.txt", 10, 10, 200, 120, flags));
    }
    static HWND EditOf(HWND view) { return reinterpret_cast<HWND>(SendMessageA(view, VWM_EDITORWINDOW, 0, 0)); }
    // The command sent; whether the editor is still open.
    static bool Command(HWND view, WORD id) { return SendMessageA(view, WM_COMMAND, id, 0), IsWindow(view); }
    static void Type(HWND edit, const std::string& s) {
        for (char c : s) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    static void Enter(HWND edit) { SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1), SendMessageA(edit, WM_CHAR, '\r', 1); }
    static void PressCtrl(HWND edit, char key) {  // a key pressed with Ctrl, as the edit control gets it
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        SendMessageA(edit, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    // What `action` gives while a timer runs the steps, in its modal loops too.
    template <typename Action>
    static auto During(std::vector<Step> steps, Action action) {
        g_steps = std::move(steps), g_next = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 15, RunStep);
        const auto result = action();
        KillTimer(nullptr, timer);
        return result;
    }
    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD a = 0, b = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return {a, b};
    }
    const std::string dir = "c:\\tsed" + std::to_string(GetCurrentProcessId());
    HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, 0, 0, 0, nullptr);
    MessageBoxCapture boxes;
    ImportPatch open{"comdlg32.dll", "GetOpenFileNameA", reinterpret_cast<void*>(&FakeFileDialog)};
    ImportPatch save{"comdlg32.dll", "GetSaveFileNameA", reinterpret_cast<void*>(&FakeFileDialog)};
    ImportPatch color{"comdlg32.dll", "ChooseColorA", reinterpret_cast<void*>(&FakeColorDialog)};
    ImportPatch memory{"kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(&ScarceGlobalAlloc)};
};

// The file dialogs are scripted through their hook: a step a tick, then Cancel.
std::vector<std::function<void(HWND)>> g_dialogSteps;
LRESULT CALLBACK ScriptHook(HWND hWnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) SetTimer(hWnd, 0x51, 10, nullptr);
    if (msg != WM_TIMER || wParam != 0x51) return 0;
    g_next < g_dialogSteps.size() ? g_dialogSteps[g_next++](hWnd) : Click(hWnd, IDCANCEL);
    return 1;
}

// The items of a list but drives ("[-c-]"), joined by ' '.
std::string Items(HWND dlg, int id) {
    std::string out;
    char item[256];
    for (WPARAM i = 0; SendDlgItemMessageA(dlg, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item)) != LB_ERR; ++i)
        if (item[0] != '[' || item[1] != '-') out += (out.empty() ? "" : " ") + std::string(item);
    return out;
}

// A click, or a double click, with the mouse on an item of a list.
void Click(HWND dlg, int list, const std::string& item, bool twice = false) {
    HWND h = GetDlgItem(dlg, list);
    const LRESULT i = SendMessageA(h, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(h, LB_SETTOPINDEX, i, 0);
    RECT rc{};
    SendMessageA(h, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc));
    const LPARAM at = MAKELPARAM(rc.left + 2, rc.top + 2);
    for (UINT down : {UINT{WM_LBUTTONDOWN}, twice ? UINT{WM_LBUTTONDBLCLK} : 0u})
        if (down) SendMessageA(h, down, MK_LBUTTON, at), SendMessageA(h, WM_LBUTTONUP, 0, at);
}

// A name typed into the name box, and a button pressed.
void Name(HWND dlg, const std::string& name, int button = 0) {
    SetDlgItemTextA(dlg, 101, name.c_str());
    if (button) Click(dlg, button);
}

const std::string kLong = std::string(120, 'l') + ".txt";

struct FileDialogs : Editor {
    void SetUp() override {
        Editor::SetUp();
        SetCurrentDirectoryA(dir.c_str());
        CreateDirectoryA("docs", nullptr);
        for (const char* f : {"report.txt", "notes.doc", "docs\\a.doc", "docs\\b.txt", kLong.c_str()}) std::ofstream{f};
    }
    // The name chosen in the dialog the steps drive, or "(none)".
    template <typename Dialog>
    std::string Run(Dialog dialog, std::vector<std::function<void(HWND)>> steps) {
        g_dialogSteps = std::move(steps), g_next = 0;
        HGLOBAL h = dialog();
        if (!h) return "(none)";
        std::string s = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h), GlobalFree(h);
        return s;
    }
};

} // namespace

TEST_F(FileDialogs, OpenMovesThroughTheListsAndTakesAFileThatExists) {
    BeepRecorder beeps;
    std::vector<std::string> seen;  // what the dialog showed along the way
    auto look = [&](HWND d) { seen.push_back(Items(d, 103) + " / " + CharLowerA(TextOf(GetDlgItem(d, 101)).data())); };
    auto open = [] { return vwFileOpenDlg(nullptr, "*.txt", ".txt", 0, ScriptHook); };
    EXPECT_EQ(Run(open, {
        [&](HWND d) {
            char frame[64] = {};
            vwGetFieldString(vwGetView(d), 102, frame, sizeof frame);
            Name(d, "");
            seen.push_back(TextOf(d) + " " + frame + " " + Items(d, 104) + " " + Items(d, 103) + " " +
                           std::to_string(IsWindowEnabled(GetDlgItem(d, 1))));  // Open, with no name
            Name(d, "nothing", 1);  // neither nothing nor nothing.txt: a beep, the dialog stays
        },
        [&](HWND d) { Click(d, 104, "[docs]", true), look(d); },  // into the folder
        [&](HWND d) { Click(d, 104, "[..]", true), look(d); },    // and back
        [&](HWND d) { Click(d, 103, kLong), look(d); },
        [&](HWND d) { Click(d, 103, kLong, true); },  // 79 characters of the name are read: a beep
        [&](HWND d) { Name(d, "docs", 1), look(d); },  // a folder typed
        [&](HWND d) { Name(d, "*.doc", 1), look(d); },
        [&](HWND d) { Click(d, 104, "[..]"), Click(d, 1), look(d); },  // a folder picked, then Open
        [&](HWND d) { Click(d, 103, "notes.doc", true); },
    }), "notes.doc");
    EXPECT_EQ(seen, (std::vector<std::string>{"Open Disk File @3D4 [..] [docs] " + kLong + " report.txt 0", "b.txt / nothing",
                                              kLong + " report.txt / nothing", kLong + " report.txt / " + kLong,
                                              "b.txt / *.txt", "a.doc / *.doc", "notes.doc / *.doc"}));
    char cwd[MAX_PATH];
    EXPECT_EQ(lstrcmpiA((GetCurrentDirectoryA(MAX_PATH, cwd), cwd), dir.c_str()), 0);  // where the dialog ended
    EXPECT_EQ(Run(open, {[](HWND d) { g_memoryLimit = 0, Name(d, "report", 1); }}), "(none)");  // no memory for the name
    g_memoryLimit = ~SIZE_T{0};
    EXPECT_EQ(Run(open, {[](HWND d) { Click(d, 2); }}), "(none)");
    EXPECT_EQ(beeps.count(), 2);
    EXPECT_EQ(boxes.transcript(), "Editor: Cannot allocate memory for editor");
}

TEST_F(FileDialogs, SaveAddsTheDefaultExtensionAndReportsExistingFiles) {
    WORD exists = 7;
    std::vector<std::string> seen;
    auto save = [&](const char* ext, std::vector<std::function<void(HWND)>> steps) {
        const std::string name = Run([&] { return vwFileSaveDlg(nullptr, "*.txt", ext, &exists, ScriptHook); }, std::move(steps));
        return name + " " + std::to_string(exists);
    };
    EXPECT_EQ(save(".txt", {[](HWND d) { DestroyWindow(d); }}), "(none) 7");  // a view destroyed under its loop
    EXPECT_EQ(save(".txt", {[&](HWND d) { seen.push_back(TextOf(d) + " " + Items(d, 103)), Click(d, 103, "[docs]", true); },
                            [&](HWND d) { seen.push_back(Items(d, 103) + " " + TextOf(GetDlgItem(d, 101))), Click(d, 103, "[..]"); },
                            [&](HWND d) { Click(d, 1), seen.push_back(Items(d, 103)), Name(d, "report", 1); }}),
              "report.txt 1");
    EXPECT_EQ(seen, (std::vector<std::string>{"Save File " + kLong + " report.txt [..] [docs]", "[..] *.txt", "[..] [docs]"}));
    EXPECT_EQ(save(".txt", {[](HWND d) { Click(d, 103, "report.txt"), Click(d, 1); }}), "report.txt 1");
    EXPECT_EQ(save(".txt", {[](HWND d) { Click(d, 103, kLong, true); }}), std::string(79, 'l') + ".txt 0");  // 79 read
    EXPECT_EQ(save("", {[](HWND d) { Name(d, "new", 1); }}), "new. 0");  // "" becomes "."
    EXPECT_EQ(save("*.*", {[](HWND d) { Name(d, "report", 1); }}), "report 0");
    EXPECT_EQ(save(".txt", {[](HWND d) { Name(d, std::string(5000, 'n'), 1); }}), std::string(79, 'n') + ".txt 0");
    EXPECT_EQ(save(".txt", {[](HWND d) { Click(d, 2); }}), "(none) 0");  // cancelled: nothing allocated
    EXPECT_EQ(save(".txt", {[](HWND d) { g_memoryLimit = 0, Name(d, "x", 1); }}), "(none) 0");
    EXPECT_EQ(boxes.transcript(), "Editor: Cannot allocate memory for FileName");
}

TEST_F(Editor, OpensFilesAndReportsWhatIsMissing) {
    EXPECT_EQ(vwEditFile(nullptr, nullptr, nullptr, 0, 0, 100, 100, 0), 0);
    const std::string path = File("Notes.TXT", "first\r\nsecond\r\nthird");
    HWND view = Open(path);
    EXPECT_EQ(TextOf(view), "Edit File(" + dir + "\\notes.txt)");
    EXPECT_EQ(TextOf(EditOf(view)), "first\r\nsecond\r\nthird");
    EXPECT_EQ(SendMessageA(view, EM_GETLINECOUNT, 0, 0), 3);  // passed on to the edit control
    EXPECT_EQ(vwGetViewIcon(vwGetView(view)), LoadIconA(GetModuleHandleA("tscore32.dll"), "EDITICON"));
    char item[32] = {};
    GetMenuStringA(GetSubMenu(GetMenu(view), 0), 2, item, sizeof item, MF_BYPOSITION);
    EXPECT_EQ(std::to_string(GetMenuItemCount(GetSubMenu(GetMenu(view), 0))) + item, "7&Save");
    EXPECT_FALSE(Command(view, 105));  // unchanged: closes without asking
    EXPECT_EQ(StyleOf(Open(path, VWEDIT_HIDDEN)) & (WS_VISIBLE | WS_CAPTION), WS_CAPTION);  // made, hidden

    const std::string missing = dir + "\\none.txt", longer = dir + "\\" + std::string(5000, 'm') + ".txt";
    EXPECT_EQ(TextOf(Open(missing)), missing);  // open, untitled
    Open(missing + "   ");  // trailing blanks go, and at most 44 characters of a path are kept
    Open(longer);
    const std::string cannot = " | Editor: Cannot open file: ";
    EXPECT_EQ(boxes.transcript(),
              "Tessarine: No parent window for Editor" + cannot + missing + cannot + missing + cannot + longer.substr(0, 44));
}

TEST_F(Editor, ClosingOrStartingAfreshAsksBeforeChangesAreLost) {
    const std::string path = File("b.txt", "one");
    HWND view = Open(path);
    Type(EditOf(view), "X");
    boxes.answer({IDCANCEL});
    SendMessageA(view, WM_SYSCOMMAND, SC_CLOSE, 0);
    Type(EditOf(view), "Y");
    boxes.answer({IDYES});  // saved, closed
    SendMessageA(view, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(view));
    view = Open(path);
    Type(EditOf(view), "Z");
    boxes.answer({IDNO});  // dropped
    Command(view, 101);  // New
    EXPECT_EQ(TextOf(view) + "|" + TextOf(EditOf(view)) + "|" + ReadFile(path), "(Untitled)||XYone");
    EXPECT_FALSE(Command(view, 105));  // the new text is unchanged: no question
    const std::string ask = "Editor: Save current changes: " + path;
    EXPECT_EQ(boxes.transcript(), ask + " | " + ask + " | " + ask);
}

TEST_F(Editor, FailedSavesKeepTheFileOnDiskAndTheTextInTheEditor) {
    const std::string path = File("ro.txt", "old bytes");
    HWND view = Open(path);
    Type(EditOf(view), "new ");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);  // a read-only file is not replaced
    Command(view, 106);  // Save&Exit
    PressCtrl(EditOf(view), 'E');
    boxes.answer({IDYES});  // the save prompt on closing
    SendMessageA(view, WM_SYSCOMMAND, SC_CLOSE, 0);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    g_memoryLimit = 9;  // no memory for the text
    Command(view, 106);
    g_memoryLimit = ~SIZE_T{0};
    EXPECT_EQ(ReadFile(path), "old bytes");
    EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"ro.txt"});
    EXPECT_FALSE(Command(view, 106));  // the text was kept: now it is saved, and no temporary file is left
    EXPECT_EQ(ReadFile(path) + " " + FolderNames(dir).at(0), "new old bytes ro.txt");
    const std::string cannot = path + ": Cannot create file " + path;
    EXPECT_EQ(boxes.transcript(), cannot + " | " + cannot + " | Editor: Save current changes: " + path + " | " + cannot);

    boxes.clear();  // a text above 65,000 characters is cut
    view = Open(File("big.txt", ""));
    SetWindowTextA(EditOf(view), std::string(70000, 'q').c_str());
    Type(EditOf(view), "q");
    Command(view, 103);
    EXPECT_EQ(boxes.transcript(), "Editor: File too large.\n File will be truncated to 65000 bytes.");
    EXPECT_EQ(ReadFile(dir + "\\big.txt").size(), 65000u);
}

// Writes that fail part of the way: the test's CTest wrapper limits the
// size of any file the program writes (TS_FILE_SIZE_LIMIT bytes).
struct EditorSizeLimit : Editor {};

TEST_F(EditorSizeLimit, WritesFailingPastTheLimitLeaveTheFileAsItWas) {
    ASSERT_NE(std::getenv("TS_FILE_SIZE_LIMIT"), nullptr) << "runs under its wrapper (tests/dialog/CMakeLists.txt)";
    const std::size_t limit = std::strtoul(std::getenv("TS_FILE_SIZE_LIMIT"), nullptr, 10);
    std::string original;
    while (original.size() + 3000 < limit) original += "an original line of the file\r\n";
    const std::string path = File("limit.txt", original);
    HWND view = Open(path);
    SetWindowTextA(EditOf(view), std::string(limit + 6000, 'n').c_str());
    Type(EditOf(view), "!");
    Command(view, 106);
    EXPECT_EQ(boxes.transcript(), path + ": Cannot write file to disk:" + path);
    EXPECT_TRUE(ReadFile(path) == original);
    EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"limit.txt"});
    SetWindowTextA(EditOf(view), "short");
    Type(EditOf(view), "!");
    EXPECT_FALSE(Command(view, 106));
    EXPECT_EQ(ReadFile(path), "!short");
}

TEST_F(Editor, OutOfMemoryIsReported) {
    HWND view = Open("");
    SendMessageA(view, WM_COMMAND, MAKEWPARAM(1, EN_ERRSPACE), reinterpret_cast<LPARAM>(EditOf(view)));
    g_memoryLimit = 100000;  // none for a file of 200,000 bytes: that editor goes
    view = Open(File("huge.txt", std::string(200000, 'h')));
    PumpMessages();
    EXPECT_FALSE(IsWindow(view));
    g_memoryLimit = 0;  // none for the editor's record
    Open("");
    EXPECT_EQ(boxes.transcript(), "Editor: Editor out of memory | Editor: Cannot allocate memory for File | "
                                  "Editor: Cannot allocate memory for editor");
}

TEST_F(Editor, NewLinesTakeTheIndentationOfTheLineBefore) {
    HWND view = Open(""), edit = EditOf(view);
    EXPECT_EQ(TextOf(view), "Edit File(Untitled)");
    for (const char* line : {"    if", "x", "\t\ty", "z"}) Type(edit, line), Enter(edit);
    // a line that starts with blanks passes on its blanks only
    EXPECT_EQ(TextOf(edit), "    if\r\n    x\r\n    \t\ty\r\n    z\r\n    ");
    for (const std::string& line : {std::string("\t\tdeep"), std::string(300, ' ') + std::string(4700, 'w')}) {
        SetWindowTextA(edit, line.c_str());
        SendMessageA(edit, EM_SETSEL, line.size(), line.size());
        Enter(edit);
        EXPECT_EQ(Text(edit).substr(line.size()), "\r\n" + line.substr(0, std::min<std::size_t>(line.find_first_not_of(" \t"), 255)));
    }  // the indentation of a 5,000-character line is measured on its first 255 characters
}

TEST_F(Editor, FontsAndColoursAreKeptInTheProfileForTheNextEditors) {
    HWND view = Open("");
    auto profile = [](const char* key) {
        char value[32] = {};
        return GetPrivateProfileStringA("Editor", key, "", value, sizeof value, "fwcore.ini"), std::string(value);
    };
    Command(view, 115);
    EXPECT_EQ(profile("Font") + std::to_string(GetMenuState(GetMenu(view), 115, 0) & MF_CHECKED), "Fixed8");
    HWND next = Open("");
    auto font = reinterpret_cast<HFONT>(SendMessageA(EditOf(next), WM_GETFONT, 0, 0));
    EXPECT_EQ(FontOf(font).lfFaceName + std::to_string(FontOf(font).lfHeight), "Courier New" + std::to_string(PointsToHeight(8)));
    DestroyWindow(next);
    EXPECT_EQ(GetObjectType(font), 0u);  // the editor's font goes with it

    g_color = RGB(255, 0, 128);
    Command(view, 123);
    HBRUSH before = vwGetViewBackBrush(vwGetView(view));
    g_color = RGB(1, 2, 3);
    Command(view, 124);
    EXPECT_EQ(profile("ForeColor1") + " " + profile("ForeColor2") + " " +
                  profile("BackColor1") + " " + profile("BackColor2"),
              "255 128 513 3");  // halves, the low one first
    HDC dc = CreateCompatibleDC(nullptr);  // the edit control is painted in them
    LOGBRUSH back{};
    GetObjectA(reinterpret_cast<HBRUSH>(SendMessageA(view, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0)), sizeof back, &back);
    EXPECT_EQ(std::make_pair(GetTextColor(dc), back.lbColor), std::make_pair(RGB(255, 0, 128), RGB(1, 2, 3)));
    DeleteDC(dc);
    EXPECT_EQ(GetObjectType(before), 0u);  // the old background brush is deleted
    const std::string asked = sizeof(void*) == 4 ? "36 1;" : "72 1;";  // the structure's size, CC_RGBINIT
    EXPECT_EQ(g_asked + boxes.transcript(), asked + asked);  // no custom colour changed: no question
}

TEST_F(Editor, HeaderFilesOpenInASecondEditorAndAModalEditorReturnsWhenLeft) {
    const std::string cpp = File("main.cpp", "int main() {}"), header = File("main.h", "// header");
    HWND view = Open(cpp);
    char item[32] = {};
    GetMenuStringA(GetSubMenu(GetMenu(view), 0), 2, item, sizeof item, MF_BYPOSITION);
    EXPECT_STREQ(item, "Open Class &Header...");
    Command(view, 0x0880);  // main.h
    EXPECT_EQ(TextOf(EditOf(FindDialog("Edit File(" + header + ")"))), "// header");
    const std::string other = File("other.h", "// other");  // the parent's "INCLUDE" names another, freed with the editor
    HGLOBAL include = GlobalAlloc(GMEM_MOVEABLE, other.size());  // without a 0 at its end
    std::memcpy(GlobalLock(include), other.data(), other.size());
    GlobalUnlock(include);
    SetPropA(owner, "INCLUDE", include);
    Command(view, 0x0880);
    EXPECT_NE(FindDialog("Edit File(" + other + ")"), nullptr);
    DestroyWindow(view);
    EXPECT_EQ(GetPropA(owner, "INCLUDE"), nullptr);

    const std::string path = File("m.txt", "text");
    EXPECT_EQ(During({[&] {
        HWND seen = FindDialog("Edit File(" + path + ")");
        if (!seen) return false;
        Type(EditOf(seen), "more ");
        SendMessageA(EditOf(seen), WM_KEYDOWN, 'E', 1);  // without Ctrl: an ordinary key
        PressCtrl(EditOf(seen), 'E');  // Ctrl+E: save and exit
        return true;
    }}, [&] { return Open(path, VWEDIT_MODAL); }), reinterpret_cast<HWND>(1));
    EXPECT_EQ(FindDialog("Edit File(" + path + ")"), nullptr);
    EXPECT_EQ(ReadFile(path), "more text");
    EXPECT_EQ(boxes.transcript(), "");
}

TEST_F(Editor, SystemDialogsChooseWhereToSaveAndWhatToOpen) {
    HWND view = Open("");
    Type(EditOf(view), "draft");
    boxes.answer({IDYES});  // a cancelled save dialog: the prompt counts as Cancel
    EXPECT_TRUE(Command(view, 105));
    g_chosen = dir + "\\draft.txt";
    boxes.answer({IDYES});
    EXPECT_FALSE(Command(view, 105));
    EXPECT_EQ(ReadFile(g_chosen), "draft");
    const std::string first = File("first.txt", "1"), second = File("second.txt", "two");
    view = Open(first);
    g_chosen = dir + "\\copy.txt";
    Command(view, 104);  // Save As: the bare path as caption
    EXPECT_EQ(TextOf(view) + " " + ReadFile(g_chosen), g_chosen + " 1");
    g_chosen = second;
    Command(view, 102);  // Open
    EXPECT_EQ(TextOf(EditOf(view)) + " " + TextOf(view), "two Edit File(" + second + ")");
    const std::string size = sizeof(void*) == 4 ? "76" : "136";  // the structure as Windows 4 knew it
    const std::string save = size + " 6150 256 Display Files|*.txt -;";  // OFN_HIDEREADONLY, _OVERWRITEPROMPT,
    EXPECT_EQ(g_asked, save + save + save + size + " 6148 256 Display Files|*.txt Open File;");  // _PATHMUSTEXIST, _FILEMUSTEXIST
    EXPECT_EQ(boxes.transcript(), "Editor: Save current changes: (Untitled) | Editor: Save current changes: (Untitled)");
}

struct EditorSearch : Editor {
    void Start(const std::string& text) {
        edit = EditOf(view = Open(""));
        SetWindowTextA(edit, text.c_str());
        SendMessageA(edit, EM_SETSEL, 0, 0);
    }
    // The command, with the steps run inside its dialog.
    void Run(WORD command, std::vector<Step> steps) { During(std::move(steps), [&] { return Command(view, command), 0; }); }
    HWND view = nullptr, edit = nullptr;
};

TEST_F(EditorSearch, FindHonoursMatchCaseAndFindNextContinuesBehindTheMatch) {
    Start("xABCx abc");
    Run(118, {Search("Find", "abc", "", false, IDOK)});
    EXPECT_EQ(Selection(edit), std::make_pair(1ul, 4ul));
    Command(view, 119);  // no dialog: the text is known
    EXPECT_EQ(Selection(edit), std::make_pair(6ul, 9ul));  // at the very end
    Command(view, 119);
    SendMessageA(edit, EM_SETSEL, 0, 0);
    Run(118, {Search("Find", "ABC", "", true, IDOK)});
    EXPECT_EQ(Selection(edit), std::make_pair(1ul, 4ul));
    Command(view, 119);  // "abc" does not match case-sensitively
    Run(118, {Search("Find", "abc", "", true, IDCANCEL)});  // cancelled: no search
    Run(118, {Search("Find", "abc", "", true, 0)});  // its modal run fails
    const std::string none = "Editor: Unable to locate text string";
    EXPECT_EQ(boxes.transcript(), none + " | " + none + " | System Error: Unable to display view");
}

namespace {

// What reaches the edit control while Replace All works: how often its text
// is set, whether the wait cursor is up, whether anything of the editor is
// still waiting to be painted when a replacement starts.
struct { int textChanges; bool waitCursor, painted; HWND view; WNDPROC previous; } g_watch;

LRESULT CALLBACK WatchEdit(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == EM_REPLACESEL || msg == WM_SETTEXT)
        ++g_watch.textChanges, g_watch.waitCursor &= GetCursor() == LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    if (msg == EM_SETSEL) g_watch.painted &= !GetUpdateRect(g_watch.view, nullptr, FALSE) && !GetUpdateRect(h, nullptr, FALSE);
    return CallWindowProcA(g_watch.previous, h, msg, wParam, lParam);
}

} // namespace

TEST_F(EditorSearch, ReplaceAllSetsTheTextOnceAndReplaceAsksForEachMatch) {
    std::string text, want;
    for (int i = 0; i < 300; ++i) {
        const bool hit = i % 7 == 3 && i < 200;
        text += "line " + std::to_string(i) + (hit ? " Tick tock TICK" : "") + "\r\n";
        want += "line " + std::to_string(i) + (hit ? " tick-tick tock tick-tick" : "") + "\r\n";
    }
    Start(text);
    g_watch = {0, true, true, view, reinterpret_cast<WNDPROC>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchEdit)))};
    Run(120, {Search("Replace", "tick", "tick-tick", false, 520)});
    ASSERT_TRUE(Text(edit) == want);
    EXPECT_EQ(g_watch.textChanges, 1);  // not once per match
    EXPECT_TRUE(g_watch.waitCursor && g_watch.painted);
    const DWORD caret = static_cast<DWORD>(want.rfind("tick-tick") + 9);  // behind the last replacement
    EXPECT_EQ(Selection(edit), std::make_pair(caret, caret));
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 198);  // its line the second visible one
    boxes.answer({IDCANCEL});  // changed: closing asks
    Command(view, 105);
    Command(view, 108);
    EXPECT_TRUE(Text(edit) == text);
    EXPECT_EQ(boxes.transcript(), "Editor: Replace All completed | Editor: Save current changes: (Untitled)");
    boxes.clear();
    Start("one Two two");
    boxes.answer({IDNO});
    Run(120, {Search("Replace", "two", "2", true, 529)});
    EXPECT_EQ(Selection(edit), std::make_pair(8ul, 11ul));  // match case skipped "Two"
    SendMessageA(edit, EM_SETSEL, 0, 0);
    boxes.answer({IDYES});
    Run(120, {Search("Replace", "two", "2", false, 529)});
    EXPECT_EQ(TextOf(edit), "one 2 two");
    Run(120, {Search("Replace", "two", "", false, 1)});  // no replacement: nothing
    EXPECT_EQ(TextOf(edit), "one 2 two");
    SetWindowTextA(edit, ("x" + std::string(98, 'F') + "x").c_str());  // of 5,000-character texts, 98 are kept
    SendMessageA(edit, EM_SETSEL, 0, 0);
    boxes.answer({IDNO});
    Run(120, {Search("Replace", std::string(5000, 'f'), std::string(5000, 'r'), false, 529)});
    EXPECT_EQ(Selection(edit), std::make_pair(1ul, 99ul));
    const std::string ask = "Replace text: Replace: two with: 2";
    EXPECT_EQ(boxes.transcript(), ask + " | " + ask + " | Replace text: Replace: " + std::string(98, 'f') + " with: " + std::string(98, 'r'));
}
