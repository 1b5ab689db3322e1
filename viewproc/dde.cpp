// WM_DDE_INITIATE: a conversation asked of the view goes to the fields whose
// "@SERVER" or "@CLIENT" directive names the application and topic.
#include "viewproc/handlers.h"

#include <string>

#include "companion/helio.h"
#include "core/directives.hpp"
#include "core/text.hpp"

namespace ts {
namespace {

bool Names(const char* directives, const char* keyword, std::string_view app, std::string_view topic) {
    char arg[HL_KEYWORD_BUFFER] = {};
    if (!hlGetKeyword(directives, keyword, arg)) return false;
    std::vector<std::string_view> parts = core::split_arguments(arg);
    return parts.size() >= 2 && core::equals_nocase(parts[0], app) && core::equals_nocase(parts[1], topic);
}

} // namespace

LRESULT OnDdeInitiate(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    char app[61] = {}, topic[61] = {};
    GlobalGetAtomNameA(LOWORD(lParam), app, sizeof app);
    GlobalGetAtomNameA(HIWORD(lParam), topic, sizeof topic);
    for (int n = 1; n <= view->fieldCount; ++n) {
        VWFIELD* f = view->fields[n];
        char dirs[251] = {};
        SendMessageA(f->hWnd, VWM_GETFIELDSTRING, sizeof dirs - 1, reinterpret_cast<LPARAM>(dirs));
        for (const char* keyword : {"@SERVER", "@CLIENT"}) {
            if (std::string_view(dirs).find(keyword) == std::string_view::npos) continue;
            if (Names(dirs, keyword, app, topic) && IsWindow(f->hWnd))
                SendMessageA(f->hWnd, WM_DDE_INITIATE, wParam, lParam);
        }
    }
    if (core::equals_nocase(app, "Server") && core::equals_nocase(topic, "Name"))
        SendMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(hWnd), lParam);
    return 0;
}

} // namespace ts
