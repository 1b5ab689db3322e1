#include "dialog/filedlg.h"

#include <cstring>

#include "core/text.hpp"

namespace ts {

FileDialogState g_fileDlg;

bool ListDirectory(HWND dlg, const char* path, int list, int dirText, UINT types, char* rest, std::size_t restSize) {
    char buf[256];
    core::copy_bounded(buf, sizeof buf, path);
    const bool ok = DlgDirListA(dlg, buf, list, dirText, types) != 0;
    if (ok && rest) core::copy_bounded(rest, restSize, buf);
    return ok;
}

bool SelectionOf(HWND dlg, int list, char* out, int size) {
    out[0] = '\0';
    return DlgDirSelectExA(dlg, out, size, list) != 0;
}

bool PickedDirectory(HWND dlg, int list, char* out, int size) {
    out[0] = '\0';
    return vwGetCurrField(vwGetView(dlg)) == list && SelectionOf(dlg, list, out, size);
}

char* ReadName(HWND dlg) {
    GetDlgItemTextA(dlg, kNameBox, g_fileDlg.name, 80);
    return g_fileDlg.name;
}

void AppendSpec(char* path, std::size_t size) {
    const std::size_t n = std::strlen(path);
    if (n < size) core::copy_bounded(path + n, size - n, g_fileDlg.spec);
}

void EnableByName(HWND dlg, int button) {
    const bool named = SendDlgItemMessageA(dlg, kNameBox, WM_GETTEXTLENGTH, 0, 0) > 0;
    EnableWindow(GetDlgItem(dlg, button), named);
}

HGLOBAL RunFileDialog(HWND owner, const char* viewName, WNDPROC proc, const char* createFailure,
                      const char* memoryFailure, WORD* exists) {
    if (owner && !IsWindow(owner)) owner = nullptr;
    VWVIEW* view = vwCreateView(g_lib.module, viewName, owner, proc, 0);
    if (!view) {
        MessageBoxA(GetFocus(), createFailure, nullptr, MB_ICONHAND);
        return nullptr;
    }
    const LONG result = vwShowModalView(view);
    if (result == -1) return nullptr;
    if (exists) *exists = g_fileDlg.exists;
    if (result == 0) return nullptr;
    const std::size_t n = std::strlen(g_fileDlg.name);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n + 1);
    char* p = mem ? static_cast<char*>(GlobalLock(mem)) : nullptr;
    if (!p) {
        if (mem) GlobalFree(mem);
        MessageBoxA(GetFocus(), memoryFailure, "Editor", MB_OK);
        return nullptr;
    }
    std::memcpy(p, g_fileDlg.name, n + 1);
    GlobalUnlock(mem);
    return mem;
}

} // namespace ts
