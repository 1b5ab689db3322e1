// Rules byte, excluded list, 0, included list, 0, typed bytes (code page
// 932): characters are handed on whole, double-byte ones unchanged.
#include <cstdlib>

#include "core/keyfilter.hpp"

using namespace ts::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr LeadBytes cp932 = LeadBytes().add(0x81, 0x9F).add(0xE0, 0xFC);
    if (size == 0) return 0;
    const KeyRules rules{(data[0] & 1) != 0, (data[0] & 2) != 0, (data[0] & 4) != 0};
    const std::string_view in(reinterpret_cast<const char*>(data + 1), size - 1), excluded = in.substr(0, in.find('\0'));
    const std::string_view rest = in.substr(std::min(excluded.size() + 1, in.size())), included = rest.substr(0, rest.find('\0'));
    CharAssembler assembler;
    for (char byte : rest.substr(std::min(included.size() + 1, rest.size()))) {
        KeyChar c = assembler.feed(byte, cp932);
        if (c.size == 0 ? !assembler.waiting() || !cp932(byte) : cp932(c.bytes[0]) != c.double_byte()) std::abort();
        const KeyChar typed = c;
        if (c.size && passes_filter(c, rules, excluded, data[0] & 8 ? std::optional(included) : std::nullopt, cp932) &&
            (c.size != typed.size || (c.double_byte() && c.text() != typed.text()) ||
             (rules.numeric && !(c.size == 1 && c.bytes[0] >= '0' && c.bytes[0] <= '9'))))
            std::abort();
    }
    return 0;
}
