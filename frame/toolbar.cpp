// Toolbars: views attached to the edges of a frame window.  The frame
// keeps them in window properties, one per edge; a view stored under
// several edges serves them all.
#include "frame/toolbar.h"

#include <array>

#include "companion/helio.h"

namespace ts {
namespace {

struct Edge {
    int position;
    const char* property;
    const char* directive;
};

// The order in which combined positions are looked at.
constexpr std::array<Edge, 4> kEdges{{
    {VWTB_TOP, "TBTOP", "@TB_TOP"},
    {VWTB_LEFT, "TBLEFT", "@TB_LEFT"},
    {VWTB_RIGHT, "TBRIGHT", "@TB_RIGHT"},
    {VWTB_BOTTOM, "TBBOTTOM", "@TB_BOTTOM"},
}};

constexpr DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

// The toolbar view of an edge.  The frame keeps its properties when a
// toolbar window is destroyed by other means (or when a view serving several
// edges is removed from one of them), so a property may name a view that is
// gone: such a view is no toolbar, and its memory is never read.
VWVIEW* ToolBarAt(HWND frame, const Edge& e) {
    auto* view = static_cast<VWVIEW*>(GetPropA(frame, e.property));
    return view && vwIsView(view) ? view : nullptr;
}

void SetToolBarStyle(VWVIEW* view) { vwSetViewStyle(view, (vwGetViewStyle(view) & WS_BORDER) | kToolBarStyle); }

void Attach(HWND frame, VWVIEW* view, int position) {
    for (const Edge& e : kEdges)
        if (position & e.position) SetPropA(frame, e.property, view);
}

SIZE WindowSize(VWVIEW* view) {
    RECT rc{};
    if (view && IsWindow(view->hWnd)) GetWindowRect(view->hWnd, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

// A framed toolbar ("@OUT", "@LIGHT") redraws the strip along its far edge.
void RefreshFrameStrip(VWVIEW* view, bool alongRight) {
    if (!(view->flags & (VWF_OUT | VWF_LIGHT))) return;
    RECT rc;
    GetClientRect(view->hWnd, &rc);
    if (alongRight) rc.left = rc.right - 8;
    else rc.top = rc.bottom - 8;
    InvalidateRect(view->hWnd, &rc, TRUE);
}

} // namespace

int ToolBarEdgeOf(HWND frame, VWVIEW* view) {
    for (int position : {VWTB_LEFT, VWTB_TOP, VWTB_RIGHT, VWTB_BOTTOM})
        if (view && vwGetViewToolBar(frame, position) == view) return position;
    return 0;
}

int ApplyToolBarDirectives(VWVIEW* view, const char* viewString) {
    for (const Edge& e : {kEdges[0], kEdges[3], kEdges[1], kEdges[2]}) {
        char name[HL_KEYWORD_BUFFER] = {};
        if (ToolBarAt(view->hWnd, e) || !hlGetKeyword(viewString, e.directive, name)) continue;
        vwSetViewToolBar(view->hWnd, name, nullptr, e.position);
    }
    return 1;
}

} // namespace ts

using namespace ts;

HVIEW VWAPI vwGetViewToolBar(HWND frame, int position) {
    for (const Edge& e : kEdges)
        if (position & e.position) {
            if (VWVIEW* tb = ToolBarAt(frame, e)) return tb;
        }
    return nullptr;
}

HVIEW VWAPI vwSetViewToolBar(HWND frame, LPCSTR templateName, WNDPROC viewProc, int position) {
    if (!IsWindow(frame) || !templateName || vwGetViewToolBar(frame, position)) return nullptr;
    auto inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE));
    if (!FindResourceA(inst, templateName, reinterpret_cast<LPCSTR>(RT_DIALOG))) return nullptr;
    g_lib.toolbarChildMode = true;
    VWVIEW* view = vwCreateView(inst, templateName, frame, viewProc, 0);
    g_lib.toolbarChildMode = false;
    if (!view) return nullptr;
    SetToolBarStyle(view);
    Attach(frame, view, position);
    vwSizeToolBars(frame);
    vwShowView(view);
    return view;
}

HVIEW VWAPI vwSetToolBarView(HWND frame, HVIEW view, int position) {
    VWVIEW* previous = nullptr;
    for (const Edge& e : kEdges)
        if (position & e.position) previous = ToolBarAt(frame, e);
    SetToolBarStyle(view);
    Attach(frame, view, position);
    vwSizeToolBars(frame);
    return previous;
}

int VWAPI vwRemoveToolBar(HWND frame, int position) {
    for (const Edge& e : kEdges) {
        if (!(position & e.position)) continue;
        // a property naming a view that is gone is removed all the same
        if (!GetPropA(frame, e.property)) return 0;
        VWVIEW* tb = ToolBarAt(frame, e);
        // a view serving several edges is destroyed once
        if (tb && IsWindow(tb->hWnd)) DestroyWindow(tb->hWnd);
        RemovePropA(frame, e.property);
    }
    return 1;
}

int VWAPI vwSizeToolBars(HWND frame) {
    RECT client;
    GetClientRect(frame, &client);
    const int w = client.right, h = client.bottom;
    VWVIEW* top = vwGetViewToolBar(frame, VWTB_TOP);
    VWVIEW* bottom = vwGetViewToolBar(frame, VWTB_BOTTOM);
    VWVIEW* left = vwGetViewToolBar(frame, VWTB_LEFT);
    VWVIEW* right = vwGetViewToolBar(frame, VWTB_RIGHT);
    const int hT = top ? WindowSize(top).cy : 0;
    const int hB = bottom ? WindowSize(bottom).cy : 0;
    auto place = [](VWVIEW* tb, int x, int y, int cx, int cy, bool alongRight) {
        if (!tb || !IsWindow(tb->hWnd)) return;
        MoveWindow(tb->hWnd, x, y, cx, cy, TRUE);
        RefreshFrameStrip(tb, alongRight);
    };
    place(top, 0, 0, w, hT, true);
    place(bottom, 0, h - hB, w, hB, true);
    const int sideHeight = h - hT - hB;
    if (left) place(left, 0, hT, WindowSize(left).cx, sideHeight, false);
    if (right) {
        const int wR = WindowSize(right).cx;
        place(right, w - wR, hT, wR, sideHeight, false);
    }
    return 1;
}

int VWAPI vwSizeMDIClient(HWND frame, HWND mdiClient, BOOL repaint) {
    RECT rc;
    GetClientRect(frame, &rc);
    int x = 0, y = 0, cx = rc.right, cy = rc.bottom;
    if (VWVIEW* tb = vwGetViewToolBar(frame, VWTB_TOP)) {
        const int hT = WindowSize(tb).cy;
        y += hT;
        cy -= hT;
    }
    if (VWVIEW* tb = vwGetViewToolBar(frame, VWTB_BOTTOM)) cy -= WindowSize(tb).cy;
    if (VWVIEW* tb = vwGetViewToolBar(frame, VWTB_LEFT)) {
        const int wL = WindowSize(tb).cx;
        x += wL;
        cx -= wL;
    }
    if (VWVIEW* tb = vwGetViewToolBar(frame, VWTB_RIGHT)) cx -= WindowSize(tb).cx;
    MoveWindow(mdiClient, x, y, cx, cy, repaint);
    return 1;
}
