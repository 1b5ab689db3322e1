// The text editor: vwEditFile opens a view filled by a multi-line edit
// control, and EditFileViewProc serves its menu, its status band and its
// record.
#include "dialog/editor.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/text.hpp"

namespace ts {

EditorRecord g_edit{};
EditorSettings g_editSettings;

namespace {

constexpr DWORD kEditorStyle = 0x10CF0000;  // visible overlapped window with sizing frame and boxes
constexpr DWORD kEditStyle = 0x503000C4;    // visible child, both scroll bars, multi-line, auto-scrolling
constexpr int kStatusBand = 15;             // height kept free below the edit control
constexpr int kGrayBand = 25;               // height of the grey band painted at the bottom

HWND EditOf(HWND view) { return GetDlgItem(view, kEditId); }

void SetCaption(HWND view, const char* prefix, const char* path, const char* suffix) {
    char caption[300];
    std::snprintf(caption, sizeof caption, "%s%s%s", prefix, path, suffix);
    SetWindowTextA(view, caption);
}

// The current directory, at most 255 characters; a longer one is not kept.
void RememberDirectory() {
    const DWORD n = GetCurrentDirectoryA(255, g_edit.directory);
    if (n == 0 || n >= 255) g_edit.directory[0] = '\0';
}

void TrimTrailingBlanks(char* s) {
    std::size_t n = std::strlen(s);
    while (n && s[n - 1] == ' ') s[--n] = '\0';
}

// ---- creation

LRESULT OnCreate(HWND view, WPARAM wParam, LPARAM lParam) {
    HWND edit = CreateWindowExA(0, "edit", nullptr, kEditStyle, 0, 0, 0, 0, view,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), g_lib.module, nullptr);
    if (edit) SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorWndProc));
    g_edit.edit = edit;
    g_edit.instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(view, GWLP_HINSTANCE));

    HGLOBAL record = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(EditorRecord));
    if (!record) {
        MessageBoxA(view, "Cannot allocate memory for editor", kEditorCaption, MB_OK);
        return 0;
    }
    SetPropA(view, kEditData, record);
    StoreEditorRecord(view);
    if (VWVIEW* v = ViewFromWindow(view)) vwSetViewIcon(v, LoadIconA(g_lib.module, "EDITICON"));

    HMENU menu = LoadMenuA(g_lib.module, "EDITOR");
    if (menu && core::contains_nocase(g_edit.path, ".cpp"))
        InsertMenuA(GetSubMenu(menu, 0), kCmdSave, MF_BYCOMMAND | MF_STRING, kCmdClassHeader, "Open Class &Header...");
    SetMenu(view, menu);
    SendMessageA(edit, EM_LIMITTEXT, 0, 0);

    if (g_edit.path[0]) {
        char path[256];
        core::copy_bounded(path, sizeof path, g_edit.path);
        g_edit.path[0] = '\0';
        OemToCharA(path, path);
        OFSTRUCT of{};
        const HFILE probe = OpenFile(path, &of, OF_READ);
        if (probe == HFILE_ERROR) {
            char message[300];
            std::snprintf(message, sizeof message, "Cannot open file: %s", path);
            MessageBoxA(GetFocus(), message, kEditorCaption, MB_OK);
        } else {
            _lclose(probe);
            CharLowerA(path);
            if (!LoadEditorFile(view, path, false)) {
                PostMessageA(view, WM_COMMAND, kCmdExit, 0);
                SetWindowLongA(view, GWL_STYLE, WS_POPUP);
                SetWindowTextA(view, "Edit File(Untitled)");
                StoreEditorRecord(view);
                return 0;
            }
            core::copy_bounded(g_edit.path, sizeof g_edit.path, path);
            SetCaption(view, "Edit File(", path, ")");
        }
    } else {
        SetWindowTextA(view, "Edit File(Untitled)");
    }
    RememberDirectory();
    StoreEditorRecord(view);
    return DefViewProc(view, WM_CREATE, wParam, lParam);
}

// ---- commands

// True when the user lets the current text go (saved it, or said No).
bool MayDiscard(HWND view) { return !g_edit.modified || EditorSavePrompt(view) != IDCANCEL; }

void EndEditor(HWND view) {
    VWVIEW* v = ViewFromWindow(view);
    if ((g_edit.flags & VWEDIT_MODAL) && v) vwEndModalView(v, 1);
    else DestroyWindow(view);
}

LRESULT SaveAs(HWND view) {
    char path[256];
    const bool ok = SaveEditorFile(view, path, true);
    if (ok) {
        core::copy_bounded(g_edit.path, sizeof g_edit.path, path);
        g_edit.modified = 0;
        SetWindowTextA(view, path);
    }
    RememberDirectory();
    StoreEditorRecord(view);
    return ok;
}

