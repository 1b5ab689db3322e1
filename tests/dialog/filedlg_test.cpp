// The file open and save dialogs, driven through their hook in a scratch
// directory of files and folders.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "beep.h"
#include "testapp.h"

using namespace tstest;

namespace {

using Step = std::function<void(HWND)>;
std::vector<Step> g_steps;
std::size_t g_next = 0;
constexpr UINT_PTR kStepTimer = 0x51;

// Runs one scripted step per timer tick once the dialog is up.
LRESULT CALLBACK ScriptHook(HWND hWnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) SetTimer(hWnd, kStepTimer, 10, nullptr);
    if (msg == WM_TIMER && wParam == kStepTimer) {
        if (g_next < g_steps.size()) g_steps[g_next++](hWnd);
        return 1;
    }
    return 0;
}

void Script(std::vector<Step> steps) {
    g_steps = std::move(steps);
    g_next = 0;
}

std::string Text(HWND dlg, int id) { return TextOf(GetDlgItem(dlg, id)); }

std::vector<std::string> Items(HWND dlg, int id) {
    std::vector<std::string> out;
    const LRESULT n = SendDlgItemMessageA(dlg, id, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char buf[256] = {};
        SendDlgItemMessageA(dlg, id, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        out.push_back(buf);
    }
    return out;
}

bool Has(const std::vector<std::string>& v, const std::string& s) {
    for (const auto& x : v)
        if (x == s) return true;
    return false;
}

void Press(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id))); }
void Type(HWND dlg, const char* name) { SetDlgItemTextA(dlg, 101, name); }

std::string Take(HGLOBAL h) {
    if (!h) return "(none)";
    std::string s = static_cast<const char*>(GlobalLock(h));
    GlobalUnlock(h);
    GlobalFree(h);
    return s;
}

struct FileDialogs : ::testing::Test {
    void SetUp() override {
        GetCurrentDirectoryA(sizeof saved, saved);
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        std::snprintf(root, sizeof root, "%stsfiledlg%lu", tmp, GetCurrentProcessId());
        CreateDirectoryA(root, nullptr);
        SetCurrentDirectoryA(root);
        CreateDirectoryA("docs", nullptr);
        for (const char* f : {"report.txt", "notes.doc", "docs\\a.doc", "docs\\b.txt"}) {
            FILE* fp = std::fopen(f, "w");
            std::fclose(fp);
        }
    }
    void TearDown() override {
        SetCurrentDirectoryA(root);
        for (const char* f : {"report.txt", "notes.doc", "docs\\a.doc", "docs\\b.txt"}) DeleteFileA(f);
        RemoveDirectoryA("docs");
        SetCurrentDirectoryA(saved);
        RemoveDirectoryA(root);
    }
    char saved[MAX_PATH] = {}, root[MAX_PATH] = {};
};

} // namespace

TEST_F(FileDialogs, OpenMovesThroughDirectoriesAndSpecifications) {
    BeepRecorder beeps;
    std::vector<std::string> files, dirs, docsFiles, docFiles;
    std::string caption, nameAfterDir, specAfterWildcard, frame;
    bool disabledWhenEmpty = false, stayedOpen = false;
    Script({
        [&](HWND d) {
            caption = TextOf(d);
            files = Items(d, 103);
            dirs = Items(d, 104);
            char buf[64] = {};
            vwGetFieldString(vwGetView(d), 102, buf, sizeof buf);
            frame = buf;
            Type(d, "");
            disabledWhenEmpty = !IsWindowEnabled(GetDlgItem(d, 1));
        },
        [&](HWND d) {
            Type(d, "nothing");  // neither nothing nor nothing.txt: a beep, the dialog stays
            Press(d, 1);
            stayedOpen = IsWindow(d);
        },
        [&](HWND d) {
            Type(d, "docs");  // a directory: its files, the specification again
            Press(d, 1);
            docsFiles = Items(d, 103);
            nameAfterDir = Text(d, 101);
        },
        [&](HWND d) {
            Type(d, "*.doc");
            Press(d, 1);
            docFiles = Items(d, 103);
            specAfterWildcard = Text(d, 101);
        },
        [&](HWND d) {
            Type(d, "b");  // b does not exist, b.txt does
            Press(d, 1);
        },
    });
    const std::string chosen = Take(vwFileOpenDlg(nullptr, "*.txt", ".txt", 0, ScriptHook));
    EXPECT_EQ(caption, "Open Disk File");
    EXPECT_EQ(frame, "@3D4");
    EXPECT_TRUE(Has(files, "report.txt"));
    EXPECT_FALSE(Has(files, "notes.doc"));
    EXPECT_TRUE(Has(dirs, "[docs]"));
    EXPECT_TRUE(disabledWhenEmpty);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_TRUE(Has(docsFiles, "b.txt"));
    EXPECT_EQ(CharLowerA(nameAfterDir.data()), std::string("*.txt"));  // as the system listing wrote it back
    EXPECT_TRUE(Has(docFiles, "a.doc"));
    EXPECT_FALSE(Has(docFiles, "b.txt"));
    EXPECT_EQ(CharLowerA(specAfterWildcard.data()), std::string("*.doc"));
    EXPECT_EQ(chosen, "b.txt");
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(std::string(cwd).substr(std::string(cwd).size() - 4), "docs");  // the directory stays changed
}

TEST_F(FileDialogs, SaveAddsTheDefaultExtensionAndReportsExistingFiles) {
    WORD exists = 7;
    Script({[](HWND d) { Type(d, "new"), Press(d, 1); }});
    EXPECT_EQ(Take(vwFileSaveDlg(nullptr, "*.txt", "", &exists, ScriptHook)), "new.");  // "" becomes "."
    EXPECT_EQ(exists, 0);
    std::string caption;
    Script({[&](HWND d) { caption = TextOf(d), Type(d, "report"), Press(d, 1); }});
    EXPECT_EQ(Take(vwFileSaveDlg(nullptr, "*.txt", ".txt", &exists, ScriptHook)), "report.txt");
    EXPECT_EQ(caption, "Save File");
    EXPECT_EQ(exists, 1);
    Script({[](HWND d) { Type(d, "report"), Press(d, 1); }});
    EXPECT_EQ(Take(vwFileSaveDlg(nullptr, "*.txt", "*.*", &exists, ScriptHook)), "report");
    // Cancel allocates nothing
    Script({[](HWND d) { Press(d, 2); }});
    EXPECT_EQ(Take(vwFileSaveDlg(nullptr, "*.txt", ".txt", &exists, ScriptHook)), "(none)");
    Script({[](HWND d) { Press(d, 2); }});
    EXPECT_EQ(Take(vwFileOpenDlg(nullptr, "*.txt", ".txt", 0, ScriptHook)), "(none)");
}
