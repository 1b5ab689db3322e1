// VWM_SHOWERROR: a field error described by an error record, shown by
// message box, in the status line or in a balloon next to the field;
// VWM_ERRORDONE ends it.
#include "viewproc/handlers.h"

#include <mmsystem.h>

#include <algorithm>

#include "companion/helio.h"
#include "core/errorfile.hpp"
#include "core/text.hpp"

namespace ts {
namespace {

constexpr LRESULT kHandled = VWSE_HANDLED;
constexpr LRESULT kWarning = VWSE_WARNING;

void PlayWave(const char* directives) {
    char wave[HL_KEYWORD_BUFFER] = {};
    hlGetKeyword(directives, "@WAVE", wave);
    if (!sndPlaySoundA(wave, SND_ASYNC)) MessageBeep(0);
}

// An error balloon below the field: a warning goes after a second with the
// view disabled meanwhile, an error stays until the next key or click.
void ShowErrorBalloon(VWVIEW* view, HWND hWnd, VWERRORREC* rec, const char* text, bool warning) {
    COLORREF textColor = rec->textColor, bkColor = rec->bkColor;
    if (!textColor && !bkColor) {
        if (warning) bkColor = RGB(255, 255, 0);
        else vwGetViewErrorColors(view, &textColor, &bkColor);
    }
    HWND field = rec->hField && IsWindow(rec->hField) ? rec->hField : vwGetFieldWindow(view, static_cast<LONG>(rec->fieldId));
    RECT fr = {};
    if (field) GetWindowRect(field, &fr);
    if (!rec->x) rec->x = fr.left;
    if (!rec->y) rec->y = fr.bottom + 2;
    if (!rec->width) {
        LONG minimum[4] = {100, 0, 0, 0};
        vwMapDialogToScreen(hWnd, minimum);
        rec->width = std::max<LONG_PTR>(fr.right - fr.left, minimum[0]);
    }
    if (!view->hBalloon)
        view->hBalloon = vwBalloonMsg(hWnd, text, static_cast<int>(rec->x), static_cast<int>(rec->y),
                                      static_cast<int>(rec->width), static_cast<int>(rec->height), nullptr, textColor,
                                      bkColor, VWB_PIXELS | VWB_SCREEN | VWB_COLORS);
    if (!warning) return;
    SetFocus(nullptr);
    EnableWindow(hWnd, FALSE);
    vwWait(view, 1000);
    EnableWindow(hWnd, TRUE);
    if (view->hBalloon) DestroyWindow(view->hBalloon);
    view->hBalloon = nullptr;
}

} // namespace

LRESULT OnShowError(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    vwSetViewStatus(view, static_cast<LONG>(wParam), VWST_ERROR);
    if (!lParam) return 1;
    auto* rec = reinterpret_cast<VWERRORREC*>(lParam);
    const char* dirs = rec->directives ? rec->directives : "";
    auto has = [dirs](const char* k) { return core::contains_nocase(dirs, k); };
    if (has("@BEEP")) MessageBeep(0);
    if (rec->kind == 4 && rec->code == 600) return 0;
    const bool warning = has("@WARN");
    if (has("@WAVE")) PlayWave(dirs);
    if (has("@LOOKUP") && rec->text)
        if (const char* found = vwMessageLookup(view, nullptr, rec->text, 0))
            core::copy_bounded(rec->text, core::kErrorLineLength + 1, found);
    const char* text = rec->text ? rec->text : "";
    if (has("@MBOX")) {
        LibraryMessageBox(hWnd, text, rec->caption ? rec->caption : "", MB_ICONHAND);
        SendMessageA(hWnd, VWM_ERRORDONE, wParam, 0);
    } else if (view->hDSLWindow && has("@STAT")) {
        vwSetViewDSLText(view, text);
        if (warning) {
            EnableWindow(hWnd, FALSE);
            vwWait(view, 1500);
            EnableWindow(hWnd, TRUE);
        }
        SendMessageA(hWnd, VWM_ERRORDONE, wParam, 0);
    } else {
        ShowErrorBalloon(view, hWnd, rec, text, warning);
    }
    SendMessageA(hWnd, VWM_ERRORDONE, wParam, 0);
    if (HWND field = vwGetFieldWindow(view, static_cast<LONG>(wParam))) {
        SendMessageA(field, EM_SETSEL, 0, 500);
        InvalidateRect(field, nullptr, TRUE);
    }
    return kHandled | (warning ? kWarning : 0);
}

} // namespace ts
