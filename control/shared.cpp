#include "control/shared.h"

#include "companion/helio.h"

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
    return {vwGetView(hWnd), GetWindowLongA(hWnd, GWL_ID)};
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

bool SharedFieldMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (msg) {
    case WM_GETDLGCODE:
        *result = CallClassProc(hWnd, msg, wParam, lParam) | VW_DLGC_FIELD;
        return true;
    case VWM_GETFIELDSTRING: {
        if (!lParam) return false;
        FieldContext fc = FieldContextOf(hWnd);
        char* buffer = reinterpret_cast<char*>(lParam);
        *result = fc.view ? CopyFieldDirectives(fc.view, fc.id, buffer, static_cast<int>(wParam)) : 0;
        if (!fc.view && wParam) buffer[0] = '\0';
        return true;
    }
    default:
        return false;
    }
}

} // namespace ts
