// The file save dialog: one list of directories, drives and files, and a
// name box whose name gets the default extension when it has none.
#include "dialog/filedlg.h"

#include <cstring>

#include "core/text.hpp"

using namespace ts;

namespace {

constexpr UINT kWithFiles = 0x4010;  // DDL_DRIVES | DDL_DIRECTORY and the matching files

void EnterDirectory(HWND hWnd, char* dir, std::size_t size) {
    AppendSpec(dir, size);
    ListDirectory(hWnd, dir, kFileList, kDirText, kDirsAndDrives);
}

// Save: into a directory picked in the list, or end with the typed name.
// False when the dialog stays.
bool OnSave(HWND hWnd) {
    char sel[256];
    if (PickedDirectory(hWnd, kFileList, sel, sizeof sel)) {
        EnterDirectory(hWnd, sel, sizeof sel);
        return false;
    }
    char* name = ReadName(hWnd);
    if (OpenFile(name, &g_fileDlg.info, OF_PARSE) == HFILE_ERROR) {
        MessageBeep(0);
        vwEndModalView(vwGetView(hWnd), 1);  // the typed name is returned
        return true;
    }
    const char* path = g_fileDlg.info.szPathName;
    const char* file = std::strrchr(path, '\\');
    file = file ? file + 1 : path;
    if (!std::strchr(file, '.') && !std::strchr(g_fileDlg.ext, '*')) {
        const std::size_t n = std::strlen(name);
        core::copy_bounded(name + n, sizeof g_fileDlg.name - n, g_fileDlg.ext);
    }
    OFSTRUCT probe{};
    g_fileDlg.exists = OpenFile(name, &probe, OF_EXIST) != HFILE_ERROR ? 1 : 0;
    OemToCharA(name, name);
    vwEndModalView(vwGetView(hWnd), 1);
    return false;
}

void OnList(HWND hWnd, WORD code) {
    char sel[256];
    const bool isDir = SelectionOf(hWnd, kFileList, sel, sizeof sel);
    if (code == LBN_SELCHANGE) {
        if (isDir) AppendSpec(sel, sizeof sel);
        else SetDlgItemTextA(hWnd, kNameBox, sel);
    } else if (code == LBN_DBLCLK) {
        if (isDir) {
            EnterDirectory(hWnd, sel, sizeof sel);
            SetDlgItemTextA(hWnd, kNameBox, g_fileDlg.spec);
        } else {
            SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
        }
    }
}

} // namespace

LRESULT CALLBACK vwFileSaveDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_fileDlg.saveHook && g_fileDlg.saveHook(hWnd, msg, wParam, lParam)) return 0;
    switch (msg) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(hWnd, kNameBox, EM_LIMITTEXT, 80, 0);
        ListDirectory(hWnd, g_fileDlg.spec, kFileList, kDirText, kWithFiles);
        SetDlgItemTextA(hWnd, kNameBox, g_fileDlg.spec);
        return 0;
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDOK && !OnSave(hWnd)) return 0;
        if (id == kNameBox && code == EN_CHANGE) EnableByName(hWnd, IDOK);
        if (id == kFileList) OnList(hWnd, code);
        break;
    }
    default:
        break;
    }
    return DefViewProc(hWnd, msg, wParam, lParam);
}

HGLOBAL VWAPI vwFileSaveDlg(HWND owner, LPCSTR fileSpec, LPCSTR defaultExt, WORD* fileExists, WNDPROC hook) {
    g_fileDlg.saveHook = hook;
    core::copy_bounded(g_fileDlg.spec, sizeof g_fileDlg.spec, fileSpec ? fileSpec : "");
    core::copy_bounded(g_fileDlg.ext, sizeof g_fileDlg.ext, defaultExt ? defaultExt : "");
    if (!std::strchr(g_fileDlg.ext, '.')) {
        const std::size_t n = std::strlen(g_fileDlg.ext);
        core::copy_bounded(g_fileDlg.ext + n, sizeof g_fileDlg.ext - n, ".");
    }
    g_fileDlg.exists = 0;
    return RunFileDialog(owner, "FileSave", vwFileSaveDlgProc, "Unable to create file save dialog",
                         "Cannot allocate memory for FileName", fileExists);
}
