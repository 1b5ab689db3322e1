// The view-definition record reader never reads outside its data, whatever
// the counts and strings say.  The first two bytes choose the table sizes.
#include "core/viewrecord.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    ts::core::ViewRecord r = ts::core::read_view_record({data + 2, size - 2}, data[0] % 301, data[1] % 101);
    for (const auto& e : r.fieldStrings)
        if (e.directives.data() < reinterpret_cast<const char*>(data) + 2 ||
            e.directives.data() + e.directives.size() > reinterpret_cast<const char*>(data) + size)
            __builtin_trap();
    return 0;
}
