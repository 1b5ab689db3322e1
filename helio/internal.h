// Shared by the helio32 sources: the module instance and small helpers for
// the C strings that arrive through the exported operations.
#pragma once
#include <windows.h>

#include <cstring>
#include <string_view>

namespace helio {

// The module instance of helio32.dll (set when the DLL is loaded).
extern HINSTANCE g_instance;

// A caller's string as a view; NULL reads as empty.
inline std::string_view view_of(LPCSTR s) { return s ? std::string_view(s) : std::string_view(); }

// A NUL-terminated copy of a string view in local memory, for the Win32
// calls that want one.  Empty (and not valid()) when memory runs out.
class LocalText {
public:
    explicit LocalText(std::string_view s)
        : text_(static_cast<char*>(LocalAlloc(LMEM_FIXED, s.size() + 1))) {
        if (text_) {
            std::memcpy(text_, s.data(), s.size());
            text_[s.size()] = '\0';
        }
    }
    ~LocalText() { if (text_) LocalFree(text_); }
    LocalText(const LocalText&) = delete;
    LocalText& operator=(const LocalText&) = delete;

    bool valid() const { return text_ != nullptr; }
    char* get() { return text_; }

private:
    char* text_;
};

} // namespace helio
