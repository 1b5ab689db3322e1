// Typing: WM_CHAR into the "@NUM@LIMIT(10)" edit field of the shown 300-field
// view (through the inter-field procedure and DefEditProc), against the same
// WM_CHAR into the edit at the same place of the raw dialog.
//
// Accepted keystrokes are digits; the raw edit is bare.  Rejected keystrokes
// are letters, which the field drops with a beep; the raw edit then gets the
// filter a Win32 program would write for a numeric edit, a subclass that
// drops what is not a digit and beeps, so that both arms do the same.
//
// Keys come in groups of ten (the field's limit); between groups, outside
// the timed part, both edits are emptied, painted and checked: after an
// accepted group they hold the ten digits, after a rejected one nothing.
#include <cstring>
#include <memory>

#include "bench/fixtures.hpp"
#include "bench/rows.hpp"

namespace ts::bench {
namespace {

constexpr char kAccepted[] = "0123456789";
constexpr char kRejected[] = "abcdefghij";
static_assert(sizeof kAccepted - 1 == kEditLimit && sizeof kRejected - 1 == kEditLimit);

WNDPROC g_bareEditProc = nullptr;

LRESULT CALLBACK DigitsOnlyEditProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && wParam >= 0x20 && !(wParam >= '0' && wParam <= '9')) {
        MessageBeep(0);
        return 0;
    }
    return CallWindowProcA(g_bareEditProc, hWnd, msg, wParam, lParam);
}

struct TypingState {
    ShownPair pair{300};
    HWND field = nullptr;       // the view's edit field
    HWND edit = nullptr;        // the raw dialog's edit
    bool filtered = false;      // the raw edit has the digits-only subclass

    ~TypingState() {
        if (filtered && IsWindow(edit)) SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_bareEditProc));
    }
};

// Empties the edit and lets it paint, outside the timed part.
void Reset(HWND edit) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    UpdateWindow(edit);
}

// Types `keys` characters in groups of ten and checks each group.
double TypeGroups(HWND edit, const char* keys, bool accepted, long count) {
    double seconds = 0;
    for (long done = 0; done < count;) {
        const long n = count - done < static_cast<long>(kEditLimit) ? count - done : kEditLimit;
        Reset(edit);
        seconds += timed(1, [&] {
            for (long i = 0; i < n; ++i) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(keys[i]), 1);
        });
        char text[32] = {};
        GetWindowTextA(edit, text, sizeof text);
        const std::size_t want = accepted ? static_cast<std::size_t>(n) : 0;
        if (std::strlen(text) != want || std::strncmp(text, keys, want) != 0) {
            char what[96];
            std::snprintf(what, sizeof what, "typing %.*s left \"%s\"", static_cast<int>(n), keys, text);
            report_problem(what);
        }
        done += n;
    }
    Reset(edit);
    return seconds;
}

Batches PrepareTyping(bool accepted) {
    auto s = std::make_shared<TypingState>();
    if (!s->pair.failure().empty()) return Batches::Failed(s->pair.failure());
    const Form& f = s->pair.form();
    s->field = vwGetFieldWindow(s->pair.view(), f.typingId);
    s->edit = GetDlgItem(s->pair.dialog(), f.typingId);
    char dirs[64] = {};
    vwGetFieldString(s->pair.view(), f.typingId, dirs, sizeof dirs);
    if (!s->field || !s->edit || std::strcmp(dirs, kEditDirectives) != 0)
        return Batches::Failed("the typing field is missing or has other directives");
    SendMessageA(s->edit, EM_LIMITTEXT, kEditLimit, 0);  // the field's "@LIMIT" does the same
    if (!accepted) {
        g_bareEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(s->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DigitsOnlyEditProc)));
        s->filtered = true;
    }
    const char* keys = accepted ? kAccepted : kRejected;
    auto arm = [s, keys, accepted](bool lib) {
        return [s, keys, accepted, lib](long reps) {
            s->pair.front(lib);
            HWND edit = lib ? s->field : s->edit;
            SetFocus(edit);
            return TypeGroups(edit, keys, accepted, reps);
        };
    };
    Batches b;
    b.lib = arm(true);
    b.raw = arm(false);
    return b;
}

} // namespace

Batches prepare_type_accepted() { return PrepareTyping(true); }
Batches prepare_type_rejected() { return PrepareTyping(false); }

} // namespace ts::bench
