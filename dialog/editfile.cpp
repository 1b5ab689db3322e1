// Loading and saving the editor's file, with the system open and save
// dialogs, and the prompt to save changes.
#include "dialog/editor.h"
#include "dialog/replacefile.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/text.hpp"

namespace ts {
namespace {

constexpr LONG kMaxSave = 65000;

// A DOS-style file handle, closed with the object.
class DosFile {
public:
    DosFile(const char* path, UINT mode) : h_(OpenFile(path, &info_, mode)) {}
    ~DosFile() { if (ok()) _lclose(h_); }
    DosFile(const DosFile&) = delete;
    DosFile& operator=(const DosFile&) = delete;
    bool ok() const { return h_ != HFILE_ERROR; }
    HFILE get() const { return h_; }
private:
    OFSTRUCT info_{};
    HFILE h_;
};

void Report(HWND owner, const char* text, const char* path, const char* caption) {
    char message[300];
    std::snprintf(message, sizeof message, "%s%s", text, path);
    MessageBoxA(owner, message, caption, MB_OK);
}

// The open and save dialogs share one filter: "Display Files" with the
// record's specification, and the extension after its first '.'.
struct FileDialogSetup {
    char filter[200] = {};
    char title[16] = {};
    OPENFILENAMEA ofn = {};
    FileDialogSetup(HWND view, char* path, const char* title, DWORD flags) {
        const char* spec = g_edit.spec[0] ? g_edit.spec : "*.*";
        const int n = std::snprintf(filter, sizeof filter - 1, "Display Files%c%s", '\0', spec);
        if (n > 0 && static_cast<std::size_t>(n) + 1 < sizeof filter) filter[n + 1] = '\0';
        const char* dot = std::strchr(g_edit.spec, '.');
        ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // 76 bytes on i686
        ofn.hwndOwner = view;
        ofn.lpstrFilter = filter;
        ofn.lpstrFile = path;
        ofn.nMaxFile = 256;
        ofn.lpstrTitle = title;
        ofn.Flags = flags;
        ofn.lpstrDefExt = dot ? dot + 1 : nullptr;
    }
};

} // namespace

bool LoadEditorFile(HWND view, char* path, bool ask) {
    if (ask) {
        FileDialogSetup d(view, path, "Open File", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
        if (!GetOpenFileNameA(&d.ofn)) return false;
    }
    WaitCursor wait;
    DosFile file(path, OF_READ | OF_SHARE_DENY_WRITE);
    if (!file.ok()) {
        Report(view, "Cannot open file:", path, kEditorCaption);
        return false;
    }
    const DWORD size = GetFileSize(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(file.get())), nullptr);
    GlobalBlock text(size == INVALID_FILE_SIZE ? 0 : SIZE_T(size) + 1);
    if (size == INVALID_FILE_SIZE || !text.get()) {
        MessageBoxA(view, "Cannot allocate memory for File", kEditorCaption, MB_OK);
        return false;
    }
    const UINT got = _lread(file.get(), text.get(), size);
    text.get()[got == static_cast<UINT>(HFILE_ERROR) ? 0 : got] = '\0';
    SetDlgItemTextA(view, kEditId, text.get());
    return true;
}

// The text goes to a temporary file beside the target, which replaces the
// target only once every byte is written: a failed save leaves the file on
// disk as it was.
bool SaveEditorFile(HWND view, char* path, bool ask) {
    if (ask) {
        path[0] = '\0';
        FileDialogSetup d(view, path, nullptr,
                          OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
        if (!GetSaveFileNameA(&d.ofn)) return false;
    }
    ReplacingFile file(path);
    if (!file.ok()) {
        Report(view, "Cannot create file ", path, path);
        return false;
    }
    WaitCursor wait;
    HWND edit = GetDlgItem(view, kEditId);
    const LONG length = GetWindowTextLengthA(edit);
    if (length > kMaxSave) {
        MessageBoxA(view, "File too large.\n File will be truncated to 65000 bytes.", kEditorCaption, MB_OK);
    }
    GlobalBlock text(SIZE_T(length) + 2);
    if (!text.get()) return false;
    LONG got = GetWindowTextA(edit, text.get(), length + 1);
    if (got > kMaxSave) got = kMaxSave;
    if (!file.write(std::string_view(text.get(), got > 0 ? static_cast<std::size_t>(got) : 0)) || !file.commit()) {
        Report(view, "Cannot write file to disk:", path, path);
        return false;
    }
    return true;
}

int EditorSavePrompt(HWND view) {
    char message[300];
    std::snprintf(message, sizeof message, "Save current changes: %s", g_edit.path[0] ? g_edit.path : "(Untitled)");
    const int answer = MessageBoxA(view, message, kEditorCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) {
        StoreEditorRecord(view);
        if (SendMessageA(view, WM_COMMAND, kCmdSave, 0) == 0) return IDCANCEL;
        LoadEditorRecord(view);
    }
    return answer;
}

} // namespace ts
