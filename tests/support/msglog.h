// Records the messages that reach a view or field procedure, for comparing
// with an expected sequence in the manner of Wine's message tests.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace tstest {

struct LoggedMessage { HWND hWnd; UINT msg; WPARAM wParam; LPARAM lParam; };

class MessageLog {
public:
    void add(HWND h, UINT m, WPARAM w, LPARAM l) { entries_.push_back({h, m, w, l}); }
    void clear() { entries_.clear(); }
    const std::vector<LoggedMessage>& entries() const { return entries_; }
    // The message numbers in order, optionally only those in `filter`.
    std::vector<UINT> sequence(const std::vector<UINT>& filter = {}) const {
        std::vector<UINT> out;
        for (const LoggedMessage& e : entries_)
            if (filter.empty() || std::count(filter.begin(), filter.end(), e.msg)) out.push_back(e.msg);
        return out;
    }
    bool contains(UINT msg) const { return !sequence({msg}).empty(); }

private:
    std::vector<LoggedMessage> entries_;
};

// Pumps the thread's queue until it is empty.
inline void PumpMessages() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

} // namespace tstest
