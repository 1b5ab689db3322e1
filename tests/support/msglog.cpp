#include "msglog.h"

#include <algorithm>

namespace tstest {

std::vector<UINT> MessageLog::sequence(const std::vector<UINT>& filter) const {
    std::vector<UINT> out;
    for (const LoggedMessage& e : entries_)
        if (filter.empty() || std::find(filter.begin(), filter.end(), e.msg) != filter.end()) out.push_back(e.msg);
    return out;
}

bool MessageLog::contains(UINT msg) const {
    return std::any_of(entries_.begin(), entries_.end(), [msg](const LoggedMessage& e) { return e.msg == msg; });
}

void PumpMessages() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

} // namespace tstest
