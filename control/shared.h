// Conventions every default field procedure shares.
#pragma once
#include "view/internal.h"

#include <string>

namespace ts {

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

// Frames around controls (control/frame.cpp): style 1 sunken, 2 shadowed,
// 4 raised, 8 etched, 16 client edge.  PaintFieldFrame answers 1 for a
// control without parent and draws nothing for an invisible one.
int PaintFieldFrame(HWND control, int style);
void EraseFieldFrame(HWND control);
int FrameStyleOf(const char* directives);
// WM_NCPAINT of framed fields: the class paints, then "@3D…" adds its frame.
LRESULT FramedNcPaint(HWND hWnd, WPARAM wParam, LPARAM lParam);

// The field's directive string as its procedures read it (255 characters).
std::string DirectivesOf(HWND hWnd);

// The argument of a directory listing: file specification, identifier of a
// static that shows the current directory, hexadecimal file-type bits.
struct DirListing {
    std::string spec = "*.*";
    int staticId = 0;
    UINT attributes = 0;
};
DirListing ParseDirListing(const char* argument);
// Fills a list box (or combo box) with the listing and restores the current
// directory, which the system's listing functions change.
void ListDirectory(HWND control, DirListing listing, bool combo);

// The list data bound to a list or combo box field; null when the control
// is no field of its view or has no variable.
const VWLISTDATA* BoundListData(HWND control);

} // namespace ts
