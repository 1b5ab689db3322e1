// Helpers shared by the window tests.
#pragma once
#include <windows.h>

#include <string>

#include "tscore32.h"

namespace tstest {

inline HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Ends a view however far it got: destroys its window, or frees a record
// that never had one.
class ViewGuard {
public:
    explicit ViewGuard(HVIEW v = nullptr) : view_(v) {}
    ~ViewGuard() { reset(); }
    ViewGuard(const ViewGuard&) = delete;
    ViewGuard& operator=(const ViewGuard&) = delete;
    void reset(HVIEW v = nullptr) {
        if (view_ && vwIsView(view_)) {
            if (view_->hWnd && IsWindow(view_->hWnd)) DestroyWindow(view_->hWnd);
            else vwFreeView(view_);
        }
        view_ = v;
    }
    HVIEW get() const { return view_; }
    HVIEW operator->() const { return view_; }
    explicit operator bool() const { return view_ != nullptr; }
private:
    HVIEW view_;
};

// Registers a window class of the test program (a stand-in for a control
// class an application would register).
inline void RegisterTestClass(const char* name, WNDPROC proc) {
    const WNDCLASSA wc = {0, proc, 0, 0, Instance(), nullptr, nullptr, nullptr, nullptr, name};
    RegisterClassA(&wc);
}

inline std::string ClassOf(HWND h) {
    char buf[64] = {};
    return std::string(buf, GetClassNameA(h, buf, sizeof buf));
}

// The whole text of a window, however long.
inline std::string TextOf(HWND h) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

inline LONG StyleOf(HWND h) { return GetWindowLongA(h, GWL_STYLE); }

// Types a text into a window as the keyboard does, one WM_CHAR a byte.
inline void Type(HWND h, const std::string& s) {
    for (unsigned char c : s) SendMessageA(h, WM_CHAR, c, 1);
}

// The logical font of a font handle.
inline LOGFONTA FontOf(HFONT f) {
    LOGFONTA lf = {};
    GetObjectA(f, sizeof lf, &lf);
    return lf;
}

// -(points x LOGPIXELSY / 72) rounded, as the screen maps it.
inline int PointsToHeight(int points) {
    HDC dc = GetDC(nullptr);
    const int h = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    return h;
}

// The colour of one pixel of a window as it was painted.
inline COLORREF PixelAt(HWND h, int x, int y) {
    HDC dc = GetDC(h);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

} // namespace tstest
