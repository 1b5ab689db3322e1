// Balloon help for fields whose directives carry "@BDSL": the balloon shows
// the field's "@DSL" text below the field once the mouse has rested on it,
// and follows the mouse from field to field while it is up.
#include "message/balloonhelp.h"

#include <cstring>

#include "companion/helio.h"

namespace ts {

BalloonHelpState g_balloonHelp;

namespace {

BalloonHelpState& S = g_balloonHelp;

// Texts shorter than this are shown on one line.
constexpr std::size_t kSingleLineBelow = 25;

HINSTANCE InstanceOf(HWND hWnd) {
    return hWnd ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hWnd, GWLP_HINSTANCE)) : nullptr;
}

bool SameModuleAsActive(HWND hWnd) {
    HWND active = GetActiveWindow();
    return active && InstanceOf(active) == InstanceOf(hWnd);
}

bool HasBalloonHelp(const char* directives) { return std::strstr(directives, "@BDSL") != nullptr; }

// The field's status text in the view's status line, once per field.
void ShowStatusOnHover(VWVIEW* view, HWND field, LONG id) {
    if (!view->hDSLWindow || field == S.lastStatusField) return;
    S.lastStatusField = field;
    ShowFieldStatusText(view, id);
}

} // namespace

void DestroyHoverBalloon() {
    if (!S.balloon) return;
    if (IsWindow(S.balloon)) DestroyWindow(S.balloon);
    S.balloon = nullptr;
    ReleaseCapture();
}

void ShowHoverBalloon() {
    HWND field = S.view && S.field != -1 && vwIsView(S.view) ? vwGetFieldWindow(S.view, S.field) : nullptr;
    char dirs[256] = {}, text[HL_KEYWORD_BUFFER] = {};
    if (field) vwGetFieldString(S.view, S.field, dirs, sizeof dirs);
    if (!field || !hlGetKeyword(dirs, "@DSL", text) || !text[0] || !HasBalloonHelp(dirs)) {
        DestroyHoverBalloon();
        return;
    }
    DestroyHoverBalloon();
    RECT rc;
    GetWindowRect(field, &rc);
    UINT style = S.style | VWB_CLICKCLOSE;
    if (std::strlen(text) < kSingleLineBelow) style |= VWB_SINGLELINE;
    S.balloon = vwBalloonMsg(field, text, 0, rc.bottom - rc.top + 6, 0, 0, nullptr, S.textColor, S.bkColor, style);
    SetCapture(field);
}

void ForgetHoverView(VWVIEW* view) {
    if (S.view != view) return;
    DestroyHoverBalloon();
    S.view = nullptr;
    S.field = -1;
    S.state = Hover::Idle;
}

void OnFieldMouseMove(VWVIEW* view, HWND field, LONG id, LPARAM lParam) {
    if (!(view->flags & VWF_NOBALLOONS)) {
        char dirs[257] = {};
        vwGetFieldString(view, id, dirs, sizeof dirs - 1);
        RECT client;
        GetClientRect(field, &client);
        const LONG x = LOWORD(lParam), y = HIWORD(lParam);  // unsigned: left or above is outside
        const bool inside = x < client.right && y < client.bottom;
        if (!inside) {
            // the field holds the capture while its balloon is up
            if (S.balloon) {
                SetTimer(field, VW_TIMER_BALLOON, S.delay, nullptr);
                DestroyHoverBalloon();
                S.state = Hover::Left;
            }
            return;
        }
        if (!HasBalloonHelp(dirs)) {
            S.state = Hover::Idle;
            KillTimer(view->hWnd, VW_TIMER_BALLOON);
            DestroyHoverBalloon();
            return;
        }
        if (S.state == Hover::Idle) {
            SetTimer(view->hWnd, VW_TIMER_BALLOON, 2 * S.delay, nullptr);
            S.state = Hover::Armed;
        } else if (S.state == Hover::Left) {
            S.state = Hover::Ready;
            KillTimer(view->hWnd, VW_TIMER_BALLOON);
        }
        if (S.state == Hover::Ready) {
            if ((S.view == view && S.field == id) || GetCapture()) return;
            if (SameModuleAsActive(field)) {
                S.view = view;
                S.field = id;
                ShowHoverBalloon();
            }
        }
    }
    S.view = view;
    S.field = id;
    ShowStatusOnHover(view, field, id);
}

void OnFieldClick(HWND field) {
    if (!S.balloon) return;
    KillTimer(field, VW_TIMER_BALLOON);
    DestroyHoverBalloon();
    S.state = Hover::Idle;
    S.view = nullptr;
}

void OnBalloonTimer(HWND hWnd) {
    if (S.state == Hover::Armed) {
        if (GetCapture()) return;
        if (SameModuleAsActive(hWnd)) {
            S.state = Hover::Ready;
            KillTimer(hWnd, VW_TIMER_BALLOON);
            ShowHoverBalloon();
        }
    }
    if (S.view && S.field != -1) {
        HWND field = vwIsView(S.view) ? vwGetFieldWindow(S.view, S.field) : nullptr;
        POINT pt;
        GetCursorPos(&pt);
        if (!field || WindowFromPoint(pt) != field) {
            KillTimer(hWnd, VW_TIMER_BALLOON);
            DestroyHoverBalloon();
            S.view = nullptr;
            S.state = Hover::Idle;
        }
    }
    if (S.state == Hover::Left) {
        S.state = Hover::Idle;
        KillTimer(hWnd, VW_TIMER_BALLOON);
    }
}

void OnViewHitTest(VWVIEW* view, HWND hWnd) {
    if (S.balloon && S.view != view) {
        DestroyHoverBalloon();
        S.state = Hover::Idle;
        return;
    }
    if (view->flags & VWF_NOBALLOONS) return;
    switch (S.state) {
    case Hover::Armed:
        S.state = Hover::Idle;
        KillTimer(hWnd, VW_TIMER_BALLOON);
        break;
    case Hover::Left:
        if (S.view != view) {
            S.state = Hover::Idle;
            S.view = nullptr;
        }
        break;
    case Hover::Ready:
        DestroyHoverBalloon();
        S.field = -1;
        if (S.view != view) {
            S.state = Hover::Idle;
            S.view = view;
        } else {
            S.state = Hover::Left;
            SetTimer(hWnd, VW_TIMER_BALLOON, S.delay, nullptr);
        }
        break;
    case Hover::Idle:
        break;
    }
}

} // namespace ts
