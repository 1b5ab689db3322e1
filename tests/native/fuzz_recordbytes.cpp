// Fuzz target: any bytes, read as a view-definition record, give a text
// that compiles back to exactly those bytes.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <span>

#include "core/recorddecode.hpp"
#include "core/recordrc.hpp"
#include "core/recordtext.hpp"

using namespace ts::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    DecodedRecord d = decode_record(bytes);
    ParsedRecordText p = parse_record_text(format_record_text(d.model, d.warnings, "fuzz"));
    if (!p.errors.empty()) __builtin_trap();
    std::vector<std::uint8_t> back = record_bytes(p.model);
    if (!std::equal(back.begin(), back.end(), bytes.begin(), bytes.end())) __builtin_trap();
    format_record_rc(p.model, "FUZZ");
    return 0;
}
