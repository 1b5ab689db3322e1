// Any bytes, read as a view-definition record, give a text that compiles
// back to exactly those bytes (and an RCDATA block).
#include <algorithm>

#include "core/recorddecode.hpp"
#include "core/recordrc.hpp"
#include "core/recordtext.hpp"

using namespace ts::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedRecord d = decode_record({data, size});
    ParsedRecordText p = parse_record_text(format_record_text(d.model, d.warnings, "fuzz"));
    const std::vector<std::uint8_t> back = record_bytes(p.model);
    if (!p.errors.empty() || !std::equal(back.begin(), back.end(), data, data + size)) __builtin_trap();
    format_record_rc(p.model, "FUZZ");
    return 0;
}
