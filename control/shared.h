// Conventions every default field procedure shares.
#pragma once
#include <string>
#include <string_view>

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

// The end of every default field procedure: answers the messages all of them
// answer alike (WM_GETDLGCODE with the field marker added to the class
// answer, VWM_GETFIELDSTRING) and hands any other message to the class.
LRESULT DefFieldMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The field's directive string, at most 255 characters.
std::string FieldDirectives(HWND hWnd);

// "@DROPTARG" (case-sensitive) makes the control a drop target.
void MarkDropTarget(HWND hWnd, std::string_view directives);
// The drag-and-drop marks a control loses when it is destroyed.
void RemoveDragMarks(HWND hWnd);
// Whether the control is an end of a DDE link ("SERVER1" on a combo box).
bool HasDdeLink(HWND hWnd);
// F1 shows the help the field's directives name.
void HelpOnF1(HWND hWnd, WPARAM key);

// Frames around controls (control/frame.cpp): style 1 sunken, 2 shadowed,
// 4 raised, 8 etched, 16 client edge.  PaintFieldFrame answers 1 for a
// control without parent and draws nothing for an invisible one.
int PaintFieldFrame(HWND control, int style);
void EraseFieldFrame(HWND control);
int FrameStyleOf(const char* directives);
// WM_NCPAINT of framed fields: the class paints, then "@3D…" adds its frame.
LRESULT FramedNcPaint(HWND hWnd, WPARAM wParam, LPARAM lParam);

// List and combo boxes alike: DDE messages other than WM_DDE_TERMINATE go
// to the companion; "@DROPTARG", "@SERVER" and "@PRT" (all case-sensitive)
// of a new directive string; links and drag marks end on WM_DESTROY.
bool IsListDde(UINT msg);
void ApplyListDirectives(HWND hWnd, const char* directives);
LRESULT DestroyListField(HWND hWnd, WPARAM wParam, LPARAM lParam);

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
