// Balloon help: the library-wide hover state that decides when the balloon
// of a field under the mouse comes up, shared by the inter-field procedure
// (mouse moves and clicks on fields) and the default view procedure (the
// balloon timer and the mouse over the view itself).
#pragma once
#include "view/internal.h"

namespace ts {

enum class Hover {
    Idle = 0,   // no balloon wanted
    Armed = 1,  // waiting for the first balloon
    Ready = 2,  // balloons follow the mouse from field to field at once
    Left = 3,   // the mouse left a shown balloon; the next field shows at once
};

struct BalloonHelpState {
    Hover state = Hover::Idle;
    VWVIEW* view = nullptr;       // view of the field under the mouse
    LONG field = -1;              // its control ID, -1 = none
    HWND balloon = nullptr;       // the field balloon now shown
    UINT delay = 500;             // balloon timer; the first balloon waits twice as long
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = 0x80FFFF;  // a pale yellow
    UINT style = VWB_PIXELS | VWB_COLORS | VWB_SQUARE;
    HWND lastStatusField = nullptr;  // field whose status text was last shown on mouse-over
};

extern BalloonHelpState g_balloonHelp;

// Destroys the field balloon when there is one and releases the capture.
void DestroyHoverBalloon();
// Shows the balloon of the hover field, or takes a shown one down.
void ShowHoverBalloon();
// A view going away is no longer the hover view.
void ForgetHoverView(VWVIEW* view);

// The inter-field procedure's part: a mouse move over a field, and a click
// (any button) on a field while a field balloon is up.
void OnFieldMouseMove(VWVIEW* view, HWND field, LONG id, LPARAM lParam);
void OnFieldClick(HWND field);

// The default view procedure's part: the balloon timer and WM_NCHITTEST.
void OnBalloonTimer(HWND hWnd);
void OnViewHitTest(VWVIEW* view, HWND hWnd);

} // namespace ts
