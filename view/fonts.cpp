// View fonts and the fonts of the library's own windows.
#include "view/internal.h"

#include <cstring>

#include "core/fontface.hpp"
#include "core/text.hpp"

namespace ts {
namespace {

// Face names seen by the font-enumeration callback.
char g_enumFace[LF_FACESIZE] = {};
BYTE g_enumPitchAndFamily = 0;
BYTE g_enumCharSet = 0;

LOGFONTA DescribeFont(LPCSTR face, UINT style) {
    LOGFONTA lf = {};
    lf.lfWeight = (style & VWFONT_BOLD) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & VWFONT_ITALIC) ? 1 : 0;
    lf.lfUnderline = (style & VWFONT_UNDERLINE) ? 1 : 0;
    lf.lfStrikeOut = (style & VWFONT_STRIKEOUT) ? 1 : 0;
    core::copy_bounded(lf.lfFaceName, sizeof lf.lfFaceName, face ? face : "");
    lf.lfPitchAndFamily = 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    vwGetFontFlags(lf.lfFaceName, &lf.lfPitchAndFamily, &lf.lfCharSet);
    return lf;
}

} // namespace
} // namespace ts

using namespace ts;

int VWAPI vwGetFontFlags(LPCSTR face, BYTE* pitchAndFamily, BYTE* charSet) {
    core::FaceFlags flags = {*pitchAndFamily, *charSet};
    core::face_flags(face ? face : "", GetSystemMetrics(SM_DBCSENABLED) != 0, flags);
    *pitchAndFamily = flags.pitchAndFamily;
    *charSet = flags.charSet;
    return 1;
}

int VWAPI vwSetViewFont(HVIEW view, LPCSTR face, int size, UINT style, BOOL redraw) {
    HWND hWnd = vwGetViewWindow(view);
    if (!vwIsView(view)) return 0;
    LOGFONTA lf = DescribeFont(face, style);
    if (view->fontState == VWFS_RAWHEIGHT) {
        lf.lfHeight = size;
    } else {
        WindowDC dc(hWnd);
        lf.lfHeight = FontHeightFromPoints(dc, size);
    }
    HFONT font = CreateFontIndirectA(&lf);
    if (view->hFont && view->fontState != VWFS_NONE) DeleteObject(view->hFont);
    view->hFont = font;
    if (!hWnd) return 0;
    SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 999);
    view->fontState = VWFS_POINTS;
    if (redraw) {
        InvalidateRect(hWnd, nullptr, TRUE);
        UpdateWindow(hWnd);
    }
    return 1;
}

HFONT VWAPI vwCreateFont(LPCSTR face, WORD points, WORD style) {
    LOGFONTA lf = DescribeFont(face, style);
    WindowDC dc(nullptr);
    lf.lfHeight = FontHeightFromPoints(dc, points);
    return CreateFontIndirectA(&lf);
}

int CALLBACK EnumFontFamProc(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM) {
    if (lf && std::strcmp(lf->lfFaceName, g_enumFace) == 0) {
        g_enumPitchAndFamily = lf->lfPitchAndFamily;
        g_enumCharSet = lf->lfCharSet;
        return 0;
    }
    return 1;
}
