#include "helio/internal.h"

namespace helio {
HINSTANCE g_instance = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        helio::g_instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
