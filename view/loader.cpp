// Building a view from its dialog template and view-definition record.
#include "view/internal.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "companion/helio.h"
#include "core/dlgtemplate.hpp"
#include "core/text.hpp"
#include "core/viewrecord.hpp"

namespace ts {
namespace {

// Nesting depth of vwCreateView: the record version is library-wide while a
// view is built and returns to the outer call's version when a nested build
// (a toolbar made while the view string is applied) ends.
int g_createDepth = 0;

class VersionScope {
public:
    VersionScope() : saved_(g_lib.recordVersion) { ++g_createDepth; }
    ~VersionScope() {
        --g_createDepth;
        g_lib.recordVersion = g_createDepth ? saved_ : 0;
    }
    VersionScope(const VersionScope&) = delete;
    VersionScope& operator=(const VersionScope&) = delete;
private:
    WORD saved_;
};

struct Resource {
    std::span<const std::uint8_t> bytes;
    bool found = false;
    bool loaded = false;
};

Resource FindResourceBytes(HINSTANCE inst, LPCSTR name, LPCSTR type) {
    Resource r;
    HRSRC info = FindResourceA(inst, name, type);
    if (!info) return r;
    r.found = true;
    HGLOBAL h = LoadResource(inst, info);
    if (!h) return r;
    r.loaded = true;
    if (const void* p = LockResource(h))
        r.bytes = {static_cast<const std::uint8_t*>(p), SizeofResource(inst, info)};
    return r;
}

// Converts a template string to the ANSI code page (at most 255 bytes).
std::string Narrow(const std::u16string& s) {
    char buf[256] = {};
    if (!s.empty())
        WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(s.c_str()), static_cast<int>(s.size()), buf,
                            sizeof buf - 1, nullptr, nullptr);
    return buf;
}

void ShowProgramError(const char* text) {
    LibraryMessageBox(GetFocus(), text, "Program Error", MB_ICONHAND);
}

// The font of a record entry: points and style bits after version 4, a raw
// height with default weight before.
HFONT BuildRecordFont(const core::FontEntry& e, WORD version) {
    LOGFONTA lf = {};
    core::copy_bounded(lf.lfFaceName, sizeof lf.lfFaceName, e.face);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = 0;
    if (core::record_sizes_in_points(version)) {
        WindowDC dc(nullptr);
        lf.lfHeight = FontHeightFromPoints(dc, e.size);
        lf.lfWeight = (e.style & VWFONT_BOLD) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (e.style & VWFONT_ITALIC) ? 1 : 0;
        lf.lfUnderline = (e.style & VWFONT_UNDERLINE) ? 1 : 0;
        lf.lfStrikeOut = (e.style & VWFONT_STRIKEOUT) ? 1 : 0;
    } else {
        lf.lfHeight = e.size;
    }
    return CreateFontIndirectA(&lf);
}

void ApplyRecord(VWVIEW* view, const core::ViewRecord& rec) {
    const WORD v = rec.head.version;
    if (rec.colors) {
        const core::ViewColors& c = *rec.colors;
        vwSetViewDefColors(view, c.text, c.back, c.selText, c.selBack);
        vwSetViewBackBrush(view, CreateSolidBrush(c.back));
        view->ownsBackBrush = 1;
    }
    if (rec.viewString) {
        std::string s(*rec.viewString);
        vwSetViewString(view, s.c_str());
        char name[256] = {};
        if (hlGetKeyword(s.c_str(), "@VIEWNAME", name)) vwSetViewName(view, name);
        g_lib.current = view;
    }
    for (const core::FieldStringEntry& e : rec.fieldStrings) {
        std::string s(e.directives);
        vwSetFieldString(view, e.id, s.c_str());
    }
    for (const core::FontEntry& e : rec.fieldFonts) {
        HFONT font = BuildRecordFont(e, v);
        SendDlgItemMessageA(view->hWnd, e.key, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        VWFIELD* f = FieldFromID(view, e.key);
        if (!f) {
            DeleteObject(font);
            continue;
        }
        if (f->hFont && (f->flags & VWFF_OWNFONT)) DeleteObject(f->hFont);
        f->hFont = font;
        f->flags |= VWFF_OWNFONT;
    }
    for (const core::FontEntry& e : rec.textFieldFonts) {
        if (e.key == 0) continue;  // slot 0 of the table stays empty
        vwSetTextFieldFont(view, e.key, BuildRecordFont(e, v));
        view->textFields[e.key]->ownsFont = 1;
    }
    for (const core::FieldColorEntry& e : rec.fieldColors)
        vwSetFieldColors(view, e.id, e.colors.text, e.colors.back, e.colors.selText, e.colors.selBack);
    for (const core::TextColorEntry& e : rec.textFieldColors) vwSetTextFieldColors(view, e.number, e.text, e.back);
}

} // namespace
} // namespace ts

using namespace ts;

