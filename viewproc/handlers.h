// Message handlers of the default view procedure, one module per concern.
#pragma once
#include "view/internal.h"

namespace ts {

LRESULT OnSetViewString(VWVIEW* view, HWND hWnd);
LRESULT OnEraseBkgnd(VWVIEW* view, HWND hWnd, HDC dc);
LRESULT OnPaint(VWVIEW* view, HWND hWnd);
LRESULT OnCtlColor(VWVIEW* view, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT OnSetFont(VWVIEW* view, HWND hWnd, HFONT font, LPARAM lParam);
LRESULT OnCommand(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam);
void OnNcDestroy(VWVIEW* view, HWND hWnd);
LRESULT OnKeyDown(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam);
// The view's current field, or null when it has none.
VWFIELD* CurrentField(VWVIEW* view);
void OnActivate(VWVIEW* view, HWND hWnd, WPARAM wParam);
void OnSetFocus(VWVIEW* view, HWND hWnd);
void OnLButtonDown(VWVIEW* view, HWND hWnd);
void OnNcLButtonDown(VWVIEW* view);
LRESULT OnScroll(VWVIEW* view, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
void OnSize(VWVIEW* view, HWND hWnd, WPARAM wParam);
void ApplyScrollDirectives(VWVIEW* view, HWND hWnd, const char* viewString);
bool BackgroundBitmapName(VWVIEW* view, const char* viewString, char* name, std::size_t size);
void LoadBackgroundBitmap(VWVIEW* view, HWND hWnd, const char* name, const char* viewString);
LRESULT DrawBackgroundBitmap(VWVIEW* view, HWND hWnd, HDC dc, HBITMAP bmp);
LRESULT OnShowError(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam);
LRESULT OnDdeInitiate(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam);
void OnSysColorChange(VWVIEW* view, HWND hWnd);
void OnSizeParent(VWVIEW* view, HWND hWnd, LPARAM lParam);
void OnTimer(VWVIEW* view, HWND hWnd, WPARAM id);
LRESULT OnMenuSelect(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam);
void OnNcHitTest(VWVIEW* view, HWND hWnd);
void ApplyDSLDirective(VWVIEW* view, const char* viewString);

} // namespace ts
