// Conventions every default field procedure shares.
#pragma once
#include "view/internal.h"

namespace ts {

// Passes a message to the procedure registered for the control's window
// class (never to a procedure saved per window).
LRESULT CallClassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The view that owns a field control and the control's identifier.
struct FieldContext {
    VWVIEW* view;
    LONG id;
};
FieldContext FieldContextOf(HWND hWnd);

// Stores a new directive string (VWM_SETFIELDSTRING); false for a null one.
bool StoreDirectivesOf(HWND hWnd, LPARAM string);

// Answers the messages all default field procedures answer alike:
// WM_GETDLGCODE (class answer plus the field marker) and VWM_GETFIELDSTRING.
// Returns false for any other message.
bool SharedFieldMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

} // namespace ts
