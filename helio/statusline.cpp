// Status-line objects.  Every object made here is kept in a chain, so that
// hlDestroyStatusLine can tell its own handles from anything else it is
// given and frees only those.
#include "helio/statusline.h"

#include "companion/helio.h"
#include "core/text.hpp"

namespace {

SRWLOCK g_lock = SRWLOCK_INIT;
helio::StatusLine* g_live = nullptr;

} // namespace

// `size` is the caller's text buffer size: at most size - 1 characters are
// kept (and never more than 1023); 0 or less means the largest.
HANDLE WINAPI hlCreateStatusLine(LPCSTR name, int size, HINSTANCE hInst, int, int, int, int, int flags) {
    if (!name || !*name) return nullptr;
    auto* line = static_cast<helio::StatusLine*>(LocalAlloc(LPTR, sizeof(helio::StatusLine)));
    if (!line) return nullptr;
    std::size_t capacity = size > 0 && size <= helio::StatusLine::kMaxText ? static_cast<std::size_t>(size)
                                                                            : sizeof line->text;
    ts::core::copy_bounded(line->text, capacity, name);
    line->magic = helio::StatusLine::kMagic;
    line->instance = hInst;
    line->flags = flags;
    AcquireSRWLockExclusive(&g_lock);
    line->next = g_live;
    g_live = line;
    ReleaseSRWLockExclusive(&g_lock);
    return line;
}

int WINAPI hlDestroyStatusLine(HANDLE statusLine) {
    if (!statusLine) return 0;
    helio::StatusLine* found = nullptr;
    AcquireSRWLockExclusive(&g_lock);
    for (helio::StatusLine** link = &g_live; *link; link = &(*link)->next) {
        if (*link == statusLine) {
            found = *link;
            *link = found->next;
            break;
        }
    }
    ReleaseSRWLockExclusive(&g_lock);
    if (!found) return 0;
    found->magic = 0;
    LocalFree(found);
    return 1;
}
