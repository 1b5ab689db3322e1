// DefListBoxProc: the default procedure of list box fields.  It appends the
// bound item list, selects the initial item ("@INIT" or the bound record),
// reports the selection back, sets tab stops ("TABSTOPS") and the column
// width ("COLWIDTH"), lists directories ("DIRLST"), draws its frame (a
// client edge when no "@3D" asks for another) and takes part in drag and
// drop and DDE.
#include "control/shared.h"

#include <dde.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "companion/helio.h"
#include "core/directives.hpp"
#include "core/text.hpp"

using namespace ts;

namespace {

// Tab stops of the latest "TABSTOPS", shared by all list boxes.
constexpr std::size_t kMaxTabStops = 41;
INT g_tabStops[kMaxTabStops + 1] = {};

VWLISTDATA* RecordOf(LPARAM lParam) { return reinterpret_cast<VWLISTDATA*>(lParam); }

// "@3D…" frames as every field draws them; without one a list box gets the
// client edge on Windows 4 and later.
LRESULT OnNcPaint(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    const std::string dirs = FieldDirectives(hWnd);
    if (IsWindowVisible(hWnd) && core::contains_nocase(dirs, "@3D")) {
        CallClassProc(hWnd, WM_NCPAINT, wParam, lParam);
        PaintFieldFrame(hWnd, FrameStyleOf(dirs.c_str()));
        return 0;
    }
    if (!g_lib.windows4) return CallClassProc(hWnd, WM_NCPAINT, wParam, lParam);
    CallClassProc(hWnd, WM_NCPAINT, wParam, lParam);
    PaintFieldFrame(hWnd, 16);
    return 0;
}

// A drag that starts here ends the list box's own mouse tracking.
LRESULT OnMouseMove(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    if (!hlDragDrop(hWnd, WM_MOUSEMOVE, wParam, lParam)) return CallClassProc(hWnd, WM_MOUSEMOVE, wParam, lParam);
    CallClassProc(hWnd, WM_LBUTTONUP, wParam, lParam);
    return 0;
}

LRESULT OnButton(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CallClassProc(hWnd, msg, wParam, lParam);
    hlDragDrop(hWnd, msg, wParam, lParam);
    return 0;
}

void SetTabStops(HWND hWnd, const char* argument) {
    const core::ArgumentList parts = core::split_arguments(argument);
    std::size_t count = 0;
    for (; count < parts.size() && count < kMaxTabStops; ++count)
        g_tabStops[count] = std::atoi(std::string(parts[count]).c_str());
    SendMessageA(hWnd, LB_SETTABSTOPS, count, reinterpret_cast<LPARAM>(g_tabStops));
}

void SetColumnWidth(HWND hWnd, const char* argument) {
    LONG rect[4] = {std::atoi(argument), 0, 0, 0};
    vwMapDialogToScreen(GetParent(hWnd), rect);
    SendMessageA(hWnd, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(rect[0]), 0);
}

// Only a static that is a field of the view may show the directory.
bool IsFieldWindow(VWVIEW* view, int id) {
    for (int n = 1; view && n <= view->fieldCount; ++n) {
        const VWFIELD* f = view->fields[n];
        if (f && f->id == id) return f->hWnd && IsWindow(f->hWnd);
    }
    return false;
}

LRESULT OnSetFieldString(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    if (!StoreDirectivesOf(hWnd, lParam)) return CallClassProc(hWnd, VWM_SETFIELDSTRING, wParam, lParam);
    const char* dirs = reinterpret_cast<const char*>(lParam);
    ApplyListDirectives(hWnd, dirs);
    char arg[HL_KEYWORD_BUFFER] = {};
    if (HasDirective(dirs, "TABSTOPS", arg)) SetTabStops(hWnd, arg);
    if (HasDirective(dirs, "COLWIDTH", arg)) SetColumnWidth(hWnd, arg);
    if (HasDirective(dirs, "DIRLST", arg)) {
        DirListing listing = ParseDirListing(arg);
        if (!IsFieldWindow(FieldContextOf(hWnd).view, listing.staticId)) listing.staticId = 0;
        ListDirectory(hWnd, listing, false);
    }
    return CallClassProc(hWnd, VWM_SETFIELDSTRING, wParam, lParam);
}

void AppendItems(HWND hWnd) {
    const VWLISTDATA* var = BoundListData(hWnd);
    const bool adding = var && var->items;
    if (adding) {
        SendMessageA(hWnd, WM_SETREDRAW, FALSE, 0);
        for (LPSTR* item = var->items; *item; ++item)
            SendMessageA(hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(*item));
    }
    SendMessageA(hWnd, WM_SETREDRAW, TRUE, 0);
}

// "@INIT(x)" selects the item that starts with x, else the item numbered x.
bool SelectInitialItem(HWND hWnd, const std::string& dirs) {
    char arg[HL_KEYWORD_BUFFER] = {};
    if (!HasDirective(dirs.c_str(), "@INIT", arg) || !arg[0]) return false;
    if (SendMessageA(hWnd, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(arg)) == LB_ERR)
        SendMessageA(hWnd, LB_SETCURSEL, static_cast<WPARAM>(std::atoi(arg)), 0);
    return true;
}

// The index word is used only when the record's address has both its low
// 16 bits and the bits above them non-zero.
bool AddressHalvesSet(LPARAM lParam) {
    const auto a = static_cast<ULONG_PTR>(lParam);
    return (a & 0xFFFF) != 0 && (a >> 16) != 0;
}

LRESULT OnAppToScr(HWND hWnd, LPARAM lParam) {
    AppendItems(hWnd);
    const std::string dirs = FieldDirectives(hWnd);
    if (SelectInitialItem(hWnd, dirs)) return 0;
    const bool multiple = (GetWindowLongA(hWnd, GWL_STYLE) & LBS_MULTIPLESEL) != 0;
    if (!lParam || multiple || !core::contains_nocase(dirs, "@INIT")) return 0;
    const VWLISTDATA* rec = RecordOf(lParam);
    if (rec->text) SendMessageA(hWnd, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(rec->text));
    else if (AddressHalvesSet(lParam)) SendMessageA(hWnd, LB_SETCURSEL, static_cast<WPARAM>(rec->index), 0);
    return 0;
}

// The selection as a 16-bit value (65535 for none) and its text.
LRESULT OnScrToApp(HWND hWnd, LPARAM lParam) {
    if (!lParam) return 0;
    VWLISTDATA* rec = RecordOf(lParam);
    const WORD selection = static_cast<WORD>(SendMessageA(hWnd, LB_GETCURSEL, 0, 0));
    const LRESULT length = SendMessageA(hWnd, LB_GETTEXTLEN, selection, 0);
    if (length != LB_ERR && rec->text) {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        if (SendMessageA(hWnd, LB_GETTEXT, selection, reinterpret_cast<LPARAM>(text.data())) != LB_ERR)
            std::strcpy(rec->text, text.c_str());
    }
    rec->index = selection;
    return 0;
}

} // namespace

LRESULT CALLBACK DefListBoxProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        return DestroyListField(hWnd, wParam, lParam);
    case WM_SHOWWINDOW:
        if (!wParam) EraseFieldFrame(hWnd);
        break;
    case WM_NCPAINT:
        return OnNcPaint(hWnd, wParam, lParam);
    case WM_KEYDOWN:
        HelpOnF1(hWnd, wParam);
        break;
    case WM_CHAR:
        if (wParam == '\t') return 0;
        break;
    case WM_MOUSEMOVE:
        return OnMouseMove(hWnd, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return OnButton(hWnd, msg, wParam, lParam);
    case VWM_SETFIELDSTRING:
        return OnSetFieldString(hWnd, wParam, lParam);
    case VWM_APPTOSCR:
        return OnAppToScr(hWnd, lParam);
    case VWM_SCRTOAPP:
        return OnScrToApp(hWnd, lParam);
    case VWM_GETFIELDTYPE:
        return VWFT_LISTBOX;
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
