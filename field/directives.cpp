// A field's directive string: kept in the field record and reached through
// VWM_SETFIELDSTRING / VWM_GETFIELDSTRING, which the field procedures answer.
#include "view/internal.h"

#include "companion/helio.h"
#include "core/text.hpp"

namespace ts {

int StoreFieldDirectives(VWVIEW* view, LONG id, const char* string) {
    if (!string) return 0;
    VWFIELD* f = FieldFromID(view, id);
    if (!f) return 0;
    std::string_view s = string;
    f->hDirectives = ReplaceLocalString(f->hDirectives, s);
    return f->hDirectives ? static_cast<int>(s.size()) : 0;
}

WORD CopyFieldDirectives(VWVIEW* view, LONG id, char* buffer, int size) {
    if (!buffer) return 0;
    if (size <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    VWFIELD* f = FieldFromID(view, id);
    if (!f) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<WORD>(CopyLocalString(f->hDirectives, buffer, static_cast<std::size_t>(size)));
}

} // namespace ts

using namespace ts;

int VWAPI vwSetFieldString(HVIEW view, LONG id, LPCSTR string) {
    if (string && *string && core::contains_nocase(string, "@NAME")) {
        char name[256] = {};
        if (hlGetKeyword(string, "@NAME", name)) vwSetFieldName(view, id, name);
    }
    if (HWND h = vwGetFieldWindow(view, id))
        SendMessageA(h, VWM_SETFIELDSTRING, 0, reinterpret_cast<LPARAM>(string));
    return 1;
}

int VWAPI vwGetFieldString(HVIEW view, LONG id, LPSTR buffer, int size) {
    if (!buffer) return 0;
    buffer[0] = '\0';
    LRESULT n = SendDlgItemMessageA(view->hWnd, static_cast<int>(id), VWM_GETFIELDSTRING,
                                    static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer));
    return static_cast<int>(LOWORD(n));
}
