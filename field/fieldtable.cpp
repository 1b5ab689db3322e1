// The view's table of fields: creating a field's control, finding fields by
// identifier, number, window and variable, deleting and reordering them.
#include "view/internal.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/fieldclass.hpp"
#include "core/text.hpp"

namespace ts {

void ClearFieldCache() {
    g_lib.cacheView = nullptr;
    g_lib.cacheId = 0;
    g_lib.cacheNumber = 0;
}

VWFIELD* FieldFromID(VWVIEW* view, LONG id) {
    if (!view) view = g_lib.current;
    return FieldAt(view, vwGetFieldFromID(view, id));
}

namespace {
// The last window found by FieldNumberFromWindow.  Every message to a field
// asks for its number, mostly for the same field many times in a row; the
// entry answers while that slot of that view still holds that window.
struct {
    VWVIEW* view = nullptr;
    HWND hWnd = nullptr;
    int number = 0;
} g_lastWindow;
} // namespace

int FieldNumberFromWindow(VWVIEW* view, HWND hWnd) {
    if (view == g_lastWindow.view && hWnd == g_lastWindow.hWnd) {
        VWFIELD* f = FieldAt(view, g_lastWindow.number);
        if (f && f->hWnd == hWnd) return g_lastWindow.number;
    }
    for (int n = 1; n <= view->fieldCount; ++n) {
        if (view->fields[n]->hWnd == hWnd) {
            g_lastWindow = {view, hWnd, n};
            return n;
        }
    }
    return 0;
}

// Frees what a field record owns, and the record.
void FreeFieldRecord(VWFIELD* f) {
    if (!f) return;
    if (f->hDirectives) LocalFree(f->hDirectives);
    if (f->colors) {
        DeleteObject(f->colors->hSelBackBrush);
        DeleteObject(f->colors->hBackBrush);
        LocalFree(f->colors);
    }
    if (f->name) LocalFree(f->name);
    LocalFree(f);
}

namespace {

WNDPROC DefaultProcFor(core::FieldProcKind kind, HWND control) {
    switch (kind) {
    case core::FieldProcKind::Edit: return DefEditProc;
    case core::FieldProcKind::Button: return DefButtonProc;
    case core::FieldProcKind::Static: return DefStaticProc;
    case core::FieldProcKind::ListBox: return DefListBoxProc;
    case core::FieldProcKind::ComboBox: return DefComboBoxProc;
    case core::FieldProcKind::ScrollBar: return DefScrollProc;
    case core::FieldProcKind::TableCombo:
    case core::FieldProcKind::OwnProcedure:
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
    case core::FieldProcKind::TSControl: break;
    }
    return DefTSControlProc;
}

// The edit child of a combo box: its first child, or that child's next
// sibling when there is one.
void SubclassComboEdit(HWND combo) {
    HWND child = GetWindow(combo, GW_CHILD);
    if (!child) return;
    if (HWND next = GetWindow(child, GW_HWNDNEXT)) child = next;
    g_lib.comboEditProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(child, GWLP_WNDPROC));
    SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboSubProc));
}

using Ctl3dSubclassCtlProc = BOOL(WINAPI*)(HWND);

void WriteUnresolvedLine(VWVIEW* view, LONG id) {
    char module[181] = {};
    HINSTANCE inst = view->hWnd ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(view->hWnd, GWLP_HINSTANCE)) : nullptr;
    GetModuleFileNameA(inst, module, sizeof module - 1);
    const char* base = module;
    for (const char* p = module; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
    if (view->name[2] == '\0') {
        std::snprintf(g_lib.debugLine, sizeof g_lib.debugLine,
                      "wn %s -> Unresolved Field ID: %d in View RC Id: %x\r\n", base, static_cast<int>(id),
                      static_cast<int>(static_cast<signed char>(view->name[0])));
    } else {
        if (view->name[0] == '\0') core::copy_bounded(view->name, sizeof view->name, "Dynamic");
        std::snprintf(g_lib.debugLine, sizeof g_lib.debugLine, "wn %s -> Unresolved Field ID: %d in View: %s\r\n",
                      base, static_cast<int>(id), view->name);
    }
    DebugLine(g_lib.debugLine);
}

} // namespace
} // namespace ts

using namespace ts;

