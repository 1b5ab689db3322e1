// MDI child views: the child window is made by the MDI client, and the
// view definition is built into it while the system creates it.
#include "view/internal.h"

#include "core/text.hpp"

namespace ts {
namespace {

constexpr DWORD kDefaultChildStyle = 0x40CF0000;  // child, caption, system menu, sizing, boxes
HWND const kFailedChild = reinterpret_cast<HWND>(-1);

void ShowNewChild(HWND client, HWND child, bool maximize) {
    RemovePropA(child, "VISIBLE");
    if (maximize) {
        HWND active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        if (active && !IsWindowVisible(active)) SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(active), 0);
        SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    } else if (GetPropA(child, "MAXIMIZE")) {
        ShowWindow(child, SW_SHOWMAXIMIZED);
    } else if ((GetWindowLongA(child, GWL_STYLE) & WS_MINIMIZE) || GetPropA(child, "MINIMIZE")) {
        ShowWindow(child, SW_SHOWMINIMIZED);
    } else {
        ShowWindow(child, SW_SHOWNORMAL);
    }
    SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    SetFocus(child);
    for (const char* p : {"VISIBLE", "MINIMIZE", "MAXIMIZE"}) RemovePropA(child, p);
    UpdateWindow(child);
}

} // namespace

void CompleteMDIChild(HWND hWnd) {
    VWVIEW* view = vwGetView(hWnd);
    if (!view) return;
    auto& m = g_lib.mdi;
    // read before the application's WM_INITDIALOG may start another child
    const bool templatePlaces = m.defaultGeometry;
    if (m.pending) {
        g_lib.mdiReuseMode = true;
        VWVIEW* built = vwCreateView(m.instance, m.name, m.client, nullptr, reinterpret_cast<LPARAM>(view));
        g_lib.mdiReuseMode = false;
        m.pending = false;
        if (!built) return;
    }
    vwGotoFirstField(view);
    SendMessageA(hWnd, WM_INITDIALOG, 0, 0);
    if (IsWindow(hWnd)) {
        vwUpdateScreen(view);
        if (GetPropA(hWnd, "MCX")) {
            auto prop = [hWnd](const char* p) { return static_cast<int>(reinterpret_cast<INT_PTR>(RemovePropA(hWnd, p))); };
            const UINT mode = GetPropA(hWnd, "MABS") ? (VWP_DIALOGUNITS | VWP_ABSOLUTE) : VWP_DIALOGUNITS;
            const int x = prop("MX"), y = prop("MY"), cx = prop("MCX"), cy = prop("MCY");
            // the caller's create block places the child; the template only
            // places children made with the default geometry
            if (templatePlaces) vwSetViewPosition(view, x, y, cx, cy, mode);
        }
    }
    m.creating = nullptr;
    m.lastChild = IsWindow(hWnd) ? hWnd : kFailedChild;
}

} // namespace ts

using namespace ts;

HVIEW VWAPI vwOpenMDIChildView(HINSTANCE hInst, LPCSTR title, DWORD, HWND mdiClient, WNDPROC viewProc, LPARAM block) {
    if (!mdiClient || !IsWindow(mdiClient)) {
        MessageBoxA(GetFocus(), "Invalid Client Window for MDI Child Create", nullptr, MB_OK);
        return nullptr;
    }
    VWVIEW* view = MakeViewRecord(viewProc, block == 1 ? 1 : 0);
    if (!view) return nullptr;
    view->kind = VWK_MDICHILD;
    view->defViewProc = DefMDIChildViewProc;

    const auto* given = block > 1 ? reinterpret_cast<const MDICREATESTRUCTA*>(block) : nullptr;
    MDICREATESTRUCTA cs{};
    cs.szClass = VW_CLASS_VIEW;
    cs.hOwner = hInst;
    bool maximize = false;
    if (given) {
        cs.szTitle = given->szTitle;
        cs.x = given->x;
        cs.y = given->y;
        cs.cx = given->cx;
        cs.cy = given->cy;
        cs.lParam = given->lParam;
        cs.style = given->style & ~WS_MAXIMIZE;
        maximize = (given->style & WS_MAXIMIZE) != 0;
        g_lib.mdi.defaultGeometry = false;
    } else {
        cs.szTitle = title ? title : "";
        cs.x = cs.y = CW_USEDEFAULT;
        cs.cx = cs.cy = 100;
        cs.style = kDefaultChildStyle;
        g_lib.mdi.defaultGeometry = true;
    }

    g_lib.mdi.creating = view;
    HWND child = reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs)));
    g_lib.mdi.creating = nullptr;
    if (!child) {
        vwFreeView(view);
        return nullptr;
    }
    view->hWnd = child;
    if (view->hFont) SetWindowLongPtrA(child, VWL_FONT, reinterpret_cast<LONG_PTR>(view->hFont));
    SetWindowLongPtrA(child, VWL_VIEW, reinterpret_cast<LONG_PTR>(view));

    if ((!given || !(given->style & WS_VISIBLE)) && !GetPropA(child, "VISIBLE")) {
        UpdateWindow(child);
        return view;
    }
    ShowNewChild(mdiClient, child, maximize);
    return view;
}

HVIEW VWAPI vwCreateMDIChildView(HINSTANCE hInst, LPCSTR name, HWND mdiClient, WNDPROC viewProc, LPARAM block) {
    auto& m = g_lib.mdi;
    if (m.pending || !name) return nullptr;
    m.instance = hInst;
    if (IS_INTRESOURCE(name)) {
        m.name = name;
    } else {
        core::copy_bounded(m.nameText, sizeof m.nameText, name);
        m.name = m.nameText;
    }
    m.client = mdiClient;
    m.pending = true;
    m.lastChild = kFailedChild;
    VWVIEW* view = vwOpenMDIChildView(hInst, nullptr, WS_CHILD, mdiClient, viewProc, block);
    if (!view) m.pending = false;
    return view;
}

HWND VWAPI vwShowMDIChildView(LONG) { return g_lib.mdi.lastChild; }

LRESULT VWAPI DefFrameViewProc(HWND frame, HWND mdiClient, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefFrameProcA(frame, mdiClient, msg, wParam, lParam);
}
