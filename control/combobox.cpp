// DefComboBoxProc: the default procedure of combo box fields.  It appends
// the bound item list, selects the initial item ("@INIT" or the bound
// record), reports the text and selection back, lists directories
// ("@DIRLST"), colours its parts with the field's colours, closes the
// drop-down on Enter and takes part in drag and drop and DDE.  Typing in the
// edit part is filtered by ComboSubProc.
#include "control/shared.h"

#include <dde.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "companion/helio.h"
#include "core/text.hpp"

using namespace ts;

namespace {

VWLISTDATA* RecordOf(LPARAM lParam) { return reinterpret_cast<VWLISTDATA*>(lParam); }

// Only "@3D…" frames a combo box; there is no default frame.
LRESULT OnNcPaint(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    const std::string dirs = FieldDirectives(hWnd);
    if (!IsWindowVisible(hWnd) || !core::contains_nocase(dirs, "@3D"))
        return CallClassProc(hWnd, WM_NCPAINT, wParam, lParam);
    CallClassProc(hWnd, WM_NCPAINT, wParam, lParam);
    PaintFieldFrame(hWnd, FrameStyleOf(dirs.c_str()));
    return 0;
}

LRESULT OnKeyDown(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    HelpOnF1(hWnd, wParam);
    if (wParam == VK_RETURN) SendMessageA(hWnd, CB_SHOWDROPDOWN, FALSE, 0);
    return CallClassProc(hWnd, WM_KEYDOWN, wParam, lParam);
}

// The edit, list and button parts are drawn in the field's colours; the
// brush is aligned to the combo box so that patterns line up.
LRESULT OnCtlColor(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    FieldContext fc = FieldContextOf(hWnd);
    if (!fc.view) return CallClassProc(hWnd, msg, wParam, lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, vwGetFieldTextColor(fc.view, fc.id));
    SetBkColor(dc, vwGetFieldBkColor(fc.view, fc.id));
    HBRUSH brush = vwGetFieldBackBrush(fc.view, fc.id);
    if (!brush) return CallClassProc(hWnd, msg, wParam, lParam);
    UnrealizeObject(brush);
    POINT origin = {0, 0};
    ClientToScreen(hWnd, &origin);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    return reinterpret_cast<LRESULT>(brush);
}

LRESULT OnSetFieldString(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    // a link of the old directives ends before anything else
    if (GetPropA(hWnd, "CLIENT") || GetPropA(hWnd, "SERVER1")) hlDdeTerminate(hWnd);
    if (!StoreDirectivesOf(hWnd, lParam)) return CallClassProc(hWnd, VWM_SETFIELDSTRING, wParam, lParam);
    const char* dirs = reinterpret_cast<const char*>(lParam);
    ApplyListDirectives(hWnd, dirs);
    char arg[HL_KEYWORD_BUFFER] = {};
    if (HasDirective(dirs, "@DIRLST", arg)) ListDirectory(hWnd, ParseDirListing(arg), true);
    return CallClassProc(hWnd, VWM_SETFIELDSTRING, wParam, lParam);
}

void AppendItems(HWND hWnd) {
    const VWLISTDATA* var = BoundListData(hWnd);
    if (!var || !var->items) return;
    for (LPSTR* item = var->items; *item; ++item)
        SendMessageA(hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(*item));
}

// "@INIT(x)" selects the item that starts with x, else the item numbered x.
bool SelectInitialItem(HWND hWnd, const std::string& dirs) {
    char arg[HL_KEYWORD_BUFFER] = {};
    if (!HasDirective(dirs.c_str(), "@INIT", arg) || !arg[0]) return false;
    if (SendMessageA(hWnd, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(arg)) == CB_ERR)
        SendMessageA(hWnd, CB_SETCURSEL, static_cast<WPARAM>(std::atoi(arg)), 0);
    return true;
}

LRESULT OnAppToScr(HWND hWnd, LPARAM lParam) {
    AppendItems(hWnd);
    const std::string dirs = FieldDirectives(hWnd);
    if (SelectInitialItem(hWnd, dirs)) return 0;
    if (!lParam || !core::contains_nocase(dirs, "@INIT")) return 0;
    const VWLISTDATA* rec = RecordOf(lParam);
    if (rec->text) SendMessageA(hWnd, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(rec->text));
    else SendMessageA(hWnd, CB_SETCURSEL, static_cast<WPARAM>(rec->index), 0);
    return 0;
}

// The control's text (what was typed or chosen) and the selection, -1 for none.
LRESULT OnScrToApp(HWND hWnd, LPARAM lParam) {
    if (!lParam) return 0;
    VWLISTDATA* rec = RecordOf(lParam);
    char text[256] = {};
    SendMessageA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    if (rec->text) std::strcpy(rec->text, text);
    rec->index = SendMessageA(hWnd, CB_GETCURSEL, 0, 0);
    return 0;
}

} // namespace

LRESULT CALLBACK DefComboBoxProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        return DestroyListField(hWnd, wParam, lParam);
    case WM_SHOWWINDOW:
        if (!wParam) EraseFieldFrame(hWnd);
        break;
    case WM_NCPAINT:
        return OnNcPaint(hWnd, wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(hWnd, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case VWM_CTLCOLOR:
        return OnCtlColor(hWnd, msg, wParam, lParam);
    case WM_MOUSEMOVE:
        hlDragDrop(hWnd, msg, wParam, lParam);
        break;
    case VWM_SETFIELDSTRING:
        return OnSetFieldString(hWnd, wParam, lParam);
    case VWM_APPTOSCR:
        return OnAppToScr(hWnd, lParam);
    case VWM_SCRTOAPP:
        return OnScrToApp(hWnd, lParam);
    case VWM_GETFIELDTYPE:
        return VWFT_COMBOBOX;
    case VWM_DRAG1:
    case VWM_DRAG2:
    case VWM_DRAG3:
        return hlDragDrop(hWnd, msg, wParam, lParam);
    default:
        if (IsListDde(msg)) return hlDdeMessage(hWnd, msg, wParam, lParam, FieldDirectives(hWnd).c_str());
        break;
    }
    return DefFieldMessage(hWnd, msg, wParam, lParam);
}