LRESULT Save(HWND view) {
    if (!g_edit.path[0]) return SaveAs(view);
    if (!g_edit.modified) return 1;
    const bool ok = SaveEditorFile(view, g_edit.path, false);
    if (ok) g_edit.modified = 0;
    RememberDirectory();
    StoreEditorRecord(view);
    return ok;
}

void ChooseFont(HWND view, WORD command) {
    HWND edit = EditOf(view);
    HFONT font = nullptr;
    HANDLE old = nullptr;  // the font the editor made before, deleted once replaced
    core::EditorFont choice = core::EditorFont::System;
    switch (command) {
    case kCmdFontSystem:
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        break;
    case kCmdFontVariable:
        font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
        choice = core::EditorFont::Variable;
        break;
    default: {
        choice = command == kCmdFontFixed ? core::EditorFont::Fixed : core::EditorFont::Default;
        font = vwCreateFont("Courier New", command == kCmdFontFixed ? 8 : 10, 0);
        old = GetPropA(view, "HFONT");
        SetPropA(view, "HFONT", font);
        break;
    }
    }
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (old) DeleteObject(old);
    InvalidateRect(edit, nullptr, TRUE);
    g_editSettings.font = choice;
    WriteEditorFont(choice);
    if (HMENU menu = GetMenu(view))
        for (WORD id = kCmdFontSystem; id <= kCmdFontVariable; ++id)
            CheckMenuItem(menu, id, MF_BYCOMMAND | (id == command ? MF_CHECKED : MF_UNCHECKED));
}

void ChooseColour(HWND view, bool text) {
    VWVIEW* v = ViewFromWindow(view);
    COLORREF color = text ? g_editSettings.text : g_editSettings.back;
    if (!v || !RunEditorColorDialog(view, &color)) return;
    if (text) {
        g_editSettings.text = color;
        vwSetViewDefColors(v, color, v->bkColor, color, v->selBkColor);
        WriteEditorColor("ForeColor", color);
    } else {
        g_editSettings.back = color;
        vwSetViewBackBrush(v, CreateSolidBrush(color));
        v->ownsBackBrush = 1;
        WriteEditorColor("BackColor", color);
    }
    InvalidateRect(view, nullptr, TRUE);
    InvalidateRect(EditOf(view), nullptr, TRUE);
}

void OpenClassHeader(HWND view) {
    HWND parent = static_cast<HWND>(GetPropA(view, "VWPARENT"));
    char header[256] = {};
    HGLOBAL include = parent ? static_cast<HGLOBAL>(GetPropA(parent, "INCLUDE")) : nullptr;
    if (const char* p = include ? static_cast<const char*>(GlobalLock(include)) : nullptr) {
        // the application's block need not end in a zero
        const SIZE_T size = GlobalSize(include);
        core::copy_bounded(header, sizeof header, std::string_view(p, strnlen(p, size)));
        GlobalUnlock(include);
    } else {
        core::copy_bounded(header, sizeof header, g_edit.path);
        if (char* dot = std::strchr(header, '.')) *dot = '\0';
        const std::size_t n = std::strlen(header);
        core::copy_bounded(header + n, sizeof header - n, ".h");
    }
    vwEditFile(parent, header, "*.h", 10, 5, 270, 180, 0);
}