HVIEW VWAPI vwCreateView(HINSTANCE hInst, LPCSTR name, HWND hParent, WNDPROC viewProc, LPARAM extra) {
    VersionScope versionScope;
    g_lib.pendingExStyle = 0;

    // "101" names resource 101; other strings stay names.
    LPCSTR resName = name;
    if (!IsIntResource(name)) {
        long number = std::strtol(name, nullptr, 10);
        if (LOWORD(number)) resName = MAKEINTRESOURCEA(LOWORD(number));
    }
    char shownName[32];
    if (IsIntResource(resName))
        std::snprintf(shownName, sizeof shownName, "%u", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(resName)));
    else
        core::copy_bounded(shownName, sizeof shownName, resName);

    if (!hInst) {
        ShowProgramError("NULL Instance handle passed to vwCreateView");
        return nullptr;
    }

    // A first look at the record: its version and the view font style.
    Resource record = FindResourceBytes(hInst, resName, reinterpret_cast<LPCSTR>(RT_RCDATA));
    core::RecordHead head = core::read_record_head(record.bytes);
    g_lib.recordVersion = head.version;

    Resource dialog = FindResourceBytes(hInst, resName, reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!dialog.found || !dialog.loaded) {
        char text[400];
        const char* fmt = dialog.found
            ? "Tessarine is unable to Load Resource: %s. \nCheck resource file for this dialog resource"
            : "Tessarine is unable to find resource: %s. \nCheck resource file for this dialog resource";
        std::snprintf(text, sizeof text, fmt, IsIntResource(resName) ? shownName : resName);
        ShowProgramError(text);
        return nullptr;
    }
    if (dialog.bytes.empty()) return reinterpret_cast<HVIEW>(static_cast<LONG_PTR>(ShowLowMemoryBox(1003)));

    core::DialogTemplate tpl = core::read_dialog_template(dialog.bytes);
    const core::DialogHeader& h = tpl.header;
    DWORD style = h.style;
    std::string face = "MS Sans Serif";
    int pointSize = 8;
    WORD fontStyle = head.fontStyle;
    if (h.hasFont) {
        face = Narrow(h.face);
        pointSize = h.pointSize;
    } else {
        fontStyle = core::kDefaultFontStyle;
    }

    if (g_lib.toolbarChildMode) {
        style = (style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
        g_lib.toolbarChildMode = false;
    }
    g_lib.pendingExStyle = h.exStyle | ((style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);

    const std::string caption = Narrow(h.caption);
    VWVIEW* view;
    if (g_lib.mdiReuseMode) {
        view = reinterpret_cast<VWVIEW*>(extra);
        SetWindowTextA(view->hWnd, caption.c_str());
        if (style & WS_VISIBLE) SetPropA(view->hWnd, "VISIBLE", reinterpret_cast<HANDLE>(1));
    } else {
        view = vwOpenView(hInst, caption.c_str(), style, hParent, viewProc, extra);
        if (!view) {
            g_lib.pendingExStyle = 0;
            return nullptr;
        }
    }
    g_lib.pendingExStyle = 0;
    g_lib.mdiReuseMode = false;

    core::copy_bounded(view->name, 12, shownName);

    if (!face.empty()) {
        view->fontState = (head.version >= 1 && head.version <= 4) ? VWFS_RAWHEIGHT : VWFS_POINTS;
        vwSetViewFont(view, face.c_str(), pointSize, fontStyle, FALSE);
    }

    if (h.menu.is_ordinal() || !h.menu.text.empty()) {
        std::string menuName = Narrow(h.menu.text);
        LPCSTR menuRes = h.menu.is_ordinal() ? MAKEINTRESOURCEA(h.menu.ordinal) : menuName.c_str();
        HINSTANCE owner = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(view->hWnd, GWLP_HINSTANCE));
        if (HMENU menu = LoadMenuA(owner, menuRes)) SetMenu(view->hWnd, menu);
    }

    const UINT placeMode = (style & DS_ABSALIGN) ? (VWP_DIALOGUNITS | VWP_ABSOLUTE) : VWP_DIALOGUNITS;
    if (view->defViewProc != DefMDIChildViewProc) {
        vwSetViewPosition(view, h.x, h.y, h.cx, h.cy, placeMode);
    } else {
        auto prop = [&](const char* p, LONG_PTR value) { SetPropA(view->hWnd, p, reinterpret_cast<HANDLE>(value)); };
        prop("MX", h.x);
        prop("MY", h.y);
        prop("MCX", h.cx);
        prop("MCY", h.cy);
        if (style & DS_ABSALIGN) prop("MABS", 1);
    }

    for (const core::DialogItem& item : tpl.items) {
        const std::string cls = item.windowClass.is_ordinal() ? std::string() : Narrow(item.windowClass.text);
        const std::string text = item.caption.is_ordinal() ? std::string() : Narrow(item.caption.text);
        if (core::equals_nocase(cls, "text")) {
            int n = vwSetTextField(view, item.x, item.y, text.c_str(), nullptr);
            if (n && item.id) vwSetTextFieldLink(view, n, item.id);
            continue;
        }
        if (cls.empty()) continue;  // a class given as an unknown atom
        if (!vwSetFieldEx(view, item.id, cls.c_str(), text.c_str(), item.style, item.exStyle, item.x, item.y,
                          item.cx, item.cy, nullptr, nullptr))
            continue;
        if (item.id == IDOK) vwSetOKButton(view, IDOK);
        if (item.id == IDCANCEL) vwSetCancelButton(view, IDCANCEL);
    }

    if (!record.bytes.empty())
        ApplyRecord(view, core::read_view_record(record.bytes, view->fieldCount, view->textFieldCount));

    // Records before version 34 keep no visibility or tab stops of their own.
    if (head.version < 34) {
        for (int n = 1; n <= view->fieldCount; ++n) {
            VWFIELD* f = view->fields[n];
            LONG s = GetWindowLongA(f->hWnd, GWL_STYLE) | WS_VISIBLE;
            if (!(f->dlgCode & DLGC_STATIC)) s |= WS_TABSTOP;
            SetWindowLongA(f->hWnd, GWL_STYLE, s);
        }
    }

    if (!h.windowClass.is_ordinal() && core::equals_nocase(Narrow(h.windowClass.text), "BorDlg")) {
        char buf[256] = {};
        vwGetViewString(view, buf, sizeof buf);
        hlEditKeyword(buf, "@3D");
        vwSetViewString(view, buf);
        g_lib.current = view;
    }
    return view;
}
