// DefButtonProc: the default procedure of button fields.  Push buttons
// with "@ICON" or "@BITMAP" become picture buttons: the picture above the
// "@TXT" caption, a separate "@DISABLE" picture, and a pressed look that
// follows the mouse while it is held.  Moving the pointer over a button
// shows its "@DSL" text in the view's status line.
#include "control/shared.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "companion/helio.h"
#include "core/text.hpp"

using namespace ts;

namespace {

// Set while the left button is held over a picture button and the pointer
// has left it.
bool g_pointerLeft = false;
// The button whose "@DSL" text went to a status line last; never cleared.
HWND g_lastStatusButton = nullptr;

void DeletePicture(HWND hWnd, const char* prop) {
    if (HANDLE old = RemovePropA(hWnd, prop)) DeleteObject(old);
}

// ---- pictures

HICON FindIcon(HINSTANCE inst, const char* name) {
    char base[_MAX_FNAME] = {}, ext[_MAX_EXT] = {};
    _splitpath(name, nullptr, nullptr, base, ext);
    if (HICON icon = LoadIconA(inst, base)) return icon;
    struct Stock {
        const char* name;
        WORD id;
    };
    static constexpr Stock kStock[] = {{"HAND", 32513}, {"QUESTION", 32514}, {"EXCLAMATION", 32515}, {"ASTERISK", 32516}};
    for (const Stock& s : kStock)
        if (core::equals_nocase(name, s.name)) return LoadIconA(nullptr, MAKEINTRESOURCEA(s.id));
    HICON icon = ExtractIconA(g_lib.module, name, 0);
    if (reinterpret_cast<UINT_PTR>(icon) > 1) return icon;  // 1: the file holds no icons
    return LoadIconA(nullptr, IDI_APPLICATION);
}

HBITMAP FindPicture(HINSTANCE inst, const char* name) {
    HPALETTE palette = nullptr;
    char file[_MAX_PATH] = {};
    HBITMAP bmp = LoadNamedBitmap(inst, name, &palette, file, sizeof file);
    if (palette) DeleteObject(palette);
    return bmp;
}

// ---- painting

// The "@TXT" caption with its first '&' taken out; `mnemonic` is the
// position of the character it marked, or -1.
struct Caption {
    std::string raw, text;
    int mnemonic = -1;
};

Caption CaptionOf(HWND hWnd) {
    Caption c;
    char arg[HL_KEYWORD_BUFFER] = {};
    if (HasDirective(FieldDirectives(hWnd).c_str(), "@TXT", arg)) c.raw = arg;
    c.text = c.raw;
    if (const std::size_t amp = c.text.find('&'); amp != std::string::npos) {
        c.text.erase(amp, 1);
        if (amp < c.text.size()) c.mnemonic = static_cast<int>(amp);
    }
    return c;
}

SIZE TextSize(HDC dc, const std::string& s) {
    SIZE size{};
    GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size);
    return size;
}

