// Library-internal declarations shared by the modules of tscore32.dll.
#pragma once

#include "tscore32.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ts {

// Slots of the view table: slot 0 stays empty, so 29 views at most.
inline constexpr int kViewSlots = 30;

// Library-wide state; one copy per process, used from the one user-interface
// thread that owns the views.
struct LibraryState {
    HINSTANCE module = nullptr;         // this DLL
    HINSTANCE lastInstance = nullptr;   // instance of the latest vwOpenView

    // The table of open views and, under the same slot, their windows.
    VWVIEW* views[kViewSlots] = {};
    HWND viewWindows[kViewSlots] = {};
    WORD viewCount = 0;
    VWVIEW* current = nullptr;          // the view being created, shown or served

    // The view and window the inter-field procedure is serving.
    VWVIEW* interFieldView = nullptr;
    HWND interFieldWindow = nullptr;

    int applicationErrorBoxes = 0;
    // Field errors reported to views (vwSetViewError, VWM_SHOWERROR): a
    // field refused without a report after it is announced with a beep.
    unsigned errorReports = 0;

    // Gathered by the first view (vwInitViewMetrics).
    bool metricsReady = false;
    int baseUnitX = 0, baseUnitY = 0;
    int screenWidth = 0, screenHeight = 0;
    HBRUSH steelBrush = nullptr;
    HBRUSH patternBrush[3] = {};
    HBRUSH grayBrush = nullptr;
    bool windows4 = false;
    HMODULE ctl3d = nullptr;

    // View creation.
    DWORD pendingExStyle = 0;
    bool toolbarChildMode = false;
    bool toolbarGuard = false;          // toolbars of a view string are being made
    bool mdiReuseMode = false;
    WORD recordVersion = 0;             // version of the record being read

    // Showing.
    bool showing = false;               // raised while vwShowView shows a window
    bool windowOnly = false;            // vwShowViewWindow is running

    // Field table.
    VWVIEW* cacheView = nullptr;        // one-entry lookup cache
    LONG cacheId = 0;
    int cacheNumber = 0;
    int recreateSlot = 0;               // field being re-created by vwResetFieldEx
    WNDPROC comboEditProc = nullptr;    // procedure of the last subclassed combo edit

    char debugLine[512] = {};

    // vwWait: one wait at a time, ticked by the view window procedure.
    struct {
        LONG duration = 0;
        LONG elapsed = 0;
        bool done = false;
        bool busy = false;
    } wait;
    // vwAnimateField: one moving field, stepped by the default view procedure.
    struct {
        int field = 0;                  // field number
        POINT start{}, target{};        // view client pixels
        int dx = 0, dy = 0;             // per step
        bool done = false;
    } animation;
    int loopKind = 0;                   // 1 animation loop, 2 wait loop

    // MDI child views are made one at a time.
    struct {
        bool pending = false;           // vwCreateMDIChildView is running
        HINSTANCE instance = nullptr;   // where the child's definition lives
        LPCSTR name = nullptr;          // its name: nameText or an integer resource
        char nameText[256] = {};
        HWND client = nullptr;
        VWVIEW* creating = nullptr;     // the child view during WM_MDICREATE
        bool defaultGeometry = false;   // the template places the child
        HWND lastChild = nullptr;       // INVALID_HANDLE_VALUE after a failed build
    } mdi;
    LRESULT lastSelection = 0;          // last index read from a "SERVER" list
};

extern LibraryState g_lib;

// ---- message boxes (view/boxes.cpp)
int LibraryMessageBox(HWND owner, const char* text, const char* caption, UINT style);
int ReportApplicationError();
void ShowSystemErrorBox(HWND owner, const char* text);
int ShowLowMemoryBox(int code);
void DebugLine(const char* line);

// ---- view table (view/viewtable.cpp)
bool AppendView(VWVIEW* view);
void RemoveView(VWVIEW* view);

// ---- lifecycle (view/lifecycle.cpp)
VWVIEW* MakeViewRecord(WNDPROC viewProc, LPARAM extra);
// A bitmap by name: the resource named by the name's base name in `inst`,
// else the file (".bmp" added when the name has no '.'), whose name is left
// in `file`.  The palette that came with it, if any, goes to `palette`.
HBITMAP LoadNamedBitmap(HINSTANCE inst, const char* name, HPALETTE* palette, char* file, std::size_t fileSize);
// WM_CREATE of an MDI child view: the view definition saved by
// vwCreateMDIChildView is built into the new child.
void CompleteMDIChild(HWND hWnd);

