// "@PROG(command line)": starts a program and does not wait for it.
#include "companion/helio.h"
#include "core/directives.hpp"
#include "helio/internal.h"

int WINAPI hlRunProgram(HWND, LPCSTR directives) {
    auto match = ts::core::find_keyword(helio::view_of(directives), "@PROG");
    if (!match || match->argument.empty()) return 0;
    helio::LocalText commandLine(match->argument);  // CreateProcessA may write into it
    if (!commandLine.valid()) return 0;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.get(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1;
}