int VWAPI vwSetFieldEx(HVIEW view, LONG id, LPCSTR className, LPCSTR text, DWORD style, DWORD exStyle, int x,
                       int y, int cx, int cy, void* var, WNDPROC fieldProc) {
    const std::string_view given = className ? className : "";
    const std::string cls = core::normalize_field_class(given);
    char caption[156] = {};
    core::copy_bounded(caption, sizeof caption, text ? text : "");

    int n;
    VWFIELD* f;
    if (g_lib.recreateSlot) {
        n = g_lib.recreateSlot;
        f = view->fields[n];
    } else {
        if (view->fieldCount >= VW_MAXFIELDS) {
            ShowSystemErrorBox(view->hWnd, "Tessarine unable to allocate additional field");
            return 0;
        }
        n = ++view->fieldCount;
        f = static_cast<VWFIELD*>(LocalAlloc(LPTR, sizeof(VWFIELD)));
        if (!f) {
            --view->fieldCount;
            return 0;
        }
        view->fields[n] = f;
    }

    LONG r[4] = {x, y, cx, cy};
    vwMapDialogToScreen(view->hWnd, r);
    f->id = id;
    f->var = var;
    f->fieldProc = fieldProc;
    if (view->currentField == 0) view->currentField = 1;

    if (core::equals_nocase(given, "button")) {
        if (style & WS_DLGFRAME) {
            style &= ~WS_DLGFRAME;
            view->okButton = static_cast<DWORD>(id);
        } else if (style & WS_MAXIMIZE) {
            style &= ~WS_MAXIMIZE;
            view->cancelButton = static_cast<DWORD>(id);
        }
    }
    if (core::equals_nocase(cls, "listbox") && g_lib.windows4) style &= ~WS_BORDER;
    style |= WS_CHILD;

    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(view->hWnd, GWLP_HINSTANCE));
    f->hWnd = CreateWindowExA(exStyle, cls.c_str(), caption[0] ? caption : nullptr, style, r[0], r[1], r[2], r[3],
                              view->hWnd, reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), inst, nullptr);
    if (!f->hWnd) {
        char msg[200];
        std::snprintf(msg, sizeof msg, "Unable to create Control Class: %s.\nControl class must be registered.",
                      cls.c_str());
        LibraryMessageBox(nullptr, msg, "Tessarine", MB_ICONHAND);
        if (g_lib.recreateSlot) {
            // the old control is gone: the field leaves the table as if deleted
            g_lib.recreateSlot = 0;
            vwDeleteField(view, id);
            return 0;
        }
        view->fields[n] = nullptr;
        --view->fieldCount;
        FreeFieldRecord(f);
        return 0;
    }

    f->dlgCode = static_cast<WORD>(SendMessageA(f->hWnd, WM_GETDLGCODE, 0, 0));
    const core::FieldProcKind kind = core::field_proc_kind(cls);
    f->defFieldProc = DefaultProcFor(kind, f->hWnd);
    switch (kind) {
    case core::FieldProcKind::Edit:
        SetPropA(f->hWnd, "EditHandle", nullptr);
        break;
    case core::FieldProcKind::ComboBox:
    case core::FieldProcKind::TableCombo:
        SubclassComboEdit(f->hWnd);
        break;
    case core::FieldProcKind::TSControl:
        if (core::contains_nocase(cls, "msctls_updown"))
            SetWindowPos(f->hWnd, nullptr, 0, 0, r[2], r[3], SWP_NOMOVE | SWP_NOZORDER);
        break;
    default:
        break;
    }

    SetWindowLongPtrA(f->hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(vwInterFieldProc));
    f->dlgCode |= VW_DLGC_FIELD;
    if (view->hFont) SendMessageA(f->hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(view->hFont), FALSE);
    if (core::equals_nocase(cls, "borradio")) f->dlgCode |= DLGC_RADIOBUTTON;

    if ((view->flags & VWF_CTL3D) && !g_lib.windows4 && g_lib.ctl3d) {
        if (auto sub = reinterpret_cast<Ctl3dSubclassCtlProc>(
                reinterpret_cast<void*>(GetProcAddress(g_lib.ctl3d, "Ctl3dSubclassCtl"))))
            sub(f->hWnd);
    }
    return n;
}

int VWAPI vwSetField(HVIEW view, LONG id, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int cx, int cy,
                     void* var, WNDPROC fieldProc) {
    return vwSetFieldEx(view, id, className, text, style, 0, x, y, cx, cy, var, fieldProc);
}

int VWAPI vwResetFieldEx(HVIEW view, LONG id, LPCSTR className, LPCSTR text, DWORD style, DWORD exStyle, int x,
                         int y, int cx, int cy, void* var, WNDPROC fieldProc) {
    const int n = vwGetFieldFromID(view, id);
    VWFIELD* f = FieldAt(view, n);
    if (!f) return 0;
    static char s_className[25];
    core::copy_bounded(s_className, sizeof s_className, className ? className : "");
    char caption[512];
    core::copy_bounded(caption, sizeof caption, text ? text : "");

    if (x == 0 && y == 0 && cx == 0 && cy == 0) {
        LONG r[4] = {vwGetFieldXPos(view, id), vwGetFieldYPos(view, id), vwGetFieldWidth(view, id),
                     vwGetFieldHeight(view, id)};
        vwMapScreenToDialog(view->hWnd, r);
        x = r[0];
        y = r[1];
        cx = r[2];
        cy = r[3];
    }
    HWND prev = GetWindow(f->hWnd, GW_HWNDPREV);
    if (IsWindow(f->hWnd)) DestroyWindow(f->hWnd);

    g_lib.recreateSlot = n;
    int result = vwSetFieldEx(view, id, s_className, caption, style, exStyle, x, y, cx, cy, var, fieldProc);
    g_lib.recreateSlot = 0;
    if (!result) return 0;
    SetWindowPos(view->fields[n]->hWnd, prev ? prev : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW);
    return result;
}

