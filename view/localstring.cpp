// Strings kept in moveable local memory (view and field directive strings).
#include "view/internal.h"

#include <cstring>

#include "core/text.hpp"

namespace ts {

HLOCAL ReplaceLocalString(HLOCAL old, std::string_view s) {
    if (old) LocalFree(old);
    if (s.empty()) return nullptr;
    HLOCAL h = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, s.size() + 2);
    if (!h) return nullptr;
    if (char* p = static_cast<char*>(LocalLock(h))) {
        std::memcpy(p, s.data(), s.size());
        p[s.size()] = '\0';
        LocalUnlock(h);
    }
    return h;
}

std::size_t CopyLocalString(HLOCAL h, char* buffer, std::size_t size) {
    if (!buffer || size == 0) return 0;
    buffer[0] = '\0';
    LocalLockGuard text(h);
    if (!text) return 0;
    return core::copy_bounded(buffer, size, text.get());
}

} // namespace ts
