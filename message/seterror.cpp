// vwSetViewError: an application reports a field error.  The view's default
// procedure shows the error record; a view that does not handle it gets a
// plain message box instead.
#include "view/internal.h"

namespace {

constexpr const char* kCaption = "Error";
constexpr const char* kNotFound = "Error detected";

// The record travels in a zero-filled moveable global block, locked for the
// life of the object and freed with it.
class ErrorBlock {
public:
    ErrorBlock() : h_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(VWERRORREC))),
                   rec_(h_ ? static_cast<VWERRORREC*>(GlobalLock(h_)) : nullptr) {}
    ~ErrorBlock() {
        if (rec_) GlobalUnlock(h_);
        if (h_) GlobalFree(h_);
    }
    ErrorBlock(const ErrorBlock&) = delete;
    ErrorBlock& operator=(const ErrorBlock&) = delete;
    VWERRORREC* get() const { return rec_; }
private:
    HGLOBAL h_;
    VWERRORREC* rec_;
};

} // namespace

int VWAPI vwSetViewError(HVIEW view, LONG id, LONG, LONG, LPCSTR message, UINT flags) {
    if (!vwIsView(view)) return ts::ReportApplicationError();
    if (view->editState & VWE_EDITINGOFF) return 0;
    if (!message) message = "";
    ++ts::g_lib.errorReports;

    HWND field = vwGetFieldWindow(view, id);
    char directives[16] = "";
    if (flags & VWSVE_MBOX) lstrcatA(directives, "@MBOX");
    if (flags & VWSVE_BEEP) lstrcatA(directives, "@BEEP");
    HWND parent = field ? GetParent(field) : nullptr;

    if (parent) {
        ErrorBlock block;
        VWERRORREC* rec = block.get();
        if (!rec) return 0;
        rec->hField = field;
        rec->fieldId = id;
        rec->directives = directives;
        LPSTR text = const_cast<LPSTR>(message);
        if (flags & VWSVE_KEY) {
            text = vwMessageLookup(view, view->messageFile, message, 0);
            if (!text) text = const_cast<LPSTR>(kNotFound);
        }
        rec->text = text;
        rec->caption = kCaption;
        const LRESULT answer = SendMessageA(parent, VWM_SHOWERROR, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(rec));
        if (answer & VWSE_HANDLED) return (answer & VWSE_WARNING) ? 1 : 0;
    }

    // nobody showed it: the message itself (never looked up) in a box
    ts::LibraryMessageBox(parent, message, kCaption, MB_ICONHAND);
    if (field) {
        SendMessageA(field, EM_SETSEL, 0, 500);
        InvalidateRect(field, nullptr, TRUE);
    }
    if (parent) SendMessageA(parent, VWM_ERRORDONE, static_cast<WPARAM>(id), 0);
    return 0;
}
