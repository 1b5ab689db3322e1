// "@HELP(file,context)": the help file, and optionally the context number
// of the topic to show (without one, the contents).
#include <cstdlib>

#include "companion/helio.h"
#include "core/directives.hpp"
#include "helio/internal.h"

int WINAPI hlShowHelp(HWND field, LPCSTR directives) {
    auto match = ts::core::find_keyword(helio::view_of(directives), "@HELP");
    if (!match) return 0;
    auto parts = ts::core::split_arguments(match->argument);
    if (parts.empty() || parts[0].empty()) return 0;
    helio::LocalText file(parts[0]);
    if (!file.valid()) return 0;
    if (parts.size() > 1 && !parts[1].empty()) {
        helio::LocalText context(parts[1]);
        if (!context.valid()) return 0;
        return WinHelpA(field, file.get(), HELP_CONTEXT, static_cast<ULONG_PTR>(std::atoi(context.get())));
    }
    return WinHelpA(field, file.get(), HELP_CONTENTS, 0);
}
