// "@PROG(command line)": starts a program and does not wait for it.
//
// When the environment variable TS_HELIO_PROGLOG names a file, the command
// line is appended to that file (with CR LF) instead, and nothing starts:
// this lets tests see what would have run.
#include "companion/helio.h"
#include "core/directives.hpp"
#include "helio/internal.h"

namespace {

int log_command(const char* logFile, std::string_view command) {
    HANDLE file = CreateFileA(logFile, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0, crlfWritten = 0;
    BOOL ok = WriteFile(file, command.data(), static_cast<DWORD>(command.size()), &written, nullptr) &&
              WriteFile(file, "\r\n", 2, &crlfWritten, nullptr);
    CloseHandle(file);
    return ok && written == command.size() && crlfWritten == 2 ? 1 : 0;
}

} // namespace

int WINAPI hlRunProgram(HWND, LPCSTR directives) {
    auto match = ts::core::find_keyword(helio::view_of(directives), "@PROG");
    if (!match || match->argument.empty()) return 0;
    std::string_view command = match->argument;

    char logFile[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("TS_HELIO_PROGLOG", logFile, sizeof logFile);
    if (n >= sizeof logFile) return 0;  // a log is asked for, but its name does not fit
    if (n > 0) return log_command(logFile, command);

    helio::LocalText commandLine(command);  // CreateProcessA may write into it
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