LRESULT OnCommand(HWND view, WPARAM wParam, LPARAM lParam) {
    LoadEditorRecord(view);
    const WORD id = LOWORD(wParam);
    HWND edit = EditOf(view);
    if (id == kEditId && lParam) {
        if (HIWORD(wParam) == EN_UPDATE) {
            g_edit.modified = 1;
            StoreEditorRecord(view);
        } else if (HIWORD(wParam) == EN_ERRSPACE) {
            MessageBoxA(view, "Editor out of memory", kEditorCaption, MB_ICONHAND);
        }
        return DefViewProc(view, WM_COMMAND, wParam, lParam);
    }
    switch (id) {
    case kCmdNew:
        if (!MayDiscard(view)) return 0;
        SetWindowTextA(view, "(Untitled)");
        SetWindowTextA(edit, "");
        g_edit.path[0] = '\0';
        g_edit.modified = 0;
        StoreEditorRecord(view);
        RefreshEditorStatus(view);
        return 0;
    case kCmdOpen: {
        if (!MayDiscard(view)) return 0;
        char path[256] = {};
        if (LoadEditorFile(view, path, true)) {
            core::copy_bounded(g_edit.path, sizeof g_edit.path, path);
            SetCaption(view, "Edit File(", path, ")");
            g_edit.modified = 0;
        }
        RememberDirectory();
        StoreEditorRecord(view);
        return 0;
    }
    case kCmdSave:
        return Save(view);
    case kCmdSaveAs:
        return SaveAs(view);
    case kCmdExit:
        if (!MayDiscard(view)) return 0;
        EndEditor(view);
        return 0;
    case kCmdSaveExit:
        // a save that did not happen keeps the text open, still modified
        if (!Save(view)) return 0;
        LoadEditorRecord(view);
        EndEditor(view);
        return 0;
    case kCmdUndo: case kCmdCut: case kCmdCopy: case kCmdPaste: case kCmdClear: {
        static constexpr UINT kMessages[] = {EM_UNDO, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR};
        SendMessageA(edit, kMessages[id - kCmdUndo], 0, 0);
        RefreshEditorStatus(view);
        return 0;
    }
    case kCmdSelectAll:
        SendMessageA(edit, EM_SETSEL, 0, 32767);
        return 0;
    case kCmdFontSystem: case kCmdFontFixed: case kCmdFontDefault: case kCmdFontVariable:
        ChooseFont(view, id);
        return 0;
    case kCmdFind: case kCmdFindNext:
        EditorFind(view, id == kCmdFindNext);
        return 0;
    case kCmdReplace:
        EditorReplace(view);
        return 0;
    case kCmdTextColor: case kCmdBackColor:
        ChooseColour(view, id == kCmdTextColor);
        return 0;
    case kCmdClassHeader:
        OpenClassHeader(view);
        return 0;
    default:
        return DefViewProc(view, WM_COMMAND, wParam, lParam);
    }
}

// ---- other messages

void OnDestroy(HWND view) {
    if (HANDLE record = RemovePropA(view, kEditData)) GlobalFree(record);
    if (HANDLE font = RemovePropA(view, "HFONT")) {
        SendMessageA(EditOf(view), WM_SETFONT, 0, FALSE);
        DeleteObject(font);
    }
    HWND parent = static_cast<HWND>(GetPropA(view, "VWPARENT"));
    if (parent && IsWindow(parent))
        if (HANDLE include = RemovePropA(parent, "INCLUDE")) GlobalFree(include);
}

void OnSize(HWND view, int width, int height) {
    g_edit.statusY = static_cast<WORD>(height - kStatusBand);
    StoreEditorRecord(view);
    MoveWindow(EditOf(view), 0, 0, width, height - kStatusBand, TRUE);
    RefreshEditorStatus(view);
}

void OnPaint(HWND view) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(view, &ps);
    RECT rc;
    GetClientRect(view, &rc);
    rc.top = rc.bottom - kGrayBand;
    FillRect(dc, &rc, g_lib.grayBrush ? g_lib.grayBrush : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    EndPaint(view, &ps);
}

void OnInitMenuPopup(HWND view, HMENU menu) {
    HWND edit = EditOf(view);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const UINT selection = start != end ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(menu, kCmdUndo, MF_BYCOMMAND | (SendMessageA(edit, EM_CANUNDO, 0, 0) ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, kCmdPaste, MF_BYCOMMAND | (IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, kCmdCut, MF_BYCOMMAND | selection);
    EnableMenuItem(menu, kCmdCopy, MF_BYCOMMAND | selection);
    EnableMenuItem(menu, kCmdClear, MF_BYCOMMAND | selection);
}

bool IsEditQuery(UINT msg) {
    return (msg >= EM_GETSEL && msg <= EM_SETRECTNP) || msg == EM_LINESCROLL ||
           (msg >= EM_GETMODIFY && msg <= EM_GETHANDLE) || msg == EM_LINELENGTH || msg == EM_REPLACESEL ||
           msg == EM_GETLINE || (msg >= EM_CANUNDO && msg <= EM_LINEFROMCHAR) ||
           (msg >= EM_SETTABSTOPS && msg <= EM_GETPASSWORDCHAR);
}

} // namespace

bool LoadEditorRecord(HWND view) {
    HGLOBAL h = static_cast<HGLOBAL>(GetPropA(view, kEditData));
    const void* p = h ? GlobalLock(h) : nullptr;
    if (!p) return false;
    std::memcpy(&g_edit, p, sizeof g_edit);
    GlobalUnlock(h);
    return true;
}

void StoreEditorRecord(HWND view) {
    HGLOBAL h = static_cast<HGLOBAL>(GetPropA(view, kEditData));
    void* p = h ? GlobalLock(h) : nullptr;
    if (!p) return;
    std::memcpy(p, &g_edit, sizeof g_edit);
    GlobalUnlock(h);
}

void RefreshEditorStatus(HWND view) {
    HWND edit = EditOf(view);
    if (!edit || !LoadEditorRecord(view)) return;
    DWORD start = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const LRESULT line = SendMessageA(edit, EM_LINEFROMCHAR, start, 0) + 1;
    const LRESULT count = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    char text[64];
    const int n = std::snprintf(text, sizeof text, "Line:%d of %d     ", static_cast<int>(line), static_cast<int>(count));
    WindowDC dc(view);
    SelectGuard font(dc, GetStockObject(ANSI_VAR_FONT));
    SetBkColor(dc, RGB(192, 192, 192));
    TextOutA(dc, 10, g_edit.statusY, text, n);
}

} // namespace ts