int VWAPI vwResetField(HVIEW view, LONG id, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int cx,
                       int cy, void* var, WNDPROC fieldProc) {
    return vwResetFieldEx(view, id, className, text, style, 0, x, y, cx, cy, var, fieldProc);
}

int VWAPI vwGetFieldFromID(HVIEW view, LONG id) {
    if (!view) {
        DebugLine("wn NULL View handle in vwGetFieldFrom ID\r\n");
        view = g_lib.current;
        if (!view) return 0;
    } else {
        if (g_lib.cacheView == view && g_lib.cacheId == id && g_lib.cacheNumber) return g_lib.cacheNumber;
        for (int n = 1; n <= view->fieldCount; ++n) {
            if (view->fields[n]->id == id) {
                g_lib.cacheView = view;
                g_lib.cacheId = id;
                g_lib.cacheNumber = n;
                return n;
            }
        }
        ClearFieldCache();
    }
    WriteUnresolvedLine(view, id);
    return view->fieldCount;
}

LONG VWAPI vwGetIDFromField(HVIEW view, int n) {
    VWFIELD* f = FieldAt(view, n);
    return f ? GetWindowLongA(f->hWnd, GWL_ID) : 0;
}

HWND VWAPI vwGetFieldNoWindow(HVIEW view, int n) {
    VWFIELD* f = FieldAt(view, n);
    return f ? f->hWnd : nullptr;
}

HWND VWAPI vwGetFieldWindow(HVIEW view, LONG id) {
    VWFIELD* f = FieldFromID(view, id);
    return f ? f->hWnd : nullptr;
}

LONG VWAPI vwGetField(HVIEW view, HWND hWnd) {
    int n = FieldNumberFromWindow(view, hWnd);
    return n ? view->fields[n]->id : 0;
}

int VWAPI vwGetFieldNo(HVIEW view, const void* var) {
    for (int n = 1; n <= view->fieldCount; ++n)
        if (view->fields[n]->var == var) return n;
    return 0;
}

LONG VWAPI vwGetFieldID(HVIEW view, const void* var) {
    int n = vwGetFieldNo(view, var);
    return n ? GetWindowLongA(view->fields[n]->hWnd, GWL_ID) : 0;
}

int VWAPI vwSetFieldID(HVIEW view, LONG id, LONG newId) {
    VWFIELD* f = FieldAt(view, vwGetFieldFromID(view, id));
    if (!f) return 0;
    f->id = newId;
    SetWindowLongPtrA(f->hWnd, GWLP_ID, newId);
    ClearFieldCache();
    return 1;
}

int VWAPI vwReorderFields(HVIEW view, const LONG* order) {
    const int count = view->fieldCount;
    if (!count || !order) return 0;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (count + 1) * sizeof(VWFIELD*));
    if (!block) return 0;
    auto* tmp = static_cast<VWFIELD**>(GlobalLock(block));
    // Every entry must name a field; a bad order leaves the table as it was.
    bool ok = tmp != nullptr;
    for (int i = 0; ok && i < count; ++i) {
        if (order[i] < 1 || order[i] > count || tmp[order[i]]) ok = false;
        else tmp[order[i]] = view->fields[order[i]];
    }
    if (ok) {
        for (int i = 0; i < count; ++i) tmp[i + 1] = nullptr;
        for (int i = 0; i < count; ++i) tmp[i + 1] = view->fields[order[i]];
        for (int i = 1; i <= count; ++i) view->fields[i] = tmp[i];
        HWND after = HWND_TOP;
        for (int i = 1; i <= count; ++i) {
            SetWindowPos(view->fields[i]->hWnd, after, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
            after = view->fields[i]->hWnd;
        }
        ClearFieldCache();
    }
    if (tmp) GlobalUnlock(block);
    GlobalFree(block);
    return 0;
}

int VWAPI vwDeleteField(HVIEW view, LONG id) {
    const LONG current = view->currentField;
    view->currentField = 0;
    const int n = vwGetFieldFromID(view, id);
    VWFIELD* f = FieldAt(view, n);
    if (!f) return 1;
    const LONG deletedId = f->id;
    if (IsWindow(f->hWnd)) DestroyWindow(f->hWnd);
    FreeFieldRecord(f);
    for (int i = n; i < view->fieldCount; ++i) view->fields[i] = view->fields[i + 1];
    view->fields[view->fieldCount] = nullptr;
    --view->fieldCount;
    ClearFieldCache();
    if (view->okButton == static_cast<DWORD>(deletedId)) view->okButton = 0;
    if (view->cancelButton == static_cast<DWORD>(deletedId)) view->cancelButton = 0;
    if (view->fieldCount == 0) view->currentField = 0;
    else if (current == n) view->currentField = 1;
    return 1;
}
