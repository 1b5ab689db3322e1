// What the editor's modules share: the per-editor record, the library-wide
// working copy of it, and the settings all editors of the process use.
#pragma once
#include "view/internal.h"

#include "core/editsettings.hpp"

namespace ts {

// The record of one editor, kept in moveable global memory as the view
// window's "EditData" property.  The window and instance slots are 4 bytes
// on i686 and pointer-sized on x86_64; the rest has the same size on both.
struct EditorRecord {
    HWND edit;              // the edit control (child identifier 1)
    char path[256];         // file being edited; empty = untitled
    char spec[152];         // wildcard of the open and save dialogs
    DWORD modified;         // 1 after a change since the last load or save
    WORD flags;             // VWEDIT_MODAL, VWEDIT_HIDDEN
    WORD statusY;           // top of the status text: client height - 15
    HINSTANCE instance;     // module instance of the view
    char directory[256];    // current directory at the last open or save
};

// Settings of every editor in the process, and the search of find and
// replace.
struct EditorSettings {
    COLORREF text = 0, back = 0;
    core::EditorFont font = core::EditorFont::Unread;
    COLORREF custom[16] = {};
    bool customRead = false;
    char find[99] = {};
    char replace[99] = {};
    bool matchCase = false;
};

extern EditorRecord g_edit;          // working copy of the record being served
extern EditorSettings g_editSettings;

constexpr int kEditId = 1;
constexpr char kEditData[] = "EditData";
constexpr char kEditorCaption[] = "Editor";

// Commands of the editor's menu.
enum EditorCommand : WORD {
    kCmdNew = 101, kCmdOpen = 102, kCmdSave = 103, kCmdSaveAs = 104, kCmdExit = 105, kCmdSaveExit = 106,
    kCmdUndo = 108, kCmdCut = 109, kCmdCopy = 110, kCmdPaste = 111, kCmdClear = 112, kCmdSelectAll = 113,
    kCmdFontSystem = 114, kCmdFontFixed = 115, kCmdFontDefault = 116, kCmdFontVariable = 117,
    kCmdFind = 118, kCmdFindNext = 119, kCmdReplace = 120, kCmdTextColor = 123, kCmdBackColor = 124,
    kCmdClassHeader = 0x0880,
};

// The wait cursor for the life of the object.
class WaitCursor {
public:
    WaitCursor() : old_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
    ~WaitCursor() { SetCursor(old_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
private:
    HCURSOR old_;
};

// A moveable zero-filled global block, locked while the object lives and
// freed with it.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T size)
        : h_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)), p_(h_ ? static_cast<char*>(GlobalLock(h_)) : nullptr),
          size_(p_ ? size : 0) {}
    ~GlobalBlock() {
        if (p_) GlobalUnlock(h_);
        if (h_) GlobalFree(h_);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    char* get() const { return p_; }
    SIZE_T size() const { return size_; }
private:
    HGLOBAL h_;
    char* p_;
    SIZE_T size_;
};

// ---- the record (dialog/editor.cpp)
// Copies the view's record into the working copy; false without one.
bool LoadEditorRecord(HWND view);
// Writes the working copy back into the view's record.
void StoreEditorRecord(HWND view);
// Draws "Line:n of m" in the view's status band (loads the record).
void RefreshEditorStatus(HWND view);

// ---- files (dialog/editfile.cpp)
// Loads a file into the edit control, choosing it with the system open
// dialog first when `ask` is set (the choice goes to `path`, 256 bytes).
bool LoadEditorFile(HWND view, char* path, bool ask);
// Writes the edit control's text; with `ask` the file is chosen with the
// system save dialog and its path left in `path` (256 bytes).
bool SaveEditorFile(HWND view, char* path, bool ask);
// "Save current changes": IDYES (and saved), IDNO or IDCANCEL.
int EditorSavePrompt(HWND view);

// ---- profile and colours (dialog/editprofile.cpp)
void ReadEditorProfile();
void WriteEditorFont(core::EditorFont font);
// Writes <prefix>1 and <prefix>2, the halves of the colour.
void WriteEditorColor(const char* prefix, COLORREF color);
// The system colour dialog with the shared custom colours; true on OK.
bool RunEditorColorDialog(HWND owner, COLORREF* color);

// ---- find and replace (dialog/findreplace.cpp)
void EditorFind(HWND view, bool next);
void EditorReplace(HWND view);

} // namespace ts