// ---- local message loops (field/viewloop.cpp)
// Dispatches the thread's messages until `done` is set, WM_QUIT arrives
// (taken, not posted again), or the view or its window `hWnd` goes away.
void RunViewLoop(VWVIEW* view, HWND hWnd, const bool& done);

// ---- command notifications of fields (view/notify.cpp)
// Serves a control's WM_COMMAND before routing; true when the result is final.
bool ServeFieldCommand(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam, LRESULT* result);
// Routes a message to the application's view procedure and the default one.
LRESULT RouteViewMessage(VWVIEW* view, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- units (view/units.cpp)
int FontHeightFromPoints(HDC dc, int points);
// A parent's client area as a placement: origin (0, 0) for a child window,
// else the client origin in screen coordinates; right and bottom hold the size.
RECT ParentClientPlacement(HWND parent, bool child);

// ---- field table (field/fieldtable.cpp)
VWFIELD* FieldFromID(VWVIEW* view, LONG id);
int FieldNumberFromWindow(VWVIEW* view, HWND hWnd);
void ClearFieldCache();
void FreeFieldRecord(VWFIELD* field);

// ---- directive strings (field/directives.cpp)
int StoreFieldDirectives(VWVIEW* view, LONG id, const char* string);
WORD CopyFieldDirectives(VWVIEW* view, LONG id, char* buffer, int size);

// ---- text fields (field/textfield.cpp)
void InvalidateTextField(VWVIEW* view, int n);
void TextFieldRect(VWVIEW* view, int n, RECT* rc);

// ---- view errors (message/viewerror.cpp)
// Takes down the view's error balloon and the error with it.
void RemoveErrorBalloon(VWVIEW* view);
// The field's "@DSL" text (or nothing) in the view's status line, when the
// view has a live one.
void ShowFieldStatusText(VWVIEW* view, LONG id);

// ---- directives
// Whether the keyword occurs in the directive string (hlGetKeyword); its
// argument goes to `arg` when one is given (128 bytes or more).
bool HasDirective(const char* directives, const char* keyword, char* arg = nullptr);

// ---- class procedures (control/shared.cpp)
// Passes a message to the procedure registered for the control's window
// class (never to a procedure saved per window).
LRESULT CallClassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- leaving fields (field/focus.cpp)
// The check before the focus leaves a field: the view may take it over
// (askView), then the field answers VWM_VALIDATE; -1 puts the focus back.
int CheckFieldOnLeave(VWVIEW* view, LONG id, HWND target, bool askView);
int EditField(VWVIEW* view, LONG id);

// ---- local memory strings (view/localstring.cpp)
// A moveable block of length + 2 bytes holding `s`; 0 when `s` is empty or
// memory is exhausted.  `old` is freed first.
HLOCAL ReplaceLocalString(HLOCAL old, std::string_view s);
// Copies at most size - 1 characters of the block and a terminator.
std::size_t CopyLocalString(HLOCAL h, char* buffer, std::size_t size);

// Locks a moveable local block for the life of the object.
class LocalLockGuard {
public:
    explicit LocalLockGuard(HLOCAL h) : h_(h), p_(h ? static_cast<char*>(LocalLock(h)) : nullptr) {}
    ~LocalLockGuard() { if (p_) LocalUnlock(h_); }
    LocalLockGuard(const LocalLockGuard&) = delete;
    LocalLockGuard& operator=(const LocalLockGuard&) = delete;
    const char* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
private:
    HLOCAL h_;
    char* p_;
};

// A window's device context, released with the object.
class WindowDC {
public:
    explicit WindowDC(HWND hWnd) : hWnd_(hWnd), dc_(GetDC(hWnd)) {}
    ~WindowDC() { if (dc_) ReleaseDC(hWnd_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HWND hWnd_;
    HDC dc_;
};

// Selects a GDI object into a DC and restores the previous one.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectGuard() { if (old_) SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
private:
    HDC dc_;
    HGDIOBJ old_;
};

// The view record stored in a view window's extra bytes.
inline VWVIEW* ViewFromWindow(HWND hWnd) {
    return reinterpret_cast<VWVIEW*>(GetWindowLongPtrA(hWnd, VWL_VIEW));
}

// Field n of a view, or null outside 1..fieldCount.
inline VWFIELD* FieldAt(VWVIEW* view, int n) {
    if (!view || !view->fields || n < 1 || n > view->fieldCount) return nullptr;
    return view->fields[n];
}

// True for a resource name given as an integer identifier.
inline bool IsIntResource(LPCSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

} // namespace ts