using namespace ts;

LRESULT CALLBACK EditFileViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsEditQuery(msg)) return SendMessageA(GetDlgItem(hWnd, kEditId), msg, wParam, lParam);
    switch (msg) {
    case VWM_EDITORWINDOW:
        return reinterpret_cast<LRESULT>(GetDlgItem(hWnd, kEditId));
    case WM_CREATE:
        return OnCreate(hWnd, wParam, lParam);
    case WM_DESTROY:
        OnDestroy(hWnd);
        break;
    case WM_SIZE:
        LoadEditorRecord(hWnd);
        OnSize(hWnd, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SETFOCUS:
        if (LoadEditorRecord(hWnd) && g_edit.directory[0]) SetCurrentDirectoryA(g_edit.directory);
        SetFocus(GetDlgItem(hWnd, kEditId));
        return 0;
    case WM_PAINT:
        OnPaint(hWnd);
        return 0;
    case WM_NCDESTROY:
        DefViewProc(hWnd, msg, wParam, lParam);
        return 0;
    case WM_INITDIALOG:
        LoadEditorRecord(hWnd);
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && LoadEditorRecord(hWnd) && g_edit.modified &&
            EditorSavePrompt(hWnd) == IDCANCEL)
            return 0;
        break;
    case WM_INITMENUPOPUP:
        if (LOWORD(lParam) == 1 && !HIWORD(lParam)) OnInitMenuPopup(hWnd, reinterpret_cast<HMENU>(wParam));
        break;
    case WM_CTLCOLOREDIT: {
        VWVIEW* v = ViewFromWindow(hWnd);
        if (!v || !v->hBackBrush) break;
        SetTextColor(reinterpret_cast<HDC>(wParam), g_editSettings.text);
        SetBkColor(reinterpret_cast<HDC>(wParam), g_editSettings.back);
        return reinterpret_cast<LRESULT>(v->hBackBrush);
    }
    case WM_COMMAND:
        return OnCommand(hWnd, wParam, lParam);
    default:
        break;
    }
    return DefViewProc(hWnd, msg, wParam, lParam);
}

LONG_PTR VWAPI vwEditFile(HWND parent, LPCSTR path, LPCSTR fileSpec, int x, int y, int cx, int cy, WORD flags) {
    if (!parent || !IsWindow(parent)) {
        MessageBoxA(GetFocus(), "No parent window for Editor", "Tessarine", MB_OK);
        return 0;
    }
    g_edit = EditorRecord{};
    char name[45] = {};
    core::copy_bounded(name, sizeof name, path ? path : "");
    TrimTrailingBlanks(name);
    core::copy_bounded(g_edit.path, sizeof g_edit.path, name);
    core::copy_bounded(g_edit.spec, sizeof g_edit.spec, fileSpec ? fileSpec : "");
    g_edit.flags = flags;

    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    VWVIEW* view = vwOpenView(inst, name, kEditorStyle, parent, EditFileViewProc, 0);
    if (!view) return 0;
    HWND hWnd = view->hWnd;
    vwSetViewPosition(view, x, y, cx, cy, VWP_DIALOGUNITS);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    int left = rc.left, top = rc.top;
    if (rc.right > sw) left = sw - (rc.right - rc.left) - 4;
    if (rc.bottom > sh) top = sh - (rc.bottom - rc.top) - 4;
    if (left != rc.left || top != rc.top) SetWindowPos(hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    auto& s = g_editSettings;
    if (s.font == core::EditorFont::Unread) ReadEditorProfile();
    vwSetViewDefColors(view, s.text, s.back, s.text, s.back);
    vwSetViewBackBrush(view, CreateSolidBrush(s.back));
    view->ownsBackBrush = 1;
    if (s.font != core::EditorFont::Unread)
        SendMessageA(hWnd, WM_COMMAND, kCmdFontSystem + static_cast<int>(s.font) - 1, 0);

    if (flags & VWEDIT_MODAL) return vwShowModalView(view);
    if (flags & VWEDIT_HIDDEN) return reinterpret_cast<LONG_PTR>(vwShowViewWindow(view, SW_HIDE));
    return reinterpret_cast<LONG_PTR>(vwShowView(view));
}