void DrawCaption(HWND hWnd, HDC dc, const Caption& c, int x, int y) {
    if (IsWindowEnabled(hWnd)) TextOutA(dc, x, y, c.text.c_str(), static_cast<int>(c.text.size()));
    else GrayStringA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(c.text.c_str()), static_cast<int>(c.text.size()), x, y, 0, 0);
    if (c.mnemonic < 0) return;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int before = TextSize(dc, c.text.substr(0, static_cast<std::size_t>(c.mnemonic))).cx;
    const int width = TextSize(dc, c.text.substr(static_cast<std::size_t>(c.mnemonic), 1)).cx;
    HPEN pen = CreatePen(PS_SOLID, tm.tmHeight / 10, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    const int ly = y + tm.tmHeight - 2;
    MoveToEx(dc, x + before, ly, nullptr);
    LineTo(dc, x + before + width, ly);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawIconLayout(HWND hWnd, HDC dc, HICON icon, const Caption& c, bool pressed, bool held) {
    RECT r;
    GetClientRect(hWnd, &r);
    const RECT plain = r;
    int top = 4;
    if (pressed) {
        r.right += 3;
        r.bottom += 3;
        top = 7;
    } else if (held) {
        r.right += 2;
        r.bottom += 2;
        top += 2;
    }
    DrawIcon(dc, (r.right - GetSystemMetrics(SM_CXICON)) / 2, top, icon);
    const SIZE t = TextSize(dc, c.text);
    const int shift = (pressed || held) ? 2 : 0;
    DrawCaption(hWnd, dc, c, (plain.right - t.cx) / 2 + shift, plain.bottom - t.cy - 3 + shift);
}

void DrawBitmapLayout(HWND hWnd, HDC dc, const Caption& c, bool pressed, bool held) {
    HANDLE picture = IsWindowEnabled(hWnd) ? nullptr : GetPropA(hWnd, "DISABLE");
    if (!picture) picture = GetPropA(hWnd, "BITMAP");
    FieldContext fc = FieldContextOf(hWnd);
    const int fw = fc.view ? vwGetFieldWidth(fc.view, fc.id) : 0;
    const int fh = fc.view ? vwGetFieldHeight(fc.view, fc.id) : 0;
    BITMAP bm{};
    GetObjectA(picture, sizeof bm, &bm);
    const int pw = std::min<int>(bm.bmWidth, fw), ph = std::min<int>(bm.bmHeight, fh);
    const int shift = (pressed || held) ? 2 : 0;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, picture);
    BitBlt(dc, (fw - pw) / 2 + shift, 4 + shift, pw, ph, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    RECT r;
    GetClientRect(hWnd, &r);
    const SIZE t = TextSize(dc, c.raw);  // measured with its '&'
    DrawCaption(hWnd, dc, c, (r.right - t.cx) / 2 + shift, r.bottom - t.cy - 4 + shift);
}

// Paints a picture button after the class has drawn the face; false when
// the button has no picture (nothing done).
bool PaintPictureButton(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindowVisible(hWnd)) return false;
    auto icon = static_cast<HICON>(GetPropA(hWnd, "ICON"));
    if (!icon && !GetPropA(hWnd, "BITMAP")) return false;
    CallClassProc(hWnd, msg, wParam, lParam);
    if (!IsWindow(hWnd)) return true;
    const Caption c = CaptionOf(hWnd);
    const bool pressed = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
    const bool held = GetKeyState(VK_LBUTTON) < 0 && GetFocus() == hWnd && !g_pointerLeft;
    HDC dc = GetDC(hWnd);
    auto font = reinterpret_cast<HFONT>(CallClassProc(hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    if (icon) DrawIconLayout(hWnd, dc, icon, c, pressed, held);
    else DrawBitmapLayout(hWnd, dc, c, pressed, held);
    if (oldFont) SelectObject(dc, oldFont);
    ReleaseDC(hWnd, dc);
    return true;
}

LRESULT PaintedOrClass(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PaintPictureButton(hWnd, msg, wParam, lParam) ? 0 : CallClassProc(hWnd, msg, wParam, lParam);
}

// ---- messages

LRESULT OnSetFieldString(HWND hWnd, LPARAM lParam) {
    StoreDirectivesOf(hWnd, lParam);
    DeletePicture(hWnd, "BITMAP");
    RemovePropA(hWnd, "ICON");
    if (!lParam) return CallClassProc(hWnd, VWM_SETFIELDSTRING, 0, lParam);
    const char* dirs = reinterpret_cast<const char*>(lParam);
    const std::string_view s = dirs;
    FieldContext fc = FieldContextOf(hWnd);
    if (s.find("@PRT") != s.npos) {
        if ((GetWindowLongA(hWnd, GWL_STYLE) & 0x7) != BS_GROUPBOX) EnableWindow(hWnd, FALSE);
        vwProtectField(fc.view, fc.id);
    }
    MarkDropTarget(hWnd, s);
    HINSTANCE inst = fc.view ? vwGetViewInstance(fc.view) : nullptr;
    char name[HL_KEYWORD_BUFFER] = {};
    if (HasDirective(dirs, "@ICON", name)) {
        SetPropA(hWnd, "ICON", FindIcon(inst, name));
        InvalidateRect(hWnd, nullptr, FALSE);
    }
    if (!HasDirective(dirs, "@BITMAP", name)) return CallClassProc(hWnd, VWM_SETFIELDSTRING, 0, lParam);
    RemovePropA(hWnd, "ICON");
    SetPropA(hWnd, "BITMAP", FindPicture(inst, name));
    if (HasDirective(dirs, "@DISABLE", name)) {
        DeletePicture(hWnd, "DISABLE");
        SetPropA(hWnd, "DISABLE", FindPicture(inst, name));
    }
    InvalidateRect(hWnd, nullptr, FALSE);
    return CallClassProc(hWnd, VWM_SETFIELDSTRING, 0, lParam);
}

void OnEnable(HWND hWnd, WPARAM enabled) {
    if (GetPropA(hWnd, "BITMAP")) InvalidateRect(hWnd, nullptr, FALSE);
    FieldContext fc = FieldContextOf(hWnd);
    if (!fc.view) return;
    if (enabled) vwUnprotectField(fc.view, fc.id);
    else vwProtectField(fc.view, fc.id);
}

// The status line shows the text of the button the pointer moves onto.
void ShowStatusText(HWND hWnd) {
    FieldContext fc = FieldContextOf(hWnd);
    if (!fc.view || !fc.view->hDSLWindow || g_lastStatusButton == hWnd) return;
    g_lastStatusButton = hWnd;
    ShowFieldStatusText(fc.view, fc.id);
}

LRESULT OnMouseMove(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    hlDragDrop(hWnd, WM_MOUSEMOVE, wParam, lParam);
    if (wParam == MK_LBUTTON) {
        RECT rc;
        GetClientRect(hWnd, &rc);
        const POINT p{LOWORD(lParam), HIWORD(lParam)};
        bool painted = false;
        if (PtInRect(&rc, p) && g_pointerLeft) {
            g_pointerLeft = false;
            painted = PaintPictureButton(hWnd, WM_LBUTTONDOWN, wParam, lParam);
        } else if (!PtInRect(&rc, p) && !g_pointerLeft) {
            g_pointerLeft = true;
            painted = PaintPictureButton(hWnd, WM_MOUSEMOVE, wParam, lParam);
        }
        if (painted) return 0;
    }
    ShowStatusText(hWnd);
    return CallClassProc(hWnd, WM_MOUSEMOVE, wParam, lParam);
}

void OnDestroy(HWND hWnd) {
    RemovePropA(hWnd, "ICON");
    DeletePicture(hWnd, "BITMAP");
    DeletePicture(hWnd, "DISABLE");
    RemoveDragMarks(hWnd);
}

} // namespace

LRESULT CALLBACK DefButtonProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        OnDestroy(hWnd);
        break;
    case WM_ENABLE:
        OnEnable(hWnd, wParam);
        break;
    case WM_PAINT:
    case WM_LBUTTONDBLCLK:
        return PaintedOrClass(hWnd, msg, wParam, lParam);
    case WM_SHOWWINDOW:
        if (!wParam) EraseFieldFrame(hWnd);
        break;
    case WM_KEYDOWN:
        HelpOnF1(hWnd, wParam);
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE) return PaintedOrClass(hWnd, msg, wParam, lParam);
        break;
    case WM_MOUSEMOVE:
        return OnMouseMove(hWnd, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        g_pointerLeft = false;
        return PaintedOrClass(hWnd, msg, wParam, lParam);
    case WM_RBUTTONDOWN:
        hlDragDrop(hWnd, msg, wParam, lParam);
        g_pointerLeft = false;
        break;
    case WM_RBUTTONUP:
    case VWM_DRAG1:
    case VWM_DRAG2:
    case VWM_DRAG3:
        return hlDragDrop(hWnd, msg, wParam, lParam);
    case VWM_SETFIELDSTRING:
        return OnSetFieldString(hWnd, lParam);
    default:
        break;
    }
    return DefFieldMessage(hWnd, msg, wParam, lParam);
}
