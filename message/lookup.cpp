// vwMessageLookup: message texts from the view's error message file or from
// string resources.  Every lookup reads the file afresh; the text found
// lives in one library-wide buffer until the next lookup.
#include "view/internal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/errorfile.hpp"
#include "core/text.hpp"

namespace {

// Lines, keys and resource texts share the one buffer of 256 bytes.
char g_text[ts::core::kErrorLineLength + 1];

// The read count is 16 bits wide: larger files are read up to this size.
constexpr DWORD kMaxFileBytes = 0xFFFF;

LPSTR FromResource(HVIEW view, LPCSTR key) {
    if (!view || !key) return nullptr;
    const UINT id = ts::IsIntResource(key) ? static_cast<UINT>(reinterpret_cast<ULONG_PTR>(key))
                                           : static_cast<UINT>(std::atoi(key));
    g_text[0] = '\0';
    return LoadStringA(vwGetViewInstance(view), id, g_text, sizeof g_text) > 0 ? g_text : nullptr;
}

// Reads the whole file into a moveable global block one byte larger than
// the file, so that the image ends in NUL.
HGLOBAL ReadImage(HFILE file) {
    LONG end = _llseek(file, 0, FILE_END);
    _llseek(file, 0, FILE_BEGIN);
    const DWORD size = end < 0 ? 0 : static_cast<DWORD>(end) > kMaxFileBytes ? kMaxFileBytes : static_cast<DWORD>(end);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1);
    if (!block) return nullptr;
    if (auto* p = static_cast<char*>(GlobalLock(block))) {
        UINT got = _lread(file, p, size);
        if (got == static_cast<UINT>(HFILE_ERROR)) got = 0;
        p[got] = '\0';
        GlobalUnlock(block);
    }
    return block;
}

} // namespace

LPSTR VWAPI vwMessageLookup(HVIEW view, LPCSTR fileName, LPCSTR key, UINT flags) {
    if (flags & VWML_RESOURCE) return FromResource(view, key);
    if (!fileName || !*fileName) {
        if (!view) return nullptr;
        fileName = view->messageFile;
    }
    char wanted[ts::core::kErrorKeyLength + 1];
    ts::core::copy_bounded(wanted, sizeof wanted, key ? key : "");

    OFSTRUCT ofs = {};
    ofs.cBytes = sizeof ofs;
    HFILE file = OpenFile(fileName, &ofs, OF_READ);
    if (file == HFILE_ERROR) {
        char text[300];
        std::snprintf(text, sizeof text, "Unable to open error file: %s", fileName);
        ts::LibraryMessageBox(GetFocus(), text, "System Error", MB_OK);
        return nullptr;
    }
    HGLOBAL block = ReadImage(file);
    _lclose(file);
    if (!block) return nullptr;
    LPSTR result = nullptr;
    if (const auto* image = static_cast<const char*>(GlobalLock(block))) {
        if (auto text = ts::core::find_error_text(image, wanted)) {
            ts::core::copy_bounded(g_text, sizeof g_text, *text);
            result = g_text;
        }
        GlobalUnlock(block);
    }
    GlobalFree(block);
    return result;
}
