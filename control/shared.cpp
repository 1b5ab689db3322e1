#include "control/shared.h"

#include <dde.h>

#include <cstdlib>
#include <vector>

#include "companion/helio.h"
#include "core/directives.hpp"
#include "core/text.hpp"

namespace ts {

bool HasDirective(const char* directives, const char* keyword, char* arg) {
    char scratch[HL_KEYWORD_BUFFER] = {};
    return hlGetKeyword(directives, keyword, arg ? arg : scratch) != 0;
}

LRESULT CallClassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto proc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hWnd, GCLP_WNDPROC));
    if (!proc || proc == vwInterFieldProc) return DefWindowProcA(hWnd, msg, wParam, lParam);
    return CallWindowProcA(proc, hWnd, msg, wParam, lParam);
}

FieldContext FieldContextOf(HWND hWnd) {
    VWVIEW* view = vwGetView(hWnd);
    const int n = view ? FieldNumberFromWindow(view, hWnd) : 0;
    return {view, n ? view->fields[n]->id : GetWindowLongA(hWnd, GWL_ID)};
}

bool StoreDirectivesOf(HWND hWnd, LPARAM string) {
    if (!string) return false;
    FieldContext fc = FieldContextOf(hWnd);
    if (!fc.view) return false;
    StoreFieldDirectives(fc.view, fc.id, reinterpret_cast<const char*>(string));
    return true;
}

std::string FieldDirectives(HWND hWnd) {
    char buf[256] = {};
    FieldContext fc = FieldContextOf(hWnd);
    if (fc.view) CopyFieldDirectives(fc.view, fc.id, buf, sizeof buf);
    return buf;
}

void MarkDropTarget(HWND hWnd, std::string_view directives) {
    if (directives.find("@DROPTARG") != directives.npos) SetPropA(hWnd, "@WANTDROP", reinterpret_cast<HANDLE>(5));
}

void RemoveDragMarks(HWND hWnd) {
    RemovePropA(hWnd, "@DRAGSRC");
    RemovePropA(hWnd, "@WANTDROP");
}

bool HasDdeLink(HWND hWnd) {
    return GetPropA(hWnd, "CLIENT") || GetPropA(hWnd, "SERVER") || GetPropA(hWnd, "SERVER1");
}

void HelpOnF1(HWND hWnd, WPARAM key) {
    if (key == VK_F1) hlShowHelp(hWnd, FieldDirectives(hWnd).c_str());
}

LRESULT DefFieldMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return CallClassProc(hWnd, msg, wParam, lParam) | VW_DLGC_FIELD;
    case VWM_GETFIELDSTRING: {
        if (!lParam) break;
        FieldContext fc = FieldContextOf(hWnd);
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!fc.view && wParam) buffer[0] = '\0';
        return fc.view ? CopyFieldDirectives(fc.view, fc.id, buffer, static_cast<int>(wParam)) : 0;
    }
    default:
        break;
    }
    return CallClassProc(hWnd, msg, wParam, lParam);
}

bool IsListDde(UINT msg) { return msg >= WM_DDE_FIRST && msg <= WM_DDE_REQUEST && msg != WM_DDE_TERMINATE; }

void ApplyListDirectives(HWND hWnd, const char* directives) {
    const std::string_view s = directives;
    MarkDropTarget(hWnd, s);
    if (s.find("@SERVER") != s.npos) hlDdeConnect(hWnd, directives);
    EnableWindow(hWnd, s.find("@PRT") == s.npos);
}

LRESULT DestroyListField(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    if (HasDdeLink(hWnd)) hlDdeTerminate(hWnd);
    RemoveDragMarks(hWnd);
    return CallClassProc(hWnd, WM_DESTROY, wParam, lParam);
}

DirListing ParseDirListing(const char* argument) {
    DirListing d;
    const core::ArgumentList parts = core::split_arguments(argument ? argument : "");
    if (parts.size() > 0 && !parts[0].empty()) d.spec = std::string(parts[0]);
    if (parts.size() > 1 && !parts[1].empty()) d.staticId = std::atoi(std::string(parts[1]).c_str());
    if (parts.size() > 2 && !parts[2].empty())
        d.attributes = static_cast<UINT>(std::strtoul(std::string(parts[2]).c_str(), nullptr, 16));
    return d;
}

void ListDirectory(HWND control, DirListing listing, bool combo) {
    char saved[156] = {};
    const DWORD savedLength = GetCurrentDirectoryA(sizeof saved, saved);
    // the listing functions write the file part back into the specification
    char spec[MAX_PATH + 1] = {};
    core::copy_bounded(spec, sizeof spec, listing.spec);
    HWND dialog = GetParent(control);
    const int id = GetDlgCtrlID(control);
    if (combo) DlgDirListComboBoxA(dialog, spec, id, listing.staticId, listing.attributes);
    else DlgDirListA(dialog, spec, id, listing.staticId, listing.attributes);
    if (savedLength > 0 && savedLength < sizeof saved) SetCurrentDirectoryA(saved);
}

const VWLISTDATA* BoundListData(HWND control) {
    FieldContext fc = FieldContextOf(control);
    // an identifier no field has resolves to the last field: make sure it is this one
    const VWFIELD* f = fc.view ? FieldFromID(fc.view, fc.id) : nullptr;
    if (!f || f->hWnd != control) return nullptr;
    return static_cast<const VWLISTDATA*>(f->var);
}

} // namespace ts
