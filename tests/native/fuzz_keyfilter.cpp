// Keystroke filtering of arbitrary byte streams in code page 932: input is
// a rules byte, an excluded list, a 0 byte, an included list, a 0 byte, and
// the typed bytes.  Every character handed on is whole, and a double-byte
// character is handed on unchanged.
#include <cstdint>
#include <cstdlib>

#include "core/keyfilter.hpp"

using namespace ts::core;

static std::string_view next_part(std::string_view& in) {
    std::string_view part = in.substr(0, in.find('\0'));
    in.remove_prefix(part.size() < in.size() ? part.size() + 1 : in.size());
    return part;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr LeadBytes cp932 = LeadBytes().add(0x81, 0x9F).add(0xE0, 0xFC);
    if (size == 0) return 0;
    const KeyRules rules{(data[0] & 1) != 0, (data[0] & 2) != 0, (data[0] & 4) != 0};
    std::string_view in(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string_view excluded = next_part(in), included = next_part(in);
    CharAssembler assembler;
    for (char byte : in) {
        KeyChar c = assembler.feed(byte, cp932);
        if (c.size == 0) {
            if (!assembler.waiting() || !cp932(byte)) std::abort();
            continue;
        }
        if (c.size == 1 && cp932(c.bytes[0])) std::abort();  // a lead byte never stands alone
        if (c.double_byte() && !cp932(c.bytes[0])) std::abort();
        const KeyChar typed = c;
        if (passes_filter(c, rules, excluded, data[0] & 8 ? std::optional(included) : std::nullopt, cp932)) {
            if (c.size != typed.size) std::abort();
            if (c.double_byte() && c.text() != typed.text()) std::abort();
            if (rules.numeric && !(c.size == 1 && c.bytes[0] >= '0' && c.bytes[0] <= '9')) std::abort();
        }
    }
    return 0;
}
