// What the file open and save dialogs share: one dialog at a time.
#pragma once
#include "view/internal.h"

namespace ts {

struct FileDialogState {
    char spec[16] = {};       // wildcard specification, e.g. *.txt
    char ext[8] = {};         // default extension
    char name[256] = {};      // the name being built; the result
    WORD fileTypes = 0;       // listing bits of the open dialog's file list
    WNDPROC openHook = nullptr, saveHook = nullptr;
    WORD exists = 0;          // save dialog: the chosen file exists
    OFSTRUCT info{};          // last OpenFile answer
};
extern FileDialogState g_fileDlg;

constexpr int kNameBox = 101, kDirText = 102, kFileList = 103, kDirList = 104;
constexpr UINT kDirsAndDrives = 0xC010;  // DDL_EXCLUSIVE | DDL_DRIVES | DDL_DIRECTORY

// Fills `list` with `path` (a copy is listed: the system writes the
// specification part back into it, which is returned in `rest`).
bool ListDirectory(HWND dlg, const char* path, int list, int dirText, UINT types, char* rest = nullptr,
                   std::size_t restSize = 0);
// The list's selection; true when it is a directory or a drive.
bool SelectionOf(HWND dlg, int list, char* out, int size);
// A directory or drive picked in `list` while it is the current field.
bool PickedDirectory(HWND dlg, int list, char* out, int size);
// The name box's text (at most 79 characters) into the state's name.
char* ReadName(HWND dlg);
// Appends the specification to a directory selection.
void AppendSpec(char* path, std::size_t size);
// The button is enabled while the name box holds text.
void EnableByName(HWND dlg, int button);
// Runs a dialog view of the library and copies the chosen name into new
// global memory.
HGLOBAL RunFileDialog(HWND owner, const char* viewName, WNDPROC proc, const char* createFailure,
                      const char* memoryFailure, WORD* exists);

} // namespace ts
