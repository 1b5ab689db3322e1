// VWM_SHOWERROR: a field error described by an error record, shown by
// message box or in the status line; VWM_ERRORDONE ends it.  Balloons and
// message keys looked up in the error file come with those modules.
#include "viewproc/handlers.h"

#include <mmsystem.h>

#include "companion/helio.h"
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
    const char* text = rec->text ? rec->text : "";
    if (has("@MBOX")) {
        LibraryMessageBox(hWnd, text, rec->caption ? rec->caption : "", MB_ICONHAND);
        SendMessageA(hWnd, VWM_ERRORDONE, wParam, 0);
    } else if (view->hDSLWindow && has("@STAT")) {
        SetWindowTextA(view->hDSLWindow, text);
        if (warning) {
            EnableWindow(hWnd, FALSE);
            vwWait(view, 1500);
            EnableWindow(hWnd, TRUE);
        }
        SendMessageA(hWnd, VWM_ERRORDONE, wParam, 0);
    }
    SendMessageA(hWnd, VWM_ERRORDONE, wParam, 0);
    if (HWND field = vwGetFieldWindow(view, static_cast<LONG>(wParam))) {
        SendMessageA(field, EM_SETSEL, 0, 500);
        InvalidateRect(field, nullptr, TRUE);
    }
    return kHandled | (warning ? kWarning : 0);
}

} // namespace ts
