// The file open dialog: a file list, a list of directories and drives, and
// a name box that takes file names, directories and new specifications.
#include "dialog/filedlg.h"

#include <cstdio>
#include <cstring>

#include "core/text.hpp"

using namespace ts;

namespace {

bool HasWildcard(const char* s) {
    for (const char* p = s; *p; p = CharNextA(p))
        if (*p == '*' || *p == '?') return true;
    return false;
}

bool FileExists(const char* name) { return OpenFile(name, &g_fileDlg.info, OF_EXIST) != HFILE_ERROR; }

// The files of `path` in the file list; what is left of it becomes the
// specification, shown in the name box.
bool ListFiles(HWND hWnd, const char* path) {
    char rest[256] = {};
    if (!ListDirectory(hWnd, path, kFileList, kDirText, g_fileDlg.fileTypes, rest, sizeof rest)) return false;
    core::copy_bounded(g_fileDlg.spec, sizeof g_fileDlg.spec, rest);
    SetDlgItemTextA(hWnd, kNameBox, g_fileDlg.spec);
    return true;
}

// Into a directory picked in the directory list.
void EnterDirectory(HWND hWnd, char* dir, std::size_t size) {
    AppendSpec(dir, size);
    ListDirectory(hWnd, dir, kDirList, 0, kDirsAndDrives);
    ListDirectory(hWnd, g_fileDlg.spec, kFileList, kDirText, g_fileDlg.fileTypes);
}

// Open: a directory picked in the list, a directory or a specification
// typed, or a file that exists as typed or with the default extension.
// True when the view ends.
bool OnOpen(HWND hWnd) {
    char sel[256];
    if (PickedDirectory(hWnd, kDirList, sel, sizeof sel)) {
        EnterDirectory(hWnd, sel, sizeof sel);
        return false;
    }
    char* name = ReadName(hWnd);
    const std::size_t n = std::strlen(name);
    if (n && (name[n - 1] == '\\' || name[n - 1] == ':')) AppendSpec(name, sizeof g_fileDlg.name);
    if (HasWildcard(name)) {
        if (!ListFiles(hWnd, name)) MessageBeep(0);
        return false;
    }
    char dir[256];
    std::snprintf(dir, sizeof dir, "%s\\%s", name, g_fileDlg.spec);
    if (ListFiles(hWnd, dir)) return false;
    if (!FileExists(name)) {
        const std::size_t len = std::strlen(name);
        core::copy_bounded(name + len, sizeof g_fileDlg.name - len, g_fileDlg.ext);
        if (!FileExists(name)) {
            MessageBeep(0);
            return false;
        }
    }
    OemToCharA(name, name);
    vwEndModalView(vwGetView(hWnd), 1);
    return true;
}

void OnFileList(HWND hWnd, WORD code) {
    char sel[256];
    if (code == LBN_SELCHANGE) {
        if (SelectionOf(hWnd, kFileList, sel, sizeof sel)) AppendSpec(sel, sizeof sel);
        SetDlgItemTextA(hWnd, kNameBox, sel);
    } else if (code == LBN_DBLCLK) {
        SelectionOf(hWnd, kFileList, sel, sizeof sel);
        SetDlgItemTextA(hWnd, kNameBox, sel);
        SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    }
}

void OnDirList(HWND hWnd, WORD code) {
    char sel[256];
    const bool isDir = SelectionOf(hWnd, kDirList, sel, sizeof sel);
    if (code == LBN_DBLCLK && isDir) EnterDirectory(hWnd, sel, sizeof sel);
}

} // namespace

LRESULT CALLBACK vwFileOpenDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_fileDlg.openHook && g_fileDlg.openHook(hWnd, msg, wParam, lParam)) return 0;
    switch (msg) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(hWnd, kNameBox, EM_LIMITTEXT, 80, 0);
        ListDirectory(hWnd, g_fileDlg.spec, kFileList, kDirText, 0);
        ListDirectory(hWnd, "*.*", kDirList, 0, kDirsAndDrives);
        SetDlgItemTextA(hWnd, kNameBox, g_fileDlg.spec);
        return 1;
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDOK && !OnOpen(hWnd)) return 0;
        if (id == kNameBox && code == EN_CHANGE) EnableByName(hWnd, IDOK);
        if (id == kFileList) OnFileList(hWnd, code);
        if (id == kDirList) OnDirList(hWnd, code);
        break;
    }
    default:
        break;
    }
    return DefViewProc(hWnd, msg, wParam, lParam);
}

HGLOBAL VWAPI vwFileOpenDlg(HWND owner, LPCSTR fileSpec, LPCSTR defaultExt, WORD fileTypes, WNDPROC hook) {
    g_fileDlg.openHook = hook;
    core::copy_bounded(g_fileDlg.spec, sizeof g_fileDlg.spec, fileSpec ? fileSpec : "");
    core::copy_bounded(g_fileDlg.ext, sizeof g_fileDlg.ext, defaultExt ? defaultExt : "");
    g_fileDlg.fileTypes = fileTypes;
    return RunFileDialog(owner, "FileOpen", vwFileOpenDlgProc, "Unable to create file open dialog",
                         "Cannot allocate memory for editor", nullptr);
}
