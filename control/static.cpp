// DefStaticProc: the default procedure of static fields.  Statics show
// "@3D…" frames, take part in drag and drop, and can be the client end of
// a DDE link, whose server supplies their text.
#include "control/shared.h"

#include <dde.h>

#include "companion/helio.h"

using namespace ts;

namespace {

LRESULT OnSetFieldString(HWND hWnd, LPARAM lParam) {
    if (StoreDirectivesOf(hWnd, lParam)) {
        const std::string_view dirs = reinterpret_cast<const char*>(lParam);
        if (dirs.find("@CLIENT") != dirs.npos) hlDdeConnect(hWnd, dirs.data());
        MarkDropTarget(hWnd, dirs);
    }
    return CallClassProc(hWnd, VWM_SETFIELDSTRING, 0, lParam);
}

} // namespace

LRESULT CALLBACK DefStaticProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        RemoveDragMarks(hWnd);
        break;
    case WM_SHOWWINDOW:
        if (!wParam) EraseFieldFrame(hWnd);
        break;
    case WM_NCPAINT:
        return FramedNcPaint(hWnd, wParam, lParam);
    case WM_MOUSEMOVE:
        hlDragDrop(hWnd, msg, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case VWM_DRAG1:
    case VWM_DRAG2:
    case VWM_DRAG3:
        return hlDragDrop(hWnd, msg, wParam, lParam);
    case VWM_SETFIELDSTRING:
        return OnSetFieldString(hWnd, lParam);
    case VWM_APPTOSCR:
        if (GetPropA(hWnd, "CLIENT")) {
            hlDdeRequest(hWnd);
            return 0;
        }
        break;
    default:
        if (msg >= WM_DDE_FIRST && msg <= WM_DDE_REQUEST)
            return hlDdeMessage(hWnd, msg, wParam, lParam, FieldDirectives(hWnd).c_str());
        break;
    }
    return DefFieldMessage(hWnd, msg, wParam, lParam);
}
