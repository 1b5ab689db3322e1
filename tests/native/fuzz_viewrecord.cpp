// Fuzz target: the view-definition record reader never reads outside its
// data, whatever the counts and strings say.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/viewrecord.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // the first two bytes choose the table sizes the record is read against
    unsigned fields = data[0] % 301, texts = data[1] % 101;
    std::span<const std::uint8_t> rec(data + 2, size - 2);
    ts::core::ViewRecord r = ts::core::read_view_record(rec, fields, texts);
    std::size_t total = 0;
    for (const auto& e : r.fieldStrings) total += e.directives.size();
    for (const auto& e : r.fieldFonts) total += e.face.size();
    return total > size ? 1 : 0;
}
