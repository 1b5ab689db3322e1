// The status-line object behind the handles of hlCreateStatusLine: local
// memory that keeps the text and the module instance it was made for.
#pragma once
#include <windows.h>

namespace helio {

struct StatusLine {
    static constexpr DWORD kMagic = 0x4C534C48;  // "HLSL"
    static constexpr int kMaxText = 1023;

    DWORD magic;
    StatusLine* next;  // the chain of live objects
    HINSTANCE instance;
    int flags;
    char text[kMaxText + 1];
};

} // namespace helio
