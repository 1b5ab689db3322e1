// The default field procedures of the standard control classes: button,
// static and scroll bar.  What they share differs by
// class only in the details of one table; everything a class does not
// consume goes to the class's own procedure.
#include "control/shared.h"

#include <dde.h>

#include <cstring>
#include <string>

#include "companion/helio.h"

using namespace ts;

namespace {

enum class Protection {
    None,
    DisableAndProtect,  // buttons: disabled (group boxes excepted) and protected
    Disable,            // disabled while "@PRT" is present, enabled otherwise
};

enum class DdeRoute {
    None,
    All,             // WM_DDE_INITIATE .. WM_DDE_REQUEST
    AllButTerminate, // WM_DDE_TERMINATE stays with the class
};

struct ClassTraits {
    bool eraseOnHide;   // WM_SHOWWINDOW(FALSE) erases the frame first
    bool f1Help;        // F1 shows the field's help
    Protection protection;
    bool ncFrame;       // "@3D…" frames painted on WM_NCPAINT
    DdeRoute dde;
    bool drag;          // VWM_DRAG1..3 answered by the drag handler
    bool removeDragProps;  // "@DRAGSRC"/"@WANTDROP" removed on WM_DESTROY
    const char* ddeConnect;   // keyword that starts a DDE link, or null
    bool ddeEndOnDestroy;     // the link ends on WM_DESTROY
};

constexpr ClassTraits kButton{true, true, Protection::DisableAndProtect, false, DdeRoute::None, true, true, nullptr, false};
constexpr ClassTraits kStatic{true, false, Protection::None, true, DdeRoute::All, true, true, "@CLIENT", false};
constexpr ClassTraits kScroll{false, true, Protection::Disable, false, DdeRoute::None, false, false, nullptr, false};

std::string Directives(HWND hWnd) {
    char buf[256] = {};
    FieldContext fc = FieldContextOf(hWnd);
    if (fc.view) CopyFieldDirectives(fc.view, fc.id, buf, sizeof buf);
    return buf;
}

// A combo box carries its server mark as "SERVER1".
bool HasDdeLink(HWND hWnd) {
    return GetPropA(hWnd, "CLIENT") || GetPropA(hWnd, "SERVER") || GetPropA(hWnd, "SERVER1");
}

bool RoutesDde(const ClassTraits& t, UINT msg) {
    if (msg < WM_DDE_FIRST || msg > WM_DDE_REQUEST || t.dde == DdeRoute::None) return false;
    return t.dde == DdeRoute::All || msg != WM_DDE_TERMINATE;
}

// The keywords of a new directive string, all case-sensitive here.
void ApplyDirectives(HWND hWnd, const char* dirs, const ClassTraits& t) {
    const std::string_view s = dirs;
    if (s.find("@DROPTARG") != s.npos) SetPropA(hWnd, "@WANTDROP", reinterpret_cast<HANDLE>(5));
    if (t.ddeConnect && s.find(t.ddeConnect) != s.npos) hlDdeConnect(hWnd, dirs);
    const bool protect = s.find("@PRT") != s.npos;
    if (t.protection == Protection::Disable) {
        EnableWindow(hWnd, !protect);
    } else if (t.protection == Protection::DisableAndProtect && protect) {
        if ((GetWindowLongA(hWnd, GWL_STYLE) & 0x7) != BS_GROUPBOX) EnableWindow(hWnd, FALSE);
        FieldContext fc = FieldContextOf(hWnd);
        vwProtectField(fc.view, fc.id);
    }
}

LRESULT StandardFieldProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, const ClassTraits& t) {
    switch (msg) {
    case VWM_SETFIELDSTRING:
        if (!StoreDirectivesOf(hWnd, lParam)) return 0;
        ApplyDirectives(hWnd, reinterpret_cast<const char*>(lParam), t);
        break;
    case WM_NCPAINT:
        if (t.ncFrame) return FramedNcPaint(hWnd, wParam, lParam);
        break;
    case WM_SHOWWINDOW:
        if (t.eraseOnHide && !wParam) EraseFieldFrame(hWnd);
        break;
    case WM_KEYDOWN:
        if (t.f1Help && wParam == VK_F1) hlShowHelp(hWnd, Directives(hWnd).c_str());
        break;
    case WM_DESTROY:
        if (!t.removeDragProps) break;
        if (t.ddeEndOnDestroy && HasDdeLink(hWnd)) hlDdeTerminate(hWnd);
        RemovePropA(hWnd, "@DRAGSRC");
        RemovePropA(hWnd, "@WANTDROP");
        break;
    case VWM_DRAG1:
    case VWM_DRAG2:
    case VWM_DRAG3:
        if (t.drag) return hlDragDrop(hWnd, msg, wParam, lParam);
        break;
    default:
        if (RoutesDde(t, msg)) return hlDdeMessage(hWnd, msg, wParam, lParam, Directives(hWnd).c_str());
        break;
    }
    LRESULT r;
    if (SharedFieldMessage(hWnd, msg, wParam, lParam, &r)) return r;
    return CallClassProc(hWnd, msg, wParam, lParam);
}

} // namespace

LRESULT CALLBACK DefButtonProc(HWND h, UINT m, WPARAM w, LPARAM l) { return StandardFieldProc(h, m, w, l, kButton); }
LRESULT CALLBACK DefStaticProc(HWND h, UINT m, WPARAM w, LPARAM l) { return StandardFieldProc(h, m, w, l, kStatic); }
LRESULT CALLBACK DefScrollProc(HWND h, UINT m, WPARAM w, LPARAM l) { return StandardFieldProc(h, m, w, l, kScroll); }
