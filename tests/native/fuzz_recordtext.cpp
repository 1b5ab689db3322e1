// The text reader of view-definition records never crashes, and a text it
// accepts reads back to the same bytes once dumped again.
#include "core/recorddecode.hpp"
#include "core/recordtext.hpp"

using namespace ts::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ParsedRecordText p = parse_record_text({reinterpret_cast<const char*>(data), size});
    if (!p.errors.empty()) return 0;
    const std::vector<std::uint8_t> bytes = record_bytes(p.model);
    DecodedRecord d = decode_record(bytes);
    ParsedRecordText again = parse_record_text(format_record_text(d.model, d.warnings, "again"));
    if (!again.errors.empty() || record_bytes(again.model) != bytes) __builtin_trap();
    return 0;
}
